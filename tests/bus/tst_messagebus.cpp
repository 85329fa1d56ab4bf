#include "app/CZKGlobals.h"
#include "bus/CZKMessageProxy.h"
#include "bus/IMessageReceiver.h"
#include "bus/IMessageSender.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QSemaphore>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

// Records what it is handed. When it holds, a message "hold" blocks the delivery until released, so a test can
// act while a pass runs; `dying` notes calls that arrive after its destructor began.
class Probe : public IMessageReceiver {
public:
    explicit Probe(CZKMessageProxy* proxy, bool holds = false) : proxy(proxy), holds(holds) { proxy->addReceiver(this); }
    ~Probe() override
    {
        proxy->removeReceiver(this);
        dying = true;
    }

    void receiveMessage(int type, QString msg, QString desc) override
    {
        if (dying)
            ++calledAfterDeath;
        if (holds && msg == QLatin1String("hold")) {
            entered.release();
            release.acquire();
        }
        QMutexLocker locker(&lock);
        seen.append(BusMessage{type, msg, desc});
    }

    QVector<BusMessage> messages() { QMutexLocker locker(&lock); return seen; }
    int count() { return messages().size(); }

    QSemaphore entered;
    QSemaphore release;
    static std::atomic<int> calledAfterDeath;

private:
    CZKMessageProxy* proxy;
    const bool holds;
    std::atomic<bool> dying{false};
    QMutex lock;
    QVector<BusMessage> seen;
};
std::atomic<int> Probe::calledAfterDeath{0};

} // namespace

class TestMessageBus : public QObject {
    Q_OBJECT

private slots:
    void keepsOrderAcrossSendersAndReceivers()
    {
        CZKMessageProxy proxy;
        Probe first(&proxy);
        Probe second(&proxy);
        proxy.start();

        constexpr int kThreads = 4;
        constexpr int kPerThread = 500;
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&proxy, t] {
                for (int i = 0; i < kPerThread; ++i)
                    proxy.post(t, QString::number(i), QStringLiteral("d%1").arg(i));
            });
        }
        for (std::thread& thread : threads)
            thread.join();

        QTRY_COMPARE(second.count(), kThreads * kPerThread);
        const QVector<BusMessage> a = first.messages();
        const QVector<BusMessage> b = second.messages();
        QCOMPARE(a.size(), b.size());
        // Both receivers saw one and the same sequence, and each sender's messages kept their order.
        QVector<int> next(kThreads, 0);
        for (int i = 0; i < a.size(); ++i) {
            QCOMPARE(a.at(i).msg, b.at(i).msg);
            QCOMPARE(a.at(i).type, b.at(i).type);
            QCOMPARE(a.at(i).msg.toInt(), next[a.at(i).type]++);
            QCOMPARE(a.at(i).desc, QLatin1Char('d') + a.at(i).msg);
        }
        proxy.stop();
    }

    void deliversMessagesPostedBeforeTheThreadStarts()
    {
        CZKMessageProxy proxy;
        Probe probe(&proxy);
        proxy.post(3, QStringLiteral("early"), QString());
        proxy.post(101, QString(), QString());
        QTest::qWait(50);
        QCOMPARE(probe.count(), 0);
        proxy.start();
        QTRY_COMPARE(probe.count(), 2);
        QCOMPARE(probe.messages().at(0).msg, QStringLiteral("early"));
        QCOMPARE(probe.messages().at(1).type, 101);
        proxy.stop();
    }

    void deliversMessagePostedDuringAPassWithoutAnotherPost()
    {
        CZKMessageProxy proxy;
        Probe probe(&proxy, true);
        proxy.start();
        proxy.post(3, QStringLiteral("hold"), QString());
        QVERIFY(probe.entered.tryAcquire(1, 5000));
        proxy.post(3, QStringLiteral("during"), QString());
        probe.release.release();
        QTRY_COMPARE(probe.count(), 2);
        QCOMPARE(probe.messages().at(1).msg, QStringLiteral("during"));
        proxy.stop();
    }

    void receiverLeavingDuringAPassIsNeverCalledAgain()
    {
        CZKMessageProxy proxy;
        Probe gate(&proxy, true);
        auto fragile = std::make_unique<Probe>(&proxy);
        Probe witness(&proxy);
        proxy.start();

        proxy.post(3, QStringLiteral("hold"), QString());
        for (int i = 0; i < 50; ++i)
            proxy.post(3, QStringLiteral("after"), QString());
        QVERIFY(gate.entered.tryAcquire(1, 5000));

        // The destructor runs on another thread while the pass is held open.
        std::thread killer([&fragile] { fragile.reset(); });
        QTest::qWait(50);
        gate.release.release();
        killer.join();

        QTRY_COMPARE(witness.count(), 51);
        QCOMPARE(Probe::calledAfterDeath.load(), 0);
        proxy.stop();
    }

    void stopAndDestruction()
    {
        CZKMessageProxy idle;
        QElapsedTimer clock;
        clock.start();
        idle.stop();
        QVERIFY(clock.elapsed() < 1000);

        auto running = std::make_unique<CZKMessageProxy>();
        running->start();
        QTRY_VERIFY(running->isRunning());
        running->stop();
        QVERIFY(running->isFinished());

        // Messages still queued when the proxy goes are never delivered.
        auto proxy = std::make_unique<CZKMessageProxy>();
        {
            Probe probe(proxy.get());
            proxy->post(3, QStringLiteral("never"), QString());
            proxy->dropQueued();
            proxy->start();
            QTest::qWait(50);
            QCOMPARE(probe.count(), 0);
        }
        proxy.reset();

        // The program's senders post on the global bus.
        Probe global(messageProxy());
        if (!messageProxy()->isRunning())
            messageProxy()->start();
        struct Sender : IMessageSender {} sender;
        sender.sendMessage(2, QStringLiteral("through the global bus"), QString());
        QTRY_COMPARE(global.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMessageBus)
#include "tst_messagebus.moc"
