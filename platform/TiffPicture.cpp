#include "platform/TiffPicture.h"

#include <QImage>

PicturePtr TiffPicture::CombinePictureWithMask() const
{
    if (!Pict)
        return nullptr;
    QImage image = Pict->Image().convertToFormat(QImage::Format_ARGB32);
    if (Mask) {
        const QImage& m = Mask->Image();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                const int alpha = x < m.width() && y < m.height() ? 255 - qGray(m.pixel(x, y)) : 255;
                image.setPixel(x, y, qRgba(qRed(c), qGreen(c), qBlue(c), alpha));
            }
    }
    return std::make_shared<Picture>(image);
}
