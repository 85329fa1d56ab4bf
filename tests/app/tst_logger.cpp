#include "app/CZKLogger.h"
#include "app/CZKStartup.h"

#include <QBrush>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

class TestLogger : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    void useFile(CZKLogger& log, int level, const QString& name = QStringLiteral("log.txt"))
    {
        QFile::remove(dir.filePath(name));
        log.logFileName = dir.filePath(name);
        log.logToFile = true;
        log.logLevel = level;
    }

    static QStringList fileLines(const CZKLogger& log)
    {
        QFile file(log.logFileName);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    static QString shown(const CZKLogger& log, int row)
    {
        return log.data(log.index(row), Qt::DisplayRole).toString().section(QLatin1Char('\t'), 1);
    }

private slots:
    void initTestCase() { CZKStartup::registerMetaTypes(); }

    // A line is time, tag, text and description (when there is one), ending CR LF. The level
    // decides which types reach the file (0: all, else those up to it); the view gets all.
    void fileLines_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("expected");
        const QStringList all{"<Error>\tSocket Error\tdetail", "<Warn>\tcareful", "<Info>\tStart",
                              "<Send>\tAT#\tINTERNAL", "<Rec>\tOK", "<Other>\tIMEI\t351234567890123"};
        QTest::newRow("0 writes all") << 0 << all;
        QTest::newRow("default 5 leaves out reply keys") << 5 << QStringList(all.mid(0, 5));
        QTest::newRow("2 writes errors and warnings") << 2 << QStringList(all.mid(0, 2));
    }

    void fileLines()
    {
        QFETCH(int, level);
        CZKLogger log;
        useFile(log, level);
        log.addEntry(1, QStringLiteral("Socket Error"), QStringLiteral("detail"));
        log.addEntry(2, QStringLiteral("  careful  "), QStringLiteral("   "));
        log.addEntry(3, QStringLiteral("Start"), QString());
        log.addEntry(4, QStringLiteral("AT#"), QStringLiteral("INTERNAL"));
        log.addEntry(5, QStringLiteral("OK"), QString());
        log.addEntry(100, QStringLiteral("IMEI"), QStringLiteral("351234567890123"));
        log.addEntry(101, QString(), QStringLiteral("empty texts leave no entry"));
        log.addEntry(3, QStringLiteral(" \t\r\n"), QStringLiteral("nor do blank ones"));
        QCOMPARE(log.rowCount(), 6);
        QFile file(log.logFileName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const QRegularExpression time("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}\t");
        for (QString& line : lines) {
            QVERIFY2(time.match(line).hasMatch(), qPrintable(line));
            line.remove(0, 24);
        }
        QTEST(lines, "expected");
    }

    void viewKeepsTheLastFiftyWhileTheFileKeepsAll()
    {
        CZKLogger log;
        useFile(log, 0);
        for (int i = 0; i < 51; ++i)
            log.addEntry(3, QStringLiteral("entry %1").arg(i), QString());
        QCOMPARE(log.rowCount(), 50);
        QCOMPARE(shown(log, 0), QStringLiteral("entry 1"));
        QCOMPARE(shown(log, 49), QStringLiteral("entry 50"));
        QCOMPARE(fileLines(log).size(), 51);
    }

    void viewShowLevelTextAndStripes()
    {
        CZKLogger log;
        log.addEntry(1, QStringLiteral("error"), QString());
        log.addEntry(3, QStringLiteral("info a"), QString());
        log.addEntry(100, QStringLiteral("IMEI"), QStringLiteral("351234567890123"));
        log.addEntry(3, QStringLiteral("info b"), QString());
        QCOMPARE(shown(log, 2), QStringLiteral("IMEI - 351234567890123"));
        QCOMPARE(log.data(log.index(0), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));

        QSignalSpy layouts(&log, &QAbstractItemModel::layoutChanged);
        log.setShowLevel(3);
        QCOMPARE(layouts.count(), 1);
        QCOMPARE(log.rowCount(), 2);
        QCOMPARE(shown(log, 0), QStringLiteral("info a"));
        QVERIFY(!log.data(log.index(0), Qt::BackgroundRole).isValid());
        QCOMPARE(log.data(log.index(1), Qt::BackgroundRole).value<QBrush>().color(), QColor(225, 225, 225));
        log.setShowLevel(0);
        QCOMPARE(log.rowCount(), 4);
    }

    void entriesFromOtherThreadsReachTheModelOnItsOwnThread()
    {
        CZKLogger log;
        QThread* modelThread = nullptr;
        connect(&log, &QAbstractItemModel::layoutChanged, &log,
                [&modelThread] { modelThread = QThread::currentThread(); }, Qt::DirectConnection);
        std::thread worker([&log] {
            for (int i = 0; i < 10; ++i)
                log.addEntry(3, QStringLiteral("from worker %1").arg(i), QString());
        });
        worker.join();
        log.addEntry(3, QStringLiteral("from gui"), QString());

        QTRY_COMPARE(log.rowCount(), 11);
        QCOMPARE(modelThread, QThread::currentThread());
        // Arrival order is kept although the GUI line was handled at once.
        QCOMPARE(shown(log, 0), QStringLiteral("from worker 0"));
        QCOMPARE(shown(log, 10), QStringLiteral("from gui"));
    }

    void concurrentFileLinesNeverInterleave()
    {
        CZKLogger log;
        useFile(log, 0);
        const QString longText(400, QLatin1Char('x'));
        std::thread other([&] {
            for (int i = 0; i < 200; ++i)
                log.addEntry(4, QStringLiteral("A") + longText, QString());
        });
        for (int i = 0; i < 200; ++i)
            log.addEntry(5, QStringLiteral("B") + longText, QString());
        other.join();

        const QStringList lines = fileLines(log);
        QCOMPARE(lines.size(), 400);
        for (const QString& line : lines)
            QVERIFY(QRegularExpression("^[AB]x{400}$").match(line.section(QLatin1Char('\t'), 2)).hasMatch());
    }

    void missingLogFolderCostsOnlyTheFileLine()
    {
        CZKLogger log;
        useFile(log, 0, QStringLiteral("Logs/log.txt"));
        log.addEntry(3, QStringLiteral("kept in view"), QString());
        QCOMPARE(log.rowCount(), 1);
        QVERIFY(!QFile::exists(log.logFileName));
    }

    void pinArgumentsNeverReachTheLog_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("logged");

        QTest::newRow("enter PIN") << "AT+CPIN=\"1234\"" << "AT+CPIN=\"****\"";
        QTest::newRow("enter PUK") << "AT+CPIN=\"12345678\",\"4321\"" << "AT+CPIN=\"****\",\"****\"";
        QTest::newRow("change PIN") << "AT+CPWD=\"SC\",\"1111\",\"2222\"" << "AT+CPWD=\"SC\",\"****\",\"****\"";
        QTest::newRow("lock on") << "AT+CLCK=\"SC\",1,\"1234\"" << "AT+CLCK=\"SC\",1,\"****\"";
        QTest::newRow("lock query stays") << "AT+CLCK=\"SC\",2" << "AT+CLCK=\"SC\",2";
        QTest::newRow("device PIN") << "AT#PIN=0,1234" << "AT#PIN=0,****";
        QTest::newRow("echo in a reply, lower case") << "at+cpin=\"1234\"\r\r\nOK" << "at+cpin=\"****\"\r\r\nOK";
        QTest::newRow("other commands untouched") << "AT+CMGS=23" << "AT+CMGS=23";
        // The data profile takes its password before the user name, which stays readable.
        QTest::newRow("APN password") << "AT$QCPDPP=1,1,\"s3cret1234\",\"web\""
                                      << "AT$QCPDPP=1,1,\"****\",\"web\"";
        QTest::newRow("APN password with a comma, echoed")
            << "at$qcpdpp=1,2,\"12,34\",\"user,1\"\r\r\nOK" << "at$qcpdpp=1,2,\"****\",\"user,1\"\r\r\nOK";
        QTest::newRow("APN password, quotes unpaired") << "AT$QCPDPP=1,1,\"12\"34\",\"web\""
                                                       << "AT$QCPDPP=1,1,\"****\",\"****\"";
        QTest::newRow("APN without credentials") << "AT$QCPDPP=1,0" << "AT$QCPDPP=1,0";
        QTest::newRow("APN password reported") << "$QCPDPP: 1,1,\"web\",\"s3cret1234\""
                                               << "$QCPDPP: 1,1,\"web\",\"****\"";
        QTest::newRow("APN password reported without a space") << "$QCPDPP:1,1,\"web\",\"s3cret1234\""
                                                               << "$QCPDPP:1,1,\"web\",\"****\"";
        // The context's authentication takes the user name first and the password after it.
        QTest::newRow("authentication typed") << "AT+CGAUTH=1,1,\"user\",\"s3cret1234\""
                                              << "AT+CGAUTH=1,1,\"user\",\"****\"";
        QTest::newRow("authentication with commas, echoed")
            << "at+cgauth=1,2,\"us,er\",\"s3cret,1234\"\r\r\nOK" << "at+cgauth=1,2,\"us,er\",\"****\"\r\r\nOK";
        QTest::newRow("authentication, quotes unpaired") << "AT+CGAUTH=1,1,\"user\",\"s3\"cret1234\""
                                                         << "AT+CGAUTH=1,1,\"user\",\"****\"";
        QTest::newRow("authentication without a password") << "AT+CGAUTH=1,1,\"user\"" << "AT+CGAUTH=1,1,\"user\"";
        QTest::newRow("authentication reported in the reply to its query")
            << "AT+CGAUTH?\r\r\n+CGAUTH: 1,1,\"user\",\"s3cret1234\"\r\nOK"
            << "AT+CGAUTH?\r\r\n+CGAUTH: 1,1,\"user\",\"****\"\r\nOK";
        QTest::newRow("authentication reported without a space") << "+CGAUTH:1,1,\"user\",\"s3cret1234\""
                                                                 << "+CGAUTH:1,1,\"user\",\"****\"";
    }

    // Masked in the view and the file, as the command and as another entry's description.
    void pinArgumentsNeverReachTheLog()
    {
        QFETCH(QString, text);
        QFETCH(QString, logged);
        CZKLogger log;
        useFile(log, 0);
        log.addEntry(4, text, QStringLiteral("INTERNAL"));
        log.addEntry(5, QStringLiteral("reply"), text);
        QCOMPARE(shown(log, 0), logged + QStringLiteral(" - INTERNAL"));
        const QString file = fileLines(log).join(QStringLiteral("\r\n"));
        QVERIFY(!file.contains(QStringLiteral("1234")));
        QCOMPARE(file.count(logged), 2);
    }

    void reportedApnPasswordMasked()
    {
        CZKLogger log;
        log.addEntry(100, QStringLiteral("APN_PASSWORD"), QStringLiteral("s3cret1234"));
        log.addEntry(100, QStringLiteral("APN_USER"), QStringLiteral("web"));
        QCOMPARE(shown(log, 0), QStringLiteral("APN_PASSWORD - ****"));
        QCOMPARE(shown(log, 1), QStringLiteral("APN_USER - web"));
    }
};

QTEST_MAIN(TestLogger)
#include "tst_logger.moc"
