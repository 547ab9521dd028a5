#pragma once

#include "platform/images/Color.h"
#include "platform/images/Picture.h"
#include "platform/runtime/FolderItem.h"

#include <string>

// The icon state: what the workflow knows between two user actions.
namespace Module1 {
extern int Fuzz;
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
// The mask computation's counters and colour (x, y, C, CRed, CGreen, CBlue) are module
// properties too, private to Module1.cpp.

// Takes P1 and P1Hidden as the icons: their surfaces, and new empty masks with theirs.
void TakeIcons();
// True once a load has succeeded: every picture and surface exists.
bool SourceLoaded();
// Derives both masks from the icons: near-white pixels keep their colour, the rest is black.
void UpdateMask();
void Release();
}
