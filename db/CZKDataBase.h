#pragma once

#include "bus/IMessageSender.h"
#include "db/DictionaryRecords.h"
#include "db/MessageRecords.h"
#include "db/UnitRecords.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

#include <functional>

class QSqlQuery;

// The local database: one SQLite connection and an in-memory copy of its tables. The tables
// are read once at start-up; every change is written through at once, one statement in a
// transaction of its own. Used on the GUI thread only.
class CZKDataBase : public IMessageSender {
public:
    CZKDataBase();
    ~CZKDataBase() override;

    QVector<DeviceRecord> devices;
    QVector<SimCardRecord> simCards;
    QVector<ProfileRecord> profiles;
    QVector<RatRecord> rats;
    QVector<BandRecord> bands;
    QVector<DictionaryRecord> dictionary;
    QVector<AdministrationRecord> administration;
    QVector<ContactRecord> contacts;
    QVector<ReceivedMessageRecord> receivedMessages;
    QVector<SentMessageRecord> sentMessages;
    QVector<ContactRecord> phoneBook;
    QVector<OperatorRecord> operators;
    QString fileName = QStringLiteral("dudedoriv_db.db");
    QString connectionName = QStringLiteral("zk_connection");

    bool open();
    bool close();
    bool loadAll();
    void saveAll();

    // The detail of the last failure reported on the bus, for the start-up report.
    QString lastErrorText() const { return lastError; }

    bool loadDevices();
    bool loadSimCards();
    bool loadProfiles();
    bool loadRats();
    bool loadDictionary();
    bool loadAdministration();
    bool loadReceivedMessages();
    bool loadSentMessages();
    bool loadContacts();
    bool loadOperators();

    DeviceRecord* findDevice(int id);
    SimCardRecord* findSimCard(int id);
    int activeSimCardId() const;
    ProfileRecord* findProfile(int id);
    int profileIdByName(const QString& name, bool* found) const;
    ProfileRecord* newProfile();

    QString ratName(int id) const;
    QString ratSetCommand(int id) const;
    QString dictionaryValue(int key, int group) const;
    QStringList administrationValue(int keyId) const;
    QString operatorName(const QString& mccMnc, bool* found) const;

    bool addContact(const QString& msisdn, const QString& name, const QString& description);
    bool updateContact(int id, const QString& msisdn, const QString& name, const QString& description);
    bool removeContact(int id);
    ContactRecord* findContact(int id);
    // The name shown beside a number: the first named contact with exactly that number, else the
    // first named SIM phone-book entry with it, else empty. Answered from an index by number.
    QString contactName(const QString& msisdn) const;
    bool addSentMessage(const QString& toMsisdn, const QString& content, int simCardId, bool ussd);
    bool addReceivedMessage(const QString& fromMsisdn, const QString& content, int simCardId, bool ussd,
                            const QDateTime& date);
    bool addReceivedMessageNow(const QString& fromMsisdn, const QString& content, int simCardId, bool ussd);
    SentMessageRecord* findSentMessage(int id);
    ReceivedMessageRecord* findReceivedMessage(int id);
    bool removeSentMessage(int id);
    bool removeReceivedMessage(int id);

    bool clearPhoneBook();
    bool setPhoneBookEntry(int pos, const QString& number, const QString& name, bool writeToSim);
    ContactRecord* findPhoneBookEntry(int pos);
    bool sortPhoneBook();
    void removePhoneBookEntryAt(int pos);
    int removePhoneBookEntry(const QString& number, const QString& name);
    bool updatePhoneBookEntry(const QString& oldNumber, const QString& oldName, const QString& newNumber,
                              const QString& newName);
    // Writes the new values over the entry at that position, with the one write command; false,
    // with nothing sent, when no entry is held there or the new values cannot be written.
    bool updatePhoneBookEntryAt(int pos, const QString& newNumber, const QString& newName);
    // The position a new SIM entry takes: one past the run of used positions that begins at the
    // lowest, or, when that lies beyond `capacity` (known when 0 or more), the first free one
    // from 1; 0 when the card is full.
    int freePhoneBookPosition(int capacity = -1) const;

    // Whether a text may stand inside a quoted AT+CPBW argument: a double quote, CR, LF or
    // Ctrl-Z would end the argument or the command early.
    static bool isPhoneBookTextAllowed(const QString& text);

    // Runs one change in a transaction of its own. The template keeps its numbered
    // place-holders; `values` are bound to them in ascending order, never pasted into the text.
    // Reports a failure on the bus and returns false.
    bool runChange(const QString& statementTemplate, const QVariantList& values);

    // Whether the connection is registered and open; reports "%1 is not opened" otherwise.
    bool checkOpen();

    // Whether a change could be stored now; otherwise false with the driver's reason. Posts
    // nothing. A database that another program holds locked counts as writable.
    bool isWritable(QString* reason);

private:
    bool runSelect(const QString& statement, const std::function<void(const QSqlQuery&)>& readRow);
    template <typename Record>
    bool loadMessages(const QString& statement, QVector<Record>& list, QString Record::*party);
    void reportError(const QString& title, const QString& detail);
    void sendPhoneBookErase(int pos);
    // Writes new values over the entry at that index of the mirror, at its SIM position.
    bool rewritePhoneBookEntry(int index, const QString& newNumber, const QString& newName);
    // The contacts or the SIM phone book changed: contactName() builds its index anew.
    void namesChanged() { nameIndex.valid = false; }

    QString lastError;

    // contactName()'s answers by number, built on its first use after a change. The lists it was
    // built from are remembered, so that one replaced or resized behind the operations' backs
    // is noticed too.
    struct NameIndex {
        QHash<QString, QString> names;
        bool valid = false;
        const ContactRecord* contacts = nullptr;
        int contactCount = 0;
        const ContactRecord* phoneBook = nullptr;
        int phoneBookCount = 0;
    };
    mutable NameIndex nameIndex;
};
