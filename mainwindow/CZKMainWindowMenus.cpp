#include "mainwindow/CZKMainWindow.h"

// The menus: tabs, languages, options and skins.

void CZKMainWindow::settings() {}
void CZKMainWindow::langEN() {}
void CZKMainWindow::langSP() {}
void CZKMainWindow::langDE() {}
void CZKMainWindow::langRU() {}
void CZKMainWindow::langPL() {}
void CZKMainWindow::optionsDlg() {}
void CZKMainWindow::setDefaultSkin() {}
void CZKMainWindow::setDarkOrangeSkin() {}
