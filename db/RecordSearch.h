#pragma once

#include <QVector>

// The first record of a list with the given id, searched from the start; null when none has it.
// The list is detached first, so the pointer may be used to change the record in place.
template <typename Record>
Record* findRecordById(QVector<Record>& list, int id)
{
    for (Record& record : list) {
        if (record.id == id)
            return &record;
    }
    return nullptr;
}
