#include "mainwindow/CZKMainWindow.h"

// The terminal and log tabs and the tool bars.

void CZKMainWindow::setupTerminalToolbar() {}
void CZKMainWindow::setupLogToolbar() {}
void CZKMainWindow::setupSMSToolbar() {}
void CZKMainWindow::createContactsToolbar() {}
void CZKMainWindow::terminal() {}
void CZKMainWindow::phoneBook() {}
void CZKMainWindow::log() {}

void CZKMainWindow::setupTerminalLogTabs(int mode)
{
    Q_UNUSED(mode);
}
