#pragma once

#include <memory>

class Graphics;
class PrinterSetup;
class QPainter;

// The pages of one print, drawn through one painter in points: (0, 0) is the top-left corner
// of the printable area. The job is finished (sent or written) when it is destroyed.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual std::shared_ptr<QPainter> Painter() = 0;
    // Ends the current page and starts the next one.
    virtual void NextPage() = 0;
};

// Shows the print dialog (through the seam). The printing graphics of a new job, or nullptr
// when the user cancelled or the printer could not start (which a message box reports).
// Letting go of the graphics finishes the job.
std::unique_ptr<Graphics> OpenPrinterDialog(const PrinterSetup& setup);
