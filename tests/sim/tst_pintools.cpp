#include "app/CZKPrompt.h"
#include "db/DbTestSupport.h"
#include "sim/CZKPINTools.h"

#include <QtTest>

#include <functional>

using Operation = std::function<void(CZKPINTools&)>;
Q_DECLARE_METATYPE(Operation)

// Every command of the PIN command set as it goes on the bus, and what is refused.
class TestPINTools : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }

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
        row("PIN state", [](T& t) { t.queryPIN(); }, R"(AT+CPIN?)");
        row("lock state", [](T& t) { t.queryPINLock(); }, R"(AT+CLCK="SC",2)");
        row("enter PIN", [](T& t) { t.enterPIN("0123"); }, R"(AT+CPIN="0123")");
        row("enter empty PIN", [](T& t) { t.enterPIN(""); }, "");
        row("enter PIN with a quote", [](T& t) { t.enterPIN("12\"4"); }, "!");
        row("PUK first, new PIN second", [](T& t) { t.enterPUK("4321", "12345678"); }, R"(AT+CPIN="12345678","4321")");
        row("PUK without new PIN", [](T& t) { t.enterPUK("", "12345678"); }, "");
        row("PUK with a line end", [](T& t) { t.enterPUK("4321", "1234567\r"); }, "!");
        row("change PIN", [](T& t) { t.changePIN("1111", "2222"); }, R"(AT+CPWD="SC","1111","2222")");
        row("change without old PIN", [](T& t) { t.changePIN("", "2222"); }, "");
        row("enable", [](T& t) { t.enablePIN("1234"); }, R"(AT+CLCK="SC",1,"1234")");
        row("disable", [](T& t) { t.disablePIN("1234"); }, R"(AT+CLCK="SC",0,"1234")");
        row("device PIN", [](T& t) { t.setDevicePIN(1, "1234"); }, "AT#PIN=1,1234");
        row("device PIN empty", [](T& t) { t.setDevicePIN(1, ""); }, "");
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
        CZKPrompt::setResponder({});
        QTEST(bus.take() + said, "said");
    }
};

QTEST_MAIN(TestPINTools)
#include "tst_pintools.moc"
