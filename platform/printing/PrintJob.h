#pragma once

#include <memory>

class Graphics;
class PrinterSetup;
class QPainter;

// The pages of one print, drawn through one painter in points: (0, 0) is the top-left corner
// of the printable area. Finish sends or writes the job; a job destroyed unfinished is
// finished then, with nobody told how it went.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual std::shared_ptr<QPainter> Painter() = 0;
    // Ends the current page and starts the next one; false when the printer failed.
    virtual bool NextPage() = 0;
    // Ends the last page and finishes the job; false when the printer did not take it whole.
    virtual bool Finish() = 0;
};

// Shows the print dialog (through the seam). The printing graphics of a new job, or nullptr
// when the user cancelled or the printer could not start (which a message box reports).
std::unique_ptr<Graphics> OpenPrinterDialog(const PrinterSetup& setup);
