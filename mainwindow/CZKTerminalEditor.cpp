#include "mainwindow/CZKTerminalEditor.h"

#include "app/CZKGlobals.h"
#include "app/CZKOptions.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBlock>

#include <memory>

namespace {

// A command goes to the unit as one line: a control character (a line break pasted in, a Ctrl-Z
// that would end an SMS text, a line separator from Shift+Return) would make it several
// commands or a different one.
bool holdsControlCharacter(const QString& line)
{
    for (const QChar c : line) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    }
    return false;
}

} // namespace

CZKTerminalEditor::CZKTerminalEditor(QWidget* parent)
    : QPlainTextEdit(parent)
{
    connect(this, &QWidget::customContextMenuRequested, this, &CZKTerminalEditor::contextMenuRequest);
    // Emitted on the bus thread: the text changes on the GUI thread only.
    connect(this, &CZKTerminalEditor::insertText, this, &CZKTerminalEditor::textInsert, Qt::QueuedConnection);
    if (options())
        showAll = options()->termAll;
    joinBus();
}

CZKTerminalEditor::~CZKTerminalEditor()
{
    leaveBus();
}

void CZKTerminalEditor::receiveMessage(int type, QString msg, QString desc)
{
    if (type != Receive)
        return;
    if (!showAll && desc == internalTag())
        return;
    emit insertText(msg);
}

void CZKTerminalEditor::textInsert(QString text)
{
    insertPlainText(text);
    ensureCursorVisible();
    emit textChanged();
}

void CZKTerminalEditor::reduceContextMenu(QMenu* menu)
{
    const QList<QAction*> actions = menu->actions();
    for (const int position : {6, 3, 2, 1, 0}) {
        if (position < actions.size())
            menu->removeAction(actions.at(position));
    }
}

void CZKTerminalEditor::contextMenuRequest(QPoint pt)
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (!menu)
        return;
    reduceContextMenu(menu.get());
    menu->exec(viewport()->mapToGlobal(pt));
}

bool CZKTerminalEditor::sendCurrentLine()
{
    const QString line = textCursor().block().text().trimmed();
    if (line.isEmpty() || !line.toUpper().startsWith(QLatin1String("AT")))
        return true;
    if (holdsControlCharacter(line)) {
        CZKPrompt::warning(this, tr("Warning"),
                           tr("The command holds a line break or another control character, so it was not sent."));
        return false;
    }
    sendMessage(Send, line, QString());
    return true;
}

void CZKTerminalEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A refused line stays as it is, for the operator to mend.
        if (!sendCurrentLine()) {
            event->accept();
            return;
        }
        break;
    case Qt::Key_Backspace: {
        const QTextCursor cursor = textCursor();
        if (cursor.block().text().trimmed().isEmpty() || !cursor.atEnd()) {
            event->accept();
            return;
        }
        break;
    }
    case Qt::Key_Delete:
        event->accept();
        return;
    default:
        break;
    }
    if (event->matches(QKeySequence::Cut)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}
