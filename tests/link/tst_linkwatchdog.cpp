#include "link/BusRecorder.h"

#include "app/CZKPacing.h"
#include "link/CZKPoolingThread.h"
#include "link/CZKRadioPoolingThread.h"

#include <QtTest>

#include <atomic>
#include <memory>

namespace {

// Answers the watchdog's "AT#" on the bus, as the link would with the unit's reply, for the
// first `windows` commands.
class Responder : public IMessageReceiver {
public:
    Responder(int type, QString text, int windows)
        : type(type)
        , text(std::move(text))
        , windows(windows)
    {
        joinBus();
    }
    ~Responder() override { leaveBus(); }

    void receiveMessage(int messageType, QString msg, QString) override
    {
        if (messageType == Send && msg == QLatin1String("AT#") && answered++ < windows)
            BusRecorder::post(type, text);
    }

    const int type;
    const QString text;
    std::atomic<int> windows;
    std::atomic<int> answered{0};
};

constexpr int kAlways = 1000;

} // namespace

class TestLinkWatchdog : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void watchReportsAliveAndLost_data();
    void watchReportsAliveAndLost();
    void laterReplyInAWindowReportsAgain();
    void pauseHoldsTheWatchAsItStands();
    void stopEndsTheWatchAtOnce_data();
    void stopEndsTheWatchAtOnce();

    void radioPollerKeepsItsCadencePausesAndStops();

private:
    // The watchdog's traffic as letters: S for "AT#" sent, A for link alive, L for link lost.
    QString pattern() const;

    std::unique_ptr<BusRecorder> bus;
};

void TestLinkWatchdog::init()
{
    Pacing::setScale(0.01);   // 10 ms checks, 300 ms windows
    bus = std::make_unique<BusRecorder>();
}

void TestLinkWatchdog::cleanup()
{
    bus.reset();
}

QString TestLinkWatchdog::pattern() const
{
    QString letters;
    for (const BusRecorder::Entry& entry : bus->all()) {
        if (entry.type == Send && entry.msg == QLatin1String("AT#") && entry.desc == QLatin1String("INTERNAL"))
            letters += QLatin1Char('S');
        else if (entry.type == LinkAlive)
            letters += QLatin1Char('A');
        else if (entry.type == LinkLost)
            letters += QLatin1Char('L');
    }
    return letters;
}

void TestLinkWatchdog::watchReportsAliveAndLost_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("windows");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("connected");

    const QString ok = QStringLiteral("AT#\r\nOK\r\n");
    QTest::newRow("answered") << int(Receive) << ok << kAlways << "SASAS" << true;
    QTest::newRow("silent: lost every second window") << int(Receive) << ok << 0 << "SSLSSLS" << false;
    QTest::newRow("answered once") << int(Receive) << ok << 1 << "SASSLSSLS" << false;
    QTest::newRow("other AT# reply") << int(Receive) << "AT#RUN=0\r\nOK\r\n" << kAlways << "SASAS" << true;
    QTest::newRow("lower case") << int(Receive) << "at#\r\nOK\r\n" << kAlways << "SSLS" << false;
    QTest::newRow("leading blank") << int(Receive) << " AT#\r\nOK\r\n" << kAlways << "SSLS" << false;
    QTest::newRow("not a reply") << int(Info) << ok << kAlways << "SSLS" << false;
}

void TestLinkWatchdog::watchReportsAliveAndLost()
{
    QFETCH(int, type);
    QFETCH(QString, reply);
    QFETCH(int, windows);
    QFETCH(QString, expected);
    QFETCH(bool, connected);

    Responder responder(type, reply, windows);
    CZKPoolingThread watchdog;
    watchdog.start(QThread::InheritPriority);
    QTRY_COMPARE_WITH_TIMEOUT(pattern().left(expected.size()), expected, 10000);
    // The last window has just begun: the flag tells how the one before ended.
    QCOMPARE(watchdog.isConnected(), connected);
    QVERIFY(watchdog.stop());
}

void TestLinkWatchdog::laterReplyInAWindowReportsAgain()
{
    Pacing::setScale(0.05);   // 1.5 s windows
    Responder responder(Receive, QStringLiteral("AT#\r\nOK\r\n"), kAlways);
    CZKPoolingThread watchdog;
    watchdog.start(QThread::InheritPriority);
    QTRY_COMPARE(pattern(), QStringLiteral("SA"));
    BusRecorder::post(Receive, QStringLiteral("AT#I\r\nMANUFACTURER: x\r\n\r\nOK\r\n"));
    QTRY_COMPARE_WITH_TIMEOUT(pattern().left(5), QStringLiteral("SAASA"), 10000);
    QVERIFY(watchdog.stop());
}

void TestLinkWatchdog::pauseHoldsTheWatchAsItStands()
{
    Responder responder(Receive, QStringLiteral("AT#\r\nOK\r\n"), 1);
    CZKPoolingThread watchdog;
    watchdog.start(QThread::InheritPriority);
    QTRY_COMPARE(pattern(), QStringLiteral("SA"));
    watchdog.setPaused(true);

    // Three windows' time: no "AT#", and neither the flag nor the count of missed windows moves.
    QTest::qWait(900);
    QCOMPARE(pattern(), QStringLiteral("SA"));
    QVERIFY(watchdog.isConnected());

    watchdog.setPaused(false);
    QTRY_COMPARE_WITH_TIMEOUT(pattern().left(5), QStringLiteral("SASSL"), 10000);
    QVERIFY(!watchdog.isConnected());
    QVERIFY(watchdog.stop());
}

void TestLinkWatchdog::stopEndsTheWatchAtOnce_data()
{
    QTest::addColumn<bool>("paused");
    QTest::newRow("in a reply window") << false;
    QTest::newRow("paused") << true;
}

void TestLinkWatchdog::stopEndsTheWatchAtOnce()
{
    QFETCH(bool, paused);

    Pacing::setScale(1.0);
    CZKPoolingThread watchdog;
    watchdog.setPaused(paused);
    watchdog.start(QThread::InheritPriority);
    // One second in, the first window (or the 30 s sleep of a paused watch) has begun.
    QTRY_COMPARE(pattern(), QString(paused ? "" : "S"));
    QTest::qWait(paused ? 1200 : 100);

    QElapsedTimer clock;
    clock.start();
    QVERIFY(watchdog.stop());
    QVERIFY2(clock.elapsed() < 500, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
}

void TestLinkWatchdog::radioPollerKeepsItsCadencePausesAndStops()
{
    Pacing::setScale(0.05);   // a poll every 100 ms
    const auto polls = [this] {
        QVector<qint64> at;
        for (const BusRecorder::Entry& entry : bus->ofType(Send)) {
            if (entry.msg == QLatin1String("AT!GSTATUS?") && entry.desc == QLatin1String("INTERNAL"))
                at.append(entry.atMs);
        }
        return at;
    };
    CZKRadioPoolingThread idle(nullptr);
    QVERIFY(idle.stop());

    auto poller = std::make_unique<CZKRadioPoolingThread>(nullptr);
    poller->start(QThread::InheritPriority);
    QTRY_VERIFY(polls().size() >= 4);
    for (int i = 1; i < polls().size(); ++i)
        QVERIFY2(polls().at(i) - polls().at(i - 1) >= 70, "polled too early");

    poller->setPaused(true);
    QTest::qWait(150);   // a poll that looked at the flag before it was set may still come
    const int pausedAt = polls().size();
    QTest::qWait(400);
    QCOMPARE(polls().size(), pausedAt);
    poller->setPaused(false);
    QTRY_VERIFY_WITH_TIMEOUT(polls().size() > pausedAt, 1000);

    Pacing::setScale(1.0);   // into a 2 s sleep
    QTest::qWait(150);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(poller->stop());
    QVERIFY(poller->isFinished());
    // Deleting a poller that still runs stops it first.
    poller = std::make_unique<CZKRadioPoolingThread>(nullptr);
    poller->start(QThread::InheritPriority);
    poller.reset();
    QVERIFY2(clock.elapsed() < 1000, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
}

QTEST_GUILESS_MAIN(TestLinkWatchdog)
#include "tst_linkwatchdog.moc"
