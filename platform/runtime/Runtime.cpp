#include "platform/runtime/Runtime.h"

#include "platform/runtime/Application.h"
#include "platform/runtime/RunHandler.h"
#include "platform/windows/ImplicitWindow.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <string>

namespace {

QApplication*& qtApp()
{
    static QApplication* app = nullptr;
    return app;
}

// Runs the front window's enabling pass before Qt matches a key against the shortcuts.
class ShortcutPass : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            if (auto* front = qobject_cast<WindowWidget*>(QApplication::activeWindow())) {
                for (Window* window : WindowRegistry::All())
                    if (window->Widget() == front)
                        window->EnableMenuItems();
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void RuntimeInit(int& argc, char** argv)
{
    // The program takes no arguments, and Qt would read options such as -platform from them:
    // Qt sees the program's name alone (QT_QPA_PLATFORM still chooses the platform). Qt keeps
    // the arguments for the application's lifetime.
    static std::string name = "quorrel";
    static int qtArgc = 1;
    static char* qtArgv[] = {nullptr, nullptr};
    if (!QApplication::instance()) {
        if (argc > 0 && argv && argv[0] && argv[0][0])
            name = argv[0];
        qtArgv[0] = name.data();
        qtApp() = new QApplication(qtArgc, qtArgv);
    }
    QApplication::setApplicationName(QStringLiteral("Quorrel"));
    // No display name: X11 would append it to every window's title.
    QApplication::setApplicationVersion(QString::fromStdString(BuildVersion().Short));
    // Only the main window's Close event ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    static ShortcutPass pass;
    QApplication::instance()->installEventFilter(&pass);
}

void RunFrameworkInitialization(const std::function<void()>& lateStartup)
{
    RunHandler(lateStartup);
}

int RuntimeRun()
{
    QTimer::singleShot(0, [] {
        if (Application* app = GetAppObject())
            RunHandler([app] { app->Event_Open(); });
    });
    return QApplication::exec();
}

int RuntimeShutdown(int result)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WindowRegistry::Clear();
    delete qtApp();
    qtApp() = nullptr;
    return result;
}
