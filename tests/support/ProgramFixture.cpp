#include "support/ProgramFixture.h"

#include "app/Startup.h"
#include "common/TheApp.h"
#include "icon/Window1.h"
#include "platform/runtime/Runtime.h"
#include "platform/windows/ImplicitWindow.h"

#include <QCoreApplication>

void ProgramFixture::Start()
{
    static int argc = 1;
    static char name[] = "quorrel-test";
    static char* argv[] = {name, nullptr};
    _RuntimeInit(argc, argv);
    _EarlyStartup();
    _RunFrameworkInitialization(&_LateStartup);
    TheApp().Event_Open();
    ProcessEvents();
}

void ProgramFixture::Stop()
{
    _Finalize();
    ProcessEvents();
}

Window1& ProgramFixture::MainWindow()
{
    return ImplicitWindow<Window1>();
}

void ProgramFixture::ProcessEvents()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, 0);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
