#include "help/MenuBar2.h"

#include "app/MenuEntry.h"
#include "platform/QuitMenuItem.h"

namespace {
std::shared_ptr<MenuBar2>& implicitInstance()
{
    static std::shared_ptr<MenuBar2> bar;
    return bar;
}
} // namespace

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
    if (!implicitInstance())
        implicitInstance() = std::make_shared<MenuBar2>();
    return implicitInstance();
}

void MenuBar2::_Release()
{
    auto bar = std::move(implicitInstance());
    implicitInstance() = nullptr;
}
