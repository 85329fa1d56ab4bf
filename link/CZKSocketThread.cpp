#include "link/CZKSocketThread.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "link/CZKCommandProxy.h"
#include "link/LinkTiming.h"

#include <QDeadlineTimer>
#include <QUdpSocket>

namespace {
const QChar kCarriageReturn(0x0D);
const QChar kCtrlZ(0x1A);
} // namespace

CZKSocketThread::CZKSocketThread(QObject* parent)
    : QThread(parent)
{
}

CZKSocketThread::~CZKSocketThread()
{
    // The loop looks at its stop flag in every wait and sleep, so this ends promptly even when
    // the bounded wait of stop() ran out under load.
    if (isRunning()) {
        stop();
        wait();
    }
    delete socket;
}

void CZKSocketThread::setLink(CZKCommandProxy* commandProxy, const QHostAddress& unit, quint16 unitPort)
{
    proxy = commandProxy;
    peer = unit;
    port = unitPort;
}

bool CZKSocketThread::open(const QHostAddress& address, quint16 localPort)
{
    delete socket;
    socket = new QUdpSocket;
    const QHostAddress bindAddress = isReceiveOnIp() ? address : QHostAddress(QHostAddress::Any);
    const bool bound = socket->bind(bindAddress, localPort);
    if (!bound) {
        sendMessage(Error, QStringLiteral("Socket Error"),
            QStringLiteral("Can't bind %1 port %2. %3")
                .arg(bindAddress.toString())
                .arg(localPort)
                .arg(socket->errorString()));
    }
    connect(socket, &QUdpSocket::readyRead, this, &CZKSocketThread::readData);
    return bound;
}

bool CZKSocketThread::stop()
{
    stopRequested = true;
    {
        QMutexLocker locker(&sendLock);
        sendCondition.wakeAll();
    }
    {
        QMutexLocker locker(&replyLock);
        replyCondition.wakeAll();
    }
    return wait(LinkTiming::kSocketStopWaitMs);
}

void CZKSocketThread::writeData()
{
    QMutexLocker locker(&sendLock);
    commandsWaiting = true;
    sendCondition.wakeAll();
}

void CZKSocketThread::readData()
{
    bool heardUnit = false;
    while (socket && socket->hasPendingDatagrams()) {
        QByteArray datagram(static_cast<int>(qMax<qint64>(socket->pendingDatagramSize(), 0)), Qt::Uninitialized);
        QHostAddress sender;
        const qint64 size = socket->readDatagram(datagram.data(), datagram.size(), &sender);
        if (size < 0)
            break;
        if (!fromUnit(sender)) {
            reportStranger(sender);
            continue;
        }
        heardUnit = true;
        if (size == 0 || !proxy)
            continue;
        datagram.truncate(static_cast<int>(size));
        const int nul = datagram.indexOf('\0');
        if (nul >= 0)
            datagram.truncate(nul);
        const QString reply = QString::fromUtf8(datagram);

        // The unit's USSD answer comes on its own, after the command's own reply: it is the
        // program's business whoever typed the command.
        bool internal = currentInternal;
        if (ussdPending && reply.toUpper().contains(QLatin1String("+CUSD:"))) {
            currentInternal = true;
            ussdPending = false;
            internal = true;
        }
        proxy->pushReply(reply, internal);
    }
    // A stranger's datagram must not end the wait either, or a flood of them would pace the
    // commands instead of the unit's answers.
    if (heardUnit || !socket)
        endReplyWait();
}

bool CZKSocketThread::fromUnit(const QHostAddress& sender) const
{
    // A socket bound to every address may see the unit's IPv4 address in its IPv6-mapped form.
    return sender.isEqual(peer, QHostAddress::ConvertV4MappedToIPv4);
}

void CZKSocketThread::reportStranger(const QHostAddress& sender)
{
    ++strangers;
    if (lastStrangerReport.isValid() && !lastStrangerReport.hasExpired(Pacing::ms(LinkTiming::kStrangerReportMs)))
        return;
    lastStrangerReport.start();
    // Named as the operator knows it, not in the IPv6-mapped form a dual-stack socket reports.
    bool isIpv4 = false;
    const quint32 ipv4 = sender.toIPv4Address(&isIpv4);
    const QString name = isIpv4 ? QHostAddress(ipv4).toString() : sender.toString();
    sendMessage(Warning, QStringLiteral("Socket Warning"),
        QStringLiteral("Datagram from %1 ignored: only the unit at %2 is heard (%3 ignored so far).")
            .arg(name, peer.toString())
            .arg(strangers));
}

void CZKSocketThread::run()
{
    for (;;) {
        {
            QMutexLocker locker(&sendLock);
            while (!commandsWaiting && !stopRequested)
                sendCondition.wait(&sendLock);
            commandsWaiting = false;
        }
        if (stopRequested || !proxy)
            return;
        drainCommands();
    }
}

void CZKSocketThread::drainCommands()
{
    while (!stopRequested) {
        bool got = false;
        bool internal = currentInternal;
        const QString command = proxy->takeCommand(&got, &internal);
        if (!got)
            return;
        currentInternal = internal;
        if (!command.isEmpty())
            sendAndAwaitReply(command);
        if (!LinkTiming::pauseUnlessStopped(stopRequested, LinkTiming::kCommandGapMs))
            return;
    }
}

void CZKSocketThread::sendAndAwaitReply(QString command)
{
    if (!command.endsWith(kCarriageReturn) && !command.endsWith(kCtrlZ))
        command += kCarriageReturn;
    if (command.toUpper().contains(QLatin1String("AT+CUSD")))
        ussdPending = true;

    {
        QMutexLocker locker(&replyLock);
        replyWaitOver = false;
    }
    const QByteArray datagram = command.toUtf8();
    QMetaObject::invokeMethod(
        this, [this, datagram, command] { transmit(datagram, command); }, Qt::QueuedConnection);

    const QDeadlineTimer deadline(Pacing::ms(replyTimeoutMs()));
    QMutexLocker locker(&replyLock);
    while (!replyWaitOver && !stopRequested && !deadline.hasExpired())
        replyCondition.wait(&replyLock, deadline);
}

void CZKSocketThread::transmit(const QByteArray& datagram, const QString& command)
{
    if (stopRequested)
        return;
    if (socket && socket->writeDatagram(datagram, peer, port) == datagram.size())
        return;
    sendMessage(Error, QStringLiteral("Socket Error"), QStringLiteral("Can't send command %1.").arg(command));
    endReplyWait();
}

void CZKSocketThread::endReplyWait()
{
    QMutexLocker locker(&replyLock);
    replyWaitOver = true;
    replyCondition.wakeAll();
}
