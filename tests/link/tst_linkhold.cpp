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

const QString kMarkTag = QStringLiteral("hold-test");

// The bus as a string of letters, in the order the bus delivers (which is the order of
// posting): S "AT#" sent, G "AT!GSTATUS?" sent, P a probe of the test's own sender, A link
// alive, L link lost, and the test's marks T (a hold has been taken) and R (it is about to go).
// The marks are posted right after the hold's constructor returned and right before its
// destructor runs, so a letter between a T and the next R was posted while the hold stood.
class BusLetters : public IMessageReceiver {
public:
    explicit BusLetters(bool answer) : answer(answer) { joinBus(); }
    ~BusLetters() override { leaveBus(); }

    void receiveMessage(int type, QString msg, QString desc) override
    {
        QChar letter;
        if (type == Send && msg == QLatin1String("AT#")) {
            letter = QLatin1Char('S');
            if (answer)
                messageProxy()->post(Receive, QStringLiteral("AT#\r\nOK\r\n"), QString());
        } else if (type == Send && msg == QLatin1String("AT!GSTATUS?")) {
            letter = QLatin1Char('G');
        } else if (type == Send && msg == QLatin1String("PROBE")) {
            letter = QLatin1Char('P');
        } else if (type == LinkAlive || type == LinkLost) {
            letter = QLatin1Char(type == LinkAlive ? 'A' : 'L');
        } else if (type == Info && desc == kMarkTag) {
            letter = msg.at(0);
        } else {
            return;
        }
        QMutexLocker locker(&lock);
        letters += letter;
    }

    QString text() const
    {
        QMutexLocker locker(&lock);
        return letters;
    }
    // What came after the `nth` `mark`; nothing while that mark is still on its way.
    QString after(QChar mark, int nth = 1) const
    {
        const QString all = text();
        int at = -1;
        for (int seen = 0; seen < nth; ++seen) {
            at = all.indexOf(mark, at + 1);
            if (at < 0)
                return QString();
        }
        return all.mid(at + 1);
    }

    static void mark(char letter)
    {
        messageProxy()->post(Info, QString(QLatin1Char(letter)), kMarkTag);
    }

private:
    const bool answer;
    mutable QMutex lock;
    QString letters;
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

// Takes a hold and marks it on the bus; marks and gives it back at its end.
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

} // namespace

class TestLinkHold : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init() { Pacing::setScale(0.01); }   // 10 ms checks, 300 ms windows

    void watchdogWaitsOutTheHoldAndStartsAfresh_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("afterRelease");
        QTest::newRow("answered") << true << "SA" << "SA";
        // One window was missed before the hold: two more must pass after it before "lost".
        QTest::newRow("silent") << false << "SS" << "SSL";
    }

    void watchdogWaitsOutTheHoldAndStartsAfresh()
    {
        QFETCH(bool, answer);
        QFETCH(QString, before);
        QFETCH(QString, afterRelease);
        BusLetters bus(answer);
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
        QCOMPARE(watchdog.isConnected(), answer);
        QVERIFY(watchdog.stop());
    }

    void radioPollerSkipsThePollsWhileHeld()
    {
        Pacing::setScale(0.05);   // a poll every 100 ms
        BusLetters bus(false);
        CZKRadioPoolingThread poller(nullptr);
        poller.start(QThread::InheritPriority);
        QTRY_COMPARE(bus.text().left(2), QStringLiteral("GG"));
        {
            MarkedHold hold;
            QTest::qWait(500);
            QVERIFY2(bus.text().endsWith(QLatin1Char('T')), qPrintable(bus.text()));
        }
        QTRY_VERIFY_WITH_TIMEOUT(bus.after(QLatin1Char('R')).contains(QLatin1Char('G')), 1000);
        QVERIFY(poller.stop());
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
        std::unique_ptr<QThread> worker(QThread::create([&workers] {
            workers = std::make_unique<CZKLinkHold>();
        }));
        worker->start();
        QVERIFY(worker->wait(5000));

        mine.reset();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(spy.count(), 0);
        QVERIFY(CZKLinkHold::isHeld());

        // The last one goes on another thread; the signal still comes on this one.
        worker.reset(QThread::create([&workers] { workers.reset(); }));
        worker->start();
        QVERIFY(worker->wait(5000));
        QVERIFY(!CZKLinkHold::isHeld());
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(seenOn, QThread::currentThread());
        QCoreApplication::sendPostedEvents();
        QCOMPARE(spy.count(), 1);
        disconnect(connection);
    }

    // A fast watchdog and poller, and a prober of our own that takes its time between the look
    // and the post, so that a hold taken in between would show as a letter after a T.
    void noProbeEntersTheBusAfterTheTake()
    {
        Pacing::setScale(0.001);   // 1 ms checks, 30 ms windows, a poll every 2 ms
        BusLetters bus(true);
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
            // Take the next hold only once the watchdog probes again, at a random point of its
            // window (or of its next "AT#").
            const bool probedAgain = QTest::qWaitFor(
                [&] { return bus.after(QLatin1Char('R'), cycle + 1).contains(QLatin1Char('S')); },
                5000);
            QVERIFY2(probedAgain, qPrintable(bus.text().right(200)));
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
            if (letter == QLatin1Char('T') || letter == QLatin1Char('R')) {
                held = letter == QLatin1Char('T');
                cycle += held ? 1 : 0;
            } else if (held) {
                heldTraffic << QStringLiteral("%1 in hold %2").arg(letter).arg(cycle);
            }
        }
        QCOMPARE(cycle, kCycles);
        QVERIFY2(heldTraffic.isEmpty(),
                 qPrintable(heldTraffic.mid(0, 10).join(QLatin1String(", "))));
        QVERIFY(all.contains(QLatin1Char('A')));
        QVERIFY(all.contains(QLatin1Char('G')));
    }
};

QTEST_GUILESS_MAIN(TestLinkHold)
#include "tst_linkhold.moc"
