#pragma once

#include "platform/images/Picture.h"
#include "platform/windows/RectControl.h"

struct CanvasProperties {
    ControlLayout Control;
    bool AcceptFocus = false;
};

// Shows its backdrop picture at its top-left corner, unscaled. Setting the backdrop, even to
// the picture it already shows, shows that picture's current pixels.
class Canvas : public RectControl {
public:
    Canvas(Window& window, const std::string& name);
    void SetProperties(const CanvasProperties& properties);

    PicturePtr Backdrop() const { return m_backdrop; }
    void Backdrop(PicturePtr picture);

private:
    PicturePtr m_backdrop;
};
