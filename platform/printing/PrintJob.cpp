#include "platform/printing/PrintJob.h"

#include "platform/images/Graphics.h"
#include "platform/windows/Seam.h"

#include <QPainter>

std::unique_ptr<Graphics> OpenPrinterDialog(const PrinterSetup& setup)
{
    std::shared_ptr<PrintJob> job = Seam::Current().OpenPrinterDialog(setup);
    if (!job)
        return nullptr;
    // A printer that cannot start (a file that cannot be written, a printer gone) says so
    // instead of silently taking pages that go nowhere.
    if (!job->Painter() || !job->Painter()->isActive()) {
        MsgBox("The printer could not be started, so nothing was printed.");
        return nullptr;
    }
    return std::make_unique<Graphics>(std::move(job));
}
