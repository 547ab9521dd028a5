#pragma once

#include "platform/images/Color.h"

#include <memory>
#include <string>

class Picture;
class PrintJob;
class QPaintDevice;
class QPainter;

// Drawing into a picture (or a printed page). Text settings stay until changed.
class Graphics {
public:
    explicit Graphics(QPaintDevice& device);
    // The pages of a print job; FinishPrintJob finishes it (so does letting go of it, unreported).
    explicit Graphics(std::shared_ptr<PrintJob> job);

    // Draws the source rectangle of picture scaled into the destination rectangle.
    void DrawPicture(const Picture& picture, int x, int y, int width, int height,
                     int sourceX, int sourceY, int sourceWidth, int sourceHeight);
    // Draws text with its baseline at y; a wrap width of 0 means no wrapping.
    void DrawString(const std::string& text, int x, int y, int wrapWidth = 0, bool condense = false);

    std::string TextFont = "System";
    double TextSize = 0; // 0: the default size
    bool Bold = false;
    Color ForeColor = 0;

    // Ends the printed page and starts the next one; false when the printer failed. Nothing
    // (and true) for other graphics.
    bool NextPage();
    // Finishes the print job; false when the printer did not take every page. Nothing (and
    // true) for other graphics. Nothing may be drawn afterwards.
    bool FinishPrintJob();

    QPainter* Painter() const { return m_painter.get(); }

private:
    template <class Draw> void paint(Draw&& draw);

    QPaintDevice* m_device = nullptr;
    std::shared_ptr<QPainter> m_painter;
    std::shared_ptr<PrintJob> m_job;
};
