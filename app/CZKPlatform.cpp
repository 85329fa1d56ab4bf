#include "app/CZKPlatform.h"

#include <QCoreApplication>
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFileInfo>
#include <QTranslator>

#include <ctime>

namespace CZKPlatform {

QString findFileNoCase(const QString& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    if (QFileInfo(dir.filePath(name)).isFile())
        return name;
    const QStringList files = dir.entryList(QDir::Files | QDir::Readable | QDir::Hidden);
    for (const QString& file : files) {
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return file;
    }
    return QString();
}

bool loadTranslation(QTranslator* translator, const QString& baseName, const QString& folder)
{
    if (!translator)
        return false;
    const QDir dir(folder);
    QString name = baseName;
    while (!name.isEmpty()) {
        for (const QString& candidate : {name + QStringLiteral(".qm"), name}) {
            const QString found = findFileNoCase(folder, candidate);
            if (!found.isEmpty() && translator->load(dir.filePath(found)))
                return true;
        }
        const int cut = name.lastIndexOf(QLatin1Char('_'));
        if (cut < 0)
            break;
        name.truncate(cut);
    }
    return false;
}

namespace {
QString& programFolderOverride()
{
    static QString folder;
    return folder;
}
} // namespace

QString programFolder()
{
    const QString& folder = programFolderOverride();
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

void setProgramFolder(const QString& folder)
{
    programFolderOverride() = folder;
}

void pinLocalTimeZone()
{
    if (qEnvironmentVariableIsSet("TZ"))
        return;
    qputenv("TZ", QByteArrayLiteral(":/etc/localtime"));
    tzset();
}

void useDialogFont()
{
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
}

} // namespace CZKPlatform
