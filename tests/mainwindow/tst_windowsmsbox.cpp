#include "WindowTestSupport.h"

#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"

#include "ui_CZKMainWindow.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include <functional>

namespace {

// Card 0 (active) has three received and two sent messages, card 1 one received; "+48111" is
// the contact Alice.
const char* const kMessages =
    "INSERT INTO MSISDN_SMS (ID, \"ORDER\", MSISDN, NAME, DESCRIPTION) VALUES (1, 1, '+48111', 'Alice', '');\n"
    "INSERT INTO RECEIVE_MESSAGES (ID, DATE, CONTENT, FROM_MSISDN, USSD, ID_SIMCARD) VALUES\n"
    " (1, '2026-01-01 10:00:00', 'first', '+48111', 0, 0),\n"
    " (2, '2026-01-02 10:00:00', 'second', '+48222', 0, 0),\n"
    " (3, '2026-01-03 10:00:00', 'other card', '+48333', 0, 1),\n"
    " (4, '2026-01-04 10:00:00', 'third', '+48111', 0, 0);\n"
    "INSERT INTO SEND_MESSAGES (ID, DATE, CONTENT, TO_MSISDN, USSD, ID_SIMCARD) VALUES\n"
    " (1, '2026-02-01 09:00:00', 'sent one', '+48222', 0, 0),\n"
    " (2, '2026-02-02 09:00:00', 'sent two', '+48111', 0, 0);\n";

CZKSMSTableWidget* table(WindowFixture& f) { return f.probe->ui()->tableMessages; }

QStringList rows(WindowFixture& f)
{
    QStringList shown;
    for (int r = 0; r < table(f)->rowCount(); ++r)
        shown << QStringLiteral("%1|%2|%3").arg(table(f)->item(r, 0)->text(), table(f)->item(r, 1)->text(),
                                                table(f)->item(r, 2)->text());
    return shown;
}

void selectRows(WindowFixture& f, const QList<int>& selected)
{
    table(f)->clearSelection();
    for (int r : selected)
        table(f)->selectionModel()->select(table(f)->model()->index(r, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The SMS tab shown with the inbox or the outbox of the active card.
void showBox(WindowFixture& f, bool outbox)
{
    f.window->sms();
    if (outbox)
        f.window->outbox();
}

QString indicatorShown(WindowFixture& f)
{
    const QImage shown = f.probe->messageIndicatorLabel()->pixmap(Qt::ReturnByValue).toImage();
    if (shown == QIcon(QStringLiteral("://Icons/instant_message_16.ico")).pixmap(16, 16).toImage())
        return QStringLiteral("new");
    if (shown == QIcon(QStringLiteral("://Icons/empty_16.ico")).pixmap(16, 16).toImage())
        return QStringLiteral("empty");
    return QStringLiteral("other");
}

// What the composer showed: "title|number|text", or "<none>" when none opened.
struct ComposerSeen {
    QString form = QStringLiteral("<none>");
    bool pollingDuring = true;
    bool watchdogPausedDuring = false;
};

ComposerSeen answerComposer(WindowFixture& f, const std::function<void()>& open, bool accept)
{
    ComposerSeen seen;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll.stop();
        seen.form = QStringLiteral("%1|%2|%3").arg(dialog->windowTitle(),
                                                   dialog->findChild<QLineEdit*>("editMSISDN")->text(),
                                                   dialog->findChild<QPlainTextEdit*>("editMessage")->toPlainText());
        seen.pollingDuring = f.probe->smsPollingEnabled();
        seen.watchdogPausedDuring = f.probe->linkWatchdog().isPaused();
        accept ? dialog->accept() : dialog->reject();
    });
    poll.start();
    open();
    poll.stop();
    return seen;
}

} // namespace

// The SMS tab's in- and outbox: the rows shown, removal, the composer's flows, the new-message
// indicator, the tool bar's state and the deferred refill.
class tst_WindowSmsBox : public QObject {
    Q_OBJECT

    QStringList prompts;
    QList<QMessageBox::StandardButton> answers;

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            prompts << call.title + '|' + call.text;
            return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
        });
    }

    void init()
    {
        prompts.clear();
        answers.clear();
    }

    // Newest first, only the selected card's messages, the contact's name where there is one.
    void boxes_data()
    {
        QTest::addColumn<bool>("outbox");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("inbox") << false
                               << QStringList{"Alice|third|2026-01-04 10:00:00", "+48222|second|2026-01-02 10:00:00",
                                              "Alice|first|2026-01-01 10:00:00"};
        QTest::newRow("outbox") << true
                                << QStringList{"Alice|sent two|2026-02-02 09:00:00", "+48222|sent one|2026-02-01 09:00:00"};
    }

    void boxes()
    {
        QFETCH(bool, outbox);
        WindowFixture f(kMessages);
        showBox(f, outbox);
        QTEST(rows(f), "expected");
        QCOMPARE(f.probe->inboxShown(), !outbox);
        QCOMPARE(f.probe->ui()->tabWidget->currentWidget(), f.probe->ui()->tabSMS);
    }

    void messageText_data()
    {
        QTest::addColumn<bool>("outbox");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("text");
        QTest::newRow("one received") << false << QList<int>{1} << "second";
        QTest::newRow("two") << false << QList<int>{0, 2} << "2 messages";
    }

    void messageText()
    {
        QFETCH(bool, outbox);
        QFETCH(QList<int>, selected);
        WindowFixture f(kMessages);
        showBox(f, outbox);
        selectRows(f, {0});
        selectRows(f, selected);
        QTEST(f.probe->ui()->editMessageText->toPlainText(), "text");
    }

    // The question names the count; only Yes removes, and only from the database.
    void remove_data()
    {
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("rowsLeft");
        QTest::newRow("one, No") << QList<int>{0} << false << int(QMessageBox::No)
                                 << QStringList{"Question|Remove 1 message?"} << "1;2;3;4" << 3;
        QTest::newRow("one, Yes") << QList<int>{0} << false << int(QMessageBox::Yes)
                                  << QStringList{"Question|Remove 1 message?"} << "1;2;3" << 2;
        QTest::newRow("three by key, Yes") << QList<int>{0, 1, 2} << true << int(QMessageBox::Yes)
                                           << QStringList{"Question|Remove 3 messages?"} << "3" << 0;
        QTest::newRow("none by key") << QList<int>{} << true << int(QMessageBox::Yes) << QStringList{} << "1;2;3;4" << 3;
    }

    void remove()
    {
        QFETCH(QList<int>, selected);
        QFETCH(bool, byKey);
        QFETCH(int, answer);
        WindowFixture f(kMessages);
        showBox(f, false);
        selectRows(f, selected);
        answers << QMessageBox::StandardButton(answer);
        BusRecorder bus;
        if (byKey)
            QTest::keyClick(table(f), Qt::Key_Delete);
        else
            f.window->removeSMS();
        QTEST(prompts, "asked");
        QTEST(queryRows("SELECT ID FROM RECEIVE_MESSAGES ORDER BY ID"), "stored");
        QTEST(table(f)->rowCount(), "rowsLeft");
        QCOMPARE(sentCommands(bus.take()), QStringList());
    }

    void composer_data()
    {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<bool>("outbox");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QString>("form");
        QTest::newRow("new SMS") << "sms" << false << QList<int>{} << "New message||";
        QTest::newRow("forward received") << "forward" << false << QList<int>{0} << "Forward message||> third";
        QTest::newRow("forward two") << "forward" << false << QList<int>{0, 1} << "<none>";
        QTest::newRow("reply") << "reply" << false << QList<int>{1} << "Reply message|+48222|> second";
        QTest::newRow("reply in outbox") << "reply" << true << QList<int>{1} << "<none>";
    }

    // An accepted composer has stored a message: the box is refilled.
    void composer()
    {
        QFETCH(QString, flow);
        QFETCH(bool, outbox);
        QFETCH(QList<int>, selected);
        QFETCH(QString, form);
        WindowFixture f(kMessages);
        showBox(f, outbox);
        selectRows(f, selected);
        const int rowsBefore = table(f)->rowCount();
        QVERIFY(f.database->db.addReceivedMessageNow("+48999", "late", 0, false));
        QVERIFY(f.database->db.addSentMessage("+48999", "late", 0, false));
        CZKMainWindow* w = f.window.get();
        const QMap<QString, std::function<void()>> flows{{"sms", [w] { w->newSMS(); }},
                                                         {"forward", [w] { w->forwardSMS(); }},
                                                         {"reply", [w] { w->replySMS(); }}};
        const ComposerSeen seen = answerComposer(f, flows.value(flow), true);
        const bool opened = form != QLatin1String("<none>");
        QCOMPARE(seen.form, form);
        QCOMPARE(seen.pollingDuring, !opened);   // the periodic read rests while one is open
        QVERIFY(f.probe->smsPollingEnabled());
        QCOMPARE(table(f)->rowCount(), rowsBefore + int(opened));
    }

    // The phone-book composers keep the watchdog quiet while open and give back the state it had.
    void contactComposer_data()
    {
        QTest::addColumn<bool>("shortCode");
        QTest::addColumn<bool>("watchdogPaused");
        QTest::addColumn<QString>("form");
        QTest::newRow("SMS, watchdog probing") << false << false << "New message|+48111|";
        QTest::newRow("short code, watchdog paused") << true << true << "Send short code||+48111";
    }

    void contactComposer()
    {
        QFETCH(bool, shortCode);
        QFETCH(bool, watchdogPaused);
        QFETCH(QString, form);
        WindowFixture f(kMessages);
        // Alice, the only local contact, chosen on the phone-book tab.
        f.probe->ui()->treePhoneBook->setCurrentItem(f.probe->ui()->treePhoneBook->topLevelItem(0));
        f.probe->ui()->tablePBook->selectRow(0);
        f.probe->linkWatchdog().setPaused(watchdogPaused);
        f.probe->smsPollingEnabled() = true;
        const ComposerSeen seen = answerComposer(
            f, [&] { shortCode ? f.window->sendUSSDContact() : f.window->sendToContact(); }, false);
        const bool pausedAfter = f.probe->linkWatchdog().isPaused();
        f.probe->linkWatchdog().setPaused(true);
        QCOMPARE(seen.form, form);
        QVERIFY(seen.watchdogPausedDuring);
        QVERIFY(!seen.pollingDuring);
        QCOMPARE(pausedAfter, watchdogPaused);
        QVERIFY(f.probe->smsPollingEnabled());
    }

    // A message sets the indicator unless the inbox is on view; Inbox clears it on the SMS tab.
    void indicator_data()
    {
        QTest::addColumn<bool>("outbox");
        QTest::addColumn<bool>("otherTab");
        QTest::addColumn<QString>("afterMessage");
        QTest::addColumn<QString>("afterInbox");
        QTest::newRow("inbox on view") << false << false << "empty" << "empty";
        QTest::newRow("outbox on view") << true << false << "new" << "empty";
        QTest::newRow("other tab") << false << true << "new" << "new";
    }

    void indicator()
    {
        QFETCH(bool, outbox);
        QFETCH(bool, otherTab);
        WindowFixture f(kMessages);
        showBox(f, outbox);
        if (otherTab)
            f.probe->ui()->actionSMS->setChecked(false);   // as every other tab's view slot does
        QVERIFY(f.database->db.addReceivedMessageNow("Network", "balance 5", 0, true));
        emit f.window->receiveUSSD();
        QTest::qWait(20);   // the refill gathers the requests of a short time
        QTEST(indicatorShown(f), "afterMessage");
        QCOMPARE(table(f)->item(0, 1)->text(), outbox ? QStringLiteral("sent two") : QStringLiteral("balance 5"));
        f.window->inbox();
        QTEST(indicatorShown(f), "afterInbox");
    }

    // Tool bar actions as "New SMS, New USSD, Remove, Forward, Reply, Inbox, Outbox, Read".
    void actions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<bool>("outbox");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<bool>("tableEnabled");
        QTest::newRow("active, down, one") << int(SimCard) << 0 << false << QList<int>{0} << false << "00100110" << true;
        QTest::newRow("active, up, one") << int(SimCard) << 0 << true << QList<int>{0} << false << "11111111" << true;
        QTest::newRow("active, up, one sent") << int(SimCard) << 0 << true << QList<int>{0} << true << "11110111" << true;
        QTest::newRow("active, up, two") << int(SimCard) << 0 << true << QList<int>{0, 1} << false << "11100111" << true;
        QTest::newRow("inactive, up") << int(SimCard) << 1 << true << QList<int>{0} << false << "00000110" << true;
        QTest::newRow("unit") << int(Device) << 0 << false << QList<int>{} << false << "-" << false;
    }

    void actions()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(bool, linkUp);
        QFETCH(QList<int>, selected);
        QFETCH(bool, outbox);
        QFETCH(QString, enabled);
        QFETCH(bool, tableEnabled);
        WindowFixture f(kMessages);
        const QList<QAction*> actions = f.probe->smsActions();
        if (actions.contains(nullptr) || !f.probe->smsToolbar())
            QSKIP("the SMS tool bar is not built");
        if (linkUp)
            QVERIFY(bringLinkUp(f));
        showBox(f, outbox);
        selectRows(f, selected);
        f.window->setCurrentItem(f.probe->ui()->treeSMS, id, kind);
        f.window->treeSMSSelectionChanged();
        if (enabled != QLatin1String("-")) {
            QString shown;
            for (QAction* action : actions)
                shown += action->isEnabled() ? '1' : '0';
            QCOMPARE(shown, enabled);
        }
        QCOMPARE(table(f)->isEnabled(), tableEnabled);
        QCOMPARE(f.probe->smsToolbar()->isEnabled(), tableEnabled);
    }

    // A message stored while its box is on view goes in as one row at the top, as a refill would
    // show it; the rows already there, and the operator's choice among them, stay as they were.
    // A message of another box or card leaves the table alone.
    void storedMessageJoinsAsOneRow_data()
    {
        QTest::addColumn<bool>("ussd");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<int>("shownCard");
        QTest::addColumn<bool>("outbox");
        QTest::addColumn<QString>("newRow");   // empty: none added
        QTest::newRow("read, from a contact") << false << "+48111" << 0 << false << "Alice|late|2026-03-01 08:00:00";
        QTest::newRow("read, from a number") << false << "+48999" << 0 << false << "+48999|late|2026-03-01 08:00:00";
        QTest::newRow("USSD answer") << true << "Network" << 0 << false << "Network|late|2026-03-01 08:00:00";
        QTest::newRow("read, outbox shown") << false << "+48111" << 0 << true << "";
        QTest::newRow("read, other card shown") << false << "+48111" << 1 << false << "";
    }

    void storedMessageJoinsAsOneRow()
    {
        QFETCH(bool, ussd);
        QFETCH(QString, sender);
        QFETCH(int, shownCard);
        QFETCH(bool, outbox);
        QFETCH(QString, newRow);
        WindowFixture f(kMessages);
        showBox(f, outbox);
        if (shownCard != 0) {
            f.window->setCurrentItem(f.probe->ui()->treeSMS, shownCard, SimCard);
            f.window->inbox();
        }
        const int before = table(f)->rowCount();
        selectRows(f, {0, before - 1});
        QList<QTableWidgetItem*> items;
        for (int r = 0; r < before; ++r)
            items << table(f)->item(r, 0) << table(f)->item(r, 1) << table(f)->item(r, 2);
        const QStringList shownBefore = rows(f);
        const QString textBefore = f.probe->ui()->editMessageText->toPlainText();
        QSignalSpy removed(table(f)->model(), &QAbstractItemModel::rowsRemoved);

        const QDateTime date(QDate(2026, 3, 1), QTime(8, 0));
        if (ussd) {
            QVERIFY(f.database->db.addReceivedMessage(sender, "late", 0, true, date));
            emit f.window->receiveUSSD();
        } else {
            // The read chain's answer, as the interpreter gives it once the message is stored.
            f.deliver(ReplyKey, QStringLiteral("REC_SMS"), QStringLiteral("1"));
            QVERIFY(f.database->db.addReceivedMessage(sender, "late", 0, false, date));
            f.deliver(Receive, QStringLiteral("AT+CMGR=1\r\n"), internalTag());
            f.deliver(ReplyKey, QStringLiteral("RECEIVED_SMS"), QString());
        }
        QTest::qWait(20);   // a gathered refill would have come by now

        const QStringList expected = newRow.isEmpty() ? shownBefore : QStringList{newRow} + shownBefore;
        QCOMPARE(rows(f), expected);
        QCOMPARE(removed.count(), 0);
        const int added = expected.size() - before;
        for (int i = 0; i < items.size(); ++i)
            QVERIFY2(table(f)->item(added + i / 3, i % 3) == items.at(i), qPrintable(QString::number(i)));
        QCOMPARE(f.probe->ui()->editMessageText->toPlainText(), textBefore);
        QCOMPARE(table(f)->selectionModel()->selectedRows().size(), before > 1 ? 2 : 1);

        // The same table as a refill of the box shows.
        shownCard != 0 ? f.window->inbox() : showBox(f, outbox);
        QCOMPARE(rows(f), expected);
    }

    // At the window's own size the message text has the room: the sender's and the date's
    // columns take what their texts need, the text all the rest.
    void columnsAtWindowSize()
    {
        WindowFixture f(kMessages);
        QVERIFY(f.database->db.addReceivedMessageNow("+481234567890123", "from afar", 0, false));
        f.window->resize(660, 470);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        showBox(f, false);
        QCoreApplication::processEvents();
        CZKSMSTableWidget* t = table(f);
        const int has[] = {t->columnWidth(0), t->columnWidth(1), t->columnWidth(2)};
        const QString widths =
            QStringLiteral("%1/%2/%3 of %4").arg(has[0]).arg(has[1]).arg(has[2]).arg(t->viewport()->width());
        QVERIFY2(has[1] > has[0] && has[1] > has[2], qPrintable(widths));
        QVERIFY2(has[0] + has[1] + has[2] == t->viewport()->width(), qPrintable(widths));
        // What the table itself finds the texts and the header need.
        for (int column : {0, 2}) {
            t->resizeColumnToContents(column);
            const QString seen = QStringLiteral("column %1 needs %2: %3").arg(column).arg(t->columnWidth(column));
            QVERIFY2(t->columnWidth(column) <= has[column], qPrintable(seen.arg(widths)));
        }
    }

    // However many ask in one go, the box is refilled once, after the requests.
    void burstMakesOneRefill()
    {
        WindowFixture f(kMessages);
        showBox(f, false);
        QSignalSpy refills(table(f)->model(), &QAbstractItemModel::rowsInserted);
        QVERIFY(f.database->db.addReceivedMessageNow("+48999", "late", 0, false));
        for (int i = 0; i < 50; ++i)
            f.probe->scheduleBoxRefresh();
        QCOMPARE(refills.count(), 0);
        QTRY_COMPARE(refills.count(), 1);
        QTest::qWait(20);
        QCOMPARE(refills.count(), 1);
        QCOMPARE(table(f)->rowCount(), 4);
    }
};

QTEST_MAIN(tst_WindowSmsBox)
#include "tst_windowsmsbox.moc"
