#pragma once

#include "platform/images/Color.h"
#include "platform/runtime/NilObjectException.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class MenuBar;
class MenuItem;
class RectControl;
class QWidget;
class WindowWidget;

// A window's initial properties, applied all at once.
struct WindowProperties {
    std::string Title;
    int Width = 300;
    int Height = 300;
    int MinWidth = 64;
    int MinHeight = 64;
    bool Resizeable = true;
    bool CloseButton = true;
    bool MinimizeButton = true;
    bool MaximizeButton = true;
    int Frame = 0; // 0: document window; 1: dialog-style window (not modal)
    bool Visible = true;
    bool MenuBarVisible = true;
    bool HasBackColor = false;
    Color BackColor = 0xFFFFFF;
};

// A top-level window. Subclasses lay themselves out and create their controls in the
// events below; the window registry (ImplicitWindow) builds them in the framework's order:
// Layout, CreateControls, AddMenuHandlers, the controls' Open events, the window's Open event.
// A window made visible by its properties shows when the handler that made it returns, or at its first Show.
class Window {
public:
    explicit Window(std::string className);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void Show();
    void Close();
    void SetFocus();
    bool IsClosed() const { return m_closed; }
    bool Visible() const;

    // Position of the content area (below any menu bar), in global pixels.
    int Left() const;
    void Left(int left);
    int Top() const;
    void Top(int top);
    int Width() const;
    int Height() const;
    std::string Title() const;
    void Title(const std::string& title);

    std::shared_ptr<::MenuBar> MenuBar() const { return m_menuBar; }
    void MenuBar(std::shared_ptr<::MenuBar> bar);

    // Framework services for subclasses and the registry.
    void SetProperties(const WindowProperties& properties);
    template <class T> T& NewControl(const std::string& name)
    {
        auto control = std::make_unique<T>(*this, name);
        T& result = *control;
        AddControl(std::move(control));
        return result;
    }
    template <class T> T& ControlByName(const std::string& name) const
    {
        auto* control = dynamic_cast<T*>(findControl(name));
        if (!control)
            throw NilObjectException("no control named " + name + " in " + m_className);
        return *control;
    }
    // The item of that name anywhere in the window's menu bar, checked to be a T.
    template <class T> T& MenuItemNamed(const std::string& itemName) const
    {
        auto* item = m_menuBar ? dynamic_cast<T*>(lookupMenuItem(itemName)) : nullptr;
        if (!item)
            throw NilObjectException("no menu item named " + itemName + " in " + m_className);
        return *item;
    }
    void AddMenuHandler(const std::string& itemName, std::function<bool()> handler);
    bool HasMenuHandler(const std::string& itemName) const { return m_menuHandlers.count(itemName) > 0; }
    // Runs the handler the window registered under the item's name; false when there is none.
    bool HandleMenuCommand(const std::string& itemName);
    // The enabling pass: every item of the bar off, the EnableMenuItems event, then every
    // item with a handler on; then the window's bar shows the result.
    void EnableMenuItems();
    // Called by the window's own widget; public so that tests can close a window as the user would.
    void ClosedByUser();

    QWidget* Content() const;
    WindowWidget* Widget() const { return m_widget; }
    std::vector<RectControl*> Controls() const;

protected:
    virtual void Layout() {}
    virtual void CreateControls() {}
    virtual void AddMenuHandlers() {}
    virtual void Event_Open() {}
    virtual void Event_Close() {}
    virtual void Event_EnableMenuItems() {}

private:
    template <class T> friend T& ImplicitWindow();
    // Only the registry builds a window, once.
    void Construct();
    void AddControl(std::unique_ptr<RectControl> control);
    RectControl* findControl(const std::string& name) const;
    MenuItem* lookupMenuItem(const std::string& name) const;
    void orderTabs();
    void showWhenPlaced();

    std::string m_className;
    WindowWidget* m_widget;
    std::shared_ptr<::MenuBar> m_menuBar;
    std::vector<std::unique_ptr<RectControl>> m_controls;
    std::map<std::string, std::function<bool()>> m_menuHandlers;
    bool m_closed = false;
    bool m_visibleByDesign = true;
    bool m_showPending = false;
};
