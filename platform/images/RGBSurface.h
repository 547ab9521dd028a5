#pragma once

#include "platform/images/Color.h"

#include <cassert>
#include <cstddef>
#include <cstdint>

// Pixel access to a picture's own memory: writing through a surface changes the picture.
// Pixel costs one memory access, so callers keep x and y inside the picture; debug builds
// (and the sanitizer test suite) check that.
class RGBSurface {
public:
    RGBSurface(std::uint32_t* pixels, int width, int height, int stride)
        : m_pixels(pixels), m_width(width), m_height(height), m_stride(stride) {}

    Color Pixel(int x, int y) const
    {
        assert(inside(x, y));
        return m_pixels[std::ptrdiff_t(y) * m_stride + x] & 0x00FFFFFFu;
    }

    void Pixel(int x, int y, Color color)
    {
        assert(inside(x, y));
        m_pixels[std::ptrdiff_t(y) * m_stride + x] = 0xFF000000u | color;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    bool inside(int x, int y) const
    {
        return static_cast<unsigned>(x) < static_cast<unsigned>(m_width)
            && static_cast<unsigned>(y) < static_cast<unsigned>(m_height);
    }

    std::uint32_t* m_pixels;
    int m_width;
    int m_height;
    int m_stride; // in pixels
};
