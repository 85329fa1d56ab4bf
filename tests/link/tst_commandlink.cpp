#include "FakeUnit.h"
#include "app/CZKOptions.h"
#include "app/CZKPacing.h"
#include "link/CZKCommandContainer.h"
#include "link/ReceptionSupport.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

// The link against a fake unit on 127.0.0.1. The program's side binds another free port of this
// host (both ends cannot hold one port here), or, with receive-on-IP, the unit's port on
// 127.0.0.2.
class TestCommandLink : public QObject {
    Q_OBJECT

    std::unique_ptr<BusRecorder> recorder;
    QStringList seen;
    std::unique_ptr<FakeUnit> unit;
    std::unique_ptr<CZKCommandContainer> container;

    // The text (field 1) or tag (2) of the messages of one type on the bus so far.
    QStringList bus(int type, int field = 1)
    {
        QStringList found;
        for (const QString& line : seen += recorder->take()) {
            if (line.section(QLatin1Char('|'), 0, 0).toInt() == type)
                found.append(line.section(QLatin1Char('|'), field, field == 1 ? 1 : -1));
        }
        return found;
    }
    QStringList atUnit() const
    {
        QStringList found;
        for (const FakeUnit::Datagram& datagram : unit->received)
            found.append(QString::fromUtf8(datagram.bytes));
        return found;
    }
    static void send(const QString& command, const QString& tag = {}) { messageProxy()->post(Send, command, tag); }
    // The program's side binds a free port unless told which (0: the unit's).
    void startContainer(int localPort = -1, quint16 unitPort = 0)
    {
        QUdpSocket probe;
        probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
        container = std::make_unique<CZKCommandContainer>(nullptr);
        container->setNetworkAddress(QStringLiteral("127.0.0.0"));
        container->port = unitPort ? unitPort : unit->port();
        container->localPort = localPort < 0 ? probe.localPort() : quint16(localPort);
        // Nothing of these tests may ever leave this host.
        if (!container->peerAddress().isLoopback() || !container->localAddress().isLoopback())
            qFatal("the link under test is not on loopback");
        probe.close();
        container->start();
    }

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init()
    {
        Pacing::setScale(0.1);
        options()->receiveOnIp = false;
        recorder = std::make_unique<BusRecorder>();
        seen.clear();
        unit = std::make_unique<FakeUnit>();
        QVERIFY2(unit->open(QHostAddress::LocalHost, 0), qPrintable(unit->errorString()));
    }
    void cleanup() { container.reset(); }

    void networkAddressNamesTheUnitAndTheProgram_data()
    {
        QTest::addColumn<QString>("network");
        QTest::addColumn<QString>("peer");
        // Before each row the addresses are those of "10.9.8.0"; the program is the host after the unit.
        QTest::newRow("host 0") << "10.1.2.0" << "10.1.2.1";
        QTest::newRow("program would be host 256") << "10.1.2.254" << "10.9.8.1";
        QTest::newRow("three parts") << "10.0.0" << "10.9.8.1";
    }

    void networkAddressNamesTheUnitAndTheProgram()
    {
        QFETCH(QString, network);
        QFETCH(QString, peer);
        CZKCommandContainer container(nullptr);
        QVERIFY(container.setNetworkAddress(QStringLiteral("10.9.8.0")));
        QCOMPARE(container.setNetworkAddress(network), peer.startsWith(QLatin1String("10.1.2.")));
        QCOMPARE(container.peerAddress(), QHostAddress(peer));
        QCOMPARE(container.localAddress(), QHostAddress(QHostAddress(peer).toIPv4Address() + 1));
    }

    void commandDatagramForm()
    {
        startContainer();
        // No carriage return doubled or after Ctrl-Z, and an empty command goes nowhere.
        for (const char* command : {"AT+CGSN", "AT+CGMM\r", "0011000B\x1A", "", "AT+CPBW=1,\"Zo\u00EB\""})
            send(command);
        QTRY_COMPARE(unit->received.size(), 4);
        QCOMPARE(atUnit(), (QStringList{"AT+CGSN\r", "AT+CGMM\r", "0011000B\x1A", "AT+CPBW=1,\"Zo\u00EB\"\r"}));
    }

    void anyDatagramEndsTheReplyWait_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QStringList>("published");
        QTest::newRow("zero bytes") << QByteArray() << QStringList();
        QTest::newRow("cut at the first NUL") << QByteArray("OK\0tail", 7) << QStringList{"OK"};
        QTest::newRow("UTF-8") << QByteArray("Zo\xC3\xAB\r\nOK") << QStringList{QStringLiteral("Zo\u00EB\r\nOK")};
    }

    void anyDatagramEndsTheReplyWait()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QStringList, published);
        Pacing::setScale(0.2);   // reply time-out 3000 ms, gap 100 ms
        unit->silent = true;
        startContainer();
        send(QStringLiteral("AT1"));
        send(QStringLiteral("AT2"));
        QTRY_COMPARE(unit->received.size(), 1);
        // Not an answer to anything, maybe not even a reply, yet the command in flight is done.
        unit->sendUnsolicited(datagram);
        QTRY_COMPARE_WITH_TIMEOUT(unit->received.size(), 2, 2000);
        // Datagrams keep their order on loopback: once the mark is in, the one before was handled.
        unit->sendUnsolicited("MARK");
        QTRY_VERIFY(bus(Receive).contains(QStringLiteral("MARK")));
        QCOMPARE(bus(Receive), published + QStringList{"MARK"});
    }

    // Another host of the unit's network is not heard: its datagrams are neither replies nor the
    // end of a reply wait, and they are reported once, not once each.
    void onlyTheUnitIsHeard()
    {
        Pacing::setScale(0.2);   // reply time-out 3000 ms, reports of strangers at most every 12 s
        unit->silent = true;
        startContainer();
        QUdpSocket stranger;
        QVERIFY(stranger.bind(QHostAddress(QStringLiteral("127.0.0.2")), 0));
        send(QStringLiteral("AT1"));
        send(QStringLiteral("AT2"));
        QTRY_COMPARE(unit->received.size(), 1);
        const QByteArray sms = cmgr(QString::fromLatin1(kTutorialPdu)).toLatin1();
        for (int i = 0; i < 3; ++i)
            stranger.writeDatagram(sms, QHostAddress::LocalHost, container->localPort);
        QTest::qWait(1000);
        QCOMPARE(unit->received.size(), 1);
        unit->sendUnsolicited("MARK");
        QTRY_VERIFY(bus(Receive).contains(QStringLiteral("MARK")));
        QCOMPARE(bus(Receive), QStringList{"MARK"});
        QTRY_COMPARE(unit->received.size(), 2);
        QCOMPARE(bus(Warning, 2).size(), 1);
        QVERIFY2(bus(Warning, 2).first().startsWith(QLatin1String("Datagram from 127.0.0.2 ignored")),
                 qPrintable(bus(Warning, 2).first()));
    }

    // "AT#RST" is answered here: the unit restarts without a word.
    void repliesCarryTheTagOfTheirCommandAndRestartIsAnsweredLocally()
    {
        startContainer();
        send(QStringLiteral("AT+CGSN"), QStringLiteral("INTERNAL"));
        send(QStringLiteral("AT+CGMM"), QStringLiteral("internal"));
        messageProxy()->post(Info, QStringLiteral("AT+CIMI"), QStringLiteral("INTERNAL"));
        // Only switches the answers on: the fake unit's network stays quiet, and the test plays it.
        send(QStringLiteral("AT+CUSD=1"));
        QTRY_COMPARE(bus(Receive).size(), 3);
        for (const char* datagram : {"\r\nRING\r\n", "\r\n+cusd: 0,\"Balance 5.00\",15\r\n", "\r\nRING\r\n"})
            unit->sendUnsolicited(datagram);
        QTRY_COMPARE(bus(Receive).size(), 6);
        send(QStringLiteral("AT"));
        QTRY_COMPARE(bus(Receive).size(), 7);
        QCOMPARE(bus(UnitRestarted).size(), 0);
        send(QStringLiteral("at#rst=1"), QStringLiteral("INTERNAL"));
        QTRY_COMPARE(atUnit(), (QStringList{"AT+CGSN\r", "AT+CGMM\r", "AT+CUSD=1\r", "AT\r", "at#rst=1\r"}));
        QCOMPARE(bus(UnitRestarted).size(), 1);
        QVERIFY(bus(Receive).first().startsWith(QLatin1String("AT+CGSN\r\n")));
        QCOMPARE(bus(Receive).last(), QStringLiteral("at#rst=1\r\nOK\r\n"));
        // The USSD answer is the program's business, and so is what follows up to the next command.
        QCOMPARE(bus(Receive, 2), (QStringList{"INTERNAL", "", "", "", "INTERNAL", "INTERNAL", "", "INTERNAL"}));
    }

    // The second command leaves a gap after the reply to the first (or its time-out), also when
    // it is queued only while the loop pauses, with nothing else to wake it.
    void nextCommandWaitsForTheReplyAndTheGap_data()
    {
        QTest::addColumn<int>("queuedAfterReplyMs");   // -1: with the first; -2: with the first, unit silent
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("after the reply") << -1 << 480 << 1500;
        QTest::newRow("after the time-out") << -2 << 1450 << 4000;
        QTest::newRow("queued during the gap") << 250 << 480 << 1500;
        QTest::newRow("queued after the gap") << 700 << 680 << 2500;
    }

    void nextCommandWaitsForTheReplyAndTheGap()
    {
        QFETCH(int, queuedAfterReplyMs);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        unit->silent = queuedAfterReplyMs == -2;
        Pacing::setScale(unit->silent ? 0.1 : 1.0);   // a time-out of 1500 ms, or the real gap
        unit->delayMs = 300;   // the gap counts from the reply, not from the command
        startContainer();
        send(QStringLiteral("AT1"));
        if (queuedAfterReplyMs < 0) {
            send(QStringLiteral("AT2"));
        } else {
            QTRY_COMPARE(bus(Receive).size(), 1);
            QTimer::singleShot(queuedAfterReplyMs, [] { send(QStringLiteral("AT2")); });
        }
        QTRY_COMPARE_WITH_TIMEOUT(unit->received.size(), 2, 10000);
        const qint64 gap = unit->received.at(1).atMs - (unit->silent ? unit->received : unit->sent).at(0).atMs;
        QVERIFY2(gap >= minMs && gap <= maxMs, qPrintable(QStringLiteral("gap %1 ms").arg(gap)));
    }

    void failedSendIsReportedOnceWithoutAWait()
    {
        Pacing::setScale(1.0);
        startContainer();
        const QString tooLong = QStringLiteral("AT+") + QString(70000, QLatin1Char('A'));   // more than UDP takes
        send(tooLong);
        send(QStringLiteral("AT"));
        QTRY_COMPARE_WITH_TIMEOUT(bus(Receive).size(), 1, 5000);
        QCOMPARE(atUnit(), QStringList{"AT\r"});
        QCOMPARE(bus(Error), QStringList{"Socket Error"});
        QCOMPARE(bus(Error, 2), QStringList{QStringLiteral("Can't send command %1\r.").arg(tooLong)});
    }

    void failedBindIsReported()
    {
        QUdpSocket holder;
        QVERIFY(holder.bind(QHostAddress(QHostAddress::AnyIPv4), 0, QAbstractSocket::DontShareAddress));
        startContainer(holder.localPort());
        QTRY_COMPARE(bus(Error), QStringList{"Socket Error"});
        QVERIFY(bus(Error, 2).first().contains(QString::number(holder.localPort())));
    }

    void receiveOnIpBindsTheProgramsOwnAddress()
    {
        options()->receiveOnIp = true;
        startContainer(0);   // the unit's own port, as on the real network; the unit holds it on 127.0.0.1
        send(QStringLiteral("AT+CGSN"));
        QTRY_COMPARE(bus(Receive).size(), 1);
        QCOMPARE(unit->lastSender, QHostAddress(QStringLiteral("127.0.0.2")));
        QCOMPARE(unit->lastSenderPort, unit->port());
        QCOMPARE(bus(Error), QStringList());
    }

    void stopAbandonsQueuedCommandsPromptly()
    {
        Pacing::setScale(1.0);   // a reply wait of the full 15 s is under way
        unit->silent = true;
        startContainer();
        for (int i = 0; i < 5; ++i)
            send(QStringLiteral("AT+CGSN"));
        QTRY_COMPARE(unit->received.size(), 1);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(container->stop());
        container.reset();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
        QCOMPARE(unit->received.size(), 1);
    }

    // The fake unit program's answers go through the real link into the interpreter, and come
    // out as reply keys and as rows of the database.
    void fakeUnitProgramAnswersBecomeKeysAndRows()
    {
        LoadedDatabase data(kActiveSim);
        QVERIFY(data.loaded);
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("fakeunit.log"));
        QProcess program;
        program.start(QStringLiteral(FAKEUNIT_PATH), {"--address", "127.0.0.1", "--port", "0", "--log", log});
        QTRY_VERIFY(program.canReadLine());
        const QString listening = QString::fromLatin1(program.readLine()).trimmed();
        QVERIFY2(listening.startsWith(QLatin1String("fakeunit listening on 127.0.0.1:")), qPrintable(listening));
        const quint16 port = listening.section(QLatin1Char(':'), -1).toUShort();
        startContainer(-1, port);
        QUdpSocket control;
        QVERIFY(control.bind(QHostAddress(QHostAddress::LocalHost)));
        const auto controlAnswer = [&](const QByteArray& datagram) {
            control.writeDatagram(datagram, QHostAddress::LocalHost, port);
            const bool answered = QTest::qWaitFor([&] { return control.hasPendingDatagrams(); });
            return answered ? control.receiveDatagram().data() : QByteArray();
        };
        QStringList keys;
        const auto keysUntil = [&](const char* key, int count) {
            return QTest::qWaitFor([&] { return (keys += replyKeys(*recorder)).count(key) >= count; }, 10000);
        };

        // A fourth message joins the three the SIM starts with.
        QCOMPARE(controlAnswer("FAKE#SMS=" + FakeSms{"Put on the SIM by a control datagram", "+48600100400"}.pdu()),
                 QByteArray("OK\r\n"));
        // The unit's identity and its USSD menus are the whole-program runs' to check.
        for (const char* command : {"AT+CPMS=\"SM\",\"SM\",\"SM\"", "AT+CPBS?", "AT+CPBR=1,250", "AT+CMGF=0"})
            send(command);
        for (int index = 1; index <= 4; ++index) {
            send(QStringLiteral("AT+CMGR=%1").arg(index));
            send(QStringLiteral("AT+CMGD=%1").arg(index));
        }
        send(QStringLiteral("AT+CMGR=1"));
        send(QStringLiteral("AT+CPMS=\"SM\",\"SM\",\"SM\""));
        QVERIFY(keysUntil("REC_SMS=0", 1));
        QCOMPARE(controlAnswer("FAKE#UNSOLICITED=\\r\\n+CUSD: 0,\"Sent by a control datagram\",15\\r\\n"),
                 QByteArray("OK\r\n"));
        QVERIFY(keysUntil("RECEIVED_USSD", 1));
        QCOMPARE(keys, (QStringList{
            "SMS_STORE_SIZE=20", "REC_SMS=4", "PHONE_BOOK_POS=2", "PHONE_BOOK_MAX=250", "NEW_PB_ITEM", "NEW_PB_ITEM",
            "RECEIVED_SMS", "RECEIVED_SMS=KEEP", "RECEIVED_SMS", "RECEIVED_SMS", "RECEIVED_SMS=EMPTY",
            "SMS_STORE_SIZE=20", "REC_SMS=0", "RECEIVED_USSD"}));
        QCOMPARE(stored(data.db), (QStringList{
            "+48600100200|Hello from the fake unit|2026-05-12 19:41:57|0|0",
            "+48600100300|This is a long message, and this is its second part.|2026-05-12 19:42:30|0|0",
            "+48600100400|Put on the SIM by a control datagram|2026-05-12 19:41:57|0|0",
            "Network|Sent by a control datagram|now|1|0", "1|+48600100200|Anna", "2|600100300|Smith, John"}));

        // A silent unit answers nothing until it speaks again.
        QCOMPARE(controlAnswer("FAKE#SILENT=1"), QByteArray("OK\r\n"));
        send(QStringLiteral("AT+CIMI"));
        QTest::qWait(300);
        QCOMPARE(replyKeys(*recorder), QStringList());
        QCOMPARE(controlAnswer("FAKE#SILENT=0"), QByteArray("OK\r\n"));
        send(QStringLiteral("AT+CIMI"));
        QVERIFY(keysUntil("IMSI=260011234567890", 1));
        QVERIFY(QFileInfo(log).size() > 0);
        program.kill();
        program.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestCommandLink)
#include "tst_commandlink.moc"
