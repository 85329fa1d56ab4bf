#include "DbTestSupport.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QtTest>

#include <functional>

namespace {

// Rows in every table; each test starts from a fresh database holding them.
const char* const kRows = R"(
INSERT INTO ZKMAIN (ID, NAME, SERIAL, NET_CONF, UDP_PORT) VALUES (0, 'unit', 'S-1', NULL, 40001);
INSERT INTO SIMCARDS (ID, NAME, COLOR, ACTIVE) VALUES (0, 'first', NULL, 'false'), (1, 'second', 0, 'true'),
    (2, 'third', 0, 'true');
INSERT INTO PROFILES (ID, NAME, APN) VALUES (2, 'two', 'internet'), (7, 'seven', NULL);
INSERT INTO RAT_DICTIONARY VALUES (5, 'LTE only', 'AT!SELRAT=06');
INSERT INTO DICT_OTHER VALUES (1, 3, 'NAT', 0);
INSERT INTO ADMNISTRATION VALUES (1, 'hadlg', 7, 2.5);
INSERT INTO MSISDN_SMS VALUES (0, 4, '+48600', 'Ann', 'home'), (1, 1, '600', NULL, NULL), (5, 0, '700', 'Bob', '');
INSERT INTO SEND_MESSAGES VALUES (0, '2024-03-01 10:11:12', 'hi', '+48600', 1, 3);
INSERT INTO RECEIVE_MESSAGES VALUES (3, '2024-03-02 00:00:59', 'yo', 'Network', 1, 0);
INSERT INTO OPERATORS_MCCMNC VALUES (1, 260, 'Poland', 1, 'Plus'), (2, 260, 'Poland', 1, 'Duplicate'),
    (3, 310, 'United States', 410, 'Three digits');
)";

// The unit's text fields in the table's column order.
const QVector<QString DeviceRecord::*> kDeviceTexts{
    &DeviceRecord::name, &DeviceRecord::vendor, &DeviceRecord::mdmModel, &DeviceRecord::imei,
    &DeviceRecord::firmwareVer, &DeviceRecord::serial, &DeviceRecord::ethernetAddr, &DeviceRecord::localNetworkAddr,
    &DeviceRecord::manufakturer, &DeviceRecord::deviceModel, &DeviceRecord::revision, &DeviceRecord::processor,
    &DeviceRecord::cmsis, &DeviceRecord::stdPeriphLib, &DeviceRecord::newlib, &DeviceRecord::build};

// What the lists hold, to show that a failed change left them alone.
QString snapshot(const CZKDataBase& db)
{
    QStringList parts{QString::number(db.sentMessages.size()), QString::number(db.receivedMessages.size())};
    for (const ContactRecord& c : db.contacts)
        parts << QStringLiteral("%1:%2:%3:%4:%5").arg(c.id).arg(c.order).arg(c.msisdn, c.name, c.description);
    for (const ProfileRecord& p : db.profiles)
        parts << QString::number(p.id);
    return parts.join(' ');
}

using Change = std::function<bool(CZKDataBase&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

// The local database, and the SIM phone book it mirrors in memory.
class TestDatabase : public QObject {
    Q_OBJECT

    BusRecorder bus;
    std::unique_ptr<LoadedDatabase> fixture;
    CZKDataBase* db = nullptr;

    // Replaces the database (the earlier one goes first: they share one connection) and gives
    // what the load put on the bus.
    QStringList load(const QString& sql)
    {
        fixture.reset();
        bus.take();
        fixture = std::make_unique<LoadedDatabase>(sql);
        db = &fixture->db;
        return bus.take();
    }

    void fillPhoneBook(const QVector<int>& positions)
    {
        for (int pos : positions)
            db->setPhoneBookEntry(pos, QStringLiteral("+4860%1").arg(pos), QStringLiteral("N%1").arg(pos), false);
    }

    QVector<int> phoneBookPositions() const
    {
        QVector<int> result;
        for (const ContactRecord& entry : db->phoneBook)
            result.append(entry.id);
        return result;
    }

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init() { load(QString::fromLatin1(kRows)); }

    void loadsEveryTableIntoItsListAndCloses()
    {
        const QStringList messages = load(QString::fromLatin1(kRows));
        QCOMPARE(messages, (QStringList{QStringLiteral("3|Database %1 open success|").arg(db->fileName),
                                        QStringLiteral("3|Load data from database %1 success|").arg(db->fileName)}));
        // A NULL NET_CONF reads as 0, not as the default 3; contacts come in "ORDER" order.
        QCOMPARE((QVariantList{db->devices.value(0).serial, db->devices.value(0).netConf, db->simCards.value(0).color,
                               db->simCards.value(1).active, db->profiles.value(0).apn, db->ratSetCommand(5),
                               db->dictionaryValue(3, 0) + db->dictionaryValue(3, 1), db->administrationValue(1),
                               db->contacts.value(0).id, db->sentMessages.value(0).date, db->sentMessages.value(0).ussd,
                               db->receivedMessages.value(0).fromMsisdn, db->operators.size()}),
                 (QVariantList{"S-1", 0, 0u, true, "internet", "AT!SELRAT=06", "NAT", QStringList{"hadlg"}, 5,
                               QDateTime(QDate(2024, 3, 1), QTime(10, 11, 12)), true, "Network", 3}));
        bool found = false;
        QCOMPARE(db->operatorName("26001", &found), QStringLiteral("Plus")); // the first of two rows
        QVERIFY(found);
        for (const char* code : {"2600", "2600x", "2a001", "310410"})
            QVERIFY2(db->operatorName(code, &found).isEmpty() && !found, code);

        QVERIFY(db->close() && !QSqlDatabase::contains(QStringLiteral("zk_connection")) && db->close());
        QCOMPARE(bus.take(), QStringList{QStringLiteral("3|Database %1 close success|").arg(db->fileName)});
    }

    void loadFailures_data()
    {
        QTest::addColumn<QString>("table"); // dropped; none: the database's folder is missing
        QTest::addColumn<QVector<int>>("loaded"); // devices, contacts, operators
        QTest::newRow("first table") << "ZKMAIN" << QVector<int>{0, 0, 0};
        QTest::newRow("second table") << "SIMCARDS" << QVector<int>{1, 0, 0};
        QTest::newRow("last table") << "OPERATORS_MCCMNC" << QVector<int>{1, 3, 0};
        QTest::newRow("no folder") << "" << QVector<int>();
    }

    void loadFailures()
    {
        QFETCH(QString, table);
        QFETCH(QVector<int>, loaded);
        QStringList messages;
        QString cause = "no such table: " + table + " Unable to execute statement";
        if (table.isEmpty()) {
            QVERIFY(db->close());
            db->fileName = fixture->dir.path() + "/no-such-folder/dudedoriv_db.db";
            bus.take();
            QVERIFY(!db->open() && !db->loadAll());
            messages = bus.take();
            QCOMPARE(messages.value(0), "1|Database error|unable to open database file Error opening database");
            cause = db->fileName + " is not opened";
        } else {
            messages = load(QString::fromLatin1(kRows) + "DROP TABLE " + table + ";");
            QCOMPARE(messages.value(0), QStringLiteral("3|Database %1 open success|").arg(db->fileName));
            QCOMPARE((QVector<int>{db->devices.size(), db->contacts.size(), db->operators.size()}), loaded);
        }
        QCOMPARE(messages.mid(1),
                 (QStringList{"1|Database error|" + cause, "1|Load data from database " + db->fileName + " error|"}));
        QCOMPARE(db->lastErrorText(), cause);
    }

    void scriptMakesALoadableDatabaseAndNeverOverwrites()
    {
        QVERIFY(db->close());
        const QString script = qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + "/scripts/make-database.sh";
        CZKDataBase made;
        made.fileName = fixture->dir.path() + "/dudedoriv_db.db";
        QCOMPARE(QProcess::execute(script, {made.fileName}), 0);
        QCOMPARE(QProcess::execute(script, {made.fileName}), 1);
        QVERIFY(made.open() && made.loadAll() && made.close());
        const SimCardRecord* active = made.findSimCard(made.activeSimCardId());
        QVERIFY(active && active->simSlot == 0 && active->mainId == 0 && made.devices.value(0).id == 0);
        QCOMPARE(scramblePassword(made.administrationValue(1).value(0)), QStringLiteral("admin"));
        bool found = false;
        QCOMPARE(made.operatorName("26001", &found) + '|' + made.operatorName("50503", &found),
                 QStringLiteral("Plus|Crazy John's"));
    }

    void unitAndSimCardsComeBack()
    {
        DeviceRecord* device = db->findDevice(0);
        QStringList values;
        for (int i = 0; i < kDeviceTexts.size(); ++i)
            values << (device->*kDeviceTexts.at(i) = QStringLiteral("0%1").arg(i));
        device->netConf = 1;
        device->udpPort = 40123;
        QVERIFY(device->update());
        QCOMPARE(queryRows("SELECT NAME, VENDOR, MDM_MODEL, IMEI, FIRMWARE_VER, SERIAL, ETHERNET_ADDR, "
                           "LOCAL_NETWORK_ADDR, MANUFAKTURER, DEVICE_MODEL, REVISION, PROCESSOR, CMSIS, STDPERIPHLIB, "
                           "NEWLIB, BUILD, NET_CONF, UDP_PORT FROM ZKMAIN"),
                 values.join('|') + "|1|40123");
        auto restarted = reloaded(*db);
        for (int i = 0; i < kDeviceTexts.size(); ++i)
            QCOMPARE(restarted->devices.value(0).*kDeviceTexts.at(i), values.at(i));
        // The network update leaves every other column as stored.
        device->name = QStringLiteral("renamed");
        device->localNetworkAddr = QStringLiteral("10.0.0.1");
        QVERIFY(device->updateNetwork());
        QCOMPARE(queryRows("SELECT NAME, LOCAL_NETWORK_ADDR FROM ZKMAIN"), QStringLiteral("00|10.0.0.1"));

        SimCardRecord& withoutProfile = db->simCards[0];
        withoutProfile.activeProfileId = -1;
        withoutProfile.pin = QStringLiteral("0042");
        SimCardRecord& active = db->simCards[1];
        active.activeProfileId = 4;
        active.color = 4294967295u;
        QVERIFY(withoutProfile.update() && active.update());
        QCOMPARE(queryRows("SELECT quote(ACTIVE_PROFILE_ID), quote(ACTIVE), COLOR, quote(PIN) FROM SIMCARDS LIMIT 2"),
                 QStringLiteral("NULL|'false'|0|'0042';4|'true'|4294967295|''"));
        restarted = reloaded(*db);
        // No profile stays no profile: the device profile's row holds id 0.
        QCOMPARE((QVariantList{restarted->simCards.at(0).activeProfileId, restarted->simCards.at(0).pin,
                               restarted->simCards.at(1).active, restarted->simCards.at(1).color}),
                 (QVariantList{-1, "0042", true, 4294967295u}));
    }

    void profileIds_data()
    {
        QTest::addColumn<QVector<int>>("listed"); // the list's ids; the table holds 2 and 7
        QTest::addColumn<int>("newId");
        QTest::addColumn<int>("insertedId");
        QTest::newRow("empty") << QVector<int>{} << -1 << 1;
        QTest::newRow("saved only") << QVector<int>{2, 7} << -1 << 8;
        QTest::newRow("one unsaved") << QVector<int>{3, -1, 5} << -2 << 6;
    }

    void profileIds()
    {
        QFETCH(QVector<int>, listed);
        QFETCH(int, newId);
        QFETCH(int, insertedId);
        db->profiles.clear();
        for (int id : listed)
            db->newProfile()->id = id;
        ProfileRecord* profile = db->newProfile();
        QCOMPARE(profile->id, newId);
        QCOMPARE(profile->name, QStringLiteral("New_%1").arg(-newId));
        QVERIFY(profile->insert());
        QCOMPARE(profile->id, insertedId);
        QCOMPARE(queryRows("SELECT ID, NAME FROM PROFILES WHERE ID = " + QString::number(insertedId)),
                 QStringLiteral("%1|New_%2").arg(insertedId).arg(-newId));
    }

    void saveAllStopsAtTheFirstFailure()
    {
        execOnConnection("CREATE TRIGGER refuse BEFORE UPDATE ON SIMCARDS WHEN NEW.ID = 1 BEGIN "
                         "SELECT RAISE(ABORT, 'busy'); END");
        db->newProfile();
        db->devices[0].name = QStringLiteral("saved");
        for (SimCardRecord& card : db->simCards)
            card.name += '*';
        for (ProfileRecord& profile : db->profiles)
            profile.name += '*';
        const QString names = "SELECT (SELECT group_concat(NAME) FROM ZKMAIN), "
                              "(SELECT group_concat(NAME) FROM SIMCARDS), (SELECT group_concat(NAME) FROM PROFILES)";
        db->saveAll();
        QCOMPARE(queryRows(names), QStringLiteral("saved|first*,second,third|two,seven"));
        QCOMPARE(bus.take(), QStringList{"1|Database error|busy Unable to fetch row"});
        // Without the failure every row is written; the unsaved profile's UPDATE matches no row.
        execOnConnection("DROP TRIGGER refuse");
        db->saveAll();
        QCOMPARE(queryRows(names), QStringLiteral("saved|first*,second*,third*|two*,seven*"));
        QCOMPARE(bus.take(), QStringList());
    }

    void idsAndDates()
    {
        const QDateTime at(QDate(2024, 5, 6), QTime(7, 8, 9, 654));
        QVERIFY(db->addReceivedMessage("+48600", "a", 2, false, at) && db->addReceivedMessage("N", "b", 2, true, at));
        QCOMPARE(db->receivedMessages.last().id, 5);
        QVERIFY(db->removeReceivedMessage(5) && !db->removeSentMessage(5));
        QVERIFY(db->addSentMessage("*100#", "c", 2, false) && db->addReceivedMessage("Network", "d", 2, true, at));
        QCOMPARE(queryRows("SELECT ID, DATE, USSD, ID_SIMCARD FROM RECEIVE_MESSAGES"),
                 QStringLiteral("3|2024-03-02 00:00:59|1|0;4|2024-05-06 07:08:09|0|2;5|2024-05-06 07:08:09|1|2"));
        QCOMPARE(queryRows("SELECT ID, USSD FROM SEND_MESSAGES"), QStringLiteral("0|1;1|0"));
        const auto restarted = reloaded(*db);
        QCOMPARE(restarted->receivedMessages.last().date, at.addMSecs(-654));
        QVERIFY(qAbs(restarted->sentMessages.last().date.secsTo(QDateTime::currentDateTime())) < 60);
        for (const char* stored : {"6|5|''", "0|0|''"}) { // after ids 0, 1, 5 (orders 4, 1, 0), then in an empty table
            QVERIFY(!db->addContact(QString(), "no number", QString()));
            QVERIFY(db->addContact("+48601", QString(), QString()));
            QCOMPARE(queryRows("SELECT ID, \"ORDER\", quote(NAME) FROM MSISDN_SMS WHERE MSISDN = '+48601'"), stored);
            QCOMPARE(QStringLiteral("%1|%2|''").arg(db->contacts.last().id).arg(db->contacts.last().order), stored);
            QVERIFY(db->removeContact(db->contacts.last().id) && !db->removeContact(42));
            QCOMPARE(queryRows("SELECT count(*) FROM MSISDN_SMS"), QString::number(db->contacts.size()));
            load(QString());
        }
    }

    // Look-alikes are separate messages: an alert sent twice in one second, two stamps that could
    // not be read. The database stores each; telling a re-read from the SIM is the reader's work.
    // The first message ("+48600", "a", card 2, at) is stored in this run or was loaded at start.
    void receivedLookAlikesAllStored_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("ussd");   // both messages
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("content");
        QTest::addColumn<int>("simCard");
        QTest::addColumn<QDateTime>("date");
        const QDateTime at(QDate(2024, 5, 6), QTime(7, 8, 9));
        QTest::newRow("same") << false << false << "+48600" << "a" << 2 << at;
        QTest::newRow("same second") << false << false << "+48600" << "a" << 2 << at.addMSecs(999);
        QTest::newRow("same, loaded at start") << true << false << "+48600" << "a" << 2 << at;
        QTest::newRow("no date") << false << false << "+48600" << "a" << 2 << QDateTime();
        QTest::newRow("other sender") << false << false << "48600" << "a" << 2 << at;
        QTest::newRow("other text") << true << false << "+48600" << "a " << 2 << at;
        QTest::newRow("other card") << false << false << "+48600" << "a" << 1 << at;
        QTest::newRow("USSD answers") << false << true << "+48600" << "a" << 2 << at;
    }

    void receivedLookAlikesAllStored()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, ussd);
        QFETCH(QString, from);
        QFETCH(QString, content);
        QFETCH(int, simCard);
        QFETCH(QDateTime, date);
        const QDateTime at(QDate(2024, 5, 6), QTime(7, 8, 9));
        if (loaded)
            load(QString::fromLatin1(kRows) + "INSERT INTO RECEIVE_MESSAGES VALUES (4, '2024-05-06 07:08:09', 'a', "
                                              "'+48600', 0, 2);");
        else
            QVERIFY(db->addReceivedMessage("+48600", "a", 2, ussd, date.isValid() ? at : date));
        QVERIFY(db->addReceivedMessage(from, content, simCard, ussd, date));
        QCOMPARE(queryRows("SELECT count(*) FROM RECEIVE_MESSAGES WHERE ID <> 3"), QStringLiteral("2"));
        QCOMPARE(db->receivedMessages.size(), 3);
    }

    void textsAreStoredExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("place-holders") << "100%1 sure %2";
        QTest::newRow("comment") << "a -- b'; DROP TABLE MSISDN_SMS; --";
        QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    }

    void textsAreStoredExactly()
    {
        QFETCH(QString, text);
        ProfileRecord* profile = db->newProfile();
        profile->name = profile->apnPassword = text;
        QVERIFY(profile->insert() && db->addContact(text, text, text) && db->updateContact(1, "600", text, text));
        QVERIFY(db->addSentMessage(text, text, 0, false) && db->addReceivedMessageNow(text, text, 0, true));
        const auto restarted = reloaded(*db);
        const ContactRecord &updated = restarted->contacts.value(1), &added = restarted->contacts.value(3);
        const SentMessageRecord& sent = restarted->sentMessages.last();
        QCOMPARE((QVector<QString>{updated.name, updated.description, added.msisdn, added.name, added.description,
                                   sent.content, sent.toMsisdn, restarted->receivedMessages.last().fromMsisdn,
                                   restarted->profiles.last().name, restarted->profiles.last().apnPassword}),
                 QVector<QString>(10, text));
    }

    void failedChangeLeavesMemoryAsItWas_data()
    {
        QTest::addColumn<QString>("sabotage");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("error");
        auto row = [](const char* name, const QString& sabotage, const Change& change, const char* error = "refused") {
            QTest::newRow(name) << sabotage << change << QString(error);
        };
        const QString refuse = "CREATE TRIGGER refuse BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END";
        // The statement succeeds; the deferred reference fails only at COMMIT.
        const QString failCommit = "PRAGMA foreign_keys = ON\nCREATE TABLE PARENT (ID INTEGER PRIMARY KEY)\n"
            "CREATE TABLE CHILD (REF INTEGER REFERENCES PARENT(ID) DEFERRABLE INITIALLY DEFERRED)\n"
            "CREATE TRIGGER orphan AFTER INSERT ON %1 BEGIN INSERT INTO CHILD VALUES (99); END";
        row("add contact, commit", failCommit.arg("MSISDN_SMS"),
            [](CZKDataBase& db) { return db.addContact("1", {}, {}); }, "FOREIGN KEY constraint");
        row("remove contact", refuse.arg("DELETE", "MSISDN_SMS"), [](CZKDataBase& db) { return db.removeContact(5); });
        row("sent message, dropped table", "DROP TABLE SEND_MESSAGES",
            [](CZKDataBase& db) { return db.addSentMessage("1", {}, 0, false); }, "no such table: SEND_MESSAGES");
        row("received message, commit", failCommit.arg("RECEIVE_MESSAGES"),
            [](CZKDataBase& db) { return db.addReceivedMessageNow("1", {}, 0, false); }, "FOREIGN KEY constraint");
        row("profile insert", refuse.arg("INSERT", "PROFILES"),
            [](CZKDataBase& db) { return db.profiles.last().insert(); });
    }

    void failedChangeLeavesMemoryAsItWas()
    {
        QFETCH(QString, sabotage);
        QFETCH(Change, change);
        QFETCH(QString, error);
        db->newProfile(); // a failed insert must give its id back
        execOnConnection(sabotage);
        // Seen through the same connection, so a transaction left open would show its rows.
        const QString tables = "SELECT (SELECT group_concat(ID || MSISDN || NAME) FROM MSISDN_SMS), "
                               "(SELECT group_concat(ID) FROM RECEIVE_MESSAGES)";
        const QString rows = queryRows(tables);
        const QString before = snapshot(*db);
        QVERIFY(!change(*db));
        QCOMPARE(snapshot(*db), before);
        const QStringList messages = bus.take();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.at(0).startsWith("1|Database error|" + error), qPrintable(messages.at(0)));
        execOnConnection("DROP TRIGGER IF EXISTS refuse");
        QCOMPARE(queryRows(tables), rows);
    }

    void phoneBookEntry_data()
    {
        QTest::addColumn<QVector<int>>("book");
        QTest::addColumn<int>("pos");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("storedAt"); // 0: refused
        QTest::addColumn<QStringList>("sent");
        // Stored: the command sent and the entries counted after it; refused: nothing sent.
        auto row = [](const char* name, const QVector<int>& book, int pos, const QString& number, const QString& entry,
                      int storedAt, const QString& command = QString(), int count = 0) {
            const QStringList sent = {"4|" + command + "|INTERNAL", QStringLiteral("100|PHONE_BOOK_POS|%1").arg(count)};
            QTest::newRow(name) << book << pos << number << entry << storedAt << (count ? sent : QStringList());
        };
        row("gap in a sorted book", {1, 2, 4}, 0, "+48600", "Ann", 3, R"(AT+CPBW=3,"+48600",145,"Ann")", 4);
        row("nothing below the lowest", {2, 3, 4}, -1, "600", "Ann", 5, R"(AT+CPBW=5,"600",129,"Ann")", 4);
        row("unsorted book", {4, 1, 3}, 0, "600", "Ann", 2, R"(AT+CPBW=2,"600",129,"Ann")", 4);
        row("given position", {1}, 7, "%4", "100%2", 7, R"(AT+CPBW=7,"%4",129,"100%2")", 2);
        row("empty name", {1}, 0, "600", "", 0);
        row("quote in name", {1}, 0, "600", "a\",1", 0);
        row("CR in name", {1}, 0, "600", "a\rAT+CMGD=1", 0);
        row("Ctrl-Z in name", {1}, 0, "600", "a\x1a", 0);
    }

    void phoneBookEntry()
    {
        QFETCH(QVector<int>, book);
        QFETCH(int, pos);
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(int, storedAt);
        QFETCH(QStringList, sent);
        fillPhoneBook(book);
        QCOMPARE(db->setPhoneBookEntry(pos, number, name, true), storedAt != 0);
        QCOMPARE(bus.take(), sent);
        QCOMPARE(phoneBookPositions(), storedAt == 0 ? book : book + QVector<int>{storedAt});
        if (storedAt != 0)
            QCOMPARE(db->phoneBook.last().order, storedAt);
    }

    void phoneBookSortAndRemovals()
    {
        fillPhoneBook({3, 2});
        db->setPhoneBookEntry(2, "+48602", "later", false); // a position read again is replaced
        QVERIFY(db->sortPhoneBook());
        QCOMPARE(phoneBookPositions(), (QVector<int>{2, 3}));
        QCOMPARE(db->phoneBook.first().name, QStringLiteral("later"));
        db->removePhoneBookEntryAt(9);
        QCOMPARE(bus.take(), QStringList());
        db->removePhoneBookEntryAt(2);
        QVERIFY(!db->findPhoneBookEntry(2));
        QCOMPARE(db->removePhoneBookEntry("+48603", "N3"), 3);
        QCOMPARE(db->removePhoneBookEntry("+48603", "N3"), -1);
        QCOMPARE(bus.take(), (QStringList{"4|AT+CPBW=2|INTERNAL", "100|PHONE_BOOK_POS|1", "4|AT+CPBW=3|INTERNAL",
                                          "100|PHONE_BOOK_POS|0"}));
        // A name comes from the contacts (unless empty there), then from the phone book.
        QVERIFY(db->setPhoneBookEntry(4, "600", "SIM", false) && db->setPhoneBookEntry(5, "+48600", "Other", false));
        QCOMPARE(db->contactName("600") + '|' + db->contactName("+48600") + '|' + db->contactName("48600"),
                 QStringLiteral("SIM|Ann|"));
        fillPhoneBook({32767, 1}); // a position at the bound: no sort
        QVERIFY(!db->sortPhoneBook());
        QCOMPARE(phoneBookPositions(), (QVector<int>{4, 5, 32767, 1}));
    }

    void phoneBookPositionsByCapacity()
    {
        // {book, capacity (-1 unknown), position a new entry takes (0: full)}
        const struct { QVector<int> book; int capacity; int free; } cases[] = {
            {{1, 2, 4}, 4, 3}, {{2, 3, 4}, 4, 1}, {{1, 2, 3}, 3, 0}, {{}, 0, 0}, {{}, 250, 1}, {{2, 3}, -1, 4}};
        for (const auto& c : cases) {
            db->clearPhoneBook();
            fillPhoneBook(c.book);
            QCOMPARE(db->freePhoneBookPosition(c.capacity), c.free);
        }
    }

    void phoneBookUpdateAtPosition()
    {
        // Two identical entries: the one at the position given changes, the other stays.
        db->setPhoneBookEntry(3, "600", "Ann", false);
        db->setPhoneBookEntry(7, "600", "Ann", false);
        QVERIFY(!db->updatePhoneBookEntryAt(5, "700", "Bob"));
        QVERIFY(!db->updatePhoneBookEntryAt(7, "700", "B\"ob"));
        QVERIFY(!db->updatePhoneBookEntryAt(7, "", "Bob"));
        QCOMPARE(bus.take(), QStringList());
        QVERIFY(db->updatePhoneBookEntryAt(7, "700", "Bob"));
        // One write over the used position: a refused write must not find the old entry erased.
        QCOMPARE(bus.take(), (QStringList{R"(4|AT+CPBW=7,"700",129,"Bob"|INTERNAL)", "100|PHONE_BOOK_POS|2"}));
        QCOMPARE(db->findPhoneBookEntry(3)->name + '|' + db->findPhoneBookEntry(7)->name, QStringLiteral("Ann|Bob"));
    }

    void phoneBookUpdate()
    {
        fillPhoneBook({1, 9, 12});
        // Refused before the old entry is erased: no such entry, an empty new number, a quote or LF.
        const char* const refused[][3] = {{"+48000", "+48999", "Nine"}, {"+48609", "", "Nine"},
                                          {"+48609", "+48999", "Ni\"ne"}, {"+48609", "+48\n999", "Nine"}};
        for (const auto& c : refused)
            QVERIFY2(!db->updatePhoneBookEntry(c[0], "N9", c[1], c[2]), c[1]);
        QCOMPARE(bus.take(), QStringList());
        QCOMPARE(phoneBookPositions(), (QVector<int>{1, 9, 12}));
        QVERIFY(db->updatePhoneBookEntry("+48609", "N9", "+48999", "Nine"));
        QCOMPARE(bus.take(), (QStringList{R"(4|AT+CPBW=9,"+48999",145,"Nine"|INTERNAL)", "100|PHONE_BOOK_POS|3"}));
        QCOMPARE(phoneBookPositions(), (QVector<int>{1, 12, 9})); // at its old position
        QCOMPARE(db->findPhoneBookEntry(9)->msisdn, QStringLiteral("+48999"));
    }

    // The names by number follow every change of the contacts and of the SIM phone book made
    // after they were first looked up.
    void namesFollowTheirBooks_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        using D = CZKDataBase;
        QTest::newRow("contact added") << Change([](D& d) { return d.addContact("800", "Cid", ""); }) << "800" << "Cid";
        QTest::newRow("contact renamed") << Change([](D& d) { return d.updateContact(5, "700", "Robert", ""); })
                                         << "700" << "Robert";
        QTest::newRow("contact renumbered") << Change([](D& d) { return d.updateContact(0, "+48601", "Ann", ""); })
                                            << "+48600" << "";
        QTest::newRow("contact's name emptied") << Change([](D& d) { return d.updateContact(5, "700", "", ""); })
                                                << "700" << "Bobby";
        QTest::newRow("contact removed") << Change([](D& d) { return d.removeContact(5); }) << "700" << "Bobby";
        QTest::newRow("SIM entry written again")
            << Change([](D& d) { return d.setPhoneBookEntry(4, "900", "New", false); }) << "900" << "New";
        QTest::newRow("SIM entry removed") << Change([](D& d) {
            d.removePhoneBookEntryAt(4);
            return true;
        }) << "900" << "";
        QTest::newRow("SIM entry changed")
            << Change([](D& d) { return d.updatePhoneBookEntry("900", "Old", "901", "Old"); }) << "901" << "Old";
        QTest::newRow("SIM book read anew") << Change([](D& d) { return d.clearPhoneBook(); }) << "900" << "";
    }

    void namesFollowTheirBooks()
    {
        QFETCH(Change, change);
        QFETCH(QString, number);
        db->setPhoneBookEntry(4, "900", "Old", false);
        db->setPhoneBookEntry(6, "700", "Bobby", false);
        for (const char* known : {"700", "900", "+48600", "800", "901"})
            db->contactName(known);
        QVERIFY(change(*db));
        QTEST(db->contactName(number), "name");
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
