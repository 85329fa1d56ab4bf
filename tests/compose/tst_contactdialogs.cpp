#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "compose/CZKAddEditContact.h"
#include "compose/CZKMSISDNSList.h"
#include "compose/CZKNewSMS.h"
#include "db/DbTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

namespace {
QTreeWidget* tree(CZKMSISDNSList& chooser)
{
    return chooser.findChild<QTreeWidget*>(QStringLiteral("treeMSISDNS"));
}

// "local" or "sim" for a group row, "local/Ann" for a child.
QTreeWidgetItem* row(CZKMSISDNSList& chooser, const QString& path)
{
    QTreeWidgetItem* group = tree(chooser)->topLevelItem(path.startsWith(QLatin1String("local")) ? 0 : 1);
    const QString name = path.section(QLatin1Char('/'), 1);
    for (int i = 0; !name.isEmpty() && i < group->childCount(); ++i) {
        if (group->child(i)->text(0) == name)
            return group->child(i);
    }
    return name.isEmpty() ? group : nullptr;
}

void click(QWidget& dialog, const char* button)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QLatin1String(button)), Qt::LeftButton);
}

// An editor holding an old contact, with `name` and `number` typed over it.
void fill(CZKAddEditContact& editor, const QString& name, const QString& number)
{
    editor.setName(QStringLiteral("old name"));
    editor.setMSISDN(QStringLiteral("old number"));
    editor.setDescription(QStringLiteral("old description"));
    editor.setResult(-5);
    editor.findChild<QLineEdit*>("leContactName")->setText(name);
    editor.findChild<QLineEdit*>("leContactMSISDN")->setText(number);
}

const QString notSelected = QStringLiteral("information, Yes/No|Question|MSISDN not selcted, close ?");
const QString emptyContact = QStringLiteral("critical, Yes/No|Error|NAME or MSISDN is empty, close window ?");
} // namespace

// The recipient chooser over a loaded database (what it lists, which number each way of choosing
// hands back) and the contact editor; their questions are answered by the prompt responder.
class TestContactDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<LoadedDatabase> data;
    QStringList asked;
    QMessageBox::StandardButton answer = QMessageBox::No;

private slots:
    void initTestCase()
    {
        if (!messageProxy()->isRunning())
            messageProxy()->start();
    }

    void init()
    {
        // Contacts come in "ORDER" order; nameless ones are counted but not listed.
        data = std::make_unique<LoadedDatabase>(
            QStringLiteral("INSERT INTO MSISDN_SMS VALUES (3, 2, '+48600100200', 'Ann', 'home'), "
                           "(7, 1, '600', NULL, NULL), (5, 0, '700', 'Bob', '');"));
        QVERIFY(data->loaded);
        QVERIFY(data->db.setPhoneBookEntry(4, QStringLiteral("+48700800900"), QStringLiteral("Carol"), false));
        QVERIFY(data->db.setPhoneBookEntry(9, QStringLiteral("112"), QStringLiteral("Emergency"), false));
        asked.clear();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            const char* kinds[] = {"information", "warning", "critical", "question"};
            const bool yesNo = call.buttons == (QMessageBox::Yes | QMessageBox::No);
            asked << kinds[int(call.kind)] + QString(yesNo ? ", Yes/No|" : "|") + call.title + '|' + call.text;
            return answer;
        });
    }

    void cleanup()
    {
        CZKPrompt::setResponder({});
        data.reset();
    }

    void chooserListsNamedContactsAndEntries()
    {
        CZKMSISDNSList chooser;
        QTreeWidget* view = tree(chooser);
        QStringList shown;
        for (int g = 0; g < view->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = view->topLevelItem(g);
            QVERIFY(group->isExpanded());
            shown << group->text(0);
            for (int i = 0; i < group->childCount(); ++i)
                shown << group->child(i)->text(0) + '|' + group->child(i)->text(1);
        }
        QCOMPARE(shown, (QStringList{"Local(3)", "Bob|700", "Ann|+48600100200", "SIM/USIM(2)", "Carol|+48700800900",
                                     "Emergency|112"}));
        QCOMPARE(view->currentItem(), view->topLevelItem(0));
    }

    void choosing_data()
    {
        QTest::addColumn<QString>("pick");     // empty leaves the tree as opened
        QTest::addColumn<bool>("doubleClick"); // on the picked row, else the Select button
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("wasAsked");
        QTest::addColumn<int>("result"); // -5: still open
        QTest::addColumn<QString>("number");

        const int yes = QMessageBox::Yes, no = QMessageBox::No, accepted = QDialog::Accepted;
        QTest::newRow("untouched, No") << "" << false << no << true << -5 << "";
        QTest::newRow("SIM group, Yes") << "sim" << false << yes << true << accepted << "";
        QTest::newRow("local contact") << "local/Ann" << false << no << false << accepted << "+48600100200";
        QTest::newRow("SIM entry") << "sim/Emergency" << false << no << false << accepted << "112";
        QTest::newRow("double click, SIM entry") << "sim/Carol" << true << no << false << accepted << "+48700800900";
        QTest::newRow("double click, group") << "local" << true << no << true << -5 << "";
    }

    void choosing()
    {
        QFETCH(QString, pick);
        QFETCH(bool, doubleClick);
        QFETCH(int, answer);
        QFETCH(bool, wasAsked);
        this->answer = QMessageBox::StandardButton(answer);
        CZKMSISDNSList chooser;
        chooser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chooser));
        chooser.setResult(-5);
        QTreeWidget* view = tree(chooser);
        QVERIFY(pick.isEmpty() || row(chooser, pick));
        if (doubleClick) {
            // As a mouse does it: a click, then the second press arrives as a double click.
            const QPoint at = view->visualItemRect(row(chooser, pick)).center();
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
            QMouseEvent second(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(view->viewport(), &second);
        } else {
            if (!pick.isEmpty())
                view->setCurrentItem(row(chooser, pick));
            click(chooser, "pbSelect");
        }
        QCOMPARE(asked, wasAsked ? QStringList(notSelected) : QStringList());
        QTEST(chooser.result(), "result");
        QTEST(chooser.msisdn, "number");
    }

    void chooserVanishedRecordGivesNoNumber()
    {
        CZKMSISDNSList chooser;
        tree(chooser)->setCurrentItem(row(chooser, QStringLiteral("local/Ann")));
        QVERIFY(data->db.removeContact(3));
        chooser.select();
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
        QCOMPARE(chooser.msisdn, QString());
    }

    void chooserWithoutDatabaseOnlyReports()
    {
        data.reset();
        BusRecorder bus;
        bus.take();   // what closing the database posted may still be on its way
        CZKMSISDNSList chooser;
        QCOMPARE(tree(chooser)->topLevelItemCount(), 0);
        chooser.setResult(-5);
        click(chooser, "pbSelect");
        QCOMPARE(chooser.result(), -5);
        QCOMPARE(bus.take(), (QStringList{"1|createTree() Internal ERROR 1|", "1|select() Internal ERROR 1|"}));
        QVERIFY(asked.isEmpty());
        click(chooser, "pbCancel");
        QCOMPARE(chooser.result(), int(QDialog::Rejected));
    }

    // The composer opens the chooser from its "Send to" button and its empty recipient field; a
    // choice lands in the field, a cancelled chooser leaves what was there.
    void composerTakesTheChosenNumber_data()
    {
        QTest::addColumn<QString>("pick"); // empty: Cancel
        QTest::addColumn<QString>("field");
        QTest::newRow("SIM entry") << "sim/Carol" << "+48700800900";
        QTest::newRow("cancelled") << "" << "typed";
    }

    void composerTakesTheChosenNumber()
    {
        QFETCH(QString, pick);
        CZKNewSMS composer;
        auto* recipient = composer.findChild<QLineEdit*>(QStringLiteral("editMSISDN"));
        recipient->setText(QStringLiteral("typed"));
        bool chooserSeen = false;
        QTimer::singleShot(0, this, [&] {
            auto* chooser = qobject_cast<CZKMSISDNSList*>(QApplication::activeModalWidget());
            if (!chooser)
                return;
            chooserSeen = true;
            if (!pick.isEmpty())
                tree(*chooser)->setCurrentItem(row(*chooser, pick));
            chooser->findChild<QPushButton*>(pick.isEmpty() ? "pbCancel" : "pbSelect")->click();
        });
        composer.msisdns();
        QVERIFY(chooserSeen);
        QTEST(recipient->text(), "field");
    }

    void editorTitleTellsNewFromEdit()
    {
        QCOMPARE(CZKAddEditContact(false).windowTitle(), QStringLiteral("New contact"));
        QCOMPARE(CZKAddEditContact(true).windowTitle(), QStringLiteral("Edit contact"));
    }

    void editorOkNeedsNameAndNumber_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result"); // -5: still open

        QTest::newRow("both given") << "Ann" << "+48600100200" << int(QMessageBox::No) << int(QDialog::Accepted);
        QTest::newRow("no number, Yes closes") << "Ann" << "" << int(QMessageBox::Yes) << int(QDialog::Rejected);
        QTest::newRow("no name, No stays") << "" << "+48600100200" << int(QMessageBox::No) << -5;
    }

    void editorOkNeedsNameAndNumber()
    {
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(int, answer);
        QFETCH(int, result);
        this->answer = QMessageBox::StandardButton(answer);
        CZKAddEditContact editor(true);
        fill(editor, name, number);
        editor.findChild<QTextEdit*>("teContactDesc")->setPlainText(QStringLiteral("new\ndescription"));
        click(editor, "pbOK");

        QCOMPARE(editor.result(), result);
        const bool accepted = result == QDialog::Accepted;
        QCOMPARE(asked, accepted ? QStringList() : QStringList(emptyContact));
        QCOMPARE(editor.name, accepted ? name : QStringLiteral("old name"));
        QCOMPARE(editor.msisdn, accepted ? number : QStringLiteral("old number"));
        QCOMPARE(editor.description, accepted ? QStringLiteral("new\ndescription") : QStringLiteral("old description"));
        // Left open, the editor keeps what was typed.
        QCOMPARE(editor.findChild<QLineEdit*>("leContactName")->text(), name);
    }

    void editorClosingRejects()
    {
        for (bool escape : {false, true}) {
            CZKAddEditContact editor(false);
            editor.show();
            QVERIFY(QTest::qWaitForWindowExposed(&editor));
            fill(editor, QStringLiteral("Bob"), QStringLiteral("700"));
            if (escape)
                QTest::keyClick(&editor, Qt::Key_Escape);
            else
                click(editor, "pbCancel");
            QCOMPARE(editor.result(), int(QDialog::Rejected));
            QCOMPARE(editor.name, QStringLiteral("old name"));
        }
        QVERIFY(asked.isEmpty());
    }
};

QTEST_MAIN(TestContactDialogs)
#include "tst_contactdialogs.moc"
