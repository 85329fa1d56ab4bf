#include "sms/GsmAlphabet.h"

#include <QtTest>

#include <QSet>

// The tables of 3GPP TS 23.038, 6.2.1 (default alphabet) and 6.2.1.1 (extension table).
class TestGsmAlphabet : public QObject {
    Q_OBJECT
private slots:
    void characters_data();
    void characters();
    void everyDefaultSeptetRoundTrips();
    void escapeWithoutExtension();
    void composerChoiceAndCount_data();
    void composerChoiceAndCount();
};

void TestGsmAlphabet::characters_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QByteArray>("septets"); // empty: none
    const QVector<QPair<const char*, const char*>> rows = {
        {"@", "00"}, {"£", "01"}, {"$", "02"}, {"\n", "0A"}, {"\r", "0D"}, {"_", "11"},
        {"Σ", "18"}, {"¤", "24"}, {"¡", "40"}, {"§", "5F"}, {"¿", "60"}, {"à", "7F"},
        {"\f", "1B0A"}, {"^", "1B14"}, {"{", "1B28"}, {"}", "1B29"}, {"\\", "1B2F"},
        {"[", "1B3C"}, {"~", "1B3D"}, {"]", "1B3E"}, {"|", "1B40"}, {"€", "1B65"},
        {"`", ""}, {"\t", ""}, {"\x1B", ""}, {"ą", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row.first) << QString::fromUtf8(row.first) << QByteArray::fromHex(row.second);
}

void TestGsmAlphabet::characters()
{
    QFETCH(QString, character);
    QFETCH(QByteArray, septets);
    QByteArray out("kept");
    QCOMPARE(GsmAlphabet::toSeptets(character, &out), !septets.isEmpty());
    QCOMPARE(out, QByteArray("kept") + septets);
    if (!septets.isEmpty())
        QCOMPARE(GsmAlphabet::fromSeptets(septets), character);
}

void TestGsmAlphabet::everyDefaultSeptetRoundTrips()
{
    QSet<QChar> seen;
    for (int septet = 0; septet < 128; ++septet) {
        if (septet == GsmAlphabet::Escape)
            continue;
        const QString text = GsmAlphabet::fromSeptets(QByteArray(1, char(septet)));
        QCOMPARE(text.size(), 1);
        seen.insert(text.at(0));
        QByteArray back;
        QVERIFY(GsmAlphabet::toSeptets(text, &back));
        QCOMPARE(back, QByteArray(1, char(septet)));
    }
    QCOMPARE(seen.size(), 127);
}

void TestGsmAlphabet::escapeWithoutExtension()
{
    // A receiver shows the default character of a code the extension table lacks.
    QCOMPARE(GsmAlphabet::fromSeptets(QByteArray::fromHex("1B41")), QStringLiteral("A"));
    QCOMPARE(GsmAlphabet::fromSeptets(QByteArray::fromHex("411B")), QStringLiteral("A"));
    QCOMPARE(GsmAlphabet::fromSeptets(QByteArray::fromHex("1B1B41")), QStringLiteral(" A"));
}

void TestGsmAlphabet::composerChoiceAndCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("encodable");
    QTest::addColumn<int>("septets");
    QTest::newRow("empty") << "" << true << 0;
    QTest::newRow("printable ASCII but the backtick")
        << " !\"#$%&'()*+,-./09:;<=>?@AZ[\\]^_az{|}~" << true << 46;
    QTest::newRow("LF and CR") << "a\r\nb" << true << 4;
    QTest::newRow("160 with one extension") << QString(158, QLatin1Char('x')) + "^" << true << 160;
    QTest::newRow("backtick") << "a`b" << false << -1;
    QTest::newRow("tab") << "a\tb" << false << -1;
    QTest::newRow("form feed") << "a\fb" << false << 4;
    QTest::newRow("£ is no ASCII") << QString::fromUtf8("£5") << false << 2;
    QTest::newRow("€ is no ASCII") << QString::fromUtf8("5€") << false << 3;
    QTest::newRow("emoji") << QString::fromUcs4(U"\U0001F600") << false << -1;
}

void TestGsmAlphabet::composerChoiceAndCount()
{
    QFETCH(QString, text);
    QFETCH(bool, encodable);
    QFETCH(int, septets);
    QCOMPARE(isGsm7Encodable(text), encodable);
    QCOMPARE(gsm7SeptetCount(text), septets);
}

QTEST_GUILESS_MAIN(TestGsmAlphabet)
#include "tst_gsmalphabet.moc"
