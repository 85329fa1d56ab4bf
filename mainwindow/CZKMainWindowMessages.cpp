#include "mainwindow/CZKMainWindow.h"

// The SMS tab: the in- and outbox and the read chain of the SIM's messages.

void CZKMainWindow::treeSMSSelectionChanged() {}
void CZKMainWindow::itemSelectionChangedTableMessages() {}
void CZKMainWindow::smsReceive() {}
void CZKMainWindow::smsDelete() {}
void CZKMainWindow::ussdReceive() {}
void CZKMainWindow::readSMSFromDevice() {}
void CZKMainWindow::updateSMSActions() {}
void CZKMainWindow::sms() {}

void CZKMainWindow::currentTabChanged(int index)
{
    Q_UNUSED(index);
}

void CZKMainWindow::deleteItems(CZKSMSTableWidget::widgetKind kind)
{
    Q_UNUSED(kind);
}
