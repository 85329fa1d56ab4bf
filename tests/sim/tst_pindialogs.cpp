#include "app/CZKPlatform.h"
#include "app/CZKPrompt.h"
#include "db/DbTestSupport.h"
#include "sim/CZKPINTools.h"
#include "sim/CZKInputPINPUKDialog.h"
#include "sim/CZKSetPIN.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

using Operation = std::function<void(CZKPINTools&)>;
Q_DECLARE_METATYPE(Operation)

// The PIN command set as it goes on the bus, and the PIN entry and PIN change dialogs, driven
// through their widgets.
class TestPINDialogs : public QObject {
    Q_OBJECT

    // A result no close gives: the dialog is still open.
    static constexpr int kStillOpen = -5;

    // Types into the masked password fields (checking that they echo no text) and clicks the button.
    static void fill(QDialog& dialog, const QStringList& edits, const QStringList& typed, const QString& button)
    {
        dialog.setResult(kStillOpen);
        for (int i = 0; i < edits.size(); ++i) {
            auto* edit = dialog.findChild<QLineEdit*>(edits[i]);
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            QTest::keyClicks(edit, typed[i]);
        }
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        messageProxy()->start();
        // The program's font, which the forms are drawn for.
        CZKPlatform::useDialogFont();
    }

    void cleanup() { CZKPrompt::setResponder({}); setDatabase(nullptr); }

    void inputDialog_data()
    {
        QTest::addColumn<bool>("pin");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("accept");
        QTest::newRow("PIN, accepted") << true << "Enter PIN:" << "1234" << true;
        QTest::newRow("PUK, cancelled") << false << "Enter PUK:" << "12345678" << false;
    }

    void inputDialog()
    {
        QFETCH(bool, pin);
        QFETCH(bool, accept);
        CZKInputPINPUKDialog dialog(nullptr, pin);
        dialog.show();
        QTEST(dialog.findChild<QLabel*>("labelInput")->text(), "label");
        fill(dialog, {"editInput"}, {"1a2b3-456789012"}, accept ? "pbOK" : "pbCancel");
        QTEST(dialog.value(), "value");
        QCOMPARE(dialog.result(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }

    // Every secret field shows one bullet per digit typed and nothing while empty, also once
    // emptied again; it takes digits only, up to its length.
    void fieldsShowOnlyWhatIsTyped_data()
    {
        QTest::addColumn<int>("dialogKind");   // 0 PIN entry, 1 PUK entry, 2 PIN change
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("PIN") << 0 << "editInput" << "9x8 76543" << "9876";
        QTest::newRow("PUK") << 1 << "editInput" << "1234-5678 9" << "12345678";
        QTest::newRow("actual PIN") << 2 << "editActualPIN" << "12345" << "1234";
        QTest::newRow("new PIN") << 2 << "editNewPIN" << "a5b6" << "56";
        QTest::newRow("retyped PIN") << 2 << "editRetypePIN" << "0" << "0";
    }

    void fieldsShowOnlyWhatIsTyped()
    {
        QFETCH(int, dialogKind);
        QFETCH(QString, edit);
        QFETCH(QString, kept);
        std::unique_ptr<QDialog> dialog;
        if (dialogKind == 2)
            dialog = std::make_unique<CZKSetPIN>();
        else
            dialog = std::make_unique<CZKInputPINPUKDialog>(nullptr, dialogKind == 0);
        auto* field = dialog->findChild<QLineEdit*>(edit);
        QCOMPARE(field->displayText(), QString());

        QFETCH(QString, typed);
        QTest::keyClicks(field, typed);
        QCOMPARE(field->text(), kept);
        QCOMPARE(field->displayText().size(), kept.size());
        QVERIFY(!field->displayText().contains(QRegularExpression("[0-9]")));

        for (int i = 0; i < kept.size(); ++i)
            QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->displayText(), QString());
    }

    // Each dialog of the PIN flows, in either skin and language, shows its labels whole and its
    // fields large enough for all the bullets the digits show as.
    void labelsAndFieldsWhole_data()
    {
        QTest::addColumn<int>("dialogKind"); // 0 PIN entry, 1 PUK entry, 2 PIN change
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("inPolish");
        QTest::addColumn<int>("drawnWidth");
        const char* kinds[] = {"PIN", "PUK", "PIN change"};
        for (int kind = 0; kind < 3; ++kind)
            for (const bool dark : {false, true})
                for (const bool inPolish : {false, true})
                    QTest::addRow("%s, %s, %s", kinds[kind], dark ? "dark" : "default", inPolish ? "PL" : "EN")
                        << kind << dark << inPolish << 215;
    }

    void labelsAndFieldsWhole()
    {
        QFETCH(int, dialogKind);
        QFETCH(bool, dark);
        QFETCH(bool, inPolish);
        QFile sheet(qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/resources/DarkOrange.qss"));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        qApp->setStyleSheet(dark ? QString::fromLatin1(sheet.readAll()) : QString());
        QTranslator polish;
        QVERIFY(polish.load(QStringLiteral("dudedoriv_pl"), qEnvironmentVariable("DUDEDORIV_BINARY_DIR")));
        if (inPolish)
            QCoreApplication::installTranslator(&polish);

        std::unique_ptr<QDialog> dialog;
        if (dialogKind == 2)
            dialog = std::make_unique<CZKSetPIN>();
        else
            dialog = std::make_unique<CZKInputPINPUKDialog>(nullptr, dialogKind == 0);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QStringList faults;
        const auto check = [&faults](const QString& what, const QSize& has, const QSize& needs) {
            if (has.width() < needs.width() || has.height() < needs.height())
                faults << QStringLiteral("%1 %2x%3 of %4x%5")
                              .arg(what)
                              .arg(has.width())
                              .arg(has.height())
                              .arg(needs.width())
                              .arg(needs.height());
        };
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            const QFontMetrics metrics = label->fontMetrics();
            check(label->text(), label->contentsRect().size(), {metrics.horizontalAdvance(label->text()), metrics.height()});
        }
        for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
            // The part of the field the text is drawn in, as the field itself finds it.
            QStyleOptionFrame panel;
            panel.initFrom(field);
            panel.rect = field->rect();
            panel.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &panel, field);
            panel.state |= QStyle::State_Sunken;
            const QRect text = field->style()->subElementRect(QStyle::SE_LineEditContents, &panel, field);
            QTest::keyClicks(field, QString(field->maxLength(), QLatin1Char('5')));
            const QFontMetrics metrics = field->fontMetrics();
            check(field->objectName(), text.size(), {metrics.horizontalAdvance(field->displayText()), metrics.height()});
        }
        const QSize shown = dialog->size();
        dialog.reset();
        QCoreApplication::removeTranslator(&polish);
        qApp->setStyleSheet(QString());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
        // The skin's padding makes the dialog taller, never wider.
        QTEST(shown.width(), "drawnWidth");
    }

    void setPIN_data()
    {
        QTest::addColumn<bool>("withDatabase");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("pins");
        QTest::addColumn<QStringList>("refusal");
        QTest::newRow("matching, letters dropped")
            << true << QStringList{"1a111", "22x22", "2222"} << "2222/1111" << QStringList();
        QTest::newRow("retype differs") << true << QStringList{"1111", "2222", "2223"} << "/"
                                        << QStringList{"prompt|Warning|New PIN and retype it is not correct."};
        QTest::newRow("no database") << false << QStringList{"1111", "2222", "2222"} << "/"
                                     << QStringList{"1|Internal Error 1 CZKSetPIN::accept()|"};
    }

    void setPIN()
    {
        QFETCH(bool, withDatabase);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, refusal);
        CZKDataBase db;
        setDatabase(withDatabase ? &db : nullptr);
        BusRecorder bus;
        QStringList prompts;
        CZKPrompt::setResponder([&](const CZKPrompt::Call& call) {
            prompts << "prompt|" + call.title + "|" + call.text;
            return QMessageBox::Ok;
        });
        CZKSetPIN dialog;
        fill(dialog, {"editActualPIN", "editNewPIN", "editRetypePIN"}, typed, "pbOK");
        QTEST(dialog.newPIN + '/' + dialog.actualPIN, "pins");
        QCOMPARE(prompts + bus.take(), refusal);
        // A refused dialog stays open with what was typed.
        QCOMPARE(dialog.result(), refusal.isEmpty() ? int(QDialog::Accepted) : kStillOpen);
        QCOMPARE(dialog.findChild<QLineEdit*>("editRetypePIN")->text(), typed[2]);
    }

    void commands_data()
    {
        using T = CZKPINTools;
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QStringList>("said");
        // What goes on the bus; "" for nothing at all, "!" for nothing sent but a warning shown.
        const auto row = [](const char* name, Operation operation, const QString& sent) {
            const QString said = sent == "!" ? QStringLiteral("PIN Error|PIN and PUK may hold digits only.")
                                             : "4|" + sent + "|INTERNAL";
            QTest::newRow(name) << operation << (sent.isEmpty() ? QStringList() : QStringList{said});
        };
        row("enter PIN", [](T& t) { t.enterPIN("0123"); }, R"(AT+CPIN="0123")");
        row("enter empty PIN", [](T& t) { t.enterPIN(""); }, "");
        row("enter PIN with a quote", [](T& t) { t.enterPIN("12\"4"); }, "!");
        row("PUK first, new PIN second", [](T& t) { t.enterPUK("4321", "12345678"); }, R"(AT+CPIN="12345678","4321")");
        row("PUK with a line end", [](T& t) { t.enterPUK("4321", "1234567\r"); }, "!");
        row("change PIN", [](T& t) { t.changePIN("1111", "2222"); }, R"(AT+CPWD="SC","1111","2222")");
        row("change without old PIN", [](T& t) { t.changePIN("", "2222"); }, "");
        row("enable", [](T& t) { t.enablePIN("1234"); }, R"(AT+CLCK="SC",1,"1234")");
        row("device PIN", [](T& t) { t.setDevicePIN(1, "1234"); }, "AT#PIN=1,1234");
        row("device PIN with a comma", [](T& t) { t.setDevicePIN(1, "12,4"); }, "!");
    }

    void commands()
    {
        QFETCH(Operation, operation);
        QStringList said;
        CZKPrompt::setResponder([&](const CZKPrompt::Call& call) {
            said << call.title + '|' + call.text;
            return QMessageBox::Ok;
        });
        BusRecorder bus;
        CZKPINTools tools(nullptr);
        operation(tools);
        QTEST(bus.take() + said, "said");
    }
};

QTEST_MAIN(TestPINDialogs)
#include "tst_pindialogs.moc"
