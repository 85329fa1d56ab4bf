#include "db/StoredDateQueue.h"

#include "db/StoredDate.h"

#include <system_error>
#include <utility>

StoredDateQueue::StoredDateQueue(int batchSize)
    : batchSize(batchSize)
{
    batch.reserve(batchSize);
}

StoredDateQueue::~StoredDateQueue()
{
    finish();
}

void StoredDateQueue::add(const QVariant& storedDate)
{
    batch.append(storedDate);
    if (batch.size() >= batchSize)
        handOver();
}

void StoredDateQueue::handOver()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        pending.push_back(std::move(batch));
    }
    batch = QVector<QVariant>();
    batch.reserve(batchSize);
    if (reader.joinable()) {
        wake.notify_one();
        return;
    }
    try {
        reader = std::thread([this] { run(); });
    } catch (const std::system_error&) {
        // No thread to be had: read here, as the loader always could.
        for (const QVariant& storedDate : qAsConst(pending.front()))
            dates.append(StoredDate::fromColumn(storedDate));
        pending.pop_front();
    }
}

void StoredDateQueue::run()
{
    for (;;) {
        QVector<QVariant> next;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return !pending.empty() || closed; });
            if (pending.empty())
                return;
            next = std::move(pending.front());
            pending.pop_front();
        }
        for (const QVariant& storedDate : qAsConst(next))
            dates.append(StoredDate::fromColumn(storedDate));
    }
}

QVector<QDateTime> StoredDateQueue::finish()
{
    if (reader.joinable()) {
        {
            std::lock_guard<std::mutex> guard(lock);
            closed = true;
        }
        wake.notify_one();
        reader.join();
    }
    // The rest comes after everything the thread read, which it has finished with.
    for (const QVariant& storedDate : qAsConst(batch))
        dates.append(StoredDate::fromColumn(storedDate));
    batch.clear();
    return std::exchange(dates, QVector<QDateTime>());
}
