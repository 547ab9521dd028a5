#pragma once

#include <functional>

// Marks code that may still use the windows and controls it reached: an event handler while
// it runs, a long loop while it yields. Scopes nest; work can wait until they have ended.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;

    // Runs work when the innermost scope open now ends; at once when none is open.
    static void WhenCurrentEnds(std::function<void()> work);
    // Runs work when no scope is open any more; at once when none is open.
    static void WhenAllEnd(std::function<void()> work);
};
