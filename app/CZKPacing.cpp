#include "app/CZKPacing.h"

#include <atomic>
#include <cmath>

namespace {
std::atomic<double> pacingScale{1.0};
}

namespace Pacing {

double scale()
{
    return pacingScale.load();
}

void setScale(double factor)
{
    pacingScale.store(factor > 0.0 ? factor : 1.0);
}

int ms(int realMs)
{
    if (realMs <= 0)
        return realMs;
    const double scaled = std::ceil(realMs * pacingScale.load());
    return scaled < 1.0 ? 1 : static_cast<int>(scaled);
}

} // namespace Pacing
