#include "platform/windows/ImplicitWindow.h"

#include "platform/runtime/HandlerScope.h"

#include <QObject>
#include <algorithm>
#include <map>

namespace {

std::map<std::string, std::unique_ptr<Window>>& live()
{
    static std::map<std::string, std::unique_ptr<Window>> windows;
    return windows;
}

// Closed windows wait here until nothing that may still use them is running. Each has a
// ticket of its own, so that a late reaper never takes a newer window at the same address.
struct ClosedWindow {
    unsigned long ticket;
    std::unique_ptr<Window> window;
};

std::vector<ClosedWindow>& closed()
{
    static std::vector<ClosedWindow> windows;
    return windows;
}

void deleteClosedWindows()
{
    auto windows = std::move(closed());
    closed().clear();
}

void deleteClosedWindow(unsigned long ticket)
{
    auto& windows = closed();
    const auto found = std::find_if(windows.begin(), windows.end(),
                                    [ticket](const ClosedWindow& w) { return w.ticket == ticket; });
    if (found == windows.end())
        return;
    const std::unique_ptr<Window> doomed = std::move(found->window);
    windows.erase(found);
}

// A window may close inside a yield or a modal dialog of a handler that still uses it, or of
// Qt's own event code (a slider's key press) around that handler. So it waits until every
// handler and yielding loop has returned; then Qt's deferred deletion waits until the event
// being handled there is over, and outlasts any nested loop (a modal dialog) opened meanwhile.
void deleteWhenUnused(unsigned long ticket)
{
    HandlerScope::WhenAllEnd([ticket] {
        auto* reaper = new QObject;
        QObject::connect(reaper, &QObject::destroyed, [ticket] { deleteClosedWindow(ticket); });
        reaper->deleteLater();
    });
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
            static unsigned long lastTicket = 0;
            const unsigned long ticket = ++lastTicket;
            closed().push_back({ticket, std::move(it->second)});
            live().erase(it);
            deleteWhenUnused(ticket);
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
