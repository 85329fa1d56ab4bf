#include "link/CZKPoolingThread.h"

#include "bus/BusMessage.h"
#include "link/LinkTiming.h"

using LinkTiming::pauseUnlessStopped;

CZKPoolingThread::CZKPoolingThread(QObject* parent)
    : QThread(parent)
{
    joinBus();
}

CZKPoolingThread::~CZKPoolingThread()
{
    leaveBus();
    if (isRunning()) {
        stopRequested = true;
        wait();
    }
}

void CZKPoolingThread::receiveMessage(int type, QString msg, QString desc)
{
    Q_UNUSED(desc);
    if (type == Receive && msg.startsWith(QLatin1String("AT#")))
        replySeen = true;
}

bool CZKPoolingThread::isConnected()
{
    QMutexLocker locker(&connectedLock);
    return connected;
}

void CZKPoolingThread::clearConnected()
{
    setConnected(false);
}

void CZKPoolingThread::setConnected(bool value)
{
    QMutexLocker locker(&connectedLock);
    connected = value;
}

void CZKPoolingThread::setPaused(bool pause)
{
    QMutexLocker locker(&pausedLock);
    paused = pause;
}

bool CZKPoolingThread::isPaused()
{
    QMutexLocker locker(&pausedLock);
    return paused;
}

bool CZKPoolingThread::stop()
{
    stopRequested = true;
    return wait(LinkTiming::kWatchdogStopWaitMs);
}

void CZKPoolingThread::run()
{
    bool missedOnce = false;
    if (!pauseUnlessStopped(stopRequested, LinkTiming::kWatchStepMs))
        return;
    while (!stopRequested) {
        if (isPaused()) {
            pauseUnlessStopped(stopRequested, LinkTiming::kWatchPausedMs);
            continue;
        }
        sendMessage(Send, QStringLiteral("AT#"), internalTag());

        // The window runs its full length even after a reply: other "AT#..." replies later in
        // it report the link alive again.
        bool answered = false;
        for (int step = 0; step < LinkTiming::kWatchWindowSteps; ++step) {
            if (stopRequested)
                return;
            if (replySeen.exchange(false)) {
                setConnected(true);
                sendMessage(LinkAlive, QString(), QString());
                answered = true;
                missedOnce = false;
            }
            if (!pauseUnlessStopped(stopRequested, LinkTiming::kWatchStepMs))
                return;
        }
        if (answered)
            continue;
        setConnected(false);
        if (missedOnce) {
            sendMessage(LinkLost, QString(), QString());
            missedOnce = false;
        } else {
            missedOnce = true;
        }
    }
}
