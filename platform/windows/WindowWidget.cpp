#include "platform/windows/WindowWidget.h"

#include "platform/runtime/Application.h"
#include "platform/runtime/RunHandler.h"
#include "platform/windows/MenuBar.h"
#include "platform/windows/QuitMenuItem.h"
#include "platform/windows/Window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QKeySequence keySequence(const std::optional<std::string>& shortcut)
{
    if (!shortcut || shortcut->empty())
        return {};
    QString text = QString::fromStdString(*shortcut);
    // "Cmd" is the platform's command key; Qt's "Ctrl" is that key on every platform.
    text.replace(QStringLiteral("Cmd"), QStringLiteral("Ctrl"));
    text.replace(QStringLiteral("Option"), QStringLiteral("Alt"));
    return QKeySequence::fromString(text, QKeySequence::PortableText);
}

} // namespace

WindowWidget::WindowWidget(Window& owner)
    : QWidget(nullptr), m_owner(owner), m_layout(new QVBoxLayout(this)), m_content(new QWidget(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_content);
    m_content->setObjectName(QStringLiteral("content"));
}

void WindowWidget::setContentSize(int width, int height, bool resizeable)
{
    if (resizeable) {
        m_content->setMinimumSize(0, 0);
        m_content->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        m_layout->setSizeConstraint(QLayout::SetDefaultConstraint);
        m_content->resize(width, height);
    } else {
        m_content->setFixedSize(width, height);
        m_layout->setSizeConstraint(QLayout::SetFixedSize);
    }
    adjustSize();
}

void WindowWidget::showMenuBar(const MenuBar* model)
{
    m_actions.clear();
    if (m_menuBar) {
        m_layout->setMenuBar(nullptr);
        delete m_menuBar;
        m_menuBar = nullptr;
    }
    m_model = model;
    if (!model)
        return;
    m_modelRevision = model->Revision();
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    addItems(m_menuBar, *model);
    m_layout->setMenuBar(m_menuBar);
    adjustSize();
}

void WindowWidget::addItems(QWidget* menu, const MenuItem& parent)
{
    for (int i = 0; i < parent.Count(); ++i) {
        const MenuItem* item = parent.Item(i);
        if (item->IsSeparator()) {
            QAction* separator = new QAction(menu);
            separator->setSeparator(true);
            menu->addAction(separator);
            m_actions[item] = separator;
            continue;
        }
        const QString text = QString::fromStdString(item->Text);
        if (item->Count() > 0 || menu == m_menuBar) {
            auto* sub = new QMenu(text, menu);
            sub->setObjectName(QString::fromStdString(item->Name));
            connect(sub, &QMenu::aboutToShow, this, [this] { m_owner.EnableMenuItems(); });
            addItems(sub, *item);
            menu->addAction(sub->menuAction());
            m_actions[item] = sub->menuAction();
            continue;
        }
        auto* action = new QAction(text, menu);
        action->setObjectName(QString::fromStdString(item->Name));
        action->setShortcut(keySequence(item->KeyboardShortcut));
        action->setShortcutContext(Qt::WindowShortcut);
        const std::string name = item->Name;
        const bool quits = dynamic_cast<const QuitMenuItem*>(item) != nullptr;
        connect(action, &QAction::triggered, this, [this, name, quits] {
            RunHandler([&] {
                if (!m_owner.HandleMenuCommand(name) && quits)
                    Quit(0);
            });
        });
        menu->addAction(action);
        m_actions[item] = action;
    }
}

void WindowWidget::syncMenuStates()
{
    if (m_model && m_model->Revision() != m_modelRevision)
        showMenuBar(m_model);
    for (auto& [item, action] : m_actions)
        if (!action->isSeparator() && !action->menu())
            action->setEnabled(item->Enabled());
}

QAction* WindowWidget::actionFor(const std::string& itemName) const
{
    for (const auto& [item, action] : m_actions)
        if (item->Name == itemName)
            return action;
    return nullptr;
}

void WindowWidget::closeEvent(QCloseEvent* event)
{
    event->accept();
    m_owner.ClosedByUser();
}

void WindowWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_owner.EnableMenuItems();
    QWidget::changeEvent(event);
}

void WindowWidget::keyPressEvent(QKeyEvent* event)
{
    // Return and Enter press the default button, Escape the cancel button, as in dialogs.
    const int key = event->key();
    QPushButton* target = nullptr;
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier)
        target = m_defaultButton;
    else if (key == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        target = m_cancelButton;
    if (target && target->isVisible() && target->isEnabled()) {
        target->animateClick();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
