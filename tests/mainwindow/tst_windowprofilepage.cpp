#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "app/CZKPrompt.h"
#include "bus/CZKMessageProxy.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
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
const char* const kStoredInternet = "1|Internet|internet|5|user|secret";
const char* const kProfileRow = "SELECT ID, NAME, APN, ACTIVE_RAT_ID, APN_USER, APN_PASSWORD FROM PROFILES WHERE ID=%1";

QTreeWidgetItem* findItem(QTreeWidget* tree, int kind, int id)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(1, Qt::UserRole).toInt() == kind && (*it)->data(0, Qt::UserRole).toInt() == id)
            return *it;
    }
    return nullptr;
}

QString profileRow(int id)
{
    return queryRows(QString::fromLatin1(kProfileRow).arg(id));
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

    void newTwice()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Profile, 1));
        fixture.window->newProfile();
        fixture.window->newProfile();
        CZKDataBase& db = fixture.database->db;
        QVERIFY(db.findProfile(-1) && db.findProfile(-2));
        QCOMPARE(db.findProfile(-1)->name, QStringLiteral("New_1"));
        QCOMPARE(db.findProfile(-2)->name, QStringLiteral("New_2"));
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QVERIFY(findItem(tree, Profile, -1));
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{findItem(tree, Profile, -2)});
        QCOMPARE(fixture.pageText(QStringLiteral("editName")), QStringLiteral("New_2"));
        // Only a save writes them.
        QCOMPARE(queryRows("SELECT COUNT(*) FROM PROFILES"), QStringLiteral("2"));
    }

    void saveNewProfile()
    {
        WindowFixture fixture;
        QVERIFY(fixture.select(Profile, 1));
        fixture.window->newProfile();
        fixture.window->editProfile();
        edit(fixture, "editName")->setText(QStringLiteral("Office"));
        edit(fixture, "editAPN")->setText(QStringLiteral("office.apn"));
        edit(fixture, "editAPNUser")->setText(QStringLiteral("u"));
        edit(fixture, "editAPNPassword")->setText(QStringLiteral("p"));
        QComboBox* combo = ratCombo(fixture);
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QStringLiteral("Automatic"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("LTE only")));
        fixture.window->saveProfile();

        QVERIFY(prompts.isEmpty());
        CZKDataBase& db = fixture.database->db;
        QVERIFY(!db.findProfile(-1));
        QVERIFY(db.findProfile(2));
        QCOMPARE(db.findProfile(2)->name, QStringLiteral("Office"));
        QCOMPARE(profileRow(2), QStringLiteral("2|Office|office.apn|5|u|p"));
        QTreeWidget* tree = fixture.probe->ui()->treeSettings;
        QVERIFY(!findItem(tree, Profile, -1));
        QCOMPARE(tree->selectedItems(), QList<QTreeWidgetItem*>{findItem(tree, Profile, 2)});
        QCOMPARE(tree->selectedItems().first()->text(0), QStringLiteral("Office"));
        expectViewMode(fixture);
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

    void forbiddenCharacters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("character");
        const struct {
            const char* field;
            const char* label;
        } fields[] = {{"editAPN", "APN"}, {"editAPNUser", "APN user"}, {"editAPNPassword", "APN password"}};
        const struct {
            const char* kind;
            QChar character;
        } characters[] = {{"quote", QLatin1Char('"')}, {"CR", QLatin1Char('\r')}, {"LF", QLatin1Char('\n')},
                          {"Ctrl-Z", QChar(26)}};
        for (const auto& f : fields) {
            for (const auto& c : characters) {
                QTest::addRow("%s %s", f.field, c.kind)
                    << QString::fromLatin1(f.field) << QString::fromLatin1(f.label) << QString(c.character);
            }
        }
    }

    void forbiddenCharacters()
    {
        QFETCH(QString, field);
        QFETCH(QString, label);
        QFETCH(QString, character);
        WindowFixture fixture{QString::fromLatin1(kCardsOnInternet)};
        QVERIFY(fixture.select(Profile, 1));
        fixture.window->editProfile();
        edit(fixture, "editName")->setText(QStringLiteral("Renamed"));
        const QString typed = QStringLiteral("a") + character + QStringLiteral("b");
        edit(fixture, field)->setText(typed);
        fixture.window->saveProfile();

        QCOMPARE(prompts.size(), 1);
        QVERIFY2(prompts.first().startsWith(QStringLiteral("Save profile|") + label + QStringLiteral(" holds")),
                 qPrintable(prompts.first()));
        expectEditMode(fixture);
        QCOMPARE(edit(fixture, field)->text(), typed);
        QCOMPARE(profileRow(1), QString::fromLatin1(kStoredInternet));
        QCOMPARE(fixture.database->db.findProfile(1)->name, QStringLiteral("Internet"));
    }

    void failedWrite_data()
    {
        QTest::addColumn<bool>("newOne");
        QTest::newRow("update") << false;
        QTest::newRow("insert") << true;
    }

    void failedWrite()
    {
        QFETCH(bool, newOne);
        WindowFixture fixture{QString::fromLatin1(kCardsOnInternet)};
        QVERIFY(fixture.select(Profile, 1));
        if (newOne)
            fixture.window->newProfile();
        const int id = newOne ? -1 : 1;
        execOnConnection(QStringLiteral("CREATE TRIGGER refuse BEFORE %1 ON PROFILES BEGIN SELECT RAISE(ABORT, "
                                        "'refused'); END;")
                             .arg(newOne ? "INSERT" : "UPDATE"));
        const ProfileRecord before = *fixture.database->db.findProfile(id);
        fixture.window->editProfile();
        edit(fixture, "editName")->setText(QStringLiteral("Typed"));
        ratCombo(fixture)->setCurrentIndex(1);
        fixture.window->saveProfile();

        QCOMPARE(prompts.size(), 1);
        QVERIFY2(prompts.first().startsWith(QStringLiteral("Save profile|The profile '%1' could not be saved")
                                                .arg(before.name)),
                 qPrintable(prompts.first()));
        expectEditMode(fixture);
        QCOMPARE(edit(fixture, "editName")->text(), QStringLiteral("Typed"));
        QCOMPARE(ratCombo(fixture)->currentIndex(), 1);
        const ProfileRecord* after = fixture.database->db.findProfile(id);
        QVERIFY(after);
        QCOMPARE(after->name, before.name);
        QCOMPARE(after->activeRatId, before.activeRatId);
        QCOMPARE(queryRows("SELECT COUNT(*) FROM PROFILES"), QStringLiteral("2"));
        QCOMPARE(profileRow(1), QString::fromLatin1(kStoredInternet));
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

        QVERIFY(!prompts.isEmpty());
        QCOMPARE(prompts.first(), QStringLiteral("Question|Remove profile: 'Internet' ?"));
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
        for (const char* name : {"editName", "editAPN", "editAPNUser", "editAPNPassword"})
            edit(fixture, name)->setText(QStringLiteral("typed"));
        ratCombo(fixture)->setCurrentIndex(1);
        fixture.window->cancelProfile();

        expectViewMode(fixture);
        QCOMPARE(fixture.pageText(QStringLiteral("editName")), QStringLiteral("Internet"));
        QCOMPARE(fixture.pageText(QStringLiteral("editAPN")), QStringLiteral("internet"));
        QCOMPARE(fixture.pageText(QStringLiteral("editAPNUser")), QStringLiteral("user"));
        QCOMPARE(fixture.pageText(QStringLiteral("editAPNPassword")), QStringLiteral("secret"));
        QCOMPARE(fixture.pageText(QStringLiteral("editRAT")), QStringLiteral("LTE only"));
        QCOMPARE(profileRow(1), QString::fromLatin1(kStoredInternet));
        QVERIFY(prompts.isEmpty());
    }

private:
    static QLineEdit* edit(WindowFixture& fixture, const QString& name)
    {
        auto* found = fixture.probe->ui()->mainFrame->findChild<QLineEdit*>(name);
        if (!found)
            qFatal("no line edit %s", qPrintable(name));
        return found;
    }

    static QComboBox* ratCombo(WindowFixture& fixture)
    {
        return fixture.probe->ui()->mainFrame->findChild<QComboBox*>(QStringLiteral("comboRAT"));
    }

    static bool button(WindowFixture& fixture, const char* name)
    {
        return fixture.probe->ui()->mainFrame->findChild<QPushButton*>(QLatin1String(name))->isEnabled();
    }

    static void expectMode(WindowFixture& fixture, bool editing)
    {
        QCOMPARE(ratCombo(fixture) != nullptr, editing);
        for (const char* name : {"editName", "editAPN", "editAPNUser", "editAPNPassword", "editRAT"}) {
            QCOMPARE(edit(fixture, name)->isReadOnly(), !editing);
            QCOMPARE(edit(fixture, name)->font().bold(), editing);
        }
        QCOMPARE(button(fixture, "pbSaveProfile"), editing);
        QCOMPARE(button(fixture, "pbCancelProfile"), editing);
    }

    static void expectEditMode(WindowFixture& fixture) { expectMode(fixture, true); }
    static void expectViewMode(WindowFixture& fixture) { expectMode(fixture, false); }

    QStringList prompts;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
};

QTEST_MAIN(tst_WindowProfilePage)
#include "tst_windowprofilepage.moc"
