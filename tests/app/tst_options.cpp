#include "app/CZKOptions.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The settings as "level|show|file|language|on IP|extended|skin|term all".
static QString fields(const CZKOptions& o)
{
    return QStringLiteral("%1|%2|%3|%4|%5|%6|%7|%8")
        .arg(o.logLevel).arg(o.showLevel).arg(o.logToFile).arg(o.language)
        .arg(o.receiveOnIp).arg(o.extendedMode).arg(o.skin).arg(o.termAll);
}

class TestOptions : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString iniPath() const { return dir.filePath(QStringLiteral("dudedoriv.ini")); }

private slots:
    void init() { QFile::remove(iniPath()); }

    void load_data()
    {
        QTest::addColumn<QByteArray>("ini"); // null: no file at all
        QTest::addColumn<QString>("expected");

        // Without a stored show level the log view shows every entry.
        QTest::newRow("no file keeps the defaults") << QByteArray() << "255|0|1|PL|0|0|DEFAULT|0";
        QTest::newRow("no show level, a log level stored") << QByteArray("[logging]\nloglevel=error\n")
                                                           << "1|0|1|PL|0|0|DEFAULT|0";
        QTest::newRow("words in any case")
            << QByteArray("[logging]\nloglevel=Warning\nshowlevel=all\nlogtofile=1\n"
                          "[admin]\nlanguage=en\nreceive_on_ip=1\nextended_mode=1\n[skin]\nactual=darkorange\n")
            << "2|0|1|EN|1|1|darkorange|0";
        QTest::newRow("unknown level words and odd flags")
            << QByteArray("[logging]\nloglevel=3\nshowlevel=info\nlogtofile=true\n"
                          "[admin]\nreceive_on_ip=2\nextended_mode=-1\n")
            << "255|0|0|PL|0|0|DEFAULT|0";
        QTest::newRow("error and debug") << QByteArray("[logging]\nloglevel=ERROR\nshowlevel=debug\n")
                                         << "1|3|1|PL|0|0|DEFAULT|0";
        QTest::newRow("present but empty")
            << QByteArray("[logging]\nloglevel=\nshowlevel=\nlogtofile=\n[admin]\nlanguage=\n"
                          "receive_on_ip=\nextended_mode=\n[skin]\nactual=\n")
            << "255|0|0||0|0||0";
    }

    void load()
    {
        QFETCH(QByteArray, ini);
        if (!ini.isNull()) {
            QFile file(iniPath());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(ini);
        }
        CZKOptions options;
        options.iniFile = iniPath();
        QVERIFY(options.load());
        QTEST(fields(options), "expected");
        QCOMPARE(QFile::exists(iniPath()), !ini.isNull());
    }

    void saveWritesTheExactKeysAndWords()
    {
        CZKOptions options;
        options.iniFile = iniPath();
        options.logLevel = 2;
        options.logToFile = false;
        options.language = QStringLiteral("DE");
        options.receiveOnIp = true;
        options.skin = QStringLiteral("DARKORANGE");
        options.termAll = true;
        QVERIFY(options.save());

        QSettings raw(options.iniFile, QSettings::IniFormat);
        QStringList written;
        for (const QString& key : raw.allKeys())
            written << key + '=' + raw.value(key).toString();
        written.sort();
        QCOMPARE(written, (QStringList{"admin/extended_mode=0", "admin/language=DE", "admin/receive_on_ip=1",
                                       "logging/loglevel=warning", "logging/logtofile=0", "logging/showlevel=all",
                                       "skin/actual=DARKORANGE"}));
    }

    void saveAndLoadRoundTrip()
    {
        for (int level : {1, 2, 3, 0, 4, 255}) {
            CZKOptions written;
            written.iniFile = iniPath();
            written.logLevel = written.showLevel = level;
            QVERIFY(written.save());
            CZKOptions read;
            read.iniFile = iniPath();
            read.load();
            // Levels above 3 have no word of their own and come back as "all".
            const int expected = level >= 1 && level <= 3 ? level : 0;
            QCOMPARE(read.logLevel, expected);
            QCOMPARE(read.showLevel, expected);
        }
    }

    void switchesOverrideFields_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");

        QTest::newRow("lower-case names, value keeps its case") << QStringList{"/ll=3", "/lang=pl"}
                                                                << "3|0|1|pl|0|0|DEFAULT|0";
        QTest::newRow("last one wins") << QStringList{"/SL=2", "/SL=5"} << "255|5|1|PL|0|0|DEFAULT|0";
        QTest::newRow("flags above zero") << QStringList{"/EM=2", "/RECIP=1", "/LTOF=0"}
                                          << "255|0|0|PL|1|1|DEFAULT|0";
        QTest::newRow("negative and letters are off or zero") << QStringList{"/EM=-1", "/LL=abc", "/RECIP=x"}
                                                              << "0|0|1|PL|0|0|DEFAULT|0";
        QTest::newRow("termall ignores what follows") << QStringList{"/TERMALL=0"} << "255|0|1|PL|0|0|DEFAULT|1";
        QTest::newRow("empty language, unknown switches ignored") << QStringList{"/LANG=", "-x", "/FOO=1", "LL=3"}
                                                                  << "255|0|1||0|0|DEFAULT|0";
    }

    void switchesOverrideFields()
    {
        QFETCH(QStringList, arguments);
        CZKOptions options;
        options.applySwitches(arguments);
        QTEST(fields(options), "expected");
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
