#include "bus/CZKMessageProxy.h"

#include "bus/IMessageReceiver.h"

CZKMessageProxy::CZKMessageProxy() = default;

CZKMessageProxy::~CZKMessageProxy()
{
    dropQueued();
    {
        QMutexLocker locker(&receiversLock);
        receivers.clear();
    }
    stop();
}

void CZKMessageProxy::post(int type, QString msg, QString desc)
{
    {
        QMutexLocker locker(&queueLock);
        queue.append(BusMessage{type, std::move(msg), std::move(desc)});
    }
    QMutexLocker locker(&waitLock);
    wake.wakeOne();
}

void CZKMessageProxy::addReceiver(IMessageReceiver* receiver)
{
    QMutexLocker locker(&receiversLock);
    receivers.append(receiver);
}

void CZKMessageProxy::removeReceiver(IMessageReceiver* receiver)
{
    QMutexLocker locker(&receiversLock);
    const int index = receivers.indexOf(receiver);
    if (index >= 0)
        receivers.remove(index);
}

void CZKMessageProxy::dropQueued()
{
    QMutexLocker locker(&queueLock);
    queue.clear();
}

void CZKMessageProxy::stop()
{
    if (!isRunning())
        return;
    {
        QMutexLocker locker(&waitLock);
        stopRequested = true;
        wake.wakeAll();
    }
    wait();
}

void CZKMessageProxy::run()
{
    while (!stopRequested) {
        {
            QMutexLocker locker(&waitLock);
            for (;;) {
                bool empty;
                {
                    QMutexLocker queueLocker(&queueLock);
                    empty = queue.isEmpty();
                }
                if (!empty || stopRequested)
                    break;
                wake.wait(&waitLock);
            }
        }

        // The batch is taken out of the queue before delivery, so a sender never waits for a
        // slow receiver (the logger writes files) and later posts simply form the next batch.
        QMutexLocker receiversLocker(&receiversLock);
        QVector<BusMessage> batch;
        {
            QMutexLocker queueLocker(&queueLock);
            batch.swap(queue);
        }
        for (const BusMessage& message : qAsConst(batch)) {
            for (IMessageReceiver* receiver : qAsConst(receivers))
                receiver->receiveMessage(message.type, message.msg, message.desc);
        }
    }
}
