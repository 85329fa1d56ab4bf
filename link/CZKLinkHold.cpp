#include "link/CZKLinkHold.h"

#include <QCoreApplication>
#include <QMutex>
#include <QThread>

namespace {

// One lock for the count and for every poller's look-then-send.
QMutex& holdLock()
{
    static QMutex lock;
    return lock;
}

int holdCount = 0;   // guarded by holdLock()

} // namespace

CZKLinkHold::CZKLinkHold()
{
    // Made before the first hold can go, on the thread that takes it (the GUI thread in the
    // program), so the release never has to create it on a worker thread.
    notifier();
    QMutexLocker locker(&holdLock());
    ++holdCount;
}

CZKLinkHold::~CZKLinkHold()
{
    bool last;
    {
        QMutexLocker locker(&holdLock());
        last = --holdCount == 0;
    }
    if (last) {
        CZKLinkHoldNotifier* const target = notifier();
        QMetaObject::invokeMethod(target, [target] { emit target->released(); },
                                  Qt::QueuedConnection);
    }
}

bool CZKLinkHold::isHeld()
{
    QMutexLocker locker(&holdLock());
    return holdCount > 0;
}

bool CZKLinkHold::unlessHeld(const std::function<void()>& step)
{
    QMutexLocker locker(&holdLock());
    if (holdCount > 0)
        return false;
    step();
    return true;
}

CZKLinkHoldNotifier* CZKLinkHold::notifier()
{
    static CZKLinkHoldNotifier* const instance = [] {
        static CZKLinkHoldNotifier object;
        if (QCoreApplication* app = QCoreApplication::instance())
            object.moveToThread(app->thread());
        return &object;
    }();
    return instance;
}
