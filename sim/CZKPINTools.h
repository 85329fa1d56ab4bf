#pragma once

#include "bus/IMessageSender.h"

#include <QObject>
#include <QString>

#include <initializer_list>

// The one place that knows the AT command text of every SIM PIN operation. It only puts the
// command on the bus; the answers come back as reply keys that the main window dispatches.
//
// An empty PIN or PUK sends nothing and says nothing: the caller's own wait sees no answer. A
// PIN or PUK with anything but digits sends nothing either, and the operator is told why, since
// such a value would otherwise end up inside a quoted AT argument.
class CZKPINTools : public QObject, public IMessageSender {
    Q_OBJECT
public:
    // A SIM's PIN and PUK, as many digits as the operator types and the unit takes.
    static constexpr int PinLength = 4;
    static constexpr int PukLength = 8;

    explicit CZKPINTools(QObject* parent = nullptr);

    void queryPIN();
    void queryPINLock();
    void enterPIN(const QString& pin);
    // The new PIN comes first here, but the command carries the PUK first.
    void enterPUK(const QString& newPin, const QString& puk);
    void changePIN(const QString& oldPin, const QString& newPin);
    void enablePIN(const QString& pin);
    void disablePIN(const QString& pin);
    // Lets the unit unlock the SIM in that slot by itself after a restart.
    void setDevicePIN(int slot, const QString& pin);

    static bool isDigitsOnly(const QString& value);
    static QString digitsOnlyMessage();

private:
    bool usable(std::initializer_list<QString> values);
    void send(const QString& command);
};
