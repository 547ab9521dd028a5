#pragma once

#include "platform/windows/Window.h"

class Canvas;

// The PNG preview: the display icon made transparent by the display mask, built once as the
// window opens.
class Window2 : public Window {
public:
    static constexpr const char* kClassName = "Window2";
    Window2();

    Canvas& Canvas1() const;

protected:
    void Layout() override;
    void CreateControls() override;
    void Event_Open() override;

private:
    void CreateControls0();
};
