#include "platform/runtime/SafeFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, const std::uint8_t* data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= size_t(written);
    }
    return true;
}

// A file system that cannot sync says so with EINVAL; nothing is lost by that.
bool synced(int fd)
{
    return ::fsync(fd) == 0 || errno == EINVAL;
}

// The file that path names, links followed to the end even where the last one points at nothing
// yet: a link stays a link and its target is what gets written. Empty for a loop of links.
QString resolveLinks(const QString& path)
{
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink(); ++hops) {
        if (hops == 40) // the kernel's own limit
            return {};
        info.setFile(info.symLinkTarget());
    }
    return info.filePath();
}

// A new file in folder under a short name of its own; -1 and the reason when none can be made.
int createTemporary(const QString& folder, mode_t mode, QByteArray& name, int& error)
{
    error = EEXIST;
    for (int attempt = 0; attempt < 64 && error == EEXIST; ++attempt) {
        const QString unique = QString::number(QRandomGenerator::global()->generate64(), 36);
        name = QFile::encodeName(QDir(folder).filePath(QStringLiteral(".quorrel-") + unique + QStringLiteral(".tmp")));
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        error = errno;
    }
    return -1;
}

// The replacement is the file it replaces in all but content: owner and group where this process
// may set them (root always, a member of the file's group the group), then the mode, which a
// change of owner would otherwise narrow.
bool takeOver(int fd, const struct stat& existing)
{
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
        (void)::fchown(fd, uid_t(-1), existing.st_gid);
    return ::fchmod(fd, existing.st_mode & 0777) == 0;
}

// A rename is only lasting once the folder that holds it is synced. A folder this process may
// not read cannot be synced, and the file is in place all the same.
bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool ok = synced(fd);
    ::close(fd);
    return ok;
}

// Rewrites an existing file where no file may be made beside it. Nothing of the old content
// changes until the room for the new content is secured; without that room the old file stays
// as it was. Not atomic: only a failing disk or a crash during the write can damage it.
bool rewriteInPlace(const QByteArray& name, const struct stat& existing, const std::vector<std::uint8_t>& bytes)
{
    int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0 && errno == EACCES)
        fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    const off_t length = off_t(bytes.size());
    if (::posix_fallocate(fd, 0, length) != 0) {
        // glibc's stand-in for file systems without fallocate may have grown the file with zeros.
        struct stat now {};
        if (::fstat(fd, &now) == 0 && now.st_size != existing.st_size)
            (void)::ftruncate(fd, existing.st_size);
        ::close(fd);
        return false;
    }
    bool ok = writeAll(fd, bytes.data(), bytes.size()) && ::ftruncate(fd, length) == 0 && synced(fd);
    if (::close(fd) != 0)
        ok = false;
    return ok;
}

} // namespace

bool SafeFileWriter::Write(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    if (bytes.empty())
        return false;
    const QString target = resolveLinks(QString::fromStdString(path));
    if (target.isEmpty())
        return false;
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // A folder, pipe, socket or device at that name is never replaced by a file.
    if (exists && !S_ISREG(existing.st_mode))
        return false;
    // A file the user may not write stays as it is, even where the folder would let it be replaced.
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        return false;
    const QString folder = QFileInfo(target).absolutePath();

    QByteArray temporary;
    int error = 0;
    const int fd = createTemporary(folder, exists ? existing.st_mode & 0777 : 0666, temporary, error);
    if (fd < 0) {
        // A folder that takes no new files may still let its files be rewritten.
        const bool refused = error == EACCES || error == EPERM;
        return refused && exists && rewriteInPlace(targetName, existing, bytes);
    }
    bool ok = writeAll(fd, bytes.data(), bytes.size());
    if (ok && exists)
        ok = takeOver(fd, existing);
    ok = ok && synced(fd);
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = std::rename(temporary.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(temporary.constData());
        return false;
    }
    return syncFolder(folder);
}
