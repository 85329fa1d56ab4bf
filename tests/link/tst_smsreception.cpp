#include "FakeSms.h"
#include "link/CZKCommandInterpreter.h"
#include "link/ReceptionSupport.h"

#include <QtTest>

namespace {

// Known PDUs: the SMS-DELIVER of Lars Pettersson's "SMS and the PDU format" tutorial
// ("hellohello"), and a status report taken field by field from TS 23.040.
const char* const kTutorialPdu = "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37";
const char* const kStatusReportPdu = "07918497908952F0062A0B918406214365F7625021911475006250219124300000";

// The unit's answer to "AT+CMGR" in PDU mode.
QString read(const QString& pdu)
{
    return QStringLiteral("AT+CMGR=1\r\n+CMGR: 0,,%1\r\n%2\r\n\r\nOK\r\n").arg(FakeSms::tpduLength(pdu.toLatin1())).arg(pdu);
}

QString single(const QString& text, quint8 dataCoding = 0x00)
{
    FakeSms sms;
    sms.text = text;
    sms.dataCoding = dataCoding;
    return QString::fromLatin1(sms.pdu());
}

// Part `number` of a concatenated message; its time stamp's seconds are the part number, so
// the stored time tells which part came last.
QString part(const char* sender, quint16 reference, quint8 count, quint8 number, const QString& text)
{
    FakeSms sms;
    sms.sender = QLatin1String(sender);
    sms.reference = reference;
    sms.partCount = count;
    sms.partNumber = number;
    sms.text = text;
    sms.time = QStringLiteral("2605121941%1").arg(number, 2, 10, QLatin1Char('0'));
    return QString::fromLatin1(sms.pdu());
}

} // namespace

// SMS read from the SIM and USSD answers, stored through the interpreter into a temporary
// database. Each step is a reply handed to `interpret`, or one of the actions "!no SIM",
// "!SIM" (the card in slot 0 inactive or active), "!refuse" and "!accept" (inserts into the
// message table fail or succeed).
class TestSmsReception : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { messageProxy()->start(); }
    void init() { bus.take(); }
    void reception_data();
    void reception();

private:
    BusRecorder bus;
};

void TestSmsReception::reception_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<QString>("stored");

    const QString stored = QStringLiteral("RECEIVED_SMS");
    const QString kept = QStringLiteral("RECEIVED_SMS=KEEP");
    const QString ussd = QStringLiteral("RECEIVED_USSD");
    const QString at = QStringLiteral("2026-05-12 19:41:57");
    const QString a1 = part("+48600100200", 0x1234, 2, 1, "Part one, ");
    const QString a2 = part("+48600100200", 0x1234, 2, 2, "part two.");
    const QString b1 = part("+48600100300", 0x1234, 2, 1, "Other one, ");
    const QString b2 = part("+48600100300", 0x1234, 2, 2, "other two.");
    const QString joinedA = QStringLiteral("+48600100200|Part one, part two.|2026-05-12 19:41:02|0|0");

    QTest::newRow("single, known PDU") << QStringList{read(kTutorialPdu)} << QStringList{stored}
                                       << "27838890001|hellohello|2099-03-29 15:16:59|0|0";
    QTest::newRow("single, UCS2") << QStringList{read(single(QStringLiteral("Zażółć gęślą jaźń"), 0x08))}
                                  << QStringList{stored}
                                  << QStringLiteral("+48600100200|Zażółć gęślą jaźń|%1|0|0").arg(at);
    for (const quint8 dcs : {0x10, 0x13, 0xC0, 0xD1, 0xF0, 0xF1}) {
        QTest::addRow("7-bit class %02X", dcs) << QStringList{read(single("Class test", dcs))} << QStringList{stored}
                                              << QStringLiteral("+48600100200|Class test|%1|0|0").arg(at);
    }

    QTest::newRow("two parts in order") << QStringList{read(a1), read(a2)} << QStringList{stored, stored} << joinedA;
    QTest::newRow("two parts, last first") << QStringList{read(a2), read(a1)} << QStringList{stored, stored}
                                           << "+48600100200|Part one, part two.|2026-05-12 19:41:01|0|0";
    QTest::newRow("three parts, 1 3 2")
        << QStringList{read(part("+4860", 9, 3, 1, "a")), read(part("+4860", 9, 3, 3, "c")),
                       read(part("+4860", 9, 3, 2, "b"))}
        << QStringList{stored, stored, stored} << "+4860|abc|2026-05-12 19:41:02|0|0";
    QTest::newRow("two senders, one reference") << QStringList{read(a1), read(b1), read(a2), read(b2)}
                                                << QStringList{stored, stored, stored, stored}
                                                << joinedA + ";+48600100300|Other one, other two.|2026-05-12 19:41:02|0|0";
    QTest::newRow("same reference, other count")
        << QStringList{read(a1), read(part("+48600100200", 0x1234, 3, 3, "x")), read(a2)}
        << QStringList{stored, stored, stored} << joinedA;
    QTest::newRow("part read twice") << QStringList{read(a1), read(a1), read(a2)} << QStringList{stored, stored, stored}
                                     << joinedA;
    QTest::newRow("reference used again after a set was stored")
        << QStringList{read(a1), read(a2), read(part("+48600100200", 0x1234, 2, 2, "again.")),
                       read(part("+48600100200", 0x1234, 2, 1, "Once "))}
        << QStringList{stored, stored, stored, stored}
        << joinedA + ";+48600100200|Once again.|2026-05-12 19:41:01|0|0";
    QTest::newRow("status report") << QStringList{read(kStatusReportPdu)} << QStringList{stored} << "";
    QTest::newRow("PDU that does not decode") << QStringList{read("0011ZZ")} << QStringList{kept} << "";
    QTest::newRow("PDU cut short") << QStringList{read(QString::fromLatin1(kTutorialPdu).left(40))}
                                   << QStringList{kept} << "";
    QTest::newRow("no PDU line") << QStringList{"AT+CMGR=1\r\n+CMGR: 0,,0", "\r\nOK\r\n"} << QStringList{kept} << "";
    QTest::newRow("error ends the read") << QStringList{"AT+CMGR=1\r\n+CMGR: 0,,0\r\n", "ERROR\r\n", "OK\r\n"}
                                         << QStringList{"ERROR"} << "";
    QTest::newRow("no active SIM, then one")
        << QStringList{"!no SIM", read(kTutorialPdu), "!SIM", read(kTutorialPdu)} << QStringList{kept, stored}
        << "27838890001|hellohello|2099-03-29 15:16:59|0|0";
    QTest::newRow("no active SIM: the set is joined once there is one")
        << QStringList{"!no SIM", read(a1), read(a2), "!SIM", read(a1), read(a2)}
        << QStringList{kept, kept, stored, stored} << joinedA;
    QTest::newRow("insert refused: the set is joined again")
        << QStringList{read(a1), "!refuse", read(a2), "!accept", read(a2)} << QStringList{stored, kept, stored}
        << joinedA;

    QTest::newRow("USSD, one datagram") << QStringList{"\r\n+CUSD: 0,\"Balance: 5,00 EUR\",15\r\n"}
                                        << QStringList{ussd} << "Network|Balance: 5,00 EUR|now|1|0";
    QTest::newRow("USSD, two datagrams") << QStringList{"\r\n+CUSD: 1,\"Line one\r\n", "Line two\",15\r\n"}
                                         << QStringList{ussd} << "Network|Line one\r\nLine two|now|1|0";
    QTest::newRow("USSD, second datagram starts with a line break")
        << QStringList{"\r\n+CUSD: 1,\"Menu", "\r\n1 Data\r\n2 Voice\",15\r\n"} << QStringList{ussd}
        << "Network|Menu\r\n1 Data\r\n2 Voice|now|1|0";
    QTest::newRow("USSD, three datagrams") << QStringList{"+CUSD: 1,\"a\r\n", "b\r\n", "c\",15\r\nOK\r\n"}
                                           << QStringList{ussd} << "Network|a\r\nb\r\nc|now|1|0";
    QTest::newRow("USSD cut off by OK")
        << QStringList{"+CUSD: 1,\"a\r\n", "OK\r\n", "AT+CIMI\r\n260011234567890\r\n"}
        << QStringList{"IMSI=260011234567890"} << "";
    QTest::newRow("USSD, no active SIM") << QStringList{"!no SIM", "+CUSD: 0,\"Balance\",15\r\n"}
                                         << QStringList{ussd} << "";
}

void TestSmsReception::reception()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, keys);
    QFETCH(QString, stored);

    LoadedDatabase data(activeSimRow());
    QVERIFY(data.loaded);
    CZKCommandInterpreter interpreter;
    for (const QString& step : steps) {
        if (step == QLatin1String("!no SIM") || step == QLatin1String("!SIM"))
            data.db.simCards[0].active = step == QLatin1String("!SIM");
        else if (step == QLatin1String("!refuse"))
            execOnConnection(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON RECEIVE_MESSAGES BEGIN SELECT RAISE(ABORT, 'refused'); END;"));
        else if (step == QLatin1String("!accept"))
            execOnConnection(QStringLiteral("DROP TRIGGER refuse"));
        else
            interpreter.interpret(step);
    }
    QCOMPARE(replyKeys(bus), keys);
    QCOMPARE(storedRows(data.db), stored);
}

QTEST_GUILESS_MAIN(TestSmsReception)
#include "tst_smsreception.moc"
