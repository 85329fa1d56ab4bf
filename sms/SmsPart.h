#pragma once

#include <QDateTime>
#include <QString>

// One received part of a concatenated SMS, as the decoder hands it to the reply interpreter.
struct SmsPart {
    QString sender;
    QString text;
    QDateTime time;
    quint16 reference = 0;
    quint8 partCount = 0;
    quint8 partNumber = 0;

    void clear() { *this = SmsPart(); }
};
