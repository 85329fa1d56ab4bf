#include "link/CZKCommandInterpreter.h"

#include "app/CZKGlobals.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "link/ReplyFields.h"

#include <QRegExp>

using namespace ReplyFields;

namespace {

struct PrefixKey {
    const char* prefix;
    const char* key;
};

// Lines of the unit's own information ("AT#I", "AT#CNF?"): the value follows the prefix.
const PrefixKey kUnitInformation[] = {
    {"MANUFACTURER: ", "MANUFACTURER"},
    {"MODEL: ", "DEVICE_MODEL"},
    {"REVISION: ", "REVISION"},
    {"PROCESSOR: ", "PROCESSOR"},
    {"CMSIS: ", "CMSIS"},
    {"STDPERIPHLIB: ", "STDPERIPHLIB"},
    {"NEWLIB: ", "NEWLIB"},
    {"BUILD: ", "BUILD"},
    {"ETHERNET ADDRESS: ", "ETHERNET_ADDRESS"},
    {"NETWORK CONFIGURATION: ", "NETWORK_CONF"},
    {"NETWORK ADDRESS: ", "NETWORK_ADDRESS"},
    {"UDP AT COMMAND PORT: ", "UDP_PORT"},
};

// Radio-status lines that go to the window whole; it takes them apart itself.
const PrefixKey kRadioLines[] = {
    {"WCDMA BAND: ", "WCDMA_BAND"},
    {"WCDMA CHANNEL: ", "WCDMA_CHANNEL"},
    {"RXM RSSI C0: ", "RSSI_C0"},
    {"RXM RSSI C1: ", "RSSI_C1"},
    {"GSM BAND: ", "GSM_BAND"},
    {"GSM CHANNEL: ", "GSM_CHANNEL"},
};

struct BandMask {
    const char* prefix;
    const char* mask1;
    const char* mask2; // null: not compared
    const char* value;
};

const BandMask kBandMasks[] = {
    {"B20", " 0000000000000000", " 0000000000080000", "B_20"},
    {"B3", " 0000000000000000", " 0000000000000004", "B_3"},
    {"B7", " 0000000000000000", " 0000000000000040", "B_7"},
    {"WCDMA 2100", " 0000000000400000", nullptr, "WCDMA_2100"},
    {"WCDMA 900", " 0002000000000000", nullptr, "WCDMA_900"},
};

bool startsWith(const QString& upper, const char* literal)
{
    return upper.startsWith(QLatin1String(literal));
}

bool contains(const QString& upper, const char* literal)
{
    return upper.contains(QLatin1String(literal));
}

QString withBlanksForTabs(QString line)
{
    return line.replace(QLatin1Char('\t'), QLatin1Char(' '));
}

} // namespace

CZKCommandInterpreter::CZKCommandInterpreter(QObject* parent)
    : QObject(parent)
{
    ussdDeadline.setSingleShot(true);
    connect(&ussdDeadline, &QTimer::timeout, this, &CZKCommandInterpreter::endUnclosedUssd);
}

CZKCommandInterpreter::~CZKCommandInterpreter() = default;

void CZKCommandInterpreter::sendKey(const QString& key, const QString& value)
{
    sendMessage(ReplyKey, key, value);
}

void CZKCommandInterpreter::interpret(QString reply)
{
    Reply parts;
    parts.raw = reply;
    parts.joined = reply.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    parts.lines = parts.joined.split(QLatin1Char('\r'));
    selratTaken = false;
    for (int i = 0; i < parts.lines.size(); ++i) {
        // A USSD answer may go on in a datagram that starts with a line break; its first line
        // still carries the rest of the answer, empty or not.
        const bool continuation = state == UssdContinues && i == 0;
        if (parts.lines.at(i).isEmpty() && state != ReadingSms && !continuation)
            continue;
        interpretLine(parts, i);
    }
}

void CZKCommandInterpreter::interpretLine(const Reply& reply, int index)
{
    const QString& line = reply.lines.at(index);
    const QString upper = line.toUpper();
    // The unit answers one command at a time: once another command's echo has come, the result
    // of the delete before it is not coming, and the "OK" that follows is that command's.
    if (state == DeleteEchoed && startsWith(upper, "AT"))
        dropAwaitedDelete();
    if (commandResult(upper))
        return;
    if (state == UssdContinues) {
        if (index == 0)
            continueUssd(reply.raw);
        return;
    }
    if (fieldRule(line, upper, reply))
        return;
    if (contains(upper, "+CUSD: ") && split(line).size() > 1) {
        ussdAnswer(reply.raw);
        return;
    }
    if (startsWith(upper, "+CMGR:")) {
        readMessage(reply, index);
        if (index + 1 < reply.lines.size())
            return;
    }
    if (startsWith(upper, "+CPMS:")) {
        messageCount(line);
        return;
    }
    if (echoRule(upper) || unitInformation(line, upper) || radioValue(line, upper))
        return;
    unmatchedLine(line);
}

bool CZKCommandInterpreter::commandResult(const QString& upper)
{
    if (state == UssdContinues && (startsWith(upper, "OK") || startsWith(upper, "ERROR") || startsWith(upper, "+CME ERROR")))
        stopUssdCollection();
    if (startsWith(upper, "OK")) {
        if (state == ReadingSms && record && database())
            storeReadMessage();
        else if (state == ReadEchoed)
            endReadUnstored(false);
        else if (state == DeleteEchoed)
            forgetDeleted();
        else if (state == LockChange)
            sendKey(QStringLiteral("CLCK_OK"));
        else if (state == PinChange)
            sendKey(QStringLiteral("PWD_OK"));
        state = Idle;
        return true;
    }
    // A read that fails ends without a message to delete; what it brought stays on the SIM.
    const bool readEnds = state == ReadEchoed || state == ReadingSms;
    if (readEnds && (startsWith(upper, "ERROR") || startsWith(upper, "+CME ERROR") || startsWith(upper, "+CMS ERROR")))
        endReadUnstored(state == ReadingSms);
    if (startsWith(upper, "ERROR") || startsWith(upper, "+CME ERROR")) {
        if (state == LockChange)
            sendKey(QStringLiteral("CLCK_ERROR"));
        else if (state == PinChange)
            sendKey(QStringLiteral("PWD_ERROR"));
        else if (state == PhoneBookWrite)
            sendKey(QStringLiteral("CPBW_ERROR"));
        else
            sendKey(QStringLiteral("ERROR"));
        state = Idle;
        return true;
    }
    if ((readEnds || state == DeleteEchoed) && startsWith(upper, "+CMS ERROR")) {
        state = Idle;
        return true;
    }
    if (startsWith(upper, "AT#RST")) {
        // The unit restarts without a word; the echo of the command is all there is.
        sendMessage(UnitRestarted, QString(), QString());
        return true;
    }
    return false;
}

bool CZKCommandInterpreter::fieldRule(const QString& line, const QString& upper, const Reply& reply)
{
    if (contains(upper, "+CPBR: ")) {
        phoneBookEntry(line);
    } else if (contains(upper, "+CPBS: ")) {
        phoneBookSize(line);
    } else if (contains(upper, "+CGDCONT: ")) {
        apnName(line);
    } else if (contains(upper, "+CLCK: 1")) {
        sendKey(QStringLiteral("ENABLED_PIN"));
    } else if (contains(upper, "+CLCK: 0")) {
        sendKey(QStringLiteral("DISABLED_PIN"));
    } else if (contains(upper, "+CPIN: ")) {
        simStatus(upper);
    } else if (contains(upper, "$QCPDPP: ")) {
        apnUser(line);
    } else if (contains(upper, "!SELRAT: ")) {
        // The window looks for the mode's name anywhere in the answer, so it gets all of it.
        if (!selratTaken)
            sendKey(QStringLiteral("SELRAT"), reply.joined.toUpper().mid(9));
        selratTaken = true;
    } else if (contains(upper, "UNKNOWN BAND MASK")) {
        sendKey(QStringLiteral("BAND"), upper);
    } else if (contains(upper, "INDEX, NAME")) {
        state = BandEntryNext;
    } else if (contains(upper, "!GBAND: ")) {
        bandMask(line);
    } else {
        return false;
    }
    return true;
}

bool CZKCommandInterpreter::echoRule(const QString& upper)
{
    if (deleteEcho(upper))
        return true;
    if (startsWith(upper, "AT+CLCK=\"SC\",1") || startsWith(upper, "AT+CLCK=\"SC\",0"))
        state = LockChange;
    else if (startsWith(upper, "AT+CPWD=\"SC\","))
        state = PinChange;
    else if (startsWith(upper, "AT+CPBW="))
        state = PhoneBookWrite;
    else if (startsWith(upper, "AT+CMGR="))
        readEcho(upper);
    else if (startsWith(upper, "AT+CIMI"))
        state = ImsiNext;
    else if (startsWith(upper, "AT+CGSN") || startsWith(upper, "AT+GSN"))
        state = ImeiNext;
    else if (startsWith(upper, "AT+CGMM") || startsWith(upper, "AT+GMM"))
        state = ModelNext;
    else if (startsWith(upper, "AT+CGMR") || startsWith(upper, "AT+GMR"))
        state = FirmwareNext;
    else
        return false;
    return true;
}

bool CZKCommandInterpreter::unitInformation(const QString& line, const QString& upper)
{
    for (const PrefixKey& entry : kUnitInformation) {
        if (startsWith(upper, entry.prefix)) {
            sendKey(QLatin1String(entry.key), line.mid(int(qstrlen(entry.prefix))));
            return true;
        }
    }
    return false;
}

bool CZKCommandInterpreter::radioValue(const QString& line, const QString& upper)
{
    // Not a rule of its own: the same line may carry one of the values below.
    if (contains(upper, "PS STATE:")) {
        if (contains(upper, "ATTACHED"))
            sendKey(QStringLiteral("ATTACHED"));
        if (contains(upper, "NOT ATTACHED"))
            sendKey(QStringLiteral("DETACHED"));
    }
    for (const PrefixKey& entry : kRadioLines) {
        if (contains(upper, entry.prefix)) {
            sendKey(QLatin1String(entry.key), line);
            return true;
        }
    }
    // The report has two columns separated by tabs: a tab ends a word as a blank does, so that
    // the next column's label does not stick to this column's value.
    const QStringList found = words(withBlanksForTabs(line));
    if (contains(upper, "RX LEVEL (DBM):")) {
        sendKey(QStringLiteral("GSM_RSSI"), joinWords(found, 0, 4));
    } else if (contains(upper, "SYSTEM MODE:")) {
        sendKey(QStringLiteral("SYSTEM_MODE"), joinWords(found, 0, 3));
    } else if (contains(upper, "RSSI (DBM):")) {
        sendKey(QStringLiteral("LTE_RSSI"), joinWords(found, 0, 3));
    } else if (contains(upper, "LTE BAND:")) {
        sendKey(QStringLiteral("LTE_BAND"), joinWords(found, 0, 3));
        sendKey(QStringLiteral("LTE_BW"), joinWords(found, 3, 4));
    } else if (contains(upper, "TEMPERATURE:")) {
        sendKey(QStringLiteral("TEMPERATURE"), joinWords(found, 3, 2));
    } else {
        return false;
    }
    return true;
}

void CZKCommandInterpreter::unmatchedLine(const QString& line)
{
    switch (state) {
    case ImsiNext:
    case ImeiNext: {
        validator.setRegExp(QRegExp(QStringLiteral("([0-9]){15}"), Qt::CaseSensitive));
        QString text = line;
        int position = 0;
        if (validator.validate(text, position) == QValidator::Acceptable) {
            if (state == ImsiNext)
                imsiReported(line);
            sendKey(state == ImsiNext ? QStringLiteral("IMSI") : QStringLiteral("IMEI"), line);
        }
        state = Idle;
        break;
    }
    case FirmwareNext:
        sendKey(QStringLiteral("FIRMWARE"), line);
        state = Idle;
        break;
    case ModelNext:
        sendKey(QStringLiteral("MODEL"), line);
        state = Idle;
        break;
    case BandEntryNext:
        sendKey(QStringLiteral("BAND"), line);
        state = Idle;
        break;
    default:
        break;
    }
}

void CZKCommandInterpreter::phoneBookEntry(const QString& line)
{
    const QStringList fields = split(line);
    int position = 0;
    if (fields.size() < 4 || !toNumber(fields.at(0).mid(7), &position))
        return;
    const QString number = unquoted(fields.at(1));
    const QString& type = fields.at(2);
    const QString name = unquoted(fields.at(3));
    CZKDataBase* db = database();
    if (number.isEmpty() || type.isEmpty() || name.isEmpty() || !db)
        return;
    // Only mirrored: the entry is on the SIM already.
    if (db->setPhoneBookEntry(position, number, name, false))
        sendKey(QStringLiteral("NEW_PB_ITEM"));
}

void CZKCommandInterpreter::phoneBookSize(const QString& line)
{
    const QStringList fields = split(line);
    if (fields.size() < 3 || fields.at(0).indexOf(QLatin1String("\"SM\"")) < 1)
        return;
    int value = 0;
    if (toNumber(fields.at(1), &value))
        sendKey(QStringLiteral("PHONE_BOOK_POS"), QString::number(value));
    if (toNumber(fields.at(2), &value))
        sendKey(QStringLiteral("PHONE_BOOK_MAX"), QString::number(value));
}

void CZKCommandInterpreter::apnName(const QString& line)
{
    const QStringList fields = split(line);
    int context = 0;
    if (fields.size() >= 3 && toNumber(fields.at(0).mid(10), &context) && context == 1)
        sendKey(QStringLiteral("APN_NAME"), unquoted(fields.at(2)));
}

void CZKCommandInterpreter::apnUser(const QString& line)
{
    const QStringList fields = split(line);
    int context = 0;
    if (fields.size() < 3 || !toNumber(fields.at(0).toUpper().mid(9), &context) || context != 1)
        return;
    sendKey(QStringLiteral("APN_USER"), unquoted(fields.at(2)));
    if (fields.size() >= 4)
        sendKey(QStringLiteral("APN_PASSWORD"), unquoted(fields.at(3)));
}

void CZKCommandInterpreter::simStatus(const QString& upper)
{
    // A SIM that is still starting says "NOT READY": it is asked again, as a busy one is.
    if (contains(upper, "SIM BUSY") || contains(upper, "NOT READY"))
        sendKey(QStringLiteral("SIM_BUSY"));
    else if (contains(upper, "READY"))
        sendKey(QStringLiteral("PIN_READY"));
    if (contains(upper, "SIM PIN") && !contains(upper, "SIM PIN2"))
        sendKey(QStringLiteral("SIM_PIN"));
    if (contains(upper, "INCORRECT PASSWORD"))
        sendKey(QStringLiteral("INCORRECT_PIN"));
    if (contains(upper, "SIM PUK") && !contains(upper, "SIM PUK2"))
        sendKey(QStringLiteral("SIM_PUK"));
    if (contains(upper, "SIM PUK2") || contains(upper, "SIM PIN2"))
        sendKey(QStringLiteral("SIM_PINPUK2"));
}

void CZKCommandInterpreter::bandMask(const QString& line)
{
    const QStringList parts = split(line.mid(8));
    if (parts.isEmpty()) {
        sendKey(QStringLiteral("GBAND"), QString());
        return;
    }
    const QString band = parts.at(0).toUpper();
    if (parts.size() == 3) {
        for (const BandMask& mask : kBandMasks) {
            if (band.startsWith(QLatin1String(mask.prefix)) && parts.at(1) == QLatin1String(mask.mask1)
                && (!mask.mask2 || parts.at(2) == QLatin1String(mask.mask2))) {
                sendKey(QStringLiteral("GBAND"), QLatin1String(mask.value));
                return;
            }
        }
    }
    sendKey(QStringLiteral("GBAND"), band);
}

void CZKCommandInterpreter::messageCount(const QString& line)
{
    const QStringList fields = split(line);
    int count = 0;
    if (fields.isEmpty() || !toNumber(fields.at(0).mid(6), &count))
        return;
    // The store's size tells the window how far up its positions go.
    int size = 0;
    if (fields.size() > 1 && toNumber(fields.at(1), &size))
        sendKey(QStringLiteral("SMS_STORE_SIZE"), QString::number(size));
    sendKey(QStringLiteral("REC_SMS"), QString::number(count));
}
