#pragma once

#include "sms/SmsPduRecords.h"

#include <QByteArray>
#include <QVector>

// Hands out the references of concatenated messages: 513 first, on up to 1024, then 512 and
// on again. The program keeps one for 7-bit messages and one for UCS2 messages, for its life.
class SmsReferenceCounter {
public:
    quint16 next()
    {
        value = value > 1023 ? quint16(512) : quint16(value + 1);
        return value;
    }

private:
    quint16 value = 512;
};

// Builds SMS-SUBMIT PDUs as the hexadecimal text that the unit takes after "AT+CMGS=<length>":
// one PDU for a short message, or the parts of a concatenated one (16-bit reference), in GSM
// 7-bit or UCS2. Lengths count septets in 7-bit (an extension character takes two) and code
// units in UCS2; no part ends between an escape and its character, or inside a surrogate pair.
class SmsPduEncoder {
public:
    static constexpr int SingleSeptets = 160;
    static constexpr int SingleUcs2Units = 70;
    static constexpr int PartSeptets = 152;   // 160 less the 8 septets of the header
    static constexpr int PartUcs2Units = 66;  // 140 octets less the 7 of the header, halved
    static constexpr int MaximumParts = 255;

    SmsPduEncoder() = default;
    ~SmsPduEncoder() = default;
    SmsPduEncoder(const SmsPduEncoder&) = delete;
    SmsPduEncoder& operator=(const SmsPduEncoder&) = delete;

    // Numbers are "+" and digits; the texts are UTF-8 (7-bit) or zero-terminated UTF-16 (UCS2).
    // Each is false, with its result cleared, when a number is empty or malformed, a text is
    // null, a 7-bit text holds a character without a septet, or the text does not fit: a
    // single message takes at most 160 septets or 70 code units, a concatenated one needs
    // more than one part's worth (152 septets, 66 units) and at most 255 parts.
    bool encode7Bit(const char* smsc, const char* destination, const char* text);
    bool encodeUcs2(const char* smsc, const char* destination, const ushort* text);
    // `continuationPrefix` (may be null) starts the text of every part after the first.
    bool encodeMulti7Bit(const char* smsc, const char* destination, const char* text,
                         const char* continuationPrefix);
    bool encodeMultiUcs2(const char* smsc, const char* destination, const ushort* text);

    // Copies of the last results, each record with its own PDU text and no user data; false
    // unless the matching encode succeeded last. `out` is released first.
    bool getSubmitPdu(SmsSubmitPdu* out) const;
    bool getMultipartPdu(SmsMultipartPdu* out) const;

private:
    void reset();
    void resetMultipart();
    bool prepare(SmsSubmitPdu* record, const char* smscText, const char* destination,
                 quint8 firstOctet, quint8 dataCoding);
    bool setSMSCAddress(SmsSubmitPdu* record) const;
    bool setDestinationAddress(const char* destination, SmsSubmitPdu* record) const;
    void publishParts(QVector<SmsSubmitPdu*>* parts);

    quint8 singleReady = 0;
    SmsSubmitPdu single;
    quint8 multipartReady = 0;
    SmsMultipartPdu multipart;
    char smsc[SmsFieldCapacity] = {};
};

// The septets of `prefix` and of at most `maximum` septets of `piece`, packed and appended to
// the hexadecimal `header`, into `out`. The header must be whole groups of seven octets, so
// that the septets start on an octet boundary without fill bits. False when `out` is not
// empty or the header does not fit that rule.
bool packSeptetSegment(const QByteArray& piece, int maximum, QByteArray* out,
                       const QByteArray& header, const QByteArray& prefix);
