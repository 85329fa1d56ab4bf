#include "DbTestSupport.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QtTest>

namespace {

const char* const kRowsOfEveryTable = R"(
INSERT INTO ZKMAIN (ID, NAME, SERIAL, NET_CONF, UDP_PORT) VALUES (0, 'unit', 'S-1', NULL, 40001);
INSERT INTO SIMCARDS (ID, NAME, COLOR, ACTIVE, PIN) VALUES (3, 'card', NULL, 'true', 'xy');
INSERT INTO PROFILES (ID, NAME, APN, FORCE_OPERATOR_MNCMCC, APN_USER) VALUES (2, 'p', 'internet', NULL, NULL);
INSERT INTO RAT_DICTIONARY VALUES (5, 'LTE only', 'AT!SELRAT=06');
INSERT INTO DICT_OTHER VALUES (1, 3, 'NAT', 0);
INSERT INTO ADMNISTRATION VALUES (1, 'hadlg', 7, 2.5);
INSERT INTO MSISDN_SMS VALUES (4, 1, '+48600', NULL, NULL);
INSERT INTO MSISDN_SMS VALUES (9, 0, '0048700', 'Ann', 'work');
INSERT INTO SEND_MESSAGES VALUES (0, '2024-03-01 10:11:12', 'hi', '+48600', 1, 3);
INSERT INTO RECEIVE_MESSAGES VALUES (2, '2024-03-02 00:00:59', 'yo', 'Network', 0, 3);
INSERT INTO OPERATORS_MCCMNC VALUES (1, 260, 'Poland', 1, 'Plus');
INSERT INTO OPERATORS_MCCMNC VALUES (2, 260, 'Poland', 1, 'Duplicate');
INSERT INTO OPERATORS_MCCMNC VALUES (3, 310, 'United States', 410, 'Three digits');
)";

} // namespace

class TestDatabaseLoad : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init() { bus.take(); }
    void loadsEveryTableIntoItsList();
    void missingTableStopsTheLoad_data();
    void missingTableStopsTheLoad();
    void failedOpenIsReportedAndNothingLoads();
    void closeRemovesTheConnection();
    void scriptMakesALoadableDatabaseAndNeverOverwrites();

private:
    BusRecorder bus;
};

void TestDatabaseLoad::loadsEveryTableIntoItsList()
{
    LoadedDatabase fixture(QString::fromLatin1(kRowsOfEveryTable));
    const CZKDataBase& db = fixture.db;
    QVERIFY(fixture.loaded);
    QCOMPARE(bus.take(), (QStringList{QStringLiteral("3|Database %1 open success|").arg(db.fileName),
                                      QStringLiteral("3|Load data from database %1 success|").arg(db.fileName)}));
    QCOMPARE(db.devices.value(0).serial, QStringLiteral("S-1"));
    QCOMPARE(db.devices.value(0).netConf, 0); // a NULL reads as 0, not as the default 3
    QCOMPARE(db.simCards.value(0).color, 0u);
    QCOMPARE(db.simCards.value(0).active, true);
    QCOMPARE(db.profiles.value(0).apn, QStringLiteral("internet"));
    QCOMPARE(db.ratSetCommand(5), QStringLiteral("AT!SELRAT=06"));
    QCOMPARE(db.dictionaryValue(3, 0) + db.dictionaryValue(3, 1), QStringLiteral("NAT"));
    QCOMPARE(db.administrationValue(1), QStringList{QStringLiteral("hadlg")});
    QCOMPARE(db.operators.size(), 3);
    bool found = false;
    QCOMPARE(db.operatorName(QStringLiteral("26001"), &found), QStringLiteral("Plus")); // the first of two rows
    QVERIFY(found);
    for (const char* code : {"2600", "2600x", "2a001", "310410"}) {
        QCOMPARE(db.operatorName(QLatin1String(code), &found), QString());
        QVERIFY(!found);
    }
    QCOMPARE(db.contacts.value(0).id, 9); // in "ORDER" order, whatever the ids
    QCOMPARE(db.sentMessages.value(0).date, QDateTime(QDate(2024, 3, 1), QTime(10, 11, 12)));
    QCOMPARE(db.sentMessages.value(0).ussd, true);
    QCOMPARE(db.receivedMessages.value(0).fromMsisdn, QStringLiteral("Network"));
}

void TestDatabaseLoad::missingTableStopsTheLoad_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("devicesLoaded");
    QTest::addColumn<int>("contactsLoaded");

    QTest::newRow("first") << "ZKMAIN" << 0 << 0;
    QTest::newRow("second") << "SIMCARDS" << 1 << 0;
    QTest::newRow("last") << "OPERATORS_MCCMNC" << 1 << 2;
}

void TestDatabaseLoad::missingTableStopsTheLoad()
{
    QFETCH(QString, table);
    QFETCH(int, devicesLoaded);
    QFETCH(int, contactsLoaded);

    LoadedDatabase fixture(QString::fromLatin1(kRowsOfEveryTable) + QStringLiteral("DROP TABLE %1;").arg(table));
    QVERIFY(!fixture.loaded);
    const QString cause = QStringLiteral("no such table: %1 Unable to execute statement").arg(table);
    QCOMPARE(bus.take(), (QStringList{QStringLiteral("3|Database %1 open success|").arg(fixture.db.fileName),
                                      QStringLiteral("1|Database error|") + cause,
                                      QStringLiteral("1|Load data from database %1 error|").arg(fixture.db.fileName)}));
    QCOMPARE(fixture.db.lastErrorText(), cause);
    QCOMPARE(fixture.db.devices.size(), devicesLoaded);
    QCOMPARE(fixture.db.contacts.size(), contactsLoaded);
    QVERIFY(fixture.db.operators.isEmpty());
}

void TestDatabaseLoad::failedOpenIsReportedAndNothingLoads()
{
    QTemporaryDir dir;
    CZKDataBase db;
    db.fileName = dir.path() + QStringLiteral("/no-such-folder/dudedoriv_db.db");
    QVERIFY(!db.open());
    QVERIFY(!db.loadAll());
    const QString notOpened = QStringLiteral("%1 is not opened").arg(db.fileName);
    QCOMPARE(bus.take(), (QStringList{QStringLiteral("1|Database error|unable to open database file Error opening database"),
                                      QStringLiteral("1|Database error|") + notOpened,
                                      QStringLiteral("1|Load data from database %1 error|").arg(db.fileName)}));
    QCOMPARE(db.lastErrorText(), notOpened);
    QVERIFY(db.close());
}

void TestDatabaseLoad::closeRemovesTheConnection()
{
    LoadedDatabase fixture(QString::fromLatin1(kRowsOfEveryTable));
    CZKDataBase& db = fixture.db;
    bus.take();
    QVERIFY(db.close());
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("zk_connection")));
    QVERIFY(db.close());
    QCOMPARE(bus.take(), QStringList{QStringLiteral("3|Database %1 close success|").arg(db.fileName)});

    // Once the accessor is cleared, writes fail silently.
    setDatabase(nullptr);
    QVERIFY(!db.devices.at(0).update());
    QVERIFY(!db.addContact(QStringLiteral("+48600"), QString(), QString()));
    QCOMPARE(bus.take(), QStringList());
    QCOMPARE(db.contacts.size(), 2);
}

void TestDatabaseLoad::scriptMakesALoadableDatabaseAndNeverOverwrites()
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/dudedoriv_db.db");
    const QString script = qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/scripts/make-database.sh");
    QCOMPARE(QProcess::execute(script, {path}), 0);
    QCOMPARE(QProcess::execute(script, {path}), 1);

    CZKDataBase db;
    db.fileName = path;
    QVERIFY(db.open() && db.loadAll());
    const SimCardRecord* active = db.findSimCard(db.activeSimCardId());
    QVERIFY(active && active->simSlot == 0 && active->mainId == db.devices.value(0).id && db.devices.at(0).id == 0);
    for (int ratId : {0, 1, 2, 3, 4, 5, 6, 7, 8})
        QVERIFY(!db.ratName(ratId).isEmpty() && !db.ratSetCommand(ratId).isEmpty());
    QVERIFY(!db.dictionaryValue(1, 0).isEmpty() && !db.dictionaryValue(3, 0).isEmpty());
    QVERIFY(!db.dictionaryValue(0, 1).isEmpty() && !db.dictionaryValue(1, 1).isEmpty());
    QCOMPARE(scramblePassword(db.administrationValue(1).value(0)), QStringLiteral("admin"));
    bool found = false;
    QCOMPARE(db.operatorName(QStringLiteral("26001"), &found), QStringLiteral("Plus"));
    QCOMPARE(db.operatorName(QStringLiteral("50503"), &found), QStringLiteral("Crazy John's"));
    db.close();
}

QTEST_GUILESS_MAIN(TestDatabaseLoad)
#include "tst_databaseload.moc"
