#include "sms/SmsPduDecoder.h"

#include <QtTest>

// Where the PDUs come from:
// - "tutorial": the SMS-DELIVER of Lars Pettersson's "SMS and the PDU format", "hellohello".
// - "node-pdu": the example in the read-me of the node-pdu package, "Hello, world!".
// - the others by hand: field by field from TS 23.040 / 23.038, packed by a bit-string packer
//   written apart from this codec, and read back with node-pdu 2.1.1 to the same values.
namespace {

const QByteArray Tutorial = "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37";
const QByteArray NodePdu = "07919730071111F1000B919746121611F10000811170021222230DC8329BFD6681EE6F399B1C02";
// Senders and time of the ones by hand, and their beginning up to TP-DCS.
const QByteArray Head = "07918497908952F0040B918406214365F700";
const QByteArray HeadUdh = "07918497908952F0440B918406214365F700";
const QByteArray Time = "62502191147500";
const QByteArray Ucs2Data = "1E041F04400438043204350442002C0020015B007700690065006300690065";
const QByteArray EightBitData = "050102007FFF";
const QByteArray Report = "07918497908952F0062A0B918406214365F7625021911475006250219124300000";
const int DcsAt = 36; // TP-DCS in every PDU above but the status report

QByteArray withOctet(QByteArray pdu, int at, const char* octet)
{
    return pdu.replace(at, 2, octet);
}

} // namespace

class TestSmsDecoder : public QObject {
    Q_OBJECT
private slots:
    void delivers_data();
    void delivers();
    void statusReports_data();
    void statusReports();
    void dataCodingByClass_data();
    void dataCodingByClass();
    void recordsAreDeepCopies();
    void refused_data();
    void refused();
};

void TestSmsDecoder::delivers_data()
{
    QTest::addColumn<QByteArray>("pdu");
    QTest::addColumn<QString>("smsc");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVector<int>>("concatenation"); // reference, count, number

    const QString at = "2026-05-12 19:41:57.000";
    const QString us = "+48601234567";
    QTest::newRow("tutorial") << Tutorial << "+27381000015" << "27838890001"
                              << "2099-03-29 15:16:59.000" << "hellohello" << QVector<int>();
    QTest::newRow("node-pdu") << NodePdu << "+79037011111" << "+79642161111"
                              << "2018-11-07 20:21:22.000" << "Hello, world!" << QVector<int>();
    QTest::newRow("lower case, line end") << NodePdu.toLower() + "\r\n" << "+79037011111"
                                          << "+79642161111" << "2018-11-07 20:21:22.000"
                                          << "Hello, world!" << QVector<int>();
    QTest::newRow("@ and extension, no SMSC")
        << QByteArray("00040B918406214365F70000" + Time + "2100F4BB5D066D50F84D0AB429D7401B5E78E3D"
                      "BF436AF0D704301450400")
        << "" << us << at << QString::fromUtf8("@home {x} €5 [a]~\\|^ _$@") << QVector<int>();
    // Seven septets leave seven spare bits holding the CR pad, which is no character.
    QTest::newRow("7 septets, CR pad") << Head + "00" + Time + "0731D98C56B3DD1A" << "+48790998250"
                                       << us << at << "1234567" << QVector<int>();
    QTest::newRow("alphanumeric sender")
        << QByteArray("07918497908952F0040DD049B7F93D6D4E010000" + Time
                      + "11D9775D0E1ABFC965507A0E8AC96634")
        << "+48790998250" << "InfoSMS" << at << "Your code is 1234" << QVector<int>();
    QTest::newRow("national number, even") << QByteArray("07918497908952F0040AA160103254760000"
                                                         + Time + "02E834")
                                           << "+48790998250" << "0601234567" << at << "hi"
                                           << QVector<int>();
    QTest::newRow("unknown number, even") << QByteArray("07918497908952F0040A816010325476000"
                                                        "0" + Time + "02E834")
                                          << "+48790998250" << "0601234567" << at << "hi"
                                          << QVector<int>();
    QTest::newRow("UCS2") << Head + "08" + Time + Ucs2Data << "+48790998250" << us << at
                          << QString::fromUtf8("Привет, świecie") << QVector<int>();
    QTest::newRow("8-bit reference") << HeadUdh + "00" + Time + "17050003A70201A061391DF47697416F"
                                                                "33887E7F831A"
                                     << "+48790998250" << us << at << "Part one of two "
                                     << QVector<int>{0xA7, 2, 1};
    QTest::newRow("16-bit reference") << HeadUdh + "00" + Time + "1306080412340302ED3499CC2E83E06"
                                                                 "1391D"
                                      << "+48790998250" << us << at << "middle part"
                                      << QVector<int>{0x1234, 3, 2};
    QTest::newRow("UCS2 part") << HeadUdh + "08" + Time + "1C0500035A02020043007A0119015B0107002"
                                                          "000640072007500670061"
                               << "+48790998250" << us << at << QString::fromUtf8("Część druga")
                               << QVector<int>{0x5A, 2, 2};
    QTest::newRow("port element first") << HeadUdh + "00" + Time + "220B05040B840B840003C4030184"
                                                                    "CDF4B21C1406C1DF723AA8CC2EB7"
                                                                    "CB6E3A"
                                        << "+48790998250" << us << at << "after a port element"
                                        << QVector<int>{0xC4, 3, 1};
    QTest::newRow("port element only") << HeadUdh + "00" + Time + "110605040B840B84F0B79C0E7ABBD979"
                                       << "+48790998250" << us << at << "port only" << QVector<int>();
    // Part 3 of 2: a receiver ignores such an element.
    QTest::newRow("part beyond its count") << HeadUdh + "00" + Time + "17050003A70203A061391DF476"
                                                                      "97416F33887E7F831A"
                                           << "+48790998250" << us << at << "Part one of two "
                                           << QVector<int>();
}

void TestSmsDecoder::delivers()
{
    QFETCH(QByteArray, pdu);
    QFETCH(QString, smsc);
    QFETCH(QString, sender);
    QFETCH(QString, time);
    QFETCH(QString, text);
    QFETCH(QVector<int>, concatenation);

    SmsPduDecoder decoder;
    QVERIFY(decoder.decode(pdu.constData()));
    QCOMPARE(decoder.kind(), int(SmsPduDecoder::Deliver));
    QCOMPARE(decoder.text(), text);
    SmsDeliverPdu record;
    QVERIFY(decoder.getDeliverPdu(&record));
    QCOMPARE(QString::fromUtf8(record.smscAddress), smsc);
    QCOMPARE(QString::fromUtf8(record.originator), sender);
    QCOMPARE(QString::fromLatin1(record.timestamp), time);
    QCOMPARE(QByteArray(record.pduText), pdu.trimmed());

    QCOMPARE(int(decoder.concatenated), concatenation.isEmpty() ? 0 : 1);
    if (!concatenation.isEmpty()) {
        const SmsPart& part = decoder.part;
        QCOMPARE((QVector<int>{part.reference, part.partCount, part.partNumber}), concatenation);
        QCOMPARE(part.sender, sender);
        QCOMPARE(part.time, QDateTime::fromString(time, "yyyy-MM-dd HH:mm:ss.zzz"));
        QCOMPARE(part.text, text);
    }
}

void TestSmsDecoder::statusReports_data()
{
    QTest::addColumn<QByteArray>("pdu");
    QTest::addColumn<int>("status");
    QTest::newRow("06") << Report << 0;
    QTest::newRow("26") << withOctet(Report, 16, "26") << 0;
    QTest::newRow("02, status 40") << withOctet(withOctet(Report, 16, "02"), 64, "40") << 0x40;
    QTest::newRow("with parameter indicator") << Report + "0300" << 0;
}

void TestSmsDecoder::statusReports()
{
    QFETCH(QByteArray, pdu);
    QFETCH(int, status);
    SmsPduDecoder decoder;
    QVERIFY(decoder.decode(pdu.constData()));
    QCOMPARE(decoder.kind(), int(SmsPduDecoder::StatusReport));
    SmsDeliverPdu deliver;
    QVERIFY(!decoder.getDeliverPdu(&deliver));
    SmsStatusReportPdu report;
    QVERIFY(decoder.getStatusReportPdu(&report));
    QCOMPARE(int(report.messageReference), 0x2A);
    QCOMPARE(QByteArray(report.recipient), QByteArray("+48601234567"));
    QCOMPARE(QByteArray(report.timestamp), QByteArray("2026-05-12 19:41:57.000"));
    QCOMPARE(QByteArray(report.dischargeTime), QByteArray("2026-05-12 19:42:03.000"));
    QCOMPARE(int(report.status), status);
}

void TestSmsDecoder::dataCodingByClass_data()
{
    QTest::addColumn<QByteArray>("pdu");
    QTest::addColumn<QString>("text");
    // TS 23.038 coding groups: 00xx/01xx by bits 3-2 (compressed or reserved: no class),
    // 10xx reserved, 1100/1101 7-bit, 1110 UCS2, 1111 by bit 2.
    for (const char* dcs : {"00", "11", "42", "C0", "D8", "F0", "F3", "F8"})
        QTest::addRow("7-bit %s", dcs) << withOctet(Tutorial, DcsAt, dcs) << "hellohello";
    for (const char* dcs : {"08", "1B", "48", "E0", "EF"})
        QTest::addRow("UCS2 %s", dcs) << Head + dcs + Time + Ucs2Data
                                      << QString::fromUtf8("Привет, świecie");
    for (const char* dcs : {"04", "15", "F4", "FF"})
        QTest::addRow("8-bit %s", dcs) << Head + dcs + Time + EightBitData
                                       << QString::fromLatin1(QByteArray::fromHex("0102007FFF"));
    for (const char* dcs : {"0C", "24", "60", "84", "BF"})
        QTest::addRow("no class %s", dcs) << Head + dcs + Time + EightBitData << QString();
}

void TestSmsDecoder::dataCodingByClass()
{
    QFETCH(QByteArray, pdu);
    QFETCH(QString, text);
    SmsPduDecoder decoder;
    QVERIFY(decoder.decode(pdu.constData()));
    QCOMPARE(decoder.text(), text);
}

void TestSmsDecoder::recordsAreDeepCopies()
{
    SmsDeliverPdu record;
    {
        SmsPduDecoder decoder;
        QVERIFY(decoder.decode((Head + "04" + Time + EightBitData).constData()));
        QVERIFY(decoder.getDeliverPdu(&record));
        QCOMPARE(QByteArray(record.userData, int(record.userDataSize)), QByteArray::fromHex("0102007FFF00"));
        QVERIFY(decoder.decode((Head + "08" + Time + Ucs2Data).constData()));
        QVERIFY(decoder.getDeliverPdu(&record)); // the first copy is released, not leaked
    }
    // UCS2 user data: the code units low byte first, then two zero bytes.
    QCOMPARE(QByteArray(record.userData, 4), QByteArray::fromHex("1F044004"));
    QCOMPARE(record.userDataSize, quint32(2 * 15 + 2));
    QCOMPARE(record.size, SmsDeliverPdu::FixedSize + record.pduTextSize + record.userDataSize);
    record.release();
    record.release();
    QVERIFY(!record.userData && !record.pduText);
    QCOMPARE(record.size, SmsDeliverPdu::FixedSize);
}

void TestSmsDecoder::refused_data()
{
    QTest::addColumn<QByteArray>("pdu");
    QTest::addColumn<bool>("acceptSubmit");
    const int udlAt = Tutorial.size() - 20;
    const QByteArray concat8 = HeadUdh + "00" + Time + "17050003A70201A061391DF47697416F33887E7F831A";
    const int udhAt = concat8.indexOf("050003");

    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("odd length") << Tutorial.left(71) << false;
    QTest::newRow("not hexadecimal") << withOctet(Tutorial, 20, "G8") << false;
    QTest::newRow("SMSC of 17 octets") << withOctet(Tutorial, 0, "11") << false;
    QTest::newRow("address of 31 digits") << withOctet(Tutorial, 18, "1F") << false;
    QTest::newRow("SMS-SUBMIT") << withOctet(Tutorial, 16, "01") << false;
    QTest::newRow("reserved type") << withOctet(Tutorial, 16, "03") << true;
    QTest::newRow("7-bit, a septet more than sent") << withOctet(Tutorial, udlAt, "0B") << false;
    QTest::newRow("7-bit, above 160") << withOctet(Tutorial, udlAt, "A1") << false;
    QTest::newRow("8-bit, an octet more") << Head + "04" + Time + "060102007FFF" << false;
    QTest::newRow("UCS2, above 140") << Head + "08" + Time + "8D" + QByteArray(282, '0') << false;
    QTest::newRow("header past the user data") << withOctet(concat8, udhAt, "FF") << false;
    QTest::newRow("element past the header") << withOctet(concat8, udhAt + 4, "05") << false;
    QTest::newRow("element cut short") << withOctet(concat8, udhAt, "01") << false;
    QTest::newRow("header on no user data") << HeadUdh + "00" + Time + "00" << false;
    for (const QByteArray& full : {Tutorial, concat8, Report}) {
        for (int length = 2; length < full.size(); length += 2)
            QTest::addRow("%s cut at %d", full.mid(16, 2).constData(), length) << full.left(length) << true;
    }
}

void TestSmsDecoder::refused()
{
    QFETCH(QByteArray, pdu);
    QFETCH(bool, acceptSubmit);
    SmsPduDecoder decoder;
    QVERIFY(decoder.decode(Tutorial.constData()));
    decoder.setAcceptSubmit(acceptSubmit);
    QVERIFY(!decoder.decode(pdu.constData()));
    // Nothing of the earlier message is left.
    QCOMPARE(decoder.kind(), int(SmsPduDecoder::Nothing));
    QVERIFY(decoder.text().isEmpty());
    SmsDeliverPdu record;
    QVERIFY(!decoder.getDeliverPdu(&record));
}

QTEST_GUILESS_MAIN(TestSmsDecoder)
#include "tst_smsdecoder.moc"
