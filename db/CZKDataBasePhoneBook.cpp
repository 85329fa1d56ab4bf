#include "db/CZKDataBase.h"

#include "bus/BusMessage.h"
#include "db/RecordSearch.h"

#include <QSet>

// The SIM phone book mirrored in memory. Changes made here go to the unit as AT+CPBW commands
// on the bus; the mirror changes at once and does not wait for the unit's answer (the window
// reads the book again when the unit refuses one).

namespace {

// The selection sort starts its search for the smallest position here, so a position at or
// above it could never be taken.
constexpr int kPositionBound = 32767;

const QString& phoneBookPosKey()
{
    static const QString key = QStringLiteral("PHONE_BOOK_POS");
    return key;
}

} // namespace

bool CZKDataBase::isPhoneBookTextAllowed(const QString& text)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0x1A))
            return false;
    }
    return true;
}

bool CZKDataBase::clearPhoneBook()
{
    phoneBook.clear();
    namesChanged();
    return true;
}

bool CZKDataBase::setPhoneBookEntry(int pos, const QString& number, const QString& name, bool writeToSim)
{
    if (number.isEmpty() || name.isEmpty())
        return false;
    if (writeToSim && (!isPhoneBookTextAllowed(number) || !isPhoneBookTextAllowed(name)))
        return false;

    ContactRecord entry;
    entry.id = (pos <= 0 && writeToSim) ? freePhoneBookPosition() : pos;
    entry.order = entry.id;
    entry.msisdn = number;
    entry.name = name;
    entry.numberType = number.startsWith(QLatin1Char('+')) ? QStringLiteral("145") : QStringLiteral("129");
    // A SIM position holds one entry: reading the book again, or an "AT+CPBR" typed in the
    // terminal, brings the entries held already and must not list them twice.
    if (ContactRecord* held = findPhoneBookEntry(entry.id))
        *held = entry;
    else
        phoneBook.append(entry);
    namesChanged();

    if (writeToSim) {
        // One-pass substitution: a "%2" typed into the number must not pull in the name.
        sendMessage(BusMessageType::Send,
                    QStringLiteral("AT+CPBW=%1,\"%2\",%3,\"%4\"")
                        .arg(QString::number(entry.id), number, entry.numberType, name),
                    internalTag());
        sendMessage(BusMessageType::ReplyKey, phoneBookPosKey(), QString::number(phoneBook.size()));
    }
    return true;
}

ContactRecord* CZKDataBase::findPhoneBookEntry(int pos)
{
    return findRecordById(phoneBook, pos);
}

bool CZKDataBase::sortPhoneBook()
{
    for (const ContactRecord& entry : qAsConst(phoneBook)) {
        if (entry.id >= kPositionBound)
            return false;
    }
    // Repeated minimum, searched from the back: of two entries with one position the one stored
    // later comes first, as the book has always been shown.
    QVector<ContactRecord> remaining = phoneBook;
    QVector<ContactRecord> sorted;
    sorted.reserve(remaining.size());
    while (!remaining.isEmpty()) {
        int smallest = kPositionBound;
        int chosen = -1;
        for (int i = remaining.size() - 1; i >= 0; --i) {
            if (remaining.at(i).id < smallest) {
                smallest = remaining.at(i).id;
                chosen = i;
            }
        }
        sorted.append(remaining.at(chosen));
        remaining.remove(chosen);
    }
    phoneBook = sorted;
    namesChanged();
    return true;
}

void CZKDataBase::removePhoneBookEntryAt(int pos)
{
    for (int i = phoneBook.size() - 1; i >= 0; --i) {
        if (phoneBook.at(i).id == pos) {
            phoneBook.remove(i);
            namesChanged();
            sendPhoneBookErase(pos);
            return;
        }
    }
}

int CZKDataBase::removePhoneBookEntry(const QString& number, const QString& name)
{
    for (int i = phoneBook.size() - 1; i >= 0; --i) {
        const ContactRecord& entry = phoneBook.at(i);
        if (entry.msisdn == number && entry.name == name) {
            const int pos = entry.id;
            phoneBook.remove(i);
            namesChanged();
            sendPhoneBookErase(pos);
            return pos;
        }
    }
    return -1;
}

bool CZKDataBase::updatePhoneBookEntry(const QString& oldNumber, const QString& oldName, const QString& newNumber,
                                       const QString& newName)
{
    for (int i = phoneBook.size() - 1; i >= 0; --i) {
        const ContactRecord& entry = phoneBook.at(i);
        if (entry.msisdn == oldNumber && entry.name == oldName)
            return rewritePhoneBookEntry(i, newNumber, newName);
    }
    return false;
}

bool CZKDataBase::updatePhoneBookEntryAt(int pos, const QString& newNumber, const QString& newName)
{
    // By position: two entries may share a number and a name, and the operator chose one of them.
    for (int i = phoneBook.size() - 1; i >= 0; --i) {
        if (phoneBook.at(i).id == pos)
            return rewritePhoneBookEntry(i, newNumber, newName);
    }
    return false;
}

bool CZKDataBase::rewritePhoneBookEntry(int index, const QString& newNumber, const QString& newName)
{
    if (newNumber.isEmpty() || newName.isEmpty() || !isPhoneBookTextAllowed(newNumber)
        || !isPhoneBookTextAllowed(newName))
        return false;
    // One write over the used position replaces the entry there: a write the SIM refuses (a name
    // too long for its records, say) leaves the old entry in place, where an erase before it
    // would have lost it.
    const int pos = phoneBook.at(index).id;
    phoneBook.remove(index);
    return setPhoneBookEntry(pos, newNumber, newName, true);
}

int CZKDataBase::freePhoneBookPosition(int capacity) const
{
    // The first position above the lowest used one that no entry holds; the book need not be
    // sorted, and an empty book starts at the SIM's first record.
    QSet<int> held;
    int lowest = phoneBook.isEmpty() ? 0 : phoneBook.first().id;
    for (const ContactRecord& entry : phoneBook) {
        held.insert(entry.id);
        lowest = qMin(lowest, entry.id);
    }
    int candidate = qMax(lowest, 0) + 1;
    while (held.contains(candidate))
        ++candidate;
    if (capacity < 0 || candidate <= capacity)
        return candidate;
    // Past the end of the card: a position below the lowest used one may still be free.
    for (candidate = 1; candidate <= capacity; ++candidate) {
        if (!held.contains(candidate))
            return candidate;
    }
    return 0;
}

void CZKDataBase::sendPhoneBookErase(int pos)
{
    sendMessage(BusMessageType::Send, QStringLiteral("AT+CPBW=%1").arg(pos), internalTag());
    sendMessage(BusMessageType::ReplyKey, phoneBookPosKey(), QString::number(phoneBook.size()));
}
