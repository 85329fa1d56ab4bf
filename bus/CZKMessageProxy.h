#pragma once

#include "bus/BusMessage.h"

#include <QMutex>
#include <QThread>
#include <QVector>
#include <QWaitCondition>

#include <atomic>

class IMessageReceiver;

// The bus: one dispatcher thread that hands every posted message, in posting order, to every
// registered receiver, each message to all receivers before the next.
class CZKMessageProxy : public QThread {
    Q_OBJECT
public:
    CZKMessageProxy();
    ~CZKMessageProxy() override;

    void post(int type, QString msg, QString desc);

    void addReceiver(IMessageReceiver* receiver);
    // Waits for a running dispatch pass to end, so the receiver is never called afterwards.
    void removeReceiver(IMessageReceiver* receiver);

    // Stops the dispatcher and waits for it without a time limit; does nothing when the
    // thread does not run.
    void stop();

    // Drops messages not yet delivered.
    void dropQueued();

protected:
    void run() override;

private:
    QVector<IMessageReceiver*> receivers;
    QMutex receiversLock;
    std::atomic<bool> stopRequested{false};
    QVector<BusMessage> queue;
    QWaitCondition wake;
    QMutex queueLock;
    QMutex waitLock;
};
