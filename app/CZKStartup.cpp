#include "app/CZKStartup.h"

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"
#include "app/CZKOptions.h"
#include "app/CZKPlatform.h"
#include "bus/CZKMessageProxy.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QPersistentModelIndex>
#include <QTextBlock>
#include <QTextCursor>
#include <QTranslator>
#include <QVector>

namespace CZKStartup {

void registerMetaTypes()
{
    qRegisterMetaType<QList<QPersistentModelIndex>>("QList<QPersistentModelIndex>");
    qRegisterMetaType<QAbstractItemModel::LayoutChangeHint>("QAbstractItemModel::LayoutChangeHint");
    qRegisterMetaType<QTextCursor>("QTextCursor");
    qRegisterMetaType<QTextBlock>("QTextBlock");
    qRegisterMetaType<QVector<int>>("QVector<int>");
    qRegisterMetaType<Qt::Orientation>("Qt::Orientation");
}

bool installTranslation(QTranslator* translator, CZKLogger* log, const QString& folder, const QString& language,
                        const QString& localeName)
{
    auto note = [log](int type, const QString& text) {
        if (log)
            log->receiveMessage(type, text, QString());
    };

    const QString fileName = QStringLiteral("dudedoriv_") + (language.isEmpty() ? localeName : language);
    if (CZKPlatform::loadTranslation(translator, fileName, folder)) {
        note(3, QStringLiteral("Load LANG file %1 success").arg(fileName));
        QCoreApplication::installTranslator(translator);
        return true;
    }
    note(2, QStringLiteral("Load LANG file %1 failed. Loading default dudedoriv_en file").arg(fileName));
    if (CZKPlatform::loadTranslation(translator, QStringLiteral("dudedoriv_en"), folder)) {
        QCoreApplication::installTranslator(translator);
        return true;
    }
    note(1, QStringLiteral("Load default dudedoriv_en lang file failed."));
    return false;
}

bool applySkin(const QString& skin)
{
    if (skin.toUpper() != QLatin1String("DARKORANGE"))
        return false;
    QFile file(QStringLiteral("DarkOrange.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    qApp->setStyleSheet(QString::fromLatin1(bytes));
    return true;
}

void showSkinInForce(QWidget* window, const QString& skin, bool applied)
{
    if (!window || applied || skin.toUpper() != QLatin1String("DARKORANGE"))
        return;
    if (auto* fallback = window->findChild<QAction*>(QStringLiteral("actionDefault")))
        fallback->setChecked(true);
}

QString startServices(const CZKOptions& settings)
{
    const QString programDir = CZKPlatform::programFolder();
    QCoreApplication::addLibraryPath(programDir + QStringLiteral("/plugins"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("Rerirevor"));
    QCoreApplication::setOrganizationName(QStringLiteral("Morvane s.c."));
    QCoreApplication::setApplicationName(QStringLiteral("TZK Manager"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.6.1"));

    CZKPlatform::useDialogFont();
    messageProxy()->start(QThread::InheritPriority);
    const QString localeName = QLocale::system().name();

    setLogger(new CZKLogger);
    logger()->logToFile = settings.logToFile;
    logger()->logLevel = settings.logLevel;
    logger()->setShowLevel(settings.showLevel);
    logDirect(3, QStringLiteral("Start application"));

    translator() = new QTranslator;
    installTranslation(translator(), logger(), programDir, settings.language, localeName);
    return localeName;
}

void logDirect(int type, const QString& text)
{
    if (logger())
        logger()->receiveMessage(type, text, QString());
}

void releaseLoggerAndTranslator()
{
    delete logger();
    setLogger(nullptr);
    delete translator();
    translator() = nullptr;
}

} // namespace CZKStartup
