#pragma once

#include "platform/images/Picture.h"

// Combines a picture with a mask into one picture with transparency: black mask pixels
// leave the picture opaque, white ones make it transparent, grey ones in between.
class TiffPicture {
public:
    PicturePtr Pict;
    PicturePtr Mask;

    PicturePtr CombinePictureWithMask() const;
};
