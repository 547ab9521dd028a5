#pragma once

#include "platform/Window.h"

// The self-test window: the program's version and "Check for Updates".
class selfTest : public Window {
public:
    static constexpr const char* kClassName = "selfTest";
    selfTest();

protected:
    void Layout() override;
};
