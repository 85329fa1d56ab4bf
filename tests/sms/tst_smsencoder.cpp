#include "sms/SmsPduEncoder.h"
#include "sms/SmsPduText.h"

#include <QtTest>

#include <type_traits>

// Expected PDUs are built field by field from TS 23.040, the user data packed by a bit-string
// packer written apart from this codec; node-pdu 2.1.1 reads the encoder's PDUs back to the
// same texts, numbers and concatenation headers.
namespace {

const char* const Smsc = "+48790998250";
const char* const To = "+48601234567";

QByteArray hexOctet(int value)
{
    return QByteArray::number(value, 16).rightJustified(2, '0').toUpper();
}

// SMSC information, first octet, MR, destination, PID, DCS, VP, UDL, user data, Ctrl-Z.
QByteArray expectedPdu(const char* firstOctet, const char* dcs, int udl, const QByteArray& userData)
{
    return QByteArray("07918497908952F0") + firstOctet + "000B918406214365F700" + dcs + "A7"
           + hexOctet(udl) + userData + '\x1A';
}

QByteArray header(const SmsSubmitPdu& part)
{
    return "060804" + hexOctet(part.reference >> 8) + hexOctet(part.reference & 0xFF)
           + hexOctet(part.partCount) + hexOctet(part.partNumber);
}

QVector<ushort> utf16(const QString& text)
{
    QVector<ushort> units;
    for (const QChar c : text)
        units.append(c.unicode());
    units.append(0);
    return units;
}

// Encodes a concatenated text (7-bit when it is a QByteArray, else UCS2) and hands out the parts.
template<typename Text>
bool encodeParts(SmsPduEncoder& encoder, const Text& text, SmsMultipartPdu* out, const char* prefix = "")
{
    bool ok;
    if constexpr (std::is_same_v<Text, QByteArray>)
        ok = encoder.encodeMulti7Bit(Smsc, To, text.constData(), prefix);
    else
        ok = encoder.encodeMultiUcs2(Smsc, To, utf16(text).constData());
    return ok && encoder.getMultipartPdu(out);
}

} // namespace

class TestSmsEncoder : public QObject {
    Q_OBJECT
private slots:
    void firstReferenceIs513(); // first, on the program's fresh counters
    void referenceSequence();
    void singlePdus_data();
    void singlePdus();
    void destinations_data();
    void destinations();
    void refused_data();
    void refused();
    void partBoundaries_data();
    void partBoundaries();
    void partsAreExact();
    void noPartEndsInsideACharacter();
    void copiesOutliveTheEncoder();
};

void TestSmsEncoder::firstReferenceIs513()
{
    SmsPduEncoder encoder;
    SmsMultipartPdu pdu;
    QVERIFY(encodeParts(encoder, QByteArray(161, 'a'), &pdu));
    QVERIFY(QByteArray(pdu.parts[0]->pduText).contains("A006080402010201"));
    QVERIFY(encodeParts(encoder, QString(71, QChar(0x0416)), &pdu)); // UCS2 counts on its own
    QCOMPARE(pdu.parts[0]->reference, quint16(513));
}

void TestSmsEncoder::referenceSequence()
{
    SmsReferenceCounter counter;
    QVector<int> seen;
    for (int i = 0; i < 514; ++i)
        seen.append(counter.next());
    QCOMPARE(seen.mid(0, 2), (QVector<int>{513, 514}));
    QCOMPARE(seen.mid(510), (QVector<int>{1023, 1024, 512, 513}));
}

void TestSmsEncoder::singlePdus_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ucs2");
    QTest::addColumn<QByteArray>("pdu");

    QTest::newRow("hellohello") << "hellohello" << false << expectedPdu("31", "00", 10, "E8329BFD4697D9EC37");
    QTest::newRow("empty") << "" << false << expectedPdu("31", "00", 0, "");
    // Seven septets leave seven spare bits: they hold CR, not zeros that would read as "@".
    QTest::newRow("7, CR pad") << "1234567" << false << expectedPdu("31", "00", 7, "31D98C56B3DD1A");
    QTest::newRow("8 in 7 octets") << "12345678" << false << expectedPdu("31", "00", 8, "31D98C56B3DD70");
    QTest::newRow("@ $ _ £") << QString::fromUtf8("@$_£") << false << expectedPdu("31", "00", 4, "00412400");
    QTest::newRow("{€}") << QString::fromUtf8("{€}") << false << expectedPdu("31", "00", 6, "1BD4A6BC4901");
    QTest::newRow("UCS2") << QString::fromUtf8("Zażółć") << true << expectedPdu("31", "08", 12, "005A0061017C00F301420107");
    QTest::newRow("160 septets") << QString(160, QLatin1Char('@')) << false
                                 << expectedPdu("31", "00", 160, QByteArray(280, '0'));
    QTest::newRow("70 units") << QString(70, QChar(0x0416)) << true
                              << expectedPdu("31", "08", 140, QByteArray("0416").repeated(70));
}

void TestSmsEncoder::singlePdus()
{
    QFETCH(QString, text);
    QFETCH(bool, ucs2);
    QFETCH(QByteArray, pdu);
    SmsPduEncoder encoder;
    QVERIFY(ucs2 ? encoder.encodeUcs2(Smsc, To, utf16(text).constData())
                 : encoder.encode7Bit(Smsc, To, text.toUtf8().constData()));
    SmsSubmitPdu out;
    QVERIFY(encoder.getSubmitPdu(&out));
    QCOMPARE(QByteArray(out.pduText), pdu);
    // The TPDU is everything after the 8 octets of SMSC information, without Ctrl-Z.
    QCOMPARE(int(out.tpduLength), (pdu.size() - 1) / 2 - 8);
}

void TestSmsEncoder::destinations_data()
{
    QTest::addColumn<QByteArray>("number");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("semiOctets");
    QTest::newRow("international, odd") << QByteArray("+1234567") << 145 << 7 << QByteArray("214365F7");
    QTest::newRow("unknown, even") << QByteArray("0123456789") << 129 << 10 << QByteArray("1032547698");
    QTest::newRow("star and hash") << QByteArray("*100#") << 129 << 5 << QByteArray("1A00FB");
    QTest::newRow("20 digits") << QByteArray("+12345678901234567890") << 145 << 20
                               << QByteArray("21436587092143658709");
}

void TestSmsEncoder::destinations()
{
    QFETCH(QByteArray, number);
    QFETCH(int, type);
    QFETCH(int, length);
    QFETCH(QByteArray, semiOctets);
    SmsPduEncoder encoder;
    QVERIFY(encoder.encode7Bit(Smsc, number.constData(), "x"));
    SmsSubmitPdu pdu;
    QVERIFY(encoder.getSubmitPdu(&pdu));
    QCOMPARE(QByteArray(pdu.pduText).mid(20, 4 + semiOctets.size()), hexOctet(length) + hexOctet(type) + semiOctets);
}

void TestSmsEncoder::refused_data()
{
    QTest::addColumn<QByteArray>("smsc");
    QTest::addColumn<QByteArray>("destination");
    QTest::addColumn<QByteArray>("text"); // sent alone and after 200 characters
    const QByteArray ok("x");
    QTest::newRow("empty SMSC") << QByteArray() << QByteArray(To) << ok;
    QTest::newRow("SMSC of one character") << QByteArray("1") << QByteArray(To) << ok;
    QTest::newRow("empty destination") << QByteArray(Smsc) << QByteArray() << ok;
    QTest::newRow("plus alone") << QByteArray(Smsc) << QByteArray("+") << ok;
    QTest::newRow("spaces") << QByteArray(Smsc) << QByteArray("+48 601 234 567") << ok;
    QTest::newRow("letters") << QByteArray(Smsc) << QByteArray("0800CALLME") << ok;
    QTest::newRow("plus inside") << QByteArray(Smsc) << QByteArray("48+601") << ok;
    QTest::newRow("21 digits") << QByteArray(Smsc) << QByteArray("+123456789012345678901") << ok;
    QTest::newRow("backtick") << QByteArray(Smsc) << QByteArray(To) << QByteArray("a`b");
    QTest::newRow("tab") << QByteArray(Smsc) << QByteArray(To) << QByteArray("a\tb");
    QTest::newRow("not UTF-8") << QByteArray(Smsc) << QByteArray(To) << QByteArray("a\xFF");
}

void TestSmsEncoder::refused()
{
    QFETCH(QByteArray, smsc);
    QFETCH(QByteArray, destination);
    QFETCH(QByteArray, text);
    SmsPduEncoder encoder;
    QVERIFY(encoder.encode7Bit(Smsc, To, "earlier"));
    QVERIFY(encoder.encodeMulti7Bit(Smsc, To, QByteArray(200, 'e').constData(), ""));
    QVERIFY(!encoder.encode7Bit(smsc.constData(), destination.constData(), text.constData()));
    QVERIFY(!encoder.encodeMulti7Bit(smsc.constData(), destination.constData(),
                                     (QByteArray(200, 'a') + text).constData(), nullptr));
    SmsSubmitPdu single;
    SmsMultipartPdu multi;
    QVERIFY(!encoder.getSubmitPdu(&single)); // the earlier results are gone, not sent again
    QVERIFY(!encoder.getMultipartPdu(&multi));
}

void TestSmsEncoder::partBoundaries_data()
{
    QTest::addColumn<QByteArray>("sevenBit"); // empty: the UCS2 text is used
    QTest::addColumn<QString>("ucs2");
    QTest::addColumn<QVector<int>>("udls"); // 0: refused
    QTest::newRow("152 fit one part") << QByteArray(152, 'a') << QString() << QVector<int>{0};
    QTest::newRow("153") << QByteArray(153, 'a') << QString() << QVector<int>{160, 9};
    QTest::newRow("161") << QByteArray(161, 'a') << QString() << QVector<int>{160, 17};
    QTest::newRow("304") << QByteArray(304, 'a') << QString() << QVector<int>{160, 160};
    QTest::newRow("305") << QByteArray(305, 'a') << QString() << QVector<int>{160, 160, 9};
    QTest::newRow("extension counts two") << QByteArray(150, 'a') + "{}" << QString() << QVector<int>{160, 10};
    QTest::newRow("255 parts") << QByteArray(255 * 152, 'a') << QString() << QVector<int>(255, 160);
    QTest::newRow("256 parts") << QByteArray(255 * 152 + 1, 'a') << QString() << QVector<int>{0};
    QTest::newRow("UCS2 66 fit one part") << QByteArray() << QString(66, 'x') << QVector<int>{0};
    QTest::newRow("UCS2 71") << QByteArray() << QString(71, 'x') << QVector<int>{139, 17};
    QTest::newRow("UCS2 132") << QByteArray() << QString(132, 'x') << QVector<int>{139, 139};
    QTest::newRow("UCS2 133") << QByteArray() << QString(133, 'x') << QVector<int>{139, 139, 9};
}

void TestSmsEncoder::partBoundaries()
{
    QFETCH(QByteArray, sevenBit);
    QFETCH(QString, ucs2);
    QFETCH(QVector<int>, udls);
    SmsPduEncoder encoder;
    SmsMultipartPdu pdu;
    const bool ok = sevenBit.isEmpty() ? encodeParts(encoder, ucs2, &pdu) : encodeParts(encoder, sevenBit, &pdu);
    QCOMPARE(ok, udls.first() != 0);
    if (!ok)
        return;
    QVector<int> seen;
    quint32 size = SmsMultipartPdu::FixedSize;
    for (int i = 0; i < pdu.partCount; ++i) {
        const SmsSubmitPdu& part = *pdu.parts[i];
        seen.append(part.userDataLength);
        QCOMPARE(int(part.partNumber), i + 1);
        QCOMPARE(int(part.partCount), pdu.partCount);
        QCOMPARE(part.reference, pdu.parts[0]->reference);
        QCOMPARE(int(part.tpduLength), (int(qstrlen(part.pduText)) - 1) / 2 - 8);
        size += part.size;
    }
    QCOMPARE(seen, udls);
    QCOMPARE(pdu.size, size);
}

void TestSmsEncoder::partsAreExact()
{
    SmsPduEncoder encoder;
    SmsMultipartPdu pdu;
    const QByteArray text = QByteArray("The quick brown fox jumps over the lazy dog. ").repeated(4).left(152) + "123456789";
    QVERIFY(encodeParts(encoder, text, &pdu, nullptr));
    QCOMPARE(QByteArray(pdu.parts[0]->pduText), expectedPdu("71", "00", 160, header(*pdu.parts[0]) + packSeptets(text.left(152))));
    QVERIFY(packSeptets(text.left(152)).startsWith("54741914AFA7C76B9058"));
    QCOMPARE(QByteArray(pdu.parts[1]->pduText), expectedPdu("71", "00", 17, header(*pdu.parts[1]) + "31D98C56B3DD7039"));

    // The prefix opens every later part and shortens it.
    QVERIFY(encodeParts(encoder, QByteArray(300, 'a'), &pdu, "..."));
    QCOMPARE(QByteArray(pdu.parts[1]->pduText),
             expectedPdu("71", "00", 8 + 3 + 148, header(*pdu.parts[1]) + packSeptets("..." + QByteArray(148, 'a'))));

    QVERIFY(encodeParts(encoder, QString(67, QChar(0x0416)), &pdu));
    QCOMPARE(QByteArray(pdu.parts[1]->pduText), expectedPdu("71", "08", 9, header(*pdu.parts[1]) + "0416"));
}

void TestSmsEncoder::noPartEndsInsideACharacter()
{
    SmsPduEncoder encoder;
    SmsMultipartPdu pdu;
    // "{" would take septets 152 and 153: the first part ends before its escape.
    QVERIFY(encodeParts(encoder, QByteArray(151, 'a') + "{" + QByteArray(20, 'b'), &pdu));
    QCOMPARE(pdu.parts[0]->userDataLength, quint8(8 + 151));
    QCOMPARE(QByteArray(pdu.parts[1]->pduText),
             expectedPdu("71", "00", 8 + 22, header(*pdu.parts[1]) + packSeptets(QByteArray::fromHex("1B28") + QByteArray(20, 'b'))));
    // U+1F600 (D83D DE00) would straddle units 66 and 67.
    QVERIFY(encodeParts(encoder, QString(65, 'x') + QString::fromUcs4(U"\U0001F600") + "y", &pdu));
    QCOMPARE(pdu.parts[0]->userDataLength, quint8(7 + 2 * 65));
    QCOMPARE(QByteArray(pdu.parts[1]->pduText), expectedPdu("71", "08", 7 + 6, header(*pdu.parts[1]) + "D83DDE000079"));
}

void TestSmsEncoder::copiesOutliveTheEncoder()
{
    SmsSubmitPdu single;
    SmsMultipartPdu multi;
    {
        SmsPduEncoder encoder;
        QVERIFY(encoder.encode7Bit(Smsc, To, "first"));
        QVERIFY(encoder.getSubmitPdu(&single));
        QVERIFY(encoder.encode7Bit(Smsc, To, "second"));
        QVERIFY(encoder.getSubmitPdu(&single)); // the first copy is released, not leaked
        QVERIFY(encodeParts(encoder, QByteArray(170, 'c'), &multi));
        QVERIFY(encodeParts(encoder, QByteArray(170, 'd'), &multi));
    }
    QCOMPARE(QByteArray(single.pduText), expectedPdu("31", "00", 6, packSeptets("second")));
    QVERIFY(!single.userData); // copies carry no user data
    QCOMPARE(multi.partCount, 2);
    QVERIFY(QByteArray(multi.parts[1]->pduText).contains(packSeptets(QByteArray(18, 'd'))));

    SmsSubmitPdu* clone = cloneSubmitPdu(*multi.parts[1]);
    QCOMPARE(QByteArray(clone->pduText), QByteArray(multi.parts[1]->pduText));
    QVERIFY(clone->pduText != multi.parts[1]->pduText);
    delete clone;
    multi.release();
    multi.release();
    QVERIFY(!multi.parts && multi.partCount == 0 && multi.size == SmsMultipartPdu::FixedSize);
    single.release();
    single.release();
    QVERIFY(!single.pduText && single.size == SmsSubmitPdu::FixedSize);
}

QTEST_GUILESS_MAIN(TestSmsEncoder)
#include "tst_smsencoder.moc"
