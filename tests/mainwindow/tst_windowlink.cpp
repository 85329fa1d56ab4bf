#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKInitialize.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "bus/IMessageReceiver.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <atomic>

namespace {

const QStringList kIdentityReads = {"AT#CNF? [INTERNAL]", "AT#I [INTERNAL]", "AT+CGSN [INTERNAL]",
                                    "AT+CGMM [INTERNAL]", "AT+CGMR [INTERNAL]", "AT+CIMI [INTERNAL]"};
const QString kLockQuery = QStringLiteral("AT+CLCK=\"SC\",2 [INTERNAL]");

bool showsIcon(const QLabel* label, const char* icon)
{
    return label->pixmap(Qt::ReturnByValue).toImage() == QIcon(QLatin1String(icon)).pixmap(16, 16).toImage();
}

QStringList sentSoFar(BusRecorder& bus) { return sentCommands(bus.take()); }

// Answers every box with Ok and notes it as "title|text".
void recordBoxes(QStringList& boxes)
{
    CZKPrompt::setResponder([&boxes](const CZKPrompt::Call& call) {
        boxes << call.title + '|' + call.text;
        return QMessageBox::Ok;
    });
}

// Waits until the window has sent `command`, a few seconds at most.
bool awaitSent(BusRecorder& bus, const QString& command)
{
    QStringList sent;
    for (int i = 0; i < 300 && !sent.contains(command); ++i) {
        QTest::qWait(10);
        sent += sentSoFar(bus);
    }
    return sent.contains(command);
}

// A unit that answers the dialogue at once, its lock query sent: verification on, the SIM ready,
// an empty phone book, whose read ends the notice of a first connection.
bool answerDialogue(WindowFixture& fixture, BusRecorder& bus)
{
    fixture.deliver(ReplyKey, QStringLiteral("ENABLED_PIN"));
    if (!awaitSent(bus, QStringLiteral("AT+CPIN? [INTERNAL]")))
        return false;
    fixture.deliver(ReplyKey, QStringLiteral("PIN_READY"));
    if (!awaitSent(bus, QStringLiteral("AT+CPBS? [INTERNAL]")))
        return false;
    fixture.deliver(ReplyKey, QStringLiteral("PHONE_BOOK_MAX"), QStringLiteral("250"));
    fixture.deliver(Receive, QStringLiteral("AT+CPBR=1,250\r\n\r\nOK\r\n"), QStringLiteral("INTERNAL"));
    return true;
}

// The unit's SIM reporting once that it wants its PIN2, right after `command` has gone out, from
// the bus thread as the link would.
class Pin2ReportAfter : public IMessageReceiver {
public:
    Pin2ReportAfter(WindowFixture& fixture, QString command) : fixture(fixture), command(std::move(command))
    {
        busProxy->addReceiver(this);
    }
    ~Pin2ReportAfter() override { busProxy->removeReceiver(this); }

    void receiveMessage(int type, QString msg, QString) override
    {
        if (type == Send && msg == command && !reported.exchange(true))
            fixture.inject(ReplyKey, QStringLiteral("SIM_PINPUK2"));
    }

private:
    WindowFixture& fixture;
    const QString command;
    std::atomic<bool> reported{false};
};

} // namespace

// The window's link states, the reads of a new connection and the notice of the first one.
class tst_WindowLink : public QObject {
    Q_OBJECT

    // Connects the window and waits for the start-up dialogue's lock query, the last command of
    // a new connection.
    static QStringList connect(WindowFixture& fixture, BusRecorder& bus)
    {
        fixture.deliver(LinkAlive, QString());
        QStringList sent;
        QElapsedTimer clock;
        clock.start();
        while (!(sent += sentSoFar(bus)).contains(kLockQuery) && clock.elapsed() < 5000)
            QTest::qWait(10);
        return sent;
    }


private slots:
    void initTestCase()
    {
        startWindowTests();
    }

    void init() { MainWindowProbe::resetRunState(); }
    void cleanup()
    {
        CZKPrompt::setResponder({});
        Pacing::setScale(0.01);
    }

    void firstConnectionReadsTheUnitAndShowsTheNotice()
    {
        WindowFixture fixture;
        MainWindowProbe& probe = *fixture.probe;
        QVERIFY(showsIcon(probe.linkIconLabel(), "://Icons/close_16.ico"));
        QVERIFY(fixture.select(Device, 0));
        QVERIFY(!probe.ui()->mainFrame->findChild<QPushButton*>("pbSendToDevice")->isEnabled());
        BusRecorder bus;

        const QStringList sent = connect(fixture, bus);
        QCOMPARE(sent, kIdentityReads + QStringList{kLockQuery});
        QVERIFY(probe.connected());
        QVERIFY(showsIcon(probe.linkIconLabel(), "://Icons/check_mark_16.ico"));
        QVERIFY(probe.ui()->mainFrame->findChild<QPushButton*>("pbSendToDevice")->isEnabled());
        QVERIFY(probe.ui()->pbClear->isEnabled());
        QVERIFY(probe.initDialog() && probe.initTimer().isActive());

        // A link-alive while connected is no new connection.
        fixture.deliver(LinkAlive, QString());
        QTest::qWait(50);
        QCOMPARE(sentSoFar(bus), QStringList());

        fixture.deliver(LinkLost, QString());
        QVERIFY(!probe.connected());
        QVERIFY(showsIcon(probe.linkIconLabel(), "://Icons/close_16.ico"));
        QVERIFY(probe.pinUIState() & PINUI::Busy);
        QVERIFY(!probe.ui()->mainFrame->findChild<QPushButton*>("pbSendToDevice")->isEnabled());

        // A later connection reads the unit again, without a second notice.
        fixture.deliver(ReplyKey, QStringLiteral("ERROR"));
        QVERIFY(!probe.initDialog());
        QCOMPARE(connect(fixture, bus), kIdentityReads + QStringList{kLockQuery});
        QVERIFY(!probe.initDialog());
    }

    void restartIsAbsorbedThenThePageIsRefreshed()
    {
        WindowFixture fixture;
        MainWindowProbe& probe = *fixture.probe;
        BusRecorder bus;
        connect(fixture, bus);
        fixture.deliver(ReplyKey, QStringLiteral("ERROR"));
        QVERIFY(fixture.select(Device, 0));

        fixture.deliver(UnitRestarted, QString());
        QVERIFY(probe.restartPending() && !probe.connected());
        QVERIFY(showsIcon(probe.linkIconLabel(), "://Icons/pause_16.ico"));
        QVERIFY(probe.pinUIState() & PINUI::Busy);

        // The first link-alive after the restart only ends the restart.
        fixture.deliver(LinkAlive, QString());
        QVERIFY(!probe.restartPending() && !probe.connected());

        // The next one connects: the page is shown again, nothing is read.
        const QWidget* pageBefore = probe.pageForm();
        fixture.deliver(LinkAlive, QString());
        QVERIFY(probe.connected());
        QVERIFY(probe.pageForm() != pageBefore);
        QTest::qWait(50);
        QCOMPARE(sentSoFar(bus), QStringList());

        // Link lost while restarting is not forwarded either.
        fixture.deliver(UnitRestarted, QString());
        fixture.deliver(LinkLost, QString());
        QVERIFY(showsIcon(probe.linkIconLabel(), "://Icons/pause_16.ico"));
    }

    void rfSelectionDecidesThePinAndTestButtons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("pollerRuns");
        QTest::addColumn<bool>("busyAfter");
        QTest::addColumn<bool>("startEnabled");
        QTest::addColumn<bool>("stopEnabled");
        QTest::newRow("unit: untouched") << int(Device) << 0 << false << true << false << false;
        QTest::newRow("active card") << int(SimCard) << 0 << false << false << true << false;
        QTest::newRow("active card, test running") << int(SimCard) << 0 << true << false << false << true;
    }

    void rfSelectionDecidesThePinAndTestButtons()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(bool, pollerRuns);
        WindowFixture fixture;
        MainWindowProbe& probe = *fixture.probe;
        fixture.window->setCurrentItem(probe.ui()->treeRFSetup, id, kind);
        if (pollerRuns)
            probe.startRadioPoller();
        BusRecorder bus;
        connect(fixture, bus);
        // The start-up dialogue may change the state later; the connection set it first.
        QTEST(bool(probe.pinUIState() & PINUI::Busy), "busyAfter");
        QTEST(probe.ui()->pbStart->isEnabled(), "startEnabled");
        QTEST(probe.ui()->pbStop->isEnabled(), "stopEnabled");

        // A running test keeps Stop and Clear through a link loss.
        fixture.deliver(LinkLost, QString());
        QVERIFY(!probe.ui()->pbStart->isEnabled());
        QCOMPARE(probe.ui()->pbStop->isEnabled(), pollerRuns);
        QCOMPARE(probe.ui()->pbClear->isEnabled(), pollerRuns);
        probe.stopRadioPoller();
    }

    void noticeEndsWithThePhoneBookRead_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("reply");   // to "AT+CPBR", or a reply key after "ERROR:"
        QTest::addColumn<bool>("readSent");
        QTest::newRow("two entries") << "250"
                                     << "AT+CPBR=1,250\r\n+CPBR: 1,\"+48600100200\",145,\"Anna\"\r\n"
                                        "+CPBR: 2,\"600100300\",129,\"Smith, John\"\r\n\r\nOK\r\n"
                                     << true;
        QTest::newRow("error answer") << "250" << "ERROR:ERROR" << true;
        QTest::newRow("silent unit") << "250" << QString() << true;
        QTest::newRow("no positions") << "0" << QString() << false;
        QTest::newRow("no size") << "x" << QString() << false;
    }

    void noticeEndsWithThePhoneBookRead()
    {
        QFETCH(QString, size);
        QFETCH(QString, reply);
        WindowFixture fixture;
        MainWindowProbe& probe = *fixture.probe;
        BusRecorder bus;
        connect(fixture, bus);
        QVERIFY(probe.initDialog());

        // While the notice is up, clicks reach nothing.
        QSignalSpy clicks(probe.ui()->pbClear, &QPushButton::clicked);
        QTest::mouseClick(probe.ui()->pbClear, Qt::LeftButton);
        QCOMPARE(clicks.count(), 0);

        // Verification off: the phone book is read at once, its size first.
        fixture.deliver(ReplyKey, QStringLiteral("DISABLED_PIN"));
        fixture.deliver(ReplyKey, QStringLiteral("PHONE_BOOK_POS"), QStringLiteral("2"));
        if (size != QLatin1String("x"))
            fixture.deliver(ReplyKey, QStringLiteral("PHONE_BOOK_MAX"), size);
        const QStringList sent = sentSoFar(bus);
        QTEST(sent.contains(QStringLiteral("AT+CPBR=1,250 [INTERNAL]")), "readSent");
        QVERIFY(!sent.contains(QStringLiteral("AT+CPBR=1,0 [INTERNAL]")));

        if (reply.startsWith(QLatin1String("ERROR:")))
            fixture.deliver(ReplyKey, reply.mid(6));
        else if (!reply.isEmpty())
            fixture.deliver(Receive, reply, QStringLiteral("INTERNAL"));
        // Unanswered reads end within the link's reply time-out (paced), long before the
        // notice's own last resort.
        QTRY_VERIFY_WITH_TIMEOUT(!probe.initDialog(), 2000);
        QVERIFY(!probe.initTimer().isActive());

        QTest::mouseClick(probe.ui()->pbClear, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }

    void dialogueBoxEndsTheNotice()
    {
        QStringList boxes;
        recordBoxes(boxes);
        WindowFixture fixture;
        BusRecorder bus;
        connect(fixture, bus);
        QVERIFY(fixture.probe->initDialog());
        // The unit never answers the lock query: the dialogue says so, and its box must not
        // stand behind the notice.
        QTRY_VERIFY_WITH_TIMEOUT(!boxes.isEmpty(), 3000);
        QCOMPARE(boxes, QStringList{"Warning|Ask PIN verification Timeout."});
        QVERIFY(!fixture.probe->initDialog());
    }

    void repeatedReportsGetOneResetAndOneRead()
    {
        WindowFixture fixture;
        // The restart comes from the test, not from the link's own answer to the reset.
        fixture.probe->stopLink();
        BusRecorder bus;
        for (int i = 0; i < 5; ++i)
            fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        fixture.window->deviceReset();   // the start-up dialogue asking as well
        QCOMPARE(sentSoFar(bus), QStringList{"AT#RST=MDM [INTERNAL]"});
        fixture.deliver(UnitRestarted, QString());
        fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        QCOMPARE(sentSoFar(bus), QStringList());
        // Once the restart is over, and a minute after the last, a blocked SIM earns a reset again.
        fixture.deliver(LinkAlive, QString());
        fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        QCOMPARE(sentSoFar(bus), QStringList());
        QTest::qWait(Pacing::ms(MainWindowTiming::kResetSpacingMs));
        fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        QCOMPARE(sentSoFar(bus), QStringList{"AT#RST=MDM [INTERNAL]"});

        for (int i = 0; i < 5; ++i)
            fixture.deliver(ReplyKey, QStringLiteral("PIN_READY"));
        const QStringList storeQueries = {"AT+CPBS=\"SM\" [INTERNAL]", "AT+CPBS? [INTERNAL]"};
        QCOMPARE(sentSoFar(bus), storeQueries);
        fixture.deliver(ReplyKey, QStringLiteral("PHONE_BOOK_MAX"), QStringLiteral("250"));
        fixture.deliver(Receive, QStringLiteral("AT+CPBR=1,250\r\n\r\nOK\r\n"), QStringLiteral("INTERNAL"));
        QCOMPARE(sentSoFar(bus), QStringList{"AT+CPBR=1,250 [INTERNAL]"});
        fixture.deliver(ReplyKey, QStringLiteral("PIN_READY"));
        QCOMPARE(sentSoFar(bus), storeQueries);
    }

    // The reset after a PUK the operator entered is asked for by no report of the unit: a reset
    // of a report a moment before does not hold it back, and it goes out once.
    void resetAfterThePukAlwaysGoesOut()
    {
        WindowFixture fixture;
        fixture.probe->stopLink();
        BusRecorder bus;
        fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        fixture.deliver(UnitRestarted, QString());
        fixture.deliver(LinkAlive, QString());
        QCOMPARE(sentSoFar(bus), QStringList{"AT#RST=MDM [INTERNAL]"});

        emit fixture.probe->startupThread().resetDevice();
        fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        QCOMPARE(sentSoFar(bus), QStringList{"AT#RST=MDM [INTERNAL]"});
    }

    // A SIM that asks for its PIN2 during the first reading gets a modem reset; the connection
    // after it reads the unit and runs the dialogue again, which ends the notice, and no box of
    // the interrupted dialogue comes later.
    void pin2ResetEndsTheNoticeOnReconnection()
    {
        QStringList boxes;
        recordBoxes(boxes);
        WindowFixture fixture;
        MainWindowProbe& probe = *fixture.probe;
        BusRecorder bus;
        connect(fixture, bus);
        probe.stopLink();
        const QString stateQuery = QStringLiteral("AT+CPIN? [INTERNAL]");
        fixture.deliver(ReplyKey, QStringLiteral("ENABLED_PIN"));
        QVERIFY(awaitSent(bus, stateQuery));
        fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        QCOMPARE(sentSoFar(bus), QStringList{"AT#RST=MDM [INTERNAL]"});
        fixture.deliver(UnitRestarted, QString());
        fixture.deliver(LinkAlive, QString());
        QVERIFY(probe.initDialog());

        // A unit that answers at once: the notice goes well within one reply time-out.
        Pacing::setScale(0.05);
        QElapsedTimer sinceLinkBack;
        sinceLinkBack.start();
        fixture.deliver(LinkAlive, QString());
        QVERIFY(probe.connected());
        QVERIFY(awaitSent(bus, kLockQuery));
        QVERIFY(answerDialogue(fixture, bus));
        QVERIFY(!probe.initDialog());
        QVERIFY2(sinceLinkBack.elapsed() < Pacing::ms(replyTimeoutMs()),
                 qPrintable(QString::number(sinceLinkBack.elapsed())));

        // Past the interrupted dialogue's reply wait: no box holds the window, and it takes clicks.
        QTest::qWait(Pacing::ms(60000) + 200);
        Pacing::setScale(0.01);
        QCOMPARE(boxes, QStringList());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QSignalSpy clicks(probe.ui()->pbClear, &QPushButton::clicked);
        QTest::mouseClick(probe.ui()->pbClear, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);

        // A later report cuts nothing short: its reset is followed by the page refresh alone.
        QVERIFY(probe.startupThread().isFinished());
        sentSoFar(bus);
        fixture.deliver(ReplyKey, QStringLiteral("SIM_PINPUK2"));
        fixture.deliver(UnitRestarted, QString());
        fixture.deliver(LinkAlive, QString());
        fixture.deliver(LinkAlive, QString());
        QVERIFY(probe.connected());
        QTest::qWait(50);
        QCOMPARE(sentSoFar(bus), QStringList{"AT#RST=MDM [INTERNAL]"});
    }

    // A SIM that asks for its PIN2 while a connection's reading is still under way: the reset cuts
    // the reading short, and nothing of it starts the dialogue against a modem that restarts for
    // longer than the dialogue's reply wait. The connection after the restart reads the unit and
    // runs the dialogue, which ends the notice of a first connection, and no box comes.
    void pin2ReportDuringTheReading_data()
    {
        QTest::addColumn<bool>("firstConnection");
        QTest::addColumn<QString>("reportAfter");
        QTest::addColumn<bool>("readsCut");   // the report comes early enough to stop the reads
        QTest::newRow("first, amid the identity reads") << true << "AT+CGSN" << true;
        QTest::newRow("first, before the dialogue starts") << true << "AT+CIMI" << false;
        QTest::newRow("later, before the dialogue starts") << false << "AT+CIMI" << false;
    }

    void pin2ReportDuringTheReading()
    {
        QFETCH(bool, firstConnection);
        QFETCH(QString, reportAfter);
        QFETCH(bool, readsCut);
        QStringList boxes;
        recordBoxes(boxes);
        WindowFixture fixture;
        MainWindowProbe& probe = *fixture.probe;
        BusRecorder bus;
        if (!firstConnection) {
            connect(fixture, bus);
            QVERIFY(probe.startupThread().stop());
            fixture.deliver(ReplyKey, QStringLiteral("ERROR"));
            fixture.deliver(LinkLost, QString());
            sentSoFar(bus);
        }
        const QString reset = QStringLiteral("AT#RST=MDM [INTERNAL]");
        {
            // Paced slowly enough for the report to land between the reads.
            Pacing::setScale(0.5);
            Pin2ReportAfter sim(fixture, reportAfter);
            fixture.deliver(LinkAlive, QString());
            // The link answers the reset itself, at once: the restart has begun.
            QTRY_VERIFY(probe.restartPending());
            Pacing::setScale(0.01);
        }
        QStringList sent = sentSoFar(bus);
        QVERIFY2(sent.endsWith(reset) && sent.count(reset) == 1, qPrintable(sent.join(", ")));
        QVERIFY(!sent.contains(kLockQuery));
        QCOMPARE(sent.contains(QStringLiteral("AT+CIMI [INTERNAL]")), !readsCut);
        QCOMPARE(bool(probe.initDialog()), firstConnection);

        // A modem that takes 75 s to restart, longer than the dialogue's reply wait.
        QTest::qWait(Pacing::ms(75000));
        QVERIFY(!probe.startupThread().isRunning());
        QCOMPARE(sentSoFar(bus), QStringList());
        fixture.deliver(LinkAlive, QString());
        QVERIFY(!probe.connected());

        // The unit answers at once: the reading and the dialogue end within one reply time-out.
        Pacing::setScale(0.05);
        QElapsedTimer sinceLinkBack;
        sinceLinkBack.start();
        QCOMPARE(connect(fixture, bus), kIdentityReads + QStringList{kLockQuery});
        QVERIFY(answerDialogue(fixture, bus));
        QVERIFY(!probe.initDialog());
        QVERIFY2(sinceLinkBack.elapsed() < Pacing::ms(replyTimeoutMs()),
                 qPrintable(QString::number(sinceLinkBack.elapsed())));
        QTRY_VERIFY(!probe.startupThread().isRunning());
        QCOMPARE(boxes, QStringList());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void noticeTimesOutWithAWarning()
    {
        // The notice's last resort, 900 s at real pacing.
        Pacing::setScale(0.0005);
        QStringList boxes;
        recordBoxes(boxes);
        WindowFixture fixture;
        BusRecorder bus;
        fixture.deliver(LinkAlive, QString());
        QVERIFY(fixture.probe->initDialog());
        // Its own time-out would end the notice with a box of its own first.
        QVERIFY(fixture.probe->startupThread().stop());
        QTRY_VERIFY_WITH_TIMEOUT(!fixture.probe->initDialog(), 3000);
        Pacing::setScale(0.01);
        QCOMPARE(boxes, QStringList{"Warning|Initialy reading data problem."});
        QVERIFY(bus.take().contains("2|Initialy reading data problem|"));
    }
};

QTEST_MAIN(tst_WindowLink)
#include "tst_windowlink.moc"
