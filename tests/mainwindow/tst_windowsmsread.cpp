#include "WindowTestSupport.h"

#include "FakeSms.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/IMessageSender.h"
#include "link/CZKLinkHold.h"

#include <QIODevice>
#include <QTest>

#include <optional>

// What each position of the SIM answers to a read: the interpreter's keys.
using Store = QMap<int, QStringList>;

namespace {

// The chain's commands in short: "pdu" and "text" for the mode switches, "C" for a count,
// "R<p>" and "D<p>" for a read and a delete of position p.
QStringList chainCommands(BusRecorder& recorder)
{
    QStringList found;
    for (QString command : sentCommands(recorder.take())) {
        command.remove(QStringLiteral(" [INTERNAL]"));
        if (command == QLatin1String("AT+CMGF=0"))
            found << QStringLiteral("pdu");
        else if (command == QLatin1String("AT+CMGF=1"))
            found << QStringLiteral("text");
        else if (command.startsWith(QLatin1String("AT+CPMS")))
            found << QStringLiteral("C");
        else if (command.startsWith(QLatin1String("AT+CMGR=")) || command.startsWith(QLatin1String("AT+CMGD=")))
            found << command.at(6) + command.mid(8);
    }
    return found;
}

// "R<from> R<from-1> ... R<to>": reads that find nothing.
QString empties(int from, int to)
{
    QStringList reads;
    for (int position = from; position >= to; --position)
        reads << QStringLiteral("R%1").arg(position);
    return reads.join(QLatin1Char(' '));
}

// The unit's answer to a read of `position`: its echo, tagged as the link tags it, then the
// interpreter's keys ("KEY=value", or a bare value for "RECEIVED_SMS").
void answer(WindowFixture& f, int position, const QStringList& keys, const QString& tag = internalTag())
{
    f.deliver(Receive, QStringLiteral("AT+CMGR=%1\r\n").arg(position), tag);
    for (const QString& key : keys) {
        const bool named = key.contains(QLatin1Char('='));
        f.deliver(ReplyKey, named ? key.section(QLatin1Char('='), 0, 0) : QStringLiteral("RECEIVED_SMS"),
                  named ? key.section(QLatin1Char('='), 1) : key);
    }
}

void count(WindowFixture& f, int used, int size)
{
    if (size >= 0)
        f.deliver(ReplyKey, QStringLiteral("SMS_STORE_SIZE"), QString::number(size));
    f.deliver(ReplyKey, QStringLiteral("REC_SMS"), QString::number(used));
}

// Answers each read the chain sends from `store` (a position missing there is empty) until it
// sends no more; the chain's commands, joined.
QString runChain(WindowFixture& f, BusRecorder& recorder, const Store& store)
{
    QStringList transcript;
    for (int round = 0; round < 300; ++round) {
        const QStringList commands = chainCommands(recorder);
        transcript += commands;
        if (commands.isEmpty() || !commands.last().startsWith(QLatin1Char('R')))
            break;
        const int position = commands.last().mid(1).toInt();
        answer(f, position, store.value(position, {"EMPTY"}));
    }
    return transcript.join(QLatin1Char(' '));
}

// Read as the fake unit's log, which sees each datagram before the unit answers it: the unit
// falls silent at the command `from`, and answers every command after it `lateMs` late.
class Stall : public QIODevice {
public:
    Stall(FakeUnit& unit, const QByteArray& from, int lateMs) : unit(unit), from(from), lateMs(lateMs)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool fell = false;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (!fell && QByteArray(data, int(size)).contains(from)) {
            fell = unit.silent = true;
        } else if (fell && unit.silent) {
            unit.silent = false;
            unit.delayMs = lateMs;
        }
        return size;
    }

private:
    FakeUnit& unit;
    const QByteArray from;
    const int lateMs;
};

} // namespace

// The read chain of the SIM's message store, as command transcripts with the unit's answers
// injected, and once through the interpreter and the fake unit.
class tst_WindowSmsRead : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([](const CZKPrompt::Call&) { return QMessageBox::Ok; });
    }

    void init()
    {
        MainWindowProbe::resetRunState();
        // Long enough that no answer of a transcript is late for the chain.
        Pacing::setScale(0.05);
    }

    void cleanup() { Pacing::setScale(0.01); }

    void storeIsReadWhole_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("used");
        QTest::addColumn<Store>("store");
        QTest::addColumn<QString>("transcript");
        QTest::addColumn<int>("left");   // smsCount at the end

        // Parts stay until their set is stored: 9 is held, 5 completes the set.
        QTest::newRow("gaps, a two-part message")
            << 20 << 5 << Store{{20, {""}}, {9, {"KEEP"}}, {7, {""}}, {5, {"SMS_PARTS_STORED=9", ""}}, {3, {""}}}
            << "R20 D20 " + empties(19, 9) + " R8 R7 D7 R6 R5 D5 D9 R4 R3 D3" << 0;
        QTest::newRow("numbered from 0") << 20 << 2 << Store{{19, {""}}, {0, {""}}}
                                         << "R20 R19 D19 " + empties(18, 0) + " D0" << 0;
        QTest::newRow("KEEP never deletes") << 3 << 3 << Store{{3, {"KEEP"}}, {2, {"KEEP"}}, {1, {"KEEP"}}}
                                            << "R3 R2 R1" << 3;
        QTest::newRow("fewer found than counted: down to 0") << 2 << 2 << Store{{1, {""}}}
                                                             << "R2 R1 D1 R0" << 1;
        // Stored before: the message, or the set with its other parts, goes all the same.
        QTest::newRow("stored before")
            << 3 << 3 << Store{{3, {"KEEP"}}, {2, {"SMS_PARTS_STORED=3", "DUPLICATE"}}, {1, {"DUPLICATE"}}}
            << "R3 R2 D2 D3 R1 D1" << 0;
    }

    void storeIsReadWhole()
    {
        QFETCH(int, size);
        QFETCH(int, used);
        QFETCH(Store, store);
        WindowFixture f;
        BusRecorder recorder;
        count(f, used, size);
        QString seen = runChain(f, recorder, store);
        QTEST(seen.remove(QStringLiteral("pdu ")).remove(QStringLiteral("text ")), "transcript");
        QTEST(f.probe->smsCount(), "left");
        QVERIFY(!f.probe->smsChainRuns());
    }

    // Each read and each delete has its mode switch before it; without a size the count is the top.
    void modeSwitchesAndNoSize()
    {
        WindowFixture f;
        BusRecorder recorder;
        count(f, 2, -1);
        QCOMPARE(runChain(f, recorder, {{2, {""}}, {1, {""}}}), QStringLiteral("pdu R2 text D2 pdu R1 text D1"));
    }

    // Only the chain's own read, echoed as the program sent it, lets a message go.
    void answersToOtherReadsDeleteNothing()
    {
        WindowFixture f;
        BusRecorder recorder;
        answer(f, 3, {""});
        QCOMPARE(chainCommands(recorder), QStringList());
        count(f, 1, 3);
        QCOMPARE(chainCommands(recorder), (QStringList{"pdu", "R3"}));
        answer(f, 3, {"SMS_PARTS_STORED=1", ""}, QString());   // typed in the terminal
        answer(f, 2, {""});                                    // another position
        f.deliver(ReplyKey, QStringLiteral("RECEIVED_SMS"));   // no echo at all
        QCOMPARE(chainCommands(recorder), QStringList());
        answer(f, 3, {""});
        QCOMPARE(chainCommands(recorder), (QStringList{"text", "D3"}));
    }

    void oneChainAtATime()
    {
        WindowFixture f;
        QVERIFY(bringLinkUp(f));
        BusRecorder recorder;
        f.window->readSMSFromDevice();
        QCOMPARE(chainCommands(recorder), (QStringList{"C", "C"}));
        count(f, 2, 2);
        QCOMPARE(chainCommands(recorder), (QStringList{"pdu", "R2"}));
        f.window->readSMSFromDevice();
        count(f, 5, 20);
        QCOMPARE(chainCommands(recorder), QStringList());
        answer(f, 2, {""});
        QCOMPARE(runChain(f, recorder, {{1, {""}}}), QStringLiteral("text D2 pdu R1 text D1"));
        f.window->readSMSFromDevice();
        QCOMPARE(chainCommands(recorder), (QStringList{"C", "C"}));
    }

    void chainEnds_data()
    {
        QTest::addColumn<bool>("linkLost");
        QTest::newRow("link lost") << true;
        QTest::newRow("no answer") << false;
    }

    // Once ended, a late answer deletes nothing and the next count starts afresh.
    void chainEnds()
    {
        QFETCH(bool, linkLost);
        Pacing::setScale(0.01);
        WindowFixture f;
        BusRecorder recorder;
        count(f, 2, 2);
        QCOMPARE(chainCommands(recorder), (QStringList{"pdu", "R2"}));
        if (linkLost)
            f.window->disconnectedDeviceUpdate();
        else
            QTRY_VERIFY(!f.probe->smsChainRuns());
        QVERIFY(!f.probe->smsChainRuns());
        answer(f, 2, {""});
        QCOMPARE(chainCommands(recorder), QStringList());
        count(f, 2, 2);
        QCOMPARE(chainCommands(recorder), (QStringList{"pdu", "R2"}));
    }

    // While a conversation holds the link the chain sends nothing, then goes on where it stopped.
    void heldLinkDefersTheChain()
    {
        WindowFixture f;
        BusRecorder recorder;
        count(f, 2, 2);
        QCOMPARE(chainCommands(recorder), (QStringList{"pdu", "R2"}));
        std::optional<CZKLinkHold> hold(std::in_place);
        answer(f, 2, {""});
        QTest::qWait(50);
        QCOMPARE(chainCommands(recorder), QStringList());
        hold.reset();
        QStringList seen;
        QTRY_COMPARE((seen += chainCommands(recorder)), (QStringList{"text", "D2", "pdu", "R1"}));
        hold.emplace();
        answer(f, 1, {"KEEP"});
        hold.reset();
        QVERIFY(!f.probe->smsChainRuns());
        QCOMPARE(chainCommands(recorder), QStringList());
    }

    // Through the interpreter and the fake unit: a store numbered from 0, with gaps and a message
    // in two parts, is read whole; the database holds each message once and the SIM is empty.
    void fakeUnitStoreIsReadWhole()
    {
        WindowFixture f;
        f.unit.simMessages.clear();
        f.unit.setSmsBase(0);
        FakeSms part{"and its end.", "+48600100300", 0, "260512194230", 0x0102, 2, 2};
        QVERIFY(f.unit.storeSmsAt(19, FakeSms{"Top of the store"}.pdu()));
        QVERIFY(f.unit.storeSmsAt(8, part.pdu()));
        part.partNumber = 1;
        part.text = QStringLiteral("A start ");
        QVERIFY(f.unit.storeSmsAt(4, part.pdu()));
        QVERIFY(f.unit.storeSmsAt(0, FakeSms{"Bottom of the store", "600100400"}.pdu()));
        f.unit.silent = false;
        QVERIFY(bringLinkUp(f));
        const int before = f.database->db.receivedMessages.size();

        f.window->readSMSFromDevice();
        QTRY_VERIFY_WITH_TIMEOUT(f.unit.simMessages.isEmpty() && !f.probe->smsChainRuns(), 20000);
        QStringList stored;
        for (int i = before; i < f.database->db.receivedMessages.size(); ++i)
            stored << f.database->db.receivedMessages.at(i).content;
        QCOMPARE(stored, (QStringList{"Top of the store", "A start and its end.", "Bottom of the store"}));
        QCOMPARE(f.probe->smsCount(), 0);
    }

    // Through the fake unit: what the operator read in the terminal is stored, and the walk over
    // the same position lets it go without a second row; an alert the network sent twice in one
    // second lies at two positions and is stored twice.
    void fakeUnitTerminalReadAndTwinAlerts()
    {
        WindowFixture f;
        f.probe->smsPollingEnabled() = false;
        f.unit.simMessages.clear();
        const QByteArray alert = FakeSms{"Storm warning", "+48112"}.pdu();
        QVERIFY(f.unit.storeSmsAt(3, FakeSms{"Typed read"}.pdu()));
        QVERIFY(f.unit.storeSmsAt(2, alert) && f.unit.storeSmsAt(1, alert));
        f.unit.silent = false;
        QVERIFY(bringLinkUp(f));
        const int before = f.database->db.receivedMessages.size();
        IMessageSender terminal;
        terminal.sendMessage(Send, QStringLiteral("AT+CMGR=3"), QString());
        QTRY_COMPARE_WITH_TIMEOUT(f.database->db.receivedMessages.size(), before + 1, 20000);
        QCOMPARE(f.unit.simMessages.size(), 3);

        f.probe->smsPollingEnabled() = true;
        f.window->readSMSFromDevice();
        f.probe->smsPollingEnabled() = false;
        QTRY_VERIFY_WITH_TIMEOUT(f.unit.simMessages.isEmpty() && !f.probe->smsChainRuns(), 20000);
        QStringList stored;
        for (int i = before; i < f.database->db.receivedMessages.size(); ++i)
            stored << f.database->db.receivedMessages.at(i).content;
        QCOMPARE(stored, (QStringList{"Typed read", "Storm warning", "Storm warning"}));
    }

    // The unit falls silent mid-walk: the delete of 3 goes into the silence and is never done;
    // the read of 2, queued behind unanswered commands, is answered after the walk gave up, so
    // it is stored but not deleted. The next walk stores neither again and empties the SIM.
    void fakeUnitSilenceStoresNothingTwice()
    {
        WindowFixture f;
        // Only the walks started here: the periodic one would start its own at any time.
        f.probe->smsPollingEnabled() = false;
        f.unit.simMessages.clear();
        for (const char* text : {"One", "Two", "Three", "Four"})
            QVERIFY(f.unit.storeSms(FakeSms{text}.pdu()) > 0);
        // Later than the walk's wait for an answer, which counts from when the read was queued.
        Stall stall(f.unit, "AT+CMGD=3\\r", Pacing::ms(40000));
        f.unit.log = &stall;
        f.unit.silent = false;
        QVERIFY(bringLinkUp(f));
        const int before = f.database->db.receivedMessages.size();
        const auto walk = [&f] {
            f.probe->smsPollingEnabled() = true;
            f.window->readSMSFromDevice();
            f.probe->smsPollingEnabled() = false;
        };

        walk();
        QTRY_VERIFY_WITH_TIMEOUT(stall.fell && !f.probe->smsChainRuns(), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(f.database->db.receivedMessages.size(), before + 3, 20000);
        QCOMPARE(f.unit.simMessages.keys(), (QList<int>{1, 2, 3}));
        f.unit.delayMs = 0;
        walk();
        QTRY_VERIFY_WITH_TIMEOUT(f.unit.simMessages.isEmpty() && !f.probe->smsChainRuns(), 20000);
        QStringList stored;
        for (int i = before; i < f.database->db.receivedMessages.size(); ++i)
            stored << f.database->db.receivedMessages.at(i).content;
        QCOMPARE(stored, (QStringList{"Four", "Three", "Two", "One"}));
    }
};

QTEST_MAIN(tst_WindowSmsRead)
#include "tst_windowsmsread.moc"
