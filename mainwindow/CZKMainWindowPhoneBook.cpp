#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"

#include "ui_CZKMainWindow.h"

// The SIM phone book is read on every connection: the store is chosen, its size asked, then
// every position read. The first reading of the unit is over when that read has ended, in
// whichever way it ends, so the read is followed step by step and each step is bounded by the
// link's reply time-out.

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
        // The table redraw comes with the phone-book tab.
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
}

void CZKMainWindow::updateSIMUSIMRoot() {}
void CZKMainWindow::createPhoneBookTree() {}
void CZKMainWindow::treePhoneBookItemSelectionChanged() {}
void CZKMainWindow::itemSelectionChangedTablePBook() {}

void CZKMainWindow::itemDoubleClickedPBook(QTableWidgetItem* item)
{
    Q_UNUSED(item);
}

void CZKMainWindow::tablePBookCtxMenu(QPoint pt)
{
    Q_UNUSED(pt);
}
