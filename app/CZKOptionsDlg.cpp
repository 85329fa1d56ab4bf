#include "app/CZKOptionsDlg.h"

#include "app/CZKGlobals.h"
#include "app/CZKOptions.h"

#include "ui_CZKOptionsDlg.h"

CZKOptionsDlg::CZKOptionsDlg(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::CZKOptionsDlg)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    connect(form->pbOK, &QPushButton::clicked, this, &CZKOptionsDlg::ok);
    connect(form->pbCancel, &QPushButton::clicked, this, &CZKOptionsDlg::cancel);
    connect(form->cbEnhanceGUIMode, &QCheckBox::clicked, this, &CZKOptionsDlg::extModeClicked);
    connect(form->cbLanguage, QOverload<int>::of(&QComboBox::activated), this,
            [this] { languageTouched = true; });

    form->cbLanguage->addItem(QIcon(), tr("English"), QStringLiteral("EN"));
    form->cbLanguage->addItem(QIcon(), tr("Polish"), QStringLiteral("PL"));

    const CZKOptions* settings = options();
    switch (settings->logLevel) {
    case 1: form->rbErrors->setChecked(true); break;
    case 2: form->rbWarnings->setChecked(true); break;
    case 3: form->rbDebug->setChecked(true); break;
    default: form->rbAll->setChecked(true); break;
    }
    switch (settings->showLevel) {
    case 1: form->rbShowErrors->setChecked(true); break;
    case 2: form->rbShowWarnings->setChecked(true); break;
    case 3: form->rbShowDebug->setChecked(true); break;
    default: form->rbShowAll->setChecked(true); break;
    }
    form->cbLogTofile->setChecked(settings->logToFile);
    form->cbEnhanceGUIMode->setChecked(settings->extendedMode);
    form->cbReceiveOnIP->setChecked(settings->receiveOnIp);

    for (int i = 0; i < form->cbLanguage->count(); ++i) {
        if (form->cbLanguage->itemData(i).toString().compare(settings->language, Qt::CaseInsensitive) == 0) {
            form->cbLanguage->setCurrentIndex(i);
            break;
        }
    }

    setShowLevelEnabled(settings->extendedMode);
    if (!isAdminMode()) {
        form->cbEnhanceGUIMode->setEnabled(false);
        form->cbReceiveOnIP->setEnabled(false);
    }
}

CZKOptionsDlg::~CZKOptionsDlg()
{
    delete form;
}

void CZKOptionsDlg::setShowLevelEnabled(bool enabled)
{
    form->rbShowAll->setEnabled(enabled);
    form->rbShowDebug->setEnabled(enabled);
    form->rbShowErrors->setEnabled(enabled);
    form->rbShowWarnings->setEnabled(enabled);
}

void CZKOptionsDlg::extModeClicked()
{
    setShowLevelEnabled(form->cbEnhanceGUIMode->isChecked());
}

void CZKOptionsDlg::ok()
{
    CZKOptions* settings = options();
    if (form->rbErrors->isChecked())
        settings->logLevel = 1;
    else if (form->rbWarnings->isChecked())
        settings->logLevel = 2;
    else if (form->rbDebug->isChecked())
        settings->logLevel = 3;
    else if (form->rbAll->isChecked())
        settings->logLevel = 0;

    if (form->rbShowErrors->isChecked())
        settings->showLevel = 1;
    else if (form->rbShowWarnings->isChecked())
        settings->showLevel = 2;
    else if (form->rbShowDebug->isChecked())
        settings->showLevel = 3;
    else if (form->rbShowAll->isChecked())
        settings->showLevel = 0;

    settings->logToFile = form->cbLogTofile->isChecked();
    settings->extendedMode = form->cbEnhanceGUIMode->isChecked();
    settings->receiveOnIp = form->cbReceiveOnIP->isChecked();

    // A language the box does not offer (one chosen in the main window's menu) stays as it is
    // unless the operator picked another one here.
    if (languageTouched)
        settings->language = form->cbLanguage->currentData().toString();

    settings->save();
    accept();
}

void CZKOptionsDlg::cancel()
{
    reject();
}
