#pragma once

#include "platform/Window.h"

// The about window.
class AboutBox : public Window {
public:
    static constexpr const char* kClassName = "AboutBox";
    AboutBox();

protected:
    void Layout() override;
};
