#include "app/CZKPrompt.h"
#include "db/DbTestSupport.h"
#include "sim/CZKInputPINPUKDialog.h"
#include "sim/CZKSetPIN.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {
// A result no close gives: the dialog is still open.
constexpr int kStillOpen = -5;
}

// The PIN entry and PIN change dialogs, driven through their widgets.
class TestPINDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void cleanup() { CZKPrompt::setResponder({}); setDatabase(nullptr); }

    void inputDialog_data();
    void inputDialog();
    void setPIN_data();
    void setPIN();

private:
    template<typename T>
    static T* child(QWidget* parent, const char* name) { return parent->findChild<T*>(QLatin1String(name)); }
};

void TestPINDialogs::inputDialog_data()
{
    QTest::addColumn<bool>("pin");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("closedBy");
    QTest::addColumn<int>("result");

    QTest::newRow("PIN") << true << "1a2b3-456" << "Enter PIN:" << "1234" << "pbOK" << int(QDialog::Accepted);
    QTest::newRow("PUK, cancelled") << false << "1234x56789012" << "Enter PUK:" << "12345678" << "pbCancel"
                                    << int(QDialog::Rejected);
    QTest::newRow("closed by the title bar") << true << "1234" << "Enter PIN:" << "1234" << "" << int(QDialog::Rejected);
}

void TestPINDialogs::inputDialog()
{
    QFETCH(bool, pin);
    QFETCH(QString, typed);
    QFETCH(QString, label);
    QFETCH(QString, value);
    QFETCH(QString, closedBy);
    QFETCH(int, result);

    CZKInputPINPUKDialog dialog(nullptr, pin);
    dialog.show();
    dialog.setResult(kStillOpen);
    auto* edit = child<QLineEdit>(&dialog, "editInput");
    QCOMPARE(edit->echoMode(), QLineEdit::Password);
    QCOMPARE(child<QLabel>(&dialog, "labelInput")->text(), label);
    QTest::keyClicks(edit, typed);
    QCOMPARE(dialog.value(), value);
    if (closedBy.isEmpty())
        dialog.close();
    else
        QTest::mouseClick(child<QPushButton>(&dialog, qPrintable(closedBy)), Qt::LeftButton);
    QCOMPARE(dialog.result(), result);
}

void TestPINDialogs::setPIN_data()
{
    QTest::addColumn<bool>("withDatabase");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("pins");
    QTest::addColumn<QStringList>("messages");

    const int open = kStillOpen;
    const int accepted = QDialog::Accepted;
    QTest::newRow("matching, letters dropped") << true << QStringList{"1a111", "22x22", "2222"} << "pbOK" << accepted
                                               << QStringList{"2222", "1111"} << QStringList();
    QTest::newRow("all empty") << true << QStringList{"", "", ""} << "pbOK" << accepted << QStringList{"", ""}
                               << QStringList();
    QTest::newRow("no actual PIN") << true << QStringList{"", "2222", "2222"} << "pbOK" << accepted
                                   << QStringList{"2222", ""} << QStringList();
    QTest::newRow("retype differs") << true << QStringList{"1111", "2222", "2223"} << "pbOK" << open
                                    << QStringList{"", ""}
                                    << QStringList{"prompt|Warning|New PIN and retype it is not correct."};
    QTest::newRow("no database") << false << QStringList{"1111", "2222", "2222"} << "pbOK" << open << QStringList{"", ""}
                                 << QStringList{"1|Internal Error 1 CZKSetPIN::accept()|"};
    QTest::newRow("cancelled") << true << QStringList{"1111", "2222", "2222"} << "pbCancel" << int(QDialog::Rejected)
                               << QStringList{"", ""} << QStringList();
}

void TestPINDialogs::setPIN()
{
    QFETCH(bool, withDatabase);
    QFETCH(QStringList, typed);
    QFETCH(QString, button);
    QFETCH(int, result);
    QFETCH(QStringList, pins);
    QFETCH(QStringList, messages);

    CZKDataBase db;
    if (withDatabase)
        setDatabase(&db);
    BusRecorder bus;
    QStringList prompts;
    CZKPrompt::setResponder([&](const CZKPrompt::Call& call) {
        prompts << "prompt|" + call.title + "|" + call.text;
        return QMessageBox::Ok;
    });
    CZKSetPIN dialog;
    dialog.setResult(kStillOpen);
    const char* edits[] = {"editActualPIN", "editNewPIN", "editRetypePIN"};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(child<QLineEdit>(&dialog, edits[i])->echoMode(), QLineEdit::Password);
        QTest::keyClicks(child<QLineEdit>(&dialog, edits[i]), typed.at(i));
    }
    QTest::mouseClick(child<QPushButton>(&dialog, qPrintable(button)), Qt::LeftButton);

    QCOMPARE(dialog.result(), result);
    QCOMPARE((QStringList{dialog.newPIN, dialog.actualPIN}), pins);
    QCOMPARE(prompts + bus.take(), messages);
    if (result == kStillOpen)
        QCOMPARE(child<QLineEdit>(&dialog, "editRetypePIN")->text(), typed.at(2));
}

QTEST_MAIN(TestPINDialogs)
#include "tst_pindialogs.moc"
