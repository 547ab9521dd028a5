#include "platform/images/MaskAlpha.h"

void MaskAlpha::ToRGBA(const std::uint32_t* picture, const std::uint32_t* mask, int maskCount, std::uint8_t* out,
                       int width)
{
    for (int x = 0; x < width; ++x, out += 4) {
        const std::uint32_t c = picture[x];
        out[0] = std::uint8_t(c >> 16);
        out[1] = std::uint8_t(c >> 8);
        out[2] = std::uint8_t(c);
        out[3] = std::uint8_t(x < maskCount ? Alpha(mask[x]) : 255);
    }
}

void MaskAlpha::ToARGB(const std::uint32_t* picture, const std::uint32_t* mask, int maskCount, std::uint32_t* out,
                       int width)
{
    for (int x = 0; x < width; ++x) {
        const std::uint32_t alpha = x < maskCount ? std::uint32_t(Alpha(mask[x])) : 255u;
        out[x] = (picture[x] & 0x00FFFFFFu) | alpha << 24;
    }
}
