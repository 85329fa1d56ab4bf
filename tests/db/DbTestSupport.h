#pragma once

#include "app/CZKGlobals.h"
#include "bus/CZKMessageProxy.h"
#include "bus/IMessageReceiver.h"
#include "db/CZKDataBase.h"

#include <QMutex>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// Records the bus as "type|msg|desc" lines.
class BusRecorder : public IMessageReceiver {
public:
    BusRecorder() { busProxy->addReceiver(this); }
    ~BusRecorder() override { busProxy->removeReceiver(this); }

    void receiveMessage(int type, QString msg, QString desc) override;

    // Every message posted before the call, in order, and forgets them. Waits for delivery, so
    // an empty list means that nothing was posted.
    QStringList take();

private:
    QMutex lock;
    QStringList seen;
    int markers = 0;
};

// Runs statements (one per line) on the program's open connection.
void execOnConnection(const QString& sql);

// The rows of a query on the program's connection: columns joined by "|", rows by ";".
QString queryRows(const QString& sql);

// The tables as the next start-up sees them: a second object loaded from the same file.
std::unique_ptr<CZKDataBase> reloaded(const CZKDataBase& db);

// Makes the database file `path` from db/sql/schema.sql (and the starting rows of data.sql and
// operators.sql when asked) plus `extraSql`, with the sqlite3 tool.
void makeDatabaseFile(const QString& path, const QString& extraSql, bool startingRows = false);

// A database made in a temporary folder from db/sql/schema.sql (and the starting rows of
// data.sql and operators.sql when asked) plus `extraSql`, then opened, loaded and published.
struct LoadedDatabase {
    explicit LoadedDatabase(const QString& extraSql, bool startingRows = false);
    ~LoadedDatabase();

    QTemporaryDir dir;
    CZKDataBase db;
    bool loaded = false;
};
