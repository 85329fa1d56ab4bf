#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "sim/CZKInputPINPUKDialog.h"

// The main window's side of the start-up PIN dialogue: it sends the commands the dialogue asks
// for and keeps the PIN button state.

void CZKMainWindow::pinAsk()
{
    pinTools.queryPIN();
}

void CZKMainWindow::askPINRequest()
{
    pinTools.queryPINLock();
    waitMs(MainWindowTiming::kLockQueryWaitMs);
}

void CZKMainWindow::deviceReset()
{
    resetRequested = true;
    sendMessage(Send, QStringLiteral("AT#RST=MDM"), internalTag());
}

void CZKMainWindow::updatePINUI(quint32 state, bool set)
{
    pinUIState = set ? (pinUIState | state) : (pinUIState & ~state);
}

// Each dialog and box of the dialogue first ends the notice of the first reading: the operator
// could not answer them behind it.
void CZKMainWindow::getPINPUKDlg(bool pin)
{
    endInitNotice();
    CZKInputPINPUKDialog dialog(this, pin);
    if (dialog.exec() == QDialog::Accepted)
        emit inputPIN(dialog.value(), !pin);
    else
        emit inputPINCancel();
}

void CZKMainWindow::setPIN(QString pin)
{
    pinTools.enterPIN(pin);
}

void CZKMainWindow::setPUK(QString newPin, QString puk)
{
    pinTools.enterPUK(newPin, puk);
}

void CZKMainWindow::setDevicePIN(int slot, QString pin)
{
    Q_UNUSED(slot);
    Q_UNUSED(pin);
}

void CZKMainWindow::information(QString msg)
{
    endInitNotice();
    if (CZKPrompt::information(this, tr("Information"), msg) == QMessageBox::Ok)
        emit mbOK();
}

void CZKMainWindow::warning(QString msg)
{
    endInitNotice();
    if (CZKPrompt::warning(this, tr("Warning"), msg) == QMessageBox::Ok)
        emit mbOK();
}

void CZKMainWindow::warningYN(QString msg)
{
    endInitNotice();
    if (CZKPrompt::warning(this, tr("Warning"), msg, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes)
        emit mbOK();
    else
        emit mbNO();
}

void CZKMainWindow::changePINRequest(bool enable)
{
    Q_UNUSED(enable);
}

void CZKMainWindow::okCLCK() {}
void CZKMainWindow::errorCLCK() {}
void CZKMainWindow::okPWD() {}
void CZKMainWindow::errorPWD() {}
void CZKMainWindow::SIMBusyCPIN() {}
void CZKMainWindow::enterPIN() {}
void CZKMainWindow::unlockPIN() {}
void CZKMainWindow::enableDisablePIN() {}
void CZKMainWindow::changePIN() {}
