#pragma once

#include "platform/images/Graphics.h"
#include "platform/images/RGBSurface.h"

#include <memory>

class QImage;

// A 32-bit bitmap. Pictures are shared by reference: every holder of a PicturePtr sees
// the same pixels. A new picture is opaque white.
class Picture : public std::enable_shared_from_this<Picture> {
public:
    Picture(int width, int height);
    explicit Picture(const QImage& image); // takes a copy, converted to 32 bits
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const;
    int Height() const;
    ::Graphics Graphics();
    std::shared_ptr<::RGBSurface> RGBSurface();

    // For the platform layer: the pixels as a Qt image, never copied. Always ARGB32 or RGB32 (the
    // constructors see to it), so readers of the pixels convert nothing.
    QImage& Image();
    const QImage& Image() const;

private:
    std::unique_ptr<QImage> m_image;
};

using PicturePtr = std::shared_ptr<Picture>;
using RGBSurfacePtr = std::shared_ptr<RGBSurface>;

// A new opaque white picture; depth must be 32.
PicturePtr NewPicture(int width, int height, int depth = 32);
