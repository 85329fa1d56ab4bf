#include "link/CZKCommandProxy.h"

CZKCommandProxy::CZKCommandProxy(QObject* parent)
    : QObject(parent)
{
}

void CZKCommandProxy::pushCommand(QString text, bool internal)
{
    const bool restart = text.toUpper().startsWith(QLatin1String("AT#RST"));
    {
        QMutexLocker locker(&commandsLock);
        commands.append(ProxyEntry{text, internal});
    }
    emit sendCmd();
    if (restart)
        pushReply(text + QLatin1String("\r\nOK\r\n"), internal);
}

void CZKCommandProxy::pushReply(QString text, bool internal)
{
    {
        QMutexLocker locker(&repliesLock);
        replies.append(ProxyEntry{std::move(text), internal});
    }
    emit receiveCmd();
}

QString CZKCommandProxy::takeCommand(bool* got, bool* internal)
{
    *got = false;
    QMutexLocker locker(&commandsLock);
    if (commands.isEmpty())
        return QString();
    const ProxyEntry entry = commands.takeFirst();
    *internal = entry.internal;
    *got = true;
    return entry.text;
}

QString CZKCommandProxy::takeReply(bool* got, bool* internal)
{
    *got = false;
    *internal = false;
    QMutexLocker locker(&repliesLock);
    if (replies.isEmpty())
        return QString();
    const ProxyEntry entry = replies.takeFirst();
    *internal = entry.internal;
    *got = true;
    return entry.text;
}
