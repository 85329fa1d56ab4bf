#pragma once

#include "db/DbTestSupport.h"
#include "mainwindow/CZKMainWindow.h"

#include "FakeUnit.h"

#include <QDir>
#include <QTemporaryDir>

#include <memory>

class Ui_CZKMainWindow;

// Reaches the window's state for the tests: the members its slots keep and the form.
class MainWindowProbe {
public:
    explicit MainWindowProbe(CZKMainWindow* window) : w(window) {}

    Ui_CZKMainWindow* ui() const { return w->ui; }
    QWidget* pageForm() const { return w->pageForm; }
    bool connected() const { return w->connected; }
    bool restartPending() const { return w->restartPending; }
    CZKInitialize* initDialog() const { return w->initDialog; }
    QTimer& initTimer() const { return w->initTimer; }
    quint32 pinUIState() const { return w->pinUIState; }
    int smsCount() const { return w->smsCount; }
    int phoneBookCapacity() const { return w->phoneBookCapacity; }
    bool attached() const { return w->attached; }
    QString temperatureText() const { return w->temperatureText; }
    CZKChartItemModel& chartModel() const { return w->chartModel; }
    CZKPoolingThread& linkWatchdog() const { return w->linkWatchdog; }
    CZKStartupThread& startupThread() const { return w->startupThread; }
    QLabel* linkIconLabel() const { return w->linkIconLabel; }
    QLabel* connectedLabel() const { return w->connectedLabel; }
    QLabel* messageIndicatorLabel() const { return w->messageIndicatorLabel; }
    void setPinLockChangePending(bool pending) { w->pinLockChangePending = pending; }
    void setProfileRefreshPending(bool pending) { w->profileRefreshPending = pending; }
    bool profileRefreshPending() const { return w->profileRefreshPending; }
    bool& smsPollingEnabled() const { return w->smsPollingEnabled; }
    CZKRadioPoolingThread* radioPoller() const { return w->radioPoller; }
    // The RF test's poller, started or stopped as the RF tab would.
    void startRadioPoller();
    void stopRadioPoller();
    // Takes the window's link away: nothing more leaves, and no local reply (a restart) comes back.
    void stopLink();
    // A new run of the program as far as the window's process-wide link state goes.
    static void resetRunState();

private:
    CZKMainWindow* w;
};

// A window as the program builds it, in a working folder of its own that holds the page forms,
// with a database made from the project's schema and starting rows (plus `extraSql`), and its
// link pointed at a fake unit on loopback. The unit stays silent and the link watchdog paused:
// the tests inject the link states and replies through the window's receiver.
class WindowFixture {
public:
    explicit WindowFixture(const QString& extraSql = QString());
    ~WindowFixture();

    // As the proxy thread delivers a bus message to the window.
    void inject(int type, const QString& msg, const QString& desc = QString());
    // Injects the message and lets the window handle it and everything queued before it.
    void deliver(int type, const QString& msg, const QString& desc = QString());
    // The line edit of that name on the page shown, or null.
    QString pageText(const QString& name) const;
    // Selects the settings tree's item of that kind and id (the page loads).
    bool select(int kind, int id);

    FakeUnit unit;
    QTemporaryDir workDir;
    QString previousDir;
    std::unique_ptr<LoadedDatabase> database;
    std::unique_ptr<CZKMainWindow> window;
    std::unique_ptr<MainWindowProbe> probe;
};

// What every window test starts with: the program's application object (the busy state works
// on it), the bus running, and every wait at a hundredth of its real length.
void startWindowTests();

// Points the window's link at a fake unit on loopback; aborts the test program when the target
// is anything else, so that no window test can reach the unit's real address.
void pointLinkAtLoopback(quint16 unitPort);
void requireLoopbackTarget();

// The type-4 commands among BusRecorder lines.
QStringList sentCommands(const QStringList& busLines);
