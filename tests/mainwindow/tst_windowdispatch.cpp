#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKInitialize.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "charts/AxisBase.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

#include <vector>

namespace {

// Delivers "KEY=VALUE" reply keys in turn (a step without "=" has an empty value).
void deliverKeys(WindowFixture& fixture, const QStringList& steps)
{
    for (const QString& step : steps) {
        const int cut = step.indexOf(QLatin1Char('='));
        fixture.deliver(ReplyKey, cut < 0 ? step : step.left(cut), cut < 0 ? QString() : step.mid(cut + 1));
    }
}

// The commands sent, without the link watchdog's own "AT#".
QStringList commandsOf(BusRecorder& recorder)
{
    QStringList commands = sentCommands(recorder.take());
    commands.removeAll(QStringLiteral("AT# [INTERNAL]"));
    return commands;
}

// Spies on every signal the window declares but the bus hand-over that each delivery emits;
// fired() lists "name(arg|arg)" per emission, in the order the signals are declared.
class SignalLog {
public:
    explicit SignalLog(CZKMainWindow* window)
    {
        const QMetaObject& meta = CZKMainWindow::staticMetaObject;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            if (method.methodType() == QMetaMethod::Signal && method.name() != "isNewMessage")
                spies.emplace_back(QString::fromLatin1(method.name()),
                                   std::make_unique<QSignalSpy>(window, method));
        }
    }

    QStringList fired() const
    {
        QStringList result;
        for (const auto& spy : spies) {
            for (const QList<QVariant>& arguments : *spy.second) {
                QStringList texts;
                for (const QVariant& argument : arguments)
                    texts.append(argument.toString());
                result.append(QStringLiteral("%1(%2)").arg(spy.first, texts.join(QLatin1Char('|'))));
            }
        }
        return result;
    }

private:
    std::vector<std::pair<QString, std::unique_ptr<QSignalSpy>>> spies;
};

// What the dispatch may change besides signals, as "field=value" lines.
QStringList stateOf(WindowFixture& fixture)
{
    CZKDataBase& db = fixture.database->db;
    return {QStringLiteral("sms=%1").arg(fixture.probe->smsCount()),
            QStringLiteral("attached=%1").arg(fixture.probe->attached()),
            QStringLiteral("temp=%1").arg(fixture.probe->temperatureText()),
            QStringLiteral("apn=%1").arg(db.findProfile(0)->apn),
            QStringLiteral("rat=%1").arg(db.findProfile(0)->activeRatId),
            QStringLiteral("imsi=%1").arg(db.findSimCard(0)->imsi),
            QStringLiteral("imei=%1").arg(db.findDevice(0)->imei)};
}

QStringList withChanges(QStringList state, const QStringList& changes)
{
    for (const QString& change : changes) {
        const QString field = change.section(QLatin1Char('='), 0, 0);
        state.replaceInStrings(QRegularExpression(QLatin1Char('^') + field + QStringLiteral("=.*")), change);
    }
    return state;
}

QStringList lteBlock(const QString& level)
{
    return {QStringLiteral("ATTACHED"), QStringLiteral("SYSTEM_MODE=System mode: LTE"),
            QStringLiteral("LTE_BAND=LTE band: B20"), QStringLiteral("LTE_BW=LTE bw: 10 MHz"),
            QStringLiteral("LTE_RSSI=RSSI (dBm): ") + level};
}

QStringList wcdmaBlock(const QString& level)
{
    return {QStringLiteral("ATTACHED"), QStringLiteral("WCDMA_BAND=WCDMA band: WCDMA 2100"),
            QStringLiteral("WCDMA_CHANNEL=WCDMA channel: 10700"), QStringLiteral("RSSI_C0=RxM RSSI C0:\t\t") + level,
            QStringLiteral("RSSI_C1=RxM RSSI C1:\t\t-80")};
}

const QString kWcdmaText = QStringLiteral("WCDMA band: WCDMA 2100\r\nWCDMA channel: 10700\r\nRxM RSSI C0:   %1\r\n"
                                          "RxM RSSI C1:   -80");

} // namespace

class tst_WindowDispatch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        startWindowTests();
        // Some keys end in a box or dialog of the PIN controls; what they say is those tests'
        // business: boxes are answered, dialogs cancelled.
        CZKPrompt::setResponder([](const CZKPrompt::Call&) { return QMessageBox::Ok; });
        auto* dismiss = new QTimer(this);
        connect(dismiss, &QTimer::timeout, this, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        dismiss->start(20);
    }

    void keyChain_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("fired");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QStringList>("changes");

        const QStringList none;
        const QStringList phoneBookRead{"setInitText(Reading phonebook...)"};
        const QStringList phoneBookCommands{"AT+CPBS=\"SM\" [INTERNAL]", "AT+CPBS? [INTERNAL]"};
        const auto row = [&](const char* name, const QString& key, const QString& value, const QStringList& fired,
                             const QStringList& changes = {}, const QStringList& before = {},
                             const QStringList& commands = {}, bool pending = false, int type = ReplyKey) {
            QTest::newRow(name) << type << before << pending << key << value << fired << commands << changes;
        };
        row("PWD_ERROR", "PWD_ERROR", "", {"pwdError()"});
        row("PWD_OK", "PWD_OK", "", {"pwdOK()"});
        row("CLCK_ERROR", "CLCK_ERROR", "", {"clckError()"});
        row("CLCK_OK", "CLCK_OK", "", {"clckOK()"});
        row("ERROR without notice", "ERROR", "", none);
        row("NEW_PB_ITEM", "NEW_PB_ITEM", "", {"phoneBookNewItem()"});
        row("PHONE_BOOK_POS", "PHONE_BOOK_POS", "12", {"phoneBookPositions(12)"});
        row("PHONE_BOOK_MAX", "PHONE_BOOK_MAX", "250", {"phoneBookMax(250)"}, {}, {},
            {"AT+CPBR=1,250 [INTERNAL]"});
        row("ENABLED_PIN while switching", "ENABLED_PIN", "", {"pinRequestChange(false)"}, {}, {}, {}, true);
        row("ENABLED_PIN", "ENABLED_PIN", "", {"PINVerify(true)", "PINUIUpdate(16|true)"});
        row("DISABLED_PIN while switching", "DISABLED_PIN", "", {"pinRequestChange(true)"}, {}, {}, {}, true);
        row("DISABLED_PIN", "DISABLED_PIN", "",
            QStringList{"PINVerify(false)", "PINUIUpdate(16|false)"} + phoneBookRead, {}, {}, phoneBookCommands);
        row("SIM_BUSY", "SIM_BUSY", "", {"cpinSIMBusy()"}, {}, {}, {"AT+CPIN? [INTERNAL]"});
        row("PIN_READY", "PIN_READY", "", QStringList{"readyPIN()"} + phoneBookRead + QStringList{"readPhonebook()"},
            {}, {}, phoneBookCommands);
        row("SIM_PIN", "SIM_PIN", "", {"requestPIN()"});
        row("INCORRECT_PIN", "INCORRECT_PIN", "", {"requestPIN()"});
        row("SIM_PUK", "SIM_PUK", "", {"requestPUK()"});
        row("SIM_PINPUK2", "SIM_PINPUK2", "", none, {}, {}, {"AT#RST=MDM [INTERNAL]"});
        row("APN_NAME", "APN_NAME", "web.example", none, {"apn=web.example"});
        row("SELRAT", "SELRAT", "LTE ONLY", none, {"rat=5"});
        row("BAND changes nothing", "BAND", "B_3", none);
        row("GBAND", "GBAND", "B_3", none, {"rat=6"});
        row("REC_SMS 3", "REC_SMS", "3", {"receiveSMS()"}, {"sms=3"});
        row("REC_SMS 0", "REC_SMS", "0", none);
        row("REC_SMS x", "REC_SMS", "x", none);
        row("RECEIVED_SMS after 3", "RECEIVED_SMS", "", {"deleteSMS()"}, {"sms=3"}, {"REC_SMS=3"});
        row("RECEIVED_SMS after 0", "RECEIVED_SMS", "", none, {}, {"REC_SMS=0"});
        row("RECEIVED_SMS after x", "RECEIVED_SMS", "", none, {}, {"REC_SMS=3", "REC_SMS=x"});
        row("RECEIVED_USSD", "RECEIVED_USSD", "", {"receiveUSSD()"});
        row("IMSI", "IMSI", "260011234567890", none, {"imsi=260011234567890"});
        row("IMSI empty", "IMSI", "", none);
        row("IMEI", "IMEI", "356938035643809", none, {"imei=356938035643809"});
        row("IMEI empty", "IMEI", "", none);
        row("imei lower case", "imei", "356938035643809", none);
        row("TEMPERATURE", "TEMPERATURE", "Temperature: 41", none, {"temp=Temperature: 41"});
        row("ATTACHED", "ATTACHED", "", none, {"attached=1"});
        row("DETACHED", "DETACHED", "", none, {"attached=0"}, {"ATTACHED"});
        row("WCDMA_BAND", "WCDMA_BAND", "WCDMA band: B1", none);
        row("WCDMA_CHANNEL", "WCDMA_CHANNEL", "WCDMA channel: 10700", none);
        row("RSSI_C0", "RSSI_C0", "RxM RSSI C0: -70", none);
        row("RSSI_C1 without poller", "RSSI_C1", "RxM RSSI C1: -70", none, {"attached=0"}, wcdmaBlock("-70").mid(0, 4));
        row("GSM_BAND", "GSM_BAND", "GSM band: G900", none);
        row("GSM_CHANNEL", "GSM_CHANNEL", "GSM channel: 50", none);
        row("GSM_RSSI without poller", "GSM_RSSI", "RX level (dBm): -70", none, {"attached=0"},
            {"ATTACHED", "GSM_BAND=GSM band: G900", "GSM_CHANNEL=GSM channel: 50"});
        row("SYSTEM_MODE", "SYSTEM_MODE", "System mode: LTE", none);
        row("LTE_BAND", "LTE_BAND", "LTE band: B20", none);
        row("LTE_BW", "LTE_BW", "LTE bw: 10 MHz", none);
        row("LTE_RSSI without poller", "LTE_RSSI", "RSSI (dBm): -67", none, {"attached=0"}, lteBlock("-67").mid(0, 4));
        row("unknown key", "FOO", "bar", none);
        row("unit restarted", "", "", {"deviceRestarted()"}, {}, {}, {}, false, UnitRestarted);
        row("link lost while not connected", "", "", none, {}, {}, {}, false, LinkLost);
        row("other type", "PWD_OK", "", none, {}, {}, {}, false, Info);
    }

    void keyChain()
    {
        QFETCH(int, type);
        QFETCH(QStringList, before);
        QFETCH(bool, pending);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QStringList, fired);
        QFETCH(QStringList, commands);
        QFETCH(QStringList, changes);

        WindowFixture fixture;
        deliverKeys(fixture, before);
        fixture.probe->setPinLockChangePending(pending);
        const QStringList state = stateOf(fixture);
        BusRecorder recorder;
        SignalLog log(fixture.window.get());

        fixture.deliver(type, key, value);

        QCOMPARE(log.fired(), fired);
        QCOMPARE(commandsOf(recorder), commands);
        QCOMPARE(stateOf(fixture), withChanges(state, changes));
    }

    void noDatabaseIgnoresEverything()
    {
        WindowFixture fixture;
        BusRecorder recorder;
        SignalLog log(fixture.window.get());
        setDatabase(nullptr);
        for (int type : {int(LinkAlive), int(LinkLost), int(UnitRestarted)})
            fixture.deliver(type, QString());
        deliverKeys(fixture, {"PWD_OK", "SIM_PIN", "SIM_PINPUK2", "REC_SMS=3", "IMEI=356938035643809", "APN_NAME=x"});
        setDatabase(&fixture.database->db);

        QCOMPARE(log.fired(), QStringList());
        QCOMPARE(commandsOf(recorder), QStringList());
        QVERIFY(!fixture.probe->connected());
        QCOMPARE(fixture.probe->smsCount(), 0);
        QCOMPARE(queryRows("SELECT IMEI FROM ZKMAIN WHERE ID=0"), QString());
    }

    void unitIdentity_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("lineEdit");
        QTest::addColumn<QString>("shown");

        // Steps are "KEY=VALUE" separated by ";".
        const auto row = [](const char* tag, const QString& steps, const char* column, const QString& stored,
                            const char* lineEdit, const QString& shown) {
            QTest::newRow(tag) << steps.split(QLatin1Char(';')) << column << stored << lineEdit << shown;
        };
        const char* const plain[][4] = {
            {"IMEI", "IMEI", "editIMEI", "356938035643809"}, {"MODEL", "MDM_MODEL", "editModel", "RU-7800"},
            {"FIRMWARE", "FIRMWARE_VER", "editFirmware", "4.6.9"},
            {"MANUFACTURER", "MANUFAKTURER", "editManufacturer", "Acme"},
            {"DEVICE_MODEL", "DEVICE_MODEL", "editDeviceModel", "RU-1"}, {"REVISION", "REVISION", "editRevision", "B"},
            {"PROCESSOR", "PROCESSOR", "editProcessor", "M4"}, {"CMSIS", "CMSIS", "editCMSIS", "5.4"},
            {"STDPERIPHLIB", "STDPERIPHLIB", "editStdPeriphLib", "1.8"}, {"NEWLIB", "NEWLIB", "editNewLib", "3.1"},
            {"BUILD", "BUILD", "editBuild", "Jan 1 2026"},
            {"ETHERNET_ADDRESS", "ETHERNET_ADDR", "editMACAddr", "02:00:00:00:00:2A"}};
        for (const auto& entry : plain)
            row(entry[0], QStringLiteral("%1=%2").arg(entry[0], entry[3]), entry[1], entry[3], entry[2], entry[3]);
        row("IMEI empty", "IMEI=", "IMEI", "", "editIMEI", "");
        row("imei lower case", "imei=1", "IMEI", "", "editIMEI", "");
        row("NAT", "NETWORK_CONF=STATIC;NETWORK_CONF=NAT 192.168.1.1", "NET_CONF", "3", "editNetConf", "NAT");
        row("STATIC", "NETWORK_CONF=STATIC", "NET_CONF", "1", "editNetConf", "Bridge");
        row("NAT without blank", "NETWORK_CONF=NAT", "NET_CONF", "1", "editNetConf", "Bridge");
        row("nat lower case", "NETWORK_CONF=nat x", "NET_CONF", "1", "editNetConf", "Bridge");
        row("address with prefix", "NETWORK_ADDRESS=192.168.10.1/24", "LOCAL_NETWORK_ADDR", "192.168.10.1",
            "editLocalNetAddr", "192.168.10.1");
        row("address alone", "NETWORK_ADDRESS=10.0.0.5", "LOCAL_NETWORK_ADDR", "10.0.0.5", "editLocalNetAddr",
            "10.0.0.5");
        for (const char* port : {"40001", "65535"})
            row(port, QStringLiteral("UDP_PORT=") + port, "UDP_PORT", port, "editUDPPort", port);
        for (const char* port : {"abc", "0", "70000", "-1"})
            row(port, QStringLiteral("UDP_PORT=") + port, "UDP_PORT", "40000", "editUDPPort", "40000");
    }

    void unitIdentity()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, column);
        QFETCH(QString, stored);
        QFETCH(QString, lineEdit);
        QFETCH(QString, shown);

        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        deliverKeys(fixture, steps);
        QCOMPARE(queryRows(QStringLiteral("SELECT %1 FROM ZKMAIN WHERE ID=0").arg(column)), stored);
        QCOMPARE(fixture.pageText(lineEdit), shown);
    }

    // Each identity answer writes back every record, so a change held only in memory reaches the
    // file too; a page in edit mode keeps what the operator typed.
    void refreshSparesEditMode_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("lineEdit");
        QTest::addColumn<bool>("editing");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");

        QTest::newRow("IMEI") << int(Device) << "IMEI" << "editIMEI" << false << "Radio unit" << "356938035643809";
        QTest::newRow("IMEI, editing") << int(Device) << "IMEI" << "editIMEI" << true << "typed" << "356938035643809";
        QTest::newRow("IMSI") << int(SimCard) << "IMSI" << "editIMSI" << false << "SIM 1" << "356938035643809";
        QTest::newRow("IMSI, editing") << int(SimCard) << "IMSI" << "editIMSI" << true << "typed" << "";
    }

    void refreshSparesEditMode()
    {
        QFETCH(int, kind);
        QFETCH(QString, key);
        QFETCH(QString, lineEdit);
        QFETCH(bool, editing);
        QFETCH(QString, name);
        QFETCH(QString, shown);

        WindowFixture fixture;
        QVERIFY(fixture.select(kind, 0));
        fixture.database->db.findProfile(1)->apn = QStringLiteral("held in memory");
        auto* nameEdit = fixture.probe->pageForm()->findChild<QLineEdit*>(QStringLiteral("editName"));
        QVERIFY(nameEdit);
        nameEdit->setText(QStringLiteral("typed"));
        if (editing)
            new QComboBox(fixture.probe->pageForm());

        fixture.deliver(ReplyKey, key, QStringLiteral("356938035643809"));
        QCOMPARE(fixture.pageText(QStringLiteral("editName")), name);
        QCOMPARE(fixture.pageText(lineEdit), shown);
        QCOMPARE(queryRows("SELECT APN FROM PROFILES WHERE ID=1"), QStringLiteral("held in memory"));
    }

    void imsi_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QString>("imsi");
        QTest::addColumn<QString>("cards");

        const QString pins = QStringLiteral("UPDATE SIMCARDS SET PIN='enc';");
        QTest::newRow("active in slot 0") << pins << "260010000000001" << "0|260010000000001|;1||enc";
        QTest::newRow("active in slot 1")
            << pins + "UPDATE SIMCARDS SET ACTIVE='false' WHERE ID=0; UPDATE SIMCARDS SET ACTIVE='true' WHERE ID=1;"
            << "260010000000001" << "0||enc;1|260010000000001|";
        QTest::newRow("none active") << pins + "UPDATE SIMCARDS SET ACTIVE='false';" << "260010000000001"
                                     << "0|260010000000001|;1||enc";
        QTest::newRow("unchanged") << pins + "UPDATE SIMCARDS SET IMSI='260010000000001' WHERE ID=0;"
                                   << "260010000000001" << "0|260010000000001|enc;1||enc";
        QTest::newRow("changed") << pins + "UPDATE SIMCARDS SET IMSI='260010000000001' WHERE ID=0;"
                                 << "260010000000002" << "0|260010000000002|;1||enc";
        QTest::newRow("empty") << pins << "" << "0||enc;1||enc";
    }

    void imsi()
    {
        QFETCH(QString, extraSql);
        QFETCH(QString, imsi);
        QFETCH(QString, cards);

        WindowFixture fixture(extraSql);
        fixture.database->db.findDevice(0)->name = QStringLiteral("Written back");
        fixture.deliver(ReplyKey, QStringLiteral("IMSI"), imsi);
        QCOMPARE(queryRows("SELECT ID, IMSI, PIN FROM SIMCARDS ORDER BY ID"), cards);
        QCOMPARE(queryRows("SELECT NAME FROM ZKMAIN WHERE ID=0"),
                 imsi.isEmpty() ? QStringLiteral("Radio unit") : QStringLiteral("Written back"));
    }

    void deviceProfile_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("lineEdit");
        QTest::addColumn<QString>("shown");

        // `profile` is the device profile afterwards as "apn|user|password|rat id".
        const auto row = [](const char* tag, const QString& extraSql, int selected, const char* key, const char* value,
                            const char* profile, const char* lineEdit, const char* shown) {
            QTest::newRow(tag) << extraSql << selected << key << value << profile << lineEdit << shown;
        };
        const QString lte = QStringLiteral("UPDATE PROFILES SET ACTIVE_RAT_ID=5 WHERE ID=0;");
        row("APN_NAME shown", "", 0, "APN_NAME", "web", "web|||0", "editAPN", "web");
        row("APN_NAME elsewhere", "", 1, "APN_NAME", "web", "web|||0", "editAPN", "internet");
        row("APN_USER shown", "", 0, "APN_USER", "user", "|user||0", "editAPNUser", "user");
        row("APN_USER elsewhere", "", 1, "APN_USER", "user", "|user||0", "editAPNUser", "");
        row("APN_PASSWORD shown", "", 0, "APN_PASSWORD", "secret", "||secret|0", "editAPNPassword", "secret");
        row("APN_PASSWORD elsewhere", "", 1, "APN_PASSWORD", "secret", "||secret|0", "editAPNPassword", "");
        row("SELRAT LTE", "", 0, "SELRAT", "LTE ONLY", "|||5", "editRAT", "LTE only");
        row("SELRAT LTE elsewhere", "", 1, "SELRAT", "LTE ONLY", "|||5", "editRAT", "Automatic");
        row("SELRAT 2G", "", 0, "SELRAT", "GSM 2G ONLY", "|||1", "editRAT", "GSM 2G only");
        row("SELRAT 3G", "", 0, "SELRAT", "UMTS 3G ONLY", "|||2", "editRAT", "UMTS 3G only");
        row("SELRAT automatic", lte, 0, "SELRAT", "AUTOMATIC", "|||0", "editRAT", "LTE only");
        row("SELRAT unknown", lte, 0, "SELRAT", "lte only", "|||5", "editRAT", "LTE only");
        row("GBAND B_3", "", 0, "GBAND", "B_3", "|||6", "editRAT", "LTE band 3 (1800)");
        row("GBAND B_20", "", 0, "GBAND", "B_20", "|||7", "editRAT", "LTE band 20 (800)");
        row("GBAND B_7", "", 0, "GBAND", "B_7", "|||8", "editRAT", "LTE band 7 (2600)");
        row("GBAND WCDMA_900", "", 0, "GBAND", "WCDMA_900", "|||3", "editRAT", "WCDMA 900");
        row("GBAND WCDMA_2100", "", 0, "GBAND", "WCDMA_2100", "|||4", "editRAT", "WCDMA 2100");
        row("GBAND other", lte, 0, "GBAND", "B_30", "|||0", "editRAT", "Automatic");
        row("GBAND, profile id 2", lte + "UPDATE PROFILES SET ID=2 WHERE ID=0;", 2, "GBAND", "B_3", "|||5", "editRAT",
            "LTE only");
        row("BAND", lte, 0, "BAND", "B_3", "|||5", "editRAT", "LTE only");
    }

    void deviceProfile()
    {
        QFETCH(QString, extraSql);
        QFETCH(int, selected);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, profile);
        QFETCH(QString, lineEdit);
        QFETCH(QString, shown);

        WindowFixture fixture(extraSql);
        QVERIFY(fixture.select(Profile, selected));
        fixture.probe->setProfileRefreshPending(true);
        fixture.deliver(ReplyKey, key, value);
        bool found = false;
        CZKDataBase& db = fixture.database->db;
        const ProfileRecord* device = db.findProfile(db.profileIdByName(QStringLiteral("Device profile"), &found));
        QVERIFY(found && device);
        const QString fields = QStringLiteral("%1|%2|%3|").arg(device->apn, device->apnUser, device->apnPassword);
        QCOMPARE(fields + QString::number(device->activeRatId), profile);
        QCOMPARE(fixture.pageText(lineEdit), shown);
        QCOMPARE(db.findProfile(1)->apn, QStringLiteral("internet"));
        // Only the band answer, the last of a profile refresh, ends its busy state.
        QCOMPARE(fixture.probe->profileRefreshPending(), key != QLatin1String("GBAND"));
    }

    void withoutDeviceProfileNothingHappens()
    {
        WindowFixture fixture(QStringLiteral("UPDATE PROFILES SET NAME='Renamed' WHERE ID=0;"));
        BusRecorder recorder;
        deliverKeys(fixture, {"APN_NAME=web", "SELRAT=LTE ONLY", "GBAND=B_3"});
        for (const ProfileRecord& profile : qAsConst(fixture.database->db.profiles)) {
            QCOMPARE(profile.activeRatId, 0);
            QCOMPARE(profile.apn, profile.id == 1 ? QStringLiteral("internet") : QString());
        }
        for (const QString& line : recorder.take())
            QVERIFY2(!line.startsWith(QLatin1String("1|")), qPrintable(line));
    }

    void deviceProfileFoundInPolish()
    {
        QTranslator polish;
        QVERIFY(polish.load(qEnvironmentVariable("DUDEDORIV_BINARY_DIR") + QStringLiteral("/dudedoriv_pl.qm")));
        QVERIFY(QCoreApplication::installTranslator(&polish));
        QCOMPARE(QCoreApplication::translate("CZKAboutDlg", "About"), QStringLiteral("O programie"));
        {
            WindowFixture fixture;
            fixture.deliver(ReplyKey, QStringLiteral("APN_NAME"), QStringLiteral("web.example"));
            QCOMPARE(fixture.database->db.findProfile(0)->apn, QStringLiteral("web.example"));
        }
        QCoreApplication::removeTranslator(&polish);
    }

    void radioReports_data()
    {
        QTest::addColumn<bool>("poller");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bars");
        QTest::addColumn<QString>("technology");

        // An empty text: nothing is emitted; bars -1: no bar.
        const auto row = [](const char* tag, bool poller, const QStringList& steps, const QString& text, int bars = -1,
                            const char* technology = "") {
            QTest::newRow(tag) << poller << steps << text << bars << technology;
        };
        const QStringList gsm{"ATTACHED", "GSM_BAND=GSM band:\tG900", "GSM_CHANNEL=GSM channel:\t50"};
        const QString gsmText = QStringLiteral("GSM band: G900\r\nGSM channel: 50\r\nRX level (dBm): %1");
        const QString lteText = QStringLiteral("System mode: LTE\r\nLTE band: B20 LTE bw: 10 MHz\r\nRSSI (dBm): %1");
        const QStringList wcdma = wcdmaBlock("-75");

        row("3G -75", true, wcdma, kWcdmaText.arg("-75"), 35, "3G");
        row("3G -120", true, wcdmaBlock("-120"), kWcdmaText.arg("-120"), 0, "3G");
        row("3G -40", true, wcdmaBlock("-40"), kWcdmaText.arg("-40"), 63, "3G");
        row("3G garbled", true, wcdmaBlock("weak"), kWcdmaText.arg("weak"));
        row("3G three entries", true, QStringList(wcdma.mid(0, 2)) + QStringList(wcdma.mid(3)), "");
        row("3G not attached", true, QStringList(wcdma.mid(1)), "");
        row("3G no poller", false, wcdma, "");
        row("2G -75.9", true, gsm + QStringList{"GSM_RSSI=RX level (dBm): -75.9"}, gsmText.arg("-75.9"), 34, "2G");
        row("2G garbled", true, gsm + QStringList{"GSM_RSSI=RX level (dBm): --"}, gsmText.arg("--"));
        row("2G two entries", true, {"ATTACHED", "GSM_BAND=G900", "GSM_RSSI=RX level (dBm): -70"}, "");
        row("2G no poller", false, gsm + QStringList{"GSM_RSSI=RX level (dBm): -70"}, "");
        row("4G -75.9", true, lteBlock("-75.9"), lteText.arg("-75.9"), 34, "4G");
        row("4G garbled", true, lteBlock("n/a"), lteText.arg("n/a"));
        row("4G without level", true, QStringList(lteBlock("").mid(0, 4)) + QStringList{"LTE_RSSI=RSSI"},
            lteText.arg("").replace("RSSI (dBm): ", "RSSI"));
        row("4G without mode", true, QStringList(lteBlock("-67").mid(0, 1)) + QStringList(lteBlock("-67").mid(2)),
            lteText.arg("-67").mid(int(qstrlen("System mode: LTE"))), 43, "4G");
        row("4G no poller", false, lteBlock("-67"), "");
    }

    void radioReports()
    {
        QFETCH(bool, poller);
        QFETCH(QStringList, steps);
        QFETCH(QString, text);
        QFETCH(int, bars);
        QFETCH(QString, technology);

        WindowFixture fixture;
        if (poller)
            fixture.probe->startRadioPoller();
        QSignalSpy spy(fixture.window.get(), &CZKMainWindow::updateRadioParams);
        deliverKeys(fixture, steps);
        fixture.probe->stopRadioPoller();

        QStringList emitted;
        for (const QList<QVariant>& arguments : qAsConst(spy))
            emitted.append(arguments.at(0).toString());
        QCOMPARE(emitted, text.isEmpty() ? QStringList() : QStringList{text});
        QVERIFY(!fixture.probe->attached());
        CZKChartItemModel& chart = fixture.probe->chartModel();
        QCOMPARE(chart.sampleCount(), bars < 0 ? 0 : 1);
        if (bars >= 0) {
            QCOMPARE(chart.data(chart.index(0, 0)).toInt(), bars);
            QCOMPARE(chart.headerData(0, Qt::Horizontal).toString(), technology);
            const QSint::AxisBase* axis = fixture.probe->ui()->barChart->verticalAxis();
            QCOMPARE(axis->rangeMinimum(), qMax(0.0, bars - 3.0));
            QCOMPARE(axis->rangeMaximum(), qMin(63.0, bars + 3.0));
        }
    }

    // A 2G or 4G block uses the temperature up even when it shows nothing; a 3G block keeps it
    // for the next 3G report that is shown. The chart's axis spans every bar so far.
    void temperatureAndChartOverReports()
    {
        WindowFixture fixture;
        QSignalSpy spy(fixture.window.get(), &CZKMainWindow::updateRadioParams);
        deliverKeys(fixture, QStringList{"TEMPERATURE=Temperature: 41"} + lteBlock("-70"));
        QCOMPARE(fixture.probe->temperatureText(), QString());
        deliverKeys(fixture, QStringList{"TEMPERATURE=Temperature: 42"} + wcdmaBlock("-70"));
        QCOMPARE(fixture.probe->temperatureText(), QStringLiteral("Temperature: 42"));
        QCOMPARE(spy.count(), 0);

        fixture.probe->startRadioPoller();
        for (const char* level : {"-75", "x", "-70"})
            deliverKeys(fixture, wcdmaBlock(QLatin1String(level)));
        fixture.probe->stopRadioPoller();
        QCOMPARE(spy.count(), 3);
        QCOMPARE(spy.at(0).at(0).toString(), kWcdmaText.arg("-75") + "\nTemperature: 42");
        QCOMPARE(spy.at(2).at(0).toString(), kWcdmaText.arg("-70"));
        QCOMPARE(fixture.probe->temperatureText(), QString());
        QCOMPARE(fixture.probe->chartModel().sampleCount(), 2);
        const QSint::AxisBase* axis = fixture.probe->ui()->barChart->verticalAxis();
        QCOMPARE(axis->rangeMinimum(), 32.0);
        QCOMPARE(axis->rangeMaximum(), 43.0);
    }

    void errorEndsInitNotice()
    {
        MainWindowProbe::resetRunState();
        WindowFixture fixture;
        fixture.deliver(LinkAlive, QString());
        QPointer<CZKInitialize> notice = fixture.probe->initDialog();
        QVERIFY(notice);
        QVERIFY(fixture.probe->initTimer().isActive());

        fixture.deliver(ReplyKey, QStringLiteral("ERROR"));
        QVERIFY(!fixture.probe->initDialog());
        QVERIFY(notice.isNull());
        QVERIFY(!fixture.probe->initTimer().isActive());
    }

    // A figure to watch, not a limit: the GUI time of one identity key with the unit page
    // shown, the database on disk.
    void identityKeyCost()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 10; ++i)
            fixture.deliver(ReplyKey, QStringLiteral("IMEI"), QStringLiteral("35600000000%1").arg(1000 + i));
        qInfo("one identity key: %.1f ms", clock.nsecsElapsed() / 1e6 / 10);
    }
};

QTEST_MAIN(tst_WindowDispatch)
#include "tst_windowdispatch.moc"
