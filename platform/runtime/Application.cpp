#include "platform/runtime/Application.h"

#include "platform/runtime/BuildVersion.h"
#include "platform/windows/MenuBar.h"

#include <QCoreApplication>

namespace {
std::shared_ptr<Application>& appObject()
{
    static std::shared_ptr<Application> app;
    return app;
}
}

VersionInfo BuildVersion()
{
    return {QUORREL_VERSION_MAJOR, QUORREL_VERSION_MINOR, QUORREL_VERSION_PATCH, QUORREL_VERSION_SHORT,
            QUORREL_VERSION_LONG};
}

Application::Application() : m_version(BuildVersion()) {}

Application::~Application() = default;

void testing::SetVersion(Application& app, const VersionInfo& version)
{
    app.m_version = version;
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app)
{
    appObject() = std::move(app);
}

Application* GetAppObject()
{
    return appObject().get();
}

void RuntimeReleaseAppObject()
{
    appObject().reset();
}

void Quit(int code)
{
    QCoreApplication::exit(code);
}
