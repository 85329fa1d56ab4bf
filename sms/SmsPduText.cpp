#include "sms/SmsPduText.h"

#include "sms/GsmAlphabet.h"

#include <QVarLengthArray>

#include <cstring>

namespace {

// The value of each character as a hexadecimal digit, and as the high digit of a pair; a
// character that is no digit has the bit NotADigit set in both.
constexpr int NotADigit = 0x100;

struct HexTable {
    qint16 low[256] = {};
    qint16 high[256] = {};
    constexpr HexTable()
    {
        for (int c = 0; c < 256; ++c) {
            int value = NotADigit;
            if (c >= '0' && c <= '9')
                value = c - '0';
            else if (c >= 'A' && c <= 'F')
                value = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                value = c - 'a' + 10;
            low[c] = qint16(value);
            high[c] = qint16(value == NotADigit ? value : value << 4);
        }
    }
};

constexpr HexTable hexTable;
constexpr char upperHexDigits[] = "0123456789ABCDEF";

int hexDigit(char c)
{
    const int value = hexTable.low[quint8(c)];
    return value == NotADigit ? -1 : value;
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
            return DcsClass::SevenBit; // the reserved alphabet value
        }
    }
    if (dcs < 0xC0)
        return DcsClass::SevenBit; // reserved coding groups
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

// Characters of the Basic Multilingual Plane that are no surrogates, in UTF-8.
int bmpToUtf8(const QChar* text, int count, char* out)
{
    int size = 0;
    for (int i = 0; i < count; ++i) {
        const ushort c = text[i].unicode();
        if (c < 0x80) {
            out[size++] = char(c);
        } else if (c < 0x800) {
            out[size++] = char(0xC0 | (c >> 6));
            out[size++] = char(0x80 | (c & 0x3F));
        } else {
            out[size++] = char(0xE0 | (c >> 12));
            out[size++] = char(0x80 | ((c >> 6) & 0x3F));
            out[size++] = char(0x80 | (c & 0x3F));
        }
    }
    return size;
}

void writeHex(const quint8* data, int size, char* out)
{
    for (int i = 0; i < size; ++i) {
        out[2 * i] = upperHexDigits[data[i] >> 4];
        out[2 * i + 1] = upperHexDigits[data[i] & 0x0F];
    }
}

QString hexText(const quint8* data, int size)
{
    QVarLengthArray<char, 512> hex(2 * size);
    writeHex(data, size, hex.data());
    return QString::fromLatin1(hex.constData(), hex.size());
}

// A control character that 8-bit data may not hold and still be taken for text.
bool isStrayControl(uint c)
{
    if (c < 0x20)
        return c != '\t' && c != '\n' && c != '\r';
    return c >= 0x7F && c <= 0x9F;
}

// A buffer of the record's own, `size` bytes copied from `from`.
void setRecordData(SmsDeliverPdu* record, const char* from, int size)
{
    record->userData = new char[size_t(size)];
    std::memcpy(record->userData, from, size_t(size));
    record->userDataSize = quint32(size);
}

int daysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month == 2 && leap ? 29 : days[month - 1];
}

// The value of `count` decimal digits at `text`, or -1 when one of them is no digit.
int digitsValue(const char* text, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = 10 * value + (text[i] - '0');
    }
    return value;
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
    // Any pair that fails leaves its mark in `failed`, looked at once at the end.
    int failed = 0;
    for (int i = 0; i < hexLength / 2; ++i) {
        const int octet = hexTable.high[quint8(hex[2 * i])] | hexTable.low[quint8(hex[2 * i + 1])];
        failed |= octet;
        destination[i] = quint8(octet);
    }
    destination[hexLength / 2] = 0;
    return (failed & NotADigit) == 0;
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

bool unpackSeptets(const quint8* octets, int octetCount, int septetCount, char* septets)
{
    if (septetCount < 0 || (qint64(septetCount) * 7 + 7) / 8 > octetCount)
        return false;
    // Whole groups of eight septets in seven octets at a time, then the rest one by one.
    int i = 0;
    for (const quint8* group = octets; i + 8 <= septetCount; i += 8, group += 7) {
        quint64 bits = 0;
        for (int k = 6; k >= 0; --k)
            bits = (bits << 8) | group[k];
        for (int k = 0; k < 8; ++k)
            septets[i + k] = char((bits >> (7 * k)) & 0x7F);
    }
    for (; i < septetCount; ++i) {
        const int bit = 7 * i;
        const int index = bit / 8;
        const int shift = bit % 8;
        int value = octets[index] >> shift;
        if (shift > 1) // the septet runs into the next octet, which the count above assures
            value |= octets[index + 1] << (8 - shift);
        septets[i] = char(value & 0x7F);
    }
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
    // Each semi-octet pair comes low digit first.
    static const char shape[] = "20YY-MM-DD hh:mm:ss.000";
    std::memcpy(out, shape, sizeof shape);
    for (int field = 0; field < 6; ++field) {
        out[2 + 3 * field] = raw[2 * field + 1];
        out[3 + 3 * field] = raw[2 * field];
    }
    return true;
}

QDateTime dateStringToDateTime(const char* text)
{
    static const QString format = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
    const auto parsed = [text] { return QDateTime::fromString(QString::fromLatin1(text), format); };
    if (!text || std::strlen(text) != 23 || text[4] != '-' || text[7] != '-' || text[10] != ' '
        || text[13] != ':' || text[16] != ':' || text[19] != '.')
        return parsed();
    const int year = digitsValue(text, 4);
    const int month = digitsValue(text + 5, 2);
    const int day = digitsValue(text + 8, 2);
    const int hour = digitsValue(text + 11, 2);
    const int minute = digitsValue(text + 14, 2);
    const int second = digitsValue(text + 17, 2);
    const int millisecond = digitsValue(text + 20, 3);
    // Only the century of the time stamps, on the calendar and the clock, is read here; the
    // parser has the last word on anything else.
    if (year < 2000 || year > 2099 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)
        || hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0)
        return parsed();
    const QDate date(year, month, day);
    const QTime time(hour, minute, second, millisecond);
    const QDateTime local(date, time, Qt::LocalTime);
    // A time that the clocks skip exists nowhere; the parser's answer for it is a null date-time,
    // where this constructor gives an invalid one that is not null.
    if (!local.isValid() || local.date() != date || local.time() != time)
        return parsed();
    return local;
}

bool decodeAddress(quint8 type, int capacity, char* address, int usefulSemiOctets)
{
    if (!address || capacity <= 0)
        return false;
    const int rawLength = int(strnlen(address, size_t(capacity)));
    if (rawLength < 2 || rawLength >= capacity || rawLength % 2 != 0)
        return false;
    QVarLengthArray<quint8, SmsFieldCapacity> octets(rawLength / 2 + 1); // and the closing zero byte
    if (!hexToBytes(address, rawLength, octets.size(), octets.data()))
        return false;
    return decodeAddressOctets(type, octets.constData(), rawLength / 2, usefulSemiOctets, capacity, address);
}

bool decodeAddressOctets(quint8 type, const quint8* octets, int octetCount, int usefulSemiOctets,
                         int capacity, char* address)
{
    if (!octets || !address || capacity <= 0)
        return false;
    const int rawLength = 2 * octetCount;
    if (rawLength < 2 || rawLength >= capacity)
        return false;

    const int typeOfNumber = (type >> 4) & 0x07;
    QVarLengthArray<char, 4 * SmsFieldCapacity> result;
    if (typeOfNumber == SmsAddressScratch::AlphanumericTon) {
        const int semiOctets = usefulSemiOctets >= 0 ? usefulSemiOctets : rawLength;
        const int septetCount = semiOctets * 4 / 7;
        if ((qint64(septetCount) * 7 + 7) / 8 > octetCount)
            return false;
        QVarLengthArray<char, SmsFieldCapacity> septets(septetCount);
        unpackSeptets(octets, octetCount, septetCount, septets.data());
        // A name that ends on an octet boundary may carry the CR pad as an eighth septet.
        int count = septetCount;
        if (count > 0 && count % 8 == 0 && septets[count - 1] == '\r')
            --count;
        QVarLengthArray<QChar, SmsFieldCapacity> characters(count);
        const int length = GsmAlphabet::fromSeptets(septets.constData(), count, characters.data());
        result.resize(3 * length);
        result.resize(bmpToUtf8(characters.constData(), length, result.data()));
    } else {
        if (typeOfNumber == SmsAddressScratch::InternationalTon)
            result.append('+');
        const int digits = usefulSemiOctets >= 0 ? usefulSemiOctets : rawLength;
        if (digits > rawLength)
            return false;
        for (int i = 0; i < digits; ++i) {
            const quint8 octet = octets[i / 2];
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

QString eightBitText(const quint8* data, int size)
{
    // UTF-8 never takes fewer bytes than UTF-16 takes code units.
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    int written = 0;
    for (int i = 0; i < size;) {
        const quint8 lead = data[i];
        uint c = lead;
        int length = 1;
        if (lead >= 0xC2 && lead <= 0xDF) {
            c = lead & 0x1F;
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            c = lead & 0x0F;
            length = 3;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            c = lead & 0x07;
            length = 4;
        } else if (lead >= 0x80) {
            return hexText(data, size); // a continuation octet, or a lead that no UTF-8 has
        }
        if (i + length > size)
            return hexText(data, size);
        for (int k = 1; k < length; ++k) {
            if ((data[i + k] & 0xC0) != 0x80)
                return hexText(data, size);
            c = (c << 6) | (data[i + k] & 0x3F);
        }
        const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
        if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) || isStrayControl(c))
            return hexText(data, size);
        if (c >= 0x10000) {
            out[written++] = QChar(QChar::highSurrogate(c));
            out[written++] = QChar(QChar::lowSurrogate(c));
        } else {
            out[written++] = QChar(ushort(c));
        }
        i += length;
    }
    text.resize(written);
    return text;
}

bool decodeUserData(int headerOctets, const quint8* userData, int size, SmsDeliverPdu* record, QString* text)
{
    if (!record || !text || record->userData || headerOctets < 0 || size < 0 || (!userData && size > 0))
        return false;
    const quint8 dataCoding = record->dataCoding;
    const int userDataLength = record->userDataLength;
    *text = QString();
    if (isDcs7Bit(dataCoding)) {
        char septets[160];
        if (userDataLength > 160 || !unpackSeptets(userData, size, userDataLength, septets))
            return false;
        // The header and the fill bits behind it take whole septets.
        const int skipped = (headerOctets * 8 + 6) / 7;
        if (skipped > userDataLength)
            return false;
        QString decoded(userDataLength - skipped, Qt::Uninitialized);
        decoded.resize(GsmAlphabet::fromSeptets(septets + skipped, userDataLength - skipped, decoded.data()));
        char utf8[3 * 160 + 1];
        const int bytes = bmpToUtf8(decoded.constData(), decoded.size(), utf8);
        utf8[bytes] = '\0';
        setRecordData(record, utf8, bytes + 1);
        *text = decoded;
        return true;
    }
    if (userDataLength > 140 || size < userDataLength || headerOctets > userDataLength)
        return false;
    const quint8* payload = userData + headerOctets;
    const int payloadSize = userDataLength - headerOctets;
    char bytes[2 * 140 + 2];
    if (isDcsUcs2(dataCoding)) {
        const int units = payloadSize / 2;
        QString decoded(units, Qt::Uninitialized);
        QChar* out = decoded.data();
        for (int i = 0; i < units; ++i) {
            const quint8 high = payload[2 * i];
            const quint8 low = payload[2 * i + 1];
            out[i] = QChar(ushort((high << 8) | low));
            bytes[2 * i] = char(low);
            bytes[2 * i + 1] = char(high);
        }
        bytes[2 * units] = bytes[2 * units + 1] = '\0';
        setRecordData(record, bytes, 2 * units + 2);
        *text = decoded;
    } else if (isDcs8Bit(dataCoding)) {
        std::memcpy(bytes, payload, size_t(payloadSize));
        bytes[payloadSize] = '\0';
        setRecordData(record, bytes, payloadSize + 1);
        *text = eightBitText(payload, payloadSize);
    } else {
        writeHex(payload, payloadSize, bytes);
        bytes[2 * payloadSize] = '\0';
        setRecordData(record, bytes, 2 * payloadSize + 1);
    }
    return true;
}
