#include "app/CZKAppEventFilter.h"

#include <QEvent>

CZKAppEventFilter::CZKAppEventFilter(QObject* parent)
    : QObject(parent)
{
}

bool CZKAppEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
