#include "platform/windows/SelectFolderDialog.h"

#include "platform/windows/Seam.h"

FolderItemPtr SelectFolderDialog::ShowModal()
{
    const auto path = Seam::Current().SelectFolder(PromptText, Title);
    if (!path)
        return nullptr;
    return std::make_shared<FolderItem>(*path);
}
