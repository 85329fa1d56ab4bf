#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"
#include "app/CZKOptions.h"
#include "app/CZKOptionsDlg.h"
#include "app/CZKPlatform.h"
#include "bus/BusMessage.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QFile>
#include <QToolBar>
#include <QTranslator>

// The menus: the settings tab, languages, options and skins.

namespace {

const QString kSkinFile = QStringLiteral("DarkOrange.qss");

// The languages in the order of `languageIndex`: the translation's file and the code stored in
// the settings.
struct Language {
    const char* file;
    const char* code;
};
constexpr Language kLanguages[] = {
    {"dudedoriv_en", "EN"}, {"dudedoriv_es", "ES"}, {"dudedoriv_de", "DE"}, {"dudedoriv_ru", "RU"}, {"dudedoriv_pl", "PL"},
};
constexpr int kLanguageCount = int(sizeof(kLanguages) / sizeof(kLanguages[0]));

} // namespace

struct CZKMainWindow::MenuSteps {
    static QAction* languageAction(CZKMainWindow& w, int index)
    {
        QAction* const actions[] = {w.ui->actionEN, w.ui->actionSP, w.ui->actionDE, w.ui->actionRU, w.ui->actionPL};
        return index >= 0 && index < kLanguageCount ? actions[index] : nullptr;
    }

    // Replaces the installed translation by `file` from the program's folder. A file that does
    // not load leaves the translation in force and its menu entry checked.
    static void changeLanguage(CZKMainWindow& w, const QString& file, int index)
    {
        for (int i = 0; i < kLanguageCount; ++i)
            languageAction(w, i)->setChecked(false);

        auto* next = new QTranslator;
        if (!CZKPlatform::loadTranslation(next, file, CZKPlatform::programFolder())) {
            w.sendMessage(Info, QStringLiteral("Load LANG file %1 failed. Language no changed.").arg(file), QString());
            delete next;
            if (QAction* previous = languageAction(w, w.languageIndex))
                previous->setChecked(true);
            return;
        }

        w.sendMessage(Info, QStringLiteral("Load LANG file %1 success").arg(file), QString());
        QTranslator*& installed = translator();
        if (installed) {
            QCoreApplication::removeTranslator(installed);
            delete installed;
        }
        // An empty catalogue (English, the texts' own language) is refused by Qt without harm:
        // the loaded file is what counts.
        QCoreApplication::installTranslator(next);
        installed = next;
        languageAction(w, index)->setChecked(true);
        w.languageIndex = index;
    }

    // A language slot: the code and the setting follow the operator's choice even when its file
    // is missing, so that the next start tries it again.
    static void chooseLanguage(CZKMainWindow& w, int index)
    {
        const Language& language = kLanguages[index];
        changeLanguage(w, QLatin1String(language.file), index);
        w.languageCode = QLatin1String(language.code);
        if (options())
            options()->language = w.languageCode;
    }

    // Runs the slot of the language whose code equals `languageCode` exactly; any other code
    // loads nothing.
    static void applyLanguage(CZKMainWindow& w)
    {
        for (int i = 0; i < kLanguageCount; ++i) {
            if (w.languageCode == QLatin1String(kLanguages[i].code))
                chooseLanguage(w, i);
        }
    }

    // Ticks the first checkable action whose data is `level`; none matching ticks nothing anew.
    static void checkActionByData(QToolBar* bar, int level)
    {
        if (!bar)
            return;
        for (QAction* action : bar->actions()) {
            if (action && action->isCheckable() && action->data().toInt() == level) {
                action->setChecked(true);
                return;
            }
        }
    }
};

void CZKMainWindow::checkSkinInForce()
{
    const bool dark = application() && !application()->styleSheet().isEmpty();
    (dark ? ui->actionDarkOrange : ui->actionDefault)->setChecked(true);
}

void CZKMainWindow::settings()
{
    // The radio status is of no use away from the RF tab; the poller stops asking for it.
    if (radioPoller)
        radioPoller->setPaused(true);

    ui->actionSettings->setChecked(true);
    for (QAction* action : {ui->actionRFSetup, ui->actionTests, ui->actionSMS, ui->actionPhonebook, ui->actionTerminal,
                            ui->actionLog})
        action->setChecked(false);

    ui->tabWidget->setCurrentWidget(ui->tabSettings);
    ui->treeSettings->setFocus(Qt::OtherFocusReason);
    updatePINUI(pinUIState, true);
}

void CZKMainWindow::langEN()
{
    MenuSteps::chooseLanguage(*this, 0);
}

void CZKMainWindow::langSP()
{
    MenuSteps::chooseLanguage(*this, 1);
}

void CZKMainWindow::langDE()
{
    MenuSteps::chooseLanguage(*this, 2);
}

void CZKMainWindow::langRU()
{
    MenuSteps::chooseLanguage(*this, 3);
}

void CZKMainWindow::langPL()
{
    MenuSteps::chooseLanguage(*this, 4);
}

void CZKMainWindow::optionsDlg()
{
    auto* dialog = new CZKOptionsDlg(this);
    if (dialog->exec() != QDialog::Accepted) {
        delete dialog;
        return;
    }

    CZKOptions* settings = options();
    // The settings keep a language as typed ("pl" from the command line) while the window keeps
    // it upper-cased: only another language, not another spelling, is a change. No language set
    // means none was chosen.
    if (!settings->language.isEmpty() && settings->language.compare(languageCode, Qt::CaseInsensitive) != 0) {
        languageCode = settings->language;
        MenuSteps::applyLanguage(*this);
    }

    if (CZKLogger* log = logger()) {
        log->logLevel = settings->logLevel;
        if (log->showLevel() != settings->showLevel) {
            log->setShowLevel(settings->showLevel);
            MenuSteps::checkActionByData(logToolbar, settings->showLevel);
        }
        log->logToFile = settings->logToFile;
    }

    if (isAdminMode()) {
        if (ui->actionTerminal->isVisible() && !settings->extendedMode)
            setupTerminalLogTabs(false);
        if (!ui->actionTerminal->isVisible() && settings->extendedMode)
            setupTerminalLogTabs(true);
    }

    delete dialog;
}

void CZKMainWindow::setDefaultSkin()
{
    if (QApplication* app = application())
        app->setStyleSheet(QString());
    skinName() = QStringLiteral("DEFAULT");
}

void CZKMainWindow::setDarkOrangeSkin()
{
    QApplication* app = application();
    if (!app)
        return;
    QFile file(kSkinFile);
    QByteArray bytes;
    bool read = file.open(QIODevice::ReadOnly);
    if (read) {
        bytes = file.readAll();
        read = file.error() == QFileDevice::NoError;
        file.close();
    }
    if (!read) {
        // The action group has already moved the check; it goes back to what is on screen.
        checkSkinInForce();
        sendMessage(Warning, QStringLiteral("Load skin file %1 failed. Skin no changed.").arg(kSkinFile), QString());
        return;
    }

    const int nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes.truncate(nul);
    app->setStyleSheet(QString::fromLatin1(bytes));
    skinName() = QStringLiteral("DARKORANGE");
}
