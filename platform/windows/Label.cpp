#include "platform/windows/Label.h"

#include "platform/runtime/Fonts.h"
#include "platform/runtime/ToQtText.h"

#include <QLabel>
#include <QPainter>
#include <QStyle>

namespace {

// An opaque label clears the ground under its own text, so where a label made later
// overlaps an earlier one, its text covers the other's instead of being drawn over it. The
// rest of its box stays see-through: a neighbour's text that merely shares the box keeps
// showing, as in the about window, where the version's box overlaps the caption's.
class LabelWidget : public QLabel {
public:
    bool opaque = true;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if (opaque && !text().isEmpty()) {
            const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
            const QRect textRect = style()->itemTextRect(fontMetrics(), contentsRect(), flags, isEnabled(), text());
            QPainter(this).fillRect(textRect, palette().brush(backgroundRole()));
        }
        QLabel::paintEvent(event);
    }
};

} // namespace

Label::Label(Window& window, const std::string& name)
    : RectControl(window, name, new LabelWidget), m_label(static_cast<QLabel*>(Widget()))
{
    m_label->setTextFormat(Qt::PlainText);
}

void Label::SetProperties(const LabelProperties& p)
{
    applyLayout(p.Control);
    m_font = p.TextFont;
    m_bold = p.Bold;
    m_italic = p.Italic;
    m_underline = p.Underline;
    applyFont();
    const Qt::Alignment horizontal = p.TextAlign == 1 ? Qt::AlignHCenter
        : p.TextAlign == 2                             ? Qt::AlignRight
                                                       : Qt::AlignLeft;
    m_label->setAlignment(horizontal | Qt::AlignTop);
    m_label->setWordWrap(p.Multiline);
    QPalette palette = m_label->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(p.TextColor));
    m_label->setPalette(palette);
    static_cast<LabelWidget*>(m_label)->opaque = !p.Transparent;
    m_label->setTextInteractionFlags(p.Selectable ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    m_label->setFocusPolicy(Qt::NoFocus);
    Text(p.Text);
}

void Label::Text(const std::string& text)
{
    m_text = text;
    m_label->setText(ToQtText(text));
}

void Label::TextSize(double size)
{
    m_textSize = size;
    applyFont();
}

void Label::applyFont()
{
    m_label->setFont(Fonts::Font(m_font, m_textSize, m_bold, m_italic, m_underline));
}
