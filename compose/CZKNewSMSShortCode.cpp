#include "compose/CZKNewSMS.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"

#include <QRegularExpression>

namespace {
const QMessageBox::StandardButtons OkCancel = QMessageBox::Ok | QMessageBox::Cancel;

// The modem's RAT settings by the name its "!SELRAT: " answer gives them.
struct RatRow {
    const char* name;
    const char* command;
};
constexpr RatRow ratRows[] = {
    {"AUTOMATIC", "AT!SELRAT=00"},
    {"GSM 2G ONLY", "AT!SELRAT=02"},
    {"UMTS 3G ONLY", "AT!SELRAT=01"},
    {"LTE ONLY", "AT!SELRAT=06"},
};
} // namespace

void CZKNewSMS::getSELRAT(QString msg)
{
    savedRAT = msg;
    if (awaited == Awaited::RatSetting)
        waitingReply = false;
}

void CZKNewSMS::getBAND(QString msg)
{
    savedBand = msg;
    if (awaited == Awaited::BandSetting)
        waitingReply = false;
}

void CZKNewSMS::getCOPS(QString msg)
{
    // A late answer to an earlier attempt must not fail the wait for the code's answer.
    if (awaited != Awaited::Operator)
        return;
    waitingCOPS = false;
    const QStringList parts = msg.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() < 4)
        replyError = true;
    else if (msg.toUpper().contains(QLatin1String("LIMITED SERVICE")))
        replyError = true;
    else if (parts.at(3).trimmed().startsWith(QLatin1Char('7'))) // E-UTRAN carries no USSD here
        replyError = true;
    else
        replyError = false;
}

void CZKNewSMS::getCUSD(QString msg)
{
    Q_UNUSED(msg)
    if (awaited == Awaited::Answer)
        waitingCUSD = false;
}

bool CZKNewSMS::replyWait(Awaited kind, const QString& command)
{
    replyError = false;
    waitingReply = true;
    setAwaited(kind, command);
    sendCommand(command);
    bool received = false;
    for (int poll = 0; poll < QueryPolls; ++poll) {
        waitMs(PollMs);
        if (replyError)
            break;
        if (!waitingReply) {
            received = true;
            break;
        }
    }
    setAwaited(Awaited::Nothing);
    return received;
}

void CZKNewSMS::queryFailureExit(const QString& text)
{
    // The box may wait long for the operator; the unit must not stay paused meanwhile.
    sendCommand(QStringLiteral("at#RUN=1"));
    endBusy();
    if (CZKPrompt::critical(this, tr("Send short code"), text, OkCancel) == QMessageBox::Ok)
        accept();
}

bool CZKNewSMS::queryOperator()
{
    const QString command = QStringLiteral("AT+COPS?");
    sendCommand(command);
    setAwaited(Awaited::Operator, command);
    bool registered = false;
    bool askAgain = false;
    for (int attempt = 0; attempt < CopsAttempts; ++attempt) {
        if (askAgain) {
            waitMs(PollMs);
            sendCommand(command);
        }
        waitingCOPS = true;
        replyError = false;
        for (int poll = 0; poll < CopsPollsPerAttempt; ++poll) {
            waitMs(PollMs);
            if (!waitingCOPS || replyError)
                break;
        }
        // An unacceptable answer is asked again; silence is waited out on the same question.
        askAgain = replyError;
        if (!replyError && !waitingCOPS) {
            registered = true;
            break;
        }
    }
    setAwaited(Awaited::Nothing);
    return registered;
}

bool CZKNewSMS::waitForResponse()
{
    for (int poll = 0; poll < CusdPolls; ++poll) {
        waitMs(PollMs);
        if (replyError)
            return false;
        if (!waitingCUSD)
            return true;
    }
    return false;
}

void CZKNewSMS::restoreRATAndBand()
{
    const QString rat = savedRAT.toUpper();
    bool named = false;
    for (const RatRow& row : ratRows) {
        if (rat.contains(QLatin1String(row.name))) {
            sendCommand(QLatin1String(row.command));
            named = true;
        }
    }
    // A mode the table does not name ("03, UMTS 3G Preferred") goes back by its own code.
    static const QRegularExpression code(QStringLiteral("!SELRAT:\\s*(\\d{2})\\b"));
    const QRegularExpressionMatch match = code.match(rat);
    if (!named && match.hasMatch())
        sendCommand(QStringLiteral("AT!SELRAT=%1").arg(match.captured(1)));

    // The band was switched whatever the RAT was, so it goes back whenever it was read.
    savedBand.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    const QStringList lines = savedBand.split(QLatin1Char('\r'), Qt::SkipEmptyParts);
    const QLatin1String prefix("!GBAND: ");
    for (const QString& line : lines) {
        const int at = line.toUpper().indexOf(prefix);
        if (at < 0)
            continue;
        const QStringList parts = line.mid(at + prefix.size()).split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (parts.size() < 3)
            continue;
        sendCommand(QStringLiteral("AT!ENTERCND = \"C962\";!GBAND = %1,%2")
                        .arg(parts.at(1).trimmed(), parts.at(2).trimmed()));
        return;
    }
}

void CZKNewSMS::sendUSSD()
{
    const QString title = tr("Send short code");
    const QString code = messageText();
    if (code.isEmpty()) {
        if (CZKPrompt::warning(this, title, tr("Short code tekst is empty, close window?"), OkCancel)
            == QMessageBox::Ok)
            accept();
        return;
    }
    // The code goes inside a quoted argument: a quote or a line break would end the command.
    static const QRegularExpression unsafe(QStringLiteral("[\"\\r\\n\\x{1A}]"));
    if (code.contains(unsafe)) {
        CZKPrompt::warning(this, title, tr("The short code may not hold quotes or line breaks."), QMessageBox::Ok);
        return;
    }

    savedRAT.clear();
    savedBand.clear();
    beginBusy();
    sendCommand(QStringLiteral("AT+CMGF=1"));
    waitMs(100);
    sendCommand(QStringLiteral("AT#RUN=0"));
    waitMs(100);

    if (!replyWait(Awaited::RatSetting, QStringLiteral("AT!SELRAT?"))) {
        queryFailureExit(tr("Send short code error (As BAND Error), close window?"));
        return;
    }
    if (!replyWait(Awaited::BandSetting, QStringLiteral("AT!ENTERCND=\"C962\";!GBAND?"))) {
        queryFailureExit(tr("Send short code error (Ask BAND Error), close window?"));
        return;
    }

    sendCommand(QStringLiteral("AT!SELRAT=05"));
    waitMs(1000);
    sendCommand(QStringLiteral("AT!BAND=00"));
    waitMs(1000);

    if (!queryOperator()) {
        // The radio goes back before the box: while it waits for the operator, the unit would
        // otherwise stay switched and paused.
        restoreRATAndBand();
        sendCommand(QStringLiteral("at#RUN=1"));
        endBusy();
        if (CZKPrompt::critical(this, title, tr("Wait for network error, close window?"), OkCancel)
            == QMessageBox::Ok)
            accept();
        return;
    }

    waitMs(3000);
    replyError = false;
    waitingCUSD = true;
    const QString command = QStringLiteral("AT+CUSD=1,\"%1\",15").arg(code);
    setAwaited(Awaited::Answer, command);
    sendCommand(command);

    if (CZKDataBase* const db = database()) {
        const int simCardId = db->activeSimCardId();
        if (simCardId >= 0)
            db->addSentMessage(QStringLiteral("Network"), code, simCardId, true);
    } else {
        sendMessage(Error, QStringLiteral("Internal Error 1 sendUSSD"), QString());
    }

    const bool answered = waitForResponse();
    setAwaited(Awaited::Nothing);
    restoreRATAndBand();
    sendCommand(QStringLiteral("at#RUN=1"));
    endBusy();

    if (answered) {
        if (CZKPrompt::question(this, title, tr("Short code send, close window?"), OkCancel) == QMessageBox::Ok)
            accept();
    } else if (CZKPrompt::critical(this, title, tr("Wait for response error, close window?"), OkCancel)
               == QMessageBox::Ok) {
        reject();
    }
}
