#pragma once

#include "platform/windows/RectControl.h"

class QProgressBar;

struct ProgressBarProperties {
    ControlLayout Control;
    int Value = 0;
    int Maximum = 100;
};

// A progress bar from 0 to Maximum; a Maximum of 0 shows activity without a value.
class ProgressBar : public RectControl {
public:
    ProgressBar(Window& window, const std::string& name);

    void SetProperties(const ProgressBarProperties& properties);
    int Value() const { return m_value; }
    void Value(int value);
    int Maximum() const { return m_maximum; }
    void Maximum(int maximum);
    bool Indeterminate() const { return m_maximum == 0; }

private:
    void apply();

    QProgressBar* m_bar;
    int m_value = 0;
    int m_maximum = 100;
};
