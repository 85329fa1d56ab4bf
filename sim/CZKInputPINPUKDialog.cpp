#include "sim/CZKInputPINPUKDialog.h"

#include "ui_CZKInputPINPUKDialog.h"

namespace {
constexpr int kPukLength = 8;
}

CZKInputPINPUKDialog::CZKInputPINPUKDialog(QWidget* parent, bool pin)
    : QDialog(parent)
    , form(new Ui::CZKInputPINPUKDialog)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    connect(form->pbOK, &QPushButton::clicked, this, &CZKInputPINPUKDialog::okBtn);
    connect(form->pbCancel, &QPushButton::clicked, this, &CZKInputPINPUKDialog::cancelBtn);

    if (!pin) {
        form->labelInput->setText(tr("Enter PUK:"));
        form->editInput->setInputMask(QStringLiteral("99999999"));
        form->editInput->setMaxLength(kPukLength);
    }
}

CZKInputPINPUKDialog::~CZKInputPINPUKDialog()
{
    delete form;
}

QString CZKInputPINPUKDialog::value() const
{
    return form->editInput->text();
}

void CZKInputPINPUKDialog::okBtn()
{
    accept();
}

void CZKInputPINPUKDialog::cancelBtn()
{
    reject();
}
