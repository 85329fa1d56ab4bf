#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

// The SIM card page's record buttons and the data profile's transfer.

namespace {

// The waits of a profile transfer, at their real values: the unit needs them to drop its data
// connection, take the new settings and search the network again. 20.6 s in all.
constexpr int kAfterRunStopMs = 100;
constexpr int kAfterContextDownMs = 10000;
constexpr int kAfterApnMs = 500;
constexpr int kAfterContextMs = 500;
constexpr int kAfterBandMs = 1000;
constexpr int kAfterRatResetMs = 1000;
constexpr int kAfterRatMs = 7500;
// Between the reads of a profile refresh, and after the lone band query.
constexpr int kRefreshGapMs = 100;
constexpr int kBandQueryWaitMs = 1000;

// Grid cells of the SIM card page's properties where the edit's combo boxes stand.
constexpr int kSlotRow = 2;
constexpr int kProfileRow = 3;
constexpr int kValueColumn = 1;

// The group of dictionary rows that name the SIM slots.
constexpr int kSimSlotGroup = 1;

QTreeWidgetItem* firstSelected(const QTreeWidget* tree)
{
    const QList<QTreeWidgetItem*> selection = tree->selectedItems();
    return selection.isEmpty() ? nullptr : selection.first();
}

// The unit's command line ends a command at CR, LF or Ctrl-Z, and a quote ends the quoted field:
// a value holding one would send the unit something other than the profile.
bool sendable(const QString& value)
{
    for (const QChar c : value) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0x1A))
            return false;
    }
    return true;
}

void removeCombo(QGroupBox* box, QComboBox* combo)
{
    if (!combo)
        return;
    if (box && box->layout())
        box->layout()->removeWidget(combo);
    delete combo;
}

} // namespace

struct CZKMainWindow::SimPageSteps {
    // The selected card for the slot named `title`; null, with "Internal ERROR" 0, 1 or 2 on the
    // bus, when there is no database, no selection or no such card.
    static const SimCardRecord* cardOrReport(CZKMainWindow& w, const QString& title)
    {
        const char* error = nullptr;
        bool itemSelected = false;
        const SimCardRecord* card = nullptr;
        if (!database())
            error = "Internal ERROR 0";
        else if (!(card = selectedCard(w, &itemSelected)) && !itemSelected)
            error = "Internal ERROR 1";
        else if (!card)
            error = "Internal ERROR 2";
        if (error)
            w.sendMessage(Error, title, QLatin1String(error));
        return error ? nullptr : card;
    }

    // The SIM card of the settings tree's selection; null when none is selected or it is gone.
    static SimCardRecord* selectedCard(CZKMainWindow& w, bool* itemSelected = nullptr)
    {
        const QTreeWidgetItem* item = firstSelected(w.ui->treeSettings);
        if (itemSelected)
            *itemSelected = item != nullptr;
        CZKDataBase* db = database();
        if (!item || !db || item->data(1, Qt::UserRole).toInt() != SimCard)
            return nullptr;
        bool valid = false;
        const int id = item->data(0, Qt::UserRole).toInt(&valid);
        return valid ? db->findSimCard(id) : nullptr;
    }

    // The stored profile a card refers to. Below 0 means none: such an id never names a profile,
    // not even one that is only in memory so far.
    static ProfileRecord* profileOf(int profileId)
    {
        CZKDataBase* db = database();
        return db && profileId >= 0 ? db->findProfile(profileId) : nullptr;
    }

    static QComboBox* combo(CZKMainWindow& w, const char* name)
    {
        return w.pageWidget<QComboBox>(QLatin1String(name));
    }

    // The item data of the combo's current entry; the stored value when nothing is chosen,
    // rather than the 0 that empty item data would read as.
    static int chosen(const QComboBox* box, int stored)
    {
        if (!box || box->currentIndex() < 0)
            return stored;
        bool valid = false;
        const int value = box->currentData().toInt(&valid);
        return valid ? value : stored;
    }

    static QComboBox* newCombo(CZKMainWindow& w, const char* name, const QLineEdit* beside)
    {
        auto* box = new QComboBox(w.pageForm);
        box->setObjectName(QLatin1String(name));
        box->setFont(beside->font());
        return box;
    }

    // The page out of edit mode, showing the card as stored.
    static void showCard(CZKMainWindow& w, const SimCardRecord& card)
    {
        const ProfileRecord* profile = profileOf(card.activeProfileId);
        w.setLineEditText(QStringLiteral("editName"), card.name);
        w.setLineEditText(QStringLiteral("editSIMSlot"), database()->dictionaryValue(card.simSlot, kSimSlotGroup));
        w.setLineEditText(QStringLiteral("editProfile"), profile ? profile->name : QString());
        for (const char* field : {"editName", "editSIMSlot", "editProfile"})
            w.setLineEditEditable(QLatin1String(field), false);
        w.setButtonEnabled(QStringLiteral("pbSaveSIMCard"), false);
        w.setButtonEnabled(QStringLiteral("pbCancelSIMCard"), false);
    }

    static void fillTrees(CZKMainWindow& w)
    {
        // Clearing the trees is no choice of the operator's: no page is reloaded meanwhile.
        w.treeRefreshing = true;
        w.fillDeviceTree(w.ui->treeSettings, false);
        w.fillDeviceTree(w.ui->treeRFSetup, true);
        w.fillDeviceTree(w.ui->treeSMS, true);
        w.fillDeviceTree(w.ui->treeTests, true);
        w.treeRefreshing = false;
    }

    // Whether the unit can take the profile's texts; else the operator is told which field.
    static bool checkSendable(CZKMainWindow& w, const ProfileRecord& profile)
    {
        const struct {
            const QString& value;
            QString field;
        } fields[] = {{profile.apn, CZKMainWindow::tr("APN")}, {profile.apnUser, CZKMainWindow::tr("APN user")}, {profile.apnPassword, CZKMainWindow::tr("APN password")}};
        for (const auto& field : fields) {
            if (!sendable(field.value)) {
                CZKPrompt::warning(&w, CZKMainWindow::tr("Warning"),
                                   CZKMainWindow::tr("The %1 of profile '%2' holds a character that cannot be sent to the unit "
                                      "(\", CR, LF or Ctrl-Z).")
                                       .arg(field.field, profile.name));
                return false;
            }
        }
        return true;
    }

    static void send(CZKMainWindow& w, const QString& command) { w.sendMessage(Send, command, internalTag()); }

    // The APN and its authentication. The modem's write form takes the password before the
    // user name.
    static void sendAPN(CZKMainWindow& w, const ProfileRecord& profile)
    {
        send(w, QStringLiteral("AT+CGDCONT=1,\"IP\",\"%1\"").arg(profile.apn));
        waitMs(kAfterContextMs);
        if (profile.apnUser.isEmpty() && profile.apnPassword.isEmpty())
            send(w, QStringLiteral("AT$QCPDPP=1,0"));
        else
            send(w, QStringLiteral("AT$QCPDPP=1,1,\"%1\",\"%2\"").arg(profile.apnPassword, profile.apnUser));
    }

    static void sendRAT(CZKMainWindow& w, const ProfileRecord& profile)
    {
        send(w, QStringLiteral("AT!SELRAT=00"));
        waitMs(kAfterRatResetMs);
        const QString command = database()->ratSetCommand(profile.activeRatId);
        if (!command.isEmpty())
            send(w, command);
    }

    // The active card and its profile as stored; false (told) when either is missing.
    static bool activeCardProfile(CZKMainWindow& w, int* cardId, ProfileRecord* profile)
    {
        CZKDataBase* db = database();
        if (!db) {
            w.sendMessage(Error, QStringLiteral("applyProfile Internal ERROR 1 database is NULL"), QString());
            return false;
        }
        const SimCardRecord* card = db->findSimCard(db->activeSimCardId());
        if (!card) {
            w.sendMessage(Error, QStringLiteral("applyProfile Internal ERROR 2 SIM is NULL"), QString());
            return false;
        }
        const ProfileRecord* stored = profileOf(card->activeProfileId);
        if (!stored) {
            CZKPrompt::warning(&w, CZKMainWindow::tr("Warning"), CZKMainWindow::tr("Profile is no set, set current profile."));
            return false;
        }
        *cardId = card->id;
        *profile = *stored;
        return true;
    }
};

void CZKMainWindow::editSIMCard()
{
    if (!pageForm || pageForm->objectName() != QLatin1String("FormSIMCard"))
        return;
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("editSIMCard()"), QStringLiteral("ERROR 0"));
        return;
    }
    for (const char* field : {"editName", "editSIMSlot", "editProfile"})
        setLineEditEditable(QLatin1String(field), true);
    setButtonEnabled(QStringLiteral("pbSaveSIMCard"), true);
    setButtonEnabled(QStringLiteral("pbCancelSIMCard"), true);

    const QLineEdit* slotEdit = pageWidget<QLineEdit>(QStringLiteral("editSIMSlot"));
    const QGroupBox* properties = pageWidget<QGroupBox>(QStringLiteral("gbProperties"));
    if (!slotEdit || !properties || SimPageSteps::combo(*this, "comboSIMSlot"))
        return;
    bool itemSelected = false;
    const SimCardRecord* card = SimPageSteps::selectedCard(*this, &itemSelected);
    if (!itemSelected) {
        sendMessage(Error, QStringLiteral("editSIMCard()"), QStringLiteral("ERROR 1"));
        return;
    }
    auto* grid = qobject_cast<QGridLayout*>(properties->layout());
    if (!card || !grid)
        return;

    // The fields are bold by now, and so are the combo boxes that take their fonts.
    QComboBox* slotBox = SimPageSteps::newCombo(*this, "comboSIMSlot", slotEdit);
    for (const DictionaryRecord& entry : qAsConst(db->dictionary)) {
        if (entry.valueGroup == kSimSlotGroup)
            slotBox->addItem(entry.value, entry.key);
    }
    slotBox->setCurrentIndex(slotBox->findData(card->simSlot));
    grid->addWidget(slotBox, kSlotRow, kValueColumn);

    const QLineEdit* profileEdit = pageWidget<QLineEdit>(QStringLiteral("editProfile"));
    if (!profileEdit || SimPageSteps::combo(*this, "comboProfile"))
        return;
    QComboBox* profiles = SimPageSteps::newCombo(*this, "comboProfile", profileEdit);
    // Only stored profiles: a card cannot refer to one that has no row yet.
    for (const ProfileRecord& profile : qAsConst(db->profiles)) {
        if (profile.id >= 0)
            profiles->addItem(profile.name, profile.id);
    }
    profiles->setCurrentIndex(card->activeProfileId >= 0 ? profiles->findData(card->activeProfileId) : -1);
    grid->addWidget(profiles, kProfileRow, kValueColumn);
}

void CZKMainWindow::saveSIMCard()
{
    const QString title = QStringLiteral("saveSIMCard()");
    const SimCardRecord* card = SimPageSteps::cardOrReport(*this, title);
    if (!card)
        return;

    // The edit goes into a copy; the record takes it only once its row has.
    SimCardRecord edited = *card;
    edited.name = lineEditText(QStringLiteral("editName"));
    if (edited.name.isEmpty()) {
        sendMessage(Error, title, QStringLiteral("Internal ERROR 6 Name is empty"));
        CZKPrompt::warning(this, tr("Save SIMCard"), tr("SIMCard name is empty."));
        return;
    }
    auto* properties = pageWidget<QGroupBox>(QStringLiteral("gbProperties"));
    QComboBox* slotBox = SimPageSteps::combo(*this, "comboSIMSlot");
    if (!properties || !slotBox) {
        sendMessage(Error, title, QStringLiteral("Internal ERROR 3"));
        return;
    }
    QComboBox* profiles = SimPageSteps::combo(*this, "comboProfile");
    if (!profiles) {
        sendMessage(Error, title, QStringLiteral("Internal ERROR 4"));
        return;
    }
    edited.simSlot = SimPageSteps::chosen(slotBox, card->simSlot);
    edited.activeProfileId = SimPageSteps::chosen(profiles, card->activeProfileId);
    if (!SimPageSteps::profileOf(edited.activeProfileId)) {
        // A profile deleted meanwhile leaves the card with none.
        if (edited.activeProfileId >= 0)
            sendMessage(Error, title, QStringLiteral("Internal ERROR 5 Profile is empty"));
        edited.activeProfileId = -1;
    }

    if (!edited.update()) {
        CZKPrompt::warning(this, tr("Save SIMCard"), tr("The SIM card could not be saved."));
        return;
    }
    SimCardRecord* stored = database()->findSimCard(edited.id);
    if (stored)
        *stored = edited;

    removeCombo(properties, slotBox);
    removeCombo(properties, profiles);
    SimPageSteps::showCard(*this, edited);
    SimPageSteps::fillTrees(*this);
    setCurrentItem(ui->treeSettings, edited.id, SimCard);
}

void CZKMainWindow::cancelSIMCard()
{
    const QString title = QStringLiteral("cancelSIMCard()");
    const SimCardRecord* card = SimPageSteps::cardOrReport(*this, title);
    if (!card)
        return;
    auto* properties = pageWidget<QGroupBox>(QStringLiteral("gbProperties"));
    QComboBox* slotBox = SimPageSteps::combo(*this, "comboSIMSlot");
    if (!properties || !slotBox) {
        sendMessage(Error, title, QStringLiteral("Internal ERROR 3"));
        return;
    }
    QComboBox* profiles = SimPageSteps::combo(*this, "comboProfile");
    if (!profiles) {
        sendMessage(Error, title, QStringLiteral("Internal ERROR 4"));
        return;
    }
    removeCombo(properties, slotBox);
    removeCombo(properties, profiles);
    // A card without a profile is shown as any other, with an empty profile field.
    SimPageSteps::showCard(*this, *card);
    ui->treeSettings->setFocus();
}

void CZKMainWindow::setAsActive()
{
    CZKDataBase* db = database();
    SimCardRecord* card = SimPageSteps::selectedCard(*this);
    if (!db || !card || card->active)
        return;
    const int cardId = card->id;
    const int previousId = db->activeSimCardId();

    // Both rows change or neither: the card that was active is put back when the new one's row
    // refuses the change.
    bool changed = false;
    if (SimCardRecord* previous = db->findSimCard(previousId)) {
        SimCardRecord off = *previous;
        off.active = false;
        if (off.update()) {
            SimCardRecord on = *card;
            on.active = true;
            if (on.update()) {
                *previous = off;
                *card = on;
                changed = true;
            } else {
                previous->update();
            }
        }
    } else {
        SimCardRecord on = *card;
        on.active = true;
        if (on.update()) {
            *card = on;
            changed = true;
        }
    }
    if (!changed) {
        CZKPrompt::warning(this, tr("Set as active"), tr("The active SIM card could not be changed."));
        return;
    }
    SimPageSteps::fillTrees(*this);
    setCurrentItem(ui->treeSettings, cardId, SimCard);
    setButtonEnabled(QStringLiteral("pbSetAsActive"), false);
}

void CZKMainWindow::applyProfile()
{
    int cardId = -1;
    ProfileRecord profile;
    if (!SimPageSteps::activeCardProfile(*this, &cardId, &profile))
        return;
    if (!SimPageSteps::checkSendable(*this, profile))
        return;
    if (CZKPrompt::question(this, tr("Question"), tr("Send profile '%1' to device ?").arg(profile.name),
                            QMessageBox::Ok | QMessageBox::Cancel)
        != QMessageBox::Ok)
        return;

    const QPushButton* save = pageWidget<QPushButton>(QStringLiteral("pbSaveSIMCard"));
    if (save && save->isEnabled()) {
        if (CZKPrompt::question(this, tr("Question"), tr("Save changes ?"), QMessageBox::Ok | QMessageBox::Cancel)
            == QMessageBox::Ok)
            saveSIMCard();
        else
            cancelSIMCard();
        // What goes out is what the operator agreed to: an edit still open (its save refused) or
        // a card that now has another profile, or is no longer the active one, sends nothing.
        save = pageWidget<QPushButton>(QStringLiteral("pbSaveSIMCard"));
        CZKDataBase* db = database();
        const SimCardRecord* card = db ? db->findSimCard(cardId) : nullptr;
        if ((save && save->isEnabled()) || !card || !card->active || card->activeProfileId != profile.id
            || !SimPageSteps::profileOf(profile.id))
            return;
    }

    const bool smsPolling = smsPollingEnabled;
    const bool watchdogPaused = linkWatchdog.isPaused();
    const bool radioPaused = radioPoller ? radioPoller->isPaused() : false;
    smsPollingEnabled = false;
    if (radioPoller)
        radioPoller->setPaused(true);
    linkWatchdog.setPaused(true);
    beginBusy();

    SimPageSteps::send(*this, QStringLiteral("AT#RUN=0"));
    waitMs(kAfterRunStopMs);
    SimPageSteps::send(*this, QStringLiteral("AT!SCACT=0,1"));
    waitMs(kAfterContextDownMs);
    SimPageSteps::sendAPN(*this, profile);
    waitMs(kAfterApnMs);
    SimPageSteps::send(*this, QStringLiteral("AT!BAND=00"));
    waitMs(kAfterBandMs);
    SimPageSteps::sendRAT(*this, profile);
    waitMs(kAfterRatMs);
    SimPageSteps::send(*this, QStringLiteral("AT#RUN=1"));

    endBusy();
    smsPollingEnabled = smsPolling;
    if (radioPoller)
        radioPoller->setPaused(radioPaused);
    linkWatchdog.setPaused(watchdogPaused);
}

void CZKMainWindow::refreshProfile()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("refreshProfile()"), QStringLiteral("Internal ERROR 0"));
        return;
    }
    bool found = false;
    const int existing = db->profileIdByName(deviceProfileName, &found);
    if (found) {
        setCurrentItem(ui->treeSettings, existing, Profile);
    } else {
        QTreeWidgetItem* root = nullptr;
        for (int i = 0; i < ui->treeSettings->topLevelItemCount() && !root; ++i) {
            QTreeWidgetItem* top = ui->treeSettings->topLevelItem(i);
            if (top->data(1, Qt::UserRole).toInt() == ProfilesRoot)
                root = top;
        }
        // Without a place in the tree the profile would be made and never shown.
        if (!root) {
            sendMessage(Error, QStringLiteral("refreshProfile()"), QStringLiteral("Internal ERROR 2"));
            return;
        }
        ProfileRecord* profile = db->newProfile();
        if (!profile) {
            sendMessage(Error, QStringLiteral("refreshProfile()"), QStringLiteral("Internal ERROR 1"));
            return;
        }
        profile->name = deviceProfileName;
        profile->activeRatId = 0;
        const int id = profile->id;
        auto* item = new QTreeWidgetItem;
        item->setText(0, deviceProfileName);
        item->setIcon(0, QIcon(QStringLiteral("://Icons/devprofile_32.ico")));
        item->setData(0, Qt::UserRole, id);
        item->setData(1, Qt::UserRole, int(Profile));
        root->addChild(item);
        setCurrentItem(ui->treeSettings, id, Profile);
    }

    // The band answer ends the refresh; an error answer, a lost link or the time-out end it
    // too, so that a silent unit never leaves the program busy.
    beginBusy();
    profileRefreshPending = true;
    unitRatFixed = false;
    profileRefreshTimer.start(Pacing::ms(MainWindowTiming::kProfileRefreshTimeoutMs));

    const char* const reads[] = {"AT+CIMI", "AT+CGDCONT?", "AT$QCPDPP?", "AT!SELRAT?", "AT!ENTERCND=\"C962\";!GBAND?"};
    bool first = true;
    for (const char* read : reads) {
        if (!first)
            waitMs(kRefreshGapMs);
        first = false;
        SimPageSteps::send(*this, QLatin1String(read));
    }
}

void CZKMainWindow::gbandSend()
{
    beginBusy();
    SimPageSteps::send(*this, QStringLiteral("AT!ENTERCND = \"C962\";!GBAND?"));
    waitMs(kBandQueryWaitMs);
    endBusy();
}

void CZKMainWindow::updateSIMOperator(ProfileRecord* profile)
{
    CZKDataBase* db = database();
    const SimCardRecord* card = db ? db->findSimCard(db->activeSimCardId()) : nullptr;
    if (!card) {
        sendMessage(Error, QStringLiteral("updateSIMOperator()"), QStringLiteral("Internal ERROR 1"));
        return;
    }
    if (!profile)
        return;
    const QString mccMnc = card->imsi.left(5);
    bool found = false;
    const QString network = db->operatorName(mccMnc, &found);
    if (!found)
        return;
    profile->simOperator = QStringLiteral("%1(%2)").arg(network, mccMnc);
    setLineEditText(QStringLiteral("editSIMOperator"), profile->simOperator);
}
