#include "DbTestSupport.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace {

QByteArray sqlFile(const char* name)
{
    QFile file(qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/db/sql/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

QSqlQuery programQuery()
{
    return QSqlQuery(QSqlDatabase::database(QStringLiteral("zk_connection"), false));
}

} // namespace

void BusRecorder::receiveMessage(int type, QString msg, QString desc)
{
    QMutexLocker locker(&lock);
    seen.append(QStringLiteral("%1|%2|%3").arg(QString::number(type), msg, desc));
}

QStringList BusRecorder::take()
{
    const QString marker = QStringLiteral("marker %1").arg(++markers);
    busProxy->post(0, marker, QString());
    const QString line = QStringLiteral("0|%1|").arg(marker);
    if (!QTest::qWaitFor([&] { QMutexLocker locker(&lock); return seen.contains(line); }, 5000))
        qFatal("the bus did not deliver");
    QMutexLocker locker(&lock);
    const int end = seen.indexOf(line);
    const QStringList before = seen.mid(0, end);
    seen = seen.mid(end + 1);
    return before;
}

void execOnConnection(const QString& sql)
{
    QSqlQuery query = programQuery();
    for (const QString& statement : sql.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!query.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
    }
}

QString queryRows(const QString& sql)
{
    QSqlQuery query = programQuery();
    if (!query.exec(sql))
        return QStringLiteral("error: ") + query.lastError().text();
    QStringList rows;
    while (query.next()) {
        QStringList columns;
        for (int i = 0; i < query.record().count(); ++i)
            columns.append(query.value(i).toString());
        rows.append(columns.join(QLatin1Char('|')));
    }
    return rows.join(QLatin1Char(';'));
}

std::unique_ptr<CZKDataBase> reloaded(const CZKDataBase& db)
{
    auto fresh = std::make_unique<CZKDataBase>();
    fresh->fileName = db.fileName;
    if (!fresh->loadAll())
        qFatal("reloading %s failed", qPrintable(db.fileName));
    return fresh;
}

LoadedDatabase::LoadedDatabase(const QString& extraSql, bool startingRows)
{
    db.fileName = dir.path() + QStringLiteral("/test.db");
    QByteArray script = "BEGIN;\n" + sqlFile("schema.sql");
    if (startingRows)
        script += sqlFile("data.sql") + sqlFile("operators.sql");
    script += extraSql.toUtf8() + "\nCOMMIT;\n";
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), QStringLiteral("-batch"), db.fileName});
    sqlite.write(script);
    sqlite.closeWriteChannel();
    if (!sqlite.waitForFinished(30000) || sqlite.exitCode() != 0)
        qFatal("sqlite3 failed: %s", sqlite.readAllStandardError().constData());
    setDatabase(&db);
    loaded = db.open() && db.loadAll();
}

LoadedDatabase::~LoadedDatabase()
{
    db.close();
    setDatabase(nullptr);
}
