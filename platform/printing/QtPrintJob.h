#pragma once

#include "platform/printing/PrintJob.h"

class QPrinter;

// A print job on a Qt printer: a real one chosen in the print dialog, or a PDF file.
class QtPrintJob : public PrintJob {
public:
    // The setup's page is drawn at its size, scaled down evenly where the printer's printable
    // area is smaller (landscape, small paper), so that nothing falls off the paper.
    QtPrintJob(std::unique_ptr<QPrinter> printer, const PrinterSetup& setup);
    ~QtPrintJob() override;

    std::shared_ptr<QPainter> Painter() override { return m_painter; }
    bool NextPage() override;
    bool Finish() override;

    // The page layout: US Letter with half-inch margins, in the setup's orientation.
    static void ApplySetup(QPrinter& printer, const PrinterSetup& setup);

private:
    std::unique_ptr<QPrinter> m_printer;
    std::shared_ptr<QPainter> m_painter;
    bool m_failed = false;
};
