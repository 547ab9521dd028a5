#include "help/Help.h"
#include "help/PrintHelp.h"
#include "icon/Window1.h"
#include "platform/images/Graphics.h"
#include "platform/printing/PrinterSetup.h"
#include "platform/printing/QtPrintJob.h"
#include "platform/printing/StyledTextPrinter.h"
#include "platform/runtime/BackgroundTask.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Testing.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/QtSeam.h"
#include "platform/windows/TextArea.h"
#include "platform/windows/WindowWidget.h"
#include "support/FileSizeLimit.h"
#include "support/ProgramFixture.h"
#include "support/RecordingPrintJob.h"
#include "support/ScriptedSeam.h"
#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QPointer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <optional>

namespace {

// 2026-03-01 09:30 and 2027-07-15 17:45 UTC: a different time and date in any zone.
constexpr std::int64_t kChosen = 1772357400000;
constexpr std::int64_t kLater = 1815925500000;

std::string stampAt(std::int64_t msecs)
{
    const Date date(msecs);
    return date.ShortTime() + ", " + date.ShortDate();
}

// "line 1" .. "line n", one per line.
std::string numberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += (i > 1 ? "\r" : "") + std::string("line ") + std::to_string(i);
    return text;
}

bool isFooter(const PrintedText& run)
{
    return run.y == PrinterSetup::kPortraitHeight;
}

// The body lines of every page, in order.
std::vector<std::string> bodyTexts(const PrintRecord& record)
{
    std::vector<std::string> texts;
    for (const auto& page : record.pages)
        for (const PrintedText& run : page)
            if (!isFooter(run))
                texts.push_back(run.text);
    return texts;
}

// A printer slow enough that every page's yield lets events in; onPage runs as a page ends.
class SlowPrintJob : public RecordingPrintJob {
public:
    SlowPrintJob(std::shared_ptr<PrintRecord> record, std::function<void()> onPage)
        : RecordingPrintJob(std::move(record)), m_onPage(std::move(onPage))
    {
    }
    bool NextPage() override
    {
        const bool done = RecordingPrintJob::NextPage();
        m_onPage();
        QThread::msleep(10);
        BackgroundTask::countdown = 1;
        return done;
    }

private:
    std::function<void()> m_onPage;
};
// The text of a PDF file's pages as pdftotext reads it, one entry per page; empty when
// pdftotext is missing.
QStringList pdfPageTexts(const QString& path)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess convert;
    convert.start(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!convert.waitForFinished(60000))
        return {};
    QStringList pages = QString::fromUtf8(convert.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace

class HelpPrintingTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        ProgramFixture::Start();
        testing::FixNow(kChosen);
    }
    void cleanup()
    {
        testing::FixNow(std::nullopt);
        ProgramFixture::Stop();
    }

    void helpTextPrintsOnOnePage()
    {
        ScriptedSeam seam;
        auto record = std::make_shared<PrintRecord>();
        seam.printAnswers.push_back(RecordingPrintJob::Answer(record));
        QVERIFY(ProgramFixture::MainWindow().HandleMenuCommand("FilePrintHelp"));
        QVERIFY(record->finished);
        QCOMPARE(seam.printLandscape, std::vector<bool>{false});
        QCOMPARE(record->pages.size(), size_t(1));
        QCOMPARE(record->nextPageCalls, 0);

        const auto& page = record->pages[0];
        QCOMPARE(page.size() >= 3, true);
        const PrintedText& number = page[page.size() - 2];
        const PrintedText& stamp = page.back();
        QCOMPARE(number.text, std::string("page 1"));
        QCOMPARE(number.x, 40.0);
        QCOMPARE(number.y, double(PrinterSetup::kPortraitHeight));
        QCOMPARE(stamp.text, stampAt(kChosen));
        QCOMPARE(stamp.x, 100.0);
        QCOMPARE(stamp.y, double(PrinterSetup::kPortraitHeight));
        for (const PrintedText* footer : {&number, &stamp}) {
            QCOMPARE(footer->family, std::string("Liberation Sans")); // Arial's metrics, asked for by name
            QCOMPARE(footer->size, 10.0);
            QVERIFY(!footer->bold);
            QCOMPARE(footer->color, 0u);
        }
        // The body: Courier (as Liberation Mono) 10 bold inside the block; the opening sentence and
        // the two headings blue.
        std::string blue;
        for (const PrintedText& run : page) {
            if (isFooter(run))
                continue;
            QCOMPARE(run.family, std::string("Liberation Mono"));
            QCOMPARE(run.size, 10.0);
            QVERIFY(run.bold); // where it lies: bodyFillsItsBlockExactly
            if (run.color == 0x0000FF)
                blue += run.text + "|";
            else
                QCOMPARE(run.color, 0u);
        }
        QVERIFY(blue.find("Steps to make a Mask:|") != std::string::npos);
        QVERIFY(blue.find("Icon Credit:|") != std::string::npos);
        QVERIFY(blue.find("Quorrel helps developers") == 0);
        QVERIFY(blue.find("When you launch") == std::string::npos);
        QVERIFY(record->PageText(0).find("Icon artwork drawn for this program.") != std::string::npos);
        QVERIFY(!OpenImplicitWindow<Help>());
    }

    // The body's block is the page inside its half-inch margins, less the footer's 12 points:
    // 492 x 672 points at (36, 36). Courier 10 sets 6 points a character.
    void bodyFillsItsBlockExactly()
    {
        ScriptedSeam seam;
        auto record = std::make_shared<PrintRecord>();
        seam.printAnswers.push_back(RecordingPrintJob::Answer(record));
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        // A line just as wide as the block, then one a character wider.
        const std::string fits(82, 'x');
        const std::string wider(83, 'y');
        ImplicitWindow<Help>().TextArea1().Text(fits + "\r" + wider + "\r" + numberedLines(100));
        ImplicitWindow<Help>().HandleMenuCommand("FilePrintHelp");
        QVERIFY(record->pages.size() >= 2);
        const auto& page = record->pages[0];
        QVERIFY(page.size() > 3);
        QCOMPARE(page[0].text, fits);
        QCOMPARE(page[1].text, wider.substr(0, 82));
        QCOMPARE(page[2].text, std::string("y"));
        // Lines 12 points apart from the block's top: 56 of them fill its height.
        QFont font(QStringLiteral("Liberation Mono"));
        font.setPixelSize(10);
        font.setBold(true);
        const double firstBaseline = 36 + QFontMetricsF(font).ascent();
        QCOMPARE(page.size(), size_t(56 + 2));
        for (size_t i = 0; i < 56; ++i) {
            QCOMPARE(page[i].x, 36.0);
            QCOMPARE(page[i].y, firstBaseline + 12.0 * double(i));
        }
        QCOMPARE(record->pages[1][0].y, firstBaseline);
    }

    void longTextPrintsPageByPage_data()
    {
        QTest::addColumn<int>("lines");
        QTest::newRow("two pages") << 80;
        QTest::newRow("several pages") << 400;
    }

    void longTextPrintsPageByPage()
    {
        QFETCH(int, lines);
        ScriptedSeam seam;
        auto record = std::make_shared<PrintRecord>();
        seam.printAnswers.push_back(RecordingPrintJob::Answer(record));
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        ImplicitWindow<Help>().TextArea1().Text(numberedLines(lines));
        ImplicitWindow<Help>().HandleMenuCommand("FilePrintHelp");

        const size_t pages = record->pages.size();
        QVERIFY(pages >= 2);
        QCOMPARE(record->nextPageCalls, int(pages) - 1);
        for (size_t i = 0; i < pages; ++i) {
            const auto& page = record->pages[i];
            QVERIFY(page.size() >= 3);
            // Each page's footer is drawn before the next page begins: it closes the page.
            QCOMPARE(page[page.size() - 2].text, "page " + std::to_string(i + 1));
            QCOMPARE(page.back().text, stampAt(kChosen));
            for (size_t j = 0; j + 2 < page.size(); ++j) {
                QVERIFY(!isFooter(page[j]));
                QCOMPARE(page[j].family, std::string("Liberation Mono")); // body settings back after every footer
                QVERIFY(page[j].bold);
                QVERIFY(page[j].y > kHelpBlockTop && page[j].y <= kHelpBlockTop + kHelpBlockHeight);
            }
        }
        // Every line once, in order: nothing lost or repeated at the page breaks.
        const std::vector<std::string> body = bodyTexts(*record);
        QCOMPARE(int(body.size()), lines);
        for (int i = 0; i < lines; ++i)
            QCOMPARE(body[size_t(i)], "line " + std::to_string(i + 1));
        QVERIFY(!OpenImplicitWindow<Help>());
    }

    void stampIsTakenBeforeTheDialog()
    {
        ScriptedSeam seam;
        auto record = std::make_shared<PrintRecord>();
        seam.printAnswers.push_back([record](const PrinterSetup& setup) {
            testing::FixNow(kLater); // the user takes a while in the dialog
            return RecordingPrintJob::Answer(record)(setup);
        });
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        ImplicitWindow<Help>().TextArea1().Text(numberedLines(150));
        PrintHelp();
        QVERIFY(record->pages.size() >= 3);
        QVERIFY(stampAt(kChosen) != stampAt(kLater));
        for (const auto& page : record->pages)
            QCOMPARE(page.back().text, stampAt(kChosen));
    }

    void emptyTextGetsTheFooterOnly()
    {
        ScriptedSeam seam;
        auto record = std::make_shared<PrintRecord>();
        seam.printAnswers.push_back(RecordingPrintJob::Answer(record));
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        ImplicitWindow<Help>().TextArea1().Text("");
        PrintHelp();
        QCOMPARE(record->pages.size(), size_t(1));
        QCOMPARE(record->nextPageCalls, 0);
        QCOMPARE(record->PageText(0), "page 1\n" + stampAt(kChosen) + "\n");
    }

    void cancelPrintsNothingAndClosesTheHelpWindow_data()
    {
        QTest::addColumn<bool>("fromHelpWindow");
        QTest::addColumn<bool>("helpOpenBefore");
        QTest::newRow("help window") << true << true;
        QTest::newRow("main window, help open") << false << true;
        QTest::newRow("main window, help closed") << false << false;
    }

    void cancelPrintsNothingAndClosesTheHelpWindow()
    {
        QFETCH(bool, fromHelpWindow);
        QFETCH(bool, helpOpenBefore);
        ScriptedSeam seam; // no answers: the dialog is cancelled
        if (helpOpenBefore)
            ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        Window& target = fromHelpWindow ? static_cast<Window&>(ImplicitWindow<Help>())
                                        : static_cast<Window&>(ProgramFixture::MainWindow());
        QVERIFY(target.HandleMenuCommand("FilePrintHelp"));
        QCOMPARE(seam.log, std::vector<std::string>{"PrintDialog"});
        QVERIFY(!OpenImplicitWindow<Help>());
        ProgramFixture::ProcessEvents();
        QVERIFY(WindowRegistry::All().size() == 1); // the main window alone
    }

    // The help window closed in the yield of a page: the print goes on to its end with the
    // closed window kept through the later pages' yields, and it goes when the command is over.
    void closingTheHelpWindowWhileItPrints()
    {
        ScriptedSeam seam;
        auto record = std::make_shared<PrintRecord>();
        QPointer<QWidget> widget;
        bool closedInPrint = false;
        int pagesAfterClose = 0;
        bool keptWhilePrinting = true;
        const auto onPage = [&] {
            if (!closedInPrint)
                return;
            ++pagesAfterClose;
            keptWhilePrinting = keptWhilePrinting && widget;
        };
        seam.printAnswers.push_back([&](const PrinterSetup&) {
            BackgroundTask::countdown = 1;
            return std::make_unique<SlowPrintJob>(record, onPage);
        });
        Help& help = ImplicitWindow<Help>();
        help.TextArea1().Text(numberedLines(400));
        help.EnableMenuItems();
        widget = help.Widget();
        QTimer::singleShot(0, widget, [&] { closedInPrint = !record->pages.empty() && widget->close(); });
        help.Widget()->actionFor("FilePrintHelp")->trigger();
        QVERIFY(closedInPrint);
        QVERIFY(pagesAfterClose >= 2);
        QVERIFY(keptWhilePrinting);
        QVERIFY(record->finished);
        QCOMPARE(bodyTexts(*record).size(), size_t(400));
        QVERIFY(!OpenImplicitWindow<Help>());
        ProgramFixture::ProcessEvents();
        QVERIFY(!widget);
        QCOMPARE(WindowRegistry::All().size(), size_t(1)); // the main window alone
    }

    void printerThatCannotStartIsReported()
    {
        ScriptedSeam seam;
        seam.PrintToPdf("/nonexistent-folder/help.pdf");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(".*")));
        QVERIFY(ProgramFixture::MainWindow().HandleMenuCommand("FilePrintHelp"));
        QCOMPARE(seam.log.size(), size_t(2));
        QCOMPARE(seam.log[0], std::string("PrintDialog"));
        QCOMPARE(seam.messages, std::vector<std::string>{"The printer could not be started, so nothing was printed."});
        QVERIFY(!OpenImplicitWindow<Help>());
    }

    void printerThatStopsIsReported_data()
    {
        QTest::addColumn<QString>("stops");
        QTest::newRow("at a page break") << "page break";
        QTest::newRow("at the end") << "end";
        QTest::newRow("PDF on a full disk") << "full disk";
    }

    void printerThatStopsIsReported()
    {
        QFETCH(QString, stops);
        ScriptedSeam seam;
        auto record = std::make_shared<PrintRecord>();
        record->pageBreaksFail = stops == "page break";
        record->finishFails = stops == "end";
        QTemporaryDir folder;
        if (stops == "full disk")
            seam.PrintToPdf(folder.filePath(QStringLiteral("help.pdf")).toStdString());
        else
            seam.printAnswers.push_back(RecordingPrintJob::Answer(record));
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        ImplicitWindow<Help>().TextArea1().Text(numberedLines(200));
        std::optional<FileSizeLimit> disk;
        if (stops == "full disk") {
            disk.emplace(4096);
            QVERIFY(disk->set());
        }
        QVERIFY(ImplicitWindow<Help>().HandleMenuCommand("FilePrintHelp"));
        disk.reset();
        QCOMPARE(seam.messages, std::vector<std::string>{"The help was not completely printed."});
        if (stops == "page break")
            QCOMPARE(record->nextPageCalls, 1); // nothing more is sent to a printer that stopped
        QVERIFY(!OpenImplicitWindow<Help>());
    }

    // Output that cannot be read back for its trailer is judged by the page breaks and the end.
    void printingWhereNothingCanBeReadBackSucceeds()
    {
        ScriptedSeam seam;
        seam.PrintToPdf("/dev/null");
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        ImplicitWindow<Help>().TextArea1().Text(numberedLines(200));
        QVERIFY(ImplicitWindow<Help>().HandleMenuCommand("FilePrintHelp"));
        QCOMPARE(seam.messages, std::vector<std::string>{});
        QVERIFY(!OpenImplicitWindow<Help>());
    }

    void everyLineAndFooterFitsTheChosenPaper_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("US Letter portrait") << int(QPageSize::Letter) << false;
        QTest::newRow("US Letter landscape") << int(QPageSize::Letter) << true;
        QTest::newRow("A5 portrait") << int(QPageSize::A5) << false;
    }

    void everyLineAndFooterFitsTheChosenPaper()
    {
        QFETCH(int, paper);
        QFETCH(bool, landscape);
        testing::FixNow(std::nullopt);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("help.pdf"));
        ScriptedSeam seam;
        double scale = 0;
        double unscaled = 0;
        // The paper and orientation the user picks in the dialog, whatever the program asked for.
        seam.printAnswers.push_back([&](const PrinterSetup& setup) {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            printer->setPageLayout(QPageLayout(QPageSize(QPageSize::PageSizeId(paper)),
                                               landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                               QMarginsF(PrinterSetup::kMargin, PrinterSetup::kMargin,
                                                         PrinterSetup::kMargin, PrinterSetup::kMargin),
                                               QPageLayout::Point));
            unscaled = printer->resolution() / 72.0;
            auto job = std::make_unique<QtPrintJob>(std::move(printer), setup);
            scale = job->Painter()->worldTransform().m11();
            return job;
        });
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        ImplicitWindow<Help>().TextArea1().Text(numberedLines(200));
        const std::string before = stampAt(Date().MillisecondsSinceEpoch());
        PrintHelp();
        const std::string after = stampAt(Date().MillisecondsSinceEpoch());
        QVERIFY(seam.messages.empty());
        const QStringList pages = pdfPageTexts(path);
        if (pages.isEmpty())
            QSKIP("pdftotext is not installed");
        QVERIFY(pages.size() >= 3);
        QString body;
        for (int i = 0; i < pages.size(); ++i) {
            const QString footer = pages[i].trimmed().split(QLatin1Char('\n')).last().simplified();
            QVERIFY2(footer == QStringLiteral("page %1 %2").arg(i + 1).arg(QString::fromStdString(before))
                         || footer == QStringLiteral("page %1 %2").arg(i + 1).arg(QString::fromStdString(after)),
                     qPrintable(footer));
            body += pages[i];
        }
        const QRegularExpression line(QStringLiteral("\\bline (\\d+)\\b"));
        std::vector<int> numbers;
        for (const QRegularExpressionMatch& match : line.globalMatch(body))
            numbers.push_back(match.captured(1).toInt());
        QCOMPARE(int(numbers.size()), 200);
        for (int i = 0; i < 200; ++i)
            QCOMPARE(numbers[size_t(i)], i + 1);
        if (paper == QPageSize::Letter && !landscape)
            QCOMPARE(scale, unscaled); // the page as laid out, one point to a point
        else
            QVERIFY(scale < unscaled);
    }

    void printDialogOffersNoPageRange()
    {
        QtSeam seam;
        QStringList offered;
        bool shown = false;
        bool rangeOption = true;
        bool copiesForPdf = true;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = true;
            rangeOption = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
            // Every choice of pages Qt's dialog has, looked for on its own tab with the options shown.
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                if (button->text().contains(QStringLiteral("Options")))
                    button->click();
            for (const char* name : {"printRange", "from", "to", "pagesRadioButton", "pagesLineEdit",
                                     "printSelection", "printCurrentPage"}) {
                QWidget* widget = dialog->findChild<QWidget*>(QLatin1String(name));
                if (!widget)
                    continue;
                for (QWidget* page = widget; page->parentWidget() != dialog; page = page->parentWidget())
                    if (auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget()))
                        tabs->setCurrentWidget(page);
                if (widget->isVisibleTo(dialog) && widget->isEnabled())
                    offered << QLatin1String(name);
            }
            // A PDF file holds one copy.
            if (auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers")))
                printers->setCurrentIndex(printers->count() - 1);
            if (auto* copies = dialog->findChild<QWidget*>(QStringLiteral("copies")))
                copiesForPdf = copies->isEnabled();
            dialog->reject();
        });
        QVERIFY(!seam.OpenPrinterDialog(PrinterSetup{}));
        QVERIFY(shown);
        QVERIFY(!rangeOption);
        QCOMPARE(offered, QStringList());
        QVERIFY(!copiesForPdf);
    }

    void printerDrawsEveryLineOnceWhateverTheBlockHeight_data()
    {
        QTest::addColumn<int>("blockHeight");
        QTest::newRow("shorter than a line") << 1;
        QTest::newRow("a few lines") << 40;
        QTest::newRow("a page") << kHelpBlockHeight;
    }

    void printerDrawsEveryLineOnceWhateverTheBlockHeight()
    {
        QFETCH(int, blockHeight);
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        TextArea& area = ImplicitWindow<Help>().TextArea1();
        area.Text(numberedLines(60));
        auto record = std::make_shared<PrintRecord>();
        Graphics g(std::shared_ptr<PrintJob>(std::make_unique<RecordingPrintJob>(record)));
        g.TextFont = "Courier";
        g.TextSize = 10;
        auto printer = area.styledTextPrinter(g, kHelpBlockWidth);
        int blocks = 0;
        while (!printer->Eof() && blocks < 1000) {
            printer->DrawBlock(kHelpBlockLeft, kHelpBlockTop, blockHeight);
            ++blocks;
            if (blocks == 3)
                g.TextSize = 14; // new settings between blocks lay the rest out again
        }
        QVERIFY(printer->Eof());
        const std::vector<std::string> body = bodyTexts(*record);
        QCOMPARE(int(body.size()), 60);
        for (int i = 0; i < 60; ++i)
            QCOMPARE(body[size_t(i)], "line " + std::to_string(i + 1));
        QCOMPARE(area.Text(), numberedLines(60)); // the text area keeps its text
    }

    // Long texts on real paper: everyLineAndFooterFitsTheChosenPaper.
    void printsTheHelpTextToPdf()
    {
        testing::FixNow(std::nullopt);
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString path = folder.filePath(QStringLiteral("help.pdf"));
        ScriptedSeam seam;
        seam.PrintToPdf(path.toStdString());
        ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
        const std::string before = stampAt(Date().MillisecondsSinceEpoch());
        PrintHelp();
        const std::string after = stampAt(Date().MillisecondsSinceEpoch());
        QVERIFY(!OpenImplicitWindow<Help>());

        const QByteArray pdf = testfiles::readFile(path);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 1);
        const QStringList pages = pdfPageTexts(path);
        if (pages.isEmpty())
            QSKIP("pdftotext is not installed; the page count was checked");
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].contains(QStringLiteral("Steps to make a Mask:")));
        const QString footer = pages[0].trimmed().split(QLatin1Char('\n')).last().simplified();
        QVERIFY2(footer == QStringLiteral("page 1 %1").arg(QString::fromStdString(before))
                     || footer == QStringLiteral("page 1 %1").arg(QString::fromStdString(after)),
                 qPrintable(footer));
    }
};

QTEST_MAIN(HelpPrintingTest)
#include "tst_helpprinting.moc"
