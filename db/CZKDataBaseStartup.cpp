#include "db/CZKDataBaseStartup.h"

#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/IMessageReceiver.h"
#include "db/CZKDataBase.h"

#include <QObject>

namespace CZKDataBaseStartup {

bool openAndLoad(CZKDataBase& db, IMessageReceiver* log)
{
    const bool opened = db.open();
    const QString openFailure = db.lastErrorText();
    if (!db.loadAll()) {
        // The loader behind a failed open only says that the file is not open; the driver's
        // reason is what the operator can act on.
        QString cause = opened ? db.lastErrorText()
                               : QStringLiteral("%1 cannot be opened: %2").arg(db.fileName, openFailure);
        if (cause.isEmpty())
            cause = QStringLiteral("Load data from database %1 error").arg(db.fileName);
        if (log)
            log->receiveMessage(BusMessageType::Error, QStringLiteral("The local database could not be loaded"), cause);
        CZKPrompt::critical(nullptr, QObject::tr("Error"),
                            QObject::tr("The local database could not be loaded:\n%1").arg(cause));
        return false;
    }

    QString reason;
    if (!db.isWritable(&reason)) {
        if (log) {
            log->receiveMessage(BusMessageType::Warning,
                                QStringLiteral("The local database %1 can only be read: changes will not be saved")
                                    .arg(db.fileName),
                                reason);
        }
        // The driver's reason is in the log; it has no translation.
        CZKPrompt::warning(nullptr, QObject::tr("Warning"),
                           QObject::tr("The local database %1 can only be read: changes will not be saved.")
                               .arg(db.fileName));
    }
    return true;
}

} // namespace CZKDataBaseStartup
