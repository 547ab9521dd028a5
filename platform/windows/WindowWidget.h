#pragma once

#include <QPointer>
#include <QWidget>

#include <map>

class QAction;
class QMenuBar;
#include <QPushButton>
class QVBoxLayout;
class MenuItem;
class MenuBar;
class Window;

// The Qt side of a Window: an optional menu bar above a fixed content area.
class WindowWidget : public QWidget {
    Q_OBJECT
public:
    explicit WindowWidget(Window& owner);

    QWidget* content() const { return m_content; }
    void setContentSize(int width, int height, bool resizeable);
    // Builds (or rebuilds) this window's Qt menu bar from the model; nullptr removes it.
    void showMenuBar(const MenuBar* model);
    // Shows the model's enabled states in this window's actions.
    void syncMenuStates();
    QMenuBar* qtMenuBar() const { return m_menuBar; }
    QAction* actionFor(const std::string& itemName) const;
    void setDefaultButton(QPushButton* button) { m_defaultButton = button; }
    void setCancelButton(QPushButton* button) { m_cancelButton = button; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addItems(QWidget* menu, const MenuItem& parent);

    Window& m_owner;
    QVBoxLayout* m_layout;
    QWidget* m_content;
    QMenuBar* m_menuBar = nullptr;
    const MenuBar* m_model = nullptr;
    unsigned long m_modelRevision = 0;
    std::map<const MenuItem*, QAction*> m_actions;
    QPointer<QPushButton> m_defaultButton;
    QPointer<QPushButton> m_cancelButton;
};
