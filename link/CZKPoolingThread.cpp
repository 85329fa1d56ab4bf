#include "link/CZKPoolingThread.h"

#include "bus/BusMessage.h"
#include "link/CZKLinkHold.h"
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
        // While the link is held the watch drops the window under way and waits a check at a
        // time. Once the link is free it starts afresh, with a new "AT#" and no missed window
        // behind it: the held time is neither an answer nor a silence of the unit.
        const bool sent = CZKLinkHold::unlessHeld(
            [this] { sendMessage(Send, QStringLiteral("AT#"), internalTag()); });
        if (!sent) {
            missedOnce = false;
            pauseUnlessStopped(stopRequested, LinkTiming::kWatchStepMs);
            continue;
        }

        // The window runs its full length even after a reply: other "AT#..." replies later in
        // it report the link alive again.
        bool answered = false;
        bool held = false;
        bool droppedByPause = false;
        for (int step = 0; step < LinkTiming::kWatchWindowSteps && !held; ++step) {
            if (stopRequested)
                return;
            // A pause drops the window under way: its rest would judge the link the pause is to
            // leave alone. A reply that comes meanwhile waits in replySeen, as between windows.
            if ((droppedByPause = isPaused()))
                break;
            // A reply that comes while held stays in replySeen, as one that comes while paused.
            held = !CZKLinkHold::unlessHeld([this, &answered, &missedOnce] {
                if (!replySeen.exchange(false))
                    return;
                setConnected(true);
                sendMessage(LinkAlive, QString(), QString());
                answered = true;
                missedOnce = false;
            });
            if (!held && !pauseUnlessStopped(stopRequested, LinkTiming::kWatchStepMs))
                return;
        }
        if (!held && !droppedByPause && !answered && !isPaused()) {
            // A hold or a pause taken during the last check's sleep still drops the window.
            held = !CZKLinkHold::unlessHeld([this, &missedOnce] {
                setConnected(false);
                if (missedOnce)
                    sendMessage(LinkLost, QString(), QString());
                missedOnce = !missedOnce;
            });
        }
        if (held)
            missedOnce = false;
    }
}
