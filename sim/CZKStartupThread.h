#pragma once

#include "sim/PINUIFlags.h"

#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

// Leads the operator through unlocking the SIM each time the link comes up: lock query, PIN
// state query, then PIN (with retries) or PUK and new PIN as the SIM demands, and last the PIN
// stored in the unit and the modem restarted.
//
// The worker never touches a widget and never sends a command: it asks the main window for
// every command, dialog and box by a signal, and the main window answers through the slots,
// which set an answer flag or text and then clear `waiting`. The worker polls `waiting` in
// 1000 ms steps while it waits for the unit (at most 60 of them) and in 500 ms steps while it
// waits for the operator (no limit), and looks at its stop flag all the time.
//
// The object lives on the GUI thread; the slots are called there (or on any thread) and only
// touch the atomic flags and the mutex-guarded texts.
class CZKStartupThread : public QThread {
    Q_OBJECT
public:
    explicit CZKStartupThread(QObject* parent = nullptr);
    ~CZKStartupThread() override;

    // Ends a running dialogue within 500 ms; false when the worker has not ended by then. The
    // next start() begins again from the lock query.
    bool stop();

signals:
    void getPIN(bool pin);
    void askPIN();
    // The SIM has just been unlocked by what the operator entered and its PIN stored: its IMSI
    // can be read now.
    void askIMSI();
    void setPIN(QString pin);
    void setPUK(QString newPin, QString puk);
    void setPINDevice(int slot, QString pin);
    void resetDevice();
    void information(QString msg);
    void warning(QString msg);
    void warningYN(QString msg);
    void askPINRequest();
    void PINUIUpdate(quint32 flags, bool set);

public slots:
    void PINReady();
    void PINRequest();
    void PUKRequest();
    void PUK2Request();
    void inputPIN(QString value, bool isPuk);
    void inputPINCancel();
    void mbOK();
    void mbNO();
    void PINRequestResponse(bool isPINVerify);

protected:
    void run() override;

private:
    enum class WaitResult { Answered, TimedOut, Stopped };
    enum class FinalState { VerificationOff, SimReady, PinWanted, PukWanted };
    enum class Step { End, PinLoop, PinAccepted, PukPath };

    // The answers of both queries are cleared right before asking, so that neither an answer of
    // an earlier query nor one of an earlier run can decide this one.
    WaitResult queryLock();
    WaitResult queryPINState();
    WaitResult replyWait();
    bool operatorWait();
    // Sleeps `realMs` (paced); false when a stop was requested before or during the sleep.
    bool pause(int realMs);
    void report(FinalState state);
    // Asks for the box and waits until the operator has closed it.
    bool showAndWait(void (CZKStartupThread::*box)(QString), const QString& msg);

    // One pass of the PIN loop: asks for the PIN, sends it and says what comes next.
    Step pinLoop();
    void pinAccepted();
    void pukPath();

    QString pinText();
    QString pukText();
    void clearTexts();

    std::atomic<bool> stopRequested{false};
    std::atomic<bool> waiting{false};
    std::atomic<bool> simReady{false};
    std::atomic<bool> pinWanted{false};
    std::atomic<bool> pukWanted{false};
    std::atomic<bool> puk2Wanted{false};
    std::atomic<bool> pinVerifyOn{false};
    std::atomic<bool> answerNo{false};

    QMutex textLock;
    QString pin;
    QString puk;

    // Wakes a sleeping worker at once on stop().
    QMutex sleepLock;
    QWaitCondition stopWake;
};
