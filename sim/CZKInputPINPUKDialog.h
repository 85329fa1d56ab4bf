#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class CZKInputPINPUKDialog;
}

// Asks for one SIM secret, a PIN (four digits) or a PUK (eight digits). It checks no length:
// the caller decides what a short entry means.
class CZKInputPINPUKDialog : public QDialog {
    Q_OBJECT
public:
    CZKInputPINPUKDialog(QWidget* parent, bool pin);
    ~CZKInputPINPUKDialog() override;

    QString value() const;

public slots:
    void okBtn();
    void cancelBtn();

private:
    Ui::CZKInputPINPUKDialog* form;
};
