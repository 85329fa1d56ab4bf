#include "link/LinkTiming.h"

#include "app/CZKPacing.h"

#include <QElapsedTimer>
#include <QThread>

namespace LinkTiming {

bool pauseUnlessStopped(const std::atomic<bool>& stopRequested, int realMs)
{
    // Long enough not to keep a core busy, short enough that a stop is not noticed late.
    constexpr qint64 kSliceMs = 50;
    const qint64 total = Pacing::ms(realMs);
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        if (stopRequested)
            return false;
        const qint64 left = total - clock.elapsed();
        if (left <= 0)
            return true;
        QThread::msleep(static_cast<unsigned long>(qMin(left, kSliceMs)));
    }
}

} // namespace LinkTiming
