#include "sim/CZKPINTools.h"

#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"

#include <QWidget>

CZKPINTools::CZKPINTools(QObject* parent)
    : QObject(parent)
{
}

bool CZKPINTools::isDigitsOnly(const QString& value)
{
    for (const QChar c : value) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString CZKPINTools::digitsOnlyMessage()
{
    return tr("PIN and PUK may hold digits only.");
}

bool CZKPINTools::usable(std::initializer_list<QString> values)
{
    for (const QString& value : values) {
        if (value.isEmpty())
            return false;
    }
    for (const QString& value : values) {
        if (!isDigitsOnly(value)) {
            CZKPrompt::warning(qobject_cast<QWidget*>(parent()), tr("PIN Error"), digitsOnlyMessage());
            return false;
        }
    }
    return true;
}

void CZKPINTools::send(const QString& command)
{
    sendMessage(Send, command, internalTag());
}

void CZKPINTools::queryPIN()
{
    send(QStringLiteral("AT+CPIN?"));
}

void CZKPINTools::queryPINLock()
{
    send(QStringLiteral("AT+CLCK=\"SC\",2"));
}

void CZKPINTools::enterPIN(const QString& pin)
{
    if (usable({pin}))
        send(QStringLiteral("AT+CPIN=\"%1\"").arg(pin));
}

void CZKPINTools::enterPUK(const QString& newPin, const QString& puk)
{
    if (usable({newPin, puk}))
        send(QStringLiteral("AT+CPIN=\"%1\",\"%2\"").arg(puk, newPin));
}

void CZKPINTools::changePIN(const QString& oldPin, const QString& newPin)
{
    if (usable({oldPin, newPin}))
        send(QStringLiteral("AT+CPWD=\"SC\",\"%1\",\"%2\"").arg(oldPin, newPin));
}

void CZKPINTools::enablePIN(const QString& pin)
{
    if (usable({pin}))
        send(QStringLiteral("AT+CLCK=\"SC\",1,\"%1\"").arg(pin));
}

void CZKPINTools::disablePIN(const QString& pin)
{
    if (usable({pin}))
        send(QStringLiteral("AT+CLCK=\"SC\",0,\"%1\"").arg(pin));
}

void CZKPINTools::setDevicePIN(int slot, const QString& pin)
{
    if (usable({pin}))
        send(QStringLiteral("AT#PIN=%1,%2").arg(QString::number(slot), pin));
}
