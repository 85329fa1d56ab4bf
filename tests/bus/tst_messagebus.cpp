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

struct Sender : IMessageSender {
    explicit Sender(CZKMessageProxy* proxy = nullptr)
        : target(proxy)
    {
    }
    void post(int type, const QString& msg, const QString& desc = QString())
    {
        if (target)
            target->post(type, msg, desc);
        else
            sendMessage(type, msg, desc);
    }
    CZKMessageProxy* target;
};

// Records what it is handed; registers on the proxy it is given, as the program's receivers
// do on the global one.
class Recorder : public IMessageReceiver {
public:
    explicit Recorder(CZKMessageProxy* proxy)
        : proxy(proxy)
    {
        proxy->addReceiver(this);
    }
    ~Recorder() override { proxy->removeReceiver(this); }

    void receiveMessage(int type, QString msg, QString desc) override
    {
        QMutexLocker locker(&lock);
        seen.append(BusMessage{type, msg, desc});
    }

    QVector<BusMessage> messages()
    {
        QMutexLocker locker(&lock);
        return seen;
    }

    int count()
    {
        QMutexLocker locker(&lock);
        return seen.size();
    }

private:
    CZKMessageProxy* proxy;
    QMutex lock;
    QVector<BusMessage> seen;
};

// Blocks inside a delivery until released, so a test can act while a pass runs.
class Gate : public IMessageReceiver {
public:
    explicit Gate(CZKMessageProxy* proxy)
        : proxy(proxy)
    {
        proxy->addReceiver(this);
    }
    ~Gate() override { proxy->removeReceiver(this); }

    void receiveMessage(int, QString msg, QString) override
    {
        if (msg == QLatin1String("hold")) {
            entered.release();
            release.acquire();
        }
    }

    QSemaphore entered;
    QSemaphore release;

private:
    CZKMessageProxy* proxy;
};

// Notes whether it was called after its destructor began.
class Fragile : public IMessageReceiver {
public:
    explicit Fragile(CZKMessageProxy* proxy, std::atomic<int>* calledAfterDeath)
        : proxy(proxy)
        , calledAfterDeath(calledAfterDeath)
    {
        proxy->addReceiver(this);
    }
    ~Fragile() override
    {
        proxy->removeReceiver(this);
        dying = true;
    }
    void receiveMessage(int, QString, QString) override
    {
        if (dying)
            ++*calledAfterDeath;
    }

private:
    CZKMessageProxy* proxy;
    std::atomic<int>* calledAfterDeath;
    std::atomic<bool> dying{false};
};

} // namespace

class TestMessageBus : public QObject {
    Q_OBJECT

private slots:
    void deliversEveryMessageToEveryReceiverInPostingOrder();
    void keepsOrderAcrossSendingThreads();
    void deliversMessagesPostedBeforeTheThreadStarts();
    void deliversMessagePostedDuringAPassWithoutAnotherPost();
    void receiverLeavingDuringAPassIsNeverCalledAgain();
    void stopReturnsAtOnceWhenNotRunningAndEndsARunningThread();
    void destructionDropsUndeliveredMessages();
    void globalSendersPostOnTheGlobalProxy();
};

void TestMessageBus::deliversEveryMessageToEveryReceiverInPostingOrder()
{
    CZKMessageProxy proxy;
    Recorder first(&proxy);
    Recorder second(&proxy);
    proxy.start();
    Sender sender(&proxy);
    sender.post(4, QStringLiteral("AT#"), QStringLiteral("INTERNAL"));
    sender.post(101, QString());
    sender.post(1, QStringLiteral("Socket Error"), QStringLiteral("detail"));

    QTRY_COMPARE(second.count(), 3);
    QCOMPARE(first.count(), 3);
    const QVector<BusMessage> got = first.messages();
    QCOMPARE(got.at(0).type, 4);
    QCOMPARE(got.at(0).msg, QStringLiteral("AT#"));
    QCOMPARE(got.at(0).desc, QStringLiteral("INTERNAL"));
    QCOMPARE(got.at(1).type, 101);
    QVERIFY(got.at(1).msg.isEmpty());
    QCOMPARE(got.at(2).desc, QStringLiteral("detail"));
    proxy.stop();
}

void TestMessageBus::keepsOrderAcrossSendingThreads()
{
    CZKMessageProxy proxy;
    Recorder first(&proxy);
    Recorder second(&proxy);
    proxy.start();

    constexpr int kThreads = 4;
    constexpr int kPerThread = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&proxy, t] {
            Sender sender(&proxy);
            for (int i = 0; i < kPerThread; ++i)
                sender.post(t, QString::number(i));
        });
    }
    for (std::thread& thread : threads)
        thread.join();

    QTRY_COMPARE(second.count(), kThreads * kPerThread);
    QCOMPARE(first.count(), kThreads * kPerThread);
    const QVector<BusMessage> a = first.messages();
    const QVector<BusMessage> b = second.messages();
    // Both receivers saw one and the same sequence, and each thread's messages kept their order.
    QVector<int> next(kThreads, 0);
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(a.at(i).type, b.at(i).type);
        QCOMPARE(a.at(i).msg, b.at(i).msg);
        QCOMPARE(a.at(i).msg.toInt(), next[a.at(i).type]++);
    }
    proxy.stop();
}

void TestMessageBus::deliversMessagesPostedBeforeTheThreadStarts()
{
    CZKMessageProxy proxy;
    Recorder recorder(&proxy);
    Sender(&proxy).post(3, QStringLiteral("early"));
    QTest::qWait(50);
    QCOMPARE(recorder.count(), 0);
    proxy.start();
    QTRY_COMPARE(recorder.count(), 1);
    QCOMPARE(recorder.messages().at(0).msg, QStringLiteral("early"));
    proxy.stop();
}

void TestMessageBus::deliversMessagePostedDuringAPassWithoutAnotherPost()
{
    CZKMessageProxy proxy;
    Gate gate(&proxy);
    Recorder recorder(&proxy);
    proxy.start();
    Sender sender(&proxy);
    sender.post(3, QStringLiteral("hold"));
    QVERIFY(gate.entered.tryAcquire(1, 5000));
    sender.post(3, QStringLiteral("during"));
    gate.release.release();
    QTRY_COMPARE(recorder.count(), 2);
    QCOMPARE(recorder.messages().at(1).msg, QStringLiteral("during"));
    proxy.stop();
}

void TestMessageBus::receiverLeavingDuringAPassIsNeverCalledAgain()
{
    CZKMessageProxy proxy;
    Gate gate(&proxy);
    std::atomic<int> calledAfterDeath{0};
    auto fragile = std::make_unique<Fragile>(&proxy, &calledAfterDeath);
    Recorder recorder(&proxy);
    proxy.start();

    Sender sender(&proxy);
    sender.post(3, QStringLiteral("hold"));
    for (int i = 0; i < 50; ++i)
        sender.post(3, QStringLiteral("after"));
    QVERIFY(gate.entered.tryAcquire(1, 5000));

    // The destructor runs on another thread while the pass is held open.
    std::thread killer([&fragile] { fragile.reset(); });
    QTest::qWait(50);
    gate.release.release();
    killer.join();

    QTRY_COMPARE(recorder.count(), 51);
    QCOMPARE(calledAfterDeath.load(), 0);
    proxy.stop();
}

void TestMessageBus::stopReturnsAtOnceWhenNotRunningAndEndsARunningThread()
{
    CZKMessageProxy idle;
    QElapsedTimer clock;
    clock.start();
    idle.stop();
    QVERIFY(clock.elapsed() < 1000);

    CZKMessageProxy running;
    running.start();
    QTRY_VERIFY(running.isRunning());
    running.stop();
    QVERIFY(running.isFinished());
}

void TestMessageBus::destructionDropsUndeliveredMessages()
{
    std::atomic<int> delivered{0};
    auto proxy = std::make_unique<CZKMessageProxy>();
    struct Counter : IMessageReceiver {
        Counter(std::unique_ptr<CZKMessageProxy>& p, std::atomic<int>* n)
            : proxy(p)
            , count(n)
        {
            proxy->addReceiver(this);
        }
        ~Counter() override
        {
            if (proxy)
                proxy->removeReceiver(this);
        }
        void receiveMessage(int, QString, QString) override { ++*count; }
        std::unique_ptr<CZKMessageProxy>& proxy;
        std::atomic<int>* count;
    };
    Counter counter(proxy, &delivered);
    Sender(proxy.get()).post(3, QStringLiteral("never"));
    proxy.reset();
    QCOMPARE(delivered.load(), 0);
}

void TestMessageBus::globalSendersPostOnTheGlobalProxy()
{
    CZKMessageProxy* global = messageProxy();
    QVERIFY(global);
    Recorder recorder(global);
    if (!global->isRunning())
        global->start();
    Sender().post(2, QStringLiteral("through the global bus"));
    QTRY_COMPARE(recorder.count(), 1);
}

QTEST_GUILESS_MAIN(TestMessageBus)
#include "tst_messagebus.moc"
