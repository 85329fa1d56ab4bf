#pragma once

#include <QDialog>

namespace Ui {
class CZKAboutDlg;
}

class CZKAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CZKAboutDlg(QWidget* parent = nullptr);
    ~CZKAboutDlg() override;

private:
    Ui::CZKAboutDlg* form;
};
