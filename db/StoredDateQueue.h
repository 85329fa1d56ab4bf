#pragma once

#include <QDateTime>
#include <QVariant>
#include <QVector>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Reads stored message dates (StoredDate::fromColumn) on a thread of its own while a loader
// goes on reading rows: turning a local time into a date-time asks the C library once per row,
// about a fifth of the work of loading a large message table.
//
// The dates are read strictly one after another, in the order added, never two at once: the
// thread reads whole batches, and finish() reads what is left only after the thread has ended.
// So the C library meets the same sequence of conversions as when the loader read each row
// itself, and a time that the clock shows twice (the autumn hour) comes out as it did.
// Fewer dates than a batch are read in finish() alone, with no thread at all.
class StoredDateQueue {
public:
    explicit StoredDateQueue(int batchSize = 1024);
    ~StoredDateQueue();

    StoredDateQueue(const StoredDateQueue&) = delete;
    StoredDateQueue& operator=(const StoredDateQueue&) = delete;

    void add(const QVariant& storedDate);

    // Every date added, read, in the order added. Waits for the thread; add nothing afterwards.
    QVector<QDateTime> finish();

private:
    void handOver();
    void run();

    const int batchSize;
    QVector<QVariant> batch;
    QVector<QDateTime> dates;

    std::mutex lock;
    std::condition_variable wake;
    std::deque<QVector<QVariant>> pending; // under lock
    bool closed = false;                   // under lock
    std::thread reader;
};
