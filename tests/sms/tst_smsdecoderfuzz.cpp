#include "sms/SmsPduDecoder.h"
#include "sms/SmsPduEncoder.h"

#include <QRandomGenerator>
#include <QtTest>

// Thousands of random and mutated PDUs: none may crash the decoder or make it read outside its
// data (the sanitizer build watches that), and whatever it accepts is self-consistent. The
// seeds are fixed, so a failure repeats.
class TestSmsDecoderFuzz : public QObject {
    Q_OBJECT
private slots:
    void randomAndMutatedPdus();
};

void TestSmsDecoderFuzz::randomAndMutatedPdus()
{
    QVector<QByteArray> seeds = {
        "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37",
        "07918497908952F0440B918406214365F70000625021911475001306080412340302ED3499CC2E83E061391D",
        "07918497908952F0440B918406214365F70008625021911475001C0500035A02020043007A0119015B010700",
        "07918497908952F0440B918406214365F7000062502191147500220B05040B840B840003C4030184CDF4B21C"
        "1406C1DF723AA8CC2EB7CB6E3A",
        "07918497908952F0040DD049B7F93D6D4E0100006250219114750011D9775D0E1ABFC965507A0E8AC96634",
        "07918497908952F0062A0B918406214365F7625021911475006250219124300000",
        "07918497908952F0040B918406214365F7000462502191147500050102007FFF",
    };
    SmsPduEncoder encoder;
    SmsMultipartPdu parts;
    QVERIFY(encoder.encodeMulti7Bit("+4879", "+4860", QByteArray("Fuzz {seed} ").repeated(16).constData(), "")
            && encoder.getMultipartPdu(&parts));
    for (int i = 0; i < parts.partCount; ++i)
        seeds.append(QByteArray(parts.parts[i]->pduText).chopped(1));

    QRandomGenerator random(20260512);
    auto randomHex = [&random](int octets) {
        QByteArray bytes(octets, '\0');
        for (char& b : bytes)
            b = char(random.bounded(256));
        return bytes.toHex().toUpper();
    };
    int accepted = 0;
    SmsPduDecoder reused; // one decoder over every PDU, to catch state left behind
    for (int round = 0; round < 6000; ++round) {
        QByteArray pdu = seeds.at(random.bounded(seeds.size()));
        if (round < 1000) {
            pdu = randomHex(random.bounded(180));
            if (round % 4 == 0)
                pdu.replace(random.bounded(pdu.size() + 1), 1, "G");
        }
        for (int edit = random.bounded(5); edit > 0 && pdu.size() >= 2; --edit) {
            // Length and type octets sit near the front; bias edits there.
            const int at = 2 * (random.bounded(3) ? random.bounded(qMin(24, pdu.size() / 2)) : random.bounded(pdu.size() / 2));
            switch (random.bounded(4)) {
            case 0: pdu.replace(at, 2, randomHex(1)); break;
            case 1: pdu.truncate(at); break;
            case 2: pdu.insert(at, randomHex(1 + random.bounded(8))); break;
            default: pdu.replace(at, 2, random.bounded(2) ? "FF" : "00"); break;
            }
        }
        SmsPduDecoder decoder;
        decoder.setAcceptSubmit(round % 3 == 0);
        reused.setAcceptSubmit(round % 3 == 0);
        const bool ok = decoder.decode(pdu.constData());
        QCOMPARE(reused.decode(pdu.constData()), ok);
        accepted += ok;

        SmsDeliverPdu deliver;
        SmsStatusReportPdu report;
        const bool isDeliver = decoder.getDeliverPdu(&deliver);
        const bool isReport = decoder.getStatusReportPdu(&report);
        QCOMPARE(ok, isDeliver || isReport);
        QCOMPARE(decoder.kind() == SmsPduDecoder::Nothing, !ok);
        if (isDeliver) {
            QVERIFY(qstrnlen(deliver.originator, SmsFieldCapacity) < SmsFieldCapacity);
            QVERIFY(qstrnlen(deliver.smscAddress, SmsFieldCapacity) < SmsFieldCapacity);
            QCOMPARE(deliver.size, SmsDeliverPdu::FixedSize + deliver.pduTextSize + deliver.userDataSize);
            QVERIFY(decoder.text().size() <= 160);
        }
        if (decoder.concatenated)
            QVERIFY(decoder.part.partNumber >= 1 && decoder.part.partNumber <= decoder.part.partCount);
        if (QTest::currentTestFailed())
            QFAIL(pdu.constData());
    }
    qInfo("accepted %d of 6000", accepted);
    QVERIFY(accepted > 300); // the mutations still reach the decoding past the checks
}

QTEST_GUILESS_MAIN(TestSmsDecoderFuzz)
#include "tst_smsdecoderfuzz.moc"
