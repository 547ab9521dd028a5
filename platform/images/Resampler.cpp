#include "platform/images/Resampler.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define QUORREL_HAVE_AVX2_PATH 1
#endif

namespace {

// Horizontal weights sum to 1 << kWeightBits; the vertical ones to 1 << 8 on the fast path
// (16-bit sums), or 1 << kWeightBits when a destination row draws on many source rows.
constexpr int kWeightBits = 14;
constexpr int kShortWeightBits = 8;
constexpr int kMaxShortTaps = 12; // more rows than this would make 8-bit weights too coarse
// Vertical sums keep this many bits below the 8 of a channel; 15-bit values fit the signed
// 16-bit multiply-add of the horizontal pass.
constexpr int kMidBits = 7;

struct Taps {
    std::vector<int> start;    // first source index of each destination index
    std::vector<int> count;    // number of source indices
    std::vector<int> offset;   // where its weights begin in weights
    std::vector<std::uint32_t> weights; // each destination's weights sum to 1 << bits
    int maxCount = 0;
};

// Weights for destination indices [first, last) of a destination length dstLen taken from
// source indices [0, srcLen).
Taps makeTaps(int srcLen, int dstLen, int first, int last, int bits)
{
    const int one = 1 << bits;
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
        t.maxCount = std::max(t.maxCount, int(w.size()));
        t.offset[std::size_t(i)] = int(t.weights.size());
        int total = 0;
        std::size_t largest = t.weights.size();
        for (double v : w) {
            const auto q = std::uint32_t(std::lround(v / sum * one));
            if (largest == t.weights.size() || q > t.weights[largest])
                largest = t.weights.size();
            t.weights.push_back(q);
            total += int(q);
        }
        // Rounding must not change the brightness: the error goes to the largest weight.
        t.weights[largest] = std::uint32_t(int(t.weights[largest]) + one - total);
    }
    return t;
}

// One destination row's vertical filter: n source rows into 15-bit sums per channel, each
// block of channels summed in registers over all rows.
void verticalShort(const std::uint8_t* const* rows, const std::uint32_t* w, int n, std::uint16_t* mid,
                   std::size_t channels)
{
    constexpr int shift = kShortWeightBits - kMidBits;
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    const __m128i round = _mm_set1_epi16(1 << (shift - 1));
    for (; i + 16 <= channels; i += 16) {
        __m128i lo = round, hi = round;
        for (int k = 0; k < n; ++k) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i));
            const __m128i weight = _mm_set1_epi16(short(w[k]));
            lo = _mm_add_epi16(lo, _mm_mullo_epi16(_mm_unpacklo_epi8(v, zero), weight));
            hi = _mm_add_epi16(hi, _mm_mullo_epi16(_mm_unpackhi_epi8(v, zero), weight));
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(mid + i), _mm_srli_epi16(lo, shift));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(mid + i + 8), _mm_srli_epi16(hi, shift));
    }
#endif
    for (; i < channels; ++i) {
        unsigned sum = 1u << (shift - 1);
        for (int k = 0; k < n; ++k)
            sum += rows[k][i] * w[k];
        mid[i] = std::uint16_t(sum >> shift);
    }
}

#ifdef QUORREL_HAVE_AVX2_PATH
// The same with 32 channels a step, on processors that have AVX2 (chosen at run time).
__attribute__((target("avx2"))) void verticalShortAvx2(const std::uint8_t* const* rows, const std::uint32_t* w,
                                                         int n, std::uint16_t* mid, std::size_t channels)
{
    constexpr int shift = kShortWeightBits - kMidBits;
    const __m256i round = _mm256_set1_epi16(1 << (shift - 1));
    std::size_t i = 0;
    for (; i + 16 <= channels; i += 16) {
        __m256i sum = round;
        for (int k = 0; k < n; ++k) {
            const __m256i v = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + i)));
            sum = _mm256_add_epi16(sum, _mm256_mullo_epi16(v, _mm256_set1_epi16(short(w[k]))));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(mid + i), _mm256_srli_epi16(sum, shift));
    }
    for (; i < channels; ++i) {
        unsigned sum = 1u << (shift - 1);
        for (int k = 0; k < n; ++k)
            sum += rows[k][i] * w[k];
        mid[i] = std::uint16_t(sum >> shift);
    }
}

bool haveAvx2()
{
    static const bool have = __builtin_cpu_supports("avx2");
    return have;
}
#endif

void verticalLong(const std::uint8_t* const* rows, const std::uint32_t* w, int n, std::uint32_t* acc,
                  std::uint16_t* mid, std::size_t channels)
{
    for (std::size_t i = 0; i < channels; ++i)
        acc[i] = rows[0][i] * w[0];
    for (int k = 1; k < n; ++k) {
        const std::uint8_t* row = rows[k];
        const std::uint32_t weight = w[k];
        for (std::size_t i = 0; i < channels; ++i)
            acc[i] += row[i] * weight;
    }
    constexpr int shift = kWeightBits - kMidBits;
    for (std::size_t i = 0; i < channels; ++i)
        mid[i] = std::uint16_t((acc[i] + (1u << (shift - 1))) >> shift);
}

// One destination pixel from count consecutive 4-channel sums.
inline std::uint32_t horizontal(const std::uint16_t* p, const std::uint32_t* w, int count)
{
    constexpr int bits = kWeightBits + kMidBits;
#ifdef __SSE2__
    __m128i sum = _mm_set1_epi32(1 << (bits - 1));
    int k = 0;
    for (; k + 1 < count; k += 2, p += 8) {
        const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        const __m128i b = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 4));
        const __m128i weights = _mm_set1_epi32(int(w[k] | w[k + 1] << 16));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), weights));
    }
    if (k < count) {
        const __m128i a = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(a, _mm_setzero_si128()),
                                                _mm_set1_epi32(int(w[k]))));
    }
    sum = _mm_srli_epi32(sum, bits);
    const __m128i packed = _mm_packs_epi32(sum, sum);
    return std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(packed, packed)));
#else
    std::uint32_t c0 = 1u << (bits - 1), c1 = c0, c2 = c0, c3 = c0;
    for (int k = 0; k < count; ++k, p += 4) {
        c0 += p[0] * w[k];
        c1 += p[1] * w[k];
        c2 += p[2] * w[k];
        c3 += p[3] * w[k];
    }
    return (c0 >> bits) | (c1 >> bits) << 8 | (c2 >> bits) << 16 | (c3 >> bits) << 24;
#endif
}

} // namespace

void Resampler::Scale(const Image& source, Rect from, const Image& destination, Rect to)
{
    if (from.width <= 0 || from.height <= 0 || to.width <= 0 || to.height <= 0 || from.x < 0 || from.y < 0
        || from.x + from.width > source.width || from.y + from.height > source.height)
        return;
    const int x0 = std::max(to.x, 0);
    const int x1 = int(std::min<std::int64_t>(std::int64_t(to.x) + to.width, destination.width));
    const int y0 = std::max(to.y, 0);
    const int y1 = int(std::min<std::int64_t>(std::int64_t(to.y) + to.height, destination.height));
    if (x0 >= x1 || y0 >= y1)
        return;

    const Taps across = makeTaps(from.width, to.width, x0 - to.x, x1 - to.x, kWeightBits);
    const int verticalCount = int(std::ceil(double(from.height) / to.height)) + 1;
    const bool shortSums = verticalCount <= kMaxShortTaps;
    const Taps down = makeTaps(from.height, to.height, y0 - to.y, y1 - to.y,
                               shortSums ? kShortWeightBits : kWeightBits);
    // Only the source columns that reach a visible destination column are filtered vertically.
    const int colFirst = across.start.front();
    const int colLast = across.start.back() + across.count.back();
    const std::size_t channels = std::size_t(colLast - colFirst) * 4;

    // Destination rows [first, last), with buffers of their own so that bands can run side by side.
    const auto band = [&](int first, int last) {
        std::vector<std::uint32_t> longSum(shortSums ? 0 : channels);
        std::vector<std::uint16_t> mid(channels);
        std::vector<const std::uint8_t*> rows(std::size_t(down.maxCount));
        for (int j = first; j < last; ++j) {
            const std::size_t jj = std::size_t(j);
            for (int k = 0; k < down.count[jj]; ++k)
                rows[std::size_t(k)] = reinterpret_cast<const std::uint8_t*>(
                    source.pixels + std::size_t(from.y + down.start[jj] + k) * std::size_t(source.stride) + from.x
                    + colFirst);
            const std::uint32_t* w = down.weights.data() + down.offset[jj];
#ifdef QUORREL_HAVE_AVX2_PATH
            if (shortSums && haveAvx2())
                verticalShortAvx2(rows.data(), w, down.count[jj], mid.data(), channels);
            else
#endif
            if (shortSums)
                verticalShort(rows.data(), w, down.count[jj], mid.data(), channels);
            else
                verticalLong(rows.data(), w, down.count[jj], longSum.data(), mid.data(), channels);

            std::uint32_t* out = destination.pixels + std::size_t(y0 + j) * std::size_t(destination.stride) + x0;
            for (int i = 0; i < x1 - x0; ++i) {
                const std::size_t ii = std::size_t(i);
                out[i] = horizontal(mid.data() + std::size_t(across.start[ii] - colFirst) * 4,
                                    across.weights.data() + across.offset[ii], across.count[ii]);
            }
        }
    };

    // A camera photo is tens of megapixels: its bands are filtered on all cores, each band
    // writing rows of its own. Small pictures stay on the calling thread.
    const int rowsOut = y1 - y0;
    const std::int64_t work = std::int64_t(from.width) * from.height;
    const int bands = work < (2 << 20) ? 1 : int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
    if (bands <= 1 || rowsOut < 2 * bands) {
        band(0, rowsOut);
        return;
    }
    // Threads may be refused (process or thread limits): the bands no thread took are then
    // filtered here.
    std::vector<std::thread> workers;
    int started = 1;
    for (; started < bands; ++started) {
        try {
            workers.emplace_back(band, rowsOut * started / bands, rowsOut * (started + 1) / bands);
        } catch (const std::system_error&) {
            break;
        }
    }
    band(0, rowsOut / bands);
    if (started < bands)
        band(rowsOut * started / bands, rowsOut);
    for (std::thread& worker : workers)
        worker.join();
}
