#include "platform/windows/Window.h"

#include "platform/runtime/HandlerScope.h"
#include "platform/runtime/RunHandler.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/MenuBar.h"
#include "platform/windows/QuitMenuItem.h"
#include "platform/windows/RectControl.h"
#include "platform/windows/WindowWidget.h"

#include <algorithm>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPointer>

namespace {

// Platforms that draw into memory keep no order of windows; asked to raise one they only warn.
bool platformStacksWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

} // namespace

Window::Window(std::string className)
    : m_className(std::move(className)), m_widget(new WindowWidget(*this))
{
    m_widget->setObjectName(QString::fromStdString(m_className));
}

Window::~Window()
{
    m_controls.clear();
    delete m_widget;
}

void Window::Construct()
{
    Layout();
    CreateControls();
    orderTabs();
    AddMenuHandlers();
    for (RectControl* control : Controls())
        control->Open();
    Event_Open();
    if (m_visibleByDesign && !m_closed)
        showWhenPlaced();
}

// A window that a handler makes appears once that handler has set it up (placed, titled), or
// at its first Show; never first somewhere else.
void Window::showWhenPlaced()
{
    m_showPending = true;
    const QPointer<WindowWidget> alive(m_widget);
    HandlerScope::WhenCurrentEnds([this, alive] {
        if (alive && m_showPending)
            Show();
    });
}

void Window::SetProperties(const WindowProperties& p)
{
    m_widget->setWindowTitle(QString::fromStdString(p.Title));
    Qt::WindowFlags flags = (p.Frame == 1 ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint
        | Qt::WindowTitleHint;
    if (p.CloseButton)
        flags |= Qt::WindowCloseButtonHint;
    if (p.MinimizeButton)
        flags |= Qt::WindowMinimizeButtonHint;
    if (p.MaximizeButton && p.Resizeable)
        flags |= Qt::WindowMaximizeButtonHint;
    m_widget->setWindowFlags(flags);
    if (p.HasBackColor) {
        QPalette palette = m_widget->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(p.BackColor));
        m_widget->setPalette(palette);
        m_widget->setAutoFillBackground(true);
    }
    m_widget->content()->setMinimumSize(p.MinWidth, p.MinHeight);
    m_widget->setContentSize(p.Width, p.Height, p.Resizeable);
    m_widget->showMenuBar(p.MenuBarVisible ? m_menuBar.get() : nullptr);
    m_visibleByDesign = p.Visible;
}

void Window::MenuBar(std::shared_ptr<::MenuBar> bar)
{
    m_menuBar = std::move(bar);
    m_widget->showMenuBar(m_menuBar.get());
}

void Window::Show()
{
    m_showPending = false;
    if (m_closed)
        return;
    if (m_widget->isMinimized())
        m_widget->showNormal();
    m_widget->show();
    if (platformStacksWindows())
        m_widget->raise();
    m_widget->activateWindow();
}

void Window::SetFocus()
{
    Show();
}

bool Window::Visible() const
{
    return !m_closed && m_widget->isVisible();
}

void Window::Close()
{
    if (m_closed)
        return;
    ClosedByUser();
}

void Window::ClosedByUser()
{
    if (m_closed)
        return;
    m_closed = true;
    RunHandler([this] { Event_Close(); });
    m_widget->hide();
    WindowRegistry::Forget(*this);
}

int Window::Left() const
{
    return m_widget->geometry().left() + m_widget->content()->x();
}

void Window::Left(int left)
{
    QRect geometry = m_widget->geometry();
    geometry.moveLeft(left - m_widget->content()->x());
    m_widget->setGeometry(geometry);
}

int Window::Top() const
{
    return m_widget->geometry().top() + m_widget->content()->y();
}

void Window::Top(int top)
{
    QRect geometry = m_widget->geometry();
    geometry.moveTop(top - m_widget->content()->y());
    m_widget->setGeometry(geometry);
}

int Window::Width() const { return m_widget->content()->width(); }
int Window::Height() const { return m_widget->content()->height(); }

std::string Window::Title() const
{
    return m_widget->windowTitle().toStdString();
}

void Window::Title(const std::string& title)
{
    m_widget->setWindowTitle(QString::fromStdString(title));
}

void Window::AddMenuHandler(const std::string& itemName, std::function<bool()> handler)
{
    m_menuHandlers[itemName] = std::move(handler);
}

bool Window::HandleMenuCommand(const std::string& itemName)
{
    const auto found = m_menuHandlers.find(itemName);
    if (found == m_menuHandlers.end())
        return false;
    const auto handler = found->second; // the window may close while it runs
    return handler();
}

void Window::EnableMenuItems()
{
    if (!m_menuBar || m_closed)
        return;
    const auto items = m_menuBar->Descendants();
    // The framework's Quit item stays usable in every window, handler or not.
    for (MenuItem* item : items)
        if (item->Count() == 0 && !item->IsSeparator() && !dynamic_cast<QuitMenuItem*>(item))
            item->Enabled(false);
    RunHandler([this] { Event_EnableMenuItems(); });
    for (MenuItem* item : items)
        if (HasMenuHandler(item->Name))
            item->Enable();
    m_widget->syncMenuStates();
}

QWidget* Window::Content() const
{
    return m_widget->content();
}

void Window::AddControl(std::unique_ptr<RectControl> control)
{
    m_controls.push_back(std::move(control));
}

RectControl* Window::findControl(const std::string& name) const
{
    for (const auto& control : m_controls)
        if (control->Name() == name)
            return control.get();
    return nullptr;
}

void Window::orderTabs()
{
    std::vector<RectControl*> controls = Controls();
    std::stable_sort(controls.begin(), controls.end(),
                     [](const RectControl* a, const RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    QWidget* previous = nullptr;
    for (RectControl* control : controls) {
        QWidget* widget = control->Widget();
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

MenuItem* Window::lookupMenuItem(const std::string& name) const
{
    return m_menuBar->Lookup(name);
}

std::vector<RectControl*> Window::Controls() const
{
    std::vector<RectControl*> controls;
    for (const auto& control : m_controls)
        controls.push_back(control.get());
    return controls;
}
