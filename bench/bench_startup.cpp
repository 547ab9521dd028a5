// Start-up to the main window shown: everything main() does before the event loop runs, then
// the application's Open event, until the window's first paint has happened.

#include "app/Startup.h"
#include "common/TheApp.h"
#include "icon/Window1.h"
#include "platform/runtime/Runtime.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/WindowWidget.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

int qtArgc = 1;
char qtName[] = "bench_startup";
char* qtArgv[] = {qtName, nullptr};

void StartupToWindowShown(benchmark::State& state)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        StartProgram(qtArgc, qtArgv); // the Qt application is already there
        TheApp().Event_Open(); // what the event loop does first
        Window1& window = ImplicitWindow<Window1>();
        window.Widget()->repaint();
        QCoreApplication::processEvents();
        const auto shown = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        Finalize(); // not StopProgram: the Qt application stays for the next round
        QCoreApplication::processEvents();
    }
}
BENCHMARK(StartupToWindowShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Repetitions(10)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    const auto processStart = std::chrono::steady_clock::now();
    RuntimeInit(argc, argv);
    const double qtInit = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - processStart).count();
    std::printf("Qt application set-up (once per process): %.2f ms\n", qtInit);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
