#pragma once

#include <functional>
#include <string>

class QWidget;
class Window;

// Where a control sits and how it takes part in the window; positions are window
// coordinates, also for a control placed inside another (InitialParent).
struct ControlLayout {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    std::string InitialParent;
    int TabIndex = 0;
    bool Enabled = true;
    bool Visible = true;
    bool TabStop = true;
    std::string HelpTag;
};

// A control of a window, found by its name.
class RectControl {
public:
    RectControl(Window& window, std::string name, QWidget* widget);
    virtual ~RectControl();
    RectControl(const RectControl&) = delete;
    RectControl& operator=(const RectControl&) = delete;

    const std::string& Name() const { return m_name; }
    Window& Owner() const { return m_window; }

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const;
    int Height() const;
    bool Enabled() const;
    void Enabled(bool enabled);
    bool Visible() const;
    void Visible(bool visible);
    int TabIndex() const { return m_tabIndex; }
    void Refresh(bool eraseBackground = true);

    // Raised once as the window opens, after its initial properties are in place.
    std::function<void()> OpenEvent;

    QWidget* Widget() const { return m_widget; }

protected:
    void applyLayout(const ControlLayout& layout);

private:
    friend class Window;
    void Open();

    Window& m_window;
    std::string m_name;
    QWidget* m_widget;
    int m_left = 0;
    int m_top = 0;
    bool m_visible = true;
    int m_tabIndex = 0;
};
