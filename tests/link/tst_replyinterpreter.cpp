#include "FakeSms.h"
#include "link/CZKCommandInterpreter.h"
#include "link/ReceptionSupport.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>

namespace {

// The SMS-DELIVER of Lars Pettersson's "SMS and the PDU format" tutorial, "hellohello".
const char* const kTutorialPdu = "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37";

QString smsRead(const QString& pdu)
{
    return QStringLiteral("AT+CMGR=1\r\n+CMGR: 0,,%1\r\n%2\r\n\r\nOK\r\n").arg(FakeSms::tpduLength(pdu.toLatin1())).arg(pdu);
}

} // namespace

class TestReplyInterpreter : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void repliesBecomeKeys_data();
    void repliesBecomeKeys();
    void phoneBookLinesAreMirrored_data();
    void phoneBookLinesAreMirrored();
    void fuzzedRepliesDoNoHarm();

private:
    BusRecorder bus;
    std::unique_ptr<LoadedDatabase> data;
};

void TestReplyInterpreter::initTestCase()
{
    messageProxy()->start();
    data = std::make_unique<LoadedDatabase>(activeSimRow());
    QVERIFY(data->loaded);
}

void TestReplyInterpreter::cleanupTestCase()
{
    data.reset();
}

void TestReplyInterpreter::init()
{
    setDatabase(&data->db);
    bus.take();
}

void TestReplyInterpreter::repliesBecomeKeys_data()
{
    QTest::addColumn<QStringList>("replies");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("withDatabase");

    const auto row = [](const char* name, const QStringList& replies, const QStringList& expected,
                        bool withDatabase = true) { QTest::newRow(name) << replies << expected << withDatabase; };

    // Echoes set what the next line means; "OK" and errors end it.
    row("IMSI after its echo", {"AT+CIMI\r\n260011234567890\r\n\r\nOK\r\n"}, {"IMSI=260011234567890"});
    row("IMSI too short ends the state", {"AT+CIMI\r\n12345\r\n260011234567890\r\n\r\nOK\r\n"}, {});
    row("IMEI, lower-case echo", {"at+gsn\r\n356000000000017\r\nOK\r\n"}, {"IMEI=356000000000017"});
    row("echo and value in two replies", {"AT+CGSN\r\n", "\r\n356000000000017\r\n\r\nOK\r\n"},
        {"IMEI=356000000000017"});
    row("model and firmware", {"AT+GMM\r\nFU-100 LTE\r\nOK\r\n", "AT+CGMR\r\nFU100_01.02.03\r\nOK\r\n"},
        {"MODEL=FU-100 LTE", "FIRMWARE=FU100_01.02.03"});
    row("OK ends the state", {"AT+CGMM\r\n\r\nOK\r\n", "FU-100\r\n"}, {});
    row("ok and OKAY end it too", {"AT+CIMI\r\nok\r\n260011234567890\r\nAT+CGSN\r\nOKAY\r\n356000000000017\r\n"}, {});
    row("ERROR ends the state", {"AT+CGMR\r\nERROR\r\n", "1.0\r\n"}, {"ERROR"});
    row("+CME ERROR", {"AT+CGMM\r\n+CME ERROR: 10\r\n"}, {"ERROR"});
    row("+CMS ERROR is dropped", {"AT+CMGR=9\r\n\r\n+CMS ERROR: 321\r\n"}, {});
    row("restart notice keeps the state", {"AT+CIMI\r\n", "at#rst\r\n260011234567890\r\n\r\nOK\r\n"},
        {"restart", "IMSI=260011234567890"});
    row("restart answered locally", {"AT#RST\r\nOK\r\n"}, {"restart"});

    // SIM lock and PIN change.
    row("lock changed", {"AT+CLCK=\"SC\",1,\"1234\"\r\n\r\nOK\r\n"}, {"CLCK_OK"});
    row("unlock refused", {"AT+CLCK=\"SC\",0,\"1234\"\r\n\r\n+CME ERROR: 16\r\n"}, {"CLCK_ERROR"});
    row("lock result in a later reply, once",
        {"AT+CLCK=\"SC\",1,\"1234\"\r\n", "\r\nOK\r\n", "\r\nOK\r\n", "ERROR\r\n"}, {"CLCK_OK", "ERROR"});
    row("lock query", {"AT+CLCK=\"SC\",2\r\n+CLCK: 1\r\n\r\nOK\r\n", "+clck: 0\r\n"},
        {"ENABLED_PIN", "DISABLED_PIN"});
    row("PIN changed", {"AT+CPWD=\"SC\",\"1234\",\"4321\"\r\n\r\nOK\r\n"}, {"PWD_OK"});
    row("PIN change refused", {"AT+CPWD=\"SC\",\"1111\",\"4321\"\r\n+CME ERROR: 16\r\n"}, {"PWD_ERROR"});
    row("PIN ready", {"\r\n+CPIN: READY\r\n\r\nOK\r\n"}, {"PIN_READY"});
    row("PIN wanted", {"+CPIN: SIM PIN\r\n"}, {"SIM_PIN"});
    row("PIN2 wanted", {"+CPIN: SIM PIN2\r\n"}, {"SIM_PINPUK2"});
    row("PUK wanted", {"+cpin: sim puk\r\n"}, {"SIM_PUK"});
    row("SIM busy", {"+CPIN: SIM BUSY\r\n"}, {"SIM_BUSY"});
    row("wrong PIN", {"+CPIN: incorrect password\r\n"}, {"INCORRECT_PIN"});

    // Profile values.
    row("APN of context 1", {"+CGDCONT: 1,\"IP\",\"internet\",\"0.0.0.0\",0,0\r\n"}, {"APN_NAME=internet"});
    row("APN holding a comma", {"+CGDCONT: 1,\"IP\",\"a,b.example\"\r\n"}, {"APN_NAME=a,b.example"});
    row("APN of context 2", {"+CGDCONT: 2,\"IP\",\"other\"\r\n"}, {});
    row("APN user and password", {"$QCPDPP: 1,1,\"user\",\"pa,ss\"\r\n"}, {"APN_USER=user", "APN_PASSWORD=pa,ss"});
    row("APN user alone", {"$qcpdpp: 1,2,\"user\"\r\n"}, {"APN_USER=user"});
    row("radio technology", {"AT!SELRAT?\r\n!SELRAT: 03, LTE Only\r\n\r\nOK\r\n"},
        {"SELRAT=?\r!SELRAT: 03, LTE ONLY\r\rOK\r"});
    row("unknown band mask", {"Unknown band mask\r\n"}, {"BAND=UNKNOWN BAND MASK"});
    row("band list entry", {"AT!BAND?\r\nIndex, Name\r\n00, All bands\r\n\r\nOK\r\n"}, {"BAND=00, All bands"});
    row("band 20", {"!GBAND: B20, 0000000000000000, 0000000000080000\r\n"}, {"GBAND=B_20"});
    row("band 3, lower case", {"!GBAND: b3, 0000000000000000, 0000000000000004\r\n"}, {"GBAND=B_3"});
    row("WCDMA 2100", {"!GBAND: WCDMA 2100, 0000000000400000, 0000000000000000\r\n"}, {"GBAND=WCDMA_2100"});
    row("band, two parts", {"!GBAND: B20, 0000000000000000\r\n"}, {"GBAND=B20"});
    row("band, other masks", {"!GBAND: b1, 0000000000000001, 0000000000000000\r\n"}, {"GBAND=B1"});
    row("band, nothing", {"!GBAND: \r\n"}, {"GBAND"});

    // Messages and the phone book.
    row("message count", {"+CPMS: 3,20,3,20,3,20\r\n"}, {"REC_SMS=3"});
    row("store names are no count", {"+CPMS: \"SM\",3,20,\"SM\",3,20\r\n"}, {});
    row("phone-book size", {"+CPBS: \"SM\",12,250\r\n"}, {"PHONE_BOOK_POS=12", "PHONE_BOOK_MAX=250"});
    row("phone-book size, used not a number", {"+CPBS: \"SM\",x,250\r\n"}, {"PHONE_BOOK_MAX=250"});
    row("phone book of another store", {"+CPBS: \"ME\",12,250\r\n"}, {});
    row("phone-book entry", {"+CPBR: 1,\"+48600100200\",145,\"Anna\"\r\n"}, {"NEW_PB_ITEM"});
    row("phone-book entry without database", {"+CPBR: 1,\"+48600100200\",145,\"Anna\"\r\n"}, {}, false);
    row("SMS read without database", {smsRead(kTutorialPdu)}, {}, false);
    row("USSD without comma", {"\r\n+CUSD: 2\r\n"}, {});
    row("USSD without text", {"\r\n+CUSD: 4,15\r\n"}, {});

    // Unit information and radio status.
    row("unit information",
        {"AT#I\r\nManufacturer: Fake Unit Works\r\nModel: FU-100\r\nRevision: 1.2\r\nProcessor: FK32\r\n"
         "CMSIS: 5.4.0\r\nSTDPERIPHLIB: 1.8.0\r\nNewlib: 3.3.0\r\nBuild: 2024-05-01 12:00\r\n\r\nOK\r\n"},
        {"MANUFACTURER=Fake Unit Works", "DEVICE_MODEL=FU-100", "REVISION=1.2", "PROCESSOR=FK32",
         "CMSIS=5.4.0", "STDPERIPHLIB=1.8.0", "NEWLIB=3.3.0", "BUILD=2024-05-01 12:00"});
    row("network configuration",
        {"AT#CNF?\r\nEthernet address: 02:00:00:00:00:01\r\nNetwork configuration: STATIC\r\n"
         "Network address: 172.31.254.1/24\r\nUDP AT command port: 40000\r\n\r\nOK\r\n"},
        {"ETHERNET_ADDRESS=02:00:00:00:00:01", "NETWORK_CONF=STATIC", "NETWORK_ADDRESS=172.31.254.1/24",
         "UDP_PORT=40000"});
    row("not attached", {"PS state: Not attached\r\n"}, {"ATTACHED", "DETACHED"});
    row("attached, system mode on the line", {"System mode: LTE     PS state: Attached\r\n"},
        {"ATTACHED", "SYSTEM_MODE=System mode: LTE"});
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
    row("radio lines too short", {"LTE band:\r\nTemperature:\r\nRX level (dBm):\r\nSystem mode:\r\nRSSI (dBm):\r\n"},
        {"LTE_BAND=LTE band: ", "LTE_BW=   ", "TEMPERATURE= ", "GSM_RSSI=RX level (dBm): ",
         "SYSTEM_MODE=System mode: ", "LTE_RSSI=RSSI (dBm): "});
    row("unknown lines", {"RING\r\n+CREG: 1\r\n", "", "\r\n\r\n"}, {});
}

void TestReplyInterpreter::repliesBecomeKeys()
{
    QFETCH(QStringList, replies);
    QFETCH(QStringList, expected);
    QFETCH(bool, withDatabase);

    if (!withDatabase)
        setDatabase(nullptr);
    CZKCommandInterpreter interpreter;
    for (const QString& reply : replies)
        interpreter.interpret(reply);
    QCOMPARE(replyKeys(bus), expected);
}

void TestReplyInterpreter::phoneBookLinesAreMirrored_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("entry");

    QTest::newRow("plain") << "+CPBR: 1,\"+48600100200\",145,\"Anna\"" << "1|+48600100200|Anna";
    QTest::newRow("name holding a comma") << "+CPBR: 2,\"600100300\",129,\"Smith, John\""
                                          << "2|600100300|Smith, John";
    QTest::newRow("unquoted fields") << "+CPBR: 3,600100400,129,Bob" << "3|600100400|Bob";
    QTest::newRow("only the outer quotes go") << "+CPBR: 4,\"1\",129,\"Say \"hi\"\"" << "4|1|Say \"hi\"";
    QTest::newRow("blanks around the fields") << "+CPBR: 5, \"2\", 129, \"Eve\"" << "5|2|Eve";
    QTest::newRow("empty name") << "+CPBR: 6,\"3\",129,\"\"" << "";
    QTest::newRow("position not a number") << "+CPBR: x,\"4\",129,\"Al\"" << "";
    QTest::newRow("no name") << "+CPBR: 7,\"5\",129" << "";
}

void TestReplyInterpreter::phoneBookLinesAreMirrored()
{
    QFETCH(QString, line);
    QFETCH(QString, entry);

    data->db.clearPhoneBook();
    CZKCommandInterpreter interpreter;
    interpreter.interpret(line + QLatin1String("\r\n"));
    QStringList mirrored;
    for (const ContactRecord& contact : qAsConst(data->db.phoneBook))
        mirrored.append(QStringLiteral("%1|%2|%3").arg(contact.id).arg(contact.msisdn, contact.name));
    QCOMPARE(mirrored, entry.isEmpty() ? QStringList() : QStringList{entry});
    QCOMPARE(replyKeys(bus), entry.isEmpty() ? QStringList() : QStringList{"NEW_PB_ITEM"});
}

// Random and mangled replies, with and without a database: the interpreter must neither crash
// nor get stuck in a state that swallows the next ordinary reply.
void TestReplyInterpreter::fuzzedRepliesDoNoHarm()
{
    FakeSms part;
    part.partCount = 2;
    part.partNumber = 2;
    part.text = QStringLiteral("second half");
    const QStringList corpus = {
        smsRead(kTutorialPdu), smsRead(QString::fromLatin1(part.pdu())), "\r\n+CUSD: 1,\"Line one\r\n",
        "Line two\",15\r\n", "AT+CIMI\r\n260011234567890\r\n\r\nOK\r\n", "AT+CLCK=\"SC\",1,\"1234\"\r\n",
        "+CPBR: 1,\"+4860\",145,\"Smith, John\"\r\n+CPBS: \"SM\",12,250\r\n+CGDCONT: 1,\"IP\",\"apn\"\r\n",
        "$QCPDPP: 1,1,\"user\",\"pass\"\r\n!GBAND: B20, 0000000000000000, 0000000000080000\r\n",
        "AT!SELRAT?\r\n!SELRAT: 03, LTE Only\r\nAT!BAND?\r\nIndex, Name\r\n00, All\r\n+CPMS: 3,20\r\n",
        "LTE band: B20 LTE bw: 10 MHz\r\nTemperature: 41\r\nRX level (dBm): -70\r\nPS state: Attached\r\n",
    };
    const QString alphabet = QStringLiteral("\r\n\",: +0123456789ABCDEFOKRT#!$\tx\u00e9\u0000");
    QRandomGenerator random(20240601);
    CZKCommandInterpreter interpreter;
    for (int round = 0; round < 20000; ++round) {
        setDatabase(round % 4 == 3 ? nullptr : &data->db);
        QString reply = corpus.at(random.bounded(corpus.size()));
        const int kind = random.bounded(3); // random text, cut short, characters changed
        if (kind == 0)
            reply.clear();
        else if (kind == 1)
            reply.truncate(random.bounded(reply.size() + 1));
        for (int i = random.bounded(kind == 0 ? 120 : 6); i > 0; --i) {
            const QChar c = alphabet.at(random.bounded(alphabet.size()));
            if (kind == 0 || reply.isEmpty())
                reply += c;
            else
                reply[random.bounded(reply.size())] = c;
        }
        interpreter.interpret(reply);
        if (round % 500 == 0)
            bus.take();
    }

    setDatabase(&data->db);
    interpreter.interpret(QStringLiteral("\r\nOK\r\n"));
    interpreter.interpret(QStringLiteral("AT+CIMI\r\n260011234567890\r\n\r\nOK\r\n"));
    const QStringList last = replyKeys(bus);
    QVERIFY(!last.isEmpty());
    QCOMPARE(last.last(), QStringLiteral("IMSI=260011234567890"));
}

QTEST_GUILESS_MAIN(TestReplyInterpreter)
#include "tst_replyinterpreter.moc"
