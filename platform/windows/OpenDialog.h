#pragma once

#include "platform/runtime/FolderItem.h"

#include <string>

// Asks for one existing file, filtered on a registered file type's name.
class OpenDialog {
public:
    std::string Filter;
    std::string PromptText;
    std::string Title;

    // The chosen file, or nullptr when the user cancelled.
    FolderItemPtr ShowModal();
};
