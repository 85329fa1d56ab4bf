#include "WindowTestSupport.h"

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"
#include "app/CZKOptions.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "bus/CZKMessageProxy.h"
#include "link/CZKRadioPoolingThread.h"
#include "mainwindow/CZKTerminalEditor.h"

#include "ui_CZKMainWindow.h"

#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QToolBar>

// The hand terminal, the log filters and the tool bars of the main window.
class tst_WindowTerminal : public QObject {
    Q_OBJECT

    QStringList boxes;
    QMessageBox::StandardButton boxAnswer = QMessageBox::Yes;
    QStringList fileDialogs;
    QString chosenFile;

    static QStringList labels(const QList<QAction*>& actions)
    {
        QStringList texts;
        for (const QAction* action : actions)
            texts << (action->isSeparator() ? QStringLiteral("|") : action->text().remove('&').section('\t', 0, 0));
        return texts;
    }

    static void setModes(bool extended, bool admin)
    {
        options()->extendedMode = extended;
        setAdminMode(admin);
    }

private slots:
    void initTestCase()
    {
        startWindowTests();
        setLogger(new CZKLogger);
        CZKPrompt::setResponder([this](const CZKPrompt::Call& call) {
            boxes << call.title + '|' + call.text;
            return boxAnswer;
        });
        CZKPrompt::setFileResponder([this](const CZKPrompt::FileCall& call) {
            fileDialogs << call.title + '|' + call.filter;
            return chosenFile;
        });
    }

    void init()
    {
        MainWindowProbe::resetRunState();
        boxes.clear();
        fileDialogs.clear();
        boxAnswer = QMessageBox::Yes;
        setModes(true, true);
    }

    void cleanupTestCase()
    {
        setModes(false, false);
        CZKPrompt::setResponder({});
        CZKPrompt::setFileResponder({});
        delete logger();
        setLogger(nullptr);
    }

    void keys_data()
    {
        QTest::addColumn<QString>("line");   // typed after "OK\n"; "|" marks the cursor, "[...]" a selection
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<bool>("warned");
        const int ret = Qt::Key_Return, back = Qt::Key_Backspace, ctrl = Qt::ControlModifier;
        const QString lineSeparator(QChar::LineSeparator);
        QTest::newRow("case kept") << "at+cgsn" << ret << 0 << "at+cgsn\n" << QStringList{"at+cgsn"} << false;
        QTest::newRow("trimmed") << " AT#I \t" << ret << 0 << " AT#I \t\n" << QStringList{"AT#I"} << false;
        QTest::newRow("empty") << "  " << ret << 0 << "  \n" << QStringList() << false;
        QTest::newRow("not a command") << "hi AT" << ret << 0 << "hi AT\n" << QStringList() << false;
        // A refused line stays for the operator to mend.
        QTest::newRow("Ctrl-Z") << "AT+CMGS=1\x1a" << ret << 0 << "AT+CMGS=1\x1a" << QStringList() << true;
        QTest::newRow("Shift+Return") << "AT" + lineSeparator + "Z" << ret << 0 << "AT\nZ" << QStringList() << true;
        QTest::newRow("backspace at the end") << "AT+X" << back << 0 << "AT+" << QStringList() << false;
        QTest::newRow("backspace inside") << "AT|+X" << back << 0 << "AT+X" << QStringList() << false;
        QTest::newRow("backspace on spaces") << "   " << back << 0 << "   " << QStringList() << false;
        QTest::newRow("delete") << "A|T" << int(Qt::Key_Delete) << 0 << "AT" << QStringList() << false;
        QTest::newRow("cut") << "[AT]" << int(Qt::Key_X) << ctrl << "AT" << QStringList() << false;
    }

    void keys()
    {
        QFETCH(QString, line);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, warned);
        CZKTerminalEditor editor;
        editor.setPlainText("OK\n" + QString(line).remove(QRegularExpression("[][|]")));
        QTextCursor cursor = editor.textCursor();
        const int mark = line.indexOf(QRegularExpression("[[|]"));
        cursor.setPosition(3 + (mark < 0 ? line.size() : mark));
        if (line.contains('['))
            cursor.setPosition(3 + line.indexOf(']') - 1, QTextCursor::KeepAnchor);
        editor.setTextCursor(cursor);
        BusRecorder bus;
        QTest::keyClick(&editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(editor.toPlainText().mid(3), "after");
        QTEST(sentCommands(bus.take()), "sent");
        QCOMPARE(boxes.size(), warned ? 1 : 0);
    }

    void contextMenuOffersNoDeletion()
    {
        CZKTerminalEditor editor;
        editor.setPlainText(QStringLiteral("OK"));
        editor.show();
        QStringList offered;
        QTimer::singleShot(50, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                offered = labels(menu->actions());
                menu->close();
            }
        });
        editor.contextMenuRequest(QPoint(5, 5));
        QCOMPARE(offered, (QStringList{"Copy", "Paste", "|", "Select All"}));
    }

    void internalRepliesNeedTermAll()
    {
        for (const bool termAll : {false, true}) {
            options()->termAll = termAll;
            CZKTerminalEditor editor;
            options()->termAll = false;
            messageProxy()->post(Receive, QStringLiteral("internal "), internalTag());
            messageProxy()->post(Send, QStringLiteral("command "), QString());
            messageProxy()->post(Receive, QStringLiteral("operator"), QString());
            BusRecorder().take();
            QCoreApplication::sendPostedEvents(&editor, QEvent::MetaCall);
            QCOMPARE(editor.toPlainText(), termAll ? "internal operator" : "operator");
        }
    }

    void saveSession_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("emptyAnswer");
        QTest::addColumn<QString>("file");   // "" cancels; a relative name is made in a temporary folder
        QTest::addColumn<QString>("reported");
        QTest::newRow("text") << "ATZ\nOK" << int(QMessageBox::Yes) << "log.txt" << "3|Save terminal log success|";
        QTest::newRow("empty, saved") << "" << int(QMessageBox::Yes) << "log.txt" << "3|Save terminal log success|";
        QTest::newRow("empty, not saved") << "" << int(QMessageBox::No) << "log.txt" << "";
        QTest::newRow("cancelled") << "ATZ" << int(QMessageBox::Yes) << "" << "";
        QTest::newRow("no such folder") << "ATZ" << int(QMessageBox::Yes) << "none/log.txt" << "1|Save terminal log error|";
        if (QFile::exists(QStringLiteral("/dev/full")))
            QTest::newRow("disk full") << "ATZ" << int(QMessageBox::Yes) << "/dev/full" << "1|Save terminal log error|";
    }

    void saveSession()
    {
        QFETCH(QString, text);
        QFETCH(int, emptyAnswer);
        QFETCH(QString, file);
        QFETCH(QString, reported);
        WindowFixture fixture;
        boxAnswer = QMessageBox::StandardButton(emptyAnswer);
        chosenFile = file.isEmpty() || file.startsWith('/') ? file : fixture.workDir.filePath(file);
        fixture.probe->ui()->textEditTerminal->setPlainText(text);
        BusRecorder bus;
        fixture.window->saveTermSession();
        QCOMPARE(bus.take().filter(QRegularExpression("^[13]\\|")), reported.isEmpty() ? QStringList() : QStringList{reported});
        QCOMPARE(boxes, text.isEmpty() ? QStringList{"Warning|Content is empty, save it ?"} : QStringList());
        QCOMPARE(fileDialogs.size(), emptyAnswer == QMessageBox::Yes ? 1 : 0);
        QFile saved(chosenFile);
        const bool written = reported.startsWith('3');
        QCOMPARE(saved.exists() && !file.startsWith('/'), written);
        if (written && saved.open(QIODevice::ReadOnly | QIODevice::Text))
            QCOMPARE(QString::fromUtf8(saved.readAll()), text);
    }

    // The level the logger starts with: one stored earlier, or the settings' own at a first start
    // (none stored), which shows every entry and so ticks "All".
    void logFilters_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("ticked");
        QTest::newRow("warnings stored") << 2 << "001000";
        QTest::newRow("first start") << CZKOptions().showLevel << "100000";
    }

    // Commands and Responses are not stored; the bar starts with the logger's level ticked.
    void logFilters()
    {
        QFETCH(int, level);
        logger()->setShowLevel(level);
        WindowFixture fixture;
        auto* bar = fixture.window->findChild<QToolBar*>(QStringLiteral("logToolbar"));
        QVERIFY(bar);
        QString ticked, seen;
        options()->showLevel = 7;
        QList<QAction*> filters = bar->actions();
        filters.erase(std::remove_if(filters.begin(), filters.end(), [](QAction* a) { return a->isSeparator(); }),
                      filters.end());
        for (QAction* action : filters)
            ticked += action->isChecked() ? '1' : '0';
        for (QAction* action : filters) {
            action->trigger();
            seen += QStringLiteral("%1:%2 ").arg(logger()->showLevel()).arg(options()->showLevel);
        }
        QTEST(ticked, "ticked");
        QCOMPARE(seen, QStringLiteral("0:0 3:3 2:2 1:1 4:1 5:1 "));
    }

    void inboxAndOutboxExcludeEachOther()
    {
        WindowFixture fixture;
        const QList<QAction*> sms = fixture.window->findChild<QToolBar*>(QStringLiteral("smsToolbar"))->actions();
        QCOMPARE(labels(sms.mid(6, 2)), (QStringList{"Inbox", "Outbox"}));
        QVERIFY(sms.at(6)->isChecked() && !sms.at(7)->isChecked());
        sms.at(7)->trigger();
        QVERIFY(!sms.at(6)->isChecked() && sms.at(7)->isChecked());
    }

    // The Tests tab is gone in every mode; Terminal and Log need extended administration mode,
    // and the options dialog switches them either way.
    void terminalTabsOnlyForExtendedAdministration()
    {
        const QStringList without = {"Phonebook", "RF Setup", "SMS", "Settings"};
        const QStringList with = {"Log", "Phonebook", "RF Setup", "SMS", "Settings", "Terminal"};
        for (const auto& [extended, admin] : {std::pair{true, true}, {true, false}, {false, true}}) {
            setModes(extended, admin);
            WindowFixture fixture;
            Ui_CZKMainWindow* ui = fixture.probe->ui();
            const auto tabs = [ui] {
                QStringList titles;
                for (int i = 0; i < ui->tabWidget->count(); ++i)
                    titles << ui->tabWidget->tabText(i);
                titles.sort();
                return titles;
            };
            const bool on = extended && admin;
            QCOMPARE(tabs(), on ? with : without);
            QCOMPARE(ui->actionTerminal->isVisible() && ui->actionLog->isVisible(), on);
            QVERIFY(!ui->actionTests->isVisible() && !ui->actionTests->isEnabled());
            fixture.probe->setupTerminalLogTabs(!on);
            QCOMPARE(tabs(), on ? without : with);
            QCOMPARE(ui->actionTerminal->isVisible(), !on);
        }
    }

    // Each tab's slot shows it, ticks its entry alone and rests the RF test's poller but on the log.
    void tabSlotsPauseTheRadioPoller()
    {
        WindowFixture fixture;
        Ui_CZKMainWindow* ui = fixture.probe->ui();
        fixture.probe->startRadioPoller();
        const struct {
            void (CZKMainWindow::*slot)();
            QWidget* tab;
            QAction* ticked;
            bool paused;
        } steps[] = {{&CZKMainWindow::log, ui->tabLog, ui->actionLog, false},
                     {&CZKMainWindow::terminal, ui->tabTerminal, ui->actionTerminal, true},
                     {&CZKMainWindow::log, ui->tabLog, ui->actionLog, false},
                     {&CZKMainWindow::phoneBook, ui->tabPhonebook, ui->actionPhonebook, true},
                     {&CZKMainWindow::log, ui->tabLog, ui->actionLog, false},
                     {&CZKMainWindow::settings, ui->tabSettings, ui->actionSettings, true}};
        ui->actionSettings->setChecked(true);
        for (const auto& step : steps) {
            (fixture.window.get()->*step.slot)();
            QCOMPARE(fixture.probe->radioPoller()->isPaused(), step.paused);
            QCOMPARE(ui->tabWidget->currentWidget(), step.tab);
            for (QAction* action : {ui->actionSettings, ui->actionRFSetup, ui->actionTests, ui->actionSMS,
                                    ui->actionTerminal, ui->actionLog, ui->actionPhonebook})
                QCOMPARE(action->isChecked(), action == step.ticked);
        }
        // The terminal wakes the link watchdog as well.
        QVERIFY(!fixture.probe->linkWatchdog().isPaused());
        fixture.probe->linkWatchdog().setPaused(true);
        fixture.probe->stopRadioPoller();
    }
};

QTEST_MAIN(tst_WindowTerminal)
#include "tst_windowterminal.moc"
