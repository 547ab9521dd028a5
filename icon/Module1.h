#pragma once

#include "platform/images/Color.h"
#include "platform/images/Picture.h"
#include "platform/runtime/FolderItem.h"

#include <string>

// The icon state, kept between two user actions. Each picture has a twin for the 1024-pixel
// output (...Hidden) beside the 512-pixel one on screen; Q... are the pictures, S... their surfaces.
namespace Module1 {
extern int Fuzz; // the slider's tolerance, read by UpdateMask
extern std::string IconName;
extern FolderItemPtr OutputFolder;
extern PicturePtr P1;
extern PicturePtr P1Hidden;
extern PicturePtr QIcon;
extern RGBSurfacePtr SIcon;
extern PicturePtr QMask;
extern RGBSurfacePtr SMask;
extern PicturePtr QIconHidden;
extern RGBSurfacePtr SIconHidden;
extern PicturePtr QMaskHidden;
extern RGBSurfacePtr SMaskHidden;

// Takes P1 and P1Hidden as the icons: their surfaces, and new empty masks with theirs.
void TakeIcons();
// True once a load has succeeded: every picture and surface exists.
bool SourceLoaded();
// Derives both masks from the icons: near-white pixels keep their colour, the rest is black.
void UpdateMask();
// Forgets the whole state (at exit).
void Release();
}
