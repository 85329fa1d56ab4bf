#pragma once

#include "bus/IMessageReceiver.h"
#include "bus/IMessageSender.h"
#include "link/CZKCommandInterpreter.h"
#include "link/CZKCommandProxy.h"
#include "link/CZKSocketThread.h"

#include <QHostAddress>
#include <QObject>
#include <QString>

// The program's one link to the radio unit. Commands put on the bus (message 4) are queued and
// sent one at a time; every datagram from the unit is published (message 5) and interpreted.
class CZKCommandContainer : public QObject, public IMessageSender, public IMessageReceiver {
    Q_OBJECT
public:
    explicit CZKCommandContainer(QObject* parent);
    ~CZKCommandContainer() override;

    // "a.b.c.d" names the unit's network: the unit is host d+1 and the program host d+2 of it.
    // Any other form, or a host part that would run past 255, keeps both addresses as they were.
    bool setNetworkAddress(const QString& network);

    // Opens the socket and starts the sending thread. Always true: a failed bind is reported on
    // the bus by the socket thread.
    bool start();
    // Stops the sending thread; commands still queued are not sent. Always true.
    bool stop();

    QHostAddress peerAddress() const { return peer; }
    QHostAddress localAddress() const { return local; }

    void receiveMessage(int type, QString msg, QString desc) override;

    // The unit's UDP port, and the one the program binds.
    quint16 port = 40000;
    // When not 0, the program binds this port instead of the unit's. Only for running the unit
    // and the program on one host, where both cannot hold the same port.
    quint16 localPort = 0;

signals:
    void addToSend(QString msg, bool internal);

public slots:
    void readData();
    void toSendAdd(QString msg, bool internal);

private:
    QHostAddress peer{QHostAddress::AnyIPv4};
    QHostAddress local{QHostAddress::AnyIPv4};
    CZKCommandProxy proxy;
    CZKCommandInterpreter interpreter;
    CZKSocketThread socketThread;
};
