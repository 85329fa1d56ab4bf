#include "sms/GsmAlphabet.h"
#include "sms/SmsPduDecoder.h"
#include "sms/SmsPduEncoder.h"
#include "sms/SmsPduText.h"

#include <QRandomGenerator>
#include <QtTest>

// Expected PDUs are built field by field from TS 23.040, the user data packed by a bit-string
// packer written apart from this codec; node-pdu 2.1.1 reads the encoder's PDUs back to the
// same texts, numbers and concatenation headers.
namespace {

const char* const Smsc = "+48790998250";
const char* const To = "+48601234567";

// SMSC information, first octet, MR, destination, PID, DCS, VP, UDL, user data, Ctrl-Z.
QByteArray expectedPdu(const char* firstOctet, const char* dcs, int udl, const QByteArray& userData)
{
    return QByteArray("07918497908952F0") + firstOctet + "000B918406214365F700" + dcs + "A7"
           + QByteArray::number(udl, 16).rightJustified(2, '0').toUpper() + userData + '\x1A';
}

struct Part { QByteArray pdu; int udl, tpduLength, reference, number, count; };

// `text` in 7-bit or UCS2, as one message or in parts; none when refused. The records read
// are the encoder's copies, and the encoder is gone by then.
QVector<Part> encode(const QString& text, bool ucs2, bool parts, const char* to = To, const char* prefix = "")
{
    SmsSubmitPdu single;
    SmsMultipartPdu multi;
    {
        SmsPduEncoder encoder;
        const QByteArray utf8 = text.toUtf8();
        const bool ok = parts ? (ucs2 ? encoder.encodeMultiUcs2(Smsc, to, text.utf16())
                                      : encoder.encodeMulti7Bit(Smsc, to, utf8.constData(), prefix))
                                    && encoder.getMultipartPdu(&multi)
                              : (ucs2 ? encoder.encodeUcs2(Smsc, to, text.utf16())
                                      : encoder.encode7Bit(Smsc, to, utf8.constData()))
                                    && encoder.getSubmitPdu(&single);
        if (!ok)
            return {};
    }
    QVector<Part> out;
    for (int i = 0; i < (parts ? multi.partCount : 1); ++i) {
        const SmsSubmitPdu& p = parts ? *multi.parts[i] : single;
        out.append({p.pduText, p.userDataLength, int(p.tpduLength), p.reference, p.partNumber, p.partCount});
    }
    return out;
}

} // namespace

class TestSmsEncoder : public QObject {
    Q_OBJECT
private slots:
    void firstReferenceIs513() // first, on the program's fresh counters
    {
        QCOMPARE(encode(QString(161, 'a'), false, true).value(0).reference, 513);
        QCOMPARE(encode(QString(71, QChar(0x0416)), true, true).value(0).reference, 513); // UCS2 counts on its own
        SmsReferenceCounter counter;
        QVector<int> seen;
        for (int i = 0; i < 514; ++i)
            seen.append(counter.next());
        QCOMPARE(seen.mid(0, 2) + seen.mid(510), (QVector<int>{513, 514, 1023, 1024, 512, 513}));
    }

    // The default alphabet (a sample) and its whole extension table, both ways.
    void alphabetBothWays()
    {
        const QString text = QString::fromUtf8("@£$\n\r_Σ¤¡§¿à\f^{}\\[~]|€");
        const auto septets = QByteArray::fromHex("0001020A0D111824405F607F1B0A1B141B281B291B2F1B3C1B3D1B3E1B401B65");
        QByteArray out("kept");
        QVERIFY(GsmAlphabet::toSeptets(text, &out));
        QCOMPARE(out, "kept" + septets);
        QCOMPARE(GsmAlphabet::fromSeptets(septets), text);
        for (const char* none : {"x`", "x\t", "x\x1B", "xą"}) {
            QVERIFY(!GsmAlphabet::toSeptets(QString::fromUtf8(none), &out));
            QCOMPARE(out, "kept" + septets); // nothing appended
        }
        // Every default septet reads as a character of its own that goes back to it.
        QByteArray all;
        for (int septet = 0; septet < 128; ++septet)
            if (septet != GsmAlphabet::Escape)
                all += char(septet);
        QByteArray back;
        QVERIFY(GsmAlphabet::toSeptets(GsmAlphabet::fromSeptets(all), &back));
        QCOMPARE(back, all);
        // A receiver shows the default character of a code the extension table lacks; a trailing
        // escape stands for nothing.
        QCOMPARE(GsmAlphabet::fromSeptets(QByteArray::fromHex("1B41411B1B411B")), QStringLiteral("AA A"));
    }

    void composerChoiceAndCount_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("encodable");
        QTest::addColumn<int>("septets"); // -1: some character has none
        QTest::newRow("printable ASCII but the backtick") << " !\"#$%&'()*+,-./09:;<=>?@AZ[\\]^_az{|}~" << true << 46;
        QTest::newRow("LF and CR") << "a\r\nb" << true << 4;
        QTest::newRow("backtick") << "a`b" << false << -1;
        QTest::newRow("form feed") << "a\fb" << false << 4;
        QTest::newRow("€ is no ASCII") << QString::fromUtf8("5€") << false << 3;
        QTest::newRow("emoji") << QString::fromUcs4(U"\U0001F600") << false << -1;
    }

    void composerChoiceAndCount()
    {
        QFETCH(QString, text);
        QFETCH(bool, encodable);
        QFETCH(int, septets);
        QCOMPARE(isGsm7Encodable(text), encodable);
        QCOMPARE(gsm7SeptetCount(text), septets);
    }

    void pdus_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ucs2");
        QTest::addColumn<int>("part"); // 0: a single message, else the part shown of a concatenated one
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<QByteArray>("prefix");
        auto row = [](const char* name, const QString& text, bool ucs2, int part, const QByteArray& pdu,
                      const QByteArray& prefix = "") {
            QTest::newRow(name) << text << ucs2 << part << pdu << prefix;
        };
        row("hellohello", "hellohello", false, 0, expectedPdu("31", "00", 10, "E8329BFD4697D9EC37"));
        // Seven septets leave seven spare bits: they hold CR, not zeros that would read as "@".
        row("7, CR pad", "1234567", false, 0, expectedPdu("31", "00", 7, "31D98C56B3DD1A"));
        row("@ $ _ £", QString::fromUtf8("@$_£"), false, 0, expectedPdu("31", "00", 4, "00412400"));
        row("{€}", QString::fromUtf8("{€}"), false, 0, expectedPdu("31", "00", 6, "1BD4A6BC4901"));
        row("UCS2", QString::fromUtf8("Zażółć"), true, 0, expectedPdu("31", "08", 12, "005A0061017C00F301420107"));
        // The second part opens with its header: 06 08 04, the 16-bit reference (XXXX), count, number.
        const QByteArray udh = "060804XXXX0202";
        row("7-bit", QString(152, 'a') + "123456789", false, 2, expectedPdu("71", "00", 17, udh + "31D98C56B3DD7039"));
        row("prefix opens later parts", QString(300, 'a'), false, 2,
            expectedPdu("71", "00", 159, udh + packSeptets("..." + QByteArray(148, 'a'))), "...");
        row("UCS2 part", QString(67, QChar(0x0416)), true, 2, expectedPdu("71", "08", 9, udh + "0416"));
        // "{" would take septets 152 and 153: the first part ends before its escape.
        row("escape stays with its code", QString(151, 'a') + "{" + QString(20, 'b'), false, 2,
            expectedPdu("71", "00", 30, udh + packSeptets("\x1B\x28" + QByteArray(20, 'b'))));
        // U+1F600 (D83D DE00) would straddle units 66 and 67.
        row("surrogate pair kept whole", QString(65, 'x') + QString::fromUcs4(U"\U0001F600") + "y", true, 2,
            expectedPdu("71", "08", 13, udh + "D83DDE000079"));
    }

    void pdus()
    {
        QFETCH(QString, text);
        QFETCH(bool, ucs2);
        QFETCH(int, part);
        QFETCH(QByteArray, pdu);
        QFETCH(QByteArray, prefix);
        Part got = encode(text, ucs2, part != 0, To, prefix.constData()).value(qMax(0, part - 1));
        if (part)
            got.pdu.replace(50, 4, "XXXX");
        QCOMPARE(got.pdu, pdu);
        // The TPDU is everything after the 8 octets of SMSC information, without Ctrl-Z.
        QCOMPARE(got.tpduLength, (pdu.size() - 1) / 2 - 8);
    }

    void refusesMalformedInput()
    {
        const char* const cases[][3] = {{"", To, "x"}, {"1", To, "x"}, {Smsc, "", "x"}, {Smsc, "+", "x"},
                                        {Smsc, "0800CALLME", "x"}, {Smsc, "48+601", "x"},
                                        {Smsc, "+123456789012345678901", "x"}, {Smsc, To, "a`b"}, {Smsc, To, "a\xFF"}};
        SmsPduEncoder encoder;
        SmsSubmitPdu single;
        SmsMultipartPdu multi;
        const QByteArray longText(200, 'a');
        for (const auto& c : cases) { // SMSC, destination, text (sent alone and after 200 characters)
            QVERIFY(encoder.encode7Bit(Smsc, To, "x") && encoder.encodeMulti7Bit(Smsc, To, longText.constData(), ""));
            QVERIFY2(!encoder.encode7Bit(c[0], c[1], c[2]), c[1]);
            QVERIFY2(!encoder.encodeMulti7Bit(c[0], c[1], (longText + c[2]).constData(), nullptr), c[1]);
            // The earlier results are gone, so they are not sent again.
            QVERIFY(!encoder.getSubmitPdu(&single) && !encoder.getMultipartPdu(&multi));
        }
    }

    void boundaries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ucs2");
        QTest::addColumn<int>("single");        // its UDL as one message; 0: refused
        QTest::addColumn<QVector<int>>("udls"); // of its parts; none: refused
        auto row = [](const char* name, const QString& text, bool ucs2, int single, const QVector<int>& udls) {
            QTest::newRow(name) << text << ucs2 << single << udls;
        };
        row("160", QString(160, 'a'), false, 160, {160, 16});
        row("161", QString(161, 'a'), false, 0, {160, 17});
        row("305", QString(305, 'a'), false, 0, {160, 160, 9});
        row("extension counts two", QString(150, 'a') + "{}", false, 154, {160, 10});
        row("255 parts", QString(255 * 152, 'a'), false, 0, QVector<int>(255, 160));
        row("256 parts", QString(255 * 152 + 1, 'a'), false, 0, {});
        row("UCS2 70", QString(70, 'x'), true, 140, {139, 15});
        row("UCS2 71", QString(71, 'x'), true, 0, {139, 17});
        row("UCS2 133", QString(133, 'x'), true, 0, {139, 139, 9});
    }

    void boundaries()
    {
        QFETCH(QString, text);
        QFETCH(bool, ucs2);
        QFETCH(int, single);
        QFETCH(QVector<int>, udls);
        QCOMPARE(encode(text, ucs2, false).value(0).udl, single);
        const QVector<Part> parts = encode(text, ucs2, true);
        QVector<int> seen;
        for (const Part& part : parts) {
            seen.append(part.udl);
            QCOMPARE((QVector<int>{part.number, part.count, part.reference}),
                     (QVector<int>{seen.size(), parts.size(), parts[0].reference}));
        }
        QCOMPARE(seen, udls);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ucs2");
        QTest::addColumn<QByteArray>("destination");
        QString gsm = QString::fromUtf8("\f^{}\\[~]|€"); // the whole alphabet, extension table included
        for (int septet = 0; septet < 128; ++septet)
            gsm += GsmAlphabet::fromSeptets(QByteArray(1, char(septet)));
        QRandomGenerator random(0x5E7E);
        const QString pair = QString::fromUcs4(U"\U0001F600");
        const QByteArray numbers[] = {"+12345678901234567890", "0601234567*#", "112"}; // odd and even, "+" or not
        for (int length : {0, 7, 8, 67, 71, 133, 153, 161, 305, 700}) {
            for (int round = 0; round < 3; ++round) {
                QString sevenBit, ucs2; // UCS2: characters below the surrogates, one in eight a pair
                for (int i = 0; i < length; ++i) {
                    sevenBit += gsm.at(random.bounded(gsm.size()));
                    ucs2 += random.bounded(8) ? QString(QChar(0x20 + random.bounded(0xD7E0))) : pair;
                }
                QTest::addRow("7-bit %d #%d", length, round) << sevenBit << false << numbers[round];
                QTest::addRow("UCS2 %d #%d", length, round) << ucs2 << true << numbers[round];
            }
        }
        QTest::newRow("all @") << QString(200, QLatin1Char('@')) << false << QByteArray("0601234567");
        QTest::newRow("CR closing 8 septets") << QStringLiteral("1234567\r") << false << QByteArray("+48");
        QTest::newRow("pairs only") << pair.repeated(80) << true << QByteArray("112");
    }

    // Every text the encoder makes reads back through the decoder (asked to take SMS-SUBMIT) as
    // the same text, to the same number, through the same centre, in the parts it was split into.
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(bool, ucs2);
        QFETCH(QByteArray, destination);
        // As the composer chooses: one message when the text fits, else parts.
        const bool parts = ucs2 ? text.size() > SmsPduEncoder::SingleUcs2Units
                                : gsm7SeptetCount(text) > SmsPduEncoder::SingleSeptets;
        const QVector<Part> encoded = encode(text, ucs2, parts, destination.constData());
        QVERIFY(!encoded.isEmpty());
        QString back;
        for (const Part& part : encoded) {
            SmsPduDecoder decoder;
            decoder.setAcceptSubmit(true);
            SmsDeliverPdu record;
            QVERIFY(decoder.decode(part.pdu.chopped(1).constData()) && decoder.getDeliverPdu(&record));
            QCOMPARE(decoder.kind(), int(SmsPduDecoder::Submit));
            QCOMPARE((QVector<int>{decoder.part.partCount, decoder.part.partNumber}),
                     (QVector<int>{part.count, part.number}));
            QCOMPARE(QString(record.smscAddress) + '|' + record.originator,
                     Smsc + ('|' + QString::fromLatin1(destination)));
            back += decoder.text();
        }
        QCOMPARE(back, text);
    }
};

QTEST_GUILESS_MAIN(TestSmsEncoder)
#include "tst_smsencoder.moc"
