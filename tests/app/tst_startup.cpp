#include "common/TheApp.h"
#include "help/AboutBox.h"
#include "help/Help.h"
#include "icon/MenuBar1.h"
#include "icon/Module1.h"
#include "icon/Window1.h"
#include "platform/runtime/Runtime.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/PushButton.h"
#include "platform/windows/Slider.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"
#include "update/Testing.h"
#include "update/selfTest.h"
#include "update/updateWindow.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTcpServer>
#include <QtTest>

#include <cstring>

namespace {

// The test program runs itself with this argument to start the runtime in a fresh process.
constexpr char kStartWithArguments[] = "--start-with-arguments";

// What a launch as "quorrel -platform bogus --reverse" does to the runtime: it must come up
// on the platform the environment chooses and see no argument but the program's name.
int startWithArguments()
{
    char name[] = "quorrel";
    char platform[] = "-platform";
    char bogus[] = "bogus";
    char reverse[] = "--reverse";
    char* argv[] = {name, platform, bogus, reverse, nullptr};
    int argc = 4;
    RuntimeInit(argc, argv);
    const bool plain = QGuiApplication::platformName() == qEnvironmentVariable("QT_QPA_PLATFORM")
        && QCoreApplication::arguments() == QStringList{QStringLiteral("quorrel")}
        && QGuiApplication::layoutDirection() == Qt::LeftToRight;
    return RuntimeShutdown(plain ? 0 : 1);
}

// Opens one of the program's windows as the user does.
Window* openWindow(const QString& name)
{
    Window1& main = ProgramFixture::MainWindow();
    if (name == "main")
        return &main;
    if (name == "help") {
        main.HandleMenuCommand("HelpShowHelp");
        return OpenImplicitWindow<Help>();
    }
    if (name == "about") {
        main.HandleMenuCommand("HelpAbout");
        return OpenImplicitWindow<AboutBox>();
    }
    main.HandleMenuCommand("CheckForUpdateCheckNow");
    if (name == "self test")
        return OpenImplicitWindow<selfTest>();
    ImplicitWindow<selfTest>().PushButton1().Push();
    return OpenImplicitWindow<updateWindow>();
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void init() { ProgramFixture::Start(); }
    void cleanup() { ProgramFixture::Stop(); }

    void startupMakesOneMainWindowSharingTheMenuBar()
    {
        Window1& window = ProgramFixture::MainWindow();
        QCOMPARE(WindowRegistry::All().size(), size_t(1));
        QVERIFY(window.Visible());
        QCOMPARE(window.Title(), std::string("Quorrel"));
        QVERIFY(TheApp().MenuBar == window.MenuBar());
        QVERIFY(MenuBar1::Instance() == window.MenuBar());
        QCOMPARE(window.MenuBar()->Count(), 4);
    }

    void creatingTheWindowComputesNothing()
    {
        ScriptedSeam seam;
        QCOMPARE(Module1::Fuzz, 0);
        QVERIFY(!Module1::SourceLoaded());
        QCOMPARE(ProgramFixture::MainWindow().FuzzTolerance().Value(), 239);
        QVERIFY(seam.log.empty());
    }

    void aLaunchWithArgumentsStartsLikeAPlainOne()
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kStartWithArguments)});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), 0);
    }

    // Platforms without stacking (the offscreen one of headless runs) warn at every raise.
    void showingWindowsAgainWarnsOfNothing()
    {
        ProgramFixture::Stop();
        QTest::failOnWarning(QRegularExpression(QStringLiteral("raise")));
        ProgramFixture::Start();
        ProgramFixture::MainWindow().Show(); // already shown: brought forward again
        ProgramFixture::ProcessEvents();
    }

    // On X11 a display name would be appended to every window's title ("About... - Quorrel").
    void windowTitlesAreTheirOwnWithNoDisplayName()
    {
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        const QString displayName = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(name);
        QCOMPARE(displayName, QStringLiteral("probe")); // an unset display name follows the name
    }

    // Every caption and button text that the user can see fits its box whole, in one line per
    // line of text, and no two labels' texts meet.
    void designTextsFitTheirBoxes_data()
    {
        QTest::addColumn<QString>("window");
        for (const char* window : {"main", "help", "about", "self test", "update"})
            QTest::newRow(window) << window;
    }

    void designTextsFitTheirBoxes()
    {
        QFETCH(QString, window);
        if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
            QSKIP("fonts-liberation is not installed (scripts/deps installs it)");
        ScriptedSeam seam;
        QTcpServer silent; // the update window waits on it
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        testing::SetUpdateHost("127.0.0.1:" + std::to_string(silent.serverPort()));
        Window* open = openWindow(window);
        QVERIFY(open);
        const QRect content(0, 0, open->Width(), open->Height());
        std::vector<std::pair<QString, QRect>> texts;
        for (RectControl* control : open->Controls()) {
            QWidget* widget = control->Widget();
            const QRect box(widget->mapTo(open->Content(), QPoint()), widget->size());
            if (!content.contains(box))
                continue; // never in view
            const QString name = QString::fromStdString(control->Name());
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                const QRect room = label->contentsRect();
                const QRect text = label->fontMetrics().boundingRect(room, int(label->alignment()), label->text());
                QVERIFY2(room.contains(text), qPrintable(name));
                texts.emplace_back(name, text.translated(box.topLeft()));
            } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const QFontMetrics metrics = button->fontMetrics();
                QVERIFY2(metrics.horizontalAdvance(button->text()) <= room.width(), qPrintable(name));
                QVERIFY2(metrics.height() <= room.height(), qPrintable(name));
            }
        }
        for (size_t i = 0; i < texts.size(); ++i)
            for (size_t j = i + 1; j < texts.size(); ++j)
                QVERIFY2(!texts[i].second.intersects(texts[j].second),
                         qPrintable(texts[i].first + " meets " + texts[j].first));
        testing::SetUpdateHost("");
    }
};

int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], kStartWithArguments) == 0)
        return startWithArguments();
    QApplication app(argc, argv);
    StartupTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
