#include "db/CZKDataBase.h"

#include "bus/BusMessage.h"
#include "db/SqlTemplate.h"
#include "db/StoredDateQueue.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString& databaseErrorTitle()
{
    static const QString title = QStringLiteral("Database error");
    return title;
}

// The rows appended from `first` on get the dates read for them, in order.
template <typename Record>
void setDates(QVector<Record>& list, int first, const QVector<QDateTime>& dates)
{
    for (int i = 0; i < dates.size(); ++i)
        list[first + i].date = dates.at(i);
}

} // namespace

CZKDataBase::CZKDataBase() = default;

// The connection is left registered on purpose: shut-down closes it explicitly, and a failed
// start-up ends the process anyway.
CZKDataBase::~CZKDataBase() = default;

bool CZKDataBase::open()
{
    QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    connection.setDatabaseName(fileName);
    if (QSqlDatabase::contains(connectionName) && connection.open()) {
        sendMessage(BusMessageType::Info, QStringLiteral("Database %1 open success").arg(fileName), QString());
        return true;
    }
    reportError(databaseErrorTitle(), connection.lastError().text());
    return false;
}

bool CZKDataBase::close()
{
    if (!QSqlDatabase::contains(connectionName))
        return true;
    {
        QSqlDatabase connection = QSqlDatabase::database(connectionName, false);
        if (connection.isOpen()) {
            connection.close();
            sendMessage(BusMessageType::Info, QStringLiteral("Database %1 close success").arg(fileName),
                        QString());
        }
    }
    // Only after the last handle above is gone, or Qt warns that the connection is still in use.
    QSqlDatabase::removeDatabase(connectionName);
    return true;
}

bool CZKDataBase::loadAll()
{
    const bool loaded = loadDevices() && loadSimCards() && loadProfiles() && loadRats() && loadDictionary()
        && loadAdministration() && loadReceivedMessages() && loadSentMessages() && loadContacts()
        && loadOperators();
    if (loaded) {
        sendMessage(BusMessageType::Info, QStringLiteral("Load data from database %1 success").arg(fileName),
                    QString());
    } else {
        // Not through reportError: lastError keeps the failing loader's cause for the start-up
        // report rather than this summary.
        sendMessage(BusMessageType::Error, QStringLiteral("Load data from database %1 error").arg(fileName),
                    QString());
    }
    return loaded;
}

void CZKDataBase::saveAll()
{
    for (const DeviceRecord& device : qAsConst(devices)) {
        if (!device.update())
            return;
    }
    for (const SimCardRecord& card : qAsConst(simCards)) {
        if (!card.update())
            return;
    }
    for (const ProfileRecord& profile : qAsConst(profiles)) {
        if (!profile.update())
            return;
    }
}

bool CZKDataBase::checkOpen()
{
    if (QSqlDatabase::contains(connectionName) && QSqlDatabase::database(connectionName, true).isOpen())
        return true;
    reportError(databaseErrorTitle(), QStringLiteral("%1 is not opened").arg(fileName));
    return false;
}

bool CZKDataBase::isWritable(QString* reason)
{
    if (!QSqlDatabase::contains(connectionName) || !QSqlDatabase::database(connectionName, false).isOpen()) {
        *reason = QStringLiteral("%1 is not opened").arg(fileName);
        return false;
    }
    // SQLite opens a file that it may not write without a word, and in a folder that it may not
    // write it reads well but cannot make the journal that a change needs; both show only when
    // a change touches the file. Writing the user version back unchanged touches it, and the
    // rollback leaves the file as it was.
    QSqlDatabase connection = QSqlDatabase::database(connectionName, false);
    QSqlError failure;
    if (!connection.transaction()) {
        failure = connection.lastError();
    } else {
        QSqlQuery query(connection);
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            failure = query.lastError();
        } else {
            const int version = query.value(0).toInt();
            query.finish();
            if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(version)))
                failure = query.lastError();
        }
        query.finish();
        connection.rollback();
    }
    if (!failure.isValid())
        return true;
    // Busy or locked by another program: a passing state, not a read-only file.
    const int primaryCode = failure.nativeErrorCode().toInt() & 0xff;
    if (primaryCode == 5 || primaryCode == 6)
        return true;
    *reason = failure.text();
    return false;
}

bool CZKDataBase::runChange(const QString& statementTemplate, const QVariantList& values)
{
    if (!checkOpen())
        return false;
    const QString prepared = SqlTemplate::toPrepared(statementTemplate, values.size());
    if (prepared.isEmpty()) {
        reportError(databaseErrorTitle(),
                    QStringLiteral("Statement does not take %1 values: %2").arg(values.size()).arg(statementTemplate));
        return false;
    }

    QSqlDatabase connection = QSqlDatabase::database(connectionName, false);
    QSqlQuery query(connection);
    connection.transaction();
    bool succeeded = query.prepare(prepared);
    if (succeeded) {
        for (const QVariant& value : values)
            query.addBindValue(value);
        succeeded = query.exec();
    }
    QString failure;
    if (!succeeded) {
        failure = query.lastError().text();
    } else {
        query.finish();
        // A change that cannot be committed is not stored, whatever the statement said.
        if (!connection.commit()) {
            succeeded = false;
            failure = connection.lastError().text();
        }
    }
    if (!succeeded) {
        connection.rollback();
        reportError(databaseErrorTitle(), failure);
    }
    return succeeded;
}

bool CZKDataBase::runSelect(const QString& statement, const std::function<void(const QSqlQuery&)>& readRow)
{
    if (!checkOpen())
        return false;
    QSqlQuery query(QSqlDatabase::database(connectionName, false));
    query.setForwardOnly(true);
    if (!query.exec(statement)) {
        reportError(databaseErrorTitle(), query.lastError().text());
        return false;
    }
    while (query.next())
        readRow(query);
    // A read that breaks off half-way must not pass for the whole table.
    if (query.lastError().isValid()) {
        reportError(databaseErrorTitle(), query.lastError().text());
        return false;
    }
    return true;
}

void CZKDataBase::reportError(const QString& title, const QString& detail)
{
    lastError = detail.isEmpty() ? title : detail;
    sendMessage(BusMessageType::Error, title, detail);
}

bool CZKDataBase::loadDevices()
{
    return runSelect(
        QStringLiteral("SELECT ID, NAME, VENDOR, MDM_MODEL, IMEI, FIRMWARE_VER, SERIAL, ETHERNET_ADDR, NET_CONF, "
                       "LOCAL_NETWORK_ADDR, UDP_PORT,            MANUFAKTURER, DEVICE_MODEL, REVISION, PROCESSOR, "
                       "CMSIS, STDPERIPHLIB, NEWLIB, BUILD from ZKMAIN"),
        [this](const QSqlQuery& row) {
            DeviceRecord device;
            device.id = row.value(0).toInt();
            device.name = row.value(1).toString();
            device.vendor = row.value(2).toString();
            device.mdmModel = row.value(3).toString();
            device.imei = row.value(4).toString();
            device.firmwareVer = row.value(5).toString();
            device.serial = row.value(6).toString();
            device.ethernetAddr = row.value(7).toString();
            device.netConf = row.value(8).toInt();
            device.localNetworkAddr = row.value(9).toString();
            device.udpPort = row.value(10).toInt();
            device.manufakturer = row.value(11).toString();
            device.deviceModel = row.value(12).toString();
            device.revision = row.value(13).toString();
            device.processor = row.value(14).toString();
            device.cmsis = row.value(15).toString();
            device.stdPeriphLib = row.value(16).toString();
            device.newlib = row.value(17).toString();
            device.build = row.value(18).toString();
            devices.append(std::move(device));
        });
}

bool CZKDataBase::loadSimCards()
{
    return runSelect(
        QStringLiteral("SELECT ID, NAME, OPERATOR, IMSI, COLOR, SIMSLOT, ACTIVE_PROFILE_ID, ACTIVE, MAIN_ID, PIN "
                       "FROM SIMCARDS"),
        [this](const QSqlQuery& row) {
            SimCardRecord card;
            card.id = row.value(0).toInt();
            card.name = row.value(1).toString();
            card.operatorName = row.value(2).toString();
            card.imsi = row.value(3).toString();
            if (!row.isNull(4))
                card.color = row.value(4).toUInt();
            card.simSlot = row.value(5).toInt();
            // No profile is written as NULL; reading it as 0 would hand the card profile 0.
            card.activeProfileId = row.value(6).isNull() ? -1 : row.value(6).toInt();
            card.active = row.value(7).toBool();
            card.mainId = row.value(8).toInt();
            card.pin = row.value(9).toString();
            simCards.append(std::move(card));
        });
}

bool CZKDataBase::loadProfiles()
{
    return runSelect(
        QStringLiteral("SELECT ID, NAME, APN ,ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR, FORCE_OPERATOR_MNCMCC, "
                       "APN_USER, APN_PASSWORD FROM PROFILES"),
        [this](const QSqlQuery& row) {
            ProfileRecord profile;
            profile.id = row.value(0).toInt();
            profile.name = row.value(1).toString();
            profile.apn = row.value(2).toString();
            profile.activeRatId = row.value(3).toInt();
            profile.activeBandId = row.value(4).toInt();
            profile.forceOperator = row.value(5).toString();
            if (!row.isNull(6))
                profile.forceOperatorMncMcc = row.value(6).toInt();
            if (!row.isNull(7))
                profile.apnUser = row.value(7).toString();
            if (!row.isNull(8))
                profile.apnPassword = row.value(8).toString();
            profiles.append(std::move(profile));
        });
}

bool CZKDataBase::loadRats()
{
    return runSelect(QStringLiteral("SELECT ID, RAT_NAME, RAT_SET_COMMAND FROM RAT_DICTIONARY"),
                     [this](const QSqlQuery& row) {
                         rats.append(RatRecord{row.value(0).toInt(), row.value(1).toString(),
                                               row.value(2).toString()});
                     });
}

bool CZKDataBase::loadDictionary()
{
    return runSelect(QStringLiteral("SELECT ID, KEY, VALUE, VALUE_GROUP FROM DICT_OTHER"),
                     [this](const QSqlQuery& row) {
                         dictionary.append(DictionaryRecord{row.value(0).toInt(), row.value(1).toInt(),
                                                            row.value(2).toString(), row.value(3).toInt()});
                     });
}

bool CZKDataBase::loadAdministration()
{
    return runSelect(QStringLiteral("SELECT KEY_ID, VALUE_STRING, VALUE_INT, VALUE_DOUBLE FROM ADMNISTRATION"),
                     [this](const QSqlQuery& row) {
                         administration.append(AdministrationRecord{row.value(0).toInt(), row.value(1).toString(),
                                                                    row.value(2).toInt(), row.value(3).toDouble()});
                     });
}

bool CZKDataBase::loadOperators()
{
    return runSelect(QStringLiteral("SELECT ID, MCC, COUNTRY, MNC, NETWORK FROM OPERATORS_MCCMNC"),
                     [this](const QSqlQuery& row) {
                         operators.append(OperatorRecord{row.value(0).toInt(), row.value(1).toInt(),
                                                         row.value(2).toString(), row.value(3).toInt(),
                                                         row.value(4).toString()});
                     });
}

bool CZKDataBase::loadContacts()
{
    return runSelect(
        QStringLiteral("SELECT ID, \"ORDER\", MSISDN, NAME, DESCRIPTION FROM MSISDN_SMS ORDER BY \"ORDER\" ASC "),
        [this](const QSqlQuery& row) {
            ContactRecord contact;
            contact.id = row.value(0).toInt();
            contact.order = row.value(1).toInt();
            contact.msisdn = row.value(2).toString();
            contact.name = row.value(3).toString();
            contact.description = row.value(4).toString();
            contacts.append(std::move(contact));
        });
}

bool CZKDataBase::loadSentMessages()
{
    return loadMessages(QStringLiteral("SELECT ID, DATE, CONTENT, TO_MSISDN, USSD, ID_SIMCARD FROM SEND_MESSAGES"),
                        sentMessages, &SentMessageRecord::toMsisdn);
}

bool CZKDataBase::loadReceivedMessages()
{
    return loadMessages(
        QStringLiteral("SELECT ID, DATE, CONTENT, FROM_MSISDN, USSD, ID_SIMCARD FROM RECEIVE_MESSAGES"),
        receivedMessages, &ReceivedMessageRecord::fromMsisdn);
}

// Both message tables have the same columns but for the other party's number.
template <typename Record>
bool CZKDataBase::loadMessages(const QString& statement, QVector<Record>& list, QString Record::*party)
{
    const int first = list.size();
    StoredDateQueue dates;
    const bool loaded = runSelect(statement, [&list, &dates, party](const QSqlQuery& row) {
        Record message;
        message.id = row.value(0).toInt();
        dates.add(row.value(1));
        message.content = row.value(2).toString();
        message.*party = row.value(3).toString();
        message.ussd = row.value(4).toInt() != 0;
        message.simCardId = row.value(5).toInt();
        list.append(std::move(message));
    });
    setDates(list, first, dates.finish());
    return loaded;
}
