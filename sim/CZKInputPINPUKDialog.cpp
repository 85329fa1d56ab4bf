#include "sim/CZKInputPINPUKDialog.h"

#include "ui_CZKInputPINPUKDialog.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
constexpr int kPinLength = 4;
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

    if (!pin)
        form->labelInput->setText(tr("Enter PUK:"));
    makeDigitsField(form->editInput, pin ? kPinLength : kPukLength);
}

void CZKInputPINPUKDialog::makeDigitsField(QLineEdit* field, int digits)
{
    field->setMaxLength(digits);
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), field));
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
