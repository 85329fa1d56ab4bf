#pragma once

#include "db/DbTestSupport.h"
#include "mainwindow/CZKMainWindow.h"

#include "FakeUnit.h"

#include <QDir>
#include <QTemporaryDir>

#include <functional>

#include <memory>

class Ui_CZKMainWindow;
class QTreeWidget;
class QTreeWidgetItem;

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
    bool smsChainRuns() const { return w->smsChain != CZKMainWindow::SmsChain::Idle; }
    int phoneBookCapacity() const { return w->phoneBookCapacity; }
    bool phoneBookReading() const { return w->phoneBookRead != CZKMainWindow::PhoneBookRead::Idle; }
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
    // The SMS tab: which box is shown, the deferred refill, and the tool bar's eight actions
    // (New SMS, New USSD, Remove, Forward, Reply, Inbox, Outbox, Read SMSes).
    bool inboxShown() const { return w->inboxShown; }
    void scheduleBoxRefresh() { w->scheduleBoxRefresh(); }
    QToolBar* smsToolbar() const { return w->smsToolbar; }
    QList<QAction*> smsActions() const
    {
        return {w->actNewSMS, w->actNewUSSD, w->actRemoveSMS, w->actForwardSMS,
                w->actReplySMS, w->actInbox, w->actOutbox, w->actReadSMS};
    }
    // The RF test's poller, started or stopped as the RF tab would.
    void startRadioPoller();
    void stopRadioPoller();
    // As the options dialog switches extended mode.
    void setupTerminalLogTabs(bool on) { w->setupTerminalLogTabs(on); }
    // The log tab's tool bar, whose filter actions carry their show level as data.
    QToolBar* logToolbar() const { return w->logToolbar; }
    // Takes the window's link away: nothing more leaves, and no local reply (a restart) comes back.
    void stopLink();
    // A new run of the program as far as the window's process-wide link state goes.
    static void resetRunState();
    // The next connection is the one after a restart: the unit is not read again.
    static void setReconnectAfterRestart() { CZKMainWindow::reconnectAfterRestart = true; }

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

// Brings the link up as the unit's answers to the watchdog's checks would, then pauses the
// watchdog again and ends the first connection's PIN dialogue and notice, whose boxes about the
// silent unit could otherwise come up at any time.
bool bringLinkUp(WindowFixture& fixture);
// Delivers "KEY=VALUE" reply keys in turn (a step without "=" has an empty value).
void deliverKeys(WindowFixture& fixture, const QStringList& steps);
// The tree's item of that kind and id, or null.
QTreeWidgetItem* findItem(QTreeWidget* tree, int kind, int id);
// Runs `open`, which pops a menu up, and gives the menu's entries as "text+" (enabled) or "text-"
// (greyed), joined by commas, or "<none>" when no menu came up; the menu is closed again.
QString popupEntries(const std::function<void()>& open);
