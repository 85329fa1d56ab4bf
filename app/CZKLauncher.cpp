#include "app/CZKLauncher.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "db/CZKDataBase.h"

#include "ui_CZKLauncher.h"

namespace {
constexpr int kMaxAttempts = 3;
constexpr int kAdministratorPasswordKey = 1;
} // namespace

CZKLauncher::CZKLauncher(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::CZKLauncher)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    form->rbNormal->setChecked(true);

    connect(form->rbNormal, &QRadioButton::clicked, this, &CZKLauncher::normalMode);
    connect(form->rbAdmin, &QRadioButton::clicked, this, &CZKLauncher::adminMode);
    connect(form->pbGo, &QPushButton::clicked, this, &CZKLauncher::clickedGo);
    connect(form->pbExit, &QPushButton::clicked, this, &CZKLauncher::clickedExit);
}

CZKLauncher::~CZKLauncher()
{
    delete form;
}

void CZKLauncher::adminMode()
{
    form->lbPwd->setEnabled(true);
    form->leAdminPwd->setEnabled(true);
}

void CZKLauncher::normalMode()
{
    form->lbPwd->setEnabled(false);
    form->leAdminPwd->setEnabled(false);
}

void CZKLauncher::clickedExit()
{
    reject();
}

bool CZKLauncher::passwordMatches(const QString& typed) const
{
    if (!database())
        return false;
    // Stored values are scrambled. Scrambling the typed text (rather than unscrambling the
    // stored one) also matches passwords with characters of 0x80 and above, for which the
    // scrambling is not its own inverse.
    const QString scrambled = scramblePassword(typed);
    const QStringList stored = database()->administrationValue(kAdministratorPasswordKey);
    for (const QString& value : stored) {
        if (value == scrambled)
            return true;
    }
    return false;
}

void CZKLauncher::clickedGo()
{
    if (!form->rbAdmin->isChecked()) {
        accept();
        return;
    }

    const QString typed = form->leAdminPwd->text();
    ++attempts;
    if (passwordMatches(typed)) {
        admin = true;
        accept();
        return;
    }

    if (attempts >= kMaxAttempts) {
        CZKPrompt::warning(this, tr("Warninig"), tr("Authorization FAILED. Runing in User mode."));
        accept();
        return;
    }
    CZKPrompt::warning(this, tr("Warninig"), tr("Password is FAILED."));
}
