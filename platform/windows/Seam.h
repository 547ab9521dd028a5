#pragma once

#include <memory>
#include <optional>
#include <string>

class MessageDialog;
class PrintJob;
class PrinterSetup;
struct MessageDialogButton;

// What an open dialog asks for.
struct OpenFileRequest {
    std::string Title;
    std::string Prompt;
    std::string FilterName;       // the file type's name, shown in the filter list
    std::string FilterPatterns;   // e.g. "*.jpg *.JPG"
};

// Everything that waits for the user or leaves the process goes through the one current
// seam: the default shows real dialogs, tests install one that answers from a script.
class Seam {
public:
    virtual ~Seam() = default;

    virtual void MsgBox(const std::string& text) = 0;
    virtual MessageDialogButton* ShowMessageDialog(MessageDialog& dialog) = 0;
    // The chosen file's path, or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
    // The chosen folder's path, or nothing when cancelled.
    virtual std::optional<std::string> SelectFolder(const std::string& prompt, const std::string& title) = 0;
    virtual void Beep() = 0;
    virtual void ShowURL(const std::string& url) = 0;
    // The print dialog: a job on the chosen printer, or nullptr when cancelled (also the
    // answer of a seam that has no printers).
    virtual std::unique_ptr<PrintJob> OpenPrinterDialog(const PrinterSetup& setup);

    static Seam& Current();
    // Installs seam as the current one (nullptr: back to the real dialogs); returns the previous.
    static Seam* Install(Seam* seam);
};

// Shortcuts used all over the program.
void MsgBox(const std::string& text);
void Beep();
void ShowURL(const std::string& url);
