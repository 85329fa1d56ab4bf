#include "FakeGarbage.h"

#include "FakeSms.h"

#include <QList>

#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

namespace {

// Every character here is one the fake SMS encoder keeps as it is; the double quote is missing
// on purpose, so a generated text never closes or opens a quoted field by itself.
const char kTextCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 .,:;!?-+*#()/@$_";
const char kHexDigits[] = "0123456789ABCDEF";

} // namespace

QByteArray FakeGarbage::randomFill(int size)
{
    // Drawn a word at a time: a flood makes megabytes of this every second.
    if (size <= 0)
        return QByteArray();
    QByteArray bytes(size, Qt::Uninitialized);
    std::vector<quint32> words((size_t(size) + 3) / 4);
    random.fillRange(words.data(), qsizetype(words.size()));
    std::memcpy(bytes.data(), words.data(), size_t(size));
    return bytes;
}

QByteArray FakeGarbage::text(int minimum, int maximum)
{
    QByteArray result = randomFill(minimum + below(maximum - minimum + 1));
    for (char& c : result)
        c = kTextCharacters[quint8(c) % (sizeof kTextCharacters - 1)];
    return result;
}

QByteArray FakeGarbage::digits(int count)
{
    QByteArray result(count, Qt::Uninitialized);
    for (char& c : result)
        c = char('0' + below(10));
    return result;
}

QByteArray FakeGarbage::garble(const QByteArray& reply)
{
    const int kind = below(10);
    if (kind < 2)
        return randomBytes();
    if (kind < 4)
        return overlongLine();
    return mangled(reply);
}

QByteArray FakeGarbage::randomBytes()
{
    // Up to what one Ethernet frame carries; NULs, line ends and invalid UTF-8 included.
    return randomFill(1 + below(1472));
}

QByteArray FakeGarbage::overlongLine()
{
    // Prefixes that make the program take the line for the start of something it reads.
    static const char* const prefixes[] = {
        "", "+CUSD: 1,\"", "!SELRAT: ", "+CPBR: 1,\"", "+CPIN: ", "AT#I\r\nMANUFACTURER: ",
    };
    const int length = 4096 + below(MaxLineBytes - 4096 - 64);
    if (chance(15)) {   // an SMS read whose PDU line never ends
        QByteArray pdu = randomFill(length);
        for (char& c : pdu)
            c = kHexDigits[quint8(c) % 16];
        return "AT+CMGR=1\r\n+CMGR: 0,,160\r\n" + pdu + "\r\n";
    }
    QByteArray line = prefixes[below(int(std::size(prefixes)))] + text(length, length);
    if (chance(50))
        line += "\r\n";
    return line;
}

QByteArray FakeGarbage::mangled(QByteArray reply)
{
    const int steps = 1 + below(3);
    for (int step = 0; step < steps; ++step) {
        switch (below(5)) {
        case 0:   // cut anywhere, also inside a line ending or a UTF-8 sequence
            if (reply.size() > 1)
                reply.truncate(1 + below(reply.size() - 1));
            break;
        case 1:
            reply += reply;
            break;
        case 2: {
            QList<QByteArray> lines = reply.split('\n');
            if (lines.size() > 1) {
                std::swap(lines[below(lines.size())], lines[below(lines.size())]);
                reply = lines.join('\n');
            }
            break;
        }
        case 3: {   // numbers: gone, negative, too big for any integer, or other digits
            QByteArray broken;
            for (int i = 0; i < reply.size();) {
                if (reply.at(i) < '0' || reply.at(i) > '9') {
                    broken += reply.at(i++);
                    continue;
                }
                int end = i;
                while (end < reply.size() && reply.at(end) >= '0' && reply.at(end) <= '9')
                    ++end;
                static const char* const replacements[] = {"", "-1", "99999999999999999999999"};
                const int pick = below(5);
                broken += pick < 3 ? QByteArray(replacements[pick]) : pick == 3 ? digits(1 + below(12)) : reply.mid(i, end - i);
                i = end;
            }
            reply = broken;
            break;
        }
        default: {   // quotes: one taken away, or one put in where none belongs
            const int quotes = reply.count('"');
            if (quotes > 0 && chance(60)) {
                int nth = below(quotes);
                for (int i = 0; i < reply.size(); ++i) {
                    if (reply.at(i) == '"' && nth-- == 0) {
                        reply.remove(i, 1);
                        break;
                    }
                }
            } else {
                reply.insert(below(reply.size() + 1), '"');
            }
            break;
        }
        }
    }
    return reply;
}

QByteArray FakeGarbage::wellFormed()
{
    switch (below(8)) {
    case 0:
    case 1: {
        FakeSms sms;
        const bool ucs2 = chance(20);
        sms.dataCoding = ucs2 ? 0x08 : 0x00;
        sms.sender = QString::fromLatin1((chance(70) ? "+48" : "") + digits(9));
        sms.time = QStringLiteral("26%1%2%3%4%5")
                       .arg(1 + below(12), 2, 10, QLatin1Char('0'))
                       .arg(1 + below(28), 2, 10, QLatin1Char('0'))
                       .arg(below(24), 2, 10, QLatin1Char('0'))
                       .arg(below(60), 2, 10, QLatin1Char('0'))
                       .arg(below(60), 2, 10, QLatin1Char('0'));
        if (chance(30)) {
            sms.reference = quint16(below(65536));
            sms.partCount = quint8(2 + below(3));
            sms.partNumber = quint8(1 + below(sms.partCount));
        }
        const int room = ucs2 ? (sms.partCount ? 67 : 70) : (sms.partCount ? 153 : 160);
        sms.text = QString::fromLatin1(text(1, room));
        const QByteArray pdu = sms.pdu();
        return "AT+CMGR=" + QByteArray::number(1 + below(20)) + "\r\n+CMGR: " + QByteArray::number(below(2)) + ",,"
            + QByteArray::number(FakeSms::tpduLength(pdu)) + "\r\n" + pdu + "\r\n\r\nOK\r\n";
    }
    case 2:
        return "\r\n+CUSD: " + QByteArray::number(below(3)) + ",\"" + text(1, 182) + "\",15\r\n";
    case 3:
        return "\r\n+CUSD: 1,\"" + text(1, 120) + "\r\n";
    case 4:
        return text(0, 120) + "\",15\r\n";
    case 5: {
        static const char* const modes[] = {"00, Automatic", "01, UMTS 3G Only", "02, GSM 2G Only",
                                            "06, LTE Only", "03, UMTS 3G Preferred"};
        // Now and then the line comes many times in one reply.
        const int times = chance(20) ? 2 + below(199) : 1;
        QByteArray reply = "AT!SELRAT?\r\n";
        for (int i = 0; i < times; ++i)
            reply += QByteArray("!SELRAT: ") + modes[below(int(std::size(modes)))] + "\r\n";
        return reply + "\r\nOK\r\n";
    }
    case 6: {
        static const char* const states[] = {"READY", "SIM PIN", "SIM PUK", "SIM PIN2", "SIM PUK2", "SIM BUSY", "NOT READY"};
        const QByteArray line = QByteArray("+CPIN: ") + states[below(int(std::size(states)))];
        return chance(50) ? "AT+CPIN?\r\n" + line + "\r\n\r\nOK\r\n" : "\r\n" + line + "\r\n";
    }
    default: {
        QByteArray reply = "AT+CPBR=1,250\r\n";
        for (int entries = 1 + below(5); entries > 0; --entries) {
            reply += "+CPBR: " + QByteArray::number(1 + below(250)) + ",\"+48" + digits(9) + "\","
                + (chance(50) ? "145" : "129") + ",\"" + text(1, 20) + "\"\r\n";
        }
        return reply + "\r\nOK\r\n";
    }
    }
}

QByteArray FakeGarbage::floodDatagram()
{
    const QByteArray answer = wellFormed();
    return chance(35) ? garble(answer) : answer;
}
