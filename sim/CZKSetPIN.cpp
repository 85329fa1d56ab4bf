#include "sim/CZKSetPIN.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "sim/CZKInputPINPUKDialog.h"
#include "sim/CZKPINTools.h"

#include "ui_CZKSetPIN.h"

CZKSetPIN::CZKSetPIN(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::CZKSetPIN)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    connect(form->pbOK, &QPushButton::clicked, this, &CZKSetPIN::accept);
    connect(form->pbCancel, &QPushButton::clicked, this, &CZKSetPIN::reject);
    for (QLineEdit* field : {form->editActualPIN, form->editNewPIN, form->editRetypePIN})
        CZKInputPINPUKDialog::makeDigitsField(field, CZKPINTools::PinLength);
    CZKInputPINPUKDialog::fitToContents(this);
}

CZKSetPIN::~CZKSetPIN()
{
    delete form;
}

void CZKSetPIN::accept()
{
    if (!database()) {
        sendMessage(Error, QStringLiteral("Internal Error 1 CZKSetPIN::accept()"), QString());
        return;
    }
    if (form->editNewPIN->text() != form->editRetypePIN->text()) {
        CZKPrompt::warning(this, tr("Warning"), tr("New PIN and retype it is not correct."));
        return;
    }
    newPIN = form->editNewPIN->text();
    actualPIN = form->editActualPIN->text();
    QDialog::accept();
}
