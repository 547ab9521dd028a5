#include "help/PrintHelp.h"

#include "help/Help.h"
#include "platform/images/Graphics.h"
#include "platform/printing/PrintJob.h"
#include "platform/printing/PrinterSetup.h"
#include "platform/printing/StyledTextPrinter.h"
#include "platform/runtime/BackgroundTask.h"
#include "platform/runtime/Date.h"
#include "platform/runtime/Strings.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Seam.h"
#include "platform/windows/TextArea.h"

namespace {

// The footer sits on the page's bottom edge.
void drawFooter(Graphics& g, int baseline, int page, const std::string& stamp)
{
    g.TextFont = "Arial";
    g.Bold = false;
    g.DrawString("page " + Str(page), 40, baseline, 0, false);
    g.DrawString(stamp, 100, baseline, 0, false);
}

} // namespace

bool PrintHelp()
{
    PrinterSetup setup;
    setup.Landscape = false;
    // Every page carries the moment the command was chosen, not when its page was drawn.
    const Date now;
    const std::string stamp = now.ShortTime() + ", " + now.ShortDate();
    int page = 1;
    const int footerBaseline = setup.PageHeight();

    std::unique_ptr<Graphics> g = OpenPrinterDialog(setup);
    if (g) {
        g->TextFont = "Courier";
        g->TextSize = 10;
        g->ForeColor = RGB(0, 0, 0);
        g->Bold = true;
        auto printer = ImplicitWindow<Help>().TextArea1().styledTextPrinter(*g, kHelpBlockWidth);
        bool whole = true;
        while (!printer->Eof()) {
            printer->DrawBlock(kHelpBlockLeft, kHelpBlockTop, kHelpBlockHeight);
            if (!printer->Eof()) {
                drawFooter(*g, footerBaseline, page, stamp);
                g->TextFont = "Courier";
                g->Bold = true;
                page = page + 1;
                if (!g->NextPage()) {
                    whole = false; // the printer has stopped: the rest would go nowhere
                    break;
                }
            }
            RuntimeBackgroundTask();
        }
        if (whole)
            drawFooter(*g, footerBaseline, page, stamp);
        printer.reset();
        whole = g->FinishPrintJob() && whole;
        g.reset();
        if (!whole)
            MsgBox("The help was not completely printed.");
    }
    ImplicitWindow<Help>().Close();
    return true;
}
