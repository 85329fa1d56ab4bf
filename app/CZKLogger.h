#pragma once

#include "bus/IMessageReceiver.h"

#include <QAbstractListModel>
#include <QDateTime>
#include <QMutex>
#include <QVector>

#include <atomic>

struct LogEntry {
    QDateTime time;
    int type = 0;
    QString msg;
    QString desc;
};

// The program's log: every bus message with a text becomes an entry. The last 50 entries form
// the log view's model; the run's log file gets the entries that pass the log level.
//
// Entries arrive on the bus thread and on the GUI thread. The file line is written at once on
// the arriving thread (one lock around open, write and close); the model itself only changes
// on the logger's own (GUI) thread, in arrival order.
class CZKLogger : public IMessageReceiver, public QAbstractListModel {
public:
    CZKLogger();
    ~CZKLogger() override;

    void receiveMessage(int type, QString msg, QString desc) override;
    void addEntry(int type, QString msg, QString desc);

    void setShowLevel(int level);
    int showLevel() const { return viewLevel; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static QString fileTag(int type);

    // The text with the PIN and PUK arguments of PIN commands and the passwords of the data
    // profile and context authentication commands (and the unit's echo and reports of them)
    // replaced by "****", so that neither the view nor the file shows a secret.
    static QString maskSecrets(const QString& text);

    std::atomic<bool> logToFile{false};
    std::atomic<int> logLevel{5};
    QString logFileName;
    const int maxEntries = 50;

private:
    void writeFileLine(int type, const QString& msg, const QString& desc);
    void takePending();
    const LogEntry* shownEntry(int row) const;

    int viewLevel = 0;
    mutable QMutex entriesLock;
    QVector<LogEntry> entries;
    QVector<LogEntry> pending;
    QMutex fileLock;
};
