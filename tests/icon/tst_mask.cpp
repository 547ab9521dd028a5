#include "IconTestSupport.h"

#include "platform/windows/Canvas.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Slider.h"
#include "platform/windows/WindowWidget.h"
#include "support/PaintCounter.h"

#include <QPointer>
#include <QThread>
#include <QTimer>

using namespace IconTest;

namespace {

// A grey ramp over the columns: each threshold lets a different share through.
void installGreyRamp()
{
    installIcons([](int x, int, int size) {
        const int level = 225 + (x * 30) / size;
        return RGB(level, level, level);
    });
}

void compareMasksWithThreshold(int value)
{
    for (const auto& [icon, mask] :
         {std::pair{Module1::P1, Module1::QMask}, std::pair{Module1::P1Hidden, Module1::QMaskHidden}}) {
        const int last = mask->Width() - 2;
        for (int x = 1; x <= last; x += 7) {
            const QRgb source = rgbAt(icon, x, 5);
            const QRgb expected = qRed(source) > value ? source : 0u;
            QCOMPARE(rgbAt(mask, x, 1), expected);
            QCOMPARE(rgbAt(mask, x, last), expected);
        }
    }
}

} // namespace

class MaskTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void thresholdDecidesEachPixel_data()
    {
        QTest::addColumn<int>("fuzz");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::addColumn<bool>("passes");
        QTest::newRow("254, white") << 254 << 255 << 255 << 255 << true;
        QTest::newRow("254, blue one short") << 254 << 255 << 255 << 254 << false;
        QTest::newRow("225, all above") << 225 << 240 << 250 << 226 << true;
        QTest::newRow("226, blue equal") << 226 << 240 << 250 << 226 << false;
        QTest::newRow("red fails") << 239 << 239 << 255 << 255 << false;
        QTest::newRow("green fails") << 239 << 255 << 200 << 255 << false;
        QTest::newRow("blue fails") << 239 << 255 << 255 << 10 << false;
        QTest::newRow("all fail") << 239 << 0 << 0 << 0 << false;
    }

    void thresholdDecidesEachPixel()
    {
        QFETCH(int, fuzz);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QFETCH(bool, passes);
        const Color colour = RGB(red, green, blue);
        installIcons([&](int, int, int) { return colour; });
        Module1::Fuzz = fuzz;
        Module1::UpdateMask();
        const QRgb expected = passes ? colour : 0u;
        for (const auto& [mask, last] : {std::pair{Module1::QMask, 510}, std::pair{Module1::QMaskHidden, 1022}}) {
            QCOMPARE(rgbAt(mask, 1, 1), expected);
            QCOMPARE(rgbAt(mask, last, last), expected);
            QCOMPARE(rgbAt(mask, last, 1), expected);
            QCOMPARE(rgbAt(mask, 1, last), expected);
            QCOMPARE(rgbAt(mask, 137, 301), expected);
        }
    }

    void frameKeepsTheNewPicturesWhite_data()
    {
        QTest::addColumn<uint>("icon");
        QTest::newRow("passing icon") << uint(RGB(250, 251, 252));
        QTest::newRow("failing icon") << uint(RGB(12, 34, 56));
    }

    void frameKeepsTheNewPicturesWhite()
    {
        QFETCH(uint, icon);
        installIcons([&](int, int, int) { return Color(icon); });
        Module1::Fuzz = 239;
        Module1::UpdateMask();
        for (const auto& mask : {Module1::QMask, Module1::QMaskHidden}) {
            const int last = mask->Width() - 1;
            for (int i = 0; i <= last; ++i) {
                QCOMPARE(rgbAt(mask, i, 0), 0xFFFFFFu);
                QCOMPARE(rgbAt(mask, i, last), 0xFFFFFFu);
                QCOMPARE(rgbAt(mask, 0, i), 0xFFFFFFu);
                QCOMPARE(rgbAt(mask, last, i), 0xFFFFFFu);
            }
            const QRgb inner = icon == RGB(250, 251, 252) ? icon : 0u;
            QCOMPARE(rgbAt(mask, 1, 1), inner);
            QCOMPARE(rgbAt(mask, last - 1, last - 1), inner);
            QCOMPARE(mask->Image().pixel(1, 1) >> 24, 255u); // written pixels stay opaque
        }
    }

    void bothMasksFollowTheSlider()
    {
        installGreyRamp();
        Window1& window = ProgramFixture::MainWindow();
        Slider& slider = window.FuzzTolerance();
        const PaintCounter maskPaints(window.MaskCanvas().Widget());
        for (int value : {230, 254, 225, 240}) {
            const int paintsBefore = maskPaints.Count();
            slider.Value(value);
            QCOMPARE(Module1::Fuzz, value);
            QVERIFY(window.MaskCanvas().Backdrop() == Module1::QMask);
            compareMasksWithThreshold(value);
            QTRY_VERIFY(maskPaints.Count() > paintsBefore);
        }
    }

    // A slider change taken by a yield of the masks' own pass starts the pass again inside it:
    // both masks end with the last threshold throughout.
    void aChangeDuringThePassEndsWithTheLastThreshold()
    {
        installGreyRamp();
        Slider& slider = ProgramFixture::MainWindow().FuzzTolerance();
        bool changedInPass = false;
        QTimer::singleShot(0, slider.Widget(), [&] {
            changedInPass = Module1::Fuzz == 230;
            slider.Value(250);
        });
        QThread::msleep(10); // past the yields' rate limit: the first yield takes events
        slider.Value(230);
        QVERIFY(changedInPass);
        QCOMPARE(Module1::Fuzz, 250);
        compareMasksWithThreshold(250);
    }

    void closedMainWindowIsNotBuiltAgainToShowTheMask()
    {
        installIcons([](int, int, int) { return RGB(250, 250, 250); });
        ProgramFixture::MainWindow().Close();
        QVERIFY(!OpenImplicitWindow<Window1>());
        Module1::Fuzz = 239;
        Module1::UpdateMask();
        QVERIFY(!OpenImplicitWindow<Window1>());
        QCOMPARE(rgbAt(Module1::QMaskHidden, 9, 9), RGB(250, 250, 250));
    }

    // An arrow key on the slider, then the close box while the masks are computed: the slider's
    // own key handling goes on after the handler, so the window must outlive that too.
    void closingTheMainWindowWhileTheSliderComputesTheMasks()
    {
        installIcons([](int, int, int) { return RGB(250, 250, 250); });
        Window1& window = ProgramFixture::MainWindow();
        QPointer<QWidget> widget = window.Widget();
        QPointer<QWidget> slider = window.FuzzTolerance().Widget();
        bool closedInChange = false;
        QTimer::singleShot(0, widget, [&] { closedInChange = Module1::Fuzz == 240 && widget->close(); });
        QThread::msleep(10); // past the yields' rate limit: the first yield takes events
        QTest::keyClick(slider, Qt::Key_Right);
        QVERIFY(closedInChange);
        QVERIFY(!OpenImplicitWindow<Window1>());
        QVERIFY(widget && slider); // the slider went on with the key press after the handler
        QCOMPARE(rgbAt(Module1::QMaskHidden, 1021, 1021), RGB(250, 250, 250));
        ProgramFixture::ProcessEvents();
        QVERIFY(!widget && !slider);
    }

    void sliderBeforeAnyLoadOnlyStoresTheThreshold()
    {
        ScriptedSeam seam;
        Window1& window = ProgramFixture::MainWindow();
        window.FuzzTolerance().Value(250);
        QCOMPARE(Module1::Fuzz, 250);
        QVERIFY(!Module1::SourceLoaded());
        QVERIFY(!Module1::P1 && !Module1::QMask && !Module1::QMaskHidden && !Module1::SMask);
        QVERIFY(!window.MaskCanvas().Backdrop());
        QVERIFY(seam.log.empty());
    }
};

QTEST_MAIN(MaskTest)
#include "tst_mask.moc"
