#include "help/MenuBar2.h"

#include "common/MenuEntry.h"
#include "platform/windows/ImplicitMenuBar.h"
#include "platform/windows/QuitMenuItem.h"

MenuBar2::MenuBar2()
{
    Untitled0();
    Untitled1();
}

void MenuBar2::Untitled0()
{
    AppendMenu(*this, "FileMenu", "&File");
    AppendEntry<MenuItem>(*this, "FileMenu", "FilePrintHelp", "Print Help", "Cmd+P");
    AppendEntry<QuitMenuItem>(*this, "FileMenu", "FileQuit", "&Quit", "Cmd+Q");
}

void MenuBar2::Untitled1()
{
    AppendEditMenu(*this);
}

std::shared_ptr<MenuBar2> MenuBar2::Instance()
{
    return ImplicitMenuBar<MenuBar2>();
}

void MenuBar2::Release()
{
    ReleaseImplicitMenuBar<MenuBar2>();
}
