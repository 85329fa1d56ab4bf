#include "app/CZKPacing.h"
#include "sim/CZKStartupThread.h"

#include <QtTest>

namespace {

// The final states as the main window sees them: the bits set, then the bits cleared.
const QStringList verificationOff{"ui+0x04", "ui-0x33"};
const QStringList simReady{"ui+0x14", "ui-0x23"};
const QStringList pinWanted{"ui+0x11", "ui-0x26"};
const QStringList pukWanted{"ui+0x12", "ui-0x25"};

} // namespace

// Plays the main window and the unit: logs every request of the dialogue and answers the
// queries, dialogs and questions from a script, on the worker as it asks (direct) or on the GUI
// thread (queued). Answers: "on"/"off" (lock), "ready"/"pin"/"puk" (state), a value or "cancel"
// (dialog), "yes"/"no" (question); "silent", or a used-up script, answers nothing. Boxes are
// closed with OK at once.
class Responder : public QObject {
public:
    Responder(CZKStartupThread* t, const QStringList& script, Qt::ConnectionType type)
        : thread(t)
        , answers(script)
    {
        using T = CZKStartupThread;
        connect(t, &T::askPINRequest, this, [=] { respond("askPINRequest"); }, type);
        connect(t, &T::askPIN, this, [=] { respond("askPIN"); }, type);
        connect(t, &T::getPIN, this, [=](bool pin) { respond(pin ? "getPIN(PIN)" : "getPIN(PUK)"); }, type);
        connect(t, &T::warningYN, this, [=](const QString& msg) { respond("warningYN:" + msg); }, type);
        connect(t, &T::information, this, [=](const QString& msg) { respond("information:" + msg); }, type);
        connect(t, &T::warning, this, [=](const QString& msg) { respond("warning:" + msg); }, type);
        connect(t, &T::setPIN, this, [=](const QString& pin) { respond("setPIN(" + pin + ")"); }, type);
        connect(t, &T::setPUK, this, [=](const QString& pin, const QString& puk) { respond("setPUK(" + pin + "," + puk + ")"); }, type);
        connect(t, &T::setPINDevice, this, [=](int slot, const QString& pin) { respond(QStringLiteral("setPINDevice(%1,%2)").arg(slot).arg(pin)); }, type);
        connect(t, &T::resetDevice, this, [=] { respond("resetDevice"); }, type);
        connect(t, &T::PINUIUpdate, this, [=](quint32 flags, bool set) {
            respond(QStringLiteral("ui%1%2").arg(set ? "+0x" : "-0x").arg(flags, 2, 16, QLatin1Char('0')));
        }, type);
    }

    QStringList log() const
    {
        QMutexLocker locker(&lock);
        return entries;
    }

private:
    void respond(const QString& entry)
    {
        using T = CZKStartupThread;
        static const QHash<QString, void (T::*)()> replies{{"yes", &T::mbOK}, {"no", &T::mbNO},
            {"ready", &T::PINReady}, {"pin", &T::PINRequest}, {"puk", &T::PUKRequest}, {"cancel", &T::inputPINCancel}};
        QMutexLocker locker(&lock);
        entries << entry;
        QString answer;
        if (entry.startsWith("information:") || entry.startsWith("warning:"))
            answer = "yes";
        else if ((entry.startsWith("ask") || entry.startsWith("getPIN") || entry.startsWith("warningYN")) && !answers.isEmpty())
            answer = answers.takeFirst();
        locker.unlock();
        if (replies.contains(answer))
            (thread->*replies.value(answer))();
        else if (answer == "on" || answer == "off")
            thread->PINRequestResponse(answer == "on");
        else if (!answer.isEmpty() && answer != "silent")
            thread->inputPIN(answer, entry == "getPIN(PUK)");
    }

    CZKStartupThread* thread;
    mutable QMutex lock;
    QStringList answers;
    QStringList entries;
};

// The start-up PIN/PUK dialogue, driven through its slots, at a hundredth of the real pacing.
class TestStartupThread : public QObject {
    Q_OBJECT

private slots:
    void init() { Pacing::setScale(0.01); }
    void cleanup() { Pacing::setScale(1.0); }

    void dialogue_data();
    void dialogue();
    void stopEndsAWaitAtOnce_data();
    void stopEndsAWaitAtOnce();
};

void TestStartupThread::dialogue_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<int>("runs");
    QTest::addColumn<bool>("queued");
    QTest::addColumn<QStringList>("expected");

    const QStringList start{"askPINRequest", "askPIN"};
    const QStringList pinAsked = start + QStringList{"getPIN(PIN)"};
    const QStringList pukAsked = start + QStringList{"warning:PUK and PIN are requaired.", "getPIN(PUK)"};
    const QStringList retry{"warningYN:Enter PIN failed, try again?"};
    const QStringList pinRight = QStringList{"setPIN(1234)", "askPIN", "information:Enter PIN success.", "setPINDevice(1,1234)"}
        + simReady + QStringList{"resetDevice"};

    QTest::newRow("verification off") << QStringList{"off"} << 1 << false << QStringList{"askPINRequest"} + verificationOff;
    QTest::newRow("SIM ready") << QStringList{"on", "ready"} << 1 << false << start + simReady;
    QTest::newRow("right PIN, answered on the GUI thread") << QStringList{"on", "pin", "1234", "ready"} << 1 << true
                                                           << pinAsked + pinRight;
    QTest::newRow("PIN too short") << QStringList{"on", "pin", "123"} << 1 << false
                                   << pinAsked + pinWanted + QStringList{"warning:PIN to short."};
    QTest::newRow("PIN not digits") << QStringList{"on", "pin", "12a4"} << 1 << false
                                    << pinAsked + pinWanted + QStringList{"warning:PIN and PUK may hold digits only."};
    QTest::newRow("wrong PIN, retried, right")
        << QStringList{"on", "pin", "1111", "pin", "yes", "1234", "ready"} << 1 << false
        << pinAsked + QStringList{"setPIN(1111)", "askPIN"} + retry + pinWanted + QStringList{"getPIN(PIN)"} + pinRight;
    QTest::newRow("PIN answered by PUK, PUK right")
        << QStringList{"on", "pin", "1111", "puk", "12345678", "4321", "ready"} << 1 << false
        << pinAsked + QStringList{"setPIN(1111)", "askPIN", "warning:PUK and PIN are requaired.", "getPIN(PUK)",
                                  "getPIN(PIN)", "setPUK(4321,12345678)", "askPIN", "information:Enter PIN/PUK success.",
                                  "setPINDevice(1,4321)"}
               + simReady + QStringList{"resetDevice"};
    QTest::newRow("PUK too short") << QStringList{"on", "puk", "1234567"} << 1 << false
                                   << pukAsked + QStringList{"warning:PUK to short."} + pukWanted;

    // A unit that does not answer is never taken for a ready SIM.
    QTest::newRow("silent lock query") << QStringList{"silent"} << 1 << false
                                       << QStringList{"askPINRequest", "warning:Ask PIN verification Timeout."};
    QTest::newRow("earlier run's ready SIM") << QStringList{"on", "ready", "on", "silent"} << 2 << false
                                             << start + simReady + start + QStringList{"warning:Ask PIN Timeout."};
    QTest::newRow("silent after the PIN") << QStringList{"on", "pin", "1234", "silent"} << 1 << false
                                          << pinAsked + QStringList{"setPIN(1234)", "askPIN"} + pinWanted
                                                 + QStringList{"warning:Enter PIN Timeout."};
    QTest::newRow("silent after the PUK") << QStringList{"on", "puk", "12345678", "1234", "silent"} << 1 << false
                                          << pukAsked + QStringList{"getPIN(PIN)", "setPUK(1234,12345678)", "askPIN"}
                                                 + pukWanted + QStringList{"warning:Enter PUK Timeout."};
}

void TestStartupThread::dialogue()
{
    QFETCH(QStringList, script);
    QFETCH(int, runs);
    QFETCH(bool, queued);
    QFETCH(QStringList, expected);

    // Queued is how the main window answers: later, on the GUI thread.
    CZKStartupThread thread;
    Responder responder(&thread, script, queued ? Qt::AutoConnection : Qt::DirectConnection);
    for (int run = 0; run < runs; ++run) {
        thread.start();
        QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 20000);
    }
    QTRY_COMPARE(responder.log(), expected);
}

void TestStartupThread::stopEndsAWaitAtOnce_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QString>("waitingAfter");
    QTest::addColumn<bool>("destroy");

    QTest::newRow("for the unit") << QStringList{"silent"} << "askPINRequest" << false;
    QTest::newRow("for the operator") << QStringList{"on", "pin", "silent"} << "getPIN(PIN)" << false;
    QTest::newRow("destroyed while waiting") << QStringList{"silent"} << "askPINRequest" << true;
}

void TestStartupThread::stopEndsAWaitAtOnce()
{
    QFETCH(QStringList, script);
    QFETCH(QString, waitingAfter);
    QFETCH(bool, destroy);

    // Real pacing: each step of the waits lasts longer than a stop may take.
    Pacing::setScale(1.0);
    auto thread = std::make_unique<CZKStartupThread>();
    Responder responder(thread.get(), script + QStringList{"off"}, Qt::DirectConnection);
    thread->start();
    QTRY_COMPARE_WITH_TIMEOUT(responder.log().value(responder.log().size() - 1), waitingAfter, 10000);

    QElapsedTimer clock;
    clock.start();
    if (destroy)
        thread.reset();
    else
        QVERIFY(thread->stop());
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    if (destroy)
        return;

    // The next start begins again with the lock query.
    const int seen = responder.log().size();
    thread->start();
    QVERIFY(thread->wait(10000));
    QCOMPARE(responder.log().mid(seen), QStringList{"askPINRequest"} + verificationOff);
}

QTEST_GUILESS_MAIN(TestStartupThread)
#include "tst_startupthread.moc"
