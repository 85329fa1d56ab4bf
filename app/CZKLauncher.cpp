#include "app/CZKLauncher.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CZKLauncher::CZKLauncher(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CZKLauncher"));
    setWindowTitle(tr("TZK Manager"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Start in user mode?"), this));
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("pbOK"));
    ok->setDefault(true);
    QPushButton* exit = buttons->addButton(tr("Exit"), QDialogButtonBox::RejectRole);
    exit->setObjectName(QStringLiteral("pbExit"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
