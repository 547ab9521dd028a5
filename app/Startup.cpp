#include "app/Startup.h"

#include "app/App.h"
#include "help/MenuBar2.h"
#include "icon/FileTypes1.h"
#include "icon/MenuBar1.h"
#include "icon/Module1.h"
#include "icon/Window1.h"
#include "platform/runtime/Runtime.h"
#include "platform/windows/ImplicitWindow.h"

int Main(int& argc, char** argv)
{
    StartProgram(argc, argv);
    return StopProgram(RuntimeRun());
}

void StartProgram(int& argc, char** argv)
{
    RuntimeInit(argc, argv);
    EarlyStartup();
    RunFrameworkInitialization(&LateStartup);
}

int StopProgram(int result)
{
    Finalize();
    return RuntimeShutdown(result);
}

void EarlyStartup()
{
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
}

void InitFileTypes()
{
    FileTypes1::Initialize();
}

void NewAppInstance()
{
    auto app = std::make_shared<App>();
    app->MenuBar = MenuBar1::Instance();
    RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers()
{
    // The application object handles no menu command of its own.
}

void LateStartup()
{
    MakeDefaultView();
}

void MakeDefaultView()
{
    ImplicitWindow<Window1>();
}

void Finalize()
{
    WindowRegistry::Clear();
    MenuBar1::Release();
    Module1::Release();
    FileTypes1::Release();
    MenuBar2::Release();
    RuntimeReleaseAppObject();
}
