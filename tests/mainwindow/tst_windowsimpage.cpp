#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {

// "watchdog radio sms" as 1 and 0.
QString pollerFlags(WindowFixture& f)
{
    CZKRadioPoolingThread* radio = f.probe->radioPoller();
    return QStringLiteral("%1 %2 %3")
        .arg(int(f.probe->linkWatchdog().isPaused()))
        .arg(radio ? int(radio->isPaused()) : -1)
        .arg(int(f.probe->smsPollingEnabled()));
}

// Card 0 active with profile 1, card 1 spare with profile 2.
QString profileRows(const QString& apn = "web.apn", const QString& user = "", const QString& password = "", int rat = 0)
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

QStringList transfer(const QString& qcpdpp, const QString& rat)
{
    QStringList sent{"AT#RUN=0", "AT!SCACT=0,1", "AT+CGDCONT=1,\"IP\",\"web.apn\"", qcpdpp, "AT!BAND=00", "AT!SELRAT=00"};
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

    // "edit" when both combo boxes stand, the name is editable and Save and Cancel work; "view"
    // when none of that holds.
    QString mode(WindowFixture& f)
    {
        const int signs = (combo(f, "comboSIMSlot") != nullptr) + (combo(f, "comboProfile") != nullptr)
                          + !edit(f, "editName")->isReadOnly()
                          + page(f)->findChild<QPushButton*>("pbSaveSIMCard")->isEnabled()
                          + page(f)->findChild<QPushButton*>("pbCancelSIMCard")->isEnabled();
        return signs == 0 ? QStringLiteral("view") : signs == 5 ? QStringLiteral("edit") : QStringLiteral("%1 of 5 signs").arg(signs);
    }

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
        WindowFixture f(profileRows());
        // A profile only in memory (negative id) is no choice for a card.
        f.database->db.newProfile();
        QVERIFY(f.select(SimCard, 0));
        f.window->editSIMCard();
        f.window->editSIMCard();
        QCOMPARE(page(f)->findChildren<QComboBox*>().size(), 2);
        QCOMPARE(mode(f), QStringLiteral("edit"));
        QCOMPARE(combo(f, "comboSIMSlot")->currentText(), QStringLiteral("Slot 1"));
        QComboBox* profile = combo(f, "comboProfile");
        QCOMPARE(profile->currentText(), QStringLiteral("Web"));
        QStringList offered;
        for (int i = 0; i < profile->count(); ++i)
            offered << profile->itemText(i);
        QCOMPARE(offered, (QStringList{"Device profile", "Web", "Other"}));
    }

    // An accepted save stores the slot and profile chosen and ends edit mode; a refused save and
    // Cancel change nothing, the first leaving the operator editing what was typed.
    void finishEdit_data()
    {
        QTest::addColumn<int>("card");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("slotIndex");      // -1: no current item
        QTest::addColumn<int>("profileIndex");
        QTest::addColumn<QString>("finish");     // save, cancel, or save once the chosen profile is dropped or the write refused
        QTest::addColumn<QString>("row");        // NAME|SIMSLOT|ACTIVE_PROFILE_ID afterwards
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("profileShown");
        QTest::newRow("slot and profile") << 0 << "Work" << 1 << 0 << "save" << "Work|1|0" << "" << "Device profile";
        QTest::newRow("nothing chosen keeps both") << 0 << "Work" << -1 << -1 << "save" << "Work|0|1" << "" << "Web";
        QTest::newRow("profile dropped meanwhile") << 0 << "Work" << 0 << 2 << "drop" << "Work|0|" << "" << "";
        QTest::newRow("empty name") << 0 << "" << 1 << 0 << "save" << "SIM 1|0|1" << "Save SIMCard|SIMCard name is empty." << "";
        QTest::newRow("failed write") << 0 << "Work" << 1 << 0 << "refuse" << "SIM 1|0|1"
                                      << "Save SIMCard|The SIM card could not be saved." << "";
        QTest::newRow("cancel with a profile") << 0 << "Typed" << 1 << 0 << "cancel" << "SIM 1|0|1" << "" << "Web";
        QTest::newRow("cancel without a profile") << 1 << "Typed" << 0 << 0 << "cancel" << "SIM 2|1|" << "" << "";
    }

    void finishEdit()
    {
        QFETCH(int, card);
        QFETCH(QString, name);
        QFETCH(int, slotIndex);
        QFETCH(QString, finish);
        QFETCH(QString, row);
        QFETCH(QString, box);
        WindowFixture f(profileRows() + "UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=NULL WHERE ID=1;");
        if (finish == "refuse")
            execOnConnection("CREATE TRIGGER refuse BEFORE UPDATE ON SIMCARDS BEGIN SELECT RAISE(ABORT, 'refused'); END;");
        QVERIFY(f.select(SimCard, card));
        f.window->editSIMCard();
        edit(f, "editName")->setText(name);
        combo(f, "comboSIMSlot")->setCurrentIndex(slotIndex);
        QFETCH(int, profileIndex);
        combo(f, "comboProfile")->setCurrentIndex(profileIndex);
        if (finish == "drop")
            f.database->db.profiles.removeLast();
        BusRecorder bus;
        if (finish == "cancel")
            f.window->cancelSIMCard();
        else
            f.window->saveSIMCard();

        QCOMPARE(queryRows(QStringLiteral("SELECT NAME, SIMSLOT, ACTIVE_PROFILE_ID FROM SIMCARDS WHERE ID=%1").arg(card)), row);
        const SimCardRecord* record = f.database->db.findSimCard(card);
        QCOMPARE(QStringLiteral("%1|%2|%3").arg(record->name).arg(record->simSlot).arg(record->activeProfileId),
                 row.endsWith('|') ? row + "-1" : row);
        QCOMPARE(bus.take().contains("1|saveSIMCard()|Internal ERROR 5 Profile is empty"), finish == "drop");
        QCOMPARE(prompts, box.isEmpty() ? QStringList() : QStringList{box});
        if (box.isEmpty()) {
            QCOMPARE(mode(f), QStringLiteral("view"));
            QTEST(f.pageText("editProfile"), "profileShown");
            const QString stored = row.section('|', 0, 0);
            QCOMPARE(f.pageText("editName"), stored);
            QCOMPARE(f.probe->ui()->treeSettings->selectedItems().value(0)->text(0), card ? stored : stored + "(Active)");
        } else {
            QCOMPARE(mode(f), QStringLiteral("edit"));
            QCOMPARE(combo(f, "comboSIMSlot")->currentIndex(), slotIndex);
            QCOMPARE(f.pageText("editName"), name);
        }
    }

    // A card without a profile is stored as NULL and read as -1, the id the first unsaved
    // profile gets: they must never meet.
    void negativeIdsNeverMatchUnsavedProfiles()
    {
        WindowFixture f(profileRows() + "UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=NULL WHERE ID=0;");
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
        QTest::newRow("another active") << "" << "false;true";
        QTest::newRow("none active") << "UPDATE SIMCARDS SET ACTIVE='false';" << "false;true";
        // The card that was active is switched off first, and back on when the new one's write fails.
        QTest::newRow("new card's write fails")
            << "CREATE TRIGGER refuse BEFORE UPDATE ON SIMCARDS WHEN NEW.ID=1 BEGIN SELECT RAISE(ABORT, 'x'); END;"
            << "true;false";
    }

    void setAsActiveChangesBothOrNeither()
    {
        QFETCH(QString, sql);
        QFETCH(QString, rows);
        WindowFixture f;
        QVERIFY(f.select(SimCard, 1));
        if (!sql.isEmpty())
            execOnConnection(sql);
        if (sql.startsWith("UPDATE"))
            f.database->db.findSimCard(0)->active = false;
        f.window->setAsActive();
        QCOMPARE(queryRows("SELECT ACTIVE FROM SIMCARDS ORDER BY ID"), rows);
        const CZKDataBase& db = f.database->db;
        QCOMPARE(QStringLiteral("%1;%2").arg(db.simCards.at(0).active ? "true" : "false",
                                             db.simCards.at(1).active ? "true" : "false"), rows);
        const bool refused = sql.startsWith("CREATE");
        QCOMPARE(prompts.size(), int(refused));
        if (!refused)
            QCOMPARE(f.probe->ui()->treeSettings->selectedItems().value(0)->text(0), QStringLiteral("SIM 2(Active)"));
    }

    // Whatever the outcome, the pollers end as they were and the program is not left busy.
    void applyProfile_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("how");   // cancel, an edit of card 0 or 1 to save first, or nothing
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("sent");
        const QStringList asked{"Question|Send profile 'Web' to device ?"}, none;
        const QStringList saveFirst = asked + QStringList{"Question|Save changes ?"};
        const QString forbidden = "Warning|The %1 of profile 'Web' holds a character that cannot be sent to the unit "
                                  "(\", CR, LF or Ctrl-Z).";
        // The password goes before the user.
        QTest::newRow("user and password") << profileRows("web.apn", "web", "s3cret", 5) << "" << asked
                                           << transfer("AT$QCPDPP=1,1,\"s3cret\",\"web\"", "AT!SELRAT=06");
        QTest::newRow("neither") << profileRows() << "" << asked << transfer("AT$QCPDPP=1,0", "AT!SELRAT=00");
        QTest::newRow("password only") << profileRows("web.apn", "", "pw", 6) << "" << asked
                                       << transfer("AT$QCPDPP=1,1,\"pw\",\"\"", "AT!BAND=06");
        QTest::newRow("RAT without set command") << profileRows("web.apn", "", "", 42) << "" << asked
                                                 << transfer("AT$QCPDPP=1,0", "");
        // The active card's profile goes out even while another card is selected and being edited.
        QTest::newRow("selected card not active") << profileRows() << "edit-card-1" << saveFirst
                                                  << transfer("AT$QCPDPP=1,0", "AT!SELRAT=00");
        QTest::newRow("cancelled") << profileRows() << "cancel" << asked << none;
        QTest::newRow("quote in APN") << profileRows("web\"apn") << "" << QStringList{forbidden.arg("APN")} << none;
        QTest::newRow("CR in user") << profileRows("web.apn", "a'||char(13)||'b") << ""
                                    << QStringList{forbidden.arg("APN user")} << none;
        QTest::newRow("LF in password") << profileRows("web.apn", "", "a'||char(10)||'b") << ""
                                        << QStringList{forbidden.arg("APN password")} << none;
        QTest::newRow("Ctrl-Z in APN") << profileRows("web'||char(26)||'apn") << "" << QStringList{forbidden.arg("APN")}
                                       << none;
        QTest::newRow("no profile") << "" << "" << QStringList{"Warning|Profile is no set, set current profile."} << none;
        QTest::newRow("no active card") << "UPDATE SIMCARDS SET ACTIVE='false';" << "" << none << none;
        QTest::newRow("save refused") << profileRows() << "edit-refused"
                                      << (saveFirst + QStringList{"Save SIMCard|SIMCard name is empty."}) << none;
        QTest::newRow("save gave another profile") << profileRows() << "edit-other-profile" << saveFirst << none;
    }

    void applyProfile()
    {
        QFETCH(QString, sql);
        QFETCH(QString, how);
        QFETCH(QStringList, sent);
        WindowFixture f(sql);
        // The pollers paused and the SMS poll on: restoring after a transfer must neither restart
        // the one nor leave the other off.
        if (!sent.isEmpty()) {
            f.probe->startRadioPoller();
            f.probe->radioPoller()->setPaused(true);
        }
        f.probe->smsPollingEnabled() = true;
        const QString flagsBefore = pollerFlags(f);
        QString during;
        QTimer look;
        look.setSingleShot(true);
        QObject::connect(&look, &QTimer::timeout, [&] { during = pollerFlags(f) + (busy() ? " busy" : ""); });
        look.start(30);
        QVERIFY(f.select(SimCard, how == "edit-card-1" ? 1 : 0));
        if (how.startsWith("edit")) {
            f.window->editSIMCard();
            if (how == "edit-refused")
                edit(f, "editName")->clear();
            else
                combo(f, "comboProfile")->setCurrentIndex(how == "edit-card-1" ? 0 : 2);
        }
        if (how == "cancel")
            answers << QMessageBox::Cancel;
        BusRecorder bus;
        f.window->applyProfile();
        QTEST(prompts, "boxes");
        QCOMPARE(sentCommands(bus.take()), sent);
        if (how == "edit-card-1")
            QCOMPARE(queryRows("SELECT ACTIVE_PROFILE_ID FROM SIMCARDS ORDER BY ID"), QStringLiteral("1;0"));
        // While the profile goes out, nothing else talks to the unit.
        if (!sent.isEmpty())
            QCOMPARE(during, QStringLiteral("1 1 0 busy"));
        QCOMPARE(pollerFlags(f), flagsBefore);
        QVERIFY(!busy());
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
        QTEST(bus.take().contains("2|The unit's data profile was not read completely.|"), "warned");

        // Later answers still fill the device profile; a read form without a password leaves it.
        f.deliver(ReplyKey, "APN_USER", "web");
        QCOMPARE(f.database->db.findProfile(0)->apnUser, QStringLiteral("web"));
        QCOMPARE(f.database->db.findProfile(0)->apnPassword, QStringLiteral("kept"));
        f.probe->startupThread().stop();
    }
};

QTEST_MAIN(tst_WindowSimPage)
#include "tst_windowsimpage.moc"
