#pragma once

#include <cstdint>

// Scales 32-bit pixels (four 8-bit channels, each filtered alike) from a source rectangle into
// a destination rectangle: an area average on an axis that shrinks (every source pixel counts
// by the share of it that falls into a destination pixel, so nothing aliases), bilinear on an
// axis that grows. Only destination pixels inside the destination image are written.
namespace Resampler {
struct Image {
    std::uint32_t* pixels;
    int width;
    int height;
    int stride; // in pixels
};
struct Rect {
    int x, y, width, height;
};

// The source rectangle must lie inside the source image; nothing is drawn otherwise.
void Scale(const Image& source, Rect from, const Image& destination, Rect to);
} // namespace Resampler
