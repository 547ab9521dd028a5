#pragma once

#include "platform/images/Picture.h"
#include "platform/runtime/FolderItem.h"

// Turns a photo into square icons: its height fills the square from the top-left corner, so a
// wide photo loses its right side and a narrow one leaves white there.
namespace IconSource {
// A square icon of that size from a source whose own size is width x height: sizes and placement
// follow that size, the pixels come from the whole of the source picture, which may have been
// decoded smaller.
PicturePtr Scaled(const Picture& source, int width, int height, int size);
// A side of the source times ratio, to the nearest whole pixel (511.99999999999994 is 512).
int ScaledLength(int length, double ratio);

struct Icons {
    PicturePtr display; // 512 x 512; nullptr when the file is no readable JPEG
    PicturePtr output;  // 1024 x 1024
};
// Both icons of a JPEG file, decoded no larger than the output icon needs.
Icons Load(const FolderItem& file);
}
