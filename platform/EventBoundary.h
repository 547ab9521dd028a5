#pragma once

#include <functional>

// Runs an event handler. An exception that escapes it is reported in a message box and the
// program goes on; nothing may unwind through Qt's event loop.
void RunHandler(const std::function<void()>& handler);
