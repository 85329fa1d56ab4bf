#pragma once

#include "FakeSms.h"
#include "bus/BusMessage.h"
#include "db/DbTestSupport.h"

#include <QDateTime>
#include <QStringList>

// Shared by the link's tests, which record the bus with the database tests' recorder.

// The SMS-DELIVER of Lars Pettersson's "SMS and the PDU format" tutorial, "hellohello".
inline const char* const kTutorialPdu = "07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37";

// A database row that makes the card in slot 0 the active one.
inline const QString kActiveSim =
    QStringLiteral("INSERT INTO SIMCARDS VALUES (0, 'SIM 1', '', '', 0, 0, NULL, 'true', 0, '');");

// The unit's answer to "AT+CMGR" in PDU mode.
inline QString cmgr(const QString& pdu)
{
    return QStringLiteral("AT+CMGR=1\r\n+CMGR: 0,,%1\r\n%2\r\n\r\nOK\r\n").arg(FakeSms::tpduLength(pdu.toLatin1()))
        .arg(pdu);
}

// What the interpreter put on the bus since the last call: reply keys as "KEY" or "KEY=value",
// the restart notice as "restart".
inline QStringList replyKeys(BusRecorder& bus)
{
    QStringList found;
    for (const QString& line : bus.take()) {
        const int type = line.section(QLatin1Char('|'), 0, 0).toInt();
        const QString key = line.section(QLatin1Char('|'), 1, 1), value = line.section(QLatin1Char('|'), 2);
        if (type == ReplyKey || type == UnitRestarted)
            found.append(type == UnitRestarted ? QStringLiteral("restart") : value.isEmpty() ? key : key + '=' + value);
    }
    return found;
}

// The received-message store as "sender|text|date|ussd|SIM card" (a date within the last minute
// as "now"), then the phone book as "position|number|name".
inline QStringList stored(const CZKDataBase& db)
{
    QStringList rows;
    for (const ReceivedMessageRecord& message : db.receivedMessages) {
        const bool now = message.date.isValid() && qAbs(message.date.secsTo(QDateTime::currentDateTime())) < 60;
        const QString date = now ? QStringLiteral("now") : message.date.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        rows.append(QStringList{message.fromMsisdn, message.content, date, QString::number(int(message.ussd)),
                                QString::number(message.simCardId)}.join(QLatin1Char('|')));
    }
    for (const ContactRecord& contact : db.phoneBook)
        rows.append(QStringLiteral("%1|%2|%3").arg(contact.id).arg(contact.msisdn, contact.name));
    return rows;
}
