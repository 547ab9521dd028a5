#include "platform/windows/MessageDialog.h"

#include "platform/windows/Seam.h"

MessageDialog::MessageDialog()
    : ActionButton{"OK", true}, CancelButton{"Cancel", false}, AlternateActionButton{"Don't Save", false}
{
}

MessageDialogButton* MessageDialog::ShowModal()
{
    return Seam::Current().ShowMessageDialog(*this);
}
