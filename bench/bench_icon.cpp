// The icon workflow's waits: the mask recompute (against a plain loop over the same pixels),
// a live slider, loading the photos and saving the three files. Prints medians and ratios.

#include "app/Startup.h"
#include "common/TheApp.h"
#include "icon/Module1.h"
#include "icon/Window1.h"
#include "platform/images/JpegReader.h"
#include "platform/windows/Canvas.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/MessageDialog.h"
#include "platform/windows/Seam.h"
#include "platform/windows/Slider.h"
#include "support/PaintCounter.h"

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::map<std::string, std::vector<double>>& samples()
{
    static std::map<std::string, std::vector<double>> all;
    return all;
}

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// How long one run of work takes, in milliseconds.
template <class Work>
double timed(Work&& work)
{
    const auto start = Clock::now();
    work();
    return milliseconds(Clock::now() - start);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Answers the dialogs from queues and counts the messages, like a user who always says OK.
class BenchSeam : public Seam {
public:
    std::vector<std::string> files, folders, messages;
    void MsgBox(const std::string& text) override { messages.push_back(text); }
    MessageDialogButton* ShowMessageDialog(MessageDialog&) override { return nullptr; }
    std::optional<std::string> OpenFile(const OpenFileRequest&) override { return take(files); }
    std::optional<std::string> SelectFolder(const std::string&, const std::string&) override { return take(folders); }
    void Beep() override {}
    void ShowURL(const std::string&) override {}

private:
    static std::optional<std::string> take(std::vector<std::string>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        std::string front = queue.front();
        queue.erase(queue.begin());
        return front;
    }
};

BenchSeam* seam = nullptr;

std::string photosFolder()
{
    if (const char* env = std::getenv("QUORREL_PHOTOS"); env && QDir(env).exists())
        return env;
    return QUORREL_PHOTOS;
}

std::vector<std::string> photos()
{
    std::vector<std::string> paths;
    const QDir dir(QString::fromStdString(photosFolder()));
    for (const QString& name : dir.entryList({"*.jpg", "*.JPG", "*.jpeg"}, QDir::Files, QDir::Name))
        paths.push_back(dir.filePath(name).toStdString());
    return paths;
}

bool loadThroughTheMenu(const std::string& path)
{
    seam->files.push_back(path);
    return ImplicitWindow<Window1>().FileLoadIconSource_Action() && seam->messages.empty();
}

// The largest photo gives the pictures that the mask benchmarks work on.
bool ensureLoaded()
{
    if (Module1::SourceLoaded())
        return true;
    const auto all = photos();
    return !all.empty() && loadThroughTheMenu(all.back());
}

// Whether the mask benchmarks have their pictures; otherwise the run is marked skipped.
bool loadedOrSkip(benchmark::State& state)
{
    if (ensureLoaded())
        return true;
    state.SkipWithError("no photo loaded");
    return false;
}

// The reference: the mask's own order (columns outer, rows inner) over raw pixels, no calls.
void tightPass(const Picture& iconPicture, Picture& maskPicture, int bound, int fuzz)
{
    const QImage& iconImage = iconPicture.Image();
    QImage& maskImage = maskPicture.Image();
    const auto* icon = reinterpret_cast<const std::uint32_t*>(iconImage.constBits());
    auto* mask = reinterpret_cast<std::uint32_t*>(maskImage.bits());
    const int stride = static_cast<int>(iconImage.bytesPerLine() / 4);
    for (int x = 1; x <= bound; ++x)
        for (int y = 1; y <= bound; ++y) {
            const std::uint32_t c = icon[y * stride + x] & 0xFFFFFFu;
            const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
            mask[y * stride + x] = 0xFF000000u | (fuzz < r && fuzz < g && fuzz < b ? c : 0u);
        }
}

// Both masks, shown and hidden, as UpdateMask makes them.
void tightPasses(int fuzz)
{
    tightPass(*Module1::QIcon, *Module1::QMask, 510, fuzz);
    tightPass(*Module1::QIconHidden, *Module1::QMaskHidden, 1022, fuzz);
    benchmark::ClobberMemory();
}

void BM_UpdateMask(benchmark::State& state)
{
    if (!loadedOrSkip(state))
        return;
    for (auto _ : state)
        samples()["mask: UpdateMask"].push_back(timed([] { Module1::UpdateMask(); }));
}

void BM_TightLoop(benchmark::State& state)
{
    if (!loadedOrSkip(state))
        return;
    volatile int fuzz = Module1::Fuzz;
    for (auto _ : state)
        samples()["mask: tight loop"].push_back(timed([&] { tightPasses(fuzz); }));
}

// The two side by side, one run of each per iteration: the machine's drift hits both alike,
// so the median of the per-iteration ratios is steadier than the ratio of the two medians.
void BM_MaskPairs(benchmark::State& state)
{
    if (!loadedOrSkip(state))
        return;
    volatile int fuzz = Module1::Fuzz;
    for (auto _ : state) {
        const double ours = timed([] { Module1::UpdateMask(); });
        const double tight = timed([&] { tightPasses(fuzz); });
        samples()["mask pairs: UpdateMask / tight loop"].push_back(ours / tight);
    }
}

// A user on the slider: arrow keys reach the real slider through the event loop; a change
// counts as done when the mask view has painted it.
void BM_Slider(benchmark::State& state)
{
    if (!loadedOrSkip(state))
        return;
    Window1& window = ImplicitWindow<Window1>();
    Slider& slider = window.FuzzTolerance();
    const PaintCounter maskPaints(window.MaskCanvas().Widget());
    QWidget* sliderWidget = slider.Widget();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    for (auto _ : state) {
        int key = Qt::Key_Right;
        int extraPaints = 0;
        for (int change = 0; change < 100; ++change) {
            if (slider.Value() == slider.Maximum())
                key = Qt::Key_Left;
            else if (slider.Value() == slider.Minimum())
                key = Qt::Key_Right;
            const int valueBefore = slider.Value();
            const int paintsBefore = maskPaints.Count();
            const auto start = Clock::now();
            QCoreApplication::postEvent(sliderWidget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
            QCoreApplication::postEvent(sliderWidget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
            while (maskPaints.Count() == paintsBefore && Clock::now() - start < std::chrono::seconds(2))
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            const double elapsed = milliseconds(Clock::now() - start);
            if (slider.Value() == valueBefore || Module1::Fuzz != slider.Value()) {
                state.SkipWithError("the slider did not change");
                return;
            }
            // Anything still pending (a second paint) would show up here.
            for (int i = 0; i < 3; ++i)
                QCoreApplication::processEvents(QEventLoop::AllEvents);
            extraPaints += maskPaints.Count() - paintsBefore - 1;
            samples()["slider: change shown"].push_back(elapsed);
        }
        samples()["slider: extra paints per 100 changes"].push_back(extraPaints);
    }
}

void BM_Load(benchmark::State& state, const std::string& path)
{
    const std::string name = QFileInfo(QString::fromStdString(path)).fileName().toStdString();
    for (auto _ : state) {
        bool loaded = false;
        const double elapsed = timed([&] { loaded = loadThroughTheMenu(path); });
        if (!loaded) {
            state.SkipWithError("load failed");
            return;
        }
        samples()["load: " + name].push_back(elapsed);

        samples()["load: " + name + " (decode only)"].push_back(timed([&] {
            const JpegReader::Reduced decoded = JpegReader::DecodeFileReduced(path, true, 1024);
            benchmark::DoNotOptimize(decoded.picture);
        }));
    }
}

void BM_Save(benchmark::State& state)
{
    if (!loadedOrSkip(state))
        return;
    QTemporaryDir folder;
    Module1::OutputFolder = std::make_shared<FolderItem>(folder.path().toStdString());
    const FolderItem out(folder.path().toStdString());
    for (auto _ : state) {
        seam->messages.clear();
        const double elapsed = timed([] { ImplicitWindow<Window1>().FileSaveFiles_Action(); });
        if (seam->messages != std::vector<std::string>{"Files have been saved."}) {
            state.SkipWithError("saving failed");
            return;
        }
        samples()["save: three files"].push_back(elapsed);

        samples()["save: icon JPEG alone"].push_back(
            timed([&] { out.Child("i.jpg")->SaveAsJPEG(Module1::P1Hidden, 100); }));
        samples()["save: PNG alone"].push_back(
            timed([&] { out.Child("p.png")->SaveAsPNG(Module1::P1Hidden, Module1::QMaskHidden, 0.0f, false, 0); }));
    }
}

void printSummary()
{
    std::printf("\n== medians (ms)\n");
    for (const auto& [name, values] : samples())
        std::printf("%-58s %10.3f   (n=%zu)\n", name.c_str(), median(values), values.size());
    const auto m = [](const char* name) { return median(samples()[name]); };
    const double tight = m("mask: tight loop");
    if (tight > 0) {
        std::printf("\nUpdateMask / tight loop                                   %10.2fx  (goal <= 1.3x)\n",
                    m("mask: UpdateMask") / tight);
        std::printf("UpdateMask / tight loop, paired runs                      %10.2fx  (goal <= 1.3x)\n",
                    m("mask pairs: UpdateMask / tight loop"));
        std::printf("slider change shown / tight loop                          %10.2fx  (median %.2f ms, goal <= 16 ms)\n",
                    m("slider: change shown") / tight, m("slider: change shown"));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int qtArgc = 1;
    static char qtName[] = "bench_icon";
    static char* qtArgv[] = {qtName, nullptr};
    StartProgram(qtArgc, qtArgv);
    TheApp().Event_Open(); // what the event loop does first
    BenchSeam benchSeam;
    seam = &benchSeam;
    Seam* previous = Seam::Install(&benchSeam);

    benchmark::RegisterBenchmark("mask/UpdateMask", BM_UpdateMask)->Iterations(200)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("mask/TightLoop", BM_TightLoop)->Iterations(200)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("mask/UpdateMask_again", BM_UpdateMask)->Iterations(200)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("mask/TightLoop_again", BM_TightLoop)->Iterations(200)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("mask/pairs", BM_MaskPairs)->Iterations(300)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("slider/100_changes", BM_Slider)->Iterations(1)->Unit(benchmark::kMillisecond);
    for (const std::string& path : photos())
        benchmark::RegisterBenchmark(("load/" + QFileInfo(QString::fromStdString(path)).fileName().toStdString()).c_str(),
                                     BM_Load, path)
            ->Iterations(5)
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("save/three_files", BM_Save)->Iterations(5)->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    printSummary();

    Seam::Install(previous);
    return StopProgram(0);
}
