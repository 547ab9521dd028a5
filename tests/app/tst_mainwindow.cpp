#include "icon/Window1.h"
#include "platform/windows/Canvas.h"
#include "platform/windows/Label.h"
#include "platform/windows/MenuItem.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/Rectangle.h"
#include "platform/windows/Slider.h"
#include "platform/windows/WindowWidget.h"
#include "support/ProgramFixture.h"

#include <QLabel>
#include <QSlider>
#include <QtTest>

// Where a control lies in the window's content area, whatever its parent.
static QRect windowRect(const RectControl& control)
{
    QWidget* widget = control.Widget();
    const QPoint topLeft = widget->mapTo(widget->window()->findChild<QWidget*>("content"), QPoint(0, 0));
    return QRect(topLeft, widget->size());
}

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void windowIsFixedAtItsDesignSize()
    {
        Window1& window = ProgramFixture::MainWindow();
        QCOMPARE(window.Width(), 1084);
        QCOMPARE(window.Height(), 650);
        QWidget* top = window.Widget();
        QCOMPARE(top->minimumSize(), top->maximumSize());
        QVERIFY(!(top->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(top->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(top->windowFlags() & Qt::WindowCloseButtonHint);
    }

    void controlsSitWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Label1") << "Label1" << QRect(20, 25, 512, 20) << true;
        QTest::newRow("Label2") << "Label2" << QRect(552, 25, 512, 20) << true;
        QTest::newRow("FuzzTolerance") << "FuzzTolerance" << QRect(442, 607, 200, 23) << true;
        QTest::newRow("Label3") << "Label3" << QRect(442, 583, 200, 20) << true;
        QTest::newRow("Rectangle1") << "Rectangle1" << QRect(18, 48, 516, 516) << true;
        QTest::newRow("IconCanvas") << "IconCanvas" << QRect(20, 50, 512, 512) << true;
        QTest::newRow("Rectangle2") << "Rectangle2" << QRect(550, 48, 516, 516) << false;
        QTest::newRow("MaskCanvas") << "MaskCanvas" << QRect(552, 50, 512, 512) << false;
        QTest::newRow("ShowPNG") << "ShowPNG" << QRect(758, 607, 100, 20) << true;
    }

    void controlsSitWhereTheLayoutPutsThem()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(bool, enabled);
        const RectControl& control = ProgramFixture::MainWindow().ControlByName<RectControl>(name.toStdString());
        QCOMPARE(windowRect(control), rect);
        // The mask view lies in the disabled frame, so it shows as disabled too.
        QCOMPARE(control.Widget()->isEnabled(), enabled);
    }

    void canvasesLieInTheirFrames()
    {
        Window1& window = ProgramFixture::MainWindow();
        QCOMPARE(window.IconCanvas().Widget()->parentWidget(), window.Rectangle1().Widget());
        QCOMPARE(window.MaskCanvas().Widget()->parentWidget(), window.Rectangle2().Widget());
        QVERIFY(!window.IconCanvas().Backdrop());
        QVERIFY(!window.MaskCanvas().Backdrop());
    }

    void captionsAndButton()
    {
        Window1& window = ProgramFixture::MainWindow();
        for (Label* label : {&window.Label1(), &window.Label2(), &window.Label3()}) {
            auto* qlabel = static_cast<QLabel*>(label->Widget());
            QVERIFY(qlabel->font().bold());
            QVERIFY(qlabel->alignment() & Qt::AlignHCenter);
        }
        QCOMPARE(window.Label1().Text(), std::string("Icon"));
        QCOMPARE(window.Label2().Text(), std::string("Mask"));
        QCOMPARE(window.Label3().Text(), std::string("Fuzziness"));
        QCOMPARE(window.ShowPNG().Caption(), std::string("Show PNG"));
        QVERIFY(window.ShowPNG().Default());
    }

    void sliderRangeStepsAndLiveScroll()
    {
        Slider& slider = ProgramFixture::MainWindow().FuzzTolerance();
        QCOMPARE(slider.Minimum(), 225);
        QCOMPARE(slider.Maximum(), 254);
        QCOMPARE(slider.Value(), 239);
        QCOMPARE(slider.LineStep(), 1);
        QCOMPARE(slider.PageStep(), 20);
        QVERIFY(slider.LiveScroll());
        auto* qslider = static_cast<QSlider*>(slider.Widget());
        qslider->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(slider.Value(), 254);
        qslider->triggerAction(QAbstractSlider::SliderPageStepSub);
        QCOMPARE(slider.Value(), 234);
        qslider->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(slider.Value(), 233);
        slider.Value(100);
        QCOMPARE(slider.Value(), 225);
    }

    void shortcutReachesTheHandlerAfterTheEnablingPass()
    {
        Window1& window = ProgramFixture::MainWindow();
        int runs = 0;
        window.AddMenuHandler("FileLoadIconSource", [&runs] { ++runs; return true; });
        // Leave the item disabled: the pass before the shortcut must enable it.
        window.FileLoadIconSource().Enabled(false);
        window.Widget()->syncMenuStates();
        QTest::keyClick(window.Widget(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(runs, 1);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
