#pragma once

#include "bus/IMessageSender.h"
#include "link/ProxyEntry.h"

#include <QList>
#include <QMutex>
#include <QObject>

// The two queues between the GUI thread and the socket thread: commands waiting to be sent and
// replies waiting to be handled. A lock is held only while one entry goes in or out, never while
// a signal is emitted: receiveCmd() drains the reply queue inside pushReply().
class CZKCommandProxy : public QObject, public IMessageSender {
    Q_OBJECT
public:
    explicit CZKCommandProxy(QObject* parent = nullptr);

    // A command beginning "AT#RST" (any case) also gets at once a local reply, because the unit
    // restarts without answering.
    void pushCommand(QString text, bool internal);
    void pushReply(QString text, bool internal);

    // Both set *got. An empty command queue leaves *internal as it was; an empty reply queue
    // clears it.
    QString takeCommand(bool* got, bool* internal);
    QString takeReply(bool* got, bool* internal);

signals:
    void sendCmd();
    void receiveCmd();

private:
    QMutex commandsLock;
    QMutex repliesLock;
    QList<ProxyEntry> commands;
    QList<ProxyEntry> replies;
};
