#include "support/RecordingPrintJob.h"

#include "platform/printing/PrinterSetup.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QTextItem>

#include <functional>

namespace {

// Keeps the text items; everything else drawn is dropped.
class RecordingEngine : public QPaintEngine {
public:
    explicit RecordingEngine(std::function<void(PrintedText)> sink)
        : QPaintEngine(QPaintEngine::AllFeatures), m_sink(std::move(sink))
    {
    }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override
    {
        const QPointF at = painter()->combinedTransform().map(p);
        const QFont font = item.font();
        m_sink({item.text().toStdString(), at.x(), at.y(), font.family().toStdString(),
                font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF(), font.bold(),
                painter()->pen().color().rgb() & 0xFFFFFFu});
    }
    Type type() const override { return QPaintEngine::User; }

private:
    std::function<void(PrintedText)> m_sink;
};

} // namespace

class RecordingPrintJob::Device : public QPaintDevice {
public:
    explicit Device(std::function<void(PrintedText)> sink) : m_engine(std::move(sink)) {}
    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return PrinterSetup::kPortraitWidth;
        case PdmHeight: return PrinterSetup::kPortraitHeight;
        case PdmWidthMM: return 191;
        case PdmHeightMM: return 254;
        case PdmNumColors: return INT_MAX;
        case PdmDepth: return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return 72;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default: return 0;
        }
    }

private:
    mutable RecordingEngine m_engine;
};

RecordingPrintJob::RecordingPrintJob(std::shared_ptr<PrintRecord> record)
    : m_record(std::move(record)),
      m_device(std::make_unique<Device>([this](PrintedText text) { m_record->pages.back().push_back(text); })),
      m_painter(std::make_shared<QPainter>())
{
    m_record->pages.emplace_back();
    m_painter->begin(m_device.get());
}

RecordingPrintJob::~RecordingPrintJob()
{
    if (!m_record->finished)
        Finish();
}

bool RecordingPrintJob::NextPage()
{
    ++m_record->nextPageCalls;
    m_record->pages.emplace_back();
    return !m_record->pageBreaksFail;
}

bool RecordingPrintJob::Finish()
{
    m_painter->end();
    m_record->finished = true;
    return !m_record->finishFails;
}

std::function<std::unique_ptr<PrintJob>(const PrinterSetup&)>
RecordingPrintJob::Answer(std::shared_ptr<PrintRecord> record)
{
    return [record](const PrinterSetup&) { return std::make_unique<RecordingPrintJob>(record); };
}

std::string PrintRecord::PageText(size_t page) const
{
    std::string text;
    if (page < pages.size())
        for (const PrintedText& run : pages[page])
            text += run.text + "\n";
    return text;
}
