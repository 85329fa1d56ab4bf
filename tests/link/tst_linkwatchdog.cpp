#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "link/CZKPoolingThread.h"
#include "link/CZKRadioPoolingThread.h"

#include <QtTest>

namespace {

const QString kOk = QStringLiteral("AT#\r\nOK\r\n");

// Watches the bus: the watchdog's traffic as letters (S for "AT#" sent, A for link alive, L for
// link lost) and the times of the radio polls. Answers the first `answers` "AT#" as the link
// would with the unit's reply.
class Watcher : public IMessageReceiver {
public:
    explicit Watcher(int answers = 0, const QString& reply = kOk) : answers(answers), reply(reply)
    {
        clock.start();
        joinBus();
    }
    ~Watcher() override { leaveBus(); }
    void receiveMessage(int type, QString msg, QString desc) override
    {
        QMutexLocker locker(&lock);
        const bool internal = type == Send && desc == QLatin1String("INTERNAL");
        if (internal && msg == QLatin1String("AT#")) {
            letters += QLatin1Char('S');
            if (answers-- > 0)
                messageProxy()->post(Receive, reply, QString());
        } else if (internal && msg == QLatin1String("AT!GSTATUS?")) {
            polls.append(clock.elapsed());
        } else if (type == LinkAlive || type == LinkLost) {
            letters += QLatin1Char(type == LinkAlive ? 'A' : 'L');
        }
    }
    QString pattern() const { QMutexLocker locker(&lock); return letters; }
    QVector<qint64> pollTimes() const { QMutexLocker locker(&lock); return polls; }

private:
    mutable QMutex lock;
    int answers;
    const QString reply;
    QElapsedTimer clock;
    QString letters;
    QVector<qint64> polls;
};

} // namespace

class TestLinkWatchdog : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init() { Pacing::setScale(0.01); }   // 10 ms checks, 300 ms windows

    void watchReportsAliveAndLost_data()
    {
        QTest::addColumn<int>("answers");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("connected");
        // Silent, the watchdog's own "AT#" on the bus must not count as a reply.
        QTest::newRow("silent: lost every second window") << 0 << kOk << "SSLSSLS" << false;
        QTest::newRow("answered") << 1000 << kOk << "SASAS" << true;
        QTest::newRow("answered once") << 1 << kOk << "SASSLSSLS" << false;
        QTest::newRow("other AT# reply") << 1000 << "AT#RUN=0\r\nOK\r\n" << "SASAS" << true;
        QTest::newRow("reply to another command") << 1000 << "AT+CGSN\r\nOK\r\n" << "SSLS" << false;
    }

    void watchReportsAliveAndLost()
    {
        QFETCH(int, answers);
        QFETCH(QString, reply);
        QFETCH(QString, expected);
        QFETCH(bool, connected);
        Watcher bus(answers, reply);
        CZKPoolingThread watchdog;
        watchdog.start(QThread::InheritPriority);
        QTRY_COMPARE_WITH_TIMEOUT(bus.pattern().left(expected.size()), expected, 10000);
        // The last window has just begun: the flag tells how the one before ended.
        QCOMPARE(watchdog.isConnected(), connected);
        QVERIFY(watchdog.stop());
    }

    void laterReplyInAWindowAndPauseAndResume()
    {
        Pacing::setScale(0.05);   // 50 ms checks, 1.5 s windows and paused sleeps
        Watcher bus(1);
        CZKPoolingThread watchdog;
        watchdog.start(QThread::InheritPriority);
        QTRY_COMPARE(bus.pattern(), QStringLiteral("SA"));
        // The window runs its full length: a later "AT#..." reply in it reports the link alive again.
        messageProxy()->post(Receive, QStringLiteral("AT#I\r\nMANUFACTURER: x\r\n\r\nOK\r\n"), QString());
        QTRY_COMPARE(bus.pattern(), QStringLiteral("SAA"));
        watchdog.setPaused(true);
        // Past the window: no "AT#", and neither the flag nor the count of missed windows moves.
        QTest::qWait(2000);
        QCOMPARE(bus.pattern(), QStringLiteral("SAA"));
        QVERIFY(watchdog.isConnected());
        watchdog.setPaused(false);
        QTRY_COMPARE_WITH_TIMEOUT(bus.pattern().left(6), QStringLiteral("SAASSL"), 15000);
        QVERIFY(!watchdog.isConnected());
        QVERIFY(watchdog.stop());
    }

    void stopEndsTheWatchAtOnce_data()
    {
        QTest::addColumn<bool>("paused");
        QTest::newRow("in a reply window") << false;
        QTest::newRow("paused") << true;
    }

    void stopEndsTheWatchAtOnce()
    {
        QFETCH(bool, paused);
        Pacing::setScale(1.0);
        Watcher bus;
        CZKPoolingThread watchdog;
        watchdog.setPaused(paused);
        watchdog.start(QThread::InheritPriority);
        // One second in, the first window (or the 30 s sleep of a paused watch) has begun.
        QTRY_COMPARE(bus.pattern(), QString(paused ? "" : "S"));
        QTest::qWait(paused ? 1200 : 100);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(watchdog.stop());
        QVERIFY2(clock.elapsed() < 500, qPrintable(QStringLiteral("%1 ms").arg(clock.elapsed())));
    }

    void radioPollerKeepsItsCadencePausesAndStops()
    {
        Pacing::setScale(0.05);   // a poll every 100 ms
        Watcher bus;
        CZKRadioPoolingThread idle(nullptr);
        QVERIFY(idle.stop());

        auto poller = std::make_unique<CZKRadioPoolingThread>(nullptr);
        poller->start(QThread::InheritPriority);
        QTRY_VERIFY(bus.pollTimes().size() >= 4);
        const QVector<qint64> polls = bus.pollTimes();
        for (int i = 1; i < polls.size(); ++i)
            QVERIFY2(polls.at(i) - polls.at(i - 1) >= 70, "polled too early");

        poller->setPaused(true);
        QTest::qWait(150);   // a poll that looked at the flag before it was set may still come
        const int pausedAt = bus.pollTimes().size();
        QTest::qWait(400);
        QCOMPARE(bus.pollTimes().size(), pausedAt);
        poller->setPaused(false);
        QTRY_VERIFY_WITH_TIMEOUT(bus.pollTimes().size() > pausedAt, 1000);

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
};

QTEST_GUILESS_MAIN(TestLinkWatchdog)
#include "tst_linkwatchdog.moc"
