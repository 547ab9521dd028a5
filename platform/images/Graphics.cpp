#include "platform/images/Graphics.h"

#include "platform/images/Picture.h"
#include "platform/images/Resampler.h"
#include "platform/printing/PrintJob.h"
#include "platform/runtime/Fonts.h"

#include <QImage>
#include <QPainter>

Graphics::Graphics(QPaintDevice& device) : m_device(&device) {}

Graphics::Graphics(std::shared_ptr<PrintJob> job) : m_painter(job->Painter()), m_job(std::move(job)) {}

bool Graphics::NextPage()
{
    return !m_job || m_job->NextPage();
}

bool Graphics::FinishPrintJob()
{
    return !m_job || m_job->Finish();
}

template <class Draw> void Graphics::paint(Draw&& draw)
{
    if (m_painter) {
        draw(*m_painter);
        return;
    }
    QPainter painter(m_device);
    draw(painter);
}

namespace {

bool is32Bit(const QImage& image)
{
    return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
}

} // namespace

void Graphics::DrawPicture(const Picture& picture, int x, int y, int width, int height,
                           int sourceX, int sourceY, int sourceWidth, int sourceHeight)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    const QImage& source = picture.Image();
    // An opaque picture drawn into a picture is scaled by our own filter, which averages
    // areas when shrinking; pictures with transparency and other devices go through Qt.
    // (QImage's smooth scaling would do, but waits forever when no thread may start.)
    if (!m_painter && m_device && m_device->devType() == QInternal::Image
        && source.format() == QImage::Format_RGB32 && sourceX >= 0 && sourceY >= 0
        && sourceX + sourceWidth <= source.width() && sourceY + sourceHeight <= source.height()) {
        auto& target = static_cast<QImage&>(*m_device);
        if (is32Bit(target) && target.constBits() != source.constBits()) {
            const Resampler::Image from{const_cast<std::uint32_t*>(reinterpret_cast<const std::uint32_t*>(source.constBits())),
                                        source.width(), source.height(), int(source.bytesPerLine() / 4)};
            const Resampler::Image into{reinterpret_cast<std::uint32_t*>(target.bits()), target.width(),
                                        target.height(), int(target.bytesPerLine() / 4)};
            Resampler::Scale(from, {sourceX, sourceY, sourceWidth, sourceHeight}, into, {x, y, width, height});
            return;
        }
    }
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRect(x, y, width, height), source, QRect(sourceX, sourceY, sourceWidth, sourceHeight));
    });
}

void Graphics::DrawString(const std::string& text, int x, int y, int wrapWidth, bool condense)
{
    (void)condense;
    paint([&](QPainter& p) {
        p.setFont(Fonts::Font(TextFont, TextSize, Bold));
        p.setPen(QColor::fromRgb(ForeColor));
        const QString string = QString::fromStdString(text);
        if (wrapWidth <= 0) {
            p.drawText(QPointF(x, y), string);
            return;
        }
        const QFontMetrics metrics(p.font());
        const QRect box(x, y - metrics.ascent(), wrapWidth, 1 << 20);
        p.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, string);
    });
}
