#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QSignalSpy>
#include <QWindowStateChangeEvent>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

QStringList block(const QString& technology, const QString& level)
{
    if (technology == QLatin1String("2G"))
        return {"ATTACHED=", "GSM_BAND=GSM band: G900", "GSM_CHANNEL=GSM channel: 62", "GSM_RSSI=RX level (dBm): " + level};
    if (technology == QLatin1String("3G"))
        return {"ATTACHED=", "WCDMA_BAND=WCDMA band: WCDMA 2100", "WCDMA_CHANNEL=WCDMA channel: 10700",
                "RSSI_C0=RxM RSSI C0:  " + level + "\tRxD RSSI C0:  -81", "RSSI_C1=RxM RSSI C1:  -80"};
    return {"ATTACHED=", "SYSTEM_MODE=System mode: LTE", "LTE_BAND=LTE band: B20", "LTE_BW=LTE bw: 10 MHz",
            "LTE_RSSI=RSSI (dBm): " + level};
}

// The chart's bars as "bars technology".
QStringList bars(WindowFixture& f)
{
    QStringList found;
    CZKChartItemModel& chart = f.probe->chartModel();
    for (int i = 0; i < chart.sampleCount(); ++i)
        found << QStringLiteral("%1 %2").arg(chart.data(chart.index(0, i)).toInt()).arg(chart.headerData(i, Qt::Horizontal).toString());
    return found;
}

struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

// The RF tab: its buttons, the radio poller's life, and the unit's radio reports in the chart.
class tst_WindowRFTest : public QObject {
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;

    Ui_CZKMainWindow* ui() { return f->probe->ui(); }

    // The watchdog's own state, which the RF slots ask; bringing it up answers its checks.
    void setLink(bool up)
    {
        CZKPoolingThread& watchdog = f->probe->linkWatchdog();
        if (!up) {
            // A check under way when the watchdog is paused may still find an earlier answer.
            watchdog.setPaused(true);
            QTRY_VERIFY_WITH_TIMEOUT(([&] {
                watchdog.clearConnected();
                QTest::qWait(30);
                return !watchdog.isConnected();
            }()), 5000);
            return;
        }
        if (watchdog.isConnected())
            return;
        watchdog.setPaused(false);
        QVERIFY(QTest::qWaitFor([&] {
            messageProxy()->post(Receive, QStringLiteral("AT#"), QString());
            return watchdog.isConnected();
        }, 10000));
        watchdog.setPaused(true);
        // What the window's first connection starts besides: the notice of the first reading and
        // the PIN dialogue.
        if (!f->probe->connected()) {
            QVERIFY(QTest::qWaitFor([&] { return f->probe->startupThread().isRunning(); }, 10000));
            f->deliver(ReplyKey, QStringLiteral("ERROR"));
            f->probe->startupThread().stop();
        }
    }

    void selectRF(const QString& which)
    {
        QTreeWidget* tree = ui()->treeRFSetup;
        tree->clearSelection();
        tree->setCurrentItem(nullptr);
        const int kind = which == QLatin1String("unit") ? Device : SimCard;
        const int id = which == QLatin1String("spare") ? 1 : 0;
        for (QTreeWidgetItemIterator it(tree); *it && which != QLatin1String("none"); ++it) {
            if ((*it)->data(1, Qt::UserRole).toInt() == kind && (*it)->data(0, Qt::UserRole).toInt() == id)
                tree->setCurrentItem(*it);
        }
    }

    QString buttons()
    {
        QString shown;
        for (QPushButton* button : {ui()->pbStart, ui()->pbStop, ui()->pbClear})
            shown += button->isEnabled() ? QLatin1Char('+') : QLatin1Char('-');
        return shown;
    }

private slots:
    void initTestCase()
    {
        startWindowTests();
        CZKPrompt::setResponder([](const CZKPrompt::Call&) { return QMessageBox::Ok; });
        f = std::make_unique<WindowFixture>();
        setLink(true);
    }
    void cleanupTestCase() { f.reset(); }
    void cleanup()
    {
        f->probe->stopRadioPoller();
        if (!f->unit.silent) {
            // A report still on its way must not reach the next test's chart.
            f->unit.silent = true;
            QTest::qWait(100);
        }
    }

    // Buttons after an action as "start stop clear" ("+" enabled), all three enabled before it,
    // and whether a test runs afterwards.
    void buttonsFollowCardLinkAndTest_data()
    {
        QTest::addColumn<QString>("selection");
        QTest::addColumn<bool>("link");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, const char* selection, bool link, bool running, const char* action,
                            const char* after) { QTest::newRow(name) << selection << link << running << action << after; };
        row("no selection changes nothing", "none", true, false, "select", "+++ idle");
        row("unit", "unit", true, false, "select", "--+ idle");
        row("spare card", "spare", true, false, "select", "--+ idle");
        row("active card", "active", true, false, "select", "+-+ idle");
        row("active card, test runs", "active", true, true, "select", "-++ runs");
        row("active card, link down", "active", false, false, "select", "--+ idle");
        row("start with link down does nothing", "active", false, false, "start", "+++ idle");
        row("start", "active", true, false, "start", "-++ runs");
        row("start again replaces the test", "active", true, true, "start", "-++ runs");
        row("stop", "active", true, true, "stop", "+-+ idle");
        row("stop with link down", "active", false, true, "stop", "--- idle");
        row("link lost keeps a test's buttons", "active", true, true, "lost", "-++ runs");
        row("link lost", "active", true, false, "lost", "--- idle");
    }

    void buttonsFollowCardLinkAndTest()
    {
        QFETCH(QString, selection);
        QFETCH(bool, link);
        QFETCH(bool, running);
        QFETCH(QString, action);

        setLink(link);
        selectRF(selection);
        if (running)
            f->probe->startRadioPoller();
        for (QPushButton* button : {ui()->pbStart, ui()->pbStop, ui()->pbClear})
            button->setEnabled(true);

        CZKMainWindow* w = f->window.get();
        if (action == QLatin1String("select"))
            w->treeRFSettingsSelectionChanged();
        else if (action == QLatin1String("start"))
            w->startRFTest();
        else if (action == QLatin1String("stop"))
            w->stopRFTest();
        else
            w->disconnectedDeviceUpdate();

        CZKRadioPoolingThread* poller = f->probe->radioPoller();
        QTEST(buttons() + (poller && poller->isRunning() ? " runs" : poller ? " stopped" : " idle"), "after");
    }

    // A test's chart and text: Clear empties both while sampling goes on from the first column;
    // a level of "---" (no signal) is shown but adds no bar; Start again begins a new chart.
    void clearAndStartMidTest()
    {
        setLink(true);
        selectRF(QStringLiteral("active"));
        QSignalSpy texts(f->window.get(), &CZKMainWindow::updateRadioParams);
        ui()->pbStart->click();
        QVERIFY(f->probe->radioPoller() && f->probe->radioPoller()->isRunning());

        deliverKeys(*f, block("4G", "-75") + block("2G", "-70.5") + block("3G", "-80"));
        QCOMPARE(bars(*f), (QStringList{"35 4G", "39 2G", "30 3G"}));
        QCOMPARE(ui()->teParameters->toPlainText(), texts.last().at(0).toString().remove(QLatin1Char('\r')));

        f->window->clearChart();
        QCOMPARE(bars(*f), QStringList());
        QCOMPARE(ui()->teParameters->toPlainText(), QString());
        QVERIFY(f->probe->radioPoller()->isRunning());

        texts.clear();
        for (const char* technology : {"2G", "3G", "4G"})
            deliverKeys(*f, block(technology, "---"));
        QCOMPARE(texts.count(), 3);
        QVERIFY(ui()->teParameters->toPlainText().endsWith("RSSI (dBm): ---"));
        deliverKeys(*f, block("4G", "-65"));
        QCOMPARE(bars(*f), QStringList{"45 4G"});

        f->window->startRFTest();
        QCOMPARE(bars(*f), QStringList());
        QVERIFY(f->probe->radioPoller()->isRunning());
        ui()->pbStop->click();
        QVERIFY(!f->probe->radioPoller());
    }

    // The RF tab's menu entry shows the tab with the active card and resumes a paused test.
    void rfSetupShowsTabAndResumes()
    {
        setLink(true);
        selectRF(QStringLiteral("none"));
        ui()->tabWidget->setCurrentIndex(0);
        ui()->actionSettings->setChecked(true);
        f->window->startRFTest();
        f->probe->radioPoller()->setPaused(true);

        ui()->actionRFSetup->trigger();
        QVERIFY(!f->probe->radioPoller()->isPaused());
        QCOMPARE(ui()->tabWidget->currentWidget(), ui()->tabRFSetup);
        QVERIFY(ui()->actionRFSetup->isChecked());
        QVERIFY(!ui()->actionSettings->isChecked());
        const QList<QTreeWidgetItem*> selected = ui()->treeRFSetup->selectedItems();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first()->data(0, Qt::UserRole).toInt(), 0);
        QCOMPARE(selected.first()->data(1, Qt::UserRole).toInt(), int(SimCard));
    }

    // The fake unit answers the poller with its two-column reports, read by the real interpreter:
    // each report shows its text and one bar of its level; with no signal only the text.
    void unitReportsReachTheChart_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("text");   // %1 the level, %2 to %4 the 3G's other columns
        const QString temperature = QStringLiteral("\nTemperature: 41");
        const QString lte = "System mode: LTE\r\nLTE band: B20 LTE bw: 10 MHz\r\nRSSI (dBm): %1" + temperature;
        QTest::newRow("3G") << "3G"
                            << "WCDMA band:    WCDMA 2100\r\nWCDMA channel: 10700\r\nRxM RSSI C0:   %1   RxD RSSI C0:  %2\r\n"
                               "RxM RSSI C1:   %3   RxD RSSI C1:  %4" + temperature;
        QTest::newRow("no signal") << "NONE" << lte;
    }

    void unitReportsReachTheChart()
    {
        QFETCH(QString, radio);
        QFETCH(QString, text);

        setLink(true);
        selectRF(QStringLiteral("active"));
        QVERIFY(f->unit.setRadio(radio));
        f->unit.silent = false;
        QSignalSpy shown(f->window.get(), &CZKMainWindow::updateRadioParams);
        f->window->startRFTest();
        QVERIFY(QTest::qWaitFor([&] { return shown.count() >= 3; }, 10000));
        f->window->stopRFTest();

        const QStringList found = bars(*f);
        if (radio == QLatin1String("NONE")) {
            QCOMPARE(found, QStringList());
            QCOMPARE(shown.first().at(0).toString(), text.arg("---"));
            return;
        }
        // One bar a report, of the report's level and technology.
        QCOMPARE(found.size(), shown.count());
        const int dbm = found.first().section(' ', 0, 0).toInt() - 110;
        QCOMPARE(found.first().section(' ', 1), radio);
        QString expected = text.arg(dbm);
        if (radio == QLatin1String("3G"))
            expected = text.arg(dbm).arg(dbm - 2).arg(dbm - 1).arg(dbm - 3);
        QCOMPARE(shown.first().at(0).toString(), expected);
    }

    // Coming back from the task bar draws a running test's chart afresh, and only then.
    void chartRepaintsOnWindowStateChangeDuringTest()
    {
        setLink(true);
        f->window->show();
        ui()->tabWidget->setCurrentWidget(ui()->tabRFSetup);
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
        PaintCounter counter;
        ui()->barChart->installEventFilter(&counter);
        QWindowStateChangeEvent change(Qt::WindowMinimized);
        QCoreApplication::sendEvent(f->window.get(), &change);
        QCOMPARE(counter.paints, 0);
        f->window->startRFTest();
        counter.paints = 0;
        QCoreApplication::sendEvent(f->window.get(), &change);
        QCOMPARE(counter.paints, 1);
        f->window->hide();
    }
};

QTEST_MAIN(tst_WindowRFTest)
#include "tst_windowrftest.moc"
