#include "mainwindow/CZKMainWindow.h"

// The Tests tab.

void CZKMainWindow::treeTestsSelectionChanged() {}
void CZKMainWindow::refreshNIC() {}
void CZKMainWindow::statistics() {}
void CZKMainWindow::thrTest() {}
void CZKMainWindow::tests() {}

void CZKMainWindow::cbNICCurrentIndexChanged(int index)
{
    Q_UNUSED(index);
}
