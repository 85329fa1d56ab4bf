#include "link/LinkTarget.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex targetLock;

LinkTarget::Target& target()
{
    static LinkTarget::Target unit{QStringLiteral("172.31.254.0"), 40000, 0};
    return unit;
}

} // namespace

namespace LinkTarget {

Target current()
{
    QMutexLocker locker(&targetLock);
    return target();
}

void setForTests(const Target& replacement)
{
    QMutexLocker locker(&targetLock);
    target() = replacement;
}

} // namespace LinkTarget
