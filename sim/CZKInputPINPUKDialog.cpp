#include "sim/CZKInputPINPUKDialog.h"

#include "sim/CZKPINTools.h"

#include "ui_CZKInputPINPUKDialog.h"

#include <QLayout>
#include <QLineEdit>
#include <QRegularExpressionValidator>

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
    makeDigitsField(form->editInput, pin ? CZKPINTools::PinLength : CZKPINTools::PukLength);
    fitToContents(this);
}

void CZKInputPINPUKDialog::makeDigitsField(QLineEdit* field, int digits)
{
    field->setMaxLength(digits);
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), field));
}

void CZKInputPINPUKDialog::fitToContents(QDialog* dialog)
{
    // The form's fixed size was drawn for the plain look. A style sheet pads the group box, the
    // fields and the buttons only once the widgets are polished, which is after the form has
    // fixed the size, and the layout then squeezes the field to a sliver. Polishing here lets the
    // sheet count before the size is settled; the texts are already in the dialog's language.
    dialog->ensurePolished();
    if (QLayout* layout = dialog->layout())
        layout->invalidate();
    const QSize needed = dialog->minimumSizeHint();
    dialog->setMaximumSize(dialog->maximumSize().expandedTo(needed));
    dialog->setMinimumSize(dialog->minimumSize().expandedTo(needed));
    dialog->resize(dialog->size().expandedTo(needed));
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
