#include "app/App.h"
#include "app/MenuBar1.h"
#include "icon/Module1.h"
#include "icon/Window1.h"
#include "platform/ImplicitWindow.h"
#include "platform/Runtime.h"
#include "platform/Slider.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"

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
    _RuntimeInit(argc, argv);
    const bool plain = QGuiApplication::platformName() == qEnvironmentVariable("QT_QPA_PLATFORM")
        && QCoreApplication::arguments() == QStringList{QStringLiteral("quorrel")}
        && QGuiApplication::layoutDirection() == Qt::LeftToRight;
    return _RuntimeShutdown(plain ? 0 : 1);
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
