#pragma once

#include "platform/windows/Window.h"

class Label;
class PushButton;

// The self-test window: the program's version and "Check for Updates".
class selfTest : public Window {
public:
    static constexpr const char* kClassName = "selfTest";
    selfTest();

    Label& StaticText1() const;
    Label& StaticText2() const;
    PushButton& PushButton1() const;

    void StaticText2_Open(Label& label);
    void PushButton1_Action(PushButton& button);

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void CreateControls0();
};
