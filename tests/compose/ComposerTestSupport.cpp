#include "ComposerTestSupport.h"

#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"

ScriptedUnit::ScriptedUnit()
{
    script("AT+CSCA?", {"AT+CSCA?\r\n+CSCA: \"+48602951111\",145\r\n\r\nOK\r\n"});
    script("AT+CMGS=", {"\r\n> "});
    script("PDU", {"\r\n+CMGS: 17\r\n\r\nOK\r\n"});
    script("AT!SELRAT?", {"AT!SELRAT?\r\n!SELRAT: 06, LTE Only\r\n\r\nOK\r\n"});
    script("AT!ENTERCND=\"C962\";!GBAND?", {"\r\n!GBAND: B20, 0000000000000000, 0000000000080000\r\n\r\nOK\r\n"});
    script("AT+COPS?", {"\r\n+COPS: 0,0,\"Fake Net\",2\r\n\r\nOK\r\n"});
    script("AT+CUSD=", {"\r\nOK\r\n\r\n+CUSD: 0,\"Balance 5\",15\r\n"});
    busProxy->addReceiver(this);
}

ScriptedUnit::~ScriptedUnit()
{
    busProxy->removeReceiver(this);
}

void ScriptedUnit::script(const QString& prefix, const QStringList& replies)
{
    QMutexLocker locker(&lock);
    answers.insert(prefix, replies);
    asked.remove(prefix);
}

void ScriptedUnit::receiveMessage(int type, QString msg, QString desc)
{
    if (type != Send)
        return;
    QMutexLocker locker(&lock);
    QString key = msg.endsWith(QChar(26)) ? QStringLiteral("PDU") : QString();
    if (key.isEmpty()) {
        for (auto it = answers.cbegin(); it != answers.cend(); ++it) {
            if (msg.startsWith(it.key()) && it.key().size() > key.size())
                key = it.key();
        }
    }
    if (key.isEmpty()) {
        busProxy->post(Receive, QStringLiteral("\r\nOK\r\n"), desc);
        return;
    }
    const QStringList& replies = answers[key];
    const QString reply = replies.value(qMin(asked[key]++, replies.size() - 1));
    for (const QString& datagram : reply.split(QLatin1Char('\f'), Qt::SkipEmptyParts))
        busProxy->post(Receive, datagram, desc);
}

QStringList commandsOf(const QStringList& busLines)
{
    QStringList commands;
    for (const QString& line : busLines) {
        if (!line.startsWith(QLatin1String("4|")))
            continue;
        QString command = line.section(QLatin1Char('|'), 1, -2);
        if (command.endsWith(QChar(26)))
            command = QStringLiteral("PDU");
        else if (command == QString(QChar(27)))
            command = QStringLiteral("ESC");
        commands << command;
    }
    return commands;
}

PromptLog::PromptLog(QMessageBox::StandardButton answer)
    : closeAnswer(answer)
{
    CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
        asked << call.title + QLatin1Char('|') + call.text;
        if (call.buttons == (QMessageBox::Ok | QMessageBox::Cancel))
            return closeAnswer;
        if (call.buttons == (QMessageBox::Yes | QMessageBox::No))
            return QMessageBox::Yes;
        return QMessageBox::Ok;
    });
}

PromptLog::~PromptLog()
{
    CZKPrompt::setResponder({});
}
