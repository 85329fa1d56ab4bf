#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPacing.h"
#include "bus/CZKMessageProxy.h"

#include "ui_CZKMainWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>

#include <atomic>
#include <thread>

namespace {

// The texts of a menu's entries in order, "-" for a separator.
QStringList entryTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

const char* const kFormActions[] = {"actionSettings", "actionRFSetup", "actionTests", "actionSMS",
                                    "actionPhonebook", "actionTerminal", "actionLog", "actionOptions",
                                    "actionExit", "actionEN", "actionSP", "actionDE", "actionRU", "actionPL",
                                    "actionDefault", "actionDarkOrange", "actionIndex", "actionAbout",
                                    "actionNetwork", "actionAdministration_mode"};

} // namespace

class tst_WindowFrame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        startWindowTests();
    }

    void formObjects_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        const char* const rows[][2] = {
            {"tabWidget", "QTabWidget"},         {"treeSettings", "QTreeWidget"},
            {"mainFrame", "QWidget"},            {"treeRFSetup", "QTreeWidget"},
            {"mainFrameRF", "QFrame"},           {"gbRSSILevel", "QGroupBox"},
            {"barChart", "QSint::BarChartPlotter"}, {"gbParamters", "QGroupBox"},
            {"teParameters", "QTextEdit"},       {"pbStart", "QPushButton"},
            {"pbStop", "QPushButton"},           {"pbClear", "QPushButton"},
            {"treeSMS", "QTreeWidget"},          {"tableMessages", "CZKSMSTableWidget"},
            {"editMessageText", "QTextEdit"},    {"treePhoneBook", "QTreeWidget"},
            {"tablePBook", "CZKSMSTableWidget"}, {"editPhoneDetails", "QTextEdit"},
            {"listLog", "QListView"},            {"m_MenuBar", "QMenuBar"},
            {"menuFile", "QMenu"},               {"menuAction", "QMenu"},
            {"menuLanguage", "QMenu"},           {"menuSkins", "QMenu"},
            {"menuHelp", "QMenu"},               {"statusBar", "QStatusBar"},
        };
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]);
    }

    void formObjects()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        WindowFixture fixture;
        const QObject* object = fixture.window->findChild<QObject*>(name);
        QVERIFY2(object, qPrintable(name));
        QCOMPARE(QString::fromLatin1(object->metaObject()->className()), className);
    }

    void frame()
    {
        WindowFixture fixture;
        Ui_CZKMainWindow* ui = fixture.probe->ui();
        QCOMPARE(fixture.window->windowTitle(), QStringLiteral("TZK Radio Manager ver 1.0.6.1"));
        QCOMPARE(fixture.window->minimumSize(), QSize(625, 470));
        QVERIFY(!fixture.window->windowIcon().isNull());

        // Tabs: order, titles, an icon on each, Settings shown first.
        const QStringList tabs{"tabSettings", "tabRFSetup", "tabTests", "tabSMS", "tabPhonebook", "tabTerminal", "tabLog"};
        const QStringList titles{"Settings", "RF Setup", "Tests", "SMS", "Phonebook", "Terminal", "Log"};
        QCOMPARE(ui->tabWidget->count(), tabs.size());
        for (int i = 0; i < tabs.size(); ++i) {
            QCOMPARE(ui->tabWidget->widget(i)->objectName(), tabs.at(i));
            QCOMPARE(ui->tabWidget->tabText(i), titles.at(i));
            QVERIFY2(!ui->tabWidget->tabIcon(i).isNull(), qPrintable(tabs.at(i)));
        }
        QCOMPARE(ui->tabWidget->currentIndex(), 0);

        // Menus and their entries in order.
        QStringList bar;
        for (const QAction* action : ui->m_MenuBar->actions())
            bar.append(action->text());
        QCOMPARE(bar, (QStringList{"File", "Actions", "Help"}));
        QCOMPARE(entryTexts(ui->menuFile), (QStringList{"Options", "-", "Exit"}));
        QCOMPARE(entryTexts(ui->menuAction), (QStringList{"Settings", "RF Setup", "Tests", "SMS", "Phonebook",
                                                          "Terminal", "Log", "-", "Language", "Skins"}));
        QCOMPARE(entryTexts(ui->menuLanguage), (QStringList{"EN", "SP", "DE", "RU", "PL"}));
        QCOMPARE(entryTexts(ui->menuSkins), (QStringList{"Default", "DarkOrange"}));
        QCOMPARE(entryTexts(ui->menuHelp), (QStringList{"Index", "About..."}));
        QVERIFY(ui->menuSkins->isEnabled());

        // Only English and Polish are offered.
        for (QAction* action : ui->menuLanguage->actions()) {
            const bool offered = action == ui->actionEN || action == ui->actionPL;
            QCOMPARE(action->isVisible(), offered);
            QCOMPARE(action->isEnabled(), offered);
        }

        // Every form action toggles except the four that only trigger.
        const QStringList plain{"actionExit", "actionIndex", "actionAbout", "actionOptions"};
        for (const char* name : kFormActions) {
            const QAction* action = fixture.window->findChild<QAction*>(QLatin1String(name));
            QVERIFY2(action, name);
            QCOMPARE(action->isCheckable(), !plain.contains(QLatin1String(name)));
            QCOMPARE(action->isChecked(), qstrcmp(name, "actionSettings") == 0
                                              || (qstrcmp(name, "actionDefault") == 0 && skinName() == "DEFAULT")
                                              || (qstrcmp(name, "actionDarkOrange") == 0
                                                  && skinName().toUpper() == "DARKORANGE"));
        }

        // The empty page greets with the version.
        QVERIFY(fixture.probe->pageForm());
        QCOMPARE(fixture.probe->pageForm()->objectName(), QStringLiteral("FormEmpty"));
        const QLabel* version = ui->mainFrame->findChild<QLabel*>(QStringLiteral("labelVersion"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Version: 1.0.6.1"));
    }

    void statusBarOrder()
    {
        WindowFixture fixture;
        fixture.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
        QApplication::processEvents();

        QLabel* indicator = fixture.probe->messageIndicatorLabel();
        QLabel* caption = fixture.probe->connectedLabel();
        QLabel* icon = fixture.probe->linkIconLabel();
        QVERIFY(indicator && caption && icon);
        for (QLabel* label : {indicator, caption, icon})
            QCOMPARE(label->parentWidget(), static_cast<QWidget*>(fixture.window->statusBar()));
        QCOMPARE(caption->text(), QStringLiteral("Connected: "));
        QVERIFY(!indicator->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(!icon->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(indicator->isVisible() && caption->isVisible() && icon->isVisible());
        QVERIFY2(indicator->x() < caption->x() && caption->x() < icon->x(),
                 qPrintable(QStringLiteral("%1 %2 %3").arg(indicator->x()).arg(caption->x()).arg(icon->x())));
    }

    void skins_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<bool>("defaultChecked");
        QTest::addColumn<bool>("darkOrangeChecked");
        QTest::newRow("DEFAULT") << "DEFAULT" << true << false;
        QTest::newRow("default") << "default" << false << false;
        QTest::newRow("Default") << "Default" << false << false;
        QTest::newRow("darkorange") << "darkorange" << false << true;
        QTest::newRow("DarkOrange") << "DarkOrange" << false << true;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("other") << "Blue" << false << false;
    }

    void skins()
    {
        QFETCH(QString, skin);
        QFETCH(bool, defaultChecked);
        QFETCH(bool, darkOrangeChecked);
        const QString previous = skinName();
        skinName() = skin;
        WindowFixture fixture;
        skinName() = previous;
        QCOMPARE(fixture.probe->ui()->actionDefault->isChecked(), defaultChecked);
        QCOMPARE(fixture.probe->ui()->actionDarkOrange->isChecked(), darkOrangeChecked);
        QCOMPARE(fixture.probe->ui()->actionDefault->actionGroup(), fixture.probe->ui()->actionDarkOrange->actionGroup());
        QVERIFY(fixture.probe->ui()->actionDefault->actionGroup());
    }

    // Shutting down while the unit stays silent, the start-up dialogue runs and the bus keeps
    // delivering must not hang on any of the window's threads.
    void destructionIsBounded()
    {
        MainWindowProbe::resetRunState();
        WindowFixture fixture;
        CZKMainWindow* window = fixture.window.get();
        fixture.deliver(101, QString());
        QTRY_VERIFY_WITH_TIMEOUT(fixture.probe->startupThread().isRunning(), 5000);

        // The proxy thread's side of the window: straight calls into its receiver.
        std::atomic<bool> stopDirect{false};
        std::thread direct([&] {
            while (!stopDirect) {
                window->receiveMessage(100, QStringLiteral("SIGNAL_QUALITY"), QStringLiteral("17,99"));
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
        QTest::qWait(50);
        stopDirect = true;
        direct.join();

        // The bus keeps carrying messages while the window goes.
        std::atomic<bool> stopPosting{false};
        std::thread poster([&] {
            while (!stopPosting) {
                messageProxy()->post(100, QStringLiteral("SIGNAL_QUALITY"), QStringLiteral("17,99"));
                std::this_thread::sleep_for(std::chrono::microseconds(200));
            }
        });
        QTest::qWait(20);

        QElapsedTimer timer;
        timer.start();
        fixture.probe.reset();
        fixture.window.reset();
        const qint64 elapsed = timer.elapsed();
        stopPosting = true;
        poster.join();
        messageProxy()->dropQueued();
        QVERIFY2(elapsed < 2000, qPrintable(QStringLiteral("%1 ms").arg(elapsed)));
        MainWindowProbe::resetRunState();
    }
};

QTEST_MAIN(tst_WindowFrame)
#include "tst_windowframe.moc"
