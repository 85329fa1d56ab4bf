#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

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

    // Makes a secret field take up to `digits` digits, echoed as bullets. An input mask would
    // do the same but echoes its blanks too, so an empty field would look filled.
    static void makeDigitsField(QLineEdit* field, int digits);

    // Lets a dialog whose form fixes its size grow to what its layout needs under the style
    // sheet in force, so that no label or field is squeezed; it keeps the drawn size when that
    // is enough.
    static void fitToContents(QDialog* dialog);

public slots:
    void okBtn();
    void cancelBtn();

private:
    Ui::CZKInputPINPUKDialog* form;
};
