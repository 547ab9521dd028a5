#include "platform/runtime/FileDestination.h"

#include <cerrno>
#include <climits>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxLinks = 40; // the kernel's own limit

// Splits a path into its folder and last name; false where the last name cannot be a file.
bool split(const std::string& path, std::string& folder, std::string& name)
{
    const std::string::size_type slash = path.rfind('/');
    folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
    return !name.empty() && name != "." && name != "..";
}

std::string readLink(int folder, const char* name)
{
    char text[PATH_MAX];
    const ssize_t length = ::readlinkat(folder, name, text, sizeof text);
    return length > 0 && size_t(length) < sizeof text ? std::string(text, size_t(length)) : std::string();
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// The kernel's fs.protected_symlinks rule for a link it has not been asked to follow: in a sticky
// world-writable folder, only links of the follower or of the folder's owner are followed.
bool mayFollow(const struct stat& link, const struct stat& folder)
{
    char setting = '1'; // unknown counts as on, the safe side
    std::ifstream("/proc/sys/fs/protected_symlinks") >> setting;
    return setting == '0' || link.st_uid == ::geteuid()
        || (folder.st_mode & (S_ISVTX | S_IWOTH)) != (S_ISVTX | S_IWOTH) || link.st_uid == folder.st_uid;
}

} // namespace

FileDestination::FileDestination(const std::string& path)
{
    // The kernel resolves the whole path wherever it leads to something, and refuses loops and
    // the links it protects; only a path that ends in nothing yet is walked link by link.
    if (!TakeExisting(AT_FDCWD, path.c_str()) && errno == ENOENT)
        Walk(path);
}

FileDestination::~FileDestination()
{
    if (m_folder >= 0)
        ::close(m_folder);
}

// Has the kernel open name in folder at, following every link, and learns from it where the file
// is, holding its folder. False, with the kernel's errno, where nothing could be opened.
bool FileDestination::TakeExisting(int at, const char* name)
{
    const int file = ::openat(at, name, O_PATH | O_CLOEXEC);
    if (file < 0)
        return false;
    std::string folder;
    const std::string where = readLink(AT_FDCWD, ("/proc/self/fd/" + std::to_string(file)).c_str());
    if (!where.empty() && where[0] == '/' && split(where, folder, m_name))
        m_folder = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    // The name must still be that file (not moved or removed meanwhile).
    struct stat opened {}, named {};
    const bool same = m_folder >= 0 && ::fstat(file, &opened) == 0
        && ::fstatat(m_folder, m_name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(opened, named);
    if (!same && m_folder >= 0) {
        ::close(m_folder);
        m_folder = -1;
    }
    ::close(file);
    return true;
}

// Follows links to a file not there yet. The kernel resolves each link's folder part from the
// folder that really holds the link; only the last name of each link is read here, and a link is
// followed under the kernel's own rule, judged on the very link that was read.
void FileDestination::Walk(const std::string& path)
{
    std::string folder, name;
    if (!split(path, folder, name))
        return;
    int at = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    for (int hops = 0; at >= 0 && hops <= kMaxLinks; ++hops) {
        const int link = ::openat(at, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
        struct stat linkStatus {}, folderStatus {};
        if (link < 0 && errno == ENOENT) {
            m_folder = at;
            m_name = name;
            return;
        }
        if (link < 0 || ::fstat(link, &linkStatus) != 0) {
            if (link >= 0)
                ::close(link);
            break;
        }
        if (!S_ISLNK(linkStatus.st_mode)) {
            // Something has appeared at the name since; the kernel says what it is.
            ::close(link);
            TakeExisting(at, name.c_str());
            break;
        }
        const std::string text = readLink(link, "");
        const bool follow = !text.empty() && ::fstat(at, &folderStatus) == 0 && mayFollow(linkStatus, folderStatus)
            && split(text, folder, name);
        ::close(link);
        const int next = follow ? ::openat(at, folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC) : -1;
        ::close(at);
        at = next;
    }
    if (at >= 0)
        ::close(at);
}
