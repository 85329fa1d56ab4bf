#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"
#include "bus/BusMessage.h"
#include "link/CZKCommandContainer.h"
#include "link/CZKRadioPoolingThread.h"

#include <QAction>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QStatusBar>

CZKMainWindow::CZKMainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CZKMainWindow"));
    setWindowTitle(tr("TZK Manager"));
    resize(900, 600);

    listLog = new QListView(this);
    listLog->setObjectName(QStringLiteral("listLog"));
    listLog->setUniformItemSizes(true);
    if (logger())
        listLog->setModel(logger());
    setCentralWidget(listLog);

    linkStateLabel = new QLabel(this);
    linkStateLabel->setObjectName(QStringLiteral("labelLinkState"));
    statusBar()->addPermanentWidget(linkStateLabel);
    showLinkState("://Icons/close_16.ico");

    // The watchdog runs before the link exists: its first "AT#" waits in the command queue.
    linkWatchdog.start(QThread::InheritPriority);

    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    QAction* exitAction = fileMenu->addAction(tr("E&xit"));
    exitAction->setObjectName(QStringLiteral("actionExit"));
    exitAction->setShortcut(QKeySequence::Quit);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* languageMenu = menuBar()->addMenu(tr("&Language"));
    const struct {
        const char* objectName;
        const char* text;
    } languages[] = {
        {"actionEnglish", QT_TR_NOOP("English")}, {"actionSpanish", QT_TR_NOOP("Spanish")},
        {"actionGerman", QT_TR_NOOP("German")},   {"actionRussian", QT_TR_NOOP("Russian")},
        {"actionPolish", QT_TR_NOOP("Polish")},
    };
    for (const auto& language : languages) {
        QAction* action = languageMenu->addAction(tr(language.text));
        action->setObjectName(QLatin1String(language.objectName));
        action->setCheckable(true);
        languageActions.append(action);
    }

    connect(this, &CZKMainWindow::isNewMessage, this, &CZKMainWindow::receiveNewMessage);

    // The unit's address is fixed; no setting changes it.
    container = new CZKCommandContainer(this);
    container->setNetworkAddress(QStringLiteral("172.31.254.0"));
    container->port = 40000;
    container->start();
    setCommandContainer(container);

    joinBus();
}

CZKMainWindow::~CZKMainWindow()
{
    leaveBus();
    setCommandContainer(nullptr);
    container->stop();
    delete container;
    container = nullptr;
    linkWatchdog.stop();
    if (radioPoller) {
        radioPoller->stop();
        delete radioPoller;
        radioPoller = nullptr;
    }
}

void CZKMainWindow::showLinkState(const char* icon)
{
    linkStateLabel->setPixmap(QIcon(QLatin1String(icon)).pixmap(16, 16));
}

void CZKMainWindow::receiveMessage(int type, QString msg, QString desc)
{
    emit isNewMessage(type, msg, desc);
}

void CZKMainWindow::receiveNewMessage(int type, QString msg, QString desc)
{
    Q_UNUSED(msg);
    Q_UNUSED(desc);
    if (!database())
        return;
    switch (type) {
    case LinkAlive:
        connected = true;
        showLinkState("://Icons/check_mark_16.ico");
        break;
    case LinkLost:
        connected = false;
        showLinkState("://Icons/close_16.ico");
        break;
    case UnitRestarted:
        showLinkState("://Icons/pause_16.ico");
        break;
    default:
        break;
    }
}

void CZKMainWindow::checkLanguageAction()
{
    for (QAction* action : qAsConst(languageActions))
        action->setChecked(false);
    languageCode = languageCode.toUpper();

    // Checked in this order; an empty code means English.
    const struct {
        const char* code;
        int index;
    } order[] = {{"EN", 0}, {"ES", 1}, {"DE", 2}, {"RU", 3}, {"PL", 4}};
    for (const auto& entry : order) {
        const bool matches = languageCode.contains(QLatin1String(entry.code))
            || (entry.index == 0 && languageCode.isEmpty());
        if (matches) {
            languageActions.at(entry.index)->setChecked(true);
            languageIndex = entry.index;
            return;
        }
    }
}
