#include "common/TheApp.h"

#include "platform/runtime/NilObjectException.h"

Application& TheApp()
{
    Application* app = GetAppObject();
    if (!app)
        throw NilObjectException("no application object");
    return *app;
}
