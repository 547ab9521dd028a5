#include "icon/Module1.h"

#include "icon/Window1.h"
#include "platform/runtime/BackgroundTask.h"
#include "platform/windows/Canvas.h"
#include "platform/windows/ImplicitWindow.h"

int Module1::Fuzz = 0;
std::string Module1::IconName;
FolderItemPtr Module1::OutputFolder;
PicturePtr Module1::P1;
PicturePtr Module1::P1Hidden;
PicturePtr Module1::QIcon;
RGBSurfacePtr Module1::SIcon;
PicturePtr Module1::QMask;
RGBSurfacePtr Module1::SMask;
PicturePtr Module1::QIconHidden;
RGBSurfacePtr Module1::SIconHidden;
PicturePtr Module1::QMaskHidden;
RGBSurfacePtr Module1::SMaskHidden;
namespace Module1 {
// Shared by every run of UpdateMask. Their address is never taken, so the compiler may keep
// them in registers between two yields that actually run events.
static int x = 0;
static int y = 0;
static Color C = 0;
static int CRed = 0;
static int CGreen = 0;
static int CBlue = 0;
}

namespace {

// One pass over the inner pixels of a mask, columns outer and rows inner. The counters are
// the module's own, so a run started inside a yield ends the interrupted one's pass too.
// The surfaces are held for the whole pass: a load inside a yield may replace the module's.
void maskPass(const RGBSurfacePtr iconSurface, const RGBSurfacePtr maskSurface, int bound)
{
    using namespace Module1;
    // Local copies of the two views: pixel stores cannot change them, so their sizes and
    // addresses stay in registers.
    const RGBSurface icon = *iconSurface;
    RGBSurface mask = *maskSurface;
    x = 1;
    while (x <= bound) {
        y = 1;
        while (y <= bound) {
            C = icon.Pixel(x, y);
            CRed = (C >> 16) & 255;
            CGreen = (C >> 8) & 255;
            CBlue = C & 255;
            if (Fuzz < CRed && Fuzz < CGreen && Fuzz < CBlue) {
                mask.Pixel(x, y, C);
            } else {
                C = RGB(0, 0, 0, 0);
                mask.Pixel(x, y, C);
            }
            RuntimeBackgroundTask();
            y = y + 1;
        }
        RuntimeBackgroundTask();
        x = x + 1;
    }
}

} // namespace

void Module1::TakeIcons()
{
    QIcon = P1;
    SIcon = QIcon->RGBSurface();
    QMask = NewPicture(512, 512, 32);
    SMask = QMask->RGBSurface();
    QIconHidden = P1Hidden;
    SIconHidden = QIconHidden->RGBSurface();
    QMaskHidden = NewPicture(1024, 1024, 32);
    SMaskHidden = QMaskHidden->RGBSurface();
}

bool Module1::SourceLoaded()
{
    return P1 && P1Hidden && SIcon && SMask && SIconHidden && SMaskHidden && QMask && QMaskHidden;
}

void Module1::UpdateMask()
{
    if (!SourceLoaded())
        return;
    maskPass(SIcon, SMask, 510);
    // The main window may have been closed inside a yield (the program is quitting): a new
    // one must not be built just to show the mask.
    if (Window1* window = OpenImplicitWindow<Window1>())
        window->MaskCanvas().Backdrop(QMask);
    maskPass(SIconHidden, SMaskHidden, 1022);
}

void Module1::Release()
{
    SIcon = nullptr;
    SMask = nullptr;
    QIcon = nullptr;
    QMask = nullptr;
    IconName.clear();
    SMaskHidden = nullptr;
    P1 = nullptr;
    QIconHidden = nullptr;
    QMaskHidden = nullptr;
    P1Hidden = nullptr;
    SIconHidden = nullptr;
    OutputFolder = nullptr;
    Fuzz = 0;
    x = 0;
    y = 0;
    C = 0;
    CRed = 0;
    CGreen = 0;
    CBlue = 0;
}
