#include "app/CZKAboutDlg.h"

#include "ui_CZKAboutDlg.h"

CZKAboutDlg::CZKAboutDlg(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::CZKAboutDlg)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    connect(form->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(form->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->lbVersion->setText(QStringLiteral("1.0.6.1"));
}

CZKAboutDlg::~CZKAboutDlg()
{
    delete form;
}
