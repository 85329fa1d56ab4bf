#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "bus/CZKMessageProxy.h"

#include "ui_CZKMainWindow.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>

#include <atomic>
#include <functional>
#include <thread>

namespace {

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
    void initTestCase() { startWindowTests(); }

    // Only English and Polish can be chosen.
    void languagesOffered()
    {
        WindowFixture fixture;
        Ui_CZKMainWindow* ui = fixture.probe->ui();
        for (QAction* action : ui->menuLanguage->actions()) {
            const bool offered = action == ui->actionEN || action == ui->actionPL;
            QCOMPARE(action->isVisible() && action->isEnabled(), offered);
        }
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
    }

    void skins()
    {
        QFETCH(QString, skin);
        const QString previous = skinName();
        skinName() = skin;
        WindowFixture fixture;
        skinName() = previous;
        Ui_CZKMainWindow* ui = fixture.probe->ui();
        QTEST(ui->actionDefault->isChecked(), "defaultChecked");
        QTEST(ui->actionDarkOrange->isChecked(), "darkOrangeChecked");
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
