#pragma once

#include "platform/windows/Seam.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class PrintJob;
class PrinterSetup;

// A seam for tests: records everything shown and answers from queues. Installed on
// construction, the previous seam comes back on destruction.
class ScriptedSeam : public Seam {
public:
    ScriptedSeam();
    ~ScriptedSeam() override;

    // What was shown, in order: "MsgBox: <text>", "Dialog: <title>", "OpenFile: <title>",
    // "SelectFolder: <title>", "Beep", "ShowURL: <url>",
    // "PrintDialog".
    std::vector<std::string> log;
    std::vector<std::string> messages;     // the texts of message boxes
    std::vector<std::string> urls;         // addresses handed to the system
    std::vector<OpenFileRequest> openRequests;
    std::vector<std::string> folderPrompts; // prompt, then title, per folder dialog
    int beeps = 0;

    // Answers, taken from the front; an empty queue means "cancel".
    std::deque<std::optional<std::string>> files;
    std::deque<std::optional<std::string>> folders;
    // Which button a message dialog gets: "action", "cancel", "alternate" or "" (none).
    std::deque<std::string> dialogAnswers;
    // The last message dialog's texts.
    std::string dialogTitle, dialogMessage, dialogExplanation;
    int dialogIcon = -1;
    std::vector<std::string> dialogButtons; // captions of the visible buttons: action, alternate, cancel
    // Runs while a message box is "open" (to act as the user would meanwhile).
    std::function<void(const std::string&)> onMsgBox;
    // Print dialog answers, taken from the front: each makes the chosen printer's job, or
    // nullptr to cancel; an empty queue cancels. See PrintToPdf and RecordingPrintJob.
    using PrintAnswer = std::function<std::unique_ptr<PrintJob>(const PrinterSetup&)>;
    std::deque<PrintAnswer> printAnswers;
    std::vector<bool> printLandscape; // the setup's orientation, per print dialog shown
    // Queues an answer that prints into a PDF file.
    void PrintToPdf(const std::string& path);

    void MsgBox(const std::string& text) override;
    MessageDialogButton* ShowMessageDialog(MessageDialog& dialog) override;
    std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
    std::optional<std::string> SelectFolder(const std::string& prompt, const std::string& title) override;
    void Beep() override;
    void ShowURL(const std::string& url) override;
    std::unique_ptr<PrintJob> OpenPrinterDialog(const PrinterSetup& setup) override;

private:
    Seam* m_previous;
};
