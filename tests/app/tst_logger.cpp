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

private slots:
    void initTestCase() { CZKStartup::registerMetaTypes(); }
    void init();
    void fileLineHasTimeTagTextAndDescription_data();
    void fileLineHasTimeTagTextAndDescription();
    void fileLevelDecidesWhatIsWritten_data();
    void fileLevelDecidesWhatIsWritten();
    void emptyTextsLeaveNoEntry();
    void viewKeepsTheLastFiftyWhileTheFileKeepsAll();
    void showLevelFiltersRowsAndStripes();
    void viewTextAndColours();
    void entriesFromOtherThreadsReachTheModelOnItsOwnThread();
    void concurrentFileLinesNeverInterleave();
    void missingLogFolderCostsOnlyTheFileLine();
    void pinArgumentsNeverReachTheLog_data();
    void pinArgumentsNeverReachTheLog();

private:
    QStringList fileLines(const CZKLogger& log) const;
    void useFile(CZKLogger& log, int level);

    QTemporaryDir dir;
};

void TestLogger::init()
{
    QVERIFY(dir.isValid());
    for (const QString& file : QDir(dir.path()).entryList(QDir::Files))
        QFile::remove(dir.filePath(file));
}

void TestLogger::useFile(CZKLogger& log, int level)
{
    log.logFileName = dir.filePath(QStringLiteral("log.txt"));
    log.logToFile = true;
    log.logLevel = level;
}

QStringList TestLogger::fileLines(const CZKLogger& log) const
{
    QFile file(log.logFileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void TestLogger::fileLineHasTimeTagTextAndDescription_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("msg");
    QTest::addColumn<QString>("desc");
    QTest::addColumn<QString>("expectedTail");

    QTest::newRow("sent internal command") << 4 << "AT#" << "INTERNAL" << "\t<Send>\tAT#\tINTERNAL";
    QTest::newRow("error") << 1 << "Socket Error" << "detail" << "\t<Error>\tSocket Error\tdetail";
    QTest::newRow("warning without description") << 2 << "  careful  " << "   " << "\t<Warn>\tcareful";
    QTest::newRow("information") << 3 << "Start application" << "" << "\t<Info>\tStart application";
    QTest::newRow("reply") << 5 << "OK" << "" << "\t<Rec>\tOK";
    QTest::newRow("reply key") << 100 << "IMEI" << "123456789012345" << "\t<Other>\tIMEI\t123456789012345";
}

void TestLogger::fileLineHasTimeTagTextAndDescription()
{
    QFETCH(int, type);
    QFETCH(QString, msg);
    QFETCH(QString, desc);
    QFETCH(QString, expectedTail);

    CZKLogger log;
    useFile(log, 0);
    log.addEntry(type, msg, desc);

    QFile file(log.logFileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray raw = file.readAll();
    QVERIFY(raw.endsWith("\r\n"));
    QCOMPARE(raw.count('\n'), 1);
    const QString line = QString::fromUtf8(raw.chopped(2));
    const QRegularExpression time(QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}\\.\\d{3}"));
    QVERIFY2(time.match(line).hasMatch(), qPrintable(line));
    QCOMPARE(line.mid(23), expectedTail);
}

void TestLogger::fileLevelDecidesWhatIsWritten_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("expectedTags");

    QTest::newRow("default 5 leaves out reply keys") << 5 << "<Error> <Warn> <Info> <Send> <Rec>";
    QTest::newRow("0 writes all") << 0 << "<Error> <Warn> <Info> <Send> <Rec> <Other>";
    QTest::newRow("255 writes all") << 255 << "<Error> <Warn> <Info> <Send> <Rec> <Other>";
    QTest::newRow("2 writes errors and warnings") << 2 << "<Error> <Warn>";
}

void TestLogger::fileLevelDecidesWhatIsWritten()
{
    QFETCH(int, level);
    QFETCH(QString, expectedTags);

    CZKLogger log;
    useFile(log, level);
    for (int type : {1, 2, 3, 4, 5, 100})
        log.addEntry(type, QStringLiteral("text"), QString());

    QStringList tags;
    for (const QString& line : fileLines(log))
        tags << line.section(QLatin1Char('\t'), 1, 1);
    QCOMPARE(tags.join(QLatin1Char(' ')), expectedTags);
    QCOMPARE(log.rowCount(), 6);
}

void TestLogger::emptyTextsLeaveNoEntry()
{
    CZKLogger log;
    useFile(log, 0);
    log.addEntry(101, QString(), QString());
    log.addEntry(3, QStringLiteral(" \t\r\n"), QStringLiteral("desc"));
    QCOMPARE(log.rowCount(), 0);
    QVERIFY(!QFile::exists(log.logFileName));
}

void TestLogger::viewKeepsTheLastFiftyWhileTheFileKeepsAll()
{
    CZKLogger log;
    useFile(log, 0);
    for (int i = 0; i < 51; ++i)
        log.addEntry(3, QStringLiteral("entry %1").arg(i), QString());

    QCOMPARE(log.rowCount(), 50);
    QVERIFY(log.data(log.index(0), Qt::DisplayRole).toString().endsWith(QStringLiteral("\tentry 1")));
    QVERIFY(log.data(log.index(49), Qt::DisplayRole).toString().endsWith(QStringLiteral("\tentry 50")));
    QVERIFY(!log.data(log.index(50), Qt::DisplayRole).isValid());
    QCOMPARE(fileLines(log).size(), 51);
}

void TestLogger::showLevelFiltersRowsAndStripes()
{
    CZKLogger log;
    log.addEntry(1, QStringLiteral("error"), QString());
    log.addEntry(3, QStringLiteral("info a"), QString());
    log.addEntry(4, QStringLiteral("AT"), QString());
    log.addEntry(3, QStringLiteral("info b"), QString());

    QSignalSpy layouts(&log, &QAbstractItemModel::layoutChanged);
    log.setShowLevel(3);
    QCOMPARE(layouts.count(), 1);
    QCOMPARE(log.rowCount(), 2);
    QVERIFY(log.data(log.index(0), Qt::DisplayRole).toString().endsWith(QStringLiteral("\tinfo a")));
    QVERIFY(!log.data(log.index(0), Qt::BackgroundRole).isValid());
    QCOMPARE(log.data(log.index(1), Qt::BackgroundRole).value<QBrush>().color(), QColor(225, 225, 225));

    log.setShowLevel(6);
    QCOMPARE(log.rowCount(), 0);
    log.setShowLevel(0);
    QCOMPARE(log.rowCount(), 4);
}

void TestLogger::viewTextAndColours()
{
    CZKLogger log;
    log.addEntry(100, QStringLiteral("IMEI"), QStringLiteral("351234567890123"));
    log.addEntry(1, QStringLiteral("Database error"), QString());
    log.addEntry(2, QStringLiteral("Warn"), QString());
    log.addEntry(5, QStringLiteral("OK"), QStringLiteral("INTERNAL"));

    const QString keyText = log.data(log.index(0), Qt::DisplayRole).toString();
    QCOMPARE(keyText.section(QLatin1Char('\t'), 1), QStringLiteral("IMEI - 351234567890123"));
    QVERIFY(!log.data(log.index(0), Qt::DecorationRole).isValid());
    QVERIFY(!log.data(log.index(0), Qt::ForegroundRole).isValid());
    QCOMPARE(log.data(log.index(1), Qt::DisplayRole).toString().section(QLatin1Char('\t'), 1),
             QStringLiteral("Database error"));
    QCOMPARE(log.data(log.index(1), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    QCOMPARE(log.data(log.index(2), Qt::ForegroundRole).value<QBrush>().color(), QColor(195, 165, 20));
    QCOMPARE(log.data(log.index(3), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::darkBlue));
    QVERIFY(log.data(log.index(1), Qt::DecorationRole).isValid());
}

void TestLogger::entriesFromOtherThreadsReachTheModelOnItsOwnThread()
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
    QVERIFY(log.data(log.index(0), Qt::DisplayRole).toString().endsWith(QStringLiteral("from worker 0")));
    QVERIFY(log.data(log.index(10), Qt::DisplayRole).toString().endsWith(QStringLiteral("from gui")));
}

void TestLogger::concurrentFileLinesNeverInterleave()
{
    CZKLogger log;
    useFile(log, 0);
    const QString longText(400, QLatin1Char('x'));
    std::thread a([&] {
        for (int i = 0; i < 200; ++i)
            log.addEntry(4, QStringLiteral("A") + longText, QString());
    });
    for (int i = 0; i < 200; ++i)
        log.addEntry(5, QStringLiteral("B") + longText, QString());
    a.join();

    const QStringList lines = fileLines(log);
    QCOMPARE(lines.size(), 400);
    for (const QString& line : lines) {
        const QString text = line.section(QLatin1Char('\t'), 2);
        QCOMPARE(text.size(), 401);
        QVERIFY(text.startsWith(QLatin1Char('A')) || text.startsWith(QLatin1Char('B')));
    }
}

void TestLogger::missingLogFolderCostsOnlyTheFileLine()
{
    CZKLogger log;
    log.logFileName = dir.filePath(QStringLiteral("Logs/log.txt"));
    log.logToFile = true;
    log.logLevel = 0;
    log.addEntry(3, QStringLiteral("kept in view"), QString());
    QCOMPARE(log.rowCount(), 1);
    QVERIFY(!QFile::exists(log.logFileName));
    QVERIFY(QRegularExpression(QStringLiteral("^\\./Logs/log_\\d{4}_\\d{2}_\\d{2}_\\d{2}_\\d{2}_\\d{2}\\.txt$"))
                .match(CZKLogger().logFileName)
                .hasMatch());
}

void TestLogger::pinArgumentsNeverReachTheLog_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("logged");

    QTest::newRow("enter PIN") << "AT+CPIN=\"1234\"" << "AT+CPIN=\"****\"";
    QTest::newRow("enter PUK") << "AT+CPIN=\"12345678\",\"4321\"" << "AT+CPIN=\"****\",\"****\"";
    QTest::newRow("query stays") << "AT+CPIN?" << "AT+CPIN?";
    QTest::newRow("change PIN") << "AT+CPWD=\"SC\",\"1111\",\"2222\"" << "AT+CPWD=\"SC\",\"****\",\"****\"";
    QTest::newRow("lock on") << "AT+CLCK=\"SC\",1,\"1234\"" << "AT+CLCK=\"SC\",1,\"****\"";
    QTest::newRow("lock query stays") << "AT+CLCK=\"SC\",2" << "AT+CLCK=\"SC\",2";
    QTest::newRow("device PIN") << "AT#PIN=0,1234" << "AT#PIN=0,****";
    QTest::newRow("echo in a reply, lower case")
        << "at+cpin=\"1234\"\r\r\nOK" << "at+cpin=\"****\"\r\r\nOK";
    QTest::newRow("other commands untouched") << "AT+CMGS=23" << "AT+CMGS=23";
}

void TestLogger::pinArgumentsNeverReachTheLog()
{
    QFETCH(QString, text);
    QFETCH(QString, logged);

    CZKLogger log;
    useFile(log, 0);
    log.addEntry(4, text, QStringLiteral("INTERNAL"));
    log.addEntry(5, QStringLiteral("reply"), text);
    QCOMPARE(log.data(log.index(0), Qt::DisplayRole).toString().section(QLatin1Char('\t'), 1),
             logged.trimmed() + QStringLiteral(" - INTERNAL"));
    const QStringList lines = fileLines(log);
    QVERIFY(!lines.join(QString()).contains(QStringLiteral("1234")));
    QVERIFY(lines.join(QStringLiteral("\r\n")).contains(logged.trimmed()));
}

QTEST_MAIN(TestLogger)
#include "tst_logger.moc"
