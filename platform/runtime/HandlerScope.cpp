#include "platform/runtime/HandlerScope.h"

#include <algorithm>
#include <vector>

namespace {

int depth = 0;

struct Waiting {
    int runBelow; // runs once fewer scopes than this are open
    std::function<void()> work;
};

std::vector<Waiting>& waiting()
{
    static std::vector<Waiting> list;
    return list;
}

void whenDepthBelow(int runBelow, std::function<void()> work)
{
    if (depth < runBelow)
        work();
    else
        waiting().push_back({runBelow, std::move(work)});
}

// In the order they were queued. Work may open and end scopes itself, so each is taken out of
// the list before it runs.
void runDue()
{
    for (;;) {
        auto& list = waiting();
        const auto due = std::find_if(list.begin(), list.end(), [](const Waiting& w) { return depth < w.runBelow; });
        if (due == list.end())
            return;
        const std::function<void()> work = std::move(due->work);
        list.erase(due);
        try {
            work();
        } catch (...) {
        }
    }
}

} // namespace

HandlerScope::HandlerScope()
{
    ++depth;
}

HandlerScope::~HandlerScope()
{
    --depth;
    runDue();
}

void HandlerScope::WhenCurrentEnds(std::function<void()> work)
{
    whenDepthBelow(std::max(depth, 1), std::move(work));
}

void HandlerScope::WhenAllEnd(std::function<void()> work)
{
    whenDepthBelow(1, std::move(work));
}
