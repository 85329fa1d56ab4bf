#include "sms/SmsPduDecoder.h"

#include "sms/SmsPduText.h"

#include <QVarLengthArray>

#include <cstring>

// Reads a PDU octet by octet; every read checks that the octets are there.
class SmsPduReader {
public:
    SmsPduReader(const quint8* octets, int size)
        : octets(octets)
        , size(size)
    {
    }

    bool octet(quint8* out)
    {
        if (position >= size)
            return false;
        *out = octets[position++];
        return true;
    }

    // `count` octets as their raw upper-case hexadecimal text, into a field of `capacity`.
    bool rawField(int count, char* field, int capacity)
    {
        static const char digits[] = "0123456789ABCDEF";
        if (count < 0 || 2 * count >= capacity || position + count > size)
            return false;
        for (int i = 0; i < count; ++i) {
            field[2 * i] = digits[octets[position + i] >> 4];
            field[2 * i + 1] = digits[octets[position + i] & 0x0F];
        }
        field[2 * count] = '\0';
        position += count;
        return true;
    }

    bool skip(int count)
    {
        if (position + count > size)
            return false;
        position += count;
        return true;
    }

    const quint8* here() const { return octets + position; }
    int left() const { return size - position; }

private:
    const quint8* octets;
    int size;
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
constexpr int LongestUsualPdu = 256; // octets; longer texts take a heap buffer

constexpr quint8 ConcatenationElement8Bit = 0x00;
constexpr quint8 ConcatenationElement16Bit = 0x08;

// An address field: length octet, type octet, semi-octets. `octets` is where the semi-octets
// are, for the conversion after the field is read.
bool readAddress(SmsPduReader& reader, quint8* length, quint8* type, char* field, const quint8** octets)
{
    if (!reader.octet(length) || !reader.octet(type) || *length > MaximumAddressSemiOctets)
        return false;
    *octets = reader.here();
    return reader.rawField((*length + 1) / 2, field, SmsFieldCapacity);
}

bool readSmsc(SmsPduReader& reader, quint8* length, quint8* type, char* field, const quint8** octets)
{
    if (!reader.octet(length) || *length > MaximumSmscOctets)
        return false;
    if (*length == 0) // no SMSC information: the unit's default centre
        return true;
    if (!reader.octet(type))
        return false;
    *octets = reader.here();
    return reader.rawField(*length - 1, field, SmsFieldCapacity);
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

bool isSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
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
    // White space around the text is no part of it.
    const char* begin = pduHex;
    while (isSpace(*begin))
        ++begin;
    const char* end = begin + std::strlen(begin);
    while (end > begin && isSpace(end[-1]))
        --end;
    const int length = int(end - begin);
    if (length == 0 || length % 2 != 0)
        return false;
    QVarLengthArray<quint8, LongestUsualPdu + 1> octets(length / 2 + 1); // and the closing zero byte
    if (!hexToBytes(begin, length, octets.size(), octets.data()))
        return false;
    SmsPduReader reader(octets.constData(), length / 2);

    quint8 smscLength = 0;
    quint8 smscType = 0;
    char smscAddress[SmsFieldCapacity] = {};
    const quint8* smscOctets = nullptr;
    quint8 firstOctet = 0;
    if (!readSmsc(reader, &smscLength, &smscType, smscAddress, &smscOctets) || !reader.octet(&firstOctet))
        return false;
    if (smscLength > 0)
        decodeAddressOctets(smscType, smscOctets, smscLength - 1, -1, SmsFieldCapacity, smscAddress);

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
        deliver.pduLength = quint32(length);
        done = decodeMessage(reader, submit);
        if (done) {
            deliver.pduTextSize = quint32(length) + 1;
            deliver.pduText = new char[deliver.pduTextSize];
            std::memcpy(deliver.pduText, begin, size_t(length));
            deliver.pduText[length] = '\0';
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
    const quint8* originatorOctets = nullptr;
    if (!readAddress(reader, &deliver.originatorLength, &deliver.originatorType, deliver.originator,
                     &originatorOctets))
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

    const quint8* userData = reader.here();
    const int userDataSize = reader.left();
    const int coveredOctets = userDataOctets(deliver.dataCoding, deliver.userDataLength);
    if (userDataSize < coveredOctets)
        return false; // the PDU ends before the user data that TP-UDL announces

    int headerOctets = 0;
    if (deliver.firstOctet & UserDataHeaderIndicator) {
        if (!parseConcatHeader(userData, userDataSize, coveredOctets))
            return false;
        headerOctets = deliver.headerLength + 1;
    }
    if (!decodeUserData(headerOctets, userData, userDataSize, &deliver, &decodedText))
        return false;

    decodeAddressOctets(deliver.originatorType, originatorOctets, (deliver.originatorLength + 1) / 2,
                        deliver.originatorLength, SmsFieldCapacity, deliver.originator);
    convertTimestamp(deliver.timestamp);
    return true;
}

// Walks the user-data header element by element. Only the concatenation elements count (the
// last one, should there be several); one whose numbers make no sense is ignored, as a
// receiver must. False for a header that runs past the user data or an element that runs
// past the header.
bool SmsPduDecoder::parseConcatHeader(const quint8* userData, int size, int userDataOctets)
{
    if (size < 1 || userDataOctets < 1)
        return false;
    const int headerLength = userData[0];
    if (headerLength + 1 > userDataOctets)
        return false;
    deliver.headerLength = quint8(headerLength);

    int position = 1;
    while (position < headerLength + 1) {
        if (position + 2 > headerLength + 1)
            return false;
        const quint8 id = userData[position];
        const quint8 length = userData[position + 1];
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
            const quint16 reference = eightBit ? userData[data] : quint16((userData[data] << 8) | userData[data + 1]);
            const quint8 count = userData[data + length - 2];
            const quint8 number = userData[data + length - 1];
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
    const quint8* recipientOctets = nullptr;
    if (!readAddress(reader, &report.recipientLength, &report.recipientType, report.recipient, &recipientOctets))
        return false;
    if (!reader.rawField(TimestampOctets, report.timestamp, SmsFieldCapacity)
        || !reader.rawField(TimestampOctets, report.dischargeTime, SmsFieldCapacity)
        || !reader.octet(&report.status))
        return false;
    // Optional parameters may follow (TP-PI and what it announces); nothing here reads them.
    decodeAddressOctets(report.recipientType, recipientOctets, (report.recipientLength + 1) / 2,
                        report.recipientLength, SmsFieldCapacity, report.recipient);
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
    part.time = dateStringToDateTime(deliver.timestamp);
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
