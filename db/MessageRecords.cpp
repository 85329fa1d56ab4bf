#include "db/MessageRecords.h"

#include "app/CZKGlobals.h"
#include "db/CZKDataBase.h"
#include "db/SqlTemplate.h"
#include "db/StoredDate.h"

using SqlTemplate::text;

namespace {

template <typename Record>
int nextId(const QVector<Record>& list)
{
    int largest = -1;
    for (const Record& record : list)
        largest = qMax(largest, record.id);
    return largest + 1;
}

} // namespace

bool ContactRecord::insert()
{
    CZKDataBase* db = database();
    if (!db || !db->checkOpen())
        return false;
    int largestOrder = -1;
    for (const ContactRecord& contact : qAsConst(db->contacts))
        largestOrder = qMax(largestOrder, contact.order);
    id = nextId(db->contacts);
    order = largestOrder + 1;
    return db->runChange(QStringLiteral("INSERT INTO MSISDN_SMS             ( ID, \"ORDER\", MSISDN, NAME, DESCRIPTION )"
                                        "            VALUES ( %1, %2, '%3', '%4', '%5' )"),
                         {id, order, text(msisdn), text(name), text(description)});
}

bool ContactRecord::update() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(QStringLiteral("UPDATE MSISDN_SMS SET             MSISDN = '%1',             NAME = '%2',"
                                        "             DESCRIPTION ='%3'             WHERE ID = %4"),
                         {text(msisdn), text(name), text(description), id});
}

bool ContactRecord::remove() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(QStringLiteral("DELETE FROM MSISDN_SMS WHERE ID = %1"), {id});
}

bool SentMessageRecord::insert()
{
    CZKDataBase* db = database();
    if (!db || !db->checkOpen())
        return false;
    id = nextId(db->sentMessages);
    return db->runChange(QStringLiteral("INSERT INTO SEND_MESSAGES             ( ID, DATE, CONTENT, TO_MSISDN, USSD,"
                                        " ID_SIMCARD )            VALUES ( %1, '%2', '%3', '%4', %5, %6 )"),
                         {id, text(StoredDate::toText(date)), text(content), text(toMsisdn), ussd ? 1 : 0, simCardId});
}

bool SentMessageRecord::remove() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(QStringLiteral("DELETE FROM SEND_MESSAGES WHERE ID=%1"), {id});
}

bool ReceivedMessageRecord::insert()
{
    CZKDataBase* db = database();
    if (!db || !db->checkOpen())
        return false;
    id = nextId(db->receivedMessages);
    return db->runChange(QStringLiteral("INSERT INTO RECEIVE_MESSAGES             ( ID, DATE, CONTENT, FROM_MSISDN,"
                                        " USSD, ID_SIMCARD )            VALUES ( %1, '%2', '%3', '%4', %5, %6 )"),
                         {id, text(StoredDate::toText(date)), text(content), text(fromMsisdn), ussd ? 1 : 0, simCardId});
}

bool ReceivedMessageRecord::remove() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(QStringLiteral("DELETE FROM RECEIVE_MESSAGES WHERE ID=%1"), {id});
}
