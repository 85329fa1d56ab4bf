#include "sms/SmsPduDecoder.h"

#include <QRandomGenerator>
#include <QtTest>

// Where the PDUs come from:
// - Tutorial: the SMS-DELIVER of Lars Pettersson's "SMS and the PDU format", "hellohello".
// - NodePdu: the example in the read-me of the node-pdu package, "Hello, world!".
// - the others by hand: field by field from TS 23.040 / 23.038, packed by a bit-string packer
//   written apart from this codec, and read back with node-pdu 2.1.1 to the same values.
namespace {

const QByteArray Tutorial = "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37";
const QByteArray NodePdu = "07919730071111F1000B919746121611F10000811170021222230DC8329BFD6681EE6F399B1C02";
// The ones by hand up to TP-DCS, without and with a user-data header, and their time stamp.
const QByteArray Head = "07918497908952F0040B918406214365F700";
const QByteArray HeadUdh = "07918497908952F0440B918406214365F700";
const QByteArray Time = "62502191147500";
const QByteArray Ucs2Data = "1E041F04400438043204350442002C0020015B007700690065006300690065";
const QByteArray EightBit = "050102007FFF";
const QByteArray Concat8 = HeadUdh + "00" + Time + "17050003A70201A061391DF47697416F33887E7F831A";
const QByteArray Concat16 = HeadUdh + "00" + Time + "1306080412340302ED3499CC2E83E061391D";
const QByteArray PortFirst = HeadUdh + "00" + Time + "220B05040B840B840003C4030184CDF4B21C1406C1DF723AA8CC2EB7CB6E3A";
const QByteArray Ucs2Part = HeadUdh + "08" + Time + "1C0500035A02020043007A0119015B0107002000640072007500670061";
const QByteArray Report = "07918497908952F0062A0B918406214365F7625021911475006250219124300000";
const QString Ours = "+48790998250|+48601234567|2026-05-12 19:41:57.000"; // SMSC, sender, time by hand

QByteArray withOctet(QByteArray pdu, int at, const char* octet) { return pdu.replace(at, 2, octet); }

} // namespace

class TestSmsDecoder : public QObject {
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fields"); // SMSC, sender, time; of a report MR, recipient, times, status
        QTest::addColumn<QVector<int>>("concatenation"); // reference, count, number
        QTest::addColumn<bool>("acceptSubmit");
        auto row = [](const QByteArray& name, const QByteArray& pdu, const QString& text, const QString& fields = Ours,
                      QVector<int> concat = {}, int kind = SmsPduDecoder::Deliver, bool acceptSubmit = true) {
            QTest::newRow(name.constData()) << pdu << kind << text << fields << concat << acceptSubmit;
        };
        const QString tutorial = "+27381000015|27838890001|2099-03-29 15:16:59.000";
        const QString nodePdu = "+79037011111|+79642161111|2018-11-07 20:21:22.000";
        const QString national = "+48790998250|0601234567|2026-05-12 19:41:57.000";
        const QString ucs2 = QString::fromUtf8("Привет, świecie");
        row("tutorial", Tutorial, "hellohello", tutorial);
        row("node-pdu", NodePdu, "Hello, world!", nodePdu);
        row("lower case, line end", NodePdu.toLower() + "\r\n", "Hello, world!", nodePdu);
        row("@ and extension, no SMSC", "00040B918406214365F70000" + Time + "2100F4BB5D066D50F84D0AB429D7401B5E78E3D"
            "BF436AF0D704301450400", QString::fromUtf8("@home {x} €5 [a]~\\|^ _$@"), '|' + Ours.section('|', 1));
        // Seven septets leave seven spare bits holding the CR pad, which is no character.
        row("7 septets, CR pad", Head + "00" + Time + "0731D98C56B3DD1A", "1234567");
        row("alphanumeric", "07918497908952F0040DD049B7F93D6D4E010000" + Time + "11D9775D0E1ABFC965507A0E8AC96634",
            "Your code is 1234", "+48790998250|InfoSMS|2026-05-12 19:41:57.000");
        row("national number, even", "07918497908952F0040AA160103254760000" + Time + "02E834", "hi", national);
        row("unknown number, even", "07918497908952F0040A8160103254760000" + Time + "02E834", "hi", national);
        row("UCS2", Head + "08" + Time + Ucs2Data, ucs2);
        row("8-bit reference", Concat8, "Part one of two ", Ours, {0xA7, 2, 1});
        row("16-bit reference", Concat16, "middle part", Ours, {0x1234, 3, 2});
        row("UCS2 part", Ucs2Part, QString::fromUtf8("Część druga"), Ours, {0x5A, 2, 2});
        // Only the concatenation elements (IEI 00 and 08) count; others are stepped over, even when
        // their octets would make sense as one.
        row("port element first", PortFirst, "after a port element", Ours, {0xC4, 3, 1});
        row("element 01 of 3 octets", withOctet(Concat8, 56, "01"), "Part one of two ");
        row("element 05 of 4 octets", withOctet(Concat16, 56, "05"), "middle part");
        row("part beyond its count", withOctet(Concat8, 64, "03"), "Part one of two "); // part 3 of 2: ignored
        // Coding groups: 00xx/01xx by bits 3-2 (compressed or reserved: no class), 10xx reserved,
        // 1100/1101 7-bit, 1110 UCS2, 1111 by bit 2.
        for (const char* dcs : {"00", "11", "42", "C0", "D8", "F0", "F3", "F8"})
            row("7-bit " + QByteArray(dcs), withOctet(Tutorial, 36, dcs), "hellohello", tutorial);
        for (const char* dcs : {"08", "1B", "48", "E0", "EF"})
            row("UCS2 " + QByteArray(dcs), Head + dcs + Time + Ucs2Data, ucs2);
        for (const char* dcs : {"04", "15", "F4", "FF"}) // 8-bit data 01 02 00 7F FF: the text ends at the 00
            row("8-bit " + QByteArray(dcs), Head + dcs + Time + EightBit, QString::fromLatin1("\1\2\0\x7f\xff", 5));
        for (const char* dcs : {"0C", "24", "60", "84", "BF"})
            row("no class " + QByteArray(dcs), Head + dcs + Time + EightBit, QString());

        // Every first octet with TP-MTI 10 is a status report.
        const QString report = "42|+48601234567|2026-05-12 19:41:57.000|2026-05-12 19:42:03.000|";
        const int isReport = SmsPduDecoder::StatusReport;
        row("report 06", Report, QString(), report + "0", {}, isReport);
        row("report 26", withOctet(Report, 16, "26"), QString(), report + "0", {}, isReport);
        row("report 02, 40", withOctet(withOctet(Report, 16, "02"), 64, "40"), QString(), report + "64", {}, isReport);
        row("report with parameter indicator", Report + "0300", QString(), report + "0", {}, isReport);

        // Refused, leaving nothing of the message decoded before.
        auto refused = [&row](const QByteArray& name, const QByteArray& pdu, bool acceptSubmit = true) {
            row(name, pdu, QString(), QString(), {}, SmsPduDecoder::Nothing, acceptSubmit);
        };
        const int udlAt = Tutorial.size() - 20, udhAt = Concat8.indexOf("050003");
        refused("empty", QByteArray());
        refused("odd length", Tutorial.left(71));
        refused("not hexadecimal", withOctet(Tutorial, 20, "G8"));
        refused("SMSC of 17 octets", withOctet(Tutorial, 0, "11"));
        refused("address of 31 digits", withOctet(Tutorial, 18, "1F"));
        refused("SMS-SUBMIT", withOctet(Tutorial, 16, "01"), false);
        refused("reserved type", withOctet(Tutorial, 16, "03"));
        refused("7-bit, a septet more than sent", withOctet(Tutorial, udlAt, "0B"));
        refused("7-bit, above 160", withOctet(Tutorial, udlAt, "A1"));
        refused("8-bit, an octet more", Head + "04" + Time + "060102007FFF");
        refused("UCS2, above 140", Head + "08" + Time + "8D" + QByteArray(282, '0'));
        refused("header past the user data", withOctet(Concat8, udhAt, "FF"));
        refused("element past the header", withOctet(Concat8, udhAt + 4, "05"));
        refused("element cut short", withOctet(Concat8, udhAt, "01"));
        refused("header on no user data", HeadUdh + "00" + Time + "00");
        for (const QByteArray& full : {Tutorial, Concat8, Report})
            for (int length = 2; length < full.size(); length += 2)
                refused(full.mid(16, 2) + " cut at " + QByteArray::number(length), full.left(length));
    }

    void decode()
    {
        QFETCH(QByteArray, pdu);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, fields);
        QFETCH(QVector<int>, concatenation);
        QFETCH(bool, acceptSubmit);
        SmsPduDecoder decoder;
        QVERIFY(decoder.decode(Tutorial.constData()));
        decoder.setAcceptSubmit(acceptSubmit);
        QCOMPARE(decoder.decode(pdu.constData()), kind != SmsPduDecoder::Nothing);
        QCOMPARE(decoder.kind(), kind);
        QCOMPARE(decoder.text(), text);
        SmsDeliverPdu d;
        SmsStatusReportPdu r;
        QCOMPARE(decoder.getDeliverPdu(&d), kind == SmsPduDecoder::Deliver);
        QCOMPARE(decoder.getStatusReportPdu(&r), kind == SmsPduDecoder::StatusReport);
        const QStringList got = kind == SmsPduDecoder::Deliver ? QStringList{d.smscAddress, d.originator, d.timestamp}
            : kind == SmsPduDecoder::StatusReport ? QStringList{QString::number(r.messageReference), r.recipient,
                                                                r.timestamp, r.dischargeTime, QString::number(r.status)}
                                                  : QStringList();
        QCOMPARE(got.join('|'), fields);
        const SmsPart& p = decoder.part;
        QCOMPARE(decoder.concatenated ? QVector<int>({p.reference, p.partCount, p.partNumber}) : QVector<int>(),
                 concatenation);
        if (decoder.concatenated)
            QCOMPARE(p.sender + '|' + p.time.toString("yyyy-MM-dd HH:mm:ss.zzz") + '|' + p.text,
                     fields.section('|', 1) + '|' + text);
    }

    // Random and mutated PDUs: none may crash the decoder or make it read outside its data (the
    // sanitizer build watches that), and what it accepts is consistent. The seed is fixed.
    void randomAndMutatedPdus()
    {
        // The last two are SMS-SUBMIT PDUs as the encoder makes them, a single one and a part.
        const QVector<QByteArray> seeds = {
            Tutorial, Concat16, PortFirst, Report, Head + "04" + Time + EightBit, Ucs2Part,
            "07918497908952F031000B918406214365F70000A70AE8329BFD4697D9EC37",
            "07918497908952F071000B918406214365F70000A7110608040201020231D98C56B3DD7039"};
        QRandomGenerator random(20260512);
        auto randomHex = [&random](int octets) {
            QByteArray bytes(octets, '\0');
            for (char& b : bytes)
                b = char(random.bounded(256));
            return bytes.toHex().toUpper();
        };
        int accepted = 0;
        for (int round = 0; round < 6000; ++round) {
            QByteArray pdu = round < 1000 ? randomHex(random.bounded(180)) : seeds.at(random.bounded(seeds.size()));
            for (int edit = random.bounded(5); edit > 0 && pdu.size() >= 2; --edit) {
                // Length and type octets sit near the front; bias edits there.
                const int at = 2 * random.bounded(random.bounded(3) ? qMin(24, pdu.size() / 2) : pdu.size() / 2);
                switch (random.bounded(4)) {
                case 0: pdu.replace(at, 2, randomHex(1)); break;
                case 1: pdu.truncate(at); break;
                case 2: pdu.insert(at, randomHex(1 + random.bounded(8))); break;
                default: pdu.replace(at, 2, random.bounded(2) ? "FF" : "00"); break;
                }
            }
            SmsPduDecoder decoder;
            decoder.setAcceptSubmit(round % 3 == 0);
            const bool ok = decoder.decode(pdu.constData());
            accepted += ok;
            SmsDeliverPdu deliver;
            SmsStatusReportPdu report;
            QCOMPARE(decoder.getDeliverPdu(&deliver) || decoder.getStatusReportPdu(&report), ok);
            QCOMPARE(decoder.kind() == SmsPduDecoder::Nothing, !ok);
            const SmsPart& p = decoder.part;
            QVERIFY(!decoder.concatenated || (p.partNumber >= 1 && p.partNumber <= p.partCount));
            if (QTest::currentTestFailed())
                QFAIL(pdu.constData());
        }
        QVERIFY2(accepted > 300, qPrintable(QString::number(accepted))); // the mutations still get past the checks
    }
};

QTEST_GUILESS_MAIN(TestSmsDecoder)
#include "tst_smsdecoder.moc"
