#pragma once

#include <memory>
#include <string>

class FolderItem;
using FolderItemPtr = std::shared_ptr<FolderItem>;

// A file or folder by path; it need not exist.
class FolderItem {
public:
    explicit FolderItem(std::string path);

    const std::string& Path() const { return m_path; }
    // The last part of the path, extension included.
    std::string Name() const;
    bool Exists() const;
    bool Directory() const;
    // The item of that name inside this folder; nullptr when no such name can be made here
    // (this is no folder, or the name is empty or holds a separator).
    FolderItemPtr Child(const std::string& name) const;

private:
    std::string m_path;
};
