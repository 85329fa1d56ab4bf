#pragma once

#include <QByteArray>
#include <QString>

// An SMS as the SIM card of the fake unit holds it, turned into the SMS-DELIVER PDU text that
// "AT+CMGR" hands out. Built here on its own, without the program's codec, so that tests compare
// the program's decoding with an independent encoding.
struct FakeSms {
    QString text;
    QString sender = QStringLiteral("+48600100200");   // "+" and digits, or digits
    // 7-bit unless one of the UCS2 classes. The 7-bit text takes the characters that the GSM
    // default alphabet shares with ASCII, and "@", "$" and "_"; any other becomes "?".
    quint8 dataCoding = 0x00;
    QString time = QStringLiteral("260512194157");   // YYMMDDhhmmss, time zone 0
    // A part of a concatenated message when partCount is not 0 (16-bit reference).
    quint16 reference = 0;
    quint8 partCount = 0;
    quint8 partNumber = 0;
    QString zone = QStringLiteral("00");   // quarter hours east of UTC, two digits

    // Upper-case hexadecimal text without service-centre address.
    QByteArray pdu() const;
    // The length that "+CMGR:" reports: the octets after the service-centre field.
    static int tpduLength(const QByteArray& pdu);
};
