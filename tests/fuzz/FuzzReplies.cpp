#include "FuzzEntries.h"

#include "app/CZKGlobals.h"
#include "bus/CZKMessageProxy.h"
#include "db/CZKDataBase.h"
#include "link/CZKCommandInterpreter.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstring>

namespace {

// The program's database, made once by the project's own script and copied into memory, with a
// pristine copy of every table beside it. Making a database per input would cost milliseconds,
// and a transaction around the input cannot undo it: each change commits a transaction of its
// own. So temporary triggers note the tables an input writes, and only those are copied back;
// most inputs write none and cost one query.
class DatabaseSandbox {
public:
    DatabaseSandbox();

    // Checks what must hold after any input, then undoes its changes.
    void restore();

private:
    QSqlQuery run(const QString& sql) const;
    static void copyLists(CZKDataBase& to, const CZKDataBase& from);

    CZKDataBase db;
    CZKDataBase pristine; // only its lists: the tables as loaded
    QStringList tables;
};

DatabaseSandbox::DatabaseSandbox()
{
    QTemporaryDir dir;
    if (!dir.isValid())
        qFatal("fuzz: no temporary folder: %s", qPrintable(dir.errorString()));
    const QString file = dir.filePath(QStringLiteral("pristine.db"));
    QProcess make;
    make.start(QStringLiteral("sh"), {QStringLiteral(DUDEDORIV_MAKE_DATABASE), file});
    if (!make.waitForFinished(60000) || make.exitStatus() != QProcess::NormalExit || make.exitCode() != 0)
        qFatal("fuzz: making the database failed: %s", make.readAllStandardError().constData());

    db.fileName = QStringLiteral(":memory:");
    if (!db.open())
        qFatal("fuzz: opening an in-memory database failed: %s", qPrintable(db.lastErrorText()));
    run(QStringLiteral("PRAGMA temp_store = MEMORY"));
    QSqlQuery attach(QSqlDatabase::database(db.connectionName, false));
    attach.prepare(QStringLiteral("ATTACH DATABASE ? AS made"));
    attach.addBindValue(file);
    if (!attach.exec())
        qFatal("fuzz: %s", qPrintable(attach.lastError().text()));

    // Tables first; their indexes and triggers, should the schema get any, after them.
    QSqlQuery schema = run(QStringLiteral("SELECT type, name, sql FROM made.sqlite_master WHERE sql IS NOT NULL"
                                          " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type <> 'table'"));
    QStringList statements;
    while (schema.next()) {
        statements.append(schema.value(2).toString());
        if (schema.value(0).toString() == QLatin1String("table"))
            tables.append(schema.value(1).toString());
    }
    schema.finish();
    for (const QString& statement : qAsConst(statements))
        run(statement);
    // AUTOINCREMENT counters live in a table of their own, restored along with any other.
    if (run(QStringLiteral("SELECT 1 FROM main.sqlite_master WHERE name = 'sqlite_sequence'")).next())
        tables.append(QStringLiteral("sqlite_sequence"));
    run(QStringLiteral("CREATE TEMP TABLE fuzz_dirty (name TEXT PRIMARY KEY)"));
    for (const QString& table : qAsConst(tables)) {
        run(QStringLiteral("INSERT INTO main.\"%1\" SELECT * FROM made.\"%1\"").arg(table));
        run(QStringLiteral("CREATE TEMP TABLE \"fuzz_pristine_%1\" AS SELECT * FROM main.\"%1\"").arg(table));
        if (table == QLatin1String("sqlite_sequence"))
            continue; // takes no triggers; written only together with a table that does
        for (const char* event : {"INSERT", "UPDATE", "DELETE"}) {
            run(QStringLiteral("CREATE TEMP TRIGGER \"fuzz_%1_%2\" AFTER %2 ON main.\"%1\""
                               " BEGIN INSERT OR IGNORE INTO fuzz_dirty VALUES ('%1'); END")
                    .arg(table, QLatin1String(event)));
        }
    }
    run(QStringLiteral("DETACH DATABASE made"));

    if (!db.loadAll())
        qFatal("fuzz: loading the database failed: %s", qPrintable(db.lastErrorText()));
    copyLists(pristine, db);
    setDatabase(&db);
}

QSqlQuery DatabaseSandbox::run(const QString& sql) const
{
    QSqlQuery query(QSqlDatabase::database(db.connectionName, false));
    if (!query.exec(sql))
        qFatal("fuzz: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    return query;
}

// QVector copies share their data, so this costs next to nothing per input.
void DatabaseSandbox::copyLists(CZKDataBase& to, const CZKDataBase& from)
{
    to.devices = from.devices;
    to.simCards = from.simCards;
    to.profiles = from.profiles;
    to.rats = from.rats;
    to.bands = from.bands;
    to.dictionary = from.dictionary;
    to.administration = from.administration;
    to.contacts = from.contacts;
    to.receivedMessages = from.receivedMessages;
    to.sentMessages = from.sentMessages;
    to.phoneBook = from.phoneBook;
    to.operators = from.operators;
}

void DatabaseSandbox::restore()
{
    // A change that left its transaction open would keep every later change from being stored.
    QSqlDatabase connection = QSqlDatabase::database(db.connectionName, false);
    if (!connection.transaction())
        qFatal("fuzz: a database change left its transaction open");
    connection.rollback();

    QStringList dirty;
    for (QSqlQuery written = run(QStringLiteral("SELECT name FROM fuzz_dirty")); written.next();)
        dirty.append(written.value(0).toString());
    if (!dirty.isEmpty()) {
        // Written through: a stored row is in its table and in the list that mirrors it, or in neither.
        const struct {
            const char* table;
            int listed;
        } mirrors[] = {{"RECEIVE_MESSAGES", db.receivedMessages.size()},
                       {"SEND_MESSAGES", db.sentMessages.size()},
                       {"MSISDN_SMS", db.contacts.size()}};
        for (const auto& mirror : mirrors) {
            if (!dirty.contains(QLatin1String(mirror.table)))
                continue;
            QSqlQuery count = run(QStringLiteral("SELECT COUNT(*) FROM main.%1").arg(QLatin1String(mirror.table)));
            if (!count.next() || count.value(0).toInt() != mirror.listed)
                qFatal("fuzz: %s holds %d rows, its list %d", mirror.table, count.value(0).toInt(), mirror.listed);
        }
        if (tables.contains(QLatin1String("sqlite_sequence")))
            dirty.append(QStringLiteral("sqlite_sequence"));
        for (const QString& table : qAsConst(dirty)) {
            run(QStringLiteral("DELETE FROM main.\"%1\"").arg(table));
            run(QStringLiteral("INSERT INTO main.\"%1\" SELECT * FROM temp.\"fuzz_pristine_%1\"").arg(table));
        }
        run(QStringLiteral("DELETE FROM fuzz_dirty"));
    }
    copyLists(db, pristine);
}

DatabaseSandbox* sandbox = nullptr;

} // namespace

void fuzzRepliesSetUp()
{
    if (sandbox)
        return;
    if (!QCoreApplication::instance()) {
        static int argc = 1;
        static char name[] = "fuzz_replies";
        static char* argv[] = {name, nullptr};
        new QCoreApplication(argc, argv); // lives as long as the process
    }
    sandbox = new DatabaseSandbox;
    messageProxy()->dropQueued();
}

int fuzzReplies(const uint8_t* data, size_t size)
{
    fuzzRepliesSetUp();
    {
        CZKCommandInterpreter interpreter;
        const char* const bytes = reinterpret_cast<const char*>(data);
        size_t start = 0;
        while (start < size) {
            const void* nul = std::memchr(bytes + start, '\0', size - start);
            const size_t end = nul ? size_t(static_cast<const char*>(nul) - bytes) : size;
            // The link hands on no empty reply.
            if (end > start)
                interpreter.interpret(QString::fromUtf8(bytes + start, int(end - start)));
            start = end + 1;
        }
    }
    sandbox->restore();
    // Nothing delivers the bus here: what an input posted would pile up from run to run.
    messageProxy()->dropQueued();
    return 0;
}
