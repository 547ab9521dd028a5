#include "app/App.h"
#include "app/MenuBar1.h"
#include "icon/Module1.h"
#include "icon/Window1.h"
#include "platform/ImplicitWindow.h"
#include "platform/Slider.h"
#include "support/ProgramFixture.h"
#include "support/ScriptedSeam.h"

#include <QtTest>

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

    // On X11 a display name would be appended to every window's title ("About... - Quorrel").
    void windowTitlesAreTheirOwnWithNoDisplayName()
    {
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName(QStringLiteral("probe"));
        const QString displayName = QGuiApplication::applicationDisplayName();
        QCoreApplication::setApplicationName(name);
        QCOMPARE(displayName, QStringLiteral("probe")); // an unset display name follows the name
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
