#include "compose/CZKNewSMS.h"

#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "compose/CZKKeyPressFilter.h"
#include "compose/CZKMSISDNSList.h"
#include "compose/MessageLength.h"
#include "sms/GsmAlphabet.h"

#include "ui_CZKNewSMS.h"

#include <QRegularExpression>
#include <QTextDocument>

CZKNewSMS::CZKNewSMS(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::CZKNewSMS)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);

    connect(form->pbSend, &QPushButton::clicked, this, &CZKNewSMS::send);
    connect(form->pbCancel, &QPushButton::clicked, this, &CZKNewSMS::cancel);
    connect(form->editMessage, &QPlainTextEdit::textChanged, this, &CZKNewSMS::editMessageChenged);
    // receiveMessage() emits these on the bus thread; the automatic connections queue them.
    connect(this, &CZKNewSMS::smsPrompt, this, &CZKNewSMS::promptSMS);
    connect(this, &CZKNewSMS::smsError, this, &CZKNewSMS::errorSMS);
    connect(this, &CZKNewSMS::smsSuccess, this, &CZKNewSMS::successSMS);
    connect(this, &CZKNewSMS::smscSuccess, this, &CZKNewSMS::successSMSC);
    connect(this, &CZKNewSMS::selRAT, this, &CZKNewSMS::getSELRAT);
    connect(this, &CZKNewSMS::band, this, &CZKNewSMS::getBAND);
    connect(this, &CZKNewSMS::cops, this, &CZKNewSMS::getCOPS);
    connect(this, &CZKNewSMS::cusd, this, &CZKNewSMS::getCUSD);
    connect(this, &CZKNewSMS::commandError, this, &CZKNewSMS::errorCommand);
    connect(form->tbMSISDN, &QToolButton::clicked, this, &CZKNewSMS::msisdns);
    connect(form->editMSISDN, &CZKMSISDNClickedLineEdit::showMSISDN, this, &CZKNewSMS::msisdns);

    form->editMessage->installEventFilter(new CZKKeyPressFilter(this));
    form->editMessage->document()->setUndoRedoEnabled(false);

    joinBus();
}

CZKNewSMS::~CZKNewSMS()
{
    leaveBus();
    delete form;
}

void CZKNewSMS::setEnabledMode(bool sms)
{
    smsMode = sms;
    form->editMessage->smsMode = sms;
    form->labelCheraktersCount->setVisible(sms);
    form->tbMSISDN->setEnabled(sms);
    form->editMSISDN->setEnabled(sms);
}

void CZKNewSMS::setMSISDN(const QString& number)
{
    msisdn = number;
    form->editMSISDN->setText(number);
}

void CZKNewSMS::setQuotedText(const QString& text)
{
    setMessage(QStringLiteral("> ") + text);
}

void CZKNewSMS::setMessage(const QString& text)
{
    message = text;
    form->editMessage->setPlainText(text);
}

QString CZKNewSMS::messageText() const
{
    return form->editMessage->toPlainText();
}

void CZKNewSMS::cancel()
{
    reject();
}

void CZKNewSMS::errorSMS()
{
    replyError = true;
}

void CZKNewSMS::errorCommand(QString msg)
{
    // Only the echo at the head of the reply says which command was refused: a poll's or the
    // watchdog's refusal must not end a wait for the unit's answer to ours.
    static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
    QString echo = msg.section(lineBreak, 0, 0).trimmed();
    if (echo.endsWith(QChar(26)))
        echo.chop(1);
    if (awaited != Awaited::Nothing && !echo.isEmpty() && awaitedEchoes.contains(echo, Qt::CaseInsensitive))
        replyError = true;
}

void CZKNewSMS::successSMS()
{
    if (awaited == Awaited::Submit)
        waitingReply = false;
}

void CZKNewSMS::msisdns()
{
    CZKMSISDNSList chooser(this);
    chooser.exec();
    if (!chooser.msisdn.isEmpty())
        form->editMSISDN->setText(chooser.msisdn);
}

bool CZKNewSMS::isMSISDNValid() const
{
    if (msisdn.size() < 3)
        return false;
    for (int i = 0; i < msisdn.size(); ++i) {
        const QChar c = msisdn.at(i);
        if (c == QLatin1Char('+') && i == 0)
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

void CZKNewSMS::receiveMessage(int type, QString msg, QString desc)
{
    Q_UNUSED(desc)
    if (type != Receive)
        return;
    const QString upper = msg.toUpper();
    auto has = [&upper](const char* text) { return upper.contains(QLatin1String(text)); };
    // A unit that is not told to report "+CME ERROR: " refuses a command with "ERROR" alone.
    static const QRegularExpression plainError(QStringLiteral("(^|[\r\n])[ \t]*ERROR[ \t]*([\r\n]|$)"));

    if (smsMode) {
        if (msg.contains(QLatin1String("> ")))
            emit smsPrompt();
        else if (has("+CME ERROR: ") && submitPending)
            emit smsError();
        else if (has("+CMS ERROR: "))
            emit smsError();
        else if (has("+CMGS: ") && submitPending)
            emit smsSuccess();
        else if (has("+CSCA: "))
            emit smscSuccess(msg);
        else if (upper.contains(plainError))
            emit commandError(msg);
        return;
    }
    if (has("+CUSD: "))
        emit cusd(msg);
    else if (has("+COPS: "))
        emit cops(msg);
    else if (has("!SELRAT: "))
        emit selRAT(msg);
    else if (has("!GBAND: "))
        emit band(msg);
    else if (has("+CME ERROR: "))
        emit smsError();
    else if (upper.contains(plainError))
        emit commandError(msg);
}

void CZKNewSMS::editMessageChenged()
{
    // Counted as the encoder will pack it, so the label tells what the message costs.
    const QString text = messageText();
    const bool gsm7 = isGsm7Encodable(text);
    const int length = MessageLength::of(text);
    const int single = gsm7 ? SmsPduEncoder::SingleSeptets : SmsPduEncoder::SingleUcs2Units;
    const int part = gsm7 ? SmsPduEncoder::PartSeptets : SmsPduEncoder::PartUcs2Units;
    const int limit = MessageLength::limitOf(text);

    if (length <= single) {
        form->labelCheraktersCount->setText(tr("Chars: %1").arg(single - length));
        return;
    }
    const int parts = (length + part - 1) / part;
    const QString left = length >= limit ? QStringLiteral("0") : QString::number(part * parts - length);
    form->labelCheraktersCount->setText(tr("SMS/Chars: %1/(%2)%3").arg(parts).arg(length).arg(left));
}

void CZKNewSMS::send()
{
    if (!smsMode) {
        sendUSSD();
        return;
    }
    const QString title = tr("Send message");
    msisdn = form->editMSISDN->text();
    if (!isMSISDNValid()) {
        if (CZKPrompt::question(this, title, tr("MSISDN is incorrect, close window?"),
                                QMessageBox::Ok | QMessageBox::Cancel)
            == QMessageBox::Ok)
            reject();
        return;
    }
    const QString text = messageText();
    if (text.isEmpty()
        && CZKPrompt::warning(this, title, tr("Message is empty, send?"), QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
        return;

    readSMSC();
    if (smscNumber.isEmpty()) {
        if (CZKPrompt::warning(this, title, tr("Read SMSC center MSISDN error, close window?"),
                               QMessageBox::Ok | QMessageBox::Cancel)
            == QMessageBox::Ok)
            reject();
        return;
    }

    const bool gsm7 = isGsm7Encodable(text);
    const int single = gsm7 ? SmsPduEncoder::SingleSeptets : SmsPduEncoder::SingleUcs2Units;
    multipart = MessageLength::of(text) > single;
    if (multipart)
        sendSMSPDULong();
    else
        sendSMSPDU();
}

void CZKNewSMS::sendCommand(const QString& command)
{
    sendMessage(Send, command, internalTag());
}

void CZKNewSMS::setAwaited(Awaited kind, const QString& command)
{
    awaited = kind;
    awaitedEchoes.clear();
    if (!command.isEmpty())
        awaitedEchoes << command;
}
