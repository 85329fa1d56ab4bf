#include "app/CZKPrompt.h"
#include "db/DbTestSupport.h"
#include "sim/CZKPINTools.h"

#include <QtTest>

#include <functional>

// Every command of the PIN command set as it goes on the bus, and what is refused.
class TestPINTools : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void commands_data();
    void commands();
};

void TestPINTools::commands_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<bool>("warned");

    QTest::newRow("PIN state") << "queryPIN" << "" << "" << "AT+CPIN?" << false;
    QTest::newRow("lock state") << "queryPINLock" << "" << "" << "AT+CLCK=\"SC\",2" << false;
    QTest::newRow("enter PIN") << "enterPIN" << "0123" << "" << "AT+CPIN=\"0123\"" << false;
    QTest::newRow("enter empty PIN") << "enterPIN" << "" << "" << "" << false;
    QTest::newRow("enter PIN with a quote") << "enterPIN" << "12\"4" << "" << "" << true;
    QTest::newRow("PUK first, new PIN second") << "enterPUK" << "4321" << "12345678"
                                               << "AT+CPIN=\"12345678\",\"4321\"" << false;
    QTest::newRow("PUK without new PIN") << "enterPUK" << "" << "12345678" << "" << false;
    QTest::newRow("PUK with a line end") << "enterPUK" << "4321" << "1234567\r" << "" << true;
    QTest::newRow("change PIN") << "changePIN" << "1111" << "2222" << "AT+CPWD=\"SC\",\"1111\",\"2222\"" << false;
    QTest::newRow("change without old PIN") << "changePIN" << "" << "2222" << "" << false;
    QTest::newRow("enable") << "enablePIN" << "1234" << "" << "AT+CLCK=\"SC\",1,\"1234\"" << false;
    QTest::newRow("disable") << "disablePIN" << "1234" << "" << "AT+CLCK=\"SC\",0,\"1234\"" << false;
    QTest::newRow("device PIN") << "setDevicePIN" << "1" << "1234" << "AT#PIN=1,1234" << false;
    QTest::newRow("device PIN empty") << "setDevicePIN" << "1" << "" << "" << false;
    QTest::newRow("device PIN with a comma") << "setDevicePIN" << "1" << "12,4" << "" << true;
}

void TestPINTools::commands()
{
    QFETCH(QString, operation);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, sent);
    QFETCH(bool, warned);

    const QHash<QString, std::function<void(CZKPINTools&)>> calls{
        {"queryPIN", [](CZKPINTools& t) { t.queryPIN(); }},
        {"queryPINLock", [](CZKPINTools& t) { t.queryPINLock(); }},
        {"enterPIN", [&](CZKPINTools& t) { t.enterPIN(first); }},
        {"enterPUK", [&](CZKPINTools& t) { t.enterPUK(first, second); }},
        {"changePIN", [&](CZKPINTools& t) { t.changePIN(first, second); }},
        {"enablePIN", [&](CZKPINTools& t) { t.enablePIN(first); }},
        {"disablePIN", [&](CZKPINTools& t) { t.disablePIN(first); }},
        {"setDevicePIN", [&](CZKPINTools& t) { t.setDevicePIN(first.toInt(), second); }},
    };
    QStringList prompts;
    CZKPrompt::setResponder([&](const CZKPrompt::Call& call) {
        prompts << call.title + QLatin1Char('|') + call.text;
        return QMessageBox::Ok;
    });
    BusRecorder bus;
    CZKPINTools tools(nullptr);
    calls.value(operation)(tools);
    CZKPrompt::setResponder({});

    QCOMPARE(bus.take(), sent.isEmpty() ? QStringList() : QStringList{"4|" + sent + "|INTERNAL"});
    QCOMPARE(prompts, warned ? QStringList{"PIN Error|PIN and PUK may hold digits only."} : QStringList());
}

QTEST_MAIN(TestPINTools)
#include "tst_pintools.moc"
