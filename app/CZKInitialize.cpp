#include "app/CZKInitialize.h"

#include "app/CZKGlobals.h"

#include "ui_CZKInitialize.h"

CZKInitialize::CZKInitialize(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::CZKInitialize)
{
    form->setupUi(this);
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    beginBusy();
}

CZKInitialize::~CZKInitialize()
{
    endBusy();
    delete form;
}

void CZKInitialize::setText(QString msg)
{
    form->lblMessage->setText(msg);
}
