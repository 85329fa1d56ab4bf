#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QValidator>

namespace {

// A unit and records whose every field differs, so that a field shown in the wrong widget shows.
const char* const kFilledRows
    = "UPDATE ZKMAIN SET MDM_MODEL='MDM-9', IMEI='356000000000009', FIRMWARE_VER='FW-2', SERIAL='SN-7', "
      "MANUFAKTURER='Maker', DEVICE_MODEL='DM-4', REVISION='R-5', PROCESSOR='CPU-6', CMSIS='CM-1', "
      "STDPERIPHLIB='SPL-3', NEWLIB='NL-8', BUILD='B-11' WHERE ID=0;\n"
      "UPDATE SIMCARDS SET IMSI='260011234567890', ACTIVE_PROFILE_ID=1 WHERE ID=0;\n"
      "UPDATE SIMCARDS SET IMSI='260029876543210', ACTIVE_PROFILE_ID=99 WHERE ID=1;\n"
      "UPDATE PROFILES SET APN='apn.example', APN_USER='user', APN_PASSWORD='secret', ACTIVE_RAT_ID=5, "
      "FORCE_OPERATOR='Carrier', FORCE_OPERATOR_MNCMCC=26003 WHERE ID=1;\n";

QTreeWidgetItem* findItem(QTreeWidget* tree, int kind, int id)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(1, Qt::UserRole).toInt() == kind && (*it)->data(0, Qt::UserRole).toInt() == id)
            return *it;
    }
    return nullptr;
}

QStringList allTexts(QTreeWidget* tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        texts.append((*it)->text(0));
    return texts;
}

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(32, 32).toImage();
}

// Brings the link watchdog's state up by answering its checks through the bus, then pauses it
// again so that the silent unit is not reported lost afterwards.
bool bringLinkUp(WindowFixture& fixture)
{
    CZKPoolingThread& watchdog = fixture.probe->linkWatchdog();
    watchdog.setPaused(false);
    for (int i = 0; i < 300 && !watchdog.isConnected(); ++i) {
        messageProxy()->post(Receive, QStringLiteral("AT#"), QString());
        QTest::qWait(10);
    }
    watchdog.setPaused(true);
    // The watchdog's link-alive reaches the window through the bus.
    for (int i = 0; i < 300 && !fixture.probe->connected(); ++i)
        QTest::qWait(10);
    return watchdog.isConnected() && fixture.probe->connected();
}

// Opens the settings tree's context menu and returns its entries as "text+" (enabled) or
// "text-" (greyed), or "<none>" when no menu came up.
QString contextMenuEntries(WindowFixture& fixture)
{
    QString entries = QStringLiteral("<none>");
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QStringList texts;
        if (menu->objectName() == QLatin1String("treeSettingsMenu")) {
            for (const QAction* action : menu->actions())
                texts.append(action->text() + (action->isEnabled() ? QLatin1Char('+') : QLatin1Char('-')));
        }
        entries = texts.join(QLatin1Char(','));
        menu->close();
    });
    poll.start();
    QTimer::singleShot(3000, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    fixture.window->treeSettingsCtxMenu(QPoint(2, 2));
    poll.stop();
    return entries;
}

int pageValidators(const WindowFixture& fixture)
{
    return fixture.probe->ui()->mainFrame->findChildren<QValidator*>().size();
}

} // namespace

class tst_WindowPages : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            prompts.append(call.text);
            return QMessageBox::Ok;
        });
    }

    void init()
    {
        prompts.clear();
        MainWindowProbe::resetRunState();
    }

    void settingsTree()
    {
        WindowFixture fixture("INSERT INTO PROFILES (ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR, "
                              "FORCE_OPERATOR_MNCMCC, APN_USER, APN_PASSWORD) VALUES (2, 'Roaming', '', 0, 0, '', 0, '', '');\n"
                              "INSERT INTO SIMCARDS (ID, NAME, OPERATOR, IMSI, COLOR, SIMSLOT, ACTIVE_PROFILE_ID, ACTIVE, "
                              "MAIN_ID, PIN) VALUES (7, 'Stray card', '', '', 0, 0, NULL, 'false', 42, '');");
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QCOMPARE(tree->topLevelItemCount(), 2);

        QTreeWidgetItem* unit = tree->topLevelItem(0);
        QCOMPARE(unit->text(0), QStringLiteral("Radio unit"));
        QCOMPARE(unit->data(1, Qt::UserRole).toInt(), int(Device));
        QCOMPARE(unit->data(0, Qt::UserRole).toInt(), 0);
        QCOMPARE(unit->childCount(), 2);
        const QTreeWidgetItem* active = unit->child(0);
        const QTreeWidgetItem* spare = unit->child(1);
        QCOMPARE(active->text(0), QStringLiteral("SIM 1(Active)"));
        QCOMPARE(active->text(1), QStringLiteral("Slot0"));
        QCOMPARE(spare->text(0), QStringLiteral("SIM 2"));
        QCOMPARE(spare->text(1), QStringLiteral("Slot1"));
        QCOMPARE(spare->data(0, Qt::UserRole).toInt(), 1);
        QCOMPARE(spare->data(1, Qt::UserRole).toInt(), int(SimCard));
        for (int column : {0, 1}) {
            QVERIFY(active->font(column).bold());
            QVERIFY(!spare->font(column).bold());
        }
        QVERIFY(unit->isExpanded());

        QTreeWidgetItem* root = tree->topLevelItem(1);
        QCOMPARE(root->text(0), QStringLiteral("Profiles"));
        QCOMPARE(root->data(1, Qt::UserRole).toInt(), int(ProfilesRoot));
        QCOMPARE(root->data(0, Qt::UserRole).toInt(), -1);
        QCOMPARE(root->childCount(), 3);
        QStringList profiles;
        for (int i = 0; i < root->childCount(); ++i) {
            profiles.append(root->child(i)->text(0));
            QCOMPARE(root->child(i)->data(1, Qt::UserRole).toInt(), int(Profile));
        }
        QCOMPARE(profiles, (QStringList{"Device profile", "Internet", "Roaming"}));
        const QImage deviceIcon = iconImage(QIcon(QStringLiteral("://Icons/devprofile_32.ico")));
        QVERIFY(!deviceIcon.isNull());
        QCOMPARE(iconImage(root->child(0)->icon(0)), deviceIcon);
        QVERIFY(iconImage(root->child(1)->icon(0)) != deviceIcon);
        QCOMPARE(iconImage(root->child(1)->icon(0)), iconImage(root->child(2)->icon(0)));

        QVERIFY(!allTexts(tree).contains(QStringLiteral("Stray card")));

        // The other tabs' trees hold the units and their cards only.
        for (QTreeWidget* devicesOnly : {fixture.probe->ui()->treeRFSetup, fixture.probe->ui()->treeSMS,
                                         fixture.probe->ui()->treeTests}) {
            QCOMPARE(devicesOnly->topLevelItemCount(), 1);
            QCOMPARE(devicesOnly->topLevelItem(0)->childCount(), 2);
            QVERIFY(!allTexts(devicesOnly).contains(QStringLiteral("Profiles")));
            QVERIFY(!allTexts(devicesOnly).contains(QStringLiteral("Stray card")));
        }
    }

    void pageFields_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        const struct {
            int kind;
            int id;
            const char* field;
            const char* expected;
        } rows[] = {
            {Device, 0, "editName", "Radio unit"},      {Device, 0, "editModel", "MDM-9"},
            {Device, 0, "editSerial", "SN-7"},          {Device, 0, "editIMEI", "356000000000009"},
            {Device, 0, "editFirmware", "FW-2"},        {Device, 0, "editMACAddr", "02:00:00:00:00:01"},
            {Device, 0, "editNetConf", "NAT"},          {Device, 0, "editLocalNetAddr", "172.31.254.1"},
            {Device, 0, "editUDPPort", "40000"},        {Device, 0, "editManufacturer", "Maker"},
            {Device, 0, "editDeviceModel", "DM-4"},     {Device, 0, "editRevision", "R-5"},
            {Device, 0, "editProcessor", "CPU-6"},      {Device, 0, "editCMSIS", "CM-1"},
            {Device, 0, "editStdPeriphLib", "SPL-3"},   {Device, 0, "editNewLib", "NL-8"},
            {Device, 0, "editBuild", "B-11"},           {SimCard, 0, "editName", "SIM 1"},
            {SimCard, 0, "editIMSI", "260011234567890"}, {SimCard, 0, "editSIMSlot", "Slot0"},
            {SimCard, 0, "editProfile", "Internet"},    {SimCard, 1, "editSIMSlot", "Slot1"},
            {SimCard, 1, "editProfile", ""},            {Profile, 1, "editName", "Internet"},
            {Profile, 1, "editAPN", "apn.example"},     {Profile, 1, "editAPNUser", "user"},
            {Profile, 1, "editAPNPassword", "secret"},  {Profile, 1, "editRAT", "LTE only"},
            {Profile, 1, "editOperator", "Carrier(26003)"}, {Profile, 0, "editRAT", "Automatic"},
            {Profile, 0, "editOperator", ""},
        };
        const char* const pages[] = {"FormMain", "FormSIMCard", "", "FormProfile"};
        for (const auto& row : rows) {
            QTest::addRow("%s %d %s", pages[row.kind], row.id, row.field)
                << row.kind << row.id << QString::fromLatin1(pages[row.kind]) << QString::fromLatin1(row.field)
                << QString::fromLatin1(row.expected);
        }
    }

    void pageFields()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(QString, page);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        WindowFixture fixture{QString::fromLatin1(kFilledRows)};
        QVERIFY(fixture.select(kind, id));
        QVERIFY(fixture.probe->pageForm());
        QCOMPARE(fixture.probe->pageForm()->objectName(), page);
        QCOMPARE(fixture.pageText(field), expected);
        const auto* edit = fixture.probe->ui()->mainFrame->findChild<QLineEdit*>(field);
        QCOMPARE(edit->cursorPosition(), 0);
    }

    // Only the device profile shows the SIM's operator; the forced-operator widgets stay hidden
    // until the page is edited.
    void profileWidgets_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("simOperatorShown");
        QTest::newRow("device profile") << 0 << true;
        QTest::newRow("other profile") << 1 << false;
    }

    void profileWidgets()
    {
        QFETCH(int, id);
        QFETCH(bool, simOperatorShown);
        WindowFixture fixture{QString::fromLatin1(kFilledRows)};
        QVERIFY(fixture.select(Profile, id));
        QWidget* frame = fixture.probe->ui()->mainFrame;
        for (const char* name : {"editSIMOperator", "labelSIMOperator"}) {
            QWidget* widget = frame->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(widget, name);
            QCOMPARE(!widget->isHidden(), simOperatorShown);
        }
        for (const char* name : {"editOperator", "labelForceOperator", "pbScanOperators", "pbSelectOperator", "lwOperators"}) {
            QWidget* widget = frame->findChild<QWidget*>(QLatin1String(name));
            QVERIFY2(widget, name);
            QVERIFY2(widget->isHidden(), name);
        }
        QVERIFY(!frame->findChild<QPushButton*>(QStringLiteral("pbScanOperators"))->isEnabled());
    }

    void profilesRootShowsVersion()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        QVERIFY(fixture.select(ProfilesRoot, -1));
        QCOMPARE(fixture.probe->pageForm()->objectName(), QStringLiteral("FormEmpty"));
        const QLabel* version = fixture.probe->ui()->mainFrame->findChild<QLabel*>(QStringLiteral("labelVersion"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Version: 1.0.6.1"));
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("enabled");
        for (bool up : {false, true}) {
            const char* state = up ? "up" : "down";
            QTest::addRow("link %s save", state) << QString() << up << int(Device) << 0 << "pbSaveConfig" << false;
            QTest::addRow("link %s cancel", state) << QString() << up << int(Device) << 0 << "pbCancelConfig" << false;
            QTest::addRow("link %s edit", state) << QString() << up << int(Device) << 0 << "pbEditConfig" << true;
            QTest::addRow("link %s send", state) << QString() << up << int(Device) << 0 << "pbSendToDevice" << up;
            QTest::addRow("link %s read", state) << QString() << up << int(Device) << 0 << "pbReadFromDevice" << up;
        }
        QTest::newRow("active card") << QString() << false << int(SimCard) << 0 << "pbSetAsActive" << false;
        QTest::newRow("spare card") << QString() << false << int(SimCard) << 1 << "pbSetAsActive" << true;
        QTest::newRow("only card, not active")
            << "DELETE FROM SIMCARDS WHERE ID=0;" << false << int(SimCard) << 1 << "pbSetAsActive" << false;
    }

    void buttons()
    {
        QFETCH(QString, extraSql);
        QFETCH(bool, linkUp);
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(QString, button);
        QFETCH(bool, enabled);
        WindowFixture fixture(extraSql);
        if (linkUp)
            QVERIFY(bringLinkUp(fixture));
        QVERIFY(fixture.select(kind, id));
        const auto* widget = fixture.probe->ui()->mainFrame->findChild<QPushButton*>(button);
        QVERIFY(widget);
        QCOMPARE(widget->isEnabled(), enabled);
    }

    // A record gone from under its item: the page comes from its file untouched, so no control
    // is offered for a record that no longer exists.
    void missingRecordKeepsFormState_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("widget");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("shown");
        QTest::newRow("unit send") << int(Device) << 0 << "pbSendToDevice" << false << true;
        QTest::newRow("unit read") << int(Device) << 0 << "pbReadFromDevice" << false << true;
        QTest::newRow("card set as active") << int(SimCard) << 0 << "pbSetAsActive" << true << true;
        QTest::newRow("profile editOperator") << int(Profile) << 1 << "editOperator" << true << true;
        QTest::newRow("profile lwOperators") << int(Profile) << 1 << "lwOperators" << true << true;
    }

    void missingRecordKeepsFormState()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(QString, widget);
        QFETCH(bool, enabled);
        QFETCH(bool, shown);
        WindowFixture fixture;
        QVERIFY(bringLinkUp(fixture));
        QVERIFY(fixture.select(kind, id));
        CZKDataBase& db = fixture.database->db;
        db.devices.clear();
        db.simCards.clear();
        db.profiles.clear();
        fixture.window->treeSettingsSelectionChanged();
        QWidget* page = fixture.probe->pageForm();
        QVERIFY(page);
        const QWidget* found = fixture.probe->ui()->mainFrame->findChild<QWidget*>(widget);
        QVERIFY(found);
        QCOMPARE(found->isEnabled(), enabled);
        QCOMPARE(!found->isHidden(), shown);
        QCOMPARE(fixture.pageText(QStringLiteral("editName")), QString());
    }

    void validators_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("port 1") << "editUDPPort" << "1" << true;
        QTest::newRow("port 65535") << "editUDPPort" << "65535" << true;
        QTest::newRow("port 0") << "editUDPPort" << "0" << false;
        QTest::newRow("port 65536") << "editUDPPort" << "65536" << false;
        QTest::newRow("port letters") << "editUDPPort" << "80a" << false;
        QTest::newRow("mac") << "editMACAddr" << "0a:1B:2c:3D:4e:5F" << true;
        QTest::newRow("mac short") << "editMACAddr" << "0a:1b:2c:3d:4e" << false;
        QTest::newRow("mac long") << "editMACAddr" << "0a:1b:2c:3d:4e:5f:60" << false;
        QTest::newRow("mac not hex") << "editMACAddr" << "0g:1b:2c:3d:4e:5f" << false;
        QTest::newRow("mac dashes") << "editMACAddr" << "0a-1b-2c-3d-4e-5f" << false;
        QTest::newRow("ip") << "editLocalNetAddr" << "192.168.0.255" << true;
        QTest::newRow("ip zeros") << "editLocalNetAddr" << "0.0.0.0" << true;
        QTest::newRow("ip 256") << "editLocalNetAddr" << "192.168.0.256" << false;
        QTest::newRow("ip three") << "editLocalNetAddr" << "192.168.0" << false;
        QTest::newRow("ip five") << "editLocalNetAddr" << "1.2.3.4.5" << false;
    }

    void validators()
    {
        QFETCH(QString, field);
        QFETCH(QString, input);
        QFETCH(bool, acceptable);
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        const auto* edit = fixture.probe->ui()->mainFrame->findChild<QLineEdit*>(field);
        QVERIFY(edit && edit->validator());
        QString text = input;
        int position = text.size();
        QCOMPARE(edit->validator()->validate(text, position) == QValidator::Acceptable, acceptable);
    }

    void reloadsDoNotPileUpValidators()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        const int first = pageValidators(fixture);
        QCOMPARE(first, 3);
        for (int i = 0; i < 20; ++i) {
            QVERIFY(fixture.select(i % 2 ? Device : SimCard, 0));
            fixture.window->treeSettingsSelectionChanged();
        }
        QVERIFY(fixture.select(Device, 0));
        QCOMPARE(pageValidators(fixture), first);
        QCOMPARE(fixture.probe->ui()->mainFrame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
    }

    void missingPageForm()
    {
        WindowFixture fixture;
        BusRecorder bus;
        QVERIFY(QFile::remove(fixture.workDir.filePath(QStringLiteral("ZKMain_form.ui"))));
        bus.take();
        QVERIFY(fixture.select(Device, 0));
        QStringList errors = bus.take().filter(QRegularExpression(QStringLiteral("^1\\|")));
        QCOMPARE(errors, QStringList{QStringLiteral("1|Load UI error|Can't load ZKMain_form.ui UI form")});
        QVERIFY(!fixture.probe->pageForm());
        QVERIFY(fixture.probe->ui()->mainFrame->children().isEmpty());
        QVERIFY(!fixture.probe->ui()->mainFrame->layout());
        QVERIFY(prompts.isEmpty());

        // The other pages still load.
        QVERIFY(fixture.select(SimCard, 0));
        QCOMPARE(fixture.probe->pageForm()->objectName(), QStringLiteral("FormSIMCard"));
        QVERIFY(bus.take().filter(QRegularExpression(QStringLiteral("^1\\|"))).isEmpty());
    }

    void contextMenu_data()
    {
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("entries");
        QTest::newRow("unit, link down") << false << int(Device) << 0 << "Edit+,Read from device-";
        QTest::newRow("unit, link up") << true << int(Device) << 0 << "Edit+,Read from device+";
        QTest::newRow("active card, link down")
            << false << int(SimCard) << 0 << "Edit+,Apply profile-,Refresh profile-";
        QTest::newRow("active card, link up")
            << true << int(SimCard) << 0 << "Edit+,Apply profile+,Refresh profile+";
        QTest::newRow("spare card") << false << int(SimCard) << 1 << "<none>";
        QTest::newRow("spare card, link up") << true << int(SimCard) << 1 << "<none>";
        QTest::newRow("profiles") << false << int(ProfilesRoot) << -1 << "New profile+";
        QTest::newRow("profile") << false << int(Profile) << 1 << "Edit+";
    }

    void contextMenu()
    {
        QFETCH(bool, linkUp);
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(QString, entries);
        WindowFixture fixture;
        fixture.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
        if (linkUp) {
            QVERIFY(bringLinkUp(fixture));
            // The first connection's modal notice covers the window until its time-out.
            if (fixture.probe->initDialog())
                fixture.window->initializeTimeout();
            QVERIFY(!fixture.probe->initDialog());
            QVERIFY(!QApplication::activeModalWidget());
        }
        QVERIFY(fixture.select(kind, id));
        QCOMPARE(contextMenuEntries(fixture), entries);
        QVERIFY(!QApplication::activePopupWidget());
    }

    void contextMenuWithoutSelection()
    {
        WindowFixture fixture;
        fixture.probe->ui()->treeSettings->clearSelection();
        QCOMPARE(contextMenuEntries(fixture), QStringLiteral("<none>"));
    }

    void setCurrentItem_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("found");
        QTest::newRow("top level") << int(Device) << 0 << true;
        QTest::newRow("root") << int(ProfilesRoot) << -1 << true;
        QTest::newRow("card") << int(SimCard) << 1 << true;
        QTest::newRow("profile, same id as the unit") << int(Profile) << 0 << true;
        QTest::newRow("profile") << int(Profile) << 1 << true;
        QTest::newRow("no such id") << int(Profile) << 9 << false;
        QTest::newRow("no such kind") << 7 << 0 << false;
    }

    void setCurrentItem()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(bool, found);
        WindowFixture fixture;
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QVERIFY(fixture.select(SimCard, 0));
        fixture.window->setCurrentItem(tree, id, kind);
        QTreeWidgetItem* expected = found ? findItem(tree, kind, id) : findItem(tree, SimCard, 0);
        QVERIFY(expected);
        QCOMPARE(tree->currentItem(), expected);
    }

    void setCurrentItemWithoutTree()
    {
        WindowFixture fixture;
        BusRecorder bus;
        bus.take();
        fixture.window->setCurrentItem(nullptr, 0, Device);
        QCOMPARE(bus.take().filter(QRegularExpression(QStringLiteral("^1\\|"))),
                 QStringList{QStringLiteral("1|setCurrentItem() Internal ERROR 0|")});
    }

    void focusActiveSIMCard_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<bool>("preselect");
        QTest::addColumn<int>("expectedCard");
        QTest::newRow("first card active") << QString() << false << 0;
        QTest::newRow("second card active")
            << "UPDATE SIMCARDS SET ACTIVE='false' WHERE ID=0;\nUPDATE SIMCARDS SET ACTIVE='true' WHERE ID=1;" << false
            << 1;
        QTest::newRow("something selected") << QString() << true << -1;
        QTest::newRow("two units") << "INSERT INTO ZKMAIN (ID, NAME) VALUES (5,'Second');" << false << -1;
        QTest::newRow("no active card") << "UPDATE SIMCARDS SET ACTIVE='false';" << false << -1;
    }

    void focusActiveSIMCard()
    {
        QFETCH(QString, extraSql);
        QFETCH(bool, preselect);
        QFETCH(int, expectedCard);
        WindowFixture fixture(extraSql);
        QTreeWidget* tree = fixture.probe->ui()->treeRFSetup;
        tree->clearSelection();
        tree->setCurrentItem(nullptr);
        if (preselect)
            tree->setCurrentItem(tree->topLevelItem(0));
        QTreeWidgetItem* before = tree->currentItem();
        fixture.window->focusActiveSIMCard(tree);
        if (expectedCard < 0) {
            QCOMPARE(tree->currentItem(), before);
        } else {
            QVERIFY(tree->currentItem());
            QCOMPARE(tree->currentItem(), findItem(tree, SimCard, expectedCard));
        }
    }

    void focusActiveSIMCardWithoutTree()
    {
        WindowFixture fixture;
        BusRecorder bus;
        bus.take();
        fixture.window->focusActiveSIMCard(nullptr);
        QCOMPARE(bus.take().filter(QRegularExpression(QStringLiteral("^1\\|"))),
                 QStringList{QStringLiteral("1|focusActiveSIMCard( tree ) Internal ERROR 0 tree is NULL|")});
    }

    // An identity read during editing must not wipe the page the operator is typing on.
    void identityKeyKeepsEditedPage_data()
    {
        QTest::addColumn<bool>("editing");
        QTest::newRow("editing") << true;
        QTest::newRow("viewing") << false;
    }

    void identityKeyKeepsEditedPage()
    {
        QFETCH(bool, editing);
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        QPointer<QWidget> page = fixture.probe->pageForm();
        QPointer<QComboBox> combo;
        if (editing) {
            combo = new QComboBox(page);
            combo->setObjectName(QStringLiteral("comboEditMark"));
        }
        fixture.deliver(ReplyKey, QStringLiteral("IMEI"), QStringLiteral("356000000000017"));
        QCOMPARE(!page.isNull(), editing);
        QCOMPARE(!combo.isNull(), editing);
        QVERIFY(fixture.probe->pageForm());
        QCOMPARE(fixture.probe->pageForm()->objectName(), QStringLiteral("FormMain"));
        QCOMPARE(fixture.pageText(QStringLiteral("editIMEI")), QStringLiteral("356000000000017"));
    }

private:
    QStringList prompts;
};

QTEST_MAIN(tst_WindowPages)
#include "tst_windowpages.moc"
