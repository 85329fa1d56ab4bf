#include "app/CZKPacing.h"
#include "sim/CZKStartupThread.h"

#include <QtTest>

#include <functional>

namespace {

// The final states as the main window sees them: the bits set, then the bits cleared.
const QStringList verificationOff{"ui+0x04", "ui-0x33"};
const QStringList simReady{"ui+0x14", "ui-0x23"};
const QStringList pinWanted{"ui+0x11", "ui-0x26"};
const QStringList pukWanted{"ui+0x12", "ui-0x25"};

using T = CZKStartupThread;

// The strings and lists given, in one list.
template <typename... Parts>
QStringList L(const Parts&... parts) { QStringList all; return (all << ... << parts); }

// Plays the main window and the unit from a transcript of the dialogue: logs every request and
// gives the answer written after its ">": "on"/"off" (lock query), "ready"/"pin"/"puk" (state
// query), a value (dialog) or "yes"/"no" (question); a request without one gets none. Message boxes
// are closed at once. Answers come on the worker as it asks (direct) or on the GUI thread (queued).
struct Responder : QObject {
    Responder(T* t, const QStringList& transcript, Qt::ConnectionType type) : thread(t), transcript(transcript)
    {
        const auto on = [&](auto signal, auto entry) {
            connect(t, signal, this, [=](auto... a) { respond(entry(a...)); }, type);
        };
        on(&T::askPINRequest, [] { return QStringLiteral("askPINRequest"); });
        on(&T::askPIN, [] { return QStringLiteral("askPIN"); });
        on(&T::getPIN, [](bool pin) { return QString(pin ? "getPIN(PIN)" : "getPIN(PUK)"); });
        on(&T::warningYN, [](const QString& msg) { return "warningYN:" + msg; });
        on(&T::information, [](const QString& msg) { return "information:" + msg; });
        on(&T::warning, [](const QString& msg) { return "warning:" + msg; });
        on(&T::setPIN, [](const QString& pin) { return "setPIN(" + pin + ")"; });
        on(&T::setPUK, [](const QString& pin, const QString& puk) { return "setPUK(" + pin + "," + puk + ")"; });
        on(&T::setPINDevice, [](int slot, QString pin) { return QString("setPINDevice(%1,%2)").arg(slot).arg(pin); });
        on(&T::resetDevice, [] { return QStringLiteral("resetDevice"); });
        on(&T::PINUIUpdate,
           [](quint32 bits, bool set) { return QString::asprintf(set ? "ui+0x%02x" : "ui-0x%02x", bits); });
    }

    QStringList log() const { QMutexLocker locker(&lock); return entries; }

    void respond(const QString& entry)
    {
        QMutexLocker locker(&lock);
        entries << entry;
        const bool box = entry.startsWith("information:") || entry.startsWith("warning:");
        const QString answer = box ? "yes" : transcript.value(entries.size() - 1).section('>', 1);
        locker.unlock();
        static const QHash<QString, std::function<void(T*)>> replies{{"yes", &T::mbOK}, {"no", &T::mbNO},
            {"ready", &T::PINReady}, {"pin", &T::PINRequest}, {"puk", &T::PUKRequest},
            {"on", [](T* t) { t->PINRequestResponse(true); }}, {"off", [](T* t) { t->PINRequestResponse(false); }}};
        if (replies.contains(answer))
            replies.value(answer)(thread);
        else if (!answer.isEmpty())
            thread->inputPIN(answer, entry == "getPIN(PUK)");
    }

    T* thread;
    const QStringList transcript;
    mutable QMutex lock;
    QStringList entries;
};

} // namespace

// The start-up PIN/PUK dialogue, driven through its slots, at a hundredth of the real pacing.
class TestStartupThread : public QObject {
    Q_OBJECT

private slots:
    void init() { Pacing::setScale(0.01); }
    void cleanup() { Pacing::setScale(1.0); }

    void dialogue_data()
    {
        QTest::addColumn<int>("stopAfter");
        QTest::addColumn<bool>("queued");
        QTest::addColumn<QStringList>("transcript");
        const QStringList wantsPin = L("askPINRequest>on", "askPIN>pin");
        const QStringList wrongPin = L(wantsPin, "getPIN(PIN)>1111", "setPIN(1111)");
        const auto stored = [](QString pin) { return L("setPINDevice(1," + pin + ")", simReady, "resetDevice"); };
        const QStringList pinRight =
            L("getPIN(PIN)>1234", "setPIN(1234)", "askPIN>ready", "information:Enter PIN success.", stored("1234"));
        const auto wantsPuk = [](const QString& puk) {
            return L("askPIN>puk", "warning:PUK and PIN are requaired.", "getPIN(PUK)>" + puk);
        };
        QTest::newRow("verification off") << 0 << false << L("askPINRequest>off", verificationOff);
        QTest::newRow("SIM ready") << 0 << false << L("askPINRequest>on", "askPIN>ready", simReady);
        QTest::newRow("right PIN, answered on the GUI thread") << 0 << true << L(wantsPin, pinRight);
        QTest::newRow("PIN too short")
            << 0 << false << L(wantsPin, "getPIN(PIN)>123", pinWanted, "warning:PIN to short.");
        QTest::newRow("wrong PIN, retried, right") << 0 << false
            << L(wrongPin, "askPIN>pin", "warningYN:Enter PIN failed, try again?>yes", pinWanted, pinRight);
        QTest::newRow("wrong PIN, not retried")
            << 0 << false << L(wrongPin, "askPIN>pin", "warningYN:Enter PIN failed, try again?>no", pinWanted);
        QTest::newRow("PIN answered by PUK, PUK right") << 0 << false << L(wrongPin, wantsPuk("12345678"),
            "getPIN(PIN)>4321", "setPUK(4321,12345678)", "askPIN>ready", "information:Enter PIN/PUK success.",
            stored("4321"));
        // A unit that does not answer is never taken for a ready SIM, nor for one that wants no PIN.
        QTest::newRow("silent lock query")
            << 0 << false << L("askPINRequest", "warning:Ask PIN verification Timeout.");
        QTest::newRow("silent after the PIN")
            << 0 << false << L(wrongPin, "askPIN", pinWanted, "warning:Enter PIN Timeout.");
        // Nor do answers of earlier runs and queries decide later ones: neither a ready SIM nor a
        // verification that was on, when a query times out or a stray answer ends its wait.
        QTest::newRow("earlier answers") << 0 << false << L("askPINRequest>on", "askPIN>ready", simReady,
            "askPINRequest>on", "askPIN", "warning:Ask PIN Timeout.", "askPINRequest>on", "askPIN>yes",
            "askPINRequest>yes", verificationOff);
        // Stopped during a wait; the next start begins again with the lock query.
        QTest::newRow("stop waiting for the unit")
            << 1 << false << L("askPINRequest", "askPINRequest>off", verificationOff);
        QTest::newRow("stop waiting for the operator")
            << 3 << false << L(wantsPin, "getPIN(PIN)", "askPINRequest>on", "askPIN>ready", simReady);
    }

    void dialogue()
    {
        QFETCH(int, stopAfter);
        QFETCH(bool, queued);
        QFETCH(QStringList, transcript);
        // Stops are timed at real pacing, where each step of a wait outlasts what a stop may take.
        if (stopAfter)
            Pacing::setScale(1.0);
        CZKStartupThread thread;
        Responder responder(&thread, transcript, queued ? Qt::AutoConnection : Qt::DirectConnection);
        // Each run begins with the lock query.
        const int runs = transcript.filter(QRegularExpression("^askPINRequest")).size();
        for (int run = 0; run < runs; ++run) {
            thread.start();
            if (run == 0 && stopAfter) {
                QTRY_COMPARE_WITH_TIMEOUT(responder.log().size(), stopAfter, 10000);
                QElapsedTimer clock;
                clock.start();
                QVERIFY(thread.stop());
                QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
            }
            QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 20000);
        }
        for (QString& entry : transcript)
            entry = entry.section('>', 0, 0);
        QTRY_COMPARE(responder.log(), transcript);
    }

    // The IMSI is asked for when, and only when, a PIN or PUK typed by the operator unlocked the
    // SIM, and only once the PIN is stored: a card never takes the IMSI without the PIN.
    void imsiAskedOnceAnEntryUnlocks_data()
    {
        QTest::addColumn<QStringList>("transcript");
        const QStringList wantsPuk = L("askPINRequest>on", "askPIN>puk", "warning:PUK and PIN are requaired.",
                                       "getPIN(PUK)>12345678", "getPIN(PIN)>4321", "setPUK(4321,12345678)");
        QTest::newRow("ready without an entry") << L("askPINRequest>on", "askPIN>ready", simReady);
        QTest::newRow("PIN") << L("askPINRequest>on", "askPIN>pin", "getPIN(PIN)>1234", "setPIN(1234)",
                                  "askPIN>ready", "information:Enter PIN success.", "setPINDevice(1,1234)",
                                  "askIMSI", simReady, "resetDevice");
        QTest::newRow("PUK") << L(wantsPuk, "askPIN>ready", "information:Enter PIN/PUK success.",
                                  "setPINDevice(1,4321)", "askIMSI", simReady, "resetDevice");
        QTest::newRow("PUK refused") << L(wantsPuk, "askPIN>puk");
    }

    void imsiAskedOnceAnEntryUnlocks()
    {
        QFETCH(QStringList, transcript);
        CZKStartupThread thread;
        Responder responder(&thread, transcript, Qt::DirectConnection);
        connect(&thread, &T::askIMSI, &responder, [&responder] { responder.respond("askIMSI"); }, Qt::DirectConnection);
        thread.start();
        QTRY_VERIFY_WITH_TIMEOUT(thread.isFinished(), 20000);
        for (QString& entry : transcript)
            entry = entry.section('>', 0, 0);
        QCOMPARE(responder.log(), transcript);
    }
};

QTEST_GUILESS_MAIN(TestStartupThread)
#include "tst_startupthread.moc"
