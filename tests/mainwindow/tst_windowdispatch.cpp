#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "charts/AxisBase.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <vector>

namespace {

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
                spies.emplace_back(QString::fromLatin1(method.name()), std::make_unique<QSignalSpy>(window, method));
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

// What the dispatch may change besides signals and commands, as "field=value" lines.
QStringList stateOf(WindowFixture& fixture)
{
    return {QStringLiteral("sms=%1").arg(fixture.probe->smsCount()),
            QStringLiteral("attached=%1").arg(fixture.probe->attached()),
            QStringLiteral("temp=%1").arg(fixture.probe->temperatureText()),
            QStringLiteral("apn=%1").arg(fixture.database->db.findProfile(0)->apn),
            QStringLiteral("rat=%1").arg(fixture.database->db.findProfile(0)->activeRatId)};
}

QStringList lteBlock(const QString& level)
{
    return {"ATTACHED", "SYSTEM_MODE=System mode: LTE", "LTE_BAND=LTE band: B20", "LTE_BW=LTE bw: 10 MHz",
            "LTE_RSSI=RSSI (dBm): " + level};
}

QStringList wcdmaBlock(const QString& level)
{
    return {"ATTACHED", "WCDMA_BAND=WCDMA band: WCDMA 2100", "WCDMA_CHANNEL=WCDMA channel: 10700",
            "RSSI_C0=RxM RSSI C0:\t\t" + level, "RSSI_C1=RxM RSSI C1:\t\t-80"};
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

    // Every key and branch of the reply chain. `effects` lists the signals fired, then the
    // commands sent, then the state lines changed; a "PENDING" step before marks a PIN-lock change.
    void keyChain_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("effects");

        const QStringList phoneBookRead{"setInitText(Reading phonebook...)"};
        const QStringList phoneBookCommands{"AT+CPBS=\"SM\" [INTERNAL]", "AT+CPBS? [INTERNAL]"};
        const auto row = [](const char* name, const QString& key, const QString& value, const QStringList& effects,
                            const QStringList& before = {}, int type = ReplyKey) {
            QTest::newRow(name) << type << before << key << value << effects;
        };
        const char* const plainSignals[][2] = {
            {"PWD_ERROR", "pwdError()"}, {"PWD_OK", "pwdOK()"}, {"CLCK_ERROR", "clckError()"}, {"CLCK_OK", "clckOK()"},
            {"NEW_PB_ITEM", "phoneBookNewItem()"}, {"INCORRECT_PIN", "requestPIN()"},
            {"SIM_PUK", "requestPUK()"}, {"RECEIVED_USSD", "receiveUSSD()"}};
        for (const auto& entry : plainSignals)
            row(entry[0], entry[0], "", {entry[1]});
        row("ERROR without notice", "ERROR", "", {});
        row("PHONE_BOOK_POS", "PHONE_BOOK_POS", "12", {"phoneBookPositions(12)"});
        row("PHONE_BOOK_MAX", "PHONE_BOOK_MAX", "250", {"phoneBookMax(250)", "AT+CPBR=1,250 [INTERNAL]"});
        row("ENABLED_PIN while switching", "ENABLED_PIN", "", {"pinRequestChange(false)"}, {"PENDING"});
        row("ENABLED_PIN", "ENABLED_PIN", "", {"PINVerify(true)", "PINUIUpdate(16|true)"});
        row("DISABLED_PIN while switching", "DISABLED_PIN", "", {"pinRequestChange(true)"}, {"PENDING"});
        row("DISABLED_PIN", "DISABLED_PIN", "",
            QStringList{"PINVerify(false)", "PINUIUpdate(16|false)"} + phoneBookRead + phoneBookCommands);
        row("SIM_BUSY", "SIM_BUSY", "", {"cpinSIMBusy()", "AT+CPIN? [INTERNAL]"});
        row("PIN_READY", "PIN_READY", "",
            QStringList{"readyPIN()"} + phoneBookRead + QStringList{"readPhonebook()"} + phoneBookCommands);
        row("SIM_PINPUK2", "SIM_PINPUK2", "", {"AT#RST=MDM [INTERNAL]"});
        row("APN_NAME", "APN_NAME", "web.example", {"apn=web.example"});
        row("SELRAT", "SELRAT", "LTE ONLY", {"rat=5"});
        row("BAND changes nothing", "BAND", "B_3", {});
        row("GBAND", "GBAND", "B_3", {"rat=6"});
        row("REC_SMS 3", "REC_SMS", "3", {"receiveSMS()", "AT+CMGF=0 [INTERNAL]", "AT+CMGR=3 [INTERNAL]", "sms=3"});
        row("REC_SMS 0", "REC_SMS", "0", {});
        // Without the unit's echo of the chain's read, the answer is not the chain's.
        row("RECEIVED_SMS after 3", "RECEIVED_SMS", "", {}, {"REC_SMS=3"});
        // A garbled count clears the one before it.
        row("RECEIVED_SMS after garbled", "RECEIVED_SMS", "", {}, {"REC_SMS=3", "REC_SMS=x"});
        row("TEMPERATURE", "TEMPERATURE", "Temperature: 41", {"temp=Temperature: 41"});
        row("ATTACHED", "ATTACHED", "", {"attached=1"});
        row("DETACHED", "DETACHED", "", {"attached=0"}, {"ATTACHED"});
        // Parts of a radio block only collect; keys are case-sensitive.
        for (const char* key : {"WCDMA_BAND", "SYSTEM_MODE", "imei", "FOO"})
            row(key, key, "x: 1", {});
        // A block's last key without the RF test running shows nothing but ends the attachment.
        row("RSSI_C1 without poller", "RSSI_C1", "RxM RSSI C1: -70", {"attached=0"}, wcdmaBlock("-70").mid(0, 4));
        row("GSM_RSSI without poller", "GSM_RSSI", "RX level (dBm): -70", {"attached=0"},
            {"ATTACHED", "GSM_BAND=GSM band: G900", "GSM_CHANNEL=GSM channel: 50"});
        row("LTE_RSSI without poller", "LTE_RSSI", "RSSI (dBm): -67", {"attached=0"}, lteBlock("-67").mid(0, 4));
        row("unit restarted", "", "", {"deviceRestarted()"}, {}, UnitRestarted);
        row("link lost while not connected", "", "", {}, {}, LinkLost);
        row("other type", "PWD_OK", "", {}, {}, Info);
    }

    void keyChain()
    {
        QFETCH(int, type);
        QFETCH(QStringList, before);
        QFETCH(QString, key);
        QFETCH(QString, value);

        WindowFixture fixture;
        fixture.probe->setPinLockChangePending(before.removeAll(QStringLiteral("PENDING")) > 0);
        deliverKeys(fixture, before);
        const QStringList state = stateOf(fixture);
        // Commands that the keys before sent are on the bus still; the recorder is not to see them.
        BusRecorder().take();
        BusRecorder recorder;
        SignalLog log(fixture.window.get());

        fixture.deliver(type, key, value);

        QStringList seen = log.fired() + commandsOf(recorder);
        const QStringList after = stateOf(fixture);
        for (int i = 0; i < after.size(); ++i) {
            if (after.at(i) != state.at(i))
                seen.append(after.at(i));
        }
        QTEST(seen, "effects");
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

    // Identity keys reach unit row 0 in the file and the unit page; `expected` holds
    // "COLUMN|stored|lineEdit|shown" per field.
    void unitIdentity_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");

        const char* const plain[][4] = {
            {"IMEI", "IMEI", "editIMEI", "356938035643809"}, {"MODEL", "MDM_MODEL", "editModel", "RU-7800"},
            {"MANUFACTURER", "MANUFAKTURER", "editManufacturer", "Acme"},
            {"ETHERNET_ADDRESS", "ETHERNET_ADDR", "editMACAddr", "02:00:00:00:00:2A"}};
        QStringList steps, expected;
        for (const auto& entry : plain) {
            steps.append(QStringLiteral("%1=%2").arg(entry[0], entry[3]));
            expected.append(QStringLiteral("%1|%2|%3|%2").arg(entry[1], entry[3], entry[2]));
        }
        QTest::newRow("plain fields") << steps << expected;
        const auto row = [](const char* tag, const QString& steps, const QString& field) {
            QTest::newRow(tag) << steps.split(QLatin1Char(';')) << QStringList{field};
        };
        row("IMEI empty", "IMEI=", "IMEI||editIMEI|");
        row("NAT", "NETWORK_CONF=STATIC;NETWORK_CONF=NAT 192.168.1.1", "NET_CONF|3|editNetConf|NAT");
        row("NAT without blank", "NETWORK_CONF=NAT", "NET_CONF|1|editNetConf|Bridge");
        row("address /24", "NETWORK_ADDRESS=10.0.0.5/24", "LOCAL_NETWORK_ADDR|10.0.0.5|editLocalNetAddr|10.0.0.5");
        row("port", "UDP_PORT=65535", "UDP_PORT|65535|editUDPPort|65535");
        // A port the unit cannot have keeps the stored one.
        row("port abc", "UDP_PORT=abc", "UDP_PORT|40000|editUDPPort|40000");
    }

    void unitIdentity()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);

        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        deliverKeys(fixture, steps);
        for (const QString& field : expected) {
            const QStringList parts = field.split(QLatin1Char('|'));
            QCOMPARE(queryRows(QStringLiteral("SELECT %1 FROM ZKMAIN WHERE ID=0").arg(parts.at(0))), parts.at(1));
            QCOMPARE(fixture.pageText(parts.at(2)), parts.at(3));
        }
    }

    // The IMSI goes to the card in use (slot 0 when none is); a new IMSI drops the card's PIN.
    // `cards` is "id|imsi|pin" per card.
    void imsi_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QString>("imsi");
        QTest::addColumn<QString>("cards");

        const QString pins = QStringLiteral("UPDATE SIMCARDS SET PIN='enc';");
        const QString known = pins + "UPDATE SIMCARDS SET IMSI='260010000000001' WHERE ID=0;";
        QTest::newRow("active in slot 1")
            << pins + "UPDATE SIMCARDS SET ACTIVE='false' WHERE ID=0; UPDATE SIMCARDS SET ACTIVE='true' WHERE ID=1;"
            << "260010000000001" << "0||enc;1|260010000000001|";
        QTest::newRow("none active") << pins + "UPDATE SIMCARDS SET ACTIVE='false';" << "260010000000001"
                                     << "0|260010000000001|;1||enc";
        QTest::newRow("unchanged") << known << "260010000000001" << "0|260010000000001|enc;1||enc";
        QTest::newRow("changed") << known << "260010000000002" << "0|260010000000002|;1||enc";
    }

    void imsi()
    {
        QFETCH(QString, extraSql);
        QFETCH(QString, imsi);

        WindowFixture fixture(extraSql);
        fixture.database->db.findDevice(0)->name = QStringLiteral("Written back");
        fixture.deliver(ReplyKey, QStringLiteral("IMSI"), imsi);
        QTEST(queryRows("SELECT ID, IMSI, PIN FROM SIMCARDS ORDER BY ID"), "cards");
        QCOMPARE(queryRows("SELECT NAME FROM ZKMAIN WHERE ID=0"), QStringLiteral("Written back"));
    }

    // `step` holds the keys delivered, separated by ';'; `profile` is the device profile afterwards
    // as "apn|user|password|rat id", `shown` the field of the profile page `selected` as
    // "lineEdit=text".
    void deviceProfile_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("shown");

        const QString lte = QStringLiteral("UPDATE PROFILES SET ACTIVE_RAT_ID=5 WHERE ID=0;");
        const auto row = [](const char* step, const QString& extraSql, int selected, const char* profile,
                            const char* shown) {
            QTest::addRow("%s, page %d", step, selected) << extraSql << selected << step << profile << shown;
        };
        row("APN_NAME=web", "", 0, "web|||0", "editAPN=web");
        row("APN_PASSWORD=secret", "", 0, "||secret|0", "editAPNPassword=secret");
        row("SELRAT=LTE ONLY", "", 0, "|||5", "editRAT=LTE only");
        row("SELRAT=LTE ONLY", "", 1, "|||5", "editRAT=Automatic"); // another profile shown
        row("SELRAT=AUTOMATIC", lte, 0, "|||0", "editRAT=LTE only");
        row("SELRAT=lte only", lte, 0, "|||5", "editRAT=LTE only");
        row("GBAND=B_3", "", 0, "|||6", "editRAT=LTE band 3 (1800)");
        // A band refines the technology the unit named, when that is automatic; without its
        // answer the band decides, whatever the profile held before.
        row("GBAND=B_30", lte, 0, "|||0", "editRAT=Automatic");
        row("SELRAT=LTE ONLY;GBAND=B_3", "", 0, "|||5", "editRAT=LTE only");
        row("SELRAT=AUTOMATIC;GBAND=B_20", lte, 0, "|||7", "editRAT=LTE band 20 (800)");
        row("SELRAT=AUTOMATIC;GBAND=B_30", lte, 0, "|||0", "editRAT=Automatic");
        row("GBAND=B_3", lte + "UPDATE PROFILES SET ID=2 WHERE ID=0;", 2, "|||6", "editRAT=LTE band 3 (1800)");
        row("BAND=B_3", lte, 0, "|||5", "editRAT=LTE only");
    }

    void deviceProfile()
    {
        QFETCH(QString, extraSql);
        QFETCH(int, selected);
        QFETCH(QString, step);
        QFETCH(QString, profile);
        QFETCH(QString, shown);

        WindowFixture fixture(extraSql);
        QVERIFY(fixture.select(Profile, selected));
        fixture.probe->setProfileRefreshPending(true);
        deliverKeys(fixture, step.split(QLatin1Char(';')));
        bool found = false;
        CZKDataBase& db = fixture.database->db;
        const ProfileRecord* device = db.findProfile(db.profileIdByName(QStringLiteral("Device profile"), &found));
        QVERIFY(found && device);
        QCOMPARE(QStringLiteral("%1|%2|%3|%4").arg(device->apn, device->apnUser, device->apnPassword)
                     .arg(device->activeRatId), profile);
        QCOMPARE(fixture.pageText(shown.section('=', 0, 0)), shown.section('=', 1));
        QCOMPARE(db.findProfile(1)->apn, QStringLiteral("internet"));
        // Only the band answer, the last of a profile refresh, ends its busy state.
        QCOMPARE(fixture.probe->profileRefreshPending(), !step.contains(QLatin1String("GBAND")));
    }

    // Two refreshes in a row: the second one's band answer refines what its own "SELRAT" answer
    // said, never a technology left from the first. `earlier` and `now` are the keys each
    // refresh gets; `rat` is the profile's technology afterwards as "id editRAT".
    void deviceProfileRefreshes_data()
    {
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("now");
        QTest::addColumn<QString>("rat");

        const QString band3 = QStringLiteral("SELRAT=00, AUTOMATIC;GBAND=B_3");
        QTest::newRow("LTE only, then a band") << band3 << "SELRAT=06, LTE ONLY;GBAND=B_20" << "5 LTE only";
        QTest::newRow("automatic, then a band") << band3 << "SELRAT=00, AUTOMATIC;GBAND=B_20"
                                                << "7 LTE band 20 (800)";
        QTest::newRow("no SELRAT answer, then a band") << band3 << "GBAND=B_20" << "7 LTE band 20 (800)";
        QTest::newRow("unknown mode, then a band") << band3 << "SELRAT=03, UMTS 3G PREFERRED;GBAND=B_20"
                                                   << "7 LTE band 20 (800)";
        QTest::newRow("no SELRAT answer, no band") << band3 << "GBAND=B_30" << "0 Automatic";
        QTest::newRow("LTE only before, no SELRAT answer now")
            << "SELRAT=06, LTE ONLY;GBAND=B_3" << "GBAND=B_20" << "7 LTE band 20 (800)";
    }

    void deviceProfileRefreshes()
    {
        QFETCH(QString, earlier);
        QFETCH(QString, now);

        WindowFixture fixture;
        for (const QString& keys : {earlier, now}) {
            fixture.window->refreshProfile();
            QVERIFY(fixture.probe->profileRefreshPending());
            deliverKeys(fixture, keys.split(QLatin1Char(';')));
            QVERIFY(!fixture.probe->profileRefreshPending());
        }
        const ProfileRecord* device = fixture.database->db.findProfile(0);
        QVERIFY(device);
        QTEST(QStringLiteral("%1 %2").arg(device->activeRatId).arg(fixture.pageText(QStringLiteral("editRAT"))), "rat");
    }

    // The device profile is found by its name in the language the program runs in; without one
    // the profile keys change nothing and raise no error.
    void deviceProfileByName_data()
    {
        QTest::addColumn<bool>("polish");
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QString>("profile");
        QTest::newRow("Polish loaded") << true << QString() << "web|5";
        QTest::newRow("no such profile") << false << "UPDATE PROFILES SET NAME='Renamed' WHERE ID=0;" << "|0";
    }

    void deviceProfileByName()
    {
        QFETCH(bool, polish);
        QFETCH(QString, extraSql);
        QTranslator translator; // leaves the application when it goes, after the window
        if (polish) {
            QVERIFY(translator.load(qEnvironmentVariable("DUDEDORIV_BINARY_DIR") + QStringLiteral("/dudedoriv_pl.qm")));
            QVERIFY(QCoreApplication::installTranslator(&translator));
            QCOMPARE(QCoreApplication::translate("CZKAboutDlg", "About"), QStringLiteral("O programie"));
        }
        WindowFixture fixture(extraSql);
        BusRecorder recorder;
        deliverKeys(fixture, {"APN_NAME=web", "SELRAT=LTE ONLY", "GBAND=B_3"});
        const ProfileRecord* device = fixture.database->db.findProfile(0);
        QTEST(QStringLiteral("%1|%2").arg(device->apn).arg(device->activeRatId), "profile");
        QCOMPARE(fixture.database->db.findProfile(1)->apn, QStringLiteral("internet"));
        QCOMPARE(fixture.database->db.findProfile(1)->activeRatId, 0);
        QCOMPARE(recorder.take().filter(QRegularExpression(QStringLiteral("^1\\|"))), QStringList());
    }

    // Reports while the RF test runs (without it, see keyChain). An empty text: nothing is
    // emitted; `bar` is the chart's bar as "bars technology", empty for none.
    void radioReports_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("bar");

        const QStringList gsm{"ATTACHED", "GSM_BAND=GSM band:\tG900", "GSM_CHANNEL=GSM channel:\t50"};
        const QString gsmText = QStringLiteral("GSM band: G900\r\nGSM channel: 50\r\nRX level (dBm): %1");
        const QString lteText = QStringLiteral("System mode: LTE\r\nLTE band: B20 LTE bw: 10 MHz\r\nRSSI (dBm): %1");
        const QStringList wcdma = wcdmaBlock("-75");
        QTest::newRow("3G -75") << wcdma << kWcdmaText.arg("-75") << "35 3G";
        QTest::newRow("3G garbled") << wcdmaBlock("weak") << kWcdmaText.arg("weak") << "";
        QTest::newRow("3G three entries") << QStringList(wcdma.mid(0, 2)) + QStringList(wcdma.mid(3)) << "" << "";
        QTest::newRow("3G not attached") << QStringList(wcdma.mid(1)) << "" << "";
        QTest::newRow("2G -75.9") << gsm + QStringList{"GSM_RSSI=RX level (dBm): -75.9"} << gsmText.arg("-75.9")
                                  << "34 2G";
        QTest::newRow("4G garbled") << lteBlock("n/a") << lteText.arg("n/a") << "";
        QTest::newRow("4G without mode") << QStringList(lteBlock("-67").mid(0, 1)) + QStringList(lteBlock("-67").mid(2))
                                         << lteText.arg("-67").mid(int(qstrlen("System mode: LTE"))) << "43 4G";
    }

    void radioReports()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, text);
        QFETCH(QString, bar);

        WindowFixture fixture;
        fixture.probe->startRadioPoller();
        QSignalSpy spy(fixture.window.get(), &CZKMainWindow::updateRadioParams);
        deliverKeys(fixture, steps);
        fixture.probe->stopRadioPoller();

        QStringList emitted, bars;
        for (const QList<QVariant>& arguments : qAsConst(spy))
            emitted.append(arguments.at(0).toString());
        QCOMPARE(emitted, text.isEmpty() ? QStringList() : QStringList{text});
        QVERIFY(!fixture.probe->attached());
        CZKChartItemModel& chart = fixture.probe->chartModel();
        for (int i = 0; i < chart.sampleCount(); ++i)
            bars.append(QStringLiteral("%1 %2").arg(chart.data(chart.index(0, i)).toInt())
                            .arg(chart.headerData(i, Qt::Horizontal).toString()));
        QCOMPARE(bars, bar.isEmpty() ? QStringList() : QStringList{bar});
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
};

QTEST_MAIN(tst_WindowDispatch)
#include "tst_windowdispatch.moc"
