#include "FakeUnit.h"

#include <QBuffer>
#include <QNetworkDatagram>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

#include <memory>

// SMS-SUBMIT PDUs written out here field by field, so that the fake's decoder is checked against
// the standard and not against the program's encoder. Validity period "AA" throughout.
namespace {
// Service centre +48602951111; to +48600100200, 7-bit: "Price 5" ESC-e "[ok] @home", the euro
// and the brackets from the extension table.
const QByteArray kSevenBit = "07918406921511F1" "11000B918406100002F00000AA16" "50797A5C06D53665D086F75E6F7C2000FADD2E03";
// A set of two 7-bit parts, 8-bit reference 42: a six-octet header and one fill bit.
const QByteArray kFirstOfTwo = "00" "51000B918406100002F00000AA18" "0500032A0201" "906536FB0DDAA0EE6F399BBC49B140";
const QByteArray kSecondOfTwo = "00" "51000B918406100002F00000AA13" "0500032A0202" "E6E5F1DB4D06C1C372BA0B";
} // namespace

// The fake unit: its replies, the SMS it takes, and its switches, driven through their control
// datagrams on loopback as the whole-program runs drive them.
class TestFakeUnit : public QObject {
    Q_OBJECT

    struct Answer {
        QByteArray bytes;
        QHostAddress from;
        quint16 fromPort = 0;
    };

    std::unique_ptr<FakeUnit> unit;
    std::unique_ptr<QUdpSocket> client;

    static std::unique_ptr<FakeUnit> openUnit()
    {
        auto opened = std::make_unique<FakeUnit>();
        if (!opened->open(QHostAddress::LocalHost, 0))
            qFatal("fake unit: %s", qPrintable(opened->errorString()));
        return opened;
    }

    // The unit works on this thread's event loop, so the client's wait has to keep it turning.
    static QVector<Answer> collect(QUdpSocket& socket, int count, int timeoutMs = 3000)
    {
        QVector<Answer> answers;
        // Fewer than asked for is the caller's failure to report.
        (void)QTest::qWaitFor([&] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram datagram = socket.receiveDatagram();
                answers.append(Answer{datagram.data(), datagram.senderAddress(), quint16(datagram.senderPort())});
            }
            return answers.size() >= count;
        }, timeoutMs);
        return answers;
    }

    Answer ask(FakeUnit& to, const QByteArray& text)
    {
        client->writeDatagram(text, QHostAddress::LocalHost, to.port());
        const QVector<Answer> answers = collect(*client, 1);
        return answers.isEmpty() ? Answer{} : answers.first();
    }
    Answer ask(const QByteArray& text) { return ask(*unit, text); }

    // Sends each datagram and takes its answer; an empty expectation waits only briefly for none.
    QByteArrayList exchange(const QByteArrayList& datagrams, const QByteArrayList& expected)
    {
        QByteArrayList got;
        for (int i = 0; i < datagrams.size(); ++i) {
            client->writeDatagram(datagrams.at(i), QHostAddress::LocalHost, unit->port());
            const QVector<Answer> answers = collect(*client, 1, expected.value(i).isEmpty() ? 300 : 3000);
            got.append(answers.isEmpty() ? QByteArray() : answers.first().bytes);
        }
        return got;
    }

    // A reply without its echo and blank lines, the rest joined by "|": "+CPIN: READY|OK".
    static QByteArray gist(const QByteArray& command, const QByteArray& reply)
    {
        QByteArrayList lines = reply.split('\n');
        if (!lines.isEmpty() && lines.first() == command.chopped(command.endsWith('\r') ? 1 : 0) + '\r')
            lines.removeFirst();
        QByteArrayList kept;
        for (const QByteArray& line : qAsConst(lines)) {
            if (!line.trimmed().isEmpty())
                kept << line.trimmed();
        }
        return kept.join('|');
    }

    // Each command in turn with the gist of its answer ("%PORT" stands for the unit's port), then
    // what FAKE#STATE must hold.
    void runSession()
    {
        QFETCH(QByteArrayList, commands);
        QFETCH(QByteArrayList, answers);
        QFETCH(QByteArray, stateHas);
        QByteArrayList got;
        for (const QByteArray& command : qAsConst(commands))
            got << gist(command, ask(command).bytes);
        QByteArrayList expected;
        for (QByteArray answer : qAsConst(answers))
            expected << answer.replace("%PORT", QByteArray::number(unit->port()));
        QCOMPARE(got, expected);
        QVERIFY2(unit->state().contains(stateHas), unit->state().constData());
    }

    static QByteArray sendPdu(const QByteArray& hex) { return hex + '\x1a'; }
    // The unit's answer to a PDU: its echo, the reference, "OK".
    static QByteArray taken(const QByteArray& hex, int reference)
    {
        return hex + "\r\n+CMGS: " + QByteArray::number(reference) + "\r\n\r\nOK\r\n";
    }
    static QByteArray refused(const QByteArray& hex) { return hex + "\r\n\r\n+CMS ERROR: 304\r\n"; }

    // The replies to a few commands that between them touch every part of the reply table.
    QList<QByteArray> replies(FakeUnit& to)
    {
        QList<QByteArray> found;
        for (const char* command : {"AT#I\r", "AT+CPBR=1,250\r", "AT+CMGR=1\r", "AT+CPIN?\r", "AT+CGSN\r", "AT#\r"})
            found.append(ask(to, command).bytes);
        return found;
    }

private slots:
    void init()
    {
        unit = openUnit();
        client = std::make_unique<QUdpSocket>();
        QVERIFY(client->bind(QHostAddress(QHostAddress::LocalHost), 0));
    }
    void cleanup()
    {
        client.reset();
        unit.reset();
    }

    // Settings that stick, the registration that reports a new access technology one answer late,
    // and the phone book that the control empties and gives back as the unit started.
    void commandsAnswerFromTheUnitsState_data()
    {
        QTest::addColumn<QByteArrayList>("commands");
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<QByteArray>("stateHas");
        const QByteArray ok = "OK", error = "ERROR", cops = "AT+COPS?\r", cpbr = "AT+CPBR=1,250\r";
        const QByteArray lte = "+COPS: 0,0,\"Fake Net\",7|OK", umts = "+COPS: 0,0,\"Fake Net\",2|OK";
        const QByteArray twoEntries = "+CPBR: 1,\"+48600100200\",145,\"Anna\"|+CPBR: 2,\"600100300\",129,\"Smith, John\"|OK";
        QTest::newRow("message format") << QByteArrayList{"AT+CMGF=1\r", "at+cmgf?\r", "AT+CMGF=2\r"}
                                        << QByteArrayList{ok, "+CMGF: 1|OK", error} << QByteArray("CMGF=1");
        QTest::newRow("run state") << QByteArrayList{"AT#RUN=0\r", "at#RUN=1\r", "AT#RUN=2\r"}
                                   << QByteArrayList{ok, ok, error} << QByteArray("RUN=1");
        QTest::newRow("RAT") << QByteArrayList{"AT!SELRAT=03\r", "at!selrat?\r", "AT!SELRAT=04\r"}
                             << QByteArrayList{ok, "!SELRAT: 03, UMTS 3G Preferred|OK", error} << QByteArray("RAT=03");
        // The profile refresh's query has a blank on each side of the first "="; its restore form
        // keeps the blanks that splitting the saved "!GBAND: " line leaves.
        QTest::newRow("band and its masks")
            << QByteArrayList{"AT!BAND?\r", "AT!ENTERCND = \"C962\";!GBAND?\r", "AT!BAND=00\r",
                              "AT!ENTERCND=\"C962\";!GBAND?\r",
                              "AT!ENTERCND = \"C962\";!GBAND =  0000000000000000, 0000000000080000\r",
                              "AT!ENTERCND=\"C961\";!GBAND?\r", "AT!BAND=09\r"}
            << QByteArrayList{"Index, Name|03, LTE B20|OK", "!GBAND: B20, 0000000000000000, 0000000000080000|OK", ok,
                              "!GBAND: B20, 000000000FFFFFFF, 00000000FFFFFFFF|OK", ok, error, error}
            << QByteArray("BAND=03 GBAND=0000000000000000,0000000000080000");
        QTest::newRow("registration to GSM only") << QByteArrayList{"AT!SELRAT=02\r", cops, cops, cops}
                                                  << QByteArrayList{ok, lte, umts, umts} << QByteArray("RAT=02");
        QTest::newRow("registration started GSM, to LTE only")
            << QByteArrayList{"FAKE#RAT=02", "AT!SELRAT=06\r", cops, cops} << QByteArrayList{ok, ok, umts, lte}
            << QByteArray("RAT=06");
        QTest::newRow("limited service") << QByteArrayList{"FAKE#COPS=LIMITED", "FAKE#RAT=05", cops}
                                         << QByteArrayList{ok, ok, "+COPS: 0,0,\"LIMITED SERVICE\",2|OK"}
                                         << QByteArray("COPS=LIMITED");
        QTest::newRow("not registered") << QByteArrayList{"FAKE#COPS=none", cops} << QByteArrayList{ok, "+COPS: 0|OK"}
                                        << QByteArray("COPS=NONE");
        QTest::newRow("book emptied, written")
            << QByteArrayList{cpbr, "FAKE#PHONEBOOK=empty", cpbr, "AT+CPBW=7,\"123\",129,\"Ed\"\r", cpbr}
            << QByteArrayList{twoEntries, ok, ok, ok, "+CPBR: 7,\"123\",129,\"Ed\"|OK"} << QByteArray("PB=1 ");
        QTest::newRow("book restored over changes")
            << QByteArrayList{"AT+CPBW=1\r", "AT+CPBW=9,\"123\",129,\"Ed\"\r", "FAKE#PHONEBOOK=NORMAL", cpbr}
            << QByteArrayList{ok, ok, ok, twoEntries} << QByteArray("PB=2 ");
        // A refused write or erase leaves the position as it was.
        QTest::newRow("book refuses, name too long")
            << QByteArrayList{"FAKE#PBREFUSE=1", "AT+CPBW=1\r", "AT+CPBW=2,\"123\",129,\"Ed\"\r", "FAKE#PBREFUSE=0",
                              "AT+CPBW=2,\"123\",129,\"A name of nineteen.\"\r",
                              "AT+CPBW=3,\"123\",129,\"Eighteen character\"\r", "FAKE#PBREFUSE=2", cpbr}
            << QByteArrayList{ok, error, error, ok, "+CME ERROR: 24", ok, error,
                              twoEntries.chopped(3) + "|+CPBR: 3,\"123\",129,\"Eighteen character\"|OK"}
            << QByteArray("PB=3 ");
    }

    void commandsAnswerFromTheUnitsState() { runSession(); }

    // The SIM's PIN, its tries and its PUK, as the start-up dialogue and the SIM page meet them.
    void pinStateAnswersAsTheSim_data()
    {
        QTest::addColumn<QByteArrayList>("commands");
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<QByteArray>("stateHas");
        const QByteArray cpin = "AT+CPIN?\r", query = "AT+CLCK=\"SC\",2\r", cimi = "AT+CIMI\r";
        const auto pin = [](const char* p) { return QByteArray("AT+CPIN=\"") + p + "\"\r"; };
        const auto lock = [](int on, const char* p) {
            return "AT+CLCK=\"SC\"," + QByteArray::number(on) + ",\"" + p + "\"\r";
        };
        const auto pwd = [](const char* o, const char* n) {
            return QByteArray("AT+CPWD=\"SC\",\"") + o + "\",\"" + n + "\"\r";
        };
        const QByteArray ok = "OK", wrong = "+CME ERROR: 16", pinWanted = "+CME ERROR: 11", pukWanted = "+CME ERROR: 12";
        const QByteArray locked = "FAKE#SIMLOCK=1";
        QTest::newRow("wrong PIN, then the right one")
            << QByteArrayList{locked, pin("1111"), cpin, pin("1234"), cpin, cimi}
            << QByteArrayList{ok, wrong, "+CPIN: SIM PIN|OK", ok, "+CPIN: READY|OK", "260011234567890|OK"}
            << QByteArray("PIN=READY LOCK=1 TRIES=3");
        QTest::newRow("three wrong PINs want the PUK")
            << QByteArrayList{locked, pin("1111"), pin("2222"), pin("3333"), cpin, pin("1234"), cimi, lock(0, "1234"),
                              pwd("1234", "4321")}
            << QByteArrayList{ok, wrong, wrong, wrong, "+CPIN: SIM PUK|OK", pukWanted, pukWanted, pukWanted, pukWanted}
            << QByteArray("PIN=PUK LOCK=1 TRIES=0");
        QTest::newRow("PUK sets a new PIN")
            << QByteArrayList{locked, pin("1"), pin("2"), pin("3"), "AT+CPIN=\"87654321\",\"4321\"\r",
                              "AT+CPIN=\"12345678\",\"4321\"\r", cpin, lock(0, "1234"), lock(0, "4321"), query}
            << QByteArrayList{ok, wrong, wrong, wrong, wrong, ok, "+CPIN: READY|OK", wrong, ok, "+CLCK: 0|OK"}
            << QByteArray("PIN=READY LOCK=0 TRIES=3");
        // A new PIN of two digits is refused without using a try.
        QTest::newRow("PIN change")
            << QByteArrayList{pwd("0000", "4321"), pwd("1234", "12"), pwd("1234", "4321"), lock(1, "4321")}
            << QByteArrayList{wrong, wrong, ok, ok} << QByteArray("PIN=READY LOCK=1 TRIES=3");
        // Quoted where the program quotes them, bare in the unit's own command.
        QTest::newRow("argument forms")
            << QByteArrayList{"AT#PIN=1,4321\r", "AT#PIN=1,\"4321\"\r", "AT+CPIN=1234\r", "AT+CLCK=\"SC\",1,1234\r",
                              "AT+CPWD=\"SC\",1234,4321\r", "AT+CLCK=\"SC\",3,\"1234\"\r"}
            << QByteArrayList{ok, "ERROR", "ERROR", "ERROR", "ERROR", "ERROR"} << QByteArray("PIN=READY LOCK=0 TRIES=3");
        QTest::newRow("control frees the SIM")
            << QByteArrayList{locked, pin("1"), pin("2"), pin("3"), locked, cpin, "FAKE#SIMLOCK=0", cpin, query,
                              "FAKE#SIMLOCK=2", "FAKE#SIMLOCK"}
            << QByteArrayList{ok, wrong, wrong, wrong, ok, "+CPIN: SIM PIN|OK", ok, "+CPIN: READY|OK", "+CLCK: 0|OK",
                              "ERROR", "ERROR"}
            << QByteArray("PIN=READY LOCK=0 TRIES=3");
    }

    void pinStateAnswersAsTheSim() { runSession(); }

    // The network configuration and the data profile that the unit and SIM card pages write.
    void configurationAndProfileAreKept_data()
    {
        QTest::addColumn<QByteArrayList>("commands");
        QTest::addColumn<QByteArrayList>("answers");
        QTest::addColumn<QByteArray>("stateHas");
        const QByteArray cnf = "AT#CNF?\r", cgdcont = "AT+CGDCONT?\r", qcpdpp = "AT$QCPDPP?\r";
        const QByteArray ok = "OK", error = "ERROR";
        const QByteArray own = "ETHERNET ADDRESS: 02:00:00:00:00:01|NETWORK CONFIGURATION: STATIC|"
                               "NETWORK ADDRESS: 127.0.0.1/24|UDP AT COMMAND PORT: %PORT|OK";
        const QByteArray credentials = "AT$QCPDPP=1,1,\"s3cret\",\"web\"\r";
        QTest::newRow("NAT written")
            << QByteArrayList{"AT#CNF=02:00:00:00:00:01,3,172.31.254.1,40000\r", cnf}
            << QByteArrayList{ok, "ETHERNET ADDRESS: 02:00:00:00:00:01|NETWORK CONFIGURATION: NAT ENABLED|"
                                  "NETWORK ADDRESS: 172.31.254.1/24|UDP AT COMMAND PORT: 40000|OK"}
            << QByteArray();
        QTest::newRow("malformed configurations")
            << QByteArrayList{"AT#CNF=02:00:00:00:01,3,10.0.0.7,40000\r", "AT#CNF=02:00:00:00:00:01,NAT,10.0.0.7,40000\r",
                              "AT#CNF=02:00:00:00:00:01,3,10.0.0.256,40000\r",
                              "AT#CNF=02:00:00:00:00:01,3,10.0.0.7,65536\r", cnf}
            << QByteArrayList{error, error, error, error, own} << QByteArray();
        QTest::newRow("APN written")
            << QByteArrayList{"AT!SCACT=0,1\r", "AT+CGDCONT=1,\"IP\",\"web.example\"\r", cgdcont}
            << QByteArrayList{ok, ok, "+CGDCONT: 1,\"IP\",\"web.example\",\"0.0.0.0\",0,0|OK"}
            << QByteArray("APN=web.example");
        // The password comes first in the write form and never in the read form.
        QTest::newRow("password before user")
            << QByteArrayList{credentials, qcpdpp} << QByteArrayList{ok, "$QCPDPP: 1,1,\"web\"|OK"}
            << QByteArray("USER=web PASS=s3cret");
        QTest::newRow("password shown by the switch")
            << QByteArrayList{"FAKE#SHOWPASSWORD=1", credentials, qcpdpp, "FAKE#SHOWPASSWORD=0", qcpdpp}
            << QByteArrayList{ok, ok, "$QCPDPP: 1,1,\"web\",\"s3cret\"|OK", ok, "$QCPDPP: 1,1,\"web\"|OK"}
            << QByteArray("USER=web PASS=s3cret");
        QTest::newRow("credentials refused")
            << QByteArrayList{"AT$QCPDPP=1,1,\"s3cret\"\r", "AT$QCPDPP=1,3,\"s3cret\",\"web\"\r",
                              "AT$QCPDPP=1,1,s3cret,web\r", "AT$QCPDPP=2,0\r", "FAKE#SHOWPASSWORD=yes", qcpdpp}
            << QByteArrayList{error, error, error, error, error, "$QCPDPP: 1,0|OK"} << QByteArray("USER= PASS=");
    }

    void configurationAndProfileAreKept() { runSession(); }

    // Whatever comes between "AT+CMGS" and Ctrl-Z is the message; `sent` lists the messages the
    // unit took as "destination|coding|parts|text", and `logHas` lines its log must hold.
    void sendingTakesWhatFollowsThePrompt_data()
    {
        QTest::addColumn<QByteArrayList>("datagrams");
        QTest::addColumn<QByteArrayList>("replies");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QByteArrayList>("logHas");
        const QByteArray ok = "\r\n\r\nOK\r\n";
        QTest::newRow("7-bit with extension characters")
            << QByteArrayList{"AT+CMGF=0\r", "AT+CMGS=34\r", sendPdu(kSevenBit)}
            << QByteArrayList{"AT+CMGF=0" + ok, "AT+CMGS=34\r\n> ", taken(kSevenBit, 1)}
            << QStringList{QString::fromUtf8("+48600100200|7-bit|1|Price 5\u20ac [ok] @home")}
            << QByteArrayList{"sms to +48600100200, 7-bit, single: \"Price 5\xe2\x82\xac [ok] @home\""};
        QTest::newRow("two parts joined")
            << QByteArrayList{"AT+CMGS=35\r", sendPdu(kFirstOfTwo), "AT+CMGS=31\r", sendPdu(kSecondOfTwo)}
            << QByteArrayList{"AT+CMGS=35\r\n> ", taken(kFirstOfTwo, 1), "AT+CMGS=31\r\n> ", taken(kSecondOfTwo, 2)}
            << QStringList{"+48600100200|7-bit|2|Hello {world}, second part."}
            << QByteArrayList{"sms to +48600100200, 7-bit, part 1/2, reference 42 (8-bit): \"Hello {world}, \"",
                              "sms to +48600100200, 7-bit, part 2/2, reference 42 (8-bit): \"second part.\"",
                              "sms to +48600100200, 2 parts joined: \"Hello {world}, second part.\""};
        QTest::newRow("one part of two")
            << QByteArrayList{"AT+CMGS=31\r", sendPdu(kSecondOfTwo)}
            << QByteArrayList{"AT+CMGS=31\r\n> ", taken(kSecondOfTwo, 1)} << QStringList{} << QByteArrayList{};
        QTest::newRow("length not the TPDU's")
            << QByteArrayList{"AT+CMGS=33\r", sendPdu(kSevenBit), "AT\r"}
            << QByteArrayList{"AT+CMGS=33\r\n> ", refused(kSevenBit), "AT" + ok} << QStringList{}
            << QByteArrayList{"PDU refused: TPDU of 34 octets, 33 announced"};
        // The fault that keeps the link quiet while the composer sends: a probe at the prompt.
        QTest::newRow("a command at the prompt")
            << QByteArrayList{"AT+CMGS=34\r", "AT#\r", sendPdu(kSevenBit)}
            << QByteArrayList{"AT+CMGS=34\r\n> ", "AT#\r\n> ", refused(kSevenBit)} << QStringList{}
            << QByteArrayList{"taken as message text at the prompt: \"AT#\\r\""};
        QTest::newRow("text mode")
            << QByteArrayList{"AT+CMGF=1\r", "AT+CMGS=\"600100300\"\r", "Hello\r", "there\x1a"}
            << QByteArrayList{"AT+CMGF=1" + ok, "AT+CMGS=\"600100300\"\r\n> ", "Hello\r\n> ", "there\r\n+CMGS: 1" + ok}
            << QStringList{"600100300|text|1|Hello\rthere"}
            << QByteArrayList{"text-mode sms to 600100300: \"Hello\\rthere\""};
        // What the composer sends after a short code left the unit in text mode.
        QTest::newRow("a PDU in text mode")
            << QByteArrayList{"AT+CMGF=1\r", "AT+CMGS=34\r", sendPdu(kSevenBit)}
            << QByteArrayList{"AT+CMGF=1" + ok, "AT+CMGS=34\r\n> ", taken(kSevenBit, 1)}
            << QStringList{"34|text|1|" + QString::fromLatin1(kSevenBit)} << QByteArrayList{"text-mode sms to 34"};
        QTest::newRow("no-prompt switch")
            << QByteArrayList{"FAKE#CMGS=NOPROMPT", "AT+CMGS=34\r", "AT#RUN=1\r", "\x1b\r"}
            << QByteArrayList{"OK\r\n", "AT+CMGS=34\r\n", "AT#RUN=1\r\n> ", ok} << QStringList{}
            << QByteArrayList{"at the prompt without showing it"};
        QTest::newRow("no-result switch")
            << QByteArrayList{"FAKE#CMGS=NORESULT", "AT+CMGS=34\r", sendPdu(kSevenBit), "AT\r"}
            << QByteArrayList{"OK\r\n", "AT+CMGS=34\r\n> ", QByteArray(), "AT" + ok} << QStringList{}
            << QByteArrayList{"message taken without a result"};
    }

    void sendingTakesWhatFollowsThePrompt()
    {
        QFETCH(QByteArrayList, datagrams);
        QFETCH(QByteArrayList, replies);
        QFETCH(QStringList, sent);
        QFETCH(QByteArrayList, logHas);
        QBuffer log;
        QVERIFY(log.open(QIODevice::WriteOnly));
        unit->log = &log;
        QCOMPARE(exchange(datagrams, replies), replies);
        QStringList found;
        for (const FakeUnit::SentSms& each : qAsConst(unit->sentMessages))
            found << QStringList{each.destination, each.coding, QString::number(each.parts), each.text}.join('|');
        QCOMPARE(found, sent);
        for (const QByteArray& line : logHas)
            QVERIFY2(log.data().contains(line), log.data().constData());
    }

    void decoderReadsWhatTheStandardAllows_data()
    {
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("read");   // "destination|coding|reference/bits|part/count|text", or the refusal
        QTest::newRow("UCS2 part, 16-bit reference")
            << QByteArray("07918406921511F1" "51000B918406100002F00008AA1D" "060804123403020043007A0119015B0107002000640072007500670061")
            << 43 << QString::fromUtf8("+48600100200|UCS2|4660/16|2/3|Cz\u0119\u015b\u0107 druga");
        QTest::newRow("user data short") << QByteArray("00" "1100038121F30004AA05" "436166E9") << 14
                                         << "4 octets of user data where its length calls for 5";
        QTest::newRow("reserved alphabet") << QByteArray("00" "1100038121F3000CAA04" "436166E9") << 14
                                           << "reserved alphabet";
        QTest::newRow("part 3 of 2") << QByteArray("00" "51000B918406100002F00000AA13" "0500032A0203" "E6E5F1DB4D06C1C372BA0B")
                                     << 31 << "part 3 of 2";
    }

    void decoderReadsWhatTheStandardAllows()
    {
        QFETCH(QByteArray, pdu);
        QFETCH(int, length);
        QFETCH(QString, read);
        FakeSubmit submit;
        QString why;
        if (FakeSubmit::decode(pdu, length, &submit, &why)) {
            why = QStringList{submit.destination, FakeSubmit::codingName(submit.coding),
                              QStringLiteral("%1/%2").arg(submit.reference).arg(submit.referenceBits),
                              QStringLiteral("%1/%2").arg(submit.partNumber).arg(submit.partCount), submit.text}
                      .join('|');
        }
        QCOMPARE(why, read);
    }

    void controlsSetAndReportTheState()
    {
        QCOMPARE(ask("FAKE#STATE").bytes, QByteArray("RAT=00 BAND=03 GBAND=0000000000000000,0000000000080000 RUN=1 "
                                                     "CMGF=0 CMGS=NORMAL COPS=NORMAL SENT=0 PB=2 PIN=READY LOCK=0 "
                                                     "TRIES=3 APN=internet USER= PASS=\r\nOK\r\n"));
        for (const char* control :
             {"FAKE#RAT=06", "FAKE#BAND=00", "FAKE#CMGS=noprompt", "FAKE#COPS=LIMITED", "FAKE#PHONEBOOK=EMPTY"})
            QCOMPARE(ask(control).bytes, QByteArray("OK\r\n"));
        ask("AT#RUN=0\r");
        ask("AT+CMGF=1\r");
        ask("AT#PIN=2,4321\r");
        QCOMPARE(unit->slotPins.value(2), QStringLiteral("4321"));
        QCOMPARE(ask("FAKE#STATE").bytes, QByteArray("RAT=06 BAND=00 GBAND=000000000FFFFFFF,00000000FFFFFFFF RUN=0 "
                                                     "CMGF=1 CMGS=NOPROMPT COPS=LIMITED SENT=0 PB=0 PIN=READY LOCK=0 "
                                                     "TRIES=3 APN=internet USER= PASS=\r\nOK\r\n"));
        for (const char* control : {"FAKE#RAT=04", "FAKE#RAT", "FAKE#BAND=3", "FAKE#CMGS=LOUD", "FAKE#COPS=",
                                    "FAKE#PHONEBOOK=FULL", "FAKE#PHONEBOOK"})
            QCOMPARE(ask(control).bytes, QByteArray("ERROR\r\n"));
    }

    void garbageRepeatsForItsSeedAndEndsAtZero()
    {
        replies(*unit);   // reading marks the SIM's message read; from now on the replies stay
        const QList<QByteArray> plain = replies(*unit);
        const auto garbled = [this](quint32 seed) {
            std::unique_ptr<FakeUnit> other = openUnit();
            if (ask(*other, "FAKE#GARBAGE=" + QByteArray::number(seed)).bytes != "OK\r\n")
                return QList<QByteArray>();
            return replies(*other);
        };
        const QList<QByteArray> first = garbled(7);
        QCOMPARE(first.size(), plain.size());
        QVERIFY(first != plain);
        QCOMPARE(garbled(7), first);
        QVERIFY(garbled(8) != first);

        QCOMPARE(ask("FAKE#GARBAGE=7").bytes, QByteArray("OK\r\n"));
        QCOMPARE(ask("FAKE#GARBAGE=0").bytes, QByteArray("OK\r\n"));
        QCOMPARE(replies(*unit), plain);
        QCOMPARE(ask("FAKE#GARBAGE=seven").bytes, QByteArray("ERROR\r\n"));
    }

    void floodIsBounded_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("limitMs");
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("maxSent");
        // At 500 a second, 300 ms allow about 150.
        QTest::newRow("time bound") << QByteArray("1000,500") << 300 << 1000 << 152;
        QTest::newRow("count bound") << QByteArray("150000,500") << 200 << FakeUnit::FloodMaxDatagrams << 102;
    }

    void floodIsBounded()
    {
        QFETCH(QByteArray, control);
        QFETCH(int, limitMs);
        QFETCH(int, total);
        QFETCH(int, maxSent);
        unit->floodLimitMs = limitMs;
        QCOMPARE(ask("FAKE#FLOOD=" + control).bytes, QByteArray("ERROR\r\n"));   // nobody to flood yet
        ask("AT\r");
        QSignalSpy ended(unit.get(), &FakeUnit::floodEnded);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(ask("FAKE#FLOOD=" + control).bytes, QByteArray("OK\r\n"));
        QCOMPARE(unit->floodTotal, total);
        QVERIFY(ended.wait(2000));
        QVERIFY2(clock.elapsed() >= limitMs - 10, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(unit->floodSent >= maxSent * 58 / 100 && unit->floodSent <= maxSent,
                 qPrintable(QString::number(unit->floodSent)));
        QCOMPARE(ended.first().first().toInt(), unit->floodSent);
        QCOMPARE(unit->floodRefused, 0);
    }

    void floodRepeatsForItsSeedAndStopsAtZero()
    {
        const auto flood = [this](const QByteArray& control) {
            ask("AT\r");
            client->writeDatagram("FAKE#FLOOD=" + control, QHostAddress::LocalHost, unit->port());
            QList<QByteArray> got;
            for (const Answer& answer : collect(*client, 31))
                got.append(answer.bytes);
            got.removeOne("OK\r\n");
            return got;
        };
        const QList<QByteArray> first = flood("30,300,11");
        QCOMPARE(first.size(), 30);
        QCOMPARE(flood("30,300,11"), first);
        QVERIFY(flood("30,300,12") != first);

        ask("AT\r");
        QSignalSpy ended(unit.get(), &FakeUnit::floodEnded);
        QCOMPARE(ask("FAKE#FLOOD=1000,100").bytes, QByteArray("OK\r\n"));
        QVERIFY(unit->flooding());
        // Datagrams of the flood may come before the answer.
        client->writeDatagram("FAKE#FLOOD=0", QHostAddress::LocalHost, unit->port());
        QTRY_COMPARE(ended.size(), 1);
        QVERIFY(!unit->flooding());
        QVERIFY(unit->floodSent < 1000);
    }

    // The radio status follows FAKE#RADIO, its level stepping on from report to report.
    void radioStatusFollowsItsControl()
    {
        const auto line = [this](const char* label) {
            const QList<QByteArray> lines = ask("AT!GSTATUS?\r").bytes.split('\n');
            for (const QByteArray& each : lines) {
                if (each.startsWith(label))
                    return each.trimmed();
            }
            return QByteArray();
        };
        QCOMPARE(line("RSSI (dBm):"), QByteArray("RSSI (dBm):    -67\t\tTx Power:    0"));
        QCOMPARE(ask("FAKE#RADIO=3g").bytes, QByteArray("OK\r\n"));
        QCOMPARE(line("RxM RSSI C0:"), QByteArray("RxM RSSI C0:   -63\t\tRxD RSSI C0:  -65"));
        QCOMPARE(ask("FAKE#RADIO=2G").bytes, QByteArray("OK\r\n"));
        QCOMPARE(line("RX level (dBm):"), QByteArray("RX level (dBm): -59\t\tTx power (dBm): 30"));
        QCOMPARE(ask("FAKE#RADIO=NONE").bytes, QByteArray("OK\r\n"));
        QCOMPARE(line("RSSI (dBm):"), QByteArray("RSSI (dBm):    ---\t\tTx Power:    0"));
        QCOMPARE(ask("FAKE#RADIO=5G").bytes, QByteArray("ERROR\r\n"));
    }

    // Only the next datagram that is not a control's answer leaves from the other address.
    void fromSendsTheNextReplyFromAnotherAddress()
    {
        const QHostAddress other(QStringLiteral("127.0.0.2"));
        const Answer control = ask("FAKE#FROM=127.0.0.2");
        QCOMPARE(control.bytes, QByteArray("OK\r\n"));
        QCOMPARE(control.from, QHostAddress(QHostAddress::LocalHost));
        const Answer moved = ask("AT+CGSN\r");
        QVERIFY(moved.bytes.startsWith("AT+CGSN\r\n356000000000017"));
        QCOMPARE(moved.from, other);
        QCOMPARE(moved.fromPort, unit->port());
        QCOMPARE(ask("AT+CGSN\r").from, QHostAddress(QHostAddress::LocalHost));

        ask("FAKE#FROM=127.0.0.2");
        unit->sendUnsolicited("RING");
        const QVector<Answer> unsolicited = collect(*client, 1);
        QCOMPARE(unsolicited.size(), 1);
        QCOMPARE(unsolicited.first().from, other);
    }

    void fromIsRefusedWhereItCannotBind()
    {
        for (const char* address : {"192.0.2.1", "127.0.0.1"}) {   // not of this host (never sent to); the unit's
            QCOMPARE(ask(QByteArray("FAKE#FROM=") + address).bytes, QByteArray("ERROR\r\n"));
            QCOMPARE(ask("AT+CGSN\r").from, QHostAddress(QHostAddress::LocalHost));
        }
    }
};

QTEST_GUILESS_MAIN(TestFakeUnit)
#include "tst_fakeunit.moc"
