#pragma once

#include <memory>

// The single instance of menu bar class T: built on first use, shared by every window and the
// application object that show it, released at exit.
template <class T> std::shared_ptr<T>& ImplicitMenuBarSlot()
{
    static std::shared_ptr<T> bar;
    return bar;
}

template <class T> std::shared_ptr<T> ImplicitMenuBar()
{
    auto& bar = ImplicitMenuBarSlot<T>();
    if (!bar)
        bar = std::make_shared<T>();
    return bar;
}

// Clears the slot first, then lets the bar go.
template <class T> void ReleaseImplicitMenuBar()
{
    const auto bar = std::move(ImplicitMenuBarSlot<T>());
    ImplicitMenuBarSlot<T>() = nullptr;
}
