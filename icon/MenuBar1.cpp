#include "icon/MenuBar1.h"

#include "common/MenuEntry.h"
#include "platform/windows/ApplicationMenuItem.h"
#include "platform/windows/ImplicitMenuBar.h"

MenuBar1::MenuBar1()
{
    Untitled0();
    Untitled1();
    Untitled2();
    Untitled3();
}

void MenuBar1::Untitled0()
{
    AppendMenu(*this, "FileMenu", "File");
    AppendEntry<MenuItem>(*this, "FileMenu", "FileIdentifyOutputFolder", "Identify Output Folder", "");
    AppendEntry<MenuItem>(*this, "FileMenu", "FileLoadIconSource", "Load Icon Source", "Cmd+O");
    AppendEntry<MenuItem>(*this, "FileMenu", "FileSaveFiles", "Save Files", "Cmd+S");
    AppendEntry<MenuItem>(*this, "FileMenu", "FilePrintHelp", "Print Help", "Cmd+P");
}

void MenuBar1::Untitled1()
{
    AppendEditMenu(*this);
}

void MenuBar1::Untitled2()
{
    AppendMenu(*this, "CheckForUpdateMenu", "Check For Update");
    AppendEntry<MenuItem>(*this, "CheckForUpdateMenu", "CheckForUpdateCheckNow", "Check Now", "");
}

void MenuBar1::Untitled3()
{
    AppendMenu(*this, "HelpMenu", "Help ");
    AppendEntry<MenuItem>(*this, "HelpMenu", "HelpShowHelp", "Show Help", "");
    AppendEntry<ApplicationMenuItem>(*this, "HelpMenu", "HelpAbout", "About...", "");
}

std::shared_ptr<MenuBar1> MenuBar1::Instance()
{
    return ImplicitMenuBar<MenuBar1>();
}

void MenuBar1::Release()
{
    ReleaseImplicitMenuBar<MenuBar1>();
}
