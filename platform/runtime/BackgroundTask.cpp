#include "platform/runtime/BackgroundTask.h"

#include "platform/runtime/HandlerScope.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>

namespace {
// Calls between two looks at the clock, and the time between two event passes.
constexpr unsigned long callsPerCheck = 16384;
constexpr auto eventInterval = std::chrono::milliseconds(8);
auto lastEvents = std::chrono::steady_clock::now();
}

unsigned long BackgroundTask::countdown = callsPerCheck;

void BackgroundTask::Poll()
{
    countdown = callsPerCheck;
    const auto now = std::chrono::steady_clock::now();
    if (now - lastEvents < eventInterval)
        return;
    lastEvents = now;
    auto* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        // The loop that yields is still using what it reached before.
        const HandlerScope scope;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    }
    lastEvents = std::chrono::steady_clock::now();
}
