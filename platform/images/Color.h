#pragma once

#include <cstdint>

// A colour as 0x00RRGGBB: red in bits 16-23, green in 8-15, blue in 0-7.
using Color = std::uint32_t;

// The alpha argument is accepted for the callers' sake; pictures are opaque and ignore it.
constexpr Color RGB(int red, int green, int blue, int alpha = 0)
{
    (void)alpha;
    return (static_cast<Color>(red & 255) << 16) | (static_cast<Color>(green & 255) << 8)
        | static_cast<Color>(blue & 255);
}
