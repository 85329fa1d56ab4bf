#include "link/CZKCommandContainer.h"

#include "bus/BusMessage.h"

#include <QStringList>

CZKCommandContainer::CZKCommandContainer(QObject* parent)
    : QObject(parent)
{
    connect(&proxy, &CZKCommandProxy::receiveCmd, this, &CZKCommandContainer::readData);
    connect(&proxy, &CZKCommandProxy::sendCmd, &socketThread, &CZKSocketThread::writeData);
    // Queued from the bus thread, so commands enter the queue on the GUI thread in bus order.
    connect(this, &CZKCommandContainer::addToSend, this, &CZKCommandContainer::toSendAdd);
    joinBus();
}

CZKCommandContainer::~CZKCommandContainer()
{
    leaveBus();
    socketThread.stop();
}

bool CZKCommandContainer::setNetworkAddress(const QString& network)
{
    const QStringList parts = network.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    const int host = parts.at(3).toInt();
    if (host < 0 || host + 2 > 255)
        return false;
    const QString prefix = parts.mid(0, 3).join(QLatin1Char('.'));
    const QHostAddress unit(QStringLiteral("%1.%2").arg(prefix).arg(host + 1));
    const QHostAddress self(QStringLiteral("%1.%2").arg(prefix).arg(host + 2));
    if (unit.protocol() != QAbstractSocket::IPv4Protocol || self.protocol() != QAbstractSocket::IPv4Protocol)
        return false;
    peer = unit;
    local = self;
    return true;
}

bool CZKCommandContainer::start()
{
    if (socketThread.isRunning())
        return true;
    socketThread.setLink(&proxy, peer, port);
    // With receive-on-IP the socket takes the program's own address on the unit's network.
    socketThread.open(local, localPort != 0 ? localPort : port);
    socketThread.start(QThread::InheritPriority);
    return true;
}

bool CZKCommandContainer::stop()
{
    socketThread.stop();
    return true;
}

void CZKCommandContainer::receiveMessage(int type, QString msg, QString desc)
{
    if (type == Send)
        emit addToSend(msg, desc == internalTag());
}

void CZKCommandContainer::toSendAdd(QString msg, bool internal)
{
    proxy.pushCommand(msg, internal);
}

void CZKCommandContainer::readData()
{
    for (;;) {
        bool got = false;
        bool internal = false;
        const QString reply = proxy.takeReply(&got, &internal);
        if (!got)
            return;
        if (reply.isEmpty())
            continue;
        sendMessage(Receive, reply, internal ? internalTag() : QString());
        interpreter.interpret(reply);
    }
}
