#include "mainwindow/CZKMainWindow.h"

// The profile page's buttons.

void CZKMainWindow::newProfile() {}
void CZKMainWindow::editProfile() {}
void CZKMainWindow::deleteProfile() {}
void CZKMainWindow::scanOperators() {}
void CZKMainWindow::saveProfile() {}
void CZKMainWindow::cancelProfile() {}
void CZKMainWindow::selectOperator() {}
