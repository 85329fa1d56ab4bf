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

namespace {
template<typename T = QPushButton>
void click(QWidget& dialog, const char* name)
{
    QTest::mouseClick(dialog.findChild<T*>(QLatin1String(name)), Qt::LeftButton);
}

void chooseLanguage(CZKOptionsDlg& dialog, int index)
{
    auto* language = dialog.findChild<QComboBox*>("cbLanguage");
    language->setCurrentIndex(index);
    emit language->activated(index);
}

const QString failed = QStringLiteral("Warninig|Password is FAILED.");
const QString userMode = QStringLiteral("Warninig|Authorization FAILED. Runing in User mode.");
} // namespace

// The launcher, options and initialise dialogs, driven through their widgets.
class TestDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QStringList warnings;

private slots:
    void initTestCase()
    {
        setApplication(qobject_cast<QApplication*>(QCoreApplication::instance()));
        if (!messageProxy()->isRunning())
            messageProxy()->start();
    }

    void init()
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

    void cleanup() { CZKPrompt::setResponder({}); }

    // Only rows of key 1 hold administrator passwords; the third failure goes on in user mode,
    // also when the operator switched modes between attempts. "(admin)" and "(user)" pick a mode.
    void launcherPasswords_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("admin");
        QTest::addColumn<QStringList>("boxes");

        const QStringList none, twice{failed, failed}, thrice{failed, failed, userMode};
        QTest::newRow("user mode ignores the field") << QStringList{"whatever"} << false << none;
        QTest::newRow("starting password") << QStringList{"(admin)", "admin"} << true << none;
        QTest::newRow("characters above 0x7f") << QStringList{"(admin)", "zażółć"} << true << none;
        QTest::newRow("right on the third try") << QStringList{"(admin)", "x", "y", "admin"} << true << twice;
        QTest::newRow("case and spaces matter") << QStringList{"(admin)", "Admin", "admin ", "ADMIN"} << false
                                                << thrice;
        QTest::newRow("key 2 is not a password") << QStringList{"(admin)", "other", "other", "other"} << false
                                                 << thrice;
        QTest::newRow("switching modes keeps the count")
            << QStringList{"(admin)", "x", "y", "(user)", "(admin)", "z"} << false << thrice;
    }

    void launcherPasswords()
    {
        QFETCH(QStringList, steps);
        LoadedDatabase data(QStringLiteral("INSERT INTO ADMNISTRATION VALUES (1, '%1', 0, 0.0);\n"
                                           "INSERT INTO ADMNISTRATION VALUES (2, '%2', 0, 0.0);")
                                .arg(::scramblePassword(QStringLiteral("zażółć")),
                                     ::scramblePassword(QStringLiteral("other"))),
                            true);
        QVERIFY(data.loaded);
        CZKLauncher launcher;
        launcher.setResult(-5);
        for (const QString& step : steps) {
            QCOMPARE(launcher.result(), -5);
            if (step.startsWith('(')) {
                QTest::mouseClick(launcher.findChild<QRadioButton*>(step == "(admin)" ? "rbAdmin" : "rbNormal"),
                                  Qt::LeftButton);
                continue;
            }
            launcher.findChild<QLineEdit*>("leAdminPwd")->setText(step);
            click(launcher, "pbGo");
        }
        QCOMPARE(launcher.result(), int(QDialog::Accepted));
        QTEST(launcher.isAdmin(), "admin");
        QTEST(warnings, "boxes");
    }

    void launcherClosingRejects()
    {
        for (bool escape : {false, true}) {
            CZKLauncher launcher;
            launcher.show();
            QVERIFY(QTest::qWaitForWindowExposed(&launcher));
            launcher.setResult(-5);
            if (escape)
                QTest::keyClick(&launcher, Qt::Key_Escape);
            else
                click(launcher, "pbExit");
            QCOMPARE(launcher.result(), int(QDialog::Rejected));
        }
    }

    void optionsShowTheSettings_data()
    {
        QTest::addColumn<int>("logLevel");
        QTest::addColumn<int>("showLevel");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("shownLanguage");

        QTest::newRow("errors, warnings") << 1 << 2 << "EN" << QStringList{"rbErrors", "rbShowWarnings"} << "EN";
        QTest::newRow("debug, errors") << 3 << 1 << "pl" << QStringList{"rbDebug", "rbShowErrors"} << "PL";
        QTest::newRow("switch levels, other language") << 5 << 4 << "DE" << QStringList{"rbAll", "rbShowAll"} << "EN";
    }

    void optionsShowTheSettings()
    {
        QFETCH(QStringList, checked);
        QFETCH(int, logLevel);
        QFETCH(int, showLevel);
        QFETCH(QString, language);
        options()->logLevel = logLevel;
        options()->showLevel = showLevel;
        options()->language = language;
        CZKOptionsDlg dialog;
        for (const QString& name : checked)
            QVERIFY2(dialog.findChild<QRadioButton*>(name)->isChecked(), qPrintable(name));
        QTEST(dialog.findChild<QComboBox*>("cbLanguage")->currentData().toString(), "shownLanguage");
    }

    void optionsEnableByModes()
    {
        const char* shows[] = {"rbShowAll", "rbShowDebug", "rbShowErrors", "rbShowWarnings"};
        CZKOptionsDlg user;
        for (const char* name : {"cbEnhanceGUIMode", "cbReceiveOnIP", "rbShowDebug"})
            QVERIFY(!user.findChild<QWidget*>(name)->isEnabled());

        setAdminMode(true);
        CZKOptionsDlg admin;
        admin.show();
        click<QCheckBox>(admin, "cbEnhanceGUIMode");
        for (const char* name : shows)
            QVERIFY(admin.findChild<QWidget*>(name)->isEnabled());
        click<QCheckBox>(admin, "cbEnhanceGUIMode");
        for (const char* name : shows)
            QVERIFY(!admin.findChild<QWidget*>(name)->isEnabled());
    }

    void optionsOkWritesBackAndSaves()
    {
        options()->extendedMode = true;
        options()->receiveOnIp = true;
        CZKOptionsDlg dialog;
        dialog.findChild<QRadioButton*>("rbWarnings")->setChecked(true);
        dialog.findChild<QRadioButton*>("rbShowDebug")->setChecked(true);
        dialog.findChild<QCheckBox*>("cbLogTofile")->setChecked(false);
        chooseLanguage(dialog, 0);
        click(dialog, "pbOK");

        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(options()->logLevel, 2);
        QCOMPARE(options()->showLevel, 3);
        QCOMPARE(options()->logToFile, false);
        // Disabled in user mode, still written back as shown.
        QCOMPARE(options()->extendedMode, true);
        QCOMPARE(options()->receiveOnIp, true);
        QSettings ini(options()->iniFile, QSettings::IniFormat);
        QCOMPARE(ini.value("logging/loglevel").toString(), QStringLiteral("warning"));
        QCOMPARE(ini.value("admin/language").toString(), QStringLiteral("EN"));
    }

    void optionsKeepAnUnofferedLanguageUnlessChosen()
    {
        options()->language = QStringLiteral("DE");
        CZKOptionsDlg untouched;
        click(untouched, "pbOK");
        QCOMPARE(options()->language, QStringLiteral("DE"));

        CZKOptionsDlg chosen;
        chooseLanguage(chosen, 1);
        click(chosen, "pbOK");
        QCOMPARE(options()->language, QStringLiteral("PL"));
    }

    void optionsCancelChangesNothing()
    {
        CZKOptionsDlg dialog;
        dialog.findChild<QRadioButton*>("rbErrors")->setChecked(true);
        dialog.findChild<QCheckBox*>("cbLogTofile")->setChecked(false);
        click(dialog, "pbCancel");
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(options()->logLevel, 255);
        QCOMPARE(options()->logToFile, true);
        QVERIFY(!QFile::exists(options()->iniFile));
    }

    void initializeShowsItsTextAndBlocksInput()
    {
        QPushButton button;
        button.show();
        int clicks = 0;
        connect(&button, &QPushButton::clicked, this, [&clicks] { ++clicks; });

        auto* notice = new CZKInitialize;
        notice->setText(QStringLiteral("Reading from device..."));
        QCOMPARE(notice->findChild<QLabel*>("lblMessage")->text(), QStringLiteral("Reading from device..."));
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 0);

        delete notice;
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
