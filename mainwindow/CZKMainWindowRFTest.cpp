#include "mainwindow/CZKMainWindow.h"

// The RF test tab: the signal chart and the radio poller.

void CZKMainWindow::setupChart() {}
void CZKMainWindow::startRFTest() {}
void CZKMainWindow::stopRFTest() {}
void CZKMainWindow::clearChart() {}
void CZKMainWindow::rfSetup() {}
void CZKMainWindow::treeRFSettingsSelectionChanged() {}

void CZKMainWindow::updateRadioEdit(QString text)
{
    Q_UNUSED(text);
}
