#include "link/CZKRadioPoolingThread.h"

#include "bus/BusMessage.h"
#include "link/CZKLinkHold.h"
#include "link/LinkTiming.h"

CZKRadioPoolingThread::CZKRadioPoolingThread(QObject* parent)
    : QThread(parent)
{
}

CZKRadioPoolingThread::~CZKRadioPoolingThread()
{
    stop();
    // Returns at once for a thread that never ran or has ended.
    wait();
}

void CZKRadioPoolingThread::setPaused(bool pause)
{
    QMutexLocker locker(&pausedLock);
    paused = pause;
}

bool CZKRadioPoolingThread::isPaused()
{
    QMutexLocker locker(&pausedLock);
    return paused;
}

bool CZKRadioPoolingThread::stop()
{
    if (!isRunning())
        return true;
    stopRequested = true;
    return wait(LinkTiming::kRadioStopWaitMs);
}

void CZKRadioPoolingThread::run()
{
    while (!stopRequested) {
        if (!isPaused()) {
            CZKLinkHold::unlessHeld(
                [this] { sendMessage(Send, QStringLiteral("AT!GSTATUS?"), internalTag()); });
        }
        if (!LinkTiming::pauseUnlessStopped(stopRequested, LinkTiming::kRadioPollMs))
            return;
    }
}
