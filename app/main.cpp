#include "app/CZKGlobals.h"
#include "app/CZKLauncher.h"
#include "app/CZKLogger.h"
#include "app/CZKOptions.h"
#include "app/CZKPlatform.h"
#include "app/CZKStartup.h"
#include "bus/CZKMessageProxy.h"
#include "db/CZKDataBase.h"
#include "db/CZKDataBaseStartup.h"
#include "mainwindow/CZKMainWindow.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QTranslator>

using CZKStartup::logDirect;
using CZKStartup::releaseLoggerAndTranslator;

int main(int argc, char** argv)
{
    CZKPlatform::pinLocalTimeZone();
    QApplication app(argc, argv);
    setApplication(&app);
    CZKStartup::registerMetaTypes();

    CZKOptions* settings = options();
    settings->load();
    settings->applySwitches(QCoreApplication::arguments().mid(1));

    const QString localeName = CZKStartup::startServices(*settings);

    CZKDataBase db;
    setDatabase(&db);
    if (!CZKDataBaseStartup::openAndLoad(db, logger())) {
        setDatabase(nullptr);
        releaseLoggerAndTranslator();
        return -1;
    }

    const bool skinApplied = CZKStartup::applySkin(settings->skin);

    CZKLauncher launcher;
    if (launcher.exec() != QDialog::Accepted) {
        logDirect(3, QStringLiteral("Terminate application"));
        setDatabase(nullptr);
        releaseLoggerAndTranslator();
        return -1;
    }

    setAdminMode(launcher.isAdmin());
    auto* window = new CZKMainWindow(nullptr);
    window->setWindowIcon(QIcon(QStringLiteral(":/Icons/brandmark_32.ico")));
    CZKStartup::showSkinInForce(window, settings->skin, skinApplied);
    window->languageCode = settings->language.isEmpty() ? localeName : settings->language;
    window->checkLanguageAction();
    window->show();
    const int result = QApplication::exec();

    db.close();
    setDatabase(nullptr);
    settings->save();
    logDirect(3, QStringLiteral("Stop application"));
    releaseLoggerAndTranslator();
    delete window;
    return result;
}
