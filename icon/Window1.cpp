#include "icon/Window1.h"

#include "app/MenuBar1.h"
#include "help/AboutBox.h"
#include "help/Help.h"
#include "help/HelpPrinting.h"
#include "icon/Module1.h"
#include "platform/Application.h"
#include "platform/ApplicationMenuItem.h"
#include "platform/Canvas.h"
#include "platform/ImplicitWindow.h"
#include "platform/Label.h"
#include "platform/PushButton.h"
#include "platform/Rectangle.h"
#include "platform/Slider.h"
#include "update/selfTest.h"

Window1::Window1() : Window(kClassName) {}

void Window1::Layout()
{
    MenuBar(MenuBar1::Instance());
    _SetProperties({.Title = "Quorrel",
                    .Width = 1084,
                    .Height = 650,
                    .Resizeable = false,
                    .LiveResize = false,
                    .CloseButton = true,
                    .MinimizeButton = true,
                    .MaximizeButton = false,
                    .Frame = 0,
                    .Placement = 0,
                    .Visible = true});
}

void Window1::CreateControls()
{
    _CreateControls0();
}

void Window1::_CreateControls0()
{
    const auto caption = [this](const char* name, int left, int top, int width, const char* text, int tabIndex) {
        __New<::Label>(name);
        _ControlByName<::Label>(name).TextUnit = 0;
        _ControlByName<::Label>(name)._SetProperties(
            {.Control = {.Left = left, .Top = top, .Width = width, .Height = 20, .TabIndex = tabIndex},
             .Text = text,
             .TextAlign = 1,
             .Bold = true});
    };
    caption("Label1", 20, 25, 512, "Icon", 2);
    caption("Label2", 552, 25, 512, "Mask", 3);

    __New<Slider>("FuzzTolerance");
    _ControlByName<Slider>("FuzzTolerance")._SetProperties(
        {.Control = {.Left = 442, .Top = 607, .Width = 200, .Height = 23, .TabIndex = 8},
         .Minimum = 225,
         .Maximum = 254,
         .Value = 239,
         .LineStep = 1,
         .PageStep = 20,
         .LiveScroll = true,
         .TickStyle = 0});
    _ControlByName<Slider>("FuzzTolerance").ValueChanged = [this](Slider& s) { FuzzTolerance_ValueChanged(s); };

    caption("Label3", 442, 583, 200, "Fuzziness", 9);

    const auto frame = [this](const char* name, int left, int tabIndex, bool enabled) {
        __New<::Rectangle>(name);
        _ControlByName<::Rectangle>(name)._SetProperties(
            {.Control = {.Left = left, .Top = 48, .Width = 516, .Height = 516, .TabIndex = tabIndex, .Enabled = enabled},
             .FillColor = 0xFFFFFF,
             .BorderWidth = 1,
             .TopLeftColor = 0,
             .BottomRightColor = 0});
    };
    const auto view = [this](const char* name, int left, const char* parent) {
        __New<Canvas>(name);
        _ControlByName<Canvas>(name)._SetProperties(
            {.Control = {.Left = left, .Top = 50, .Width = 512, .Height = 512, .InitialParent = parent, .TabIndex = 0},
             .UseFocusRing = true,
             .AcceptFocus = false,
             .AcceptTabs = false,
             .DoubleBuffer = false,
             .EraseBackground = true});
    };
    frame("Rectangle1", 18, 12, true);
    view("IconCanvas", 20, "Rectangle1");
    frame("Rectangle2", 550, 13, false);
    view("MaskCanvas", 552, "Rectangle2");

    __New<PushButton>("ShowPNG");
    _ControlByName<PushButton>("ShowPNG").TextUnit = 0;
    _ControlByName<PushButton>("ShowPNG")._SetProperties(
        {.Control = {.Left = 758, .Top = 607, .Width = 100, .Height = 20, .TabIndex = 14},
         .Caption = "Show PNG",
         .Default = true,
         .Cancel = false,
         .ButtonStyle = 0,
         .Bold = true});
    _ControlByName<PushButton>("ShowPNG").Action = [this](PushButton& b) { ShowPNG_Action(b); };
}

Label& Window1::Label1() const { return _ControlByName<::Label>("Label1"); }
Label& Window1::Label2() const { return _ControlByName<::Label>("Label2"); }
Slider& Window1::FuzzTolerance() const { return _ControlByName<Slider>("FuzzTolerance"); }
Label& Window1::Label3() const { return _ControlByName<::Label>("Label3"); }
Rectangle& Window1::Rectangle1() const { return _ControlByName<::Rectangle>("Rectangle1"); }
Canvas& Window1::IconCanvas() const { return _ControlByName<Canvas>("IconCanvas"); }
Rectangle& Window1::Rectangle2() const { return _ControlByName<::Rectangle>("Rectangle2"); }
Canvas& Window1::MaskCanvas() const { return _ControlByName<Canvas>("MaskCanvas"); }
PushButton& Window1::ShowPNG() const { return _ControlByName<PushButton>("ShowPNG"); }

void Window1::FuzzTolerance_ValueChanged(Slider&)
{
    Module1::Fuzz = FuzzTolerance().Value();
    Module1::UpdateMask();
}

void Window1::ShowPNG_Action(PushButton&)
{
}

MenuItem& Window1::HelpMenu() const { return _MenuItem<MenuItem>("HelpMenu"); }
ApplicationMenuItem& Window1::HelpAbout() const { return _MenuItem<ApplicationMenuItem>("HelpAbout"); }
MenuItem& Window1::HelpShowHelp() const { return _MenuItem<MenuItem>("HelpShowHelp"); }
MenuItem& Window1::CheckForUpdateMenu() const { return _MenuItem<MenuItem>("CheckForUpdateMenu"); }
MenuItem& Window1::CheckForUpdateCheckNow() const { return _MenuItem<MenuItem>("CheckForUpdateCheckNow"); }
MenuItem& Window1::EditMenu() const { return _MenuItem<MenuItem>("EditMenu"); }
MenuItem& Window1::EditSelectAll() const { return _MenuItem<MenuItem>("EditSelectAll"); }
MenuItem& Window1::EditSeparator2() const { return _MenuItem<MenuItem>("EditSeparator2"); }
MenuItem& Window1::EditClear() const { return _MenuItem<MenuItem>("EditClear"); }
MenuItem& Window1::EditPaste() const { return _MenuItem<MenuItem>("EditPaste"); }
MenuItem& Window1::EditCopy() const { return _MenuItem<MenuItem>("EditCopy"); }
MenuItem& Window1::EditCut() const { return _MenuItem<MenuItem>("EditCut"); }
MenuItem& Window1::EditSeparator1() const { return _MenuItem<MenuItem>("EditSeparator1"); }
MenuItem& Window1::EditUndo() const { return _MenuItem<MenuItem>("EditUndo"); }
MenuItem& Window1::FileMenu() const { return _MenuItem<MenuItem>("FileMenu"); }
MenuItem& Window1::FilePrintHelp() const { return _MenuItem<MenuItem>("FilePrintHelp"); }
MenuItem& Window1::FileSaveFiles() const { return _MenuItem<MenuItem>("FileSaveFiles"); }
MenuItem& Window1::FileLoadIconSource() const { return _MenuItem<MenuItem>("FileLoadIconSource"); }
MenuItem& Window1::FileIdentifyOutputFolder() const { return _MenuItem<MenuItem>("FileIdentifyOutputFolder"); }

void Window1::AddMenuHandlers()
{
    const std::pair<const char*, bool (Window1::*)()> handlers[] = {
        {"HelpShowHelp", &Window1::_HelpShowHelp_Action},
        {"FileQuit", &Window1::_FileQuit_Action},
        {"FilePrintHelp", &Window1::_FilePrintHelp_Action},
        {"FileIdentifyOutputFolder", &Window1::_FileIdentifyOutputFolder_Action},
        {"FileLoadIconSource", &Window1::_FileLoadIconSource_Action},
        {"FileSaveFiles", &Window1::_FileSaveFiles_Action},
        {"CheckForUpdateCheckNow", &Window1::_CheckForUpdateCheckNow_Action},
        {"HelpAbout", &Window1::_HelpAbout_Action},
    };
    for (const auto& entry : handlers) {
        const auto handler = entry.second;
        _AddMenuHandler(entry.first, [this, handler] { return (this->*handler)(); });
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

bool Window1::_HelpShowHelp_Action()
{
    ImplicitWindow<Help>().Show();
    return true;
}

bool Window1::_FileQuit_Action()
{
    ImplicitWindow<Window1>().Close();
    return true;
}

bool Window1::_FilePrintHelp_Action()
{
    return PrintHelp();
}

bool Window1::_FileIdentifyOutputFolder_Action()
{
    return true;
}

bool Window1::_FileLoadIconSource_Action()
{
    return true;
}

bool Window1::_FileSaveFiles_Action()
{
    return true;
}

bool Window1::_CheckForUpdateCheckNow_Action()
{
    ImplicitWindow<selfTest>().Show();
    return true;
}

bool Window1::_HelpAbout_Action()
{
    ImplicitWindow<AboutBox>().Show();
    return true;
}
