-- Rows added to a starting database for the start-up benchmark: 100,000 received and 20,000
-- sent messages and 10,000 contacts. Generated, so that every run loads the same rows: dates
-- every 997 s from 2021 on (about three years, through several daylight-saving changes),
-- message texts of 20 to 160 characters, some of them outside ASCII.
BEGIN TRANSACTION;

CREATE TEMP TABLE WORDS (T TEXT);
INSERT INTO WORDS VALUES ('Spotkanie przesunięte na jutro, proszę potwierdzić obecność. Zażółć gęślą jaźń. '
    || 'Your balance is 12.50 PLN, valid until the end of the month. Call me back when you can, '
    || 'the unit at the mast reports low signal again since the storm last night.');

WITH RECURSIVE N(I) AS (SELECT 0 UNION ALL SELECT I + 1 FROM N WHERE I < 99999)
INSERT INTO RECEIVE_MESSAGES (ID, DATE, CONTENT, FROM_MSISDN, USSD, ID_SIMCARD)
SELECT I,
       datetime('2021-01-01 00:00:00', '+' || (I * 997) || ' seconds'),
       substr((SELECT T FROM WORDS), 1 + I % 60, 20 + (I * 37) % 141),
       CASE WHEN I % 20 = 0 THEN 'Network' ELSE '+48' || (600000000 + (I * 7919) % 99999999) END,
       CASE WHEN I % 20 = 0 THEN 1 ELSE 0 END,
       I % 2
FROM N;

WITH RECURSIVE N(I) AS (SELECT 0 UNION ALL SELECT I + 1 FROM N WHERE I < 19999)
INSERT INTO SEND_MESSAGES (ID, DATE, CONTENT, TO_MSISDN, USSD, ID_SIMCARD)
SELECT I,
       datetime('2021-01-01 00:03:00', '+' || (I * 4999) || ' seconds'),
       substr((SELECT T FROM WORDS), 1 + (I * 7) % 60, 20 + (I * 53) % 141),
       CASE WHEN I % 25 = 0 THEN '*100#' ELSE '+48' || (500000000 + (I * 104729) % 99999999) END,
       CASE WHEN I % 25 = 0 THEN 1 ELSE 0 END,
       I % 2
FROM N;

WITH RECURSIVE N(I) AS (SELECT 0 UNION ALL SELECT I + 1 FROM N WHERE I < 9999)
INSERT INTO MSISDN_SMS (ID, "ORDER", MSISDN, NAME, DESCRIPTION)
SELECT I, (I * 7) % 10000, '+48' || (600000000 + (I * 7919) % 99999999),
       'Kontakt ' || I, CASE WHEN I % 3 = 0 THEN NULL ELSE 'opis ' || (I % 97) END
FROM N;

COMMIT;
