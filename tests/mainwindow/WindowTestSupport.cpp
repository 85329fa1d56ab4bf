#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "link/CZKCommandContainer.h"
#include "link/CZKRadioPoolingThread.h"
#include "link/LinkTarget.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QHostAddress>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUdpSocket>

void MainWindowProbe::startRadioPoller()
{
    if (!w->radioPoller)
        w->radioPoller = new CZKRadioPoolingThread(nullptr);
    w->radioPoller->setPaused(true);
    w->radioPoller->start();
}

void MainWindowProbe::stopRadioPoller()
{
    if (!w->radioPoller)
        return;
    w->radioPoller->stop();
    delete w->radioPoller;
    w->radioPoller = nullptr;
}

void MainWindowProbe::stopLink()
{
    // Gone rather than stopped: a stopped link still answers a reset with its local restart.
    setCommandContainer(nullptr);
    w->container->stop();
    delete w->container;
    w->container = nullptr;
}

void MainWindowProbe::resetRunState()
{
    CZKMainWindow::firstConnectionFlag = true;
    CZKMainWindow::reconnectAfterRestart = false;
}

void startWindowTests()
{
    setApplication(qobject_cast<QApplication*>(QCoreApplication::instance()));
    messageProxy()->start();
    Pacing::setScale(0.01);
}

void requireLoopbackTarget()
{
    const LinkTarget::Target target = LinkTarget::current();
    if (!target.network.startsWith(QLatin1String("127.")))
        qFatal("a window test would link to %s: only loopback is allowed", qPrintable(target.network));
}

void pointLinkAtLoopback(quint16 unitPort)
{
    // The program's side needs a port of its own beside the unit's on the same host.
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
    LinkTarget::setForTests({QStringLiteral("127.0.0.0"), unitPort, probe.localPort()});
    requireLoopbackTarget();
}

QStringList sentCommands(const QStringList& busLines)
{
    QStringList commands;
    for (const QString& line : busLines) {
        const QStringList fields = line.split(QLatin1Char('|'));
        // The watchdog's probe "AT#" may go out before the fixture pauses it; it is never what a
        // window test looks for.
        if (fields.size() >= 3 && fields.first() == QString::number(Send) && fields.at(1) != QLatin1String("AT#"))
            commands.append(fields.at(1) + (fields.at(2).isEmpty() ? QString() : QStringLiteral(" [%1]").arg(fields.at(2))));
    }
    return commands;
}

bool bringLinkUp(WindowFixture& fixture)
{
    CZKPoolingThread& watchdog = fixture.probe->linkWatchdog();
    watchdog.setPaused(false);
    for (int i = 0; i < 300 && !watchdog.isConnected(); ++i) {
        messageProxy()->post(Receive, QStringLiteral("AT#"), QString());
        QTest::qWait(10);
    }
    watchdog.setPaused(true);
    // The watchdog's link-alive reaches the window through the bus.
    for (int i = 0; i < 300 && !fixture.probe->connected(); ++i)
        QTest::qWait(10);
    fixture.probe->startupThread().stop();
    if (fixture.probe->initDialog())
        fixture.window->initializeTimeout();
    return watchdog.isConnected() && fixture.probe->connected();
}

void deliverKeys(WindowFixture& fixture, const QStringList& steps)
{
    for (const QString& step : steps) {
        const int cut = step.indexOf(QLatin1Char('='));
        fixture.deliver(ReplyKey, cut < 0 ? step : step.left(cut), cut < 0 ? QString() : step.mid(cut + 1));
    }
}

QTreeWidgetItem* findItem(QTreeWidget* tree, int kind, int id)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(1, Qt::UserRole).toInt() == kind && (*it)->data(0, Qt::UserRole).toInt() == id)
            return *it;
    }
    return nullptr;
}

QString popupEntries(const std::function<void()>& open)
{
    QString entries = QStringLiteral("<none>");
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts.append(action->text() + (action->isEnabled() ? QLatin1Char('+') : QLatin1Char('-')));
        entries = texts.join(QLatin1Char(','));
        menu->close();
    });
    poll.start();
    // A menu the poll missed is closed all the same; the guard ends with this call, so it can
    // never close the menu of a later one.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    guard.start(3000);
    open();
    return entries;
}

WindowFixture::WindowFixture(const QString& extraSql)
{
    unit.silent = true;
    if (!unit.open(QHostAddress::LocalHost, 0))
        qFatal("no port for the fake unit: %s", qPrintable(unit.errorString()));
    pointLinkAtLoopback(unit.port());

    const QString forms = qEnvironmentVariable("DUDEDORIV_SOURCE_DIR") + QStringLiteral("/forms/runtime/");
    for (const char* form : {"ZKMain_form.ui", "ZKSIMCard_form.ui", "ZKProfile_form.ui", "ZKEmpty_form.ui"})
        QFile::copy(forms + QLatin1String(form), workDir.filePath(QLatin1String(form)));
    previousDir = QDir::currentPath();
    QDir::setCurrent(workDir.path());

    database = std::make_unique<LoadedDatabase>(extraSql, true);
    requireLoopbackTarget();
    window = std::make_unique<CZKMainWindow>(nullptr);
    probe = std::make_unique<MainWindowProbe>(window.get());
    // The link states come from the tests alone: the watchdog would report the silent unit lost.
    probe->linkWatchdog().setPaused(true);
    // Its first probe may already be on its way; no test's recorder is to see it.
    BusRecorder().take();
}

WindowFixture::~WindowFixture()
{
    probe.reset();
    window.reset();
    database.reset();
    QDir::setCurrent(previousDir);
}

void WindowFixture::inject(int type, const QString& msg, const QString& desc)
{
    window->receiveMessage(type, msg, desc);
}

void WindowFixture::deliver(int type, const QString& msg, const QString& desc)
{
    inject(type, msg, desc);
    QCoreApplication::sendPostedEvents(window.get(), QEvent::MetaCall);
}

QString WindowFixture::pageText(const QString& name) const
{
    const QLineEdit* edit = probe->ui()->mainFrame->findChild<QLineEdit*>(name);
    return edit ? edit->text() : QStringLiteral("<none>");
}

bool WindowFixture::select(int kind, int id)
{
    window->setCurrentItem(probe->ui()->treeSettings, id, kind);
    const QList<QTreeWidgetItem*> selection = probe->ui()->treeSettings->selectedItems();
    return !selection.isEmpty() && selection.first()->data(0, Qt::UserRole).toInt() == id
        && selection.first()->data(1, Qt::UserRole).toInt() == kind;
}
