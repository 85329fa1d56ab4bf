#include "app/CZKLogger.h"

#include "bus/BusMessage.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>

namespace {

const QString kTimeFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz");

QColor warningColor()
{
    return QColor(195, 165, 20);
}

QVariant iconFor(int type)
{
    switch (type) {
    case 1: return QIcon(QStringLiteral("://Icons/stop_16.ico"));
    case 2: return QIcon(QStringLiteral("://Icons/warnings_16.ico"));
    case 3: return QIcon(QStringLiteral("://Icons/info_16.ico"));
    case 4: return QIcon(QStringLiteral("://Icons/send_at_16.ico"));
    case 5: return QIcon(QStringLiteral("://Icons/receive_at_16.ico"));
    default: return QVariant();
    }
}

QVariant foregroundFor(int type)
{
    switch (type) {
    case 1: return QBrush(Qt::red);
    case 2: return QBrush(warningColor());
    case 4:
    case 5: return QBrush(Qt::darkBlue);
    default: return QVariant();
    }
}

// A command's arguments, split at the commas that no quotes enclose.
QStringList splitOutsideQuotes(const QString& arguments)
{
    QStringList parts;
    QString part;
    bool quoted = false;
    for (const QChar c : arguments) {
        if (c == QLatin1Char(',') && !quoted) {
            parts << part;
            part.clear();
            continue;
        }
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        part += c;
    }
    parts << part;
    return parts;
}

} // namespace

CZKLogger::CZKLogger()
    : logFileName(QStringLiteral("./Logs/log_%1.txt")
                      .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyy_MM_dd_hh_mm_ss"))))
{
    joinBus();
}

CZKLogger::~CZKLogger()
{
    leaveBus();
}

QString CZKLogger::fileTag(int type)
{
    switch (type) {
    case 1: return QStringLiteral("<Error>");
    case 2: return QStringLiteral("<Warn>");
    case 3: return QStringLiteral("<Info>");
    case 4: return QStringLiteral("<Send>");
    case 5: return QStringLiteral("<Rec>");
    default: return QStringLiteral("<Other>");
    }
}

QString CZKLogger::maskSecrets(const QString& text)
{
    static const QRegularExpression command(
        QStringLiteral("(AT\\+CPIN=|AT\\+CPWD=|AT\\+CLCK=|AT#PIN=|AT\\$QCPDPP=|\\$QCPDPP:|AT\\+CGAUTH=|\\+CGAUTH:)"
                       "([^\\r\\n]*)"),
        QRegularExpression::CaseInsensitiveOption);
    // The common case costs a scan.
    if (!text.contains(QLatin1Char('=')) && !text.contains(QLatin1Char('$'))
        && !text.contains(QLatin1String("CGAUTH:"), Qt::CaseInsensitive))
        return text;

    QString result;
    int copied = 0;
    QRegularExpressionMatchIterator it = command.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(1).toUpper();
        // Arguments that stay readable: the facility of CPWD, facility and mode of CLCK, the
        // slot of #PIN, and of QCPDPP and CGAUTH all but the password. The QCPDPP command gives
        // it before the user name; a unit's QCPDPP report and CGAUTH, command and report, give
        // it after, reports with or without a space after the colon. Every argument of CPIN is
        // a secret.
        const bool passwordLast = name == QLatin1String("$QCPDPP:") || name == QLatin1String("AT+CGAUTH=")
            || name == QLatin1String("+CGAUTH:");
        const bool profile = passwordLast || name == QLatin1String("AT$QCPDPP=");
        const int kept = name == QLatin1String("AT+CPIN=") ? 0
            : passwordLast                                     ? 3
            : name == QLatin1String("AT+CLCK=") || profile     ? 2
                                                               : 1;
        // The password may hold a comma, inside its quotes; quotes that do not pair up leave no
        // telling where it ends, and then everything from the password's place on is hidden.
        const QString rest = match.captured(2);
        const bool oneSecret = profile && rest.count(QLatin1Char('"')) % 2 == 0;
        QStringList arguments = oneSecret ? splitOutsideQuotes(rest) : rest.split(QLatin1Char(','));
        const int secrets = oneSecret ? qMin(kept + 1, arguments.size()) : arguments.size();
        for (int i = kept; i < secrets; ++i) {
            const QString trimmed = arguments.at(i).trimmed();
            if (trimmed.isEmpty())
                continue;
            arguments[i] = trimmed.startsWith(QLatin1Char('"')) ? QStringLiteral("\"****\"") : QStringLiteral("****");
        }
        result += text.midRef(copied, match.capturedStart(2) - copied);
        result += arguments.join(QLatin1Char(','));
        copied = match.capturedEnd(2);
    }
    result += text.midRef(copied);
    return result;
}

void CZKLogger::receiveMessage(int type, QString msg, QString desc)
{
    addEntry(type, std::move(msg), std::move(desc));
}

void CZKLogger::addEntry(int type, QString msg, QString desc)
{
    msg = maskSecrets(msg.trimmed());
    if (msg.isEmpty())
        return;
    desc = maskSecrets(desc.trimmed());
    // The password a unit reports with its data profile, as the reply key carries it.
    if (type == ReplyKey && msg == QLatin1String("APN_PASSWORD") && !desc.isEmpty())
        desc = QStringLiteral("****");

    {
        QMutexLocker locker(&entriesLock);
        pending.append(LogEntry{QDateTime::currentDateTime(), type, msg, desc});
    }
    if (QThread::currentThread() == thread())
        takePending();
    else
        QMetaObject::invokeMethod(this, [this] { takePending(); }, Qt::QueuedConnection);

    const int level = logLevel;
    if (logToFile && (level == 0 || type <= level))
        writeFileLine(type, msg, desc);
}

void CZKLogger::takePending()
{
    QMutexLocker locker(&entriesLock);
    if (pending.isEmpty())
        return;
    locker.unlock();

    emit layoutAboutToBeChanged();
    locker.relock();
    entries += pending;
    pending.clear();
    if (entries.size() > maxEntries)
        entries.remove(0, entries.size() - maxEntries);
    locker.unlock();
    emit layoutChanged();
}

void CZKLogger::writeFileLine(int type, const QString& msg, const QString& desc)
{
    QMutexLocker locker(&fileLock);
    QFile file(logFileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QTextStream out(&file);
    out << QDateTime::currentDateTime().toString(kTimeFormat) << '\t' << fileTag(type) << '\t' << msg;
    if (!desc.isEmpty())
        out << '\t' << desc;
    out << "\r\n";
    out.flush();
    file.close();
}

void CZKLogger::setShowLevel(int level)
{
    emit layoutAboutToBeChanged();
    viewLevel = level;
    emit layoutChanged();
}

const LogEntry* CZKLogger::shownEntry(int row) const
{
    if (row < 0)
        return nullptr;
    if (viewLevel == 0)
        return row < entries.size() ? &entries.at(row) : nullptr;
    int seen = 0;
    for (const LogEntry& entry : entries) {
        if (entry.type != viewLevel)
            continue;
        if (seen == row)
            return &entry;
        ++seen;
    }
    return nullptr;
}

int CZKLogger::rowCount(const QModelIndex&) const
{
    QMutexLocker locker(&entriesLock);
    if (viewLevel == 0)
        return entries.size();
    int count = 0;
    for (const LogEntry& entry : entries) {
        if (entry.type == viewLevel)
            ++count;
    }
    return count;
}

QVariant CZKLogger::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.column() != 0)
        return QVariant();
    QMutexLocker locker(&entriesLock);
    const LogEntry* entry = shownEntry(index.row());
    if (!entry)
        return QVariant();

    switch (role) {
    case Qt::DisplayRole: {
        const QString time = entry->time.toString(kTimeFormat);
        if (entry->desc.isEmpty())
            return QStringLiteral("%1\t%2").arg(time, entry->msg);
        return QStringLiteral("%1\t%2 - %3").arg(time, entry->msg, entry->desc);
    }
    case Qt::DecorationRole:
        return iconFor(entry->type);
    case Qt::BackgroundRole:
        return index.row() % 2 == 1 ? QVariant(QBrush(QColor(225, 225, 225))) : QVariant();
    case Qt::ForegroundRole:
        return foregroundFor(entry->type);
    default:
        return QVariant();
    }
}
