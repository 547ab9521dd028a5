#include "platform/windows/OpenDialog.h"

#include "platform/runtime/FileType.h"
#include "platform/windows/Seam.h"

FolderItemPtr OpenDialog::ShowModal()
{
    OpenFileRequest request{Title, PromptText, Filter, "*"};
    if (const FileType* type = FileType::Registered(Filter))
        request.FilterPatterns = type->Patterns();
    const auto path = Seam::Current().OpenFile(request);
    if (!path)
        return nullptr;
    return std::make_shared<FolderItem>(*path);
}
