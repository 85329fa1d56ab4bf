#include "FuzzEntries.h"

#include "sms/SmsPduDecoder.h"

#include <QByteArray>
#include <QByteArrayList>

#include <string>

namespace {

// Part one of two with an 8-bit reference: decoded first by a decoder that is then used again,
// so that anything of it left behind shows.
const char* const kConcatenatedPart = "07918497908952F0440B918406214365F700006250219114750017050003A70201A061391DF476"
                                      "97416F33887E7F831A";

void check(bool holds, const char* what)
{
    if (!holds)
        qFatal("fuzz: %s", what);
}

bool terminated(const char* field)
{
    return qstrnlen(field, SmsFieldCapacity) < SmsFieldCapacity;
}

// Reads every byte the record says it owns, so the sanitizer sees any buffer shorter than that.
QByteArray checkedDeliver(const SmsDeliverPdu& d)
{
    check(d.tag == SmsDeliverPdu::Tag, "deliver record of a wrong tag");
    check(terminated(d.smscAddress) && terminated(d.originator) && terminated(d.timestamp),
          "deliver field without its NUL");
    check(d.pduText && d.pduTextSize == qstrlen(d.pduText) + 1, "PDU text and its size disagree");
    check(d.userData && d.userDataSize > 0 && d.userData[d.userDataSize - 1] == '\0', "user data not terminated");
    check(d.size == SmsDeliverPdu::FixedSize + d.pduTextSize + d.userDataSize, "deliver size word wrong");
    return QByteArrayList{d.smscAddress, d.originator, d.timestamp, d.pduText,
                          QByteArray(d.userData, int(d.userDataSize)).toHex(), QByteArray::number(d.dataCoding),
                          QByteArray::number(d.reference), QByteArray::number(d.partCount),
                          QByteArray::number(d.partNumber)}
        .join('|');
}

QByteArray checkedReport(const SmsStatusReportPdu& r)
{
    check(r.tag == SmsStatusReportPdu::Tag && r.size == SmsStatusReportPdu::FixedSize, "report record wrong");
    check(terminated(r.smscAddress) && terminated(r.recipient) && terminated(r.timestamp)
              && terminated(r.dischargeTime),
          "report field without its NUL");
    return QByteArrayList{r.smscAddress, r.recipient, r.timestamp, r.dischargeTime,
                          QByteArray::number(r.messageReference), QByteArray::number(r.status)}
        .join('|');
}

struct Outcome {
    int kind = SmsPduDecoder::Nothing;
    QByteArray summary; // all that was decoded
};

Outcome decodeOnce(const char* text, bool acceptSubmit, bool reused)
{
    SmsPduDecoder decoder;
    decoder.setAcceptSubmit(acceptSubmit);
    if (reused)
        check(decoder.decode(kConcatenatedPart), "the known part no longer decodes");
    const bool ok = decoder.decode(text);
    Outcome outcome;
    outcome.kind = decoder.kind();
    check(ok == (outcome.kind != SmsPduDecoder::Nothing), "decode() and kind() disagree");
    check(acceptSubmit || outcome.kind != SmsPduDecoder::Submit, "SMS-SUBMIT read without being asked to");

    SmsDeliverPdu deliver;
    SmsStatusReportPdu report;
    const bool gotDeliver = decoder.getDeliverPdu(&deliver);
    const bool gotReport = decoder.getStatusReportPdu(&report);
    check(ok == (gotDeliver || gotReport), "a decoded PDU without its record, or a record without one");
    const SmsPart& part = decoder.part;
    if (decoder.concatenated) {
        check(gotDeliver && part.partNumber >= 1 && part.partNumber <= part.partCount, "part numbers out of range");
        check(part.text == decoder.text(), "the part's text is not the message's");
    } else {
        check(part.partCount == 0 && part.text.isEmpty(), "part filled for no concatenated message");
    }
    outcome.summary = QByteArrayList{QByteArray::number(outcome.kind), decoder.text().toUtf8(),
                                     QByteArray::number(decoder.concatenated), part.sender.toUtf8(),
                                     part.time.toString(Qt::ISODateWithMs).toLatin1(),
                                     gotDeliver ? checkedDeliver(deliver) : QByteArray("-"),
                                     gotReport ? checkedReport(report) : QByteArray("-")}
                          .join('|');
    return outcome;
}

} // namespace

int fuzzPdu(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    // The same text read by a fresh decoder that refuses SMS-SUBMIT and by a used one that takes
    // it: apart from a SMS-SUBMIT, neither may see anything the other does not.
    const Outcome fresh = decodeOnce(text.c_str(), false, false);
    const Outcome reused = decodeOnce(text.c_str(), true, true);
    if (reused.kind == SmsPduDecoder::Submit)
        check(fresh.kind == SmsPduDecoder::Nothing, "SMS-SUBMIT read without being asked to");
    else
        check(fresh.summary == reused.summary, "the result depends on the decoder's past or on setAcceptSubmit");
    return 0;
}
