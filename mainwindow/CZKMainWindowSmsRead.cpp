#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "link/CZKLinkHold.h"

#include <QRegularExpression>

// The read chain of the SIM's message store. A poll asks for the count and the store's size,
// then walks the positions from the top of the store down, skipping empty ones, until it has met
// as many messages as the count said: stores numbered from 0 or from 1, with gaps, are read
// whole. A message leaves the SIM only once the interpreter has stored it, in answer to the
// chain's own read of its position; the parts of a concatenated message stay until their set is
// stored. One chain runs at a time; it sends nothing while the link is held, and ends when its
// walk is done, when the link is lost, or when a command of it gets no answer.

namespace {

constexpr int kCountGapMs = 1000;     // after each store query
constexpr int kModeSwitchMs = 200;    // between the switch to PDU mode and the read
constexpr int kAfterDeleteMs = 500;   // before the next read
// No SIM store is larger; a size beyond it is a garbled answer, not hours of reads.
constexpr int kLargestStore = 255;

} // namespace

struct CZKMainWindow::SmsReadSteps {
    static void wire(CZKMainWindow& w)
    {
        if (w.smsChainWired)
            return;
        w.smsChainWired = true;
        w.smsChainTimer.setSingleShot(true);
        connect(&w.smsChainTimer, &QTimer::timeout, &w, [&w] {
            if (w.smsChain != SmsChain::Held)
                w.endSmsReadChain();
        });
        connect(CZKLinkHold::notifier(), &CZKLinkHoldNotifier::released, &w, [&w] { resume(w); });
    }

    // Sends unless the link is held; every command restarts the wait for an answer.
    static bool send(CZKMainWindow& w, const QString& command)
    {
        const bool sent = CZKLinkHold::unlessHeld([&w, &command] { w.sendMessage(Send, command, internalTag()); });
        if (sent)
            w.smsChainTimer.start(Pacing::ms(MainWindowTiming::kSmsAnswerTimeoutMs));
        return sent;
    }

    static void defer(CZKMainWindow& w, SmsStep step)
    {
        w.smsChain = SmsChain::Held;
        w.smsResume = step;
        w.smsChainTimer.stop();
    }

    static void resume(CZKMainWindow& w)
    {
        if (w.smsChain != SmsChain::Held)
            return;
        w.smsChain = SmsChain::Walking;
        switch (w.smsResume) {
        case SmsStep::Count:
            count(w);
            break;
        case SmsStep::Read:
            w.smsReceive();
            break;
        case SmsStep::Delete:
            w.smsDelete();
            break;
        }
    }

    static void count(CZKMainWindow& w)
    {
        const int run = w.smsChainRun;
        w.smsChain = SmsChain::Counting;
        if (!send(w, QStringLiteral("AT+CPMS=\"SM\""))) {
            defer(w, SmsStep::Count);
            return;
        }
        waitMs(kCountGapMs);
        // The walk may have begun meanwhile; the query only names the stores, so it may follow
        // the walk's commands, but not break into a held conversation.
        if (run == w.smsChainRun && w.smsChain != SmsChain::Held)
            send(w, QStringLiteral("AT+CPMS?"));
        waitMs(kCountGapMs);
        w.updateSMSActions();
    }

    // Whether an answer belongs to the read the chain waits for: the unit echoed that read, as
    // the program sent it.
    static bool answersOwnRead(const CZKMainWindow& w)
    {
        return w.smsChain == SmsChain::AwaitingRead && w.smsReadPosition >= 0
            && w.smsEchoPosition == w.smsReadPosition;
    }
};

void CZKMainWindow::readSMSFromDevice()
{
    if (!smsPollingEnabled || !linkWatchdog.isConnected() || smsChain != SmsChain::Idle)
        return;
    SmsReadSteps::wire(*this);
    ++smsChainRun;
    SmsReadSteps::count(*this);
}

void CZKMainWindow::smsCountReported(const QString& value)
{
    bool valid = false;
    smsCount = value.toInt(&valid, 10);
    const int storeSize = smsStoreSize;
    smsStoreSize = -1;
    if (smsChain != SmsChain::Idle && smsChain != SmsChain::Counting)
        return;
    if (!valid || smsCount <= 0) {
        if (smsChain == SmsChain::Counting)
            endSmsReadChain();
        return;
    }
    SmsReadSteps::wire(*this);
    if (smsChain == SmsChain::Idle)
        ++smsChainRun;
    smsToMeet = smsCount;
    // Without a size the count is taken as the top: a store without gaps is read whole from
    // either first position.
    smsPosition = qMin(storeSize >= 0 ? storeSize : smsCount, kLargestStore);
    smsDeletions.clear();
    smsChain = SmsChain::Walking;
    smsChainTimer.stop();
    emit receiveSMS();
}

void CZKMainWindow::smsStoreSizeReported(const QString& value)
{
    bool valid = false;
    const int size = value.toInt(&valid, 10);
    smsStoreSize = valid && size >= 0 ? size : -1;
}

void CZKMainWindow::watchSmsReadEcho(const QString& reply, const QString& tag)
{
    static const QRegularExpression echo(QStringLiteral("^\\s*AT\\+CMGR=\\s*(\\d+)\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption
                                             | QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = echo.match(QString(reply).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    if (!match.hasMatch())
        return;
    bool valid = false;
    const int position = match.captured(1).toInt(&valid, 10);
    smsEchoPosition = valid && tag == internalTag() ? position : -1;
}

void CZKMainWindow::smsReceive()
{
    if (smsChain != SmsChain::Walking)
        return;
    if (smsToMeet <= 0 || smsPosition < 0) {
        endSmsReadChain();
        return;
    }
    const int run = smsChainRun;
    const int position = smsPosition;
    if (!SmsReadSteps::send(*this, QStringLiteral("AT+CMGF=0"))) {
        SmsReadSteps::defer(*this, SmsStep::Read);
        return;
    }
    waitMs(kModeSwitchMs);
    if (run != smsChainRun || smsChain != SmsChain::Walking)
        return;
    smsEchoPosition = -1;
    if (!SmsReadSteps::send(*this, QStringLiteral("AT+CMGR=%1").arg(position))) {
        SmsReadSteps::defer(*this, SmsStep::Read);
        return;
    }
    smsReadPosition = position;
    smsPosition = position - 1;
    smsChain = SmsChain::AwaitingRead;
}

void CZKMainWindow::smsPartsStored(const QString& value)
{
    if (!SmsReadSteps::answersOwnRead(*this))
        return;
    for (const QString& field : value.split(QLatin1Char(','))) {
        bool valid = false;
        const int position = field.trimmed().toInt(&valid, 10);
        if (valid && position >= 0 && position != smsReadPosition && !smsDeletions.contains(position))
            smsDeletions.append(position);
    }
}

void CZKMainWindow::smsReadAnswered(const QString& value)
{
    if (!SmsReadSteps::answersOwnRead(*this))
        return;
    smsEchoPosition = -1;
    smsChainTimer.stop();
    smsChain = SmsChain::Walking;
    if (value != QLatin1String("EMPTY"))
        --smsToMeet;
    const bool storedBefore = value == QLatin1String("DUPLICATE");
    if (value.isEmpty() || storedBefore) {
        // Stored: the message is taken. One stored before is no news and no new row.
        smsDeletions.prepend(smsReadPosition);
        if (!storedBefore) {
            markNewMessage();
            showStoredMessages();
        }
    }
    if (smsDeletions.isEmpty())
        emit receiveSMS();
    else
        emit deleteSMS();
}

void CZKMainWindow::smsDelete()
{
    if (smsChain != SmsChain::Walking || smsDeletions.isEmpty())
        return;
    const int run = smsChainRun;
    if (!SmsReadSteps::send(*this, QStringLiteral("AT+CMGF=1"))) {
        SmsReadSteps::defer(*this, SmsStep::Delete);
        return;
    }
    while (!smsDeletions.isEmpty()) {
        if (!SmsReadSteps::send(*this, QStringLiteral("AT+CMGD=%1").arg(smsDeletions.first()))) {
            SmsReadSteps::defer(*this, SmsStep::Delete);
            return;
        }
        smsDeletions.removeFirst();
        smsCount = qMax(0, smsCount - 1);
    }
    waitMs(kAfterDeleteMs);
    if (run != smsChainRun || smsChain != SmsChain::Walking)
        return;
    emit receiveSMS();
}

void CZKMainWindow::endSmsReadChain()
{
    ++smsChainRun;
    smsChain = SmsChain::Idle;
    smsChainTimer.stop();
    smsDeletions.clear();
    smsReadPosition = -1;
    smsEchoPosition = -1;
}
