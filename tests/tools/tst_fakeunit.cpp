#include "FakeUnit.h"

#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

// The fake unit's hostile switches, driven through their control datagrams on loopback as the
// whole-program runs drive them.
class TestFakeUnit : public QObject {
    Q_OBJECT

    struct Answer {
        QByteArray bytes;
        QHostAddress from;
        quint16 fromPort = 0;
    };

    std::unique_ptr<FakeUnit> unit;
    std::unique_ptr<QUdpSocket> client;

    static std::unique_ptr<FakeUnit> openUnit()
    {
        auto opened = std::make_unique<FakeUnit>();
        if (!opened->open(QHostAddress::LocalHost, 0))
            qFatal("fake unit: %s", qPrintable(opened->errorString()));
        return opened;
    }

    // The unit works on this thread's event loop, so the client's wait has to keep it turning.
    static QVector<Answer> collect(QUdpSocket& socket, int count, int timeoutMs = 3000)
    {
        QVector<Answer> answers;
        // Fewer than asked for is the caller's failure to report.
        (void)QTest::qWaitFor([&] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram datagram = socket.receiveDatagram();
                answers.append(Answer{datagram.data(), datagram.senderAddress(), quint16(datagram.senderPort())});
            }
            return answers.size() >= count;
        }, timeoutMs);
        return answers;
    }

    Answer ask(FakeUnit& to, const QByteArray& text)
    {
        client->writeDatagram(text, QHostAddress::LocalHost, to.port());
        const QVector<Answer> answers = collect(*client, 1);
        return answers.isEmpty() ? Answer{} : answers.first();
    }
    Answer ask(const QByteArray& text) { return ask(*unit, text); }

    // The replies to a few commands that between them touch every part of the reply table.
    QList<QByteArray> replies(FakeUnit& to)
    {
        QList<QByteArray> found;
        for (const char* command : {"AT#I\r", "AT+CPBR=1,250\r", "AT+CMGR=1\r", "AT+CPIN?\r", "AT+CGSN\r", "AT#\r"})
            found.append(ask(to, command).bytes);
        return found;
    }

private slots:
    void init()
    {
        unit = openUnit();
        client = std::make_unique<QUdpSocket>();
        QVERIFY(client->bind(QHostAddress(QHostAddress::LocalHost), 0));
    }
    void cleanup()
    {
        client.reset();
        unit.reset();
    }

    void garbageRepeatsForItsSeedAndEndsAtZero()
    {
        replies(*unit);   // reading marks the SIM's message read; from now on the replies stay
        const QList<QByteArray> plain = replies(*unit);
        const auto garbled = [this](quint32 seed) {
            std::unique_ptr<FakeUnit> other = openUnit();
            if (ask(*other, "FAKE#GARBAGE=" + QByteArray::number(seed)).bytes != "OK\r\n")
                return QList<QByteArray>();
            return replies(*other);
        };
        const QList<QByteArray> first = garbled(7);
        QCOMPARE(first.size(), plain.size());
        QVERIFY(first != plain);
        QCOMPARE(garbled(7), first);
        QVERIFY(garbled(8) != first);

        QCOMPARE(ask("FAKE#GARBAGE=7").bytes, QByteArray("OK\r\n"));
        QCOMPARE(ask("FAKE#GARBAGE=0").bytes, QByteArray("OK\r\n"));
        QCOMPARE(replies(*unit), plain);
        QCOMPARE(ask("FAKE#GARBAGE=seven").bytes, QByteArray("ERROR\r\n"));
    }

    void floodIsBounded_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("minSent");
        QTest::addColumn<int>("maxSent");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("as asked") << QByteArray("40,400,3") << 60000 << 40 << 40 << 40 << 90 << 2000;
        // At 500 a second, 300 ms allow about 150.
        QTest::newRow("time bound") << QByteArray("1000,500") << 300 << 1000 << 100 << 152 << 290 << 2000;
        QTest::newRow("count bound") << QByteArray("150000,500") << 200 << FakeUnit::FloodMaxDatagrams << 60 << 102
                                     << 190 << 2000;
    }

    void floodIsBounded()
    {
        QFETCH(QByteArray, control);
        QFETCH(int, limitMs);
        QFETCH(int, total);
        QFETCH(int, minSent);
        QFETCH(int, maxSent);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        unit->floodLimitMs = limitMs;
        QCOMPARE(ask("FAKE#FLOOD=" + control).bytes, QByteArray("ERROR\r\n"));   // nobody to flood yet
        ask("AT\r");
        QSignalSpy ended(unit.get(), &FakeUnit::floodEnded);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ask("FAKE#FLOOD=" + control).bytes, QByteArray("OK\r\n"));
        QCOMPARE(unit->floodTotal, total);
        QVERIFY(ended.wait(maxMs));
        const qint64 took = clock.elapsed();
        QVERIFY2(took >= minMs, qPrintable(QString::number(took)));
        QVERIFY2(unit->floodSent >= minSent && unit->floodSent <= maxSent, qPrintable(QString::number(unit->floodSent)));
        QCOMPARE(ended.first().first().toInt(), unit->floodSent);
        QCOMPARE(unit->floodRefused, 0);
    }

    void floodRepeatsForItsSeedAndStopsAtZero()
    {
        const auto flood = [this](const QByteArray& control) {
            ask("AT\r");
            client->writeDatagram("FAKE#FLOOD=" + control, QHostAddress::LocalHost, unit->port());
            QList<QByteArray> got;
            for (const Answer& answer : collect(*client, 31))
                got.append(answer.bytes);
            got.removeOne("OK\r\n");
            return got;
        };
        const QList<QByteArray> first = flood("30,300,11");
        QCOMPARE(first.size(), 30);
        QCOMPARE(flood("30,300,11"), first);
        QVERIFY(flood("30,300,12") != first);

        ask("AT\r");
        QSignalSpy ended(unit.get(), &FakeUnit::floodEnded);
        QCOMPARE(ask("FAKE#FLOOD=1000,100").bytes, QByteArray("OK\r\n"));
        QVERIFY(unit->flooding());
        // Datagrams of the flood may come before the answer.
        client->writeDatagram("FAKE#FLOOD=0", QHostAddress::LocalHost, unit->port());
        QTRY_COMPARE(ended.size(), 1);
        QVERIFY(!unit->flooding());
        QVERIFY(unit->floodSent < 1000);
    }

    // Only the next datagram that is not a control's answer leaves from the other address.
    void fromSendsTheNextReplyFromAnotherAddress()
    {
        const QHostAddress other(QStringLiteral("127.0.0.2"));
        const Answer control = ask("FAKE#FROM=127.0.0.2");
        QCOMPARE(control.bytes, QByteArray("OK\r\n"));
        QCOMPARE(control.from, QHostAddress(QHostAddress::LocalHost));
        const Answer moved = ask("AT+CGSN\r");
        QVERIFY(moved.bytes.startsWith("AT+CGSN\r\n356000000000017"));
        QCOMPARE(moved.from, other);
        QCOMPARE(moved.fromPort, unit->port());
        QCOMPARE(ask("AT+CGSN\r").from, QHostAddress(QHostAddress::LocalHost));

        ask("FAKE#FROM=127.0.0.2");
        unit->sendUnsolicited("RING");
        const QVector<Answer> unsolicited = collect(*client, 1);
        QCOMPARE(unsolicited.size(), 1);
        QCOMPARE(unsolicited.first().from, other);
    }

    void fromIsRefusedWhereItCannotBind_data()
    {
        QTest::addColumn<QByteArray>("address");
        QTest::newRow("not an address") << QByteArray("unit-b");
        QTest::newRow("not of this host") << QByteArray("192.0.2.1");   // bound only, never sent to
        QTest::newRow("the unit's own") << QByteArray("127.0.0.1");
    }

    void fromIsRefusedWhereItCannotBind()
    {
        QFETCH(QByteArray, address);
        QCOMPARE(ask("FAKE#FROM=" + address).bytes, QByteArray("ERROR\r\n"));
        QCOMPARE(ask("AT+CGSN\r").from, QHostAddress(QHostAddress::LocalHost));
    }
};

QTEST_GUILESS_MAIN(TestFakeUnit)
#include "tst_fakeunit.moc"
