#include "app/CZKPrompt.h"
#include "compose/CZKAddEditContact.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

// The contact editor driven through its widgets; its one box is answered by the prompt
// responder.
class TestContactEditor : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void titleTellsNewFromEdit_data();
    void titleTellsNewFromEdit();
    void okNeedsNameAndNumber_data();
    void okNeedsNameAndNumber();
    void disabledDescriptionKeepsItsText();
    void closingRejects_data();
    void closingRejects();

private:
    template<typename T>
    static T* child(QWidget* parent, const char* name)
    {
        return parent->findChild<T*>(QLatin1String(name));
    }

    static void fill(CZKAddEditContact& editor, const QString& name, const QString& number)
    {
        child<QLineEdit>(&editor, "leContactName")->setText(name);
        child<QLineEdit>(&editor, "leContactMSISDN")->setText(number);
    }

    QStringList asked;
    QMessageBox::StandardButton answer = QMessageBox::No;
};

void TestContactEditor::init()
{
    asked.clear();
    CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
        const bool critical = call.kind == CZKPrompt::Kind::Critical;
        const bool yesNo = call.buttons == (QMessageBox::Yes | QMessageBox::No);
        asked << QStringLiteral("%1|%2|%3").arg(critical && yesNo ? "critical, Yes/No" : "other", call.title, call.text);
        return answer;
    });
}

void TestContactEditor::cleanup()
{
    CZKPrompt::setResponder({});
}

void TestContactEditor::titleTellsNewFromEdit_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("title");
    QTest::newRow("new") << false << "New contact";
    QTest::newRow("edit") << true << "Edit contact";
}

void TestContactEditor::titleTellsNewFromEdit()
{
    QFETCH(bool, edit);
    QFETCH(QString, title);
    CZKAddEditContact editor(edit);
    QCOMPARE(editor.windowTitle(), title);
    QCOMPARE(editor.windowModality(), Qt::ApplicationModal);
    QVERIFY(!(editor.windowFlags() & Qt::WindowContextHelpButtonHint));
}

void TestContactEditor::okNeedsNameAndNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("askedFirst");
    QTest::addColumn<int>("result");

    const int open = -5;
    QTest::newRow("both given") << "Ann" << "+48600100200" << int(QMessageBox::No) << false
                                << int(QDialog::Accepted);
    QTest::newRow("blanks and letters pass") << "  " << "abc" << int(QMessageBox::No) << false
                                             << int(QDialog::Accepted);
    QTest::newRow("no number, Yes closes") << "Ann" << "" << int(QMessageBox::Yes) << true
                                           << int(QDialog::Rejected);
    QTest::newRow("no name, No stays") << "" << "+48600100200" << int(QMessageBox::No) << true << open;
    QTest::newRow("neither, No stays") << "" << "" << int(QMessageBox::No) << true << open;
}

void TestContactEditor::okNeedsNameAndNumber()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(int, answer);
    QFETCH(bool, askedFirst);
    QFETCH(int, result);

    this->answer = QMessageBox::StandardButton(answer);
    CZKAddEditContact editor(true);
    editor.setName(QStringLiteral("old name"));
    editor.setMSISDN(QStringLiteral("old number"));
    editor.setDescription(QStringLiteral("old description"));
    editor.setResult(-5);
    fill(editor, name, number);
    child<QTextEdit>(&editor, "teContactDesc")->setPlainText(QStringLiteral("new\ndescription"));
    QTest::mouseClick(child<QPushButton>(&editor, "pbOK"), Qt::LeftButton);

    QCOMPARE(editor.result(), result);
    QCOMPARE(asked, askedFirst ? QStringList{"critical, Yes/No|Error|NAME or MSISDN is empty, close window ?"} : QStringList{});
    const bool accepted = result == QDialog::Accepted;
    QCOMPARE(editor.name, accepted ? name : QStringLiteral("old name"));
    QCOMPARE(editor.msisdn, accepted ? number : QStringLiteral("old number"));
    QCOMPARE(editor.description, accepted ? QStringLiteral("new\ndescription") : QStringLiteral("old description"));
    // Left open, the editor keeps what was typed.
    QCOMPARE(child<QLineEdit>(&editor, "leContactName")->text(), name);
    QCOMPARE(child<QLineEdit>(&editor, "leContactMSISDN")->text(), number);
}

void TestContactEditor::disabledDescriptionKeepsItsText()
{
    CZKAddEditContact editor(true);
    editor.setName(QStringLiteral("SIM entry"));
    editor.setMSISDN(QStringLiteral("600"));
    editor.setDescription(QStringLiteral("kept"));
    editor.setDescriptionEnabled(false);
    QVERIFY(!child<QTextEdit>(&editor, "teContactDesc")->isEnabled());
    QTest::mouseClick(child<QPushButton>(&editor, "pbOK"), Qt::LeftButton);
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(editor.description, QStringLiteral("kept"));
    QVERIFY(asked.isEmpty());
}

void TestContactEditor::closingRejects_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Cancel") << 0;
    QTest::newRow("close button") << 1;
    QTest::newRow("Escape") << 2;
}

void TestContactEditor::closingRejects()
{
    QFETCH(int, how);
    CZKAddEditContact editor(false);
    editor.setName(QStringLiteral("Ann"));
    editor.setMSISDN(QStringLiteral("600"));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    editor.setResult(-5);
    fill(editor, QStringLiteral("Bob"), QStringLiteral("700"));
    if (how == 0)
        QTest::mouseClick(child<QPushButton>(&editor, "pbCancel"), Qt::LeftButton);
    else if (how == 1)
        editor.close();
    else
        QTest::keyClick(&editor, Qt::Key_Escape);
    QCOMPARE(editor.result(), int(QDialog::Rejected));
    QCOMPARE(editor.name, QStringLiteral("Ann"));
    QCOMPARE(editor.msisdn, QStringLiteral("600"));
    QVERIFY(asked.isEmpty());
}

QTEST_MAIN(TestContactEditor)
#include "tst_contacteditor.moc"
