#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "bus/IMessageReceiver.h"
#include "link/CZKCommandInterpreter.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMutex>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString kLockQuery = QStringLiteral("AT+CLCK=\"SC\",2 [INTERNAL]");
const QString kStateQuery = QStringLiteral("AT+CPIN? [INTERNAL]");
const char* const kSwitch = "pbPINEnableDisable";
const QStringList kButtons = {"pbApplyProfile", "pbRefreshProfile", "pbEnterPIN", "pbUnlockPIN", kSwitch, "pbPINChange"};

// Answers the PIN dialogs as the operator would, once each has stood 30 ms: types the digits into
// its line edits in the order of its form and presses OK, or Cancel when no digits are given.
// `onOpen` runs once, from the event loop, while the first dialog stands.
class DialogAnswers : public QObject {
public:
    explicit DialogAnswers(QList<QStringList> answers, std::function<void()> onOpen = {})
        : pending(std::move(answers)), opened(std::move(onOpen))
    {
        QObject::connect(&poll, &QTimer::timeout, this, &DialogAnswers::answer);
        poll.start(5);
    }
    int answered = 0;

private:
    void answer()
    {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool setPin = dialog && dialog->objectName() == QLatin1String("CZKSetPIN");
        if (pending.isEmpty() || !dialog || (!setPin && dialog->objectName() != QLatin1String("CZKInputPINPUKDialog")))
            return;
        if (dialog != current) {
            current = dialog;
            shownAt.start();
            if (opened)
                QTimer::singleShot(0, this, std::exchange(opened, {}));
            return;
        }
        if (shownAt.elapsed() < 30)
            return;
        current = nullptr;
        const QStringList digits = pending.takeFirst();
        const QStringList edits = setPin ? QStringList{"editActualPIN", "editNewPIN", "editRetypePIN"} : QStringList{"editInput"};
        for (int i = 0; i < digits.size() && i < edits.size(); ++i)
            QTest::keyClicks(dialog->findChild<QLineEdit*>(edits.at(i)), digits.at(i));
        ++answered;
        dialog->findChild<QPushButton*>(digits.isEmpty() ? "pbCancel" : "pbOK")->click();
    }

    QList<QStringList> pending;
    std::function<void()> opened;
    QPointer<QDialog> current;
    QElapsedTimer shownAt;
    QTimer poll;
};

// Plays the unit's SIM: answers each command as it goes out on the bus with the next step given
// for it, from the bus thread, as the link would. A step is reply keys ("KEY=VALUE") separated
// by ";", where "RESTARTED" stands for the link's notice that the unit restarts; an empty step
// leaves that command unanswered.
class ScriptedSim : public IMessageReceiver {
public:
    ScriptedSim(WindowFixture& fixture, QMap<QString, QStringList> answers)
        : fixture(fixture), answers(std::move(answers))
    {
        busProxy->addReceiver(this);
    }
    ~ScriptedSim() override { busProxy->removeReceiver(this); }

    void receiveMessage(int type, QString msg, QString) override
    {
        if (type != Send)
            return;
        QMutexLocker locker(&lock);
        if (answers.value(msg).isEmpty())
            return;
        const QString step = answers[msg].takeFirst();
        locker.unlock();
        for (const QString& key : step.split(';', Qt::SkipEmptyParts)) {
            if (key == QLatin1String("RESTARTED"))
                fixture.inject(UnitRestarted, QString());
            else
                fixture.inject(ReplyKey, key.section('=', 0, 0), key.section('=', 1));
        }
    }

private:
    WindowFixture& fixture;
    QMutex lock;
    QMap<QString, QStringList> answers;
};

// Plays a SIM just unlocked, from the moment its PIN is stored in the unit: each "AT+CIMI" gets
// the next of `answers`, "<delay> <kind>": the kind ("busy": an error after the query's echo,
// "imsi", "none") comes that many paced milliseconds after the query, or with "R" right after the
// link's restart notice, which the reset gets as it goes out. `events()` holds, in their order,
// the queries, the reset and the answers.
class SettlingSim : public IMessageReceiver {
public:
    SettlingSim(WindowFixture& fixture, QStringList answers) : fixture(fixture), answers(std::move(answers))
    {
        busProxy->addReceiver(this);
    }
    ~SettlingSim() override { busProxy->removeReceiver(this); }

    static inline const QString kImsi = QStringLiteral("260011234567890");

    void receiveMessage(int type, QString msg, QString) override
    {
        QMutexLocker locker(&lock);
        armed = armed || (type == Send && msg.startsWith(QLatin1String("AT#PIN=")));
        if (!armed || type != Send || (msg != QLatin1String("AT+CIMI") && msg != QLatin1String("AT#RST=MDM")))
            return;
        log << msg;
        QStringList next;
        if (msg == QLatin1String("AT+CIMI")) {
            next = (answers.isEmpty() ? QStringLiteral("0 none") : answers.takeFirst()).split(' ');
            if (next.first() == QLatin1String("R")) {
                atRestart = next.last();
                return;
            }
        } else {
            next = QStringList{"0", std::exchange(atRestart, QStringLiteral("none"))};
            fixture.inject(UnitRestarted, QString());
        }
        QMetaObject::invokeMethod(&context, [this, next] {
            QTimer::singleShot(Pacing::ms(next.first().toInt()), &context, [this, kind = next.last()] { answer(kind); });
        });
    }

    QStringList events()
    {
        QMutexLocker locker(&lock);
        return log;
    }
    void note(const QString& event)
    {
        QMutexLocker locker(&lock);
        log << event;
    }

private:
    void answer(const QString& kind)
    {
        if (kind != QLatin1String("busy") && kind != QLatin1String("imsi"))
            return;
        note(kind);
        if (kind == QLatin1String("busy"))
            fixture.deliver(Receive, QStringLiteral("AT+CIMI\r\n+CME ERROR: 14\r\n"), QStringLiteral("INTERNAL"));
        else
            fixture.deliver(ReplyKey, QStringLiteral("IMSI"), kImsi);
    }

    WindowFixture& fixture;
    QObject context;
    QMutex lock;
    QStringList answers;
    QStringList log;
    QString atRestart = QStringLiteral("none");
    bool armed = false;
};

} // namespace

// The PIN controls of the SIM card page and the window's side of the start-up dialogue.
class tst_WindowPin : public QObject {
    Q_OBJECT

    QStringList boxes;
    QMessageBox::StandardButton boxAnswer = QMessageBox::Ok;
    std::function<void()> onBox;

    // A window showing the active card's page, with every PIN and profile button state given.
    static void showCard(WindowFixture& fixture, quint32 state)
    {
        QVERIFY(fixture.select(SimCard, 0));
        fixture.window->updatePINUI(PINUI::Busy, true);
        fixture.window->updatePINUI(~state, false);
        fixture.window->updatePINUI(state, true);
    }

    // The lock and PIN commands among `commands` (a lock answer also starts the phone-book read).
    static QStringList pinCommands(const QStringList& commands)
    {
        return commands.filter(QRegularExpression(QStringLiteral("^AT(\\+CLCK|#PIN|\\+CPIN)")));
    }

    // The commands sent so far (only the lock and PIN ones with `pinOnly`), waiting up to a
    // second for `count` of them.
    static QStringList sent(BusRecorder& bus, int count = 0, bool pinOnly = false)
    {
        QStringList commands;
        for (int i = 0; i < 100 && (i == 0 || commands.size() < count); ++i) {
            if (i)
                QTest::qWait(10);
            const QStringList more = sentCommands(bus.take());
            commands += pinOnly ? pinCommands(more) : more;
        }
        return commands;
    }

    static QString storedPin() { return database()->findSimCard(0)->pin; }

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            if (onBox)
                onBox();
            boxes << call.title + '|' + call.text;
            return boxAnswer;
        });
    }

    void init()
    {
        MainWindowProbe::resetRunState();
        boxes.clear();
        boxAnswer = QMessageBox::Ok;
        onBox = {};
    }

    void cleanup() { Pacing::setScale(0.01); }
    void cleanupTestCase() { CZKPrompt::setResponder({}); }

    void buttonsFollowTheState_data()
    {
        QTest::addColumn<quint32>("state");
        QTest::addColumn<QString>("enabled");   // of kButtons, in order
        QTest::addColumn<QString>("switchText");
        const QString disable = QStringLiteral("Disable PIN\nverification");
        // Busy keeps the text the switch had (here that of 0x14).
        QTest::newRow("busy, verification off") << quint32(0x27) << "000000" << disable;
        QTest::newRow("SIM ready, verification on") << quint32(0x14) << "110011" << disable;
        QTest::newRow("PIN wanted") << quint32(0x11) << "001000" << disable;
        QTest::newRow("PUK wanted") << quint32(0x12) << "000100" << disable;
        QTest::newRow("SIM ready, verification off") << quint32(0x04) << "110010" << "Enable PIN\nverification";
    }

    void buttonsFollowTheState()
    {
        QFETCH(quint32, state);
        WindowFixture fixture;
        showCard(fixture, 0x14);
        showCard(fixture, state);
        QCOMPARE(fixture.probe->pinUIState(), state);
        QString seen;
        for (const QString& name : kButtons)
            seen += fixture.probe->pageForm()->findChild<QPushButton*>(name)->isEnabled() ? '1' : '0';
        QTEST(seen, "enabled");
        QTEST(fixture.probe->pageForm()->findChild<QPushButton*>(kSwitch)->text(), "switchText");
    }

    void verificationSwitch_data()
    {
        QTest::addColumn<bool>("switchOn");
        QTest::addColumn<QStringList>("typed");   // empty: cancelled
        QTest::addColumn<QString>("result");      // the unit's answer to the switch, if it gets one
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("box");
        const QString on = "AT+CLCK=\"SC\",1,\"1234\" [INTERNAL]", off = "AT+CLCK=\"SC\",0,\"1234\" [INTERNAL]";
        const QStringList pin{"1234"};
        // Only a PIN switched on goes to the unit as well.
        QTest::newRow("on") << true << pin << "CLCK_OK" << QStringList{kLockQuery, on, "AT#PIN=1,1234 [INTERNAL]"}
                            << "PIN Status|PIN verification enabled.";
        QTest::newRow("off") << false << pin << "CLCK_OK" << QStringList{kLockQuery, off}
                             << "PIN Status|PIN verification disabled.";
        // A refused switch restarts the dialogue, which asks the lock state again.
        QTest::newRow("on refused") << true << pin << "CLCK_ERROR" << QStringList{kLockQuery, on, kLockQuery}
                                    << "PIN Status|Set PIN verification error.";
        // Without a usable PIN the switch ends before anything goes to the unit.
        QTest::newRow("cancelled") << true << QStringList() << "" << QStringList{kLockQuery} << "";
        QTest::newRow("short PIN") << true << QStringList{"12"} << "" << QStringList{kLockQuery}
                                   << "PIN Error|PIN is to short.";
    }

    void verificationSwitch()
    {
        QFETCH(bool, switchOn);
        QFETCH(QStringList, typed);
        QFETCH(QString, result);
        QFETCH(QStringList, commands);
        QFETCH(QString, box);
        const QString lockAnswer = switchOn ? "DISABLED_PIN" : "ENABLED_PIN";
        const QStringList boxesAfter = box.isEmpty() ? QStringList() : QStringList{box};
        WindowFixture fixture;
        showCard(fixture, switchOn ? 0x04 : 0x14);
        BusRecorder bus;
        QSignalSpy toDialogue(fixture.window.get(), &CZKMainWindow::PINVerify);
        QSignalSpy toSwitch(fixture.window.get(), &CZKMainWindow::pinRequestChange);
        // A lock answer while the operator types is the start-up dialogue's; the spare Cancel
        // closes a second dialog, should one come.
        DialogAnswers answers({typed, {}}, [&] { fixture.deliver(ReplyKey, lockAnswer); });
        fixture.window->enableDisablePIN();
        fixture.deliver(ReplyKey, lockAnswer);
        QCOMPARE(answers.answered, 1);
        QCOMPARE(toDialogue.count(), 1);
        if (!result.isEmpty())
            fixture.deliver(ReplyKey, result);
        QCOMPARE(sent(bus, commands.size(), true), commands);
        QVERIFY(fixture.probe->startupThread().stop());
        QCOMPARE(boxes, boxesAfter);
        QCOMPARE(bool(fixture.probe->pinUIState() & PINUI::VerifyOn), switchOn == (result == "CLCK_OK"));
        // Switching stores the PIN in the unit only.
        QCOMPARE(storedPin(), QString());

        // The switch is over: the next lock answer is the dialogue's, and a late answer is stray.
        fixture.deliver(ReplyKey, lockAnswer);
        fixture.deliver(ReplyKey, result.isEmpty() ? QStringLiteral("CLCK_OK") : result);
        QCOMPARE(toDialogue.count(), 2);
        QCOMPARE(toSwitch.count(), 1);
        QCOMPARE(answers.answered, 1);
        QCOMPARE(boxes, boxesAfter);
        QCOMPARE(pinCommands(sent(bus)), QStringList());
    }

    void pinChange_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("stored");
        const QString change = "AT+CPWD=\"SC\",\"1234\",\"5678\" [INTERNAL]";
        QTest::newRow("accepted") << "PWD_OK" << QStringList{change, "AT#PIN=1,5678 [INTERNAL]"}
                                  << "Change PIN|Change PIN success." << scramblePassword("5678");
        QTest::newRow("refused") << "PWD_ERROR" << QStringList{change, kLockQuery} << "Change PIN|Change PIN error!"
                                 << QString();
    }

    void pinChange()
    {
        QFETCH(QString, reply);
        QFETCH(QStringList, commands);
        QFETCH(QString, stored);
        WindowFixture fixture;
        showCard(fixture, 0x14);
        BusRecorder bus;
        DialogAnswers answers({{"1234", "5678", "5678"}});
        fixture.window->changePIN();
        QCOMPARE(answers.answered, 1);
        fixture.deliver(ReplyKey, reply);
        QCOMPARE(sent(bus, commands.size()), commands);
        QVERIFY(fixture.probe->startupThread().stop());
        QCOMPARE(storedPin(), stored);
        QCOMPARE(queryRows("SELECT PIN FROM SIMCARDS WHERE ID=0"), stored);

        // Nothing is pending any more: a later success is not the page's.
        fixture.deliver(ReplyKey, QStringLiteral("PWD_OK"));
        QCOMPARE(sent(bus), QStringList());
        QFETCH(QString, box);
        QCOMPARE(boxes, QStringList{box});
    }

    // A busy SIM is asked again five times in a row, the sixth answer starting the count over.
    // (Stray acknowledgements are the switch's and the change's tests' last steps.)
    void busySimIsAskedAgain_data()
    {
        QTest::addColumn<int>("times");
        QTest::addColumn<int>("stateQueries");
        QTest::newRow("six") << 6 << 5;
        QTest::newRow("seven") << 7 << 6;
    }

    void busySimIsAskedAgain()
    {
        QFETCH(int, times);
        QFETCH(int, stateQueries);
        WindowFixture fixture;
        showCard(fixture, 0x14);
        BusRecorder bus;
        for (int i = 0; i < times; ++i)
            fixture.deliver(ReplyKey, QStringLiteral("SIM_BUSY"));
        QTest::qWait(30);
        QCOMPARE(sent(bus), QVector<QString>(stateQueries, kStateQuery).toList());
        QCOMPARE(boxes, QStringList());
        QCOMPARE(fixture.probe->pinUIState(), quint32(0x14));
    }

    // Busy answers that come while the last one's wait runs: one wait, one query.
    void busyBurstAsksOnce()
    {
        WindowFixture fixture;
        showCard(fixture, 0x14);
        BusRecorder bus;
        Pacing::setScale(0.2);   // a wait of 50 ms, the burst 5 ms into it
        QTimer::singleShot(5, fixture.window.get(), [&fixture] {
            for (int i = 0; i < 50; ++i)
                fixture.window->SIMBusyCPIN();
        });
        fixture.deliver(ReplyKey, QStringLiteral("SIM_BUSY"));
        Pacing::setScale(0.01);
        QCOMPARE(sent(bus), QStringList{kStateQuery});
    }

    // A locked SIM keeps its IMSI to itself at connection; once the PIN or PUK the operator
    // enters unlocks it and is stored, the IMSI is asked again and reaches the card, which keeps
    // its new PIN, also when the answer comes after the reset that follows began the restart.
    void unlockedSimGivesItsImsi_data()
    {
        QTest::addColumn<QString>("stateAnswer");
        QTest::addColumn<QList<QStringList>>("typed");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("pin");
        QTest::addColumn<bool>("afterRestart");
        QTest::newRow("PIN") << "SIM_PIN" << QList<QStringList>{{"1234"}} << "AT+CPIN=\"1234\"" << "1234" << false;
        QTest::newRow("PUK") << "SIM_PUK" << QList<QStringList>{{"12345678"}, {"4321"}}
                             << "AT+CPIN=\"12345678\",\"4321\"" << "4321" << false;
        QTest::newRow("PIN, answered after the restart began")
            << "SIM_PIN" << QList<QStringList>{{"1234"}} << "AT+CPIN=\"1234\"" << "1234" << true;
    }

    void unlockedSimGivesItsImsi()
    {
        QFETCH(QString, stateAnswer);
        QFETCH(QList<QStringList>, typed);
        QFETCH(QString, entry);
        QFETCH(QString, pin);
        QFETCH(bool, afterRestart);
        const QString imsi = QStringLiteral("260011234567890");
        WindowFixture fixture;
        BusRecorder bus;
        // The connection's read gets no IMSI from the locked SIM. The link announces the restart
        // as soon as the reset is queued, so an answer to the query before it may come later.
        QMap<QString, QStringList> script{{"AT+CLCK=\"SC\",2", {"ENABLED_PIN"}},
                                          {"AT+CPIN?", {stateAnswer, "PIN_READY"}},
                                          {"AT+CIMI", {"", afterRestart ? "" : "IMSI=" + imsi}}};
        if (afterRestart)
            script.insert("AT#RST=MDM", {"RESTARTED;IMSI=" + imsi});
        ScriptedSim sim(fixture, script);
        DialogAnswers dialogs(typed);
        fixture.deliver(LinkAlive, QString());
        fixture.probe->stopLink();

        const QRegularExpression pinOrIdentity(QStringLiteral("^AT(\\+CLCK|#PIN|\\+CPIN|\\+CIMI|#RST)"));
        const QString reset = QStringLiteral("AT#RST=MDM [INTERNAL]");
        QStringList commands;
        for (int i = 0; i < 500 && !commands.contains(reset); ++i) {
            QTest::qWait(10);
            commands += sentCommands(bus.take()).filter(pinOrIdentity);
        }
        QStringList expected{"AT+CIMI", kLockQuery, kStateQuery, entry, kStateQuery,
                             "AT#PIN=1," + pin, "AT+CIMI", reset};
        for (QString& command : expected) {
            if (!command.endsWith(']'))
                command += QStringLiteral(" [INTERNAL]");
        }
        QCOMPARE(commands, expected);
        QTRY_COMPARE(queryRows("SELECT IMSI, PIN FROM SIMCARDS WHERE ID=0"), imsi + '|' + scramblePassword(pin));
    }

    // A dialogue stopped while the operator reads that the PIN was accepted stores nothing: the
    // card keeps its IMSI together with its PIN, however quickly the SIM would tell a new IMSI.
    void stoppedDialogueLeavesTheCardAsItWas()
    {
        const QString oldImsi = QStringLiteral("260019999999999");
        const QString oldPin = scramblePassword(QStringLiteral("1111"));
        WindowFixture fixture(QStringLiteral("UPDATE SIMCARDS SET IMSI='%1', PIN='%2' WHERE ID=0;").arg(oldImsi, oldPin));
        ScriptedSim sim(fixture, {{"AT+CLCK=\"SC\",2", {"ENABLED_PIN"}},
                                  {"AT+CPIN?", {"SIM_PIN", "PIN_READY"}},
                                  {"AT+CIMI", {"", "IMSI=260011234567890"}}});
        DialogAnswers dialogs({{"1234"}});
        bool stopped = false;
        onBox = [&] {
            QTest::qWait(50);
            stopped = fixture.probe->startupThread().stop();
        };
        fixture.deliver(LinkAlive, QString());
        fixture.probe->stopLink();
        QTRY_VERIFY(stopped);
        QTest::qWait(50);
        QCOMPARE(boxes, QStringList{"Information|Enter PIN success."});
        QCOMPARE(queryRows("SELECT IMSI, PIN FROM SIMCARDS WHERE ID=0"), oldImsi + '|' + oldPin);
    }

    // A SIM just unlocked may still be busy and answer the IMSI query with an error: it is asked
    // again, no sooner than the gap and at most three times more. Only an error that follows the
    // program's own "AT+CIMI" counts. The reset the dialogue asks for meanwhile waits for the
    // queries, but no longer than they can take; one asked before an error ends them.
    void imsiAskedAgainWhileTheSimSettles_data()
    {
        QTest::addColumn<QList<QStringList>>("answers");   // the datagrams answering each query; "~": a terminal's
        QTest::addColumn<int>("resetAfter");               // the answer after which the reset is asked; -1: before any
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<bool>("imsiStored");
        const QStringList busy{"AT+CIMI\r\n+CME ERROR: 14\r\n"}, imsi{"AT+CIMI\r\n260011234567890\r\n\r\nOK\r\n"};
        const QString query = QStringLiteral("AT+CIMI [INTERNAL]"), reset = QStringLiteral("AT#RST=MDM [INTERNAL]");
        const int never = -2;
        QTest::newRow("answered") << QList<QStringList>{imsi} << never << QStringList{query} << true;
        QTest::newRow("busy, then answered") << QList<QStringList>{busy, imsi} << never << QStringList{query, query}
                                             << true;
        QTest::newRow("busy beyond the bound") << QList<QStringList>{busy, busy, busy, busy} << never
                                               << QStringList{query, query, query, query} << false;
        QTest::newRow("echo and error apart") << QList<QStringList>{{"AT+CIMI\r\n", "\r\nERROR\r\n"}, imsi} << never
                                              << QStringList{query, query} << true;
        QTest::newRow("another command's error") << QList<QStringList>{{"AT+CPBS?\r\nERROR\r\n"}} << never
                                                 << QStringList{query} << false;
        QTest::newRow("a terminal's query") << QList<QStringList>{{"~AT+CIMI\r\nERROR\r\n"}} << never
                                            << QStringList{query} << false;
        QTest::newRow("reset waits for the answer") << QList<QStringList>{busy, busy, imsi} << 0
                                                    << QStringList{query, query, query, reset} << true;
        QTest::newRow("reset waits for the bound") << QList<QStringList>{busy, busy, busy, busy} << 0
                                                   << QStringList{query, query, query, query, reset} << false;
        QTest::newRow("reset waits for a silent SIM no longer") << QList<QStringList>{busy} << 0
                                                                << QStringList{query, query, reset} << false;
        QTest::newRow("reset asked first") << QList<QStringList>{busy} << -1 << QStringList{query, reset} << false;
    }

    void imsiAskedAgainWhileTheSimSettles()
    {
        QFETCH(QList<QStringList>, answers);
        QFETCH(int, resetAfter);
        QFETCH(QStringList, commands);
        QFETCH(bool, imsiStored);
        WindowFixture fixture;
        fixture.probe->stopLink();
        BusRecorder bus;
        // The answers go the way of the link's: the raw reply to the window, then to the interpreter.
        CZKCommandInterpreter interpreter;
        const QString query = QStringLiteral("AT+CIMI [INTERNAL]");
        const QRegularExpression imsiOrReset(QStringLiteral("^AT(\\+CIMI|#RST)"));
        QStringList sent;
        const auto awaitSent = [&](int count, int patienceMs) {
            QElapsedTimer clock;
            clock.start();
            do {
                QTest::qWait(2);
                sent += sentCommands(bus.take()).filter(imsiOrReset);
            } while (sent.size() < count && clock.elapsed() < patienceMs);
        };

        // The dialogue stores the PIN the SIM took, then asks for the IMSI.
        fixture.window->setDevicePIN(1, QStringLiteral("4321"));
        fixture.window->imsiAsk();
        if (resetAfter == -1)
            fixture.window->deviceReset();
        QElapsedTimer sinceAnswer;
        for (int i = 0; i < answers.size(); ++i) {
            awaitSent(i + 1, 2000);
            QVERIFY2(sent.count(query) == i + 1, qPrintable(sent.join(", ")));
            // A coarse timer may fire up to 5 % early.
            if (i > 0)
                QVERIFY(sinceAnswer.elapsed() * 100 >= Pacing::ms(MainWindowTiming::kImsiRetryGapMs) * 95);
            // The window starts the gap when the answer reaches it, within the delivery.
            sinceAnswer.start();
            for (QString datagram : answers.at(i)) {
                const bool terminal = datagram.startsWith('~');
                if (terminal)
                    datagram.remove(0, 1);
                fixture.deliver(Receive, datagram, terminal ? QString() : QStringLiteral("INTERNAL"));
                interpreter.interpret(datagram);
            }
            if (i == resetAfter)
                fixture.window->deviceReset();
        }
        awaitSent(commands.size(), 3000);
        // Nothing more comes, however long one waits.
        QTest::qWait(3 * Pacing::ms(MainWindowTiming::kImsiRetryGapMs));
        sent += sentCommands(bus.take()).filter(imsiOrReset);
        QCOMPARE(sent, commands);
        const QString pin = scramblePassword(QStringLiteral("4321"));
        QTRY_COMPARE(queryRows("SELECT IMSI, PIN FROM SIMCARDS WHERE ID=0"),
                     (imsiStored ? QStringLiteral("260011234567890") : QString()) + '|' + pin);
    }

    // Whatever the order in which the unlock's IMSI query is answered (the IMSI, an error, or
    // nothing) and the dialogue's reset goes out, the card ends with its IMSI and the PIN just
    // entered: an IMSI the query before the restart did not bring is asked for by the connection
    // after it, and a later IMSI still finds the card's PIN kept. "back": the link returns.
    void imsiReachesTheCardWhateverTheTiming_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QStringList>("events");
        const QString query = QStringLiteral("AT+CIMI"), reset = QStringLiteral("AT#RST=MDM");
        QTest::newRow("refused 1.5 s after the query")
            << QStringList{"1500 busy", "0 imsi"} << QStringList{query, reset, "busy", "back", query, "imsi"};
        QTest::newRow("refused 5 s after the query")
            << QStringList{"5000 busy", "0 imsi"} << QStringList{query, reset, "busy", "back", query, "imsi"};
        QTest::newRow("no answer") << QStringList{"0 none", "0 imsi"} << QStringList{query, reset, "back", query, "imsi"};
        QTest::newRow("IMSI after the restart notice") << QStringList{"R imsi"} << QStringList{query, reset, "imsi", "back"};
        QTest::newRow("refused before the reset")
            << QStringList{"0 busy", "0 imsi"} << QStringList{query, "busy", query, "imsi", reset, "back"};
        QTest::newRow("still settling after the restart")
            << QStringList{"1500 busy", "0 busy", "0 imsi"}
            << QStringList{query, reset, "busy", "back", query, "busy", query, "imsi"};
        QTest::newRow("refused throughout, the IMSI read later")
            << QStringList{"1500 busy", "0 busy", "0 busy", "0 busy", "0 busy"}
            << QStringList{query, reset, "busy", "back", query, "busy", query, "busy", query, "busy", query, "busy"};
    }

    void imsiReachesTheCardWhateverTheTiming()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, events);
        // Slow enough for the reset, a second after the query, to keep its place among the answers.
        Pacing::setScale(0.2);
        WindowFixture fixture;
        ScriptedSim dialogue(fixture, {{"AT+CLCK=\"SC\",2", {"ENABLED_PIN"}}, {"AT+CPIN?", {"SIM_PIN", "PIN_READY"}}});
        SettlingSim sim(fixture, answers);
        DialogAnswers dialogs({{"1234"}});
        fixture.deliver(LinkAlive, QString());
        fixture.probe->stopLink();

        const QStringList beforeRestart = events.mid(0, events.indexOf("back"));
        QTRY_COMPARE_WITH_TIMEOUT(sim.events(), beforeRestart, 10000);
        QTest::qWait(Pacing::ms(MainWindowTiming::kImsiRetryGapMs));
        // The restart's first link-alive ends it, the next one connects.
        sim.note(QStringLiteral("back"));
        fixture.deliver(LinkAlive, QString());
        fixture.deliver(LinkAlive, QString());
        QVERIFY(fixture.probe->connected());
        QTRY_COMPARE(sim.events(), events);
        QTest::qWait(2 * Pacing::ms(MainWindowTiming::kImsiRetryGapMs));
        QCOMPARE(sim.events(), events);

        // Whatever reads the IMSI later, the operator's profile refresh among them.
        fixture.deliver(ReplyKey, QStringLiteral("IMSI"), SettlingSim::kImsi);
        QCOMPARE(queryRows("SELECT IMSI, PIN FROM SIMCARDS WHERE ID=0"), SettlingSim::kImsi + '|' + scramblePassword("1234"));
    }

    void startupRequestsAreServed_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("answer");   // the signal back to the dialogue
        QTest::newRow("PIN dialog") << 0 << QStringList{"1234"} << QStringList() << "inputPIN 1234 0";
        QTest::newRow("PUK dialog") << 1 << QStringList{"12345678"} << QStringList() << "inputPIN 12345678 1";
        QTest::newRow("dialog cancelled") << 0 << QStringList() << QStringList() << "inputPINCancel";
        QTest::newRow("information") << 2 << QStringList() << QStringList() << "mbOK";
        QTest::newRow("question, yes") << 4 << QStringList() << QStringList() << "mbOK";
        QTest::newRow("question, no") << 5 << QStringList() << QStringList() << "mbNO";
        // The PUK comes first, then the new PIN.
        QTest::newRow("PUK") << 9 << QStringList() << QStringList{"AT+CPIN=\"12345678\",\"4321\" [INTERNAL]"} << QString();
        QTest::newRow("unit PIN") << 10 << QStringList() << QStringList{"AT#PIN=1,4321 [INTERNAL]"} << QString();
        QTest::newRow("modem reset") << 11 << QStringList() << QStringList{"AT#RST=MDM [INTERNAL]"} << QString();
    }

    void startupRequestsAreServed()
    {
        QFETCH(int, request);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, commands);
        QFETCH(QString, answer);
        WindowFixture fixture;
        MainWindowProbe& probe = *fixture.probe;
        BusRecorder bus;
        // The first connection shows the notice; the test asks in the dialogue's place.
        fixture.deliver(LinkAlive, QString());
        QVERIFY(probe.startupThread().stop());
        QTest::qWait(20);
        bus.take();
        QVERIFY(probe.initDialog());

        QStringList answers, noticeAtAsk;
        auto noteNotice = [&] { noticeAtAsk << (probe.initDialog() ? "shown" : "gone"); };
        onBox = noteNotice;
        DialogAnswers dialogs({typed}, noteNotice);
        CZKMainWindow* w = fixture.window.get();
        QObject::connect(w, &CZKMainWindow::inputPIN,
                         [&](QString value, bool puk) { answers << QStringLiteral("inputPIN %1 %2").arg(value).arg(puk); });
        QObject::connect(w, &CZKMainWindow::inputPINCancel, [&] { answers << "inputPINCancel"; });
        QObject::connect(w, &CZKMainWindow::mbOK, [&] { answers << "mbOK"; });
        QObject::connect(w, &CZKMainWindow::mbNO, [&] { answers << "mbNO"; });

        CZKStartupThread& thread = probe.startupThread();
        boxAnswer = request == 5 ? QMessageBox::No : request == 4 ? QMessageBox::Yes : QMessageBox::Ok;
        switch (request) {
        case 0: emit thread.getPIN(true); break;
        case 1: emit thread.getPIN(false); break;
        case 2: emit thread.information("Enter PIN success."); break;
        case 4:
        case 5: emit thread.warningYN("Enter PIN failed, try again?"); break;
        case 9: emit thread.setPUK("4321", "12345678"); break;
        case 10: emit thread.setPINDevice(1, "4321"); break;
        case 11: emit thread.resetDevice(); break;
        }
        QCOMPARE(answers, answer.isEmpty() ? QStringList() : QStringList{answer});
        QCOMPARE(sent(bus, commands.size()), commands);
        // The operator is asked with the notice out of the way.
        QCOMPARE(noticeAtAsk, answer.isEmpty() ? QStringList() : QStringList{"gone"});
        QCOMPARE(storedPin(), request == 10 ? scramblePassword("4321") : QString());
    }
};

QTEST_MAIN(tst_WindowPin)
#include "tst_windowpin.moc"
