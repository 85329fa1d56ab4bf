#include "mainwindow/CZKSMSTableWidget.h"

#include <QKeyEvent>

CZKSMSTableWidget::CZKSMSTableWidget(QWidget* parent)
    : QTableWidget(parent)
{
}

void CZKSMSTableWidget::setKind(widgetKind kind)
{
    m_kind = kind;
}

CZKSMSTableWidget::widgetKind CZKSMSTableWidget::kind() const
{
    return m_kind;
}

QModelIndexList CZKSMSTableWidget::selectedIndexes() const
{
    return QTableWidget::selectedIndexes();
}

void CZKSMSTableWidget::keyPressEvent(QKeyEvent* event)
{
    // Delete removes the selected rows; the window decides what that means for this kind, so
    // the key is consumed here and never reaches the base class's own handling.
    if (event->key() == Qt::Key_Delete) {
        event->accept();
        emit deleteKeyPress(m_kind);
        return;
    }
    QTableWidget::keyPressEvent(event);
}
