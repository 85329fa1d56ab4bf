#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "compose/CZKAddEditContact.h"
#include "compose/CZKMSISDNSList.h"
#include "compose/CZKNewSMS.h"
#include "db/DbTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QMouseEvent>
#include <QPushButton>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

// The recipient chooser over a loaded database: what it lists and which number each way of
// choosing hands back. Its question is answered by the prompt responder.
class TestRecipientChooser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void listsNamedContactsAndEntries();
    void choosing_data();
    void choosing();
    void vanishedRecordGivesNoNumber();
    void withoutDatabaseOnlyReports();
    void composerTakesTheChosenNumber_data();
    void composerTakesTheChosenNumber();
    void dialogsSpeakPolish();

private:
    static QTreeWidget* tree(CZKMSISDNSList& chooser)
    {
        return chooser.findChild<QTreeWidget*>(QStringLiteral("treeMSISDNS"));
    }
    static QTreeWidgetItem* row(CZKMSISDNSList& chooser, const QString& path);

    std::unique_ptr<LoadedDatabase> data;
    QStringList asked;
    QMessageBox::StandardButton answer = QMessageBox::No;
};

namespace {
const QString question = QStringLiteral("information, Yes/No|Question|MSISDN not selcted, close ?");
}

void TestRecipientChooser::initTestCase()
{
    if (!messageProxy()->isRunning())
        messageProxy()->start();
}

void TestRecipientChooser::init()
{
    // Contacts come in "ORDER" order; the nameless one is counted but not listed.
    data = std::make_unique<LoadedDatabase>(
        QStringLiteral("INSERT INTO MSISDN_SMS VALUES (3, 2, '+48600100200', 'Ann', 'home'), "
                       "(7, 1, '600', NULL, NULL), (5, 0, '700', 'Bob', '');"));
    QVERIFY(data->loaded);
    QVERIFY(data->db.setPhoneBookEntry(4, QStringLiteral("+48700800900"), QStringLiteral("Carol"), false));
    QVERIFY(data->db.setPhoneBookEntry(9, QStringLiteral("112"), QStringLiteral("Emergency"), false));
    ContactRecord nameless;
    nameless.id = 11;
    nameless.msisdn = QStringLiteral("999");
    data->db.phoneBook.append(nameless);

    asked.clear();
    answer = QMessageBox::No;
    CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
        const bool information = call.kind == CZKPrompt::Kind::Information;
        const bool yesNo = call.buttons == (QMessageBox::Yes | QMessageBox::No);
        asked << QStringLiteral("%1|%2|%3").arg(information && yesNo ? "information, Yes/No" : "other", call.title,
                                                call.text);
        return answer;
    });
}

void TestRecipientChooser::cleanup()
{
    CZKPrompt::setResponder({});
    data.reset();
}

// "local" or "sim" for a group row, "local/Ann" for a child.
QTreeWidgetItem* TestRecipientChooser::row(CZKMSISDNSList& chooser, const QString& path)
{
    const QStringList parts = path.split(QLatin1Char('/'));
    QTreeWidgetItem* group = tree(chooser)->topLevelItem(parts.first() == QLatin1String("local") ? 0 : 1);
    if (parts.size() == 1)
        return group;
    for (int i = 0; i < group->childCount(); ++i) {
        if (group->child(i)->text(0) == parts.at(1))
            return group->child(i);
    }
    return nullptr;
}

void TestRecipientChooser::composerTakesTheChosenNumber_data()
{
    QTest::addColumn<QString>("pick"); // empty: Cancel
    QTest::addColumn<QString>("field");
    QTest::newRow("SIM entry") << "sim/Carol" << "+48700800900";
    QTest::newRow("cancelled") << "" << "typed";
}

// The composer opens the chooser from its "Send to" button and its empty recipient field; a
// choice lands in the field, a cancelled chooser leaves what was there.
void TestRecipientChooser::composerTakesTheChosenNumber()
{
    QFETCH(QString, pick);
    QFETCH(QString, field);
    CZKNewSMS composer;
    auto* recipient = composer.findChild<QLineEdit*>(QStringLiteral("editMSISDN"));
    recipient->setText(QStringLiteral("typed"));
    bool chooserSeen = false;
    QTimer::singleShot(0, this, [&] {
        auto* chooser = qobject_cast<CZKMSISDNSList*>(QApplication::activeModalWidget());
        if (!chooser)
            return;
        chooserSeen = true;
        if (pick.isEmpty()) {
            chooser->findChild<QPushButton*>(QStringLiteral("pbCancel"))->click();
            return;
        }
        tree(*chooser)->setCurrentItem(row(*chooser, pick));
        chooser->findChild<QPushButton*>(QStringLiteral("pbSelect"))->click();
    });
    composer.msisdns();
    QVERIFY(chooserSeen);
    QCOMPARE(recipient->text(), field);
}

void TestRecipientChooser::listsNamedContactsAndEntries()
{
    CZKMSISDNSList chooser;
    QTreeWidget* view = tree(chooser);
    QCOMPARE(view->topLevelItemCount(), 2);

    const QList<QPair<QString, QStringList>> expected{
        {"Local(3)", {"Bob|700|5", "Ann|+48600100200|3"}},
        {"SIM/USIM(3)", {"Carol|+48700800900|4", "Emergency|112|9"}}};
    for (int g = 0; g < expected.size(); ++g) {
        QTreeWidgetItem* group = view->topLevelItem(g);
        QCOMPARE(group->text(0), expected.at(g).first);
        QCOMPARE(group->data(0, Qt::UserRole).toInt(), g);
        QVERIFY(!group->icon(0).pixmap(32).isNull());
        QVERIFY(group->isExpanded());
        QStringList children;
        for (int i = 0; i < group->childCount(); ++i) {
            const QTreeWidgetItem* child = group->child(i);
            children << QStringLiteral("%1|%2|%3").arg(child->text(0), child->text(1),
                                                      child->data(0, Qt::UserRole).toString());
        }
        QCOMPARE(children, expected.at(g).second);
    }
    QCOMPARE(view->currentItem(), view->topLevelItem(0));
}

void TestRecipientChooser::choosing_data()
{
    QTest::addColumn<QString>("pick");     // row to select first; empty leaves the tree as opened
    QTest::addColumn<bool>("doubleClick"); // on the picked row, else the Select button
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("wasAsked");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("number");

    const int open = -5, yes = QMessageBox::Yes, no = QMessageBox::No;
    const int accepted = QDialog::Accepted;
    QTest::newRow("untouched, Yes") << "" << false << yes << true << accepted << "";
    QTest::newRow("untouched, No") << "" << false << no << true << open << "";
    QTest::newRow("nothing selected, Yes") << "none" << false << yes << true << accepted << "";
    QTest::newRow("SIM group, Yes") << "sim" << false << yes << true << accepted << "";
    QTest::newRow("SIM group, No") << "sim" << false << no << true << open << "";
    QTest::newRow("local contact") << "local/Ann" << false << no << false << accepted << "+48600100200";
    QTest::newRow("SIM entry") << "sim/Emergency" << false << no << false << accepted << "112";
    QTest::newRow("double click, contact") << "local/Bob" << true << no << false << accepted << "700";
    QTest::newRow("double click, SIM entry") << "sim/Carol" << true << no << false << accepted << "+48700800900";
    QTest::newRow("double click, group") << "local" << true << no << true << open << "";
}

void TestRecipientChooser::choosing()
{
    QFETCH(QString, pick);
    QFETCH(bool, doubleClick);
    QFETCH(int, answer);
    QFETCH(bool, wasAsked);
    QFETCH(int, result);
    QFETCH(QString, number);

    this->answer = QMessageBox::StandardButton(answer);
    CZKMSISDNSList chooser;
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    chooser.setResult(-5);
    QTreeWidget* view = tree(chooser);
    if (pick == QLatin1String("none"))
        view->clearSelection();
    if (doubleClick) {
        QTreeWidgetItem* item = row(chooser, pick);
        QVERIFY(item);
        // As a mouse does it: a click, then the second press arrives as a double click.
        const QPoint at = view->visualItemRect(item).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &second);
    } else {
        if (!pick.isEmpty() && pick != QLatin1String("none")) {
            QVERIFY(row(chooser, pick));
            view->setCurrentItem(row(chooser, pick));
        }
        QTest::mouseClick(chooser.findChild<QPushButton*>(QStringLiteral("pbSelect")), Qt::LeftButton);
    }

    QCOMPARE(asked, wasAsked ? QStringList{question} : QStringList{});
    QCOMPARE(chooser.result(), result);
    QCOMPARE(chooser.msisdn, number);
}

void TestRecipientChooser::vanishedRecordGivesNoNumber()
{
    CZKMSISDNSList chooser;
    tree(chooser)->setCurrentItem(row(chooser, QStringLiteral("local/Ann")));
    QVERIFY(data->db.removeContact(3));
    chooser.select();
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QCOMPARE(chooser.msisdn, QString());
    QVERIFY(asked.isEmpty());
}

void TestRecipientChooser::withoutDatabaseOnlyReports()
{
    data.reset();
    BusRecorder bus;
    CZKMSISDNSList chooser;
    QCOMPARE(tree(chooser)->topLevelItemCount(), 0);
    chooser.setResult(-5);
    QTest::mouseClick(chooser.findChild<QPushButton*>(QStringLiteral("pbSelect")), Qt::LeftButton);
    QCOMPARE(chooser.result(), -5);
    QCOMPARE(bus.take(), (QStringList{"1|createTree() Internal ERROR 1|", "1|select() Internal ERROR 1|"}));
    QVERIFY(asked.isEmpty());

    QTest::mouseClick(chooser.findChild<QPushButton*>(QStringLiteral("pbCancel")), Qt::LeftButton);
    QCOMPARE(chooser.result(), int(QDialog::Rejected));
}

void TestRecipientChooser::dialogsSpeakPolish()
{
    QTranslator polish;
    QVERIFY(polish.load(QStringLiteral("dudedoriv_pl.qm"), qEnvironmentVariable("DUDEDORIV_BINARY_DIR")));
    QCoreApplication::installTranslator(&polish);
    CZKMSISDNSList chooser;
    CZKAddEditContact editor(true);
    QCoreApplication::removeTranslator(&polish);

    QCOMPARE(chooser.windowTitle(), QStringLiteral("Lista numerów MSISDN"));
    QCOMPARE(tree(chooser)->topLevelItem(0)->text(0), QStringLiteral("Lokalne(3)"));
    QCOMPARE(chooser.findChild<QPushButton*>(QStringLiteral("pbSelect"))->text(), QStringLiteral("Wybierz"));
    QCOMPARE(editor.windowTitle(), QStringLiteral("Edycja kontaktu"));
    QCOMPARE(editor.findChild<QPushButton*>(QStringLiteral("pbCancel"))->text(), QStringLiteral("Anuluj"));
}

QTEST_MAIN(TestRecipientChooser)
#include "tst_recipientchooser.moc"
