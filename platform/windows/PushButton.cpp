#include "platform/windows/PushButton.h"

#include "platform/runtime/Fonts.h"
#include "platform/runtime/RunHandler.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowWidget.h"

#include <QPushButton>

PushButton::PushButton(Window& window, const std::string& name)
    : RectControl(window, name, new QPushButton), m_button(static_cast<QPushButton*>(Widget()))
{
    m_button->setAutoDefault(false);
    QObject::connect(m_button, &QPushButton::clicked, m_button, [this] {
        if (Action)
            RunHandler([this] { Action(*this); });
    });
}

void PushButton::SetProperties(const PushButtonProperties& p)
{
    applyLayout(p.Control);
    m_button->setText(QString::fromStdString(p.Caption));
    m_button->setFont(Fonts::Font(p.TextFont, 0, p.Bold, p.Italic, p.Underline));
    m_button->setDefault(p.Default);
    m_cancel = p.Cancel;
    if (p.Default)
        Owner().Widget()->setDefaultButton(m_button);
    if (p.Cancel)
        Owner().Widget()->setCancelButton(m_button);
}

std::string PushButton::Caption() const { return m_button->text().toStdString(); }
bool PushButton::Default() const { return m_button->isDefault(); }

void PushButton::Push()
{
    m_button->click();
}
