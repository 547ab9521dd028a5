#include "platform/ImplicitWindow.h"

#include <QObject>
#include <algorithm>
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

void deleteClosedWindow(const Window* window)
{
    auto& windows = closed();
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [window](const std::unique_ptr<Window>& w) { return w.get() == window; });
    if (found == windows.end())
        return;
    const std::unique_ptr<Window> doomed = std::move(*found);
    windows.erase(found);
}

// Deletes a closed window through Qt's deferred deletion, which waits for the event loop that
// was running when the window closed: a modal dialog the closing handler opens afterwards runs
// a nested loop, and the handler's window must outlive it.
void deleteWhenBackInLoop(const Window* window)
{
    auto* reaper = new QObject;
    QObject::connect(reaper, &QObject::destroyed, [window] { deleteClosedWindow(window); });
    reaper->deleteLater();
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
            closed().push_back(std::move(it->second));
            live().erase(it);
            deleteWhenBackInLoop(&window);
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
