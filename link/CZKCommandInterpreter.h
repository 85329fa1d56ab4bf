#pragma once

#include "bus/IMessageSender.h"

#include <QObject>
#include <QString>

// Turns the unit's replies into bus messages. So far it only recognises the unit's restart
// notice, a line beginning "AT#RST", and reports it as bus message 103.
class CZKCommandInterpreter : public QObject, public IMessageSender {
    Q_OBJECT
public:
    explicit CZKCommandInterpreter(QObject* parent = nullptr);

    void interpret(QString reply);
};
