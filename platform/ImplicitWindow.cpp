#include "platform/ImplicitWindow.h"

#include <QTimer>
#include <map>

namespace {

std::map<std::string, std::unique_ptr<Window>>& live()
{
    static std::map<std::string, std::unique_ptr<Window>> windows;
    return windows;
}

// Closed windows wait here until the event that closed them is over.
std::vector<std::unique_ptr<Window>>& closed()
{
    static std::vector<std::unique_ptr<Window>> windows;
    return windows;
}

void deleteClosedWindows()
{
    auto windows = std::move(closed());
    closed().clear();
}

} // namespace

Window* WindowRegistry::Find(const std::string& key)
{
    const auto found = live().find(key);
    return found == live().end() ? nullptr : found->second.get();
}

void WindowRegistry::Add(const std::string& key, std::unique_ptr<Window> window)
{
    live()[key] = std::move(window);
}

void WindowRegistry::Forget(Window& window)
{
    for (auto it = live().begin(); it != live().end(); ++it) {
        if (it->second.get() == &window) {
            const bool first = closed().empty();
            closed().push_back(std::move(it->second));
            live().erase(it);
            if (first)
                QTimer::singleShot(0, &deleteClosedWindows);
            return;
        }
    }
}

std::vector<Window*> WindowRegistry::All()
{
    std::vector<Window*> windows;
    for (auto& [key, window] : live())
        windows.push_back(window.get());
    return windows;
}

void WindowRegistry::Clear()
{
    auto windows = std::move(live());
    live().clear();
    windows.clear();
    deleteClosedWindows();
}
