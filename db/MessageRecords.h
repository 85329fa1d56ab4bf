#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// A local contact (MSISDN_SMS), and also an entry of the SIM phone book, where `id` and `order`
// hold the SIM position and `numberType` the type-of-address octet ("145" or "129").
struct ContactRecord {
    int id = 0;
    int order = 0;
    QString msisdn;
    QString name;
    QString description;
    QString numberType;

    bool insert();
    bool update() const;
    bool remove() const;
};

struct SentMessageRecord {
    int id = 0;
    QDateTime date;
    QString content;
    QString toMsisdn;
    bool ussd = false;
    int simCardId = 0;

    bool insert();
    bool remove() const;
};

struct ReceivedMessageRecord {
    int id = 0;
    QDateTime date;
    QString content;
    QString fromMsisdn;
    bool ussd = false;
    int simCardId = 0;

    bool insert();
    bool remove() const;
};

// Every field can be moved in memory as it stands, so a growing list of a hundred thousand
// messages is moved with realloc rather than copied record by record.
Q_DECLARE_TYPEINFO(ContactRecord, Q_MOVABLE_TYPE);
Q_DECLARE_TYPEINFO(SentMessageRecord, Q_MOVABLE_TYPE);
Q_DECLARE_TYPEINFO(ReceivedMessageRecord, Q_MOVABLE_TYPE);
