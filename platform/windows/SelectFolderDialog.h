#pragma once

#include "platform/runtime/FolderItem.h"

#include <string>

// Asks for a folder.
class SelectFolderDialog {
public:
    std::string PromptText;
    std::string Title;

    // The chosen folder, or nullptr when the user cancelled.
    FolderItemPtr ShowModal();
};
