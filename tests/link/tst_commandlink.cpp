#include "link/BusRecorder.h"

#include "FakeUnit.h"
#include "app/CZKOptions.h"
#include "app/CZKPacing.h"
#include "link/CZKCommandContainer.h"
#include "link/CZKPoolingThread.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

namespace {

quint16 freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    return probe.localPort();
}

QStringList texts(const QVector<BusRecorder::Entry>& entries)
{
    QStringList found;
    for (const BusRecorder::Entry& entry : entries)
        found.append(entry.msg);
    return found;
}

} // namespace

// The link against a fake unit on 127.0.0.1. The program's side binds another free port of this
// host (both ends cannot hold one port here), or, with receive-on-IP, the unit's port on
// 127.0.0.2.
class TestCommandLink : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void networkAddressNamesTheUnitAndTheProgram_data();
    void networkAddressNamesTheUnitAndTheProgram();
    void commandDatagramForm_data();
    void commandDatagramForm();
    void replyDatagramForm_data();
    void replyDatagramForm();
    void anyDatagramEndsTheReplyWait();
    void repliesCarryTheTagOfTheirCommand();
    void restartCommandIsAnsweredLocallyAndReported_data();
    void restartCommandIsAnsweredLocallyAndReported();

    void nextCommandLeavesAfterTheReplyAndTheGap();
    void nextCommandLeavesAfterTheReplyTimeOut();
    void commandQueuedWhileTheLoopPausesIsSent_data();
    void commandQueuedWhileTheLoopPausesIsSent();
    void failedSendIsReportedOnceWithoutAWait();
    void failedBindIsReported();
    void receiveOnIpBindsTheProgramsOwnAddress();
    void stopAbandonsQueuedCommandsPromptly();

    void watchdogFollowsTheUnit();
    void fakeUnitProgramAnswersTheIdentityReads();

private:
    void startContainer(quint16 localPort, quint16 unitPort);
    void startContainer() { startContainer(freePort(), unit->port()); }
    QStringList atUnit() const;
    QVector<BusRecorder::Entry> replies() const { return bus->ofType(Receive); }
    // Waits until everything posted on the bus so far has been delivered.
    void settleBus();

    std::unique_ptr<FakeUnit> unit;
    std::unique_ptr<BusRecorder> bus;
    std::unique_ptr<CZKCommandContainer> container;
};

void TestCommandLink::init()
{
    Pacing::setScale(0.1);
    options()->receiveOnIp = false;
    bus = std::make_unique<BusRecorder>();
    unit = std::make_unique<FakeUnit>();
    QVERIFY2(unit->open(QHostAddress::LocalHost, 0), qPrintable(unit->errorString()));
}

void TestCommandLink::cleanup()
{
    container.reset();
    unit.reset();
    bus.reset();
    options()->receiveOnIp = false;
}

void TestCommandLink::startContainer(quint16 localPort, quint16 unitPort)
{
    container = std::make_unique<CZKCommandContainer>(nullptr);
    container->setNetworkAddress(QStringLiteral("127.0.0.0"));
    container->port = unitPort;
    container->localPort = localPort;
    // Nothing of these tests may ever leave this host.
    if (!container->peerAddress().isLoopback() || !container->localAddress().isLoopback())
        qFatal("the link under test is not on loopback");
    container->start();
}

void TestCommandLink::settleBus()
{
    BusRecorder::post(Info, QStringLiteral("settled"));
    QTRY_COMPARE(bus->all().last().msg, QStringLiteral("settled"));
}

QStringList TestCommandLink::atUnit() const
{
    QStringList found;
    for (const FakeUnit::Datagram& datagram : unit->received())
        found.append(QString::fromUtf8(datagram.bytes));
    return found;
}

void TestCommandLink::networkAddressNamesTheUnitAndTheProgram_data()
{
    QTest::addColumn<QString>("network");
    QTest::addColumn<QString>("peer");
    QTest::addColumn<QString>("local");

    // The addresses before each row: those of "10.9.8.0".
    QTest::newRow("host 0") << "10.1.2.0" << "10.1.2.1" << "10.1.2.2";
    QTest::newRow("host part no number") << "10.1.2.x" << "10.1.2.1" << "10.1.2.2";
    QTest::newRow("last that fits") << "10.1.2.253" << "10.1.2.254" << "10.1.2.255";
    QTest::newRow("program would be host 256") << "10.1.2.254" << "10.9.8.1" << "10.9.8.2";
    QTest::newRow("unit would be host 256") << "10.1.2.255" << "10.9.8.1" << "10.9.8.2";
    QTest::newRow("negative host") << "10.1.2.-1" << "10.9.8.1" << "10.9.8.2";
    QTest::newRow("three parts") << "10.0.0" << "10.9.8.1" << "10.9.8.2";
    QTest::newRow("five parts") << "1.2.3.4.5" << "10.9.8.1" << "10.9.8.2";
    QTest::newRow("not an address") << "a.b.c.0" << "10.9.8.1" << "10.9.8.2";
}

void TestCommandLink::networkAddressNamesTheUnitAndTheProgram()
{
    QFETCH(QString, network);
    QFETCH(QString, peer);
    QFETCH(QString, local);

    CZKCommandContainer container(nullptr);
    QCOMPARE(container.peerAddress(), QHostAddress(QStringLiteral("0.0.0.0")));
    QCOMPARE(container.port, quint16(40000));
    QVERIFY(container.setNetworkAddress(QStringLiteral("10.9.8.0")));
    QCOMPARE(container.setNetworkAddress(network), peer.startsWith(QLatin1String("10.1.2.")));
    QCOMPARE(container.peerAddress(), QHostAddress(peer));
    QCOMPARE(container.localAddress(), QHostAddress(local));
}

void TestCommandLink::commandDatagramForm_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("carriage return added") << "AT+CGSN" << QByteArray("AT+CGSN\r");
    QTest::newRow("not doubled") << "AT+CGMM\r" << QByteArray("AT+CGMM\r");
    QTest::newRow("none after Ctrl-Z") << QStringLiteral("0011000B\x1A") << QByteArray("0011000B\x1A");
    QTest::newRow("UTF-8") << QStringLiteral("AT+CPBW=1,\"Zo\u00EB \u0141\"")
                           << QByteArray("AT+CPBW=1,\"Zo\xC3\xAB \xC5\x81\"\r");
}

void TestCommandLink::commandDatagramForm()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, bytes);

    startContainer();
    // An empty command goes nowhere; the one behind it is the first the unit sees.
    BusRecorder::post(Send, QString());
    BusRecorder::post(Send, command);
    QTRY_COMPARE(unit->received().size(), 1);
    QCOMPARE(unit->received().first().bytes, bytes);
}

void TestCommandLink::replyDatagramForm_data()
{
    QTest::addColumn<QByteArray>("datagram");
    QTest::addColumn<QStringList>("published");

    QTest::newRow("cut at the first NUL") << QByteArray("OK\0tail", 7) << QStringList{"OK"};
    QTest::newRow("UTF-8") << QByteArray("Zo\xC3\xAB\r\nOK") << QStringList{QStringLiteral("Zo\u00EB\r\nOK")};
    QTest::newRow("zero bytes") << QByteArray() << QStringList();
    QTest::newRow("NUL first") << QByteArray("\0tail", 5) << QStringList();
}

void TestCommandLink::replyDatagramForm()
{
    QFETCH(QByteArray, datagram);
    QFETCH(QStringList, published);

    startContainer();
    BusRecorder::post(Send, QStringLiteral("AT"));
    QTRY_COMPARE(replies().size(), 1);
    unit->sendUnsolicited(datagram);
    // Datagrams keep their order on loopback: once the mark is in, the one before was handled.
    unit->sendUnsolicited("MARK");
    QTRY_COMPARE(texts(replies()).last(), QStringLiteral("MARK"));
    QCOMPARE(texts(replies()).mid(1, replies().size() - 2), published);
}

void TestCommandLink::anyDatagramEndsTheReplyWait()
{
    Pacing::setScale(0.2);   // reply time-out 3000 ms, gap 100 ms
    unit->setSilent(true);
    startContainer();
    BusRecorder::post(Send, QStringLiteral("AT1"));
    BusRecorder::post(Send, QStringLiteral("AT2"));
    QTRY_COMPARE(unit->received().size(), 1);
    // Not an answer to anything, and not even a reply, yet the command in flight is done.
    unit->sendUnsolicited(QByteArray());
    QTRY_COMPARE_WITH_TIMEOUT(unit->received().size(), 2, 2000);
    QCOMPARE(replies().size(), 0);
}

void TestCommandLink::repliesCarryTheTagOfTheirCommand()
{
    startContainer();
    BusRecorder::post(Send, QStringLiteral("AT+CGSN"), QStringLiteral("INTERNAL"));
    BusRecorder::post(Send, QStringLiteral("AT+CGMM"), QStringLiteral("internal"));
    BusRecorder::post(Info, QStringLiteral("AT+CIMI"), QStringLiteral("INTERNAL"));
    // Only switches the answers on: the fake unit's network stays quiet, and the test plays it.
    BusRecorder::post(Send, QStringLiteral("AT+CUSD=1"));
    QTRY_COMPARE(replies().size(), 3);
    unit->sendUnsolicited("\r\nRING\r\n");
    unit->sendUnsolicited("\r\n+cusd: 0,\"Balance 5.00\",15\r\n");
    unit->sendUnsolicited("\r\nRING\r\n");
    QTRY_COMPARE(replies().size(), 6);
    BusRecorder::post(Send, QStringLiteral("AT"));
    QTRY_COMPARE(replies().size(), 7);

    QCOMPARE(atUnit(), (QStringList{"AT+CGSN\r", "AT+CGMM\r", "AT+CUSD=1\r", "AT\r"}));
    QVERIFY(replies().first().msg.startsWith(QLatin1String("AT+CGSN\r\n")));
    QStringList tags;
    for (const BusRecorder::Entry& reply : replies())
        tags.append(reply.desc);
    // The USSD answer is the program's business, and so is what follows up to the next command.
    QCOMPARE(tags, (QStringList{"INTERNAL", "", "", "", "INTERNAL", "INTERNAL", ""}));
}

void TestCommandLink::restartCommandIsAnsweredLocallyAndReported_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<bool>("restarts");

    QTest::newRow("upper case") << "AT#RST" << "INTERNAL" << true;
    QTest::newRow("lower case") << "at#rst" << "" << true;
    QTest::newRow("with arguments") << "AT#RST=1" << "INTERNAL" << true;
    QTest::newRow("leading blank") << " AT#RST" << "INTERNAL" << false;
    QTest::newRow("other command") << "AT#RS" << "" << false;
}

void TestCommandLink::restartCommandIsAnsweredLocallyAndReported()
{
    QFETCH(QString, command);
    QFETCH(QString, tag);
    QFETCH(bool, restarts);

    startContainer();
    BusRecorder::post(Send, command, tag);
    // The command itself goes to the unit unchanged; a restarting unit answers nothing.
    QTRY_COMPARE(atUnit(), QStringList{command + QLatin1Char('\r')});
    if (!restarts)
        QTRY_COMPARE(replies().size(), 1);
    settleBus();

    QStringList seen;
    for (const BusRecorder::Entry& entry : bus->all()) {
        if (entry.type == Receive && entry.msg == command + QLatin1String("\r\nOK\r\n"))
            seen.append(QStringLiteral("local reply ") + entry.desc);
        else if (entry.type == UnitRestarted)
            seen.append(QStringLiteral("restarted"));
    }
    const QStringList expected = restarts ? QStringList{"local reply " + tag, "restarted"} : QStringList();
    QCOMPARE(seen, expected);
}

void TestCommandLink::nextCommandLeavesAfterTheReplyAndTheGap()
{
    Pacing::setScale(1.0);
    unit->setDelayMs(300);
    startContainer();
    for (const char* command : {"AT+CGSN", "AT+CGMM", "AT+CGMR"})
        BusRecorder::post(Send, QLatin1String(command));
    QTRY_COMPARE_WITH_TIMEOUT(unit->sent().size(), 3, 10000);

    const QVector<FakeUnit::Datagram> in = unit->received();
    const QVector<FakeUnit::Datagram> out = unit->sent();
    QCOMPARE(in.size(), 3);
    for (int i = 1; i < 3; ++i) {
        const qint64 gap = in.at(i).atMs - out.at(i - 1).atMs;
        QVERIFY2(gap >= 480 && gap <= 1500, qPrintable(QStringLiteral("gap %1 ms").arg(gap)));
    }
}

void TestCommandLink::nextCommandLeavesAfterTheReplyTimeOut()
{
    Pacing::setScale(0.1);   // reply time-out 1500 ms, gap 50 ms
    unit->setSilent(true);
    startContainer();
    BusRecorder::post(Send, QStringLiteral("AT1"));
    BusRecorder::post(Send, QStringLiteral("AT2"));
    QTRY_COMPARE_WITH_TIMEOUT(unit->received().size(), 2, 10000);
    const qint64 gap = unit->received().at(1).atMs - unit->received().at(0).atMs;
    QVERIFY2(gap >= 1450 && gap <= 4000, qPrintable(QStringLiteral("gap %1 ms").arg(gap)));
}

void TestCommandLink::commandQueuedWhileTheLoopPausesIsSent_data()
{
    QTest::addColumn<int>("afterReplyMs");
    QTest::newRow("at once") << 0;
    QTest::newRow("during the gap") << 250;
    QTest::newRow("after the gap") << 700;
}

void TestCommandLink::commandQueuedWhileTheLoopPausesIsSent()
{
    QFETCH(int, afterReplyMs);

    Pacing::setScale(1.0);
    startContainer();
    BusRecorder::post(Send, QStringLiteral("AT1"));
    QTRY_COMPARE(replies().size(), 1);
    QTimer::singleShot(afterReplyMs, [] { BusRecorder::post(Send, QStringLiteral("AT2")); });
    // Nothing else is queued that could wake the loop.
    QTRY_COMPARE_WITH_TIMEOUT(unit->received().size(), 2, afterReplyMs + 3000);
    QVERIFY(unit->received().at(1).atMs - unit->sent().at(0).atMs >= 480);
}

void TestCommandLink::failedSendIsReportedOnceWithoutAWait()
{
    Pacing::setScale(1.0);
    startContainer();
    // Larger than any UDP datagram can be.
    const QString tooLong = QStringLiteral("AT+") + QString(70000, QLatin1Char('A'));
    BusRecorder::post(Send, tooLong);
    BusRecorder::post(Send, QStringLiteral("AT"));
    QTRY_COMPARE_WITH_TIMEOUT(replies().size(), 1, 5000);

    QCOMPARE(atUnit(), QStringList{"AT\r"});
    const QVector<BusRecorder::Entry> errors = bus->ofType(Error);
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors.first().msg, QStringLiteral("Socket Error"));
    QCOMPARE(errors.first().desc, QStringLiteral("Can't send command %1\r.").arg(tooLong));
}

void TestCommandLink::failedBindIsReported()
{
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress(QHostAddress::AnyIPv4), 0, QAbstractSocket::DontShareAddress));
    startContainer(holder.localPort(), unit->port());
    QTRY_COMPARE(bus->ofType(Error).size(), 1);
    QCOMPARE(bus->ofType(Error).first().msg, QStringLiteral("Socket Error"));
    QVERIFY(bus->ofType(Error).first().desc.contains(QString::number(holder.localPort())));
}

void TestCommandLink::receiveOnIpBindsTheProgramsOwnAddress()
{
    options()->receiveOnIp = true;
    // The unit's own port, as on the real network; the unit holds it on 127.0.0.1.
    startContainer(0, unit->port());
    BusRecorder::post(Send, QStringLiteral("AT+CGSN"));
    QTRY_COMPARE(replies().size(), 1);
    QCOMPARE(unit->lastSender(), QHostAddress(QStringLiteral("127.0.0.2")));
    QCOMPARE(unit->lastSenderPort(), unit->port());
    QCOMPARE(bus->ofType(Error).size(), 0);
}

void TestCommandLink::stopAbandonsQueuedCommandsPromptly()
{
    Pacing::setScale(1.0);   // a reply wait of the full 15 s is under way
    unit->setSilent(true);
    startContainer();
    for (int i = 0; i < 5; ++i)
        BusRecorder::post(Send, QStringLiteral("AT+CGSN"));
    QTRY_COMPARE(unit->received().size(), 1);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(container->stop());
    container.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    QCOMPARE(unit->received().size(), 1);
}

void TestCommandLink::watchdogFollowsTheUnit()
{
    Pacing::setScale(0.01);   // 300 ms windows
    CZKPoolingThread watchdog;
    watchdog.start(QThread::InheritPriority);
    startContainer();
    QTRY_VERIFY(watchdog.isConnected());
    QVERIFY(!bus->ofType(LinkAlive).isEmpty());

    unit->setSilent(true);
    QTRY_COMPARE_WITH_TIMEOUT(bus->ofType(LinkLost).size(), 1, 10000);
    QVERIFY(!watchdog.isConnected());
    QVERIFY(watchdog.stop());
}

void TestCommandLink::fakeUnitProgramAnswersTheIdentityReads()
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath(QStringLiteral("fakeunit.log"));
    const quint16 port = freePort();
    QProcess program;
    program.start(QStringLiteral(FAKEUNIT_PATH),
        {"--address", "127.0.0.1", "--port", QString::number(port), "--log", logPath});
    QVERIFY(program.waitForStarted());
    QVERIFY(program.waitForReadyRead(5000));
    QVERIFY(program.readAllStandardOutput().contains("listening"));
    startContainer(freePort(), port);

    const QVector<QPair<QString, QString>> reads = {
        {"AT#CNF?", QStringLiteral("UDP AT COMMAND PORT: %1\r\n").arg(port)},
        {"AT#I", "MANUFACTURER: "},
        {"AT+CGSN", "\r\n356000000000017\r\n"},
        {"AT+CGMM", "\r\nFU-100 LTE\r\n"},
        {"AT+CGMR", "\r\nFU100_01.02.03\r\n"},
        {"AT+CIMI", "\r\n260011234567890\r\n"},
        {"AT+CPIN?", "\r\n+CPIN: READY\r\n"},
        {"AT!GSTATUS?", "\r\nRSSI (dBm): "},
        {"AT+CPMS?", "\r\n+CPMS: \"SM\",3,20,"},
        {"AT+CPBS?", "\r\n+CPBS: \"SM\",2,250\r\n"},
        {"AT#", ""},
        {"ATE0", ""},
    };
    for (const auto& read : reads)
        BusRecorder::post(Send, read.first);
    QTRY_COMPARE(replies().size(), reads.size());
    for (int i = 0; i < reads.size(); ++i) {
        const QString reply = replies().at(i).msg;
        QVERIFY2(reply.startsWith(reads.at(i).first + QLatin1String("\r\n")), qPrintable(reply));
        QVERIFY2(reply.endsWith(QLatin1String("\r\nOK\r\n")), qPrintable(reply));
        QVERIFY2(reply.contains(reads.at(i).second), qPrintable(reply));
    }

    QUdpSocket control;
    control.writeDatagram("FAKE#SILENT=1", QHostAddress::LocalHost, port);
    QTRY_VERIFY(control.hasPendingDatagrams());
    QCOMPARE(control.receiveDatagram().data(), QByteArray("OK\r\n"));
    BusRecorder::post(Send, QStringLiteral("AT+CGSN"));
    const auto logged = [&logPath] {
        QFile log(logPath);
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    };
    QTRY_COMPARE(logged().count("AT+CGSN\\r"), 2);
    QTest::qWait(200);
    QCOMPARE(replies().size(), reads.size());

    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(TestCommandLink)
#include "tst_commandlink.moc"
