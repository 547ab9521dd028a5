#include "help/AboutBox.h"

#include "common/Maker.h"
#include "common/TheApp.h"
#include "platform/windows/Label.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/Seam.h"

AboutBox::AboutBox() : Window(kClassName) {}

void AboutBox::Layout()
{
    SetProperties({.Title = "About...",
                   .Width = 247,
                   .Height = 312,
                   .Resizeable = false,
                   .MinimizeButton = false,
                   .MaximizeButton = false});
}

void AboutBox::CreateControls()
{
    CreateControls0();
}

void AboutBox::CreateControls0()
{
    const auto button = [this](const char* name, int top, const char* caption, int tabIndex) {
        NewControl<::PushButton>(name);
        ControlByName<::PushButton>(name).SetProperties(
            {.Control = {.Left = 67, .Top = top, .Width = 120, .Height = 21, .TabIndex = tabIndex},
             .Caption = caption,
             .Default = false,
             .Cancel = false,
             .TextFont = "System",
             .Bold = true});
    };
    const auto label = [this](const char* name, int left, int top, int width, int height, const char* text,
                              const char* font, double textSize, bool bold, int align, bool multiline, int tabIndex) {
        NewControl<::Label>(name);
        if (textSize > 0)
            ControlByName<::Label>(name).TextSize(textSize);
        ControlByName<::Label>(name).SetProperties(
            {.Control = {.Left = left, .Top = top, .Width = width, .Height = height, .TabIndex = tabIndex},
             .Text = text,
             .TextAlign = align,
             .TextFont = font,
             .Bold = bold,
             .TextColor = 0x000000,
             .Multiline = multiline,
             .Selectable = false,
             .Transparent = false});
    };

    button("PushButton1", 238, "Email Author", 0);
    ControlByName<::PushButton>("PushButton1").Action = [this](::PushButton& b) { PushButton1_Action(b); };
    button("PushButton2", 271, "Visit Web Site", 1);
    ControlByName<::PushButton>("PushButton2").Action = [this](::PushButton& b) { PushButton2_Action(b); };
    label("StaticText2", 75, 111, 104, 106, "Developed by\rCorvane\r\rSenior Beta Tester\rEttrick", "System", 0, false,
          1, true, 2);
    label("StaticText1", 20, 11, 214, 70, "Quorrel", "Arial", 30, true, 1, true, 3);
    label("StaticText3", 72, 86, 56, 20, "Version:", "Arial", 12, true, 0, false, 4);
    label("StaticText4", 111, 86, 71, 20, "2.0.0 Intel", "Arial", 12, true, 2, false, 5);
    ControlByName<::Label>("StaticText4").OpenEvent = [this] { StaticText4_Open(StaticText4()); };
}

PushButton& AboutBox::PushButton1() const { return ControlByName<::PushButton>("PushButton1"); }
PushButton& AboutBox::PushButton2() const { return ControlByName<::PushButton>("PushButton2"); }
Label& AboutBox::StaticText2() const { return ControlByName<::Label>("StaticText2"); }
Label& AboutBox::StaticText1() const { return ControlByName<::Label>("StaticText1"); }
Label& AboutBox::StaticText3() const { return ControlByName<::Label>("StaticText3"); }
Label& AboutBox::StaticText4() const { return ControlByName<::Label>("StaticText4"); }

void AboutBox::PushButton1_Action(PushButton&)
{
    ShowURL(Maker::kAuthorMail);
}

void AboutBox::PushButton2_Action(PushButton&)
{
    ShowURL(Maker::kWebSite);
}

void AboutBox::StaticText4_Open(Label& label)
{
    label.Text(TheApp().LongVersion());
}
