#include "ComposerTestSupport.h"
#include "db/DbTestSupport.h"

#include "app/CZKPacing.h"
#include "compose/CZKNewSMS.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

// The composer in short-code mode against a scripted unit: the commands around the code, how
// the radio settings go back, and every way the flow ends.
class TestNewSMSShortCode : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exactSequenceAndRecord();
    void restore_data();
    void restore();
    void operatorWait_data();
    void operatorWait();
    void endings_data();
    void endings();

private:
    struct Run {
        QStringList commands;
        QStringList boxes;
        int result; // -1: still open
        QString textLeft;
    };
    Run sendCode(const QString& code, QMessageBox::StandardButton closeAnswer = QMessageBox::Ok);

    std::unique_ptr<LoadedDatabase> data;
    std::unique_ptr<BusRecorder> bus;
    std::unique_ptr<ScriptedUnit> unit;
};

namespace {
const QString code = QStringLiteral("*100#");
const QStringList head{"AT+CMGF=1",        "AT#RUN=0",   "AT!SELRAT?", "AT!ENTERCND=\"C962\";!GBAND?",
                       "AT!SELRAT=05",     "AT!BAND=00", "AT+COPS?"};
const QString bandBack = QStringLiteral("AT!ENTERCND = \"C962\";!GBAND = 0000000000000000,0000000000080000");
const QString cusd = QStringLiteral("AT+CUSD=1,\"*100#\",15");
const QString rat06 = QStringLiteral("\r\n!SELRAT: 06, LTE Only\r\n\r\nOK\r\n");
} // namespace

void TestNewSMSShortCode::initTestCase()
{
    if (!messageProxy()->isRunning())
        messageProxy()->start();
    Pacing::setScale(0.01);
}

void TestNewSMSShortCode::init()
{
    data = std::make_unique<LoadedDatabase>(QString(), true);
    QVERIFY(data->loaded);
    bus = std::make_unique<BusRecorder>();
    unit = std::make_unique<ScriptedUnit>();
}

void TestNewSMSShortCode::cleanup()
{
    unit.reset();
    bus.reset();
    data.reset();
}

TestNewSMSShortCode::Run TestNewSMSShortCode::sendCode(const QString& text, QMessageBox::StandardButton closeAnswer)
{
    PromptLog prompts(closeAnswer);
    CZKNewSMS composer;
    composer.setEnabledMode(false);
    composer.setMessage(text);
    QSignalSpy finished(&composer, &QDialog::finished);
    bus->take();
    composer.findChild<QPushButton*>("pbSend")->click();
    return {commandsOf(bus->take()), prompts.asked, finished.isEmpty() ? -1 : finished.value(0).value(0).toInt(),
            composer.findChild<QPlainTextEdit*>("editMessage")->toPlainText()};
}

void TestNewSMSShortCode::exactSequenceAndRecord()
{
    const int sentBefore = data->db.sentMessages.size();
    const Run run = sendCode(code);
    QCOMPARE(run.commands, head + QStringList({cusd, "AT!SELRAT=06", bandBack, "at#RUN=1"}));
    QCOMPARE(run.boxes, QStringList("Send short code|Short code send, close window?"));
    QCOMPARE(run.result, int(QDialog::Accepted));
    QCOMPARE(data->db.sentMessages.size(), sentBefore + 1);
    QCOMPARE(data->db.sentMessages.last().toMsisdn, QStringLiteral("Network"));
    QCOMPARE(data->db.sentMessages.last().content, code);
    QVERIFY(data->db.sentMessages.last().ussd);
}

void TestNewSMSShortCode::restore_data()
{
    QTest::addColumn<QString>("ratReply");
    QTest::addColumn<QString>("bandReply");
    QTest::addColumn<QStringList>("restored");

    const QString band3 = QStringLiteral("AT!ENTERCND=\"C962\";!GBAND?\r\n!GBAND: B20, 0000000000000000, "
                                         "0000000000080000\r\n\r\nOK\r\n");
    QTest::newRow("automatic") << "\r\n!SELRAT: 00, Automatic\r\nOK" << band3 << QStringList({"AT!SELRAT=00", bandBack});
    QTest::newRow("LTE only") << rat06 << band3 << QStringList({"AT!SELRAT=06", bandBack});
    QTest::newRow("GSM 2G only") << "!SELRAT: 02, GSM 2G Only" << band3 << QStringList({"AT!SELRAT=02", bandBack});
    QTest::newRow("UMTS 3G only") << "!SELRAT: 01, UMTS 3G Only" << band3 << QStringList({"AT!SELRAT=01", bandBack});
    QTest::newRow("code 03") << "!SELRAT: 03, UMTS 3G Preferred" << band3 << QStringList({"AT!SELRAT=03", bandBack});
    QTest::newRow("two-field band line") << "!SELRAT: 00, Automatic" << "\r\n!GBAND: B20, 0000\r\nOK"
                                         << QStringList("AT!SELRAT=00");
}

void TestNewSMSShortCode::restore()
{
    QFETCH(QString, ratReply);
    QFETCH(QString, bandReply);
    QFETCH(QStringList, restored);

    unit->script("AT!SELRAT?", {ratReply});
    unit->script("AT!ENTERCND=\"C962\";!GBAND?", {bandReply});
    const Run run = sendCode(code);
    QCOMPARE(run.commands, head + QStringList(cusd) + restored + QStringList("at#RUN=1"));
}

void TestNewSMSShortCode::operatorWait_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("asked");
    QTest::addColumn<QString>("box");

    const QString lte = QStringLiteral("+COPS: 0,0,\"Fake Net\",7");
    const QString gsm = QStringLiteral("+COPS: 0,0,\"Fake Net\",2");
    QTest::newRow("LTE twice, then GSM") << QStringList({lte, lte, gsm}) << 3 << "Short code send, close window?";
    QTest::newRow("not registered, then GSM") << QStringList({"+COPS: 0", gsm}) << 2
                                              << "Short code send, close window?";
    QTest::newRow("error, then GSM") << QStringList({"+CME ERROR: 30", gsm}) << 2 << "Short code send, close window?";
    QTest::newRow("limited service, 18 attempts")
        << QStringList("+COPS: 0,0,\"LIMITED SERVICE\",2") << 18 << "Wait for network error, close window?";
    QTest::newRow("silence") << QStringList(QString()) << 1 << "Wait for network error, close window?";
}

void TestNewSMSShortCode::operatorWait()
{
    QFETCH(QStringList, answers);
    QFETCH(int, asked);
    QFETCH(QString, box);

    unit->script("AT+COPS?", answers);
    const Run run = sendCode(code);
    QCOMPARE(run.commands.count("AT+COPS?"), asked);
    QCOMPARE(run.boxes, QStringList("Send short code|" + box));
    // The radio settings go back however the wait ended.
    QCOMPARE(run.commands.mid(run.commands.size() - 3), QStringList({"AT!SELRAT=06", bandBack, "at#RUN=1"}));
}

void TestNewSMSShortCode::endings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("scriptKey");
    QTest::addColumn<QStringList>("scriptAnswers");
    QTest::addColumn<int>("closeAnswer");
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("result");

    const int Ok = QMessageBox::Ok, Cancel = QMessageBox::Cancel;
    const QStringList none;
    const QString refused = QStringLiteral("The short code may not hold quotes or line breaks.");
    QTest::newRow("empty") << "" << "" << none << Ok << none << "Short code tekst is empty, close window?" << 1;
    QTest::newRow("quote") << "*100\"#" << "" << none << Ok << none << refused << -1;
    QTest::newRow("LF") << "*1\n00#" << "" << none << Ok << none << refused << -1;
    QTest::newRow("Ctrl-Z") << QString("*100#") + QChar(26) << "" << none << Ok << none << refused << -1;
    QTest::newRow("no RAT answer") << code << "AT!SELRAT?" << QStringList(QString()) << Ok
                                   << head.mid(0, 3) + QStringList("at#RUN=1")
                                   << "Send short code error (As BAND Error), close window?" << 1;
    QTest::newRow("band error, Cancel") << code << "AT!ENTERCND=\"C962\";!GBAND?" << QStringList("+CME ERROR: 3")
                                        << Cancel << head.mid(0, 4) + QStringList("at#RUN=1")
                                        << "Send short code error (Ask BAND Error), close window?" << -1;
    QTest::newRow("no answer to the code") << code << "AT+CUSD=" << QStringList("\r\nOK\r\n") << Ok
                                           << head + QStringList({cusd, "AT!SELRAT=06", bandBack, "at#RUN=1"})
                                           << "Wait for response error, close window?" << 0;
    QTest::newRow("error to the code, Cancel")
        << code << "AT+CUSD=" << QStringList("+CME ERROR: 100") << Cancel
        << head + QStringList({cusd, "AT!SELRAT=06", bandBack, "at#RUN=1"}) << "Wait for response error, close window?"
        << -1;
}

void TestNewSMSShortCode::endings()
{
    QFETCH(QString, text);
    QFETCH(QString, scriptKey);
    QFETCH(QStringList, scriptAnswers);
    QFETCH(int, closeAnswer);
    QFETCH(QStringList, commands);
    QFETCH(QString, box);
    QFETCH(int, result);

    if (!scriptKey.isEmpty())
        unit->script(scriptKey, scriptAnswers);
    const Run run = sendCode(text, QMessageBox::StandardButton(closeAnswer));
    QCOMPARE(run.commands, commands);
    QCOMPARE(run.boxes, QStringList("Send short code|" + box));
    QCOMPARE(run.result, result);
    QCOMPARE(run.textLeft, text); // the code stays for another try
}

QTEST_MAIN(TestNewSMSShortCode)
#include "tst_newsmsshortcode.moc"
