#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "link/CZKLinkHold.h"
#include "link/CZKPoolingThread.h"
#include "link/CZKRadioPoolingThread.h"

#include <QRandomGenerator>
#include <QtTest>

#include <memory>

namespace {

const QString kOk = QStringLiteral("AT#\r\nOK\r\n");
const QString kMarkTag = QStringLiteral("hold-test");

// The bus as letters in the order of posting: S "AT#" sent, G "AT!GSTATUS?" sent, P a probe of
// the test's own sender, A link alive, L link lost, and the marks T (a hold was taken) and R (it
// is about to go), so a letter between a T and the next R was posted while the hold stood.
// Answers the first `answers` "AT#" with `reply`.
class BusLetters : public IMessageReceiver {
public:
    explicit BusLetters(int answers = 0, const QString& reply = kOk) : answers(answers), reply(reply)
    {
        clock.start();
        joinBus();
    }
    ~BusLetters() override { leaveBus(); }

    void receiveMessage(int type, QString msg, QString desc) override
    {
        QMutexLocker locker(&lock);
        if (type == Send && msg == QLatin1String("AT#")) {
            letters += QLatin1Char('S');
            if (answers-- > 0)
                messageProxy()->post(Receive, reply, QString());
        } else if (type == Send && msg == QLatin1String("AT!GSTATUS?")) {
            letters += QLatin1Char('G');
            polls.append(clock.elapsed());
        } else if (type == Send && msg == QLatin1String("PROBE")) {
            letters += QLatin1Char('P');
        } else if (type == LinkAlive || type == LinkLost) {
            letters += QLatin1Char(type == LinkAlive ? 'A' : 'L');
        } else if (type == Info && desc == kMarkTag) {
            letters += msg.at(0);
        }
    }

    QString text() const { QMutexLocker locker(&lock); return letters; }
    QVector<qint64> pollTimes() const { QMutexLocker locker(&lock); return polls; }
    // What came after the `nth` `mark`; nothing while that mark is still on its way.
    QString after(QChar mark, int nth = 1) const
    {
        const QString all = text();
        int at = -1;
        for (int seen = 0; seen < nth; ++seen) {
            if ((at = all.indexOf(mark, at + 1)) < 0)
                return QString();
        }
        return all.mid(at + 1);
    }
    static void mark(char letter) { messageProxy()->post(Info, QString(QLatin1Char(letter)), kMarkTag); }

private:
    mutable QMutex lock;
    int answers;
    const QString reply;
    QElapsedTimer clock;
    QString letters;
    QVector<qint64> polls;
};

// Looks and posts through the hold's gate over and over, taking its time between the look and
// the post, where a gate that let a hold in would be caught.
class Prober : public QThread {
public:
    ~Prober() override { stop(); }
    void stop()
    {
        done = true;
        wait();
    }

protected:
    void run() override
    {
        IMessageSender sender;
        while (!done) {
            CZKLinkHold::unlessHeld([&sender] {
                QThread::usleep(50);
                sender.sendMessage(Send, QStringLiteral("PROBE"), QString());
            });
            QThread::usleep(50);
        }
    }

private:
    std::atomic<bool> done{false};
};

// A hold marked on the bus at its start and its end.
class MarkedHold {
public:
    MarkedHold() : hold(std::make_unique<CZKLinkHold>()) { BusLetters::mark('T'); }
    ~MarkedHold()
    {
        BusLetters::mark('R');
        hold.reset();
    }

private:
    std::unique_ptr<CZKLinkHold> hold;
};

bool stopsQuickly(const std::function<bool()>& stop, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    return stop() && clock.elapsed() < limitMs;
}

} // namespace

// The watchdog, the radio poller, and the hold that keeps both off the link.
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
        BusLetters bus(answers, reply);
        CZKPoolingThread watchdog;
        watchdog.start(QThread::InheritPriority);
        QTRY_COMPARE_WITH_TIMEOUT(bus.text().left(expected.size()), expected, 10000);
        // The last window has just begun: the flag tells how the one before ended.
        QCOMPARE(watchdog.isConnected(), connected);
        QVERIFY(watchdog.stop());
    }

    void laterReplyInAWindowAndPauseAndResume()
    {
        Pacing::setScale(0.05);   // 50 ms checks, 1.5 s windows and paused sleeps
        BusLetters bus(1);
        CZKPoolingThread watchdog;
        watchdog.start(QThread::InheritPriority);
        QTRY_COMPARE(bus.text(), QStringLiteral("SA"));
        // A later "AT#..." reply in the same window reports the link alive again.
        messageProxy()->post(Receive, QStringLiteral("AT#I\r\nMANUFACTURER: x\r\n\r\nOK\r\n"), QString());
        QTRY_COMPARE(bus.text(), QStringLiteral("SAA"));
        watchdog.setPaused(true);
        // Past the window: no "AT#", and neither the flag nor the count of missed windows moves.
        QTest::qWait(2000);
        QCOMPARE(bus.text(), QStringLiteral("SAA"));
        QVERIFY(watchdog.isConnected());
        watchdog.setPaused(false);
        QTRY_COMPARE_WITH_TIMEOUT(bus.text().left(6), QStringLiteral("SAASSL"), 15000);
        QVERIFY(!watchdog.isConnected());
        QVERIFY(watchdog.stop());
    }

    // A pause taken in the middle of a reply window reports nothing for the rest of it, neither a
    // reply that comes meanwhile nor the window's silence; the reply counts once the watch is back.
    void pauseDropsTheWindowUnderWay_data()
    {
        QTest::addColumn<bool>("replyWhilePaused");
        QTest::newRow("a reply while paused") << true;
        QTest::newRow("silence after a missed window") << false;
    }

    void pauseDropsTheWindowUnderWay()
    {
        QFETCH(bool, replyWhilePaused);
        Pacing::setScale(0.05);   // 50 ms checks, 1.5 s windows and paused sleeps
        BusLetters bus;
        CZKPoolingThread watchdog;
        watchdog.start(QThread::InheritPriority);
        // Silent, one window missed first: the next silent one would report the link lost.
        const QString before = QLatin1String(replyWhilePaused ? "S" : "SS");
        QTRY_COMPARE_WITH_TIMEOUT(bus.text(), before, 5000);
        QTest::qWait(200);
        watchdog.setPaused(true);
        if (replyWhilePaused)
            messageProxy()->post(Receive, QStringLiteral("AT#RUN=0\r\nOK\r\n"), QString());
        QTest::qWait(2500);
        QCOMPARE(bus.text(), before);
        if (replyWhilePaused) {
            watchdog.setPaused(false);
            QTRY_COMPARE_WITH_TIMEOUT(bus.text(), QStringLiteral("SSA"), 5000);
        }
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
        BusLetters bus;
        CZKPoolingThread watchdog;
        watchdog.setPaused(paused);
        watchdog.start(QThread::InheritPriority);
        // The first window (or the 30 s sleep of a paused watch) has begun.
        QTRY_COMPARE(bus.text(), QString(paused ? "" : "S"));
        QTest::qWait(paused ? 1200 : 100);
        QVERIFY(stopsQuickly([&] { return watchdog.stop(); }, 500));
    }

    void radioPollerKeepsItsCadencePausesAndStops()
    {
        Pacing::setScale(0.05);   // a poll every 100 ms
        BusLetters bus;
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
        // Deleting a poller that still runs stops it first.
        QVERIFY(stopsQuickly([&] {
            const bool stopped = poller->stop() && poller->isFinished();
            poller = std::make_unique<CZKRadioPoolingThread>(nullptr);
            poller->start(QThread::InheritPriority);
            poller.reset();
            return stopped;
        }, 1000));
    }

    void watchdogWaitsOutTheHoldAndStartsAfresh_data()
    {
        QTest::addColumn<int>("answers");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("afterRelease");
        QTest::newRow("answered") << 1000 << "SA" << "SA";
        // One window was missed before the hold: two more must pass after it before "lost".
        QTest::newRow("silent") << 0 << "SS" << "SSL";
    }

    void watchdogWaitsOutTheHoldAndStartsAfresh()
    {
        QFETCH(int, answers);
        QFETCH(QString, before);
        QFETCH(QString, afterRelease);
        BusLetters bus(answers);
        CZKPoolingThread watchdog;
        watchdog.start(QThread::InheritPriority);
        QTRY_COMPARE_WITH_TIMEOUT(bus.text(), before, 5000);
        {
            MarkedHold hold;
            QVERIFY(CZKLinkHold::isHeld());
            QTest::qWait(1000);   // over three windows
            QCOMPARE(bus.text(), before + QLatin1Char('T'));
        }
        QVERIFY(!CZKLinkHold::isHeld());
        const QString expected = before + QStringLiteral("TR") + afterRelease;
        QTRY_COMPARE_WITH_TIMEOUT(bus.text().left(expected.size()), expected, 5000);
        QCOMPARE(watchdog.isConnected(), answers > 0);
        QVERIFY(watchdog.stop());
    }

    void releasedOnceOnTheGuiThreadWhenTheLastHoldGoes()
    {
        QSignalSpy spy(CZKLinkHold::notifier(), &CZKLinkHoldNotifier::released);
        QThread* seenOn = nullptr;
        const QMetaObject::Connection connection =
            connect(CZKLinkHold::notifier(), &CZKLinkHoldNotifier::released, this,
                    [&seenOn] { seenOn = QThread::currentThread(); }, Qt::DirectConnection);
        auto mine = std::make_unique<CZKLinkHold>();
        std::unique_ptr<CZKLinkHold> workers;
        const auto onWorker = [](const std::function<void()>& job) {
            std::unique_ptr<QThread> worker(QThread::create(job));
            worker->start();
            return worker->wait(5000);
        };
        QVERIFY(onWorker([&workers] { workers = std::make_unique<CZKLinkHold>(); }));
        mine.reset();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(spy.count(), 0);
        QVERIFY(CZKLinkHold::isHeld());
        // The last one goes on another thread; the signal still comes on this one.
        QVERIFY(onWorker([&workers] { workers.reset(); }));
        QVERIFY(!CZKLinkHold::isHeld());
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(seenOn, QThread::currentThread());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(spy.count(), 1);
        disconnect(connection);
    }

    // A fast watchdog and poller and the prober: no letter may come between a T and its R, and
    // the poll skipped while held comes again after it.
    void noProbeEntersTheBusAfterTheTake()
    {
        Pacing::setScale(0.001);   // 1 ms checks, 30 ms windows, a poll every 2 ms
        BusLetters bus(1 << 30);
        CZKPoolingThread watchdog;
        CZKRadioPoolingThread poller(nullptr);
        Prober prober;
        watchdog.start(QThread::InheritPriority);
        poller.start(QThread::InheritPriority);
        prober.start();
        QRandomGenerator random(13);
        constexpr int kCycles = 200;
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            {
                MarkedHold hold;
                QThread::usleep(random.bounded(2000));
            }
            // The next hold only once the watchdog probes again, at a random point of its window.
            QVERIFY2(QTest::qWaitFor(
                         [&] { return bus.after(QLatin1Char('R'), cycle + 1).contains(QLatin1Char('S')); }, 5000),
                     qPrintable(bus.text().right(200)));
            QThread::usleep(random.bounded(35000));
        }
        prober.stop();
        QVERIFY(poller.stop());
        QVERIFY(watchdog.stop());
        BusLetters::mark('E');
        QTRY_VERIFY_WITH_TIMEOUT(bus.text().endsWith(QLatin1Char('E')), 5000);

        const QString all = bus.text();
        QStringList heldTraffic;
        int cycle = 0;
        bool held = false;
        for (const QChar letter : all) {
            if (letter == QLatin1Char('T') || letter == QLatin1Char('R'))
                cycle += (held = letter == QLatin1Char('T')) ? 1 : 0;
            else if (held)
                heldTraffic << QStringLiteral("%1 in hold %2").arg(letter).arg(cycle);
        }
        QCOMPARE(cycle, kCycles);
        QVERIFY2(heldTraffic.isEmpty(), qPrintable(heldTraffic.mid(0, 10).join(QLatin1String(", "))));
        // Both went on between the holds, not only before the first.
        const QString later = bus.after(QLatin1Char('R'), kCycles / 2);
        QVERIFY(later.contains(QLatin1Char('A')) && later.contains(QLatin1Char('G')));
    }
};

QTEST_GUILESS_MAIN(TestLinkWatchdog)
#include "tst_linkwatchdog.moc"
