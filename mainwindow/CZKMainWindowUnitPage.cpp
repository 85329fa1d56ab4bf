#include "mainwindow/CZKMainWindow.h"

// The unit page's own buttons.

void CZKMainWindow::editConfig() {}
void CZKMainWindow::sendToDevice() {}
void CZKMainWindow::saveConfig() {}
void CZKMainWindow::cancelConfig() {}
