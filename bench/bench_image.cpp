// Image layer: load (decode + both scalings) against TurboJPEG's decode alone at the same
// scale, the quality-100 JPEG encode, and saving the three files against libpng at level 6 with adaptive filters.
#include "icon/IconSource.h"
#include "platform/images/Graphics.h"
#include "platform/images/JpegReader.h"
#include "platform/images/JpegWriter.h"
#include "platform/images/Picture.h"
#include "platform/images/PngWriter.h"
#include "platform/images/Testing.h"
#include "platform/runtime/FolderItem.h"

#include <benchmark/benchmark.h>
#include <turbojpeg.h>
#include <zlib.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* const kPhotos[] = {"Picture_1A_by_freespace.jpg", "aitzgorri_by_Aitzol_Berasategi.jpg",
                               "Dragonfly_by_Bolly.jpg", "Kleiber_by_Lukas_Baubkus.jpg"};

std::string photoPath(int i)
{
    const char* env = std::getenv("QUORREL_PHOTOS");
    return std::string(env && *env ? env : QUORREL_PHOTOS) + "/" + kPhotos[i];
}

std::vector<unsigned char> readAll(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return {b.begin(), b.end()};
}

// The bytes of the photo the run is for; empty once the run is marked skipped.
std::vector<unsigned char> photoOrSkip(benchmark::State& state)
{
    std::vector<unsigned char> data = readAll(photoPath(int(state.range(0))));
    if (data.empty())
        state.SkipWithError("photo missing");
    return data;
}

// What loading does with a decoded picture: both icons scaled by target / the photo's height.
void scaleBoth(const JpegReader::Reduced& pic)
{
    for (int size : {512, 1024}) {
        PicturePtr icon = IconSource::Scaled(*pic.picture, pic.width, pic.height, size);
        benchmark::DoNotOptimize(icon->Image().constBits());
    }
}

// The scale M/8 that loading decodes the photo at (TurboJPEG picks the largest whose size
// stays within the one asked for).
void scaledSize(tjhandle tj, const std::vector<unsigned char>& data, int& width, int& height, int& eighths)
{
    int sub = 0, cs = 0;
    tjDecompressHeader3(tj, data.data(), data.size(), &width, &height, &sub, &cs);
    const JpegReader::Reduced pic = JpegReader::DecodeReduced(data.data(), data.size(), true, 1024);
    eighths = pic.picture ? int(std::lround(8.0 * pic.picture->Height() / pic.height)) : 8;
    const tjscalingfactor factor{eighths, 8};
    width = TJSCALED(width, factor);
    height = TJSCALED(height, factor);
}

// Decodes at w x h (TurboJPEG picks the scale from it) into a new buffer each time, as a
// decode into a new picture has it; then closes tj.
void decodeIntoNewBuffers(benchmark::State& state, tjhandle tj, const std::vector<unsigned char>& data, int w, int h)
{
    for (auto _ : state) {
        std::unique_ptr<unsigned char[]> out(new unsigned char[std::size_t(w) * std::size_t(h) * 4]);
        tjDecompress2(tj, data.data(), data.size(), out.get(), w, 0, h, TJPF_BGRX, 0);
        benchmark::DoNotOptimize(out.get());
    }
    tjDestroy(tj);
    state.SetLabel(kPhotos[state.range(0)]);
}

std::map<int, int> g_eighths;

// TurboJPEG's decode at loading's scale into a new buffer: the reference for loading.
void BM_TurboJpegScaledDecode(benchmark::State& state)
{
    const std::vector<unsigned char> data = photoOrSkip(state);
    if (data.empty())
        return;
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, eighths = 8;
    scaledSize(tj, data, w, h, eighths);
    g_eighths[int(state.range(0))] = eighths;
    decodeIntoNewBuffers(state, tj, data, w, h);
}

void BM_TurboJpegDecode(benchmark::State& state)
{
    const std::vector<unsigned char> data = photoOrSkip(state);
    if (data.empty())
        return;
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, sub = 0, cs = 0;
    tjDecompressHeader3(tj, data.data(), data.size(), &w, &h, &sub, &cs);
    decodeIntoNewBuffers(state, tj, data, w, h);
}

// The same into one buffer reused across iterations: the decoder's own speed, without the
// first touch of a new picture's memory.
void BM_TurboJpegDecodeReused(benchmark::State& state)
{
    const std::vector<unsigned char> data = photoOrSkip(state);
    if (data.empty())
        return;
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, sub = 0, cs = 0;
    tjDecompressHeader3(tj, data.data(), data.size(), &w, &h, &sub, &cs);
    std::vector<unsigned char> out(std::size_t(w) * std::size_t(h) * 4);
    for (auto _ : state)
        tjDecompress2(tj, data.data(), data.size(), out.data(), w, 0, h, TJPF_BGRX, 0);
    tjDestroy(tj);
    state.SetLabel(kPhotos[state.range(0)]);
}

void BM_Decode(benchmark::State& state)
{
    const std::vector<unsigned char> data = photoOrSkip(state);
    if (data.empty())
        return;
    for (auto _ : state)
        benchmark::DoNotOptimize(JpegReader::Decode(data.data(), data.size(), true));
    state.SetLabel(kPhotos[state.range(0)]);
}

void BM_LoadAndScale(benchmark::State& state)
{
    const FolderItem file(photoPath(int(state.range(0))));
    for (auto _ : state) {
        const IconSource::Icons icons = IconSource::Load(file);
        if (!icons.display) {
            state.SkipWithError("photo missing or unreadable");
            return;
        }
        benchmark::DoNotOptimize(icons.output->Image().constBits());
    }
    state.SetLabel(kPhotos[state.range(0)]);
}

void BM_ScaleBoth(benchmark::State& state)
{
    const JpegReader::Reduced pic = JpegReader::DecodeFileReduced(photoPath(int(state.range(0))), true, 1024);
    if (!pic.picture) {
        state.SkipWithError("photo missing");
        return;
    }
    for (auto _ : state)
        scaleBoth(pic);
    state.SetLabel(kPhotos[state.range(0)]);
}

// The output icon and a mask of it (white where the photo is near white), as a save sees them.
struct Outputs {
    PicturePtr icon, mask;
};

const Outputs& outputs()
{
    static Outputs o = [] {
        Outputs r;
        PicturePtr pic = FolderItem(photoPath(0)).OpenAsJPEG(true);
        if (!pic)
            return r;
        r.icon = NewPicture(1024, 1024);
        const double ratio = 1024.0 / pic->Height();
        r.icon->Graphics().DrawPicture(*pic, 0, 0, int(pic->Width() * ratio + 0.5), 1024, 0, 0, pic->Width(),
                                       pic->Height());
        r.mask = NewPicture(1024, 1024);
        const QImage& icon = r.icon->Image();
        QImage& mask = r.mask->Image();
        for (int y = 0; y < 1024; ++y)
            for (int x = 0; x < 1024; ++x) {
                const QRgb c = icon.pixel(x, y);
                const bool light = qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200;
                mask.setPixel(x, y, light ? 0xFFFFFFFFu : 0xFF000000u);
            }
        return r;
    }();
    return o;
}

// The outputs; without an icon once the run is marked skipped.
const Outputs& outputsOrSkip(benchmark::State& state)
{
    const Outputs& o = outputs();
    if (!o.icon)
        state.SkipWithError("photo missing");
    return o;
}

// Encodes once per iteration and reports the size of what came out.
template <class Encode>
std::size_t encodeEachIteration(benchmark::State& state, Encode&& encode)
{
    std::size_t size = 0;
    for (auto _ : state)
        size = encode();
    state.counters["bytes"] = double(size);
    return size;
}

void BM_JpegEncode1024Q100(benchmark::State& state)
{
    const Outputs& o = outputsOrSkip(state);
    if (!o.icon)
        return;
    encodeEachIteration(state, [&] { return JpegWriter::Encode(*o.icon, 100).size(); });
}

std::map<std::string, double> g_pngBytes;

void BM_PngReferenceLevel6Adaptive(benchmark::State& state)
{
    const Outputs& o = outputsOrSkip(state);
    if (!o.icon)
        return;
    g_pngBytes["reference"] = double(encodeEachIteration(state, [&] {
        return testing::EncodePngWith(*o.icon, o.mask.get(), 0, false, PngWriter::kAdaptive, 6, Z_DEFAULT_STRATEGY)
            .size();
    }));
}

void BM_PngOurs(benchmark::State& state)
{
    const Outputs& o = outputsOrSkip(state);
    if (!o.icon)
        return;
    g_pngBytes["ours"] = double(encodeEachIteration(state, [&] { return PngWriter::Encode(*o.icon, o.mask.get()).size(); }));
}

// The settings the default was chosen from: level x filter x strategy.
void BM_PngSettings(benchmark::State& state)
{
    const Outputs& o = outputsOrSkip(state);
    if (!o.icon)
        return;
    const int level = int(state.range(0));
    const auto filter = PngWriter::Filter(state.range(1));
    const int strategy = int(state.range(2));
    encodeEachIteration(state,
                        [&] { return testing::EncodePngWith(*o.icon, o.mask.get(), 0, false, filter, level, strategy).size(); });
}

void BM_SaveThreeFiles(benchmark::State& state)
{
    const Outputs& o = outputs();
    QTemporaryDir dir;
    if (!o.icon || !dir.isValid()) {
        state.SkipWithError("photo missing");
        return;
    }
    const FolderItem folder(dir.path().toStdString());
    for (auto _ : state) {
        bool ok = folder.Child("logo Icon.jpg")->SaveAsJPEG(o.icon, 100);
        ok &= folder.Child("logo Mask.jpg")->SaveAsJPEG(o.mask, 100);
        ok &= folder.Child("logo.png")->SaveAsPNG(o.icon, o.mask, 0.0f, false, 0);
        if (!ok)
            state.SkipWithError("save failed");
    }
}

// Keeps each benchmark's time so that the ratios of the goals can be printed after the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (!run.error_occurred && (run.run_type == Run::RT_Iteration || run.aggregate_name == "median"))
                times[run.run_name.str()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

BENCHMARK(BM_TurboJpegDecode)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurboJpegDecodeReused)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurboJpegScaledDecode)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Decode)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScaleBoth)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndScale)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JpegEncode1024Q100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngReferenceLevel6Adaptive)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveThreeFiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngSettings)
    ->ArgsProduct({{1, 2, 3, 4}, {PngWriter::kNone, PngWriter::kSub, PngWriter::kUp, PngWriter::kPaeth,
                                  PngWriter::kAdaptive},
                   {Z_DEFAULT_STRATEGY, Z_FILTERED, Z_RLE}})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& t = reporter.times;
    std::printf("\nGoal ratios (smaller is better)\n");
    for (int i = 0; i < 4; ++i) {
        const std::string n = "/" + std::to_string(i);
        if (t.count("BM_TurboJpegScaledDecode" + n) && t.count("BM_LoadAndScale" + n))
            std::printf("  load %-36s decode+scale %.1f ms (scaling %.1f) / TurboJPEG decode at %d/8 into a new"
                        " buffer %.1f ms = %.2f\n",
                        kPhotos[i], t["BM_LoadAndScale" + n], t["BM_ScaleBoth" + n], g_eighths[i],
                        t["BM_TurboJpegScaledDecode" + n],
                        t["BM_LoadAndScale" + n] / t["BM_TurboJpegScaledDecode" + n]);
    }
    if (t.count("BM_SaveThreeFiles") && t.count("BM_PngReferenceLevel6Adaptive"))
        std::printf("  save three files %.1f ms / libpng level 6 adaptive %.1f ms = %.2f\n", t["BM_SaveThreeFiles"],
                    t["BM_PngReferenceLevel6Adaptive"],
                    t["BM_SaveThreeFiles"] / t["BM_PngReferenceLevel6Adaptive"]);
    if (g_pngBytes.count("ours") && g_pngBytes.count("reference"))
        std::printf("  PNG size ours %.0f / reference %.0f = %.3f\n", g_pngBytes["ours"], g_pngBytes["reference"],
                    g_pngBytes["ours"] / g_pngBytes["reference"]);
    benchmark::Shutdown();
    return 0;
}
