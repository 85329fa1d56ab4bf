#include "sms/GsmAlphabet.h"
#include "sms/SmsPduDecoder.h"
#include "sms/SmsPduEncoder.h"

#include <QRandomGenerator>
#include <QtTest>

// Every text the encoder makes reads back through the decoder (asked to take SMS-SUBMIT) as
// the same text, to the same number, through the same centre, in the parts it was split into.
namespace {

struct ReadBack {
    QString text;
    QString smsc;
    QString destination;
};

bool readPart(const char* pduText, int partCount, int partNumber, ReadBack* back)
{
    SmsPduDecoder decoder;
    decoder.setAcceptSubmit(true);
    SmsDeliverPdu record;
    if (!decoder.decode(QByteArray(pduText).chopped(1).constData()) || !decoder.getDeliverPdu(&record))
        return false;
    if (decoder.kind() != SmsPduDecoder::Submit || decoder.part.partCount != partCount
        || decoder.part.partNumber != partNumber)
        return false;
    back->text += decoder.text();
    back->smsc = QString::fromUtf8(record.smscAddress);
    back->destination = QString::fromUtf8(record.originator);
    return true;
}

// Encodes `text` as a single or a concatenated message, as the composer would choose.
bool roundTrip(const QString& text, bool ucs2, const QByteArray& smsc, const QByteArray& to, ReadBack* back)
{
    QVector<ushort> units;
    for (const QChar c : text)
        units.append(c.unicode());
    units.append(0);
    const QByteArray utf8 = text.toUtf8();
    SmsPduEncoder encoder;
    const bool single = ucs2 ? text.size() <= SmsPduEncoder::SingleUcs2Units
                             : gsm7SeptetCount(text) <= SmsPduEncoder::SingleSeptets;
    if (single) {
        SmsSubmitPdu pdu;
        return (ucs2 ? encoder.encodeUcs2(smsc.constData(), to.constData(), units.constData())
                     : encoder.encode7Bit(smsc.constData(), to.constData(), utf8.constData()))
               && encoder.getSubmitPdu(&pdu) && readPart(pdu.pduText, 0, 0, back);
    }
    SmsMultipartPdu pdu;
    if (!(ucs2 ? encoder.encodeMultiUcs2(smsc.constData(), to.constData(), units.constData())
               : encoder.encodeMulti7Bit(smsc.constData(), to.constData(), utf8.constData(), ""))
        || !encoder.getMultipartPdu(&pdu))
        return false;
    for (int i = 0; i < pdu.partCount; ++i) {
        if (!readPart(pdu.parts[i]->pduText, pdu.partCount, i + 1, back))
            return false;
    }
    return true;
}

} // namespace

class TestSmsRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
};

void TestSmsRoundTrip::texts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ucs2");
    QTest::addColumn<QByteArray>("destination");

    QString gsm; // the whole alphabet, extension table included
    for (int septet = 0; septet < 128; ++septet)
        gsm += GsmAlphabet::fromSeptets(QByteArray(1, char(septet)));
    gsm += QString::fromUtf8("\f^{}\\[~]|€");

    QRandomGenerator random(0x5E7E);
    auto number = [&random] {
        QByteArray digits = random.bounded(2) ? "+" : "";
        for (int i = 2 + random.bounded(19); i > 0; --i)
            digits += "0123456789*#"[random.bounded(random.bounded(8) ? 10 : 12)];
        return digits;
    };
    for (int length : {0, 1, 7, 8, 151, 152, 153, 159, 160, 161, 304, 305, 700}) {
        for (int round = 0; round < 3; ++round) {
            QString text;
            while (gsm7SeptetCount(text) < length) {
                const QChar c = gsm.at(random.bounded(gsm.size()));
                if (gsm7SeptetCount(text + c) <= length)
                    text += c;
            }
            QTest::addRow("7-bit %d #%d", length, round) << text << false << number();
        }
    }
    for (int length : {0, 1, 65, 66, 67, 70, 71, 132, 133, 400}) {
        for (int round = 0; round < 3; ++round) {
            QString text;
            while (text.size() < length) {
                const int pick = random.bounded(8);
                if (pick == 0 && text.size() + 2 <= length)
                    text += QString::fromUcs4(U"\U0001F600");
                else
                    text += QChar(ushort(pick < 3 ? 0x20 + random.bounded(0x5F) : 0xA0 + random.bounded(0xD700)));
            }
            QTest::addRow("UCS2 %d #%d", length, round) << text << true << number();
        }
    }
    QTest::newRow("all @") << QString(200, QLatin1Char('@')) << false << QByteArray("0601234567");
    QTest::newRow("CR closing 8 septets") << QStringLiteral("1234567\r") << false << QByteArray("+48");
    QTest::newRow("pairs only") << QString::fromUcs4(U"\U0001F600").repeated(80) << true << QByteArray("112");
}

void TestSmsRoundTrip::texts()
{
    QFETCH(QString, text);
    QFETCH(bool, ucs2);
    QFETCH(QByteArray, destination);
    ReadBack back;
    QVERIFY(roundTrip(text, ucs2, "+48790998250", destination, &back));
    QCOMPARE(back.text, text);
    QCOMPARE(back.destination, QString::fromLatin1(destination));
    QCOMPARE(back.smsc, QStringLiteral("+48790998250"));
}

QTEST_GUILESS_MAIN(TestSmsRoundTrip)
#include "tst_smsroundtrip.moc"
