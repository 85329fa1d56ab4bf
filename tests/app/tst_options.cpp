#include "app/CZKOptions.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestOptions : public QObject {
    Q_OBJECT

private slots:
    void init();
    void defaultsStandWithoutAFile();
    void loadConvertsEachKey_data();
    void loadConvertsEachKey();
    void saveWritesTheExactKeysAndWords();
    void saveAndLoadRoundTrip();
    void switchesOverrideFields_data();
    void switchesOverrideFields();

private:
    QString writeIni(const QByteArray& body);

    QTemporaryDir dir;
};

void TestOptions::init()
{
    QVERIFY(dir.isValid());
    QFile::remove(dir.filePath(QStringLiteral("dudedoriv.ini")));
}

QString TestOptions::writeIni(const QByteArray& body)
{
    const QString path = dir.filePath(QStringLiteral("dudedoriv.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(body);
    return path;
}

void TestOptions::defaultsStandWithoutAFile()
{
    CZKOptions options;
    options.iniFile = dir.filePath(QStringLiteral("missing.ini"));
    QVERIFY(options.load());
    QCOMPARE(options.logLevel, 255);
    QCOMPARE(options.showLevel, 255);
    QCOMPARE(options.logToFile, true);
    QCOMPARE(options.language, QStringLiteral("PL"));
    QCOMPARE(options.extendedMode, false);
    QCOMPARE(options.receiveOnIp, false);
    QCOMPARE(options.skin, QStringLiteral("DEFAULT"));
    QCOMPARE(options.termAll, false);
    QVERIFY(!QFile::exists(options.iniFile));
}

void TestOptions::loadConvertsEachKey_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("logLevel");
    QTest::addColumn<int>("showLevel");
    QTest::addColumn<bool>("logToFile");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("receiveOnIp");
    QTest::addColumn<bool>("extendedMode");
    QTest::addColumn<QString>("skin");

    QTest::newRow("words in any case")
        << QByteArray("[logging]\nloglevel=Warning\nshowlevel=all\nlogtofile=1\n"
                      "[admin]\nlanguage=en\nreceive_on_ip=1\nextended_mode=1\n[skin]\nactual=darkorange\n")
        << 2 << 0 << true << "EN" << true << true << "darkorange";
    QTest::newRow("unknown level words and odd flags")
        << QByteArray("[logging]\nloglevel=3\nshowlevel=info\nlogtofile=true\n"
                      "[admin]\nreceive_on_ip=2\nextended_mode=-1\n")
        << 255 << 255 << false << "PL" << false << false << "DEFAULT";
    QTest::newRow("error and debug")
        << QByteArray("[logging]\nloglevel=ERROR\nshowlevel=debug\n")
        << 1 << 3 << true << "PL" << false << false << "DEFAULT";
    QTest::newRow("present but empty")
        << QByteArray("[logging]\nloglevel=\nshowlevel=\nlogtofile=\n[admin]\nlanguage=\n"
                      "receive_on_ip=\nextended_mode=\n[skin]\nactual=\n")
        << 255 << 255 << false << "" << false << false << "";
}

void TestOptions::loadConvertsEachKey()
{
    QFETCH(QByteArray, ini);
    CZKOptions options;
    options.iniFile = writeIni(ini);
    QVERIFY(options.load());
    QTEST(options.logLevel, "logLevel");
    QTEST(options.showLevel, "showLevel");
    QTEST(options.logToFile, "logToFile");
    QTEST(options.language, "language");
    QTEST(options.receiveOnIp, "receiveOnIp");
    QTEST(options.extendedMode, "extendedMode");
    QTEST(options.skin, "skin");
}

void TestOptions::saveWritesTheExactKeysAndWords()
{
    CZKOptions options;
    options.iniFile = dir.filePath(QStringLiteral("dudedoriv.ini"));
    options.logLevel = 2;
    options.showLevel = 255;
    options.logToFile = false;
    options.language = QStringLiteral("DE");
    options.receiveOnIp = true;
    options.extendedMode = false;
    options.skin = QStringLiteral("DARKORANGE");
    options.termAll = true;
    QVERIFY(options.save());

    QSettings raw(options.iniFile, QSettings::IniFormat);
    QCOMPARE(raw.allKeys().size(), 7);
    QCOMPARE(raw.value("logging/loglevel").toString(), QStringLiteral("warning"));
    QCOMPARE(raw.value("logging/showlevel").toString(), QStringLiteral("all"));
    QCOMPARE(raw.value("logging/logtofile").toString(), QStringLiteral("0"));
    QCOMPARE(raw.value("admin/language").toString(), QStringLiteral("DE"));
    QCOMPARE(raw.value("admin/receive_on_ip").toString(), QStringLiteral("1"));
    QCOMPARE(raw.value("admin/extended_mode").toString(), QStringLiteral("0"));
    QCOMPARE(raw.value("skin/actual").toString(), QStringLiteral("DARKORANGE"));
}

void TestOptions::saveAndLoadRoundTrip()
{
    const QString path = dir.filePath(QStringLiteral("dudedoriv.ini"));
    for (int level : {1, 2, 3, 0, 4, 5, 255}) {
        CZKOptions written;
        written.iniFile = path;
        written.logLevel = level;
        written.showLevel = level;
        written.language = QStringLiteral("RU");
        QVERIFY(written.save());

        CZKOptions read;
        read.iniFile = path;
        read.load();
        // Levels above 3 have no word of their own and come back as "all".
        const int expected = level >= 1 && level <= 3 ? level : 0;
        QCOMPARE(read.logLevel, expected);
        QCOMPARE(read.showLevel, expected);
        QCOMPARE(read.language, QStringLiteral("RU"));
    }
}

void TestOptions::switchesOverrideFields_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("logLevel");
    QTest::addColumn<int>("showLevel");
    QTest::addColumn<bool>("extendedMode");
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("receiveOnIp");
    QTest::addColumn<bool>("logToFile");
    QTest::addColumn<bool>("termAll");

    QTest::newRow("none") << QStringList() << 255 << 255 << false << "PL" << false << true << false;
    QTest::newRow("lower-case names, value keeps its case")
        << QStringList{"/ll=3", "/lang=pl"} << 3 << 255 << false << "pl" << false << true << false;
    QTest::newRow("last one wins") << QStringList{"/SL=2", "/SL=5"} << 255 << 5 << false << "PL" << false << true
                                   << false;
    QTest::newRow("flags above zero")
        << QStringList{"/EM=2", "/RECIP=1", "/LTOF=0"} << 255 << 255 << true << "PL" << true << false << false;
    QTest::newRow("negative and letters are off or zero")
        << QStringList{"/EM=-1", "/LL=abc", "/RECIP=x"} << 0 << 255 << false << "PL" << false << true << false;
    QTest::newRow("termall ignores what follows")
        << QStringList{"/TERMALL=0"} << 255 << 255 << false << "PL" << false << true << true;
    QTest::newRow("empty language, unknown switches ignored")
        << QStringList{"/LANG=", "-x", "/FOO=1", "LL=3"} << 255 << 255 << false << "" << false << true << false;
}

void TestOptions::switchesOverrideFields()
{
    QFETCH(QStringList, arguments);
    CZKOptions options;
    options.applySwitches(arguments);
    QTEST(options.logLevel, "logLevel");
    QTEST(options.showLevel, "showLevel");
    QTEST(options.extendedMode, "extendedMode");
    QTEST(options.language, "language");
    QTEST(options.receiveOnIp, "receiveOnIp");
    QTEST(options.logToFile, "logToFile");
    QTEST(options.termAll, "termAll");
}

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
