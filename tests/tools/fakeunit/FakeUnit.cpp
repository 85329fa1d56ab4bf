#include "FakeUnit.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QNetworkDatagram>
#include <QTimer>

static qint64 nowMs() { QElapsedTimer clock; clock.start(); return clock.msecsSinceReference(); }

// The switches' names in "FAKE#CMGS" and "FAKE#COPS", in the order of their enumerations.
static const QStringList kCmgsSwitches{"NORMAL", "ERROR", "NOPROMPT", "NORESULT"};
static const QStringList kCopsSwitches{"NORMAL", "LIMITED", "NONE"};
// What "FAKE#STATE" calls the SIM's states, in the order of their enumeration.
static const QStringList kSimStates{"READY", "PIN", "PUK"};

QByteArray FakeUnit::state() const
{
    const QString band = bandIndex();
    return QStringLiteral("RAT=%1 BAND=%2 GBAND=%3,%4 RUN=%5 CMGF=%6 CMGS=%7 COPS=%8 SENT=%9 PB=%10")
               .arg(rat, band.isEmpty() ? QStringLiteral("none") : band, maskText(gsmUmtsMask), maskText(lteMask))
               .arg(int(running))
               .arg(messageFormat)
               .arg(kCmgsSwitches.at(int(cmgsSwitch)), kCopsSwitches.at(int(copsSwitch)))
               .arg(sentMessages.size())
               .arg(simPhoneBook.size())
               .toUtf8()
        + QStringLiteral(" PIN=%1 LOCK=%2 TRIES=%3 APN=%4 USER=%5 PASS=%6")
              .arg(kSimStates.at(int(simState)), QString::number(int(pinLock)), QString::number(pinTries), apn, apnUser,
                   apnPassword)
              .toUtf8();
}

int FakeUnit::storeSms(const QByteArray& pdu)
{
    for (int index = smsBase; index < smsBase + SmsCapacity; ++index) {
        if (!simMessages.contains(index)) {
            simMessages.insert(index, StoredSms{pdu, false});
            return index;
        }
    }
    return -1;
}

bool FakeUnit::storeSmsAt(int index, const QByteArray& pdu)
{
    if (index < smsBase || index >= smsBase + SmsCapacity)
        return false;
    simMessages.insert(index, StoredSms{pdu, false});
    return true;
}

void FakeUnit::setSmsBase(int base)
{
    QMap<int, StoredSms> renumbered;
    for (auto message = simMessages.cbegin(); message != simMessages.cend(); ++message)
        renumbered.insert(message.key() - smsBase + base, message.value());
    simMessages = renumbered;
    smsBase = base;
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
        const QString text = QString::fromUtf8(datagram.data());
        QString command = text;
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
        if (silent)
            continue;
        // At the prompt everything is message text, carriage returns included.
        if (prompt != Prompt::None ? !answerAtPrompt(text, &reply) : !answer(command, &reply, &later))
            continue;
        QList<QByteArray> laterBytes;
        for (const QString& part : qAsConst(later))
            laterBytes.append(part.toUtf8());
        if (garbageSeed != 0) {
            reply = garbage.garble(reply);
            for (QByteArray& part : laterBytes)
                part = garbage.garble(part);
        }
        const int delay = qMax(delayMs, 0);
        QTimer::singleShot(delay, this, [this, reply, from, fromPort] { send(reply, from, fromPort); });
        for (int i = 0; i < laterBytes.size(); ++i) {
            QTimer::singleShot(delay + (i + 1) * LaterGapMs, this,
                               [this, bytes = laterBytes.at(i), from, fromPort] { send(bytes, from, fromPort); });
        }
    }
}

void FakeUnit::handleControl(const QString& control, const QHostAddress& from, quint16 fromPort)
{
    const int equals = control.indexOf(QLatin1Char('='));
    const QString name = control.left(equals).toUpper();
    QString value = control.mid(equals + 1);
    bool done = true;
    QByteArray stateLine;   // only "FAKE#STATE" answers with more than its result
    if (name == QLatin1String("SILENT")) {
        silent = value.trimmed() == QLatin1String("1");
    } else if (name == QLatin1String("DELAY")) {
        delayMs = value.trimmed().toInt();
    } else if (name == QLatin1String("UNSOLICITED")) {
        sendUnsolicited(value.replace("\\r", "\r").replace("\\n", "\n").toUtf8());
    } else if (name == QLatin1String("GARBAGE")) {
        const quint32 seed = value.trimmed().toUInt(&done);
        done = done && equals > 0;
        if (done)
            setGarbage(seed);
    } else if (name == QLatin1String("FLOOD")) {
        const QStringList fields = value.split(QLatin1Char(','));
        bool countOk = false;
        bool rateOk = false;
        bool seedOk = true;
        const int count = fields.value(0).trimmed().toInt(&countOk);
        const int rate = fields.value(1).trimmed().toInt(&rateOk);
        const quint32 seed = fields.size() > 2 ? fields.at(2).trimmed().toUInt(&seedOk) : QRandomGenerator::global()->generate();
        done = equals > 0 && fields.size() <= 3 && countOk && (count <= 0 || (rateOk && seedOk))
            && startFlood(count, rate, seed);
    } else if (name == QLatin1String("FROM")) {
        done = equals > 0 && sendNextFrom(QHostAddress(value.trimmed()));
    } else if (name == QLatin1String("RAT")) {
        done = equals > 0 && setRat(value.trimmed());
    } else if (name == QLatin1String("BAND")) {
        done = equals > 0 && setBand(value.trimmed());
    } else if (name == QLatin1String("RADIO")) {
        done = equals > 0 && setRadio(value.trimmed());
    } else if (name == QLatin1String("CMGS")) {
        const int chosen = kCmgsSwitches.indexOf(value.trimmed().toUpper());
        done = equals > 0 && chosen >= 0;
        if (done)
            cmgsSwitch = CmgsSwitch(chosen);
    } else if (name == QLatin1String("COPS")) {
        const int chosen = kCopsSwitches.indexOf(value.trimmed().toUpper());
        done = equals > 0 && chosen >= 0;
        if (done)
            copsSwitch = CopsSwitch(chosen);
    } else if (name == QLatin1String("PHONEBOOK")) {
        const QString book = value.trimmed().toUpper();
        done = equals > 0 && (book == QLatin1String("EMPTY") || book == QLatin1String("NORMAL"));
        if (done)
            resetPhoneBook(book == QLatin1String("EMPTY"));
    } else if (name == QLatin1String("PBSIZE")) {
        const int size = value.trimmed().toInt(&done);
        done = done && equals > 0 && setPhoneBookSize(size);
    } else if (name == QLatin1String("SIMLOCK") || name == QLatin1String("SHOWPASSWORD")
               || name == QLatin1String("PBREFUSE")) {
        const QString flag = value.trimmed();
        done = equals > 0 && (flag == QLatin1String("0") || flag == QLatin1String("1"));
        if (done && name == QLatin1String("SIMLOCK"))
            setSimLocked(flag == QLatin1String("1"));
        else if (done && name == QLatin1String("PBREFUSE"))
            phoneBookRefused = flag == QLatin1String("1");
        else if (done)
            showPassword = flag == QLatin1String("1");
    } else if (name == QLatin1String("STATE")) {
        stateLine = state() + "\r\n";
    } else if (name == QLatin1String("SMSAT")) {
        const int comma = value.indexOf(QLatin1Char(','));
        bool numbered = false;
        const int index = value.left(comma).trimmed().toInt(&numbered);
        done = equals > 0 && comma > 0 && numbered && storeSmsAt(index, value.mid(comma + 1).trimmed().toLatin1());
    } else if (name == QLatin1String("SMSBASE")) {
        const QString base = value.trimmed();
        done = equals > 0 && (base == QLatin1String("0") || base == QLatin1String("1"));
        if (done)
            setSmsBase(base.toInt());
    } else {
        const int index = name == QLatin1String("SMS") && equals > 0 ? storeSms(value.trimmed().toLatin1()) : -1;
        done = index >= 0;
        // A new message is announced to the program, as a unit does.
        if (done && !lastSender.isNull())
            sendUnsolicited("\r\n+CMTI: \"SM\"," + QByteArray::number(index) + "\r\n");
    }
    // Always from the unit's own address: the other one is kept for the next reply.
    const QByteArray answer = done ? stateLine + "OK\r\n" : QByteArrayLiteral("ERROR\r\n");
    if (socket->writeDatagram(answer, from, fromPort) == answer.size())
        sent.append(Datagram{answer, nowMs()});
}

void FakeUnit::setGarbage(quint32 seed)
{
    garbageSeed = seed;
    garbage = FakeGarbage(seed);
    note(seed ? "garbage on, seed " + QByteArray::number(seed) : QByteArray("garbage off"));
}

bool FakeUnit::startFlood(int count, int perSecond, quint32 seed)
{
    if (count <= 0) {
        if (flooding())
            endFlood();
        return true;
    }
    if (perSecond <= 0 || lastSender.isNull())
        return false;
    if (flooding())
        endFlood();
    floodTotal = qMin(count, FloodMaxDatagrams);
    floodSent = 0;
    floodRefused = 0;
    floodRate = perSecond;
    floodGarbage = FakeGarbage(seed);
    note("flood of " + QByteArray::number(floodTotal) + " datagrams at " + QByteArray::number(perSecond)
         + " a second to " + lastSender.toString().toUtf8() + ':' + QByteArray::number(lastSenderPort) + ", seed "
         + QByteArray::number(seed));
    // The first datagram goes at the first tick, after the control's own answer.
    floodClock.start();
    floodTimer.start();
    return true;
}

void FakeUnit::floodStep()
{
    const qint64 elapsed = floodClock.elapsed();
    if (elapsed >= floodLimitMs) {
        endFlood();
        return;
    }
    const qint64 due = qMin<qint64>(floodTotal, elapsed * floodRate / 1000 + 1);
    // A rate beyond what this host sends never holds the event loop for long; the flood then
    // runs behind and ends at its time bound.
    for (int burst = 0; floodSent < due && burst < 1000; ++burst, ++floodSent) {
        if (!transmit(floodGarbage.floodDatagram(), lastSender, lastSenderPort))
            ++floodRefused;
    }
    if (floodSent >= floodTotal)
        endFlood();
}

void FakeUnit::endFlood()
{
    floodTimer.stop();
    note("flood ended: " + QByteArray::number(floodSent) + " of " + QByteArray::number(floodTotal) + " datagrams in "
         + QByteArray::number(floodClock.elapsed()) + " ms, " + QByteArray::number(floodRefused) + " refused by the socket");
    emit floodEnded(floodSent);
}

bool FakeUnit::sendNextFrom(const QHostAddress& address)
{
    if (address.isNull())
        return false;
    if (!otherSocket || otherSocket->localAddress() != address) {
        delete otherSocket;
        otherSocket = new QUdpSocket(this);
        if (!otherSocket->bind(address, port(), QUdpSocket::DontShareAddress)) {
            note("cannot bind " + address.toString().toUtf8() + ':' + QByteArray::number(port()) + ": "
                 + otherSocket->errorString().toUtf8());
            delete otherSocket;
            otherSocket = nullptr;
            nextFromOther = false;
            return false;
        }
    }
    nextFromOther = true;
    return true;
}

void FakeUnit::send(const QByteArray& bytes, const QHostAddress& to, quint16 toPort)
{
    if (transmit(bytes, to, toPort))
        sent.append(Datagram{bytes, nowMs()});
}

bool FakeUnit::transmit(const QByteArray& bytes, const QHostAddress& to, quint16 toPort)
{
    if (to.isNull())
        return false;
    QUdpSocket* through = socket;
    if (nextFromOther && otherSocket) {
        through = otherSocket;
        nextFromOther = false;
        note("the next datagram leaves from " + otherSocket->localAddress().toString().toUtf8());
    }
    return through->writeDatagram(bytes, to, toPort) == bytes.size();
}

void FakeUnit::note(const QByteArray& text)
{
    if (log)
        log->write(QByteArray::number(nowMs()) + " note: " + text + '\n');
}
