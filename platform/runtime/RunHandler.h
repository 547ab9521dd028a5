#pragma once

#include <functional>

// Runs an event handler. An exception that escapes it is reported in a message box and the
// program goes on; nothing may unwind through Qt's event loop. The handler runs in a
// HandlerScope: a window it closes stays until it has returned.
void RunHandler(const std::function<void()>& handler);
