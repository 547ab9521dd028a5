#include "platform/Label.h"

#include "platform/Fonts.h"
#include "platform/QtText.h"

#include <QLabel>

Label::Label(Window& window, const std::string& name)
    : RectControl(window, name, new QLabel), m_label(static_cast<QLabel*>(_Widget()))
{
    m_label->setTextFormat(Qt::PlainText);
}

void Label::_SetProperties(const LabelProperties& p)
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
    // An opaque label shows the window's background, which is there already: filling it
    // again would hide the text of a neighbour whose box it overlaps.
    m_label->setAutoFillBackground(false);
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

bool Label::Bold() const
{
    return m_bold;
}

void Label::applyFont()
{
    m_label->setFont(Fonts::Font(m_font, m_textSize, m_bold, m_italic, m_underline));
}
