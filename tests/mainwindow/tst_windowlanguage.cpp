#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"

#include "ui_CZKMainWindow.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QTranslator>
#include <QTreeWidget>

namespace {

// A language in which every text of every context reads as the English one behind a mark, so
// that a text left in the old language shows.
class MarkingTranslator : public QTranslator {
public:
    explicit MarkingTranslator(const QString& mark) : mark(mark) {}
    bool isEmpty() const override { return false; }
    QString translate(const char*, const char* source, const char* = nullptr, int = -1) const override
    {
        return source && *source ? mark + QString::fromUtf8(source) : QString();
    }

private:
    QString mark;
};

template <class Widget>
Widget* pageChild(WindowFixture& f, const QString& name)
{
    return f.probe->ui()->mainFrame->findChild<Widget*>(name);
}

QVariant comboData(WindowFixture& f, const char* name)
{
    const QComboBox* combo = pageChild<QComboBox>(f, QLatin1String(name));
    return combo ? combo->currentData() : QVariant(QStringLiteral("<no combo>"));
}

void choose(WindowFixture& f, const char* name, int data)
{
    QComboBox* combo = pageChild<QComboBox>(f, QLatin1String(name));
    QVERIFY(combo);
    combo->setCurrentIndex(combo->findData(data));
    QVERIFY(combo->currentIndex() >= 0);
}

// "edit" when the named fields are editable and bold and Save and Cancel enabled, "view" when
// none of that holds.
QString mode(WindowFixture& f, const QStringList& fields, const QStringList& buttons)
{
    int signs = 0;
    for (const QString& name : fields) {
        const QLineEdit* edit = pageChild<QLineEdit>(f, name);
        signs += edit && !edit->isReadOnly() && edit->font().bold();
    }
    for (const QString& name : buttons)
        signs += pageChild<QPushButton>(f, name)->isEnabled();
    const int all = fields.size() + buttons.size();
    if (signs == 0 || signs == all)
        return signs ? QStringLiteral("edit") : QStringLiteral("view");
    return QStringLiteral("%1 of %2").arg(signs).arg(all);
}

// What a tree item stands for, as "kind:id".
QString tag(const QTreeWidgetItem* item)
{
    return QStringLiteral("%1:%2").arg(item->data(1, Qt::UserRole).toInt()).arg(item->data(0, Qt::UserRole).toInt());
}

QStringList selection(const QTreeWidget* tree)
{
    QStringList items;
    for (const QTreeWidgetItem* item : tree->selectedItems())
        items << tag(item);
    return items;
}

// The enabled states of the SIM card page's PIN and profile buttons that the page has.
QList<bool> pinButtonStates(WindowFixture& f)
{
    QList<bool> states;
    for (const char* name :
         {"pbEnterPIN", "pbUnlockPIN", "pbPINEnableDisable", "pbPINChange", "pbApplyProfile", "pbRefreshProfile"}) {
        if (const auto* button = pageChild<QPushButton>(f, QLatin1String(name)))
            states << button->isEnabled();
    }
    return states;
}

QStringList texts(const QTreeWidget* tree)
{
    QStringList all;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it)
        all << (*it)->text(0);
    return all;
}

} // namespace

// The main window in a new language: texts, the page on show with the operator's work, the
// trees, tool bars and table headers.
class tst_WindowLanguage : public QObject {
    Q_OBJECT

    std::unique_ptr<MarkingTranslator> language;
    QStringList prompts;

    // As Qt delivers a new translation's language change to the window.
    void switchTo(const QString& mark)
    {
        if (language)
            QCoreApplication::removeTranslator(language.get());
        language = std::make_unique<MarkingTranslator>(mark);
        QCoreApplication::installTranslator(language.get());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    }

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            prompts << call.title + QLatin1Char('|') + call.text;
            return QMessageBox::Ok;
        });
    }

    void init()
    {
        prompts.clear();
        MainWindowProbe::resetRunState();
    }

    void cleanup()
    {
        if (language)
            QCoreApplication::removeTranslator(language.get());
        language.reset();
    }

    // The unit page in edit mode comes back in the new language as the operator left it, with
    // its validators: a malformed address can be neither typed nor saved, a good one saves with
    // the configuration chosen before the switch.
    void unitPageInEditMode()
    {
        WindowFixture f;
        QVERIFY(f.select(Device, 0));
        f.window->editConfig();
        const QStringList fields{"editMACAddr", "editNetConf", "editLocalNetAddr", "editUDPPort"};
        const QStringList buttons{"pbSaveConfig", "pbCancelConfig"};
        pageChild<QLineEdit>(f, "editMACAddr")->setText("02:00:00:00:00:0A");
        pageChild<QLineEdit>(f, "editUDPPort")->setText("40001");
        choose(f, "comboNetConf", 1);   // Bridge; NAT (3) is stored
        pageChild<QTabWidget>(f, "tabWidget")->setCurrentIndex(1);
        const QWidget* before = f.probe->pageForm();

        switchTo("PL:");
        switchTo("DE:");

        QVERIFY(f.probe->pageForm() != before);
        QCOMPARE(pageChild<QLabel>(f, "labelMACAddr")->text().left(3), QStringLiteral("DE:"));
        auto* tabs = pageChild<QTabWidget>(f, "tabWidget");
        QVERIFY2(tabs->tabText(0).startsWith("DE:") && tabs->tabText(0).endsWith("e *")
                     && tabs->tabText(0).count('*') == 1,
                 qPrintable(tabs->tabText(0)));
        QCOMPARE(tabs->currentIndex(), 1);   // the operator's tab, not the one editing opens
        QCOMPARE(mode(f, fields, buttons), QStringLiteral("edit"));
        QCOMPARE(f.pageText("editMACAddr"), QStringLiteral("02:00:00:00:00:0A"));
        QCOMPARE(f.pageText("editUDPPort"), QStringLiteral("40001"));
        QCOMPARE(f.probe->pageForm()->findChildren<QComboBox*>().size(), 1);
        QCOMPARE(comboData(f, "comboNetConf"), QVariant(1));

        const struct {
            const char* edit;
            const char* keys;
            const char* kept;
        } typing[] = {
            {"editMACAddr", "zz", ""}, {"editLocalNetAddr", "1x0.a", "10."}, {"editUDPPort", "655360", "65536"}};
        for (const auto& field : typing) {
            auto* edit = pageChild<QLineEdit>(f, field.edit);
            QVERIFY(edit->validator());
            QCOMPARE(edit->validator()->parent(), edit);
            edit->clear();
            QTest::keyClicks(edit, QLatin1String(field.keys));
            QCOMPARE(edit->text(), QLatin1String(field.kept));
        }

        pageChild<QLineEdit>(f, "editMACAddr")->setText("02:00:00:00:00:0G");
        pageChild<QLineEdit>(f, "editLocalNetAddr")->setText("172.31.254.9");
        pageChild<QLineEdit>(f, "editUDPPort")->setText("40001");
        f.window->saveConfig();
        QCOMPARE(prompts.size(), 1);
        pageChild<QLineEdit>(f, "editMACAddr")->setText("02:00:00:00:00:0A");
        f.window->saveConfig();
        QCOMPARE(prompts.size(), 1);
        QCOMPARE(queryRows("SELECT ETHERNET_ADDR, NET_CONF, LOCAL_NETWORK_ADDR, UDP_PORT FROM ZKMAIN WHERE ID=0"),
                 QStringLiteral("02:00:00:00:00:0A|1|172.31.254.9|40001"));
        QCOMPARE(mode(f, fields, buttons), QStringLiteral("view"));
    }

    void otherPages_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("combos");       // name=data chosen before the switch
        QTest::addColumn<QString>("simOperator");  // editSIMOperator's text, "-" hidden
        QTest::newRow("SIM card") << int(SimCard) << 0 << true << "comboSIMSlot=1,comboProfile=0" << "-";
        QTest::newRow("SIM card, view") << int(SimCard) << 1 << false << "" << "-";
        QTest::newRow("profile") << int(Profile) << 1 << true << "comboRAT=5" << "-";
        QTest::newRow("device profile") << int(Profile) << 0 << true << "comboRAT=7" << "Cosmote(20201)";
        QTest::newRow("device profile, view") << int(Profile) << 0 << false << "" << "Cosmote(20201)";
    }

    // The SIM and profile pages keep the typed name, edit mode and the choices made; the device
    // profile keeps its name, stored as a key, and shows its SIM operator.
    void otherPages()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(bool, edit);
        QFETCH(QString, combos);
        QFETCH(QString, simOperator);
        WindowFixture f("UPDATE SIMCARDS SET ACTIVE_PROFILE_ID=1 WHERE ID=0;");
        f.deliver(ReplyKey, "IMSI", "202010000000001");
        f.deliver(ReplyKey, "GBAND", "B_3");
        QVERIFY(f.select(kind, id));
        const bool sim = kind == SimCard;
        const QStringList fields = sim
            ? QStringList{"editName", "editSIMSlot", "editProfile"}
            : QStringList{"editName", "editAPN", "editAPNUser", "editAPNPassword", "editRAT"};
        const QStringList buttons = sim ? QStringList{"pbSaveSIMCard", "pbCancelSIMCard"}
                                        : QStringList{"pbSaveProfile", "pbCancelProfile"};
        if (edit) {
            sim ? f.window->editSIMCard() : f.window->editProfile();
            pageChild<QLineEdit>(f, "editName")->setText("Typed");
            for (const QString& choice : combos.split(',')) {
                const QStringList pair = choice.split('=');
                choose(f, pair.at(0).toLatin1().constData(), pair.at(1).toInt());
            }
        }
        const QString name = f.pageText("editName");
        const QList<bool> pinStates = pinButtonStates(f);
        const int profiles = database()->profiles.size();

        switchTo("PL:");

        QCOMPARE(f.pageText("editName"), name);
        QCOMPARE(mode(f, fields, buttons), edit ? QStringLiteral("edit") : QStringLiteral("view"));
        QCOMPARE(f.probe->pageForm()->findChildren<QComboBox*>().size(), edit ? combos.count('=') : 0);
        for (const QString& choice : combos.split(',', Qt::SkipEmptyParts)) {
            const QStringList pair = choice.split('=');
            QCOMPARE(comboData(f, pair.at(0).toLatin1().constData()), QVariant(pair.at(1).toInt()));
        }
        QCOMPARE(pinButtonStates(f), pinStates);
        if (!sim) {
            for (const char* hidden :
                 {"editOperator", "labelForceOperator", "pbScanOperators", "pbSelectOperator", "lwOperators"})
                QVERIFY2(pageChild<QWidget>(f, hidden)->isHidden(), hidden);
            const QLineEdit* op = pageChild<QLineEdit>(f, "editSIMOperator");
            QCOMPARE(op->isHidden() ? QStringLiteral("-") : op->text(), simOperator);
            QCOMPARE(pageChild<QLabel>(f, "labelSIMOperator")->isHidden(), simOperator == "-");
        }
        QCOMPARE(database()->profiles.size(), profiles);
        QCOMPARE(database()->findProfile(0)->name, QStringLiteral("Device profile"));
        QCOMPARE(texts(f.probe->ui()->treeSettings).filter("Device profile"), QStringList{"Device profile"});
    }

    void trees_data()
    {
        QTest::addColumn<QString>("chosen");   // settings, RF and SMS tree: "kind:id", "" none, "a+b" both
        QTest::newRow("one each") << "3:1|0:0|1:1";
        QTest::newRow("SIM cards") << "1:1|1:0|0:0";
        QTest::newRow("none") << "||";
        QTest::newRow("several") << "1:0+1:1|1:0+0:0|";
    }

    // The trees come back in the new language with what was selected selected again by what it
    // stands for; nothing when none or several items were; the tests tree is left as it was.
    void trees()
    {
        QFETCH(QString, chosen);
        WindowFixture f;
        const Ui_CZKMainWindow* ui = f.probe->ui();
        QTreeWidget* const trees[] = {ui->treeSettings, ui->treeRFSetup, ui->treeSMS};
        const QStringList perTree = chosen.split('|');
        for (int t = 0; t < 3; ++t) {
            QTreeWidget* tree = trees[t];
            tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
            tree->clearSelection();
            for (const QString& item : perTree.at(t).split('+', Qt::SkipEmptyParts)) {
                for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                    if (tag(*it) == item)
                        (*it)->setSelected(true);
                }
            }
            QCOMPARE(selection(tree).join('+'), perTree.at(t));
        }
        const QTreeWidgetItem* testsItem = ui->treeTests->topLevelItem(0);
        const QString page = f.probe->pageForm()->objectName();

        switchTo("PL:");

        for (int t = 0; t < 3; ++t)
            QCOMPARE(selection(trees[t]).join('+'), perTree.at(t).contains('+') ? QString() : perTree.at(t));
        QVERIFY(texts(ui->treeSettings).contains("SIM 1(PL:Active)"));
        QVERIFY(texts(ui->treeSettings).contains("PL:Profiles"));
        QCOMPARE(ui->treeTests->topLevelItem(0), testsItem);
        // The page was reloaded once, by the switch, not again by the reselection.
        QCOMPARE(f.probe->pageForm()->objectName(), page);
    }

    // Every action of the four tool bars, the menus, tabs and table headers follow each switch,
    // whatever language their texts were in before.
    void toolbarsAndTables()
    {
        WindowFixture f;
        const Ui_CZKMainWindow* ui = f.probe->ui();
        QList<QAction*> actions;
        for (const char* bar : {"terminalToolbar", "logToolbar", "smsToolbar", "contactsToolbar"}) {
            auto* toolbar = f.window->findChild<QToolBar*>(QLatin1String(bar));
            QVERIFY2(toolbar, bar);
            for (QAction* action : toolbar->actions()) {
                if (!action->isSeparator())
                    actions << action;
            }
        }
        QCOMPARE(actions.size(), 2 + 6 + 8 + 5);
        QStringList english;
        for (const QAction* action : actions)
            english << action->text();

        for (const QString mark : {"PL:", "DE:"}) {
            switchTo(mark);
            for (int i = 0; i < actions.size(); ++i) {
                QCOMPARE(actions.at(i)->text(), mark + english.at(i));
                QVERIFY2(actions.at(i)->toolTip().startsWith(mark), qPrintable(actions.at(i)->toolTip()));
            }
            QStringList headers;
            for (int c = 0; c < ui->tableMessages->columnCount(); ++c)
                headers << ui->tableMessages->horizontalHeaderItem(c)->text();
            QCOMPARE(headers, (QStringList{mark + "Name/MSISDN", mark + "Content", mark + "Date Time"}));
            QVERIFY(ui->tablePBook->columnCount() >= 2);
            QCOMPARE(ui->tablePBook->horizontalHeaderItem(1)->text(), mark + "MSISDN");
            QCOMPARE(ui->menuFile->title(), mark + "File");
            QCOMPARE(ui->actionExit->text(), mark + "Exit");
            QCOMPARE(ui->tabWidget->tabText(ui->tabWidget->indexOf(ui->tabSettings)), mark + "Settings");
            QCOMPARE(ui->tabWidget->indexOf(ui->tabTests), -1);
            QCOMPARE(f.probe->connectedLabel()->text(), mark + "Connected: ");
            QCOMPARE(f.pageText("editName"), QStringLiteral("<none>"));
            QCOMPARE(pageChild<QLabel>(f, "labelVersion")->text(), mark + "Version: 1.0.6.1");
        }
    }

    void unloadablePage_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");   // "-": the file is gone
        QTest::addColumn<QStringList>("errors");
        const QStringList mainGone{"1|Load UI error|Can't load ZKMain_form.ui UI form"};
        QTest::newRow("unit page, file gone") << int(Device) << "ZKMain_form.ui" << QByteArray("-") << mainGone;
        QTest::newRow("unit page, no form in the file")
            << int(Device) << "ZKMain_form.ui" << QByteArray("<ui>") << QStringList();
        QTest::newRow("profile page, file gone") << int(Profile) << "ZKProfile_form.ui" << QByteArray("-")
                                                 << QStringList{"1|Load UI error|Can't load ZKProfile_form.ui UI form"};
    }

    // A page that cannot be reloaded stays as it was, its buttons still running their slots once.
    void unloadablePage()
    {
        QFETCH(int, kind);
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        WindowFixture f;
        QVERIFY(f.select(kind, kind == Device ? 0 : 1));
        QWidget* page = f.probe->pageForm();
        const QString path = f.workDir.filePath(file);
        QVERIFY(QFile::remove(path));
        if (content != "-") {
            QFile broken(path);
            QVERIFY(broken.open(QIODevice::WriteOnly));
            broken.write(content);
        }
        BusRecorder bus;
        bus.take();

        switchTo("PL:");

        QTEST(bus.take().filter("Load UI"), "errors");
        QCOMPARE(f.probe->pageForm(), page);
        QCOMPARE(f.probe->ui()->mainFrame->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        if (kind == Device) {
            emit pageChild<QPushButton>(f, "pbSendToDevice")->clicked(false);
            QCOMPARE(sentCommands(bus.take()).filter("AT#CNF").size(), 1);
        } else {
            const int profiles = database()->profiles.size();
            emit pageChild<QPushButton>(f, "pbNewProfile")->clicked(false);
            QCOMPARE(database()->profiles.size(), profiles + 1);
        }
    }

    // How long a switch takes with the unit page in edit mode over 50 SIM cards and 200 profiles.
    void benchmark()
    {
        if (qEnvironmentVariable("LANG_BENCH") != QLatin1String("1"))
            QSKIP("set LANG_BENCH=1 to measure a language switch");
        WindowFixture f("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 49) "
                        "INSERT INTO SIMCARDS (ID, NAME, OPERATOR, IMSI, COLOR, SIMSLOT, ACTIVE_PROFILE_ID, ACTIVE, "
                        "MAIN_ID, PIN) "
                        "SELECT i, 'SIM ' || (i + 1), '', '', 0, 1, 1, 'false', 0, '' FROM n;\n"
                        "WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 199) "
                        "INSERT INTO PROFILES (ID, NAME, APN, ACTIVE_RAT_ID, ACTIVE_BAND_ID, FORCE_OPERATOR, "
                        "FORCE_OPERATOR_MNCMCC, APN_USER, APN_PASSWORD) "
                        "SELECT i, 'Profile ' || i, 'apn', 0, 0, '', 0, '', '' FROM n;");
        QCOMPARE(database()->simCards.size(), 50);
        QCOMPARE(database()->profiles.size(), 200);
        QVERIFY(f.select(Device, 0));
        f.window->editConfig();
        constexpr int kRuns = 20;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kRuns; ++i)
            switchTo(i % 2 ? "PL:" : "DE:");
        const double ms = double(clock.nsecsElapsed()) / 1e6 / kRuns;
        QVERIFY(f.probe->pageForm()->findChild<QComboBox*>("comboNetConf"));
        qInfo("language switch, unit page in edit mode, 50 SIM cards, 200 profiles: %.2f ms", ms);
    }
};

QTEST_MAIN(tst_WindowLanguage)
#include "tst_windowlanguage.moc"
