#pragma once

#include "platform/windows/Window.h"

#include <memory>
#include <string>
#include <vector>

// The registry of implicit instances: one live window per class, keyed "Class.Class".
namespace WindowRegistry {
Window* Find(const std::string& key);
void Add(const std::string& key, std::unique_ptr<Window> window);
// Forgets the window; it is deleted once no handler or yielding loop is running any more and
// the event being handled then is over.
void Forget(Window& window);
std::vector<Window*> All();
// Deletes every window, open or closed (at exit).
void Clear();
}

inline std::string ImplicitKey(const std::string& className)
{
    return className + "." + className;
}

template <class T> std::string ImplicitKey()
{
    return ImplicitKey(T::kClassName);
}

// The live instance of window class T, built on first use.
template <class T> T& ImplicitWindow()
{
    const std::string key = ImplicitKey<T>();
    if (Window* window = WindowRegistry::Find(key)) {
        if (auto* typed = dynamic_cast<T*>(window))
            return *typed;
        throw NilObjectException(key + " is not a " + T::kClassName);
    }
    auto owned = std::make_unique<T>();
    T& window = *owned;
    WindowRegistry::Add(key, std::move(owned));
    window.Construct();
    return window;
}

// The live instance of T, or nullptr when none is open.
template <class T> T* OpenImplicitWindow()
{
    return dynamic_cast<T*>(WindowRegistry::Find(ImplicitKey<T>()));
}

// The live instance of the window class of that name, or nullptr when none is open: for code
// that may not know the class itself.
inline Window* OpenImplicitWindowNamed(const std::string& className)
{
    return WindowRegistry::Find(ImplicitKey(className));
}
