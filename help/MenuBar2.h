#pragma once

#include "platform/windows/MenuBar.h"

#include <memory>

// The help window's menu bar: File with "Print Help" and "Quit", and Edit.
class MenuBar2 : public MenuBar {
public:
    MenuBar2();
    void Untitled0(); // File
    void Untitled1(); // Edit

    // The one instance, built on first use and shared by every help window.
    static std::shared_ptr<MenuBar2> Instance();
    static void Release();
};
