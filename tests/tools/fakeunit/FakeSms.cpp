#include "FakeSms.h"

namespace {

bool isUcs2(quint8 dcs)
{
    if (dcs < 0x80)
        return (dcs & 0x20) == 0 && ((dcs >> 2) & 0x03) == 2;
    return dcs >= 0xE0 && dcs < 0xF0;
}

char septetOf(QChar c)
{
    const ushort u = c.unicode();
    if (u == '@')
        return 0x00;
    if (u == '$')
        return 0x02;
    if (u == '_')
        return 0x11;
    const bool shared = (u >= 0x20 && u <= 0x5A && u != 0x24) || (u >= 0x61 && u <= 0x7A) || u == '\n' || u == '\r';
    return shared ? char(u) : '?';
}

QByteArray packSeptets(const QByteArray& septets)
{
    QByteArray octets((septets.size() * 7 + 7) / 8, '\0');
    for (int i = 0; i < septets.size(); ++i) {
        const int bit = i * 7;
        const int value = septets.at(i) & 0x7F;
        octets[bit / 8] = char(quint8(octets.at(bit / 8)) | quint8(value << (bit % 8)));
        if (bit % 8 > 1)
            octets[bit / 8 + 1] = char(quint8(octets.at(bit / 8 + 1)) | quint8(value >> (8 - bit % 8)));
    }
    return octets;
}

// Digits in swapped pairs, an "F" after an odd count.
QByteArray semiOctets(QByteArray digits)
{
    if (digits.size() % 2)
        digits.append('F');
    for (int i = 0; i + 1 < digits.size(); i += 2) {
        const char first = digits.at(i);
        digits[i] = digits.at(i + 1);
        digits[i + 1] = first;
    }
    return digits;
}

} // namespace

QByteArray FakeSms::pdu() const
{
    const bool international = sender.startsWith(QLatin1Char('+'));
    const QByteArray digits = (international ? sender.mid(1) : sender).toLatin1();
    const bool concatenated = partCount > 0;

    QByteArray header;
    if (concatenated) {
        header.append(char(0x06)).append(char(0x08)).append(char(0x04));
        header.append(char(reference >> 8)).append(char(reference & 0xFF));
        header.append(char(partCount)).append(char(partNumber));
    }
    QByteArray userData;
    int userDataLength = 0;
    if (isUcs2(dataCoding)) {
        userData = header;
        for (const QChar c : text)
            userData.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
        userDataLength = userData.size();
    } else {
        // Seven header octets fill exactly eight septets, so the text needs no fill bits.
        QByteArray septets;
        for (const QChar c : text)
            septets.append(septetOf(c));
        userData = header + packSeptets(septets);
        userDataLength = header.size() * 8 / 7 + septets.size();
    }

    QByteArray out = "00"; // no service-centre address
    out += QByteArray::number(concatenated ? 0x44 : 0x04, 16).rightJustified(2, '0');
    out += QByteArray::number(digits.size(), 16).rightJustified(2, '0');
    out += international ? "91" : "81";
    out += semiOctets(digits);
    out += "00"; // protocol identifier
    out += QByteArray::number(dataCoding, 16).rightJustified(2, '0');
    out += semiOctets(time.toLatin1() + "00");
    out += QByteArray::number(userDataLength, 16).rightJustified(2, '0');
    out += userData.toHex();
    return out.toUpper();
}

int FakeSms::tpduLength(const QByteArray& pdu)
{
    bool ok = false;
    const int smscOctets = pdu.left(2).toInt(&ok, 16);
    return ok ? pdu.size() / 2 - 1 - smscOctets : 0;
}
