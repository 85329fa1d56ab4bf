#pragma once

#include "sms/SmsPduRecords.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// The text conversions of the PDU codec: hexadecimal text, semi-octet numbers, packed septets,
// UCS2, time stamps and the data-coding classes (3GPP TS 23.040 and 23.038). Each checks its
// bounds and reports a field it cannot convert by returning false.

// True for a non-empty text of an even number of hexadecimal digits, in either case.
bool isValidPduText(const char* text);

// The two hexadecimal digits at `text` as one octet; false when fewer than two characters are
// left or they are no hexadecimal digits.
bool hexPairToByte(const char* text, quint8* out);

// Converts `hexLength` characters into octets followed by one zero byte; false on a null
// argument, on a bad digit, on an odd length, or when the octets and the zero byte do not fit
// in `destinationSize` bytes.
bool hexToBytes(const char* hex, int hexLength, int destinationSize, quint8* destination);

// The classes of TP-DCS (TS 23.038, clause 4), by coding group: general data coding and
// automatic deletion (uncompressed; compressed text has no class), message waiting (7-bit in
// the discard and store groups, UCS2 in the UCS2 store group) and data coding / message
// class. A receiver takes the reserved alphabet value and the reserved coding groups
// 1000..1011 as the 7-bit default alphabet, as TS 23.038 asks of it; so does this codec.
bool isDcs7Bit(quint8 dataCoding);
bool isDcs8Bit(quint8 dataCoding);
bool isDcsUcs2(quint8 dataCoding);

// The first `septetCount` septets packed in `octetCount` octets, one per byte into `septets`
// (room for `septetCount`); false when the octets are too few to hold them.
bool unpackSeptets(const quint8* octets, int octetCount, int septetCount, char* septets);

// Septets packed into octets, as upper-case hexadecimal text. When the last octet would have
// seven spare bits they hold CR instead of zeros, so that a receiver cannot take them for "@"
// (TS 23.038, 6.1.2.3.1).
QByteArray packSeptets(const QByteArray& septets);

// UCS2 code units, written as four hexadecimal digits each (high octet first), as text. An
// incomplete last group is left out, and so is everything from the first group that is no
// hexadecimal.
QString ucs2HexDecode(const QByteArray& hex);

// The 14 characters of a service-centre time stamp as "20YY-MM-DD hh:mm:ss.000" (the time
// zone is dropped, the century is 20); false, with `out` untouched, unless the first 12
// characters are digits and `outSize` holds the text.
bool sctsToDateString(const char* raw, char* out, int outSize);

// The local date and time of a time-stamp text: exactly what QDateTime::fromString(text,
// "yyyy-MM-dd HH:mm:ss.zzz") gives, at a fraction of its cost for the texts that
// sctsToDateString() writes. A text of any other shape, or a local time that does not exist
// (in the hour skipped when clocks go forward), goes to QDateTime::fromString itself.
QDateTime dateStringToDateTime(const char* text);

// Converts an address field, given as its raw semi-octet text, in place: "+" and the digits
// for an international number, the digits for any other numeric type (a trailing "F" filler
// dropped; semi-octets A to E as *, #, a, b, c), and the text of the packed septets for an
// alphanumeric address. `usefulSemiOctets` is the address-length octet when the field has one
// (it gives the digit count and the septet count), -1 otherwise. False when the raw text is
// shorter than two characters, malformed, or the result does not fit in `capacity` bytes; the
// raw text then stays.
bool decodeAddress(quint8 type, int capacity, char* address, int usefulSemiOctets = -1);

// The same conversion from the field's octets, writing to `address` only on success.
bool decodeAddressOctets(quint8 type, const quint8* octets, int octetCount, int usefulSemiOctets,
                         int capacity, char* address);

// A number ("+" and digits, "*" and "#" allowed) as semi-octet text: pairs swapped, an "F"
// filler after an odd count. False for fewer than two characters, for any other character,
// for more than 20 digits or when the text does not fit in `capacity` bytes.
bool numberToSemiOctets(const char* number, int capacity, char* out);

// The text of 8-bit user data: the data itself when it is valid UTF-8 holding no control
// character but CR, LF and TAB; otherwise its octets as upper-case hexadecimal text, so that
// binary data reaches the message store whole, with no NUL inside.
QString eightBitText(const quint8* data, int size);

// Decodes the `size` octets after TP-UDL by the record's data coding and TP-UDL (septets for
// the 7-bit classes, octets otherwise, header included) into `text` and the record's userData
// buffer; `headerOctets` is UDHL + 1 when there is a header, else 0. The buffer holds: for the
// 7-bit classes the text in UTF-8 and a NUL; for UCS2 the code units, low byte first, and two
// zero bytes; for 8-bit data the octets and a zero byte; for a coding of no class the octets as
// upper-case hexadecimal text and a NUL (its text is then empty). False, with the buffer left
// null, when the user data is shorter than TP-UDL says, when TP-UDL is above 160 septets or 140
// octets, or when the header does not fit in it.
bool decodeUserData(int headerOctets, const quint8* userData, int size, SmsDeliverPdu* record,
                    QString* text);
