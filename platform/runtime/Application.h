#pragma once

#include "platform/runtime/Testing.h"

#include <functional>
#include <memory>
#include <string>

class MenuBar;

// The program's version, as the build supplies it.
struct VersionInfo {
    int Major = 0;
    int Minor = 0;
    int Bug = 0;
    std::string Short;
    std::string Long;
};

// The one application object: its menu bar, its Open event and the version fields.
class Application {
public:
    Application();
    virtual ~Application();

    std::shared_ptr<::MenuBar> MenuBar;

    // The version fields. The program shows only LongVersion; the others complete the set.
    int MajorVersion() const { return m_version.Major; }
    int MinorVersion() const { return m_version.Minor; }
    int BugVersion() const { return m_version.Bug; }
    const std::string& ShortVersion() const { return m_version.Short; }
    const std::string& LongVersion() const { return m_version.Long; }

    // Raised once when the event loop starts.
    virtual void Event_Open() {}

private:
    friend void testing::SetVersion(Application& app, const VersionInfo& version);

    VersionInfo m_version;
};

VersionInfo BuildVersion();

void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
Application* GetAppObject();
void RuntimeReleaseAppObject();

// Ends the event loop; the run's result becomes code.
void Quit(int code);
