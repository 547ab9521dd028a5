#include "platform/windows/TextArea.h"

#include "platform/printing/StyledTextPrinter.h"
#include "platform/runtime/Fonts.h"
#include "platform/runtime/ToQtText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace {

constexpr QChar kBlockBreak = QChar::ParagraphSeparator; // how the document stores a line break

} // namespace

TextArea::TextArea(Window& window, const std::string& name)
    : RectControl(window, name, new QTextEdit), m_edit(static_cast<QTextEdit*>(Widget()))
{
    m_edit->setAcceptRichText(false);
    m_edit->setTabChangesFocus(true);
}

TextArea::~TextArea() = default;

void TextArea::SetProperties(const TextAreaProperties& p)
{
    applyLayout(p.Control);
    m_styled = p.Styled;
    m_alignment = p.Alignment;
    m_font = p.TextFont;
    m_bold = p.Bold;
    m_italic = p.Italic;
    m_underline = p.Underline;
    applyFont();
    m_edit->setReadOnly(p.ReadOnly);
    // Read-only text stays selectable with the mouse and the keyboard.
    m_edit->setTextInteractionFlags(p.ReadOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                               : Qt::TextEditorInteraction);
    m_edit->setVerticalScrollBarPolicy(p.ScrollbarVertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_edit->setHorizontalScrollBarPolicy(p.ScrollbarHorizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    m_edit->setLineWrapMode(p.ScrollbarHorizontal ? QTextEdit::NoWrap : QTextEdit::WidgetWidth);
    m_edit->setFrameShape(p.Border ? QFrame::StyledPanel : QFrame::NoFrame);
    m_edit->setTabChangesFocus(!p.AcceptTabs);
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Text, QColor::fromRgb(p.TextColor));
    palette.setColor(QPalette::Base, QColor::fromRgb(p.BackColor));
    if (p.HideSelection) {
        palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor::fromRgb(p.BackColor));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, QColor::fromRgb(p.TextColor));
    }
    m_edit->setPalette(palette);
    Text(p.Text);
}

std::string TextArea::Text() const
{
    QString text = m_edit->document()->toRawText();
    text.replace(kBlockBreak, QLatin1Char('\r'));
    return text.toStdString();
}

void TextArea::Text(const std::string& text)
{
    // New text takes the area's own style, not the style of a run where the caret stood.
    m_edit->setCurrentCharFormat(QTextCharFormat());
    m_edit->setPlainText(ToQtText(text));
    applyParagraphFormat();
    m_edit->moveCursor(QTextCursor::Start);
}

int TextArea::Len() const
{
    return toOffset(m_edit->document()->characterCount() - 1);
}

int TextArea::SelStart() const
{
    return toOffset(m_edit->textCursor().selectionStart());
}

void TextArea::SelStart(int start)
{
    QTextCursor cursor = m_edit->textCursor();
    cursor.setPosition(toPosition(start));
    m_edit->setTextCursor(cursor);
}

int TextArea::SelLength() const
{
    const QTextCursor cursor = m_edit->textCursor();
    return toOffset(cursor.selectionEnd()) - toOffset(cursor.selectionStart());
}

void TextArea::SelLength(int length)
{
    QTextCursor cursor = m_edit->textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(toPosition(toOffset(start) + std::max(length, 0)), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
}

std::string TextArea::SelText() const
{
    QString text = m_edit->textCursor().selectedText();
    text.replace(kBlockBreak, QLatin1Char('\r'));
    return text.toStdString();
}

void TextArea::SelBold(bool bold)
{
    if (!m_styled)
        return;
    QTextCharFormat format;
    format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    QTextCursor cursor = m_edit->textCursor();
    cursor.mergeCharFormat(format);
    m_edit->setTextCursor(cursor);
}

void TextArea::SelTextColor(Color color)
{
    if (!m_styled)
        return;
    QTextCharFormat format;
    format.setForeground(QColor::fromRgb(color));
    QTextCursor cursor = m_edit->textCursor();
    cursor.mergeCharFormat(format);
    m_edit->setTextCursor(cursor);
}

bool TextArea::ReadOnly() const
{
    return m_edit->isReadOnly();
}

void TextArea::LineSpacing(double spacing)
{
    m_lineSpacing = spacing > 0 ? spacing : 1.0;
    applyParagraphFormat();
}

std::unique_ptr<StyledTextPrinter> TextArea::styledTextPrinter(Graphics& graphics, int width) const
{
    return std::make_unique<::StyledTextPrinter>(graphics, *m_edit->document(), width);
}

void TextArea::applyFont()
{
    // The document's default font, at the default size, under any styled runs.
    m_edit->setFont(Fonts::Font(m_font, 0, m_bold, m_italic, m_underline));
}

void TextArea::applyParagraphFormat()
{
    QTextBlockFormat format;
    format.setLineHeight(m_lineSpacing * 100, QTextBlockFormat::ProportionalHeight);
    format.setAlignment(m_alignment == 1 ? Qt::AlignHCenter : m_alignment == 2 ? Qt::AlignRight : Qt::AlignLeft);
    QTextCursor all(m_edit->document());
    all.select(QTextCursor::Document);
    all.mergeBlockFormat(format);
}

// Offsets count characters; the document counts UTF-16 units, so a character beyond the
// basic plane takes two positions there.
int TextArea::toPosition(int offset) const
{
    const QString text = m_edit->document()->toRawText();
    int position = 0;
    for (int count = 0; count < offset && position < text.size(); ++count)
        position += text.at(position).isHighSurrogate() && position + 1 < text.size() ? 2 : 1;
    return position;
}

int TextArea::toOffset(int position) const
{
    const QString text = m_edit->document()->toRawText();
    const int end = std::min<int>(position, text.size());
    int offset = 0;
    for (int at = 0; at < end; ++offset)
        at += text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    return offset;
}
