#pragma once

#include <QRgb>

#include <cstdint>

// The one rule that turns a mask into transparency: alpha is 255 minus the mask pixel's grey
// level, so black keeps a pixel opaque, white makes it transparent and grey lies in between.
// Pixels beyond the mask stay opaque.
namespace MaskAlpha {
// The mask pixel's grey level is Qt's: (11 R + 16 G + 5 B) / 32.
constexpr int Alpha(std::uint32_t maskPixel) { return 255 - qGray(maskPixel); }

// One row as straight R, G, B, A bytes; mask holds maskCount pixels of the row (0: none).
void ToRGBA(const std::uint32_t* picture, const std::uint32_t* mask, int maskCount, std::uint8_t* out, int width);
// One row as 0xAARRGGBB pixels, not premultiplied.
void ToARGB(const std::uint32_t* picture, const std::uint32_t* mask, int maskCount, std::uint32_t* out, int width);
} // namespace MaskAlpha
