#pragma once

#include "bus/IMessageSender.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

class CZKCommandProxy;
class QUdpSocket;

// Carries the queued AT commands to the unit, one at a time, and the unit's datagrams back.
//
// The thread only paces: it takes a command, has it sent, waits for the next datagram (at most
// the reply time-out) and pauses before the next command. The socket itself is used on the GUI
// thread alone, which created it: datagrams are read there (readData) and each command is handed
// there to be written, so no socket call ever runs on two threads.
class CZKSocketThread : public QThread, public IMessageSender {
    Q_OBJECT
public:
    explicit CZKSocketThread(QObject* parent = nullptr);
    // Ends the thread first when its owner has not.
    ~CZKSocketThread() override;

    // Where commands come from and replies go, and the unit's address. Before start().
    void setLink(CZKCommandProxy* commandProxy, const QHostAddress& unit, quint16 unitPort);

    // Creates the socket. With receive-on-IP it binds `address`:`localPort`, otherwise
    // `localPort` on every local address. A failed bind is reported on the bus.
    bool open(const QHostAddress& address, quint16 localPort);

    // Queued commands are abandoned; every wait is woken. False when the thread has not ended
    // within its bound.
    bool stop();

    // Datagrams thrown away because they did not come from the unit's address.
    quint64 strangerDatagrams() const { return strangers; }

public slots:
    void writeData();
    void readData();

protected:
    void run() override;

private:
    void drainCommands();
    void sendAndAwaitReply(QString command);
    void transmit(const QByteArray& datagram, const QString& command);
    void endReplyWait();
    bool fromUnit(const QHostAddress& sender) const;
    void reportStranger(const QHostAddress& sender);

    CZKCommandProxy* proxy = nullptr;
    QUdpSocket* socket = nullptr;
    QHostAddress peer;
    quint16 port = 0;
    // The internal flag of the command taken last; it tags the datagrams that follow.
    std::atomic<bool> currentInternal{false};
    // An "AT+CUSD" command went out and no "+CUSD:" answer has come since.
    std::atomic<bool> ussdPending{false};
    std::atomic<bool> stopRequested{false};

    // Only the unit is heard: anyone else on its network could otherwise store messages, answer
    // PIN questions or fake a live link. Read and written on the GUI thread only.
    quint64 strangers = 0;
    QElapsedTimer lastStrangerReport;

    // The loop sleeps only while no command was signalled since it last looked, so a command
    // queued while it was busy or pausing is never left behind.
    QMutex sendLock;
    QWaitCondition sendCondition;
    bool commandsWaiting = false;

    // Set by any datagram (or a failed send) after the command left, also one that comes
    // before the loop has begun to wait.
    QMutex replyLock;
    QWaitCondition replyCondition;
    bool replyWaitOver = false;
};
