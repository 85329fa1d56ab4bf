#include "compose/CZKKeyPressFilter.h"

#include "compose/CZKSMSPlainTextEdit.h"
#include "compose/MessageLength.h"
#include "sms/GsmAlphabet.h"

#include <QKeyEvent>
#include <QTextCursor>

namespace {
// What the text edit types for a key press: it leaves out Ctrl combinations and control
// characters.
QString typedText(const QKeyEvent* key)
{
    const QString text = key->text();
    if (text.isEmpty() || key->modifiers() == Qt::ControlModifier
        || key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier))
        return QString();
    const uint first = text.toUcs4().value(0);
    const bool typed = QChar::isPrint(first) || QChar::category(first) == QChar::Other_PrivateUse
        || QChar::category(first) == QChar::Other_Format;
    return typed ? text : QString();
}

// Whether the text, once the key has typed into it, is longer than it may be. A key that turns a
// 7-bit text into UCS2 still goes in; from then on the smaller limit holds the field.
bool typesPastTheLimit(const CZKSMSPlainTextEdit* field, const QString& text, const QKeyEvent* key)
{
    const QString typed = typedText(key);
    if (typed.isEmpty())
        return false;
    const QTextCursor cursor = field->textCursor();
    const QString after = QString(text).replace(cursor.selectionStart(),
                                                cursor.selectionEnd() - cursor.selectionStart(), typed);
    if (isGsm7Encodable(text) && !isGsm7Encodable(after))
        return false;
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

    const QString text = field->document()->toPlainText();
    auto* key = static_cast<QKeyEvent*>(event);
    if (MessageLength::of(text) < MessageLength::limitOf(text)) {
        // Below the limit one key may still type more than is left: an extension character
        // takes two septets, an emoji two UTF-16 units.
        if (typesPastTheLimit(field, text, key))
            return true;
        return QObject::eventFilter(watched, event);
    }

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
        return QObject::eventFilter(watched, event);
    default:
        // Modifiers do not matter: Ctrl+V or Ctrl+Z would grow the text just the same.
        return true;
    }
}
