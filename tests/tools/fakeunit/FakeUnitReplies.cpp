#include "FakeUnit.h"

#include <QStringList>

// The unit's answers. A reply is the command line echoed, then the entry's lines, then a blank
// line and "OK". The first entry whose pattern matches the upper-cased command wins, so longer
// patterns come before shorter ones; a command that matches none is answered "OK" alone.
namespace {

using Lines = QStringList (*)(const FakeUnit& unit, const QString& command);

struct Entry {
    const char* pattern;
    bool exact;   // the whole command, or only its beginning
    Lines lines;  // none: the unit stays quiet
};

QStringList network(const FakeUnit& unit, const QString&)
{
    return {
        QStringLiteral("ETHERNET ADDRESS: 02:00:00:00:00:01"),
        QStringLiteral("NETWORK CONFIGURATION: STATIC"),
        QStringLiteral("NETWORK ADDRESS: %1/24").arg(unit.address().toString()),
        QStringLiteral("UDP AT COMMAND PORT: %1").arg(unit.port()),
    };
}

QStringList information(const FakeUnit&, const QString&)
{
    return {
        QStringLiteral("MANUFACTURER: Fake Unit Works"),
        QStringLiteral("MODEL: FU-100"),
        QStringLiteral("REVISION: 1.2"),
        QStringLiteral("PROCESSOR: FK32 168 MHz"),
        QStringLiteral("CMSIS: 5.4.0"),
        QStringLiteral("STDPERIPHLIB: 1.8.0"),
        QStringLiteral("NEWLIB: 3.3.0"),
        QStringLiteral("BUILD: 2024-05-01 12:00"),
    };
}

QStringList radioStatus(const FakeUnit&, const QString&)
{
    return {
        QStringLiteral("!GSTATUS:"),
        QStringLiteral("Unit uptime: 3600 Temperature: 41"),
        QStringLiteral("System mode: LTE PS state: Attached"),
        QStringLiteral("LTE band: B20 LTE bw: 10 MHz"),
        QStringLiteral("RSSI (dBm): -67"),
    };
}

QStringList nothing(const FakeUnit&, const QString&) { return {}; }
QStringList imei(const FakeUnit&, const QString&) { return {QStringLiteral("356000000000017")}; }
QStringList imsi(const FakeUnit&, const QString&) { return {QStringLiteral("260011234567890")}; }
QStringList model(const FakeUnit&, const QString&) { return {QStringLiteral("FU-100 LTE")}; }
QStringList firmware(const FakeUnit&, const QString&) { return {QStringLiteral("FU100_01.02.03")}; }
QStringList pinState(const FakeUnit&, const QString&) { return {QStringLiteral("+CPIN: READY")}; }

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
};

} // namespace

std::optional<QString> FakeUnit::replyFor(const QString& command) const
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
    QString reply = command + QLatin1String("\r\n");
    for (const QString& line : lines(*this, command))
        reply += line + QLatin1String("\r\n");
    return reply + QLatin1String("\r\nOK\r\n");
}
