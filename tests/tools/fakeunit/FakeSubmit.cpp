#include "FakeSubmit.h"

namespace {

// The first 32 characters of the GSM default alphabet; 0x1B, the escape to the extension table,
// is read apart and stands here as the space a receiver shows for an escape it cannot read.
const char16_t kLowSeptets[32] = {
    0x0040, 0x00A3, 0x0024, 0x00A5, 0x00E8, 0x00E9, 0x00F9, 0x00EC, 0x00F2, 0x00C7, 0x000A, 0x00D8, 0x00F8, 0x000D, 0x00C5, 0x00E5,
    0x0394, 0x005F, 0x03A6, 0x0393, 0x039B, 0x03A9, 0x03A0, 0x03A8, 0x03A3, 0x0398, 0x039E, 0x0020, 0x00C6, 0x00E6, 0x00DF, 0x00C9,
};

QChar defaultChar(int septet)
{
    if (septet < 32)
        return QChar(kLowSeptets[septet]);
    // Above 31 the alphabet is ASCII but for these.
    switch (septet) {
    case 0x24: return QChar(0x00A4);
    case 0x40: return QChar(0x00A1);
    case 0x5B: return QChar(0x00C4);
    case 0x5C: return QChar(0x00D6);
    case 0x5D: return QChar(0x00D1);
    case 0x5E: return QChar(0x00DC);
    case 0x5F: return QChar(0x00A7);
    case 0x60: return QChar(0x00BF);
    case 0x7B: return QChar(0x00E4);
    case 0x7C: return QChar(0x00F6);
    case 0x7D: return QChar(0x00F1);
    case 0x7E: return QChar(0x00FC);
    case 0x7F: return QChar(0x00E0);
    default: return QChar(septet);
    }
}

// An escaped septet the extension table does not hold is shown as its default character.
QChar extensionChar(int septet)
{
    switch (septet) {
    case 0x0A: return QChar(0x000C);
    case 0x14: return QChar('^');
    case 0x28: return QChar('{');
    case 0x29: return QChar('}');
    case 0x2F: return QChar('\\');
    case 0x3C: return QChar('[');
    case 0x3D: return QChar('~');
    case 0x3E: return QChar(']');
    case 0x40: return QChar('|');
    case 0x65: return QChar(0x20AC);
    default: return defaultChar(septet);
    }
}

bool isHexText(const QByteArray& text)
{
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            return false;
    }
    return true;
}

} // namespace

QString FakeSubmit::codingName(Coding coding)
{
    switch (coding) {
    case Gsm7: return QStringLiteral("7-bit");
    case EightBit: return QStringLiteral("8-bit");
    case Ucs2: return QStringLiteral("UCS2");
    }
    return QString();
}

bool FakeSubmit::decode(const QByteArray& pduHex, int tpduLength, FakeSubmit* submit, QString* why)
{
    const auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    if (pduHex.isEmpty() || pduHex.size() % 2 != 0 || !isHexText(pduHex))
        return fail(QStringLiteral("not hexadecimal octets"));
    const QByteArray octets = QByteArray::fromHex(pduHex);
    const int smscOctets = quint8(octets.at(0));
    const int tpduOctets = octets.size() - 1 - smscOctets;
    if (tpduOctets != tpduLength)
        return fail(QStringLiteral("TPDU of %1 octets, %2 announced").arg(tpduOctets).arg(tpduLength));

    int at = 1 + smscOctets;
    bool cutShort = false;
    const auto next = [&]() -> int {
        if (at >= octets.size()) {
            cutShort = true;
            return 0;
        }
        return quint8(octets.at(at++));
    };

    FakeSubmit found;
    const int firstOctet = next();
    if ((firstOctet & 0x03) != 0x01)
        return fail(QStringLiteral("not an SMS-SUBMIT"));
    const int validityFormat = (firstOctet >> 3) & 0x03;
    const bool hasHeader = firstOctet & 0x40;
    next();   // the message reference: the unit gives its own
    const int digitCount = next();
    const int addressType = next();
    if (digitCount > 20)
        return fail(QStringLiteral("destination of %1 digits").arg(digitCount));
    if ((addressType & 0x70) == 0x50)
        return fail(QStringLiteral("alphanumeric destination"));
    static const char kDigits[] = "0123456789*#abc";
    QString digits;
    for (int i = 0; i < (digitCount + 1) / 2; ++i) {
        const int pair = next();
        for (const int digit : {pair & 0x0F, pair >> 4}) {
            if (digits.size() == digitCount)
                break;
            if (digit == 0x0F)
                return fail(QStringLiteral("fill inside the destination"));
            digits.append(QLatin1Char(kDigits[digit]));
        }
    }
    found.destination = ((addressType & 0x70) == 0x10 ? QStringLiteral("+") : QString()) + digits;
    next();   // protocol identifier
    const int dataCoding = next();
    at += validityFormat == 0 ? 0 : validityFormat == 2 ? 1 : 7;
    const int userDataLength = next();
    if (cutShort || at > octets.size())
        return fail(QStringLiteral("cut short before the user data"));

    const int group = dataCoding >> 4;
    if (group <= 7) {
        if (dataCoding & 0x20)
            return fail(QStringLiteral("compressed text"));
        const int alphabet = (dataCoding >> 2) & 0x03;
        if (alphabet == 3)
            return fail(QStringLiteral("reserved alphabet"));
        found.coding = Coding(alphabet);
    } else if (group == 0x0C || group == 0x0D) {
        found.coding = Gsm7;
    } else if (group == 0x0E) {
        found.coding = Ucs2;
    } else if (group == 0x0F) {
        found.coding = dataCoding & 0x04 ? EightBit : Gsm7;
    } else {
        return fail(QStringLiteral("reserved data coding %1").arg(dataCoding, 2, 16, QLatin1Char('0')));
    }

    const QByteArray userData = octets.mid(at);
    const int expected = found.coding == Gsm7 ? (userDataLength * 7 + 7) / 8 : userDataLength;
    if (userData.size() != expected)
        return fail(QStringLiteral("%1 octets of user data where its length calls for %2").arg(userData.size()).arg(expected));

    int headerOctets = 0;
    if (hasHeader) {
        if (userData.isEmpty() || quint8(userData.at(0)) + 1 > userData.size())
            return fail(QStringLiteral("header longer than the user data"));
        headerOctets = quint8(userData.at(0)) + 1;
        for (int i = 1; i < headerOctets;) {
            if (i + 1 >= headerOctets)
                return fail(QStringLiteral("broken header element"));
            const int id = quint8(userData.at(i));
            const int size = quint8(userData.at(i + 1));
            const int start = i + 2;
            if (start + size > headerOctets)
                return fail(QStringLiteral("header element beyond the header"));
            const auto value = [&userData, start](int k) { return int(quint8(userData.at(start + k))); };
            if ((id == 0x00 && size == 3) || (id == 0x08 && size == 4)) {
                const int shift = id == 0x08 ? 1 : 0;
                found.referenceBits = id == 0x08 ? 16 : 8;
                found.reference = id == 0x08 ? value(0) << 8 | value(1) : value(0);
                found.partCount = value(1 + shift);
                found.partNumber = value(2 + shift);
                if (found.partCount < 1 || found.partNumber < 1 || found.partNumber > found.partCount)
                    return fail(QStringLiteral("part %1 of %2").arg(found.partNumber).arg(found.partCount));
            } else if (id == 0x00 || id == 0x08) {
                return fail(QStringLiteral("concatenation header of %1 octets").arg(size));
            }
            i = start + size;
        }
    }

    if (found.coding == Gsm7) {
        // The header and its fill bits take whole septets.
        const int headerSeptets = (headerOctets * 8 + 6) / 7;
        if (userDataLength < headerSeptets)
            return fail(QStringLiteral("header longer than the user data"));
        bool escaped = false;
        for (int k = headerSeptets; k < userDataLength; ++k) {
            const int bit = k * 7;
            const int shift = bit % 8;
            int septet = quint8(userData.at(bit / 8)) >> shift;
            if (shift > 1)
                septet |= quint8(userData.at(bit / 8 + 1)) << (8 - shift);
            septet &= 0x7F;
            if (escaped) {
                found.text.append(extensionChar(septet));
                escaped = false;
            } else if (septet == 0x1B) {
                escaped = true;
            } else {
                found.text.append(defaultChar(septet));
            }
        }
        if (escaped)
            found.text.append(QLatin1Char(' '));
    } else {
        if (userDataLength < headerOctets)
            return fail(QStringLiteral("header longer than the user data"));
        const QByteArray body = userData.mid(headerOctets);
        if (found.coding == EightBit) {
            found.text = QString::fromLatin1(body);
        } else {
            if (body.size() % 2 != 0)
                return fail(QStringLiteral("odd count of UCS2 octets"));
            for (int i = 0; i < body.size(); i += 2)
                found.text.append(QChar(ushort(quint8(body.at(i)) << 8 | quint8(body.at(i + 1)))));
        }
    }
    if (submit)
        *submit = found;
    return true;
}
