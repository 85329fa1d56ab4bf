#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

bool& smsPolling(WindowFixture& f) { return f.probe->smsPollingEnabled(); }
CZKRadioPoolingThread* radioPoller(WindowFixture& f) { return f.probe->radioPoller(); }
// "watchdog radio sms" as 1 and 0.
QString pollerFlags(WindowFixture& f)
{
    CZKPoolingThread& watchdog = f.probe->linkWatchdog();
    CZKRadioPoolingThread* radio = radioPoller(f);
    return QStringLiteral("%1 %2 %3")
        .arg(int(watchdog.isPaused()))
        .arg(radio ? int(radio->isPaused()) : -1)
        .arg(int(smsPolling(f)));
}

// Card 0 active with profile 1, card 1 spare with profile 2.
QString profileRows(const QString& apn, const QString& user, const QString& password, int rat)
{
    return QStringLiteral("UPDATE PROFILES SET NAME='Web', APN='%1', APN_USER='%2', APN_PASSWORD='%3', ACTIVE_RAT_ID=%4 "
                          "WHERE ID=1;\n"
                          "INSERT INTO PROFILES (ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR, "
                          "FORCE_OPERATOR_MNCMCC, APN_USER, APN_PASSWORD) VALUES (2, 'Other', 'other.apn', 0, 0, '', 0, '', '');\n"
                          "UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=1 WHERE ID=0;\n"
                          "UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=2 WHERE ID=1;\n")
        .arg(apn, user, password)
        .arg(rat);
}

QStringList transfer(const QString& apn, const QString& qcpdpp, const QString& rat)
{
    QStringList sent{"AT#RUN=0", "AT!SCACT=0,1", QStringLiteral("AT+CGDCONT=1,\"IP\",\"%1\"").arg(apn), qcpdpp,
                     "AT!BAND=00", "AT!SELRAT=00"};
    if (!rat.isEmpty())
        sent << rat;
    sent << "AT#RUN=1";
    for (QString& command : sent)
        command += QStringLiteral(" [INTERNAL]");
    return sent;
}

bool busy() { return QGuiApplication::overrideCursor() != nullptr; }

} // namespace

// The SIM card page's record buttons, the data profile's transfer to the unit and its read-back.
class tst_WindowSimPage : public QObject {
    Q_OBJECT

    QStringList prompts;
    QList<QMessageBox::StandardButton> answers;

    QWidget* page(WindowFixture& f) { return f.probe->ui()->mainFrame; }
    QComboBox* combo(WindowFixture& f, const char* name) { return page(f)->findChild<QComboBox*>(name); }
    QLineEdit* edit(WindowFixture& f, const char* name) { return page(f)->findChild<QLineEdit*>(name); }
    bool enabled(WindowFixture& f, const char* button) { return page(f)->findChild<QPushButton*>(button)->isEnabled(); }

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            prompts << call.title + '|' + call.text;
            return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
        });
    }

    void init()
    {
        prompts.clear();
        answers.clear();
    }

    void editTwiceMakesOneOfEachCombo()
    {
        WindowFixture f(profileRows("web.apn", "", "", 0));
        // A profile only in memory (negative id) is no choice for a card.
        f.database->db.newProfile();
        QVERIFY(f.select(SimCard, 0));
        f.window->editSIMCard();
        f.window->editSIMCard();
        QCOMPARE(page(f)->findChildren<QComboBox*>("comboSIMSlot").size(), 1);
        QCOMPARE(page(f)->findChildren<QComboBox*>("comboProfile").size(), 1);
        QComboBox* slot = combo(f, "comboSIMSlot");
        QComboBox* profile = combo(f, "comboProfile");
        QCOMPARE(slot->currentText(), QStringLiteral("Slot 1"));
        QCOMPARE(slot->count(), 2);
        QCOMPARE(profile->currentText(), QStringLiteral("Web"));
        QStringList offered;
        for (int i = 0; i < profile->count(); ++i)
            offered << profile->itemText(i);
        QCOMPARE(offered, (QStringList{"Device profile", "Web", "Other"}));
        QVERIFY(slot->font().bold());
        QVERIFY(!edit(f, "editName")->isReadOnly());
        QVERIFY(enabled(f, "pbSaveSIMCard"));
        QVERIFY(enabled(f, "pbCancelSIMCard"));
    }

    void saveStoresSlotAndProfile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slotIndex");      // -1: no current item
        QTest::addColumn<int>("profileIndex");
        QTest::addColumn<bool>("dropChosen");    // the chosen profile is deleted before the save
        QTest::addColumn<QString>("row");        // NAME|SIMSLOT|ACTIVE_PROFILE_ID
        QTest::newRow("slot and profile") << "Work" << 1 << 0 << false << "Work|1|0";
        QTest::newRow("nothing chosen keeps both") << "Work" << -1 << -1 << false << "Work|0|1";
        QTest::newRow("profile deleted meanwhile") << "Work" << 0 << 2 << true << "Work|0|";
    }

    void saveStoresSlotAndProfile()
    {
        QFETCH(QString, name);
        QFETCH(int, slotIndex);
        QFETCH(int, profileIndex);
        QFETCH(bool, dropChosen);
        QFETCH(QString, row);
        WindowFixture f(profileRows("web.apn", "", "", 0));
        QVERIFY(f.select(SimCard, 0));
        f.window->editSIMCard();
        edit(f, "editName")->setText(name);
        combo(f, "comboSIMSlot")->setCurrentIndex(slotIndex);
        combo(f, "comboProfile")->setCurrentIndex(profileIndex);
        if (dropChosen)
            f.database->db.profiles.removeLast();
        BusRecorder bus;
        f.window->saveSIMCard();
        QCOMPARE(queryRows("SELECT NAME, SIMSLOT, ACTIVE_PROFILE_ID FROM SIMCARDS WHERE ID=0"), row);
        const SimCardRecord* card = f.database->db.findSimCard(0);
        QCOMPARE(QStringLiteral("%1|%2|%3").arg(card->name).arg(card->simSlot).arg(card->activeProfileId),
                 QString(row).replace(QRegExp("\\|$"), "|-1"));
        QCOMPARE(bus.take().contains("1|saveSIMCard()|Internal ERROR 5 Profile is empty"), dropChosen);
        // View mode again, on the card, with the tree showing the new name.
        QVERIFY(!combo(f, "comboSIMSlot"));
        QVERIFY(!combo(f, "comboProfile"));
        QVERIFY(edit(f, "editName")->isReadOnly());
        QCOMPARE(f.pageText("editName"), name);
        QVERIFY(!enabled(f, "pbSaveSIMCard"));
        QCOMPARE(f.probe->ui()->treeSettings->selectedItems().value(0)->text(0), name + "(Active)");
    }

    void refusedSaveChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("box");
        QTest::newRow("empty name") << "" << "Save SIMCard|SIMCard name is empty.";
        QTest::newRow("failed write") << "Work" << "Save SIMCard|The SIM card could not be saved.";
    }

    void refusedSaveChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QString, box);
        WindowFixture f(profileRows("web.apn", "", "", 0));
        execOnConnection("CREATE TRIGGER refuse BEFORE UPDATE ON SIMCARDS BEGIN SELECT RAISE(ABORT, 'refused'); END;");
        QVERIFY(f.select(SimCard, 0));
        f.window->editSIMCard();
        edit(f, "editName")->setText(name);
        combo(f, "comboSIMSlot")->setCurrentIndex(1);
        f.window->saveSIMCard();
        QCOMPARE(prompts, QStringList{box});
        QCOMPARE(queryRows("SELECT NAME, SIMSLOT FROM SIMCARDS WHERE ID=0"), QStringLiteral("SIM 1|0"));
        QCOMPARE(f.database->db.findSimCard(0)->name, QStringLiteral("SIM 1"));
        QCOMPARE(f.database->db.findSimCard(0)->simSlot, 0);
        // Still editing what was typed.
        QVERIFY(combo(f, "comboSIMSlot"));
        QCOMPARE(combo(f, "comboSIMSlot")->currentIndex(), 1);
        QCOMPARE(f.pageText("editName"), name);
        QVERIFY(enabled(f, "pbSaveSIMCard"));
    }

    void cancelReturnsToViewMode_data()
    {
        QTest::addColumn<int>("card");
        QTest::addColumn<QString>("profile");
        QTest::newRow("with a profile") << 0 << "Web";
        QTest::newRow("without a profile") << 1 << "";
    }

    void cancelReturnsToViewMode()
    {
        QFETCH(int, card);
        QFETCH(QString, profile);
        WindowFixture f(profileRows("web.apn", "", "", 0) + "UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=NULL WHERE ID=1;");
        QVERIFY(f.select(SimCard, card));
        f.window->editSIMCard();
        edit(f, "editName")->setText("Typed");
        BusRecorder bus;
        f.window->cancelSIMCard();
        QCOMPARE(bus.take(), QStringList());
        QVERIFY(!combo(f, "comboSIMSlot"));
        QVERIFY(!combo(f, "comboProfile"));
        QCOMPARE(f.pageText("editName"), f.database->db.findSimCard(card)->name);
        QCOMPARE(f.pageText("editProfile"), profile);
        for (const char* field : {"editName", "editSIMSlot", "editProfile"})
            QVERIFY(edit(f, field)->isReadOnly());
        QVERIFY(!enabled(f, "pbSaveSIMCard"));
        QVERIFY(!enabled(f, "pbCancelSIMCard"));
    }

    // A card without a profile is stored as NULL and read as -1, the id the first unsaved
    // profile gets: they must never meet.
    void negativeIdsNeverMatchUnsavedProfiles()
    {
        WindowFixture f(profileRows("web.apn", "", "", 0) + "UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=NULL WHERE ID=0;");
        ProfileRecord* unsaved = f.database->db.newProfile();
        QCOMPARE(unsaved->id, f.database->db.findSimCard(0)->activeProfileId);
        QVERIFY(f.select(SimCard, 0));
        QCOMPARE(f.pageText("editProfile"), QString());
        f.window->editSIMCard();
        QCOMPARE(combo(f, "comboProfile")->currentIndex(), -1);
        BusRecorder bus;
        f.window->saveSIMCard();
        QCOMPARE(queryRows("SELECT ACTIVE_PROFILE_ID FROM SIMCARDS WHERE ID=0"), QString());
        f.window->applyProfile();
        QCOMPARE(prompts, QStringList{"Warning|Profile is no set, set current profile."});
        QCOMPARE(sentCommands(bus.take()), QStringList());
    }

    void setAsActiveChangesBothOrNeither_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("rows");   // ACTIVE of cards 0 and 1 afterwards
        QTest::addColumn<bool>("refused");
        QTest::newRow("another active") << "" << "false;true" << false;
        QTest::newRow("none active") << "UPDATE SIMCARDS SET ACTIVE='false';" << "false;true" << false;
        QTest::newRow("old card's write fails")
            << "CREATE TRIGGER refuse BEFORE UPDATE ON SIMCARDS WHEN NEW.ID=0 BEGIN SELECT RAISE(ABORT, 'x'); END;"
            << "true;false" << true;
        QTest::newRow("new card's write fails")
            << "CREATE TRIGGER refuse BEFORE UPDATE ON SIMCARDS WHEN NEW.ID=1 BEGIN SELECT RAISE(ABORT, 'x'); END;"
            << "true;false" << true;
    }

    void setAsActiveChangesBothOrNeither()
    {
        QFETCH(QString, sql);
        QFETCH(QString, rows);
        QFETCH(bool, refused);
        WindowFixture f;
        QVERIFY(f.select(SimCard, 1));
        if (sql.startsWith("CREATE"))
            execOnConnection(sql);
        else if (!sql.isEmpty())
            execOnConnection(sql), f.database->db.findSimCard(0)->active = false;
        f.window->setAsActive();
        QCOMPARE(queryRows("SELECT ACTIVE FROM SIMCARDS ORDER BY ID"), rows);
        const CZKDataBase& db = f.database->db;
        const QString memory = QStringLiteral("%1;%2").arg(db.simCards.at(0).active ? "true" : "false",
                                                           db.simCards.at(1).active ? "true" : "false");
        QCOMPARE(memory, rows);
        QCOMPARE(prompts.size(), int(refused));
        if (!refused) {
            QCOMPARE(f.probe->ui()->treeSettings->selectedItems().value(0)->text(0), QStringLiteral("SIM 2(Active)"));
            QVERIFY(!enabled(f, "pbSetAsActive"));
        }
    }

    void applySendsTheProfile_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<int>("rat");
        QTest::addColumn<QString>("qcpdpp");
        QTest::addColumn<QString>("ratCommand");
        QTest::newRow("user and password") << "web" << "s3cret" << 5 << "AT$QCPDPP=1,1,\"s3cret\",\"web\"" << "AT!SELRAT=06";
        QTest::newRow("neither") << "" << "" << 0 << "AT$QCPDPP=1,0" << "AT!SELRAT=00";
        QTest::newRow("password only") << "" << "pw" << 6 << "AT$QCPDPP=1,1,\"pw\",\"\"" << "AT!BAND=06";
        QTest::newRow("user only") << "web" << "" << 1 << "AT$QCPDPP=1,1,\"\",\"web\"" << "AT!SELRAT=02";
        QTest::newRow("RAT without set command") << "" << "" << 42 << "AT$QCPDPP=1,0" << "";
    }

    void applySendsTheProfile()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(int, rat);
        QFETCH(QString, qcpdpp);
        QFETCH(QString, ratCommand);
        WindowFixture f(profileRows("web.apn", user, password, rat));
        BusRecorder bus;
        f.window->applyProfile();
        QCOMPARE(prompts, QStringList{"Question|Send profile 'Web' to device ?"});
        QCOMPARE(sentCommands(bus.take()), transfer("web.apn", qcpdpp, ratCommand));
        QVERIFY(!busy());
    }

    // The active card's profile goes out even while another card is selected and being edited.
    void selectedCardIsNotTheActiveOne()
    {
        WindowFixture f(profileRows("web.apn", "", "", 0));
        QVERIFY(f.select(SimCard, 1));
        f.window->editSIMCard();
        combo(f, "comboProfile")->setCurrentIndex(0);
        BusRecorder bus;
        f.window->applyProfile();
        QCOMPARE(prompts, (QStringList{"Question|Send profile 'Web' to device ?", "Question|Save changes ?"}));
        QCOMPARE(queryRows("SELECT ACTIVE_PROFILE_ID FROM SIMCARDS ORDER BY ID"), QStringLiteral("1;0"));
        QCOMPARE(sentCommands(bus.take()), transfer("web.apn", "AT$QCPDPP=1,0", "AT!SELRAT=00"));
    }

    void nothingSentWhenRefused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("how");   // cancel, edit-refused, edit-other-profile, or nothing
        QTest::addColumn<QStringList>("boxes");
        const QString question = "Question|Send profile 'Web' to device ?";
        const QString forbidden = "Warning|The %1 of profile 'Web' holds a character that cannot be sent to the unit "
                                  "(\", CR, LF or Ctrl-Z).";
        QTest::newRow("cancelled") << profileRows("web.apn", "", "", 0) << "cancel" << QStringList{question};
        QTest::newRow("quote in APN") << profileRows("web\"apn", "", "", 0) << "" << QStringList{forbidden.arg("APN")};
        QTest::newRow("CR in user") << profileRows("web.apn", "a'||char(13)||'b", "", 0) << ""
                                    << QStringList{forbidden.arg("APN user")};
        QTest::newRow("LF in password") << profileRows("web.apn", "", "a'||char(10)||'b", 0) << ""
                                        << QStringList{forbidden.arg("APN password")};
        QTest::newRow("Ctrl-Z in APN") << profileRows("web'||char(26)||'apn", "", "", 0) << ""
                                       << QStringList{forbidden.arg("APN")};
        QTest::newRow("no profile") << "" << "" << QStringList{"Warning|Profile is no set, set current profile."};
        QTest::newRow("no active card") << "UPDATE SIMCARDS SET ACTIVE='false';" << "" << QStringList();
        QTest::newRow("save refused") << profileRows("web.apn", "", "", 0) << "edit-refused"
                                      << QStringList{question, "Question|Save changes ?",
                                                     "Save SIMCard|SIMCard name is empty."};
        QTest::newRow("save gave another profile") << profileRows("web.apn", "", "", 0) << "edit-other-profile"
                                                   << QStringList{question, "Question|Save changes ?"};
    }

    void nothingSentWhenRefused()
    {
        QFETCH(QString, sql);
        QFETCH(QString, how);
        QFETCH(QStringList, boxes);
        WindowFixture f(sql);
        f.probe->startRadioPoller();
        const QString flagsBefore = pollerFlags(f);
        QVERIFY(f.select(SimCard, 0));
        if (how.startsWith("edit")) {
            f.window->editSIMCard();
            if (how == "edit-refused")
                edit(f, "editName")->clear();
            else
                combo(f, "comboProfile")->setCurrentIndex(2);
        }
        if (how == "cancel")
            answers << QMessageBox::Cancel;
        BusRecorder bus;
        f.window->applyProfile();
        QCOMPARE(prompts, boxes);
        QCOMPARE(sentCommands(bus.take()), QStringList());
        QCOMPARE(pollerFlags(f), flagsBefore);
        QVERIFY(!busy());
        f.probe->stopRadioPoller();
    }

    void pollersReturnToTheirEarlierState_data()
    {
        QTest::addColumn<bool>("watchdogPaused");
        QTest::addColumn<bool>("radioPaused");
        QTest::addColumn<bool>("smsPolls");
        QTest::newRow("all paused, SMS poll off") << true << true << false;
        QTest::newRow("all running") << false << false << true;
        QTest::newRow("watchdog paused only") << true << false << true;
    }

    void pollersReturnToTheirEarlierState()
    {
        QFETCH(bool, watchdogPaused);
        QFETCH(bool, radioPaused);
        QFETCH(bool, smsPolls);
        WindowFixture f(profileRows("web.apn", "", "", 0));
        f.probe->startRadioPoller();
        radioPoller(f)->setPaused(radioPaused);
        f.probe->linkWatchdog().setPaused(watchdogPaused);
        smsPolling(f) = smsPolls;
        const QString before = pollerFlags(f);
        QString during;
        QTimer::singleShot(30, [&] { during = pollerFlags(f) + (busy() ? " busy" : ""); });
        f.window->applyProfile();
        QCOMPARE(during, QStringLiteral("1 1 0 busy"));
        QCOMPARE(pollerFlags(f), before);
        f.probe->linkWatchdog().setPaused(true);
        f.probe->stopRadioPoller();
    }

    void refreshMakesTheDeviceProfileOnce()
    {
        WindowFixture f("DELETE FROM PROFILES WHERE ID=0;");
        BusRecorder bus;
        const QStringList reads = {"AT+CIMI [INTERNAL]", "AT+CGDCONT? [INTERNAL]", "AT$QCPDPP? [INTERNAL]",
                                   "AT!SELRAT? [INTERNAL]", "AT!ENTERCND=\"C962\";!GBAND? [INTERNAL]"};
        for (int run = 0; run < 2; ++run) {
            f.window->refreshProfile();
            QCOMPARE(sentCommands(bus.take()), reads);
            QVERIFY(f.probe->profileRefreshPending());
            f.deliver(ReplyKey, "GBAND", "B_3");
            QVERIFY(!f.probe->profileRefreshPending());
        }
        int made = 0;
        for (const ProfileRecord& profile : qAsConst(f.database->db.profiles))
            made += profile.name == QLatin1String("Device profile");
        QCOMPARE(made, 1);
        const QTreeWidgetItem* selected = f.probe->ui()->treeSettings->selectedItems().value(0);
        QCOMPARE(selected->text(0), QStringLiteral("Device profile"));
        QCOMPARE(selected->parent()->childCount(), 2);
        QVERIFY(selected->data(0, Qt::UserRole).toInt() < 0);
    }

    void refreshNeverLeavesTheProgramBusy_data()
    {
        QTest::addColumn<QString>("end");
        QTest::addColumn<bool>("warned");
        QTest::newRow("band answer") << "GBAND" << false;
        QTest::newRow("error answer") << "ERROR" << true;
        QTest::newRow("link lost") << "lost" << true;
        QTest::newRow("time-out") << "" << true;
    }

    void refreshNeverLeavesTheProgramBusy()
    {
        QFETCH(QString, end);
        QFETCH(bool, warned);
        WindowFixture f("UPDATE PROFILES SET APN_PASSWORD='kept' WHERE ID=0;");
        if (end == "lost") {
            // A link to lose: the first reading's notice is ended at once.
            MainWindowProbe::resetRunState();
            f.deliver(LinkAlive, QString());
            f.deliver(ReplyKey, "ERROR");
            QVERIFY(f.probe->connected());
            QTest::qWait(50);
        }
        BusRecorder bus;
        f.window->refreshProfile();
        QVERIFY(busy());
        if (end == "lost")
            f.deliver(LinkLost, QString());
        else if (!end.isEmpty())
            f.deliver(ReplyKey, end, "B_3");
        QTRY_VERIFY_WITH_TIMEOUT(!busy(), 2000);
        QVERIFY(!f.probe->profileRefreshPending());
        QCOMPARE(bus.take().contains("2|The unit's data profile was not read completely.|"), warned);

        // Later answers still fill the device profile; a read form without a password leaves it.
        f.deliver(ReplyKey, "APN_USER", "web");
        const ProfileRecord* device = f.database->db.findProfile(0);
        QCOMPARE(device->apnUser, QStringLiteral("web"));
        QCOMPARE(device->apnPassword, QStringLiteral("kept"));
        f.probe->startupThread().stop();
    }
};

QTEST_MAIN(tst_WindowSimPage)
#include "tst_windowsimpage.moc"
