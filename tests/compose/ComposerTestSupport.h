#pragma once

#include "app/CZKPrompt.h"
#include "bus/IMessageReceiver.h"

#include <QHash>
#include <QMutex>
#include <QStringList>

// A unit on the bus: answers each type-4 command with type-5 replies from a script. A command
// is matched by the longest scripted prefix ("PDU" stands for a text ending in Ctrl-Z). Each
// script entry serves one asking, the last one every later asking; it holds the datagrams of
// the answer separated by "\f", and an empty entry is silence.
class ScriptedUnit : public IMessageReceiver {
public:
    ScriptedUnit();
    ~ScriptedUnit() override;

    void script(const QString& prefix, const QStringList& answers);
    void receiveMessage(int type, QString msg, QString desc) override;

private:
    QMutex lock;
    QHash<QString, QStringList> answers;
    QHash<QString, int> asked;
};

// The commands among BusRecorder lines, a PDU shown as "PDU" and ESC as "ESC".
QStringList commandsOf(const QStringList& busLines);

// Answers every box: `closeAnswer` to the Ok/Cancel ones, Yes to Yes/No, Ok to the rest; keeps
// "title|text" of each.
class PromptLog {
public:
    explicit PromptLog(QMessageBox::StandardButton closeAnswer = QMessageBox::Ok);
    ~PromptLog();

    QStringList asked;
    QMessageBox::StandardButton closeAnswer;
};
