#include "db/CZKDataBase.h"

#include "db/RecordSearch.h"

// Finders and look-ups over the in-memory lists: first match wins, a miss gives null, an empty
// text or -1. Linear, but for the names by number, which every row of a message box asks for.

DeviceRecord* CZKDataBase::findDevice(int id)
{
    return findRecordById(devices, id);
}

SimCardRecord* CZKDataBase::findSimCard(int id)
{
    return findRecordById(simCards, id);
}

int CZKDataBase::activeSimCardId() const
{
    for (const SimCardRecord& card : simCards) {
        if (card.active)
            return card.id;
    }
    return -1;
}

ProfileRecord* CZKDataBase::findProfile(int id)
{
    return findRecordById(profiles, id);
}

int CZKDataBase::profileIdByName(const QString& name, bool* found) const
{
    for (const ProfileRecord& profile : profiles) {
        if (profile.name == name) {
            *found = true;
            return profile.id;
        }
    }
    *found = false;
    return -1;
}

ProfileRecord* CZKDataBase::newProfile()
{
    // Unsaved profiles count down from -1, so they never meet the positive ids of the table.
    int id = -1;
    if (!profiles.isEmpty()) {
        int lowest = profiles.first().id;
        for (const ProfileRecord& profile : qAsConst(profiles))
            lowest = qMin(lowest, profile.id);
        if (lowest <= 0)
            id = lowest - 1;
    }
    ProfileRecord profile;
    profile.id = id;
    profile.name = QStringLiteral("New_%1").arg(-id);
    profiles.append(profile);
    return findProfile(id);
}

QString CZKDataBase::ratName(int id) const
{
    for (const RatRecord& rat : rats) {
        if (rat.id == id)
            return rat.ratName;
    }
    return QString();
}

QString CZKDataBase::ratSetCommand(int id) const
{
    for (const RatRecord& rat : rats) {
        if (rat.id == id)
            return rat.ratSetCommand;
    }
    return QString();
}

QString CZKDataBase::dictionaryValue(int key, int group) const
{
    for (const DictionaryRecord& entry : dictionary) {
        if (entry.key == key && entry.valueGroup == group)
            return entry.value;
    }
    return QString();
}

QStringList CZKDataBase::administrationValue(int keyId) const
{
    QStringList values;
    for (const AdministrationRecord& entry : administration) {
        if (entry.keyId == keyId)
            values.append(entry.valueString);
    }
    return values;
}

QString CZKDataBase::operatorName(const QString& mccMnc, bool* found) const
{
    *found = false;
    // Only two-digit network codes are looked up; both sides compare as numbers, so "01" is 1.
    if (mccMnc.size() != 5)
        return QString();
    bool isNumber = false;
    const int mcc = mccMnc.left(3).toInt(&isNumber, 10);
    if (!isNumber)
        return QString();
    const int mnc = mccMnc.mid(3, 2).toInt(&isNumber, 10);
    if (!isNumber)
        return QString();
    for (const OperatorRecord& entry : operators) {
        if (entry.mcc == mcc && entry.mnc == mnc) {
            *found = true;
            return entry.network;
        }
    }
    return QString();
}

QString CZKDataBase::contactName(const QString& msisdn) const
{
    NameIndex& index = nameIndex;
    if (!index.valid || index.contacts != contacts.constData() || index.contactCount != contacts.size()
        || index.phoneBook != phoneBook.constData() || index.phoneBookCount != phoneBook.size()) {
        // Contacts before the phone book, and in each the first entry with a name, as a search
        // from the top of the contacts would find it.
        index.names.clear();
        index.names.reserve(contacts.size() + phoneBook.size());
        for (const QVector<ContactRecord>* book : {&contacts, &phoneBook}) {
            for (const ContactRecord& entry : *book) {
                if (!entry.name.isEmpty() && !index.names.contains(entry.msisdn))
                    index.names.insert(entry.msisdn, entry.name);
            }
        }
        index.valid = true;
        index.contacts = contacts.constData();
        index.contactCount = contacts.size();
        index.phoneBook = phoneBook.constData();
        index.phoneBookCount = phoneBook.size();
    }
    return index.names.value(msisdn);
}
