// The SMS tab with a large inbox: the GUI thread's time for one incoming message and the time
// the SMS tab takes to show, on the database of the start-up benchmark (100,000 received
// messages, half of them on the active card, from some 95,000 numbers; 10,000 contacts).
//
//   dudedoriv_smsboxbench WORKDIR [ROUNDS]
//
// WORKDIR holds the database and the page forms (scripts/bench-smsbox.sh lays it out). The
// window runs offscreen; its link points at a silent fake unit on loopback and never comes up.
// Each incoming message goes as the unit's answers would: the count, the stored message (as the
// interpreter stores it), the read's echo and "RECEIVED_SMS" through the window's dispatch, then
// the events until the message's row is on screen. Prints one line per timing, in microseconds:
//   tab-first WALL CPU      the first showing of the SMS tab
//   tab WALL CPU            a later showing (from the settings tab)
//   message CPU STORE       one incoming message: GUI-thread time in all, and of it the store

#include "../tests/mainwindow/WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTest>

#include <time.h>

#include <cstdio>

namespace {

// The calling thread's processor time: what the GUI thread spent, not what it slept.
qint64 threadCpuUs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// Lets the window handle what is queued, its drawing included.
void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void deliver(CZKMainWindow& window, int type, const QString& msg, const QString& desc = QString())
{
    window.receiveMessage(type, msg, desc);
    QCoreApplication::sendPostedEvents(&window, QEvent::MetaCall);
}

// Every other message comes from a contact (the numbers of the benchmark's contacts), the rest
// from numbers nobody knows.
QString senderOf(int round)
{
    const qint64 k = round % 2 ? 9000 + round : 200000 + round;
    return QStringLiteral("+48%1").arg(600000000 + (k * 7919) % 99999999);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s WORKDIR [ROUNDS]\n", argv[0]);
        return 2;
    }
    const int rounds = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 21;

    // As in the window tests: the bus runs and the read chain's waits are a hundredth long, which
    // shortens the rounds, not the GUI thread's work.
    startWindowTests();
    CZKPrompt::setResponder([](const CZKPrompt::Call&) { return QMessageBox::Ok; });
    FakeUnit unit;
    unit.silent = true;
    if (!unit.open(QHostAddress::LocalHost, 0))
        qFatal("no port for the fake unit");
    pointLinkAtLoopback(unit.port());

    if (!QDir::setCurrent(args.at(1)))
        qFatal("no working folder %s", qPrintable(args.at(1)));
    CZKDataBase db;
    setDatabase(&db);
    if (!db.open() || !db.loadAll())
        qFatal("the database of %s does not load", qPrintable(args.at(1)));
    const int cardId = db.activeSimCardId();

    requireLoopbackTarget();
    CZKMainWindow window(nullptr);
    MainWindowProbe probe(&window);
    probe.linkWatchdog().setPaused(true);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the window did not show");
    settle();

    for (int round = 0; round <= rounds; ++round) {
        if (round > 0) {
            window.settings();
            settle();
        }
        QElapsedTimer wall;
        const qint64 cpu = threadCpuUs();
        wall.start();
        window.sms();
        settle();
        std::printf("%s %lld %lld\n", round == 0 ? "tab-first" : "tab", wall.nsecsElapsed() / 1000,
                    threadCpuUs() - cpu);
    }

    CZKSMSTableWidget* table = probe.ui()->tableMessages;
    for (int round = 0; round < rounds; ++round) {
        deliver(window, ReplyKey, QStringLiteral("REC_SMS"), QStringLiteral("1"));
        settle();
        const qint64 cpu = threadCpuUs();
        if (!db.addReceivedMessage(senderOf(round), QStringLiteral("incoming %1").arg(round), cardId, false,
                                   QDateTime::currentDateTime()))
            qFatal("the message was not stored");
        const qint64 store = threadCpuUs() - cpu;
        const int id = db.receivedMessages.last().id;
        deliver(window, Receive, QStringLiteral("AT+CMGR=1\r\n"), internalTag());
        deliver(window, ReplyKey, QStringLiteral("RECEIVED_SMS"), QString());
        QElapsedTimer patience;
        patience.start();
        while (!(table->item(0, 0) && table->item(0, 0)->data(Qt::UserRole).toInt() == id)) {
            if (patience.elapsed() > 20000)
                qFatal("message %d never showed", id);
            QTest::qWait(1);
        }
        settle();
        std::printf("message %lld %lld\n", threadCpuUs() - cpu, store);
        std::fflush(stdout);
        if (probe.smsChainRuns())
            qFatal("the read chain did not end");
    }
    setDatabase(nullptr);
    db.close();
    return 0;
}
