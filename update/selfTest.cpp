#include "update/selfTest.h"

selfTest::selfTest() : Window(kClassName) {}

void selfTest::Layout()
{
    _SetProperties({.Title = "Self Test", .Width = 212, .Height = 102, .Resizeable = false, .LiveResize = false,
                    .MinimizeButton = false, .MaximizeButton = false});
}
