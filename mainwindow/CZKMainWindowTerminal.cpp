#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"
#include "app/CZKOptions.h"
#include "app/CZKPrompt.h"
#include "bus/BusMessage.h"
#include "link/CZKRadioPoolingThread.h"

#include "ui_CZKMainWindow.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QFile>
#include <QIcon>
#include <QTextStream>
#include <QToolBar>

// The terminal and log tabs, the tab slots of the view menu and the tool bars.

struct CZKMainWindow::TerminalSteps {
    static QToolBar* newBar(CZKMainWindow& w, const char* name, QLayout* layout)
    {
        auto* bar = new QToolBar(&w);
        bar->setObjectName(QLatin1String(name));
        bar->setIconSize(QSize(16, 16));
        layout->addWidget(bar);
        return bar;
    }

    // The texts come from applyToolbarTexts, which a language switch runs again.
    template <typename Slot>
    static QAction* addAction(CZKMainWindow& w, QToolBar* bar, const char* icon, Slot slot)
    {
        QAction* action = bar->addAction(QIcon(QLatin1String(icon)), QString());
        QObject::connect(action, &QAction::triggered, &w, slot);
        return action;
    }

    static void setTexts(QAction* action, const QString& text, const QString& tip)
    {
        if (!action)
            return;
        action->setText(text);
        action->setToolTip(tip);
    }

    // The view menu shows which tab is current: only `own` stays ticked.
    static void tickViewAction(CZKMainWindow& w, QAction* own)
    {
        for (QAction* action : {w.ui->actionSettings, w.ui->actionRFSetup, w.ui->actionTests, w.ui->actionSMS,
                                w.ui->actionTerminal, w.ui->actionLog, w.ui->actionPhonebook})
            action->setChecked(action == own);
    }

    static void setRadioPaused(CZKMainWindow& w, bool paused)
    {
        if (w.radioPoller)
            w.radioPoller->setPaused(paused);
    }

    static void setLogLevel(int level, bool store)
    {
        if (logger())
            logger()->setShowLevel(level);
        if (store && options())
            options()->showLevel = level;
    }

    static void removeTab(CZKMainWindow& w, QWidget* tab)
    {
        const int index = w.ui->tabWidget->indexOf(tab);
        if (index >= 0)
            w.ui->tabWidget->removeTab(index);
    }

    static void showAction(QAction* action, bool on)
    {
        action->setEnabled(on);
        action->setVisible(on);
    }
};

void CZKMainWindow::setupTerminalToolbar()
{
    using S = TerminalSteps;
    terminalToolbar = S::newBar(*this, "terminalToolbar", ui->vertLayout);
    S::addAction(*this, terminalToolbar, "://Icons/floppy_disk_16.ico", &CZKMainWindow::saveTermSession);
    S::addAction(*this, terminalToolbar, "://Icons/document_clear_16.ico", &CZKMainWindow::clearTermSession);
    applyToolbarTexts();
}

void CZKMainWindow::setupLogToolbar()
{
    using S = TerminalSteps;
    using W = CZKMainWindow;
    logToolbar = S::newBar(*this, "logToolbar", ui->vertLayoutLog);
    auto* group = new QActionGroup(logToolbar);
    group->setExclusive(true);
    const int shown = logger() ? logger()->showLevel() : -1;
    const auto filter = [&](const char* icon, void (W::*slot)(), int level) {
        QAction* action = S::addAction(*this, logToolbar, icon, slot);
        action->setCheckable(true);
        action->setData(level);
        action->setChecked(level == shown);
        group->addAction(action);
    };
    filter("://Icons/sphere_16.ico", &W::showLogAll, 0);
    logToolbar->addSeparator();
    filter("://Icons/info_16.ico", &W::showLogInfo, 3);
    filter("://Icons/warnings_16.ico", &W::showLogWarning, 2);
    filter("://Icons/stop_16.ico", &W::showLogError, 1);
    logToolbar->addSeparator();
    filter("://Icons/send_at_16.ico", &W::showSendAT, 4);
    filter("://Icons/receive_at_16.ico", &W::showReceiveAT, 5);
    applyToolbarTexts();
}

void CZKMainWindow::setupSMSToolbar()
{
    using S = TerminalSteps;
    using W = CZKMainWindow;
    smsToolbar = S::newBar(*this, "smsToolbar", ui->verticalLayoutSMSTools);
    QToolBar* bar = smsToolbar;
    actNewSMS = S::addAction(*this, bar, "://Icons/mail_star.png", &W::newSMS);
    actNewUSSD = S::addAction(*this, bar, "://Icons/new_mail_32.ico", &W::newShortCode);
    actRemoveSMS = S::addAction(*this, bar, "://Icons/mailbox_delete.png", &W::removeSMS);
    actForwardSMS = S::addAction(*this, bar, "://Icons/mail_next.png", &W::forwardSMS);
    actReplySMS = S::addAction(*this, bar, "://Icons/mail_reload.png", &W::replySMS);
    bar->addSeparator();
    actInbox = S::addAction(*this, bar, "://Icons/inbox_32.ico", &W::inbox);
    actOutbox = S::addAction(*this, bar, "://Icons/outbox_32.ico", &W::outbox);
    bar->addSeparator();
    actReadSMS = S::addAction(*this, bar, "://Icons/mail_reload.png", &W::readSMSFromDevice);

    auto* boxes = new QActionGroup(bar);
    boxes->setExclusive(true);
    for (QAction* box : {actInbox, actOutbox}) {
        box->setCheckable(true);
        boxes->addAction(box);
    }
    actInbox->setChecked(true);
    applyToolbarTexts();
}

void CZKMainWindow::createContactsToolbar()
{
    using S = TerminalSteps;
    using W = CZKMainWindow;
    contactsToolbar = S::newBar(*this, "contactsToolbar", ui->verticalLayoutPBookTools);
    QToolBar* bar = contactsToolbar;
    actNewContact = S::addAction(*this, bar, "://Icons/contact_add_32.png", &W::newContact);
    actEditContact = S::addAction(*this, bar, "://Icons/contact_edit_32.png", &W::editContact);
    actRemoveContact = S::addAction(*this, bar, "://Icons/contact_delete_32.png", &W::removeContact);
    bar->addSeparator();
    actSendToContact = S::addAction(*this, bar, "://Icons/send_to_contact_32.png", &W::sendToContact);
    actSendUSSDContact = S::addAction(*this, bar, "://Icons/send_ussd_to_contact_32.png", &W::sendUSSDContact);
    applyToolbarTexts();
    updateContactsToolbar();
}

void CZKMainWindow::applyToolbarTexts()
{
    // Each action is found by what it is, never by its present text, which after a language
    // switch is in the language that is going.
    using S = TerminalSteps;
    if (terminalToolbar) {
        const QString texts[][2] = {{tr("Save"), tr("Save current terminal session")},
                                    {tr("Clear"), tr("Clear terminal session")}};
        int next = 0;
        for (QAction* action : terminalToolbar->actions()) {
            if (action && !action->isSeparator() && next < 2) {
                S::setTexts(action, texts[next][0], texts[next][1]);
                ++next;
            }
        }
    }
    if (logToolbar) {
        // The filter actions carry their show level.
        const QString texts[][2] = {{tr("All"), tr("Show all")},           {tr("Errors"), tr("Show errors")},
                                    {tr("Warnings"), tr("Show warnings")}, {tr("Info"), tr("Show debug info")},
                                    {tr("Commands"), tr("Show send commands")},
                                    {tr("Responses"), tr("Show received respones")}};
        for (QAction* action : logToolbar->actions()) {
            const int level = action && action->data().isValid() ? action->data().toInt() : -1;
            if (level >= 0 && level < 6)
                S::setTexts(action, texts[level][0], texts[level][1]);
        }
    }
    S::setTexts(actNewSMS, tr("New SMS"), tr("Send new SMS message"));
    S::setTexts(actNewUSSD, tr("New USSD"), tr("Send short code"));
    S::setTexts(actRemoveSMS, tr("Remove"), tr("Remove messages"));
    S::setTexts(actForwardSMS, tr("Forward message"), tr("Forward message"));
    S::setTexts(actReplySMS, tr("Reply message"), tr("Reply"));
    S::setTexts(actInbox, tr("Inbox"), tr("Inbox"));
    S::setTexts(actOutbox, tr("Outbox"), tr("Outbox"));
    S::setTexts(actReadSMS, tr("Read SMSes"), tr("Read messages from device"));
    S::setTexts(actNewContact, tr("New contact"), tr("Add new contact"));
    S::setTexts(actEditContact, tr("Edit contact"), tr("Edit contact"));
    S::setTexts(actRemoveContact, tr("Remove contact"), tr("Remove contact"));
    S::setTexts(actSendToContact, tr("Send to contact"), tr("Send SMS to contact"));
    S::setTexts(actSendUSSDContact, tr("Send short code"), tr("Send short code"));
}

void CZKMainWindow::terminal()
{
    // What the operator types goes out at once; the RF test's polling would mix its replies in.
    TerminalSteps::setRadioPaused(*this, true);
    linkWatchdog.setPaused(false);
    TerminalSteps::tickViewAction(*this, ui->actionTerminal);
    ui->tabWidget->setCurrentWidget(ui->tabTerminal);
    ui->textEditTerminal->setFocus();
    ui->textEditTerminal->moveCursor(QTextCursor::End);
}

void CZKMainWindow::log()
{
    TerminalSteps::setRadioPaused(*this, false);
    TerminalSteps::tickViewAction(*this, ui->actionLog);
    ui->tabWidget->setCurrentWidget(ui->tabLog);
    ui->listLog->setFocus();
    ui->listLog->scrollToBottom();
}

void CZKMainWindow::phoneBook()
{
    TerminalSteps::setRadioPaused(*this, true);
    TerminalSteps::tickViewAction(*this, ui->actionPhonebook);
    ui->tabWidget->setCurrentWidget(ui->tabPhonebook);
}

void CZKMainWindow::saveTermSession()
{
    const QString text = ui->textEditTerminal->toPlainText();
    if (text.isEmpty()
        && CZKPrompt::warning(this, tr("Warning"), tr("Content is empty, save it ?"), QMessageBox::Yes | QMessageBox::No)
            != QMessageBox::Yes)
        return;
    const QString fileName = CZKPrompt::saveFileName(this, tr("Save terminal log"),
                                                     QCoreApplication::applicationDirPath(), QStringLiteral("*.txt"));
    if (fileName.isEmpty())
        return;

    // A full disk shows only when the buffered text is flushed, so the write counts as done only
    // once the file is closed without an error.
    QFile file(fileName);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text);
    if (written) {
        QTextStream out(&file);
        out << text;
        out.flush();
        written = out.status() == QTextStream::Ok && file.flush();
        file.close();
        written = written && file.error() == QFileDevice::NoError;
    }
    if (written)
        sendMessage(Info, tr("Save terminal log success"), QString());
    else
        sendMessage(Error, tr("Save terminal log error"), QString());
}

void CZKMainWindow::clearTermSession()
{
    ui->textEditTerminal->clear();
}

void CZKMainWindow::showLogAll()
{
    TerminalSteps::setLogLevel(0, true);
}

void CZKMainWindow::showLogInfo()
{
    TerminalSteps::setLogLevel(3, true);
}

void CZKMainWindow::showLogWarning()
{
    TerminalSteps::setLogLevel(2, true);
}

void CZKMainWindow::showLogError()
{
    TerminalSteps::setLogLevel(1, true);
}

// Commands and responses are a look at the traffic for now, not a choice to keep for the next run.
void CZKMainWindow::showSendAT()
{
    TerminalSteps::setLogLevel(4, false);
}

void CZKMainWindow::showReceiveAT()
{
    TerminalSteps::setLogLevel(5, false);
}

void CZKMainWindow::setupTerminalLogTabs(bool on)
{
    using S = TerminalSteps;
    S::showAction(ui->actionTests, false);
    S::removeTab(*this, ui->tabTests);

    S::showAction(ui->actionTerminal, on);
    S::showAction(ui->actionLog, on);
    if (!on) {
        S::removeTab(*this, ui->tabLog);
        S::removeTab(*this, ui->tabTerminal);
        return;
    }
    if (ui->tabWidget->indexOf(ui->tabLog) < 0)
        ui->tabWidget->addTab(ui->tabLog, QIcon(QStringLiteral("://Icons/log_48.ico")), tr("Log"));
    if (ui->tabWidget->indexOf(ui->tabTerminal) < 0)
        ui->tabWidget->addTab(ui->tabTerminal, QIcon(QStringLiteral("://Icons/text_editors_48.ico")), tr("Terminal"));
}
