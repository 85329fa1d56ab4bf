// composerrun: one message composer, started the way the program starts, against the unit the
// program talks to. It stands in for the SMS page in whole-program runs until that page exists.
//
//   composerrun [--short-code] [--linger S] [--pacing F] [program switches...]
//
//   --short-code  the composer in short-code mode instead of SMS mode
//   --linger      seconds to stay up, link and watchdog running, after the composer closed
//   --pacing      the process-wide pacing scale (1 is the program's own timing)
//
// The remaining arguments are the program's own switches (/LTOF=1, /LANG=EN, ...). It exits 0
// when the composer was accepted, 1 when it was rejected, 2 when the link did not come alive
// and -1, as the program does, when the database cannot be used.

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"
#include "app/CZKOptions.h"
#include "app/CZKPacing.h"
#include "app/CZKPlatform.h"
#include "app/CZKStartup.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "bus/IMessageReceiver.h"
#include "compose/CZKNewSMS.h"
#include "db/CZKDataBase.h"
#include "db/CZKDataBaseStartup.h"
#include "link/CZKCommandContainer.h"
#include "link/CZKPoolingThread.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

#include <atomic>

using CZKStartup::logDirect;
using CZKStartup::releaseLoggerAndTranslator;

namespace {

// The window waits for the watchdog's first alive report before the operator can compose;
// this does the same without a window.
class LinkAliveWatch : public IMessageReceiver {
public:
    LinkAliveWatch() { joinBus(); }
    ~LinkAliveWatch() override { leaveBus(); }

    void receiveMessage(int type, QString msg, QString desc) override
    {
        Q_UNUSED(msg)
        Q_UNUSED(desc)
        if (type == LinkAlive)
            alive = true;
    }

    std::atomic<bool> alive{false};
};

struct RunOptions {
    bool shortCode = false;
    double lingerS = 0;
    double pacing = 1;
    QStringList programSwitches;
};

bool parseOptions(const QStringList& arguments, RunOptions* run)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        bool ok = true;
        if (argument == QLatin1String("--short-code")) {
            run->shortCode = true;
        } else if (argument == QLatin1String("--linger") && i + 1 < arguments.size()) {
            run->lingerS = arguments.at(++i).toDouble(&ok);
            ok = ok && run->lingerS >= 0;
        } else if (argument == QLatin1String("--pacing") && i + 1 < arguments.size()) {
            run->pacing = arguments.at(++i).toDouble(&ok);
            ok = ok && run->pacing > 0;
        } else if (argument.startsWith(QLatin1String("--"))) {
            ok = false;
        } else {
            run->programSwitches.append(argument);
        }
        if (!ok) {
            QTextStream(stderr) << "composerrun: bad argument " << argument << '\n'
                                << "usage: composerrun [--short-code] [--linger S] [--pacing F] [switches...]\n";
            return false;
        }
    }
    return true;
}

// Seconds of the real clock (not paced): how long the run itself may take.
void waitRealSeconds(double seconds, const std::atomic<bool>* until = nullptr)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < qint64(seconds * 1000) && !(until && *until))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

int main(int argc, char** argv)
{
    CZKPlatform::pinLocalTimeZone();
    QApplication app(argc, argv);
    setApplication(&app);
    CZKStartup::registerMetaTypes();

    RunOptions run;
    if (!parseOptions(QCoreApplication::arguments().mid(1), &run))
        return 64;
    Pacing::setScale(run.pacing);

    CZKOptions* settings = options();
    settings->load();
    settings->applySwitches(run.programSwitches);

    CZKStartup::startServices(*settings);

    CZKDataBase db;
    setDatabase(&db);
    if (!CZKDataBaseStartup::openAndLoad(db, logger())) {
        setDatabase(nullptr);
        releaseLoggerAndTranslator();
        return -1;
    }
    CZKStartup::applySkin(settings->skin);

    int result = 2;
    {
        // The window's order: the watchdog first (its "AT#" waits in the queue), then the link.
        CZKPoolingThread linkWatchdog;
        linkWatchdog.start(QThread::InheritPriority);
        auto* container = new CZKCommandContainer(nullptr);
        container->setNetworkAddress(QStringLiteral("172.31.254.0"));
        container->port = 40000;
        container->start();
        setCommandContainer(container);
        auto* aliveWatch = new LinkAliveWatch;

        // Two of the watchdog's windows: the first "AT#" may be lost while the link starts.
        waitRealSeconds(Pacing::ms(65000) / 1000.0 + 5, &aliveWatch->alive);
        if (aliveWatch->alive) {
            logDirect(Info, QStringLiteral("composerrun: link alive, composer shown"));
            {
                CZKNewSMS composer;
                composer.setWindowIcon(QIcon(QStringLiteral(":/Icons/brandmark_32.ico")));
                composer.setEnabledMode(!run.shortCode);
                result = composer.exec() == QDialog::Accepted ? 0 : 1;
            }
            logDirect(Info, QStringLiteral("composerrun: composer closed"));
            waitRealSeconds(run.lingerS);
        } else {
            logDirect(Error, QStringLiteral("composerrun: the link did not come alive"));
        }

        // The window's shut-down order: off the bus, the link, then the watchdog.
        delete aliveWatch;
        setCommandContainer(nullptr);
        container->stop();
        delete container;
        linkWatchdog.stop();
    }

    db.close();
    setDatabase(nullptr);
    settings->save();
    logDirect(Info, QStringLiteral("Stop application"));
    releaseLoggerAndTranslator();
    return result;
}
