#pragma once

#include <string>

// Where a file written under a path really lands: the folder that holds it, held open so that
// every later step acts on that very folder, and the file's name there. Links are followed as
// the kernel follows them: a relative target from the folder the link really sits in, `..`
// included, also when the last target does not exist yet. A loop of links, or a link the kernel
// would refuse to follow (fs.protected_symlinks), leaves no destination.
class FileDestination {
public:
    explicit FileDestination(const std::string& path);
    ~FileDestination();
    FileDestination(const FileDestination&) = delete;
    FileDestination& operator=(const FileDestination&) = delete;

    bool IsValid() const { return m_folder >= 0; }
    // A descriptor of the folder for the *at() calls (opened with O_PATH).
    int Folder() const { return m_folder; }
    const std::string& Name() const { return m_name; }

private:
    bool TakeExisting(int at, const char* name);
    void Walk(const std::string& path);

    int m_folder = -1;
    std::string m_name;
};
