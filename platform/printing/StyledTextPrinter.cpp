#include "platform/printing/StyledTextPrinter.h"

#include "platform/images/Graphics.h"
#include "platform/runtime/Fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

StyledTextPrinter::StyledTextPrinter(Graphics& graphics, const QTextDocument& text, int width)
    : m_graphics(graphics), m_document(text.clone()), m_width(std::max(width, 1))
{
    // A copy, so that laying it out at the printer's width leaves the text area's view alone.
    m_document->setDocumentMargin(0);
    m_document->setUseDesignMetrics(true);
    m_document->setTextWidth(m_width);
    layOutIfSettingsChanged();
}

StyledTextPrinter::~StyledTextPrinter() = default;

void StyledTextPrinter::layOutIfSettingsChanged()
{
    const QFont font = Fonts::Font(m_graphics.TextFont, m_graphics.TextSize, m_graphics.Bold);
    const std::string settings = font.key().toStdString();
    if (settings == m_settings)
        return;
    // A change of settings between blocks lays the text out again and goes on at the first
    // line not yet printed.
    const int resumeAt = m_lines.empty() || Eof() ? 0 : m_lines[m_next].start;
    m_settings = settings;
    m_document->setDefaultFont(font);
    m_document->documentLayout()->documentSize(); // lays the whole text out
    m_lines.clear();
    if (!m_document->isEmpty()) {
        for (QTextBlock block = m_document->begin(); block.isValid(); block = block.next()) {
            const QRectF box = m_document->documentLayout()->blockBoundingRect(block);
            const QTextLayout* layout = block.layout();
            for (int i = 0; i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const double top = box.top() + line.y();
                m_lines.push_back({top, top + line.height(), block.position() + line.textStart()});
            }
        }
    }
    m_next = 0;
    while (m_next < m_lines.size() && m_lines[m_next].start < resumeAt)
        ++m_next;
}

void StyledTextPrinter::DrawBlock(int x, int y, int height)
{
    if (Eof())
        return;
    layOutIfSettingsChanged();
    if (Eof())
        return;
    const double top = m_lines[m_next].top;
    size_t end = m_next + 1; // at least one line, so that printing always moves on
    while (end < m_lines.size() && m_lines[end].bottom - top <= height)
        ++end;
    const double bottom = std::min(m_lines[end - 1].bottom, top + std::max(height, 0));
    if (QPainter* painter = m_graphics.Painter()) {
        painter->save();
        painter->translate(x, y - top);
        const QRectF clip(0, top, m_width, bottom - top);
        painter->setClipRect(clip, Qt::IntersectClip);
        QAbstractTextDocumentLayout::PaintContext context;
        // Lines that only touch the block's edges belong to the blocks before and after.
        context.clip = clip.adjusted(0, 0.1, 0, -0.1);
        context.palette.setColor(QPalette::Text, QColor::fromRgb(m_graphics.ForeColor));
        m_document->documentLayout()->draw(painter, context);
        painter->restore();
    }
    m_next = end;
}
