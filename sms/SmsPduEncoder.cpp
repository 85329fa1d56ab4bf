#include "sms/SmsPduEncoder.h"

#include "sms/GsmAlphabet.h"
#include "sms/SmsPduText.h"

#include <QString>
#include <QVector>

#include <cstring>

namespace {

constexpr quint8 FirstOctetSingle = 0x31;    // SMS-SUBMIT, relative validity, report requested
constexpr quint8 FirstOctetMultipart = 0x71; // the same with a user-data header
constexpr quint8 ValidityPeriod = 0xA7;      // relative: 24 hours
constexpr quint8 DataCoding7Bit = 0x00;
constexpr quint8 DataCodingUcs2 = 0x08;
constexpr quint8 HeaderLength = 6;
constexpr quint8 ConcatenationElement = 0x08; // 16-bit reference
constexpr quint8 ConcatenationElementLength = 4;
constexpr int HeaderSeptets = 8;  // 7 octets of header
constexpr int HeaderOctets = 7;
constexpr char CtrlZ = 0x1A;

SmsReferenceCounter& sevenBitReferences()
{
    static SmsReferenceCounter counter;
    return counter;
}

SmsReferenceCounter& ucs2References()
{
    static SmsReferenceCounter counter;
    return counter;
}

void appendOctet(QByteArray* text, int value)
{
    static const char digits[] = "0123456789ABCDEF";
    text->append(digits[(value >> 4) & 0x0F]);
    text->append(digits[value & 0x0F]);
}

// Every part of a concatenated message carries one element: 16-bit reference, count, number.
void setConcatenation(SmsSubmitPdu* shape, quint16 reference, int partCount)
{
    shape->headerLength = HeaderLength;
    shape->elementId = ConcatenationElement;
    shape->elementLength = ConcatenationElementLength;
    shape->reference = reference;
    shape->partCount = quint8(partCount);
}

QByteArray concatenationHeader(const SmsSubmitPdu& record)
{
    QByteArray header;
    appendOctet(&header, record.headerLength);
    appendOctet(&header, record.elementId);
    appendOctet(&header, record.elementLength);
    appendOctet(&header, record.reference >> 8);
    appendOctet(&header, record.reference & 0xFF);
    appendOctet(&header, record.partCount);
    appendOctet(&header, record.partNumber);
    return header;
}

QByteArray unitsToHex(const QVector<ushort>& units, int from, int count)
{
    QByteArray hex;
    hex.reserve(4 * count);
    for (int i = from; i < from + count; ++i) {
        appendOctet(&hex, units.at(i) >> 8);
        appendOctet(&hex, units.at(i) & 0xFF);
    }
    return hex;
}

QVector<ushort> unitsOf(const ushort* text)
{
    QVector<ushort> units;
    for (const ushort* p = text; *p; ++p)
        units.append(*p);
    return units;
}

// The PDU text of a record whose fields are set, with `userDataHex` (header included) as its
// user data, and the TPDU length that "AT+CMGS=" announces: the octets less the SMSC
// information, without the closing Ctrl-Z.
void buildPduText(SmsSubmitPdu* record, const QByteArray& userDataHex)
{
    QByteArray text;
    appendOctet(&text, record->smscLength);
    appendOctet(&text, record->smscType);
    text.append(record->smscAddress);
    appendOctet(&text, record->firstOctet);
    appendOctet(&text, record->messageReference);
    appendOctet(&text, record->destinationLength);
    appendOctet(&text, record->destinationType);
    text.append(record->destination);
    appendOctet(&text, record->protocolId);
    appendOctet(&text, record->dataCoding);
    appendOctet(&text, record->validityPeriod);
    appendOctet(&text, record->userDataLength);
    text.append(userDataHex);
    text.append(CtrlZ);
    setPduBuffer(text.constData(), &record->pduText, &record->pduTextSize, record);
    record->tpduLength = quint32((text.size() - 1) / 2 - record->smscLength - 1);
}

// Splits `length` units into pieces of at most `firstCapacity` and then `capacity` units;
// `mayEndAt(end)` says whether a piece may end before unit `end`.
template<typename MayEnd>
QVector<QPair<int, int>> splitPieces(int length, int firstCapacity, int capacity, MayEnd mayEndAt)
{
    QVector<QPair<int, int>> pieces;
    int position = 0;
    while (position < length) {
        int end = qMin(length, position + (pieces.isEmpty() ? firstCapacity : capacity));
        if (end < length && !mayEndAt(end))
            --end;
        if (end <= position || pieces.size() == SmsPduEncoder::MaximumParts)
            return {};
        pieces.append(qMakePair(position, end - position));
        position = end;
    }
    return pieces;
}

} // namespace

bool packSeptetSegment(const QByteArray& piece, int maximum, QByteArray* out,
                       const QByteArray& header, const QByteArray& prefix)
{
    if (!out || !out->isEmpty() || maximum < 0 || header.size() % (2 * HeaderOctets) != 0)
        return false;
    *out = header + packSeptets(prefix + piece.left(maximum));
    return true;
}

void SmsPduEncoder::reset()
{
    singleReady = 0;
    single.copyFrom(SmsSubmitPdu());
}

void SmsPduEncoder::resetMultipart()
{
    multipartReady = 0;
    multipart.release();
}

bool SmsPduEncoder::setSMSCAddress(SmsSubmitPdu* record) const
{
    if (!smsc[0])
        return false;
    record->smscType = smsc[0] == '+' ? SmsAddressScratch::InternationalType
                                      : SmsAddressScratch::UnknownType;
    if (!numberToSemiOctets(smsc, SmsFieldCapacity, record->smscAddress))
        return false;
    record->smscLength = quint8(std::strlen(record->smscAddress) / 2 + 1);
    return true;
}

bool SmsPduEncoder::setDestinationAddress(const char* destination, SmsSubmitPdu* record) const
{
    if (!destination || !destination[0])
        return false;
    const bool international = destination[0] == '+';
    record->destinationType = international ? SmsAddressScratch::InternationalType
                                            : SmsAddressScratch::UnknownType;
    if (!numberToSemiOctets(destination, SmsFieldCapacity, record->destination))
        return false;
    record->destinationLength = quint8(std::strlen(destination) - (international ? 1 : 0));
    return true;
}

bool SmsPduEncoder::prepare(SmsSubmitPdu* record, const char* smscText, const char* destination,
                            quint8 firstOctet, quint8 dataCoding)
{
    smsc[0] = '\0';
    if (!smscText || std::strlen(smscText) >= sizeof smsc)
        return false;
    std::strcpy(smsc, smscText);
    if (!setSMSCAddress(record) || !setDestinationAddress(destination, record))
        return false;
    record->firstOctet = firstOctet;
    record->messageReference = 0;
    record->protocolId = 0;
    record->dataCoding = dataCoding;
    record->validityPeriod = ValidityPeriod;
    return true;
}

bool SmsPduEncoder::encode7Bit(const char* smscText, const char* destination, const char* text)
{
    reset();
    QByteArray septets;
    if (!text || !GsmAlphabet::toSeptets(QString::fromUtf8(text), &septets)
        || septets.size() > SingleSeptets)
        return false;
    if (!prepare(&single, smscText, destination, FirstOctetSingle, DataCoding7Bit)) {
        reset();
        return false;
    }
    single.userDataLength = quint8(septets.size());
    const QByteArray userData = packSeptets(septets);
    setPduBuffer(userData.constData(), &single.userData, &single.userDataSize, &single);
    buildPduText(&single, userData);
    singleReady = 1;
    return true;
}

bool SmsPduEncoder::encodeUcs2(const char* smscText, const char* destination, const ushort* text)
{
    reset();
    if (!text)
        return false;
    const QVector<ushort> units = unitsOf(text);
    if (units.size() > SingleUcs2Units
        || !prepare(&single, smscText, destination, FirstOctetSingle, DataCodingUcs2)) {
        reset();
        return false;
    }
    single.userDataLength = quint8(2 * units.size());
    const QByteArray userData = unitsToHex(units, 0, units.size());
    setPduBuffer(userData.constData(), &single.userData, &single.userDataSize, &single);
    buildPduText(&single, userData);
    singleReady = 1;
    return true;
}

bool SmsPduEncoder::encodeMulti7Bit(const char* smscText, const char* destination,
                                    const char* text, const char* continuationPrefix)
{
    resetMultipart();
    QByteArray septets;
    QByteArray prefix;
    if (!text || !destination || !GsmAlphabet::toSeptets(QString::fromUtf8(text), &septets))
        return false;
    if (continuationPrefix
        && !GsmAlphabet::toSeptets(QString::fromUtf8(continuationPrefix), &prefix))
        return false;
    // A part after the first must hold at least one character of two septets.
    if (septets.size() <= PartSeptets || prefix.size() > PartSeptets - 2)
        return false;
    const auto pieces = splitPieces(septets.size(), PartSeptets, PartSeptets - prefix.size(),
                                    [&septets](int end) { return septets.at(end - 1) != GsmAlphabet::Escape; });
    SmsSubmitPdu shape;
    if (pieces.isEmpty()
        || !prepare(&shape, smscText, destination, FirstOctetMultipart, DataCoding7Bit))
        return false;
    setConcatenation(&shape, sevenBitReferences().next(), pieces.size());

    QVector<SmsSubmitPdu*> parts;
    for (int i = 0; i < pieces.size(); ++i) {
        SmsSubmitPdu* part = cloneSubmitPdu(shape);
        parts.append(part);
        part->partNumber = quint8(i + 1);
        const QByteArray partPrefix = i == 0 ? QByteArray() : prefix;
        const QByteArray piece = septets.mid(pieces.at(i).first, pieces.at(i).second);
        part->userDataLength = quint8(HeaderSeptets + partPrefix.size() + piece.size());
        QByteArray userData; // a fresh buffer for every part
        if (!packSeptetSegment(piece, piece.size(), &userData, concatenationHeader(*part),
                               partPrefix)) {
            qDeleteAll(parts);
            return false;
        }
        setPduBuffer(userData.constData(), &part->userData, &part->userDataSize, part);
        buildPduText(part, userData);
    }
    publishParts(&parts);
    return true;
}

bool SmsPduEncoder::encodeMultiUcs2(const char* smscText, const char* destination,
                                    const ushort* text)
{
    resetMultipart();
    if (!text || !destination)
        return false;
    const QVector<ushort> units = unitsOf(text);
    if (units.size() <= PartUcs2Units)
        return false;
    const auto pieces = splitPieces(units.size(), PartUcs2Units, PartUcs2Units,
                                    [&units](int end) { return !QChar::isHighSurrogate(units.at(end - 1)); });
    SmsSubmitPdu shape;
    if (pieces.isEmpty()
        || !prepare(&shape, smscText, destination, FirstOctetMultipart, DataCodingUcs2))
        return false;
    setConcatenation(&shape, ucs2References().next(), pieces.size());

    QVector<SmsSubmitPdu*> parts;
    for (int i = 0; i < pieces.size(); ++i) {
        SmsSubmitPdu* part = cloneSubmitPdu(shape);
        parts.append(part);
        part->partNumber = quint8(i + 1);
        part->userDataLength = quint8(HeaderOctets + 2 * pieces.at(i).second);
        // The user data of a UCS2 part is its text alone; the header goes into the PDU only.
        const QByteArray userData = unitsToHex(units, pieces.at(i).first, pieces.at(i).second);
        setPduBuffer(userData.constData(), &part->userData, &part->userDataSize, part);
        buildPduText(part, concatenationHeader(*part) + userData);
    }
    publishParts(&parts);
    return true;
}

void SmsPduEncoder::publishParts(QVector<SmsSubmitPdu*>* parts)
{
    multipart.partCount = qint32(parts->size());
    multipart.parts = new SmsSubmitPdu*[size_t(parts->size())];
    multipart.size = SmsMultipartPdu::FixedSize;
    for (int i = 0; i < parts->size(); ++i) {
        multipart.parts[i] = parts->at(i);
        multipart.size += parts->at(i)->size;
    }
    parts->clear();
    multipartReady = 1;
}

bool SmsPduEncoder::getSubmitPdu(SmsSubmitPdu* out) const
{
    if (!out || !singleReady)
        return false;
    out->copyFrom(single);
    setPduBuffer(nullptr, &out->userData, &out->userDataSize, out);
    return true;
}

bool SmsPduEncoder::getMultipartPdu(SmsMultipartPdu* out) const
{
    if (!out || !multipartReady)
        return false;
    out->release();
    out->tag = multipart.tag;
    out->parts = new SmsSubmitPdu*[size_t(multipart.partCount)];
    out->partCount = multipart.partCount;
    for (qint32 i = 0; i < multipart.partCount; ++i) {
        SmsSubmitPdu* part = cloneSubmitPdu(*multipart.parts[i]);
        setPduBuffer(nullptr, &part->userData, &part->userDataSize, part);
        out->parts[i] = part;
        out->size += part->size;
    }
    return true;
}
