#pragma once

#include "sms/SmsPart.h"
#include "sms/SmsPduRecords.h"

#include <QByteArray>
#include <QString>

class SmsPduReader;

// Decodes one PDU that the unit hands out after "+CMGR:" in PDU mode: an SMS-DELIVER into a
// deliver record (and, for one part of a concatenated message, into `part`), or a status
// report into a status-report record. The caller builds one decoder for each PDU line.
class SmsPduDecoder {
public:
    enum Kind {
        Nothing = 0,
        Deliver = 1,
        StatusReport = 2,
        Submit = 3, // only after setAcceptSubmit(true)
    };

    SmsPduDecoder() = default;
    ~SmsPduDecoder() = default;
    SmsPduDecoder(const SmsPduDecoder&) = delete;
    SmsPduDecoder& operator=(const SmsPduDecoder&) = delete;

    // Decodes the PDU text (hexadecimal digits in either case; white space around it is
    // ignored). The message type comes from TP-MTI. False for a text that is not a whole,
    // well-formed PDU of an accepted type; kind() is then Nothing.
    bool decode(const char* pduHex);

    int kind() const { return decodedKind; }

    // Copies of the records: false unless kind() matches (an SMS-SUBMIT read with
    // setAcceptSubmit also fills the deliver record). `out` is released first.
    bool getDeliverPdu(SmsDeliverPdu* out) const;
    bool getStatusReportPdu(SmsStatusReportPdu* out) const;

    // The decoded text of the message (after its header). 8-bit data is its own text when it is
    // UTF-8 without control characters (CR, LF and TAB allowed), else its octets as upper-case
    // hexadecimal text; a coding of no class (compressed text) gives an empty text.
    QString text() const { return decodedText; }

    // Also reads SMS-SUBMIT PDUs, into the deliver record: the originator fields then hold the
    // destination and the time stamp stays empty. The unit's read replies hold received
    // messages only, so this is off unless asked for (it reads back what the encoder made).
    void setAcceptSubmit(bool accept) { acceptSubmit = accept; }

    // Set by a successful decode of one part of a concatenated message.
    quint8 concatenated = 0;
    SmsPart part;

private:
    void reset();
    bool decodeMessage(SmsPduReader& reader, bool submit);
    bool decodeStatusReport(SmsPduReader& reader);
    bool parseConcatHeader(const quint8* userData, int size, int userDataOctets);
    void fillPart();

    SmsDeliverPdu deliver;
    SmsStatusReportPdu report;
    int decodedKind = Nothing;
    QString decodedText;
    bool acceptSubmit = false;
};
