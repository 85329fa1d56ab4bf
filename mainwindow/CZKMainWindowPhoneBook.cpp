#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "link/ReplyFields.h"

#include "app/CZKPrompt.h"
#include "compose/CZKAddEditContact.h"

#include "ui_CZKMainWindow.h"

#include <QHeaderView>
#include <QMenu>
#include <QRegularExpression>
#include <QTreeWidget>

// The SIM phone book is read on every connection: the store is chosen, its size asked, then
// every position read. The first reading of the unit is over when that read has ended, in
// whichever way it ends, so the read is followed step by step and each step is bounded by the
// link's reply time-out.

// The two groups of the tree: the local contacts of the database and the SIM's phone book.
struct CZKMainWindow::PhoneBookSteps {
    enum Group { Local = 0, Sim = 1 };

    // The group of the first selected root, or -1 with none selected.
    static int selectedGroup(const CZKMainWindow& w)
    {
        const QList<QTreeWidgetItem*> selection = w.ui->treePhoneBook->selectedItems();
        return selection.isEmpty() ? -1 : selection.first()->data(0, Qt::UserRole).toInt();
    }

    static QTreeWidgetItem* root(const CZKMainWindow& w, int group)
    {
        for (int i = 0; i < w.ui->treePhoneBook->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = w.ui->treePhoneBook->topLevelItem(i);
            if (item->data(0, Qt::UserRole).toInt() == group)
                return item;
        }
        return nullptr;
    }

    static void setRootIcon(const CZKMainWindow& w, int index, const char* icon)
    {
        if (QTreeWidgetItem* item = w.ui->treePhoneBook->topLevelItem(index))
            item->setIcon(0, QIcon(QLatin1String(icon)));
    }

    // The entry ids of the selected rows, in the order of the selection.
    static QList<int> selectedIds(const CZKMainWindow& w)
    {
        QList<int> ids;
        const QModelIndexList rows = w.ui->tablePBook->selectionModel()->selectedRows(0);
        for (const QModelIndex& index : rows)
            ids.append(index.data(Qt::UserRole).toInt());
        return ids;
    }

    static ContactRecord* entry(CZKDataBase* db, int group, int id)
    {
        if (group == Local)
            return db->findContact(id);
        if (group == Sim)
            return db->findPhoneBookEntry(id);
        return nullptr;
    }

    static QString simRootLabel(const CZKMainWindow& w, int entries)
    {
        if (entries == 0)
            return CZKMainWindow::tr("SIM/USIM");
        if (w.phoneBookCapacity < 1)
            return CZKMainWindow::tr("SIM/USIM(%1)").arg(entries);
        return CZKMainWindow::tr("SIM/USIM(%1,%2)").arg(entries).arg(w.phoneBookCapacity);
    }

    static bool isShortCode(const QString& number)
    {
        return number.startsWith(QLatin1Char('*')) && number.endsWith(QLatin1Char('#'));
    }

    // A SIM entry's texts go inside quoted arguments of "AT+CPBW"; the operator hears why one
    // cannot be written instead of the cache refusing it without a word.
    static bool simTextsAllowed(CZKMainWindow& w, const QString& number, const QString& name)
    {
        if (CZKDataBase::isPhoneBookTextAllowed(number) && CZKDataBase::isPhoneBookTextAllowed(name))
            return true;
        CZKPrompt::warning(&w, CZKMainWindow::tr("Warning"),
                           CZKMainWindow::tr("A name or number of the SIM phone book cannot hold a double quote, "
                                             "a line break or Ctrl-Z."));
        return false;
    }

    // "AT+CPBW=<pos>" erases, "AT+CPBW=<pos>,..." writes; -1 for another line.
    static int changedPosition(const QString& upperLine, bool* erase)
    {
        static const QRegularExpression echo(QStringLiteral("^AT\\+CPBW=\\s*(\\d+)\\s*(,|$)"));
        const QRegularExpressionMatch match = echo.match(upperLine);
        if (!match.hasMatch())
            return -1;
        *erase = match.captured(2).isEmpty();
        bool valid = false;
        const int position = match.captured(1).toInt(&valid, 10);
        return valid ? position : -1;
    }

    static void addRow(QTableWidget* table, int id, const QStringList& texts)
    {
        const int row = table->rowCount();
        table->insertRow(row);
        for (int column = 0; column < texts.size(); ++column) {
            auto* item = new QTableWidgetItem(texts.at(column));
            if (column == 0)
                item->setData(Qt::UserRole, id);
            table->setItem(row, column, item);
        }
    }
};

void CZKMainWindow::simPhoneBookRead()
{
    refreshSIMPhoneBook();
}

void CZKMainWindow::refreshSIMPhoneBook()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("refreshSIMPhoneBook() Internal ERROR 1"), QString());
        return;
    }
    // One read at a time: the read under way brings the book as it is now. Without this, a unit
    // repeating "+CPIN: READY" would start a read per line, each inside the last one's wait.
    if (phoneBookRead != PhoneBookRead::Idle)
        return;
    db->clearPhoneBook();
    emit setInitText(tr("Reading phonebook..."));
    phoneBookRead = PhoneBookRead::AwaitingSize;
    phoneBookReadTimer.start(Pacing::ms(MainWindowTiming::kPhoneBookGapMs * 2 + replyTimeoutMs()));
    sendMessage(Send, QStringLiteral("AT+CPBS=\"SM\""), internalTag());
    waitMs(MainWindowTiming::kPhoneBookGapMs);
    sendMessage(Send, QStringLiteral("AT+CPBS?"), internalTag());
    waitMs(MainWindowTiming::kPhoneBookGapMs);
}

void CZKMainWindow::positionsPhoneBook(QString val)
{
    Q_UNUSED(val);
    updateSIMUSIMRoot();
}

void CZKMainWindow::maxPhoneBook(QString val)
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("maxPhoneBook() Internal ERROR 1"), QString());
        endPhoneBookRead();
        return;
    }
    db->clearPhoneBook();
    bool valid = false;
    const int size = val.toInt(&valid, 10);
    if (valid)
        phoneBookCapacity = size;
    updateSIMUSIMRoot();
    // A book with no positions has nothing to read; "AT+CPBR=1,0" would only earn an error.
    if (phoneBookCapacity < 1) {
        endPhoneBookRead();
        return;
    }
    phoneBookRead = PhoneBookRead::AwaitingEntries;
    phoneBookReadTimer.start(Pacing::ms(replyTimeoutMs()));
    sendMessage(Send, QStringLiteral("AT+CPBR=1,%1").arg(phoneBookCapacity), internalTag());
}

void CZKMainWindow::newPhoneBookItem()
{
    const QList<QTreeWidgetItem*> selection = ui->treePhoneBook->selectedItems();
    if (selection.isEmpty())
        return;
    if (selection.first()->data(0, Qt::UserRole).toInt() == 1) {
        updatePhoneBookList(1);
    } else {
        updateSIMUSIMRoot();
    }
    endInitNotice();
}

void CZKMainWindow::watchPhoneBookReply(const QString& reply)
{
    // The unit echoes the command first: any answer to "AT+CPBR", with entries, empty or an
    // error, ends the read.
    if (phoneBookRead == PhoneBookRead::AwaitingEntries && reply.trimmed().startsWith(QLatin1String("AT+CPBR")))
        endPhoneBookRead();
}

void CZKMainWindow::endPhoneBookRead()
{
    phoneBookRead = PhoneBookRead::Idle;
    phoneBookReadTimer.stop();
    endInitNotice();
    // Each entry read redraws the list; a read that found none must still take away the rows of
    // what the SIM no longer holds (an entry it refused, one removed in the terminal).
    if (database() && PhoneBookSteps::selectedGroup(*this) == PhoneBookSteps::Sim)
        updatePhoneBookList(PhoneBookSteps::Sim);
}

void CZKMainWindow::notePhoneBookChange(int position, bool erase, const QString& name)
{
    // Echoes that never came leave their changes behind; so many are not all awaited at once.
    constexpr int kMostAwaited = 256;
    if (phoneBookChanges.size() >= kMostAwaited)
        phoneBookChanges.removeFirst();
    phoneBookChanges.append({position, erase, name});
}

void CZKMainWindow::watchPhoneBookChange(const QString& reply, const QString& tag)
{
    for (const QString& line : ReplyFields::upperLines(reply)) {
        if (!ReplyFields::isCommandEcho(line))
            continue;
        phoneBookChangeEchoed.reset();
        bool erase = false;
        const int position = PhoneBookSteps::changedPosition(line, &erase);
        // The same command typed in the terminal is the operator's, not one of these.
        if (position < 0 || tag != internalTag())
            continue;
        // The changes are answered in the order they were sent: those before this one whose
        // echoes never came are not answered any more.
        for (int i = 0; i < phoneBookChanges.size(); ++i) {
            const PhoneBookChange& change = phoneBookChanges.at(i);
            if (change.position == position && change.erase == erase) {
                phoneBookChangeEchoed = change;
                phoneBookChanges.erase(phoneBookChanges.begin(), phoneBookChanges.begin() + i + 1);
                break;
            }
        }
    }
}

bool CZKMainWindow::phoneBookChangeRefused()
{
    if (!phoneBookChangeEchoed)
        return false;
    phoneBookRefusals.append(*phoneBookChangeEchoed);
    phoneBookChangeEchoed.reset();
    // A box is up: this refusal is told after it, and the read it started shows this one too.
    if (phoneBookRefusals.size() > 1)
        return true;
    // The list showed the change as made; the read puts back what the SIM holds, behind the box.
    refreshSIMPhoneBook();
    while (!phoneBookRefusals.isEmpty()) {
        const PhoneBookChange refused = phoneBookRefusals.first();
        const QString text = refused.erase ? tr("The SIM refused to remove the phone-book entry \"%1\".")
                                           : tr("The SIM refused to save the phone-book entry \"%1\".");
        CZKPrompt::warning(this, tr("Warning"), text.arg(refused.name));
        phoneBookRefusals.removeFirst();
    }
    return true;
}

void CZKMainWindow::updateSIMUSIMRoot()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("updateSIMUSIMRoot() Internal ERROR 1"), QString());
        return;
    }
    if (QTreeWidgetItem* root = PhoneBookSteps::root(*this, PhoneBookSteps::Sim))
        root->setText(0, PhoneBookSteps::simRootLabel(*this, db->phoneBook.size()));
    // The message boxes show a sender's name from the phone book.
    scheduleBoxRefresh();
}

void CZKMainWindow::updateLocalRoot()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("updateLocalRoot() Internal ERROR 1"), QString());
        return;
    }
    if (QTreeWidgetItem* root = PhoneBookSteps::root(*this, PhoneBookSteps::Local))
        root->setText(0, tr("Local(%1)").arg(db->contacts.size()));
}

void CZKMainWindow::createPhoneBookTree()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 createPhoneBookTree"), QString());
        return;
    }
    const int remembered = PhoneBookSteps::selectedGroup(*this);
    QTreeWidget* tree = ui->treePhoneBook;
    tree->clear();

    auto* local = new QTreeWidgetItem;
    local->setText(0, tr("Local(%1)").arg(db->contacts.size()));
    local->setIcon(0, QIcon(QStringLiteral("://Icons/blacklist_32.ico")));
    local->setData(0, Qt::UserRole, int(PhoneBookSteps::Local));
    tree->insertTopLevelItem(0, local);
    if (remembered < PhoneBookSteps::Sim)
        tree->setCurrentItem(local);

    auto* sim = new QTreeWidgetItem;
    sim->setText(0, PhoneBookSteps::simRootLabel(*this, db->phoneBook.size()));
    sim->setIcon(0, QIcon(QStringLiteral("://Icons/contract_32.ico")));
    sim->setData(0, Qt::UserRole, int(PhoneBookSteps::Sim));
    tree->insertTopLevelItem(1, sim);
    if (remembered == PhoneBookSteps::Sim)
        tree->setCurrentItem(sim);

    updatePhoneBookList(remembered < PhoneBookSteps::Sim ? PhoneBookSteps::Local : PhoneBookSteps::Sim);
    itemSelectionChangedTablePBook();
}

void CZKMainWindow::treePhoneBookItemSelectionChanged()
{
    const int group = PhoneBookSteps::selectedGroup(*this);
    QTreeWidgetItem* selected = ui->treePhoneBook->selectedItems().value(0);
    if (!selected)
        return;
    if (group == PhoneBookSteps::Local) {
        selected->setIcon(0, QIcon(QStringLiteral("://Icons/blacklist_folder_32.ico")));
        PhoneBookSteps::setRootIcon(*this, 1, "://Icons/contract_32.ico");
    } else if (group == PhoneBookSteps::Sim) {
        selected->setIcon(0, QIcon(QStringLiteral("://Icons/contract_folder_32.ico")));
        PhoneBookSteps::setRootIcon(*this, 0, "://Icons/blacklist_32.ico");
    } else {
        return;
    }
    updatePhoneBookList(group);
    updateContactsToolbar();
}

void CZKMainWindow::updatePhoneBookList(int data)
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 updatePhoneBookList"), QString());
        return;
    }
    QTableWidget* table = ui->tablePBook;
    for (int row = table->rowCount() - 1; row >= 0; --row)
        table->removeRow(row);
    table->setColumnCount(0);

    if (data == PhoneBookSteps::Local) {
        table->setColumnCount(3);
        table->setHorizontalHeaderLabels({tr("Name"), tr("MSISDN"), tr("Description")});
        for (const ContactRecord& contact : qAsConst(db->contacts))
            PhoneBookSteps::addRow(table, contact.id, {contact.name, contact.msisdn, contact.description});
        updateLocalRoot();
    } else if (data == PhoneBookSteps::Sim) {
        table->setColumnCount(2);
        table->setHorizontalHeaderLabels({tr("Name"), tr("MSISDN")});
        if (!db->sortPhoneBook()) {
            sendMessage(Error, QStringLiteral("Internal Error 2 updatePhoneBookList"), QString());
            return;
        }
        for (const ContactRecord& entry : qAsConst(db->phoneBook))
            PhoneBookSteps::addRow(table, entry.id, {entry.name, entry.msisdn});
        updateSIMUSIMRoot();
    }

    const int width = table->width();
    if (table->columnCount() == 3) {
        const int part = (width - table->columnWidth(1) - 20) / 3;
        table->setColumnWidth(0, part);
        table->setColumnWidth(2, 2 * part);
    } else if (table->columnCount() == 2) {
        table->setColumnWidth(0, width - table->columnWidth(1) - 10);
    }
}

void CZKMainWindow::itemSelectionChangedTablePBook()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("itemSelectionChangedTablePBook() Internal ERROR 1"), QString());
        return;
    }
    if (ui->treePhoneBook->selectedItems().isEmpty())
        return;
    const int group = PhoneBookSteps::selectedGroup(*this);
    const QList<int> ids = PhoneBookSteps::selectedIds(*this);
    if (ids.size() != 1) {
        ui->editPhoneDetails->setPlainText(tr("No contact has been selected"));
    } else if (const ContactRecord* entry = PhoneBookSteps::entry(db, group, ids.first())) {
        if (group == PhoneBookSteps::Sim)
            ui->editPhoneDetails->setPlainText(tr("Name : %1\nMSISDN : %2").arg(entry->name, entry->msisdn));
        else
            ui->editPhoneDetails->setPlainText(tr("Name : %1\nMSISDN : %2\nDescription: %3")
                                                   .arg(entry->name, entry->msisdn, entry->description));
    }
    updateContactsToolbar();
}

void CZKMainWindow::updateContactsToolbar()
{
    QAction* const actions[] = {actNewContact, actEditContact, actRemoveContact, actSendToContact, actSendUSSDContact};
    for (const QAction* action : actions) {
        if (!action)
            return;
    }
    if (ui->treePhoneBook->selectedItems().isEmpty()) {
        sendMessage(Error, QStringLiteral("Internal Error 1 updateContactsToolbar"), QString());
        return;
    }
    const int group = PhoneBookSteps::selectedGroup(*this);
    if (group != PhoneBookSteps::Local && group != PhoneBookSteps::Sim)
        return;
    const bool linkUp = linkWatchdog.isConnected();
    if (group == PhoneBookSteps::Sim && !linkUp) {
        for (QAction* action : actions)
            action->setEnabled(false);
        return;
    }
    const QList<int> ids = PhoneBookSteps::selectedIds(*this);
    actNewContact->setEnabled(true);
    actEditContact->setEnabled(ids.size() == 1);
    actRemoveContact->setEnabled(!ids.isEmpty());
    bool sms = false;
    bool shortCode = false;
    CZKDataBase* db = database();
    const ContactRecord* entry = (ids.size() == 1 && db) ? PhoneBookSteps::entry(db, group, ids.first()) : nullptr;
    if (entry && !entry->msisdn.isEmpty() && linkUp) {
        shortCode = PhoneBookSteps::isShortCode(entry->msisdn);
        sms = !shortCode;
    }
    actSendToContact->setEnabled(sms);
    actSendUSSDContact->setEnabled(shortCode);
}

void CZKMainWindow::newContact()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 newContact"), QString());
        return;
    }
    const int group = PhoneBookSteps::selectedGroup(*this);
    if (ui->treePhoneBook->selectedItems().isEmpty())
        return;
    // Told before anything is typed: a full card takes no new entry.
    if (group == PhoneBookSteps::Sim && db->freePhoneBookPosition(phoneBookCapacity) < 1) {
        CZKPrompt::warning(this, tr("Warning"), tr("The SIM phone book is full."));
        return;
    }
    CZKAddEditContact dialog(false, this);
    if (group == PhoneBookSteps::Sim)
        dialog.setDescriptionEnabled(false);
    if (dialog.exec() != QDialog::Accepted || dialog.msisdn.isEmpty() || dialog.name.isEmpty())
        return;

    bool stored = false;
    if (group == PhoneBookSteps::Local) {
        stored = db->addContact(dialog.msisdn, dialog.name, dialog.description);
    } else if (group == PhoneBookSteps::Sim) {
        if (!PhoneBookSteps::simTextsAllowed(*this, dialog.msisdn, dialog.name))
            return;
        // The book may have filled while the editor was open.
        const int position = db->freePhoneBookPosition(phoneBookCapacity);
        if (position < 1) {
            CZKPrompt::warning(this, tr("Warning"), tr("The SIM phone book is full."));
            return;
        }
        stored = db->setPhoneBookEntry(position, dialog.msisdn, dialog.name, true);
        if (stored)
            notePhoneBookChange(position, false, dialog.name);
    }
    if (stored) {
        updatePhoneBookList(group);
        updateContactsToolbar();
    }
}

void CZKMainWindow::editContact()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 editContact"), QString());
        return;
    }
    const int group = PhoneBookSteps::selectedGroup(*this);
    const QList<int> ids = PhoneBookSteps::selectedIds(*this);
    if ((group != PhoneBookSteps::Local && group != PhoneBookSteps::Sim) || ids.size() != 1)
        return;
    // The SIM's entries live on the unit: with the link down the tool bar offers no change, and
    // a double click does no more.
    if (group == PhoneBookSteps::Sim && !linkWatchdog.isConnected())
        return;
    const int id = ids.first();
    const ContactRecord* entry = PhoneBookSteps::entry(db, group, id);
    if (!entry)
        return;

    CZKAddEditContact dialog(true, this);
    dialog.setName(entry->name);
    dialog.setMSISDN(entry->msisdn);
    if (group == PhoneBookSteps::Local) {
        dialog.setDescription(entry->description);
        // The record may go while the editor is open; only its id is used after.
        entry = nullptr;
        if (dialog.exec() == QDialog::Accepted
            && db->updateContact(id, dialog.msisdn, dialog.name, dialog.description)) {
            updatePhoneBookList(PhoneBookSteps::Local);
            updateContactsToolbar();
        }
        updateLocalRoot();
        return;
    }
    dialog.setDescription(QString());
    dialog.setDescriptionEnabled(false);
    entry = nullptr;
    if (dialog.exec() != QDialog::Accepted || !PhoneBookSteps::simTextsAllowed(*this, dialog.msisdn, dialog.name))
        return;
    // The selected position is rewritten, even where another position holds the same number
    // and name.
    if (db->updatePhoneBookEntryAt(id, dialog.msisdn, dialog.name)) {
        notePhoneBookChange(id, false, dialog.name);
        updatePhoneBookList(PhoneBookSteps::Sim);
        updateContactsToolbar();
    }
}

void CZKMainWindow::itemDoubleClickedPBook(QTableWidgetItem* item)
{
    if (!item) {
        sendMessage(Error, QStringLiteral("Internal Error 1 itemDoubleClickedPBook item is NULL"), QString());
        return;
    }
    editContact();
}

void CZKMainWindow::removeContact()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("Internal Error 1 removeContact"), QString());
        return;
    }
    const int group = PhoneBookSteps::selectedGroup(*this);
    const QList<int> ids = PhoneBookSteps::selectedIds(*this);
    if (ui->treePhoneBook->selectedItems().isEmpty() || ids.isEmpty())
        return;
    // Nor does the Delete key, with the SIM's entries out of reach.
    if (group == PhoneBookSteps::Sim && !linkWatchdog.isConnected())
        return;
    const QString question = ids.size() == 1 ? tr("Remove %1 contact?") : tr("Remove %1 contacts?");
    if (CZKPrompt::question(this, tr("Question"), question.arg(ids.size()), QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    for (int id : ids) {
        if (group == PhoneBookSteps::Local) {
            if (!db->removeContact(id))
                sendMessage(Error, QStringLiteral("Remove contact ID:%1 fialed").arg(id), QString());
        } else if (group == PhoneBookSteps::Sim) {
            if (const ContactRecord* entry = db->findPhoneBookEntry(id))
                notePhoneBookChange(id, true, entry->name);
            db->removePhoneBookEntryAt(id);
        }
    }
    updatePhoneBookList(group);
}

void CZKMainWindow::tablePBookCtxMenu(QPoint pt)
{
    CZKDataBase* db = database();
    QTableWidget* table = ui->tablePBook;
    QTableWidgetItem* item = table->itemAt(pt);
    if (!db || ui->treePhoneBook->selectedItems().isEmpty() || !item)
        return;
    table->setCurrentItem(item);
    const QList<int> ids = PhoneBookSteps::selectedIds(*this);
    if (ids.size() != 1)
        return;
    const ContactRecord* entry = PhoneBookSteps::entry(db, PhoneBookSteps::selectedGroup(*this), ids.first());
    if (!entry)
        return;

    QMenu menu;
    menu.setObjectName(QStringLiteral("tablePBookMenu"));
    QAction* sms = menu.addAction(tr("Send to contact"));
    QAction* shortCode = menu.addAction(tr("Send short code"));
    sms->setEnabled(false);
    shortCode->setEnabled(false);
    if (linkWatchdog.isConnected()) {
        const bool code = PhoneBookSteps::isShortCode(entry->msisdn);
        shortCode->setEnabled(code);
        sms->setEnabled(!code);
    }
    const QAction* chosen = menu.exec(table->viewport()->mapToGlobal(pt));
    if (chosen == sms)
        sendToContact();
    else if (chosen == shortCode)
        sendUSSDContact();
}
