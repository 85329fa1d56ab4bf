#include "FakeUnit.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QTimer>
#include <QUdpSocket>

FakeUnit::FakeUnit(QObject* parent)
    : QObject(parent)
    , socket(new QUdpSocket(this))
{
    connect(socket, &QUdpSocket::readyRead, this, &FakeUnit::readPending);
    fillSim();
}

int FakeUnit::storeSms(const QByteArray& pdu)
{
    for (int index = 1; index <= SmsCapacity; ++index) {
        if (!simMessages.contains(index)) {
            simMessages.insert(index, StoredSms{pdu, false});
            return index;
        }
    }
    return -1;
}

bool FakeUnit::open(const QHostAddress& address, quint16 port)
{
    return socket->bind(address, port, QAbstractSocket::DontShareAddress);
}

QHostAddress FakeUnit::address() const { return socket->localAddress(); }
quint16 FakeUnit::port() const { return socket->localPort(); }
QString FakeUnit::errorString() const { return socket->errorString(); }
void FakeUnit::setSilent(bool quiet) { silent = quiet; }
void FakeUnit::setDelayMs(int ms) { delayMs = ms; }
void FakeUnit::setLog(QIODevice* device) { logDevice = device; }

void FakeUnit::sendUnsolicited(const QByteArray& bytes)
{
    send(bytes, peer, peerPort);
}

QVector<FakeUnit::Datagram> FakeUnit::received() const
{ return receivedDatagrams; }

QVector<FakeUnit::Datagram> FakeUnit::sent() const
{ return sentDatagrams; }

QHostAddress FakeUnit::lastSender() const { return peer; }
quint16 FakeUnit::lastSenderPort() const { return peerPort; }

qint64 FakeUnit::nowMs()
{
    QElapsedTimer clock;
    clock.start();
    return clock.msecsSinceReference();
}

void FakeUnit::readPending()
{
    while (socket->hasPendingDatagrams()) {
        QByteArray bytes(static_cast<int>(qMax<qint64>(socket->pendingDatagramSize(), 0)), Qt::Uninitialized);
        QHostAddress from;
        quint16 fromPort = 0;
        const qint64 size = socket->readDatagram(bytes.data(), bytes.size(), &from, &fromPort);
        if (size < 0)
            break;
        bytes.truncate(static_cast<int>(size));
        receivedDatagrams.append(Datagram{bytes, nowMs()});
        log(bytes, from, fromPort);

        QString command = QString::fromUtf8(bytes);
        if (command.endsWith(QLatin1Char('\r')))
            command.chop(1);
        if (command.startsWith(QLatin1String("FAKE#"), Qt::CaseInsensitive)) {
            handleControl(command.mid(5), from, fromPort);
            continue;
        }
        peer = from;
        peerPort = fromPort;
        if (silent)
            continue;
        const std::optional<Answer> answer = answerFor(command);
        if (!answer)
            continue;
        const QByteArray reply = answer->reply.toUtf8();
        if (delayMs <= 0)
            send(reply, from, fromPort);
        else
            QTimer::singleShot(delayMs, this, [this, reply, from, fromPort] { send(reply, from, fromPort); });
        int laterMs = qMax(delayMs, 0);
        for (const QString& text : answer->later) {
            laterMs += LaterGapMs;
            const QByteArray bytes = text.toUtf8();
            QTimer::singleShot(laterMs, this, [this, bytes, from, fromPort] { send(bytes, from, fromPort); });
        }
    }
}

void FakeUnit::handleControl(const QString& control, const QHostAddress& from, quint16 fromPort)
{
    const int equals = control.indexOf(QLatin1Char('='));
    const QString name = control.left(equals).toUpper();
    QString value = control.mid(equals + 1);
    if (name == QLatin1String("SILENT")) {
        silent = value.trimmed() == QLatin1String("1");
    } else if (name == QLatin1String("DELAY")) {
        delayMs = value.trimmed().toInt();
    } else if (name == QLatin1String("UNSOLICITED")) {
        value.replace(QLatin1String("\\r"), QLatin1String("\r")).replace(QLatin1String("\\n"), QLatin1String("\n"));
        sendUnsolicited(value.toUtf8());
    } else if (name == QLatin1String("SMS") && equals > 0) {
        if (storeSms(value.trimmed().toLatin1()) < 0) {
            send(QByteArrayLiteral("ERROR\r\n"), from, fromPort);
            return;
        }
    } else {
        send(QByteArrayLiteral("ERROR\r\n"), from, fromPort);
        return;
    }
    send(QByteArrayLiteral("OK\r\n"), from, fromPort);
}

void FakeUnit::send(const QByteArray& bytes, const QHostAddress& to, quint16 toPort)
{
    if (to.isNull() || socket->writeDatagram(bytes, to, toPort) != bytes.size())
        return;
    sentDatagrams.append(Datagram{bytes, nowMs()});
}

void FakeUnit::log(const QByteArray& bytes, const QHostAddress& from, quint16 fromPort)
{
    if (!logDevice)
        return;
    const QByteArray text = QByteArray(bytes).replace('\r', "\\r").replace('\n', "\\n");
    logDevice->write(QByteArray::number(nowMs()) + ' ' + from.toString().toUtf8() + ':'
        + QByteArray::number(fromPort) + ' ' + text + '\n');
}
