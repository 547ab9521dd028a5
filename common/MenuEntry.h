#pragma once

#include "platform/runtime/NilObjectException.h"
#include "platform/windows/MenuBar.h"

#include <memory>
#include <optional>
#include <string>

// Building blocks shared by both menu bars: every entry is auto-enabled, gets its name,
// text and shortcut in that order, and is appended to its menu found afresh by name.

inline void AppendMenu(MenuBar& bar, const std::string& name, const std::string& text)
{
    auto menu = std::make_shared<MenuItem>();
    menu->Name = name;
    menu->AutoEnable = true;
    menu->Text = text;
    menu->KeyboardShortcut = "";
    bar.Append(menu);
}

// shortcut: nothing leaves the shortcut unset (separators); "" sets the empty shortcut.
template <class T>
void AppendEntry(MenuBar& bar, const std::string& menuName, const std::string& name, const std::string& text,
                 std::optional<std::string> shortcut)
{
    auto item = std::make_shared<T>();
    item->Name = name;
    item->AutoEnable = true;
    item->Text = text;
    if (shortcut)
        item->KeyboardShortcut = *shortcut;
    MenuItem* menu = bar.Child(menuName);
    if (!menu)
        throw NilObjectException("no menu named " + menuName);
    menu->Append(item);
}

// The Edit menu, the same in both bars.
inline void AppendEditMenu(MenuBar& bar)
{
    AppendMenu(bar, "EditMenu", "&Edit");
    AppendEntry<MenuItem>(bar, "EditMenu", "EditUndo", "&Undo", "Cmd+Z");
    AppendEntry<MenuItem>(bar, "EditMenu", "EditSeparator1", "-", std::nullopt);
    AppendEntry<MenuItem>(bar, "EditMenu", "EditCut", "Cu&t", "Cmd+X");
    AppendEntry<MenuItem>(bar, "EditMenu", "EditCopy", "&Copy", "Cmd+C");
    AppendEntry<MenuItem>(bar, "EditMenu", "EditPaste", "&Paste", "Cmd+V");
    AppendEntry<MenuItem>(bar, "EditMenu", "EditClear", "&Delete", "");
    AppendEntry<MenuItem>(bar, "EditMenu", "EditSeparator2", "-", std::nullopt);
    AppendEntry<MenuItem>(bar, "EditMenu", "EditSelectAll", "Select &All", "Cmd+A");
}
