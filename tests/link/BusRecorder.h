#pragma once

#include "app/CZKGlobals.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "bus/IMessageReceiver.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QVector>

// Records every message of the global bus with the monotonic time it was delivered, and starts
// the bus when it does not run yet.
class BusRecorder : public IMessageReceiver {
public:
    struct Entry {
        int type;
        QString msg;
        QString desc;
        qint64 atMs;
    };

    BusRecorder()
    {
        if (!messageProxy()->isRunning())
            messageProxy()->start();
        joinBus();
    }
    ~BusRecorder() override { leaveBus(); }

    void receiveMessage(int type, QString msg, QString desc) override
    {
        QElapsedTimer clock;
        clock.start();
        QMutexLocker locker(&lock);
        entries.append(Entry{type, msg, desc, clock.msecsSinceReference()});
    }

    QVector<Entry> all() const
    {
        QMutexLocker locker(&lock);
        return entries;
    }

    QVector<Entry> ofType(int type) const
    {
        QVector<Entry> found;
        for (const Entry& entry : all()) {
            if (entry.type == type)
                found.append(entry);
        }
        return found;
    }

    static void post(int type, const QString& msg, const QString& desc = QString())
    {
        messageProxy()->post(type, msg, desc);
    }

private:
    mutable QMutex lock;
    QVector<Entry> entries;
};
