-- Starting rows of a new database. The operator table comes from operators.sql.

-- The radio unit: host 1 of the unit's network, NAT configuration, the AT command port.
INSERT INTO ZKMAIN (ID, NAME, VENDOR, MDM_MODEL, IMEI, FIRMWARE_VER, SERIAL, ETHERNET_ADDR, NET_CONF,
                    LOCAL_NETWORK_ADDR, UDP_PORT, MANUFAKTURER, DEVICE_MODEL, REVISION, PROCESSOR, CMSIS,
                    STDPERIPHLIB, NEWLIB, BUILD)
VALUES (0, 'Radio unit', '', '', '', '', '', '02:00:00:00:00:01', 3,
        '172.31.254.1', 40000, '', '', '', '', '', '', '', '');

-- The unit's two SIM slots; the card in slot 0 is the one in use. No profile is chosen yet.
INSERT INTO SIMCARDS (ID, NAME, OPERATOR, IMSI, COLOR, SIMSLOT, ACTIVE_PROFILE_ID, ACTIVE, MAIN_ID, PIN)
VALUES (0, 'SIM 1', '', '', 0, 0, NULL, 'true', 0, '');
INSERT INTO SIMCARDS (ID, NAME, OPERATOR, IMSI, COLOR, SIMSLOT, ACTIVE_PROFILE_ID, ACTIVE, MAIN_ID, PIN)
VALUES (1, 'SIM 2', '', '', 0, 1, NULL, 'false', 0, '');

-- The data profiles. "Device profile" (id 0) mirrors the profile set in the unit; its name is a
-- key the program looks the row up by. The second is an ordinary profile to start from.
INSERT INTO PROFILES (ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR, FORCE_OPERATOR_MNCMCC,
                      APN_USER, APN_PASSWORD)
VALUES (0, 'Device profile', '', 0, 0, '', 0, '', '');
INSERT INTO PROFILES (ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR, FORCE_OPERATOR_MNCMCC,
                      APN_USER, APN_PASSWORD)
VALUES (1, 'Internet', 'internet', 0, 0, '', 0, '', '');

-- Radio access technologies and band locks a profile can select. The ids are those the unit's
-- "!SELRAT" and "!GBAND" answers map to; 0 (automatic) is also the default of a new profile.
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (0, 'Automatic', 'AT!SELRAT=00');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (1, 'GSM 2G only', 'AT!SELRAT=02');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (2, 'UMTS 3G only', 'AT!SELRAT=01');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (3, 'WCDMA 900', 'AT!BAND=03');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (4, 'WCDMA 2100', 'AT!BAND=04');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (5, 'LTE only', 'AT!SELRAT=06');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (6, 'LTE band 3 (1800)', 'AT!BAND=06');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (7, 'LTE band 20 (800)', 'AT!BAND=07');
INSERT INTO RAT_DICTIONARY (ID, RAT_NAME, RAT_SET_COMMAND) VALUES (8, 'LTE band 7 (2600)', 'AT!BAND=08');

-- Group 0: network configurations (the unit reports "NAT ..." for 3, anything else is 1).
INSERT INTO DICT_OTHER (ID, KEY, VALUE, VALUE_GROUP) VALUES (1, 1, 'Bridge', 0);
INSERT INTO DICT_OTHER (ID, KEY, VALUE, VALUE_GROUP) VALUES (2, 3, 'NAT', 0);
-- Group 1: SIM slots.
INSERT INTO DICT_OTHER (ID, KEY, VALUE, VALUE_GROUP) VALUES (3, 0, 'Slot 1', 1);
INSERT INTO DICT_OTHER (ID, KEY, VALUE, VALUE_GROUP) VALUES (4, 1, 'Slot 2', 1);

-- Administrator password, stored scrambled (XOR 9 at even, 5 at odd positions).
INSERT INTO ADMNISTRATION (KEY_ID, VALUE_STRING, VALUE_INT, VALUE_DOUBLE) VALUES (1, 'hadlg', 0, 0.0);
