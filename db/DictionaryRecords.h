#pragma once

#include <QString>

// Rows of the read-only vocabulary tables, loaded once at start-up.

struct RatRecord {
    int id = 0;
    QString ratName;
    QString ratSetCommand;
};

// No table is loaded into these; the list exists for the window's sake and stays empty.
struct BandRecord {
    int id = 0;
    QString bandName;
};

struct DictionaryRecord {
    int id = 0;
    int key = 0;
    QString value;
    int valueGroup = 0;
};

struct OperatorRecord {
    int id = 0;
    int mcc = 0;
    QString country;
    int mnc = 0;
    QString network;
};

struct AdministrationRecord {
    int keyId = 0;
    QString valueString;
    int valueInt = 0;
    double valueDouble = 0.0;
};
