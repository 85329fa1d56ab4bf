#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "compose/CZKNewSMS.h"
#include "db/CZKDataBase.h"
#include "db/StoredDate.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QMessageBox>
#include <QIcon>
#include <QLabel>
#include <QToolBar>

#include <functional>

// The SMS tab: the in- and outbox of the selected SIM card, the message composer's flows and
// the new-message indicator of the status bar.

namespace {

QPixmap indicatorPixmap(const char* icon)
{
    return QIcon(QLatin1String(icon)).pixmap(16, 16);
}

void enableAction(QAction* action, bool enabled)
{
    if (action)
        action->setEnabled(enabled);
}

} // namespace

struct CZKMainWindow::MessageSteps {
    // The record ids of the selected rows, from the column-0 items.
    static QVector<int> selectedIds(const CZKSMSTableWidget* table)
    {
        QVector<int> ids;
        for (const QModelIndex& index : table->selectedIndexes()) {
            if (index.column() == 0)
                ids.append(index.data(Qt::UserRole).toInt());
        }
        return ids;
    }

    static void refreshShownBox(CZKMainWindow& w)
    {
        if (w.inboxShown)
            w.inbox();
        else
            w.outbox();
    }

    static void showBox(CZKMainWindow& w, bool inbox)
    {
        CZKDataBase* db = database();
        if (!db) {
            w.sendMessage(Error, inbox ? QStringLiteral("inbox() Internal ERROR 1") : QStringLiteral("outbox() Internal ERROR 1"),
                          QString());
            return;
        }
        const QList<QTreeWidgetItem*> selection = w.ui->treeSMS->selectedItems();
        if (selection.isEmpty())
            return;
        if (inbox && w.ui->actionSMS->isChecked() && w.messageIndicatorLabel)
            w.messageIndicatorLabel->setPixmap(indicatorPixmap("://Icons/empty_16.ico"));
        const int simCardId = selection.first()->data(0, Qt::UserRole).toInt();
        if (selection.first()->data(1, Qt::UserRole).toInt() != SimCard)
            return;
        w.inboxShown = inbox;
        // This refill covers whatever was asked for until now.
        if (w.boxRefreshTimer)
            w.boxRefreshTimer->stop();
        if (inbox)
            fill(w, *db, db->receivedMessages, &ReceivedMessageRecord::fromMsisdn, simCardId);
        else
            fill(w, *db, db->sentMessages, &SentMessageRecord::toMsisdn, simCardId);
        w.updateSMSActions();
    }

    // One message's row: the name of its sender (inbox) or recipient (outbox), else the number,
    // with the record's id; the text; the date.
    template <typename Record>
    static void setRow(CZKSMSTableWidget* table, int row, const CZKDataBase& db, const Record& message,
                       QString Record::*party)
    {
        const QString& number = message.*party;
        const QString name = db.contactName(number);
        auto* nameItem = new QTableWidgetItem(name.isEmpty() ? number : name);
        nameItem->setData(Qt::UserRole, message.id);
        table->setItem(row, 0, nameItem);
        table->setItem(row, 1, new QTableWidgetItem(message.content));
        table->setItem(row, 2, new QTableWidgetItem(StoredDate::toText(message.date)));
    }

    template <typename Record>
    static void markShown(CZKMainWindow& w, const QVector<Record>& list)
    {
        w.shownBox.length = list.size();
        w.shownBox.lastId = list.isEmpty() ? -1 : list.last().id;
    }

    // Newest first. The table is emptied and sized in one step each and its items are set in
    // place with the drawing held back, so that a box of a hundred thousand messages fills in a
    // blink rather than row by row.
    template <typename Record>
    static void fill(CZKMainWindow& w, const CZKDataBase& db, const QVector<Record>& list, QString Record::*party,
                     int simCardId)
    {
        QVector<const Record*> shown;
        for (int i = list.size() - 1; i >= 0; --i) {
            if (list.at(i).simCardId == simCardId)
                shown.append(&list.at(i));
        }

        CZKSMSTableWidget* table = w.ui->tableMessages;
        table->setUpdatesEnabled(false);
        table->setRowCount(0);
        table->setRowCount(shown.size());
        for (int row = 0; row < shown.size(); ++row)
            setRow(table, row, db, *shown.at(row), party);
        table->fitMessageColumns();
        table->setUpdatesEnabled(true);
        w.shownBox.simCardId = simCardId;
        w.shownBox.inbox = w.inboxShown;
        markShown(w, list);
    }

    // The messages stored since the table's last fill go in at the top, newest first, when the
    // table holds the box and card they belong to and no message has left that box since; the
    // rows already shown, and the operator's selection among them, stay as they are. False
    // when only a refill brings the table up to date.
    static bool addStoredRows(CZKMainWindow& w)
    {
        CZKDataBase* db = database();
        if (!db || (w.boxRefreshTimer && w.boxRefreshTimer->isActive()))
            return false;
        const QList<QTreeWidgetItem*> selection = w.ui->treeSMS->selectedItems();
        if (selection.isEmpty() || selection.first()->data(1, Qt::UserRole).toInt() != SimCard
            || selection.first()->data(0, Qt::UserRole).toInt() != w.shownBox.simCardId
            || w.inboxShown != w.shownBox.inbox)
            return false;
        if (w.inboxShown)
            return addRows(w, *db, db->receivedMessages, &ReceivedMessageRecord::fromMsisdn);
        return addRows(w, *db, db->sentMessages, &SentMessageRecord::toMsisdn);
    }

    template <typename Record>
    static bool addRows(CZKMainWindow& w, const CZKDataBase& db, const QVector<Record>& list, QString Record::*party)
    {
        const ShownBox& shown = w.shownBox;
        if (list.size() < shown.length || (shown.length > 0 && list.at(shown.length - 1).id != shown.lastId))
            return false;
        CZKSMSTableWidget* table = w.ui->tableMessages;
        bool added = false;
        for (int i = shown.length; i < list.size(); ++i) {
            if (list.at(i).simCardId != shown.simCardId)
                continue;
            table->insertRow(0);
            setRow(table, 0, db, list.at(i), party);
            added = true;
        }
        markShown(w, list);
        if (added) {
            table->fitMessageColumns();
            w.updateSMSActions();
        }
        return true;
    }

    // Runs a composer opened from the SMS tab; an accepted one has stored a message.
    static void runBoxComposer(CZKMainWindow& w, CZKNewSMS& dialog)
    {
        w.smsPollingEnabled = false;
        if (dialog.exec() == QDialog::Accepted && !addStoredRows(w))
            refreshShownBox(w);
        w.smsPollingEnabled = true;
        w.updateSMSActions();
    }

    // The number of the phone-book entry selected on the phone-book tab; empty when there is
    // none, or it has no number.
    static QString selectedContactNumber(CZKMainWindow& w, CZKDataBase& db)
    {
        const QList<QTreeWidgetItem*> roots = w.ui->treePhoneBook->selectedItems();
        if (roots.isEmpty())
            return QString();
        const QVector<int> ids = selectedIds(w.ui->tablePBook);
        if (ids.size() != 1)
            return QString();
        const int group = roots.first()->data(0, Qt::UserRole).toInt();
        const ContactRecord* entry = group == 0 ? db.findContact(ids.first())
                                     : group == 1 ? db.findPhoneBookEntry(ids.first())
                                                  : nullptr;
        return entry ? entry->msisdn : QString();
    }

    // Runs a composer opened from the phone book with the pollers quiet meanwhile. Afterwards
    // each poller gets back the pause state it had: the radio poller stays paused while the
    // phone-book tab is on view, and a pause that another flow holds is not lifted here.
    static void runContactComposer(CZKMainWindow& w, const std::function<void(CZKNewSMS&)>& configure)
    {
        const bool radioWasPaused = w.radioPoller && w.radioPoller->isPaused();
        if (w.radioPoller)
            w.radioPoller->setPaused(true);
        const bool watchdogWasPaused = w.linkWatchdog.isPaused();
        w.linkWatchdog.setPaused(true);
        {
            CZKNewSMS dialog(&w);
            configure(dialog);
            w.smsPollingEnabled = false;
            dialog.exec();
        }
        if (w.radioPoller)
            w.radioPoller->setPaused(radioWasPaused);
        w.linkWatchdog.setPaused(watchdogWasPaused);
        w.smsPollingEnabled = true;
    }
};

void CZKMainWindow::inbox()
{
    MessageSteps::showBox(*this, true);
}

void CZKMainWindow::outbox()
{
    MessageSteps::showBox(*this, false);
}

void CZKMainWindow::scheduleBoxRefresh()
{
    if (!boxRefreshTimer) {
        boxRefreshTimer = new QTimer(this);
        boxRefreshTimer->setSingleShot(true);
        // Requests within this time of the first make one refill: a phone book read in several
        // datagrams, or a unit answering many codes, redraws a large box once.
        boxRefreshTimer->setInterval(Pacing::ms(MainWindowTiming::kBoxRefreshDelayMs));
        connect(boxRefreshTimer, &QTimer::timeout, this, [this] { MessageSteps::refreshShownBox(*this); });
    }
    if (!boxRefreshTimer->isActive())
        boxRefreshTimer->start();
}

void CZKMainWindow::showStoredMessages()
{
    if (!MessageSteps::addStoredRows(*this))
        scheduleBoxRefresh();
}

void CZKMainWindow::treeSMSSelectionChanged()
{
    updateSMSActions();
}

void CZKMainWindow::itemSelectionChangedTableMessages()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("itemSelectionChangedTableMessages() Internal ERROR 1"), QString());
        return;
    }
    const QVector<int> ids = MessageSteps::selectedIds(ui->tableMessages);
    if (ids.size() != 1) {
        ui->editMessageText->setText(tr("%1 messages").arg(ids.size()));
    } else if (inboxShown) {
        if (const ReceivedMessageRecord* message = db->findReceivedMessage(ids.first()))
            ui->editMessageText->setText(message->content);
    } else if (const SentMessageRecord* message = db->findSentMessage(ids.first())) {
        ui->editMessageText->setText(message->content);
    }
    updateSMSActions();
}

void CZKMainWindow::updateSMSActions()
{
    const QList<QTreeWidgetItem*> selection = ui->treeSMS->selectedItems();
    if (selection.isEmpty())
        return;
    QTreeWidgetItem* item = selection.first();
    if (item->data(1, Qt::UserRole).toInt() != SimCard) {
        if (smsToolbar)
            smsToolbar->setEnabled(false);
        ui->tableMessages->setEnabled(false);
        ui->editMessageText->setEnabled(false);
        return;
    }
    CZKDataBase* db = database();
    const SimCardRecord* card = db ? db->findSimCard(item->data(0, Qt::UserRole).toInt()) : nullptr;
    if (!card)
        return;

    ui->tableMessages->setEnabled(true);
    ui->editMessageText->setEnabled(true);
    enableAction(actInbox, true);
    enableAction(actOutbox, true);
    if (!card->active) {
        for (QAction* action : {actNewSMS, actNewUSSD, actRemoveSMS, actForwardSMS, actReplySMS, actReadSMS})
            enableAction(action, false);
        return;
    }

    if (smsToolbar)
        smsToolbar->setEnabled(true);
    const int selected = MessageSteps::selectedIds(ui->tableMessages).size();
    enableAction(actRemoveSMS, selected >= 1);
    const bool linkUp = linkWatchdog.isConnected();
    enableAction(actNewSMS, linkUp);
    enableAction(actNewUSSD, linkUp);
    enableAction(actReadSMS, linkUp);
    enableAction(actForwardSMS, linkUp && selected == 1);
    enableAction(actReplySMS, linkUp && selected == 1 && inboxShown);
}

void CZKMainWindow::removeSMS()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("removeSMS() Internal ERROR 1"), QString());
        return;
    }
    const QVector<int> ids = MessageSteps::selectedIds(ui->tableMessages);
    if (!ids.isEmpty()) {
        const QString text = ids.size() == 1 ? tr("Remove %1 message?") : tr("Remove %1 messages?");
        const QMessageBox::StandardButton answer = CZKPrompt::question(
            this, tr("Question"), text.arg(ids.size()), QMessageBox::Yes | QMessageBox::No);
        if (answer == QMessageBox::Yes) {
            // Only the local copies go; the unit's store was emptied when they were taken.
            for (int id : ids) {
                if (inboxShown)
                    db->removeReceivedMessage(id);
                else
                    db->removeSentMessage(id);
            }
            MessageSteps::refreshShownBox(*this);
        }
    }
    updateSMSActions();
}

void CZKMainWindow::newSMS()
{
    CZKNewSMS dialog(this);
    MessageSteps::runBoxComposer(*this, dialog);
}

void CZKMainWindow::newShortCode()
{
    CZKNewSMS dialog(this);
    dialog.setWindowTitle(tr("New short code"));
    dialog.setEnabledMode(false);
    MessageSteps::runBoxComposer(*this, dialog);
}

void CZKMainWindow::forwardSMS()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("forwardSMS() Internal ERROR 1"), QString());
        return;
    }
    const QVector<int> ids = MessageSteps::selectedIds(ui->tableMessages);
    if (ids.size() != 1)
        return;
    QString content;
    if (inboxShown) {
        if (const ReceivedMessageRecord* message = db->findReceivedMessage(ids.first()))
            content = message->content;
    } else if (const SentMessageRecord* message = db->findSentMessage(ids.first())) {
        content = message->content;
    }
    CZKNewSMS dialog(this);
    dialog.setWindowTitle(tr("Forward message"));
    dialog.setQuotedText(content);
    MessageSteps::runBoxComposer(*this, dialog);
}

void CZKMainWindow::replySMS()
{
    if (!inboxShown)
        return;
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("replySMS() Internal ERROR 1"), QString());
        return;
    }
    const QVector<int> ids = MessageSteps::selectedIds(ui->tableMessages);
    if (ids.size() != 1)
        return;
    QString sender;
    QString content;
    if (const ReceivedMessageRecord* message = db->findReceivedMessage(ids.first())) {
        sender = message->fromMsisdn;
        content = message->content;
    }
    CZKNewSMS dialog(this);
    dialog.setWindowTitle(tr("Reply message"));
    dialog.setMSISDN(sender);
    dialog.setQuotedText(content);
    MessageSteps::runBoxComposer(*this, dialog);
}

void CZKMainWindow::sendToContact()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 sendToContact"), QString());
        return;
    }
    const QString number = MessageSteps::selectedContactNumber(*this, *db);
    if (number.isEmpty())
        return;
    MessageSteps::runContactComposer(*this, [&number](CZKNewSMS& dialog) { dialog.setMSISDN(number); });
}

void CZKMainWindow::sendUSSDContact()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 sendUSSDContact"), QString());
        return;
    }
    const QString code = MessageSteps::selectedContactNumber(*this, *db);
    if (code.isEmpty())
        return;
    MessageSteps::runContactComposer(*this, [&code](CZKNewSMS& dialog) {
        dialog.setWindowTitle(CZKMainWindow::tr("Send short code"));
        dialog.setEnabledMode(false);
        dialog.setMessage(code);
    });
}

void CZKMainWindow::sms()
{
    // Making the tab current comes back here through currentTabChanged(); the outer run does
    // every step, so the box is filled once.
    if (smsTabShowing)
        return;
    smsTabShowing = true;
    if (radioPoller)
        radioPoller->setPaused(true);
    for (QAction* view : {ui->actionSettings, ui->actionRFSetup, ui->actionTests, ui->actionPhonebook,
                          ui->actionTerminal, ui->actionLog})
        view->setChecked(false);
    ui->actionSMS->setChecked(true);
    ui->tabWidget->setCurrentWidget(ui->tabSMS);
    ui->treeSMS->setFocus(Qt::OtherFocusReason);
    focusActiveSIMCard(ui->treeSMS);
    MessageSteps::refreshShownBox(*this);
    resizeEvent(nullptr);
    smsTabShowing = false;
}

void CZKMainWindow::currentTabChanged(int index)
{
    QWidget* page = ui->tabWidget->widget(index);
    if (page == ui->tabSettings)
        settings();
    else if (page == ui->tabRFSetup)
        rfSetup();
    else if (page == ui->tabTests)
        tests();
    else if (page == ui->tabTerminal)
        terminal();
    else if (page == ui->tabLog)
        log();
    else if (page == ui->tabSMS)
        sms();
    else if (page == ui->tabPhonebook)
        phoneBook();
}

void CZKMainWindow::deleteItems(CZKSMSTableWidget::widgetKind kind)
{
    if (kind == CZKSMSTableWidget::SMSMessages)
        removeSMS();
    else if (kind == CZKSMSTableWidget::PhoneBook)
        removeContact();
}

void CZKMainWindow::markNewMessage()
{
    if (inboxShown && ui->actionSMS->isChecked())
        return;
    if (messageIndicatorLabel)
        messageIndicatorLabel->setPixmap(indicatorPixmap("://Icons/instant_message_16.ico"));
}

void CZKMainWindow::ussdReceive()
{
    markNewMessage();
    showStoredMessages();
}
