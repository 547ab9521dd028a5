#pragma once

#include <memory>
#include <string>
#include <vector>

class Graphics;
class QTextDocument;

// Prints a styled text block by block: the text is laid out at the printer's width with the
// graphics' text settings (font, size, bold, colour) under the text's own styled runs, and each
// DrawBlock draws the whole lines that fit into the block's height, then moves past them.
// Graphics must outlive the printer.
class StyledTextPrinter {
public:
    StyledTextPrinter(Graphics& graphics, const QTextDocument& text, int width);
    ~StyledTextPrinter();
    StyledTextPrinter(const StyledTextPrinter&) = delete;
    StyledTextPrinter& operator=(const StyledTextPrinter&) = delete;

    // Draws the next lines into the block at (x, y) of the printer's width and this height. A
    // line taller than the block is drawn cut off rather than holding up the rest of the text.
    void DrawBlock(int x, int y, int height);
    // True once the whole text has been drawn (at once for an empty text). Named so, not EOF,
    // because the C library claims that name as a macro.
    bool Eof() const { return m_next >= m_lines.size(); }
    int Width() const { return m_width; }

private:
    struct Line {
        double top;
        double bottom;
        int start; // document position of the line's first character
    };
    void layOutIfSettingsChanged();

    Graphics& m_graphics;
    std::unique_ptr<QTextDocument> m_document;
    int m_width;
    std::string m_settings; // the text settings of the current layout
    std::vector<Line> m_lines;
    size_t m_next = 0;
};
