#pragma once

#include "bus/IMessageSender.h"

#include <QMutex>
#include <QThread>

#include <atomic>

// Asks the unit for its radio status ("AT!GSTATUS?") every 2 seconds while the RF test runs,
// skipping the polls that fall while the link is held (CZKLinkHold).
class CZKRadioPoolingThread : public QThread, public IMessageSender {
    Q_OBJECT
public:
    explicit CZKRadioPoolingThread(QObject* parent);
    ~CZKRadioPoolingThread() override;

    void setPaused(bool pause);
    bool isPaused();

    // Does nothing when the thread does not run. False when it has not ended within its bound.
    bool stop();

protected:
    void run() override;

private:

    std::atomic<bool> stopRequested{false};
    bool paused = false;
    QMutex pausedLock;
};
