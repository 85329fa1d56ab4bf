#include "DbTestSupport.h"

#include "app/CZKPrompt.h"
#include "bus/IMessageReceiver.h"
#include "db/CZKDataBaseStartup.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Set in main: root may make read-only views here (a mount namespace of this process's own).
bool privateMounts = false;

// Root writes whatever the permission bits say, so for root a read-only database is made the way
// a read-only medium or share gives it: a read-only bind mount, seen by this process only.
class ReadOnly {
public:
    // `folder` read-only; `file` too, or, with fileWritable, still writable itself.
    ReadOnly(const QString& folder, const QString& file, bool fileWritable)
        : folder(folder)
        , file(file)
    {
        if (geteuid() != 0) {
            chmod(QFile::encodeName(fileWritable ? folder : file).constData(), fileWritable ? 0555 : 0444);
            return;
        }
        if (fileWritable) {
            bind(folder, true);
            bind(file, false);
        } else {
            bind(file, true);
        }
    }

    ~ReadOnly()
    {
        for (int i = mounts.size() - 1; i >= 0; --i)
            umount2(mounts.at(i).constData(), MNT_DETACH);
        if (geteuid() != 0) {
            chmod(QFile::encodeName(folder).constData(), 0755);
            chmod(QFile::encodeName(file).constData(), 0644);
        }
    }

private:
    void bind(const QString& path, bool readOnly)
    {
        const QByteArray name = QFile::encodeName(path);
        // A bind mount takes the flags of the mount it comes from; the remount sets its own.
        if (mount(name.constData(), name.constData(), nullptr, MS_BIND, nullptr) != 0)
            qFatal("bind mount of %s: %s", name.constData(), strerror(errno));
        mounts.append(name);
        const unsigned long flags = MS_REMOUNT | MS_BIND | (readOnly ? MS_RDONLY : 0);
        if (mount(nullptr, name.constData(), nullptr, flags, nullptr) != 0)
            qFatal("remount of %s: %s", name.constData(), strerror(errno));
    }

    QString folder;
    QString file;
    QVector<QByteArray> mounts;
};

class LogRecorder : public IMessageReceiver {
public:
    void receiveMessage(int type, QString msg, QString desc) override
    {
        lines.append(QStringLiteral("%1|%2|%3").arg(type).arg(msg, desc));
    }
    QStringList lines;
};

QByteArray fileHash(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1)
                                          : QByteArray();
}

// Everything a date-time shows of itself, so that two that differ anywhere read differently.
QString describe(const QDateTime& value)
{
    return QStringLiteral("%1 %2 valid=%3 spec=%4 dst=%5 offset=%6 epoch=%7")
        .arg(value.date().toString(Qt::ISODate), value.time().toString(QStringLiteral("hh:mm:ss.zzz")))
        .arg(value.isValid())
        .arg(value.timeSpec())
        .arg(value.isDaylightTime())
        .arg(value.offsetFromUtc())
        .arg(value.toMSecsSinceEpoch());
}

const QString kReadOnly = QStringLiteral("The local database %1 can only be read: changes will not be saved");

} // namespace

// The database's part of the program's start: what the operator is told when the database
// cannot be loaded or only read, and that the start-up load reads stored dates as it always did.
class TestDatabaseStartup : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { CZKPrompt::setResponder({}); }

    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("goesOn");
        QTest::addColumn<QString>("box"); // kind|title|text; %1 the file's name
        QTest::addColumn<QString>("log"); // type|msg|desc
        const QString notLoaded = QStringLiteral("The local database could not be loaded");
        QTest::newRow("writable") << "" << true << "" << "";
        QTest::newRow("read-only file")
            << "file" << true
            << "1|Warning|" + kReadOnly + "."
            << "2|" + kReadOnly + "|attempt to write a readonly database Unable to fetch row";
        // SQLite sees a folder closed by its mode bits when it opens the file, and a read-only
        // file system only when it tries to make the journal.
        const QString folderReason = geteuid() == 0 ? "unable to open database file Unable to fetch row"
                                                    : "attempt to write a readonly database Unable to fetch row";
        QTest::newRow("read-only folder") << "folder" << true << "1|Warning|" + kReadOnly + "."
                                          << "2|" + kReadOnly + "|" + folderReason;
        const QString cannotOpen = "%1 cannot be opened: unable to open database file Error opening database";
        QTest::newRow("folder at its path") << "directory" << false << "2|Error|" + notLoaded + ":\n" + cannotOpen
                                            << "1|" + notLoaded + "|" + cannotOpen;
        const QString noTables = "no such table: ZKMAIN Unable to execute statement";
        QTest::newRow("no tables") << "empty" << false << "2|Error|" + notLoaded + ":\n" + noTables
                                   << "1|" + notLoaded + "|" + noTables;
    }

    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(bool, goesOn);
        QFETCH(QString, box);
        QFETCH(QString, log);
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/db");
        QVERIFY(QDir().mkdir(folder));
        CZKDataBase db;
        db.fileName = folder + QStringLiteral("/test.db");
        if (fault == "directory")
            QVERIFY(QDir().mkdir(db.fileName));
        else if (fault == "empty")
            QVERIFY(QFile(db.fileName).open(QIODevice::WriteOnly));
        else
            makeDatabaseFile(db.fileName, QString(), true);
        if ((fault == "file" || fault == "folder") && geteuid() == 0 && !privateMounts)
            QSKIP("root cannot make a read-only file here (no mount namespace of its own)");
        const QByteArray before = fileHash(db.fileName);
        std::unique_ptr<ReadOnly> readOnly;
        if (fault == "file" || fault == "folder")
            readOnly = std::make_unique<ReadOnly>(folder, db.fileName, fault == "folder");

        QStringList boxes;
        CZKPrompt::setResponder([&](const CZKPrompt::Call& call) {
            boxes.append(QStringLiteral("%1|%2|%3").arg(int(call.kind)).arg(call.title, call.text));
            return QMessageBox::Ok;
        });
        LogRecorder recorder;
        QCOMPARE(CZKDataBaseStartup::openAndLoad(db, &recorder), goesOn);
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList{box.replace("%1", db.fileName)});
        QCOMPARE(recorder.lines, log.isEmpty() ? QStringList() : QStringList{log.replace("%1", db.fileName)});
        if (goesOn) {
            QCOMPARE(db.devices.size(), 1);
            // Looking did not change the file, nor leave a journal beside it.
            QCOMPARE(fileHash(db.fileName), before);
            QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"test.db"});
        }
        db.close();
    }

    void datesReadAsBefore()
    {
        if (!QFile::exists(QStringLiteral("/usr/share/zoneinfo/Europe/Warsaw")))
            QSKIP("no time zone data for Europe/Warsaw (tzdata)");
        // The premise: the process runs on Warsaw's clock, gap and overlap included.
        QVERIFY2(!QDateTime(QDate(2023, 3, 26), QTime(2, 30)).isValid(), "no spring gap: TZ not in effect");
        QCOMPARE(QDateTime(QDate(2023, 10, 29), QTime(3, 30)).offsetFromUtc()
                     - QDateTime(QDate(2023, 10, 29), QTime(1, 30)).offsetFromUtc(),
                 -3600);

        // Every minute of four days with a clock change: several batches for the loaders' reader.
        QStringList texts{"2023-01-15 12:00:00"};
        for (const char* day : {"2023-03-26", "2023-10-29", "2024-03-31", "2024-10-27"}) {
            for (int minutes = 0; minutes < 24 * 60; ++minutes)
                texts << QStringLiteral("%1 %2:%3:%4").arg(day).arg(minutes / 60, 2, 10, QLatin1Char('0'))
                      .arg(minutes % 60, 2, 10, QLatin1Char('0')).arg(minutes % 7 * 8, 2, 10, QLatin1Char('0'));
        }
        // In the overlap again, after a winter time: the reading may follow what came before.
        texts << "2023-12-01 08:00:00" << "2023-10-29 02:30:00" << "2023-07-01 08:00:00" << "2023-10-29 02:30:00";
        // Forms that only QDateTime::fromString itself knows what to do with.
        texts << "2023-10-28 24:00:00" << "2023-03-26T02:30:00" << "2023-10-29 02:30:00+02:00" << "2023-10-29"
              << "2023-13-01 00:00:00" << "-023-01-01 00:00:00" << "" << "now";
        QString rows;
        for (int i = 0; i < texts.size(); ++i) {
            const QString quoted = "'" + QString(texts.at(i)).replace('\'', "''") + "'";
            rows += QStringLiteral("INSERT INTO RECEIVE_MESSAGES (ID, DATE) VALUES (%1, %2);\n"
                                   "INSERT INTO SEND_MESSAGES (ID, DATE) VALUES (%1, %2);\n")
                        .arg(i)
                        .arg(quoted);
        }
        // Not texts at all.
        rows += "INSERT INTO RECEIVE_MESSAGES (ID, DATE) VALUES (100000, NULL), (100001, 1698539400);\n";
        LoadedDatabase fixture(rows);
        QVERIFY(fixture.loaded);

        // QVariant::toDateTime of each column value, in the loaders' order (the C library's
        // conversions keep their sequence), described only afterwards.
        QVector<QDateTime> before;
        QStringList stored;
        for (const char* table : {"RECEIVE_MESSAGES", "SEND_MESSAGES"}) {
            QSqlQuery query(QSqlDatabase::database(QStringLiteral("zk_connection"), false));
            QVERIFY(query.exec(QStringLiteral("SELECT DATE FROM %1").arg(table)));
            while (query.next()) {
                before << query.value(0).toDateTime();
                stored << query.value(0).toString();
            }
        }
        QVector<QDateTime> loaded;
        for (const ReceivedMessageRecord& message : fixture.db.receivedMessages)
            loaded << message.date;
        for (const SentMessageRecord& message : fixture.db.sentMessages)
            loaded << message.date;
        QCOMPARE(loaded.size(), 2 * texts.size() + 2);
        for (int i = 0; i < loaded.size(); ++i) {
            const QString row = QStringLiteral("row %1 \"%2\": ").arg(i).arg(stored.at(i));
            QCOMPARE(row + describe(loaded.at(i)), row + describe(before.at(i)));
        }
        QVERIFY(!fixture.db.receivedMessages.at(0).date.isDaylightTime());
    }
};

int main(int argc, char** argv)
{
    // Before anything reads local time: the dates of the tests cross Warsaw's clock changes.
    qputenv("TZ", QByteArrayLiteral("Europe/Warsaw"));
    tzset();
    // Mounts made from here on stay in this process; without MS_PRIVATE they would reach the
    // machine's own namespace through shared propagation.
    if (geteuid() == 0)
        privateMounts = unshare(CLONE_NEWNS) == 0 && mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QCoreApplication app(argc, argv);
    TestDatabaseStartup test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_databasestartup.moc"
