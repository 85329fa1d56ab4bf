#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegExpValidator>
#include <QRegularExpressionValidator>
#include <QToolBar>
#include <QTreeWidget>
#include <QUiLoader>

// A new language: the window's own texts, the page on show (reloaded from its form, the
// operator's work carried over), the trees, the tool bars and the table headers.

namespace {

// A validator like `original`, owned by `owner`; null for a kind no page uses.
QValidator* copyValidator(const QValidator* original, QObject* owner)
{
    QValidator* copy = nullptr;
    if (const auto* regExp = qobject_cast<const QRegExpValidator*>(original)) {
        copy = new QRegExpValidator(regExp->regExp(), owner);
    } else if (const auto* pattern = qobject_cast<const QRegularExpressionValidator*>(original)) {
        copy = new QRegularExpressionValidator(pattern->regularExpression(), owner);
    } else if (const auto* integer = qobject_cast<const QIntValidator*>(original)) {
        copy = new QIntValidator(integer->bottom(), integer->top(), owner);
    } else if (const auto* real = qobject_cast<const QDoubleValidator*>(original)) {
        auto* copyReal = new QDoubleValidator(real->bottom(), real->top(), real->decimals(), owner);
        copyReal->setNotation(real->notation());
        copy = copyReal;
    }
    if (copy)
        copy->setLocale(original->locale());
    return copy;
}

// The descendant of `page` with the name and class of `widget`, or null.
template <class Widget>
Widget* counterpart(QWidget* page, const Widget* widget)
{
    if (widget->objectName().isEmpty())
        return nullptr;
    if (page->objectName() == widget->objectName())
        return qobject_cast<Widget*>(page);
    return page->findChild<Widget*>(widget->objectName());
}

// The operator's choice in each combo box of a page in edit mode, by the item data: the items'
// texts may read differently in another language.
struct ComboChoice {
    QString name;
    bool chosen;
    QVariant data;
};

QTreeWidgetItem* singleSelected(const QTreeWidget* tree)
{
    const QList<QTreeWidgetItem*> selection = tree->selectedItems();
    return selection.size() == 1 ? selection.first() : nullptr;
}

} // namespace

struct CZKMainWindow::LanguageSteps {
    // The typed texts, their state and validators, the lists and the buttons' states of `old`
    // go to the widgets of the same name and class in `page`.
    static void carryOver(const QWidget* old, QWidget* page)
    {
        for (const QLineEdit* edit : old->findChildren<QLineEdit*>()) {
            QLineEdit* next = counterpart(page, edit);
            if (!next)
                continue;
            next->setText(edit->text());
            next->setEnabled(edit->isEnabled());
            next->setReadOnly(edit->isReadOnly());
            next->setFont(edit->font());
            if (const QValidator* validator = edit->validator()) {
                // The old page takes its validators along when it goes.
                if (QValidator* copy = copyValidator(validator, next))
                    next->setValidator(copy);
            }
            next->setCursorPosition(edit->cursorPosition());
        }
        for (const QListWidget* list : old->findChildren<QListWidget*>()) {
            QListWidget* next = counterpart(page, list);
            if (!next)
                continue;
            for (int i = 0; i < list->count(); ++i)
                next->insertItem(i, list->item(i)->text());
            next->setEnabled(list->isEnabled());
        }
        for (const QPushButton* button : old->findChildren<QPushButton*>()) {
            if (QPushButton* next = counterpart(page, button))
                next->setEnabled(button->isEnabled());
        }
    }

    static QList<ComboChoice> comboChoices(const QWidget* old)
    {
        QList<ComboChoice> choices;
        for (const QComboBox* combo : old->findChildren<QComboBox*>())
            choices.append({combo->objectName(), combo->currentIndex() >= 0, combo->currentData()});
        return choices;
    }

    // The choices go back into the combo boxes the edit slot has just made afresh; a choice
    // whose item is no longer offered leaves the stored value chosen.
    static void restoreChoices(CZKMainWindow& w, const QList<ComboChoice>& choices)
    {
        for (const ComboChoice& choice : choices) {
            QComboBox* combo = choice.name.isEmpty() ? nullptr : w.pageWidget<QComboBox>(choice.name);
            if (!combo)
                continue;
            if (!choice.chosen) {
                combo->setCurrentIndex(-1);
                continue;
            }
            const int index = combo->findData(choice.data);
            if (index >= 0)
                combo->setCurrentIndex(index);
        }
    }

    // The profile page shows the record's operators as a selection does; the SIM operator only
    // for the profile that mirrors the unit's.
    static void refillProfilePage(CZKMainWindow& w)
    {
        w.setFormWidgetVisible(QStringLiteral("editSIMOperator"), false);
        w.setFormWidgetVisible(QStringLiteral("labelSIMOperator"), false);
        const QList<QTreeWidgetItem*> selection = w.ui->treeSettings->selectedItems();
        CZKDataBase* db = database();
        const QTreeWidgetItem* item = selection.isEmpty() ? nullptr : selection.first();
        if (db && item && item->data(1, Qt::UserRole).toInt() == Profile) {
            if (const ProfileRecord* profile = db->findProfile(item->data(0, Qt::UserRole).toInt())) {
                if (!profile->forceOperator.isEmpty()) {
                    const QString forced
                        = QStringLiteral("%1(%2)").arg(profile->forceOperator).arg(profile->forceOperatorMncMcc);
                    w.setLineEditText(QStringLiteral("editOperator"), forced);
                }
                if (profile->name == w.deviceProfileName) {
                    w.setFormWidgetVisible(QStringLiteral("editSIMOperator"), true);
                    w.setFormWidgetVisible(QStringLiteral("labelSIMOperator"), true);
                    w.setLineEditText(QStringLiteral("editSIMOperator"), profile->simOperator);
                }
            }
        }
        w.setupOperatorWidgets(false);
    }

    static void retranslateFrame(CZKMainWindow& w)
    {
        Ui_CZKMainWindow* ui = w.ui;
        ui->menuFile->setTitle(CZKMainWindow::tr("File"));
        ui->menuAction->setTitle(CZKMainWindow::tr("Actions"));
        ui->menuHelp->setTitle(CZKMainWindow::tr("Help"));
        ui->menuLanguage->setTitle(CZKMainWindow::tr("Language"));
        ui->menuSkins->setTitle(CZKMainWindow::tr("Skins"));

        const struct {
            QAction* action;
            QString text;
        } actions[] = {
            {ui->actionExit, CZKMainWindow::tr("Exit")},         {ui->actionIndex, CZKMainWindow::tr("Index")},
            {ui->actionLog, CZKMainWindow::tr("Log")},           {ui->actionNetwork, CZKMainWindow::tr("Network")},
            {ui->actionRFSetup, CZKMainWindow::tr("RF Setup")},  {ui->actionTests, CZKMainWindow::tr("Tests")},
            {ui->actionSettings, CZKMainWindow::tr("Settings")}, {ui->actionTerminal, CZKMainWindow::tr("Terminal")},
            {ui->actionAbout, CZKMainWindow::tr("About...")},    {ui->actionOptions, CZKMainWindow::tr("Options")},
            {ui->actionPhonebook, CZKMainWindow::tr("Phonebook")}, {ui->actionSMS, CZKMainWindow::tr("SMS")},
            {ui->actionDefault, CZKMainWindow::tr("Default")},
        };
        for (const auto& entry : actions)
            entry.action->setText(entry.text);

        ui->pbStart->setText(CZKMainWindow::tr("Start"));
        ui->pbStop->setText(CZKMainWindow::tr("Stop"));
        ui->pbClear->setText(CZKMainWindow::tr("Clear"));

        // Only the tabs the window shows now; the others get their texts when they are added.
        const struct {
            QWidget* tab;
            QString text;
        } tabs[] = {
            {ui->tabSettings, CZKMainWindow::tr("Settings")},
            {ui->tabRFSetup, CZKMainWindow::tr("RF Setup")},
            {ui->tabTests, CZKMainWindow::tr("Tests")},
            {ui->tabSMS, CZKMainWindow::tr("SMS")},
            {ui->tabTerminal, CZKMainWindow::tr("Terminal")},
            {ui->tabLog, CZKMainWindow::tr("Log")},
            {ui->tabPhonebook, CZKMainWindow::tr("Phonebook")},
        };
        for (const auto& entry : tabs) {
            const int index = ui->tabWidget->indexOf(entry.tab);
            if (index >= 0)
                ui->tabWidget->setTabText(index, entry.text);
        }

        ui->gbRSSILevel->setTitle(CZKMainWindow::tr("Signal level:"));
        ui->gbParamters->setTitle(CZKMainWindow::tr("Radio paramaters:"));
        if (w.connectedLabel)
            w.connectedLabel->setText(CZKMainWindow::tr("Connected: "));
    }

    // The trees are built again with their texts in the new language; the item selected before
    // is selected again by what it stands for.
    static void rebuildTrees(CZKMainWindow& w)
    {
        const struct {
            QTreeWidget* tree;
            bool devicesOnly;
        } trees[] = {{w.ui->treeSettings, false}, {w.ui->treeRFSetup, true}, {w.ui->treeSMS, true}};
        for (const auto& entry : trees) {
            const QTreeWidgetItem* item = singleSelected(entry.tree);
            const int id = item ? item->data(0, Qt::UserRole).toInt() : -1;
            const int kind = item ? item->data(1, Qt::UserRole).toInt() : -1;
            w.fillDeviceTree(entry.tree, entry.devicesOnly);
            w.setCurrentItem(entry.tree, id, kind);
        }
    }

    static void retranslateTables(CZKMainWindow& w)
    {
        w.ui->tableMessages->setHorizontalHeaderLabels(
            {CZKMainWindow::tr("Name/MSISDN"), CZKMainWindow::tr("Content"), CZKMainWindow::tr("Date Time")});
        w.itemSelectionChangedTableMessages();

        QTableWidget* book = w.ui->tablePBook;
        if (book->columnCount() == 3)
            book->setHorizontalHeaderLabels(
                {CZKMainWindow::tr("Name"), CZKMainWindow::tr("MSISDN"), CZKMainWindow::tr("Description")});
        else if (book->columnCount() == 2)
            book->setHorizontalHeaderLabels({CZKMainWindow::tr("Name"), CZKMainWindow::tr("MSISDN")});
        w.createPhoneBookTree();
    }
};

void CZKMainWindow::retranslateWindow()
{
    LanguageSteps::retranslateFrame(*this);
    retranslateForm();

    // Rebuilding and reselecting raise selection signals; they must not load the page just
    // reloaded once more.
    treeRefreshing = true;
    LanguageSteps::rebuildTrees(*this);
    applyToolbarTexts();
    LanguageSteps::retranslateTables(*this);
    treeRefreshing = false;
    updatePINUI(pinUIState, true);
}

void CZKMainWindow::retranslateForm()
{
    if (!pageForm)
        return;
    const struct {
        const char* page;
        const char* file;
    } forms[] = {
        {"FormMain", "ZKMain_form.ui"},
        {"FormEmpty", "ZKEmpty_form.ui"},
        {"FormProfile", "ZKProfile_form.ui"},
        {"FormSIMCard", "ZKSIMCard_form.ui"},
    };
    const QString name = pageForm->objectName();
    for (const auto& form : forms) {
        if (name != QLatin1String(form.page))
            continue;
        // A page that could not be reloaded keeps its buttons, wired once already.
        if (reloadForm(QLatin1String(form.file), ui->mainFrame))
            connectFormButtons();
        if (name == QLatin1String("FormProfile"))
            setupOperatorWidgets(false);
        return;
    }
}

bool CZKMainWindow::reloadForm(const QString& file, QWidget* host)
{
    if (!host)
        return false;
    QFile form(file);
    if (!form.open(QIODevice::ReadOnly)) {
        sendMessage(Error, QStringLiteral("Load UI error"), QStringLiteral("Can't load %1 UI form").arg(file));
        return false;
    }
    QUiLoader loader;
    QWidget* page = loader.load(&form, nullptr);
    form.close();
    if (!page)
        return false;

    LanguageSteps::carryOver(host, page);
    // A page in edit mode holds the combo boxes of its edit slot.
    const QList<ComboChoice> choices = LanguageSteps::comboChoices(host);
    // The operator stays on the tab of the page he was working on (an edit slot opens the first).
    QList<QPair<QString, int>> tabs;
    for (const QTabWidget* tab : host->findChildren<QTabWidget*>())
        tabs.append({tab->objectName(), tab->currentIndex()});

    const QList<QObject*> children = host->children();
    for (QObject* child : children) {
        if (child != host->layout())
            delete child;
    }
    delete host->layout();
    pageForm = page;
    page->setParent(host);
    auto* layout = new QHBoxLayout(host);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(page);

    const QString name = page->objectName();
    if (!choices.isEmpty()) {
        if (name == QLatin1String("FormSIMCard"))
            editSIMCard();
        else if (name == QLatin1String("FormProfile"))
            editProfile();
        else if (name == QLatin1String("FormMain"))
            editConfig();
        LanguageSteps::restoreChoices(*this, choices);
    }
    for (const auto& tab : tabs) {
        if (QTabWidget* next = tab.first.isEmpty() ? nullptr : page->findChild<QTabWidget*>(tab.first))
            next->setCurrentIndex(tab.second);
    }

    if (name == QLatin1String("FormProfile"))
        LanguageSteps::refillProfilePage(*this);
    else if (name == QLatin1String("FormEmpty"))
        setLabelText(QStringLiteral("labelVersion"), tr("Version: %1").arg(QStringLiteral("1.0.6.1")));
    return true;
}
