#include "link/CZKCommandInterpreter.h"

#include "app/CZKGlobals.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "sms/SmsPduDecoder.h"

#include <QMap>

#include <algorithm>

// The SMS read from the SIM and the network's USSD answers: decoding, joining the parts of
// concatenated messages, and storing them in the received-message store.
//
// The window deletes the SIM copy of a message on "RECEIVED_SMS" with an empty value. That
// value is given only when the message is stored, or when nothing on the SIM needs keeping
// (a part that is held until its set is complete, a status report); otherwise the value is
// "KEEP" and the message stays on the SIM to be read again.

namespace {

bool isEmptyRecord(const ReceivedMessageRecord& record)
{
    return record.id == 0 && record.date.isNull() && record.content.isEmpty() && record.fromMsisdn.isEmpty()
        && !record.ussd && record.simCardId == 0;
}

const QString& networkSender()
{
    static const QString sender = QStringLiteral("Network");
    return sender;
}

} // namespace

void CZKCommandInterpreter::readMessage(const Reply& reply, int index)
{
    state = ReadingSms;
    record = std::make_unique<ReceivedMessageRecord>();
    readOutcome = ReadOutcome::Nothing;
    joinedSet.reset();
    if (index + 1 >= reply.lines.size())
        return;

    SmsPduDecoder decoder;
    const QByteArray pdu = reply.lines.at(index + 1).toLatin1();
    decoder.decode(pdu.constData());
    if (decoder.kind() == SmsPduDecoder::StatusReport) {
        readOutcome = ReadOutcome::StatusReport;
        return;
    }
    if (decoder.kind() != SmsPduDecoder::Deliver)
        return;

    if (!decoder.concatenated) {
        SmsDeliverPdu deliver;
        if (!decoder.getDeliverPdu(&deliver))
            return;
        record->fromMsisdn = QString::fromUtf8(deliver.originator,
                                               int(qstrnlen(deliver.originator, sizeof deliver.originator)));
        record->date = QDateTime::fromString(
            QString::fromLatin1(deliver.timestamp, int(qstrnlen(deliver.timestamp, sizeof deliver.timestamp))),
            QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        record->ussd = false;
        record->content = decoder.text();
        readOutcome = ReadOutcome::Message;
        return;
    }

    const SmsPart part = decoder.part;
    if (assembleMultipartSms(part)) {
        readOutcome = ReadOutcome::Message;
        return;
    }
    const SetKey key = SetKey::of(part);
    const bool alreadyHeld = std::any_of(pending.cbegin(), pending.cend(), [&](const SmsPart& held) {
        return key.holds(held) && held.partNumber == part.partNumber;
    });
    if (!alreadyHeld)
        pending.push_back(part);
    readOutcome = ReadOutcome::PartHeld;
}

bool CZKCommandInterpreter::assembleMultipartSms(const SmsPart& part)
{
    const SetKey key = SetKey::of(part);
    QMap<int, const SmsPart*> set;
    for (const SmsPart& held : pending) {
        if (key.holds(held) && !set.contains(held.partNumber))
            set.insert(held.partNumber, &held);
    }
    if (set.contains(part.partNumber))
        return false;
    set.insert(part.partNumber, &part);
    if (set.size() != part.partCount)
        return false;

    QString text;
    for (int number = 1; number <= part.partCount; ++number) {
        const auto found = set.constFind(number);
        if (found == set.constEnd())
            return false;
        text += found.value()->text;
    }
    if (!record)
        record = std::make_unique<ReceivedMessageRecord>();
    record->fromMsisdn = part.sender;
    record->date = part.time;
    record->ussd = false;
    record->content = text;
    joinedSet = key;
    return true;
}

void CZKCommandInterpreter::storeReadMessage()
{
    CZKDataBase* db = database();
    const int simCardId = db->activeSimCardId();
    bool simCopyMayGo = false;
    if (simCardId >= 0) {
        if (readOutcome == ReadOutcome::Message && !isEmptyRecord(*record)) {
            simCopyMayGo = db->addReceivedMessage(record->fromMsisdn, record->content, simCardId, record->ussd,
                                                  record->date);
            // A set that could not be stored keeps its parts, to be joined again when its
            // last part is read again.
            if (simCopyMayGo && joinedSet)
                dropSet(*joinedSet);
        } else {
            simCopyMayGo = readOutcome == ReadOutcome::PartHeld || readOutcome == ReadOutcome::StatusReport;
        }
    }
    record.reset();
    joinedSet.reset();
    readOutcome = ReadOutcome::Nothing;
    sendKey(QStringLiteral("RECEIVED_SMS"), simCopyMayGo ? QString() : QStringLiteral("KEEP"));
}

void CZKCommandInterpreter::dropSet(const SetKey& key)
{
    pending.erase(std::remove_if(pending.begin(), pending.end(), [&key](const SmsPart& held) { return key.holds(held); }),
                  pending.end());
}

void CZKCommandInterpreter::ussdAnswer(const QString& raw)
{
    const int first = raw.indexOf(QLatin1Char('"'));
    if (first < 0)
        return;
    const int last = raw.lastIndexOf(QLatin1Char('"'));
    if (first == last) {
        // The answer goes on in the next datagram.
        state = UssdContinues;
        ussdText = raw.mid(first + 1);
        return;
    }
    storeUssd(raw.mid(first + 1, last - first - 1));
    sendKey(QStringLiteral("RECEIVED_USSD"));
}

void CZKCommandInterpreter::continueUssd(const QString& raw)
{
    const int last = raw.lastIndexOf(QLatin1Char('"'));
    if (last < 0 || !database()) {
        ussdText += raw;
        return;
    }
    ussdText += raw.left(last);
    storeUssd(ussdText);
    sendKey(QStringLiteral("RECEIVED_USSD"));
    state = Idle;
    ussdText.clear();
}

void CZKCommandInterpreter::storeUssd(const QString& text)
{
    CZKDataBase* db = database();
    if (!db)
        return;
    const int simCardId = db->activeSimCardId();
    if (simCardId >= 0)
        db->addReceivedMessageNow(networkSender(), text, simCardId, true);
}
