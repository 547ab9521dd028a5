#include "IconTestSupport.h"

#include "platform/windows/Canvas.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Label.h"
#include "platform/windows/Slider.h"
#include "platform/windows/WindowWidget.h"

#include <QPointer>
#include <QThread>
#include <QTemporaryDir>
#include <QTimer>

using namespace IconTest;

namespace {
const QColor kLeft(20, 40, 170);
const QColor kRight(190, 30, 20);
}

class LoadTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QDir dir() const { return QDir(m_dir.path()); }

private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void dialogAsksForAJpegAndCancelChangesNothing()
    {
        ScriptedSeam seam;
        QVERIFY(ProgramFixture::MainWindow().FileLoadIconSource_Action());
        QCOMPARE(seam.openRequests.size(), size_t(1));
        const OpenFileRequest& request = seam.openRequests[0];
        QCOMPARE(request.FilterName, std::string("image/jpeg"));
        QCOMPARE(request.Prompt, std::string("Select a square jpg image (at least 1024 x 1024 pixels) to load."));
        QCOMPARE(request.Title, std::string("Icon Source Image"));
        QVERIFY(request.FilterPatterns.find("*.JPG") != std::string::npos);
        QVERIFY(request.FilterPatterns.find("*.jfif") != std::string::npos);
        QVERIFY(seam.messages.empty());
        QVERIFY(Module1::IconName.empty());
        QVERIFY(!Module1::SourceLoaded());
    }

    void loadFillsTheStateAndComputesTheMasks()
    {
        ScriptedSeam seam;
        Window1& window = ProgramFixture::MainWindow();
        window.FuzzTolerance().Value(230); // no source yet: stored only
        const std::string path = writeJpeg(dir(), "white.jpg", solid(600, 600, Qt::white));
        QVERIFY(load(seam, path));
        QVERIFY(seam.messages.empty());
        QCOMPARE(Module1::IconName, std::string("white.jpg"));
        QVERIFY(Module1::SourceLoaded());
        QCOMPARE(Module1::P1->Width(), 512);
        QCOMPARE(Module1::P1Hidden->Height(), 1024);
        QCOMPARE(Module1::QMask->Width(), 512);
        QCOMPARE(Module1::QMaskHidden->Width(), 1024);
        QVERIFY(Module1::QIcon == Module1::P1);
        QVERIFY(Module1::QIconHidden == Module1::P1Hidden);
        QVERIFY(Module1::QMask != Module1::P1 && Module1::QMaskHidden != Module1::P1Hidden);
        QCOMPARE(Module1::Fuzz, 230);
        QVERIFY(window.IconCanvas().Backdrop() == Module1::P1);
        QVERIFY(window.MaskCanvas().Backdrop() == Module1::QMask);
        QVERIFY(window.FuzzTolerance().Enabled());
        QVERIFY(window.Label3().Enabled());
        // White passes any threshold: the inner masks are white, the frames too.
        QCOMPARE(rgbAt(Module1::QMask, 256, 256), 0xFFFFFFu);
        QCOMPARE(rgbAt(Module1::QMaskHidden, 1000, 3), 0xFFFFFFu);
    }

    void eachLoadMakesNewPicturesWithTheCurrentThreshold()
    {
        ScriptedSeam seam;
        Window1& window = ProgramFixture::MainWindow();
        const std::string path = writeJpeg(dir(), "grey.jpg", solid(64, 64, QColor(245, 245, 245)));
        QVERIFY(load(seam, path));
        QCOMPARE(Module1::Fuzz, 239);
        const PicturePtr firstMask = Module1::QMaskHidden;
        QVERIFY(rgbAt(firstMask, 500, 500) != 0u);
        window.FuzzTolerance().Value(254);
        QCOMPARE(rgbAt(firstMask, 500, 500), 0u);
        QVERIFY(load(seam, path));
        QVERIFY(Module1::QMaskHidden != firstMask);
        QCOMPARE(Module1::Fuzz, 254);
        QCOMPARE(rgbAt(Module1::QMaskHidden, 500, 500), 0u);
    }

    // Where the middle of the source and its right edge land shows both scale factors.
    void sourceIsScaledByItsHeight_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("2048 x 2048") << 2048 << 2048;
        QTest::newRow("1024 x 768") << 1024 << 768;
        QTest::newRow("768 x 1024") << 768 << 1024;
        QTest::newRow("49 high") << 49 << 49;
        QTest::newRow("64 x 49") << 64 << 49;
    }

    void sourceIsScaledByItsHeight()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        ScriptedSeam seam;
        const std::string path = writeJpeg(dir(), "halves.jpg", halves(width, height, kLeft, kRight));
        QVERIFY(load(seam, path));
        for (const auto& [icon, size] : {std::pair{Module1::P1, 512}, std::pair{Module1::P1Hidden, 1024}}) {
            const double ratio = double(size) / height;
            const int drawnWidth = int(std::lround(width * ratio));
            const int middle = int(std::lround((width / 2) * ratio));
            const int step = std::max(4, int(ratio) + 2); // keep clear of the edge's blending
            for (int y : {0, size / 2, size - 1}) {
                QVERIFY2(near(rgbAt(icon, middle / 2, y), kLeft), qPrintable(QString("y %1").arg(y)));
                if (middle + step < size)
                    QVERIFY(near(rgbAt(icon, std::min(size - 1, (middle + drawnWidth) / 2), y), kRight));
                if (drawnWidth < size) {
                    QVERIFY(near(rgbAt(icon, drawnWidth - 1, y), kRight, 60));
                    QCOMPARE(rgbAt(icon, drawnWidth, y), 0xFFFFFFu);
                    QCOMPARE(rgbAt(icon, size - 1, y), 0xFFFFFFu);
                } else {
                    QVERIFY(rgbAt(icon, size - 1, y) != 0xFFFFFFu);
                }
            }
        }
    }

    void missingFileKeepsTheChosenNameOnly()
    {
        ScriptedSeam seam;
        QVERIFY(load(seam, writeJpeg(dir(), "a.jpg", solid(32, 32, Qt::white))));
        const PicturePtr before = Module1::P1;
        QVERIFY(!load(seam, dir().filePath("b.jpg").toStdString()));
        QCOMPARE(seam.messages, std::vector<std::string>{"The icon image must be jpg format!"});
        QCOMPARE(Module1::IconName, std::string("b.jpg"));
        QVERIFY(Module1::P1 == before);
    }

    void unreadableFilesLeaveThePicturesAsTheyWere_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QImage small = solid(40, 30, kLeft);
        const QByteArray jpeg = testimages::encoded(small, "JPEG", 90);
        const QByteArray png = testimages::encoded(small, "PNG");
        QByteArray huge = jpeg;
        const int sof = huge.indexOf("\xFF\xC0");
        QVERIFY(sof > 0);
        huge[sof + 5] = char(0xFF); // height 65500
        huge[sof + 6] = char(0xDC);
        huge[sof + 7] = char(0xFF); // width 65500
        huge[sof + 8] = char(0xDC);
        QByteArray noise(5000, 0);
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char((i * 7919 + 13) % 251);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("random bytes") << noise;
        QTest::newRow("a PNG") << png;
        QTest::newRow("cut in the header") << jpeg.left(20);
        QTest::newRow("only the start marker") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("claims 65500 x 65500") << huge;
    }

    void unreadableFilesLeaveThePicturesAsTheyWere()
    {
        QFETCH(QByteArray, bytes);
        ScriptedSeam seam;
        Window1& window = ProgramFixture::MainWindow();
        QVERIFY(load(seam, writeJpeg(dir(), "good.jpg", solid(32, 32, Qt::white))));
        const PicturePtr p1 = Module1::P1, mask = Module1::QMask, maskHidden = Module1::QMaskHidden;
        const auto iconSurface = Module1::SIcon;
        window.FuzzTolerance().Value(240);

        QVERIFY(!load(seam, writeBytes(dir(), "bad.jpg", bytes)));
        QCOMPARE(seam.messages, std::vector<std::string>{"No source icon image selected!"});
        QCOMPARE(Module1::IconName, std::string("bad.jpg"));
        QVERIFY(Module1::P1 == p1 && Module1::QMask == mask && Module1::QMaskHidden == maskHidden);
        QVERIFY(Module1::SIcon == iconSurface);
        QVERIFY(window.IconCanvas().Backdrop() == p1);
        QCOMPARE(Module1::Fuzz, 240);
    }

    void failedFirstLoadLeavesNoSource()
    {
        ScriptedSeam seam;
        QVERIFY(!load(seam, writeBytes(dir(), "empty.jpg", QByteArray())));
        QCOMPARE(seam.messages, std::vector<std::string>{"No source icon image selected!"});
        QVERIFY(!Module1::SourceLoaded() && !Module1::P1 && !Module1::QMaskHidden);
        QCOMPARE(Module1::Fuzz, 0);
    }

    void scanCutShortNeverEndsTheProgram()
    {
        ScriptedSeam seam;
        QImage image = halves(300, 300, kLeft, kRight);
        const QByteArray jpeg = testimages::encoded(image, "JPEG", 90);
        const bool loaded = load(seam, writeBytes(dir(), "cut.jpg", jpeg.left(jpeg.size() / 2)));
        // Damaged files may give what could be decoded; either way the state is whole.
        QCOMPARE(loaded, Module1::SourceLoaded());
        QCOMPARE(seam.messages.empty(), loaded);
    }

    // The close box (or Alt+F4) while the mask of a new source is computed: the close arrives
    // in a yield of the load, whose last steps then run on the closed window, not a freed one.
    void closingTheMainWindowWhileItLoadsLetsTheLoadFinish()
    {
        ScriptedSeam seam;
        Window1& window = ProgramFixture::MainWindow();
        window.EnableMenuItems();
        QPointer<QWidget> widget = window.Widget();
        seam.files.push_back(writeJpeg(dir(), "photo.jpg", solid(600, 600, Qt::white)));
        bool closedInLoad = false;
        QTimer::singleShot(0, widget, [&] { closedInLoad = Module1::IconName == "photo.jpg" && widget->close(); });
        QThread::msleep(10); // past the yields' rate limit: the first yield takes events
        window.Widget()->actionFor("FileLoadIconSource")->trigger();
        QVERIFY(closedInLoad);
        QVERIFY(seam.messages.empty());
        QVERIFY(Module1::SourceLoaded());
        QVERIFY(!OpenImplicitWindow<Window1>());
        QVERIFY(widget);
        ProgramFixture::ProcessEvents();
        QVERIFY(!widget);
    }

    void folderChosenAsFileIsNoPicture()
    {
        ScriptedSeam seam;
        QVERIFY(dir().mkdir("folder.jpg"));
        QVERIFY(!load(seam, dir().filePath("folder.jpg").toStdString()));
        QCOMPARE(seam.messages, std::vector<std::string>{"No source icon image selected!"});
    }
};

QTEST_MAIN(LoadTest)
#include "tst_load.moc"
