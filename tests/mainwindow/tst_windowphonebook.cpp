#include "WindowTestSupport.h"

#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "compose/CZKAddEditContact.h"
#include "link/CZKCommandInterpreter.h"

#include "ui_CZKMainWindow.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Local contacts: a number, a short code and a code without its closing "#".
const char* const kContacts = "INSERT INTO MSISDN_SMS VALUES (7, 1, '+48600', 'Ann', 'home'), "
                              "(9, 2, '*100#', 'Balance', ''), (11, 3, '*100', 'NoHash', '');";

void fillSim(const QVector<int>& positions)
{
    for (int pos : positions)
        database()->setPhoneBookEntry(pos, QStringLiteral("60%1").arg(pos), QStringLiteral("S%1").arg(pos), false);
}

QTreeWidget* tree(WindowFixture& f) { return f.probe->ui()->treePhoneBook; }
QTableWidget* table(WindowFixture& f) { return f.probe->ui()->tablePBook; }

void selectGroup(WindowFixture& f, int group) { tree(f)->setCurrentItem(tree(f)->topLevelItem(group)); }

int rowOf(WindowFixture& f, int id)
{
    for (int row = 0; row < table(f)->rowCount(); ++row) {
        if (table(f)->item(row, 0)->data(Qt::UserRole).toInt() == id)
            return row;
    }
    return -1;
}

void selectIds(WindowFixture& f, const QList<int>& ids)
{
    table(f)->clearSelection();
    for (int id : ids) {
        const QModelIndex index = table(f)->model()->index(rowOf(f, id), 0);
        table(f)->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

// "id:name|number" per row, in table order.
QStringList rows(WindowFixture& f)
{
    QStringList result;
    for (int row = 0; row < table(f)->rowCount(); ++row) {
        QStringList texts;
        for (int column = 0; column < table(f)->columnCount(); ++column)
            texts << table(f)->item(row, column)->text();
        result << QStringLiteral("%1:%2").arg(table(f)->item(row, 0)->data(Qt::UserRole).toInt()).arg(texts.join('|'));
    }
    return result;
}

// The phone-book commands among what was posted.
QStringList bookCommands(BusRecorder& bus)
{
    return sentCommands(bus.take()).filter(QRegularExpression(QStringLiteral("^AT\\+CPB[RW]")));
}

// The fake unit's SIM phone book, as rows() shows it: "position:name|number".
QStringList simBook(const FakeUnit& unit)
{
    QStringList entries;
    for (auto e = unit.simPhoneBook.cbegin(); e != unit.simPhoneBook.cend(); ++e)
        entries << QStringLiteral("%1:%2|%3").arg(e.key()).arg(e->name, e->number);
    return entries;
}

// Answers the contact editor once it is up: records "title|name|number|description|description
// enabled", then types the name and number and presses OK, or presses Cancel for a null name.
struct EditorAnswer {
    QString seen;
    QTimer poll;

    EditorAnswer(const QString& name, const QString& number)
    {
        poll.setInterval(0);
        QObject::connect(&poll, &QTimer::timeout, [this, name, number] {
            auto* editor = qobject_cast<CZKAddEditContact*>(QApplication::activeModalWidget());
            if (!editor)
                return;
            poll.stop();
            auto* nameEdit = editor->findChild<QLineEdit*>("leContactName");
            auto* numberEdit = editor->findChild<QLineEdit*>("leContactMSISDN");
            auto* description = editor->findChild<QTextEdit*>("teContactDesc");
            seen = QStringList{editor->windowTitle(), nameEdit->text(), numberEdit->text(), description->toPlainText(),
                               description->isEnabled() ? "on" : "off"}
                       .join('|');
            if (name.isNull())
                return editor->cancel();
            nameEdit->setText(name);
            numberEdit->setText(number);
            editor->ok();
        });
        poll.start();
    }
};

} // namespace

// The Phonebook tab: the two groups, their tables, the contacts tool bar and the editing flows.
class tst_WindowPhoneBook : public QObject {
    Q_OBJECT

    QStringList prompts;
    QMessageBox::StandardButton answer = QMessageBox::Yes;

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            prompts.append(call.title + '|' + call.text);
            return answer;
        });
    }

    void init()
    {
        prompts.clear();
        answer = QMessageBox::Yes;
        MainWindowProbe::resetRunState();
    }

    void rootLabels_data()
    {
        QTest::addColumn<QString>("capacity");   // PHONE_BOOK_MAX, or empty for none
        QTest::addColumn<QVector<int>>("entries");
        QTest::addColumn<QString>("label");
        QTest::newRow("no entries") << "250" << QVector<int>{} << "SIM/USIM";
        QTest::newRow("no size yet") << "" << QVector<int>{1, 5, 9} << "SIM/USIM(3)";
        QTest::newRow("size known") << "250" << QVector<int>{1, 5, 9} << "SIM/USIM(3,250)";
    }

    void rootLabels()
    {
        QFETCH(QString, capacity);
        QFETCH(QVector<int>, entries);
        WindowFixture fixture(kContacts);
        BusRecorder bus;
        QCOMPARE(tree(fixture)->topLevelItem(0)->text(0), QStringLiteral("Local(3)"));
        if (!capacity.isEmpty())
            fixture.deliver(ReplyKey, QStringLiteral("PHONE_BOOK_MAX"), capacity);
        fillSim(entries);
        fixture.deliver(ReplyKey, QStringLiteral("NEW_PB_ITEM"));
        QTEST(tree(fixture)->topLevelItem(1)->text(0), "label");
        // A card of no positions is not read.
        fixture.deliver(ReplyKey, QStringLiteral("PHONE_BOOK_MAX"), QStringLiteral("0"));
        const QStringList reads = capacity.isEmpty() ? QStringList{} : QStringList{"AT+CPBR=1,250 [INTERNAL]"};
        QCOMPARE(bookCommands(bus), reads);
    }

    void simTableFollowsTheReads()
    {
        WindowFixture fixture(kContacts);
        QCOMPARE(rows(fixture), (QStringList{"7:Ann|+48600|home", "9:Balance|*100#|", "11:NoHash|*100|"}));
        selectGroup(fixture, 1);
        // Read out of order, with twins kept by position, then read again as a second connection
        // (or the terminal) would: nothing is listed twice.
        CZKCommandInterpreter interpreter;
        const QString reply = "AT+CPBR=1,250\r\n+CPBR: 5,\"605\",129,\"Eve\"\r\n+CPBR: 1,\"+48601\",145,\"Al\"\r\n"
                              "+CPBR: 3,\"603\",129,\"Cy\"\r\n+CPBR: 7,\"605\",129,\"Eve\"\r\n\r\nOK\r\n";
        for (int read = 0; read < 2; ++read) {
            interpreter.interpret(reply);
            QTRY_COMPARE(rows(fixture), (QStringList{"1:Al|+48601", "3:Cy|603", "5:Eve|605", "7:Eve|605"}));
        }
        QCOMPARE(database()->phoneBook.size(), 4);
        selectIds(fixture, {3});
        QCOMPARE(fixture.probe->ui()->editPhoneDetails->toPlainText(), QStringLiteral("Name : Cy\nMSISDN : 603"));
        selectIds(fixture, {1, 5});
        QCOMPARE(fixture.probe->ui()->editPhoneDetails->toPlainText(), QStringLiteral("No contact has been selected"));
        selectGroup(fixture, 0);
        selectIds(fixture, {7});
        QCOMPARE(fixture.probe->ui()->editPhoneDetails->toPlainText(),
                 QStringLiteral("Name : Ann\nMSISDN : +48600\nDescription: home"));
    }

    void toolbarStates_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("states");   // new, edit, remove, send, short code
        QTest::newRow("sim, link down") << 1 << false << QList<int>{1} << "-----";
        QTest::newRow("local, link down, one") << 0 << false << QList<int>{7} << "+++--";
        QTest::newRow("local, number") << 0 << true << QList<int>{7} << "++++-";
        QTest::newRow("local, short code") << 0 << true << QList<int>{9} << "+++-+";
        QTest::newRow("local, no closing #") << 0 << true << QList<int>{11} << "++++-";
        QTest::newRow("sim, one") << 1 << true << QList<int>{2} << "++++-";
        QTest::newRow("sim, two") << 1 << true << QList<int>{1, 2} << "+-+--";
    }

    void toolbarStates()
    {
        QFETCH(int, group);
        QFETCH(bool, linkUp);
        QFETCH(QList<int>, ids);
        WindowFixture fixture(kContacts);
        if (linkUp)
            QVERIFY(bringLinkUp(fixture));
        fillSim({1, 2});
        selectGroup(fixture, group);
        selectIds(fixture, ids);
        const auto* bar = fixture.window->findChild<QToolBar*>("contactsToolbar");
        QVERIFY(bar);
        QString seen;
        for (const QAction* action : bar->actions()) {
            if (!action->isSeparator())
                seen += action->isEnabled() ? '+' : '-';
        }
        QTEST(seen, "states");
    }

    void editSelectedEntry_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("name");   // typed into the editor; null: cancelled
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("boxes");
        const QString simEditor = "Edit contact|Twin|600||off";
        const QStringList twins{"3:Twin|600", "7:Twin|600"};
        // The first of the twins: a search by number and name would find the last. One write
        // over it, no erase first.
        QTest::newRow("sim twin") << 1 << "Bob" << "700" << simEditor
                                  << QStringList{"AT+CPBW=3,\"700\",129,\"Bob\" [INTERNAL]"}
                                  << QStringList{"3:Bob|700", "7:Twin|600"} << QStringList{};
        const QString refused = "Warning|A name or number of the SIM phone book cannot hold a double quote, a line "
                                "break or Ctrl-Z.";
        QTest::newRow("sim quote") << 1 << "B\"ob" << "700" << simEditor << QStringList{} << twins
                                   << QStringList{refused};
        QTest::newRow("local") << 0 << "Anna" << "+48601" << "Edit contact|Ann|+48600|home|on" << QStringList{}
                               << QStringList{"7:Anna|+48601|home", "9:Balance|*100#|", "11:NoHash|*100|",
                                              "12:Late|1|"}
                               << QStringList{};
        QTest::newRow("local cancelled") << 0 << QString() << QString() << "Edit contact|Ann|+48600|home|on"
                                         << QStringList{} << QStringList{} << QStringList{};
    }

    void editSelectedEntry()
    {
        QFETCH(int, group);
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(QStringList, shown);
        WindowFixture fixture(kContacts);
        if (group == 1)
            QVERIFY(bringLinkUp(fixture));
        prompts.clear();   // what the first connection asked
        database()->setPhoneBookEntry(3, "600", "Twin", false);
        database()->setPhoneBookEntry(7, "600", "Twin", false);
        selectGroup(fixture, group);
        // A contact added behind the window's back: the Local label catches up after any edit.
        QVERIFY(database()->addContact("1", "Late", ""));
        BusRecorder bus;
        bus.take();
        const int id = group == 0 ? 7 : 3;
        selectIds(fixture, {id});
        EditorAnswer answerer(name, number);
        fixture.window->itemDoubleClickedPBook(table(fixture)->item(rowOf(fixture, id), 0));
        QTEST(answerer.seen, "editor");
        QTEST(bookCommands(bus), "sent");
        if (!shown.isEmpty())
            QCOMPARE(rows(fixture), shown);
        QTEST(prompts, "boxes");
        if (group == 0)
            QCOMPARE(tree(fixture)->topLevelItem(0)->text(0), QStringLiteral("Local(4)"));
    }

    void newEntry_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("capacity");
        QTest::addColumn<QVector<int>>("book");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("editor");   // empty: never opened
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("boxes");
        const QString simEditor = "New contact||||off";
        const QString full = "Warning|The SIM phone book is full.";
        const QString refused = "Warning|A name or number of the SIM phone book cannot hold a double quote, a line "
                                "break or Ctrl-Z.";
        const auto write = [](int pos) {
            return QStringList{QStringLiteral("AT+CPBW=%1,\"+4870\",145,\"Zed\" [INTERNAL]").arg(pos)};
        };
        QTest::newRow("gap") << 1 << "250" << QVector<int>{1, 2, 4} << "Zed" << "+4870" << simEditor << write(3)
                             << QStringList{};
        QTest::newRow("past the end") << 1 << "4" << QVector<int>{2, 3, 4} << "Zed" << "+4870" << simEditor << write(1)
                                      << QStringList{};
        QTest::newRow("full") << 1 << "2" << QVector<int>{1, 2} << "Zed" << "+4870" << "" << QStringList{}
                              << QStringList{full};
        QTest::newRow("no positions") << 1 << "0" << QVector<int>{} << "Zed" << "+4870" << "" << QStringList{}
                                      << QStringList{full};
        QTest::newRow("line break") << 1 << "250" << QVector<int>{} << "Z\ned" << "+4870" << simEditor << QStringList{}
                                    << QStringList{refused};
        QTest::newRow("local") << 0 << "250" << QVector<int>{} << "Zed" << "+4870" << "New contact||||on"
                               << QStringList{} << QStringList{};
    }

    void newEntry()
    {
        QFETCH(int, group);
        QFETCH(QString, capacity);
        QFETCH(QVector<int>, book);
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(QStringList, sent);
        WindowFixture fixture(kContacts);
        BusRecorder bus;
        fixture.deliver(ReplyKey, QStringLiteral("PHONE_BOOK_MAX"), capacity);
        fillSim(book);
        selectGroup(fixture, group);
        bus.take();
        EditorAnswer answerer(name, number);
        fixture.window->newContact();
        QTEST(answerer.seen, "editor");
        QCOMPARE(bookCommands(bus), sent);
        QTEST(prompts, "boxes");
        const bool stored = group == 0 || !sent.isEmpty();
        QCOMPARE(rows(fixture).filter("Zed|+4870").size(), int(stored));
        if (group == 0)
            QCOMPARE(tree(fixture)->topLevelItem(0)->text(0), QStringLiteral("Local(4)"));
        else if (stored)
            QCOMPARE(tree(fixture)->topLevelItem(1)->text(0),
                     QStringLiteral("SIM/USIM(%1,%2)").arg(book.size() + 1).arg(capacity));
    }

    void removal_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("local, No") << 0 << QList<int>{7, 11} << false << "Remove 2 contacts?" << QStringList{}
                                   << QStringList{"7:Ann|+48600|home", "9:Balance|*100#|", "11:NoHash|*100|"};
        QTest::newRow("local, one") << 0 << QList<int>{9} << true << "Remove 1 contact?" << QStringList{}
                                    << QStringList{"7:Ann|+48600|home", "11:NoHash|*100|"};
        QTest::newRow("sim, two") << 1 << QList<int>{1, 4} << true << "Remove 2 contacts?"
                                  << QStringList{"AT+CPBW=1 [INTERNAL]", "AT+CPBW=4 [INTERNAL]"}
                                  << QStringList{"2:S2|602"};
        // No question: with the link down the SIM's entries cannot change.
        QTest::newRow("sim, link down") << 1 << QList<int>{1} << true << QString() << QStringList{}
                                        << QStringList{"1:S1|601", "2:S2|602", "4:S4|604"};
    }

    void removal()
    {
        QFETCH(int, group);
        QFETCH(QList<int>, ids);
        QFETCH(bool, yes);
        QFETCH(QString, question);
        WindowFixture fixture(kContacts);
        if (group == 1 && !question.isEmpty())
            QVERIFY(bringLinkUp(fixture));
        prompts.clear();   // what the first connection asked
        fillSim({1, 2, 4});
        selectGroup(fixture, group);
        selectIds(fixture, ids);
        answer = yes ? QMessageBox::Yes : QMessageBox::No;
        BusRecorder bus;
        bus.take();
        fixture.window->removeContact();
        QCOMPARE(prompts, question.isEmpty() ? QStringList() : QStringList{"Question|" + question});
        QTEST(bookCommands(bus), "sent");
        QTEST(rows(fixture), "shown");
        QCOMPARE(tree(fixture)->topLevelItem(0)->text(0), QStringLiteral("Local(%1)").arg(database()->contacts.size()));
    }

    // Through the link and the fake unit: a write or erase that the SIM refuses leaves it as it
    // was, the operator is told which entry, and the list is read back from the SIM. The fake
    // refuses a name over 18 characters, or every change while its store refuses.
    void changeRefusedBySim_data()
    {
        QTest::addColumn<QString>("change");   // edit, add, remove (the entry at `id`), or typed in the terminal
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("emptyBook");
        QTest::addColumn<bool>("storeRefuses");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("sent");   // the phone-book writes and erases
        QTest::addColumn<QStringList>("sim");    // what the SIM holds after
        QTest::addColumn<QStringList>("boxes");
        const QString tooLong = "Anna Maria Kowalska-Nowak";
        const QStringList asStarted{"1:Anna|+48600100200", "2:Smith, John|600100300"};
        const auto saveRefused = [](const QString& name) {
            return "Warning|The SIM refused to save the phone-book entry \"" + name + "\".";
        };
        QTest::newRow("edit, name too long")
            << "edit" << 1 << false << false << tooLong << "+48600100200"
            << QStringList{"AT+CPBW=1,\"+48600100200\",145,\"" + tooLong + "\" [INTERNAL]"} << asStarted
            << QStringList{saveRefused(tooLong)};
        QTest::newRow("add, store refusing")
            << "add" << 0 << false << true << "Zed" << "+4870"
            << QStringList{"AT+CPBW=3,\"+4870\",145,\"Zed\" [INTERNAL]"} << asStarted << QStringList{saveRefused("Zed")};
        QTest::newRow("add to an empty book, name too long")
            << "add" << 0 << true << false << tooLong << "+4870"
            << QStringList{"AT+CPBW=1,\"+4870\",145,\"" + tooLong + "\" [INTERNAL]"} << QStringList{}
            << QStringList{saveRefused(tooLong)};
        QTest::newRow("remove, store refusing")
            << "remove" << 2 << false << true << QString() << QString() << QStringList{"AT+CPBW=2 [INTERNAL]"}
            << asStarted
            << QStringList{"Question|Remove 1 contact?",
                           "Warning|The SIM refused to remove the phone-book entry \"Smith, John\"."};
        // Taken: one write over the entry, and no box.
        QTest::newRow("edit taken")
            << "edit" << 2 << false << false << "Jan" << "600100301"
            << QStringList{"AT+CPBW=2,\"600100301\",129,\"Jan\" [INTERNAL]"}
            << QStringList{"1:Anna|+48600100200", "2:Jan|600100301"} << QStringList{};
        // The operator sees the unit's answer in the terminal.
        QTest::newRow("typed in the terminal")
            << "terminal" << 1 << false << false << tooLong << "600"
            << QStringList{"AT+CPBW=1,\"600\",129,\"" + tooLong + "\""} << asStarted << QStringList{};
    }

    void changeRefusedBySim()
    {
        QFETCH(QString, change);
        QFETCH(int, id);
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(QStringList, sent);
        QFETCH(QStringList, sim);
        WindowFixture f(kContacts);
        f.probe->smsPollingEnabled() = false;
        QFETCH(bool, emptyBook);
        if (emptyBook)
            f.unit.resetPhoneBook(true);
        f.unit.silent = false;
        // Connected as after a restart, the unit is not read again: no PIN dialogue whose
        // "+CPIN: READY" would start a read of the book behind the change and bring back what
        // the SIM held before it. The only read is this test's own.
        MainWindowProbe::setReconnectAfterRestart();
        QVERIFY(bringLinkUp(f));
        selectGroup(f, 1);
        f.window->refreshSIMPhoneBook();
        QTRY_VERIFY(!f.probe->phoneBookReading());
        QTRY_COMPARE(rows(f), simBook(f.unit));
        prompts.clear();
        QFETCH(bool, storeRefuses);
        f.unit.phoneBookRefused = storeRefuses;
        BusRecorder bus;
        bus.take();

        EditorAnswer answerer(name, number);
        if (change == QLatin1String("edit")) {
            selectIds(f, {id});
            f.window->editContact();
        } else if (change == QLatin1String("add")) {
            f.window->newContact();
        } else if (change == QLatin1String("remove")) {
            selectIds(f, {id});
            f.window->removeContact();
        } else {
            IMessageSender terminal;
            terminal.sendMessage(Send, QStringLiteral("AT+CPBW=%1,\"%2\",129,\"%3\"").arg(id).arg(number, name),
                                 QString());
        }
        // The unit's answer has come back.
        QStringList seen;
        QTRY_VERIFY(!(seen += bus.take()).filter(QRegularExpression(QStringLiteral("^5\\|AT\\+CPBW="))).isEmpty());
        QCOMPARE(simBook(f.unit), sim);
        QTRY_COMPARE(rows(f), sim);
        QFETCH(QStringList, boxes);
        QTRY_COMPARE(prompts, boxes);
        QCOMPARE(sentCommands(seen + bus.take()).filter(QRegularExpression(QStringLiteral("^AT\\+CPBW="))), sent);
    }

    void contextMenu_data()
    {
        QTest::addColumn<int>("clicked");   // the id of the row clicked; -1 below the last row
        QTest::addColumn<QString>("entries");
        QTest::newRow("short code") << 9 << "Send to contact-,Send short code+";
        QTest::newRow("below the rows") << -1 << "<none>";
    }

    void contextMenu()
    {
        QFETCH(int, clicked);
        WindowFixture fixture(kContacts);
        fixture.window->show();
        fixture.probe->ui()->tabWidget->setCurrentWidget(fixture.probe->ui()->tabPhonebook);
        QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
        QVERIFY(bringLinkUp(fixture));
        QVERIFY(!QApplication::activeModalWidget());
        selectIds(fixture, {7, 11});
        const auto rectOf = [&](int row) { return table(fixture)->visualItemRect(table(fixture)->item(row, 0)); };
        const QRect last = rectOf(table(fixture)->rowCount() - 1);
        const QPoint at =
            clicked < 0 ? QPoint(last.center().x(), last.bottom() + 4) : rectOf(rowOf(fixture, clicked)).center();

        QTEST(popupEntries([&] { fixture.window->tablePBookCtxMenu(at); }), "entries");
        // The row clicked becomes the only selection; a click below the rows leaves it alone.
        QList<int> selected;
        for (const QModelIndex& index : table(fixture)->selectionModel()->selectedRows(0))
            selected << index.data(Qt::UserRole).toInt();
        std::sort(selected.begin(), selected.end());
        QCOMPARE(selected, (clicked < 0 ? QList<int>{7, 11} : QList<int>{clicked}));
    }
};

QTEST_MAIN(tst_WindowPhoneBook)
#include "tst_windowphonebook.moc"
