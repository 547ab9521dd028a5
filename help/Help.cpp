#include "help/Help.h"

#include "help/MenuBar2.h"

Help::Help() : Window(kClassName) {}

void Help::Layout()
{
    MenuBar(MenuBar2::Instance());
    _SetProperties({.Title = "Quorrel", .Width = 350, .Height = 348, .Resizeable = false, .LiveResize = false,
                    .MinimizeButton = false, .MaximizeButton = false});
}
