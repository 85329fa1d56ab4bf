#include "compose/CZKKeyPressFilter.h"

#include "compose/CZKSMSPlainTextEdit.h"
#include "compose/MessageLength.h"

#include <QKeyEvent>

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
    if (MessageLength::of(text) < MessageLength::limitOf(text))
        return QObject::eventFilter(watched, event);

    switch (static_cast<QKeyEvent*>(event)->key()) {
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
