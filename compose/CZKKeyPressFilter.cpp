#include "compose/CZKKeyPressFilter.h"

#include "compose/CZKSMSPlainTextEdit.h"
#include "compose/MessageLength.h"

#include <QKeySequence>
#include <QKeyEvent>
#include <QTextCursor>

namespace {
// What the text edit types for a key press: Enter a line end, Tab a tab unless it moves the
// focus, any other key its printable text; nothing for Ctrl combinations and control characters.
QString typedText(const CZKSMSPlainTextEdit* field, const QKeyEvent* key)
{
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier ? QStringLiteral("\n") : QString();
    case Qt::Key_Tab:
        return modifiers == Qt::NoModifier && !field->tabChangesFocus() ? QStringLiteral("\t") : QString();
    default:
        break;
    }
    const QString text = key->text();
    if (text.isEmpty() || modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
        return QString();
    const uint first = text.toUcs4().value(0);
    const bool typed = QChar::isPrint(first) || QChar::category(first) == QChar::Other_PrivateUse
        || QChar::category(first) == QChar::Other_Format;
    return typed ? text : QString();
}

// Keys that leave the text as it is, or only shorten it: they move the cursor, select, copy or
// delete, so they are never held back, not even at the limit, where the operator needs them to
// select a full message and clear it.
bool addsNothing(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
        return true;
    default:
        return key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Copy)
            || key->matches(QKeySequence::Cut);
    }
}

// Whether the text that typing `typed` over the selection leaves is longer than it may be, in
// the coding that text then needs: a 7-bit text that takes one UCS2 character is measured
// against the smaller limit at once.
bool typesPastTheLimit(const CZKSMSPlainTextEdit* field, const QString& text, const QString& typed)
{
    const QTextCursor cursor = field->textCursor();
    const QString after = QString(text).replace(cursor.selectionStart(),
                                                cursor.selectionEnd() - cursor.selectionStart(), typed);
    return MessageLength::of(after) > MessageLength::limitOf(after);
}
} // namespace

CZKKeyPressFilter::CZKKeyPressFilter(QObject* parent)
    : QObject(parent)
{
}

CZKKeyPressFilter::~CZKKeyPressFilter() = default;

bool CZKKeyPressFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched
        || watched->objectName() != QLatin1String("editMessage"))
        return QObject::eventFilter(watched, event);
    auto* field = qobject_cast<CZKSMSPlainTextEdit*>(watched);
    if (!field || !field->smsMode)
        return QObject::eventFilter(watched, event);

    auto* key = static_cast<QKeyEvent*>(event);
    // The field cuts a paste to what fits in place of the selection it replaces, so the key
    // that pastes goes through even at the limit: over a selection it may well fit.
    if (addsNothing(key) || key->matches(QKeySequence::Paste))
        return QObject::eventFilter(watched, event);
    const QString text = field->document()->toPlainText();
    // A key is judged by the text it leaves: an extension character takes two septets, an emoji
    // two UTF-16 units, and one character that 7-bit cannot carry changes the limit.
    const QString typed = typedText(field, key);
    if (!typed.isEmpty())
        return typesPastTheLimit(field, text, typed) || QObject::eventFilter(watched, event);
    if (MessageLength::of(text) < MessageLength::limitOf(text))
        return QObject::eventFilter(watched, event);
    // What else a key does to a full text (undo, leaving the dialog) is not foreseen here;
    // modifiers do not matter, Ctrl+Z would grow the text just the same.
    return true;
}
