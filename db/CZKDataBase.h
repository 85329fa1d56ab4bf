#pragma once

#include "bus/IMessageSender.h"

#include <QString>

// Stand-in until the local database lands: opens nothing and loads nothing.
class CZKDataBase : public IMessageSender {
public:
    CZKDataBase();
    ~CZKDataBase() override;

    bool open();
    bool close();
    bool loadAll();

    // The cause of the last failure, for the start-up report.
    QString lastErrorText() const { return lastError; }

    QString fileName = QStringLiteral("dudedoriv_db.db");

private:
    QString lastError;
};
