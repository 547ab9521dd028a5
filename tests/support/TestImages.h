#pragma once

// Pictures compared and encoded the way several tests need them.

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstdlib>

namespace testimages {

// Whether two colours differ by at most tolerance in each of red, green and blue.
inline bool near(QRgb a, QRgb b, int tolerance = 12)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The image as Qt encodes it in format ("JPEG", "PNG"); quality -1 is Qt's default.
inline QByteArray encoded(const QImage& image, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

} // namespace testimages
