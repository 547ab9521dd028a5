#include "IconTestSupport.h"

#include "platform/windows/MenuItem.h"
#include "platform/windows/Slider.h"
#include "support/TestJpeg.h"

#include <QTemporaryDir>
#include <QtEndian>

#include <algorithm>
#include <csignal>

#include <sys/resource.h>

using namespace IconTest;

namespace {
const std::vector<std::string> kSaved{"Files have been saved."};

// The chunk types of a PNG file, in order.
QStringList pngChunks(const QByteArray& png)
{
    QStringList types;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        types << QString::fromLatin1(png.mid(at + 4, 4));
        at += 12 + qsizetype(length);
    }
    return types;
}

// Lets files grow to a few bytes only while it lives: every write beyond fails.
class FileSizeLimit {
public:
    FileSizeLimit()
    {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit small = m_previous;
        small.rlim_cur = 64;
        m_set = ::setrlimit(RLIMIT_FSIZE, &small) == 0;
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_handler);
    }
    bool set() const { return m_set; }

private:
    rlimit m_previous {};
    bool m_set = false;
    void (*m_handler)(int) = nullptr;
};
}

class SaveTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_sources;
    QTemporaryDir m_output;
    QDir sources() const { return QDir(m_sources.path()); }
    QDir output() const { return QDir(m_output.path()); }

    // A source with a white square (transparent in the PNG) on a dark ground (opaque).
    std::string writeSource(const QString& name)
    {
        return writeJpeg(sources(), name, whiteSquareOn(256, QColor(30, 60, 90)));
    }

    void chooseFolder(ScriptedSeam& seam, const QString& path)
    {
        seam.folders.push_back(path.toStdString());
        QVERIFY(ProgramFixture::MainWindow().FileIdentifyOutputFolder_Action());
    }

    bool save() { return ProgramFixture::MainWindow().FileSaveFiles_Action(); }

private slots:
    void init()
    {
        ProgramFixture::Start();
        for (const QString& name : output().entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
            QFileInfo(output().filePath(name)).isDir() ? QDir(output().filePath(name)).removeRecursively()
                                                       : output().remove(name);
    }
    void cleanup() { ProgramFixture::Stop(); }

    void folderDialogSetsTheFolderAndEnablesSaving()
    {
        ScriptedSeam seam;
        Window1& window = ProgramFixture::MainWindow();
        QVERIFY(window.FileIdentifyOutputFolder_Action()); // cancelled
        QVERIFY(!Module1::OutputFolder);
        QCOMPARE(seam.folderPrompts,
                 (std::vector<std::string>{"Navigate to the Output folder.", "Output Folder"}));
        window.FileSaveFiles().Enabled(false);
        chooseFolder(seam, output().path());
        QVERIFY(Module1::OutputFolder);
        QCOMPARE(Module1::OutputFolder->Path(), output().path().toStdString());
        QVERIFY(window.FileSaveFiles().Enabled());
        QVERIFY(seam.messages.empty());
    }

    void savingNeedsAFolderFirstThenASource()
    {
        ScriptedSeam seam;
        QVERIFY(!save());
        chooseFolder(seam, output().path());
        QVERIFY(!save());
        QCOMPARE(seam.messages, (std::vector<std::string>{"First, identify the Output Folder from the File menu!",
                                                          "First, load the Source Icon from the File menu!"}));
        QVERIFY(output().isEmpty());
    }

    void filesAreNamedAfterTheSource_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("logo.jpg") << "logo.jpg" << QStringList{"logo Icon.jpg", "logo Mask.jpg", "logo.png"};
        QTest::newRow("logo.jpeg") << "logo.jpeg" << QStringList{"logo. Icon.jpg", "logo. Mask.jpg", "logo..png"};
        QTest::newRow("LOGO.JPG") << "LOGO.JPG" << QStringList{"LOGO Icon.jpg", "LOGO Mask.jpg", "LOGO.png"};
        QTest::newRow("four characters") << ".jpg" << QStringList{" Icon.jpg", " Mask.jpg", ".png"};
    }

    void filesAreNamedAfterTheSource()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, files);
        ScriptedSeam seam;
        chooseFolder(seam, output().path());
        QVERIFY(load(seam, writeSource(source)));
        QVERIFY(save());
        QCOMPARE(seam.messages, kSaved);
        QStringList written = output().entryList(QDir::Files | QDir::Hidden);
        written.sort();
        files.sort();
        QCOMPARE(written, files);
    }

    void savedFilesHoldTheOutputPictures()
    {
        ScriptedSeam seam;
        chooseFolder(seam, output().path());
        QVERIFY(load(seam, writeSource("logo.jpg")));
        QVERIFY(save());
        QCOMPARE(seam.messages, kSaved);

        const QImage icon(output().filePath("logo Icon.jpg"));
        const QImage mask(output().filePath("logo Mask.jpg"));
        const QImage png(output().filePath("logo.png"));
        for (const QImage* image : {&icon, &mask, &png})
            QCOMPARE(image->size(), QSize(1024, 1024));
        QVERIFY(png.hasAlphaChannel());
        QVERIFY(near(icon.pixel(100, 100), QColor(30, 60, 90)));
        QVERIFY(near(mask.pixel(100, 100), Qt::black));
        QVERIFY(near(mask.pixel(512, 512), Qt::white));
        // The PNG keeps the icon's colours exactly and takes its alpha from the mask.
        const QImage& maskPicture = Module1::QMaskHidden->Image();
        const QImage& iconPicture = Module1::P1Hidden->Image();
        for (int y = 0; y < 1024; y += 31)
            for (int x : {0, 1, 100, 255, 256, 512, 767, 768, 1022, 1023}) {
                const QRgb p = png.pixel(x, y);
                QCOMPARE(255 - qAlpha(p), qGray(maskPicture.pixel(x, y)));
                if (qAlpha(p) == 255)
                    QCOMPARE(p & 0xFFFFFFu, iconPicture.pixel(x, y) & 0xFFFFFFu);
            }
        QCOMPARE(qAlpha(png.pixel(0, 0)), 0);      // the mask's frame stays white
        QCOMPARE(qAlpha(png.pixel(100, 100)), 255); // dark ground: opaque
        QCOMPARE(qAlpha(png.pixel(512, 512)), 0);   // white square: transparent

        // Both JPEGs at quality 100 (every quantization step 1); the PNG with no gamma, not interlaced.
        for (const char* name : {"logo Icon.jpg", "logo Mask.jpg"}) {
            const QByteArray jpeg = testfiles::readFile(output().filePath(name));
            const std::vector<unsigned> steps = testjpeg::readHeader({jpeg.begin(), jpeg.end()}).quantSteps;
            QVERIFY(!steps.empty());
            QVERIFY(std::all_of(steps.begin(), steps.end(), [](unsigned step) { return step == 1; }));
        }
        const QByteArray pngBytes = testfiles::readFile(output().filePath("logo.png"));
        const QStringList chunks = pngChunks(pngBytes);
        QCOMPARE(chunks.first(), QString("IHDR"));
        QVERIFY(!chunks.contains("gAMA"));
        QCOMPARE(int(pngBytes[28]), 0); // IHDR's interlace method
    }

    void aFailedWriteKeepsTheOlderFilesAndTheNextSaveTheNewMask()
    {
        ScriptedSeam seam;
        chooseFolder(seam, output().path());
        QVERIFY(load(seam, writeSource("logo.jpg")));
        installIcons([](int, int, int) { return RGB(240, 240, 240); }); // passes at 239, not at 250
        ProgramFixture::MainWindow().FuzzTolerance().Value(239);
        QVERIFY(save());
        const QStringList names{"logo Icon.jpg", "logo Mask.jpg", "logo.png"};
        QByteArrayList older;
        for (const QString& name : names)
            older << testfiles::readFile(output().filePath(name));

        ProgramFixture::MainWindow().FuzzTolerance().Value(250);
        {
            const FileSizeLimit limit;
            if (!limit.set())
                QSKIP("cannot limit the size of files here");
            QVERIFY(save());
        }
        QCOMPARE(seam.messages, (std::vector<std::string>{kSaved[0], "Icon file was not saved!", "Icon Mask file was not saved!",
                                                          "PNG Icon file was not saved!"}));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(testfiles::readFile(output().filePath(names[i])), older[i]);
        QVERIFY(near(QImage(output().filePath("logo Mask.jpg")).pixel(500, 500), QColor(240, 240, 240)));

        QVERIFY(save());
        QCOMPARE(seam.messages.back(), kSaved[0]);
        QCOMPARE(output().entryList(QDir::Files | QDir::Hidden), names); // the same names rewritten
        QVERIFY(near(QImage(output().filePath("logo Mask.jpg")).pixel(500, 500), Qt::black));
        QCOMPARE(qAlpha(QImage(output().filePath("logo.png")).pixel(500, 500)), 255);
    }

    void failedLoadNamesTheFilesButKeepsThePictures()
    {
        ScriptedSeam seam;
        chooseFolder(seam, output().path());
        QVERIFY(load(seam, writeSource("a.jpg")));
        QVERIFY(!load(seam, sources().filePath("b.jpg").toStdString()));
        QVERIFY(save());
        QVERIFY(output().exists("b Icon.jpg") && output().exists("b Mask.jpg") && output().exists("b.png"));
        QVERIFY(!output().exists("a.png"));
        QCOMPARE(QImage(output().filePath("b.png")).size(), QSize(1024, 1024));
    }

    void vanishedFolderFailsEveryFile()
    {
        ScriptedSeam seam;
        QVERIFY(output().mkdir("gone"));
        chooseFolder(seam, output().filePath("gone"));
        QVERIFY(load(seam, writeSource("logo.jpg")));
        QVERIFY(QDir(output().filePath("gone")).removeRecursively());
        QVERIFY(save());
        QCOMPARE(seam.messages, (std::vector<std::string>{"Icon file was not saved!", "Icon Mask file was not saved!",
                                                          "PNG Icon file was not saved!"}));
        QVERIFY(!output().exists("gone"));
    }

    void oneFileFailingStillTriesTheOthers()
    {
        ScriptedSeam seam;
        chooseFolder(seam, output().path());
        QVERIFY(load(seam, writeSource("logo.jpg")));
        QVERIFY(output().mkdir("logo Icon.jpg")); // a folder in the icon's place
        QVERIFY(save());
        QCOMPARE(seam.messages, std::vector<std::string>{"Icon file was not saved!"});
        QVERIFY(QFileInfo(output().filePath("logo Icon.jpg")).isDir());
        QVERIFY(output().exists("logo Mask.jpg") && output().exists("logo.png"));
    }

    void aLongNameSavesAgainAndAgain()
    {
        // The longest names that fit: base plus " Icon.jpg" is 255 bytes.
        ScriptedSeam seam;
        chooseFolder(seam, output().path());
        const QString base(246, QChar('l'));
        QVERIFY(load(seam, writeSource(base + ".jpg")));
        QVERIFY(save());
        QVERIFY(save());
        QVERIFY(save());
        QCOMPARE(seam.messages, (std::vector<std::string>{kSaved[0], kSaved[0], kSaved[0]}));
        QStringList written = output().entryList(QDir::Files | QDir::Hidden);
        written.sort();
        QCOMPARE(written, (QStringList{base + " Icon.jpg", base + " Mask.jpg", base + ".png"}));
    }

    void namesTooLongForTheFolderFail()
    {
        // A 255-byte file name loads; its base plus " Icon.jpg" or " Mask.jpg" is too long
        // for the file system, its base plus ".png" just fits.
        ScriptedSeam seam;
        chooseFolder(seam, output().path());
        const QString base(251, QChar('x'));
        QVERIFY(load(seam, writeSource(base + ".jpg")));
        QVERIFY(save());
        QCOMPARE(seam.messages,
                 (std::vector<std::string>{"Icon file was not saved!", "Icon Mask file was not saved!"}));
        QCOMPARE(output().entryList(QDir::Files), QStringList{base + ".png"});

        // A 255-byte base: every name is too long, and nothing is reported saved.
        seam.messages.clear();
        QVERIFY(!load(seam, sources().filePath(QString(255, QChar('y')) + ".jpg").toStdString()));
        seam.messages.clear();
        QVERIFY(save());
        QCOMPARE(seam.messages, (std::vector<std::string>{"Icon file was not saved!", "Icon Mask file was not saved!",
                                                          "PNG Icon file was not saved!"}));
        QCOMPARE(output().entryList(QDir::Files).size(), 1);
    }
};

QTEST_MAIN(SaveTest)
#include "tst_save.moc"
