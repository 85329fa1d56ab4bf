#include "FakeSms.h"
#include "FakeUnit.h"

#include <QRegularExpression>

#include <algorithm>

// The unit's answers. A reply is the command line echoed, then the answer's lines, then a blank
// line and the result ("OK" unless the answer says otherwise). A command that matches nothing
// is answered "OK" alone.
namespace {

// Answers that never change; patterns are regular expressions matched from the start of the
// upper-cased command.
const struct {
    const char* pattern;
    const char* lines;   // separated by "\n"
} kFixed[] = {
    {"AT#I$", "MANUFACTURER: Fake Unit Works\nMODEL: FU-100\nREVISION: 1.2\nPROCESSOR: FK32 168 MHz\n"
              "CMSIS: 5.4.0\nSTDPERIPHLIB: 1.8.0\nNEWLIB: 3.3.0\nBUILD: 2024-05-01 12:00"},
    {"AT\\+C?GSN", "356000000000017"}, {"AT\\+C?GMM", "FU-100 LTE"}, {"AT\\+C?GMR", "FU100_01.02.03"},
};

// The radio levels that "AT!GSTATUS?" steps through, one step a report, in dBm; the first report
// gives -67.
const int kRadioLevels[] = {-95, -91, -87, -83, -79, -75, -71, -67, -63, -59, -55};
constexpr int kFirstRadioLevel = 7;
const char* const kRadioSwitches[] = {"2G", "3G", "4G", "NONE"};

// The modem's radio status as its two-column report: in each column a label, blanks and the value,
// the columns separated by tabs.
QStringList radioStatus(FakeUnit::RadioSwitch radio, int report)
{
    using Radio = FakeUnit::RadioSwitch;
    const int levels = int(sizeof kRadioLevels / sizeof kRadioLevels[0]);
    const int dbm = kRadioLevels[(kFirstRadioLevel + report) % levels];
    const auto level = [radio, dbm](int offset) {
        return radio == Radio::None ? QStringLiteral("---") : QString::number(dbm + offset);
    };
    const char* mode = radio == Radio::G2 ? "GSM" : radio == Radio::G3 ? "WCDMA" : "LTE";
    QStringList lines{"!GSTATUS:", "Current Time:  3600\t\tTemperature: 41", "Bootup Time:   0\t\tMode:        ONLINE",
                      QStringLiteral("System mode:   %1\t\tPS state:    Attached").arg(QLatin1String(mode))};
    if (radio == Radio::G2) {
        lines << "GSM band:      G900" << "GSM channel:   62"
              << QStringLiteral("RX level (dBm): %1\t\tTx power (dBm): 30").arg(level(0));
    } else if (radio == Radio::G3) {
        lines << "WCDMA band:    WCDMA 2100" << "WCDMA channel: 10700"
              << QStringLiteral("RxM RSSI C0:   %1\t\tRxD RSSI C0:  %2").arg(level(0), level(-2))
              << QStringLiteral("RxM RSSI C1:   %1\t\tRxD RSSI C1:  %2").arg(level(-1), level(-3));
    } else {
        lines << "LTE band:      B20\t\tLTE bw:      10 MHz" << "LTE Rx chan:   6300\t\tLTE Tx chan: 24300"
              << QStringLiteral("RSSI (dBm):    %1\t\tTx Power:    0").arg(level(0))
              << QStringLiteral("RSRP (dBm):    %1\t\tTAC:         1A2B (6699)").arg(level(-30));
    }
    return lines;
}

// The access technology settings the unit knows, by their two-digit codes.
const struct {
    const char* code;
    const char* name;
} kRats[] = {
    {"00", "Automatic"}, {"01", "UMTS 3G Only"}, {"02", "GSM 2G Only"}, {"03", "UMTS 3G Preferred"},
    {"05", "GSM 2G and UMTS 3G"}, {"06", "LTE Only"},
};

// The rows of "AT!BAND": each sets both band masks, which "!GBAND" also sets one by one.
const struct {
    const char* index;
    const char* name;
    quint64 gsmUmts;
    quint64 lte;
} kBands[] = {
    {"00", "All bands", 0x000000000FFFFFFFull, 0x00000000FFFFFFFFull},
    {"01", "LTE All", 0, 0x00000000FFFFFFFFull},
    {"02", "GSM WCDMA All", 0x000000000FFFFFFFull, 0},
    {"03", "LTE B20", 0, 0x0000000000080000ull},
};

// LTE (7) while LTE is allowed first, else UMTS (2).
int accessTechnology(const QString& rat) { return rat == QLatin1String("00") || rat == QLatin1String("06") ? 7 : 2; }

QString ratName(const QString& code)
{
    for (const auto& known : kRats) {
        if (code == QLatin1String(known.code))
            return QString::fromLatin1(known.name);
    }
    return QString();
}

// The arguments after "=", split at commas outside double quotes, quotes kept.
QStringList arguments(const QString& command)
{
    const int equals = command.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {};
    QStringList found{QString()};
    bool quoted = false;
    for (const QChar c : command.mid(equals + 1)) {
        quoted ^= c == QLatin1Char('"');
        if (c == QLatin1Char(',') && !quoted)
            found.append(QString());
        else
            found.last().append(c);
    }
    for (QString& argument : found)
        argument = argument.trimmed();
    return found;
}

bool isQuoted(const QString& text) { return text.size() >= 2 && text.startsWith('"') && text.endsWith('"'); }
QString inner(const QString& text) { return isQuoted(text) ? text.mid(1, text.size() - 2) : QString(); }
int number(const QString& text) { bool ok = false; const int value = text.toInt(&ok); return ok ? value : -1; }

// Whether the whole text matches the pattern.
bool whole(const QString& text, const char* pattern)
{
    return QRegularExpression(QStringLiteral("\\A(?:%1)\\z").arg(QLatin1String(pattern))).match(text).hasMatch();
}

// Whether the upper-cased command matches a pattern from its start.
bool starts(const QString& upper, const char* pattern)
{
    return upper.contains(QRegularExpression(QStringLiteral("^") + QLatin1String(pattern)));
}

// A SIM PIN has four to eight digits.
bool isPin(const QString& text) { return whole(text, "[0-9]{4,8}"); }

bool isIpv4(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    const auto octet = [](const QString& part) { return whole(part, "[0-9]{1,3}") && part.toInt() <= 255; };
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), octet);
}

// The errors of the SIM's PIN commands: a wrong PIN or PUK, and the PIN or the PUK wanted first.
const QString kWrongPassword = QStringLiteral("+CME ERROR: 16");
const QString kPinWanted = QStringLiteral("+CME ERROR: 11");
const QString kPukWanted = QStringLiteral("+CME ERROR: 12");

} // namespace

// The SIM card starts with a short message, a message in two parts stored last part first, and
// two phone-book entries.
FakeUnit::FakeUnit(QObject* parent)
    : QObject(parent)
    , socket(new QUdpSocket(this))
{
    connect(socket, &QUdpSocket::readyRead, this, &FakeUnit::readPending);
    floodTimer.setInterval(5);
    floodTimer.setTimerType(Qt::PreciseTimer);
    connect(&floodTimer, &QTimer::timeout, this, &FakeUnit::floodStep);
    storeSms(FakeSms{"Hello from the fake unit"}.pdu());
    FakeSms part{" and this is its second part.", "+48600100300", 0, "260512194230", 0x0101, 2, 2};
    storeSms(part.pdu());
    part.partNumber = 1;
    part.text = QStringLiteral("This is a long message,");
    storeSms(part.pdu());
    resetPhoneBook(false);
    setBand(QStringLiteral("03"));
}

bool FakeUnit::setPhoneBookSize(int size)
{
    if (size < 0)
        return false;
    phoneBookSize = size;
    while (!simPhoneBook.isEmpty() && simPhoneBook.lastKey() > size)
        simPhoneBook.remove(simPhoneBook.lastKey());
    return true;
}

void FakeUnit::resetPhoneBook(bool empty)
{
    simPhoneBook.clear();
    if (empty)
        return;
    simPhoneBook.insert(1, {"+48600100200", 145, "Anna"});
    simPhoneBook.insert(2, {"600100300", 129, "Smith, John"});
}

QString FakeUnit::maskText(quint64 mask)
{
    return QString::number(mask, 16).toUpper().rightJustified(16, QLatin1Char('0'));
}

bool FakeUnit::setRat(const QString& code)
{
    if (ratName(code).isEmpty())
        return false;
    rat = code;
    reportedAct = accessTechnology(code);
    return true;
}

bool FakeUnit::setBand(const QString& index)
{
    for (const auto& row : kBands) {
        if (index == QLatin1String(row.index)) {
            gsmUmtsMask = row.gsmUmts;
            lteMask = row.lte;
            return true;
        }
    }
    return false;
}

bool FakeUnit::setRadio(const QString& technology)
{
    for (int i = 0; i < int(sizeof kRadioSwitches / sizeof kRadioSwitches[0]); ++i) {
        if (technology.toUpper() == QLatin1String(kRadioSwitches[i])) {
            radioSwitch = RadioSwitch(i);
            return true;
        }
    }
    return false;
}

QString FakeUnit::bandIndex() const
{
    for (const auto& row : kBands) {
        if (row.gsmUmts == gsmUmtsMask && row.lte == lteMask)
            return QString::fromLatin1(row.index);
    }
    return QString();
}

bool FakeUnit::answer(const QString& command, QByteArray* reply, QStringList* later)
{
    const QString upper = command.toUpper();
    const auto is = [&upper](const char* p) { return starts(upper, p); };
    const QStringList args = arguments(command);
    const int first = args.isEmpty() ? -1 : number(args.first());
    QStringList lines;
    QString result = "OK";
    if (is("AT#RST")) {
        return false;   // restarts without a word
    } else if (answerPin(upper, args, &lines, &result) || answerDataProfile(upper, args, &lines, &result)) {
        // answered from the SIM's PIN state or the unit's configuration
    } else if (is("AT\\+CPMS(\\?$|=)")) {
        // The query names the stores; setting them answers with the bare counts, which the
        // program counts from.
        const QString store = QString("%1,%2").arg(simMessages.size()).arg(SmsCapacity);
        lines << QString("+CPMS: %1,%1,%1").arg(is("AT\\+CPMS\\?") ? "\"SM\"," + store : store);
    } else if (is("AT\\+CMGF")) {
        if (upper.endsWith('?'))
            lines << QString("+CMGF: %1").arg(messageFormat);
        else if (args == QStringList{"0"} || args == QStringList{"1"})
            messageFormat = first;
        else
            result = "ERROR";
    } else if (is("AT\\+CMGS=")) {
        *reply = startSending(command, args);
        return true;
    } else if (is("AT\\+CSCA\\?$")) {
        lines << "+CSCA: \"+48602951111\",145";
    } else if (is("AT\\+COPS\\?$")) {
        // A real unit reports the new technology only once it has registered with it.
        const int act = reportedAct;
        reportedAct = accessTechnology(rat);
        if (copsSwitch == CopsSwitch::Unregistered)
            lines << "+COPS: 0";
        else
            lines << QString("+COPS: 0,0,\"%1\",%2").arg(copsSwitch == CopsSwitch::Limited ? "LIMITED SERVICE" : "Fake Net").arg(act);
    } else if (is("AT!SELRAT\\?$")) {
        lines << "!SELRAT: " + rat + ", " + ratName(rat);
    } else if (is("AT!SELRAT=")) {
        if (args.size() == 1 && !ratName(args.first()).isEmpty())
            rat = args.first();
        else
            result = "ERROR";
    } else if (is("AT!BAND\\?$")) {
        const QString band = bandIndex();
        lines << "Index, Name";
        for (const auto& row : kBands) {
            if (band == QLatin1String(row.index))
                lines << QString("%1, %2").arg(row.index, row.name);
        }
    } else if (is("AT!BAND=")) {
        if (args.size() != 1 || !setBand(args.first()))
            result = "ERROR";
    } else if (is("AT!ENTERCND")) {
        // The band masks are read and written only after the access code; the query and the
        // setting may come with blanks around "=".
        static const QRegularExpression gband(QStringLiteral(
            "^AT!ENTERCND\\s*=\\s*\"C962\"\\s*;\\s*!GBAND\\s*(?:(\\?)|=\\s*([0-9A-F]{1,16})\\s*,\\s*([0-9A-F]{1,16}))\\s*$"));
        const QRegularExpressionMatch match = gband.match(upper);
        if (!match.hasMatch()) {
            result = "ERROR";
        } else if (!match.captured(1).isEmpty()) {
            // The first field is the band the unit is camped on.
            lines << QString("!GBAND: B20, %1, %2").arg(maskText(gsmUmtsMask), maskText(lteMask));
        } else {
            gsmUmtsMask = match.captured(2).toULongLong(nullptr, 16);
            lteMask = match.captured(3).toULongLong(nullptr, 16);
        }
    } else if (is("AT!GSTATUS\\?$")) {
        lines = radioStatus(radioSwitch, radioReports++);
    } else if (is("AT#RUN=")) {
        if (args == QStringList{"0"} || args == QStringList{"1"})
            running = first == 1;
        else
            result = "ERROR";
    } else if (is("AT\\+CMGR=")) {
        const auto found = simMessages.find(args.size() == 1 ? first : -1);
        if (found == simMessages.end()) {
            result = "+CMS ERROR: 321";
        } else {
            lines << QString("+CMGR: %1,,%2").arg(int(found->read)).arg(FakeSms::tpduLength(found->pdu)) << found->pdu;
            found->read = true;
        }
    } else if (is("AT\\+CMGD=")) {
        if (first < smsBase || first >= smsBase + SmsCapacity)
            result = "+CMS ERROR: 321";
        else
            simMessages.remove(first);
    } else if (is("AT\\+CPBS\\?$")) {
        lines << QString("+CPBS: \"SM\",%1,%2").arg(simPhoneBook.size()).arg(phoneBookSize);
    } else if (is("AT\\+CPBR=")) {
        const int last = args.size() > 1 ? number(args.at(1)) : first;
        const bool valid = args.size() <= 2 && first >= 1 && last >= first && last <= phoneBookSize;
        for (auto e = simPhoneBook.lowerBound(first); valid && e != simPhoneBook.end() && e.key() <= last; ++e)
            lines << QString("+CPBR: %1,\"%2\",%3,\"%4\"")
                         .arg(QString::number(e.key()), e->number, QString::number(e->type), e->name);
        result = valid ? "OK" : "+CME ERROR: 21";
    } else if (is("AT\\+CPBW=")) {
        // "AT+CPBW=<pos>" erases the entry, "AT+CPBW=<pos>,"<number>",<type>,"<name>"" writes it.
        const bool write = args.size() == 4 && isQuoted(args.at(1)) && isQuoted(args.at(3)) && number(args.at(2)) >= 0;
        if (first < 1 || first > phoneBookSize || (args.size() != 1 && !write))
            result = "+CME ERROR: 21";
        else if (phoneBookRefused)
            result = "ERROR";
        else if (write && inner(args.at(3)).size() > PhoneBookNameLength)
            result = "+CME ERROR: 24";   // text string too long
        else if (write)
            simPhoneBook.insert(first, {inner(args.at(1)), number(args.at(2)), inner(args.at(3))});
        else
            simPhoneBook.remove(first);
    } else if (is("AT\\+CUSD=") && args.size() >= 2 && args.first() == "1") {
        // The network answers later, on its own: "*100#" in one datagram, "*101#" and "*102#"
        // over two (the second of "*102#" starts with a line break); other codes are not supported.
        static const QMap<QString, QStringList> network = {
            {"*100#", {"\r\n+CUSD: 0,\"Balance 5.00 EUR, valid until 2026-12-31\",15\r\n"}},
            {"*101#", {"\r\n+CUSD: 1,\"1 Balance\r\n", "2 Offers\r\n3 Exit\",15\r\n"}},
            {"*102#", {"\r\n+CUSD: 1,\"Menu", "\r\n1 Data\r\n2 Voice\",15\r\n"}},
        };
        *later = network.value(inner(args.at(1)), {"\r\n+CUSD: 4\r\n"});
    } else {
        for (const auto& fixed : kFixed) {
            if (is(fixed.pattern)) {
                lines = QString(fixed.lines).split('\n');
                break;
            }
        }
    }
    *reply = (QStringList{command} + lines + QStringList{"", result, ""}).join("\r\n").toUtf8();
    return true;
}

void FakeUnit::setSimLocked(bool locked)
{
    pinLock = locked;
    simState = locked ? SimState::Pin : SimState::Ready;
    pinTries = PinTries;
}

QString FakeUnit::verifyPin(const QString& pin)
{
    if (pin == simPin) {
        pinTries = PinTries;
        simState = SimState::Ready;
        return QStringLiteral("OK");
    }
    if (--pinTries <= 0) {
        pinTries = 0;
        simState = SimState::Puk;
    }
    return kWrongPassword;
}

// The PIN arguments come quoted, as the program sends them, except those of the unit's own
// "AT#PIN=<slot>,<pin>"; other forms are answered "ERROR". Facilities other than "SC" get "OK"
// alone from the caller.
bool FakeUnit::answerPin(const QString& upper, const QStringList& args, QStringList* lines, QString* result)
{
    const QString wanted = simState == SimState::Pin ? kPinWanted : simState == SimState::Puk ? kPukWanted : QString();
    const bool sc = inner(args.value(0)).toUpper() == QLatin1String("SC");
    const auto quoted = [&args](int from) {
        return std::all_of(args.begin() + from, args.end(), [](const QString& arg) { return isQuoted(arg); });
    };
    if (starts(upper, "AT\\+CPIN\\?$")) {
        const char* state = simState == SimState::Pin ? "SIM PIN" : simState == SimState::Puk ? "SIM PUK" : "READY";
        *lines << QStringLiteral("+CPIN: %1").arg(QLatin1String(state));
    } else if (starts(upper, "AT\\+CPIN=") && args.size() == 1 && quoted(0)) {
        *result = simState == SimState::Puk ? kPukWanted : verifyPin(inner(args.first()));
    } else if (starts(upper, "AT\\+CPIN=") && args.size() == 2 && quoted(0)) {
        // The PUK unblocks whatever the state, and sets the new PIN.
        const bool right = inner(args.first()) == simPuk && isPin(inner(args.at(1)));
        *result = right ? QStringLiteral("OK") : kWrongPassword;
        if (right) {
            simPin = inner(args.at(1));
            pinTries = PinTries;
            simState = SimState::Ready;
        }
    } else if (starts(upper, "AT\\+CPIN=")) {
        *result = QStringLiteral("ERROR");
    } else if (starts(upper, "AT\\+CIMI")) {
        if (wanted.isEmpty())
            *lines << QStringLiteral("260011234567890");
        else
            *result = wanted;
    } else if (starts(upper, "AT\\+CLCK=") && sc && args.size() == 2 && args.at(1) == QLatin1String("2")) {
        *lines << QStringLiteral("+CLCK: %1").arg(int(pinLock));
    } else if (starts(upper, "AT\\+CLCK=") && sc) {
        const bool valid = args.size() == 3 && whole(args.at(1), "[01]") && quoted(2);
        *result = !valid ? QStringLiteral("ERROR") : !wanted.isEmpty() ? wanted : verifyPin(inner(args.at(2)));
        if (*result == QLatin1String("OK"))
            pinLock = args.at(1) == QLatin1String("1");
    } else if (starts(upper, "AT\\+CPWD=") && sc) {
        // A new PIN that is no PIN is refused before the old one is tried.
        const bool valid = args.size() == 3 && quoted(1);
        if (!valid)
            *result = QStringLiteral("ERROR");
        else if (!wanted.isEmpty())
            *result = wanted;
        else
            *result = isPin(inner(args.at(2))) ? verifyPin(inner(args.at(1))) : kWrongPassword;
        if (*result == QLatin1String("OK"))
            simPin = inner(args.at(2));
    } else if (starts(upper, "AT#PIN=")) {
        const int slot = number(args.value(0));
        if (args.size() == 2 && slot >= 0 && isPin(args.at(1)))
            slotPins.insert(slot, args.at(1));
        else
            *result = QStringLiteral("ERROR");
    } else {
        return false;
    }
    return true;
}

bool FakeUnit::answerDataProfile(const QString& upper, const QStringList& args, QStringList* lines, QString* result)
{
    bool valid = true;
    if (starts(upper, "AT#CNF\\?$")) {
        *lines << "ETHERNET ADDRESS: " + configMac
               << QStringLiteral("NETWORK CONFIGURATION: %1").arg(configNet == 3 ? "NAT ENABLED" : "STATIC")
               << "NETWORK ADDRESS: " + (configWritten ? configAddress : address().toString()) + "/24"
               << QStringLiteral("UDP AT COMMAND PORT: %1").arg(configWritten ? configPort : port());
    } else if (starts(upper, "AT#CNF=")) {
        const int newPort = whole(args.value(3), "[0-9]{1,5}") ? args.value(3).toInt() : 0;
        valid = args.size() == 4 && whole(args.at(0), "[0-9A-Fa-f]{2}(:[0-9A-Fa-f]{2}){5}")
            && whole(args.at(1), "[0-9]{1,9}") && isIpv4(args.at(2)) && newPort >= 1 && newPort <= 65535;
        if (valid) {
            configWritten = true;
            configMac = args.at(0);
            configNet = args.at(1).toInt();
            configAddress = args.at(2);
            configPort = quint16(newPort);
        }
    } else if (starts(upper, "AT!SCACT=")) {
        valid = args.size() == 2 && whole(args.at(0), "[01]") && number(args.at(1)) >= 1;
    } else if (starts(upper, "AT\\+CGDCONT\\?$")) {
        *lines << QStringLiteral("+CGDCONT: 1,\"%1\",\"%2\",\"0.0.0.0\",0,0").arg(apnType, apn);
    } else if (starts(upper, "AT\\+CGDCONT=")) {
        // The unit keeps the one context it dials with.
        valid = args.size() == 3 && args.at(0) == QLatin1String("1") && isQuoted(args.at(1)) && isQuoted(args.at(2));
        if (valid) {
            apnType = inner(args.at(1));
            apn = inner(args.at(2));
        }
    } else if (starts(upper, "AT\\$QCPDPP\\?$")) {
        if (apnAuth == 0)
            *lines << QStringLiteral("$QCPDPP: 1,0");
        else
            *lines << QStringLiteral("$QCPDPP: 1,%1,\"%2\"").arg(QString::number(apnAuth), apnUser)
                          + (showPassword ? QStringLiteral(",\"%1\"").arg(apnPassword) : QString());
    } else if (starts(upper, "AT\\$QCPDPP=")) {
        // "1,0" drops the credentials; "1,<1|2>,"<password>","<user>"" sets them, password first.
        const bool none = args == QStringList{"1", "0"};
        valid = none || (args.size() == 4 && args.at(0) == QLatin1String("1") && whole(args.at(1), "[12]")
                         && isQuoted(args.at(2)) && isQuoted(args.at(3)));
        if (valid) {
            apnAuth = none ? 0 : args.at(1).toInt();
            apnPassword = none ? QString() : inner(args.at(2));
            apnUser = none ? QString() : inner(args.at(3));
        }
    } else {
        return false;
    }
    if (!valid)
        *result = QStringLiteral("ERROR");
    return true;
}
