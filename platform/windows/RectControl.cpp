#include "platform/windows/RectControl.h"

#include "platform/runtime/RunHandler.h"
#include "platform/windows/Window.h"

#include <QWidget>

RectControl::RectControl(Window& window, std::string name, QWidget* widget)
    : m_window(window), m_name(std::move(name)), m_widget(widget)
{
    m_widget->setParent(window.Content());
    m_widget->setObjectName(QString::fromStdString(m_name));
}

RectControl::~RectControl() = default; // the widget belongs to the window's widget tree

int RectControl::Width() const { return m_widget->width(); }
int RectControl::Height() const { return m_widget->height(); }
bool RectControl::Enabled() const { return m_widget->isEnabled(); }
void RectControl::Enabled(bool enabled) { m_widget->setEnabled(enabled); }
bool RectControl::Visible() const { return m_visible; }

void RectControl::Visible(bool visible)
{
    m_visible = visible;
    m_widget->setVisible(visible);
}

void RectControl::Refresh(bool eraseBackground)
{
    (void)eraseBackground; // Qt always paints the background of what it repaints
    m_widget->update();
}

void RectControl::Open()
{
    if (OpenEvent)
        RunHandler(OpenEvent);
}

void RectControl::applyLayout(const ControlLayout& layout)
{
    m_tabIndex = layout.TabIndex;
    m_left = layout.Left;
    m_top = layout.Top;
    int x = layout.Left;
    int y = layout.Top;
    if (!layout.InitialParent.empty()) {
        const RectControl& parent = m_window.ControlByName<RectControl>(layout.InitialParent);
        m_widget->setParent(parent.Widget());
        x -= parent.Left();
        y -= parent.Top();
    }
    m_widget->setGeometry(x, y, layout.Width, layout.Height);
    m_widget->setEnabled(layout.Enabled);
    m_visible = layout.Visible;
    m_widget->setVisible(layout.Visible);
    m_widget->setFocusPolicy(layout.TabStop ? Qt::StrongFocus : Qt::NoFocus);
    if (!layout.HelpTag.empty())
        m_widget->setToolTip(QString::fromStdString(layout.HelpTag));
}
