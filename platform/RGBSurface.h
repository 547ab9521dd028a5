#pragma once

#include "platform/Color.h"

#include <cstdint>

// Pixel access to a picture's own memory: writing through a surface changes the picture.
// Reads outside the picture give black and writes outside it are ignored.
class RGBSurface {
public:
    RGBSurface(std::uint32_t* pixels, int width, int height, int stride)
        : m_pixels(pixels), m_width(width), m_height(height), m_stride(stride) {}

    Color Pixel(int x, int y) const
    {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(m_width)
            || static_cast<unsigned>(y) >= static_cast<unsigned>(m_height))
            return 0;
        return m_pixels[y * m_stride + x] & 0x00FFFFFFu;
    }

    void Pixel(int x, int y, Color color)
    {
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(m_width)
            || static_cast<unsigned>(y) >= static_cast<unsigned>(m_height))
            return;
        m_pixels[y * m_stride + x] = 0xFF000000u | color;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    std::uint32_t* m_pixels;
    int m_width;
    int m_height;
    int m_stride; // in pixels
};
