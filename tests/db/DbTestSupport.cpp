#include "DbTestSupport.h"

#include <QProcess>
#include <QtSql>
#include <QtTest>

void BusRecorder::receiveMessage(int type, QString msg, QString desc)
{
    QMutexLocker locker(&lock);
    seen.append(QStringLiteral("%1|%2|%3").arg(QString::number(type), msg, desc));
}

QStringList BusRecorder::take()
{
    const QString marker = QStringLiteral("marker %1").arg(++markers), line = "0|" + marker + '|';
    busProxy->post(0, marker, QString());
    if (!QTest::qWaitFor([&] { QMutexLocker locker(&lock); return seen.contains(line); }, 5000))
        qFatal("the bus did not deliver");
    QMutexLocker locker(&lock);
    const QStringList before = seen.mid(0, seen.indexOf(line));
    seen = seen.mid(before.size() + 1);
    return before;
}

void execOnConnection(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(QStringLiteral("zk_connection"), false));
    for (const QString& statement : sql.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (!query.exec(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
    }
}

QString queryRows(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(QStringLiteral("zk_connection"), false));
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

void makeDatabaseFile(const QString& path, const QString& extraSql, bool startingRows)
{
    QByteArray script = "BEGIN;\n";
    for (const QString& name : QStringList{"schema", "data", "operators"}.mid(0, startingRows ? 3 : 1)) {
        QFile file(qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/db/sql/%1.sql").arg(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        script += file.readAll();
    }
    script += extraSql.toUtf8() + "\nCOMMIT;\n";
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), QStringLiteral("-batch"), path});
    sqlite.write(script);
    sqlite.closeWriteChannel();
    if (!sqlite.waitForFinished(30000) || sqlite.exitCode() != 0)
        qFatal("sqlite3 failed: %s", sqlite.readAllStandardError().constData());
}

LoadedDatabase::LoadedDatabase(const QString& extraSql, bool startingRows)
{
    db.fileName = dir.path() + QStringLiteral("/test.db");
    makeDatabaseFile(db.fileName, extraSql, startingRows);
    setDatabase(&db);
    loaded = db.open() && db.loadAll();
}

LoadedDatabase::~LoadedDatabase()
{
    db.close();
    setDatabase(nullptr);
}
