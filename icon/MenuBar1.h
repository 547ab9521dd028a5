#pragma once

#include "platform/windows/MenuBar.h"

#include <memory>

// The main menu bar, shared by the application object and the main window.
class MenuBar1 : public MenuBar {
public:
    MenuBar1();
    void Untitled0(); // File
    void Untitled1(); // Edit
    void Untitled2(); // Check For Update
    void Untitled3(); // Help

    // The one instance, built on first use.
    static std::shared_ptr<MenuBar1> Instance();
    static void Release();
};
