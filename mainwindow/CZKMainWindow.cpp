#include "mainwindow/CZKMainWindow.h"

#include "app/CZKAboutDlg.h"
#include "app/CZKGlobals.h"
#include "app/CZKInitialize.h"
#include "app/CZKLogger.h"
#include "app/CZKPacing.h"
#include "link/CZKCommandContainer.h"
#include "link/CZKRadioPoolingThread.h"
#include "link/LinkTarget.h"

#include "ui_CZKMainWindow.h"

#include <QActionGroup>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QResizeEvent>
#include <QToolBar>

namespace {

const char* const kVersion = "1.0.6.1";

} // namespace

CZKMainWindow::CZKMainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui_CZKMainWindow)
    , chartModel(100)
    , deviceProfileName(deviceProfileKey())
    , pinTools(this)
    , startupThread(this)
{
    ui->setupUi(this);
    ui->tableMessages->setKind(CZKSMSTableWidget::SMSMessages);
    ui->tablePBook->setKind(CZKSMSTableWidget::PhoneBook);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    connectMenuActions();
    connectSignals();
    setupChart();

    if (logger())
        ui->listLog->setModel(logger());

    ui->treeSettings->setContextMenuPolicy(Qt::CustomContextMenu);
    ui->tablePBook->setContextMenuPolicy(Qt::CustomContextMenu);
    // A device tree scrolls sideways rather than shorten a text, and sizes its columns anew
    // whenever a skin changes the style or font its items are drawn with.
    for (QTreeWidget* tree : {ui->treeSettings, ui->treeRFSetup, ui->treeSMS, ui->treeTests}) {
        tree->setTextElideMode(Qt::ElideNone);
        tree->installEventFilter(this);
    }

    fillDeviceTree(ui->treeSettings, false);
    fillDeviceTree(ui->treeRFSetup, true);
    fillDeviceTree(ui->treeSMS, true);
    fillDeviceTree(ui->treeTests, true);
    createPhoneBookTree();

    loadForm(QStringLiteral("ZKEmpty_form.ui"), ui->mainFrame);
    setLabelText(QStringLiteral("labelVersion"), tr("Version: %1").arg(QLatin1String(kVersion)));

    setupTerminalLogTabs(isExtendedMode() && isAdminMode());
    setupTerminalToolbar();
    setupLogToolbar();
    setupSMSToolbar();
    createContactsToolbar();

    ui->tabWidget->setCurrentIndex(0);

    linkWatchdog.start(QThread::InheritPriority);

    linkIconLabel = new QLabel(QString(), this);
    linkIconLabel->setObjectName(QStringLiteral("linkIconLabel"));
    connectedLabel = new QLabel(tr("Connected: "), this);
    connectedLabel->setObjectName(QStringLiteral("connectedLabel"));
    messageIndicatorLabel = new QLabel(QString(), this);
    messageIndicatorLabel->setObjectName(QStringLiteral("messageIndicatorLabel"));
    messageIndicatorLabel->setPixmap(QIcon(QStringLiteral("://Icons/empty_16.ico")).pixmap(16, 16));
    statusBar()->insertPermanentWidget(0, messageIndicatorLabel);
    linkIconLabel->setPixmap(QIcon(QStringLiteral("://Icons/close_16.ico")).pixmap(16, 16));
    statusBar()->insertPermanentWidget(1, connectedLabel);
    statusBar()->insertPermanentWidget(2, linkIconLabel);

    ui->tableMessages->setColumnCount(3);
    ui->tableMessages->setHorizontalHeaderLabels({tr("Name/MSISDN"), tr("Content"), tr("Date Time")});

    // The unit's address is fixed; no setting changes it. Only a test points the link at a fake
    // unit on loopback.
    const LinkTarget::Target target = LinkTarget::current();
    container = new CZKCommandContainer(this);
    container->setNetworkAddress(target.network);
    container->port = target.port;
    container->localPort = target.localPort;
    container->start();
    setCommandContainer(container);

    skinGroup = new QActionGroup(this);
    ui->actionDefault->setText(tr("Default"));
    skinGroup->addAction(ui->actionDefault);
    skinGroup->addAction(ui->actionDarkOrange);
    if (skinName() == QLatin1String("DEFAULT"))
        ui->actionDefault->setChecked(true);
    if (skinName().toUpper() == QLatin1String("DARKORANGE"))
        ui->actionDarkOrange->setChecked(true);
    ui->menuSkins->setEnabled(true);

    updatePINUI(pinUIState, true);

    for (QAction* hidden : {ui->actionSP, ui->actionDE, ui->actionRU}) {
        hidden->setEnabled(false);
        hidden->setVisible(false);
    }

    smsTimer.start(Pacing::ms(MainWindowTiming::kSmsPollMs));

    setWindowTitle(QStringLiteral("%1 ver %2").arg(windowTitle(), QLatin1String(kVersion)));

    joinBus();
}

CZKMainWindow::~CZKMainWindow()
{
    // Off the bus first: nothing reaches a window that is being taken apart, and no queued
    // message is emitted for it any more.
    leaveBus();
    endInitNotice();
    smsTimer.stop();
    phoneBookReadTimer.stop();
    profileRefreshTimer.stop();

    if (container) {
        setCommandContainer(nullptr);
        container->stop();
        delete container;
        container = nullptr;
    }
    // Each thread gets its bound; one that outlives it is still waited for, so that no thread
    // object goes while its thread runs.
    if (!linkWatchdog.stop())
        linkWatchdog.wait();
    if (radioPoller) {
        if (!radioPoller->stop())
            radioPoller->wait();
        delete radioPoller;
        radioPoller = nullptr;
    }

    delete connectedLabel;
    connectedLabel = nullptr;
    delete linkIconLabel;
    linkIconLabel = nullptr;
    delete messageIndicatorLabel;
    messageIndicatorLabel = nullptr;
    delete skinGroup;
    skinGroup = nullptr;
    delete terminalToolbar;
    terminalToolbar = nullptr;
    delete logToolbar;
    logToolbar = nullptr;
    delete smsToolbar;
    smsToolbar = nullptr;
    delete contactsToolbar;
    contactsToolbar = nullptr;

    if (!startupThread.stop())
        startupThread.wait();
    delete ui;
}

QString CZKMainWindow::deviceProfileKey()
{
    return QStringLiteral("Device profile");
}

void CZKMainWindow::receiveMessage(int type, QString msg, QString desc)
{
    emit isNewMessage(type, msg, desc);
}

void CZKMainWindow::connectMenuActions()
{
    connect(ui->actionExit, &QAction::triggered, this, &QWidget::close);
    connect(ui->actionAbout, &QAction::triggered, this, &CZKMainWindow::about);
    connect(ui->actionSettings, &QAction::triggered, this, &CZKMainWindow::settings);
    connect(ui->actionRFSetup, &QAction::triggered, this, &CZKMainWindow::rfSetup);
    connect(ui->actionTests, &QAction::triggered, this, &CZKMainWindow::tests);
    connect(ui->actionTerminal, &QAction::triggered, this, &CZKMainWindow::terminal);
    connect(ui->actionSMS, &QAction::triggered, this, &CZKMainWindow::sms);
    connect(ui->actionPhonebook, &QAction::triggered, this, &CZKMainWindow::phoneBook);
    connect(ui->actionLog, &QAction::triggered, this, &CZKMainWindow::log);
    connect(ui->actionEN, &QAction::triggered, this, &CZKMainWindow::langEN);
    connect(ui->actionSP, &QAction::triggered, this, &CZKMainWindow::langSP);
    connect(ui->actionDE, &QAction::triggered, this, &CZKMainWindow::langDE);
    connect(ui->actionRU, &QAction::triggered, this, &CZKMainWindow::langRU);
    connect(ui->actionPL, &QAction::triggered, this, &CZKMainWindow::langPL);
    connect(ui->actionOptions, &QAction::triggered, this, &CZKMainWindow::optionsDlg);
    connect(ui->actionDefault, &QAction::triggered, this, &CZKMainWindow::setDefaultSkin);
    connect(ui->actionDarkOrange, &QAction::triggered, this, &CZKMainWindow::setDarkOrangeSkin);
}

void CZKMainWindow::connectSignals()
{
    using W = CZKMainWindow;
    using T = CZKStartupThread;
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &W::currentTabChanged);
    connect(ui->treeSettings, &QTreeWidget::itemSelectionChanged, this, &W::treeSettingsSelectionChanged);
    connect(ui->treeSettings, &QTreeWidget::itemClicked, this, &W::treeSettingsItemClicked);
    connect(ui->pbStart, &QPushButton::clicked, this, &W::startRFTest);
    connect(ui->pbStop, &QPushButton::clicked, this, &W::stopRFTest);
    connect(this, &W::updateRadioParams, this, &W::updateRadioEdit);
    connect(ui->treeRFSetup, &QTreeWidget::itemSelectionChanged, this, &W::treeRFSettingsSelectionChanged);
    connect(this, &W::connectedDevice, this, &W::connectedDeviceUpdate);
    connect(this, &W::disconnectedDevice, this, &W::disconnectedDeviceUpdate);
    connect(ui->treeSMS, &QTreeWidget::itemSelectionChanged, this, &W::treeSMSSelectionChanged);
    connect(ui->tableMessages, &QTableWidget::itemSelectionChanged, this, &W::itemSelectionChangedTableMessages);
    connect(this, &W::receiveSMS, this, &W::smsReceive);
    connect(this, &W::deleteSMS, this, &W::smsDelete);
    connect(this, &W::receiveUSSD, this, &W::ussdReceive);
    connect(this, &W::sendGBAND, this, &W::gbandSend);
    connect(ui->treeTests, &QTreeWidget::itemSelectionChanged, this, &W::treeTestsSelectionChanged);
    connect(ui->cbNIC, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &W::cbNICCurrentIndexChanged);
    connect(ui->tbRefreshNIC, &QToolButton::clicked, this, &W::refreshNIC);
    connect(ui->pbStatistics, &QPushButton::clicked, this, &W::statistics);
    connect(ui->pbThrTest, &QPushButton::clicked, this, &W::thrTest);
    connect(this, &W::pinRequestChange, this, &W::changePINRequest);
    connect(&startupThread, &T::getPIN, this, &W::getPINPUKDlg);
    connect(this, &W::inputPIN, &startupThread, &T::inputPIN);
    connect(this, &W::inputPINCancel, &startupThread, &T::inputPINCancel);
    connect(&startupThread, &T::askPIN, this, &W::pinAsk);
    connect(&startupThread, &T::askIMSI, this, &W::imsiAsk);
    connect(this, &W::readyPIN, &startupThread, &T::PINReady);
    connect(this, &W::readyPIN, this, &W::simPhoneBookRead);
    connect(this, &W::requestPIN, &startupThread, &T::PINRequest);
    connect(this, &W::requestPUK, &startupThread, &T::PUKRequest);
    connect(&startupThread, &T::setPIN, this, &W::setPIN);
    connect(&startupThread, &T::setPINDevice, this, &W::setDevicePIN);
    connect(&startupThread, &T::resetDevice, this, &W::deviceReset);
    connect(&startupThread, &T::information, this, &W::information);
    connect(&startupThread, &T::warning, this, &W::warning);
    connect(&startupThread, &T::warningYN, this, &W::warningYN);
    connect(this, &W::mbOK, &startupThread, &T::mbOK);
    connect(this, &W::mbNO, &startupThread, &T::mbNO);
    connect(&startupThread, &T::setPUK, this, &W::setPUK);
    connect(&startupThread, &T::askPINRequest, this, &W::askPINRequest);
    connect(this, &W::PINVerify, &startupThread, &T::PINRequestResponse);
    connect(this, &W::PINUIUpdate, this, &W::updatePINUI);
    connect(&startupThread, &T::PINUIUpdate, this, &W::updatePINUI);
    connect(this, &W::deviceRestarted, this, &W::restartDevice);
    connect(&smsTimer, &QTimer::timeout, this, &W::readSMSFromDevice);
    connect(ui->treePhoneBook, &QTreeWidget::itemSelectionChanged, this, &W::treePhoneBookItemSelectionChanged);
    connect(ui->tablePBook, &QTableWidget::itemSelectionChanged, this, &W::itemSelectionChangedTablePBook);
    connect(this, &W::phoneBookPositions, this, &W::positionsPhoneBook);
    connect(this, &W::phoneBookMax, this, &W::maxPhoneBook);
    connect(this, &W::phoneBookNewItem, this, &W::newPhoneBookItem);
    connect(this, &W::isNewMessage, this, &W::receiveNewMessage);
    connect(this, &W::clckOK, this, &W::okCLCK);
    connect(this, &W::clckError, this, &W::errorCLCK);
    connect(this, &W::pwdOK, this, &W::okPWD);
    connect(this, &W::pwdError, this, &W::errorPWD);
    connect(ui->treeSettings, &QTreeWidget::customContextMenuRequested, this, &W::treeSettingsCtxMenu);
    connect(ui->pbClear, &QPushButton::clicked, this, &W::clearChart);
    connect(&initTimer, &QTimer::timeout, this, &W::initializeTimeout);
    connect(ui->treeSettings, &QTreeWidget::itemDoubleClicked, this, &W::treeSettingsItemDoubleClicked);
    connect(ui->tableMessages, &CZKSMSTableWidget::deleteKeyPress, this, &W::deleteItems);
    connect(ui->tablePBook, &CZKSMSTableWidget::deleteKeyPress, this, &W::deleteItems);
    connect(ui->tablePBook, &QTableWidget::itemDoubleClicked, this, &W::itemDoubleClickedPBook);
    connect(this, &W::cpinSIMBusy, this, &W::SIMBusyCPIN);
    connect(ui->tablePBook, &QTableWidget::customContextMenuRequested, this, &W::tablePBookCtxMenu);

    // Bounds each step of the SIM phone-book read, so that the first reading always ends.
    phoneBookReadTimer.setSingleShot(true);
    connect(&phoneBookReadTimer, &QTimer::timeout, this, &W::endPhoneBookRead);
    profileRefreshTimer.setSingleShot(true);
    connect(&profileRefreshTimer, &QTimer::timeout, this, [this] { endProfileRefresh(true); });
    imsiRetryTimer.setSingleShot(true);
    connect(&imsiRetryTimer, &QTimer::timeout, this, &W::askImsiAgain);
    resetHoldTimer.setSingleShot(true);
    connect(&resetHoldTimer, &QTimer::timeout, this, &W::sendReset);
}

void CZKMainWindow::about()
{
    CZKAboutDlg dialog(this);
    dialog.exec();
}

void CZKMainWindow::changeEvent(QEvent* event)
{
    if (event && event->type() == QEvent::LanguageChange) {
        retranslateWindow();
        return;
    }
    // A running test's chart is drawn afresh when the window comes back from the task bar.
    if (event && event->type() == QEvent::WindowStateChange && radioPoller)
        ui->barChart->repaint();
    QMainWindow::changeEvent(event);
}

void CZKMainWindow::resizeEvent(QResizeEvent* event)
{
    if (event)
        QMainWindow::resizeEvent(event);

    ui->tableMessages->fitMessageColumns();

    QTableWidget* book = ui->tablePBook;
    if (book->columnCount() == 3) {
        const int rest = book->width() - book->columnWidth(1) - 20;
        book->setColumnWidth(0, rest / 3);
        book->setColumnWidth(2, 2 * (rest / 3));
    } else if (book->columnCount() == 2) {
        book->setColumnWidth(0, book->width() - book->columnWidth(1) - 10);
    }
}

void CZKMainWindow::checkLanguageAction()
{
    QAction* const actions[] = {ui->actionEN, ui->actionSP, ui->actionDE, ui->actionRU, ui->actionPL};
    for (QAction* action : actions)
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
            actions[entry.index]->setChecked(true);
            languageIndex = entry.index;
            return;
        }
    }
}
