#include "link/CZKCommandInterpreter.h"

#include "bus/BusMessage.h"

#include <QStringList>

CZKCommandInterpreter::CZKCommandInterpreter(QObject* parent)
    : QObject(parent)
{
}

void CZKCommandInterpreter::interpret(QString reply)
{
    reply.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    const QStringList lines = reply.split(QLatin1Char('\r'));
    for (const QString& line : lines) {
        if (line.toUpper().startsWith(QLatin1String("AT#RST")))
            sendMessage(UnitRestarted, QString(), QString());
    }
}
