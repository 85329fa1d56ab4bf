#pragma once

#include <QByteArray>
#include <QString>

// An SMS-SUBMIT as the fake unit takes it after "AT+CMGS": read here on its own, without the
// program's codec, so that tests compare the program's encoding with an independent decoding.
// It reads the GSM default alphabet with its extension table, 8-bit data and UCS2, and the
// concatenation headers with 8-bit and 16-bit references.
struct FakeSubmit {
    enum Coding { Gsm7, EightBit, Ucs2 };

    QString destination;   // "+" and digits for an international number
    Coding coding = Gsm7;
    // A part of a concatenated message when partCount is above 1; referenceBits is 8 or 16.
    int reference = 0;
    int referenceBits = 0;
    int partCount = 1;
    int partNumber = 1;
    QString text;   // 8-bit data as Latin-1

    // The PDU is hexadecimal text with its service-centre field first, as "AT+CMGS" follows it;
    // `tpduLength` is the length that "AT+CMGS" announced. False, with the reason in `why`, when
    // the length differs or the PDU is not a well-formed SMS-SUBMIT.
    static bool decode(const QByteArray& pduHex, int tpduLength, FakeSubmit* submit, QString* why);
    static QString codingName(Coding coding);
};
