#include "platform/images/TiffPicture.h"

#include "platform/images/MaskAlpha.h"

#include <QImage>

PicturePtr TiffPicture::CombinePictureWithMask() const
{
    if (!Pict)
        return nullptr;
    const QImage& picture = Pict->Image();
    const QImage mask = Mask ? Mask->Image() : QImage();
    QImage combined(picture.width(), picture.height(), QImage::Format_ARGB32);
    if (combined.isNull())
        return nullptr;
    for (int y = 0; y < combined.height(); ++y) {
        const bool masked = y < mask.height();
        MaskAlpha::ToARGB(reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y)),
                          masked ? reinterpret_cast<const std::uint32_t*>(mask.constScanLine(y)) : nullptr,
                          masked ? std::min(mask.width(), combined.width()) : 0,
                          reinterpret_cast<std::uint32_t*>(combined.scanLine(y)), combined.width());
    }
    return std::make_shared<Picture>(combined);
}
