#include "platform/Picture.h"

#include <QImage>
#include <stdexcept>

Picture::Picture(int width, int height)
    : m_image(std::make_unique<QImage>(width, height, QImage::Format_RGB32))
{
    if (m_image->isNull())
        throw std::bad_alloc();
    m_image->fill(0xFFFFFFFFu);
}

Picture::Picture(const QImage& image)
    : m_image(std::make_unique<QImage>(
          image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                  : image.convertToFormat(QImage::Format_RGB32)))
{
}

Picture::~Picture() = default;

int Picture::Width() const { return m_image->width(); }
int Picture::Height() const { return m_image->height(); }

::Graphics Picture::Graphics()
{
    return ::Graphics(*m_image);
}

std::shared_ptr<::RGBSurface> Picture::RGBSurface()
{
    auto* bits = reinterpret_cast<std::uint32_t*>(m_image->bits());
    return std::make_shared<::RGBSurface>(bits, m_image->width(), m_image->height(),
                                          static_cast<int>(m_image->bytesPerLine() / 4));
}

QImage& Picture::Image() { return *m_image; }
const QImage& Picture::Image() const { return *m_image; }

PicturePtr NewPicture(int width, int height, int depth)
{
    if (depth != 32 || width <= 0 || height <= 0)
        throw std::invalid_argument("NewPicture: only 32-bit pictures of a positive size");
    return std::make_shared<Picture>(width, height);
}
