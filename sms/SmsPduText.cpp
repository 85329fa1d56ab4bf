#include "sms/SmsPduText.h"

#include "sms/GsmAlphabet.h"
#include "sms/SmsPduRecords.h"

#include <cstdio>
#include <cstring>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

enum class DcsClass { None, SevenBit, EightBit, Ucs2 };

DcsClass dcsClass(quint8 dcs)
{
    if (dcs < 0x80) { // general data coding and automatic deletion groups
        if (dcs & 0x20)
            return DcsClass::None; // compressed
        switch ((dcs >> 2) & 0x03) {
        case 0:
            return DcsClass::SevenBit;
        case 1:
            return DcsClass::EightBit;
        case 2:
            return DcsClass::Ucs2;
        default:
            return DcsClass::None;
        }
    }
    if (dcs < 0xC0)
        return DcsClass::None; // reserved coding groups
    if (dcs < 0xE0)
        return DcsClass::SevenBit; // message waiting, discard and store
    if (dcs < 0xF0)
        return DcsClass::Ucs2; // message waiting, store, UCS2
    return (dcs & 0x04) ? DcsClass::EightBit : DcsClass::SevenBit;
}

const char semiOctetDigits[] = "0123456789*#abc";

int semiOctetOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c == '*')
        return 0x0A;
    if (c == '#')
        return 0x0B;
    return -1;
}

} // namespace

bool isValidPduText(const char* text)
{
    if (!text || !*text)
        return false;
    const size_t length = std::strlen(text);
    if (length % 2 != 0)
        return false;
    for (size_t i = 0; i < length; ++i) {
        if (hexDigit(text[i]) < 0)
            return false;
    }
    return true;
}

bool hexPairToByte(const char* text, quint8* out)
{
    if (!text || !out || !text[0] || !text[1])
        return false;
    const int high = hexDigit(text[0]);
    const int low = hexDigit(text[1]);
    if (high < 0 || low < 0)
        return false;
    *out = quint8((high << 4) | low);
    return true;
}

bool hexToBytes(const char* hex, int hexLength, int destinationSize, quint8* destination)
{
    if (!hex || !destination || hexLength < 0 || hexLength % 2 != 0)
        return false;
    if (2 * qint64(destinationSize) <= hexLength)
        return false;
    for (int i = 0; i < hexLength / 2; ++i) {
        if (!hexPairToByte(hex + 2 * i, destination + i))
            return false;
    }
    destination[hexLength / 2] = 0;
    return true;
}

bool isDcs7Bit(quint8 dataCoding)
{
    return dcsClass(dataCoding) == DcsClass::SevenBit;
}

bool isDcs8Bit(quint8 dataCoding)
{
    return dcsClass(dataCoding) == DcsClass::EightBit;
}

bool isDcsUcs2(quint8 dataCoding)
{
    return dcsClass(dataCoding) == DcsClass::Ucs2;
}

bool unpackSeptets(const QByteArray& octets, int septetCount, QByteArray* septets)
{
    if (septetCount < 0 || (qint64(septetCount) * 7 + 7) / 8 > octets.size())
        return false;
    QByteArray out(septetCount, '\0');
    for (int i = 0; i < septetCount; ++i) {
        const int bit = 7 * i;
        const int index = bit / 8;
        const int shift = bit % 8;
        int value = quint8(octets.at(index)) >> shift;
        if (shift > 1) // the septet runs into the next octet, which the count above assures
            value |= quint8(octets.at(index + 1)) << (8 - shift);
        out[i] = char(value & 0x7F);
    }
    *septets = out;
    return true;
}

QByteArray packSeptets(const QByteArray& septets)
{
    QByteArray padded = septets;
    if (padded.size() % 8 == 7)
        padded.append('\r');
    QByteArray octets((padded.size() * 7 + 7) / 8, '\0');
    for (int i = 0; i < padded.size(); ++i) {
        const int value = padded.at(i) & 0x7F;
        const int bit = 7 * i;
        const int index = bit / 8;
        const int shift = bit % 8;
        octets[index] = char(quint8(octets.at(index)) | quint8(value << shift));
        if (shift > 1)
            octets[index + 1] = char(quint8(octets.at(index + 1)) | quint8(value >> (8 - shift)));
    }
    return octets.toHex().toUpper();
}

QString ucs2HexDecode(const QByteArray& hex)
{
    QString text;
    text.reserve(hex.size() / 4);
    for (int i = 0; i + 4 <= hex.size(); i += 4) {
        quint8 high = 0;
        quint8 low = 0;
        if (!hexPairToByte(hex.constData() + i, &high) || !hexPairToByte(hex.constData() + i + 2, &low))
            break;
        text.append(QChar(ushort((high << 8) | low)));
    }
    return text;
}

bool sctsToDateString(const char* raw, char* out, int outSize)
{
    if (!raw || !out || outSize < 24 || std::strlen(raw) != 14)
        return false;
    for (int i = 0; i < 12; ++i) {
        if (raw[i] < '0' || raw[i] > '9')
            return false;
    }
    std::snprintf(out, size_t(outSize), "20%c%c-%c%c-%c%c %c%c:%c%c:%c%c.000", raw[1], raw[0], raw[3],
                  raw[2], raw[5], raw[4], raw[7], raw[6], raw[9], raw[8], raw[11], raw[10]);
    return true;
}

bool decodeAddress(quint8 type, int capacity, char* address, int usefulSemiOctets)
{
    if (!address || capacity <= 0)
        return false;
    const int rawLength = int(strnlen(address, size_t(capacity)));
    if (rawLength < 2 || rawLength >= capacity || rawLength % 2 != 0)
        return false;
    QByteArray octets(rawLength / 2 + 1, '\0'); // hexToBytes closes with a zero byte
    if (!hexToBytes(address, rawLength, octets.size(), reinterpret_cast<quint8*>(octets.data())))
        return false;
    octets.chop(1);

    const int typeOfNumber = (type >> 4) & 0x07;
    QByteArray result;
    if (typeOfNumber == SmsAddressScratch::AlphanumericTon) {
        const int semiOctets = usefulSemiOctets >= 0 ? usefulSemiOctets : rawLength;
        QByteArray septets;
        if (!unpackSeptets(octets, semiOctets * 4 / 7, &septets))
            return false;
        // A name that ends on an octet boundary may carry the CR pad as an eighth septet.
        if (!septets.isEmpty() && septets.size() % 8 == 0 && septets.endsWith('\r'))
            septets.chop(1);
        result = GsmAlphabet::fromSeptets(septets).toUtf8();
    } else {
        if (typeOfNumber == SmsAddressScratch::InternationalTon)
            result.append('+');
        const int digits = usefulSemiOctets >= 0 ? usefulSemiOctets : rawLength;
        if (digits > rawLength)
            return false;
        for (int i = 0; i < digits; ++i) {
            const quint8 octet = quint8(octets.at(i / 2));
            const int semiOctet = (i % 2 == 0) ? (octet & 0x0F) : (octet >> 4);
            if (semiOctet == 0x0F) {
                // The filler may only close an odd count; with no length given it ends the number.
                if (usefulSemiOctets >= 0 || i != rawLength - 1)
                    return false;
                break;
            }
            result.append(semiOctetDigits[semiOctet]);
        }
    }
    if (result.size() >= capacity)
        return false;
    std::memcpy(address, result.constData(), size_t(result.size()));
    address[result.size()] = '\0';
    return true;
}

bool numberToSemiOctets(const char* number, int capacity, char* out)
{
    if (!number || !out)
        return false;
    const int length = int(std::strlen(number));
    if (length < 2)
        return false;
    const char* digits = number[0] == '+' ? number + 1 : number;
    const int count = int(std::strlen(digits));
    if (count < 1 || count > SmsAddressScratch::MaximumDigits || count + 2 > capacity)
        return false;
    QByteArray semiOctets;
    for (int i = 0; i < count; ++i) {
        const int value = semiOctetOf(digits[i]);
        if (value < 0)
            return false;
        semiOctets.append("0123456789AB"[value]);
    }
    if (count % 2 != 0)
        semiOctets.append('F');
    for (int i = 0; i < semiOctets.size(); i += 2) {
        const char first = semiOctets.at(i);
        semiOctets[i] = semiOctets.at(i + 1);
        semiOctets[i + 1] = first;
    }
    std::memcpy(out, semiOctets.constData(), size_t(semiOctets.size()));
    out[semiOctets.size()] = '\0';
    return true;
}

bool decodeUserData(int headerOctets, quint8 dataCoding, int userDataLength,
                    const QByteArray& userData, SmsUserData* out)
{
    if (!out || headerOctets < 0 || userDataLength < 0)
        return false;
    *out = SmsUserData();
    if (isDcs7Bit(dataCoding)) {
        if (userDataLength > 160)
            return false;
        QByteArray septets;
        if (!unpackSeptets(userData, userDataLength, &septets))
            return false;
        // The header and the fill bits behind it take whole septets.
        const int skipped = (headerOctets * 8 + 6) / 7;
        if (skipped > userDataLength)
            return false;
        out->payload = septets.mid(skipped);
        out->text = GsmAlphabet::fromSeptets(out->payload);
        return true;
    }
    if (userDataLength > 140 || userData.size() < userDataLength || headerOctets > userDataLength)
        return false;
    out->payload = userData.mid(headerOctets, userDataLength - headerOctets);
    if (isDcsUcs2(dataCoding))
        out->text = ucs2HexDecode(out->payload.toHex());
    else if (isDcs8Bit(dataCoding))
        // Data octets are text of their own: a 00 octet is kept, not taken as the end.
        out->text = QString::fromLatin1(out->payload.constData(), out->payload.size());
    return true;
}
