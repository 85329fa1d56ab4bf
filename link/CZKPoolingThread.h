#pragma once

#include "bus/IMessageReceiver.h"
#include "bus/IMessageSender.h"

#include <QMutex>
#include <QThread>

#include <atomic>

// The link watchdog: sends "AT#" at the start of every 30-second window and watches the bus for
// replies beginning with "AT#". Every check that finds a new one reports the link alive (101);
// a window without one clears the connected flag, and every second such window in a row
// reports the link lost (102). While the link is held (CZKLinkHold) it sends and reports nothing,
// and the window under way does not count.
class CZKPoolingThread : public QThread, public IMessageSender, public IMessageReceiver {
    Q_OBJECT
public:
    explicit CZKPoolingThread(QObject* parent = nullptr);
    // Ends the thread first when its owner has not.
    ~CZKPoolingThread() override;

    void receiveMessage(int type, QString msg, QString desc) override;

    bool isConnected();
    void clearConnected();
    // While paused no "AT#" is sent and nothing is reported; the flag is looked at again every
    // 30 seconds.
    void setPaused(bool pause);
    bool isPaused();

    // False when the thread has not ended within its bound.
    bool stop();

protected:
    void run() override;

private:
    void setConnected(bool value);

    std::atomic<bool> stopRequested{false};
    std::atomic<bool> replySeen{false};
    bool connected = false;
    QMutex connectedLock;
    bool paused = false;
    QMutex pausedLock;
};
