#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "db/CZKDataBase.h"
#include "mainwindow/UnitAddressPatterns.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRegExp>
#include <QTabWidget>
#include <QTreeWidget>

// The unit page's own buttons: editing, saving and cancelling the unit's network configuration
// and sending the stored configuration to the unit.

namespace {

const QString kTabMark = QStringLiteral(" *");
const QString kComboName = QStringLiteral("comboNetConf");

// The fields of the network configuration that have to be well formed, in the page's order.
enum class NetField { Mac, Address, Port };
constexpr NetField kNetFields[] = {NetField::Mac, NetField::Address, NetField::Port};

} // namespace

struct CZKMainWindow::UnitPageSteps {
    static QString editName(NetField field)
    {
        switch (field) {
        case NetField::Mac:
            return QStringLiteral("editMACAddr");
        case NetField::Address:
            return QStringLiteral("editLocalNetAddr");
        case NetField::Port:
            break;
        }
        return QStringLiteral("editUDPPort");
    }

    static QString fieldTitle(NetField field)
    {
        switch (field) {
        case NetField::Mac:
            return CZKMainWindow::tr("MAC address");
        case NetField::Address:
            return CZKMainWindow::tr("IP address");
        case NetField::Port:
            break;
        }
        return CZKMainWindow::tr("UDP port");
    }

    // Whether the text is a value the unit can take for that field.
    static bool wellFormed(NetField field, const QString& text)
    {
        switch (field) {
        case NetField::Mac:
            return QRegExp(QLatin1String(UnitAddressPatterns::mac)).exactMatch(text);
        case NetField::Address:
            return QRegExp(QLatin1String(UnitAddressPatterns::ipv4)).exactMatch(text);
        case NetField::Port:
            break;
        }
        bool ok = false;
        const int port = text.toInt(&ok, 10);
        return ok && port >= 1 && port <= 65535;
    }

    static QString storedText(const DeviceRecord& unit, NetField field)
    {
        switch (field) {
        case NetField::Mac:
            return unit.ethernetAddr;
        case NetField::Address:
            return unit.localNetworkAddr;
        case NetField::Port:
            break;
        }
        return QString::number(unit.udpPort);
    }

    // The first field of the page whose text is not complete, or false when all are. A field
    // its validator still calls intermediate (an empty port, half an address) counts as not
    // complete.
    static bool firstUnacceptableEdit(CZKMainWindow& w, NetField* field, QString* text)
    {
        for (NetField candidate : kNetFields) {
            const QLineEdit* edit = w.pageWidget<QLineEdit>(editName(candidate));
            if (!edit || !edit->hasAcceptableInput() || !wellFormed(candidate, edit->text())) {
                *field = candidate;
                *text = edit ? edit->text() : QString();
                return true;
            }
        }
        return false;
    }

    // The record that save and cancel work on: the unit the settings tree has selected, while
    // the page is in edit mode. Otherwise null, with the reason on the bus.
    static DeviceRecord* editedUnit(CZKMainWindow& w, const QString& operation)
    {
        CZKDataBase* db = database();
        if (!db) {
            w.sendMessage(Error, operation, QStringLiteral("Internal ERROR 0"));
            return nullptr;
        }
        const QList<QTreeWidgetItem*> selection = w.ui->treeSettings->selectedItems();
        if (selection.isEmpty()) {
            w.sendMessage(Error, operation, QStringLiteral("Internal ERROR 1"));
            return nullptr;
        }
        bool ok = false;
        const int id = selection.first()->data(0, Qt::UserRole).toInt(&ok);
        DeviceRecord* unit = ok ? db->findDevice(id) : nullptr;
        if (!unit) {
            w.sendMessage(Error, operation, QStringLiteral("Internal ERROR 2"));
            return nullptr;
        }
        if (!w.pageWidget<QComboBox>(kComboName) || !w.pageWidget<QWidget>(QStringLiteral("tabNetwork"))) {
            w.sendMessage(Error, operation, QStringLiteral("Internal ERROR 3"));
            return nullptr;
        }
        return unit;
    }

    // The configuration chosen in the combo box; with no item chosen, the stored one stays.
    static int chosenNetConf(CZKMainWindow& w, const DeviceRecord& unit)
    {
        const QComboBox* combo = w.pageWidget<QComboBox>(kComboName);
        if (!combo || combo->currentIndex() < 0)
            return unit.netConf;
        bool ok = false;
        const int key = combo->currentData().toInt(&ok);
        return ok ? key : unit.netConf;
    }

    static void removeTabMark(CZKMainWindow& w)
    {
        QTabWidget* tabs = w.pageWidget<QTabWidget>(QStringLiteral("tabWidget"));
        if (!tabs || tabs->count() == 0)
            return;
        QString text = tabs->tabText(0);
        if (text.indexOf(kTabMark) > 0)
            tabs->setTabText(0, text.remove(kTabMark));
    }

    // Back to view mode, the page showing the record as stored.
    static void leaveEditMode(CZKMainWindow& w, const DeviceRecord& unit)
    {
        if (QComboBox* combo = w.pageWidget<QComboBox>(kComboName)) {
            if (QWidget* tab = w.pageWidget<QWidget>(QStringLiteral("tabNetwork"))) {
                if (tab->layout())
                    tab->layout()->removeWidget(combo);
            }
            delete combo;
        }
        for (NetField field : kNetFields)
            w.setLineEditText(editName(field), storedText(unit, field));
        w.setLineEditText(QStringLiteral("editNetConf"), database()->dictionaryValue(unit.netConf, 0));
        removeTabMark(w);
        for (const char* name : {"editMACAddr", "editNetConf", "editLocalNetAddr", "editUDPPort"})
            w.setLineEditEditable(QLatin1String(name), false);
        w.setButtonEnabled(QStringLiteral("pbSaveConfig"), false);
        w.setButtonEnabled(QStringLiteral("pbCancelConfig"), false);
        w.ui->treeSettings->setFocus(Qt::OtherFocusReason);
    }

    // Sends the configuration stored for the unit with id 0, never what the page shows.
    static void sendNetConfig(CZKMainWindow& w)
    {
        CZKDataBase* db = database();
        if (!db) {
            w.sendMessage(Error, QStringLiteral("sendNetConfig() Internal ERROR 0"), QString());
            return;
        }
        const DeviceRecord* unit = nullptr;
        for (const DeviceRecord& device : qAsConst(db->devices)) {
            if (device.id == 0) {
                unit = &device;
                break;
            }
        }
        if (!unit)
            return;
        // A malformed value (a row written by another program, or by an earlier version) would
        // leave the unit without a reachable address.
        for (NetField field : kNetFields) {
            const QString text = storedText(*unit, field);
            if (!wellFormed(field, text)) {
                CZKPrompt::warning(&w, CZKMainWindow::tr("Warning"),
                                   CZKMainWindow::tr("The stored %1 \"%2\" of the unit is not valid. "
                                                     "Nothing was sent to the device.")
                                       .arg(fieldTitle(field), text));
                return;
            }
        }
        w.sendMessage(Send,
                      QStringLiteral("AT#CNF=%1,%2,%3,%4")
                          .arg(unit->ethernetAddr)
                          .arg(unit->netConf)
                          .arg(unit->localNetworkAddr)
                          .arg(unit->udpPort),
                      internalTag());
    }
};

void CZKMainWindow::editConfig()
{
    if (!pageForm || pageForm->objectName() != QLatin1String("FormMain"))
        return;
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("editConfig()"), QStringLiteral("ERROR 0"));
        return;
    }
    if (QTabWidget* tabs = pageWidget<QTabWidget>(QStringLiteral("tabWidget"))) {
        tabs->setCurrentIndex(0);
        if (tabs->count() > 0 && !tabs->tabText(0).contains(kTabMark))
            tabs->setTabText(0, tabs->tabText(0) + kTabMark);
    }
    for (const char* name : {"editMACAddr", "editNetConf", "editLocalNetAddr", "editUDPPort"})
        setLineEditEditable(QLatin1String(name), true);
    setButtonEnabled(QStringLiteral("pbSaveConfig"), true);
    setButtonEnabled(QStringLiteral("pbCancelConfig"), true);

    const QLineEdit* netConfEdit = pageWidget<QLineEdit>(QStringLiteral("editNetConf"));
    QWidget* tabNetwork = pageWidget<QWidget>(QStringLiteral("tabNetwork"));
    if (!netConfEdit || !tabNetwork)
        return;
    // A second Edit only brings the first tab forward again.
    if (pageWidget<QComboBox>(kComboName))
        return;
    const QList<QTreeWidgetItem*> selection = ui->treeSettings->selectedItems();
    if (selection.isEmpty()) {
        sendMessage(Error, QStringLiteral("editConfig()"), QStringLiteral("ERROR 1"));
        return;
    }
    // The combo box is made only once it has a place: one left unplaced would count as edit mode.
    auto* grid = qobject_cast<QGridLayout*>(tabNetwork->layout());
    const DeviceRecord* unit = db->findDevice(selection.first()->data(0, Qt::UserRole).toInt());
    if (!unit || !grid)
        return;

    auto* combo = new QComboBox(pageForm);
    int selected = -1;
    for (const DictionaryRecord& entry : qAsConst(db->dictionary)) {
        if (entry.valueGroup != 0)
            continue;
        combo->addItem(entry.value, entry.key);
        if (entry.key == unit->netConf)
            selected = combo->count() - 1;
    }
    combo->setObjectName(kComboName);
    combo->setFont(netConfEdit->font());
    combo->setCurrentIndex(selected);
    grid->addWidget(combo, 2, 1);
}

void CZKMainWindow::sendToDevice()
{
    UnitPageSteps::sendNetConfig(*this);
}

void CZKMainWindow::saveConfig()
{
    using Steps = UnitPageSteps;
    DeviceRecord* unit = Steps::editedUnit(*this, QStringLiteral("saveConfig()"));
    if (!unit)
        return;

    NetField field;
    QString text;
    if (Steps::firstUnacceptableEdit(*this, &field, &text)) {
        CZKPrompt::warning(this, tr("Warning"),
                           tr("The %1 \"%2\" is not valid. Correct it and save again.")
                               .arg(Steps::fieldTitle(field), text));
        return;
    }

    // The record changes only once its row has: a refused write leaves both as they were, and
    // the page in edit mode with what the operator typed.
    DeviceRecord changed = *unit;
    changed.ethernetAddr = lineEditText(Steps::editName(NetField::Mac));
    changed.localNetworkAddr = lineEditText(Steps::editName(NetField::Address));
    changed.udpPort = lineEditText(Steps::editName(NetField::Port)).toInt(nullptr, 10);
    changed.netConf = Steps::chosenNetConf(*this, *unit);
    if (!changed.updateNetwork()) {
        CZKPrompt::warning(this, tr("Warning"),
                           tr("The network configuration could not be saved to the database. "
                              "Nothing was changed."));
        return;
    }
    *unit = changed;
    Steps::leaveEditMode(*this, *unit);
}

void CZKMainWindow::cancelConfig()
{
    const DeviceRecord* unit = UnitPageSteps::editedUnit(*this, QStringLiteral("cancelConfig()"));
    if (unit)
        UnitPageSteps::leaveEditMode(*this, *unit);
}
