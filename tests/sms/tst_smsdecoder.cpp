#include "sms/SmsPduDecoder.h"
#include "sms/SmsPduText.h"

#include <QtTest>

#include <ctime>

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
        row("UCS2", Head + "08" + Time + Ucs2Data, ucs2);
        row("8-bit reference", Concat8, "Part one of two ", Ours, {0xA7, 2, 1});
        row("16-bit reference", Concat16, "middle part", Ours, {0x1234, 3, 2});
        // Only the concatenation elements (IEI 00 and 08) count; others are stepped over, even when
        // their octets would make sense as one.
        row("port element first", PortFirst, "after a port element", Ours, {0xC4, 3, 1});
        row("element 01 of 3 octets", withOctet(Concat8, 56, "01"), "Part one of two ");
        row("element 05 of 4 octets", withOctet(Concat16, 56, "05"), "middle part");
        row("part beyond its count", withOctet(Concat8, 64, "03"), "Part one of two "); // part 3 of 2: ignored
        // Coding groups: 00xx/01xx by bits 3-2 (compressed or reserved: no class), 10xx reserved,
        // 1100/1101 7-bit, 1110 UCS2, 1111 by bit 2.
        for (const char* dcs : {"00", "42", "D8", "F3"})
            row("7-bit " + QByteArray(dcs), withOctet(Tutorial, 36, dcs), "hellohello", tutorial);
        for (const char* dcs : {"1B", "E0"})
            row("UCS2 " + QByteArray(dcs), Head + dcs + Time + Ucs2Data, ucs2);
        for (const char* dcs : {"15", "F4"}) // 8-bit data 01 02 00 7F FF is no text
            row("8-bit " + QByteArray(dcs), Head + dcs + Time + EightBit, "0102007FFF");
        // The reserved alphabet value and the reserved groups 1000..1011 are read as the default
        // alphabet, TP-UDL counting septets (ten of them in nine octets here).
        for (const char* dcs : {"4C", "80", "BF"})
            row("reserved " + QByteArray(dcs), withOctet(Tutorial, 36, dcs), "hellohello", tutorial);
        row("reserved, 160 septets", Head + "8C" + Time + "A0" + QByteArray(280, '0'), QString(160, '@'));
        row("reserved, part", withOctet(Concat8, 36, "B4"), "Part one of two ", Ours, {0xA7, 2, 1});
        for (const char* dcs : {"2C", "7F"}) // compressed
            row("no class " + QByteArray(dcs), Head + dcs + Time + EightBit, QString());

        // Every first octet with TP-MTI 10 is a status report.
        const QString report = "42|+48601234567|2026-05-12 19:41:57.000|2026-05-12 19:42:03.000|";
        const int isReport = SmsPduDecoder::StatusReport;
        row("report 06", Report, QString(), report + "0", {}, isReport);
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

    // 8-bit data becomes the stored text: itself when it is UTF-8 text, else all its octets in
    // hexadecimal, so that nothing is cut at a 00 octet and no NUL reaches the store. The
    // record keeps the octets as they came. Each row is read as a single message and as a part.
    void eightBitData_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("text");
        auto text = [](const char* name, const char* utf8) {
            QTest::newRow(name) << QByteArray(utf8) << QString::fromUtf8(utf8);
        };
        auto binary = [](const char* name, const QByteArray& data) {
            QTest::newRow(name) << data << QString::fromLatin1(data.toHex().toUpper());
        };
        text("Polish and euro", "Zażółć gęślą jaźń, 5 €");
        text("CR, LF and TAB", "line one\r\nline two\tend");
        text("beyond the BMP", "smile \xF0\x9F\x98\x80"); // a pair of UTF-16 units
        binary("00 inside", QByteArray("ab\0cd", 5));
        binary("escape", "a\x1B");
        binary("C1 control", "a\xC2\x85");
        binary("sequence cut short", "a\xE2\x82");
        binary("overlong two", "\xC0\xAF");
        binary("surrogate", "\xED\xA0\x80");
        binary("beyond U+10FFFF", "\xF4\x90\x80\x80");
        binary("Latin-1", "caf\xE9");
        QByteArray full(134, '\0'); // 140 with the header
        for (int i = 0; i < full.size(); ++i)
            full[i] = char(255 - i);
        binary("134 octets", full);
    }

    void eightBitData()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, text);
        const QByteArray header = QByteArray::fromHex("050003A70201");
        for (const bool part : {false, true}) {
            const QByteArray userData = part ? header + data : data;
            const QByteArray pdu = (part ? HeadUdh : Head) + "04" + Time
                + QByteArray::number(userData.size(), 16).rightJustified(2, '0').toUpper()
                + userData.toHex().toUpper();
            SmsPduDecoder decoder;
            QVERIFY(decoder.decode(pdu.constData()));
            QCOMPARE(decoder.text(), text);
            QCOMPARE(decoder.part.text, part ? text : QString());
            SmsDeliverPdu record;
            QVERIFY(decoder.getDeliverPdu(&record));
            QCOMPARE(QByteArray(record.userData, int(record.userDataSize)), data + '\0');
        }
    }

    // The time of a part must be what parsing the record's time-stamp text gives, also when the
    // clocks change: the hour skipped in spring has no time, the hour lived twice in autumn one.
    // main() puts the test in Warsaw's zone.
    void clockChanges_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::newRow("spring") << QDate(2026, 3, 29);
        QTest::newRow("autumn") << QDate(2026, 10, 25);
    }

    void clockChanges()
    {
        QFETCH(QDate, day);
        QCOMPARE(QDateTime(QDate(day.year(), 1, 15), QTime(12, 0)).offsetFromUtc(), 3600);
        QCOMPARE(QDateTime(QDate(day.year(), 7, 15), QTime(12, 0)).offsetFromUtc(), 7200);
        auto semiOctets = [](int value) { return QByteArray::number(value % 10) + QByteArray::number(value / 10); };
        int gap = 0;
        for (int second = 0; second < 4 * 3600; second += 37) {
            const QTime time = QTime(0, 0).addSecs(second);
            const QByteArray stamp = semiOctets(day.year() % 100) + semiOctets(day.month()) + semiOctets(day.day())
                + semiOctets(time.hour()) + semiOctets(time.minute()) + semiOctets(time.second()) + "80";
            const QByteArray pdu = HeadUdh + "00" + stamp + Concat8.mid(HeadUdh.size() + 2 + Time.size());
            SmsPduDecoder decoder;
            QVERIFY(decoder.decode(pdu.constData()));
            SmsDeliverPdu record;
            QVERIFY(decoder.getDeliverPdu(&record));
            const QDateTime parsed = QDateTime::fromString(QString::fromLatin1(record.timestamp),
                                                           QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            const QDateTime& got = decoder.part.time;
            QCOMPARE(got.isValid(), parsed.isValid());
            QCOMPARE(got.toString(Qt::ISODateWithMs), parsed.toString(Qt::ISODateWithMs));
            if (parsed.isValid())
                QCOMPARE(got.toMSecsSinceEpoch(), parsed.toMSecsSinceEpoch());
            gap += !parsed.isValid();
        }
        QCOMPARE(gap > 0, day.month() == 3); // the spring hour was in the sweep
    }

    // Any text, of the time stamps' shape or not, dates as QDateTime::fromString dates it.
    void dateText_data()
    {
        QTest::addColumn<QByteArray>("text");
        for (const char* text : {"2026-05-12 19:41:57.000", "2024-02-29 12:00:00.000", "2026-03-29 02:30:00.000",
                                 "2026-10-25 02:30:00.000", "2026-02-29 12:00:00.000", "2026-01-01 24:00:00.000",
                                 "2026-05-12T19:41:57.000", "2026-05-12 19:41:57", "26502191147500", ""})
            QTest::newRow(text) << QByteArray(text);
    }

    void dateText()
    {
        QFETCH(QByteArray, text);
        const QDateTime parsed =
            QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        const QDateTime got = dateStringToDateTime(text.constData());
        QCOMPARE(got.isNull(), parsed.isNull());
        QCOMPARE(got.toString(Qt::ISODateWithMs), parsed.toString(Qt::ISODateWithMs));
        QCOMPARE(got.isValid() ? got.toMSecsSinceEpoch() : 0, parsed.isValid() ? parsed.toMSecsSinceEpoch() : 0);
    }
};

int main(int argc, char** argv)
{
    // Warsaw's zone, clock changes included, before anything reads local time. Its rule stands in
    // for the zone file on a machine without one.
    const bool zoneFile = QFile::exists(QStringLiteral("/usr/share/zoneinfo/Europe/Warsaw"));
    qputenv("TZ", zoneFile ? "Europe/Warsaw" : "CET-1CEST,M3.5.0,M10.5.0/3");
    tzset();
    QCoreApplication app(argc, argv);
    TestSmsDecoder test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_smsdecoder.moc"
