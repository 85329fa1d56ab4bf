#include "db/UnitRecords.h"

#include "app/CZKGlobals.h"
#include "db/CZKDataBase.h"
#include "db/SqlTemplate.h"

using SqlTemplate::text;

bool DeviceRecord::updateNetwork() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(QStringLiteral("UPDATE ZKMAIN             SET ETHERNET_ADDR='%1',             NET_CONF=%2,"
                                        "             LOCAL_NETWORK_ADDR='%3',             UDP_PORT=%4"
                                        "             WHERE ID=%5"),
                         {text(ethernetAddr), netConf, text(localNetworkAddr), udpPort, id});
}

bool DeviceRecord::update() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(
        QStringLiteral("UPDATE ZKMAIN             SET NAME = '%1',             VENDOR = '%2',"
                       "             MDM_MODEL = '%3',             IMEI = '%4',             FIRMWARE_VER = '%5',"
                       "             SERIAL = '%6',             ETHERNET_ADDR = '%7',             NET_CONF = %8,"
                       "             LOCAL_NETWORK_ADDR = '%9',             UDP_PORT = %10,"
                       "             MANUFAKTURER = '%11',             DEVICE_MODEL = '%12',"
                       "             REVISION = '%13',             PROCESSOR = '%14',             CMSIS = '%15',"
                       "             STDPERIPHLIB = '%16',             NEWLIB = '%17',             BUILD = '%18'"
                       "             WHERE ID=%19"),
        {text(name), text(vendor), text(mdmModel), text(imei), text(firmwareVer), text(serial), text(ethernetAddr),
         netConf, text(localNetworkAddr), udpPort, text(manufakturer), text(deviceModel), text(revision),
         text(processor), text(cmsis), text(stdPeriphLib), text(newlib), text(build), id});
}

bool SimCardRecord::update() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    // A negative profile id means "none" and is stored as NULL; ACTIVE is stored as a word.
    const QVariant profile = activeProfileId < 0 ? SqlTemplate::null() : QVariant(activeProfileId);
    return db->runChange(QStringLiteral("UPDATE SIMCARDS             SET NAME='%1',             OPERATOR='%2',"
                                        "             IMSI='%3',             COLOR=%4,             SIMSLOT=%5,"
                                        "             ACTIVE_PROFILE_ID=%6,             ACTIVE='%7',"
                                        "             PIN='%8'             WHERE ID=%9"),
                         {text(name), text(operatorName), text(imsi), QVariant(static_cast<qlonglong>(color)), simSlot,
                          profile, active ? QStringLiteral("true") : QStringLiteral("false"), text(pin), id});
}

bool ProfileRecord::insert()
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    int largest = 0;
    for (const ProfileRecord& profile : qAsConst(db->profiles))
        largest = qMax(largest, profile.id);
    const int previousId = id;
    id = largest + 1;
    const bool inserted = db->runChange(
        QStringLiteral("INSERT INTO PROFILES             ( ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR,"
                       " FORCE_OPERATOR_MNCMCC, APN_USER, APN_PASSWORD )"
                       "            VALUES ( %1, '%2', '%3', %4, %5, '%6', %7, '%8', '%9' )"),
        {id, text(name), text(apn), activeRatId, activeBandId, text(forceOperator), forceOperatorMncMcc, text(apnUser),
         text(apnPassword)});
    // Keeping the unused id would make the window's next save an UPDATE that matches no row.
    if (!inserted)
        id = previousId;
    return inserted;
}

bool ProfileRecord::update() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(QStringLiteral("UPDATE PROFILES             SET NAME='%1',             APN='%2',"
                                        "             ACTIVE_RAT_ID=%3,             ACTIVE_BAND_ID=%4,"
                                        "             FORCE_OPERATOR='%5',             FORCE_OPERATOR_MNCMCC=%6,"
                                        "             APN_USER='%7',             APN_PASSWORD='%8'             WHERE ID=%9"),
                         {text(name), text(apn), activeRatId, activeBandId, text(forceOperator), forceOperatorMncMcc,
                          text(apnUser), text(apnPassword), id});
}

bool ProfileRecord::remove() const
{
    CZKDataBase* db = database();
    if (!db)
        return false;
    return db->runChange(QStringLiteral("DELETE FROM PROFILES WHERE ID=%1"), {id});
}
