#include "app/CZKAboutDlg.h"
#include "app/CZKGlobals.h"
#include "app/CZKInitialize.h"
#include "app/CZKLauncher.h"
#include "app/CZKOptions.h"
#include "app/CZKOptionsDlg.h"
#include "app/CZKPrompt.h"
#include "bus/CZKMessageProxy.h"
#include "db/DbTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The launcher, options, about and initialise dialogs, driven through their widgets.
class TestDialogs : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void launcherUserModeAcceptsAtOnce();
    void launcherClosingRejects_data();
    void launcherClosingRejects();
    void launcherSwitchingModesKeepsTheCount();
    void launcherAdministratorPasswords_data();
    void launcherAdministratorPasswords();

    void optionsShowTheSettings_data();
    void optionsShowTheSettings();
    void optionsEnableByModes();
    void optionsOkWritesBackAndSaves();
    void optionsKeepAnUnofferedLanguageUnlessChosen();
    void optionsCancelChangesNothing();

    void aboutShowsTheVersion();
    void initializeShowsItsTextAndBlocksInput();

private:
    template<typename T>
    T* child(QWidget* parent, const char* name)
    {
        return parent->findChild<T*>(QLatin1String(name));
    }

    QTemporaryDir dir;
    QStringList warnings;
};

void TestDialogs::initTestCase()
{
    setApplication(qobject_cast<QApplication*>(QCoreApplication::instance()));
    if (!messageProxy()->isRunning())
        messageProxy()->start();
}

void TestDialogs::init()
{
    CZKOptions* settings = options();
    const CZKOptions defaults;
    settings->extendedMode = defaults.extendedMode;
    settings->language = defaults.language;
    settings->logLevel = defaults.logLevel;
    settings->showLevel = defaults.showLevel;
    settings->logToFile = defaults.logToFile;
    settings->receiveOnIp = defaults.receiveOnIp;
    settings->iniFile = dir.filePath(QStringLiteral("dudedoriv.ini"));
    QFile::remove(options()->iniFile);
    setAdminMode(false);
    warnings.clear();
    CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
        warnings << call.title + QLatin1Char('|') + call.text;
        return QMessageBox::Ok;
    });
}

void TestDialogs::cleanup()
{
    CZKPrompt::setResponder({});
}

void TestDialogs::launcherUserModeAcceptsAtOnce()
{
    CZKLauncher launcher;
    QVERIFY(child<QRadioButton>(&launcher, "rbNormal")->isChecked());
    QVERIFY(!child<QLineEdit>(&launcher, "leAdminPwd")->isEnabled());
    QVERIFY(child<QPushButton>(&launcher, "pbGo")->isDefault());
    child<QLineEdit>(&launcher, "leAdminPwd")->setText(QStringLiteral("whatever"));
    QTest::mouseClick(child<QPushButton>(&launcher, "pbGo"), Qt::LeftButton);
    QCOMPARE(launcher.result(), int(QDialog::Accepted));
    QVERIFY(!launcher.isAdmin());
    QVERIFY(warnings.isEmpty());
}

void TestDialogs::launcherClosingRejects_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("Exit") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("close") << 2;
}

void TestDialogs::launcherClosingRejects()
{
    QFETCH(int, how);
    CZKLauncher launcher;
    launcher.show();
    QVERIFY(QTest::qWaitForWindowExposed(&launcher));
    launcher.setResult(-5);
    if (how == 0)
        QTest::mouseClick(child<QPushButton>(&launcher, "pbExit"), Qt::LeftButton);
    else if (how == 1)
        QTest::keyClick(&launcher, Qt::Key_Escape);
    else
        launcher.close();
    QCOMPARE(launcher.result(), int(QDialog::Rejected));
    QVERIFY(!launcher.isAdmin());
}

void TestDialogs::launcherSwitchingModesKeepsTheCount()
{
    CZKLauncher launcher;
    launcher.setResult(-5);
    QTest::mouseClick(child<QRadioButton>(&launcher, "rbAdmin"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&launcher, "pbGo"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&launcher, "pbGo"), Qt::LeftButton);
    QTest::mouseClick(child<QRadioButton>(&launcher, "rbNormal"), Qt::LeftButton);
    QVERIFY(!child<QLineEdit>(&launcher, "leAdminPwd")->isEnabled());
    QTest::mouseClick(child<QRadioButton>(&launcher, "rbAdmin"), Qt::LeftButton);
    QTest::mouseClick(child<QPushButton>(&launcher, "pbGo"), Qt::LeftButton);
    QCOMPARE(warnings.size(), 3);
    QCOMPARE(launcher.result(), int(QDialog::Accepted));
}

void TestDialogs::launcherAdministratorPasswords_data()
{
    QTest::addColumn<QStringList>("attempts");
    QTest::addColumn<bool>("admin");
    QTest::addColumn<int>("warningCount");

    QTest::newRow("starting password") << QStringList{"admin"} << true << 0;
    QTest::newRow("second row's password") << QStringList{"s3cret!"} << true << 0;
    QTest::newRow("characters above 0x7f") << QStringList{"zażółć"} << true << 0;
    QTest::newRow("right on the third try") << QStringList{"x", "y", "admin"} << true << 2;
    QTest::newRow("case matters") << QStringList{"Admin", "ADMIN", "admiN"} << false << 3;
    QTest::newRow("spaces are kept") << QStringList{"admin ", " admin", "admin"} << true << 2;
    QTest::newRow("key 2 is not a password") << QStringList{"other", "other", "other"} << false << 3;
}

void TestDialogs::launcherAdministratorPasswords()
{
    QFETCH(QStringList, attempts);
    QFETCH(bool, admin);
    QFETCH(int, warningCount);

    const QString second = ::scramblePassword(QStringLiteral("s3cret!"));
    const QString wide = ::scramblePassword(QStringLiteral("zażółć"));
    const QString other = ::scramblePassword(QStringLiteral("other"));
    LoadedDatabase data(QStringLiteral("INSERT INTO ADMNISTRATION VALUES (1, '%1', 0, 0.0);\n"
                                       "INSERT INTO ADMNISTRATION VALUES (1, '%2', 0, 0.0);\n"
                                       "INSERT INTO ADMNISTRATION VALUES (2, '%3', 0, 0.0);")
                            .arg(second, wide, other),
                        true);
    QVERIFY(data.loaded);

    CZKLauncher launcher;
    launcher.setResult(-5);
    QTest::mouseClick(child<QRadioButton>(&launcher, "rbAdmin"), Qt::LeftButton);
    for (const QString& attempt : attempts) {
        QCOMPARE(launcher.result(), -5);
        child<QLineEdit>(&launcher, "leAdminPwd")->setText(attempt);
        QTest::mouseClick(child<QPushButton>(&launcher, "pbGo"), Qt::LeftButton);
    }
    QCOMPARE(launcher.result(), int(QDialog::Accepted));
    QCOMPARE(launcher.isAdmin(), admin);
    QCOMPARE(warnings.size(), warningCount);
    for (int i = 0; i < warningCount; ++i) {
        const bool last = i == 2;
        QCOMPARE(warnings.at(i), last ? QStringLiteral("Warninig|Authorization FAILED. Runing in User mode.")
                                      : QStringLiteral("Warninig|Password is FAILED."));
    }
}

void TestDialogs::optionsShowTheSettings_data()
{
    QTest::addColumn<int>("logLevel");
    QTest::addColumn<int>("showLevel");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("checkedLevel");
    QTest::addColumn<QString>("checkedShow");
    QTest::addColumn<QString>("shownLanguage");

    QTest::newRow("defaults") << 255 << 255 << "PL" << "rbAll" << "rbShowAll" << "PL";
    QTest::newRow("errors, warnings") << 1 << 2 << "EN" << "rbErrors" << "rbShowWarnings" << "EN";
    QTest::newRow("debug, errors") << 3 << 1 << "pl" << "rbDebug" << "rbShowErrors" << "PL";
    QTest::newRow("switch levels, other language") << 5 << 4 << "DE" << "rbAll" << "rbShowAll" << "EN";
}

void TestDialogs::optionsShowTheSettings()
{
    QFETCH(int, logLevel);
    QFETCH(int, showLevel);
    QFETCH(QString, language);
    QFETCH(QString, checkedLevel);
    QFETCH(QString, checkedShow);
    QFETCH(QString, shownLanguage);

    options()->logLevel = logLevel;
    options()->showLevel = showLevel;
    options()->language = language;
    CZKOptionsDlg dialog;
    QVERIFY(dialog.findChild<QRadioButton*>(checkedLevel)->isChecked());
    QVERIFY(dialog.findChild<QRadioButton*>(checkedShow)->isChecked());
    QCOMPARE(child<QComboBox>(&dialog, "cbLanguage")->currentData().toString(), shownLanguage);
    QCOMPARE(child<QComboBox>(&dialog, "cbLanguage")->count(), 2);
    QCOMPARE(child<QTabWidget>(&dialog, "tabOptions")->currentIndex(), 1);
}

void TestDialogs::optionsEnableByModes()
{
    CZKOptionsDlg user;
    QVERIFY(!child<QCheckBox>(&user, "cbEnhanceGUIMode")->isEnabled());
    QVERIFY(!child<QCheckBox>(&user, "cbReceiveOnIP")->isEnabled());
    QVERIFY(!child<QRadioButton>(&user, "rbShowDebug")->isEnabled());

    setAdminMode(true);
    CZKOptionsDlg admin;
    auto* extended = child<QCheckBox>(&admin, "cbEnhanceGUIMode");
    QVERIFY(extended->isEnabled());
    admin.show();
    QTest::mouseClick(extended, Qt::LeftButton);
    for (const char* name : {"rbShowAll", "rbShowDebug", "rbShowErrors", "rbShowWarnings"})
        QVERIFY(child<QRadioButton>(&admin, name)->isEnabled());
    QTest::mouseClick(extended, Qt::LeftButton);
    for (const char* name : {"rbShowAll", "rbShowDebug", "rbShowErrors", "rbShowWarnings"})
        QVERIFY(!child<QRadioButton>(&admin, name)->isEnabled());
}

void TestDialogs::optionsOkWritesBackAndSaves()
{
    options()->extendedMode = true;
    options()->receiveOnIp = true;
    CZKOptionsDlg dialog;
    child<QRadioButton>(&dialog, "rbWarnings")->setChecked(true);
    child<QRadioButton>(&dialog, "rbShowDebug")->setChecked(true);
    child<QCheckBox>(&dialog, "cbLogTofile")->setChecked(false);
    auto* language = child<QComboBox>(&dialog, "cbLanguage");
    language->setCurrentIndex(0);
    emit language->activated(0);
    QTest::mouseClick(child<QPushButton>(&dialog, "pbOK"), Qt::LeftButton);

    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(options()->logLevel, 2);
    QCOMPARE(options()->showLevel, 3);
    QCOMPARE(options()->logToFile, false);
    // Disabled in user mode, still written back as shown.
    QCOMPARE(options()->extendedMode, true);
    QCOMPARE(options()->receiveOnIp, true);
    QCOMPARE(options()->language, QStringLiteral("EN"));
    QSettings ini(options()->iniFile, QSettings::IniFormat);
    QCOMPARE(ini.value("logging/loglevel").toString(), QStringLiteral("warning"));
    QCOMPARE(ini.value("admin/language").toString(), QStringLiteral("EN"));
}

void TestDialogs::optionsKeepAnUnofferedLanguageUnlessChosen()
{
    options()->language = QStringLiteral("DE");
    CZKOptionsDlg untouched;
    QTest::mouseClick(child<QPushButton>(&untouched, "pbOK"), Qt::LeftButton);
    QCOMPARE(options()->language, QStringLiteral("DE"));
    QCOMPARE(options()->logLevel, 0);

    CZKOptionsDlg chosen;
    auto* language = child<QComboBox>(&chosen, "cbLanguage");
    language->setCurrentIndex(1);
    emit language->activated(1);
    QTest::mouseClick(child<QPushButton>(&chosen, "pbOK"), Qt::LeftButton);
    QCOMPARE(options()->language, QStringLiteral("PL"));
}

void TestDialogs::optionsCancelChangesNothing()
{
    CZKOptionsDlg dialog;
    child<QRadioButton>(&dialog, "rbErrors")->setChecked(true);
    child<QCheckBox>(&dialog, "cbLogTofile")->setChecked(false);
    QTest::mouseClick(child<QPushButton>(&dialog, "pbCancel"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(options()->logLevel, 255);
    QCOMPARE(options()->logToFile, true);
    QVERIFY(!QFile::exists(options()->iniFile));
}

void TestDialogs::aboutShowsTheVersion()
{
    CZKAboutDlg about;
    QCOMPARE(child<QLabel>(&about, "lbVersion")->text(), QStringLiteral("1.0.6.1"));
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
}

void TestDialogs::initializeShowsItsTextAndBlocksInput()
{
    QPushButton button;
    button.show();
    int clicks = 0;
    connect(&button, &QPushButton::clicked, this, [&clicks] { ++clicks; });

    auto* notice = new CZKInitialize;
    QCOMPARE(child<QLabel>(notice, "lblMessage")->text(), QStringLiteral("Initialize ..."));
    QVERIFY(notice->windowFlags() & Qt::FramelessWindowHint);
    notice->setText(QStringLiteral("Reading from device..."));
    QCOMPARE(child<QLabel>(notice, "lblMessage")->text(), QStringLiteral("Reading from device..."));
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 0);

    delete notice;
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
