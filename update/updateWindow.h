#pragma once

#include "platform/windows/Window.h"

#include <string>

class HTTPSocket;
class InternetHeaders;
class Label;
class ProgressBar;
class PushButton;

// The update window: "Checking for update..." while its HTTP client fetches the
// version-description file, then the result or the upgrade offer.
class updateWindow : public Window {
public:
    static constexpr const char* kClassName = "updateWindow";

    updateWindow();

    Label& StaticText1() const;
    ProgressBar& ProgressBar1() const;
    HTTPSocket& hp() const;
    PushButton& PushButton1() const;

    void hp_PageReceived(HTTPSocket& sender, const std::string& url, int httpStatus,
                         const InternetHeaders& headers, const std::string& content);
    void hp_Error(HTTPSocket& sender, int code);
    void PushButton1_Action(PushButton& button);

    static std::string startTag(const std::string& name);
    static std::string endTag(const std::string& name);
    void askUpgrade(const std::string& newVersion, const std::string& description,
                    const std::string& downloadAddress, bool free);
    static std::string returnValue(const std::string& source, const std::string& name);

    bool automaticCheck = false;

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;
    void Event_Close() override;

private:
    void CreateControls0();
};
