#include "sms/SmsPduRecords.h"

#include <cstring>

namespace {

char* copyBytes(const char* from, quint32 size)
{
    if (!from || size == 0)
        return nullptr;
    char* to = new char[size];
    std::memcpy(to, from, size);
    return to;
}

void freeBuffer(char** buffer, quint32* size)
{
    delete[] *buffer;
    *buffer = nullptr;
    *size = 0;
}

// Both records that own a PDU text and a user-data buffer release and copy them alike.
template<typename Record>
void releaseBuffers(Record& record)
{
    freeBuffer(&record.pduText, &record.pduTextSize);
    freeBuffer(&record.userData, &record.userDataSize);
    record.size = Record::FixedSize;
}

// After a plain field copy: gives `to` buffers of its own instead of sharing those of `from`.
template<typename Record>
void copyBuffers(Record& to, const Record& from)
{
    to.pduText = copyBytes(from.pduText, from.pduTextSize);
    to.pduTextSize = to.pduText ? from.pduTextSize : 0;
    to.userData = copyBytes(from.userData, from.userDataSize);
    to.userDataSize = to.userData ? from.userDataSize : 0;
    to.size = Record::FixedSize + to.pduTextSize + to.userDataSize;
}

} // namespace

void SmsDeliverPdu::release()
{
    releaseBuffers(*this);
}

void SmsDeliverPdu::copyFrom(const SmsDeliverPdu& other)
{
    if (&other == this)
        return;
    release();
    *this = other;
    copyBuffers(*this, other);
}

void SmsStatusReportPdu::release()
{
    size = FixedSize;
}

void SmsStatusReportPdu::copyFrom(const SmsStatusReportPdu& other)
{
    *this = other;
}

void SmsSubmitPdu::release()
{
    releaseBuffers(*this);
}

void SmsMultipartPdu::release()
{
    if (parts) {
        for (qint32 i = 0; i < partCount; ++i)
            delete parts[i]; // a part's destructor releases it
        delete[] parts;
    }
    parts = nullptr;
    partCount = 0;
    size = FixedSize;
}

void setPduBuffer(const char* text, char** buffer, quint32* size, SmsSubmitPdu* record)
{
    freeBuffer(buffer, size);
    if (text) {
        *size = quint32(std::strlen(text)) + 1;
        *buffer = copyBytes(text, *size);
    }
    record->size = SmsSubmitPdu::FixedSize + record->pduTextSize + record->userDataSize;
}

void SmsSubmitPdu::copyFrom(const SmsSubmitPdu& other)
{
    if (&other == this)
        return;
    release();
    *this = other;
    copyBuffers(*this, other);
}

SmsSubmitPdu* cloneSubmitPdu(const SmsSubmitPdu& from)
{
    auto* to = new SmsSubmitPdu;
    to->copyFrom(from);
    return to;
}
