#pragma once

#include "platform/images/Color.h"
#include "platform/windows/RectControl.h"

struct RectangleProperties {
    ControlLayout Control;
    Color FillColor = 0xFFFFFF;
    int BorderWidth = 1;
    Color TopLeftColor = 0;
    Color BottomRightColor = 0;
};

// A filled frame with a border; other controls may be placed inside it. A disabled frame
// draws its border grey.
class Rectangle : public RectControl {
public:
    Rectangle(Window& window, const std::string& name);
    void SetProperties(const RectangleProperties& properties);

private:
    RectangleProperties m_properties;
};
