#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

// The profile page's buttons: a data profile is created in memory, edited in place with a
// combo box over its radio technology, saved (inserted the first time), cancelled or deleted.

namespace {

const char* const kProfileEdits[] = {"editName", "editAPN", "editAPNUser", "editAPNPassword", "editRAT"};
const char* const kEditButtons[] = {"pbSaveProfile", "pbCancelProfile", "pbSelectOperator"};
constexpr int kRatRow = 4;
constexpr int kRatColumn = 1;

} // namespace

struct CZKMainWindow::ProfilePageSteps {
    static QComboBox* ratCombo(const CZKMainWindow& w)
    {
        return w.pageForm ? w.pageForm->findChild<QComboBox*>(QStringLiteral("comboRAT")) : nullptr;
    }

    static QGroupBox* properties(const CZKMainWindow& w)
    {
        return w.pageWidget<QGroupBox>(QStringLiteral("gbProperties"));
    }

    static void setEditsEditable(CZKMainWindow& w, bool editable)
    {
        for (const char* name : kProfileEdits)
            w.setLineEditEditable(QLatin1String(name), editable);
    }

    // The profile of the first selected item of the settings tree; a missing item or record is
    // reported under the slot's name and gives null.
    static ProfileRecord* selectedProfile(CZKMainWindow& w, const QString& slot)
    {
        const QList<QTreeWidgetItem*> selection = w.ui->treeSettings->selectedItems();
        if (selection.isEmpty() || !selection.first()) {
            w.sendMessage(Error, slot, QStringLiteral("Internal ERROR 1"));
            return nullptr;
        }
        bool isNumber = false;
        const int id = selection.first()->data(0, Qt::UserRole).toInt(&isNumber);
        ProfileRecord* profile = isNumber ? database()->findProfile(id) : nullptr;
        if (!profile)
            w.sendMessage(Error, slot, QStringLiteral("Internal ERROR 2"));
        return profile;
    }

    // The texts go between double quotes into the unit's commands: a quote would end the
    // argument, CR or LF the command line, and Ctrl-Z would pass for the end of a message.
    static bool sendable(const QString& text)
    {
        for (const QChar c : text) {
            if (c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(26))
                return false;
        }
        return true;
    }

    // The name of the first field whose text the unit could not take, and that field; an empty
    // name when every field is acceptable.
    static QString refusedField(CZKMainWindow& w, QLineEdit** edit)
    {
        const struct {
            const char* name;
            QString label;
        } fields[] = {
            {"editAPN", CZKMainWindow::tr("APN")},
            {"editAPNUser", CZKMainWindow::tr("APN user")},
            {"editAPNPassword", CZKMainWindow::tr("APN password")},
        };
        for (const auto& field : fields) {
            if (!sendable(w.lineEditText(QLatin1String(field.name)))) {
                *edit = w.pageWidget<QLineEdit>(QLatin1String(field.name));
                return field.label;
            }
        }
        return QString();
    }

    // Back to view mode: the fields read-only, the combo box gone with the technology shown as
    // text, the buttons of edit mode disabled.
    static void leaveEditMode(CZKMainWindow& w, QComboBox* combo, QGroupBox* group, const QString& ratText)
    {
        setEditsEditable(w, false);
        w.setLineEditText(QStringLiteral("editRAT"), ratText);
        if (group && group->layout())
            group->layout()->removeWidget(combo);
        delete combo;
        for (const char* name : kEditButtons)
            w.setButtonEnabled(QLatin1String(name), false);
    }

    static QTreeWidgetItem* profilesRoot(QTreeWidget* tree)
    {
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            if (item->data(1, Qt::UserRole).toInt() == ProfilesRoot)
                return item;
        }
        return nullptr;
    }
};

void CZKMainWindow::newProfile()
{
    const QString slot = QStringLiteral("newProfile()");
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 0"));
        return;
    }
    // Looked for first, so that a tree without the root leaves no orphan profile behind.
    QTreeWidgetItem* root = ProfilePageSteps::profilesRoot(ui->treeSettings);
    if (!root) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 2"));
        return;
    }
    const ProfileRecord* profile = db->newProfile();
    if (!profile) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 1"));
        return;
    }
    auto* item = new QTreeWidgetItem;
    item->setText(0, profile->name);
    item->setIcon(0, QIcon(QStringLiteral("://Icons/paste_32.ico")));
    item->setData(0, Qt::UserRole, profile->id);
    item->setData(1, Qt::UserRole, int(Profile));
    root->addChild(item);
    root->setExpanded(true);
    // The profile reaches the database file only when it is saved.
    setCurrentItem(ui->treeSettings, profile->id, Profile);
}

void CZKMainWindow::editProfile()
{
    ProfilePageSteps::setEditsEditable(*this, true);
    setButtonEnabled(QStringLiteral("pbSaveProfile"), true);
    setButtonEnabled(QStringLiteral("pbCancelProfile"), true);

    const QLineEdit* ratEdit = pageWidget<QLineEdit>(QStringLiteral("editRAT"));
    QGroupBox* group = ProfilePageSteps::properties(*this);
    if (!ratEdit || !group || ProfilePageSteps::ratCombo(*this))
        return;
    auto* grid = qobject_cast<QGridLayout*>(group->layout());
    if (!grid)
        return;

    auto* combo = new QComboBox(pageForm);
    combo->setFont(ratEdit->font());
    int current = -1;
    if (const CZKDataBase* db = database()) {
        for (const RatRecord& rat : db->rats) {
            combo->addItem(rat.ratName, rat.id);
            if (rat.ratName == ratEdit->text())
                current = combo->count() - 1;
        }
    }
    combo->setCurrentIndex(current);
    combo->setObjectName(QStringLiteral("comboRAT"));
    grid->addWidget(combo, kRatRow, kRatColumn);
}

void CZKMainWindow::saveProfile()
{
    const QString slot = QStringLiteral("saveProfile()");
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 0"));
        return;
    }
    ProfileRecord* profile = ProfilePageSteps::selectedProfile(*this, slot);
    if (!profile)
        return;
    QGroupBox* group = ProfilePageSteps::properties(*this);
    QComboBox* combo = ProfilePageSteps::ratCombo(*this);
    if (!group || !combo) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 3"));
        return;
    }

    // Refused before anything changes: the operator corrects the field and saves again.
    QLineEdit* refusedEdit = nullptr;
    const QString refused = ProfilePageSteps::refusedField(*this, &refusedEdit);
    if (!refused.isEmpty()) {
        CZKPrompt::warning(this, tr("Save profile"),
                           tr("%1 holds a double quote, a line break or Ctrl-Z, which the unit cannot take.")
                               .arg(refused));
        if (refusedEdit)
            refusedEdit->setFocus();
        return;
    }

    // A copy is written and taken into memory only once the file holds it, so that a failed
    // write leaves the record as it was and the typed texts on the page.
    ProfileRecord changed = *profile;
    // An empty choice keeps the stored technology rather than reading as "automatic".
    if (combo->currentIndex() >= 0)
        changed.activeRatId = combo->currentData().toInt();
    changed.name = lineEditText(QStringLiteral("editName"));
    changed.apn = lineEditText(QStringLiteral("editAPN"));
    changed.apnUser = lineEditText(QStringLiteral("editAPNUser"));
    changed.apnPassword = lineEditText(QStringLiteral("editAPNPassword"));
    const bool written = changed.id < 0 ? changed.insert() : changed.update();
    if (!written) {
        CZKPrompt::warning(this, tr("Save profile"),
                           tr("The profile '%1' could not be saved; it keeps its stored values.").arg(profile->name));
        return;
    }
    *profile = changed;

    ProfilePageSteps::leaveEditMode(*this, combo, group, db->ratName(changed.activeRatId));
    fillDeviceTree(ui->treeSettings, false);
    fillDeviceTree(ui->treeRFSetup, true);
    fillDeviceTree(ui->treeSMS, true);
    fillDeviceTree(ui->treeTests, true);
    setCurrentItem(ui->treeSettings, changed.id, Profile);
}

void CZKMainWindow::cancelProfile()
{
    const QString slot = QStringLiteral("cancelProfile()");
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 0"));
        return;
    }
    ProfilePageSteps::setEditsEditable(*this, false);
    const ProfileRecord* profile = ProfilePageSteps::selectedProfile(*this, slot);
    if (!profile)
        return;
    QGroupBox* group = ProfilePageSteps::properties(*this);
    QComboBox* combo = ProfilePageSteps::ratCombo(*this);
    if (!group || !combo) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 3"));
        return;
    }
    ProfilePageSteps::leaveEditMode(*this, combo, group, db->ratName(profile->activeRatId));
    setLineEditText(QStringLiteral("editName"), profile->name);
    setLineEditText(QStringLiteral("editAPN"), profile->apn);
    setLineEditText(QStringLiteral("editAPNUser"), profile->apnUser);
    setLineEditText(QStringLiteral("editAPNPassword"), profile->apnPassword);
}

void CZKMainWindow::deleteProfile()
{
    const QString slot = QStringLiteral("deleteProfile()");
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 0"));
        return;
    }
    const QList<QTreeWidgetItem*> selection = ui->treeSettings->selectedItems();
    if (selection.isEmpty()) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 1"));
        return;
    }
    QTreeWidgetItem* item = selection.first();
    if (!item) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 2"));
        return;
    }
    const ProfileRecord* profile = db->findProfile(item->data(0, Qt::UserRole).toInt());
    if (!profile) {
        sendMessage(Error, slot, QStringLiteral("Internal ERROR 3"));
        return;
    }
    const int id = profile->id;
    const QString name = profile->name;

    if (CZKPrompt::question(this, tr("Question"), tr("Remove profile: '%1' ?").arg(name),
                            QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (!profile->remove()) {
        CZKPrompt::warning(this, tr("Remove profile"), tr("The profile '%1' could not be removed.").arg(name));
        return;
    }

    for (int i = 0; i < db->profiles.size(); ++i) {
        if (db->profiles.at(i).id == id) {
            db->profiles.removeAt(i);
            break;
        }
    }
    delete item;

    // Cards without a profile hold a negative id; an unsaved profile's negative id is not theirs.
    for (SimCardRecord& card : db->simCards) {
        if (card.activeProfileId < 0 || card.activeProfileId != id)
            continue;
        SimCardRecord changed = card;
        changed.activeProfileId = -1;
        if (changed.update())
            card = changed;
    }

    // The page of the profile just removed must not stay on show.
    if (ui->treeSettings->selectedItems().isEmpty())
        setCurrentItem(ui->treeSettings, -1, ProfilesRoot);
}

void CZKMainWindow::scanOperators()
{
    setButtonEnabled(QStringLiteral("pbSelectOperator"), true);
    if (auto* operators = pageWidget<QListWidget>(QStringLiteral("lwOperators")))
        operators->setEnabled(true);
}

void CZKMainWindow::selectOperator()
{
    CZKPrompt::information(nullptr, tr("Info"), tr("selectOperator - Dummy now"));
}
