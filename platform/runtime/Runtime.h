#pragma once

#include <functional>

// The framework's life: set up before anything else, the event loop, and the shut-down.
// Only argv[0], the program's name, is used: a launch with arguments starts like a plain one.
void _RuntimeInit(int& argc, char** argv);
// Calls lateStartup once the framework is ready for windows.
void _RunFrameworkInitialization(const std::function<void()>& lateStartup);
// Raises the application object's Open event, then runs the event loop until Quit.
int _RuntimeRun();
// Deletes every window; the Qt application goes last.
int _RuntimeShutdown(int result);
