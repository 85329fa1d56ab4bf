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
#include <functional>
#include <thread>

namespace {

// The texts of a menu's entries in order, "-" for a separator.
QStringList entryTexts(const QWidget* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    return texts;
}

// Calls `send` from a thread of its own until `stop` is set, as the bus's threads do.
std::thread flood(const std::atomic<bool>& stop, std::function<void()> send)
{
    return std::thread([&stop, send] {
        while (!stop) {
            send();
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
}

} // namespace

class tst_WindowFrame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        startWindowTests();
    }

    void frame()
    {
        WindowFixture fixture;
        Ui_CZKMainWindow* ui = fixture.probe->ui();
        QCOMPARE(fixture.window->windowTitle(), QStringLiteral("TZK Radio Manager ver 1.0.6.1"));
        QCOMPARE(fixture.window->minimumSize(), QSize(625, 470));
        QVERIFY(!fixture.window->windowIcon().isNull());

        // The widgets the window's code finds by name, of the classes it relies on.
        const char* const objects[][2] = {
            {"treeSettings", "QTreeWidget"}, {"mainFrame", "QWidget"}, {"barChart", "QSint::BarChartPlotter"},
            {"teParameters", "QTextEdit"}, {"tableMessages", "CZKSMSTableWidget"},
            {"tablePBook", "CZKSMSTableWidget"}, {"listLog", "QListView"}, {"statusBar", "QStatusBar"}};
        for (const auto& object : objects) {
            const QObject* found = fixture.window->findChild<QObject*>(QLatin1String(object[0]));
            QVERIFY2(found, object[0]);
            QCOMPARE(QString::fromLatin1(found->metaObject()->className()), QString::fromLatin1(object[1]));
        }

        // Tabs in order with their titles and an icon each, Settings shown first.
        QStringList tabs;
        for (int i = 0; i < ui->tabWidget->count(); ++i) {
            tabs.append(ui->tabWidget->widget(i)->objectName() + ':' + ui->tabWidget->tabText(i));
            QVERIFY2(!ui->tabWidget->tabIcon(i).isNull(), qPrintable(tabs.last()));
        }
        QCOMPARE(tabs, (QStringList{"tabSettings:Settings", "tabRFSetup:RF Setup", "tabTests:Tests", "tabSMS:SMS",
                                    "tabPhonebook:Phonebook", "tabTerminal:Terminal", "tabLog:Log"}));
        QCOMPARE(ui->tabWidget->currentIndex(), 0);

        QCOMPARE(entryTexts(ui->m_MenuBar), (QStringList{"File", "Actions", "Help"}));
        QCOMPARE(entryTexts(ui->menuFile), (QStringList{"Options", "-", "Exit"}));
        QCOMPARE(entryTexts(ui->menuAction), (QStringList{"Settings", "RF Setup", "Tests", "SMS", "Phonebook",
                                                          "Terminal", "Log", "-", "Language", "Skins"}));
        QCOMPARE(entryTexts(ui->menuLanguage), (QStringList{"EN", "SP", "DE", "RU", "PL"}));
        QCOMPARE(entryTexts(ui->menuSkins), (QStringList{"Default", "DarkOrange"}));
        QCOMPARE(entryTexts(ui->menuHelp), (QStringList{"Index", "About..."}));

        // Only English and Polish are offered.
        for (QAction* action : ui->menuLanguage->actions()) {
            const bool offered = action == ui->actionEN || action == ui->actionPL;
            QCOMPARE(action->isVisible(), offered);
            QCOMPARE(action->isEnabled(), offered);
        }

        // Every action toggles except the four that only trigger; Settings starts checked. The
        // skins' actions are the skin test's.
        const QStringList plain{"actionExit", "actionIndex", "actionAbout", "actionOptions"};
        for (const char* name : {"actionSettings", "actionRFSetup", "actionTests", "actionSMS", "actionPhonebook",
                                 "actionTerminal", "actionLog", "actionOptions", "actionExit", "actionEN", "actionSP",
                                 "actionDE", "actionRU", "actionPL", "actionIndex", "actionAbout", "actionNetwork",
                                 "actionAdministration_mode"}) {
            const QAction* action = fixture.window->findChild<QAction*>(QLatin1String(name));
            QVERIFY2(action, name);
            QCOMPARE(action->isCheckable(), !plain.contains(QLatin1String(name)));
            QCOMPARE(action->isChecked(), qstrcmp(name, "actionSettings") == 0);
        }

        // The empty page greets with the version.
        QCOMPARE(fixture.probe->pageForm()->objectName(), QStringLiteral("FormEmpty"));
        const QLabel* version = ui->mainFrame->findChild<QLabel*>(QStringLiteral("labelVersion"));
        QVERIFY(version);
        QCOMPARE(version->text(), QStringLiteral("Version: 1.0.6.1"));

        // The status bar: message indicator, caption, link icon, left to right.
        fixture.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
        QApplication::processEvents();
        QLabel* indicator = fixture.probe->messageIndicatorLabel();
        QLabel* caption = fixture.probe->connectedLabel();
        QLabel* icon = fixture.probe->linkIconLabel();
        for (QLabel* label : {indicator, caption, icon}) {
            QVERIFY(label && label->isVisible());
            QCOMPARE(label->parentWidget(), static_cast<QWidget*>(fixture.window->statusBar()));
        }
        QCOMPARE(caption->text(), QStringLiteral("Connected: "));
        QVERIFY(!indicator->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY(!icon->pixmap(Qt::ReturnByValue).isNull());
        QVERIFY2(indicator->x() < caption->x() && caption->x() < icon->x(),
                 qPrintable(QStringLiteral("%1 %2 %3").arg(indicator->x()).arg(caption->x()).arg(icon->x())));
    }

    // Only the exact name of the default skin checks it; the other is matched in any case.
    void skins_data()
    {
        QTest::addColumn<QString>("skin");
        QTest::addColumn<bool>("defaultChecked");
        QTest::addColumn<bool>("darkOrangeChecked");
        QTest::newRow("DEFAULT") << "DEFAULT" << true << false;
        QTest::newRow("Default") << "Default" << false << false;
        QTest::newRow("darkorange") << "darkorange" << false << true;
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
        Ui_CZKMainWindow* ui = fixture.probe->ui();
        QCOMPARE(ui->actionDefault->isChecked(), defaultChecked);
        QCOMPARE(ui->actionDarkOrange->isChecked(), darkOrangeChecked);
        QVERIFY(ui->actionDefault->actionGroup());
        QCOMPARE(ui->actionDefault->actionGroup(), ui->actionDarkOrange->actionGroup());
    }

    // Shutting down while the unit stays silent, the start-up dialogue runs and the bus keeps
    // delivering must not hang on any of the window's threads.
    void destructionIsBounded()
    {
        MainWindowProbe::resetRunState();
        WindowFixture fixture;
        CZKMainWindow* window = fixture.window.get();
        fixture.deliver(LinkAlive, QString());
        QTRY_VERIFY_WITH_TIMEOUT(fixture.probe->startupThread().isRunning(), 5000);

        // The proxy thread's side of the window: straight calls into its receiver.
        std::atomic<bool> stopDirect{false};
        std::thread direct = flood(stopDirect, [window] {
            window->receiveMessage(ReplyKey, QStringLiteral("SIGNAL_QUALITY"), QStringLiteral("17,99"));
        });
        QTest::qWait(50);
        stopDirect = true;
        direct.join();

        // The bus keeps carrying messages while the window goes.
        std::atomic<bool> stopPosting{false};
        std::thread poster = flood(stopPosting, [] {
            messageProxy()->post(ReplyKey, QStringLiteral("SIGNAL_QUALITY"), QStringLiteral("17,99"));
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
