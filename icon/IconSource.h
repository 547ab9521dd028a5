#pragma once

#include "platform/images/Picture.h"

// Draws a source picture into a new square picture: both sides scaled by size / source height
// from the top-left corner, so the height fills the square; a wider source is cut off on the
// right, a narrower one leaves the new picture's white on the right.
class IconSource {
public:
    static PicturePtr Scaled(const Picture& source, int size);
    // A side of the source times ratio, to the nearest whole pixel (511.99999999999994 is 512).
    static int ScaledLength(int length, double ratio);
};
