#pragma once

#include "platform/runtime/Application.h"

// The application object: it shows the main window when the program starts.
class App : public Application {
public:
    App();
    void Event_Open() override;
};
