#include "icon/Window1.h"

#include "help/AboutBox.h"
#include "help/Help.h"
#include "help/PrintHelp.h"
#include "icon/IconSource.h"
#include "icon/MenuBar1.h"
#include "icon/Module1.h"
#include "icon/Window2.h"
#include "platform/runtime/Application.h"
#include "platform/runtime/Strings.h"
#include "platform/windows/ApplicationMenuItem.h"
#include "platform/windows/Canvas.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Label.h"
#include "platform/windows/OpenDialog.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/Rectangle.h"
#include "platform/windows/Seam.h"
#include "platform/windows/SelectFolderDialog.h"
#include "platform/windows/Slider.h"
#include "update/selfTest.h"

Window1::Window1() : Window(kClassName) {}

void Window1::Layout()
{
    MenuBar(MenuBar1::Instance());
    SetProperties({.Title = "Quorrel",
                   .Width = 1084,
                   .Height = 650,
                   .Resizeable = false,
                   .MinimizeButton = true,
                   .MaximizeButton = false});
}

void Window1::CreateControls()
{
    CreateControls0();
}

void Window1::CreateControls0()
{
    const auto caption = [this](const char* name, int left, int top, int width, const char* text, int tabIndex) {
        NewControl<::Label>(name);
        ControlByName<::Label>(name).SetProperties(
            {.Control = {.Left = left, .Top = top, .Width = width, .Height = 20, .TabIndex = tabIndex},
             .Text = text,
             .TextAlign = 1,
             .Bold = true});
    };
    caption("Label1", 20, 25, 512, "Icon", 2);
    caption("Label2", 552, 25, 512, "Mask", 3);

    NewControl<Slider>("FuzzTolerance");
    ControlByName<Slider>("FuzzTolerance").SetProperties(
        {.Control = {.Left = 442, .Top = 607, .Width = 200, .Height = 23, .TabIndex = 8},
         .Minimum = 225,
         .Maximum = 254,
         .Value = 239,
         .LineStep = 1,
         .PageStep = 20,
         .LiveScroll = true,
         .TickStyle = 0});
    ControlByName<Slider>("FuzzTolerance").ValueChanged = [this](Slider& s) { FuzzTolerance_ValueChanged(s); };

    caption("Label3", 442, 583, 200, "Fuzziness", 9);

    const auto frame = [this](const char* name, int left, int tabIndex, bool enabled) {
        NewControl<::Rectangle>(name);
        ControlByName<::Rectangle>(name).SetProperties(
            {.Control = {.Left = left, .Top = 48, .Width = 516, .Height = 516, .TabIndex = tabIndex, .Enabled = enabled},
             .FillColor = 0xFFFFFF,
             .BorderWidth = 1,
             .TopLeftColor = 0,
             .BottomRightColor = 0});
    };
    const auto view = [this](const char* name, int left, const char* parent) {
        NewControl<Canvas>(name);
        ControlByName<Canvas>(name).SetProperties(
            {.Control = {.Left = left, .Top = 50, .Width = 512, .Height = 512, .InitialParent = parent, .TabIndex = 0},
             .AcceptFocus = false});
    };
    frame("Rectangle1", 18, 12, true);
    view("IconCanvas", 20, "Rectangle1");
    frame("Rectangle2", 550, 13, false);
    view("MaskCanvas", 552, "Rectangle2");

    NewControl<PushButton>("ShowPNG");
    ControlByName<PushButton>("ShowPNG").SetProperties(
        {.Control = {.Left = 758, .Top = 607, .Width = 100, .Height = 20, .TabIndex = 14},
         .Caption = "Show PNG",
         .Default = true,
         .Cancel = false,
         .Bold = true});
    ControlByName<PushButton>("ShowPNG").Action = [this](PushButton& b) { ShowPNG_Action(b); };
}

Label& Window1::Label1() const { return ControlByName<::Label>("Label1"); }
Label& Window1::Label2() const { return ControlByName<::Label>("Label2"); }
Slider& Window1::FuzzTolerance() const { return ControlByName<Slider>("FuzzTolerance"); }
Label& Window1::Label3() const { return ControlByName<::Label>("Label3"); }
Rectangle& Window1::Rectangle1() const { return ControlByName<::Rectangle>("Rectangle1"); }
Canvas& Window1::IconCanvas() const { return ControlByName<Canvas>("IconCanvas"); }
Rectangle& Window1::Rectangle2() const { return ControlByName<::Rectangle>("Rectangle2"); }
Canvas& Window1::MaskCanvas() const { return ControlByName<Canvas>("MaskCanvas"); }
PushButton& Window1::ShowPNG() const { return ControlByName<PushButton>("ShowPNG"); }

void Window1::FuzzTolerance_ValueChanged(Slider&)
{
    Module1::Fuzz = FuzzTolerance().Value();
    Module1::UpdateMask();
}

void Window1::ShowPNG_Action(PushButton&)
{
    if (!Module1::QMaskHidden) {
        MsgBox("First, load a Source Icon!");
        return;
    }
    ImplicitWindow<Window2>().Top(ImplicitWindow<Window1>().Top() + 50);
    ImplicitWindow<Window2>().Left(ImplicitWindow<Window1>().Left() + 552);
    ImplicitWindow<Window2>().Show();
}

MenuItem& Window1::HelpMenu() const { return MenuItemNamed<MenuItem>("HelpMenu"); }
ApplicationMenuItem& Window1::HelpAbout() const { return MenuItemNamed<ApplicationMenuItem>("HelpAbout"); }
MenuItem& Window1::HelpShowHelp() const { return MenuItemNamed<MenuItem>("HelpShowHelp"); }
MenuItem& Window1::CheckForUpdateMenu() const { return MenuItemNamed<MenuItem>("CheckForUpdateMenu"); }
MenuItem& Window1::CheckForUpdateCheckNow() const { return MenuItemNamed<MenuItem>("CheckForUpdateCheckNow"); }
MenuItem& Window1::EditMenu() const { return MenuItemNamed<MenuItem>("EditMenu"); }
MenuItem& Window1::EditSelectAll() const { return MenuItemNamed<MenuItem>("EditSelectAll"); }
MenuItem& Window1::EditSeparator2() const { return MenuItemNamed<MenuItem>("EditSeparator2"); }
MenuItem& Window1::EditClear() const { return MenuItemNamed<MenuItem>("EditClear"); }
MenuItem& Window1::EditPaste() const { return MenuItemNamed<MenuItem>("EditPaste"); }
MenuItem& Window1::EditCopy() const { return MenuItemNamed<MenuItem>("EditCopy"); }
MenuItem& Window1::EditCut() const { return MenuItemNamed<MenuItem>("EditCut"); }
MenuItem& Window1::EditSeparator1() const { return MenuItemNamed<MenuItem>("EditSeparator1"); }
MenuItem& Window1::EditUndo() const { return MenuItemNamed<MenuItem>("EditUndo"); }
MenuItem& Window1::FileMenu() const { return MenuItemNamed<MenuItem>("FileMenu"); }
MenuItem& Window1::FilePrintHelp() const { return MenuItemNamed<MenuItem>("FilePrintHelp"); }
MenuItem& Window1::FileSaveFiles() const { return MenuItemNamed<MenuItem>("FileSaveFiles"); }
MenuItem& Window1::FileLoadIconSource() const { return MenuItemNamed<MenuItem>("FileLoadIconSource"); }
MenuItem& Window1::FileIdentifyOutputFolder() const { return MenuItemNamed<MenuItem>("FileIdentifyOutputFolder"); }

void Window1::AddMenuHandlers()
{
    const std::pair<const char*, bool (Window1::*)()> handlers[] = {
        {"HelpShowHelp", &Window1::HelpShowHelp_Action},
        {"FileQuit", &Window1::FileQuit_Action},
        {"FilePrintHelp", &Window1::FilePrintHelp_Action},
        {"FileIdentifyOutputFolder", &Window1::FileIdentifyOutputFolder_Action},
        {"FileLoadIconSource", &Window1::FileLoadIconSource_Action},
        {"FileSaveFiles", &Window1::FileSaveFiles_Action},
        {"CheckForUpdateCheckNow", &Window1::CheckForUpdateCheckNow_Action},
        {"HelpAbout", &Window1::HelpAbout_Action},
    };
    for (const auto& entry : handlers) {
        const auto handler = entry.second;
        AddMenuHandler(entry.first, [this, handler] { return (this->*handler)(); });
    }
}

void Window1::Event_Close()
{
    Quit(0);
}

void Window1::Event_EnableMenuItems()
{
    HelpAbout().Enabled(true);
}

bool Window1::HelpShowHelp_Action()
{
    ImplicitWindow<Help>().Show();
    return true;
}

bool Window1::FileQuit_Action()
{
    ImplicitWindow<Window1>().Close();
    return true;
}

bool Window1::FilePrintHelp_Action()
{
    return PrintHelp();
}

bool Window1::FileIdentifyOutputFolder_Action()
{
    SelectFolderDialog dialog;
    dialog.PromptText = "Navigate to the Output folder.";
    dialog.Title = "Output Folder";
    FolderItemPtr folder = dialog.ShowModal();
    if (!folder)
        return true;
    Module1::OutputFolder = folder;
    FileSaveFiles().Enabled(true);
    return true;
}

bool Window1::FileLoadIconSource_Action()
{
    OpenDialog dialog;
    dialog.Filter = "image/jpeg";
    dialog.PromptText = "Select a square jpg image (at least 1024 x 1024 pixels) to load.";
    dialog.Title = "Icon Source Image";
    FolderItemPtr file = dialog.ShowModal();
    if (!file)
        return true;
    Module1::IconName = file->Name();
    if (!file->Exists()) {
        MsgBox("The icon image must be jpg format!");
        return false;
    }
    // Both icons are made before any state changes, so a load that fails on the way leaves
    // the previous pictures whole.
    IconSource::Icons icons = IconSource::Load(*file);
    if (!icons.display) {
        MsgBox("No source icon image selected!");
        return false;
    }
    Module1::P1 = icons.display;
    Module1::P1Hidden = icons.output;
    IconCanvas().Backdrop(Module1::P1);
    IconCanvas().Refresh(true);

    Module1::TakeIcons();
    Module1::Fuzz = FuzzTolerance().Value();
    Module1::UpdateMask();

    FuzzTolerance().Enabled(true);
    Label3().Enabled(true);
    return true;
}

bool Window1::FileSaveFiles_Action()
{
    if (!Module1::OutputFolder) {
        MsgBox("First, identify the Output Folder from the File menu!");
        return false;
    }
    if (!Module1::P1) {
        MsgBox("First, load the Source Icon from the File menu!");
        return false;
    }
    const std::string base = ::Left(Module1::IconName, Len(Module1::IconName) - 4);
    bool failed = false;

    // A folder that has gone, or a name it cannot hold, gives no item: that file fails.
    FolderItemPtr iconFile = Module1::OutputFolder->Child(base + " " + "Icon" + ".jpg");
    if (!iconFile || !iconFile->SaveAsJPEG(Module1::P1Hidden, 100)) {
        MsgBox("Icon file was not saved!");
        failed = true;
    }
    FolderItemPtr maskFile = Module1::OutputFolder->Child(base + " " + "Mask" + ".jpg");
    if (!maskFile || !maskFile->SaveAsJPEG(Module1::QMaskHidden, 100)) {
        MsgBox("Icon Mask file was not saved!");
        failed = true;
    }
    FolderItemPtr pngFile = Module1::OutputFolder->Child(base + ".png");
    if (!pngFile || !pngFile->SaveAsPNG(Module1::P1Hidden, Module1::QMaskHidden, 0.0f, false, 0)) {
        MsgBox("PNG Icon file was not saved!");
        failed = true;
    }
    if (!failed)
        MsgBox("Files have been saved.");
    return true;
}

bool Window1::CheckForUpdateCheckNow_Action()
{
    ImplicitWindow<selfTest>().Show();
    return true;
}

bool Window1::HelpAbout_Action()
{
    ImplicitWindow<AboutBox>().Show();
    return true;
}
