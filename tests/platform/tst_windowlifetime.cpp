#include "platform/windows/ImplicitWindow.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest>

namespace {

class Probe : public Window {
public:
    static constexpr const char* kClassName = "Probe";
    static inline int deleted = 0;
    Probe() : Window(kClassName) {}
    ~Probe() override { ++deleted; }

protected:
    void Layout() override { SetProperties({.Title = "Probe", .Width = 100, .Height = 100}); }
};

} // namespace

class WindowLifetimeTest : public QObject {
    Q_OBJECT
private slots:
    void closingForgetsTheInstanceAndTheNextUseBuildsAFreshOne()
    {
        Probe::deleted = 0;
        Probe& first = ImplicitWindow<Probe>();
        QCOMPARE(&ImplicitWindow<Probe>(), &first);
        first.Close();
        QVERIFY(!OpenImplicitWindow<Probe>());
        Probe& second = ImplicitWindow<Probe>();
        QVERIFY(!second.IsClosed());
        second.Close();
        QTRY_COMPARE(Probe::deleted, 2);
    }

    // A handler that closes its own window and then shows a modal dialog runs a nested event
    // loop; the window must outlive it and go only when the handler's own loop comes back.
    void aClosedWindowOutlivesANestedLoopOfItsHandler()
    {
        Probe::deleted = 0;
        Probe& probe = ImplicitWindow<Probe>();
        bool aliveAfterNestedLoop = false;
        QEventLoop outer;
        QTimer::singleShot(0, &outer, [&] {
            probe.Close();
            QEventLoop nested;
            QTimer::singleShot(20, &nested, &QEventLoop::quit);
            nested.exec();
            aliveAfterNestedLoop = Probe::deleted == 0 && probe.IsClosed();
            outer.quit();
        });
        outer.exec();
        QVERIFY(aliveAfterNestedLoop);
        QTRY_COMPARE(Probe::deleted, 1);
    }
};

QTEST_MAIN(WindowLifetimeTest)
#include "tst_windowlifetime.moc"
