#include "DbTestSupport.h"

#include <QtTest>

namespace {

const char* const kUnitRows = R"(
INSERT INTO ZKMAIN (ID, NAME, NET_CONF, UDP_PORT) VALUES (0, 'unit', 3, 40000);
INSERT INTO SIMCARDS (ID, NAME, ACTIVE) VALUES (0, 'first', 'false');
INSERT INTO SIMCARDS (ID, NAME, ACTIVE) VALUES (1, 'second', 'true');
INSERT INTO SIMCARDS (ID, NAME, ACTIVE) VALUES (2, 'third', 'true');
INSERT INTO PROFILES (ID, NAME) VALUES (2, 'two');
INSERT INTO PROFILES (ID, NAME) VALUES (7, 'seven');
)";

// The unit's text fields in the table's column order.
const QVector<QString DeviceRecord::*> kDeviceTexts{
    &DeviceRecord::name, &DeviceRecord::vendor, &DeviceRecord::mdmModel, &DeviceRecord::imei,
    &DeviceRecord::firmwareVer, &DeviceRecord::serial, &DeviceRecord::ethernetAddr, &DeviceRecord::localNetworkAddr,
    &DeviceRecord::manufakturer, &DeviceRecord::deviceModel, &DeviceRecord::revision, &DeviceRecord::processor,
    &DeviceRecord::cmsis, &DeviceRecord::stdPeriphLib, &DeviceRecord::newlib, &DeviceRecord::build};

QString texts(const DeviceRecord& device)
{
    QStringList values;
    for (QString DeviceRecord::*field : kDeviceTexts)
        values.append(device.*field);
    return values.join(QLatin1Char('|'));
}

} // namespace

class TestUnitRecords : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init() { bus.take(); }
    void deviceFieldsReachTheirColumnsAndComeBack();
    void simCardEncodings();
    void newProfileIds_data();
    void newProfileIds();
    void profileInsertTakesTheNextIdAboveZero_data();
    void profileInsertTakesTheNextIdAboveZero();
    void saveAllStopsAtTheFirstFailure();

private:
    BusRecorder bus;
};

void TestUnitRecords::deviceFieldsReachTheirColumnsAndComeBack()
{
    LoadedDatabase fixture(QString::fromLatin1(kUnitRows));
    DeviceRecord* device = fixture.db.findDevice(0);
    for (int i = 0; i < kDeviceTexts.size(); ++i)
        device->*kDeviceTexts.at(i) = QStringLiteral("0%1").arg(i);
    device->netConf = 1;
    device->udpPort = 40123;
    QVERIFY(device->update());
    QCOMPARE(queryRows(QStringLiteral("SELECT NAME, VENDOR, MDM_MODEL, IMEI, FIRMWARE_VER, SERIAL, ETHERNET_ADDR, "
                                      "LOCAL_NETWORK_ADDR, MANUFAKTURER, DEVICE_MODEL, REVISION, PROCESSOR, CMSIS, "
                                      "STDPERIPHLIB, NEWLIB, BUILD, NET_CONF, UDP_PORT FROM ZKMAIN")),
             texts(*device) + QStringLiteral("|1|40123"));
    QCOMPARE(texts(reloaded(fixture.db)->devices.value(0)), texts(*device));

    // The network update leaves every other column as stored.
    device->name = QStringLiteral("renamed");
    device->localNetworkAddr = QStringLiteral("10.0.0.1");
    QVERIFY(device->updateNetwork());
    QCOMPARE(queryRows(QStringLiteral("SELECT NAME, LOCAL_NETWORK_ADDR FROM ZKMAIN")), QStringLiteral("00|10.0.0.1"));
}

void TestUnitRecords::simCardEncodings()
{
    LoadedDatabase fixture(QString::fromLatin1(kUnitRows));
    SimCardRecord& withoutProfile = fixture.db.simCards[0];
    withoutProfile.activeProfileId = -1;
    withoutProfile.pin = QStringLiteral("0042");
    SimCardRecord& active = fixture.db.simCards[1];
    active.activeProfileId = 4;
    active.color = 4294967295u;
    QVERIFY(withoutProfile.update() && active.update());
    QCOMPARE(queryRows(QStringLiteral("SELECT quote(ACTIVE_PROFILE_ID), quote(ACTIVE), COLOR, quote(PIN) FROM SIMCARDS "
                                      "WHERE ID < 2")),
             QStringLiteral("NULL|'false'|0|'0042';4|'true'|4294967295|''"));
    const auto restarted = reloaded(fixture.db);
    QCOMPARE(restarted->simCards.at(0).activeProfileId, 0); // no profile the program inserted has id 0
    QCOMPARE(restarted->simCards.at(0).pin, QStringLiteral("0042"));
    QCOMPARE(restarted->simCards.at(1).active, true);
    QCOMPARE(restarted->simCards.at(1).color, 4294967295u);
}

void TestUnitRecords::newProfileIds_data()
{
    QTest::addColumn<QVector<int>>("cachedIds");
    QTest::addColumn<int>("newId");

    QTest::newRow("empty") << QVector<int>{} << -1;
    QTest::newRow("saved only") << QVector<int>{1, 2} << -1;
    QTest::newRow("one unsaved") << QVector<int>{3, -1, 5} << -2;
    QTest::newRow("zero") << QVector<int>{0, 5} << -1;
}

void TestUnitRecords::newProfileIds()
{
    QFETCH(QVector<int>, cachedIds);
    QFETCH(int, newId);

    CZKDataBase db;
    for (int id : cachedIds)
        db.newProfile()->id = id;
    const ProfileRecord* created = db.newProfile();
    QCOMPARE(created->id, newId);
    QCOMPARE(created->name, QStringLiteral("New_%1").arg(-newId));
    QCOMPARE(db.profiles.size(), cachedIds.size() + 1);
}

void TestUnitRecords::profileInsertTakesTheNextIdAboveZero_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<int>("insertedId");

    QTest::newRow("after the largest") << QString::fromLatin1(kUnitRows) << 8;
    QTest::newRow("no saved profile") << QString() << 1;
}

void TestUnitRecords::profileInsertTakesTheNextIdAboveZero()
{
    QFETCH(QString, rows);
    QFETCH(int, insertedId);

    LoadedDatabase fixture(rows);
    fixture.db.newProfile();
    ProfileRecord* profile = fixture.db.newProfile();
    profile->apn = QStringLiteral("internet");
    QVERIFY(profile->insert());
    QCOMPARE(profile->id, insertedId);
    QCOMPARE(queryRows(QStringLiteral("SELECT ID, NAME, APN, quote(APN_USER) FROM PROFILES WHERE ID = %1").arg(insertedId)),
             QStringLiteral("%1|New_2|internet|''").arg(insertedId));
}

void TestUnitRecords::saveAllStopsAtTheFirstFailure()
{
    LoadedDatabase fixture(QString::fromLatin1(kUnitRows));
    CZKDataBase& db = fixture.db;
    execOnConnection(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE UPDATE ON SIMCARDS WHEN NEW.ID = 1 BEGIN SELECT RAISE(ABORT, 'busy'); END"));
    db.newProfile();
    db.devices[0].name = QStringLiteral("saved");
    for (SimCardRecord& card : db.simCards)
        card.name += QLatin1Char('*');
    for (ProfileRecord& profile : db.profiles)
        profile.name += QLatin1Char('*');
    bus.take();
    db.saveAll();
    QCOMPARE(queryRows(QStringLiteral("SELECT NAME FROM ZKMAIN")), QStringLiteral("saved"));
    QCOMPARE(queryRows(QStringLiteral("SELECT NAME FROM SIMCARDS")), QStringLiteral("first*;second;third"));
    QCOMPARE(queryRows(QStringLiteral("SELECT NAME FROM PROFILES")), QStringLiteral("two;seven"));
    QCOMPARE(bus.take(), QStringList{QStringLiteral("1|Database error|busy Unable to fetch row")});

    // Without the failure every row is written; the unsaved profile's UPDATE matches no row.
    execOnConnection(QStringLiteral("DROP TRIGGER refuse"));
    db.saveAll();
    QCOMPARE(queryRows(QStringLiteral("SELECT NAME FROM PROFILES")), QStringLiteral("two*;seven*"));
    QCOMPARE(bus.take(), QStringList());
}

QTEST_GUILESS_MAIN(TestUnitRecords)
#include "tst_unitrecords.moc"
