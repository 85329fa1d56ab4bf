#include "sms/SmsPduDecoder.h"

#include "sms/SmsPduText.h"

#include <cstring>

// Reads a PDU octet by octet; every read checks that the octets are there.
class SmsPduReader {
public:
    explicit SmsPduReader(const QByteArray& octets)
        : octets(octets)
    {
    }

    bool octet(quint8* out)
    {
        if (position >= octets.size())
            return false;
        *out = quint8(octets.at(position++));
        return true;
    }

    // `count` octets as their raw upper-case hexadecimal text, into a field of `capacity`.
    bool rawField(int count, char* field, int capacity)
    {
        if (count < 0 || 2 * count >= capacity || position + count > octets.size())
            return false;
        const QByteArray hex = octets.mid(position, count).toHex().toUpper();
        std::memcpy(field, hex.constData(), size_t(hex.size()));
        field[hex.size()] = '\0';
        position += count;
        return true;
    }

    bool skip(int count)
    {
        if (position + count > octets.size())
            return false;
        position += count;
        return true;
    }

    QByteArray rest() const { return octets.mid(position); }

private:
    const QByteArray& octets;
    int position = 0;
};

namespace {

constexpr quint8 MtiMask = 0x03;
constexpr quint8 MtiDeliver = 0x00;
constexpr quint8 MtiSubmit = 0x01;
constexpr quint8 MtiStatusReport = 0x02;
constexpr quint8 UserDataHeaderIndicator = 0x40;
constexpr int MaximumAddressSemiOctets = 30; // what a 32-byte field holds as raw text
constexpr int MaximumSmscOctets = 16;
constexpr int TimestampOctets = 7;

constexpr quint8 ConcatenationElement8Bit = 0x00;
constexpr quint8 ConcatenationElement16Bit = 0x08;

// An address field: length octet, type octet, semi-octets.
bool readAddress(SmsPduReader& reader, quint8* length, quint8* type, char* field)
{
    if (!reader.octet(length) || !reader.octet(type) || *length > MaximumAddressSemiOctets)
        return false;
    return reader.rawField((*length + 1) / 2, field, SmsFieldCapacity);
}

bool readSmsc(SmsPduReader& reader, quint8* length, quint8* type, char* field)
{
    if (!reader.octet(length) || *length > MaximumSmscOctets)
        return false;
    if (*length == 0) // no SMSC information: the unit's default centre
        return true;
    return reader.octet(type) && reader.rawField(*length - 1, field, SmsFieldCapacity);
}

// The time stamp field converted in place; a stamp that is no date stays raw.
void convertTimestamp(char* field)
{
    char converted[SmsFieldCapacity] = {};
    if (sctsToDateString(field, converted, SmsFieldCapacity))
        std::memcpy(field, converted, SmsFieldCapacity);
}

// Octets that TP-UDL covers: septets for the 7-bit classes, octets otherwise.
int userDataOctets(quint8 dataCoding, int userDataLength)
{
    return isDcs7Bit(dataCoding) ? (userDataLength * 7 + 7) / 8 : userDataLength;
}

} // namespace

void SmsPduDecoder::reset()
{
    decodedKind = Nothing;
    deliver.copyFrom(SmsDeliverPdu());
    report.copyFrom(SmsStatusReportPdu());
    decodedText.clear();
    concatenated = 0;
    part.clear();
}

bool SmsPduDecoder::decode(const char* pduHex)
{
    reset();
    if (!pduHex)
        return false;
    const QByteArray received = QByteArray(pduHex).trimmed();
    if (!isValidPduText(received.constData()))
        return false;
    const QByteArray octets = QByteArray::fromHex(received);
    SmsPduReader reader(octets);

    quint8 smscLength = 0;
    quint8 smscType = 0;
    char smscAddress[SmsFieldCapacity] = {};
    quint8 firstOctet = 0;
    if (!readSmsc(reader, &smscLength, &smscType, smscAddress) || !reader.octet(&firstOctet))
        return false;
    if (smscLength > 0)
        decodeAddress(smscType, SmsFieldCapacity, smscAddress);

    bool done = false;
    switch (firstOctet & MtiMask) {
    case MtiDeliver:
    case MtiSubmit: {
        const bool submit = (firstOctet & MtiMask) == MtiSubmit;
        if (submit && !acceptSubmit)
            return false;
        deliver.smscLength = smscLength;
        deliver.smscType = smscType;
        std::memcpy(deliver.smscAddress, smscAddress, SmsFieldCapacity);
        deliver.firstOctet = firstOctet;
        deliver.pduLength = quint32(received.size());
        done = decodeMessage(reader, submit);
        if (done) {
            deliver.pduTextSize = quint32(received.size()) + 1;
            deliver.pduText = new char[deliver.pduTextSize];
            std::memcpy(deliver.pduText, received.constData(), deliver.pduTextSize);
            deliver.size = SmsDeliverPdu::FixedSize + deliver.pduTextSize + deliver.userDataSize;
            decodedKind = submit ? Submit : Deliver;
            fillPart();
        }
        break;
    }
    case MtiStatusReport:
        report.smscLength = smscLength;
        report.smscType = smscType;
        std::memcpy(report.smscAddress, smscAddress, SmsFieldCapacity);
        report.firstOctet = firstOctet;
        done = decodeStatusReport(reader);
        if (done)
            decodedKind = StatusReport;
        break;
    default: // reserved
        break;
    }
    if (!done)
        reset();
    return done;
}

bool SmsPduDecoder::decodeMessage(SmsPduReader& reader, bool submit)
{
    if (submit) {
        quint8 messageReference = 0;
        if (!reader.octet(&messageReference))
            return false;
    }
    if (!readAddress(reader, &deliver.originatorLength, &deliver.originatorType, deliver.originator))
        return false;
    if (!reader.octet(&deliver.protocolId) || !reader.octet(&deliver.dataCoding))
        return false;
    if (submit) {
        // TP-VPF: none, enhanced (7 octets), relative (1 octet) or absolute (7 octets).
        static const int validityOctets[4] = {0, 7, 1, 7};
        if (!reader.skip(validityOctets[(deliver.firstOctet >> 3) & 0x03]))
            return false;
    } else if (!reader.rawField(TimestampOctets, deliver.timestamp, SmsFieldCapacity)) {
        return false;
    }
    if (!reader.octet(&deliver.userDataLength))
        return false;

    const QByteArray userData = reader.rest();
    const int coveredOctets = userDataOctets(deliver.dataCoding, deliver.userDataLength);
    if (userData.size() < coveredOctets)
        return false; // the PDU ends before the user data that TP-UDL announces

    int headerOctets = 0;
    if (deliver.firstOctet & UserDataHeaderIndicator) {
        if (!parseConcatHeader(userData, coveredOctets))
            return false;
        headerOctets = deliver.headerLength + 1;
    }
    SmsUserData decodedData;
    if (!decodeUserData(headerOctets, deliver.dataCoding, deliver.userDataLength, userData,
                        &decodedData))
        return false;
    decodedText = decodedData.text;

    QByteArray bytes;
    if (isDcs7Bit(deliver.dataCoding)) {
        bytes = decodedText.toUtf8();
        bytes.append('\0');
    } else if (isDcsUcs2(deliver.dataCoding)) {
        for (const QChar c : decodedText) {
            bytes.append(char(c.unicode() & 0xFF));
            bytes.append(char(c.unicode() >> 8));
        }
        bytes.append(2, '\0');
    } else if (isDcs8Bit(deliver.dataCoding)) {
        bytes = decodedData.payload;
        bytes.append('\0');
    } else {
        bytes = decodedData.payload.toHex().toUpper();
        bytes.append('\0');
    }
    deliver.userDataSize = quint32(bytes.size());
    deliver.userData = new char[deliver.userDataSize];
    std::memcpy(deliver.userData, bytes.constData(), deliver.userDataSize);

    decodeAddress(deliver.originatorType, SmsFieldCapacity, deliver.originator,
                  deliver.originatorLength);
    convertTimestamp(deliver.timestamp);
    return true;
}

// Walks the user-data header element by element. Only the concatenation elements count (the
// last one, should there be several); one whose numbers make no sense is ignored, as a
// receiver must. False for a header that runs past the user data or an element that runs
// past the header.
bool SmsPduDecoder::parseConcatHeader(const QByteArray& userData, int userDataOctets)
{
    if (userData.isEmpty() || userDataOctets < 1)
        return false;
    const int headerLength = quint8(userData.at(0));
    if (headerLength + 1 > userDataOctets)
        return false;
    deliver.headerLength = quint8(headerLength);
    auto at = [&userData](int i) { return quint8(userData.at(i)); };

    int position = 1;
    while (position < headerLength + 1) {
        if (position + 2 > headerLength + 1)
            return false;
        const quint8 id = at(position);
        const quint8 length = at(position + 1);
        const int data = position + 2;
        if (data + length > headerLength + 1)
            return false;
        if (position == 1) {
            deliver.elementId = id;
            deliver.elementLength = length;
        }
        const bool eightBit = id == ConcatenationElement8Bit && length == 3;
        const bool sixteenBit = id == ConcatenationElement16Bit && length == 4;
        if (eightBit || sixteenBit) {
            const quint16 reference = eightBit ? at(data) : quint16((at(data) << 8) | at(data + 1));
            const quint8 count = at(data + length - 2);
            const quint8 number = at(data + length - 1);
            if (count > 0 && number > 0 && number <= count) {
                deliver.elementId = id;
                deliver.elementLength = length;
                deliver.reference = reference;
                deliver.partCount = count;
                deliver.partNumber = number;
            }
        }
        position = data + length;
    }
    return true;
}

bool SmsPduDecoder::decodeStatusReport(SmsPduReader& reader)
{
    if (!reader.octet(&report.messageReference))
        return false;
    if (!readAddress(reader, &report.recipientLength, &report.recipientType, report.recipient))
        return false;
    if (!reader.rawField(TimestampOctets, report.timestamp, SmsFieldCapacity)
        || !reader.rawField(TimestampOctets, report.dischargeTime, SmsFieldCapacity)
        || !reader.octet(&report.status))
        return false;
    // Optional parameters may follow (TP-PI and what it announces); nothing here reads them.
    decodeAddress(report.recipientType, SmsFieldCapacity, report.recipient, report.recipientLength);
    convertTimestamp(report.timestamp);
    convertTimestamp(report.dischargeTime);
    return true;
}

void SmsPduDecoder::fillPart()
{
    concatenated = 0;
    part.clear();
    if (deliver.partCount == 0)
        return;
    concatenated = 1;
    part.sender = QString::fromUtf8(deliver.originator);
    part.time = QDateTime::fromString(QString::fromLatin1(deliver.timestamp),
                                      QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    part.reference = deliver.reference;
    part.partCount = deliver.partCount;
    part.partNumber = deliver.partNumber;
    part.text = decodedText;
}

bool SmsPduDecoder::getDeliverPdu(SmsDeliverPdu* out) const
{
    if (!out || (decodedKind != Deliver && decodedKind != Submit))
        return false;
    out->copyFrom(deliver);
    return true;
}

bool SmsPduDecoder::getStatusReportPdu(SmsStatusReportPdu* out) const
{
    if (!out || decodedKind != StatusReport)
        return false;
    out->copyFrom(report);
    return true;
}
