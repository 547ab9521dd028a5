#pragma once

#include "platform/windows/Window.h"

class Label;
class PushButton;

// The about window: the product name, the long version, the credits and the maker's addresses.
class AboutBox : public Window {
public:
    static constexpr const char* kClassName = "AboutBox";
    AboutBox();

    PushButton& PushButton1() const;
    PushButton& PushButton2() const;
    Label& StaticText2() const;
    Label& StaticText1() const;
    Label& StaticText3() const;
    Label& StaticText4() const;

    void PushButton1_Action(PushButton& button);
    void PushButton2_Action(PushButton& button);
    void StaticText4_Open(Label& label);

protected:
    void Layout() override;
    void CreateControls() override;

private:
    void CreateControls0();
};
