#pragma once

#include "bus/IMessageReceiver.h"
#include "bus/IMessageSender.h"
#include "link/CZKLinkHold.h"
#include "sms/SmsPduEncoder.h"

#include <QDialog>
#include <QString>

#include <atomic>

namespace Ui {
class CZKNewSMS;
}

// The dialog in which the operator writes one SMS to one number, or one short code, and sends
// it. It talks to the unit only through the bus: commands go out as "INTERNAL" sends, and the
// unit's raw replies come back through receiveMessage(), which turns them into signals that end
// the flows' waits on the GUI thread.
class CZKNewSMS : public QDialog, public IMessageSender, public IMessageReceiver {
    Q_OBJECT
public:
    explicit CZKNewSMS(QWidget* parent = nullptr);
    ~CZKNewSMS() override;

    void setEnabledMode(bool sms);
    void setMSISDN(const QString& number);
    void setQuotedText(const QString& text);
    void setMessage(const QString& text);

    bool isMSISDNValid() const;

    // Runs on the bus thread: reads only the atomic flags and emits.
    void receiveMessage(int type, QString msg, QString desc) override;

    // Polls of 1000 ms each; Pacing shortens them in tests.
    static constexpr int PollMs = 1000;
    static constexpr int SmscPolls = 31;
    static constexpr int SendPolls = 60;
    static constexpr int QueryPolls = 60;
    static constexpr int CopsAttempts = 18;
    static constexpr int CopsPollsPerAttempt = 10;
    static constexpr int CusdPolls = 180;

signals:
    void smsPrompt();
    void smsError();
    void smsSuccess();
    void smscSuccess(QString msg);
    void selRAT(QString msg);
    void band(QString msg);
    void cops(QString msg);
    void cusd(QString msg);
    // A plain "ERROR" result, which names no command: the reply's echo tells whose it is.
    void commandError(QString msg);

public slots:
    void send();
    void cancel();
    void editMessageChenged();
    void promptSMS();
    void errorSMS();
    void successSMS();
    void successSMSC(QString msg);
    void getBAND(QString msg);
    void getSELRAT(QString msg);
    void msisdns();
    void getCOPS(QString msg);
    void getCUSD(QString msg);

private slots:
    void errorCommand(QString msg);

private:
    friend class TestNewSMS; // sets the send-wait flag to drive the reply routing alone

    // The reply that may end the wait that runs now; a reply meant for another wait is kept
    // (the saved settings) but never ends this one.
    enum class Awaited { Nothing, ServiceCentre, Submit, RatSetting, BandSetting, Operator, Answer };
    enum class SubmitOutcome { Sent, Error, TimedOut };

    bool readSMSC();
    void sendSMSPDU();
    void sendSMSPDULong();
    // "AT+CMGS=<tpduLength>" and the send wait.
    SubmitOutcome submitOne(quint32 tpduLength);
    // The closing box; a success is recorded first. `flow` names the caller in bus errors.
    void showSendOutcome(SubmitOutcome outcome, const char* flow);
    void recordSentMessage(const char* flow);
    QString messageText() const;

    void sendUSSD();
    bool queryOperator();
    bool waitForResponse();
    void restoreRATAndBand();
    bool replyWait(Awaited kind, const QString& command);
    void queryFailureExit(const QString& text);

    void sendCommand(const QString& command);
    // The wait that runs from now on, and the command it waits on (none for a wait that a
    // plain "ERROR" does not end).
    void setAwaited(Awaited kind, const QString& command = QString());

    // Declared first, so it stands before any member exists and after the others are gone: no
    // probe may reach the unit while the composer can still talk to it.
    CZKLinkHold linkHold;
    Ui::CZKNewSMS* form;
    std::atomic<bool> smsMode{true};
    bool waitingReply = false;
    bool replyError = false;
    std::atomic<bool> submitPending{false};
    QString msisdn;
    QString message;
    SmsPduEncoder encoder;
    QString smscNumber;
    bool multipart = false;
    int partIndex = 0;
    QString savedRAT;
    QString savedBand;
    bool waitingCOPS = true;
    bool waitingCUSD = true;
    Awaited awaited = Awaited::Nothing;
    // The unit's echoes of the commands the running wait is for: the command, and after the
    // prompt the PDU that continues "AT+CMGS".
    QStringList awaitedEchoes;
    bool pduSent = false;
};
