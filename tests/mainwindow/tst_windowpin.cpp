#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString kLockQuery = QStringLiteral("AT+CLCK=\"SC\",2 [INTERNAL]");
const QString kStateQuery = QStringLiteral("AT+CPIN? [INTERNAL]");
const char* const kSwitch = "pbPINEnableDisable";
const QStringList kButtons = {"pbApplyProfile", "pbRefreshProfile", "pbEnterPIN", "pbUnlockPIN", kSwitch, "pbPINChange"};

// Answers the PIN dialogs as the operator would, a moment after each comes up: types the digits
// into the dialog's line edits in the order of its form and presses OK, or presses Cancel when no
// digits are given. `onOpen` runs once, from the event loop, while the first dialog stands.
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
        if (!dialog || pending.isEmpty())
            return;
        const bool setPin = dialog->objectName() == QLatin1String("CZKSetPIN");
        if (!setPin && dialog->objectName() != QLatin1String("CZKInputPINPUKDialog"))
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
        const QStringList edits = setPin ? QStringList{"editActualPIN", "editNewPIN", "editRetypePIN"}
                                         : QStringList{"editInput"};
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

    // The commands sent so far (only the lock and PIN ones with `pinOnly`), waiting up to a
    // second for `count` of them.
    static QStringList sent(BusRecorder& bus, int count = 0, bool pinOnly = false)
    {
        QStringList commands;
        for (int i = 0; i < 100; ++i) {
            const QStringList more = sentCommands(bus.take());
            commands += pinOnly ? pinCommands(more) : more;
            if (commands.size() >= count)
                break;
            QTest::qWait(10);
        }
        return commands;
    }

    static QString storedPin() { return database()->findSimCard(0)->pin; }

    // The lock and PIN commands among `commands` (a lock answer also starts the phone-book read).
    static QStringList pinCommands(const QStringList& commands)
    {
        QStringList pin;
        for (const QString& command : commands) {
            if (command.startsWith("AT+CLCK") || command.startsWith("AT#PIN") || command.startsWith("AT+CPIN"))
                pin << command;
        }
        return pin;
    }

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

    void cleanupTestCase() { CZKPrompt::setResponder({}); }

    void buttonsFollowTheState_data()
    {
        QTest::addColumn<quint32>("state");
        QTest::addColumn<QString>("enabled");   // of kButtons, in order
        QTest::addColumn<QString>("switchText");
        const QString disable = QStringLiteral("Disable PIN\nverification");
        const QString enable = QStringLiteral("Enable PIN\nverification");
        // Busy keeps the text the switch had (here that of 0x14).
        QTest::newRow("busy, verification off") << quint32(0x27) << "000000" << disable;
        QTest::newRow("busy, all bits") << quint32(0x37) << "000000" << disable;
        QTest::newRow("SIM ready, verification on") << quint32(0x14) << "110011" << disable;
        QTest::newRow("PIN wanted") << quint32(0x11) << "001000" << disable;
        QTest::newRow("PUK wanted") << quint32(0x12) << "000100" << disable;
        QTest::newRow("SIM ready, verification off") << quint32(0x04) << "110010" << enable;
        QTest::newRow("verification on, SIM state unknown") << quint32(0x10) << "000000" << disable;
        QTest::newRow("nothing known") << quint32(0x00) << "000000" << enable;
    }

    void buttonsFollowTheState()
    {
        QFETCH(quint32, state);
        QFETCH(QString, enabled);
        QFETCH(QString, switchText);
        WindowFixture fixture;
        showCard(fixture, 0x14);
        showCard(fixture, state);
        QCOMPARE(fixture.probe->pinUIState(), state);
        QString seen;
        for (const QString& name : kButtons)
            seen += fixture.probe->pageForm()->findChild<QPushButton*>(name)->isEnabled() ? '1' : '0';
        QCOMPARE(seen, enabled);
        QCOMPARE(fixture.probe->pageForm()->findChild<QPushButton*>(kSwitch)->text(), switchText);
    }

    void verificationSwitch_data()
    {
        QTest::addColumn<quint32>("state");
        QTest::addColumn<QString>("lockAnswer");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("verifyOnAfter");
        const QString on = "AT+CLCK=\"SC\",1,\"1234\" [INTERNAL]", off = "AT+CLCK=\"SC\",0,\"1234\" [INTERNAL]";
        QTest::newRow("on") << quint32(0x04) << "DISABLED_PIN" << "CLCK_OK"
                            << QStringList{kLockQuery, on, "AT#PIN=1,1234 [INTERNAL]"}
                            << "PIN Status|PIN verification enabled." << true;
        QTest::newRow("off") << quint32(0x14) << "ENABLED_PIN" << "CLCK_OK" << QStringList{kLockQuery, off}
                             << "PIN Status|PIN verification disabled." << false;
        // A refused PIN restarts the dialogue, which asks the lock state again.
        QTest::newRow("on refused") << quint32(0x04) << "DISABLED_PIN" << "CLCK_ERROR"
                                    << QStringList{kLockQuery, on, kLockQuery}
                                    << "PIN Status|Set PIN verification error." << false;
        QTest::newRow("off refused") << quint32(0x14) << "ENABLED_PIN" << "CLCK_ERROR"
                                     << QStringList{kLockQuery, off, kLockQuery}
                                     << "PIN Status|Set PIN verification error." << true;
    }

    void verificationSwitch()
    {
        QFETCH(quint32, state);
        QFETCH(QString, lockAnswer);
        QFETCH(QString, result);
        QFETCH(QStringList, commands);
        QFETCH(QString, box);
        QFETCH(bool, verifyOnAfter);
        WindowFixture fixture;
        showCard(fixture, state);
        BusRecorder bus;
        QSignalSpy toDialogue(fixture.window.get(), &CZKMainWindow::PINVerify);
        QSignalSpy toSwitch(fixture.window.get(), &CZKMainWindow::pinRequestChange);
        // A lock answer while the operator types is the start-up dialogue's; the spare Cancel
        // closes a second dialog, should one come.
        DialogAnswers answers({{"1234"}, {}}, [&] { fixture.deliver(ReplyKey, lockAnswer); });
        fixture.window->enableDisablePIN();
        fixture.deliver(ReplyKey, lockAnswer);
        QCOMPARE(answers.answered, 1);
        QCOMPARE(toDialogue.count(), 1);
        fixture.deliver(ReplyKey, result);
        QCOMPARE(sent(bus, commands.size(), true), commands);
        QVERIFY(fixture.probe->startupThread().stop());
        QCOMPARE(boxes, QStringList{box});
        QCOMPARE(bool(fixture.probe->pinUIState() & PINUI::VerifyOn), verifyOnAfter);
        // Switching stores the PIN in the unit only.
        QCOMPARE(storedPin(), QString());

        // The switch is over: the next lock answer is the dialogue's, and a late answer is stray.
        fixture.deliver(ReplyKey, lockAnswer);
        fixture.deliver(ReplyKey, result);
        QCOMPARE(toDialogue.count(), 2);
        QCOMPARE(toSwitch.count(), 1);
        QCOMPARE(answers.answered, 1);
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(pinCommands(sent(bus)), QStringList());
    }

    void switchEndsWithoutAUsablePin_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<QStringList>("typed");   // empty: cancelled
        QTest::addColumn<QString>("busLine");
        QTest::addColumn<QStringList>("expectedBoxes");
        QTest::newRow("cancelled") << QString() << QStringList()
                                   << "2|Internal Warning 1 changePINRequest InputPINDlg reject|" << QStringList();
        QTest::newRow("short") << QString() << QStringList{"12"} << "1|PIN is to short|"
                               << QStringList{"PIN Error|PIN is to short."};
        QTest::newRow("no active card") << "UPDATE SIMCARDS SET ACTIVE='false';" << QStringList{"1234"}
                                        << "1|Internal Error 2 changePINRequest|" << QStringList();
    }

    void switchEndsWithoutAUsablePin()
    {
        QFETCH(QString, extraSql);
        QFETCH(QStringList, typed);
        QFETCH(QString, busLine);
        QFETCH(QStringList, expectedBoxes);
        WindowFixture fixture(extraSql);
        BusRecorder bus;
        DialogAnswers answers({typed, {}});
        fixture.window->enableDisablePIN();
        fixture.deliver(ReplyKey, QStringLiteral("DISABLED_PIN"));
        const QStringList lines = bus.take();
        QCOMPARE(sentCommands(lines), QStringList{kLockQuery});
        QVERIFY(lines.contains(busLine));
        QCOMPARE(boxes, expectedBoxes);

        // The lock answers reach the start-up dialogue again; a late acknowledgement is stray.
        QSignalSpy toDialogue(fixture.window.get(), &CZKMainWindow::PINVerify);
        fixture.deliver(ReplyKey, QStringLiteral("DISABLED_PIN"));
        fixture.deliver(ReplyKey, QStringLiteral("CLCK_OK"));
        QCOMPARE(toDialogue.count(), 1);
        QCOMPARE(answers.answered, extraSql.isEmpty() ? 1 : 0);
        QCOMPARE(boxes, expectedBoxes);
        QCOMPARE(pinCommands(sent(bus)), QStringList());
    }

    void pinChange_data()
    {
        QTest::addColumn<QStringList>("typed");   // actual, new, retyped; empty: cancelled
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("stored");
        const QString change = "AT+CPWD=\"SC\",\"1234\",\"5678\" [INTERNAL]";
        QTest::newRow("accepted") << QStringList{"1234", "5678", "5678"} << "PWD_OK"
                                  << QStringList{change, "AT#PIN=1,5678 [INTERNAL]"}
                                  << "Change PIN|Change PIN success." << scramblePassword("5678");
        QTest::newRow("refused") << QStringList{"1234", "5678", "5678"} << "PWD_ERROR"
                                 << QStringList{change, kLockQuery} << "Change PIN|Change PIN error!" << QString();
        QTest::newRow("short new PIN") << QStringList{"1234", "56", "56"} << QString() << QStringList()
                                       << "Change PIN|Change PIN error! Size old PIN or new PIN incorrect"
                                       << QString();
        QTest::newRow("cancelled") << QStringList() << QString() << QStringList() << QString() << QString();
    }

    void pinChange()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, reply);
        QFETCH(QStringList, commands);
        QFETCH(QString, box);
        QFETCH(QString, stored);
        WindowFixture fixture;
        showCard(fixture, 0x14);
        BusRecorder bus;
        DialogAnswers answers({typed});
        fixture.window->changePIN();
        QCOMPARE(answers.answered, 1);
        if (!reply.isEmpty())
            fixture.deliver(ReplyKey, reply);
        QCOMPARE(sent(bus, commands.size()), commands);
        QVERIFY(fixture.probe->startupThread().stop());
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(storedPin(), stored);
        QCOMPARE(queryRows("SELECT PIN FROM SIMCARDS WHERE ID=0"), stored);

        // Nothing is pending any more: a later success is not the page's.
        fixture.deliver(ReplyKey, QStringLiteral("PWD_OK"));
        QCOMPARE(sent(bus), QStringList());
        QCOMPARE(boxes.size(), box.isEmpty() ? 0 : 1);
    }

    void strayAnswersChangeNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("switch accepted") << "CLCK_OK";
        QTest::newRow("switch refused") << "CLCK_ERROR";
        QTest::newRow("PIN changed") << "PWD_OK";
    }

    void strayAnswersChangeNothing()
    {
        QFETCH(QString, key);
        WindowFixture fixture;
        showCard(fixture, 0x14);
        BusRecorder bus;
        fixture.deliver(ReplyKey, key);
        QTest::qWait(30);
        QCOMPARE(sent(bus), QStringList());
        QCOMPARE(boxes, QStringList());
        QCOMPARE(fixture.probe->pinUIState(), quint32(0x14));
        QCOMPARE(storedPin(), QString());
    }

    void busySimIsAskedFiveTimesInARow()
    {
        WindowFixture fixture;
        BusRecorder bus;
        for (int i = 0; i < 6; ++i)
            fixture.deliver(ReplyKey, QStringLiteral("SIM_BUSY"));
        QCOMPARE(sent(bus), QStringList({kStateQuery, kStateQuery, kStateQuery, kStateQuery, kStateQuery}));
        // The sixth answer rearmed the count for the next series.
        fixture.deliver(ReplyKey, QStringLiteral("SIM_BUSY"));
        QCOMPARE(sent(bus), QStringList{kStateQuery});
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
        QTest::newRow("warning") << 3 << QStringList() << QStringList() << "mbOK";
        QTest::newRow("question, yes") << 4 << QStringList() << QStringList() << "mbOK";
        QTest::newRow("question, no") << 5 << QStringList() << QStringList() << "mbNO";
        QTest::newRow("PIN state") << 6 << QStringList() << QStringList{kStateQuery} << QString();
        QTest::newRow("lock state") << 7 << QStringList() << QStringList{kLockQuery} << QString();
        QTest::newRow("PIN") << 8 << QStringList() << QStringList{"AT+CPIN=\"1234\" [INTERNAL]"} << QString();
        QTest::newRow("PUK") << 9 << QStringList() << QStringList{"AT+CPIN=\"12345678\",\"4321\" [INTERNAL]"}
                             << QString();
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
        case 3: emit thread.warning("PIN to short."); break;
        case 4:
        case 5: emit thread.warningYN("Enter PIN failed, try again?"); break;
        case 6: emit thread.askPIN(); break;
        case 7: emit thread.askPINRequest(); break;
        case 8: emit thread.setPIN("1234"); break;
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
