#include "app/CZKGlobals.h"

#include "app/CZKAppEventFilter.h"
#include "app/CZKOptions.h"
#include "app/CZKPacing.h"
#include "bus/CZKMessageProxy.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <cstdlib>

namespace {

CZKAppEventFilter* globalFilter = nullptr;
CZKOptions* globalOptions = nullptr;
CZKMessageProxy* globalProxy = nullptr;

QApplication* globalApplication = nullptr;
CZKDataBase* globalDatabase = nullptr;
CZKLogger* globalLogger = nullptr;
QTranslator* globalTranslator = nullptr;
CZKCommandContainer* globalContainer = nullptr;
bool globalAdminMode = false;

constexpr int kReplyTimeoutMs = 15000;
constexpr ushort kScrambleEven = 9;
constexpr ushort kScrambleOdd = 5;

void destroyFilter()
{
    delete globalFilter;
    globalFilter = nullptr;
}

void destroyOptions()
{
    delete globalOptions;
    globalOptions = nullptr;
}

void destroyProxy()
{
    delete globalProxy;
    globalProxy = nullptr;
}

// Built during static initialisation, before main().
const bool globalsBuilt = (initGlobalObjects(), true);

} // namespace

void initGlobalObjects()
{
    static const bool built = [] {
        globalFilter = new CZKAppEventFilter(nullptr);
        std::atexit(destroyFilter);
        globalOptions = new CZKOptions(nullptr);
        std::atexit(destroyOptions);
        globalProxy = new CZKMessageProxy;
        std::atexit(destroyProxy);
        return true;
    }();
    Q_UNUSED(built);
    Q_UNUSED(globalsBuilt);
}

QApplication* application() { return globalApplication; }
void setApplication(QApplication* app) { globalApplication = app; }

CZKDataBase* database() { return globalDatabase; }
void setDatabase(CZKDataBase* db) { globalDatabase = db; }

CZKLogger* logger() { return globalLogger; }
void setLogger(CZKLogger* log) { globalLogger = log; }

QTranslator*& translator() { return globalTranslator; }

CZKCommandContainer* commandContainer() { return globalContainer; }
void setCommandContainer(CZKCommandContainer* container) { globalContainer = container; }

CZKMessageProxy* messageProxy()
{
    initGlobalObjects();
    return globalProxy;
}

CZKOptions* options()
{
    initGlobalObjects();
    return globalOptions;
}

CZKAppEventFilter* appEventFilter()
{
    initGlobalObjects();
    return globalFilter;
}

bool isAdminMode() { return globalAdminMode; }
void setAdminMode(bool admin) { globalAdminMode = admin; }

bool isExtendedMode() { return options()->extendedMode; }
bool isReceiveOnIp() { return options()->receiveOnIp; }
bool isPduMode() { return true; }
QString& skinName() { return options()->skin; }
QString& languageName() { return options()->language; }

int replyTimeoutMs() { return kReplyTimeoutMs; }

void waitMs(int ms)
{
    const int total = Pacing::ms(ms);
    if (total <= 0)
        return;

    QElapsedTimer clock;
    clock.start();
    const bool canRunLoop = QCoreApplication::instance() != nullptr
        && QAbstractEventDispatcher::instance(QThread::currentThread()) != nullptr;
    for (;;) {
        const qint64 left = total - clock.elapsed();
        if (left <= 0)
            return;
        if (!canRunLoop) {
            QThread::msleep(static_cast<unsigned long>(qMin<qint64>(left, 50)));
            continue;
        }
        // A local loop sleeps in the event dispatcher until an event or the timer arrives;
        // the outer check keeps the full length even when something quits the loop early.
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        // A coarse timer may fire up to 5 % late, which a flow of long waits adds up.
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(static_cast<int>(left));
        loop.exec();
    }
}

void beginBusy()
{
    if (!globalApplication)
        return;
    QGuiApplication::restoreOverrideCursor();
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    globalApplication->installEventFilter(appEventFilter());
}

void endBusy()
{
    if (!globalApplication)
        return;
    QGuiApplication::restoreOverrideCursor();
    globalApplication->removeEventFilter(appEventFilter());
}

bool isAscii7(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

QColor interpolateColor(const QColor& from, const QColor& to, int step, int steps)
{
    if (steps == 0)
        return from;
    const int red = from.red() + ((to.red() - from.red()) / steps) * step;
    const int green = from.green() + ((to.green() - from.green()) / steps) * step;
    const int blue = from.blue() + ((to.blue() - from.blue()) / steps) * step;
    QColor result;
    result.setRgb(red, green, blue, 255);
    return result;
}

QString scramblePassword(QString text)
{
    for (int i = 0; i < text.size(); ++i) {
        const ushort unit = text.at(i).unicode();
        const quint8 byte = unit <= 0xFF ? static_cast<quint8>(unit) : 0;
        const quint8 mixed = byte ^ static_cast<quint8>(i % 2 == 0 ? kScrambleEven : kScrambleOdd);
        // Sign-extended as the stored values were written.
        const ushort widened = static_cast<ushort>(static_cast<qint16>(static_cast<qint8>(mixed)));
        text[i] = QChar(widened);
    }
    return text;
}
