#include "app/App.h"
#include "help/Help.h"
#include "icon/MenuBar1.h"
#include "icon/Window1.h"
#include "platform/runtime/Runtime.h"
#include "platform/windows/ApplicationMenuItem.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/WindowWidget.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QtTest>

namespace {

struct Entry {
    const char* menu;
    const char* name;
    const char* text;
    const char* shortcut; // nullptr: never set
};

const Entry kMainBar[] = {
    {"", "FileMenu", "File", ""},
    {"FileMenu", "FileIdentifyOutputFolder", "Identify Output Folder", ""},
    {"FileMenu", "FileLoadIconSource", "Load Icon Source", "Cmd+O"},
    {"FileMenu", "FileSaveFiles", "Save Files", "Cmd+S"},
    {"FileMenu", "FilePrintHelp", "Print Help", "Cmd+P"},
    {"", "EditMenu", "&Edit", ""},
    {"EditMenu", "EditUndo", "&Undo", "Cmd+Z"},
    {"EditMenu", "EditSeparator1", "-", nullptr},
    {"EditMenu", "EditCut", "Cu&t", "Cmd+X"},
    {"EditMenu", "EditCopy", "&Copy", "Cmd+C"},
    {"EditMenu", "EditPaste", "&Paste", "Cmd+V"},
    {"EditMenu", "EditClear", "&Delete", ""},
    {"EditMenu", "EditSeparator2", "-", nullptr},
    {"EditMenu", "EditSelectAll", "Select &All", "Cmd+A"},
    {"", "CheckForUpdateMenu", "Check For Update", ""},
    {"CheckForUpdateMenu", "CheckForUpdateCheckNow", "Check Now", ""},
    {"", "HelpMenu", "Help ", ""},
    {"HelpMenu", "HelpShowHelp", "Show Help", ""},
    {"HelpMenu", "HelpAbout", "About...", ""},
};

QMenuBar* qtBar(Window& window)
{
    return window.Widget()->qtMenuBar();
}

} // namespace

class MenusTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void mainBarHoldsEveryEntryInOrder()
    {
        const auto bar = MenuBar1::Instance();
        QCOMPARE(bar, MenuBar1::Instance());
        QCOMPARE(bar->Count(), 4);
        const auto items = bar->Descendants();
        QCOMPARE(items.size(), std::size(kMainBar));
        for (size_t i = 0; i < items.size(); ++i) {
            const Entry& entry = kMainBar[i];
            const MenuItem* item = items[i];
            QCOMPARE(item->Name, std::string(entry.name));
            QCOMPARE(item->Text, std::string(entry.text));
            QVERIFY(item->AutoEnable);
            if (entry.shortcut)
                QCOMPARE(item->KeyboardShortcut.value_or("unset"), std::string(entry.shortcut));
            else
                QVERIFY(!item->KeyboardShortcut.has_value());
            const MenuItem* menu = *entry.menu ? bar->Child(entry.menu) : bar.get();
            QVERIFY(menu && menu->Child(entry.name) == item);
            const bool application = dynamic_cast<const ApplicationMenuItem*>(item) != nullptr;
            QCOMPARE(application, std::string(entry.name) == "HelpAbout");
        }
    }

    void windowShowsTheBarWithMnemonicsSeparatorsAndShortcuts()
    {
        QMenuBar* bar = qtBar(ProgramFixture::MainWindow());
        QVERIFY(bar);
        QStringList titles;
        for (QAction* action : bar->actions())
            titles << action->text();
        QCOMPARE(titles, QStringList({"File", "&Edit", "Check For Update", "Help "}));
        QMenu* edit = bar->actions()[1]->menu();
        QCOMPARE(edit->actions().size(), 8);
        QVERIFY(edit->actions()[1]->isSeparator());
        QVERIFY(edit->actions()[6]->isSeparator());
        QCOMPARE(edit->actions()[2]->text(), QString("Cu&t"));
        QCOMPARE(edit->actions()[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_X));
        QMenu* file = bar->actions()[0]->menu();
        QCOMPARE(file->actions()[1]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(file->actions()[0]->shortcut(), QKeySequence());
    }

    void enablingPassEnablesExactlyTheHandledItems()
    {
        Window1& window = ProgramFixture::MainWindow();
        window.EnableMenuItems();
        const QStringList expected = {"FileIdentifyOutputFolder", "FileLoadIconSource", "FileSaveFiles",
                                      "FilePrintHelp", "CheckForUpdateCheckNow", "HelpShowHelp", "HelpAbout"};
        for (const MenuItem* item : window.MenuBar()->Descendants()) {
            if (item->Count() > 0 || item->IsSeparator())
                continue;
            const bool shouldBe = expected.contains(QString::fromStdString(item->Name));
            QVERIFY2(item->Enabled() == shouldBe, item->Name.c_str());
            QAction* action = window.Widget()->actionFor(item->Name);
            QVERIFY(action);
            QCOMPARE(action->isEnabled(), shouldBe);
        }
        QVERIFY(!window.EditCopy().Enabled());
        QVERIFY(window.HelpAbout().Enabled());
    }

    void itemAccessorsFindEveryItemOfTheBar()
    {
        Window1& window = ProgramFixture::MainWindow();
        QCOMPARE(window.FileSaveFiles().Text, std::string("Save Files"));
        QCOMPARE(window.HelpMenu().Text, std::string("Help "));
        QCOMPARE(window.EditSeparator2().Text, std::string("-"));
        QCOMPARE(&window.HelpAbout(), window.MenuBar()->Lookup("HelpAbout"));
    }

    void chosenItemRunsTheFrontWindowsHandlerByName()
    {
        Window1& window = ProgramFixture::MainWindow();
        window.EnableMenuItems();
        QVERIFY(!OpenImplicitWindow<Help>());
        window.Widget()->actionFor("HelpShowHelp")->trigger();
        QVERIFY(OpenImplicitWindow<Help>());
        QVERIFY(!window.HandleMenuCommand("EditCopy"));
        QVERIFY(!window.HandleMenuCommand("NoSuchItem"));
    }

    void anExceptionInAHandlerIsReportedAndTheProgramGoesOn()
    {
        ScriptedSeam seam;
        Window1& window = ProgramFixture::MainWindow();
        window.AddMenuHandler("HelpShowHelp", []() -> bool { throw std::runtime_error("broken"); });
        window.EnableMenuItems();
        window.Widget()->actionFor("HelpShowHelp")->trigger();
        QCOMPARE(seam.messages.size(), size_t(1));
        QVERIFY(seam.messages[0].find("broken") != std::string::npos);
        QVERIFY(window.Visible());
    }

    void fileQuitClosesTheMainWindowAndQuitsWithZero()
    {
        // After the application's Open event, which RuntimeRun queues first.
        QTimer::singleShot(0, [] {
            QTimer::singleShot(0, [] { ProgramFixture::MainWindow().HandleMenuCommand("FileQuit"); });
        });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        QCOMPARE(RuntimeRun(), 0);
        QVERIFY(!OpenImplicitWindow<Window1>());
    }

    void closeBoxQuitsWithZero()
    {
        QTimer::singleShot(0, [] { QTimer::singleShot(0, [] { ProgramFixture::MainWindow().Widget()->close(); }); });
        QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
        QCOMPARE(RuntimeRun(), 0);
        QVERIFY(!OpenImplicitWindow<Window1>());
    }
};

QTEST_MAIN(MenusTest)
#include "tst_menus.moc"
