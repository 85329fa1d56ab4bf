#include "compose/CZKMSISDNSList.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"

#include "ui_CZKMSISDNSList.h"

namespace {
// Column-0 user data of the two group rows; it tells the children's kinds apart.
constexpr int LocalGroup = 0;
constexpr int SimGroup = 1;

void addChildren(QTreeWidgetItem* group, const QVector<ContactRecord>& records)
{
    for (const ContactRecord& record : records) {
        if (record.name.isEmpty())
            continue;
        auto* item = new QTreeWidgetItem(group);
        item->setText(0, record.name);
        item->setText(1, record.msisdn);
        item->setData(0, Qt::UserRole, record.id);
    }
}
} // namespace

CZKMSISDNSList::CZKMSISDNSList(QWidget* parent)
    : QDialog(parent)
    , form(new Ui::CZKMSISDNSList)
{
    form->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowModality(Qt::ApplicationModal);
    connect(form->pbSelect, &QPushButton::clicked, this, &CZKMSISDNSList::select);
    connect(form->pbCancel, &QPushButton::clicked, this, &CZKMSISDNSList::cancel);
    connect(form->treeMSISDNS, &QTreeWidget::itemDoubleClicked, this, &CZKMSISDNSList::msisdnItemDoubleClicked);
    createTree();
}

CZKMSISDNSList::~CZKMSISDNSList()
{
    delete form;
}

void CZKMSISDNSList::createTree()
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("createTree() Internal ERROR 1"), QString());
        return;
    }
    QTreeWidget* tree = form->treeMSISDNS;
    tree->clear();

    auto* local = new QTreeWidgetItem;
    local->setText(0, tr("Local(%1)").arg(db->contacts.size()));
    local->setIcon(0, QIcon(QStringLiteral("://Icons/blacklist_32.ico")));
    local->setData(0, Qt::UserRole, LocalGroup);
    tree->insertTopLevelItem(0, local);
    tree->setCurrentItem(local);
    addChildren(local, db->contacts);
    local->setExpanded(true);

    auto* sim = new QTreeWidgetItem;
    sim->setText(0, tr("SIM/USIM(%1)").arg(db->phoneBook.size()));
    sim->setIcon(0, QIcon(QStringLiteral("://Icons/contract_32.ico")));
    sim->setData(0, Qt::UserRole, SimGroup);
    tree->insertTopLevelItem(1, sim);
    addChildren(sim, db->phoneBook);
    sim->setExpanded(true);
}

void CZKMSISDNSList::select()
{
    msisdn.clear();
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("select() Internal ERROR 1"), QString());
        return;
    }
    const QList<QTreeWidgetItem*> selected = form->treeMSISDNS->selectedItems();
    if (selected.size() != 1 || !selected.first()->parent()) {
        closeWithoutNumber();
        return;
    }
    const QTreeWidgetItem* item = selected.first();
    bool valid = false;
    const int id = item->data(0, Qt::UserRole).toInt(&valid);
    const ContactRecord* record = nullptr;
    switch (item->parent()->data(0, Qt::UserRole).toInt()) {
    case LocalGroup: record = db->findContact(id); break;
    case SimGroup: record = db->findPhoneBookEntry(id); break;
    default: break;
    }
    // A record gone from the cache since the tree was filled closes without a number, and the
    // composer keeps the recipient it had.
    if (record && valid)
        msisdn = record->msisdn;
    accept();
}

void CZKMSISDNSList::closeWithoutNumber()
{
    if (CZKPrompt::information(this, tr("Question"), tr("MSISDN not selcted, close ?"),
                               QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes)
        accept();
}

void CZKMSISDNSList::cancel()
{
    reject();
}

void CZKMSISDNSList::msisdnItemDoubleClicked(QTreeWidgetItem*)
{
    // The selection counts, not the row under the pointer: a double click selects that row first.
    select();
}
