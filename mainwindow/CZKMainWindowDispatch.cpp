#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "bus/BusMessage.h"
#include "charts/AxisBase.h"
#include "db/CZKDataBase.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QRegularExpression>

#include <cmath>

namespace {

// Identity keys of the unit, with the line edit of the unit page that shows each.
const struct {
    const char* key;
    const char* lineEdit;
} kUnitKeys[] = {
    {"IMEI", "editIMEI"},
    {"MODEL", "editModel"},
    {"FIRMWARE", "editFirmware"},
    {"MANUFACTURER", "editManufacturer"},
    {"DEVICE_MODEL", "editDeviceModel"},
    {"REVISION", "editRevision"},
    {"PROCESSOR", "editProcessor"},
    {"CMSIS", "editCMSIS"},
    {"STDPERIPHLIB", "editStdPeriphLib"},
    {"NEWLIB", "editNewLib"},
    {"BUILD", "editBuild"},
    {"ETHERNET_ADDRESS", "editMACAddr"},
    {"NETWORK_CONF", "editNetConf"},
    {"NETWORK_ADDRESS", "editLocalNetAddr"},
    {"UDP_PORT", "editUDPPort"},
};

const char* unitLineEdit(const QString& key)
{
    for (const auto& entry : kUnitKeys) {
        if (key == QLatin1String(entry.key))
            return entry.lineEdit;
    }
    return nullptr;
}

bool isOneOf(const QString& key, std::initializer_list<const char*> keys)
{
    for (const char* candidate : keys) {
        if (key == QLatin1String(candidate))
            return true;
    }
    return false;
}

QStringList words(const QString& value)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return value.split(space, Qt::SkipEmptyParts);
}

} // namespace

void CZKMainWindow::receiveNewMessage(int type, QString msg, QString desc)
{
    if (!database())
        return;
    switch (type) {
    case LinkAlive:
        if (!connected)
            emit connectedDevice();
        return;
    case LinkLost:
        if (connected)
            emit disconnectedDevice();
        return;
    case UnitRestarted:
        emit deviceRestarted();
        return;
    case Receive:
        watchPhoneBookReply(msg);
        watchPhoneBookChange(msg, desc);
        watchSmsReadEcho(msg, desc);
        watchImsiReply(msg, desc);
        return;
    case ReplyKey:
        break;
    default:
        return;
    }

    const QString& key = msg;
    const QString& value = desc;
    if (key == QLatin1String("PWD_ERROR")) {
        emit pwdError();
    } else if (key == QLatin1String("PWD_OK")) {
        emit pwdOK();
    } else if (key == QLatin1String("CLCK_ERROR")) {
        emit clckError();
    } else if (key == QLatin1String("CLCK_OK")) {
        emit clckOK();
    } else if (key == QLatin1String("ERROR")) {
        errorAnswered();
    } else if (key == QLatin1String("CPBW_ERROR")) {
        // A phone-book change typed in the terminal is refused as any other command is.
        if (!phoneBookChangeRefused())
            errorAnswered();
    } else if (key == QLatin1String("NEW_PB_ITEM")) {
        emit phoneBookNewItem();
    } else if (key == QLatin1String("PHONE_BOOK_POS")) {
        emit phoneBookPositions(value);
    } else if (key == QLatin1String("PHONE_BOOK_MAX")) {
        emit phoneBookMax(value);
    } else if (key == QLatin1String("ENABLED_PIN")) {
        if (pinLockChangePending) {
            emit pinRequestChange(false);
        } else {
            emit PINVerify(true);
            emit PINUIUpdate(PINUI::VerifyOn, true);
        }
    } else if (key == QLatin1String("DISABLED_PIN")) {
        if (pinLockChangePending) {
            emit pinRequestChange(true);
        } else {
            emit PINVerify(false);
            emit PINUIUpdate(PINUI::VerifyOn, false);
            refreshSIMPhoneBook();
        }
    } else if (key == QLatin1String("SIM_BUSY")) {
        emit cpinSIMBusy();
    } else if (key == QLatin1String("PIN_READY")) {
        emit readyPIN();
        emit readPhonebook();
    } else if (key == QLatin1String("SIM_PIN") || key == QLatin1String("INCORRECT_PIN")) {
        emit requestPIN();
    } else if (key == QLatin1String("SIM_PUK")) {
        emit requestPUK();
    } else if (key == QLatin1String("SIM_PINPUK2")) {
        resetForSimReport();
    } else if (isOneOf(key, {"APN_NAME", "APN_USER", "APN_PASSWORD", "SELRAT", "BAND", "GBAND"})) {
        updateDeviceProfile(key, value);
    } else if (key == QLatin1String("REC_SMS")) {
        smsCountReported(value);
    } else if (key == QLatin1String("SMS_STORE_SIZE")) {
        smsStoreSizeReported(value);
    } else if (key == QLatin1String("RECEIVED_SMS")) {
        smsReadAnswered(value);
    } else if (key == QLatin1String("SMS_PARTS_STORED")) {
        smsPartsStored(value);
    } else if (key == QLatin1String("RECEIVED_USSD")) {
        emit receiveUSSD();
    } else if (key == QLatin1String("IMSI")) {
        if (!value.isEmpty())
            storeSimIdentity(value);
    } else if (unitLineEdit(key)) {
        if (!value.isEmpty())
            storeUnitIdentity(key, value);
    } else {
        dispatchRadioKey(key, value);
    }
}

void CZKMainWindow::errorAnswered()
{
    // The first reading of the unit is over when its phone-book read ends.
    if (phoneBookRead != PhoneBookRead::Idle)
        endPhoneBookRead();
    endInitNotice();
    endProfileRefresh(true);
}

void CZKMainWindow::storeUnitIdentity(const QString& key, const QString& value)
{
    CZKDataBase* db = database();
    DeviceRecord* unit = db->findDevice(0);
    if (unit) {
        QString shown = value;
        if (key == QLatin1String("IMEI")) {
            unit->imei = value;
        } else if (key == QLatin1String("MODEL")) {
            unit->mdmModel = value;
        } else if (key == QLatin1String("FIRMWARE")) {
            unit->firmwareVer = value;
        } else if (key == QLatin1String("MANUFACTURER")) {
            unit->manufakturer = value;
        } else if (key == QLatin1String("DEVICE_MODEL")) {
            unit->deviceModel = value;
        } else if (key == QLatin1String("REVISION")) {
            unit->revision = value;
        } else if (key == QLatin1String("PROCESSOR")) {
            unit->processor = value;
        } else if (key == QLatin1String("CMSIS")) {
            unit->cmsis = value;
        } else if (key == QLatin1String("STDPERIPHLIB")) {
            unit->stdPeriphLib = value;
        } else if (key == QLatin1String("NEWLIB")) {
            unit->newlib = value;
        } else if (key == QLatin1String("BUILD")) {
            unit->build = value;
        } else if (key == QLatin1String("ETHERNET_ADDRESS")) {
            unit->ethernetAddr = value;
        } else if (key == QLatin1String("NETWORK_CONF")) {
            unit->netConf = value.startsWith(QLatin1String("NAT ")) ? 3 : 1;
            shown = db->dictionaryValue(unit->netConf, 0);
        } else if (key == QLatin1String("NETWORK_ADDRESS")) {
            unit->localNetworkAddr = value.section(QLatin1Char('/'), 0, 0);
            shown = unit->localNetworkAddr;
        } else if (key == QLatin1String("UDP_PORT")) {
            // A port the unit cannot have keeps the stored one rather than writing a 0.
            bool valid = false;
            const int port = value.toInt(&valid, 10);
            if (valid && port >= 1 && port <= 65535)
                unit->udpPort = port;
            shown = QString::number(unit->udpPort);
        }
        setLineEditText(QLatin1String(unitLineEdit(key)), shown);
    }
    saveAndRefreshPage();
}

void CZKMainWindow::storeSimIdentity(const QString& imsi)
{
    CZKDataBase* db = database();
    // The IMSI belongs to the card in use; the card in slot 0 stands in only when none is.
    SimCardRecord* card = db->findSimCard(db->activeSimCardId());
    if (!card) {
        for (SimCardRecord& candidate : db->simCards) {
            if (candidate.simSlot == 0) {
                card = &candidate;
                break;
            }
        }
    }
    if (card && card->imsi != imsi) {
        card->imsi = imsi;
        if (!imsiAfterUnlock)
            card->pin.clear();
        card->update();
    }
    endImsiAfterUnlock();
    saveAndRefreshPage();
}

void CZKMainWindow::saveAndRefreshPage()
{
    database()->saveAll();
    // A reconnection must not wipe what the operator is typing on a page in edit mode.
    if (!pageInEditMode())
        treeSettingsSelectionChanged();
}

bool CZKMainWindow::pageInEditMode() const
{
    return pageForm && pageForm->findChild<QComboBox*>() != nullptr;
}

void CZKMainWindow::updateDeviceProfile(const QString& key, const QString& value)
{
    CZKDataBase* db = database();
    if (!db) {
        sendMessage(Error, QStringLiteral("updateDeviceProfile()"), QStringLiteral("Internal ERROR 0"));
        return;
    }
    bool found = false;
    const int id = db->profileIdByName(deviceProfileName, &found);
    if (!found)
        return;
    ProfileRecord* profile = db->findProfile(id);
    if (!profile) {
        sendMessage(Error, QStringLiteral("updateDeviceProfile()"), QStringLiteral("Internal ERROR 1"));
        return;
    }

    const QList<QTreeWidgetItem*> selection = ui->treeSettings->selectedItems();
    const bool shown = !selection.isEmpty() && selection.first()
        && selection.first()->data(1, Qt::UserRole).toInt() == Profile
        && selection.first()->data(0, Qt::UserRole).toInt() == profile->id;

    if (key == QLatin1String("APN_NAME")) {
        profile->apn = value;
        if (shown)
            setLineEditText(QStringLiteral("editAPN"), value);
    } else if (key == QLatin1String("APN_USER")) {
        profile->apnUser = value;
        if (shown)
            setLineEditText(QStringLiteral("editAPNUser"), value);
    } else if (key == QLatin1String("APN_PASSWORD")) {
        profile->apnPassword = value;
        if (shown)
            setLineEditText(QStringLiteral("editAPNPassword"), value);
    } else if (key == QLatin1String("SELRAT")) {
        const struct {
            const char* mode;
            int ratId;
        } modes[] = {{"AUTOMATIC", 0}, {"GSM 2G ONLY", 1}, {"UMTS 3G ONLY", 2}, {"LTE ONLY", 5}};
        // An answer that names no mode leaves the band to decide, as automatic does.
        unitRatFixed = false;
        for (const auto& mode : modes) {
            if (value.contains(QLatin1String(mode.mode))) {
                profile->activeRatId = mode.ratId;
                unitRatFixed = mode.ratId != 0;
            }
        }
        if (shown && profile->activeRatId != 0)
            setLineEditText(QStringLiteral("editRAT"), db->ratName(profile->activeRatId));
    } else if (key == QLatin1String("GBAND")) {
        // The band only narrows an automatic technology down; a technology the unit said it was
        // set to stays what the profile shows. What the profile held before is no guide: it may
        // be the band of an earlier refresh, which this band answer replaces.
        if (!unitRatFixed) {
            const struct {
                const char* band;
                int ratId;
            } bands[] = {{"B_3", 6}, {"B_20", 7}, {"B_7", 8}, {"WCDMA_900", 3}, {"WCDMA_2100", 4}};
            // A band the unit is not locked to leaves it automatic.
            profile->activeRatId = 0;
            for (const auto& band : bands) {
                if (value == QLatin1String(band.band))
                    profile->activeRatId = band.ratId;
            }
            if (shown)
                setLineEditText(QStringLiteral("editRAT"), db->ratName(profile->activeRatId));
        }
        updateSIMOperator(profile);
        endProfileRefresh(false);
    }
}

void CZKMainWindow::endProfileRefresh(bool warn)
{
    profileRefreshTimer.stop();
    if (!profileRefreshPending)
        return;
    profileRefreshPending = false;
    endBusy();
    // Answers that still come fill the device profile all the same.
    if (warn)
        sendMessage(Warning, tr("The unit's data profile was not read completely."), QString());
}

void CZKMainWindow::dispatchRadioKey(const QString& key, const QString& value)
{
    QString tabsAsBlank = value;
    tabsAsBlank.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const auto startBlock = [this] {
        radioValues2G.clear();
        radioValues3G.clear();
        radioValues4G.clear();
    };

    if (key == QLatin1String("TEMPERATURE")) {
        temperatureText = value;
    } else if (key == QLatin1String("ATTACHED")) {
        attached = true;
    } else if (key == QLatin1String("DETACHED")) {
        attached = false;
    } else if (key == QLatin1String("WCDMA_BAND")) {
        startBlock();
        radioValues3G[key] = value;
    } else if (key == QLatin1String("WCDMA_CHANNEL")) {
        radioValues3G[key] = value;
    } else if (key == QLatin1String("RSSI_C0") || key == QLatin1String("RSSI_C1")) {
        radioValues3G[key] = QString(value).replace(QLatin1String("\t\t"), QLatin1String("   "));
        if (key == QLatin1String("RSSI_C1"))
            report3G();
    } else if (key == QLatin1String("GSM_BAND")) {
        startBlock();
        radioValues2G[key] = tabsAsBlank;
    } else if (key == QLatin1String("GSM_CHANNEL")) {
        radioValues2G[key] = tabsAsBlank;
    } else if (key == QLatin1String("GSM_RSSI")) {
        radioValues2G[key] = value;
        const QString text = QStringLiteral("%1\r\n%2\r\n%3")
                                 .arg(radioValues2G.value(QStringLiteral("GSM_BAND")),
                                      radioValues2G.value(QStringLiteral("GSM_CHANNEL")), value);
        report2GOr4G(radioValues2G, 3, text, value, 3, QStringLiteral("2G"));
    } else if (key == QLatin1String("SYSTEM_MODE")) {
        startBlock();
        radioValues4G[key] = tabsAsBlank;
    } else if (key == QLatin1String("LTE_BAND") || key == QLatin1String("LTE_BW")) {
        radioValues4G[key] = tabsAsBlank;
    } else if (key == QLatin1String("LTE_RSSI")) {
        radioValues4G[key] = value;
        const QString text = QStringLiteral("%1\r\n%2 %3\r\n%4")
                                 .arg(radioValues4G.value(QStringLiteral("SYSTEM_MODE")),
                                      radioValues4G.value(QStringLiteral("LTE_BAND")),
                                      radioValues4G.value(QStringLiteral("LTE_BW")), value);
        report2GOr4G(radioValues4G, 3, text, value, 2, QStringLiteral("4G"));
    }
}

bool CZKMainWindow::radioPollerRuns() const
{
    return radioPoller && radioPoller->isRunning();
}

void CZKMainWindow::report3G()
{
    if (radioValues3G.size() > 3 && radioPollerRuns() && attached) {
        QString text = QStringLiteral("%1\r\n%2\r\n%3\r\n%4")
                           .arg(radioValues3G.value(QStringLiteral("WCDMA_BAND")),
                                radioValues3G.value(QStringLiteral("WCDMA_CHANNEL")),
                                radioValues3G.value(QStringLiteral("RSSI_C0")),
                                radioValues3G.value(QStringLiteral("RSSI_C1")));
        if (!temperatureText.isEmpty()) {
            text += QLatin1Char('\n') + temperatureText;
            temperatureText.clear();
        }
        emit updateRadioParams(text);
        const QStringList parts = words(radioValues3G.value(QStringLiteral("RSSI_C0")));
        bool valid = false;
        const int level = parts.size() > 3 ? parts.at(3).toInt(&valid, 10) : 0;
        // A level that does not read as a number is no reading: no bar rather than a full one.
        if (valid)
            addChartBar(qBound(0, level + 110, 63), QStringLiteral("3G"));
    }
    attached = false;
}

void CZKMainWindow::report2GOr4G(const QMap<QString, QString>& values, int minEntries, const QString& text,
                                 const QString& level, int levelPart, const QString& technology)
{
    if (values.size() < minEntries) {
        attached = false;
        return;
    }
    QString shown = text;
    if (!temperatureText.isEmpty()) {
        shown += QLatin1Char('\n') + temperatureText;
        temperatureText.clear();
    }
    if (radioPollerRuns() && attached) {
        emit updateRadioParams(shown);
        const QStringList parts = words(level);
        bool valid = false;
        const double dbm = parts.size() > levelPart ? parts.at(levelPart).toDouble(&valid) : 0.0;
        if (valid && std::isfinite(dbm))
            addChartBar(static_cast<int>(std::trunc(qBound(0.0, dbm + 110.0, 63.0))), technology);
    }
    attached = false;
}

void CZKMainWindow::addChartBar(int bars, const QString& technology)
{
    chartModel.addValue(bars, technology);
    double min = 0.0;
    double max = 0.0;
    if (chartModel.valueRange(&min, &max)) {
        min = qMax(0.0, min - 3.0);
        max = qMin(63.0, max + 3.0);
        ui->barChart->verticalAxis()->setRange(min, max);
    }
    emit chartModel.layoutChanged(QList<QPersistentModelIndex>(), QAbstractItemModel::NoLayoutChangeHint);
}
