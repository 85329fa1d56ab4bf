#include "FakeSms.h"
#include "FakeUnit.h"

#include <QStringList>

// The unit's answers. A reply is the command line echoed, then the entry's lines, then a blank
// line and the result ("OK" unless the entry says otherwise). The first entry whose pattern
// matches the upper-cased command wins, so longer patterns come before shorter ones; a command
// that matches none is answered "OK" alone.
namespace {

struct Reply {
    Reply() = default;
    Reply(const QStringList& lines) : lines(lines) {}

    QStringList lines;
    QString result = QStringLiteral("OK");
    QStringList later; // datagrams sent on their own after the reply
};

using Lines = Reply (*)(FakeUnit& unit, const QString& command);

struct Entry {
    const char* pattern;
    bool exact;   // the whole command, or only its beginning
    Lines lines;  // none: the unit stays quiet
};

Reply failure(const char* result)
{
    Reply reply;
    reply.result = QLatin1String(result);
    return reply;
}

// The arguments after "=", split at commas outside double quotes, quotes kept.
QStringList arguments(const QString& command)
{
    QStringList found;
    const int equals = command.indexOf(QLatin1Char('='));
    if (equals < 0)
        return found;
    QString current;
    bool quoted = false;
    for (const QChar c : command.mid(equals + 1)) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char(',') && !quoted) {
            found.append(current.trimmed());
            current.clear();
        } else {
            current.append(c);
        }
    }
    found.append(current.trimmed());
    return found;
}

bool isQuoted(const QString& text)
{
    return text.size() >= 2 && text.startsWith(QLatin1Char('"')) && text.endsWith(QLatin1Char('"'));
}

QString quotedValue(const QString& text)
{
    return isQuoted(text) ? text.mid(1, text.size() - 2) : QString();
}

int number(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : -1;
}

Reply network(FakeUnit& unit, const QString&)
{
    return {{
        QStringLiteral("ETHERNET ADDRESS: 02:00:00:00:00:01"),
        QStringLiteral("NETWORK CONFIGURATION: STATIC"),
        QStringLiteral("NETWORK ADDRESS: %1/24").arg(unit.address().toString()),
        QStringLiteral("UDP AT COMMAND PORT: %1").arg(unit.port()),
    }};
}

Reply information(FakeUnit&, const QString&)
{
    return {{
        QStringLiteral("MANUFACTURER: Fake Unit Works"),
        QStringLiteral("MODEL: FU-100"),
        QStringLiteral("REVISION: 1.2"),
        QStringLiteral("PROCESSOR: FK32 168 MHz"),
        QStringLiteral("CMSIS: 5.4.0"),
        QStringLiteral("STDPERIPHLIB: 1.8.0"),
        QStringLiteral("NEWLIB: 3.3.0"),
        QStringLiteral("BUILD: 2024-05-01 12:00"),
    }};
}

Reply radioStatus(FakeUnit&, const QString&)
{
    return {{
        QStringLiteral("!GSTATUS:"),
        QStringLiteral("Unit uptime: 3600 Temperature: 41"),
        QStringLiteral("System mode: LTE PS state: Attached"),
        QStringLiteral("LTE band: B20 LTE bw: 10 MHz"),
        QStringLiteral("RSSI (dBm): -67"),
    }};
}

Reply nothing(FakeUnit&, const QString&) { return {}; }
Reply imei(FakeUnit&, const QString&) { return {{QStringLiteral("356000000000017")}}; }
Reply imsi(FakeUnit&, const QString&) { return {{QStringLiteral("260011234567890")}}; }
Reply model(FakeUnit&, const QString&) { return {{QStringLiteral("FU-100 LTE")}}; }
Reply firmware(FakeUnit&, const QString&) { return {{QStringLiteral("FU100_01.02.03")}}; }
Reply pinState(FakeUnit&, const QString&) { return {{QStringLiteral("+CPIN: READY")}}; }

// The message store. "AT+CPMS?" names the stores; setting them answers with the bare counts,
// which is the form the program counts from.
Reply storeNames(FakeUnit& unit, const QString&)
{
    const QString store = QStringLiteral("\"SM\",%1,%2").arg(unit.simMessages.size()).arg(FakeUnit::SmsCapacity);
    return {{QStringLiteral("+CPMS: %1,%1,%1").arg(store)}};
}

Reply storeCounts(FakeUnit& unit, const QString&)
{
    const QString store = QStringLiteral("%1,%2").arg(unit.simMessages.size()).arg(FakeUnit::SmsCapacity);
    return {{QStringLiteral("+CPMS: %1,%1,%1").arg(store)}};
}

// Only PDU mode is spoken.
Reply messageFormat(FakeUnit&, const QString& command)
{
    if (command.endsWith(QLatin1Char('?')))
        return {{QStringLiteral("+CMGF: 0")}};
    return arguments(command) == QStringList{QStringLiteral("0")} ? Reply() : failure("ERROR");
}

Reply readMessage(FakeUnit& unit, const QString& command)
{
    const QStringList args = arguments(command);
    const int index = args.size() == 1 ? number(args.first()) : -1;
    const auto found = unit.simMessages.find(index);
    if (found == unit.simMessages.end())
        return failure("+CMS ERROR: 321");
    const int status = found->read ? 1 : 0;
    found->read = true;
    return {{QStringLiteral("+CMGR: %1,,%2").arg(status).arg(FakeSms::tpduLength(found->pdu)),
             QString::fromLatin1(found->pdu)}};
}

Reply deleteMessage(FakeUnit& unit, const QString& command)
{
    const QStringList args = arguments(command);
    const int index = args.isEmpty() ? -1 : number(args.first());
    if (index < 1 || index > FakeUnit::SmsCapacity)
        return failure("+CMS ERROR: 321");
    unit.simMessages.remove(index);
    return {};
}

Reply phoneBookStore(FakeUnit& unit, const QString&)
{
    return {{QStringLiteral("+CPBS: \"SM\",%1,%2").arg(unit.simPhoneBook.size()).arg(FakeUnit::PhoneBookCapacity)}};
}

Reply phoneBookRead(FakeUnit& unit, const QString& command)
{
    const QStringList args = arguments(command);
    const int first = args.isEmpty() ? -1 : number(args.first());
    const int last = args.size() > 1 ? number(args.at(1)) : first;
    if (args.size() > 2 || first < 1 || last < first || last > FakeUnit::PhoneBookCapacity)
        return failure("+CME ERROR: 21");
    Reply reply;
    for (auto entry = unit.simPhoneBook.cbegin(); entry != unit.simPhoneBook.cend(); ++entry) {
        if (entry.key() >= first && entry.key() <= last)
            reply.lines.append(QStringLiteral("+CPBR: %1,\"%2\",%3,\"%4\"")
                                   .arg(QString::number(entry.key()), entry->number,
                                        QString::number(entry->type), entry->name));
    }
    return reply;
}

// "AT+CPBW=<pos>" erases the entry, "AT+CPBW=<pos>,"<number>",<type>,"<name>"" writes it.
Reply phoneBookWrite(FakeUnit& unit, const QString& command)
{
    const QStringList args = arguments(command);
    const int position = args.isEmpty() ? -1 : number(args.first());
    if (position < 1 || position > FakeUnit::PhoneBookCapacity)
        return failure("+CME ERROR: 21");
    if (args.size() == 1) {
        unit.simPhoneBook.remove(position);
        return {};
    }
    if (args.size() != 4 || !isQuoted(args.at(1)) || !isQuoted(args.at(3)) || number(args.at(2)) < 0)
        return failure("+CME ERROR: 21");
    unit.simPhoneBook.insert(position, {quotedValue(args.at(1)), number(args.at(2)), quotedValue(args.at(3))});
    return {};
}

// The network's answers come later, on their own: "*100#" in one datagram, "*101#" and
// "*102#" split over two (the second of "*102#" starts with a line break). Other codes get
// the "not supported" answer, which carries no text.
Reply ussd(FakeUnit&, const QString& command)
{
    const QStringList args = arguments(command);
    if (args.isEmpty() || args.first() != QLatin1String("1") || args.size() < 2)
        return {};
    const QString code = quotedValue(args.at(1));
    Reply reply;
    if (code == QLatin1String("*100#")) {
        reply.later = QStringList{QStringLiteral("\r\n+CUSD: 0,\"Balance 5.00 EUR, valid until 2026-12-31\",15\r\n")};
    } else if (code == QLatin1String("*101#")) {
        reply.later = QStringList{QStringLiteral("\r\n+CUSD: 1,\"1 Balance\r\n"), QStringLiteral("2 Offers\r\n3 Exit\",15\r\n")};
    } else if (code == QLatin1String("*102#")) {
        reply.later = QStringList{QStringLiteral("\r\n+CUSD: 1,\"Menu"), QStringLiteral("\r\n1 Data\r\n2 Voice\",15\r\n")};
    } else {
        reply.later = QStringList{QStringLiteral("\r\n+CUSD: 4\r\n")};
    }
    return reply;
}

const Entry kReplies[] = {
    {"AT#RST", false, nullptr},
    {"AT#CNF?", true, network},
    {"AT#I", true, information},
    {"AT#", true, nothing},
    {"AT+CGSN", false, imei},
    {"AT+GSN", false, imei},
    {"AT+CGMM", false, model},
    {"AT+GMM", false, model},
    {"AT+CGMR", false, firmware},
    {"AT+GMR", false, firmware},
    {"AT+CIMI", false, imsi},
    {"AT+CPIN?", true, pinState},
    {"AT!GSTATUS?", true, radioStatus},
    {"AT+CPMS?", true, storeNames},
    {"AT+CPMS=", false, storeCounts},
    {"AT+CMGF", false, messageFormat},
    {"AT+CMGR=", false, readMessage},
    {"AT+CMGD=", false, deleteMessage},
    {"AT+CPBS?", true, phoneBookStore},
    {"AT+CPBR=", false, phoneBookRead},
    {"AT+CPBW=", false, phoneBookWrite},
    {"AT+CUSD=", false, ussd},
};

} // namespace

// What the SIM card holds when the unit starts: a short message, a message in two parts
// stored last part first, and two phone-book entries.
void FakeUnit::fillSim()
{
    FakeSms hello;
    hello.text = QStringLiteral("Hello from the fake unit");
    storeSms(hello.pdu());
    FakeSms part;
    part.sender = QStringLiteral("+48600100300");
    part.time = QStringLiteral("260512194230");
    part.reference = 0x0101;
    part.partCount = 2;
    part.partNumber = 2;
    part.text = QStringLiteral(" and this is its second part.");
    storeSms(part.pdu());
    part.partNumber = 1;
    part.text = QStringLiteral("This is a long message,");
    storeSms(part.pdu());
    simPhoneBook.insert(1, {QStringLiteral("+48600100200"), 145, QStringLiteral("Anna")});
    simPhoneBook.insert(2, {QStringLiteral("600100300"), 129, QStringLiteral("Smith, John")});
}

std::optional<FakeUnit::Answer> FakeUnit::answerFor(const QString& command)
{
    const QString upper = command.toUpper();
    Lines lines = nothing;
    for (const Entry& entry : kReplies) {
        const QLatin1String pattern(entry.pattern);
        if (entry.exact ? upper == pattern : upper.startsWith(pattern)) {
            lines = entry.lines;
            break;
        }
    }
    if (!lines)
        return std::nullopt;
    const Reply reply = lines(*this, command);
    Answer answer;
    answer.reply = command + QLatin1String("\r\n");
    for (const QString& line : reply.lines)
        answer.reply += line + QLatin1String("\r\n");
    answer.reply += QLatin1String("\r\n") + reply.result + QLatin1String("\r\n");
    answer.later = reply.later;
    return answer;
}
