#pragma once

#include <cstdint>
#include <vector>

class Picture;

// Encodes a picture as a baseline JPEG in memory.
namespace JpegWriter {
// From this quality on the colour is kept at full resolution (4:4:4); below it 4:2:0,
// where the smaller file matters more than the chroma detail.
inline constexpr int kFullChromaQuality = 90;

// The encoded file, or empty on failure. Quality is clamped to 1-100.
std::vector<std::uint8_t> Encode(const Picture& picture, int quality);
}
