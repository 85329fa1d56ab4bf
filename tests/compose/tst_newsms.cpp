#include "db/DbTestSupport.h"

#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "bus/IMessageReceiver.h"
#include "compose/CZKNewSMS.h"
#include "link/CZKLinkHold.h"

#include <QLabel>
#include <QLineEdit>
#include <QMutex>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {
// A unit on the bus: answers each command with replies from a script. A command is matched by
// the longest scripted prefix ("PDU" stands for a text ending in Ctrl-Z); each script entry
// serves one asking, the last one every later asking; an entry holds the datagrams of the
// answer separated by "\f", and an empty entry is silence; "{echo}" in it stands for the
// command as the unit echoes it. Unscripted commands get "OK".
class ScriptedUnit : public IMessageReceiver {
public:
    ScriptedUnit()
    {
        script("AT+CSCA?", {"AT+CSCA?\r\n+CSCA: \"+48602951111\",145\r\n\r\nOK\r\n"});
        script("AT+CMGS=", {"\r\n> "});
        script("PDU", {"\r\n+CMGS: 17\r\n\r\nOK\r\n"});
        script("AT!SELRAT?", {"AT!SELRAT?\r\n!SELRAT: 06, LTE Only\r\n\r\nOK\r\n"});
        script("AT!ENTERCND=\"C962\";!GBAND?", {"\r\n!GBAND: B20, 0000000000000000, 0000000000080000\r\n\r\nOK\r\n"});
        script("AT+COPS?", {"\r\n+COPS: 0,0,\"Fake Net\",2\r\n\r\nOK\r\n"});
        script("AT+CUSD=", {"\r\nOK\r\n\r\n+CUSD: 0,\"Balance 5\",15\r\n"});
        joinBus();
    }
    ~ScriptedUnit() override { leaveBus(); }

    void script(const QString& prefix, const QStringList& replies)
    {
        QMutexLocker locker(&lock);
        answers.insert(prefix, replies);
        asked.remove(prefix);
    }

    void receiveMessage(int type, QString msg, QString desc) override
    {
        if (type != Send)
            return;
        QMutexLocker locker(&lock);
        QString key;
        for (auto it = answers.cbegin(); it != answers.cend(); ++it) {
            if (msg.startsWith(it.key()) && it.key().size() > key.size())
                key = it.key();
        }
        if (msg.endsWith(QChar(26)))
            key = QStringLiteral("PDU");
        const QStringList replies = answers.value(key, {"\r\nOK\r\n"});
        QString echo = msg;
        if (echo.endsWith(QChar(26)))
            echo.chop(1);
        const QString reply = replies.value(qMin(asked[key]++, replies.size() - 1)).replace("{echo}", echo);
        for (const QString& datagram : reply.split(QLatin1Char('\f'), Qt::SkipEmptyParts))
            busProxy->post(Receive, datagram, desc);
    }

private:
    QMutex lock;
    QHash<QString, QStringList> answers;
    QHash<QString, int> asked;
};

// Answers every box: `closeAnswer` to the Ok/Cancel ones, Yes to Yes/No, Ok to the rest; keeps
// "title|text" of each and runs `onBox`, if set, while the box is up.
struct PromptLog {
    explicit PromptLog(int closeAnswer = QMessageBox::Ok)
    {
        CZKPrompt::setResponder([this, closeAnswer](const CZKPrompt::Call& call) {
            asked << call.title + QLatin1Char('|') + call.text;
            if (onBox)
                onBox();
            if (call.buttons == (QMessageBox::Ok | QMessageBox::Cancel))
                return QMessageBox::StandardButton(closeAnswer);
            return call.buttons == (QMessageBox::Yes | QMessageBox::No) ? QMessageBox::Yes : QMessageBox::Ok;
        });
    }
    ~PromptLog() { CZKPrompt::setResponder({}); }
    QStringList asked;
    std::function<void()> onBox;
};

// The commands among bus messages; a PDU shown as "PDU", ESC as "ESC".
QStringList commandsIn(const QStringList& messages)
{
    QStringList commands;
    for (const QString& line : messages) {
        if (!line.startsWith(QLatin1String("4|")))
            continue;
        const QString command = line.section(QLatin1Char('|'), 1, -2);
        commands << (command.endsWith(QChar(26)) ? "PDU" : command == QChar(27) ? "ESC" : command);
    }
    return commands;
}

const QString number = QStringLiteral("+48600100200");
const QString ok = QStringLiteral("AT+CSCA?|AT+CMGF=0|AT+CMGS|PDU");
const QString success = QStringLiteral("Send message|Send message success, close window?");

const QString code = QStringLiteral("*100#");
const QString askBand = QStringLiteral("AT!ENTERCND=\"C962\";!GBAND?");
const QStringList head{"AT+CMGF=1", "AT#RUN=0", "AT!SELRAT?", askBand, "AT!SELRAT=05", "AT!BAND=00", "AT+COPS?"};
const QString bandBack = QStringLiteral("AT!ENTERCND = \"C962\";!GBAND = 0000000000000000,0000000000080000");
const QStringList tail{"AT+CUSD=1,\"*100#\",15", "AT!SELRAT=06", bandBack, "at#RUN=1"};
} // namespace

// The composer in both modes against a scripted unit on the bus: what it counts, which replies
// end which wait, the commands it sends, every way a send ends and what it records.
class TestNewSMS : public QObject {
    Q_OBJECT

    std::unique_ptr<LoadedDatabase> data;
    std::unique_ptr<BusRecorder> bus;
    std::unique_ptr<ScriptedUnit> unit;
    QStringList lastBus; // every message of the last Send

    struct Run {
        QStringList commands;
        QStringList boxes;
        int result; // -1: still open
        QString left; // recipient and text left in the fields, joined by "|"
    };

    // Fills the composer, presses Send, and gives back the commands it put on the bus.
    QStringList sendWith(CZKNewSMS& composer, const QString& to, const QString& text)
    {
        composer.findChild<QLineEdit*>("editMSISDN")->setText(to);
        composer.findChild<QPlainTextEdit*>("editMessage")->setPlainText(text);
        bus->take();
        composer.findChild<QPushButton*>("pbSend")->click();
        lastBus = bus->take();
        return commandsIn(lastBus);
    }

    // A Send in a composer of its own, in SMS or short-code mode.
    Run send(bool sms, const QString& to, const QString& text, int closeAnswer = QMessageBox::Ok)
    {
        PromptLog prompts(closeAnswer);
        CZKNewSMS composer;
        composer.setEnabledMode(sms);
        QSignalSpy finished(&composer, &QDialog::finished);
        const QStringList commands = sendWith(composer, to, text);
        return {commands, prompts.asked, finished.isEmpty() ? -1 : finished.value(0).value(0).toInt(),
                composer.findChild<QLineEdit*>("editMSISDN")->text() + '|' + composer.messageText()};
    }

private slots:
    void initTestCase()
    {
        if (!messageProxy()->isRunning())
            messageProxy()->start();
        Pacing::setScale(0.01);
    }

    void init()
    {
        data = std::make_unique<LoadedDatabase>(QString(), true);
        QVERIFY(data->loaded);
        bus = std::make_unique<BusRecorder>();
        unit = std::make_unique<ScriptedUnit>();
    }

    void cleanup() { unit.reset(), bus.reset(), data.reset(); }

    void counterAndChoice_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("parts");

        const QString a = QStringLiteral("a"), pl = QString::fromUtf8("ą");
        QTest::newRow("7-bit 160") << a.repeated(160) << "Chars: 0" << 1;
        QTest::newRow("7-bit 161") << a.repeated(161) << "SMS/Chars: 2/(161)143" << 2;
        QTest::newRow("7-bit 400") << a.repeated(400) << "SMS/Chars: 3/(400)56" << 3;
        QTest::newRow("7-bit 1520") << a.repeated(1520) << "SMS/Chars: 10/(1520)0" << 10;
        QTest::newRow("extension chars count two") << QString("[").repeated(150) << "SMS/Chars: 2/(300)4" << 2;
        QTest::newRow("tab goes UCS2") << "a\tb" << "Chars: 67" << 1;
        QTest::newRow("Polish 70") << pl.repeated(70) << "Chars: 0" << 1;
        QTest::newRow("Polish 150") << pl.repeated(150) << "SMS/Chars: 3/(150)48" << 3;
        QTest::newRow("emoji counts two") << QString::fromUtf8("\xF0\x9F\x98\x80") + a.repeated(69)
                                          << "SMS/Chars: 2/(71)61" << 2;
    }

    void counterAndChoice()
    {
        QFETCH(QString, text);
        PromptLog prompts(QMessageBox::Cancel);
        CZKNewSMS composer;
        const QStringList commands = sendWith(composer, number, text);
        QTEST(composer.findChild<QLabel*>("labelCheraktersCount")->text(), "label");
        QTEST(int(commands.count(QStringLiteral("PDU"))), "parts");
        QCOMPARE(prompts.asked.last(), success);
    }

    void replyRouting_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("reply");
        QTest::addColumn<bool>("sms");
        QTest::addColumn<bool>("sendWait");
        QTest::addColumn<QString>("raised");

        QTest::newRow("prompt, not a reply") << 4 << "> " << true << true << "";
        QTest::newRow("CME in send wait") << 5 << "+CME ERROR: 500" << true << true << "smsError";
        QTest::newRow("CME outside") << 5 << "+CME ERROR: 500" << true << false << "";
        QTest::newRow("CMS outside") << 5 << "+CMS ERROR: 304" << true << false << "smsError";
        QTest::newRow("CMGS lower case") << 5 << "+cmgs: 4" << true << true << "smsSuccess";
        QTest::newRow("CMGS outside") << 5 << "+CMGS: 4" << true << false << "";
        QTest::newRow("short: CMS ignored") << 5 << "+CMS ERROR: 304" << false << false << "";
        QTest::newRow("short: CUSD wins") << 5 << "+CME ERROR: 3\r\n+CUSD: 0" << false << false << "cusd";
        QTest::newRow("plain ERROR") << 5 << "AT+CMGS=17\r\nERROR\r\n" << true << true << "commandError";
        QTest::newRow("short: plain ERROR") << 5 << "AT+CUSD=1,\"*100#\",15\r\nERROR" << false << false
                                            << "commandError";
        QTest::newRow("short: ERROR in a text") << 5 << "+CUSD: 0,\"ERROR\",15" << false << false << "cusd";
        QTest::newRow("ERROR in a word") << 5 << "AT+CMGS=17\r\nERRORS\r\n" << true << true << "";
    }

    void replyRouting()
    {
        QFETCH(int, type);
        QFETCH(QString, reply);
        QFETCH(bool, sms);
        QFETCH(bool, sendWait);
        unit.reset();
        CZKNewSMS composer;
        composer.setEnabledMode(sms);
        composer.submitPending = sendWait;
        QStringList seen; // filled on the bus thread, read after the bus has drained
        auto watch = [&](const char* name, auto signal) {
            connect(&composer, signal, this, [&seen, name] { seen << name; }, Qt::DirectConnection);
        };
        watch("smsPrompt", &CZKNewSMS::smsPrompt);
        watch("smsError", &CZKNewSMS::smsError);
        watch("smsSuccess", &CZKNewSMS::smsSuccess);
        watch("smscSuccess", &CZKNewSMS::smscSuccess);
        watch("selRAT", &CZKNewSMS::selRAT);
        watch("band", &CZKNewSMS::band);
        watch("cops", &CZKNewSMS::cops);
        watch("cusd", &CZKNewSMS::cusd);
        watch("commandError", &CZKNewSMS::commandError);
        messageProxy()->post(type, reply, QString());
        bus->take();
        QTEST(seen.join(','), "raised");
    }

    // The recipient joins the contacts once; the outbox takes a message only while a SIM card is
    // active; without a database the send still ends well and the fault goes on the bus.
    void recording_data()
    {
        QTest::addColumn<bool>("simActive");
        QTest::addColumn<bool>("withDatabase");
        QTest::addColumn<QString>("rows"); // contacts with the number; outbox rows
        QTest::newRow("sent twice") << true << true << "1;2";
        QTest::newRow("no active SIM card") << false << true << "1;0";
        QTest::newRow("no database") << true << false << "0;0";
    }

    void recording()
    {
        QFETCH(bool, simActive);
        QFETCH(bool, withDatabase);
        for (SimCardRecord& card : data->db.simCards)
            card.active = card.active && simActive;
        if (!withDatabase)
            setDatabase(nullptr);
        PromptLog prompts(QMessageBox::Cancel);
        CZKNewSMS composer;
        sendWith(composer, number, QStringLiteral("first"));
        sendWith(composer, number, QStringLiteral("second"));
        setDatabase(&data->db);
        QCOMPARE(prompts.asked, QStringList({success, success}));
        QCOMPARE(lastBus.contains(QStringLiteral("1|Internal Error 1 sendSMSPDU|")), !withDatabase);
        QTEST(queryRows("SELECT COUNT(*) FROM MSISDN_SMS WHERE MSISDN = '+48600100200'") + ';'
                  + queryRows("SELECT COUNT(*) FROM SEND_MESSAGES"),
              "rows");
    }

    // Each way a Send ends: the commands (lengths left out), the one box and the dialog's result.
    void sendFlows_data()
    {
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("script"); // a prefix, then its answers
        QTest::addColumn<int>("closeAnswer");
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("result"); // -1: still open

        const int Ok = QMessageBox::Ok, Cancel = QMessageBox::Cancel;
        const QString a400 = QString("a").repeated(400), run0 = "AT+CSCA?|AT+CMGF=0|AT#RUN=0|";
        QTest::newRow("recipient too short") << "12" << "x" << QStringList() << Ok << "" << "MSISDN is incorrect" << 0;
        QTest::newRow("service centre: echo only") << number << "x" << QStringList{"AT+CSCA?", "AT+CSCA?\r\nOK\r\n"}
                                                   << Ok << "AT+CSCA?" << "Read SMSC center MSISDN error" << 0;
        QTest::newRow("encoder refuses") << "+123456789012345678901" << "x" << QStringList() << Ok << "AT+CSCA?"
                                         << "Send message error" << 0;
        QTest::newRow("error, Cancel") << number << "x" << QStringList{"PDU", "\r\n+CMS ERROR: 304\r\n"} << Cancel
                                       << ok << "Send message error" << -1;
        QTest::newRow("prompt then silence, Cancel") << number << "x" << QStringList{"PDU", ""} << Cancel
                                                     << ok + "|ESC" << "Send message timeout" << -1;
        QTest::newRow("prompt twice, PDU once") << number << "x" << QStringList{"AT+CMGS=", "\r\n> \f\r\n> "} << Ok
                                                << ok << "Send message success" << 1;
        QTest::newRow("CSCA does not end the send wait")
            << number << "x" << QStringList{"PDU", "+CSCA: \"+48602951111\",145"} << Ok << ok + "|ESC"
            << "Send message timeout" << 0;
        QTest::newRow("three parts") << number << a400 << QStringList() << Ok
                                     << run0 + "AT+CMGS|PDU|AT+CMGS|PDU|AT+CMGS|PDU|AT#RUN=1"
                                     << "Send message success" << 1;
        QTest::newRow("second part fails") << number << a400
                                           << QStringList{"PDU", "\r\n+CMGS: 1\r\n", "\r\n+CMS ERROR: 500\r\n"} << Ok
                                           << run0 + "AT+CMGS|PDU|AT+CMGS|PDU|AT#RUN=1" << "Send message error" << 0;
        QTest::newRow("second part gets no prompt") << number << a400 << QStringList{"AT+CMGS=", "\r\n> ", ""} << Ok
                                                    << run0 + "AT+CMGS|PDU|AT+CMGS|ESC|AT#RUN=1"
                                                    << "Send message timeout" << 0;
    }

    void sendFlows()
    {
        QFETCH(QString, to);
        QFETCH(QString, text);
        QFETCH(QStringList, script);
        QFETCH(int, closeAnswer);
        QFETCH(QString, box);
        QFETCH(int, result);

        if (!script.isEmpty())
            unit->script(script.first(), script.mid(1));
        const int sentBefore = data->db.sentMessages.size();
        const Run run = send(true, to, text, closeAnswer);
        QTEST(run.commands.join('|').replace(QRegularExpression("AT\\+CMGS=\\d+"), "AT+CMGS"), "commands");
        QCOMPARE(run.boxes, QStringList("Send message|" + box + ", close window?"));
        QCOMPARE(run.result, result);
        QCOMPARE(run.left, to + '|' + text); // left for another try
        QCOMPARE(data->db.sentMessages.size(), sentBefore + (result == 1));
        if (result == 1)
            QCOMPARE(data->db.sentMessages.last().content, text);
    }

    // A unit that reports errors without "+CME ERROR: " refuses with "ERROR" alone. Under the
    // echo of the command a wait is for, it ends that wait as a failure at once (well before the
    // wait's `polls` would run out) and the flow puts back what it changed; under another
    // command's echo, or without one, it ends nothing and the answer that follows counts.
    void plainError_data()
    {
        QTest::addColumn<bool>("sms");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("script"); // a prefix, then its answers
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("polls"); // 0: the wait is not ended by the error

        const QString refused = QStringLiteral("{echo}\r\nERROR\r\n");
        const QString runOn = QStringLiteral("|at#RUN=1"), shortCode = QStringLiteral("Send short code|");
        const QString run0 = QStringLiteral("AT+CSCA?|AT+CMGF=0|AT#RUN=0|");
        const QString answer = QStringLiteral("\f{echo}\r\nOK\r\n\f\r\n+CUSD: 0,\"Balance 5\",15\r\n");
        const QString gsm = QStringLiteral("{echo}\r\n+COPS: 0,0,\"Net\",2\r\n\r\nOK\r\n");
        const QString sent = QStringLiteral("\f{echo}\r\n+CMGS: 17\r\n\r\nOK\r\n");
        const QString full = (head + tail).join('|');

        QTest::newRow("code refused") << false << code << QStringList{"AT+CUSD=", refused} << full
                                      << shortCode + "Wait for response error" << int(CZKNewSMS::CusdPolls);
        QTest::newRow("RAT query refused") << false << code << QStringList{"AT!SELRAT?", refused}
                                           << head.mid(0, 3).join('|') + runOn
                                           << shortCode + "Send short code error (As BAND Error)"
                                           << int(CZKNewSMS::QueryPolls);
        QTest::newRow("band query refused") << false << code << QStringList{askBand, refused}
                                            << head.mid(0, 4).join('|') + runOn
                                            << shortCode + "Send short code error (Ask BAND Error)"
                                            << int(CZKNewSMS::QueryPolls);
        QTest::newRow("operator query refused, asked again")
            << false << code << QStringList{"AT+COPS?", refused, gsm}
            << (head + QStringList("AT+COPS?") + tail).join('|')
            << shortCode + "Short code send" << CZKNewSMS::CopsAttempts * CZKNewSMS::CopsPollsPerAttempt;
        QTest::newRow("AT+CMGS refused") << true << "x" << QStringList{"AT+CMGS=", refused}
                                         << "AT+CSCA?|AT+CMGF=0|AT+CMGS" << "Send message|Send message error"
                                         << int(CZKNewSMS::SendPolls);
        QTest::newRow("PDU refused") << true << "x" << QStringList{"PDU", refused} << ok
                                     << "Send message|Send message error" << int(CZKNewSMS::SendPolls);
        QTest::newRow("second part refused") << true << QString("a").repeated(400)
                                             << QStringList{"PDU", "{echo}\r\n+CMGS: 1\r\n", refused}
                                             << run0 + "AT+CMGS|PDU|AT+CMGS|PDU|AT#RUN=1"
                                             << "Send message|Send message error" << int(CZKNewSMS::SendPolls);
        QTest::newRow("watchdog's ERROR while the code waits")
            << false << code << QStringList{"AT+CUSD=", "AT#\r\nERROR\r\n" + answer} << full
            << shortCode + "Short code send" << 0;
        QTest::newRow("ERROR without an echo while the code waits")
            << false << code << QStringList{"AT+CUSD=", "\r\nERROR\r\n" + answer} << full
            << shortCode + "Short code send" << 0;
        QTest::newRow("another command's ERROR while the RAT query waits")
            << false << code
            << QStringList{"AT!SELRAT?", "AT+CPMS?\r\nERROR\r\n\f{echo}\r\n!SELRAT: 06, LTE Only\r\nOK"}
            << full << shortCode + "Short code send" << 0;
        QTest::newRow("SMS poll's ERROR while the PDU waits")
            << true << "x" << QStringList{"PDU", "AT+CPMS?\r\nERROR\r\n" + sent} << ok
            << "Send message|Send message success" << 0;
    }

    void plainError()
    {
        QFETCH(bool, sms);
        QFETCH(QString, text);
        QFETCH(QStringList, script);
        QFETCH(QString, box);
        QFETCH(int, polls);

        unit->script(script.first(), script.mid(1));
        QElapsedTimer clock;
        clock.start();
        const Run run = send(sms, number, text);
        const qint64 elapsed = clock.elapsed();
        QTEST(run.commands.join('|').replace(QRegularExpression("AT\\+CMGS=\\d+"), "AT+CMGS"), "commands");
        QCOMPARE(run.boxes, QStringList(box + ", close window?"));
        if (polls > 0)
            QVERIFY2(elapsed < qint64(polls) * Pacing::ms(CZKNewSMS::PollMs), qPrintable(QString::number(elapsed)));
    }

    // The parts' progress is up while the first part goes out, however quickly they all go.
    void multipartProgressShowsFromTheFirstPart()
    {
        PromptLog prompts;
        CZKNewSMS composer;
        QList<bool> shownAtPrompts;
        connect(&composer, &CZKNewSMS::smsPrompt, this, [&composer, &shownAtPrompts] {
            const auto* progress = composer.findChild<QProgressDialog*>();
            shownAtPrompts << (progress && progress->isVisible());
        });
        sendWith(composer, number, QString("a").repeated(400));
        QCOMPARE(prompts.asked.last(), success);
        QCOMPARE(shownAtPrompts, QList<bool>({true, true, true}));
    }

    void holdLastsUntilTheComposerGoes()
    {
        PromptLog prompts;
        QVERIFY(!CZKLinkHold::isHeld());
        {
            CZKNewSMS composer;
            QVERIFY(CZKLinkHold::isHeld());
            sendWith(composer, number, QStringLiteral("x"));
            QCOMPARE(composer.result(), int(QDialog::Accepted));
            QVERIFY(CZKLinkHold::isHeld());
        }
        QVERIFY(!CZKLinkHold::isHeld());
    }

    // The RAT goes back by the name the unit gave it (GSM and UMTS swap codes), else by its code.
    void shortCodeRestoresRadio_data()
    {
        QTest::addColumn<QString>("ratReply");
        QTest::addColumn<QString>("bandReply");
        QTest::addColumn<QStringList>("restored");

        const QString band3 = askBand + "\r\n!GBAND: B20, 0000000000000000, 0000000000080000\r\n\r\nOK\r\n";
        auto back = [](const char* rat) { return QStringList{rat, bandBack}; };
        QTest::newRow("automatic") << "\r\n!SELRAT: 00, Automatic\r\nOK" << band3 << back("AT!SELRAT=00");
        QTest::newRow("GSM 2G only") << "!SELRAT: 02, GSM 2G Only" << band3 << back("AT!SELRAT=02");
        QTest::newRow("UMTS 3G only") << "!SELRAT: 01, UMTS 3G Only" << band3 << back("AT!SELRAT=01");
        QTest::newRow("code 03") << "!SELRAT: 03, UMTS 3G Preferred" << band3 << back("AT!SELRAT=03");
        QTest::newRow("two-field band line") << "!SELRAT: 00, Automatic" << "\r\n!GBAND: B20, 0000\r\nOK"
                                             << QStringList("AT!SELRAT=00");
    }

    void shortCodeRestoresRadio()
    {
        QFETCH(QString, ratReply);
        QFETCH(QString, bandReply);
        QFETCH(QStringList, restored);
        unit->script("AT!SELRAT?", {ratReply});
        unit->script(askBand, {bandReply});
        QCOMPARE(send(false, QString(), code).commands, head + QStringList(tail.first()) + restored + QStringList("at#RUN=1"));
    }

    void shortCodeOperatorWait_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("asked");
        QTest::addColumn<QString>("box");

        const QString lte = QStringLiteral("+COPS: 0,0,\"Net\",7"), gsm = QStringLiteral("+COPS: 0,0,\"Net\",2");
        QTest::newRow("LTE twice, then GSM") << QStringList{lte, lte, gsm} << 3 << "Short code send";
        QTest::newRow("error, then GSM") << QStringList{"+CME ERROR: 30", gsm} << 2 << "Short code send";
        QTest::newRow("limited service, 18 attempts") << QStringList("+COPS: 0,0,\"LIMITED SERVICE\",2") << 18
                                                      << "Wait for network error";
        QTest::newRow("silence") << QStringList(QString()) << 1 << "Wait for network error";
    }

    void shortCodeOperatorWait()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, box);
        unit->script("AT+COPS?", answers);
        const Run run = send(false, QString(), code);
        QTEST(int(run.commands.count("AT+COPS?")), "asked");
        QCOMPARE(run.boxes, QStringList("Send short code|" + box + ", close window?"));
        // The radio settings go back however the wait ended.
        QCOMPARE(run.commands.mid(run.commands.size() - 3), tail.mid(1));
    }

    void shortCodeEndings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("script"); // a prefix, then its answers
        QTest::addColumn<int>("closeAnswer");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("result");

        const int Ok = QMessageBox::Ok, Cancel = QMessageBox::Cancel;
        const QStringList none, runOn("at#RUN=1");
        const QString refused = QStringLiteral("The short code may not hold quotes or line breaks.");
        const QString noAnswer = QStringLiteral("Wait for response error, close window?");
        QTest::newRow("answered") << code << none << Ok << head + tail << "Short code send, close window?" << 1;
        QTest::newRow("empty") << "" << none << Ok << none << "Short code tekst is empty, close window?" << 1;
        QTest::newRow("quote") << "*100\"#" << none << Ok << none << refused << -1;
        QTest::newRow("LF") << "*1\n00#" << none << Ok << none << refused << -1;
        QTest::newRow("Ctrl-Z") << QString("*100#") + QChar(26) << none << Ok << none << refused << -1;
        QTest::newRow("no RAT answer") << code << QStringList{"AT!SELRAT?", ""} << Ok << head.mid(0, 3) + runOn
                                       << "Send short code error (As BAND Error), close window?" << 1;
        QTest::newRow("band error, Cancel") << code << QStringList{askBand, "+CME ERROR: 3"} << Cancel
                                            << head.mid(0, 4) + runOn
                                            << "Send short code error (Ask BAND Error), close window?" << -1;
        QTest::newRow("no answer to the code") << code << QStringList{"AT+CUSD=", "\r\nOK\r\n"} << Ok << head + tail
                                               << noAnswer << 0;
        QTest::newRow("error to the code, Cancel") << code << QStringList{"AT+CUSD=", "+CME ERROR: 100"} << Cancel
                                                   << head + tail << noAnswer << -1;
    }

    void shortCodeEndings()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, script);
        QFETCH(int, closeAnswer);
        QFETCH(QString, box);
        if (!script.isEmpty())
            unit->script(script.first(), script.mid(1));
        const int sentBefore = data->db.sentMessages.size();
        const Run run = send(false, QString(), text, closeAnswer);
        QTEST(run.commands, "commands");
        QCOMPARE(run.boxes, QStringList("Send short code|" + box));
        QTEST(run.result, "result");
        QCOMPARE(run.left, '|' + text); // the code stays for another try
        // The code is recorded once it went out, answered or not.
        const bool sent = run.commands.contains(tail.first());
        QCOMPARE(data->db.sentMessages.size(), sentBefore + sent);
        const SentMessageRecord last = data->db.sentMessages.value(data->db.sentMessages.size() - 1);
        if (sent)
            QCOMPARE(last.toMsisdn + '|' + last.content + '|' + QString::number(last.ussd), "Network|" + code + "|1");
    }

    // A failure box may wait long for the operator: by then the unit runs again as it was set.
    void shortCodeFailureBoxComesLast_data()
    {
        QTest::addColumn<QStringList>("script"); // a prefix, then its answers
        QTest::addColumn<QStringList>("beforeBox");

        const QStringList runOn("at#RUN=1");
        QTest::newRow("no RAT answer") << QStringList{"AT!SELRAT?", ""} << head.mid(0, 3) + runOn;
        QTest::newRow("band error") << QStringList{askBand, "+CME ERROR: 3"} << head.mid(0, 4) + runOn;
        QTest::newRow("no network") << QStringList{"AT+COPS?", ""} << head + tail.mid(1);
        QTest::newRow("no answer to the code") << QStringList{"AT+CUSD=", "\r\nOK\r\n"} << head + tail;
    }

    void shortCodeFailureBoxComesLast()
    {
        QFETCH(QStringList, script);
        unit->script(script.first(), script.mid(1));
        PromptLog prompts(QMessageBox::Cancel);
        QStringList beforeBox;
        prompts.onBox = [this, &beforeBox] { beforeBox = commandsIn(bus->take()); };
        CZKNewSMS composer;
        composer.setEnabledMode(false);
        const QStringList afterBox = sendWith(composer, QString(), code);
        QCOMPARE(prompts.asked.size(), 1);
        QTEST(beforeBox, "beforeBox");
        QCOMPARE(afterBox, QStringList());
    }
};

QTEST_MAIN(TestNewSMS)
#include "tst_newsms.moc"
