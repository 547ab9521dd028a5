#pragma once

#include "platform/Window.h"

// The help window.
class Help : public Window {
public:
    static constexpr const char* kClassName = "Help";
    Help();

protected:
    void Layout() override;
};
