#pragma once

#include <functional>

// The framework's life: set up before anything else, the event loop, and the shut-down.
// Only argv[0], the program's name, is used: a launch with arguments starts like a plain one.
void RuntimeInit(int& argc, char** argv);
// Calls lateStartup once the framework is ready for windows.
void RunFrameworkInitialization(const std::function<void()>& lateStartup);
// Raises the application object's Open event, then runs the event loop until Quit.
int RuntimeRun();
// Deletes every window; the Qt application goes last.
int RuntimeShutdown(int result);
