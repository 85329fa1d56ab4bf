#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKInitialize.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QIcon>
#include <QLabel>
#include <QScopedValueRollback>


namespace {

void showLinkIcon(QLabel* label, const char* icon)
{
    if (label)
        label->setPixmap(QIcon(QLatin1String(icon)).pixmap(16, 16));
}

} // namespace

std::atomic<bool> CZKMainWindow::firstConnectionFlag{true};
std::atomic<bool> CZKMainWindow::reconnectAfterRestart{false};

void CZKMainWindow::connectedDeviceUpdate()
{
    if (restartPending) {
        restartPending = false;
        reconnectAfterRestart = true;
        linkWatchdog.clearConnected();
        return;
    }
    if (connected)
        return;

    connected = true;
    resetRequested = false;
    // IMSI queries of an unlock before the restart are over. An IMSI they did not bring is still
    // the unlocked card's and keeps the PIN just entered (a lost link has ended the unlock).
    endImsiQueries();
    showLinkIcon(linkIconLabel, "://Icons/check_mark_16.ico");
    setButtonEnabled(QStringLiteral("pbSendToDevice"), true);
    setButtonEnabled(QStringLiteral("pbReadFromDevice"), true);
    updateSMSActions();
    ui->pbStart->setEnabled(false);
    ui->pbStop->setEnabled(false);
    ui->pbClear->setEnabled(true);

    const QList<QTreeWidgetItem*> rfSelection = ui->treeRFSetup->selectedItems();
    if (!rfSelection.isEmpty() && rfSelection.first() && database()
        && rfSelection.first()->data(1, Qt::UserRole).toInt() == SimCard) {
        const SimCardRecord* card = database()->findSimCard(rfSelection.first()->data(0, Qt::UserRole).toInt());
        if (card && card->active) {
            updatePINUI(PINUI::Busy, false);
            const bool testRuns = radioPoller != nullptr;
            ui->pbStart->setEnabled(!testRuns);
            ui->pbStop->setEnabled(testRuns);
            ui->pbClear->setEnabled(true);
        } else {
            updatePINUI(PINUI::Busy, true);
        }
    }

    if (firstConnectionFlag) {
        initDialog = new CZKInitialize(this);
        connect(this, &CZKMainWindow::setInitText, initDialog, &CZKInitialize::setText);
        initDialog->show();
        initTimer.setSingleShot(true);
        initTimer.start(Pacing::ms(MainWindowTiming::kInitNoticeTimeoutMs));
        firstConnectionFlag = false;
    }

    // After a restart the unit has been read and its SIM unlocked already, unless a reset for the
    // SIM's own report cut that short. The flags belong to this connection: a restart seen during
    // the reading's waits sets them for the next one.
    const bool readAgain = !reconnectAfterRestart || fullReadAfterRestart;
    fullReadAfterRestart = false;
    reconnectAfterRestart = false;
    if (!readAgain) {
        treeSettingsSelectionChanged();
        // The unlock's IMSI, whose answer was late for the reset or never came, is asked for
        // now, so that the card does not keep the IMSI of the one that was in the slot before.
        if (imsiAfterUnlock)
            askImsiAfterUnlock();
        return;
    }

    // A reset for the SIM's own report during the reading ends it: the modem restarts under it,
    // and the connection after the restart reads the unit and runs the dialogue anew.
    const quint32 cutsBefore = readingsCutShort;
    {
        const QScopedValueRollback<bool> reading(connectionReading, true);
        readFromDevice();
        if (readingsCutShort == cutsBefore)
            waitMs(MainWindowTiming::kAfterIdentityMs);
    }
    if (readingsCutShort != cutsBefore)
        return;
    // The dialogue begins again from its lock query. It looks at its stop flag all the time;
    // should it outlive its bound all the same, it is waited for rather than killed.
    if (!startupThread.stop())
        startupThread.wait();
    startupThread.start(QThread::InheritPriority);
}

void CZKMainWindow::disconnectedDeviceUpdate()
{
    showLinkIcon(linkIconLabel, "://Icons/close_16.ico");
    updatePINUI(PINUI::Busy, true);
    setButtonEnabled(QStringLiteral("pbSendToDevice"), false);
    setButtonEnabled(QStringLiteral("pbReadFromDevice"), false);
    ui->pbStart->setEnabled(false);
    if (!radioPoller) {
        ui->pbStop->setEnabled(false);
        ui->pbClear->setEnabled(false);
    }
    updateSMSActions();
    connected = false;
    endImsiAfterUnlock();
    endProfileRefresh(true);
    endSmsReadChain();
}

void CZKMainWindow::restartDevice()
{
    showLinkIcon(linkIconLabel, "://Icons/pause_16.ico");
    restartPending = true;
    resetRequested = false;
    // The restart stands for a reset held back, and no IMSI query goes to the restarting modem.
    // One sent before the reset is still answered first: its answer keeps the PIN.
    resetHoldTimer.stop();
    imsiRetryTimer.stop();
    connected = false;
    updatePINUI(PINUI::Busy, true);
}

void CZKMainWindow::readFromDevice()
{
    if (!commandContainer()) {
        sendMessage(Error, QStringLiteral("readFromDevice()"), QStringLiteral("Internal ERROR 0"));
        return;
    }
    emit setInitText(tr("Reading from device..."));
    const quint32 cutsBefore = readingsCutShort;
    const char* const reads[] = {"AT#CNF?", "AT#I", "AT+CGSN", "AT+CGMM", "AT+CGMR", "AT+CIMI"};
    for (const char* command : reads) {
        // Behind the reset the modem would hold each read for the link's whole reply time-out.
        if (readingsCutShort != cutsBefore)
            return;
        sendMessage(Send, QLatin1String(command), internalTag());
        waitMs(MainWindowTiming::kIdentityGapMs);
    }
}

void CZKMainWindow::initializeTimeout()
{
    initTimer.stop();
    if (!initDialog)
        return;
    endInitNotice();
    sendMessage(Warning, QStringLiteral("Initialy reading data problem"), QString());
    CZKPrompt::warning(this, tr("Warning"), tr("Initialy reading data problem."));
}

void CZKMainWindow::endInitNotice()
{
    initTimer.stop();
    if (!initDialog)
        return;
    CZKInitialize* notice = initDialog;
    initDialog = nullptr;
    notice->close();
    delete notice;
}
