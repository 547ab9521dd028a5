#include "help/Help.h"
#include "help/MenuBar2.h"
#include "icon/Window1.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/QuitMenuItem.h"
#include "platform/windows/TextArea.h"
#include "platform/windows/WindowWidget.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"

#include <QAction>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

namespace {

// Twelve paragraphs, an empty line between two, each line break a single CR; the credit line
// closes the text and names no one.
const std::string kHelpText =
    "Quorrel helps developers make 1024 x 1024 pixel transparent icons from images.\r\r"
    "When you launch Quorrel, you see a large window with two 512 x 512 pixel image areas.  The left area is used "
    "to display the icon; the right area is used to display the icon mask.\r\r"
    "Steps to make a Mask:\r\r"
    "  a.  Click on File > \"Identify Output Folder\" from the menubar and navigate to the folder where output "
    "files should be placed.\r\r"
    "  b.  Click on File > \"Load Icon Source\" from the menubar and navigate to the Icon Source file.  The Icon "
    "Source file should be square, at least 1024 x 1024 pixels, jpg format, and have a white background.  The "
    "Icon will be displayed in the left area and a Mask will be generated and displayed in the right area.\r\r"
    "  c.  Move the \"Fuzziness\" slider back and forth to get the desired Mask shape.  All Icon pixels that are "
    "white will be white in the Mask.  All Icon pixels that are not white will be black in the Mask.  The "
    "\"Fuzziness\" slider sets the tolerance used in the code to decide how close to white will be considered "
    "white.\r\r"
    "  d.  Click on the \"Show PNG\" button to bring up a new window displaying a PNG transparent Icon from the "
    "Source Icon and the generated Mask.\r\r"
    "  e.  Click on File > \"Save Files\" from the menubar to generate a JPG Icon file, a JPG Mask file, and a PNG "
    "transparent Icon file in the Output Folder.  All files will be 1024 x 1024 pixels.\r\r"
    "Note:  The output files are generated from undisplayed 1024 x 1024 images, not the displayed 512 x 512 "
    "images.  The Icon Source image is scaled as necessary.\r\r"
    "This Help information may be printed from the File > \"Print Help\" menubar.\r\r"
    "Icon Credit:\r\r"
    "Icon artwork drawn for this program.";

struct Run {
    int start;
    int length;
};
const Run kBlueRuns[] = {{0, 78}, {260, 21}, {1613, 12}};

bool inBlueRun(int offset)
{
    for (const Run& run : kBlueRuns)
        if (offset >= run.start && offset < run.start + run.length)
            return true;
    return false;
}

Help& showHelp()
{
    ProgramFixture::MainWindow().HandleMenuCommand("HelpShowHelp");
    Help* help = OpenImplicitWindow<Help>();
    if (!help)
        qFatal("Show Help opened no help window");
    return *help;
}

int helpWindowCount()
{
    int count = 0;
    for (Window* window : WindowRegistry::All())
        count += dynamic_cast<Help*>(window) != nullptr;
    return count;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void windowHasItsDesign()
    {
        Help& help = showHelp();
        QCOMPARE(help.Title(), std::string("Quorrel"));
        QCOMPARE(help.Width(), 350);
        QCOMPARE(help.Height(), 348);
        QVERIFY(help.MenuBar() == MenuBar2::Instance());
        const TextArea& area = help.TextArea1();
        QCOMPARE(area.Left(), 20);
        QCOMPARE(area.Top(), 19);
        QCOMPARE(area.Width(), 310);
        QCOMPARE(area.Height(), 309);
        QVERIFY(area.ReadOnly());
        QCOMPARE(area.LineSpacing(), 1.0);
    }

    void textIsOneStringWithSingleCrBreaks()
    {
        TextArea& area = showHelp().TextArea1();
        const std::string text = area.Text();
        QCOMPARE(text, kHelpText);
        QCOMPARE(area.Len(), int(text.size()));
        // The widget shows every CR as a line break: 23 lines, one block each.
        QCOMPARE(area.Edit()->document()->blockCount(), 23);
    }

    void exactlyTheThreeRunsAreBoldBlue()
    {
        TextArea& area = showHelp().TextArea1();
        const std::string text = area.Text();
        QTextDocument* document = area.Edit()->document();
        int styled = 0;
        for (int offset = 0; offset < int(text.size()); ++offset) {
            if (text[size_t(offset)] == '\r')
                continue;
            QTextCursor cursor(document);
            cursor.setPosition(offset + 1); // the format of the character before the cursor
            const QTextCharFormat format = cursor.charFormat();
            const bool bold = format.fontWeight() >= QFont::Bold;
            const bool blue = format.hasProperty(QTextFormat::ForegroundBrush)
                && format.foreground().color() == QColor(0, 0, 255);
            QVERIFY2(bold == inBlueRun(offset) && blue == inBlueRun(offset),
                     qPrintable(QStringLiteral("offset %1").arg(offset)));
            styled += bold;
        }
        QCOMPARE(styled, 78 + 21 + 12);
    }

    void boldRunsAreFoundWhereTheyHaveAlwaysBeen()
    {
        const std::vector<std::pair<int, int>> runs = Help::BoldRuns();
        QCOMPARE(runs.size(), std::size(kBlueRuns));
        for (size_t i = 0; i < runs.size(); ++i) {
            QCOMPARE(runs[i].first, kBlueRuns[i].start);
            QCOMPARE(runs[i].second, kBlueRuns[i].length);
        }
    }

    void opensWithTheCaretAtTheStart()
    {
        TextArea& area = showHelp().TextArea1();
        QCOMPARE(area.SelStart(), 0);
        QCOMPARE(area.SelLength(), 0);
        QVERIFY(!area.Edit()->textCursor().hasSelection());
    }

    void textIsSelectableButNotEditable()
    {
        TextArea& area = showHelp().TextArea1();
        QVERIFY(area.Edit()->textInteractionFlags() & Qt::TextSelectableByMouse);
        QVERIFY(area.Edit()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QVERIFY(!(area.Edit()->textInteractionFlags() & Qt::TextEditable));
        area.SelStart(76);
        area.SelLength(6);
        QCOMPARE(area.SelText(), std::string("s.\r\rWh"));
        QTest::keyClicks(area.Edit(), "typed");
        QCOMPARE(area.Text(), kHelpText);
    }

    void selectionCountsCharactersBeyondTheBasicPlane()
    {
        TextArea& area = showHelp().TextArea1();
        area.Text("a\xF0\x9F\x98\x80" "b\rc"); // a, an emoji, b, CR, c
        QCOMPARE(area.Len(), 5);
        area.SelStart(2);
        area.SelLength(3);
        QCOMPARE(area.SelText(), std::string("b\rc"));
        QCOMPARE(area.SelStart(), 2);
        QCOMPARE(area.SelLength(), 3);
        area.Text("one\r\ntwo\nthree");
        QCOMPARE(area.Text(), std::string("one\rtwo\rthree"));
    }

    void newTextDropsTheRuns()
    {
        TextArea& area = showHelp().TextArea1(); // the caret stands in the first blue run
        area.Text("plain");
        QTextCursor cursor(area.Edit()->document());
        cursor.setPosition(3);
        QVERIFY(cursor.charFormat().fontWeight() < QFont::Bold);
        QVERIFY(!cursor.charFormat().hasProperty(QTextFormat::ForegroundBrush));
    }

    void hiddenButtonReportsTheSelection()
    {
        ScriptedSeam seam;
        Help& help = showHelp();
        PushButton& button = help.PushButton1();
        QCOMPARE(button.Caption(), std::string("Untitled"));
        QCOMPARE(button.Left(), 394);
        QCOMPARE(button.Top(), 330);
        QCOMPARE(button.Width(), 10);
        QVERIFY(button.Left() > help.Width()); // out of view
        help.TextArea1().SelStart(260);
        help.TextArea1().SelLength(21);
        button.Push();
        QCOMPARE(seam.messages, std::vector<std::string>{"Start: 260 Length: 21"});
    }

    void oneHelpWindowAtATimeAndAFreshOneAfterClosing()
    {
        Help& first = showHelp();
        first.TextArea1().SelStart(300);
        first.TextArea1().SelLength(5);
        QCOMPARE(&showHelp(), &first);
        QCOMPARE(helpWindowCount(), 1);

        first.Close();
        ProgramFixture::ProcessEvents();
        QVERIFY(!OpenImplicitWindow<Help>());
        Help& second = showHelp();
        QCOMPARE(helpWindowCount(), 1);
        QVERIFY(second.Visible());
        QCOMPARE(second.TextArea1().SelStart(), 0);
        QCOMPARE(second.TextArea1().SelLength(), 0);
        second.TextArea1().SelStart(260);
        second.TextArea1().SelLength(21);
        QCOMPARE(second.TextArea1().SelText(), std::string("Steps to make a Mask:"));
    }

    void menuBarIsBuiltOnceAcrossReopenings()
    {
        const std::shared_ptr<MenuBar2> bar = MenuBar2::Instance();
        for (int round = 0; round < 3; ++round) {
            Help& help = showHelp();
            QVERIFY(help.MenuBar() == bar);
            QCOMPARE(bar->Count(), 2);
            QCOMPARE(help.FileMenu().Count(), 2);
            QCOMPARE(help.EditMenu().Count(), 8);
            QVERIFY(help.Widget()->actionFor("FilePrintHelp"));
            help.Close();
            ProgramFixture::ProcessEvents();
        }
    }

    void menuItemAccessorsFindTheirItems()
    {
        Help& help = showHelp();
        QCOMPARE(help.FilePrintHelp().Text, std::string("Print Help"));
        QCOMPARE(help.FileQuit().Text, std::string("&Quit"));
        QCOMPARE(help.EditSelectAll().Text, std::string("Select &All"));
        QCOMPARE(help.EditSeparator1().Text, std::string("-"));
        QCOMPARE(help.EditClear().KeyboardShortcut.value_or("unset"), std::string(""));
    }

    void enablingPassEnablesPrintHelpAndKeepsQuit()
    {
        Help& help = showHelp();
        help.EnableMenuItems();
        WindowWidget* widget = help.Widget();
        QVERIFY(help.FilePrintHelp().Enabled());
        QVERIFY(widget->actionFor("FilePrintHelp")->isEnabled());
        QVERIFY(help.FileQuit().Enabled());
        QVERIFY(widget->actionFor("FileQuit")->isEnabled());
        for (MenuItem* item : help.EditMenu().Descendants()) {
            if (item->IsSeparator())
                continue;
            QVERIFY2(!item->Enabled(), item->Name.c_str());
            QVERIFY2(!widget->actionFor(item->Name)->isEnabled(), item->Name.c_str());
        }
    }

    void printHelpReachesTheHelpWindowsHandler()
    {
        ScriptedSeam seam; // cancels the print dialog
        Help& help = showHelp();
        help.EnableMenuItems();
        QAction* action = help.Widget()->actionFor("FilePrintHelp");
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        action->trigger();
        QCOMPARE(seam.log, std::vector<std::string>{"PrintDialog"});
        QVERIFY(!OpenImplicitWindow<Help>());
    }

    void commandKeyPGoesToTheWindowInFront()
    {
        ScriptedSeam seam;
        Window1& main = ProgramFixture::MainWindow();
        Help& help = showHelp();
        int helpHandlerRuns = 0;
        help.AddMenuHandler("FilePrintHelp", [&] { return ++helpHandlerRuns > 0; });

        help.Widget()->activateWindow();
        if (!QTest::qWaitForWindowActive(help.Widget()))
            QSKIP("this platform does not activate windows");
        QTest::keyClick(help.Widget(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(helpHandlerRuns, 1);
        QVERIFY(seam.log.empty());

        main.Widget()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main.Widget()));
        QTest::keyClick(main.Widget(), Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(helpHandlerRuns, 1);
        QCOMPARE(seam.log, std::vector<std::string>{"PrintDialog"}); // the main window's handler
        QVERIFY(!OpenImplicitWindow<Help>());
    }

    void quitFromTheHelpBarQuits()
    {
        Help& help = showHelp();
        help.EnableMenuItems();
        QAction* quit = help.Widget()->actionFor("FileQuit");
        QVERIFY(quit);
        QCOMPARE(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QVERIFY(!help.HandleMenuCommand("FileQuit")); // no handler of its own
        QTimer::singleShot(0, quit, &QAction::trigger);
        QTimer::singleShot(10000, [] { QCoreApplication::exit(99); }); // a guard, not a measure
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void closingTheHelpWindowLeavesTheMainWindow()
    {
        Help& help = showHelp();
        help.Widget()->close();
        ProgramFixture::ProcessEvents();
        QVERIFY(!OpenImplicitWindow<Help>());
        QVERIFY(ProgramFixture::MainWindow().Visible());
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_helpwindow.moc"
