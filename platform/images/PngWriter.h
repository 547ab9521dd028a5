#pragma once

#include <cstdint>
#include <vector>

class Picture;

// Encodes a picture as an 8-bit RGBA PNG in memory, its alpha taken from a mask (MaskAlpha).
namespace PngWriter {
// Filter choices, as in FolderItem::SaveAsPNG's filterType.
enum Filter { kMeasuredDefault = 0, kNone, kSub, kUp, kAverage, kPaeth, kAdaptive };

// The zlib settings used for kMeasuredDefault, chosen by measurement on photographs.
extern const int kDefaultLevel;
extern const int kDefaultStrategy;
extern const Filter kDefaultFilter;

// The encoded file, or empty on failure. A gamma above 0 is written as a gAMA chunk;
// mask may be null (all opaque).
std::vector<std::uint8_t> Encode(const Picture& picture, const Picture* mask, float gamma = 0.0f,
                                 bool interlace = false, int filterType = kMeasuredDefault);
}
