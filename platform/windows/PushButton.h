#pragma once

#include "platform/windows/RectControl.h"

class QPushButton;

struct PushButtonProperties {
    ControlLayout Control;
    std::string Caption;
    bool Default = false; // Return and Enter press it
    bool Cancel = false;  // Escape presses it
    std::string TextFont = "System";
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

class PushButton : public RectControl {
public:
    PushButton(Window& window, const std::string& name);

    void SetProperties(const PushButtonProperties& properties);
    std::string Caption() const;
    bool Default() const;
    bool Cancel() const { return m_cancel; }
    // Presses the button as a click would.
    void Push();

    std::function<void(PushButton&)> Action;

private:
    QPushButton* m_button;
    bool m_cancel = false;
};
