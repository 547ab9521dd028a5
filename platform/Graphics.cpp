#include "platform/Graphics.h"

#include "platform/Fonts.h"
#include "platform/Picture.h"
#include "platform/PrintJob.h"

#include <QImage>
#include <QPainter>

Graphics::Graphics(QPaintDevice& device) : m_device(&device) {}

Graphics::Graphics(std::shared_ptr<QPainter> painter) : m_painter(std::move(painter)) {}

Graphics::Graphics(std::shared_ptr<PrintJob> job) : m_painter(job->Painter()), m_job(std::move(job)) {}

void Graphics::NextPage()
{
    if (m_job)
        m_job->NextPage();
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

void Graphics::DrawPicture(const Picture& picture, int x, int y, int width, int height,
                           int sourceX, int sourceY, int sourceWidth, int sourceHeight)
{
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
        return;
    paint([&](QPainter& p) {
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(QRect(x, y, width, height), picture.Image(),
                    QRect(sourceX, sourceY, sourceWidth, sourceHeight));
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
