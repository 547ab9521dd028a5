#pragma once

#include "platform/images/Color.h"
#include "platform/windows/RectControl.h"

class QLabel;

struct LabelProperties {
    ControlLayout Control;
    std::string Text;
    int TextAlign = 0; // 0 left, 1 centred, 2 right
    std::string TextFont = "System";
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    Color TextColor = 0;
    bool Multiline = false;
    bool Selectable = false;
    bool Transparent = false;
};

// A static text. A CR in the text breaks the line.
class Label : public RectControl {
public:
    Label(Window& window, const std::string& name);

    void SetProperties(const LabelProperties& properties);
    std::string Text() const { return m_text; }
    void Text(const std::string& text);
    void TextSize(double size); // in pixels; 0 is the default size

private:
    void applyFont();

    QLabel* m_label;
    std::string m_text;
    std::string m_font = "System";
    double m_textSize = 0;
    bool m_bold = false;
    bool m_italic = false;
    bool m_underline = false;
};
