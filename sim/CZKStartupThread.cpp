#include "sim/CZKStartupThread.h"

#include "app/CZKPacing.h"
#include "sim/CZKPINTools.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

namespace {

constexpr int kReplyStepMs = 1000;
constexpr int kReplyWaitSteps = 60;
constexpr int kOperatorStepMs = 500;
// Between a command and the query that follows it, and before the restart of the modem.
constexpr int kCommandGapMs = 1000;
// An upper bound for the caller, not pacing: not scaled.
constexpr int kStopWaitMs = 500;

constexpr int kDevicePinSlot = 1;

} // namespace

CZKStartupThread::CZKStartupThread(QObject* parent)
    : QThread(parent)
{
}

CZKStartupThread::~CZKStartupThread()
{
    if (!stop())
        wait();
}

bool CZKStartupThread::stop()
{
    {
        QMutexLocker locker(&sleepLock);
        stopRequested = true;
        stopWake.wakeAll();
    }
    const bool ended = wait(kStopWaitMs);
    if (ended)
        stopRequested = false;
    return ended;
}

void CZKStartupThread::PINReady()
{
    simReady = true;
    pinWanted = false;
    waiting = false;
}

void CZKStartupThread::PINRequest()
{
    simReady = false;
    pinWanted = true;
    waiting = false;
}

void CZKStartupThread::PUKRequest()
{
    simReady = false;
    pukWanted = true;
    waiting = false;
}

void CZKStartupThread::PUK2Request()
{
    simReady = false;
    puk2Wanted = true;
    waiting = false;
}

void CZKStartupThread::inputPIN(QString value, bool isPuk)
{
    {
        QMutexLocker locker(&textLock);
        if (isPuk)
            puk = value;
        else
            pin = value;
    }
    waiting = false;
}

void CZKStartupThread::inputPINCancel()
{
    clearTexts();
    waiting = false;
}

void CZKStartupThread::mbOK()
{
    answerNo = false;
    waiting = false;
}

void CZKStartupThread::mbNO()
{
    answerNo = true;
    waiting = false;
}

void CZKStartupThread::PINRequestResponse(bool isPINVerify)
{
    pinVerifyOn = isPINVerify;
    waiting = false;
}

QString CZKStartupThread::pinText()
{
    QMutexLocker locker(&textLock);
    return pin;
}

QString CZKStartupThread::pukText()
{
    QMutexLocker locker(&textLock);
    return puk;
}

void CZKStartupThread::clearTexts()
{
    QMutexLocker locker(&textLock);
    pin.clear();
    puk.clear();
}

bool CZKStartupThread::pause(int realMs)
{
    const QDeadlineTimer deadline(Pacing::ms(realMs), Qt::PreciseTimer);
    QMutexLocker locker(&sleepLock);
    while (!stopRequested) {
        if (deadline.hasExpired())
            return true;
        stopWake.wait(&sleepLock, deadline);
    }
    return false;
}

CZKStartupThread::WaitResult CZKStartupThread::replyWait()
{
    for (int step = 0; step < kReplyWaitSteps; ++step) {
        if (!waiting)
            return WaitResult::Answered;
        if (!pause(kReplyStepMs))
            return WaitResult::Stopped;
    }
    return waiting ? WaitResult::TimedOut : WaitResult::Answered;
}

bool CZKStartupThread::operatorWait()
{
    while (waiting) {
        if (!pause(kOperatorStepMs))
            return false;
    }
    return !stopRequested;
}

CZKStartupThread::WaitResult CZKStartupThread::queryLock()
{
    pinVerifyOn = false;
    waiting = true;
    emit askPINRequest();
    return replyWait();
}

CZKStartupThread::WaitResult CZKStartupThread::queryPINState()
{
    simReady = false;
    pinWanted = false;
    pukWanted = false;
    puk2Wanted = false;
    waiting = true;
    emit askPIN();
    return replyWait();
}

bool CZKStartupThread::showAndWait(void (CZKStartupThread::*box)(QString), const QString& msg)
{
    waiting = true;
    emit(this->*box)(msg);
    return operatorWait();
}

void CZKStartupThread::report(FinalState state)
{
    using namespace PINUI;
    PINUIFlags set = 0;
    switch (state) {
    case FinalState::VerificationOff: set = SimReady; break;
    case FinalState::SimReady: set = VerifyOn | SimReady; break;
    case FinalState::PinWanted: set = VerifyOn | PinWanted; break;
    case FinalState::PukWanted: set = VerifyOn | PukWanted; break;
    }
    // Every final state leaves the busy state and drops whatever the previous state had.
    const PINUIFlags clear = (VerifyOn | SimReady | PinWanted | PukWanted | Busy) & ~set;
    emit PINUIUpdate(set, true);
    emit PINUIUpdate(clear, false);
}

void CZKStartupThread::run()
{
    const WaitResult lock = queryLock();
    if (lock == WaitResult::Stopped)
        return;
    if (lock == WaitResult::TimedOut) {
        // A silent unit has told nothing about its SIM: the buttons stay in the busy state.
        showAndWait(&CZKStartupThread::warning, tr("Ask PIN verification Timeout."));
        return;
    }
    if (!pinVerifyOn) {
        report(FinalState::VerificationOff);
        return;
    }

    if (!pause(kCommandGapMs))
        return;
    const WaitResult state = queryPINState();
    if (state == WaitResult::Stopped)
        return;
    if (state == WaitResult::TimedOut) {
        showAndWait(&CZKStartupThread::warning, tr("Ask PIN Timeout."));
        return;
    }

    Step next = Step::End;
    if (simReady) {
        if (!pinWanted) {
            report(FinalState::SimReady);
            return;
        }
        next = pukWanted ? Step::PukPath : Step::End;
    } else if (pinWanted) {
        next = Step::PinLoop;
    } else if (pukWanted) {
        next = Step::PukPath;
    }

    while (next != Step::End) {
        switch (next) {
        case Step::PinLoop: next = pinLoop(); break;
        case Step::PinAccepted: pinAccepted(); next = Step::End; break;
        case Step::PukPath: pukPath(); next = Step::End; break;
        case Step::End: break;
        }
    }
}

CZKStartupThread::Step CZKStartupThread::pinLoop()
{
    clearTexts();
    simReady = false;
    pinWanted = false;
    pukWanted = false;
    puk2Wanted = false;
    waiting = true;
    emit getPIN(true);
    if (!operatorWait())
        return Step::End;

    const QString typed = pinText();
    if (typed.isEmpty()) {
        report(FinalState::PinWanted);
        return pukWanted ? Step::PukPath : Step::End;
    }
    if (typed.size() < CZKPINTools::PinLength || !CZKPINTools::isDigitsOnly(typed)) {
        report(FinalState::PinWanted);
        const QString why = typed.size() < CZKPINTools::PinLength ? tr("PIN to short.") : CZKPINTools::digitsOnlyMessage();
        if (!showAndWait(&CZKStartupThread::warning, why))
            return Step::End;
        return pukWanted ? Step::PukPath : Step::End;
    }

    emit setPIN(typed);
    if (!pause(kCommandGapMs))
        return Step::End;
    const WaitResult answer = queryPINState();
    if (answer == WaitResult::Stopped)
        return Step::End;
    if (answer == WaitResult::TimedOut) {
        // Nothing says the SIM went on to want the PUK: it still wants the PIN it asked for.
        report(FinalState::PinWanted);
        showAndWait(&CZKStartupThread::warning, tr("Enter PIN Timeout."));
        return Step::End;
    }
    if (simReady)
        return Step::PinAccepted;
    if (!pinWanted)
        return pukWanted ? Step::PukPath : Step::PinLoop;

    // Only an explicit Yes asks again; a stray answer that ends the wait counts as No.
    answerNo = true;
    if (!showAndWait(&CZKStartupThread::warningYN, tr("Enter PIN failed, try again?")))
        return Step::End;
    report(FinalState::PinWanted);
    if (answerNo)
        return Step::End;
    return pukWanted ? Step::PukPath : Step::PinLoop;
}

void CZKStartupThread::pinAccepted()
{
    if (!showAndWait(&CZKStartupThread::information, tr("Enter PIN success.")))
        return;
    emit setPINDevice(kDevicePinSlot, pinText());
    // A locked SIM answered the connection's IMSI read with an error: now it can tell. Asked
    // only once the PIN is stored, so that the card never holds the new IMSI without it.
    emit askIMSI();
    if (!pause(kCommandGapMs))
        return;
    report(FinalState::SimReady);
    emit resetDevice();
}

void CZKStartupThread::pukPath()
{
    clearTexts();
    if (!showAndWait(&CZKStartupThread::warning, tr("PUK and PIN are requaired.")))
        return;
    waiting = true;
    emit getPIN(false);
    if (!operatorWait())
        return;

    const QString typedPuk = pukText();
    if (typedPuk.isEmpty()) {
        report(FinalState::PukWanted);
        return;
    }
    if (typedPuk.size() < CZKPINTools::PukLength || !CZKPINTools::isDigitsOnly(typedPuk)) {
        const QString why = typedPuk.size() < CZKPINTools::PukLength ? tr("PUK to short.") : CZKPINTools::digitsOnlyMessage();
        if (showAndWait(&CZKStartupThread::warning, why))
            report(FinalState::PukWanted);
        return;
    }

    waiting = true;
    emit getPIN(true);
    if (!operatorWait())
        return;
    const QString typedPin = pinText();
    if (typedPin.isEmpty()) {
        report(FinalState::PukWanted);
        return;
    }
    QString why;
    if (typedPin.size() < CZKPINTools::PinLength || typedPuk.size() != CZKPINTools::PukLength)
        why = tr("PIN or PUK to short.");
    else if (!CZKPINTools::isDigitsOnly(typedPin))
        why = CZKPINTools::digitsOnlyMessage();
    if (!why.isEmpty()) {
        if (showAndWait(&CZKStartupThread::warning, why))
            report(FinalState::PukWanted);
        return;
    }

    emit setPUK(typedPin, typedPuk);
    if (!pause(kCommandGapMs))
        return;
    const WaitResult answer = queryPINState();
    if (answer == WaitResult::Stopped)
        return;
    if (answer == WaitResult::TimedOut) {
        report(FinalState::PukWanted);
        emit warning(tr("Enter PUK Timeout."));
        return;
    }
    if (!simReady)
        return;

    emit information(tr("Enter PIN/PUK success."));
    emit setPINDevice(kDevicePinSlot, typedPin);
    emit askIMSI();
    report(FinalState::SimReady);
    if (!pause(kCommandGapMs))
        return;
    emit resetDevice();
}
