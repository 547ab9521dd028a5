#include "platform/PrintJob.h"

#include "platform/Graphics.h"
#include "platform/Seam.h"

std::unique_ptr<Graphics> OpenPrinterDialog(const PrinterSetup& setup)
{
    std::shared_ptr<PrintJob> job = Seam::Current().OpenPrinterDialog(setup);
    if (!job)
        return nullptr;
    return std::make_unique<Graphics>(std::move(job));
}
