#include "mainwindow/CZKMainWindow.h"

// The SIM card page's record buttons and the data profile's transfer.

void CZKMainWindow::editSIMCard() {}
void CZKMainWindow::setAsActive() {}
void CZKMainWindow::saveSIMCard() {}
void CZKMainWindow::cancelSIMCard() {}
void CZKMainWindow::applyProfile() {}
void CZKMainWindow::refreshProfile() {}
void CZKMainWindow::gbandSend() {}

void CZKMainWindow::updateSIMOperator(ProfileRecord* profile)
{
    Q_UNUSED(profile);
}
