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

bool writeInPlace(const QString& path, const std::vector<std::uint8_t>& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const qint64 size = qint64(bytes.size());
    return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.flush();
}

} // namespace

bool SafeFileWriter::Write(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    if (bytes.empty())
        return false;
    QString target = QString::fromStdString(path);
    // A link stays a link: the file it points to is replaced.
    const QFileInfo info(target);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        target = info.canonicalFilePath();
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // A file the user may not write stays as it is, even where the folder would let it be replaced.
    if (exists && S_ISREG(existing.st_mode) && ::access(targetName.constData(), W_OK) != 0)
        return false;
    const mode_t mode = exists ? (existing.st_mode & 0777) : 0666; // a new file: as the umask says

    QByteArray temporary;
    int error = 0;
    const int fd = createTemporary(QFileInfo(target).absolutePath(), mode, temporary, error);
    if (fd < 0) {
        // A folder that takes no new files may still let its files be rewritten. Only then is
        // the file written in place (not atomically), as QSaveFile's direct write fallback does.
        const bool refused = error == EACCES || error == EPERM;
        return refused && exists && S_ISREG(existing.st_mode) && writeInPlace(target, bytes);
    }
    bool ok = writeAll(fd, bytes.data(), bytes.size());
    // The umask narrowed the mode at creation; a replaced file keeps exactly its own.
    if (ok && exists)
        ok = ::fchmod(fd, mode) == 0;
    if (ok && ::fsync(fd) != 0 && errno != EINVAL)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = std::rename(temporary.constData(), targetName.constData()) == 0;
    if (!ok)
        ::unlink(temporary.constData());
    return ok;
}
