#include "help/AboutBox.h"

AboutBox::AboutBox() : Window(kClassName) {}

void AboutBox::Layout()
{
    _SetProperties({.Title = "About...", .Width = 247, .Height = 312, .Resizeable = false, .LiveResize = false,
                    .MinimizeButton = false, .MaximizeButton = false});
}
