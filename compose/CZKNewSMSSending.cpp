#include "compose/CZKNewSMS.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "sms/GsmAlphabet.h"

#include <QProgressDialog>
#include <QRegularExpression>

#include <algorithm>

bool CZKNewSMS::readSMSC()
{
    // A number or an error left from an earlier Send must not stand for this one.
    smscNumber.clear();
    replyError = false;
    beginBusy();
    setAwaited(Awaited::ServiceCentre);
    waitingReply = true;
    sendCommand(QStringLiteral("AT+CSCA?"));
    for (int poll = 0; poll < SmscPolls; ++poll) {
        waitMs(PollMs);
        if (!waitingReply || replyError)
            break;
    }
    setAwaited(Awaited::Nothing);
    endBusy();
    if (!replyError)
        return true;
    sendMessage(Error, QStringLiteral("Read SMSC Center number FAILED"), QString());
    return false;
}

void CZKNewSMS::successSMSC(QString msg)
{
    if (awaited != Awaited::ServiceCentre)
        return;
    waitingReply = false;
    smscNumber.clear();
    // The unit may echo the command first; the number is the first quoted field of its answer.
    static const QRegularExpression field(QStringLiteral("\\+CSCA:\\s*\"([^\"]*)\""),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = field.match(msg);
    if (match.hasMatch())
        smscNumber = match.captured(1);
}

void CZKNewSMS::promptSMS()
{
    // A prompt outside this send wait, or a second one within it, would put the PDU where the
    // unit no longer expects it: as the text of whatever comes next.
    if (!submitPending || awaited != Awaited::Submit || pduSent)
        return;
    pduSent = true;
    QString pduText;
    if (!multipart) {
        SmsSubmitPdu pdu;
        if (encoder.getSubmitPdu(&pdu))
            pduText = QString::fromLatin1(pdu.pduText);
    } else {
        SmsMultipartPdu parts;
        if (encoder.getMultipartPdu(&parts) && partIndex < parts.partCount)
            pduText = QString::fromLatin1(parts.parts[partIndex]->pduText);
    }
    if (pduText.isEmpty())
        return;
    // The unit answers the PDU for "AT+CMGS", under the PDU's echo.
    awaitedEchoes << pduText.left(pduText.indexOf(QChar(26)));
    sendCommand(pduText);
}

CZKNewSMS::SubmitOutcome CZKNewSMS::submitOne(quint32 tpduLength)
{
    replyError = false;
    waitingReply = true;
    pduSent = false;
    const QString command = QStringLiteral("AT+CMGS=%1").arg(tpduLength);
    setAwaited(Awaited::Submit, command);
    submitPending = true;
    sendCommand(command);
    for (int poll = 0; poll < SendPolls; ++poll) {
        waitMs(PollMs);
        if (!waitingReply || replyError)
            break;
    }
    submitPending = false;
    setAwaited(Awaited::Nothing);
    if (replyError)
        return SubmitOutcome::Error;
    if (waitingReply) {
        // A unit still at its prompt would take the next command as message text; ESC makes
        // it drop the message instead.
        sendCommand(QString(QChar(27)));
        return SubmitOutcome::TimedOut;
    }
    return SubmitOutcome::Sent;
}

void CZKNewSMS::showSendOutcome(SubmitOutcome outcome, const char* flow)
{
    const QString title = tr("Send message");
    const QMessageBox::StandardButtons buttons = QMessageBox::Ok | QMessageBox::Cancel;
    switch (outcome) {
    case SubmitOutcome::Sent:
        recordSentMessage(flow);
        if (CZKPrompt::question(this, title, tr("Send message success, close window?"), buttons) == QMessageBox::Ok)
            accept();
        return;
    case SubmitOutcome::TimedOut:
        if (CZKPrompt::warning(this, title, tr("Send message timeout, close window?"), buttons) == QMessageBox::Ok)
            reject();
        return;
    case SubmitOutcome::Error:
        if (CZKPrompt::warning(this, title, tr("Send message error, close window?"), buttons) == QMessageBox::Ok)
            reject();
        return;
    }
}

void CZKNewSMS::recordSentMessage(const char* flow)
{
    CZKDataBase* const db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 %1").arg(QLatin1String(flow)), QString());
        return;
    }
    const bool known = std::any_of(db->contacts.cbegin(), db->contacts.cend(),
                                   [this](const ContactRecord& contact) { return contact.msisdn == msisdn; });
    if (!known)
        db->addContact(msisdn, QString(), QString());
    const int simCardId = db->activeSimCardId();
    if (simCardId >= 0)
        db->addSentMessage(msisdn, message, simCardId, false);
}

void CZKNewSMS::sendSMSPDU()
{
    message = messageText();
    const QByteArray smsc = smscNumber.toUtf8();
    const QByteArray destination = msisdn.toUtf8();
    const bool encoded = isGsm7Encodable(message)
        ? encoder.encode7Bit(smsc.constData(), destination.constData(), message.toUtf8().constData())
        : encoder.encodeUcs2(smsc.constData(), destination.constData(), message.utf16());
    SmsSubmitPdu pdu;
    if (!encoded || !encoder.getSubmitPdu(&pdu)) {
        showSendOutcome(SubmitOutcome::Error, "sendSMSPDU");
        return;
    }

    beginBusy();
    sendCommand(QStringLiteral("AT+CMGF=0"));
    waitMs(PollMs);
    const SubmitOutcome outcome = submitOne(pdu.tpduLength);
    endBusy();
    showSendOutcome(outcome, "sendSMSPDU");
}

void CZKNewSMS::sendSMSPDULong()
{
    message = messageText();
    const QByteArray smsc = smscNumber.toUtf8();
    const QByteArray destination = msisdn.toUtf8();
    const bool encoded = isGsm7Encodable(message)
        ? encoder.encodeMulti7Bit(smsc.constData(), destination.constData(), message.toUtf8().constData(), "")
        : encoder.encodeMultiUcs2(smsc.constData(), destination.constData(), message.utf16());
    SmsMultipartPdu parts;
    if (!encoded || !encoder.getMultipartPdu(&parts)) {
        showSendOutcome(SubmitOutcome::Error, "sendSMSPDULong");
        return;
    }

    beginBusy();
    QProgressDialog progress(tr("Sending multipart message"), QString(), 0, parts.partCount, this);
    progress.setWindowFlags(progress.windowFlags() & ~Qt::WindowContextHelpButtonHint
                            & ~Qt::WindowCloseButtonHint);
    progress.setWindowModality(Qt::WindowModal);
    // A few parts are done in seconds, before the dialog's default delay would show it.
    progress.setMinimumDuration(0);
    progress.setValue(0);

    sendCommand(QStringLiteral("AT+CMGF=0"));
    waitMs(PollMs);
    sendCommand(QStringLiteral("AT#RUN=0"));
    for (int i = 0; i < parts.partCount; ++i) {
        progress.setValue(i);
        partIndex = i;
        const SubmitOutcome outcome = submitOne(parts.parts[i]->tpduLength);
        if (outcome != SubmitOutcome::Sent) {
            progress.close();
            endBusy();
            sendCommand(QStringLiteral("AT#RUN=1"));
            showSendOutcome(outcome, "sendSMSPDULong");
            return;
        }
    }
    progress.setValue(parts.partCount);
    sendCommand(QStringLiteral("AT#RUN=1"));
    endBusy();
    showSendOutcome(SubmitOutcome::Sent, "sendSMSPDULong");
}
