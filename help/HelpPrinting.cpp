#include "help/HelpPrinting.h"

#include "help/Help.h"
#include "platform/ImplicitWindow.h"

bool PrintHelp()
{
    ImplicitWindow<Help>().Close();
    return true;
}
