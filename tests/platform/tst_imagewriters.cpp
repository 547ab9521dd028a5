#include "support/FileSizeLimit.h"
#include "support/TestFiles.h"
#include "support/TestJpeg.h"

#include "platform/images/JpegReader.h"
#include "platform/images/JpegWriter.h"
#include "platform/images/MaskAlpha.h"
#include "platform/images/PngWriter.h"
#include "platform/images/TiffPicture.h"
#include "platform/runtime/FolderItem.h"
#include "platform/runtime/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <functional>
#include <vector>

using testfiles::readFile;

namespace {

std::vector<QString> g_syncedFolders;
// The mode and size of each temporary file as it was given an owner.
std::vector<std::pair<mode_t, off_t>> g_temporariesTakenOver;

} // namespace

// Every fsync of this program passes through here, so that a test sees which folders were synced.
extern "C" int fsync(int fd)
{
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode))
        g_syncedFolders.push_back(QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget());
    return int(::syscall(SYS_fsync, fd));
}

extern "C" int fchown(int fd, uid_t owner, gid_t group)
{
    struct stat status {};
    if (::fstat(fd, &status) == 0
        && QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(fd)).symLinkTarget().contains(".quorrel-"))
        g_temporariesTakenOver.emplace_back(status.st_mode & 07777, status.st_size);
    return int(::syscall(SYS_fchown, fd, owner, group));
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

// Runs work in a child process of another user (root drops to uid with gid and groups) and says
// whether it returned true.
bool asUser(uid_t uid, gid_t gid, std::vector<gid_t> groups, const std::function<bool()>& work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        // Nothing may reach the test library from here: it would go on running tests.
        std::signal(SIGABRT, SIG_DFL);
        if (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(2);
        ::_exit(work() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A POSIX access ACL as the kernel keeps it in system.posix_acl_access: rw for the owner, the
// group's bits, rw for one more user, and nothing for others.
QByteArray aclWithUser(uid_t user, int groupBits)
{
    QByteArray acl;
    auto put = [&acl](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl.append(char(value >> (8 * i)));
    };
    put(2, 4); // version
    const quint32 none = 0xFFFFFFFFu;
    for (const auto& [tag, perm, id] : {std::tuple{0x01, 6, none}, {0x02, 6, quint32(user)}, {0x04, groupBits, none},
                                        {0x10, 6, none}, {0x20, 0, none}}) {
        put(quint32(tag), 2);
        put(quint32(perm), 2);
        put(id, 4);
    }
    return acl;
}

QByteArray attribute(const QString& path, const char* name)
{
    char value[256];
    const ssize_t length = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return length < 0 ? QByteArray() : QByteArray(value, length);
}

bool setAttribute(const QString& path, const char* name, const QByteArray& value)
{
    return ::setxattr(QFile::encodeName(path).constData(), name, value.constData(), size_t(value.size()), 0) == 0;
}

// Every entry of a folder, links to nothing included.
constexpr auto kEveryEntry = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;

struct stat statusOf(const QString& path)
{
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

// Sets fs.protected_symlinks while it lives, where this process may.
class ProtectedSymlinks {
public:
    explicit ProtectedSymlinks(char setting) : m_old(read()) { m_set = write(setting) && read() == setting; }
    ~ProtectedSymlinks()
    {
        if (m_set)
            write(m_old);
    }
    bool set() const { return m_set; }
    static char read()
    {
        const QByteArray value = testfiles::readFile(path());
        return value.isEmpty() ? '?' : value[0];
    }

private:
    static QString path() { return QStringLiteral("/proc/sys/fs/protected_symlinks"); }
    static bool write(char setting) { return testfiles::writeFile(path(), QByteArray(1, setting)); }

    char m_old;
    bool m_set = false;
};

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

    // A relative link is followed from the folder it really sits in, behind a linked folder and
    // with "..", to a file that exists and to one that does not yet; a loop of links fails.
    void linksAreFollowedFromTheFolderTheyReallySitIn()
    {
        QTemporaryDir dir;
        const QDir base(dir.path());
        for (const char* folder : {"data/proj/out", "data/proj/assets/masks", "home/assets/masks"})
            QVERIFY(base.mkpath(folder));
        QVERIFY(QFile::link("../data/proj/out", base.filePath("home/out")));
        QVERIFY(QFile::link("../assets/logo.png", base.filePath("data/proj/out/logo.png")));
        QVERIFY(QFile::link("../assets/masks/logo.jpg", base.filePath("data/proj/out/logo Mask.jpg")));
        QVERIFY(testfiles::writeFile(base.filePath("data/proj/assets/logo.png"), "an older file"));
        const PicturePtr pic = pictureOf(testjpeg::quadrants(16, 16));

        QVERIFY(FolderItem(base.filePath("home/out/logo.png").toStdString()).SaveAsPNG(pic, pic));
        QVERIFY(FolderItem(base.filePath("home/out/logo Mask.jpg").toStdString()).SaveAsJPEG(pic, 100));
        QCOMPARE(QImage(base.filePath("data/proj/assets/logo.png")).size(), QSize(16, 16));
        QCOMPARE(QImage(base.filePath("data/proj/assets/masks/logo.jpg")).size(), QSize(16, 16));
        QVERIFY(QFileInfo(base.filePath("data/proj/out/logo.png")).isSymLink());
        QVERIFY(QFileInfo(base.filePath("data/proj/out/logo Mask.jpg")).isSymLink());
        QCOMPARE(QDir(base.filePath("home/assets")).entryList(kEveryEntry), QStringList{"masks"});
        QVERIFY(QDir(base.filePath("home/assets/masks")).isEmpty(kEveryEntry));

        QVERIFY(QFile::link("loop2.png", base.filePath("loop1.png")));
        QVERIFY(QFile::link("loop1.png", base.filePath("loop2.png")));
        QVERIFY(!FolderItem(base.filePath("loop1.png").toStdString()).SaveAsPNG(pic, pic));
    }

    // Links in a sticky world-writable folder that neither the saver nor the folder's owner made
    // are followed only where the kernel would follow them; the saver's own links always are.
    void linksPlantedByOthersAreFollowedAsTheKernelDoes_data()
    {
        QTest::addColumn<char>("setting");
        QTest::newRow("protected") << '1';
        QTest::newRow("not protected") << '0';
    }
    void linksPlantedByOthersAreFollowedAsTheKernelDoes()
    {
        QFETCH(char, setting);
        if (::geteuid() != 0)
            QSKIP("needs root to plant another user's links");
        const ProtectedSymlinks protection(setting);
        if (!protection.set() && ProtectedSymlinks::read() != setting)
            QSKIP("cannot set fs.protected_symlinks here");
        QTemporaryDir dir;
        const QDir base(dir.path());
        QVERIFY(base.mkdir("shared") && ::chmod(QFile::encodeName(base.filePath("shared")).constData(), 01777) == 0);
        QVERIFY(testfiles::writeFile(base.filePath("victim.png"), "an older file"));
        QVERIFY(QFile::link("../victim.png", base.filePath("shared/logo.png")));
        QVERIFY(QFile::link("../planted.jpg", base.filePath("shared/logo Mask.jpg")));
        QVERIFY(QFile::link("../own.jpg", base.filePath("shared/logo Icon.jpg")));
        for (const char* planted : {"shared/logo.png", "shared/logo Mask.jpg"})
            QVERIFY(::lchown(QFile::encodeName(base.filePath(planted)).constData(), 65534, 65534) == 0);
        const PicturePtr pic = pictureOf(testjpeg::quadrants(16, 16));

        const bool follows = setting == '0';
        QCOMPARE(FolderItem(base.filePath("shared/logo.png").toStdString()).SaveAsPNG(pic, pic), follows);
        QCOMPARE(FolderItem(base.filePath("shared/logo Mask.jpg").toStdString()).SaveAsJPEG(pic, 100), follows);
        QCOMPARE(readFile(base.filePath("victim.png")) == "an older file", !follows);
        QCOMPARE(QFileInfo::exists(base.filePath("planted.jpg")), follows);
        QVERIFY(FolderItem(base.filePath("shared/logo Icon.jpg").toStdString()).SaveAsJPEG(pic, 100));
        QCOMPARE(QImage(base.filePath("own.jpg")).size(), QSize(16, 16));
        for (const char* link : {"shared/logo.png", "shared/logo Mask.jpg", "shared/logo Icon.jpg"})
            QVERIFY(S_ISLNK(statusOf(base.filePath(link)).st_mode));
        QCOMPARE(QDir(base.filePath("shared")).entryList(kEveryEntry).size(), 3);
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
        QVERIFY(S_ISFIFO(statusOf(pipe).st_mode));
        QCOMPARE(QDir(dir.path()).entryList(kEveryEntry),
                 (QStringList{"logo.png", "logo2.png"}));
    }

    // Owner, group, mode, ACL and other attributes stay those of the file replaced (in a shared
    // folder it must not change hands), the replacement is private until it is complete, even in
    // a folder that passes its group on, and the folder is synced once the new file is in place.
    void aReplacedFileKeepsItsOwnerAndIsSyncedInPlace()
    {
        QTemporaryDir dir;
        const QString icon = dir.filePath("logo Icon.jpg");
        QVERIFY(testfiles::writeFile(icon, "an older file"));
        QVERIFY(::chmod(QFile::encodeName(icon).constData(), 0664) == 0);
        const bool root = ::geteuid() == 0;
        QByteArray acl;
        if (root) {
            QVERIFY(::chown(QFile::encodeName(dir.path()).constData(), 0, 4242) == 0);
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 02775) == 0);
            QVERIFY(::chown(QFile::encodeName(icon).constData(), 65534, 65534) == 0);
            if (!setAttribute(icon, "system.posix_acl_access", aclWithUser(4243, 4))
                || !setAttribute(icon, "user.origin", "drawn by hand"))
                QSKIP("no ACLs or extended attributes here");
            acl = attribute(icon, "system.posix_acl_access");
        }
        const mode_t mode = statusOf(icon).st_mode & 07777;
        g_syncedFolders.clear();
        g_temporariesTakenOver.clear();
        QVERIFY(FolderItem(icon.toStdString()).SaveAsJPEG(pictureOf(testjpeg::quadrants(16, 16)), 100));
        const struct stat status = statusOf(icon);
        QCOMPARE(status.st_mode & 07777, mode);
        if (root) {
            QCOMPARE(status.st_uid, uid_t(65534));
            QCOMPARE(status.st_gid, gid_t(65534));
            QCOMPARE(attribute(icon, "system.posix_acl_access"), acl);
            QCOMPARE(attribute(icon, "user.origin"), QByteArray("drawn by hand"));
            QCOMPARE(g_temporariesTakenOver.size(), size_t(1));
            QCOMPARE(g_temporariesTakenOver[0].first, mode_t(0600));
            QCOMPARE(g_temporariesTakenOver[0].second, status.st_size);
        }
        QCOMPARE(std::count(g_syncedFolders.begin(), g_syncedFolders.end(), QDir(dir.path()).canonicalPath()), 1);
        QCOMPARE(QImage(icon).size(), QSize(16, 16));
    }

    // An ordinary user who may write another user's file saves it, and it stays hers: in a shared
    // setgid folder, through an ACL entry, and in a sticky folder where it may not be replaced.
    void anotherUsersFileStaysTheirs_data()
    {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<gid_t>("fileGroup");
        QTest::addColumn<bool>("aclEntry");
        QTest::newRow("shared setgid folder") << 02770 << 0660 << gid_t(4242) << false;
        QTest::newRow("ACL entry for the saver") << 0777 << 0600 << gid_t(4243) << true;
        QTest::newRow("sticky folder") << 01777 << 0666 << gid_t(4243) << false;
    }
    void anotherUsersFileStaysTheirs()
    {
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QFETCH(gid_t, fileGroup);
        QFETCH(bool, aclEntry);
        if (::geteuid() != 0)
            QSKIP("needs root to act as two other users");
        // She is 4243 and the saver nobody, both members of the shared group 4242.
        const uid_t her = 4243, saver = 65534;
        QTemporaryDir dir;
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        const QString folder = dir.filePath("shared");
        QVERIFY(QDir().mkdir(folder));
        QVERIFY(::chown(QFile::encodeName(folder).constData(), 0, 4242) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), mode_t(folderMode)) == 0);
        const QString path = folder + "/logo Icon.jpg";
        QVERIFY(testfiles::writeFile(path, "an older file"));
        QVERIFY(::chown(QFile::encodeName(path).constData(), her, fileGroup) == 0);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(fileMode)) == 0);
        if (aclEntry && !setAttribute(path, "system.posix_acl_access", aclWithUser(saver, 0)))
            QSKIP("no ACLs here");
        const struct stat before = statusOf(path);
        const QByteArray acl = attribute(path, "system.posix_acl_access");

        const std::vector<std::uint8_t> jpeg = JpegWriter::Encode(*pictureOf(testjpeg::quadrants(16, 16)), 100);
        QVERIFY(asUser(saver, saver, {4242}, [&] { return SafeFileWriter::Write(path.toStdString(), jpeg); }));
        const struct stat after = statusOf(path);
        QCOMPARE(after.st_uid, her);
        QCOMPARE(after.st_gid, fileGroup);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(attribute(path, "system.posix_acl_access"), acl);
        const QByteArray written(reinterpret_cast<const char*>(jpeg.data()), qsizetype(jpeg.size()));
        QVERIFY(asUser(her, her, {4242}, [&] { return readFile(path) == written; }));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{"logo Icon.jpg"});
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
