#include "support/ProgramFixture.h"

#include "app/Startup.h"
#include "common/TheApp.h"
#include "icon/Window1.h"
#include "platform/windows/ImplicitWindow.h"

#include <QCoreApplication>

void ProgramFixture::Start()
{
    static int argc = 1;
    static char name[] = "quorrel-test";
    static char* argv[] = {name, nullptr};
    StartProgram(argc, argv);
    TheApp().Event_Open(); // what the event loop does first
    ProcessEvents();
}

void ProgramFixture::Stop()
{
    StopProgram(0);
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
