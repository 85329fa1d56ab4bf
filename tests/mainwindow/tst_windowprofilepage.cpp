#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {

// Both cards use profile 1, which runs on "LTE only" and has credentials.
const char* const kCardsOnInternet
    = "UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=1;\n"
      "UPDATE PROFILES SET APN_USER='user', APN_PASSWORD='secret', ACTIVE_RAT_ID=5 WHERE ID=1;\n";
const QString kStoredInternet = QStringLiteral("1|Internet|internet|5|user|secret");
const char* const kFields[] = {"editName", "editAPN", "editAPNUser", "editAPNPassword", "editRAT"};

QString profileRow(int id)
{
    return queryRows(QStringLiteral("SELECT ID, NAME, APN, ACTIVE_RAT_ID, APN_USER, APN_PASSWORD FROM PROFILES WHERE ID=%1").arg(id));
}

QLineEdit* edit(WindowFixture& fixture, const QString& name)
{
    auto* found = fixture.probe->ui()->mainFrame->findChild<QLineEdit*>(name);
    if (!found)
        qFatal("no line edit %s", qPrintable(name));
    return found;
}

QComboBox* ratCombo(WindowFixture& fixture)
{
    return fixture.probe->ui()->mainFrame->findChild<QComboBox*>(QStringLiteral("comboRAT"));
}

// "edit" when every sign of edit mode holds, "view" when none does.
QString pageMode(WindowFixture& fixture)
{
    int signs = ratCombo(fixture) != nullptr;
    for (const char* name : kFields)
        signs += !edit(fixture, name)->isReadOnly() + edit(fixture, name)->font().bold();
    for (const char* name : {"pbSaveProfile", "pbCancelProfile"})
        signs += fixture.probe->ui()->mainFrame->findChild<QPushButton*>(QLatin1String(name))->isEnabled();
    return signs == 0 ? QStringLiteral("view") : signs == 13 ? QStringLiteral("edit") : QStringLiteral("%1 of 13 signs").arg(signs);
}

} // namespace

class tst_WindowProfilePage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            prompts.append(call.title + QLatin1Char('|') + call.text);
            return answer;
        });
    }

    void init()
    {
        prompts.clear();
        answer = QMessageBox::Ok;
        MainWindowProbe::resetRunState();
    }

    void cleanupTestCase() { CZKPrompt::setResponder({}); }

    // Each New is a profile of its own, in memory only until saved.
    void newTwice()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Profile, 1));
        fixture.window->newProfile();
        fixture.window->newProfile();
        CZKDataBase& db = fixture.database->db;
        QVERIFY(db.findProfile(-1) && db.findProfile(-2));
        QCOMPARE(db.findProfile(-1)->name + ' ' + db.findProfile(-2)->name, QStringLiteral("New_1 New_2"));
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QVERIFY(findItem(tree, Profile, -1));
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{findItem(tree, Profile, -2)});
        QCOMPARE(fixture.pageText(QStringLiteral("editName")), QStringLiteral("New_2"));
        QCOMPARE(queryRows("SELECT COUNT(*) FROM PROFILES"), QStringLiteral("2"));
    }

    void saveNewProfile()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Profile, 1));
        fixture.window->newProfile();
        fixture.window->editProfile();
        const QStringList typed{"Office", "office.apn", "u", "p"};
        for (int i = 0; i < typed.size(); ++i)
            edit(fixture, kFields[i])->setText(typed.at(i));
        QCOMPARE(ratCombo(fixture)->currentText(), QStringLiteral("Automatic"));
        ratCombo(fixture)->setCurrentIndex(ratCombo(fixture)->findText(QStringLiteral("LTE only")));
        fixture.window->saveProfile();

        QCOMPARE(prompts, QStringList());
        // The unsaved id gives way to the file's.
        QVERIFY(!fixture.database->db.findProfile(-1));
        QCOMPARE(profileRow(2), QStringLiteral("2|Office|office.apn|5|u|p"));
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QVERIFY(!findItem(tree, Profile, -1));
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{findItem(tree, Profile, 2)});
        QCOMPARE(tree->selectedItems().first()->text(0), QStringLiteral("Office"));
        QCOMPARE(pageMode(fixture), QStringLiteral("view"));
        QCOMPARE(fixture.pageText(QStringLiteral("editRAT")), QStringLiteral("LTE only"));
    }

    // A technology text that names no entry leaves the combo box empty: the stored one stays.
    void emptyRatChoiceKeepsStoredRat()
    {
        WindowFixture fixture{QString::fromLatin1(kCardsOnInternet)};
        QVERIFY(fixture.select(Profile, 1));
        edit(fixture, "editRAT")->setText(QStringLiteral("no such technology"));
        fixture.window->editProfile();
        QCOMPARE(ratCombo(fixture)->currentIndex(), -1);
        edit(fixture, "editAPN")->setText(QStringLiteral("changed"));
        fixture.window->saveProfile();
        QCOMPARE(profileRow(1), QStringLiteral("1|Internet|changed|5|user|secret"));
        QCOMPARE(fixture.pageText(QStringLiteral("editRAT")), QStringLiteral("LTE only"));
    }

    // What the unit's commands cannot carry, and a write the file refuses, leave the record as it
    // was and the operator still editing what was typed.
    void refusedSave_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("refusedWrite");   // the statement a trigger refuses
        QTest::addColumn<QString>("prompt");
        QTest::newRow("quote in APN") << "editAPN" << "a\"b" << "" << "Save profile|APN holds";
        QTest::newRow("CR in user") << "editAPNUser" << "a\rb" << "" << "Save profile|APN user holds";
        QTest::newRow("LF in password") << "editAPNPassword" << "a\nb" << "" << "Save profile|APN password holds";
        QTest::newRow("Ctrl-Z in APN") << "editAPN" << QStringLiteral("a\x1a" "b") << "" << "Save profile|APN holds";
        QTest::newRow("update refused") << "editName" << "Typed" << "UPDATE"
                                        << "Save profile|The profile 'Internet' could not be saved";
        QTest::newRow("insert refused") << "editName" << "Typed" << "INSERT"
                                        << "Save profile|The profile 'New_1' could not be saved";
    }

    void refusedSave()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, refusedWrite);
        QFETCH(QString, prompt);
        WindowFixture fixture{QString::fromLatin1(kCardsOnInternet)};
        QVERIFY(fixture.select(Profile, 1));
        const bool newOne = refusedWrite == "INSERT";
        if (newOne)
            fixture.window->newProfile();
        if (!refusedWrite.isEmpty())
            execOnConnection(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON PROFILES BEGIN SELECT RAISE(ABORT, "
                                            "'refused'); END;").arg(refusedWrite));
        fixture.window->editProfile();
        edit(fixture, "editName")->setText(QStringLiteral("Renamed"));
        edit(fixture, field)->setText(typed);
        ratCombo(fixture)->setCurrentIndex(1);
        fixture.window->saveProfile();

        QCOMPARE(prompts.size(), 1);
        QVERIFY2(prompts.first().startsWith(prompt), qPrintable(prompts.first()));
        QCOMPARE(pageMode(fixture), QStringLiteral("edit"));
        QCOMPARE(edit(fixture, field)->text(), typed);
        QCOMPARE(ratCombo(fixture)->currentIndex(), 1);
        const ProfileRecord* record = fixture.database->db.findProfile(newOne ? -1 : 1);
        QVERIFY(record);
        QCOMPARE(record->name, newOne ? QStringLiteral("New_1") : QStringLiteral("Internet"));
        QCOMPARE(record->activeRatId, newOne ? 0 : 5);
        QCOMPARE(queryRows("SELECT COUNT(*) FROM PROFILES"), QStringLiteral("2"));
        QCOMPARE(profileRow(1), kStoredInternet);
    }

    void deleteProfile_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<bool>("removed");
        QTest::newRow("yes") << int(QMessageBox::Yes) << false << true;
        QTest::newRow("no") << int(QMessageBox::No) << false << false;
        QTest::newRow("failed delete") << int(QMessageBox::Yes) << true << false;
    }

    // Both cards use the profile: a removal leaves them without one, in memory and in the file.
    void deleteProfile()
    {
        QFETCH(int, answer);
        QFETCH(bool, writeFails);
        QFETCH(bool, removed);
        WindowFixture fixture{QString::fromLatin1(kCardsOnInternet)};
        if (writeFails)
            execOnConnection("CREATE TRIGGER refuse BEFORE DELETE ON PROFILES BEGIN SELECT RAISE(ABORT, 'refused'); END;");
        QVERIFY(fixture.select(Profile, 1));
        this->answer = QMessageBox::StandardButton(answer);
        fixture.window->deleteProfile();

        QCOMPARE(prompts.value(0), QStringLiteral("Question|Remove profile: 'Internet' ?"));
        QCOMPARE(prompts.size(), writeFails ? 2 : 1);
        CZKDataBase& db = fixture.database->db;
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QCOMPARE(!db.findProfile(1), removed);
        QCOMPARE(!findItem(tree, Profile, 1), removed);
        QCOMPARE(profileRow(1).isEmpty(), removed);
        for (const SimCardRecord& card : db.simCards)
            QCOMPARE(card.activeProfileId, removed ? -1 : 1);
        QCOMPARE(queryRows("SELECT ID, ACTIVE_PROFILE_ID FROM SIMCARDS ORDER BY ID"),
                 removed ? QStringLiteral("0|;1|") : QStringLiteral("0|1;1|1"));
        // The page shown is the one of the item now selected, not the removed profile's.
        QCOMPARE(tree->selectedItems().size(), 1);
        QCOMPARE(fixture.pageText(QStringLiteral("editName")), tree->selectedItems().first()->text(0));
    }

    // A card without a profile (a negative id) is not the unsaved profile of that id.
    void deleteUnsavedProfileLeavesCardsAlone()
    {
        WindowFixture fixture{"UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=-2 WHERE ID=1;"};
        QVERIFY(fixture.select(Profile, 1));
        fixture.window->newProfile();
        fixture.window->newProfile();
        answer = QMessageBox::Yes;
        fixture.window->deleteProfile();
        QVERIFY(!fixture.database->db.findProfile(-2));
        QCOMPARE(fixture.database->db.findSimCard(1)->activeProfileId, -2);
        QCOMPARE(queryRows("SELECT ACTIVE_PROFILE_ID FROM SIMCARDS WHERE ID=1"), QStringLiteral("-2"));
    }

    void cancel()
    {
        WindowFixture fixture{QString::fromLatin1(kCardsOnInternet)};
        QVERIFY(fixture.select(Profile, 1));
        fixture.window->editProfile();
        for (int i = 0; i < 4; ++i)
            edit(fixture, kFields[i])->setText(QStringLiteral("typed"));
        ratCombo(fixture)->setCurrentIndex(1);
        fixture.window->cancelProfile();

        QCOMPARE(pageMode(fixture), QStringLiteral("view"));
        QStringList shown;
        for (const char* name : kFields)
            shown << fixture.pageText(name);
        QCOMPARE(shown.join('|'), QStringLiteral("Internet|internet|user|secret|LTE only"));
        QCOMPARE(profileRow(1), kStoredInternet);
        QCOMPARE(prompts, QStringList());
    }

private:
    QStringList prompts;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

QTEST_MAIN(tst_WindowProfilePage)
#include "tst_windowprofilepage.moc"
