#pragma once

#include "platform/windows/Seam.h"

// The real dialogs, shown modally over the active window.
class QtSeam : public Seam {
public:
    void MsgBox(const std::string& text) override;
    MessageDialogButton* ShowMessageDialog(MessageDialog& dialog) override;
    std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
    std::optional<std::string> SelectFolder(const std::string& prompt, const std::string& title) override;
    void Beep() override;
    void ShowURL(const std::string& url) override;
    std::unique_ptr<PrintJob> OpenPrinterDialog(const PrinterSetup& setup) override;
};
