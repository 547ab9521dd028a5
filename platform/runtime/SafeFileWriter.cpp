#include "platform/runtime/SafeFileWriter.h"

#include "platform/runtime/FileDestination.h"

#include <QRandomGenerator>
#include <QString>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// A new file in folder under a short name of its own; -1 and the reason when none can be made.
int createTemporary(int folder, mode_t mode, std::string& name, int& error)
{
    error = EEXIST;
    for (int attempt = 0; attempt < 64 && error == EEXIST; ++attempt) {
        name = ".quorrel-" + QString::number(QRandomGenerator::global()->generate64(), 36).toStdString() + ".tmp";
        const int fd = ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return fd;
        error = errno;
    }
    return -1;
}

// Gives fd every extended attribute of the file at from, its ACL among them.
bool copyAttributes(const std::string& from, int fd)
{
    std::vector<char> names;
    ssize_t size = ::listxattr(from.c_str(), nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP; // a file system without them
    names.resize(size_t(size) + 1);
    size = ::listxattr(from.c_str(), names.data(), names.size());
    if (size < 0)
        return false;
    std::vector<char> value;
    for (const char* name = names.data(); name < names.data() + size; name += std::strlen(name) + 1) {
        ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
        if (length < 0)
            return false;
        value.resize(size_t(length) + 1);
        length = ::getxattr(from.c_str(), name, value.data(), value.size());
        if (length < 0 || ::fsetxattr(fd, name, value.data(), size_t(length), 0) != 0)
            return false;
    }
    return true;
}

// Makes the complete replacement the file it replaces in all but content: its owner and group,
// its mode, its ACL and other extended attributes. False where any of them cannot be kept.
bool takeOver(int fd, const struct stat& existing, const std::string& existingPath)
{
    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return false;
    if ((now.st_uid != existing.st_uid || now.st_gid != existing.st_gid)
        && ::fchown(fd, existing.st_uid, existing.st_gid) != 0)
        return false;
    // An ACL that the folder passed on makes way for the old file's own, if it has one.
    if (::fremovexattr(fd, "system.posix_acl_access") != 0 && errno != ENODATA && errno != ENOTSUP)
        return false;
    // The mode after the owner, whose change would narrow it; the ACL last, as it sets the mode's group bits.
    return ::fchmod(fd, existing.st_mode & 0777) == 0 && copyAttributes(existingPath, fd);
}

// A rename is only lasting once the folder that holds it is synced. A folder this process may
// not read cannot be synced, and the file is in place all the same.
bool syncFolder(int folder)
{
    const int fd = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool ok = synced(fd);
    ::close(fd);
    return ok;
}

// Rewrites an existing file, which so keeps its owner, mode and ACL. Nothing of the old content
// changes until the room for the new content is secured; without that room the old file stays
// as it was. Not atomic: only a failing disk or a crash during the write can damage it.
bool rewriteInPlace(int folder, const char* name, const struct stat& existing, const std::vector<std::uint8_t>& bytes)
{
    const int flags = O_CLOEXEC | O_NOCTTY | O_NOFOLLOW | O_NONBLOCK;
    int fd = ::openat(folder, name, O_RDWR | flags);
    if (fd < 0 && errno == EACCES)
        fd = ::openat(folder, name, O_WRONLY | flags);
    if (fd < 0)
        return false;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || opened.st_dev != existing.st_dev || opened.st_ino != existing.st_ino) {
        ::close(fd); // something else has taken the name meanwhile
        return false;
    }
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
    const FileDestination target(path);
    if (!target.IsValid())
        return false;
    const int folder = target.Folder();
    const char* name = target.Name().c_str();
    struct stat existing {};
    const bool exists = ::fstatat(folder, name, &existing, AT_SYMLINK_NOFOLLOW) == 0;
    if (!exists && errno != ENOENT)
        return false;
    // A folder, pipe, socket or device at that name is never replaced by a file.
    if (exists && !S_ISREG(existing.st_mode))
        return false;
    // A file the user may not write stays as it is, even where the folder would let it be replaced.
    if (exists && ::faccessat(folder, name, W_OK, AT_EACCESS) != 0)
        return false;

    // A replacement is this user's alone until it is complete and takes over the old file's
    // owner, group, mode and attributes; a new file is made as any other.
    std::string temporary;
    int error = 0;
    const int fd = createTemporary(folder, exists ? 0600 : 0666, temporary, error);
    if (fd < 0) {
        // A folder that takes no new files may still let its files be rewritten.
        const bool refused = error == EACCES || error == EPERM;
        return refused && exists && rewriteInPlace(folder, name, existing, bytes);
    }
    bool ok = writeAll(fd, bytes.data(), bytes.size());
    bool kept = true;
    if (ok && exists)
        kept = takeOver(fd, existing, "/proc/self/fd/" + std::to_string(folder) + "/" + target.Name());
    ok = ok && kept && synced(fd);
    if (::close(fd) != 0)
        ok = false;
    bool renameRefused = false;
    if (ok) {
        ok = ::renameat(folder, temporary.c_str(), folder, name) == 0;
        renameRefused = !ok && (errno == EPERM || errno == EACCES);
    }
    if (!ok) {
        ::unlinkat(folder, temporary.c_str(), 0);
        // Another user's file that this user may write (a shared folder, an ACL entry, a sticky
        // folder) stays that user's: it is rewritten where it is.
        return exists && (!kept || renameRefused) && rewriteInPlace(folder, name, existing, bytes);
    }
    return syncFolder(folder);
}
