#include "help/Help.h"

#include "help/MenuBar2.h"
#include "help/PrintHelp.h"
#include "platform/runtime/Strings.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/QuitMenuItem.h"
#include "platform/windows/Seam.h"
#include "platform/windows/TextArea.h"

#include <string_view>

namespace {

// The opening sentence and the two headings, shown in bold blue.
constexpr std::string_view kOpening =
    "Quorrel helps developers make 1024 x 1024 pixel transparent icons from images.";
constexpr std::string_view kStepsHeading = "Steps to make a Mask:";
constexpr std::string_view kCreditHeading = "Icon Credit:";

} // namespace

Help::Help() : Window(kClassName) {}

const std::string& Help::HelpText()
{
    static const std::string text =
        std::string(kOpening)
        + "\r\r"
        "When you launch Quorrel, you see a large window with two 512 x 512 pixel image areas.  The left area "
        "is used to display the icon; the right area is used to display the icon mask."
        "\r\r"
        + std::string(kStepsHeading)
        + "\r\r"
        "  a.  Click on File > \"Identify Output Folder\" from the menubar and navigate to the folder where "
        "output files should be placed."
        "\r\r"
        "  b.  Click on File > \"Load Icon Source\" from the menubar and navigate to the Icon Source file.  The "
        "Icon Source file should be square, at least 1024 x 1024 pixels, jpg format, and have a white "
        "background.  The Icon will be displayed in the left area and a Mask will be generated and displayed "
        "in the right area."
        "\r\r"
        "  c.  Move the \"Fuzziness\" slider back and forth to get the desired Mask shape.  All Icon pixels that "
        "are white will be white in the Mask.  All Icon pixels that are not white will be black in the Mask.  "
        "The \"Fuzziness\" slider sets the tolerance used in the code to decide how close to white will be "
        "considered white."
        "\r\r"
        "  d.  Click on the \"Show PNG\" button to bring up a new window displaying a PNG transparent Icon from "
        "the Source Icon and the generated Mask."
        "\r\r"
        "  e.  Click on File > \"Save Files\" from the menubar to generate a JPG Icon file, a JPG Mask file, and "
        "a PNG transparent Icon file in the Output Folder.  All files will be 1024 x 1024 pixels."
        "\r\r"
        "Note:  The output files are generated from undisplayed 1024 x 1024 images, not the displayed 512 x "
        "512 images.  The Icon Source image is scaled as necessary."
        "\r\r"
        "This Help information may be printed from the File > \"Print Help\" menubar."
        "\r\r"
        + std::string(kCreditHeading)
        + "\r\r"
        "Icon artwork drawn for this program.";
    return text;
}

void Help::Layout()
{
    MenuBar(MenuBar2::Instance());
    SetProperties({.Title = "Quorrel",
                   .Width = 350,
                   .Height = 348,
                   .Resizeable = false,
                   .MinimizeButton = false,
                   .MaximizeButton = false});
}

void Help::CreateControls()
{
    CreateControls0();
}

void Help::CreateControls0()
{
    NewControl<::TextArea>("TextArea1");
    ControlByName<::TextArea>("TextArea1").LineSpacing(1.0);
    ControlByName<::TextArea>("TextArea1").SetProperties(
        {.Control = {.Left = 20, .Top = 19, .Width = 310, .Height = 309, .TabIndex = 0},
         .Text = HelpText(),
         .ReadOnly = true,
         .Styled = true,
         .ScrollbarVertical = true,
         .ScrollbarHorizontal = false,
         .Border = true,
         .AcceptTabs = false,
         .Alignment = 0,
         .TextFont = "System",
         .TextColor = 0x000000,
         .BackColor = 0xFFFFFF,
         .HideSelection = true});
    ControlByName<::TextArea>("TextArea1").OpenEvent = [this] { TextArea1_Open(TextArea1()); };

    NewControl<::PushButton>("PushButton1");
    ControlByName<::PushButton>("PushButton1").SetProperties(
        {.Control = {.Left = 394, .Top = 330, .Width = 10, .Height = 10, .TabIndex = 1},
         .Caption = "Untitled",
         .Default = false,
         .Cancel = false});
    ControlByName<::PushButton>("PushButton1").Action = [this](::PushButton& b) { PushButton1_Action(b); };
}

TextArea& Help::TextArea1() const { return ControlByName<::TextArea>("TextArea1"); }
PushButton& Help::PushButton1() const { return ControlByName<::PushButton>("PushButton1"); }

std::vector<std::pair<int, int>> Help::BoldRuns()
{
    // Found in the text, in order, so that a reworded paragraph moves the runs with it.
    std::vector<std::pair<int, int>> runs;
    size_t from = 0;
    for (const std::string_view bold : {kOpening, kStepsHeading, kCreditHeading}) {
        const size_t at = HelpText().find(bold, from);
        runs.emplace_back(int(at), int(bold.size()));
        from = at + bold.size();
    }
    return runs;
}

void Help::TextArea1_Open(TextArea& area)
{
    for (const auto& [start, length] : BoldRuns()) {
        area.SelStart(start);
        area.SelLength(length);
        area.SelBold(true);
        area.SelTextColor(RGB(0, 0, 255, 0));
    }
    area.SelStart(0);
    area.SelLength(0);
}

void Help::PushButton1_Action(PushButton&)
{
    const int start = TextArea1().SelStart();
    const int length = TextArea1().SelLength();
    MsgBox("Start: " + Str(start) + " Length: " + Str(length));
}

MenuItem& Help::EditMenu() const { return MenuItemNamed<MenuItem>("EditMenu"); }
MenuItem& Help::EditSelectAll() const { return MenuItemNamed<MenuItem>("EditSelectAll"); }
MenuItem& Help::EditSeparator2() const { return MenuItemNamed<MenuItem>("EditSeparator2"); }
MenuItem& Help::EditClear() const { return MenuItemNamed<MenuItem>("EditClear"); }
MenuItem& Help::EditPaste() const { return MenuItemNamed<MenuItem>("EditPaste"); }
MenuItem& Help::EditCopy() const { return MenuItemNamed<MenuItem>("EditCopy"); }
MenuItem& Help::EditCut() const { return MenuItemNamed<MenuItem>("EditCut"); }
MenuItem& Help::EditSeparator1() const { return MenuItemNamed<MenuItem>("EditSeparator1"); }
MenuItem& Help::EditUndo() const { return MenuItemNamed<MenuItem>("EditUndo"); }
MenuItem& Help::FileMenu() const { return MenuItemNamed<MenuItem>("FileMenu"); }
QuitMenuItem& Help::FileQuit() const { return MenuItemNamed<QuitMenuItem>("FileQuit"); }
MenuItem& Help::FilePrintHelp() const { return MenuItemNamed<MenuItem>("FilePrintHelp"); }

void Help::AddMenuHandlers()
{
    AddMenuHandler("FilePrintHelp", [this] { return FilePrintHelp_Action(); });
}

void Help::Event_Close()
{
}

bool Help::FilePrintHelp_Action()
{
    return PrintHelp();
}
