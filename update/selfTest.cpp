#include "update/selfTest.h"

#include "common/TheApp.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Label.h"
#include "platform/windows/PushButton.h"
#include "update/updateWindow.h"

selfTest::selfTest() : Window(kClassName) {}

void selfTest::Layout()
{
    SetProperties({.Title = "Self Test",
                   .Width = 212,
                   .Height = 102,
                   .Resizeable = false,
                   .MinimizeButton = false,
                   .MaximizeButton = false});
}

void selfTest::CreateControls()
{
    CreateControls0();
}

void selfTest::CreateControls0()
{
    NewControl<::Label>("StaticText1");
    StaticText1().SetProperties({.Control = {.Left = 43, .Top = 20, .Width = 61, .Height = 20, .TabIndex = 0},
                                 .Text = "Version:",
                                 .TextAlign = 0,
                                 .TextFont = "System",
                                 .Bold = true});

    NewControl<::Label>("StaticText2");
    StaticText2().SetProperties({.Control = {.Left = 94, .Top = 20, .Width = 76, .Height = 20, .TabIndex = 1},
                                 .Text = "1.0.0 UB",
                                 .TextAlign = 2,
                                 .TextFont = "System",
                                 .Bold = true});
    StaticText2().OpenEvent = [this] { StaticText2_Open(StaticText2()); };

    NewControl<::PushButton>("PushButton1");
    PushButton1().SetProperties({.Control = {.Left = 28, .Top = 61, .Width = 157, .Height = 21, .TabIndex = 2},
                                 .Caption = "Check for Updates",
                                 .Default = true,
                                 .Cancel = false,
                                 .TextFont = "System",
                                 .Bold = true});
    PushButton1().Action = [this](PushButton& button) { PushButton1_Action(button); };
}

Label& selfTest::StaticText1() const { return ControlByName<::Label>("StaticText1"); }
Label& selfTest::StaticText2() const { return ControlByName<::Label>("StaticText2"); }
PushButton& selfTest::PushButton1() const { return ControlByName<::PushButton>("PushButton1"); }

void selfTest::StaticText2_Open(Label& label)
{
    label.Text(TheApp().LongVersion());
}

void selfTest::PushButton1_Action(PushButton&)
{
    // An update window that is already open is only brought forward: no second request.
    ImplicitWindow<updateWindow>().Show();
    ImplicitWindow<selfTest>().Close();
}
