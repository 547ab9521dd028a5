#include "platform/printing/QtPrintJob.h"

#include "platform/printing/PrinterSetup.h"

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace {

// Qt's PDF writer reports a failed write (a full disk) at a page break at best, never at the
// end; a PDF file written whole ends with its trailer. Output that cannot be read back (a
// device, a pipe, a write-only file) is judged by the page breaks and the end alone.
bool pdfIsWhole(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return true;
    const qint64 size = file.size();
    if (size < 5 || !file.seek(std::max<qint64>(0, size - 64)))
        return false;
    return file.readAll().contains("%%EOF");
}

} // namespace

QtPrintJob::QtPrintJob(std::unique_ptr<QPrinter> printer, const PrinterSetup& setup)
    : m_printer(std::move(printer)), m_painter(std::make_shared<QPainter>())
{
    if (m_painter->begin(m_printer.get())) {
        // One unit is one point; the painter's origin is the printable area's top-left corner.
        double scale = m_printer->resolution() / 72.0;
        const QRectF area = m_printer->pageLayout().paintRect(QPageLayout::Point);
        if (area.width() < setup.PageWidth() || area.height() < setup.PageHeight())
            scale *= std::min(area.width() / setup.PageWidth(), area.height() / setup.PageHeight());
        m_painter->scale(scale, scale);
    }
}

QtPrintJob::~QtPrintJob()
{
    if (m_painter->isActive())
        m_painter->end();
}

bool QtPrintJob::NextPage()
{
    if (!m_painter->isActive() || !m_printer->newPage())
        m_failed = true;
    return !m_failed;
}

bool QtPrintJob::Finish()
{
    if (!m_painter->isActive() || !m_painter->end() || m_printer->printerState() == QPrinter::Error)
        m_failed = true;
    else if (m_printer->outputFormat() == QPrinter::PdfFormat && !pdfIsWhole(m_printer->outputFileName()))
        m_failed = true;
    return !m_failed;
}

void QtPrintJob::ApplySetup(QPrinter& printer, const PrinterSetup& setup)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter),
                                      setup.Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(PrinterSetup::kMargin, PrinterSetup::kMargin, PrinterSetup::kMargin,
                                               PrinterSetup::kMargin),
                                      QPageLayout::Point));
}
