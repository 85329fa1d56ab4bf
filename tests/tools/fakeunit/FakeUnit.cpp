#include "FakeUnit.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QNetworkDatagram>
#include <QTimer>

static qint64 nowMs() { QElapsedTimer clock; clock.start(); return clock.msecsSinceReference(); }

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

void FakeUnit::readPending()
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket->receiveDatagram();
        const QHostAddress from = datagram.senderAddress();
        const quint16 fromPort = quint16(datagram.senderPort());
        if (!datagram.isValid())
            break;
        received.append(Datagram{datagram.data(), nowMs()});
        if (log) {
            log->write(QByteArray::number(nowMs()) + ' ' + from.toString().toUtf8() + ':' + QByteArray::number(fromPort)
                       + ' ' + datagram.data().replace('\r', "\\r").replace('\n', "\\n") + '\n');
        }
        QString command = QString::fromUtf8(datagram.data());
        if (command.endsWith(QLatin1Char('\r')))
            command.chop(1);
        if (command.startsWith(QLatin1String("FAKE#"), Qt::CaseInsensitive)) {
            handleControl(command.mid(5), from, fromPort);
            continue;
        }
        lastSender = from;
        lastSenderPort = fromPort;
        QByteArray reply;
        QStringList later;
        if (silent || !answer(command, &reply, &later))
            continue;
        const int delay = qMax(delayMs, 0);
        QTimer::singleShot(delay, this, [this, reply, from, fromPort] { send(reply, from, fromPort); });
        for (int i = 0; i < later.size(); ++i) {
            QTimer::singleShot(delay + (i + 1) * LaterGapMs, this,
                               [this, bytes = later.at(i).toUtf8(), from, fromPort] { send(bytes, from, fromPort); });
        }
    }
}

void FakeUnit::handleControl(const QString& control, const QHostAddress& from, quint16 fromPort)
{
    const int equals = control.indexOf(QLatin1Char('='));
    const QString name = control.left(equals).toUpper();
    QString value = control.mid(equals + 1);
    bool done = true;
    if (name == QLatin1String("SILENT"))
        silent = value.trimmed() == QLatin1String("1");
    else if (name == QLatin1String("DELAY"))
        delayMs = value.trimmed().toInt();
    else if (name == QLatin1String("UNSOLICITED"))
        sendUnsolicited(value.replace("\\r", "\r").replace("\\n", "\n").toUtf8());
    else
        done = name == QLatin1String("SMS") && equals > 0 && storeSms(value.trimmed().toLatin1()) > 0;
    send(done ? QByteArrayLiteral("OK\r\n") : QByteArrayLiteral("ERROR\r\n"), from, fromPort);
}

void FakeUnit::send(const QByteArray& bytes, const QHostAddress& to, quint16 toPort)
{
    if (!to.isNull() && socket->writeDatagram(bytes, to, toPort) == bytes.size())
        sent.append(Datagram{bytes, nowMs()});
}
