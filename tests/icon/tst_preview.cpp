#include "IconTestSupport.h"

#include "icon/Window2.h"
#include "platform/windows/Canvas.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/Slider.h"
#include "platform/windows/WindowWidget.h"

#include <QAbstractButton>
#include <QEvent>
#include <QTemporaryDir>

using namespace IconTest;

class PreviewTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

    std::string writeSource(const QString& name)
    {
        return writeJpeg(QDir(m_dir.path()), name, whiteSquareOn(128, QColor(200, 40, 40)));
    }

    // Presses the real "Show PNG" button.
    void pressShowPNG()
    {
        auto* button = qobject_cast<QAbstractButton*>(ProgramFixture::MainWindow().ShowPNG().Widget());
        QVERIFY(button);
        button->click();
    }

    // The preview's transparency is the display mask's grey level turned round.
    static void verifyAlphaFollows(const PicturePtr& preview, const PicturePtr& mask)
    {
        QVERIFY(preview);
        QCOMPARE(preview->Width(), 512);
        for (int y = 0; y < 512; y += 17)
            for (int x = 0; x < 512; x += 13)
                QCOMPARE(qAlpha(preview->Image().pixel(x, y)), 255 - qGray(mask->Image().pixel(x, y)));
    }

private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void noSourceGivesOnlyTheMessage()
    {
        ScriptedSeam seam;
        pressShowPNG();
        QCOMPARE(seam.messages, std::vector<std::string>{"First, load a Source Icon!"});
        QVERIFY(!OpenImplicitWindow<Window2>());
    }

    void previewIsTitledAfterThePngAndPlacedOverTheMaskView_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("title");
        QTest::newRow("sunset.jpg") << "sunset.jpg" << "sunset.png";
        QTest::newRow("sunset.jpeg") << "sunset.jpeg" << "sunset..png";
        QTest::newRow("sunset.jfif") << "sunset.jfif" << "sunset..png";
    }

    void previewIsTitledAfterThePngAndPlacedOverTheMaskView()
    {
        QFETCH(QString, source);
        QFETCH(QString, title);
        ScriptedSeam seam;
        QVERIFY(load(seam, writeSource(source)));
        Window1& main = ProgramFixture::MainWindow();
        main.Left(120);
        main.Top(90);
        pressShowPNG();
        Window2* preview = OpenImplicitWindow<Window2>();
        QVERIFY(preview);
        QCOMPARE(QString::fromStdString(preview->Title()), title);
        QVERIFY(preview->Visible());
        QCOMPARE(preview->Width(), 512);
        QCOMPARE(preview->Height(), 512);
        QCOMPARE(preview->Canvas1().Width(), 512);
        QCOMPARE(preview->Top(), main.Top() + 50);
        QCOMPARE(preview->Left(), main.Left() + 552);
        verifyAlphaFollows(preview->Canvas1().Backdrop(), Module1::QMask);
        QCOMPARE(qAlpha(preview->Canvas1().Backdrop()->Image().pixel(256, 256)), 0);
        QCOMPARE(qAlpha(preview->Canvas1().Backdrop()->Image().pixel(50, 50)), 255);
        QVERIFY(seam.messages.empty());
    }

    // The preview appears over the mask view straight away, not first where new windows go.
    void previewIsPlacedBeforeItFirstShows()
    {
        ScriptedSeam seam;
        QVERIFY(load(seam, writeSource("a.jpg")));
        Window1& main = ProgramFixture::MainWindow();
        main.Left(140);
        main.Top(110);
        struct FirstShow : QObject {
            std::optional<QRect> geometry;
            bool eventFilter(QObject* watched, QEvent* event) override
            {
                if (event->type() == QEvent::Show && !geometry && watched->objectName() == "Window2")
                    geometry = static_cast<QWidget*>(watched)->geometry();
                return false;
            }
        } firstShow;
        qApp->installEventFilter(&firstShow);
        pressShowPNG();
        qApp->removeEventFilter(&firstShow);
        Window2* preview = OpenImplicitWindow<Window2>();
        QVERIFY(preview && preview->Visible());
        QCOMPARE(preview->Left(), main.Left() + 552);
        QCOMPARE(preview->Top(), main.Top() + 50);
        QVERIFY(firstShow.geometry);
        QCOMPARE(*firstShow.geometry, preview->Widget()->geometry());
    }

    void openPreviewIsMovedBackButNotRebuilt()
    {
        ScriptedSeam seam;
        QVERIFY(load(seam, writeSource("a.jpg")));
        Window1& main = ProgramFixture::MainWindow();
        pressShowPNG();
        Window2* preview = OpenImplicitWindow<Window2>();
        QVERIFY(preview);
        const PicturePtr shown = preview->Canvas1().Backdrop();
        const QImage before = shown->Image().copy();

        main.FuzzTolerance().Value(254);
        QVERIFY(!load(seam, QDir(m_dir.path()).filePath("b.jpg").toStdString()));
        preview->Left(5);
        preview->Top(7);
        main.Left(200);
        main.Top(150);
        pressShowPNG();
        QVERIFY(OpenImplicitWindow<Window2>() == preview);
        QVERIFY(preview->Canvas1().Backdrop() == shown);
        QVERIFY(shown->Image() == before);
        QCOMPARE(preview->Title(), std::string("a.png"));
        QCOMPARE(preview->Top(), main.Top() + 50);
        QCOMPARE(preview->Left(), main.Left() + 552);
    }

    void closedPreviewIsBuiltAfreshFromTheCurrentState()
    {
        ScriptedSeam seam;
        QVERIFY(load(seam, writeSource("a.jpg")));
        pressShowPNG();
        OpenImplicitWindow<Window2>()->Close();
        QVERIFY(!OpenImplicitWindow<Window2>());
        ProgramFixture::ProcessEvents();

        ProgramFixture::MainWindow().FuzzTolerance().Value(225);
        QVERIFY(!load(seam, QDir(m_dir.path()).filePath("b.jpg").toStdString()));
        pressShowPNG();
        Window2* preview = OpenImplicitWindow<Window2>();
        QVERIFY(preview);
        QCOMPARE(preview->Title(), std::string("b.png"));
        verifyAlphaFollows(preview->Canvas1().Backdrop(), Module1::QMask);
    }
};

QTEST_MAIN(PreviewTest)
#include "tst_preview.moc"
