#pragma once

#include "platform/images/Color.h"
#include "platform/windows/RectControl.h"

#include <memory>

class Graphics;
class QTextEdit;
class StyledTextPrinter;

struct TextAreaProperties {
    ControlLayout Control;
    std::string Text;
    bool ReadOnly = false;
    bool Styled = true;
    bool ScrollbarVertical = true;
    bool ScrollbarHorizontal = false; // false: lines wrap at the area's width
    bool Border = true;
    bool AcceptTabs = false;
    int Alignment = 0; // 0 left, 1 centred, 2 right
    std::string TextFont = "System";
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    Color TextColor = 0;
    Color BackColor = 0xFFFFFF;
    bool HideSelection = true;
};

// A multi-line text field with styled runs. A CR in the text is a line break; offsets count
// characters, each line break as one (a CR LF pair or a lone LF given to Text becomes one CR).
class TextArea : public RectControl {
public:
    TextArea(Window& window, const std::string& name);
    ~TextArea() override;

    void SetProperties(const TextAreaProperties& properties);

    std::string Text() const;
    void Text(const std::string& text);
    int Len() const; // in characters

    // The selection; setting SelStart places the caret there and selects nothing.
    int SelStart() const;
    void SelStart(int start);
    int SelLength() const;
    void SelLength(int length);
    std::string SelText() const;
    // Styles of the selected text (ignored by an unstyled area).
    void SelBold(bool bold);
    void SelTextColor(Color color);

    bool ReadOnly() const;
    double LineSpacing() const { return m_lineSpacing; }
    void LineSpacing(double spacing); // 1.0: single spacing

    // Prints this area's styled text in blocks of the given width (see StyledTextPrinter).
    std::unique_ptr<::StyledTextPrinter> styledTextPrinter(Graphics& graphics, int width) const;

    QTextEdit* Edit() const { return m_edit; }

private:
    void applyFont();
    void applyParagraphFormat();
    int toPosition(int offset) const;
    int toOffset(int position) const;

    QTextEdit* m_edit;
    std::string m_font = "System";
    double m_lineSpacing = 1.0;
    int m_alignment = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
    bool m_styled = true;
};
