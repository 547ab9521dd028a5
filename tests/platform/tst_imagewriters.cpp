#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"
#include "support/TestJpeg.h"

#include "platform/images/JpegReader.h"
#include "platform/images/JpegWriter.h"
#include "platform/images/MaskAlpha.h"
#include "platform/images/PngWriter.h"
#include "platform/images/TiffPicture.h"
#include "platform/runtime/FolderItem.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

using testfiles::readFile;

namespace {

std::vector<QString> g_syncedFolders;

} // namespace

// Every fsync of this program passes through here, so that a test sees which folders were synced.
extern "C" int fsync(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode))
        g_syncedFolders.push_back(QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget());
    return int(::syscall(SYS_fsync, fd));
}

namespace {

PicturePtr pictureOf(const QImage& image) { return std::make_shared<Picture>(image); }

// Three bands of mask: black on top, mid grey in the middle, white below.
PicturePtr bandedMask(int width, int height)
{
    QImage mask(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.setPixel(x, y, y < height / 3 ? qRgb(0, 0, 0) : y < 2 * height / 3 ? qRgb(128, 128, 128)
                                                                                 : qRgb(255, 255, 255));
    return pictureOf(mask);
}

// Keeps new files out of a folder while it lives, its files staying writable: for a user by
// taking the folder's write permission, for root (whom permissions do not stop) by making the
// folder immutable where the file system allows that.
class NoNewFiles {
public:
    explicit NoNewFiles(const QString& folder) : m_folder(QFile::encodeName(folder))
    {
        if (::geteuid() != 0) {
            m_locked = ::chmod(m_folder.constData(), 0555) == 0;
            return;
        }
        m_locked = setImmutable(true);
    }
    ~NoNewFiles()
    {
        if (m_locked && ::geteuid() != 0)
            ::chmod(m_folder.constData(), 0755);
        else if (m_locked)
            setImmutable(false);
    }
    bool locked() const { return m_locked; }

private:
    bool setImmutable(bool on) const
    {
        const int fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return false;
        int flags = 0;
        bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ok && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return ok;
    }

    QByteArray m_folder;
    bool m_locked = false;
};

} // namespace

class ImageWritersTest : public QObject {
    Q_OBJECT
private slots:
    void greyRuleMatchesDisplayWeights()
    {
        QCOMPARE(MaskAlpha::Alpha(0xFF000000u), 255);
        QCOMPARE(MaskAlpha::Alpha(0xFFFFFFFFu), 0);
        QCOMPARE(MaskAlpha::Alpha(0xFF808080u), 127);
    }

    void jpegReadsBackAtItsSize_data()
    {
        QTest::addColumn<int>("quality");
        QTest::addColumn<int>("sampling");
        QTest::newRow("100: full colour") << 100 << 11;
        QTest::newRow("90: full colour") << 90 << 11;
        QTest::newRow("80: halved colour") << 80 << 22;
    }
    void jpegReadsBackAtItsSize()
    {
        QFETCH(int, quality);
        QFETCH(int, sampling);
        QTemporaryDir dir;
        const PicturePtr icon = pictureOf(testjpeg::quadrants(96, 64));
        const FolderItem file(dir.filePath("logo Icon.jpg").toStdString());
        QVERIFY(file.SaveAsJPEG(icon, quality));
        const QByteArray bytes = readFile(dir.filePath("logo Icon.jpg"));
        QCOMPARE(testjpeg::readHeader({bytes.begin(), bytes.end()}).lumaSampling, sampling);
        const PicturePtr back = file.OpenAsJPEG();
        QVERIFY(back);
        QCOMPARE(back->Width(), 96);
        QCOMPARE(back->Height(), 64);
        const QRgb c = back->Image().pixel(70, 10);
        QVERIFY(qGreen(c) > 240 && qRed(c) < 16 && qBlue(c) < 16);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"logo Icon.jpg"});
    }

    void higherQualityKeepsMore()
    {
        QImage image = testjpeg::quadrants(64, 64);
        for (int i = 0; i < 64; ++i)
            image.setPixel(i, i, qRgb(i * 4, 255 - i * 4, 128));
        const PicturePtr pic = pictureOf(image);
        QVERIFY(JpegWriter::Encode(*pic, 100).size() > JpegWriter::Encode(*pic, 30).size());
    }

    void pngCarriesTheMaskAsAlpha()
    {
        QTemporaryDir dir;
        QImage image(60, 30, QImage::Format_RGB32);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x)
                image.setPixel(x, y, qRgb(x * 4, y * 8, 77));
        const FolderItem file(dir.filePath("logo.png").toStdString());
        QVERIFY(file.SaveAsPNG(pictureOf(image), bandedMask(60, 30), 0.0f, false, 0));
        const QImage back(dir.filePath("logo.png"));
        QCOMPARE(back.size(), QSize(60, 30));
        QVERIFY(back.hasAlphaChannel());
        const QImage argb = back.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 60; ++x) {
                const QRgb c = argb.pixel(x, y);
                QCOMPARE(qAlpha(c), y < 10 ? 255 : y < 20 ? 127 : 0);
                QCOMPARE(qRgb(qRed(c), qGreen(c), qBlue(c)), image.pixel(x, y)); // colour kept where transparent too
            }
        const QByteArray bytes = readFile(dir.filePath("logo.png"));
        QVERIFY(!bytes.contains("gAMA"));
        QCOMPARE(int(bytes[28]), 0); // IHDR: not interlaced
    }

    void pngGammaAndInterlaceAsAsked_data()
    {
        QTest::addColumn<int>("filterType");
        for (int f = 0; f <= 6; ++f)
            QTest::newRow(qPrintable(QString("filter %1").arg(f))) << f;
    }
    void pngGammaAndInterlaceAsAsked()
    {
        QFETCH(int, filterType);
        const PicturePtr pic = pictureOf(testjpeg::quadrants(33, 17));
        const std::vector<std::uint8_t> png = PngWriter::Encode(*pic, bandedMask(33, 17).get(), 0.45455f, true, filterType);
        const QByteArray bytes(reinterpret_cast<const char*>(png.data()), qsizetype(png.size()));
        QVERIFY(bytes.contains("gAMA"));
        QCOMPARE(int(bytes[28]), 1);
        QImage back;
        QVERIFY(back.loadFromData(bytes, "PNG"));
        QCOMPARE(back.size(), QSize(33, 17));
        QCOMPARE(qAlpha(back.pixel(5, 2)), 255);
        QCOMPARE(qAlpha(back.pixel(5, 15)), 0);
    }

    void pngBeyondTheMaskIsOpaque()
    {
        const PicturePtr pic = pictureOf(testjpeg::quadrants(20, 20));
        QImage white(10, 10, QImage::Format_RGB32);
        white.fill(0xFFFFFFFFu);
        const std::vector<std::uint8_t> png = PngWriter::Encode(*pic, pictureOf(white).get());
        QImage back;
        QVERIFY(back.loadFromData(png.data(), int(png.size()), "PNG"));
        QCOMPARE(qAlpha(back.pixel(5, 5)), 0);
        QCOMPARE(qAlpha(back.pixel(15, 5)), 255);
        QCOMPARE(qAlpha(back.pixel(5, 15)), 255);
    }

    void failedSavesLeaveNothingBehind_data()
    {
        QTest::addColumn<bool>("png");
        QTest::newRow("jpeg") << false;
        QTest::newRow("png") << true;
    }
    void failedSavesLeaveNothingBehind()
    {
        QFETCH(bool, png);
        const PicturePtr pic = pictureOf(testjpeg::quadrants(16, 16));
        auto save = [&](const QString& path) {
            const FolderItem file(path.toStdString());
            return png ? file.SaveAsPNG(pic, pic) : file.SaveAsJPEG(pic, 100);
        };
        QTemporaryDir dir;

        // The output folder has gone since it was chosen.
        const QString gone = dir.filePath("gone");
        QVERIFY(QDir().mkdir(gone));
        QVERIFY(QDir(gone).removeRecursively());
        QVERIFY(!save(gone + "/logo.out"));
        QVERIFY(!QFileInfo::exists(gone));

        // A name the file system cannot hold (a 255-byte base name and its suffix).
        QVERIFY(!save(dir.filePath(QString(255, 'n') + ".out")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{});

        // No picture: nothing is written and what was there stays.
        QVERIFY(testfiles::writeFile(dir.filePath("logo.out"), "an older file"));
        QVERIFY(!(png ? FolderItem(dir.filePath("logo.out").toStdString()).SaveAsPNG(nullptr, pic)
                      : FolderItem(dir.filePath("logo.out").toStdString()).SaveAsJPEG(nullptr, 100)));
        QCOMPARE(readFile(dir.filePath("logo.out")), QByteArray("an older file"));
    }

    void anEncoderFailureKeepsTheOlderFile_data()
    {
        QTest::addColumn<bool>("png");
        QTest::addColumn<int>("width");
        QTest::newRow("jpeg wider than a JPEG can be") << false << 70000;
        QTest::newRow("png wider than libpng writes") << true << 1000001;
    }
    void anEncoderFailureKeepsTheOlderFile()
    {
        QFETCH(bool, png);
        QFETCH(int, width);
        QTemporaryDir dir;
        const QString path = dir.filePath("logo.out");
        QVERIFY(testfiles::writeFile(path, "an older file"));
        const PicturePtr wide = NewPicture(width, 1);
        const FolderItem file(path.toStdString());
        QVERIFY(!(png ? file.SaveAsPNG(wide, wide) : file.SaveAsJPEG(wide, 100)));
        QCOMPARE(readFile(path), QByteArray("an older file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"logo.out"});
    }

    void aSaveReplacesAnOlderFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("logo.png");
        QVERIFY(testfiles::writeFile(path, "an older file"));
        // Group-writable, which the usual umask would take away from a new file.
        const QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
            | QFile::WriteGroup | QFile::ReadOther;
        QVERIFY(QFile::setPermissions(path, permissions));
        const QFile::Permissions before = QFile::permissions(path);
        const PicturePtr pic = pictureOf(testjpeg::quadrants(16, 16));
        QVERIFY(FolderItem(path.toStdString()).SaveAsPNG(pic, pic));
        QCOMPARE(QImage(path).size(), QSize(16, 16));
        QCOMPARE(QFile::permissions(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"logo.png"});
    }

    void aFolderThatTakesNoNewFilesStillRewritesItsFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("logo.jpg");
        QVERIFY(testfiles::writeFile(path, "an older file"));
        const NoNewFiles lock(dir.path());
        if (!lock.locked() || QFile(dir.filePath("probe")).open(QIODevice::WriteOnly))
            QSKIP("cannot keep new files out of a folder here");
        const PicturePtr pic = pictureOf(testjpeg::quadrants(16, 16));
        {
            // Where the room for the new content cannot be had, as on a full disk, the old file stays whole.
            const FileSizeLimit disk(64);
            QVERIFY(disk.set());
            QVERIFY(!FolderItem(path.toStdString()).SaveAsJPEG(pic, 100));
        }
        QCOMPARE(readFile(path), QByteArray("an older file"));
        QVERIFY(FolderItem(path.toStdString()).SaveAsJPEG(pic, 100));
        QCOMPARE(QImage(path).size(), QSize(16, 16));
        QVERIFY(!FolderItem(dir.filePath("new.jpg").toStdString()).SaveAsJPEG(pic, 100));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"logo.jpg"});
    }

    // A link to a file that does not exist yet stays a link, and its target is written.
    void aLinkStaysALinkEvenToAFileNotThereYet()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath("logo Mask.jpg");
        QVERIFY(QFile::link("masks/logo.jpg", link));
        QVERIFY(QDir(dir.path()).mkdir("masks"));
        QVERIFY(FolderItem(link.toStdString()).SaveAsJPEG(pictureOf(testjpeg::quadrants(16, 16)), 100));
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(QImage(dir.filePath("masks/logo.jpg")).size(), QSize(16, 16));
    }

    // A pipe, named directly or through a link, is not replaced by a file.
    void aPipeAtTheNameIsNotReplaced()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath("logo.png");
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0644) == 0);
        QVERIFY(QFile::link("logo.png", dir.filePath("logo2.png")));
        const PicturePtr pic = pictureOf(testjpeg::quadrants(16, 16));
        QVERIFY(!FolderItem(pipe.toStdString()).SaveAsPNG(pic, pic));
        QVERIFY(!FolderItem(dir.filePath("logo2.png").toStdString()).SaveAsPNG(pic, pic));
        struct stat status {};
        QVERIFY(::lstat(QFile::encodeName(pipe).constData(), &status) == 0 && S_ISFIFO(status.st_mode));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
                 (QStringList{"logo.png", "logo2.png"}));
    }

    // Owner, group and mode stay those of the file replaced (in a shared folder it must not change
    // hands), and the folder is synced once the new file is in place, so that it outlasts a crash.
    void aReplacedFileKeepsItsOwnerAndIsSyncedInPlace()
    {
        QTemporaryDir dir;
        const QString icon = dir.filePath("logo Icon.jpg");
        QVERIFY(testfiles::writeFile(icon, "an older file"));
        QVERIFY(::chmod(QFile::encodeName(icon).constData(), 0664) == 0);
        const bool root = ::geteuid() == 0;
        if (root)
            QVERIFY(::chown(QFile::encodeName(icon).constData(), 65534, 65534) == 0);
        g_syncedFolders.clear();
        QVERIFY(FolderItem(icon.toStdString()).SaveAsJPEG(pictureOf(testjpeg::quadrants(16, 16)), 100));
        struct stat status {};
        QVERIFY(::stat(QFile::encodeName(icon).constData(), &status) == 0);
        QCOMPARE(status.st_mode & 07777, mode_t(0664));
        if (root) {
            QCOMPARE(status.st_uid, uid_t(65534));
            QCOMPARE(status.st_gid, gid_t(65534));
        }
        QCOMPARE(std::count(g_syncedFolders.begin(), g_syncedFolders.end(), QDir(dir.path()).canonicalPath()), 1);
        QCOMPARE(QImage(icon).size(), QSize(16, 16));
    }

    void combinedPictureCarriesTheMask()
    {
        QImage image(30, 30, QImage::Format_RGB32);
        image.fill(qRgb(10, 200, 30));
        TiffPicture tiff;
        tiff.Pict = pictureOf(image);
        QVERIFY(tiff.CombinePictureWithMask());
        QCOMPARE(qAlpha(tiff.CombinePictureWithMask()->Image().pixel(3, 3)), 255); // no mask: opaque

        tiff.Mask = bandedMask(20, 30); // narrower than the picture
        const PicturePtr combined = tiff.CombinePictureWithMask();
        QVERIFY(combined);
        const QImage& c = combined->Image();
        QCOMPARE(c.size(), QSize(30, 30));
        QVERIFY(c.hasAlphaChannel());
        QCOMPARE(qAlpha(c.pixel(3, 3)), 255);
        QCOMPARE(qAlpha(c.pixel(3, 15)), 127);
        QCOMPARE(qAlpha(c.pixel(3, 25)), 0);
        QCOMPARE(qAlpha(c.pixel(25, 25)), 255); // beyond the mask
        QCOMPARE(c.pixel(3, 25) & 0xFFFFFFu, qRgb(10, 200, 30) & 0xFFFFFFu);
        QCOMPARE(tiff.Pict->Image().pixel(3, 25), qRgb(10, 200, 30)); // the icon itself unchanged

        TiffPicture none;
        QVERIFY(!none.CombinePictureWithMask());
    }
};

QTEST_MAIN(ImageWritersTest)
#include "tst_imagewriters.moc"
