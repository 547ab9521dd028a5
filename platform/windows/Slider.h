#pragma once

#include "platform/windows/RectControl.h"

class QSlider;

struct SliderProperties {
    ControlLayout Control;
    int Minimum = 0;
    int Maximum = 100;
    int Value = 0;
    int LineStep = 1;
    int PageStep = 20;
    bool LiveScroll = true;
    int TickStyle = 0; // 0: no tick marks
};

// A horizontal slider. ValueChanged follows the thumb while it is dragged when LiveScroll is on.
class Slider : public RectControl {
public:
    Slider(Window& window, const std::string& name);

    void SetProperties(const SliderProperties& properties);
    int Value() const;
    void Value(int value);
    int Minimum() const;
    int Maximum() const;
    int LineStep() const;
    int PageStep() const;
    bool LiveScroll() const;

    std::function<void(Slider&)> ValueChanged;

private:
    QSlider* m_slider;
};
