#include "platform/images/Picture.h"

#include <QImage>
#include <cstdlib>
#include <sys/mman.h>
#include <stdexcept>

namespace {

// Rows are padded by one cache line so that walking a column does not hit the same cache set
// on every row (a row of 1024 pixels is exactly 4 KiB).
qsizetype paddedRowBytes(int width)
{
    const qsizetype bytes = (static_cast<qsizetype>(width) * 4 + 63) / 64 * 64;
    return bytes % 1024 == 0 ? bytes + 64 : bytes;
}

QImage newImage(int width, int height)
{
    const qsizetype rowBytes = paddedRowBytes(width);
    const size_t bytes = static_cast<size_t>(rowBytes * height);
    // A column of a 1024-pixel picture spans a thousand 4 KiB pages, more than the TLB holds;
    // on 2 MiB pages it spans three.
    constexpr size_t hugePage = size_t(2) << 20;
    const bool huge = bytes >= hugePage;
    auto* data = static_cast<uchar*>(
        std::aligned_alloc(huge ? hugePage : 64, huge ? (bytes + hugePage - 1) / hugePage * hugePage : bytes));
    if (!data)
        throw std::bad_alloc();
    if (huge)
        madvise(data, bytes, MADV_HUGEPAGE);
    QImage image(data, width, height, rowBytes, QImage::Format_RGB32, [](void* p) { std::free(p); }, data);
    if (image.isNull()) {
        std::free(data);
        throw std::bad_alloc();
    }
    return image;
}

} // namespace

Picture::Picture(int width, int height) : m_image(std::make_unique<QImage>(newImage(width, height)))
{
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
    // The surface keeps its picture alive, so its pixels stay valid as long as it is held.
    struct Held {
        PicturePtr picture;
        ::RGBSurface surface;
    };
    auto held = std::make_shared<Held>(Held{weak_from_this().lock(),
                                            ::RGBSurface(bits, m_image->width(), m_image->height(),
                                                         static_cast<int>(m_image->bytesPerLine() / 4))});
    return std::shared_ptr<::RGBSurface>(held, &held->surface);
}

QImage& Picture::Image() { return *m_image; }
const QImage& Picture::Image() const { return *m_image; }

PicturePtr NewPicture(int width, int height, int depth)
{
    if (depth != 32 || width <= 0 || height <= 0)
        throw std::invalid_argument("NewPicture: only 32-bit pictures of a positive size");
    return std::make_shared<Picture>(width, height);
}
