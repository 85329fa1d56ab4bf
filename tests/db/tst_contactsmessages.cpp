#include "DbTestSupport.h"

#include <QtTest>

#include <functional>

namespace {

const char* const kRows = R"(
INSERT INTO MSISDN_SMS VALUES (0, 0, '+48600', 'Ann', 'home');
INSERT INTO MSISDN_SMS VALUES (1, 1, '600', NULL, NULL);
INSERT INTO MSISDN_SMS VALUES (5, 2, '700', 'Bob', '');
INSERT INTO SEND_MESSAGES VALUES (0, '2024-03-01 10:11:12', 'hi', '+48600', 0, 0);
INSERT INTO RECEIVE_MESSAGES VALUES (3, '2024-03-02 00:00:59', 'yo', 'Network', 1, 0);
)";

// What the lists hold, to show that a failed change left them alone.
QString snapshot(const CZKDataBase& db)
{
    QStringList parts;
    for (const ContactRecord& c : db.contacts)
        parts << QStringLiteral("c%1:%2:%3:%4:%5").arg(c.id).arg(c.order).arg(c.msisdn, c.name, c.description);
    for (const SentMessageRecord& m : db.sentMessages)
        parts << QStringLiteral("s%1:%2").arg(m.id).arg(m.content);
    for (const ReceivedMessageRecord& m : db.receivedMessages)
        parts << QStringLiteral("r%1:%2").arg(m.id).arg(m.content);
    for (const ProfileRecord& p : db.profiles)
        parts << QStringLiteral("p%1").arg(p.id);
    return parts.join(QLatin1Char(' '));
}

using Change = std::function<bool(CZKDataBase&)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestContactsMessages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init() { bus.take(); }
    void contactIds_data();
    void contactIds();
    void textsAreStoredExactly_data();
    void textsAreStoredExactly();
    void failedChangeLeavesMemoryAsItWas_data();
    void failedChangeLeavesMemoryAsItWas();
    void messageIdsAndDates();
    void namesComeFromContactsThenThePhoneBook();

private:
    BusRecorder bus;
};

void TestContactsMessages::contactIds_data()
{
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("stored");

    QTest::newRow("empty table") << QString() << "0|0|''";
    QTest::newRow("after ids 0, 1, 5") << QString::fromLatin1(kRows) << "6|3|''";
}

void TestContactsMessages::contactIds()
{
    QFETCH(QString, rows);
    QFETCH(QString, stored);

    LoadedDatabase fixture(rows);
    CZKDataBase& db = fixture.db;
    QVERIFY(!db.addContact(QString(), QStringLiteral("no number"), QString()));
    QVERIFY(db.addContact(QStringLiteral("+48601"), QString(), QString()));
    QCOMPARE(queryRows(QStringLiteral("SELECT ID, \"ORDER\", quote(NAME) FROM MSISDN_SMS WHERE MSISDN = '+48601'")),
             stored);
    QCOMPARE(QStringLiteral("%1|%2|''").arg(db.contacts.last().id).arg(db.contacts.last().order), stored);
    QVERIFY(db.removeContact(db.contacts.last().id));
    QVERIFY(!db.removeContact(42));
    QCOMPARE(queryRows(QStringLiteral("SELECT count(*) FROM MSISDN_SMS")), QString::number(db.contacts.size()));
}

void TestContactsMessages::textsAreStoredExactly_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("apostrophe") << "O'Brien";
    QTest::newRow("place-holders") << "100%1 sure %2";
    QTest::newRow("comment") << "a -- b'; DROP TABLE MSISDN_SMS; --";
    QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
}

void TestContactsMessages::textsAreStoredExactly()
{
    QFETCH(QString, text);

    LoadedDatabase fixture(QString::fromLatin1(kRows));
    CZKDataBase& db = fixture.db;
    QVERIFY(db.addContact(text, text, text));
    QVERIFY(db.updateContact(1, QStringLiteral("600"), text, text));
    QVERIFY(db.addSentMessage(text, text, 0, false));
    QVERIFY(db.addReceivedMessageNow(text, text, 0, true));
    ProfileRecord* profile = db.newProfile();
    profile->name = text;
    profile->apnPassword = text;
    QVERIFY(profile->insert());

    const auto restarted = reloaded(db);
    QCOMPARE(restarted->contacts.size(), 4);
    for (const ContactRecord& contact : {restarted->contacts.at(1), restarted->contacts.at(3)})
        QCOMPARE(contact.name + contact.description, text + text);
    QCOMPARE(restarted->contacts.at(3).msisdn, text);
    QCOMPARE(restarted->sentMessages.last().content + restarted->sentMessages.last().toMsisdn, text + text);
    QCOMPARE(restarted->receivedMessages.last().fromMsisdn, text);
    QCOMPARE(restarted->profiles.last().name + restarted->profiles.last().apnPassword, text + text);
}

void TestContactsMessages::failedChangeLeavesMemoryAsItWas_data()
{
    QTest::addColumn<QString>("sabotage");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("error");

    const QString refuse = QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'refused'); END");
    // The statement succeeds; the deferred reference fails only at COMMIT.
    const QString failCommit = QStringLiteral(
        "PRAGMA foreign_keys = ON\n"
        "CREATE TABLE PARENT (ID INTEGER PRIMARY KEY)\n"
        "CREATE TABLE CHILD (REF INTEGER REFERENCES PARENT(ID) DEFERRABLE INITIALLY DEFERRED)\n"
        "CREATE TRIGGER orphan AFTER INSERT ON %1 BEGIN INSERT INTO CHILD VALUES (99); END");
    const Change addContact = [](CZKDataBase& db) { return db.addContact(QStringLiteral("1"), QString(), QString()); };

    QTest::newRow("add contact, commit") << failCommit.arg(QStringLiteral("MSISDN_SMS")) << addContact
                                         << "FOREIGN KEY constraint failed";
    QTest::newRow("edit contact") << refuse.arg(QStringLiteral("UPDATE"), QStringLiteral("MSISDN_SMS"))
        << Change([](CZKDataBase& db) { return db.updateContact(5, QStringLiteral("2"), QStringLiteral("X"), QString()); })
        << "refused";
    QTest::newRow("remove contact") << refuse.arg(QStringLiteral("DELETE"), QStringLiteral("MSISDN_SMS"))
                                    << Change([](CZKDataBase& db) { return db.removeContact(5); }) << "refused";
    QTest::newRow("sent message, dropped table") << QStringLiteral("DROP TABLE SEND_MESSAGES")
        << Change([](CZKDataBase& db) { return db.addSentMessage(QStringLiteral("1"), QString(), 0, false); })
        << "no such table: SEND_MESSAGES";
    QTest::newRow("received message, commit") << failCommit.arg(QStringLiteral("RECEIVE_MESSAGES"))
        << Change([](CZKDataBase& db) { return db.addReceivedMessageNow(QStringLiteral("1"), QString(), 0, false); })
        << "FOREIGN KEY constraint failed";
    QTest::newRow("profile insert") << refuse.arg(QStringLiteral("INSERT"), QStringLiteral("PROFILES"))
                                    << Change([](CZKDataBase& db) { return db.profiles[0].insert(); }) << "refused";
    QTest::newRow("remove received message") << refuse.arg(QStringLiteral("DELETE"), QStringLiteral("RECEIVE_MESSAGES"))
                                             << Change([](CZKDataBase& db) { return db.removeReceivedMessage(3); })
                                             << "refused";
}

void TestContactsMessages::failedChangeLeavesMemoryAsItWas()
{
    QFETCH(QString, sabotage);
    QFETCH(Change, change);
    QFETCH(QString, error);

    LoadedDatabase fixture(QString::fromLatin1(kRows));
    fixture.db.newProfile(); // a failed insert must give its id back
    execOnConnection(sabotage);
    // Seen through the same connection, so a transaction left open would show its rows.
    const QString tablesSql = QStringLiteral(
        "SELECT (SELECT group_concat(ID || MSISDN || NAME) FROM MSISDN_SMS), (SELECT group_concat(ID) FROM RECEIVE_MESSAGES)");
    const QString rows = queryRows(tablesSql);
    const QString before = snapshot(fixture.db);
    bus.take();
    QVERIFY(!change(fixture.db));
    QCOMPARE(snapshot(fixture.db), before);
    const QStringList messages = bus.take();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.at(0).startsWith(QStringLiteral("1|Database error|") + error), qPrintable(messages.at(0)));
    execOnConnection(QStringLiteral("DROP TRIGGER IF EXISTS refuse"));
    QCOMPARE(queryRows(tablesSql), rows);
}

void TestContactsMessages::messageIdsAndDates()
{
    LoadedDatabase fixture(QString::fromLatin1(kRows));
    CZKDataBase& db = fixture.db;
    const QDateTime stamp(QDate(2024, 5, 6), QTime(7, 8, 9, 654));
    QVERIFY(db.addReceivedMessage(QStringLiteral("+48600"), QStringLiteral("a"), 2, false, stamp));
    QVERIFY(db.addReceivedMessage(QStringLiteral("Network"), QStringLiteral("b"), 2, true, stamp));
    QCOMPARE(db.receivedMessages.last().id, 5);
    QVERIFY(db.removeReceivedMessage(5));
    QVERIFY(!db.removeSentMessage(5));
    QVERIFY(db.addSentMessage(QStringLiteral("*100#"), QStringLiteral("c"), 2, true));
    QVERIFY(db.addReceivedMessage(QStringLiteral("Network"), QStringLiteral("d"), 2, true, stamp));
    QCOMPARE(queryRows(QStringLiteral("SELECT ID, DATE, CONTENT, USSD, ID_SIMCARD FROM RECEIVE_MESSAGES")),
             QStringLiteral("3|2024-03-02 00:00:59|yo|1|0;4|2024-05-06 07:08:09|a|0|2;5|2024-05-06 07:08:09|d|1|2"));
    QCOMPARE(queryRows(QStringLiteral("SELECT ID, USSD FROM SEND_MESSAGES")), QStringLiteral("0|0;1|1"));

    const auto restarted = reloaded(db);
    QCOMPARE(restarted->receivedMessages.last().date, stamp.addMSecs(-654));
    QVERIFY(qAbs(restarted->sentMessages.last().date.secsTo(QDateTime::currentDateTime())) < 60);
}

void TestContactsMessages::namesComeFromContactsThenThePhoneBook()
{
    LoadedDatabase fixture(QString::fromLatin1(kRows));
    CZKDataBase& db = fixture.db;
    QVERIFY(db.setPhoneBookEntry(3, QStringLiteral("600"), QStringLiteral("From SIM"), false));
    QVERIFY(db.setPhoneBookEntry(4, QStringLiteral("+48600"), QStringLiteral("Other"), false));
    QCOMPARE(db.contactName(QStringLiteral("600")), QStringLiteral("From SIM")); // the contact has no name
    QCOMPARE(db.contactName(QStringLiteral("+48600")), QStringLiteral("Ann"));
    QCOMPARE(db.contactName(QStringLiteral("48600")), QString());
}

QTEST_GUILESS_MAIN(TestContactsMessages)
#include "tst_contactsmessages.moc"
