#include "app/Startup.h"

#include "app/App.h"
#include "help/MenuBar2.h"
#include "icon/FileTypes1.h"
#include "icon/MenuBar1.h"
#include "icon/Module1.h"
#include "icon/Window1.h"
#include "platform/runtime/Runtime.h"
#include "platform/windows/ImplicitWindow.h"

int _Main(int& argc, char** argv)
{
    StartProgram(argc, argv);
    return StopProgram(_RuntimeRun());
}

void StartProgram(int& argc, char** argv)
{
    _RuntimeInit(argc, argv);
    _EarlyStartup();
    _RunFrameworkInitialization(&_LateStartup);
}

int StopProgram(int result)
{
    _Finalize();
    return _RuntimeShutdown(result);
}

void _EarlyStartup()
{
    _InitFileTypes();
    _NewAppInstance();
    _ApplicationAddMenuHandlers();
}

void _InitFileTypes()
{
    FileTypes1::_Initialize();
}

void _NewAppInstance()
{
    auto app = std::make_shared<App>();
    app->MenuBar = MenuBar1::Instance();
    _RuntimeRegisterAppObject(app);
}

void _ApplicationAddMenuHandlers()
{
    // The application object handles no menu command of its own.
}

void _LateStartup()
{
    _MakeDefaultView();
}

void _MakeDefaultView()
{
    ImplicitWindow<Window1>();
}

void _Finalize()
{
    WindowRegistry::Clear();
    MenuBar1::_Release();
    Module1::_Release();
    FileTypes1::_Release();
    MenuBar2::_Release();
    _RuntimeReleaseAppObject();
}
