#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"
#include "app/CZKOptions.h"
#include "app/CZKPlatform.h"
#include "app/CZKStartup.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>

#include <functional>

namespace {

// The program's folder for a test: the built catalogues named in `files` (lower-case sources,
// copied under the name given, so that the lookup's letter case is tried too).
void fillProgramFolder(const QTemporaryDir& folder, const QStringList& files)
{
    const QString built = qEnvironmentVariable("DUDEDORIV_BINARY_DIR") + QLatin1Char('/');
    for (const QString& file : files)
        QVERIFY(QFile::copy(built + file.toLower(), folder.filePath(file)));
}

// The checked ones of `actions`: a form's action by its name without "action", another by its text.
QString checked(const QList<QAction*>& actions)
{
    QStringList names;
    for (const QAction* action : actions) {
        if (action->isChecked())
            names << (action->objectName().isEmpty() ? action->text() : action->objectName().mid(6));
    }
    return names.join(QLatin1Char(','));
}

QString checkedLanguages(const MainWindowProbe& probe)
{
    const Ui_CZKMainWindow* ui = probe.ui();
    return checked({ui->actionEN, ui->actionSP, ui->actionDE, ui->actionRU, ui->actionPL});
}

QStringList languageLines(BusRecorder& bus)
{
    return bus.take().filter(QStringLiteral("LANG file"));
}

// Presses OK on the options dialog once it stands, after `fill` has set its fields.
void answerOptions(std::function<void(QDialog*)> fill = {})
{
    QTimer::singleShot(0, [fill] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (fill)
            fill(dialog);
        dialog->findChild<QPushButton*>(QStringLiteral("pbOK"))->click();
    });
}

// As the entry function readies the window before showing it.
void startWithConfiguredLanguage(WindowFixture& fixture)
{
    fixture.window->languageCode = options()->language;
    fixture.window->checkLanguageAction();
}

void dropTranslator()
{
    if (translator())
        QCoreApplication::removeTranslator(translator());
    delete translator();
    translator() = nullptr;
}

} // namespace

// Languages, the options dialog and the skins of the main window's menus.
class tst_WindowMenus : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> programFolder;

private slots:
    void initTestCase()
    {
        startWindowTests();
        setLogger(new CZKLogger);
    }

    void init()
    {
        CZKOptions* settings = options();
        settings->language = QStringLiteral("PL");
        settings->logLevel = 0;
        settings->showLevel = 0;
        settings->logToFile = false;
        settings->extendedMode = false;
        settings->skin = QStringLiteral("DEFAULT");
        logger()->setShowLevel(0);
        logger()->logToFile = false;
        setAdminMode(false);
        application()->setStyleSheet(QString());
        programFolder = std::make_unique<QTemporaryDir>();
        fillProgramFolder(*programFolder, {"dudedoriv_en.qm", "dudedoriv_pl.qm"});
        CZKPlatform::setProgramFolder(programFolder->path());
    }

    void cleanup()
    {
        dropTranslator();
        CZKPlatform::setProgramFolder(QString());
        application()->setStyleSheet(QString());
    }

    void cleanupTestCase()
    {
        delete logger();
        setLogger(nullptr);
    }

    void checkLanguageAction_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<int>("index");   // 2 before the call
        QTest::newRow("pl") << "pl" << "PL" << 4;
        QTest::newRow("locale pl_PL") << "pl_PL" << "PL" << 4;
        QTest::newRow("none") << "" << "EN" << 0;
        QTest::newRow("unknown FR") << "FR" << "" << 2;
    }

    void checkLanguageAction()
    {
        QFETCH(QString, code);
        WindowFixture fixture;
        fixture.window->languageIndex = 2;
        fixture.window->languageCode = code;
        fixture.window->checkLanguageAction();
        QTEST(checkedLanguages(*fixture.probe), "checked");
        QTEST(fixture.window->languageIndex, "index");
        QCOMPARE(fixture.window->languageCode, code.toUpper());
    }

    void languageSwitch_data()
    {
        QTest::addColumn<QStringList>("files");   // the program's folder when the choice is made
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("EN") << QStringList{"dudedoriv_en.qm", "dudedoriv_pl.qm"} << "EN" << "EN" << 0
                            << "3|Load LANG file dudedoriv_en success|" << true;
        QTest::newRow("PL") << QStringList{"dudedoriv_en.qm", "dudedoriv_pl.qm"} << "PL" << "PL" << 4
                            << "3|Load LANG file dudedoriv_pl success|" << true;
        QTest::newRow("PL named in capitals") << QStringList{"DUDEDORIV_PL.QM"} << "PL" << "PL" << 4
                                              << "3|Load LANG file dudedoriv_pl success|" << true;
        // English stays in force and checked; the choice is stored for the next start.
        QTest::newRow("PL missing") << QStringList{"dudedoriv_en.qm"} << "PL" << "EN" << 0
                                    << "3|Load LANG file dudedoriv_pl failed. Language no changed.|" << false;
    }

    void languageSwitch()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, choice);
        WindowFixture fixture;
        BusRecorder bus;
        fixture.probe->ui()->actionEN->trigger();
        QTranslator* english = translator();
        QVERIFY(english);
        QCOMPARE(languageLines(bus), QStringList{"3|Load LANG file dudedoriv_en success|"});

        QTemporaryDir folder;
        fillProgramFolder(folder, files);
        CZKPlatform::setProgramFolder(folder.path());
        (choice == "PL" ? fixture.probe->ui()->actionPL : fixture.probe->ui()->actionEN)->trigger();

        QTEST(checkedLanguages(*fixture.probe), "checked");
        QTEST(fixture.window->languageIndex, "index");
        QCOMPARE(fixture.window->languageCode, choice);
        QCOMPARE(options()->language, choice);
        QTEST(languageLines(bus).join(QLatin1Char('\n')), "line");
        QVERIFY(translator());
        QTEST(translator() != english, "replaced");
    }

    void optionsLanguage_data()
    {
        QTest::addColumn<QString>("setting");   // the settings' language before the dialog
        QTest::addColumn<int>("picked");        // the entry picked in the dialog, -1 for none
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("unchanged") << "PL" << -1 << "PL" << QStringList();
        QTest::newRow("unchanged, pl from /LANG=pl") << "pl" << -1 << "PL" << QStringList();
        QTest::newRow("English picked") << "PL" << 0 << "EN" << QStringList{"3|Load LANG file dudedoriv_en success|"};
    }

    void optionsLanguage()
    {
        QFETCH(QString, setting);
        QFETCH(int, picked);
        options()->language = setting;
        WindowFixture fixture;
        startWithConfiguredLanguage(fixture);
        BusRecorder bus;
        answerOptions([picked](QDialog* dialog) {
            if (picked < 0)
                return;
            auto* box = dialog->findChild<QComboBox*>(QStringLiteral("cbLanguage"));
            box->setCurrentIndex(picked);
            emit box->activated(picked);
        });
        fixture.window->optionsDlg();
        QTEST(fixture.window->languageCode, "code");
        QTEST(languageLines(bus), "lines");
        QTEST(checkedLanguages(*fixture.probe), "code");
        QCOMPARE(translator() != nullptr, picked >= 0);
    }

    void optionsShowLevel_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("unchanged") << "rbShowAll" << 0 << "All";
        QTest::newRow("warnings") << "rbShowWarnings" << 2 << "Warnings";
    }

    void optionsShowLevel()
    {
        QFETCH(QString, radio);
        options()->extendedMode = true;
        WindowFixture fixture;
        startWithConfiguredLanguage(fixture);
        QToolBar* bar = fixture.probe->logToolbar();
        QVERIFY(bar);
        answerOptions([radio](QDialog* dialog) { dialog->findChild<QRadioButton*>(radio)->click(); });
        fixture.window->optionsDlg();
        QTEST(logger()->showLevel(), "level");
        QTEST(checked(bar->actions()), "ticked");
    }

    void optionsExtendedMode_data()
    {
        QTest::addColumn<bool>("admin");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::addColumn<bool>("tabs");
        QTest::newRow("admin, switched on") << true << false << true << true;
        QTest::newRow("admin, switched off") << true << true << false << false;
        QTest::newRow("user, switched on") << false << false << true << false;
    }

    void optionsExtendedMode()
    {
        QFETCH(bool, admin);
        QFETCH(bool, before);
        QFETCH(bool, after);
        setAdminMode(admin);
        options()->extendedMode = before;
        WindowFixture fixture;
        startWithConfiguredLanguage(fixture);
        answerOptions([after](QDialog* dialog) { dialog->findChild<QCheckBox*>(QStringLiteral("cbEnhanceGUIMode"))->setChecked(after); });
        fixture.window->optionsDlg();
        QCOMPARE(options()->extendedMode, after);
        const Ui_CZKMainWindow* ui = fixture.probe->ui();
        QStringList titles;
        for (QWidget* tab : {ui->tabLog, ui->tabTerminal}) {
            const int index = ui->tabWidget->indexOf(tab);
            if (index >= 0)
                titles << ui->tabWidget->tabText(index);
        }
        QFETCH(bool, tabs);
        const QStringList shown = tabs ? QStringList{"Log", "Terminal"} : QStringList();
        QCOMPARE(titles, shown);
        QCOMPARE(ui->actionTerminal->isVisible(), tabs);
    }

    void skins_data()
    {
        QTest::addColumn<QString>("skin");        // the skin setting at start-up
        QTest::addColumn<QString>("inForce");     // the sheet the start-up applied
        QTest::addColumn<QByteArray>("file");     // "DarkOrange.qss"; "-" none, "/" a folder
        QTest::addColumn<QString>("chosen");      // the skin action triggered, or the start-up's check
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("warning");
        static const char darkBytes[] = "QWidget { color: #ffa02f; } /* \xe9t\xe9 */\0QLabel { color: red; }";
        const QByteArray dark(darkBytes, int(sizeof(darkBytes)) - 1);
        const QString darkText = QString::fromLatin1("QWidget { color: #ffa02f; } /* \xe9t\xe9 */");
        const QString held = QStringLiteral("QWidget { color: #e8720c; }");
        const QString failed = QStringLiteral("2|Load skin file DarkOrange.qss failed. Skin no changed.|");
        QTest::newRow("dark") << "DEFAULT" << "" << dark << "DarkOrange" << darkText << "DARKORANGE" << "DarkOrange" << "";
        QTest::newRow("dark unreadable") << "DEFAULT" << "" << QByteArray("/") << "DarkOrange" << "" << "DEFAULT"
                                         << "Default" << failed;
        QTest::newRow("dark missing, dark in force") << "DARKORANGE" << held << QByteArray("-") << "DarkOrange" << held
                                                     << "DARKORANGE" << "DarkOrange" << failed;
        QTest::newRow("default") << "DARKORANGE" << held << dark << "Default" << "" << "DEFAULT" << "Default" << "";
        // The start-up could not apply the configured dark skin: the menu shows the default one.
        QTest::newRow("start-up, dark missing") << "DARKORANGE" << "" << QByteArray("-") << "start-up" << ""
                                                << "DARKORANGE" << "Default" << "";
        QTest::newRow("start-up, dark applied") << "darkorange" << "" << dark << "start-up" << darkText << "darkorange"
                                                << "DarkOrange" << "";
    }

    void skins()
    {
        QFETCH(QString, skin);
        QFETCH(QString, inForce);
        QFETCH(QByteArray, file);
        QFETCH(QString, chosen);
        options()->skin = skin;
        application()->setStyleSheet(inForce);
        WindowFixture fixture;
        const QString path = fixture.workDir.filePath(QStringLiteral("DarkOrange.qss"));
        if (file == "/") {
            QVERIFY(QDir().mkdir(path));
        } else if (file != "-") {
            QFile sheet(path);
            QVERIFY(sheet.open(QIODevice::WriteOnly));
            sheet.write(file);
        }
        const Ui_CZKMainWindow* ui = fixture.probe->ui();
        BusRecorder bus;
        if (chosen == "start-up")
            CZKStartup::showSkinInForce(fixture.window.get(), skin, CZKStartup::applySkin(skin));
        else
            (chosen == "Default" ? ui->actionDefault : ui->actionDarkOrange)->trigger();

        QTEST(application()->styleSheet(), "sheet");
        QTEST(options()->skin, "setting");
        QTEST(checked({ui->actionDefault, ui->actionDarkOrange}), "checked");
        QTEST(bus.take().filter(QStringLiteral("skin")).join(QLatin1Char('\n')), "warning");
    }
};

QTEST_MAIN(tst_WindowMenus)
#include "tst_windowmenus.moc"
