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

} // namespace

void SmsDeliverPdu::release()
{
    freeBuffer(&pduText, &pduTextSize);
    freeBuffer(&userData, &userDataSize);
    size = FixedSize;
}

void SmsDeliverPdu::copyFrom(const SmsDeliverPdu& other)
{
    if (&other == this)
        return;
    release();
    *this = other;
    pduText = copyBytes(other.pduText, other.pduTextSize);
    pduTextSize = pduText ? other.pduTextSize : 0;
    userData = copyBytes(other.userData, other.userDataSize);
    userDataSize = userData ? other.userDataSize : 0;
    size = FixedSize + pduTextSize + userDataSize;
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
    freeBuffer(&pduText, &pduTextSize);
    freeBuffer(&userData, &userDataSize);
    size = FixedSize;
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
    pduText = copyBytes(other.pduText, other.pduTextSize);
    pduTextSize = pduText ? other.pduTextSize : 0;
    userData = copyBytes(other.userData, other.userDataSize);
    userDataSize = userData ? other.userDataSize : 0;
    size = FixedSize + pduTextSize + userDataSize;
}

SmsSubmitPdu* cloneSubmitPdu(const SmsSubmitPdu& from)
{
    auto* to = new SmsSubmitPdu;
    to->copyFrom(from);
    return to;
}
