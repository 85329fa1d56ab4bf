#pragma once

#include <QString>

// One row of ZKMAIN: the radio unit. SERIAL is the table's seventh column but kept third here.
struct DeviceRecord {
    int id = 0;
    QString name;
    QString serial;
    QString vendor;
    QString mdmModel;
    QString imei;
    QString firmwareVer;
    QString ethernetAddr;
    int netConf = 3;
    QString localNetworkAddr;
    int udpPort = 40000;
    QString manufakturer;
    QString deviceModel;
    QString revision;
    QString processor;
    QString cmsis;
    QString stdPeriphLib;
    QString newlib;
    QString build;

    bool updateNetwork() const;
    bool update() const;
};

// One row of SIMCARDS. `pin` is held in its scrambled form; the database never unscrambles it.
struct SimCardRecord {
    int id = 0;
    QString name;
    QString operatorName;
    QString imsi;
    quint32 color = 0;
    int simSlot = 0;
    int activeProfileId = 0;
    bool active = false;
    int mainId = 0;
    QString pin;

    bool update() const;
};

// One row of PROFILES. A negative id marks a profile that exists only in memory so far.
struct ProfileRecord {
    int id = 0;
    QString name;
    QString apn;
    int activeRatId = 0;
    int activeBandId = 0;
    QString forceOperator;
    int forceOperatorMncMcc = 0;
    QString apnUser;
    QString apnPassword;
    // Shown by the window only; no column holds it.
    QString simOperator;

    bool insert();
    bool update() const;
    bool remove() const;
};
