#include "platform/windows/ProgressBar.h"

#include <QProgressBar>

ProgressBar::ProgressBar(Window& window, const std::string& name)
    : RectControl(window, name, new QProgressBar), m_bar(static_cast<QProgressBar*>(Widget()))
{
    m_bar->setTextVisible(false);
    apply();
}

void ProgressBar::SetProperties(const ProgressBarProperties& p)
{
    applyLayout(p.Control);
    m_bar->setFocusPolicy(Qt::NoFocus);
    m_maximum = p.Maximum < 0 ? 0 : p.Maximum;
    m_value = p.Value;
    apply();
}

void ProgressBar::Value(int value)
{
    m_value = value;
    apply();
}

void ProgressBar::Maximum(int maximum)
{
    m_maximum = maximum < 0 ? 0 : maximum;
    apply();
}

void ProgressBar::apply()
{
    // Qt shows the busy animation for an empty range; the value is kept for when it ends.
    m_bar->setRange(0, m_maximum);
    if (m_maximum > 0)
        m_bar->setValue(m_value < 0 ? 0 : m_value > m_maximum ? m_maximum : m_value);
}
