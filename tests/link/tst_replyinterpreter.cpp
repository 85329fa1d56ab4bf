#include "app/CZKPacing.h"
#include "link/CZKCommandInterpreter.h"
#include "link/ReceptionSupport.h"

#include <QRandomGenerator>
#include <QtTest>

#include <ctime>

namespace {

// Part `number` of a concatenated message; its time stamp's seconds are the part number, so the
// stored time tells which part came last.
QString part(const char* sender, quint16 reference, quint8 count, quint8 number, const char* text)
{
    const QString time = QStringLiteral("2605121941%1").arg(number, 2, 10, QLatin1Char('0'));
    return QString::fromLatin1(FakeSms{text, sender, 0, time, reference, count, number}.pdu());
}

// The answer to "AT+CMGR=<position>".
QString readAt(int position, const QString& pdu)
{
    return cmgr(pdu).replace(QLatin1String("AT+CMGR=1"), QStringLiteral("AT+CMGR=%1").arg(position));
}

QString single(const char* text, quint8 dataCoding = 0)
{
    return QString::fromLatin1(FakeSms{text, "+4860", dataCoding}.pdu());
}

// Text as the unit shows UCS2: four hexadecimal digits a code unit.
QString ucs2Hex(const QString& text)
{
    QString hex;
    for (const QChar c : text)
        hex += QStringLiteral("%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    return hex;
}

} // namespace

class TestReplyInterpreter : public QObject {
    Q_OBJECT

    BusRecorder bus;

private slots:
    void initTestCase()
    {
        // A zone with clock changes, for the stamps that fall into them.
        qputenv("TZ", "Europe/Warsaw");
        tzset();
        messageProxy()->start();
    }
    void init() { bus.take(); }

    // Each step is a reply handed to one interpreter in turn (a step without line break is a PDU,
    // read with "AT+CMGR"), or one of the actions "!no SIM", "!SIM" (the card in slot 0 inactive
    // or active), "!refuse", "!accept" (inserts into the message table fail or succeed) and
    // "!no database". Out come reply keys, and rows of a temporary database.
    void repliesBecomeKeysAndRows_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QStringList>("rows");
        const auto row = [](const char* name, const QStringList& steps, const QStringList& keys,
                            const QStringList& rows = {}) { QTest::newRow(name) << steps << keys << rows; };
        const QString sms = QStringLiteral("RECEIVED_SMS"), keep = QStringLiteral("RECEIVED_SMS=KEEP");
        const QString ussd = QStringLiteral("RECEIVED_USSD");

        // Echoes set what the next line means; "OK" and errors end it.
        row("IMSI after its echo", {"AT+CIMI\r\n260011234567890\r\n\r\nOK\r\n"}, {"IMSI=260011234567890"});
        row("IMSI too short ends the state", {"AT+CIMI\r\n12345\r\n260011234567890\r\n\r\nOK\r\n"}, {});
        row("IMEI, lower-case echo, echo and value in two replies",
            {"at+gsn\r\n356000000000017\r\nOK\r\n", "AT+CGSN\r\n", "\r\n356000000000017\r\n\r\nOK\r\n"},
            {"IMEI=356000000000017", "IMEI=356000000000017"});
        row("OK and errors end the state",
            {"AT+CGMM\r\n\r\nOK\r\n", "X\r\n", "AT+CGMR\r\nERROR\r\n", "X\r\n", "AT+GMM\r\n+CME ERROR: 1\r\n", "X\r\n"},
            {"ERROR", "ERROR"});
        row("a read without message is empty, +CMS ERROR elsewhere dropped",
            {"AT+CMGR=9\r\n\r\n+CMS ERROR: 321\r\n", "AT+CMGR=8\r\nERROR\r\n", "AT+CMGR=7\r\n\r\nOK\r\n",
             "+CMS ERROR: 500\r\n"},
            {"RECEIVED_SMS=EMPTY", "RECEIVED_SMS=EMPTY", "ERROR", "RECEIVED_SMS=EMPTY"});
        row("restart notice keeps the state", {"AT+CIMI\r\n", "at#rst\r\n260011234567890\r\n\r\nOK\r\n"},
            {"restart", "IMSI=260011234567890"});
        // A refused phone-book write or erase is told apart from any other error, its result in
        // the echo's datagram or a later one; an accepted one ends the state.
        row("phone-book write and erase refused",
            {"AT+CPBW=3,\"600\",129,\"A name too long for the SIM\"\r\n\r\n+CME ERROR: 24\r\n", "AT+CPBW=4\r\n",
             "\r\nERROR\r\n", "at+cpbw=5\r\n\r\nOK\r\n", "ERROR\r\n"},
            {"CPBW_ERROR", "CPBW_ERROR", "ERROR"});

        // SIM lock and PIN.
        row("lock result in a later reply, once",
            {"AT+CLCK=\"SC\",1,\"1234\"\r\n", "\r\nOK\r\n", "\r\nOK\r\n", "ERROR\r\n"}, {"CLCK_OK", "ERROR"});
        row("unlock refused", {"AT+CLCK=\"SC\",0,\"1234\"\r\n\r\n+CME ERROR: 16\r\n"}, {"CLCK_ERROR"});
        row("lock query", {"AT+CLCK=\"SC\",2\r\n+CLCK: 1\r\n\r\nOK\r\n", "+clck: 0\r\n"},
            {"ENABLED_PIN", "DISABLED_PIN"});
        row("PIN states", {"\r\n+CPIN: READY\r\n\r\nOK\r\n", "+CPIN: SIM PIN\r\n", "+CPIN: SIM PIN2\r\n",
                           "+cpin: sim puk\r\n", "+CPIN: SIM BUSY\r\n", "+CPIN: incorrect password\r\n",
                           "+CPIN: NOT READY\r\n"},
            {"PIN_READY", "SIM_PIN", "SIM_PINPUK2", "SIM_PUK", "SIM_BUSY", "INCORRECT_PIN", "SIM_BUSY"});

        // Profile values.
        row("APN of context 1 only, holding a comma",
            {"+CGDCONT: 1,\"IP\",\"a,b.example\",\"0.0.0.0\",0,0\r\n", "+CGDCONT: 2,\"IP\",\"other\"\r\n"},
            {"APN_NAME=a,b.example"});
        row("APN user and password", {"$QCPDPP: 1,1,\"user\",\"pa,ss\"\r\n", "$qcpdpp: 1,2,\"u\"\r\n"},
            {"APN_USER=user", "APN_PASSWORD=pa,ss", "APN_USER=u"});
        row("radio technology once a reply", {"!SELRAT: 03\r\n!SELRAT: 03\r\n!selrat: 01\r\n", "!SELRAT: 01\r\n"},
            {"SELRAT=03\r!SELRAT: 03\r!SELRAT: 01\r", "SELRAT=01\r"});
        row("band list entry, unknown band mask",
            {"AT!BAND?\r\nIndex, Name\r\n00, All\r\n\r\nOK\r\n", "Unknown band mask\r\n"},
            {"BAND=00, All", "BAND=UNKNOWN BAND MASK"});
        row("band masks", {"!GBAND: B20, 0000000000000000, 0000000000080000\r\n",
                           "!GBAND: b3, 0000000000000000, 0000000000000004\r\n",
                           "!GBAND: WCDMA 2100, 0000000000400000, 0000000000000000\r\n"},
            {"GBAND=B_20", "GBAND=B_3", "GBAND=WCDMA_2100"});
        row("band masks of no name", {"!GBAND: B20, 0000000000000000\r\n",
                                      "!GBAND: b1, 0000000000000001, 0000000000000000\r\n", "!GBAND: \r\n"},
            {"GBAND=B20", "GBAND=B1", "GBAND"});

        // Unit information and radio status.
        row("attach state, system mode on the line", {"PS state: Not attached\r\nSystem mode: LTE PS state: Attached"},
            {"ATTACHED", "DETACHED", "ATTACHED", "SYSTEM_MODE=System mode: LTE"});
        row("whole radio lines",
            {"WCDMA band: WCDMA 2100\r\nWCDMA channel: 10700\r\nRxM RSSI C0: -70\r\nRxM RSSI C1: -72\r\n"
             "GSM band: G900\r\nGSM channel: 50\r\n"},
            {"WCDMA_BAND=WCDMA band: WCDMA 2100", "WCDMA_CHANNEL=WCDMA channel: 10700", "RSSI_C0=RxM RSSI C0: -70",
             "RSSI_C1=RxM RSSI C1: -72", "GSM_BAND=GSM band: G900", "GSM_CHANNEL=GSM channel: 50"});
        row("radio words",
            {"RX level (dBm): -70   TX power: 0\r\nRSSI (dBm):\t-67\tTx Power:\t0\r\nLTE band: B20 LTE bw: 10 MHz\r\n"
             "Unit uptime: 3600\tTemperature: 41\r\n"},
            {"GSM_RSSI=RX level (dBm): -70", "LTE_RSSI=RSSI (dBm): -67", "LTE_BAND=LTE band: B20",
             "LTE_BW=LTE bw: 10 MHz", "TEMPERATURE=Temperature: 41"});
        row("radio lines too short", {"LTE band:\r\nTemperature:\r\nRX level (dBm):\r\nSystem mode:\r\nRSSI (dBm):"},
            {"LTE_BAND=LTE band: ", "LTE_BW=   ", "TEMPERATURE= ", "GSM_RSSI=RX level (dBm): ",
             "SYSTEM_MODE=System mode: ", "LTE_RSSI=RSSI (dBm): "});
        row("unknown lines", {"RING\r\n+CREG: 1\r\n", "", "\r\n\r\n"}, {});

        // Message count and the phone book, which is mirrored into the database.
        row("message count and store size, not store names",
            {"+CPMS: 3,20,3,20,3,20\r\n", "+CPMS: \"SM\",3,20,\"SM\",3,20\r\n", "+CPMS: 2\r\n"},
            {"SMS_STORE_SIZE=20", "REC_SMS=3", "REC_SMS=2"});
        row("phone-book size of the SIM only",
            {"+CPBS: \"SM\",12,250\r\n", "+CPBS: \"SM\",x,250\r\n", "+CPBS: \"ME\",12,250\r\n"},
            {"PHONE_BOOK_POS=12", "PHONE_BOOK_MAX=250", "PHONE_BOOK_MAX=250"});
        const QString anna = QStringLiteral("+CPBR: 1,\"+48600100200\",145,\"Anna\"\r\n");
        row("phone-book entry", {anna}, {"NEW_PB_ITEM"}, {"1|+48600100200|Anna"});
        row("phone-book entry without database", {"!no database", anna}, {});
        row("name holding a comma, fields unquoted or with blanks",
            {"+CPBR: 2,\"600\",129,\"Smith, John\"\r\n+CPBR: 3,700,129,Bob\r\n+CPBR: 5, \"800\", 129, \"Eve\"\r\n"},
            {"NEW_PB_ITEM", "NEW_PB_ITEM", "NEW_PB_ITEM"}, {"2|600|Smith, John", "3|700|Bob", "5|800|Eve"});
        row("phone-book lines not stored",
            {"+CPBR: 6,\"3\",129,\"\"\r\n+CPBR: x,\"4\",129,\"Al\"\r\n+CPBR: 7,\"5\",129\r\n"}, {});

        // SMS read from the SIM. The parts' time stamps end in their numbers.
        const QString a1 = part("+4860", 9, 2, 1, "Part one, "), a2 = part("+4860", 9, 2, 2, "part two.");
        const QString joined = QStringLiteral("+4860|Part one, part two.|2026-05-12 19:41:02|0|0");
        const QString tutorial = QStringLiteral("27838890001|hellohello|2099-03-29 15:16:59|0|0");
        row("single, known PDU", {kTutorialPdu}, {sms}, {tutorial});
        row("single, UCS2", {single("Zażółć", 0x08)}, {sms}, {"+4860|Zażółć|2026-05-12 19:41:57|0|0"});
        for (const quint8 dcs : {0x13, 0xF1})
            row(qPrintable(QString("7-bit class %1").arg(dcs, 0, 16)), {single("7-bit", dcs)}, {sms},
                {"+4860|7-bit|2026-05-12 19:41:57|0|0"});
        row("two parts, last first", {a2, a1}, {keep, sms}, {"+4860|Part one, part two.|2026-05-12 19:41:01|0|0"});
        row("two senders, one reference", {a1, part("+4870", 9, 2, 1, "Other "), a2, part("+4870", 9, 2, 2, "two.")},
            {keep, keep, sms, sms}, {joined, "+4870|Other two.|2026-05-12 19:41:02|0|0"});
        row("same reference, other count", {a1, part("+4860", 9, 3, 3, "x"), a2}, {keep, keep, sms}, {joined});
        row("two parts in order, the first read twice", {a1, a1, a2}, {keep, keep, sms}, {joined});
        row("reference used again after a set was stored",
            {a1, a2, part("+4860", 9, 2, 2, "again."), part("+4860", 9, 2, 1, "Once ")}, {keep, sms, keep, sms},
            {joined, "+4860|Once again.|2026-05-12 19:41:01|0|0"});
        // The status report is taken field by field from TS 23.040.
        row("status report ignored, no PDU or one that does not decode kept",
            {"07918497908952F0062A0B918406214365F7625021911475006250219124300000", "0011ZZ", "AT+CMGR=1\r\n+CMGR: 0,,0",
             "\r\nOK\r\n"}, {sms, keep, keep});
        row("error ends the read, the message kept", {"AT+CMGR=1\r\n+CMGR: 0,,0\r\n", "ERROR\r\n", "OK\r\n"},
            {keep, "ERROR"});
        row("SMS read without database", {"!no database", kTutorialPdu}, {});
        row("no active SIM kept, the set joined once there is one",
            {"!no SIM", kTutorialPdu, a1, a2, "!SIM", kTutorialPdu, a1, a2}, {keep, keep, keep, sms, keep, sms},
            {tutorial, joined});
        row("insert refused: the set is joined again", {a1, "!refuse", a2, "!accept", a2}, {keep, keep, sms}, {joined});
        // A message stored before (a read in the terminal, a delete lost) is stored once and may go.
        const QString duplicate = QStringLiteral("RECEIVED_SMS=DUPLICATE");
        row("a message read again", {kTutorialPdu, kTutorialPdu}, {sms, duplicate}, {tutorial});
        row("a set read again", {readAt(9, a1), readAt(5, a2), readAt(9, a1), readAt(5, a2)},
            {keep, "SMS_PARTS_STORED=9", sms, duplicate, duplicate}, {joined});
        const QString b1 = part("+4860", 7, 3, 1, "One, "), b2 = part("+4860", 7, 3, 2, "two, "),
                      b3 = part("+4860", 7, 3, 3, "three.");
        row("a three-part set read again in another order, its deletes lost",
            {readAt(4, b1), readAt(5, b2), readAt(6, b3), "AT+CMGD=6\r\nERROR\r\n", readAt(5, b2), readAt(6, b3),
             readAt(4, b1)},
            {keep, keep, "SMS_PARTS_STORED=4,5", sms, "ERROR", duplicate, duplicate, duplicate},
            {"+4860|One, two, three.|2026-05-12 19:41:03|0|0"});
        // Only the same PDU from the same position of the same card is a message read again; any
        // look-alike is stored, for a second row can be removed and a lost message not restored.
        const auto stamped = [](const char* time, const char* zone = "00") {
            return QString::fromLatin1(FakeSms{"Alert", "+4890", 0, time, 0, 0, 0, zone}.pdu());
        };
        const QString alert = stamped("261206120000"), alertRow = QStringLiteral("+4890|Alert|2026-12-06 12:00:00|0|0");
        row("the same PDU at two positions", {readAt(3, alert), readAt(4, alert)}, {sms, sms}, {alertRow, alertRow});
        row("stamps that cannot be read: month 13, the spring clock gap",
            {readAt(3, stamped("261306120000")), readAt(4, stamped("260329023000")), readAt(5, stamped("261306120000"))},
            {sms, sms, sms}, {"+4890|Alert||0|0", "+4890|Alert||0|0", "+4890|Alert||0|0"});
        row("the same wall-clock time either side of the autumn clock change",
            {readAt(3, stamped("261025023000", "08")), readAt(3, stamped("261025023000", "04"))}, {sms, sms},
            {"+4890|Alert|2026-10-25 02:30:00|0|0", "+4890|Alert|2026-10-25 02:30:00|0|0"});
        row("deleted, then the same PDU at that position",
            {readAt(3, alert), "AT+CMGD=3\r\n\r\nOK\r\n", readAt(3, alert), "AT+CMGD=1,4\r\nOK\r\n",
             readAt(3, alert)},
            {sms, sms, sms}, {alertRow, alertRow, alertRow});
        row("a delete refused or unconfirmed, or of another position",
            {readAt(3, alert), "AT+CMGD=3\r\n+CMS ERROR: 321\r\n", readAt(3, alert), "AT+CMGD=4\r\nOK\r\n",
             readAt(3, alert)},
            {sms, duplicate, duplicate}, {alertRow});
        // Only the result that answers the delete's own echo confirms it: the unit answers one
        // command at a time, so an "OK" after another command's echo is that command's.
        row("a delete's result in a datagram of its own confirms it, another command's does not",
            {readAt(3, alert), "AT+CMGD=3\r\n", "\r\nOK\r\n", readAt(3, alert), "AT+CMGD=3\r\n",
             "AT+CMGF=0\r\n\r\nOK\r\n", readAt(3, alert), "AT+CMGD=3\r\n", "at+cmgf=0\r\n", "OK\r\n",
             readAt(3, alert), "AT+CMGD=3\r\nAT#RST\r\nOK\r\n", readAt(3, alert)},
            {sms, sms, duplicate, duplicate, "restart", duplicate}, {alertRow, alertRow});
        row("a delete of all, typed: refused or unanswered it keeps the positions, confirmed it forgets them",
            {readAt(3, alert), "AT+CMGDA=6\r\n+CMS ERROR: 302\r\n", readAt(3, alert), "AT+CMGDA=\"DEL ALL\"\r\n",
             "AT+CPMS?\r\n+CPMS: 1,20\r\nOK\r\n", readAt(3, alert), "AT+CMGDA=6\r\n", "\r\nOK\r\n",
             readAt(3, alert), "at+cmgda=\"del read\"\r\nOK\r\n", readAt(3, alert)},
            {sms, duplicate, "SMS_STORE_SIZE=20", "REC_SMS=1", duplicate, sms, sms}, {alertRow, alertRow, alertRow});
        row("asking which deletes the unit takes deletes nothing",
            {readAt(3, alert), "AT+CMGD=?\r\n+CMGD: (1-20),(0-4)\r\n\r\nOK\r\n", readAt(3, alert),
             "AT+CMGDA=?\r\n+CMGDA: (1-6)\r\n\r\nOK\r\n", readAt(3, alert)},
            {sms, duplicate, duplicate}, {alertRow});
        row("a read without its echo, or of another card",
            {readAt(3, alert), QStringLiteral("+CMGR: 0,,26\r\n%1\r\n\r\nOK\r\n").arg(alert), "AT+CIMI\r\n260011234567890\r\nOK\r\n", readAt(3, alert),
             "AT+CIMI\r\n260021234567890\r\nOK\r\n", readAt(3, alert)},
            {sms, sms, "IMSI=260011234567890", duplicate, "IMSI=260021234567890", sms}, {alertRow, alertRow, alertRow});
        // Held parts stay on the SIM; the positions they were read from go once their set is stored.
        const QString o1 = part("+4870", 9, 2, 1, "Other "), o2 = part("+4870", 9, 2, 2, "two.");
        const QString joinedFirstLast = QStringLiteral("+4860|Part one, part two.|2026-05-12 19:41:01|0|0");
        row("parts' positions handed out once their set is stored",
            {readAt(9, a2), readAt(4, a2), readAt(7, kTutorialPdu), readAt(5, a1)},
            {keep, keep, sms, "SMS_PARTS_STORED=4,9", sms}, {tutorial, joinedFirstLast});
        row("a delete of several forgets where the held parts lay",
            {readAt(9, a1), "AT+CMGD=1,4\r\nOK\r\n", readAt(5, a2), readAt(8, o1), "AT+CMGDA=6\r\nOK\r\n",
             readAt(4, o2)},
            {keep, sms, keep, sms}, {joined, "+4870|Other two.|2026-05-12 19:41:02|0|0"});
        row("a position found empty, deleted or holding another message forgets its part",
            {readAt(3, o2), "AT+CMGR=3\r\n+CMS ERROR: 321\r\n", readAt(9, a2), "AT+CMGD=9\r\n\r\nOK\r\n", readAt(6, a2),
             readAt(6, kTutorialPdu), readAt(5, a1), readAt(2, o1)},
            {keep, "RECEIVED_SMS=EMPTY", keep, keep, sms, sms, sms},
            {tutorial, joinedFirstLast, "+4870|Other two.|2026-05-12 19:41:01|0|0"});
        // Memory holds a bounded number of parts and positions; beyond it the oldest go, from
        // memory only: they stay on the SIM, and a later read brings them back.
        const int bound = CZKCommandInterpreter::kHeldPartsLimit;
        const auto strays = [](int count) { // first parts of sets that never complete
            QStringList reads;
            for (int i = 0; i < count; ++i)
                reads << readAt(1000 + i, part("+4880", quint16(i), 2, 1, "x"));
            return reads;
        };
        const auto keeps = [&keep](int count, const QStringList& then) {
            QStringList keys;
            for (int i = 0; i < count; ++i)
                keys << keep;
            return keys + then;
        };
        row("a set completes with the parts held up to the bound",
            QStringList{readAt(1, a1)} + strays(bound - 1) << readAt(2, a2),
            keeps(bound, {"SMS_PARTS_STORED=1", sms}), {joined});
        row("beyond the bound the oldest part is let go and read again",
            QStringList{readAt(1, a1)} + strays(bound) << readAt(2, a2) << readAt(1, a1),
            keeps(bound + 2, {"SMS_PARTS_STORED=2", sms}), {joinedFirstLast});
        QStringList atEveryPosition, positions;
        for (int position = 1; position <= bound + 1; ++position) {
            atEveryPosition << readAt(position, o1);
            if (position > 1)
                positions << QString::number(position);
        }
        row("one part at more positions than the bound: the oldest position let go",
            QStringList(atEveryPosition) << readAt(5000, o2),
            keeps(bound + 1, {"SMS_PARTS_STORED=" + positions.join(','), sms}),
            {"+4870|Other two.|2026-05-12 19:41:02|0|0"});

        // USSD answers.
        row("USSD, one datagram", {"\r\n+CUSD: 0,\"Balance: 5,00\",15\r\n"}, {ussd}, {"Network|Balance: 5,00|now|1|0"});
        row("USSD, two datagrams", {"\r\n+CUSD: 1,\"Line one\r\n", "Line two\",15\r\n"}, {ussd},
            {"Network|Line one\r\nLine two|now|1|0"});
        row("USSD, second datagram starts with a line break", {"\r\n+CUSD: 1,\"Menu", "\r\n1 Data\",15\r\n"}, {ussd},
            {"Network|Menu\r\n1 Data|now|1|0"});
        row("USSD cut off by OK", {"+CUSD: 1,\"a\r\n", "OK\r\n", "AT+CIMI\r\n260011234567890\r\n"},
            {"IMSI=260011234567890"});
        row("USSD without comma or text", {"\r\n+CUSD: 2\r\n", "\r\n+CUSD: 4,15\r\n"}, {});
        row("USSD, no active SIM", {"!no SIM", "+CUSD: 0,\"Balance\",15\r\n"}, {ussd});

        // USSD in UCS2 is stored as the text it encodes, when it is hexadecimal of whole groups.
        const QString balance = QStringLiteral("Stan konta: 5,00 PLN. Doładuj \U0001F4F1");
        const QString balanceRow = QStringLiteral("Network|%1|now|1|0").arg(balance);
        row("USSD in UCS2", {QStringLiteral("\r\n+CUSD: 0,\"%1\",72\r\n").arg(ucs2Hex(balance))}, {ussd}, {balanceRow});
        row("USSD in UCS2, lower-case digits over two datagrams",
            {QStringLiteral("+CUSD: 1,\"%1\r\n").arg(ucs2Hex(balance).left(20).toLower()),
             QStringLiteral("%1\",152\r\n").arg(ucs2Hex(balance).mid(20))}, {ussd}, {balanceRow});
        row("USSD in UCS2 with its language mark", {QStringLiteral("+CUSD: 0,\"656E%1\",17\r\n").arg(ucs2Hex("Hi"))}, {ussd},
            {"Network|Hi|now|1|0"});
        row("USSD said UCS2 but no whole groups, or another coding: as received",
            {"+CUSD: 0,\"Balance\",72\r\n", "+CUSD: 0,\"005300\",72\r\n", "+CUSD: 0,\"0053\",15\r\n",
             "+CUSD: 0,\"0x53\",72\r\n"}, {ussd, ussd, ussd, ussd},
            {"Network|Balance|now|1|0", "Network|005300|now|1|0", "Network|0053|now|1|0", "Network|0x53|now|1|0"});

        // USSD answers are bounded: no row over 4 KB, an unclosed answer ends where the bound is.
        const QString x(3000, QLatin1Char('x')), y(3000, QLatin1Char('y')), z(3000, QChar(0x017C));
        row("unclosed USSD ends at 4 KB, the next reply is itself",
            {"+CUSD: 1,\"" + x + "\r\n", y + "\r\n", "\"\r\nAT+CIMI\r\n260011234567890\r\n\r\nOK\r\n"},
            {ussd, "IMSI=260011234567890"}, {"Network|" + x + "\r\n" + y.left(4093 - 3002) + "...|now|1|0"});
        row("closed USSD over 4 KB is cut, characters counted in UTF-8", {"+CUSD: 0,\"" + z + "\",72\r\n"}, {ussd},
            {"Network|" + z.left(2046) + "...|now|1|0"});
    }

    void repliesBecomeKeysAndRows()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, keys);
        QFETCH(QStringList, rows);
        LoadedDatabase data(kActiveSim);
        QVERIFY(data.loaded);
        CZKCommandInterpreter interpreter;
        for (const QString& step : steps) {
            if (step == QLatin1String("!no SIM") || step == QLatin1String("!SIM"))
                data.db.simCards[0].active = step == QLatin1String("!SIM");
            else if (step == QLatin1String("!refuse"))
                execOnConnection("CREATE TRIGGER no BEFORE INSERT ON RECEIVE_MESSAGES"
                                 " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
            else if (step == QLatin1String("!accept"))
                execOnConnection("DROP TRIGGER no");
            else if (step == QLatin1String("!no database"))
                setDatabase(nullptr);
            else
                interpreter.interpret(step.isEmpty() || step.contains(QLatin1Char('\n')) ? step : cmgr(step));
        }
        QCOMPARE(replyKeys(bus), keys);
        QCOMPARE(stored(data.db), rows);
    }

    // The closing quote of an answer that never comes does not keep the answer waiting.
    void unclosedUssdEndsAfterTheReplyTimeout()
    {
        LoadedDatabase data(kActiveSim);
        QVERIFY(data.loaded);
        Pacing::setScale(0.01);
        CZKCommandInterpreter interpreter;
        interpreter.interpret(QStringLiteral("\r\n+CUSD: 1,\"Menu\r\n1 Data"));
        QCOMPARE(replyKeys(bus), QStringList());
        QTRY_COMPARE(data.db.receivedMessages.size(), 1);
        QCOMPARE(replyKeys(bus), QStringList{"RECEIVED_USSD"});
        interpreter.interpret(QStringLiteral("\r\n2 Voice\",15\r\n"));
        Pacing::setScale(1.0);
        QCOMPARE(stored(data.db), QStringList{"Network|Menu\r\n1 Data...|now|1|0"});
        QCOMPARE(replyKeys(bus), QStringList());
    }

    // Random and mangled replies, with and without a database: the interpreter must neither crash
    // nor get stuck in a state that swallows the next ordinary reply.
    void fuzzedRepliesDoNoHarm()
    {
        LoadedDatabase data(kActiveSim);
        QVERIFY(data.loaded);
        // Replies of every kind, cut anywhere.
        const QString corpus = cmgr(kTutorialPdu) + cmgr(part("+4860", 7, 2, 2, "second half"))
            + "\r\n+CUSD: 1,\"Line one\r\nLine two\",15\r\nAT+CIMI\r\n260011234567890\r\n\r\nOK\r\n"
              "AT+CLCK=\"SC\",1,\"1\"\r\n+CPBR: 1,\"+4860\",145,\"Smith, John\"\r\n+CPBS: \"SM\",12,250\r\n"
              "+CGDCONT: 1,\"IP\",\"apn\"\r\n$QCPDPP: 1,1,\"u\",\"p\"\r\n"
              "!GBAND: B20, 0000000000000000, 0000000000080000\r\nAT!BAND?\r\nIndex, Name\r\n00, All\r\n"
              "AT!SELRAT?\r\n!SELRAT: 03, LTE Only\r\n+CPMS: 3,20\r\n"
              "LTE band: B20 LTE bw: 10 MHz\r\nTemperature: 41\r\nRX level (dBm): -70\r\nPS state: Attached\r\n";
        const QString alphabet = QStringLiteral("\r\n\",: +0123456789ABCDEFOKRT#!$\tx\u00e9\u0000");
        QRandomGenerator random(20240601);
        CZKCommandInterpreter interpreter;
        for (int round = 0; round < 5000; ++round) {
            setDatabase(round % 4 == 3 ? nullptr : &data.db);
            // A third of the replies are random text, the others stretches of the corpus, a few characters changed.
            const bool noise = round % 3 == 0;
            QString reply = noise ? QString() : corpus.mid(random.bounded(corpus.size()), random.bounded(300));
            for (int i = random.bounded(noise ? 120 : 6); i > 0; --i) {
                const QChar c = alphabet.at(random.bounded(alphabet.size()));
                if (noise || reply.isEmpty())
                    reply += c;
                else
                    reply[random.bounded(reply.size())] = c;
            }
            interpreter.interpret(reply);
            if (round % 500 == 0)
                bus.take();
        }
        setDatabase(&data.db);
        interpreter.interpret(QStringLiteral("\r\nOK\r\n"));
        interpreter.interpret(QStringLiteral("AT+CIMI\r\n260011234567890\r\n\r\nOK\r\n"));
        QVERIFY(replyKeys(bus).endsWith(QStringLiteral("IMSI=260011234567890")));
    }
};

QTEST_GUILESS_MAIN(TestReplyInterpreter)
#include "tst_replyinterpreter.moc"
