#pragma once

#include <QtGlobal>

// The codec's records. Each opens with a tag that names its kind and a size word: its fixed
// size plus the sizes of the buffers it owns at that moment. A record owns its `new[]`
// buffers; release() frees them and may be called any number of times (the destructor calls
// it). Plain copies are forbidden, since two records would then free the same buffers; deep
// copies are made only by the decoder's and encoder's get operations and by cloneSubmitPdu().

constexpr int SmsFieldCapacity = 32; // address and time-stamp fields, NUL included

// A received SMS-DELIVER.
struct SmsDeliverPdu {
    static constexpr quint32 Tag = 5013;
    static constexpr quint32 FixedSize = 144;

    quint32 tag = Tag;
    quint32 size = FixedSize;
    quint8 smscLength = 0; // octets of type and digits; 0 when the PDU carries no SMSC
    quint8 smscType = 0;
    char smscAddress[SmsFieldCapacity] = {};
    quint8 firstOctet = 0;
    quint8 originatorLength = 0; // useful semi-octets
    quint8 originatorType = 0;
    char originator[SmsFieldCapacity] = {};
    quint8 protocolId = 0;
    quint8 dataCoding = 0;
    char timestamp[SmsFieldCapacity] = {}; // "20YY-MM-DD hh:mm:ss.000" once converted
    quint8 userDataLength = 0;             // TP-UDL as received
    quint8 headerLength = 0;               // UDHL, 0 without a header
    quint8 elementId = 0;     // IEI of the concatenation element, else of the first element
    quint8 elementLength = 0; // its IEDL
    quint16 reference = 0;
    quint8 partCount = 0; // 0: not concatenated
    quint8 partNumber = 0;
    quint32 pduLength = 0;
    quint32 pduTextSize = 0;
    char* pduText = nullptr; // the PDU text as received, NUL-terminated
    quint32 userDataSize = 0;
    // The user data after its header: for the 7-bit classes the text in UTF-8 with a NUL; for
    // UCS2 the UTF-16 code units, low byte first, and two zero bytes; for 8-bit data the
    // octets and a zero byte; for a coding of no class the octets as hexadecimal text.
    char* userData = nullptr;

    SmsDeliverPdu() = default;
    ~SmsDeliverPdu() { release(); }

    void release();
    void copyFrom(const SmsDeliverPdu& other); // every field and its own copies of the buffers

private:
    // A plain copy would share the buffers; copyFrom() starts from one and then copies them.
    SmsDeliverPdu(const SmsDeliverPdu&) = default;
    SmsDeliverPdu& operator=(const SmsDeliverPdu&) = default;
};

// A received SMS-STATUS-REPORT. Owns no buffers.
struct SmsStatusReportPdu {
    static constexpr quint32 Tag = 5016;
    static constexpr quint32 FixedSize = 148;

    quint32 tag = Tag;
    quint32 size = FixedSize;
    quint8 smscLength = 0;
    quint8 smscType = 0;
    char smscAddress[SmsFieldCapacity] = {};
    quint8 firstOctet = 0;
    quint8 messageReference = 0;
    quint8 recipientLength = 0;
    quint8 recipientType = 0;
    char recipient[SmsFieldCapacity] = {};
    char timestamp[SmsFieldCapacity] = {};
    char dischargeTime[SmsFieldCapacity] = {};
    quint8 status = 0;

    SmsStatusReportPdu() = default;
    ~SmsStatusReportPdu() { release(); }

    void release();
    void copyFrom(const SmsStatusReportPdu& other);

private:
    // Copied through copyFrom() only, like the records that own buffers.
    SmsStatusReportPdu(const SmsStatusReportPdu&) = default;
    SmsStatusReportPdu& operator=(const SmsStatusReportPdu&) = default;
};

// One SMS-SUBMIT as sent after "AT+CMGS=<tpduLength>".
struct SmsSubmitPdu {
    static constexpr quint32 Tag = 5014;
    static constexpr quint32 FixedSize = 120;

    quint32 tag = Tag;
    quint32 size = FixedSize;
    quint8 smscLength = 0;
    quint8 smscType = 0;
    char smscAddress[SmsFieldCapacity] = {}; // semi-octet text
    quint8 firstOctet = 0;
    quint8 messageReference = 0;
    quint8 destinationLength = 0; // digits, without "+"
    quint8 destinationType = 0;
    char destination[SmsFieldCapacity] = {}; // semi-octet text
    quint8 protocolId = 0;
    quint8 dataCoding = 0;
    quint8 validityPeriod = 0;
    quint8 userDataLength = 0; // septets (7-bit) or octets (UCS2), header included
    quint8 headerLength = 0;
    quint8 elementId = 0;
    quint8 elementLength = 0;
    quint16 reference = 0;
    quint8 partCount = 0;
    quint8 partNumber = 0;
    quint32 tpduLength = 0;
    quint32 pduTextSize = 0;
    char* pduText = nullptr; // hexadecimal text ending with Ctrl-Z
    quint32 userDataSize = 0;
    char* userData = nullptr; // hexadecimal text

    SmsSubmitPdu() = default;
    ~SmsSubmitPdu() { release(); }

    void release();
    void copyFrom(const SmsSubmitPdu& other); // every field and its own copies of the buffers

private:
    // A plain copy would share the buffers; copyFrom() starts from one and then copies them.
    SmsSubmitPdu(const SmsSubmitPdu&) = default;
    SmsSubmitPdu& operator=(const SmsSubmitPdu&) = default;
};

// The parts of one concatenated message, in part order, each a heap record it owns.
struct SmsMultipartPdu {
    static constexpr quint32 Tag = 5021;
    static constexpr quint32 FixedSize = 32;

    quint32 tag = Tag;
    quint32 size = FixedSize;
    qint32 partCount = 0;
    SmsSubmitPdu** parts = nullptr;

    SmsMultipartPdu() = default;
    ~SmsMultipartPdu() { release(); }
    SmsMultipartPdu(const SmsMultipartPdu&) = delete;
    SmsMultipartPdu& operator=(const SmsMultipartPdu&) = delete;

    void release();
};

// The constants of the address conversions, in both directions.
struct SmsAddressScratch {
    static constexpr quint32 Tag = 5015;
    static constexpr quint32 FixedSize = 176;

    static constexpr quint8 UnknownType = 129;       // 0x81: unknown number, ISDN plan
    static constexpr quint8 InternationalType = 145; // 0x91: international number, ISDN plan
    static constexpr int InternationalTon = 1;
    static constexpr int AlphanumericTon = 5;
    static constexpr int MaximumDigits = 20; // ten octets of semi-octets (TS 23.040, 9.1.2.5)
};

// Replaces one of a submit record's buffers with a copy of `text` (left null for a null text)
// and brings the record's size word up to date.
void setPduBuffer(const char* text, char** buffer, quint32* size, SmsSubmitPdu* record);

// A new heap record with every field of `from` and its own copies of both buffers.
SmsSubmitPdu* cloneSubmitPdu(const SmsSubmitPdu& from);
