#include "platform/Resampler.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3") // the inner loops rely on vectorisation, also in debug-info builds
#endif

namespace {

constexpr int kWeightBits = 14;
constexpr int kOne = 1 << kWeightBits;
// The vertical sums keep this many bits below the 8 of a channel for the horizontal pass.
constexpr int kMidBits = 8;

struct Taps {
    std::vector<int> start;    // first source index of each destination index
    std::vector<int> count;    // number of source indices
    std::vector<int> offset;   // where its weights begin in weights
    std::vector<std::uint32_t> weights; // each destination's weights sum to kOne
};

// Weights for destination indices [first, last) of a destination length dstLen taken from
// source indices [0, srcLen).
Taps makeTaps(int srcLen, int dstLen, int first, int last)
{
    Taps t;
    const int n = last - first;
    t.start.resize(std::size_t(n));
    t.count.resize(std::size_t(n));
    t.offset.resize(std::size_t(n));
    const double scale = double(srcLen) / double(dstLen);
    std::vector<double> w;
    for (int i = 0; i < n; ++i) {
        const int d = first + i;
        w.clear();
        int start;
        if (dstLen <= srcLen) {
            const double from = d * scale;
            const double to = (d + 1) * scale;
            start = std::min(int(std::floor(from)), srcLen - 1);
            const int end = std::min(int(std::ceil(to)), srcLen);
            for (int s = start; s < std::max(end, start + 1); ++s)
                w.push_back(std::max(0.0, std::min(to, s + 1.0) - std::max(from, double(s))));
        } else {
            const double centre = (d + 0.5) * scale - 0.5;
            const int below = int(std::floor(centre));
            const double f = centre - below;
            start = std::clamp(below, 0, srcLen - 1);
            const int next = std::clamp(below + 1, 0, srcLen - 1);
            if (next == start)
                w.push_back(1.0);
            else {
                w.push_back(1.0 - f);
                w.push_back(f);
            }
        }
        double sum = 0;
        for (double v : w)
            sum += v;
        t.start[std::size_t(i)] = start;
        t.count[std::size_t(i)] = int(w.size());
        t.offset[std::size_t(i)] = int(t.weights.size());
        std::uint32_t total = 0;
        std::size_t largest = t.weights.size();
        for (double v : w) {
            const auto q = std::uint32_t(std::lround(v / sum * kOne));
            if (q > (largest < t.weights.size() ? t.weights[largest] : 0))
                largest = t.weights.size();
            t.weights.push_back(q);
            total += q;
        }
        // Rounding must not change the brightness: the error goes to the largest weight.
        t.weights[largest] = std::uint32_t(int(t.weights[largest]) + kOne - int(total));
    }
    return t;
}

} // namespace

void Resampler::Scale(const Image& source, Rect from, const Image& destination, Rect to)
{
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0 || from.x < 0 || from.y < 0
        || from.x + from.width > source.width || from.y + from.height > source.height)
        return;
    const int x0 = std::max(to.x, 0), x1 = std::min<long long>(std::int64_t(to.x) + to.width, destination.width);
    const int y0 = std::max(to.y, 0), y1 = std::min<long long>(std::int64_t(to.y) + to.height, destination.height);
    if (x0 >= x1 || y0 >= y1)
        return;

    const Taps across = makeTaps(from.width, to.width, x0 - to.x, x1 - to.x);
    const Taps down = makeTaps(from.height, to.height, y0 - to.y, y1 - to.y);
    // Only the source columns that reach a visible destination column are filtered vertically.
    const int colFirst = across.start.front();
    const int colLast = across.start.back() + across.count.back();
    const std::size_t channels = std::size_t(colLast - colFirst) * 4;
    std::vector<std::uint32_t> sum(channels);
    std::vector<std::uint16_t> mid(channels);

    for (int j = 0; j < y1 - y0; ++j) {
        const std::size_t jj = std::size_t(j);
        const std::uint32_t* w = down.weights.data() + down.offset[jj];
        std::uint32_t* acc = sum.data();
        for (int k = 0; k < down.count[jj]; ++k) {
            const auto* row = reinterpret_cast<const std::uint8_t*>(
                source.pixels + std::size_t(from.y + down.start[jj] + k) * std::size_t(source.stride) + from.x
                + colFirst);
            const std::uint32_t weight = w[k];
            if (k == 0)
                for (std::size_t i = 0; i < channels; ++i)
                    acc[i] = row[i] * weight;
            else
                for (std::size_t i = 0; i < channels; ++i)
                    acc[i] += row[i] * weight;
        }
        constexpr int shift = kWeightBits - kMidBits;
        for (std::size_t i = 0; i < channels; ++i)
            mid[i] = std::uint16_t((acc[i] + (1u << (shift - 1))) >> shift);

        std::uint32_t* out = destination.pixels + std::size_t(y0 + j) * std::size_t(destination.stride) + x0;
        for (int i = 0; i < x1 - x0; ++i) {
            const std::size_t ii = std::size_t(i);
            const std::uint16_t* p = mid.data() + std::size_t(across.start[ii] - colFirst) * 4;
            const std::uint32_t* wx = across.weights.data() + across.offset[ii];
            std::uint32_t c0 = 0, c1 = 0, c2 = 0, c3 = 0;
            for (int k = 0, n = across.count[ii]; k < n; ++k, p += 4) {
                c0 += p[0] * wx[k];
                c1 += p[1] * wx[k];
                c2 += p[2] * wx[k];
                c3 += p[3] * wx[k];
            }
            constexpr int bits = kWeightBits + kMidBits;
            constexpr std::uint32_t half = 1u << (bits - 1);
            out[i] = ((c0 + half) >> bits) | ((c1 + half) >> bits) << 8 | ((c2 + half) >> bits) << 16
                | ((c3 + half) >> bits) << 24;
        }
    }
}
