#include "db/CZKDataBase.h"

#include "db/RecordSearch.h"

// Local contacts and the two message boxes. A row joins or leaves its list only after its
// statement succeeded, so the lists always match the tables.

namespace {

// Runs the DELETE for each entry with the id until one succeeds; only that entry leaves.
template <typename Record>
bool removeById(QVector<Record>& list, int id)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).id == id && list.at(i).remove()) {
            list.remove(i);
            return true;
        }
    }
    return false;
}

} // namespace

bool CZKDataBase::addContact(const QString& msisdn, const QString& name, const QString& description)
{
    if (msisdn.isEmpty())
        return false;
    ContactRecord contact;
    contact.msisdn = msisdn;
    contact.name = name;
    contact.description = description;
    if (!contact.insert())
        return false;
    contacts.append(contact);
    namesChanged();
    return true;
}

bool CZKDataBase::updateContact(int id, const QString& msisdn, const QString& name, const QString& description)
{
    ContactRecord* cached = findContact(id);
    if (!cached)
        return false;
    // The list keeps the stored values until the table has taken the new ones.
    ContactRecord edited = *cached;
    edited.msisdn = msisdn;
    edited.name = name;
    edited.description = description;
    if (!edited.update())
        return false;
    *cached = edited;
    namesChanged();
    return true;
}

bool CZKDataBase::removeContact(int id)
{
    for (int i = 0; i < contacts.size(); ++i) {
        if (contacts.at(i).id != id)
            continue;
        if (!contacts.at(i).remove())
            return false;
        contacts.remove(i);
        namesChanged();
        return true;
    }
    return false;
}

ContactRecord* CZKDataBase::findContact(int id)
{
    return findRecordById(contacts, id);
}

bool CZKDataBase::addSentMessage(const QString& toMsisdn, const QString& content, int simCardId, bool ussd)
{
    SentMessageRecord message;
    message.date = QDateTime::currentDateTime();
    message.content = content;
    message.toMsisdn = toMsisdn;
    message.ussd = ussd;
    message.simCardId = simCardId;
    if (!message.insert())
        return false;
    sentMessages.append(message);
    return true;
}

bool CZKDataBase::addReceivedMessage(const QString& fromMsisdn, const QString& content, int simCardId, bool ussd,
                                     const QDateTime& date)
{
    ReceivedMessageRecord message;
    message.date = date;
    message.content = content;
    message.fromMsisdn = fromMsisdn;
    message.ussd = ussd;
    message.simCardId = simCardId;
    if (!message.insert())
        return false;
    receivedMessages.append(message);
    return true;
}

bool CZKDataBase::addReceivedMessageNow(const QString& fromMsisdn, const QString& content, int simCardId, bool ussd)
{
    return addReceivedMessage(fromMsisdn, content, simCardId, ussd, QDateTime::currentDateTime());
}

SentMessageRecord* CZKDataBase::findSentMessage(int id)
{
    return findRecordById(sentMessages, id);
}

ReceivedMessageRecord* CZKDataBase::findReceivedMessage(int id)
{
    return findRecordById(receivedMessages, id);
}

bool CZKDataBase::removeSentMessage(int id)
{
    return removeById(sentMessages, id);
}

bool CZKDataBase::removeReceivedMessage(int id)
{
    return removeById(receivedMessages, id);
}
