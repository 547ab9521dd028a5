#include "support/ScriptedSeam.h"

#include "platform/printing/PrinterSetup.h"
#include "platform/printing/QtPrintJob.h"
#include "platform/windows/MessageDialog.h"

#include <QPrinter>

ScriptedSeam::ScriptedSeam() : m_previous(Seam::Install(this)) {}

ScriptedSeam::~ScriptedSeam()
{
    Seam::Install(m_previous);
}

void ScriptedSeam::MsgBox(const std::string& text)
{
    log.push_back("MsgBox: " + text);
    messages.push_back(text);
    if (onMsgBox)
        onMsgBox(text);
}

MessageDialogButton* ScriptedSeam::ShowMessageDialog(MessageDialog& dialog)
{
    log.push_back("Dialog: " + dialog.Title);
    dialogTitle = dialog.Title;
    dialogMessage = dialog.Message;
    dialogExplanation = dialog.Explanation;
    dialogIcon = dialog.Icon;
    dialogButtons.clear();
    for (const MessageDialogButton* button :
         {&dialog.ActionButton, &dialog.AlternateActionButton, &dialog.CancelButton})
        if (button->Visible)
            dialogButtons.push_back(button->Caption);
    std::string answer;
    if (!dialogAnswers.empty()) {
        answer = dialogAnswers.front();
        dialogAnswers.pop_front();
    }
    if (answer == "action")
        return &dialog.ActionButton;
    if (answer == "cancel")
        return &dialog.CancelButton;
    if (answer == "alternate")
        return &dialog.AlternateActionButton;
    return nullptr;
}

std::optional<std::string> ScriptedSeam::OpenFile(const OpenFileRequest& request)
{
    log.push_back("OpenFile: " + request.Title);
    openRequests.push_back(request);
    if (files.empty())
        return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
}

std::optional<std::string> ScriptedSeam::SelectFolder(const std::string& prompt, const std::string& title)
{
    log.push_back("SelectFolder: " + title);
    folderPrompts.push_back(prompt);
    folderPrompts.push_back(title);
    if (folders.empty())
        return std::nullopt;
    auto answer = folders.front();
    folders.pop_front();
    return answer;
}

void ScriptedSeam::Beep()
{
    log.push_back("Beep");
    ++beeps;
}

void ScriptedSeam::ShowURL(const std::string& url)
{
    log.push_back("ShowURL: " + url);
    urls.push_back(url);
}

std::unique_ptr<PrintJob> ScriptedSeam::OpenPrinterDialog(const PrinterSetup& setup)
{
    log.push_back("PrintDialog");
    printLandscape.push_back(setup.Landscape);
    if (printAnswers.empty())
        return nullptr;
    auto answer = std::move(printAnswers.front());
    printAnswers.pop_front();
    return answer ? answer(setup) : nullptr;
}

void ScriptedSeam::PrintToPdf(const std::string& path)
{
    printAnswers.push_back([path](const PrinterSetup& setup) -> std::unique_ptr<PrintJob> {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(path));
        QtPrintJob::ApplySetup(*printer, setup); // after the format, which brings its own defaults
        return std::make_unique<QtPrintJob>(std::move(printer), setup);
    });
}
