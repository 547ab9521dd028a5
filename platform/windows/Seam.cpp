#include "platform/windows/Seam.h"

#include "platform/printing/PrintJob.h"
#include "platform/windows/QtSeam.h"

namespace {
Seam* installed = nullptr;
}

Seam& Seam::Current()
{
    static QtSeam real;
    return installed ? *installed : real;
}

std::unique_ptr<PrintJob> Seam::OpenPrinterDialog(const PrinterSetup&)
{
    return nullptr;
}

Seam* Seam::Install(Seam* seam)
{
    Seam* previous = installed;
    installed = seam;
    return previous;
}

void MsgBox(const std::string& text) { Seam::Current().MsgBox(text); }
void Beep() { Seam::Current().Beep(); }
void ShowURL(const std::string& url) { Seam::Current().ShowURL(url); }
