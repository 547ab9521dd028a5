#include "app/App.h"

#include "icon/Window1.h"
#include "platform/windows/ImplicitWindow.h"

App::App() = default;

void App::Event_Open()
{
    ImplicitWindow<Window1>().Show();
}
