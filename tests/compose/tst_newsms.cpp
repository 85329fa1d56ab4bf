#include "ComposerTestSupport.h"
#include "db/DbTestSupport.h"

#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "compose/CZKNewSMS.h"
#include "link/CZKLinkHold.h"
#include "sms/SmsPduEncoder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The composer in SMS mode against a scripted unit on the bus: what it counts, which replies
// end which wait, the exact commands it sends and what it records.
class TestNewSMS : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void counterAndChoice_data();
    void counterAndChoice();
    void replyRouting_data();
    void replyRouting();
    void singleSendExactCommands();
    void threePartSendExactCommands();
    void sentTwiceMakesOneContact();
    void recordingWithoutSimOrDatabase_data();
    void recordingWithoutSimOrDatabase();
    void failures_data();
    void failures();
    void holdLastsUntilTheComposerGoes_data();
    void holdLastsUntilTheComposerGoes();

private:
    // Fills the composer, presses Send, and gives back the commands it put on the bus.
    QStringList sendWith(CZKNewSMS& composer, const QString& number, const QString& text);

    std::unique_ptr<LoadedDatabase> data;
    std::unique_ptr<BusRecorder> bus;
    std::unique_ptr<ScriptedUnit> unit;
    QStringList lastBus; // every message of the last Send
};

namespace {
const QString number = QStringLiteral("+48600100200");
const QString smsc = QStringLiteral("+48602951111");
const QString ok = QStringLiteral("AT+CSCA?|AT+CMGF=0|AT+CMGS|PDU");

QString times(const QString& piece, int count)
{
    return piece.repeated(count);
}

QString withoutLengths(QStringList commands)
{
    for (QString& command : commands) {
        if (command.startsWith(QLatin1String("AT+CMGS=")))
            command = QStringLiteral("AT+CMGS");
    }
    return commands.join(QLatin1Char('|'));
}
} // namespace

void TestNewSMS::initTestCase()
{
    if (!messageProxy()->isRunning())
        messageProxy()->start();
    Pacing::setScale(0.01);
}

void TestNewSMS::init()
{
    data = std::make_unique<LoadedDatabase>(QString(), true);
    QVERIFY(data->loaded);
    bus = std::make_unique<BusRecorder>();
    unit = std::make_unique<ScriptedUnit>();
}

void TestNewSMS::cleanup()
{
    unit.reset();
    bus.reset();
    data.reset();
}

QStringList TestNewSMS::sendWith(CZKNewSMS& composer, const QString& to, const QString& text)
{
    composer.findChild<QLineEdit*>("editMSISDN")->setText(to);
    composer.findChild<QPlainTextEdit*>("editMessage")->setPlainText(text);
    bus->take();
    composer.findChild<QPushButton*>("pbSend")->click();
    lastBus = bus->take();
    return commandsOf(lastBus);
}

void TestNewSMS::counterAndChoice_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("parts");

    const QString a = QStringLiteral("a"), pl = QString::fromUtf8("ą");
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("7-bit 159") << times(a, 159) << "Chars: 1" << 1;
    QTest::newRow("7-bit 160") << times(a, 160) << "Chars: 0" << 1;
    QTest::newRow("7-bit 161") << times(a, 161) << "SMS/Chars: 2/(161)143" << 2;
    QTest::newRow("7-bit 304") << times(a, 304) << "SMS/Chars: 2/(304)0" << 2;
    QTest::newRow("7-bit 400") << times(a, 400) << "SMS/Chars: 3/(400)56" << 3;
    QTest::newRow("7-bit 1520") << times(a, 1520) << "SMS/Chars: 10/(1520)0" << 10;
    QTest::newRow("80 extension chars") << times("[", 80) << "Chars: 0" << 1;
    QTest::newRow("150 extension chars") << times("[", 150) << "SMS/Chars: 2/(300)4" << 2;
    QTest::newRow("tab goes UCS2") << "a\tb" << "Chars: 67" << 1;
    QTest::newRow("backtick goes UCS2") << "`" << "Chars: 69" << 1;
    QTest::newRow("Polish 70") << times(pl, 70) << "Chars: 0" << 1;
    QTest::newRow("Polish 71") << times(pl, 71) << "SMS/Chars: 2/(71)61" << 2;
    QTest::newRow("Polish 150") << times(pl, 150) << "SMS/Chars: 3/(150)48" << 3;
    QTest::newRow("emoji over") << emoji + times(a, 69) << "SMS/Chars: 2/(71)61" << 2;
}

void TestNewSMS::counterAndChoice()
{
    QFETCH(QString, text);
    QFETCH(QString, label);
    QFETCH(int, parts);

    PromptLog prompts(QMessageBox::Cancel);
    CZKNewSMS composer;
    QCOMPARE(composer.findChild<QLabel*>("labelCheraktersCount")->text(), QStringLiteral("Chars :160"));
    const QStringList commands = sendWith(composer, number, text);
    QCOMPARE(composer.findChild<QLabel*>("labelCheraktersCount")->text(), label);
    QCOMPARE(commands.count(QStringLiteral("PDU")), parts);
    QCOMPARE(prompts.asked.last(), QStringLiteral("Send message|Send message success, close window?"));
}

void TestNewSMS::replyRouting_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("sms");
    QTest::addColumn<bool>("sendWait");
    QTest::addColumn<QString>("raised");

    QTest::newRow("prompt") << 5 << "\r\n> " << true << false << "smsPrompt";
    QTest::newRow("prompt mid-line") << 5 << "xx> yy" << true << true << "smsPrompt";
    QTest::newRow("prompt, not a reply") << 4 << "> " << true << true << "";
    QTest::newRow("CME in send wait") << 5 << "+CME ERROR: 500" << true << true << "smsError";
    QTest::newRow("CME outside") << 5 << "+CME ERROR: 500" << true << false << "";
    QTest::newRow("CMS outside") << 5 << "+CMS ERROR: 304" << true << false << "smsError";
    QTest::newRow("CMGS lower case") << 5 << "+cmgs: 4" << true << true << "smsSuccess";
    QTest::newRow("CMGS outside") << 5 << "+CMGS: 4" << true << false << "";
    QTest::newRow("CSCA") << 5 << "+CSCA: \"+4860\",145" << true << true << "smscSuccess";
    QTest::newRow("short: CMS ignored") << 5 << "+CMS ERROR: 304" << false << false << "";
    QTest::newRow("short: CME") << 5 << "+CME ERROR: 3" << false << false << "smsError";
    QTest::newRow("short: CUSD wins") << 5 << "+CME ERROR: 3\r\n+CUSD: 0" << false << false << "cusd";
    QTest::newRow("short: COPS") << 5 << "+COPS: 0,0,\"N\",2" << false << false << "cops";
    QTest::newRow("short: SELRAT") << 5 << "!SELRAT: 06, LTE Only" << false << false << "selRAT";
    QTest::newRow("short: GBAND") << 5 << "!GBAND: B20, 0, 0" << false << false << "band";
    QTest::newRow("short: prompt ignored") << 5 << "> " << false << true << "";
}

void TestNewSMS::replyRouting()
{
    QFETCH(int, type);
    QFETCH(QString, reply);
    QFETCH(bool, sms);
    QFETCH(bool, sendWait);
    QFETCH(QString, raised);

    unit.reset();
    CZKNewSMS composer;
    composer.setEnabledMode(sms);
    composer.submitPending = sendWait;
    const QVector<QPair<QString, QSignalSpy*>> spies{
        {"smsPrompt", new QSignalSpy(&composer, &CZKNewSMS::smsPrompt)},
        {"smsError", new QSignalSpy(&composer, &CZKNewSMS::smsError)},
        {"smsSuccess", new QSignalSpy(&composer, &CZKNewSMS::smsSuccess)},
        {"smscSuccess", new QSignalSpy(&composer, &CZKNewSMS::smscSuccess)},
        {"selRAT", new QSignalSpy(&composer, &CZKNewSMS::selRAT)},
        {"band", new QSignalSpy(&composer, &CZKNewSMS::band)},
        {"cops", new QSignalSpy(&composer, &CZKNewSMS::cops)},
        {"cusd", new QSignalSpy(&composer, &CZKNewSMS::cusd)},
    };
    messageProxy()->post(type, reply, QString());
    bus->take();
    QStringList seen;
    for (const auto& spy : spies) {
        if (!spy.second->isEmpty())
            seen << spy.first;
        delete spy.second;
    }
    QCOMPARE(seen.join(','), raised);
}

void TestNewSMS::singleSendExactCommands()
{
    PromptLog prompts;
    CZKNewSMS composer;
    QSignalSpy finished(&composer, &QDialog::finished);
    const QStringList commands = sendWith(composer, number, QStringLiteral("Hello @{}"));

    SmsPduEncoder expected;
    QVERIFY(expected.encode7Bit(smsc.toUtf8().constData(), number.toUtf8().constData(), "Hello @{}"));
    SmsSubmitPdu pdu;
    QVERIFY(expected.getSubmitPdu(&pdu));
    QCOMPARE(commands, QStringList({"AT+CSCA?", "AT+CMGF=0", QStringLiteral("AT+CMGS=%1").arg(pdu.tpduLength), "PDU"}));
    QCOMPARE(prompts.asked, QStringList("Send message|Send message success, close window?"));
    QCOMPARE(finished.value(0).value(0).toInt(), int(QDialog::Accepted));
}

void TestNewSMS::threePartSendExactCommands()
{
    PromptLog prompts;
    CZKNewSMS composer;
    const QString text = times(QStringLiteral("0123456789"), 40);
    const QStringList commands = sendWith(composer, number, text);

    SmsPduEncoder expected;
    QVERIFY(expected.encodeMulti7Bit(smsc.toUtf8().constData(), number.toUtf8().constData(),
                                     text.toUtf8().constData(), ""));
    SmsMultipartPdu parts;
    QVERIFY(expected.getMultipartPdu(&parts));
    QCOMPARE(parts.partCount, 3);
    QStringList want({"AT+CSCA?", "AT+CMGF=0", "AT#RUN=0"});
    for (int i = 0; i < parts.partCount; ++i)
        want << QStringLiteral("AT+CMGS=%1").arg(parts.parts[i]->tpduLength) << "PDU";
    want << "AT#RUN=1";
    QCOMPARE(commands, want);
    QCOMPARE(data->db.sentMessages.last().content, text);
}

void TestNewSMS::sentTwiceMakesOneContact()
{
    PromptLog prompts(QMessageBox::Cancel);
    CZKNewSMS composer;
    const int contactsBefore = data->db.contacts.size();
    const int sentBefore = data->db.sentMessages.size();
    sendWith(composer, number, QStringLiteral("first"));
    sendWith(composer, number, QStringLiteral("second"));

    QCOMPARE(data->db.contacts.size(), contactsBefore + 1);
    QCOMPARE(data->db.contacts.last().msisdn, number);
    QCOMPARE(data->db.contacts.last().name, QString());
    QCOMPARE(data->db.sentMessages.size(), sentBefore + 2);
    QCOMPARE(data->db.sentMessages.last().toMsisdn, number);
    QCOMPARE(data->db.sentMessages.last().simCardId, 0);
    QCOMPARE(queryRows("SELECT COUNT(*) FROM MSISDN_SMS WHERE MSISDN = '+48600100200'"), QStringLiteral("1"));
}

void TestNewSMS::recordingWithoutSimOrDatabase_data()
{
    QTest::addColumn<bool>("withDatabase");
    QTest::newRow("no active SIM card") << true;
    QTest::newRow("no database") << false;
}

void TestNewSMS::recordingWithoutSimOrDatabase()
{
    QFETCH(bool, withDatabase);

    for (SimCardRecord& card : data->db.simCards)
        card.active = false;
    if (!withDatabase)
        setDatabase(nullptr);
    PromptLog prompts;
    {
        CZKNewSMS composer;
        sendWith(composer, number, QStringLiteral("hi"));
    }
    if (withDatabase)
        QCOMPARE(data->db.contacts.last().msisdn, number);
    else
        QVERIFY(lastBus.contains(QStringLiteral("1|Internal Error 1 sendSMSPDU|")));
    setDatabase(&data->db);
    QCOMPARE(queryRows("SELECT COUNT(*) FROM SEND_MESSAGES"), QStringLiteral("0"));
    QCOMPARE(prompts.asked, QStringList("Send message|Send message success, close window?"));
}

void TestNewSMS::failures_data()
{
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scriptKey");
    QTest::addColumn<QStringList>("scriptAnswers");
    QTest::addColumn<int>("closeAnswer");
    QTest::addColumn<QString>("commands");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("result"); // -1: still open

    const int Ok = QMessageBox::Ok, Cancel = QMessageBox::Cancel;
    const QString longText = times("a", 400);
    const QStringList silence{QString()};
    QTest::newRow("recipient too short") << "12" << "x" << "" << QStringList() << Ok << ""
                                         << "MSISDN is incorrect, close window?" << 0;
    QTest::newRow("no service centre") << number << "x" << "AT+CSCA?" << silence << Ok << "AT+CSCA?"
                                       << "Read SMSC center MSISDN error, close window?" << 0;
    QTest::newRow("service centre after echo only")
        << number << "x" << "AT+CSCA?" << QStringList("AT+CSCA?\r\nOK\r\n") << Ok << "AT+CSCA?"
        << "Read SMSC center MSISDN error, close window?" << 0;
    QTest::newRow("encoder refuses") << "+123456789012345678901" << "x" << "" << QStringList() << Ok << "AT+CSCA?"
                                     << "Send message error, close window?" << 0;
    QTest::newRow("error, Cancel") << number << "x" << "PDU" << QStringList("\r\n+CMS ERROR: 304\r\n") << Cancel << ok
                                   << "Send message error, close window?" << -1;
    QTest::newRow("no prompt") << number << "x" << "AT+CMGS=" << silence << Ok
                               << "AT+CSCA?|AT+CMGF=0|AT+CMGS|ESC" << "Send message timeout, close window?" << 0;
    QTest::newRow("prompt then silence, Cancel") << number << "x" << "PDU" << silence << Cancel << ok + "|ESC"
                                                 << "Send message timeout, close window?" << -1;
    QTest::newRow("prompt twice, PDU once") << number << "x" << "AT+CMGS=" << QStringList("\r\n> \f\r\n> ") << Ok
                                            << ok << "Send message success, close window?" << 1;
    QTest::newRow("CSCA does not end the send wait")
        << number << "x" << "PDU" << QStringList("+CSCA: \"+48602951111\",145") << Ok << ok + "|ESC"
        << "Send message timeout, close window?" << 0;
    QTest::newRow("second part fails") << number << longText << "PDU"
                                       << QStringList({"\r\n+CMGS: 1\r\n", "\r\n+CMS ERROR: 500\r\n"}) << Ok
                                       << "AT+CSCA?|AT+CMGF=0|AT#RUN=0|AT+CMGS|PDU|AT+CMGS|PDU|AT#RUN=1"
                                       << "Send message error, close window?" << 0;
    QTest::newRow("second part silent") << number << longText << "AT+CMGS="
                                        << QStringList({"\r\n> ", QString()}) << Ok
                                        << "AT+CSCA?|AT+CMGF=0|AT#RUN=0|AT+CMGS|PDU|AT+CMGS|ESC|AT#RUN=1"
                                        << "Send message timeout, close window?" << 0;
}

void TestNewSMS::failures()
{
    QFETCH(QString, to);
    QFETCH(QString, text);
    QFETCH(QString, scriptKey);
    QFETCH(QStringList, scriptAnswers);
    QFETCH(int, closeAnswer);
    QFETCH(QString, commands);
    QFETCH(QString, box);
    QFETCH(int, result);

    if (!scriptKey.isEmpty())
        unit->script(scriptKey, scriptAnswers);
    PromptLog prompts{QMessageBox::StandardButton(closeAnswer)};
    CZKNewSMS composer;
    QSignalSpy finished(&composer, &QDialog::finished);
    const int sentBefore = data->db.sentMessages.size();

    QCOMPARE(withoutLengths(sendWith(composer, to, text)), commands);
    QCOMPARE(prompts.asked, QStringList("Send message|" + box));
    QCOMPARE(finished.isEmpty() ? -1 : finished.value(0).value(0).toInt(), result);
    if (result < 1)
        QCOMPARE(data->db.sentMessages.size(), sentBefore);
    // Cancel leaves both texts for another try.
    QCOMPARE(composer.findChild<QLineEdit*>("editMSISDN")->text(), to);
    QCOMPARE(composer.findChild<QPlainTextEdit*>("editMessage")->toPlainText(), text);
}

void TestNewSMS::holdLastsUntilTheComposerGoes_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("result");
    QTest::newRow("success box") << "accept" << 1;
    QTest::newRow("Cancel button") << "cancel" << 0;
    QTest::newRow("Escape") << "escape" << 0;
    QTest::newRow("failure box") << "failure" << 0;
}

void TestNewSMS::holdLastsUntilTheComposerGoes()
{
    QFETCH(QString, route);
    QFETCH(int, result);

    if (route == "failure")
        unit->script("PDU", {"+CMS ERROR: 1"});
    PromptLog prompts;
    QVERIFY(!CZKLinkHold::isHeld());
    {
        CZKNewSMS composer;
        QSignalSpy finished(&composer, &QDialog::finished);
        composer.show();
        QVERIFY(CZKLinkHold::isHeld());
        if (route == "cancel")
            composer.findChild<QPushButton*>("pbCancel")->click();
        else if (route == "escape")
            QTest::keyClick(&composer, Qt::Key_Escape);
        else
            sendWith(composer, number, QStringLiteral("x"));
        QCOMPARE(finished.value(0).value(0).toInt(), result);
        QVERIFY(CZKLinkHold::isHeld());
    }
    QVERIFY(!CZKLinkHold::isHeld());
}

QTEST_MAIN(TestNewSMS)
#include "tst_newsms.moc"
