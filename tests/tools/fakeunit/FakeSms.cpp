#include "FakeSms.h"

#include <utility>

namespace {

char septetOf(ushort u)
{
    const bool shared = (u >= 0x20 && u <= 0x5A) || (u >= 0x61 && u <= 0x7A) || u == '\n' || u == '\r';
    return u == '@' ? 0x00 : u == '$' ? 0x02 : u == '_' ? 0x11 : shared ? char(u) : '?';
}

// Digits in swapped pairs, an "F" after an odd count.
QByteArray semiOctets(QByteArray digits)
{
    digits.append(digits.size() % 2 ? "F" : "");
    for (int i = 0; i + 1 < digits.size(); i += 2)
        std::swap(digits.data()[i], digits.data()[i + 1]);
    return digits;
}

QByteArray hexOctet(int value) { return QByteArray::number(value, 16).rightJustified(2, '0'); }

} // namespace

QByteArray FakeSms::pdu() const
{
    const bool international = sender.startsWith(QLatin1Char('+'));
    const QByteArray digits = (international ? sender.mid(1) : sender).toLatin1();
    QByteArray userData;   // the header of a part first
    if (partCount > 0)
        userData = QByteArray("\x06\x08\x04", 3) + char(reference >> 8) + char(reference)
                   + char(partCount) + char(partNumber);
    int userDataLength = 0;
    const bool ucs2 = dataCoding < 0x80 ? (dataCoding & 0x2C) == 0x08 : (dataCoding & 0xF0) == 0xE0;
    if (ucs2) {
        for (const QChar c : text)
            userData.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        userDataLength = userData.size();
    } else {
        // Seven header octets fill exactly eight septets, so the text needs no fill bits.
        const int headerOctets = userData.size();
        userData.append(QByteArray((text.size() * 7 + 7) / 8, '\0'));
        char* octets = userData.data() + headerOctets;
        for (int i = 0; i < text.size(); ++i) {
            const int bit = i * 7;
            const int value = septetOf(text.at(i).unicode());
            octets[bit / 8] = char(quint8(octets[bit / 8]) | quint8(value << (bit % 8)));
            if (bit % 8 > 1)
                octets[bit / 8 + 1] = char(value >> (8 - bit % 8));
        }
        userDataLength = headerOctets * 8 / 7 + text.size();
    }
    // No service-centre address; SMS-DELIVER, with a user-data header for a part.
    return ("00" + hexOctet(partCount > 0 ? 0x44 : 0x04) + hexOctet(digits.size()) + (international ? "91" : "81")
            + semiOctets(digits) + "00" + hexOctet(dataCoding) + semiOctets((time + zone).toLatin1())
            + hexOctet(userDataLength) + userData.toHex())
        .toUpper();
}

int FakeSms::tpduLength(const QByteArray& pdu)
{
    bool ok = false;
    const int smscOctets = pdu.left(2).toInt(&ok, 16);
    return ok ? pdu.size() / 2 - 1 - smscOctets : 0;
}
