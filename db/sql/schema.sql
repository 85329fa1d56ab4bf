-- Tables of the local database. The program reads and writes rows of these tables and never
-- creates a table itself. IMEI, IMSI, phone numbers, PINs and dates are TEXT, so that leading
-- zeros and a leading plus sign are kept exactly as written.

CREATE TABLE ZKMAIN (
    ID                 INTEGER PRIMARY KEY,
    NAME               TEXT,
    VENDOR             TEXT,
    MDM_MODEL          TEXT,
    IMEI               TEXT,
    FIRMWARE_VER       TEXT,
    SERIAL             TEXT,
    ETHERNET_ADDR      TEXT,
    NET_CONF           INTEGER,
    LOCAL_NETWORK_ADDR TEXT,
    UDP_PORT           INTEGER,
    MANUFAKTURER       TEXT,
    DEVICE_MODEL       TEXT,
    REVISION           TEXT,
    PROCESSOR          TEXT,
    CMSIS              TEXT,
    STDPERIPHLIB       TEXT,
    NEWLIB             TEXT,
    BUILD              TEXT
);

-- ACTIVE holds the words 'true' and 'false'; a NULL ACTIVE_PROFILE_ID means no profile.
CREATE TABLE SIMCARDS (
    ID                INTEGER PRIMARY KEY,
    NAME              TEXT,
    OPERATOR          TEXT,
    IMSI              TEXT,
    COLOR             INTEGER,
    SIMSLOT           INTEGER,
    ACTIVE_PROFILE_ID INTEGER,
    ACTIVE            TEXT,
    MAIN_ID           INTEGER,
    PIN               TEXT
);

CREATE TABLE PROFILES (
    ID                    INTEGER PRIMARY KEY,
    NAME                  TEXT,
    APN                   TEXT,
    ACTIVE_RAT_ID         INTEGER,
    ACTIVE_BAND_ID        INTEGER,
    FORCE_OPERATOR        TEXT,
    FORCE_OPERATOR_MNCMCC INTEGER,
    APN_USER              TEXT,
    APN_PASSWORD          TEXT
);

CREATE TABLE MSISDN_SMS (
    ID          INTEGER PRIMARY KEY,
    "ORDER"     INTEGER,
    MSISDN      TEXT,
    NAME        TEXT,
    DESCRIPTION TEXT
);

-- DATE is "yyyy-MM-dd hh:mm:ss"; USSD is 1 for a USSD code or answer, 0 for an SMS.
CREATE TABLE SEND_MESSAGES (
    ID         INTEGER PRIMARY KEY,
    DATE       TEXT,
    CONTENT    TEXT,
    TO_MSISDN  TEXT,
    USSD       INTEGER,
    ID_SIMCARD INTEGER
);

CREATE TABLE RECEIVE_MESSAGES (
    ID          INTEGER PRIMARY KEY,
    DATE        TEXT,
    CONTENT     TEXT,
    FROM_MSISDN TEXT,
    USSD        INTEGER,
    ID_SIMCARD  INTEGER
);

CREATE TABLE RAT_DICTIONARY (
    ID              INTEGER PRIMARY KEY,
    RAT_NAME        TEXT,
    RAT_SET_COMMAND TEXT
);

-- Coded values and their names, grouped: 0 network configurations, 1 SIM slots.
CREATE TABLE DICT_OTHER (
    ID          INTEGER PRIMARY KEY,
    KEY         INTEGER,
    VALUE       TEXT,
    VALUE_GROUP INTEGER
);

CREATE TABLE OPERATORS_MCCMNC (
    ID      INTEGER PRIMARY KEY,
    MCC     INTEGER,
    COUNTRY TEXT,
    MNC     INTEGER,
    NETWORK TEXT
);

-- KEY_ID 1: administrator passwords, scrambled; several rows give several valid passwords.
CREATE TABLE ADMNISTRATION (
    KEY_ID       INTEGER,
    VALUE_STRING TEXT,
    VALUE_INT    INTEGER,
    VALUE_DOUBLE REAL
);
