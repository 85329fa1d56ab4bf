#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "link/ReplyFields.h"
#include "sim/CZKInputPINPUKDialog.h"
#include "sim/CZKSetPIN.h"

// The main window's side of the start-up PIN dialogue: it sends the commands the dialogue asks
// for and keeps the PIN button state. It also carries out the operator's own PIN actions of the
// SIM card page: entering or unlocking the PIN, switching verification and changing the PIN.

namespace {

// The unit keeps the PIN of the SIM in this slot to unlock it by itself after a restart.
constexpr int kDevicePinSlot = 1;
constexpr int kSimBusyRetries = 5;
constexpr int kSimBusyGapMs = 250;
// A SIM just unlocked may still be settling: its IMSI is asked at most this many times more.
constexpr int kImsiRetries = 3;

} // namespace

struct CZKMainWindow::PinSteps {
    // Sets the six PIN and profile buttons of the SIM card page from `pinUIState`.
    static void applyButtons(CZKMainWindow& w)
    {
        using namespace PINUI;
        const PINUIFlags state = w.pinUIState;
        const bool idle = !(state & Busy);
        const bool verifyOn = state & VerifyOn;
        const bool ready = state & SimReady;
        const bool locked = state & (PinWanted | PukWanted);

        w.setButtonEnabled(QStringLiteral("pbApplyProfile"), idle && ready);
        w.setButtonEnabled(QStringLiteral("pbRefreshProfile"), idle && ready);
        w.setButtonEnabled(QStringLiteral("pbEnterPIN"), idle && verifyOn && (state & PinWanted));
        w.setButtonEnabled(QStringLiteral("pbUnlockPIN"), idle && verifyOn && (state & PukWanted));
        // A locked SIM can neither switch verification off nor change its PIN.
        w.setButtonEnabled(QStringLiteral("pbPINEnableDisable"), idle && ready && !(verifyOn && locked));
        w.setButtonEnabled(QStringLiteral("pbPINChange"), idle && verifyOn && ready && !locked);
        if (idle) {
            w.setButtonText(QStringLiteral("pbPINEnableDisable"),
                            verifyOn ? CZKMainWindow::tr("Disable PIN\nverification") : CZKMainWindow::tr("Enable PIN\nverification"));
        }
    }

    // The active SIM card record, or null after the bus error of `operation`.
    static SimCardRecord* activeCard(CZKMainWindow& w, const QString& operation)
    {
        CZKDataBase* db = database();
        if (!db) {
            w.sendMessage(Error, QStringLiteral("Internal Error 1 %1").arg(operation), QString());
            return nullptr;
        }
        SimCardRecord* card = db->findSimCard(db->activeSimCardId());
        if (!card)
            w.sendMessage(Error, QStringLiteral("Internal Error 2 %1").arg(operation), QString());
        return card;
    }

    // A PIN the commands can carry: four digits.
    static bool wellFormed(const QString& pin)
    {
        return pin.size() == CZKPINTools::PinLength && CZKPINTools::isDigitsOnly(pin);
    }

    // Ends a verification switch, whatever its outcome, so that the next lock answer goes to the
    // start-up dialogue again.
    static void endSwitch(CZKMainWindow& w)
    {
        w.pinLockChangePending = false;
        w.pendingPIN.clear();
    }

    // A PIN change of the page awaits the unit's answer. The switch keeps its PIN in the same
    // member, so a pending switch excludes it.
    static bool changePending(const CZKMainWindow& w)
    {
        return !w.pinLockChangePending && wellFormed(w.pendingPIN);
    }

    // The dialogue begins again from its lock query: the buttons follow the SIM as it is now,
    // and a SIM that wants its PIN or PUK asks for it.
    static void restartDialogue(CZKMainWindow& w)
    {
        if (!w.startupThread.stop())
            w.startupThread.wait();
        w.startupThread.start(QThread::InheritPriority);
    }
};

void CZKMainWindow::pinAsk()
{
    pinTools.queryPIN();
}

void CZKMainWindow::askPINRequest()
{
    pinTools.queryPINLock();
    waitMs(MainWindowTiming::kLockQueryWaitMs);
}

void CZKMainWindow::imsiAsk()
{
    imsiAfterUnlock = true;
    askImsiAfterUnlock();
}

void CZKMainWindow::askImsiAfterUnlock()
{
    imsiQueriesRun = true;
    imsiRetriesLeft = kImsiRetries;
    imsiQueryEchoed = false;
    sendMessage(Send, QStringLiteral("AT+CIMI"), internalTag());
}

void CZKMainWindow::watchImsiReply(const QString& reply, const QString& tag)
{
    if (!imsiQueriesRun)
        return;
    // The interpreter's "ERROR" says nothing of the command it answers: the unit's echo does, in
    // this reply or an earlier one. What answers the operator's own commands is not the query's.
    if (tag != internalTag()) {
        imsiQueryEchoed = false;
        return;
    }
    for (const QString& line : ReplyFields::upperLines(reply)) {
        if (ReplyFields::isCommandEcho(line)) {
            imsiQueryEchoed = line.startsWith(QLatin1String("AT+CIMI"));
        } else if (imsiQueryEchoed && line.startsWith(QLatin1String("OK"))) {
            imsiQueryEchoed = false;
        } else if (imsiQueryEchoed
                   && (line.startsWith(QLatin1String("ERROR")) || line.startsWith(QLatin1String("+CME ERROR")))) {
            imsiQueryEchoed = false;
            imsiQueryFailed();
        }
    }
}

void CZKMainWindow::imsiQueryFailed()
{
    // A query behind a reset would reach a modem that is restarting: the connection after the
    // restart asks instead.
    if (imsiRetriesLeft > 0 && !restartComing()) {
        --imsiRetriesLeft;
        imsiRetryTimer.start(Pacing::ms(MainWindowTiming::kImsiRetryGapMs));
        return;
    }
    endImsiQueries();
}

void CZKMainWindow::askImsiAgain()
{
    if (imsiQueriesRun)
        sendMessage(Send, QStringLiteral("AT+CIMI"), internalTag());
}

void CZKMainWindow::endImsiQueries()
{
    imsiQueriesRun = false;
    imsiQueryEchoed = false;
    imsiRetryTimer.stop();
    if (resetHoldTimer.isActive())
        sendReset();
}

void CZKMainWindow::endImsiAfterUnlock()
{
    imsiAfterUnlock = false;
    endImsiQueries();
}

// The reset the dialogue asks for once the SIM took the PIN or PUK the operator entered: the
// unit restarts with the new PIN stored, whenever the last reset was. One already queued and not
// yet sent restarts the unit after everything sent before it, so it stands for this one.
void CZKMainWindow::deviceReset()
{
    if (resetRequested || resetHoldTimer.isActive())
        return;
    // A SIM that answered its IMSI query with an error is asked again before the modem restarts
    // under the query; the reset waits no longer than the queries may take.
    if (imsiQueriesRun && imsiRetriesLeft < kImsiRetries && !restartComing()) {
        resetHoldTimer.start(Pacing::ms(kImsiRetries * (MainWindowTiming::kImsiRetryGapMs + replyTimeoutMs())));
        return;
    }
    sendReset();
}

void CZKMainWindow::sendReset()
{
    resetHoldTimer.stop();
    imsiRetryTimer.stop();
    lastResetSent.start();
    resetRequested = true;
    sendMessage(Send, QStringLiteral("AT#RST=MDM"), internalTag());
}

void CZKMainWindow::resetForSimReport()
{
    // A dialogue under way gets no answer it can act on: left alone it would wait out its
    // time-out into a box that holds the window. It ends here and begins again once the unit is
    // back, with the first reading if that was still on. A connection's reading that has not
    // started the dialogue yet must not start it now.
    const bool interrupted = startupThread.isRunning() || initDialog || connectionReading;
    if (!startupThread.stop())
        startupThread.wait();

    // A modem that resets says nothing back, so every reset holds the link for its whole reply
    // time-out: one is asked for until the unit has restarted or connects anew, and at most one
    // within a minute, however often a unit reports its SIM blocked or restarts.
    const bool spaced =
        !lastResetSent.isValid() || lastResetSent.elapsed() >= Pacing::ms(MainWindowTiming::kResetSpacingMs);
    if (!resetRequested && !restartPending && spaced)
        sendReset();
    else if (!restartComing())
        endInitNotice();   // nothing will read the unit again soon: the first reading ends here
    if (restartComing() && interrupted) {
        fullReadAfterRestart = true;
        ++readingsCutShort;
    }
}

void CZKMainWindow::updatePINUI(quint32 state, bool set)
{
    pinUIState = set ? (pinUIState | state) : (pinUIState & ~state);
    PinSteps::applyButtons(*this);
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
    pinTools.setDevicePIN(slot, pin);
    // The unit's slot does not choose the record: the card in use is the one in the unit.
    SimCardRecord* card = PinSteps::activeCard(*this, QStringLiteral("setDevicePIN"));
    // Only a PIN that went to the unit is kept; an empty or malformed one would wipe a good one.
    if (!card || pin.isEmpty() || !CZKPINTools::isDigitsOnly(pin))
        return;
    SimCardRecord changed = *card;
    changed.pin = scramblePassword(pin);
    // The write reports its own failure; memory keeps what the file holds.
    if (changed.update())
        *card = changed;
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

void CZKMainWindow::enableDisablePIN()
{
    pinTools.queryPINLock();
    pinLockChangePending = true;
}

void CZKMainWindow::changePINRequest(bool enable)
{
    if (!pinLockChangePending)
        return;
    // Without a card to switch for, the switch is over: the lock answers belong to the dialogue.
    if (!PinSteps::activeCard(*this, QStringLiteral("changePINRequest"))) {
        PinSteps::endSwitch(*this);
        return;
    }

    // The switch has its lock answer: one that comes while the operator types is the start-up
    // dialogue's, and must not open a second dialog.
    pinLockChangePending = false;
    CZKInputPINPUKDialog dialog(this, true);
    if (dialog.exec() != QDialog::Accepted) {
        PinSteps::endSwitch(*this);
        sendMessage(Warning, QStringLiteral("Internal Warning 1 changePINRequest InputPINDlg reject"), QString());
        return;
    }
    const QString pin = dialog.value();
    if (pin.size() != CZKPINTools::PinLength) {
        PinSteps::endSwitch(*this);
        sendMessage(Error, QStringLiteral("PIN is to short"), QString());
        CZKPrompt::critical(this, tr("PIN Error"), tr("PIN is to short."));
        return;
    }
    if (!CZKPINTools::isDigitsOnly(pin)) {
        PinSteps::endSwitch(*this);
        CZKPrompt::critical(this, tr("PIN Error"), CZKPINTools::digitsOnlyMessage());
        return;
    }

    pinLockChangePending = true;
    pendingPIN = pin;
    pinLockEnableRequested = enable;
    if (enable)
        pinTools.enablePIN(pin);
    else
        pinTools.disablePIN(pin);
}

void CZKMainWindow::okCLCK()
{
    // An answer to a command typed in the terminal changes nothing here.
    if (!pinLockChangePending)
        return;
    const QString pin = pendingPIN;
    const bool enabled = pinLockEnableRequested;
    PinSteps::endSwitch(*this);
    updatePINUI(PINUI::VerifyOn, enabled);
    if (enabled) {
        CZKPrompt::information(this, tr("PIN Status"), tr("PIN verification enabled."));
        // With verification on, the unit needs the PIN to unlock the SIM after a restart.
        pinTools.setDevicePIN(kDevicePinSlot, pin);
    } else {
        CZKPrompt::information(this, tr("PIN Status"), tr("PIN verification disabled."));
    }
}

void CZKMainWindow::errorCLCK()
{
    if (!pinLockChangePending) {
        pendingPIN.clear();
        return;
    }
    PinSteps::endSwitch(*this);
    CZKPrompt::critical(this, tr("PIN Status"), tr("Set PIN verification error."));
    // A refused PIN costs the SIM a try and may have locked it.
    PinSteps::restartDialogue(*this);
}

void CZKMainWindow::changePIN()
{
    pendingPIN.clear();
    CZKSetPIN dialog(nullptr);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PinSteps::activeCard(*this, QStringLiteral("changePINRequest")))
        return;

    const QString title = tr("Change PIN");
    if (dialog.actualPIN.size() != CZKPINTools::PinLength || dialog.newPIN.size() != CZKPINTools::PinLength) {
        CZKPrompt::warning(nullptr, title, tr("Change PIN error! Size old PIN or new PIN incorrect"));
        return;
    }
    if (!CZKPINTools::isDigitsOnly(dialog.actualPIN) || !CZKPINTools::isDigitsOnly(dialog.newPIN)) {
        CZKPrompt::warning(nullptr, title, CZKPINTools::digitsOnlyMessage());
        return;
    }
    pinTools.changePIN(dialog.actualPIN, dialog.newPIN);
    pendingPIN = dialog.newPIN;
}

void CZKMainWindow::okPWD()
{
    // A change typed in the terminal is not the page's: there is no new PIN to keep.
    if (!PinSteps::changePending(*this))
        return;
    const QString pin = pendingPIN;
    pendingPIN.clear();
    setDevicePIN(kDevicePinSlot, pin);
    CZKPrompt::information(nullptr, tr("Change PIN"), tr("Change PIN success."));
}

void CZKMainWindow::errorPWD()
{
    const bool pending = PinSteps::changePending(*this);
    if (pending)
        pendingPIN.clear();
    CZKPrompt::critical(nullptr, tr("Change PIN"), tr("Change PIN error!"));
    // A refused PIN costs the SIM a try and may have locked it.
    if (pending)
        PinSteps::restartDialogue(*this);
}

void CZKMainWindow::SIMBusyCPIN()
{
    // Busy answers that come while the last one's wait runs are answered by that wait's query.
    // A wait per answer, each inside the last, would let a burst pile up event loops and send a
    // query per answer all at once when they unwind.
    if (simBusyWaiting)
        return;
    // A SIM that stays busy is asked a bounded number of times; the next busy series starts anew.
    if (simBusyRetries <= 0) {
        simBusyRetries = kSimBusyRetries;
        return;
    }
    --simBusyRetries;
    simBusyWaiting = true;
    waitMs(kSimBusyGapMs);
    simBusyWaiting = false;
    pinTools.queryPIN();
}

void CZKMainWindow::enterPIN()
{
    PinSteps::restartDialogue(*this);
}

void CZKMainWindow::unlockPIN()
{
    PinSteps::restartDialogue(*this);
}
