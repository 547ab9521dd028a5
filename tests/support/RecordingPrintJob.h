#pragma once

#include "platform/printing/PrintJob.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// One run of text as the printer received it, in points from the printable area's top-left.
struct PrintedText {
    std::string text;
    double x = 0;
    double y = 0; // the baseline
    std::string family;
    double size = 0; // pixel size of the font (one pixel is one point here)
    bool bold = false;
    std::uint32_t color = 0; // 0xRRGGBB
};

// What a recording print job received; it outlives the job.
struct PrintRecord {
    std::vector<std::vector<PrintedText>> pages;
    int nextPageCalls = 0;
    bool finished = false;
    // A printer that stops: page breaks or the finish report a failure.
    bool pageBreaksFail = false;
    bool finishFails = false;
    // The texts of a page joined in drawing order, each run followed by a newline.
    std::string PageText(size_t page) const;
};

// A printer for tests: the setup's portrait page at 72 dpi (one pixel a point) that records every text drawn.
class RecordingPrintJob : public PrintJob {
public:
    explicit RecordingPrintJob(std::shared_ptr<PrintRecord> record);
    ~RecordingPrintJob() override;

    std::shared_ptr<QPainter> Painter() override { return m_painter; }
    bool NextPage() override;
    bool Finish() override;

    // An answer for ScriptedSeam::printAnswers that records into record.
    static std::function<std::unique_ptr<PrintJob>(const PrinterSetup&)> Answer(std::shared_ptr<PrintRecord> record);

private:
    class Device;
    std::shared_ptr<PrintRecord> m_record;
    std::unique_ptr<Device> m_device;
    std::shared_ptr<QPainter> m_painter;
};
