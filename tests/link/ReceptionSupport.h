#pragma once

#include "db/DbTestSupport.h"

#include <QDateTime>
#include <QStringList>

// Shared by the interpreter's tests, which record the bus with the database tests' recorder.

// A database row that makes the card in slot 0 the active one.
inline QString activeSimRow()
{
    return QStringLiteral("INSERT INTO SIMCARDS VALUES (0, 'SIM 1', '', '', 0, 0, NULL, 'true', 0, '');");
}

// What the interpreter put on the bus since the last call: reply keys as "KEY" or
// "KEY=value", the restart notice as "restart". The database's own messages are left out.
inline QStringList replyKeys(BusRecorder& bus)
{
    QStringList found;
    for (const QString& entry : bus.take()) {
        const int first = entry.indexOf(QLatin1Char('|'));
        const int second = entry.indexOf(QLatin1Char('|'), first + 1);
        const int type = entry.left(first).toInt();
        const QString key = entry.mid(first + 1, second - first - 1);
        const QString value = entry.mid(second + 1);
        if (type == 100)
            found.append(value.isEmpty() ? key : key + QLatin1Char('=') + value);
        else if (type == 103)
            found.append(QStringLiteral("restart"));
    }
    return found;
}

// The received-message store as "sender|text|date|ussd|SIM card", rows joined by ";". A date
// within the last minute shows as "now".
inline QString storedRows(const CZKDataBase& db)
{
    QStringList rows;
    for (const ReceivedMessageRecord& message : db.receivedMessages) {
        const bool now = qAbs(message.date.secsTo(QDateTime::currentDateTime())) < 60;
        rows.append(QStringLiteral("%1|%2|%3|%4|%5")
                        .arg(message.fromMsisdn, message.content,
                             now ? QStringLiteral("now") : message.date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                        .arg(int(message.ussd))
                        .arg(message.simCardId));
    }
    return rows.join(QLatin1Char(';'));
}
