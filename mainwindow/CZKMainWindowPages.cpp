#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "mainwindow/UnitAddressPatterns.h"

#include "ui_CZKMainWindow.h"

#include <QFile>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegExpValidator>
#include <QTreeWidget>
#include <QUiLoader>

namespace {

QTreeWidgetItem* newTreeItem(const QString& text, const char* icon, int id, SettingsItemKind kind)
{
    auto* item = new QTreeWidgetItem;
    item->setText(0, text);
    item->setIcon(0, QIcon(QLatin1String(icon)));
    item->setData(0, Qt::UserRole, id);
    item->setData(1, Qt::UserRole, int(kind));
    return item;
}

// Every column as wide as its texts need with the font and style in force now. A skin's sheet
// may pad the items (the dark one does, and draws the selected item's text inside that
// padding), so widths measured under the other skin would shorten the texts.
void fitColumns(QTreeWidget* tree)
{
    for (int column = 0; column < tree->columnCount(); ++column)
        tree->resizeColumnToContents(column);
}

QTreeWidgetItem* firstSelected(const QTreeWidget* tree)
{
    const QList<QTreeWidgetItem*> selection = tree->selectedItems();
    return selection.isEmpty() ? nullptr : selection.first();
}

} // namespace

QWidget* CZKMainWindow::pageHost() const
{
    return ui->mainFrame;
}

bool CZKMainWindow::setLineEditText(const QString& name, const QString& text, QValidator* validator)
{
    QLineEdit* edit = pageWidget<QLineEdit>(name);
    if (!edit) {
        delete validator;
        return false;
    }
    edit->setText(text);
    edit->setCursorPosition(0);
    if (validator) {
        // The page owns its validators, so that each reload takes them along.
        validator->setParent(edit);
        edit->setValidator(validator);
    }
    return true;
}

void CZKMainWindow::setLabelText(const QString& name, const QString& text)
{
    if (QLabel* label = pageWidget<QLabel>(name))
        label->setText(text);
}

QString CZKMainWindow::lineEditText(const QString& name)
{
    const QLineEdit* edit = pageWidget<QLineEdit>(name);
    return edit ? edit->text() : QString();
}

bool CZKMainWindow::setLineEditEditable(const QString& name, bool editable)
{
    QLineEdit* edit = pageWidget<QLineEdit>(name);
    if (!edit)
        return false;
    edit->setReadOnly(!editable);
    QFont font = edit->font();
    font.setWeight(editable ? QFont::Bold : QFont::Normal);
    edit->setFont(font);
    return true;
}

void CZKMainWindow::setFormWidgetVisible(const QString& name, bool visible)
{
    if (QWidget* widget = pageWidget<QWidget>(name))
        widget->setVisible(visible);
}

void CZKMainWindow::setupOperatorWidgets(bool visible)
{
    for (const char* name : {"editOperator", "labelForceOperator", "pbScanOperators", "pbSelectOperator", "lwOperators"})
        setFormWidgetVisible(QLatin1String(name), visible);
}

void CZKMainWindow::setButtonEnabled(const QString& name, bool enabled)
{
    if (QPushButton* button = pageWidget<QPushButton>(name))
        button->setEnabled(enabled);
}

void CZKMainWindow::setButtonText(const QString& name, const QString& text)
{
    if (QPushButton* button = pageWidget<QPushButton>(name))
        button->setText(text);
}

void CZKMainWindow::fillDeviceTree(QTreeWidget* tree, bool devicesOnly)
{
    CZKDataBase* db = database();
    if (!tree || !db)
        return;
    tree->clear();

    for (int i = 0; i < db->devices.size(); ++i) {
        const DeviceRecord& device = db->devices.at(i);
        QTreeWidgetItem* deviceItem
            = newTreeItem(device.name, "://Icons/wireless_access_point_32.ico", device.id, Device);
        tree->insertTopLevelItem(i, deviceItem);
        for (const SimCardRecord& card : qAsConst(db->simCards)) {
            if (card.mainId != device.id)
                continue;
            const QString text = card.active ? QStringLiteral("%1(%2)").arg(card.name, tr("Active")) : card.name;
            QTreeWidgetItem* cardItem = newTreeItem(text, "://Icons/sim_card_32.ico", card.id, SimCard);
            cardItem->setText(1, QStringLiteral("Slot%1").arg(card.simSlot));
            if (card.active) {
                for (int column : {0, 1}) {
                    QFont font = cardItem->font(column);
                    font.setWeight(QFont::Bold);
                    cardItem->setFont(column, font);
                }
            }
            deviceItem->addChild(cardItem);
        }
    }

    if (!devicesOnly) {
        QTreeWidgetItem* root = newTreeItem(tr("Profiles"), "://Icons/clipboard_32.ico", -1, ProfilesRoot);
        tree->addTopLevelItem(root);
        for (const ProfileRecord& profile : qAsConst(db->profiles)) {
            const char* icon
                = profile.name == deviceProfileName ? "://Icons/devprofile_32.ico" : "://Icons/paste_32.ico";
            root->addChild(newTreeItem(profile.name, icon, profile.id, Profile));
        }
    }

    tree->expandAll();
    fitColumns(tree);
}

bool CZKMainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
        if (auto* tree = qobject_cast<QTreeWidget*>(watched))
            fitColumns(tree);
    }
    return QMainWindow::eventFilter(watched, event);
}

void CZKMainWindow::treeSettingsSelectionChanged()
{
    if (treeRefreshing)
        return;
    const QTreeWidgetItem* item = firstSelected(ui->treeSettings);
    CZKDataBase* db = database();
    if (!item || !db)
        return;
    const int id = item->data(0, Qt::UserRole).toInt();
    const int kind = item->data(1, Qt::UserRole).toInt();

    switch (kind) {
    case ProfilesRoot:
        loadForm(QStringLiteral("ZKEmpty_form.ui"), ui->mainFrame);
        setLabelText(QStringLiteral("labelVersion"), tr("Version: %1").arg(QStringLiteral("1.0.6.1")));
        break;
    case Device:
        // A record that is gone leaves the page as its form has it.
        if (loadForm(QStringLiteral("ZKMain_form.ui"), ui->mainFrame) && db->findDevice(id)) {
            fillUnitPage(id);
            setButtonEnabled(QStringLiteral("pbSaveConfig"), false);
            setButtonEnabled(QStringLiteral("pbCancelConfig"), false);
            setButtonEnabled(QStringLiteral("pbSendToDevice"), linkWatchdog.isConnected());
            setButtonEnabled(QStringLiteral("pbReadFromDevice"), linkWatchdog.isConnected());
        }
        break;
    case SimCard:
        if (loadForm(QStringLiteral("ZKSIMCard_form.ui"), ui->mainFrame) && db->findSimCard(id)) {
            fillSimCardPage(id);
            const SimCardRecord* card = db->findSimCard(id);
            if (db->simCards.size() == 1 || card->active)
                setButtonEnabled(QStringLiteral("pbSetAsActive"), false);
            updatePINUI(PINUI::Busy, !(card->active && linkWatchdog.isConnected()));
        }
        break;
    case Profile:
        if (loadForm(QStringLiteral("ZKProfile_form.ui"), ui->mainFrame)) {
            setFormWidgetVisible(QStringLiteral("editSIMOperator"), false);
            setFormWidgetVisible(QStringLiteral("labelSIMOperator"), false);
            if (db->findProfile(id)) {
                fillProfilePage(id);
                setupOperatorWidgets(false);
            }
        }
        break;
    default:
        return;
    }
    connectFormButtons();
}

void CZKMainWindow::fillUnitPage(int id)
{
    const DeviceRecord* unit = database()->findDevice(id);
    setLineEditText(QStringLiteral("editName"), unit->name);
    setLineEditText(QStringLiteral("editModel"), unit->mdmModel);
    setLineEditText(QStringLiteral("editSerial"), unit->serial);
    setLineEditText(QStringLiteral("editIMEI"), unit->imei);
    setLineEditText(QStringLiteral("editFirmware"), unit->firmwareVer);
    setLineEditText(QStringLiteral("editMACAddr"), unit->ethernetAddr,
                    new QRegExpValidator(QRegExp(QLatin1String(UnitAddressPatterns::mac))));
    setLineEditText(QStringLiteral("editNetConf"), database()->dictionaryValue(unit->netConf, 0));
    setLineEditText(QStringLiteral("editLocalNetAddr"), unit->localNetworkAddr,
                    new QRegExpValidator(QRegExp(QLatin1String(UnitAddressPatterns::ipv4))));
    setLineEditText(QStringLiteral("editUDPPort"), QString::number(unit->udpPort), new QIntValidator(1, 65535));
    setLineEditText(QStringLiteral("editManufacturer"), unit->manufakturer);
    setLineEditText(QStringLiteral("editDeviceModel"), unit->deviceModel);
    setLineEditText(QStringLiteral("editRevision"), unit->revision);
    setLineEditText(QStringLiteral("editProcessor"), unit->processor);
    setLineEditText(QStringLiteral("editCMSIS"), unit->cmsis);
    setLineEditText(QStringLiteral("editStdPeriphLib"), unit->stdPeriphLib);
    setLineEditText(QStringLiteral("editNewLib"), unit->newlib);
    setLineEditText(QStringLiteral("editBuild"), unit->build);
}

void CZKMainWindow::fillSimCardPage(int id)
{
    CZKDataBase* db = database();
    const SimCardRecord* card = db->findSimCard(id);
    setLineEditText(QStringLiteral("editName"), card->name);
    setLineEditText(QStringLiteral("editIMSI"), card->imsi);
    setLineEditText(QStringLiteral("editSIMSlot"), QStringLiteral("Slot%1").arg(card->simSlot));
    // A card without a profile (a negative id) matches none, not even a profile not yet saved.
    if (card->activeProfileId >= 0) {
        for (const ProfileRecord& profile : qAsConst(db->profiles)) {
            if (profile.id == card->activeProfileId) {
                setLineEditText(QStringLiteral("editProfile"), profile.name);
                break;
            }
        }
    }
}

void CZKMainWindow::fillProfilePage(int id)
{
    CZKDataBase* db = database();
    const ProfileRecord* profile = db->findProfile(id);
    setLineEditText(QStringLiteral("editName"), profile->name);
    setLineEditText(QStringLiteral("editAPN"), profile->apn);
    setLineEditText(QStringLiteral("editAPNUser"), profile->apnUser);
    setLineEditText(QStringLiteral("editAPNPassword"), profile->apnPassword);
    setLineEditText(QStringLiteral("editRAT"), db->ratName(profile->activeRatId));
    if (!profile->forceOperator.isEmpty()) {
        setLineEditText(QStringLiteral("editOperator"),
                        QStringLiteral("%1(%2)").arg(profile->forceOperator).arg(profile->forceOperatorMncMcc));
    }
    if (profile->name == deviceProfileName) {
        setFormWidgetVisible(QStringLiteral("editSIMOperator"), true);
        setFormWidgetVisible(QStringLiteral("labelSIMOperator"), true);
        setLineEditText(QStringLiteral("editSIMOperator"), profile->simOperator);
    }
}

void CZKMainWindow::treeSettingsItemClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(item);
    Q_UNUSED(column);
    treeSettingsSelectionChanged();
}

void CZKMainWindow::treeSettingsItemDoubleClicked(QTreeWidgetItem* item, int column)
{
    Q_UNUSED(item);
    Q_UNUSED(column);
}

void CZKMainWindow::readFromDeviceSlot()
{
    beginBusy();
    readFromDevice();
    endBusy();
}

bool CZKMainWindow::loadForm(const QString& file, QWidget* host)
{
    if (!host)
        return false;
    const QList<QObject*> children = host->children();
    for (QObject* child : children) {
        if (child != host->layout())
            delete child;
    }
    delete host->layout();
    pageForm = nullptr;

    QFile form(file);
    if (!form.open(QIODevice::ReadOnly)) {
        sendMessage(Error, QStringLiteral("Load UI error"), QStringLiteral("Can't load %1 UI form").arg(file));
        return false;
    }
    QUiLoader loader;
    QWidget* page = loader.load(&form, host);
    form.close();
    if (page) {
        pageForm = page;
        auto* layout = new QHBoxLayout(host);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(2);
        layout->addWidget(page);
    }
    return true;
}

void CZKMainWindow::connectFormButtons()
{
    if (!pageForm)
        return;
    using Slot = void (CZKMainWindow::*)();
    struct Wire {
        const char* button;
        Slot slot;
    };
    const auto wire = [this](std::initializer_list<Wire> wires) {
        for (const Wire& w : wires) {
            if (QPushButton* button = pageWidget<QPushButton>(QLatin1String(w.button)))
                connect(button, &QPushButton::clicked, this, w.slot);
        }
    };
    const QString page = pageForm->objectName();
    if (page == QLatin1String("FormMain")) {
        wire({{"pbEditConfig", &CZKMainWindow::editConfig},
              {"pbSendToDevice", &CZKMainWindow::sendToDevice},
              {"pbReadFromDevice", &CZKMainWindow::readFromDeviceSlot},
              {"pbSaveConfig", &CZKMainWindow::saveConfig},
              {"pbCancelConfig", &CZKMainWindow::cancelConfig}});
    }
    if (page == QLatin1String("FormSIMCard")) {
        wire({{"pbEditSIMCard", &CZKMainWindow::editSIMCard},
              {"pbSetAsActive", &CZKMainWindow::setAsActive},
              {"pbEnterPIN", &CZKMainWindow::enterPIN},
              {"pbUnlockPIN", &CZKMainWindow::unlockPIN},
              {"pbPINEnableDisable", &CZKMainWindow::enableDisablePIN},
              {"pbPINChange", &CZKMainWindow::changePIN},
              {"pbSaveSIMCard", &CZKMainWindow::saveSIMCard},
              {"pbCancelSIMCard", &CZKMainWindow::cancelSIMCard},
              {"pbApplyProfile", &CZKMainWindow::applyProfile},
              {"pbRefreshProfile", &CZKMainWindow::refreshProfile}});
    }
    if (page == QLatin1String("FormProfile")) {
        wire({{"pbNewProfile", &CZKMainWindow::newProfile},
              {"pbEditProfile", &CZKMainWindow::editProfile},
              {"pbDeleteProfile", &CZKMainWindow::deleteProfile},
              {"pbScanOperators", &CZKMainWindow::scanOperators},
              {"pbSaveProfile", &CZKMainWindow::saveProfile},
              {"pbCancelProfile", &CZKMainWindow::cancelProfile},
              {"pbSelectOperator", &CZKMainWindow::selectOperator}});
        setButtonEnabled(QStringLiteral("pbScanOperators"), false);
    }
}

void CZKMainWindow::setCurrentItem(QTreeWidget* tree, int id, int kind)
{
    if (!tree) {
        sendMessage(Error, QStringLiteral("setCurrentItem() Internal ERROR 0"), QString());
        return;
    }
    const auto matches = [id, kind](const QTreeWidgetItem* item) {
        return item->data(1, Qt::UserRole).toInt() == kind && item->data(0, Qt::UserRole).toInt() == id;
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        if (matches(tree->topLevelItem(i))) {
            tree->setCurrentItem(tree->topLevelItem(i));
            return;
        }
    }
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* top = tree->topLevelItem(i);
        for (int c = 0; c < top->childCount(); ++c) {
            if (matches(top->child(c))) {
                tree->setCurrentItem(top->child(c));
                return;
            }
        }
    }
}

void CZKMainWindow::focusActiveSIMCard(QTreeWidget* tree)
{
    if (!tree) {
        sendMessage(Error, QStringLiteral("focusActiveSIMCard( tree ) Internal ERROR 0 tree is NULL"), QString());
        return;
    }
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("focusActiveSIMCard( tree ) Internal ERROR 1"), QString());
        return;
    }
    if (!tree->selectedItems().isEmpty() || tree->topLevelItemCount() != 1)
        return;
    QTreeWidgetItem* unit = tree->topLevelItem(0);
    const int unitId = unit->data(0, Qt::UserRole).toInt();
    for (const SimCardRecord& card : qAsConst(db->simCards)) {
        if (card.mainId != unitId || !card.active)
            continue;
        for (int c = 0; c < unit->childCount(); ++c) {
            if (unit->child(c)->data(0, Qt::UserRole).toInt() == card.id) {
                tree->setCurrentItem(unit->child(c));
                return;
            }
        }
        return;
    }
}

void CZKMainWindow::treeSettingsCtxMenu(QPoint pt)
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("treeSettingsCtxMenu() Internal ERROR 1"), QString());
        return;
    }
    const QList<QTreeWidgetItem*> selection = ui->treeSettings->selectedItems();
    if (selection.size() != 1 || !selection.first())
        return;
    QTreeWidgetItem* item = selection.first();
    const int id = item->data(0, Qt::UserRole).toInt();
    const int kind = item->data(1, Qt::UserRole).toInt();
    ui->treeSettings->setCurrentItem(item);

    const bool linkUp = linkWatchdog.isConnected();
    QMenu menu;
    menu.setObjectName(QStringLiteral("treeSettingsMenu"));
    QAction* edit = nullptr;
    QAction* read = nullptr;
    QAction* apply = nullptr;
    QAction* refresh = nullptr;
    QAction* create = nullptr;
    switch (kind) {
    case Device:
        edit = menu.addAction(tr("Edit"));
        read = menu.addAction(tr("Read from device"));
        read->setEnabled(linkUp);
        break;
    case SimCard:
        if (id != db->activeSimCardId())
            return;
        edit = menu.addAction(tr("Edit"));
        apply = menu.addAction(tr("Apply profile"));
        apply->setEnabled(linkUp);
        refresh = menu.addAction(tr("Refresh profile"));
        refresh->setEnabled(linkUp);
        break;
    case ProfilesRoot:
        create = menu.addAction(tr("New profile"));
        break;
    case Profile:
        edit = menu.addAction(tr("Edit"));
        break;
    default:
        return;
    }

    const QAction* chosen = menu.exec(ui->treeSettings->viewport()->mapToGlobal(pt));
    if (!chosen)
        return;
    if (chosen == edit) {
        if (kind == Device)
            editConfig();
        else if (kind == SimCard)
            editSIMCard();
        else
            editProfile();
    } else if (chosen == read) {
        readFromDeviceSlot();
    } else if (chosen == apply) {
        applyProfile();
    } else if (chosen == refresh) {
        refreshProfile();
    } else if (chosen == create) {
        newProfile();
    }
}
