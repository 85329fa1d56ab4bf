#include "DbTestSupport.h"

#include <QtTest>

namespace {

void fill(CZKDataBase& db, const QVector<int>& positions)
{
    for (int pos : positions)
        db.setPhoneBookEntry(pos, QStringLiteral("+4860%1").arg(pos), QStringLiteral("N%1").arg(pos), false);
}

QVector<int> positions(const CZKDataBase& db)
{
    QVector<int> result;
    for (const ContactRecord& entry : db.phoneBook)
        result.append(entry.id);
    return result;
}

} // namespace

class TestPhoneBook : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init()
    {
        db.clearPhoneBook();
        bus.take();
    }
    void addEntry_data();
    void addEntry();
    void sort_data();
    void sort();
    void removalsTakeTheLastMatch();
    void update_data();
    void update();

private:
    BusRecorder bus;
    CZKDataBase db;
};

void TestPhoneBook::addEntry_data()
{
    QTest::addColumn<QVector<int>>("book");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("writeToSim");
    QTest::addColumn<int>("storedAt"); // 0: refused
    QTest::addColumn<QStringList>("sent");

    const QVector<int> none;
    QTest::newRow("read from the SIM") << none << 5 << "+48600" << "Ann" << false << 5 << QStringList();
    QTest::newRow("gap in a sorted book") << QVector<int>{1, 2, 4} << 0 << "+48600" << "Ann" << true << 3
        << QStringList{R"(4|AT+CPBW=3,"+48600",145,"Ann"|INTERNAL)", "100|PHONE_BOOK_POS|4"};
    QTest::newRow("empty book") << none << 0 << "600" << "Ann" << true << 1
        << QStringList{R"(4|AT+CPBW=1,"600",129,"Ann"|INTERNAL)", "100|PHONE_BOOK_POS|1"};
    QTest::newRow("nothing below the lowest") << QVector<int>{2, 3, 4} << -1 << "600" << "Ann" << true << 5
        << QStringList{R"(4|AT+CPBW=5,"600",129,"Ann"|INTERNAL)", "100|PHONE_BOOK_POS|4"};
    QTest::newRow("unsorted book") << QVector<int>{4, 1, 2, 3} << 0 << "600" << "Ann" << true << 5
        << QStringList{R"(4|AT+CPBW=5,"600",129,"Ann"|INTERNAL)", "100|PHONE_BOOK_POS|5"};
    QTest::newRow("given position") << QVector<int>{1} << 7 << "%4" << "100%2" << true << 7
        << QStringList{R"(4|AT+CPBW=7,"%4",129,"100%2"|INTERNAL)", "100|PHONE_BOOK_POS|2"};
    QTest::newRow("empty name") << QVector<int>{1} << 0 << "600" << "" << true << 0 << QStringList();
    QTest::newRow("quote in name") << QVector<int>{1} << 0 << "600" << "a\",1" << true << 0 << QStringList();
    QTest::newRow("CR in name") << QVector<int>{1} << 0 << "600" << "a\rAT+CMGD=1" << true << 0 << QStringList();
    QTest::newRow("LF in number") << QVector<int>{1} << 0 << "600\n" << "Ann" << true << 0 << QStringList();
    QTest::newRow("Ctrl-Z in name") << QVector<int>{1} << 0 << "600" << "a\x1a" << true << 0 << QStringList();
}

void TestPhoneBook::addEntry()
{
    QFETCH(QVector<int>, book);
    QFETCH(int, pos);
    QFETCH(QString, number);
    QFETCH(QString, name);
    QFETCH(bool, writeToSim);
    QFETCH(int, storedAt);
    QFETCH(QStringList, sent);

    fill(db, book);
    QCOMPARE(db.setPhoneBookEntry(pos, number, name, writeToSim), storedAt != 0);
    QCOMPARE(bus.take(), sent);
    QCOMPARE(positions(db), storedAt == 0 ? book : book + QVector<int>{storedAt});
    if (storedAt != 0) {
        QCOMPARE(db.phoneBook.last().order, storedAt);
        QCOMPARE(db.phoneBook.last().numberType, number.startsWith(QLatin1Char('+')) ? QStringLiteral("145")
                                                                                     : QStringLiteral("129"));
    }
}

void TestPhoneBook::sort_data()
{
    QTest::addColumn<QVector<int>>("book");
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<QVector<int>>("after");

    QTest::newRow("unordered") << QVector<int>{4, 1, 3} << true << QVector<int>{1, 3, 4};
    QTest::newRow("empty") << QVector<int>{} << true << QVector<int>{};
    QTest::newRow("position at the bound") << QVector<int>{4, 32767, 1} << false << QVector<int>{4, 32767, 1};
}

void TestPhoneBook::sort()
{
    QFETCH(QVector<int>, book);
    QFETCH(bool, sorted);
    QFETCH(QVector<int>, after);

    fill(db, book);
    QCOMPARE(db.sortPhoneBook(), sorted);
    QCOMPARE(positions(db), after);
}

void TestPhoneBook::removalsTakeTheLastMatch()
{
    fill(db, {2, 3});
    db.setPhoneBookEntry(2, QStringLiteral("+48602"), QStringLiteral("later"), false);
    QVERIFY(db.sortPhoneBook());
    QCOMPARE(db.phoneBook.first().name, QStringLiteral("later")); // of equal positions the later comes first
    db.removePhoneBookEntryAt(9);
    QCOMPARE(bus.take(), QStringList());

    db.removePhoneBookEntryAt(2);
    QCOMPARE(db.findPhoneBookEntry(2)->name, QStringLiteral("later"));
    QCOMPARE(db.removePhoneBookEntry(QStringLiteral("+48603"), QStringLiteral("N3")), 3);
    QCOMPARE(db.removePhoneBookEntry(QStringLiteral("+48603"), QStringLiteral("N3")), -1);
    QCOMPARE(bus.take(), (QStringList{"4|AT+CPBW=2|INTERNAL", "100|PHONE_BOOK_POS|2", "4|AT+CPBW=3|INTERNAL",
                                      "100|PHONE_BOOK_POS|1"}));
}

void TestPhoneBook::update_data()
{
    QTest::addColumn<QString>("oldNumber");
    QTest::addColumn<QString>("newNumber");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("same position") << "+48609" << "+48999" << "Nine"
        << QStringList{"4|AT+CPBW=9|INTERNAL", "100|PHONE_BOOK_POS|2", R"(4|AT+CPBW=9,"+48999",145,"Nine"|INTERNAL)",
                       "100|PHONE_BOOK_POS|3"};
    QTest::newRow("no such entry") << "+48000" << "+48999" << "Nine" << QStringList();
    QTest::newRow("empty new number") << "+48609" << "" << "Nine" << QStringList();
    QTest::newRow("quote in new name") << "+48609" << "+48999" << "Ni\"ne" << QStringList();
    QTest::newRow("LF in new number") << "+48609" << "+48\n999" << "Nine" << QStringList();
}

void TestPhoneBook::update()
{
    QFETCH(QString, oldNumber);
    QFETCH(QString, newNumber);
    QFETCH(QString, newName);
    QFETCH(QStringList, sent);

    fill(db, {1, 9, 12});
    QCOMPARE(db.updatePhoneBookEntry(oldNumber, QStringLiteral("N9"), newNumber, newName), !sent.isEmpty());
    QCOMPARE(bus.take(), sent);
    QCOMPARE(positions(db), (sent.isEmpty() ? QVector<int>{1, 9, 12} : QVector<int>{1, 12, 9}));
    QCOMPARE(db.findPhoneBookEntry(9)->msisdn, sent.isEmpty() ? QStringLiteral("+48609") : newNumber);
}

QTEST_GUILESS_MAIN(TestPhoneBook)
#include "tst_phonebook.moc"
