#include "update/updateWindow.h"

#include "common/Maker.h"
#include "common/TheApp.h"
#include "platform/network/HTTPSocket.h"
#include "platform/network/HttpErrorCode.h"
#include "platform/runtime/Strings.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Label.h"
#include "platform/windows/MessageDialog.h"
#include "platform/windows/ProgressBar.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/Seam.h"
#include "update/Testing.h"
#include "update/VersionDescription.h"
#include "update/selfTest.h"

namespace {

std::string& testHost()
{
    static std::string host;
    return host;
}

// The main window lives above this folder, so it is reached by its class name.
void focusMainWindow()
{
    if (Window* main = OpenImplicitWindowNamed("Window1"))
        main->SetFocus();
}

} // namespace

void testing::SetUpdateHost(const std::string& host)
{
    testHost() = host;
}

updateWindow::updateWindow() : Window(kClassName) {}

void updateWindow::Layout()
{
    SetProperties({.Title = "Update",
                   .Width = 300,
                   .Height = 120,
                   .Resizeable = false,
                   .MinimizeButton = true,
                   .MaximizeButton = false,
                   .Frame = 1});
}

void updateWindow::CreateControls()
{
    CreateControls0();
}

void updateWindow::CreateControls0()
{
    NewControl<::Label>("StaticText1");
    StaticText1().TextSize(12);
    StaticText1().SetProperties(
        {.Control = {.Left = 20, .Top = 19, .Width = 266, .Height = 20, .TabIndex = 0},
         .Text = "Checking for update...",
         .TextAlign = 0,
         .TextFont = "Arial",
         .Bold = false,
         .TextColor = 0});

    NewControl<::ProgressBar>("ProgressBar1");
    ProgressBar1().SetProperties(
        {.Control = {.Left = 20, .Top = 46, .Width = 260, .Height = 12, .TabIndex = 1}, .Value = 0, .Maximum = 100});

    NewControl<HTTPSocket>("hp");
    hp().SetProperties({.Address = "", .Port = 0});
    hp().PageReceived = [this](HTTPSocket& sender, const std::string& url, int status,
                               const InternetHeaders& headers, const std::string& content) {
        hp_PageReceived(sender, url, status, headers, content);
    };
    hp().Error = [this](HTTPSocket& sender, int code) { hp_Error(sender, code); };

    NewControl<::PushButton>("PushButton1");
    PushButton1().SetProperties(
        {.Control = {.Left = 208, .Top = 80, .Width = 72, .Height = 20, .TabIndex = 3},
         .Caption = "Cancel",
         .Default = true,
         .Cancel = true,
         .Bold = false});
    PushButton1().Action = [this](PushButton& button) { PushButton1_Action(button); };
}

Label& updateWindow::StaticText1() const { return ControlByName<::Label>("StaticText1"); }
ProgressBar& updateWindow::ProgressBar1() const { return ControlByName<::ProgressBar>("ProgressBar1"); }
HTTPSocket& updateWindow::hp() const { return ControlByName<HTTPSocket>("hp"); }
PushButton& updateWindow::PushButton1() const { return ControlByName<::PushButton>("PushButton1"); }

void updateWindow::Event_Open()
{
    ProgressBar1().Maximum(0);
    const std::string host = testHost().empty() ? std::string(Maker::kWebHost) : testHost();
    hp().Get("http://" + host + Maker::kUpdatePath);
    focusMainWindow();
}

void updateWindow::Event_Close()
{
    // A reply that comes after the window has gone must not reach the handlers.
    hp().Abort();
}

void updateWindow::PushButton1_Action(PushButton&)
{
    Close();
}

void updateWindow::hp_PageReceived(HTTPSocket& sender, const std::string&, int httpStatus,
                                   const InternetHeaders&, const std::string& content)
{
    // An error page, a redirection or a connection closed without a reply is no
    // version-description file.
    if (httpStatus != 200)
        return hp_Error(sender, httpStatus);
    if (content.empty()) {
        Close();
        return;
    }
    const std::string version = returnValue(content, "CurrentVersion");
    const std::string description = returnValue(content, "Description");
    const bool free = returnValue(content, "Free") == "Yes";
    if (!VersionDescription::HasVersionNumber(version))
        return hp_Error(sender, HttpErrorCode::kUnexpectedContent);

    ProgressBar1().Visible(false);
    const Application& app = TheApp();
    if (!VersionDescription::IsNewer(version, app.MajorVersion(), app.MinorVersion(), app.BugVersion())) {
        StaticText1().Text("This version is current.");
        StaticText1().Refresh(true);
        if (!automaticCheck)
            MsgBox("You are using the current version. No update is available.");
        Close();
        if (selfTest* test = OpenImplicitWindow<selfTest>())
            test->Close();
        return;
    }
    askUpgrade(version, description, Maker::kDownloadAddress, free);
}

void updateWindow::hp_Error(HTTPSocket&, int code)
{
    Beep();
    MsgBox(std::string("There was a communication error ") + "with the website. Please try "
           + "again later. (Code: " + Str(code) + ")");
    Close();
    if (selfTest* test = OpenImplicitWindow<selfTest>())
        test->Close();
    focusMainWindow();
}

std::string updateWindow::startTag(const std::string& name)
{
    return VersionDescription::StartTag(name);
}

std::string updateWindow::endTag(const std::string& name)
{
    return VersionDescription::EndTag(name);
}

std::string updateWindow::returnValue(const std::string& source, const std::string& name)
{
    return VersionDescription::ReturnValue(source, name);
}

void updateWindow::askUpgrade(const std::string& newVersion, const std::string& description,
                              const std::string& downloadAddress, bool free)
{
    MessageDialog dialog;
    dialog.Title = "New version available!";
    std::string message = "Version " + newVersion + " is now available. ";
    message += "(You are using version " + TheApp().ShortVersion() + ".) ";
    if (free) {
        message += "This is a free upgrade. ";
        message += "Would you like to automatically download ";
        message += "this update (using your web browser)?";
    } else {
        message += "This is a paid upgrade. ";
        message += "Would you like to automatically download ";
        message += "the trial version (using your web browser)?";
    }
    dialog.Message = message;
    dialog.Explanation = description;
    dialog.CancelButton.Visible = true;
    dialog.AlternateActionButton.Caption = "Go to Website";
    dialog.AlternateActionButton.Visible = true;
    dialog.Icon = 3;

    const MessageDialogButton* pressed = dialog.ShowModal();
    if (pressed == &dialog.CancelButton) {
        Close();
    } else if (pressed == &dialog.ActionButton) {
        ShowURL(downloadAddress);
        Close();
    } else if (pressed == &dialog.AlternateActionButton) {
        ShowURL(Maker::kWebSite);
    }
}
