#include "compose/CZKAddEditContact.h"

#include "app/CZKPrompt.h"

#include "ui_CZKAddEditContact.h"

CZKAddEditContact::CZKAddEditContact(bool edit, QWidget* parent)
    : QDialog(parent)
    , edit(edit)
    , form(new Ui::CZKAddEditContact)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(this->edit ? tr("Edit contact") : tr("New contact"));
    form->leContactName->setText(name);
    form->leContactMSISDN->setText(msisdn);
    form->teContactDesc->setText(description);
    connect(form->pbOK, &QPushButton::clicked, this, &CZKAddEditContact::ok);
    connect(form->pbCancel, &QPushButton::clicked, this, &CZKAddEditContact::cancel);
}

CZKAddEditContact::~CZKAddEditContact()
{
    delete form;
}

void CZKAddEditContact::setName(const QString& value)
{
    name = value;
    form->leContactName->setText(value);
}

void CZKAddEditContact::setMSISDN(const QString& value)
{
    msisdn = value;
    form->leContactMSISDN->setText(value);
}

void CZKAddEditContact::setDescription(const QString& value)
{
    description = value;
    form->teContactDesc->setText(value);
}

void CZKAddEditContact::setDescriptionEnabled(bool enabled)
{
    form->teContactDesc->setEnabled(enabled);
}

void CZKAddEditContact::ok()
{
    if (form->leContactName->text().isEmpty() || form->leContactMSISDN->text().isEmpty()) {
        if (CZKPrompt::critical(this, tr("Error"), tr("NAME or MSISDN is empty, close window ?"),
                                QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes)
            reject();
        return;
    }
    name = form->leContactName->text();
    msisdn = form->leContactMSISDN->text();
    description = form->teContactDesc->toPlainText();
    accept();
}

void CZKAddEditContact::cancel()
{
    reject();
}
