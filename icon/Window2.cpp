#include "icon/Window2.h"

#include "icon/Module1.h"
#include "platform/images/TiffPicture.h"
#include "platform/runtime/Strings.h"
#include "platform/windows/Canvas.h"
#include "platform/windows/ImplicitWindow.h"

Window2::Window2() : Window(kClassName) {}

void Window2::Layout()
{
    SetProperties({.Title = "PNG",
                   .Width = 512,
                   .Height = 512,
                   .Resizeable = false,
                   .MinimizeButton = false,
                   .MaximizeButton = false});
}

void Window2::CreateControls()
{
    CreateControls0();
}

void Window2::CreateControls0()
{
    NewControl<Canvas>("Canvas1");
    ControlByName<Canvas>("Canvas1").SetProperties(
        {.Control = {.Left = 0, .Top = 0, .Width = 512, .Height = 512, .TabIndex = 0},
         .AcceptFocus = false});
}

Canvas& Window2::Canvas1() const { return ControlByName<Canvas>("Canvas1"); }

void Window2::Event_Open()
{
    TiffPicture combiner;
    combiner.Pict = Module1::P1;
    combiner.Mask = Module1::QMask;
    Canvas1().Backdrop(combiner.CombinePictureWithMask());
    const std::string title = ::Left(Module1::IconName, Len(Module1::IconName) - 4) + ".png";
    ImplicitWindow<Window2>().Title(title);
}
