#pragma once

#include "bus/IMessageReceiver.h"
#include "bus/IMessageSender.h"

#include <QPlainTextEdit>

class QMenu;

// The hand AT terminal: the operator types a command on a line and presses Return; the unit's
// raw replies are written into the same text. The operator can only add text and erase from the
// end, so the terminal stays a faithful record of the session.
class CZKTerminalEditor : public QPlainTextEdit, public IMessageSender, public IMessageReceiver {
    Q_OBJECT
public:
    explicit CZKTerminalEditor(QWidget* parent = nullptr);
    ~CZKTerminalEditor() override;

    // Runs on the bus thread: touches nothing but `showAll` and the queued signal.
    void receiveMessage(int type, QString msg, QString desc) override;

    // Takes the entries that would change the text other than at its end (Undo, Redo, Cut,
    // Delete and the first separator) out of the editor's standard menu.
    static void reduceContextMenu(QMenu* menu);

    // Every raw reply is shown, also those to the program's own commands.
    bool showAll = false;

signals:
    void insertText(QString text);

public slots:
    void contextMenuRequest(QPoint pt);
    void textInsert(QString text);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Sends the cursor's line when it is an AT command; false when the line was refused.
    bool sendCurrentLine();
};
