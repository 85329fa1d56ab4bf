#include "app/CZKOptions.h"

#include <QSettings>
#include <QStringList>

namespace {

const QString kLogLevelKey = QStringLiteral("logging/loglevel");
const QString kShowLevelKey = QStringLiteral("logging/showlevel");
const QString kLogToFileKey = QStringLiteral("logging/logtofile");
const QString kLanguageKey = QStringLiteral("admin/language");
const QString kReceiveOnIpKey = QStringLiteral("admin/receive_on_ip");
const QString kExtendedModeKey = QStringLiteral("admin/extended_mode");
const QString kSkinKey = QStringLiteral("skin/actual");

// QSettings hands an ini value holding a comma back as a list; the settings are plain texts.
QString textOf(const QVariant& value)
{
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

void readLevel(const QSettings& store, const QString& key, int& level)
{
    if (!store.contains(key))
        return;
    const QString word = textOf(store.value(key)).toUpper();
    if (word == QLatin1String("ERROR"))
        level = 1;
    else if (word == QLatin1String("WARNING"))
        level = 2;
    else if (word == QLatin1String("DEBUG"))
        level = 3;
    else if (word == QLatin1String("ALL"))
        level = 0;
}

void readFlag(const QSettings& store, const QString& key, bool& flag)
{
    if (store.contains(key))
        flag = textOf(store.value(key)).trimmed().toInt() == 1;
}

QString levelWord(int level)
{
    switch (level) {
    case 1: return QStringLiteral("error");
    case 2: return QStringLiteral("warning");
    case 3: return QStringLiteral("debug");
    default: return QStringLiteral("all");
    }
}

int switchNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace

CZKOptions::CZKOptions(QObject* parent)
    : QObject(parent)
{
}

bool CZKOptions::load()
{
    const QSettings store(iniFile, QSettings::IniFormat);
    readLevel(store, kLogLevelKey, logLevel);
    readLevel(store, kShowLevelKey, showLevel);
    readFlag(store, kLogToFileKey, logToFile);
    if (store.contains(kLanguageKey))
        language = textOf(store.value(kLanguageKey)).toUpper();
    readFlag(store, kReceiveOnIpKey, receiveOnIp);
    readFlag(store, kExtendedModeKey, extendedMode);
    if (store.contains(kSkinKey))
        skin = textOf(store.value(kSkinKey));
    return true;
}

bool CZKOptions::save()
{
    QSettings store(iniFile, QSettings::IniFormat);
    store.setValue(kLogLevelKey, levelWord(logLevel));
    store.setValue(kShowLevelKey, levelWord(showLevel));
    store.setValue(kLogToFileKey, logToFile ? 1 : 0);
    store.setValue(kLanguageKey, language);
    store.setValue(kReceiveOnIpKey, receiveOnIp ? 1 : 0);
    store.setValue(kExtendedModeKey, extendedMode ? 1 : 0);
    store.setValue(kSkinKey, skin);
    store.sync();
    return true;
}

void CZKOptions::applySwitches(const QStringList& arguments)
{
    for (const QString& argument : arguments) {
        const QString upper = argument.toUpper();
        auto valueAfter = [&argument](const char* name) { return argument.mid(int(qstrlen(name))); };
        if (upper.startsWith(QLatin1String("/LL=")))
            logLevel = switchNumber(valueAfter("/LL="));
        else if (upper.startsWith(QLatin1String("/SL=")))
            showLevel = switchNumber(valueAfter("/SL="));
        else if (upper.startsWith(QLatin1String("/EM=")))
            extendedMode = switchNumber(valueAfter("/EM=")) > 0;
        else if (upper.startsWith(QLatin1String("/LANG=")))
            language = valueAfter("/LANG=");
        else if (upper.startsWith(QLatin1String("/RECIP=")))
            receiveOnIp = switchNumber(valueAfter("/RECIP=")) > 0;
        else if (upper.startsWith(QLatin1String("/LTOF=")))
            logToFile = switchNumber(valueAfter("/LTOF=")) > 0;
        else if (upper.startsWith(QLatin1String("/TERMALL")))
            termAll = true;
    }
}
