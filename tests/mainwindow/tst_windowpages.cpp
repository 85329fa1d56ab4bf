#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTreeWidget>
#include <QValidator>

namespace {

// A unit and records whose every field differs, so that a field shown in the wrong widget shows.
const char* const kFilledRows
    = "UPDATE ZKMAIN SET IMEI='356000000000009', SERIAL='SN-7', BUILD='B-11' WHERE ID=0;\n"
      "UPDATE SIMCARDS SET IMSI='260011234567890', ACTIVE_PROFILE_ID=1 WHERE ID=0;\n"
      "UPDATE SIMCARDS SET IMSI='260029876543210', ACTIVE_PROFILE_ID=99 WHERE ID=1;\n"
      "UPDATE PROFILES SET APN='apn.example', APN_USER='user', APN_PASSWORD='secret', ACTIVE_RAT_ID=5, "
      "FORCE_OPERATOR='Carrier', FORCE_OPERATOR_MNCMCC=26003 WHERE ID=1;\n";

QStringList allTexts(QTreeWidget* tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        texts.append((*it)->text(0));
    return texts;
}

// The state of the named widgets of the page: "name+" enabled, "name-" greyed, "name" hidden.
QStringList widgetStates(const WindowFixture& fixture, const QStringList& names)
{
    QStringList states;
    for (QString name : names) {
        name.remove(QRegularExpression(QStringLiteral("[+-]$")));
        const QWidget* widget = fixture.probe->ui()->mainFrame->findChild<QWidget*>(name);
        states.append(!widget ? name + '?' : widget->isHidden() ? name : name + (widget->isEnabled() ? '+' : '-'));
    }
    return states;
}

// The error messages posted since the last call.
QStringList errorsOf(BusRecorder& bus)
{
    return bus.take().filter(QRegularExpression(QStringLiteral("^1\\|")));
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

    // The example tree: the unit with its cards, the active one bold and marked, then the
    // profiles; a card of no unit shows nowhere, and the other tabs hold the units only.
    void settingsTree()
    {
        WindowFixture fixture("INSERT INTO PROFILES (ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR, "
                              "FORCE_OPERATOR_MNCMCC, APN_USER, APN_PASSWORD) "
                              "VALUES (2, 'Roaming', '', 0, 0, '', 0, '', '');\n"
                              "INSERT INTO SIMCARDS (ID, NAME, OPERATOR, IMSI, COLOR, SIMSLOT, ACTIVE_PROFILE_ID, "
                              "ACTIVE, MAIN_ID, PIN) VALUES (7, 'Stray card', '', '', 0, 0, NULL, 'false', 42, '');");
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QCOMPARE(allTexts(tree), (QStringList{"Radio unit", "SIM 1(Active)", "SIM 2", "Profiles", "Device profile",
                                              "Internet", "Roaming"}));
        const QTreeWidgetItem* unit = tree->topLevelItem(0);
        QVERIFY(unit->isExpanded());
        QCOMPARE(unit->child(0)->text(1), QStringLiteral("Slot0"));
        QCOMPARE(unit->child(1)->text(1), QStringLiteral("Slot1"));
        for (int column : {0, 1}) {
            QVERIFY(unit->child(0)->font(column).bold());
            QVERIFY(!unit->child(1)->font(column).bold());
        }
        QCOMPARE(findItem(tree, SimCard, 1), unit->child(1));
        QCOMPARE(findItem(tree, Profile, 2), tree->topLevelItem(1)->child(2));

        for (QTreeWidget* devicesOnly : {fixture.probe->ui()->treeRFSetup, fixture.probe->ui()->treeSMS,
                                         fixture.probe->ui()->treeTests})
            QCOMPARE(allTexts(devicesOnly), (QStringList{"Radio unit", "SIM 1(Active)", "SIM 2"}));
    }

    // Each page filled from its record, and the state of its controls (see widgetStates()).
    // `link` 2: up, then the records go from under their items.
    void pages_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<int>("link");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("states");

        const QString filled = QString::fromLatin1(kFilledRows);
        const QStringList unitButtons{"pbSaveConfig-", "pbCancelConfig-", "pbEditConfig+"};
        QTest::newRow("unit, link down")
            << filled << 0 << int(Device) << 0 << "FormMain"
            << QStringList{"editName=Radio unit", "editSerial=SN-7", "editIMEI=356000000000009",
                           "editMACAddr=02:00:00:00:00:01", "editNetConf=NAT", "editUDPPort=40000", "editBuild=B-11"}
            << unitButtons + QStringList{"pbSendToDevice-", "pbReadFromDevice-"};
        QTest::newRow("unit, link up") << filled << 1 << int(Device) << 0 << "FormMain" << QStringList()
                                       << unitButtons + QStringList{"pbSendToDevice+", "pbReadFromDevice+"};
        QTest::newRow("active card")
            << filled << 0 << int(SimCard) << 0 << "FormSIMCard"
            << QStringList{"editName=SIM 1", "editIMSI=260011234567890", "editSIMSlot=Slot0", "editProfile=Internet"}
            << QStringList{"pbSetAsActive-"};
        // The spare card's profile no longer exists.
        QTest::newRow("spare card") << filled << 0 << int(SimCard) << 1 << "FormSIMCard"
                                    << QStringList{"editSIMSlot=Slot1", "editProfile="}
                                    << QStringList{"pbSetAsActive+"};
        QTest::newRow("only card, not active") << "DELETE FROM SIMCARDS WHERE ID=0;" << 0 << int(SimCard) << 1
                                               << "FormSIMCard" << QStringList() << QStringList{"pbSetAsActive-"};
        // Only the device profile shows the SIM's operator; the forced operator waits for editing.
        const QStringList forced{"editOperator", "pbScanOperators", "lwOperators"};
        QTest::newRow("device profile") << filled << 0 << int(Profile) << 0 << "FormProfile"
                                        << QStringList{"editRAT=Automatic", "editOperator="}
                                        << forced + QStringList{"editSIMOperator+"};
        QTest::newRow("other profile")
            << filled << 0 << int(Profile) << 1 << "FormProfile"
            << QStringList{"editName=Internet", "editAPN=apn.example", "editAPNPassword=secret", "editRAT=LTE only",
                           "editOperator=Carrier(26003)"}
            << forced + QStringList{"editSIMOperator"};
        QTest::newRow("profiles root") << filled << 0 << int(ProfilesRoot) << -1 << "FormEmpty" << QStringList()
                                       << QStringList();
        // The page then comes from its file untouched: no control is offered for a record that
        // no longer exists.
        QTest::newRow("unit gone") << QString() << 2 << int(Device) << 0 << "FormMain" << QStringList{"editName="}
                                   << QStringList{"pbSendToDevice-", "pbReadFromDevice-"};
        QTest::newRow("profile gone") << QString() << 2 << int(Profile) << 1 << "FormProfile"
                                      << QStringList{"editName="} << QStringList{"editOperator+", "lwOperators+"};
    }

    void pages()
    {
        QFETCH(QString, extraSql);
        QFETCH(int, link);
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(QString, page);
        QFETCH(QStringList, texts);
        QFETCH(QStringList, states);
        WindowFixture fixture(extraSql);
        if (link > 0)
            QVERIFY(bringLinkUp(fixture));
        // From another page, so that the one asked for replaces it.
        QVERIFY(fixture.select(kind == Device ? SimCard : Device, 0));
        QVERIFY(fixture.select(kind, id));
        if (link == 2) {
            fixture.database->db.devices.clear();
            fixture.database->db.simCards.clear();
            fixture.database->db.profiles.clear();
            fixture.window->treeSettingsSelectionChanged();
        }
        QCOMPARE(fixture.probe->pageForm()->objectName(), page);
        QWidget* frame = fixture.probe->ui()->mainFrame;
        for (const QString& text : texts) {
            const QString name = text.section(QLatin1Char('='), 0, 0);
            QCOMPARE(name + '=' + frame->findChild<QWidget*>(name)->property("text").toString(), text);
            // Long texts show from their start.
            if (auto* edit = frame->findChild<QLineEdit*>(name))
                QCOMPARE(edit->cursorPosition(), 0);
        }
        QCOMPARE(widgetStates(fixture, states), states);
    }

    // The unit page's validators; reloading pages must not pile them up.
    void validators_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("port 65535") << "editUDPPort" << "65535" << true;
        QTest::newRow("port 0") << "editUDPPort" << "0" << false;
        QTest::newRow("mac") << "editMACAddr" << "0a:1B:2c:3D:4e:5F" << true;
        QTest::newRow("mac short") << "editMACAddr" << "0a:1b:2c:3d:4e" << false;
        QTest::newRow("ip") << "editLocalNetAddr" << "192.168.0.255" << true;
        QTest::newRow("ip 256") << "editLocalNetAddr" << "192.168.0.256" << false;
    }

    void validators()
    {
        QFETCH(QString, field);
        QFETCH(QString, input);
        WindowFixture fixture;
        QVERIFY(fixture.select(Device, 0));
        QWidget* frame = fixture.probe->ui()->mainFrame;
        QCOMPARE(frame->findChildren<QValidator*>().size(), 3);
        for (int i = 0; i < 6; ++i)
            QVERIFY(fixture.select(i % 2 ? Device : SimCard, 0));
        QCOMPARE(frame->findChildren<QValidator*>().size(), 3);
        QCOMPARE(frame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);

        const auto* edit = frame->findChild<QLineEdit*>(field);
        QVERIFY(edit && edit->validator());
        int position = input.size();
        QTEST(edit->validator()->validate(input, position) == QValidator::Acceptable, "acceptable");
    }

    void missingPageForm()
    {
        WindowFixture fixture;
        BusRecorder bus;
        QVERIFY(QFile::remove(fixture.workDir.filePath(QStringLiteral("ZKMain_form.ui"))));
        bus.take();
        QVERIFY(fixture.select(Device, 0));
        QCOMPARE(errorsOf(bus), QStringList{QStringLiteral("1|Load UI error|Can't load ZKMain_form.ui UI form")});
        QVERIFY(!fixture.probe->pageForm());
        QVERIFY(fixture.probe->ui()->mainFrame->children().isEmpty());
        QVERIFY(prompts.isEmpty());

        // The other pages still load.
        QVERIFY(fixture.select(SimCard, 0));
        QCOMPARE(fixture.probe->pageForm()->objectName(), QStringLiteral("FormSIMCard"));
        QCOMPARE(errorsOf(bus), QStringList());
    }

    // Entries as "text+" (enabled) or "text-" (greyed); kind -1: nothing selected.
    void contextMenu_data()
    {
        QTest::addColumn<bool>("linkUp");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("entries");
        QTest::newRow("unit, link up") << true << int(Device) << 0 << "Edit+,Read from device+";
        QTest::newRow("active card, link down") << false << int(SimCard) << 0
                                                << "Edit+,Apply profile-,Refresh profile-";
        QTest::newRow("active card, link up") << true << int(SimCard) << 0 << "Edit+,Apply profile+,Refresh profile+";
        QTest::newRow("spare card, link up") << true << int(SimCard) << 1 << "<none>";
        QTest::newRow("profiles") << false << int(ProfilesRoot) << -1 << "New profile+";
        QTest::newRow("profile") << false << int(Profile) << 1 << "Edit+";
        QTest::newRow("no selection") << false << -1 << 0 << "<none>";
    }

    void contextMenu()
    {
        QFETCH(bool, linkUp);
        QFETCH(int, kind);
        QFETCH(int, id);
        WindowFixture fixture;
        fixture.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
        if (linkUp) {
            QVERIFY(bringLinkUp(fixture));
            QVERIFY(!QApplication::activeModalWidget());
        }
        if (kind < 0)
            fixture.probe->ui()->treeSettings->clearSelection();
        else
            QVERIFY(fixture.select(kind, id));
        QTEST(popupEntries([&] { fixture.window->treeSettingsCtxMenu(QPoint(2, 2)); }), "entries");
        QVERIFY(!QApplication::activePopupWidget());
    }

    // An item is found by its kind and id together; none found keeps the current one.
    void setCurrentItem_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("found");
        QTest::newRow("profile, same id as the unit") << int(Profile) << 0 << true;
        QTest::newRow("no such id") << int(Profile) << 9 << false;
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

    // Only with one unit and nothing chosen yet is the active card brought forward.
    void focusActiveSIMCard_data()
    {
        QTest::addColumn<QString>("extraSql");
        QTest::addColumn<bool>("preselect");
        QTest::addColumn<int>("expectedCard");
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
        tree->setCurrentItem(preselect ? tree->topLevelItem(0) : nullptr);
        QTreeWidgetItem* before = tree->currentItem();
        fixture.window->focusActiveSIMCard(tree);
        QCOMPARE(tree->currentItem(), expectedCard < 0 ? before : findItem(tree, SimCard, expectedCard));
        QVERIFY(expectedCard < 0 || tree->currentItem());
    }

    void withoutTreeReportsError()
    {
        WindowFixture fixture;
        BusRecorder bus;
        bus.take();
        fixture.window->setCurrentItem(nullptr, 0, Device);
        fixture.window->focusActiveSIMCard(nullptr);
        QCOMPARE(errorsOf(bus), (QStringList{"1|setCurrentItem() Internal ERROR 0|",
                                             "1|focusActiveSIMCard( tree ) Internal ERROR 0 tree is NULL|"}));
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
        if (editing)
            new QComboBox(page);
        fixture.deliver(ReplyKey, QStringLiteral("IMEI"), QStringLiteral("356000000000017"));
        QCOMPARE(!page.isNull(), editing);
        QCOMPARE(fixture.probe->pageForm()->objectName(), QStringLiteral("FormMain"));
        QCOMPARE(fixture.pageText(QStringLiteral("editIMEI")), QStringLiteral("356000000000017"));
    }

private:
    QStringList prompts;
};

QTEST_MAIN(tst_WindowPages)
#include "tst_windowpages.moc"
