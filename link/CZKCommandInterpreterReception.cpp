#include "link/CZKCommandInterpreter.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "link/ReplyFields.h"
#include "sms/SmsPduDecoder.h"
#include "sms/SmsPduText.h"

#include <QMap>

#include <algorithm>

// The SMS read from the SIM and the network's USSD answers: decoding, joining the parts of
// concatenated messages, and storing them in the received-message store.
//
// The window deletes the SIM copy of a message on "RECEIVED_SMS" with an empty value. That
// value is given only when the message is stored, or when nothing on the SIM needs keeping
// (a status report); otherwise the value is "KEEP" and the message stays on the SIM to be read
// again. "KEEP" means do not delete: a part held until its set is complete is answered so, for
// it is in memory only. Once the set is stored, "SMS_PARTS_STORED" names the positions its
// other parts were read from, just before the "RECEIVED_SMS" of the part that completed it.
// A read that finds no message ("+CMS ERROR", "ERROR", or "OK" alone) gives "EMPTY". A message
// that was stored before (read in the terminal, or by a walk whose delete never reached the
// unit) is not stored again; "DUPLICATE" lets its SIM copy go all the same, with nothing new to
// show. Only the same PDU at the same position of the same card counts as stored before: when in
// doubt a message is stored, for a second row can be removed and a lost message cannot be had
// back.

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

// No stored USSD answer is larger than this, in UTF-8 bytes, its cut mark included.
constexpr int kUssdTextLimit = 4096;

// The length of a UTF-16 code unit sequence in UTF-8, a pair counted once.
int utf8Size(const QChar* units, int count)
{
    int size = 0;
    for (int i = 0; i < count; ++i) {
        const ushort unit = units[i].unicode();
        if (unit < 0x80)
            size += 1;
        else if (unit < 0x800)
            size += 2;
        else if (QChar::isHighSurrogate(unit) && i + 1 < count && units[i + 1].isLowSurrogate()) {
            size += 4;
            ++i;
        } else {
            size += 3;
        }
    }
    return size;
}

int utf8Size(const QString& text)
{
    return utf8Size(text.constData(), text.size());
}

// The longest start of `text` that takes at most `budget` bytes in UTF-8, never ending between
// the two halves of a surrogate pair.
QString fitting(const QString& text, int budget)
{
    int size = 0;
    int end = 0;
    while (end < text.size()) {
        const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() && text.at(end + 1).isLowSurrogate();
        const int units = pair ? 2 : 1;
        const int bytes = utf8Size(text.constData() + end, units);
        if (size + bytes > budget)
            break;
        size += bytes;
        end += units;
    }
    return text.left(end);
}

const QString& cutMark()
{
    static const QString mark = QStringLiteral("...");
    return mark;
}

// The text as far as it fits in the limit with the cut mark behind it.
QString withCutMark(const QString& text)
{
    return fitting(text, kUssdTextLimit - cutMark().size()) + cutMark();
}

// The coding scheme follows the closing quote: "+CUSD: <m>,"<text>",<dcs>". USSD uses the
// cell-broadcast schemes; those whose alphabet is UCS2 are the general groups 01xx and the
// group 1001 with alphabet bits 10, and 0x11, whose first two octets mark the language.
// Returns how many leading code units to drop, or -1 for any other scheme.
int ucs2UssdSkip(const QString& tail)
{
    bool ok = false;
    const int dcs = tail.section(QLatin1Char(','), 1, 1).trimmed().toInt(&ok);
    if (!ok || dcs < 0 || dcs > 0xFF)
        return -1;
    if (dcs == 0x11)
        return 1;
    const int group = dcs >> 4;
    const bool ucs2Alphabet = ((dcs >> 2) & 0x03) == 0x02;
    return ((group & 0x0C) == 0x04 || group == 0x09) && ucs2Alphabet ? 0 : -1;
}

// The text that hexadecimal UCS2 (four digits a code unit) encodes; anything else stays as it
// came. Line breaks the unit put between the digits are not part of them.
QString ucs2UssdText(const QString& text, int skip)
{
    QString digits = text;
    digits.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    // Characters beyond Latin-1 become '?', which is no digit; a NUL would end the check early.
    const QByteArray hex = digits.toLatin1();
    if (hex.size() % 4 != 0 || hex.size() / 4 <= skip || hex.contains('\0') || !isValidPduText(hex.constData()))
        return text;
    return ucs2HexDecode(hex).mid(skip);
}

} // namespace

bool CZKCommandInterpreter::deleteEcho(const QString& upper)
{
    // "AT+CMGDA=<type>" deletes all messages of a kind, "AT+CMGD=<p>[,<flag>]" the one at p, or
    // with a flag above 0 more than that one. Neither name is the start of the other's echo.
    const QLatin1String all("AT+CMGDA="), one("AT+CMGD=");
    const bool deletesAll = upper.startsWith(all);
    if (!deletesAll && !upper.startsWith(one))
        return false;
    const QString arguments = upper.mid(deletesAll ? all.size() : one.size());
    // "=?" only asks which arguments the unit takes.
    if (arguments.trimmed().startsWith(QLatin1Char('?')))
        return false;
    int position = -1, flag = 0;
    if (!deletesAll) {
        const QStringList fields = arguments.split(QLatin1Char(','));
        if (!ReplyFields::toNumber(fields.at(0), &position) || position < 0)
            position = -1;
        if (fields.size() > 1 && !ReplyFields::toNumber(fields.at(1), &flag))
            flag = 1;
    }
    const bool several = deletesAll || flag != 0;
    deletePosition = several ? -1 : position;
    // Whatever lay there is gone, or may be: a new message may take the position, and a part
    // held from there must not have it deleted when its set is stored.
    if (several)
        heldPositions.clear();
    else
        heldPositions.remove(position);
    state = DeleteEchoed;
    return true;
}

void CZKCommandInterpreter::readEcho(const QString& upper)
{
    int position = -1;
    if (!ReplyFields::toNumber(upper.mid(8), &position) || position < 0)
        position = -1;
    state = ReadEchoed;
    readPosition = position;
}

void CZKCommandInterpreter::readMessage(const Reply& reply, int index)
{
    if (state != ReadEchoed)
        readPosition = -1;
    // The position holds what this read brings, whatever part it held before.
    heldPositions.remove(readPosition);
    state = ReadingSms;
    record = std::make_unique<ReceivedMessageRecord>();
    readOutcome = ReadOutcome::Nothing;
    joinedSet.reset();
    if (index + 1 >= reply.lines.size())
        return;

    readPdu = reply.lines.at(index + 1).trimmed().toUpper();
    if (readsStoredMessage()) {
        readOutcome = ReadOutcome::StoredBefore;
        return;
    }
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
        record->date = dateStringToDateTime(deliver.timestamp);
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
    if (readPosition >= 0)
        heldPositions.insert(readPosition, HeldPosition{key, part.partNumber, ++heldCount, readPdu});
    readOutcome = ReadOutcome::PartHeld;
    letGoOldestParts();
}

void CZKCommandInterpreter::letGoOldestParts()
{
    while (pending.size() > size_t(kHeldPartsLimit)) {
        const SmsPart& oldest = pending.front();
        const SetKey key = SetKey::of(oldest);
        for (auto held = heldPositions.begin(); held != heldPositions.end();) {
            if (held->set == key && held->partNumber == oldest.partNumber)
                held = heldPositions.erase(held);
            else
                ++held;
        }
        pending.erase(pending.begin());
    }
    // Only a unit that reports one part at ever new positions gets here.
    while (heldPositions.size() > kHeldPartsLimit) {
        const auto oldest = std::min_element(heldPositions.begin(), heldPositions.end(),
                                             [](const HeldPosition& a, const HeldPosition& b) {
                                                 return a.arrival < b.arrival;
                                             });
        heldPositions.erase(oldest);
    }
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
    bool storedBefore = false;
    QStringList otherParts;
    if (simCardId >= 0) {
        if (readOutcome == ReadOutcome::StoredBefore) {
            simCopyMayGo = storedBefore = true;
        } else if (readOutcome == ReadOutcome::Message && !isEmptyRecord(*record)) {
            simCopyMayGo = db->addReceivedMessage(record->fromMsisdn, record->content, simCardId, record->ussd,
                                                  record->date);
            // A set that could not be stored keeps its parts, to be joined again when its
            // last part is read again.
            if (simCopyMayGo) {
                rememberStored(simCardId, readPosition, readPdu);
                if (joinedSet) {
                    otherParts = takeHeldPositions(*joinedSet, simCardId);
                    dropSet(*joinedSet);
                }
            }
        } else {
            simCopyMayGo = readOutcome == ReadOutcome::StatusReport;
        }
    }
    record.reset();
    joinedSet.reset();
    readOutcome = ReadOutcome::Nothing;
    readPosition = -1;
    readPdu.clear();
    if (!otherParts.isEmpty())
        sendKey(QStringLiteral("SMS_PARTS_STORED"), otherParts.join(QLatin1Char(',')));
    sendKey(QStringLiteral("RECEIVED_SMS"),
            !simCopyMayGo ? QStringLiteral("KEEP") : storedBefore ? QStringLiteral("DUPLICATE") : QString());
}

void CZKCommandInterpreter::endReadUnstored(bool found)
{
    if (!found)
        heldPositions.remove(readPosition);
    record.reset();
    joinedSet.reset();
    readOutcome = ReadOutcome::Nothing;
    readPosition = -1;
    readPdu.clear();
    state = Idle;
    sendKey(QStringLiteral("RECEIVED_SMS"), found ? QStringLiteral("KEEP") : QStringLiteral("EMPTY"));
}

QStringList CZKCommandInterpreter::takeHeldPositions(const SetKey& set, int simCardId)
{
    QStringList positions;
    for (auto held = heldPositions.begin(); held != heldPositions.end();) {
        if (held->set == set && held.key() != readPosition) {
            positions.append(QString::number(held.key()));
            rememberStored(simCardId, held.key(), held->pdu);
            held = heldPositions.erase(held);
        } else {
            ++held;
        }
    }
    return positions;
}

bool CZKCommandInterpreter::readsStoredMessage() const
{
    // A read without its echo comes from nowhere known: it is stored.
    CZKDataBase* db = database();
    if (readPosition < 0 || !db)
        return false;
    const auto found = storedReads.constFind(CardPosition(db->activeSimCardId(), readPosition));
    return found != storedReads.constEnd() && found->pdu == readPdu;
}

void CZKCommandInterpreter::rememberStored(int simCardId, int position, const QString& pdu)
{
    if (position < 0)
        return;
    storedReads.insert(CardPosition(simCardId, position), StoredRead{pdu, ++storedCount});
    if (storedReads.size() <= kStoredReadsLimit)
        return;
    const auto oldest = std::min_element(storedReads.begin(), storedReads.end(),
                                         [](const StoredRead& a, const StoredRead& b) { return a.arrival < b.arrival; });
    storedReads.erase(oldest);
}

void CZKCommandInterpreter::forgetDeleted()
{
    if (deletePosition < 0) {
        storedReads.clear();
    } else {
        // The store is the active card's; any card's entry there is dropped, for when in doubt a
        // message is stored rather than taken for one stored before.
        for (auto read = storedReads.begin(); read != storedReads.end();) {
            if (read.key().second == deletePosition)
                read = storedReads.erase(read);
            else
                ++read;
        }
    }
    deletePosition = -1;
}

void CZKCommandInterpreter::dropAwaitedDelete()
{
    // Unconfirmed, the positions stay remembered: a re-read of what is still there is then not
    // stored twice. Only a PDU identical to the stored one, byte for byte, can be taken for it.
    state = Idle;
    deletePosition = -1;
}

void CZKCommandInterpreter::imsiReported(const QString& imsi)
{
    if (imsi != lastImsi && !lastImsi.isEmpty())
        storedReads.clear();
    lastImsi = imsi;
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
        ussdText.clear();
        ussdDeadline.start(Pacing::ms(replyTimeoutMs()));
        collectUssd(raw.mid(first + 1));
        return;
    }
    storeUssd(raw.mid(first + 1, last - first - 1), raw.mid(last + 1));
    sendKey(QStringLiteral("RECEIVED_USSD"));
}

void CZKCommandInterpreter::continueUssd(const QString& raw)
{
    const int last = raw.lastIndexOf(QLatin1Char('"'));
    if (last < 0 || !database()) {
        collectUssd(raw);
        return;
    }
    const QString text = ussdText + raw.left(last);
    stopUssdCollection();
    storeUssd(text, raw.mid(last + 1));
    sendKey(QStringLiteral("RECEIVED_USSD"));
}

void CZKCommandInterpreter::collectUssd(const QString& text)
{
    const int room = kUssdTextLimit - utf8Size(ussdText);
    if (utf8Size(text) <= room) {
        ussdText += text;
        return;
    }
    // A longer answer is no USSD string (at most 182 characters): whoever sends it, what came
    // is kept as far as it fits and nothing more is collected.
    ussdText += fitting(text, room);
    endUnclosedUssd();
}

void CZKCommandInterpreter::endUnclosedUssd()
{
    if (state != UssdContinues)
        return;
    const QString text = ussdText;
    stopUssdCollection();
    storeUssd(withCutMark(text));
    sendKey(QStringLiteral("RECEIVED_USSD"));
}

void CZKCommandInterpreter::stopUssdCollection()
{
    ussdDeadline.stop();
    ussdText.clear();
    state = Idle;
}

void CZKCommandInterpreter::storeUssd(QString text, const QString& tail)
{
    CZKDataBase* db = database();
    if (!db)
        return;
    const int skip = ucs2UssdSkip(tail);
    if (skip >= 0)
        text = ucs2UssdText(text, skip);
    if (utf8Size(text) > kUssdTextLimit)
        text = withCutMark(text);
    const int simCardId = db->activeSimCardId();
    if (simCardId >= 0)
        db->addReceivedMessageNow(networkSender(), text, simCardId, true);
}
