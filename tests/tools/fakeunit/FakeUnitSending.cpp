#include "FakeUnit.h"

// Sending SMS: "AT+CMGS" puts the unit at its "> " prompt; what comes next is the message, a
// PDU in PDU mode or text in text mode, up to Ctrl-Z, or is dropped by ESC. Like a real unit it
// takes anything that comes at the prompt, AT commands too, as part of the message.
namespace {

const QChar kCtrlZ(0x1A);
const QChar kEscape(0x1B);

// Echo and lines, a blank line, the result: the shape of every reply.
QByteArray shaped(const QString& echo, const QStringList& lines, const QString& result)
{
    return (QStringList{echo} + lines + QStringList{QString(), result, QString()}).join(QStringLiteral("\r\n")).toUtf8();
}

// For the log: one line, quoted.
QByteArray shown(QString text)
{
    return '"' + text.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n")).toUtf8()
        + '"';
}

bool isQuoted(const QString& text) { return text.size() >= 2 && text.startsWith('"') && text.endsWith('"'); }

} // namespace

QByteArray FakeUnit::startSending(const QString& command, const QStringList& args)
{
    if (cmgsSwitch == CmgsSwitch::Error)
        return shaped(command, {}, QStringLiteral("+CMS ERROR: 500"));
    if (messageFormat == 0) {
        bool ok = false;
        const int length = args.size() == 1 ? args.first().toInt(&ok) : 0;
        if (!ok || length < 1 || length > 255)
            return shaped(command, {}, QStringLiteral("+CMS ERROR: 304"));
        prompt = Prompt::Pdu;
        promptLength = length;
    } else {
        const QString first = args.value(0);
        const QString destination = isQuoted(first) ? first.mid(1, first.size() - 2) : first;
        if (destination.isEmpty())
            return shaped(command, {}, QStringLiteral("+CMS ERROR: 305"));
        prompt = Prompt::Text;
        promptDestination = destination;
    }
    promptText.clear();
    if (cmgsSwitch == CmgsSwitch::NoPrompt) {
        note("at the prompt without showing it");
        return command.toUtf8() + "\r\n";
    }
    return command.toUtf8() + "\r\n> ";
}

bool FakeUnit::answerAtPrompt(const QString& input, QByteArray* reply)
{
    const int escape = input.indexOf(kEscape);
    const int end = input.indexOf(kCtrlZ);
    if (escape >= 0 && (end < 0 || escape < end)) {
        note("message dropped by ESC at the prompt");
        prompt = Prompt::None;
        promptText.clear();
        *reply = shaped(input.left(escape), {}, QStringLiteral("OK"));
        return true;
    }
    if (end < 0) {
        promptText += input;
        QString echo = input;
        if (echo.endsWith(QLatin1Char('\r')))
            echo.chop(1);
        note("taken as message text at the prompt: " + shown(input));
        *reply = echo.toUtf8() + "\r\n> ";
        return true;
    }
    const QString message = promptText + input.left(end);
    const Prompt was = prompt;
    prompt = Prompt::None;
    promptText.clear();
    if (cmgsSwitch == CmgsSwitch::NoResult) {
        note("message taken without a result: " + shown(message));
        return false;
    }
    if (was == Prompt::Text) {
        note("text-mode sms to " + promptDestination.toUtf8() + ": " + shown(message));
        sentMessages.append(SentSms{promptDestination, message, QStringLiteral("text"), 1, true});
    } else {
        FakeSubmit submit;
        QString why;
        if (!FakeSubmit::decode(message.toLatin1(), promptLength, &submit, &why)) {
            note("PDU refused: " + why.toUtf8() + ": " + shown(message));
            *reply = shaped(input.left(end), {}, QStringLiteral("+CMS ERROR: 304"));
            return true;
        }
        takeSubmit(submit);
    }
    messageReference = (messageReference + 1) % 256;
    *reply = shaped(input.left(end), {QStringLiteral("+CMGS: %1").arg(messageReference)}, QStringLiteral("OK"));
    return true;
}

void FakeUnit::takeSubmit(const FakeSubmit& part)
{
    sentParts.append(part);
    const QString coding = FakeSubmit::codingName(part.coding);
    if (part.partCount <= 1) {
        note("sms to " + part.destination.toUtf8() + ", " + coding.toUtf8() + ", single: " + shown(part.text));
        sentMessages.append(SentSms{part.destination, part.text, coding, 1, false});
        return;
    }
    note(QStringLiteral("sms to %1, %2, part %3/%4, reference %5 (%6-bit): ")
             .arg(part.destination, coding)
             .arg(part.partNumber)
             .arg(part.partCount)
             .arg(part.reference)
             .arg(part.referenceBits)
             .toUtf8()
         + shown(part.text));
    const QString key = QStringLiteral("%1/%2/%3/%4").arg(part.destination).arg(part.referenceBits).arg(part.reference).arg(part.partCount);
    QMap<int, FakeSubmit>& set = openSets[key];
    set.insert(part.partNumber, part);
    if (set.size() < part.partCount)
        return;
    QString joined;
    for (const FakeSubmit& each : qAsConst(set))
        joined += each.text;
    openSets.remove(key);
    note("sms to " + part.destination.toUtf8() + ", " + QByteArray::number(part.partCount) + " parts joined: " + shown(joined));
    sentMessages.append(SentSms{part.destination, joined, coding, part.partCount, false});
}
