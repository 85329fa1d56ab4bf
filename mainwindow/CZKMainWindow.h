#pragma once

#include "bus/IMessageReceiver.h"
#include "bus/IMessageSender.h"
#include "charts/CZKChartItemModel.h"
#include "link/CZKPoolingThread.h"
#include "mainwindow/CZKSMSTableWidget.h"
#include "sim/CZKPINTools.h"
#include "sim/CZKStartupThread.h"
#include "sim/PINUIFlags.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMap>
#include <QTimer>

#include <atomic>
#include <optional>

class QAction;
class QActionGroup;
class QLabel;
class QTableWidgetItem;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
class QValidator;
class CZKCommandContainer;
class CZKInitialize;
class CZKRadioPoolingThread;
struct ProfileRecord;
class Ui_CZKMainWindow;

// What an item of the device trees stands for; the kind sits in column 1 and the record id in
// column 0 of every item, both under Qt::UserRole.
enum SettingsItemKind : int { Device = 0, SimCard = 1, ProfilesRoot = 2, Profile = 3 };

// The durations of the window, at their real values; every wait goes through Pacing.
namespace MainWindowTiming {
constexpr int kInitNoticeTimeoutMs = 900000;   // last resort for the first reading of the unit
constexpr int kIdentityGapMs = 100;            // between the identity reads
constexpr int kAfterIdentityMs = 1000;         // before the start-up dialogue begins again
constexpr int kPhoneBookGapMs = 500;           // after each phone-book store command
constexpr int kLockQueryWaitMs = 500;          // after the PIN lock query
constexpr int kSmsPollMs = 121000;
constexpr int kResetSpacingMs = 60000;         // the least time between two modem resets
constexpr int kBoxRefreshDelayMs = 250;       // gathers a burst of requests to refill the SMS box
constexpr int kSmsAnswerTimeoutMs = 30000;    // the SIM read chain ends when its command gets no answer
constexpr int kRadioStopWaitMs = 3000;
constexpr int kProfileRefreshTimeoutMs = 30000;   // the longest a profile refresh keeps the program busy
constexpr int kImsiRetryGapMs = 2000;   // between IMSI queries of a SIM still settling after its unlock
} // namespace MainWindowTiming

// The operator's window onto the radio unit: seven tabs, menus and a status bar. It owns the
// link to the unit, the link watchdog, the start-up PIN dialogue and the signal chart's data,
// turns every bus message into a queued signal and handles the unit's replies on the GUI
// thread. The operations are spread over several files by duty: frame (this class's
// construction, wiring and shut-down), link states, reply dispatch, settings pages, PIN
// controls and phone book.
class CZKMainWindow : public QMainWindow, public IMessageSender, public IMessageReceiver {
    Q_OBJECT
    friend class MainWindowProbe;
    // The steps of each page's flows, defined beside the page's slots.
    struct UnitPageSteps;
    struct SimPageSteps;
    struct PinSteps;
    struct ProfilePageSteps;

public:
    explicit CZKMainWindow(QWidget* parent = nullptr);
    ~CZKMainWindow() override;

    void receiveMessage(int type, QString msg, QString desc) override;

    // Marks the language menu entry whose code `languageCode` contains (after upper-casing it).
    void checkLanguageAction();

    QString languageCode;
    int languageIndex = 0;

    // The name of the profile that mirrors the unit's own data profile. It is a key stored in
    // the database file, so it is the same in every language.
    static QString deviceProfileKey();

    // Widgets of the page shown in `mainFrame`, found by object name; each does nothing when
    // the page has no such widget.
    bool setLineEditText(const QString& name, const QString& text, QValidator* validator = nullptr);
    void setLabelText(const QString& name, const QString& text);
    QString lineEditText(const QString& name);
    bool setLineEditEditable(const QString& name, bool editable);
    void setFormWidgetVisible(const QString& name, bool visible);
    void setupOperatorWidgets(bool visible);
    void setButtonEnabled(const QString& name, bool enabled);
    void setButtonText(const QString& name, const QString& text);

    void fillDeviceTree(QTreeWidget* tree, bool devicesOnly);
    bool loadForm(const QString& file, QWidget* host);
    void connectFormButtons();
    void setCurrentItem(QTreeWidget* tree, int id, int kind);
    void focusActiveSIMCard(QTreeWidget* tree);

    // The identity reads of a new connection.
    void readFromDevice();
    void updateDeviceProfile(const QString& key, const QString& value);
    void refreshSIMPhoneBook();
    void createPhoneBookTree();
    void updateSIMOperator(ProfileRecord* profile);

signals:
    void updateRadioParams(QString text);
    void connectedDevice();
    void disconnectedDevice();
    void pinEnabled();
    void pinDisabled();
    void receiveSMS();
    void deleteSMS();
    void receiveUSSD();
    void sendGBAND();
    void inputPIN(QString value, bool isPuk);
    void inputPINCancel();
    void readyPIN();
    void requestPIN();
    void requestPUK();
    void requestPUK2();
    void mbOK();
    void mbNO();
    void pinRequestChange(bool enable);
    void PINVerify(bool verify);
    void PINUIUpdate(quint32 flags, bool set);
    void deviceRestarted();
    void phoneBookPositions(QString val);
    void phoneBookMax(QString val);
    void phoneBookNewItem();
    void isNewMessage(int type, QString msg, QString desc);
    void setInitText(QString msg);
    void clckError();
    void clckOK();
    void pwdError();
    void pwdOK();
    void readPhonebook();
    void cpinSIMBusy();

public slots:
    void about();

    // Reply dispatch.
    void receiveNewMessage(int type, QString msg, QString desc);

    // Link states.
    void connectedDeviceUpdate();
    void disconnectedDeviceUpdate();
    void restartDevice();
    void initializeTimeout();

    // Settings tree and pages.
    void treeSettingsSelectionChanged();
    void treeSettingsItemClicked(QTreeWidgetItem* item, int column);
    void treeSettingsItemDoubleClicked(QTreeWidgetItem* item, int column);
    void treeSettingsCtxMenu(QPoint pt);
    void readFromDeviceSlot();

    // PIN controls.
    void getPINPUKDlg(bool pin);
    void pinAsk();
    void imsiAsk();
    void setPIN(QString pin);
    void setPUK(QString newPin, QString puk);
    void setDevicePIN(int slot, QString pin);
    void deviceReset();
    void information(QString msg);
    void warning(QString msg);
    void warningYN(QString msg);
    void askPINRequest();
    void updatePINUI(quint32 state, bool set);
    void changePINRequest(bool enable);
    void okCLCK();
    void errorCLCK();
    void okPWD();
    void errorPWD();
    void SIMBusyCPIN();
    void enterPIN();
    void unlockPIN();
    void enableDisablePIN();
    void changePIN();

    // Phone book.
    void simPhoneBookRead();
    void positionsPhoneBook(QString val);
    void maxPhoneBook(QString val);
    void newPhoneBookItem();
    void treePhoneBookItemSelectionChanged();
    void itemSelectionChangedTablePBook();
    void itemDoubleClickedPBook(QTableWidgetItem* item);
    void tablePBookCtxMenu(QPoint pt);

    // Pages of the unit, the SIM cards and the profiles.
    void editConfig();
    void sendToDevice();
    void saveConfig();
    void cancelConfig();
    void editSIMCard();
    void setAsActive();
    void saveSIMCard();
    void cancelSIMCard();
    void applyProfile();
    void refreshProfile();
    void gbandSend();
    void newProfile();
    void editProfile();
    void deleteProfile();
    void scanOperators();
    void saveProfile();
    void cancelProfile();
    void selectOperator();

    // Tabs, RF test, messages, tests, terminal and log, menus.
    void currentTabChanged(int index);
    void startRFTest();
    void stopRFTest();
    void clearChart();
    void updateRadioEdit(QString text);
    void treeRFSettingsSelectionChanged();
    void treeSMSSelectionChanged();
    void itemSelectionChangedTableMessages();
    void smsReceive();
    void smsDelete();
    void ussdReceive();
    void readSMSFromDevice();
    void deleteItems(CZKSMSTableWidget::widgetKind kind);
    void treeTestsSelectionChanged();
    void cbNICCurrentIndexChanged(int index);
    void refreshNIC();
    void statistics();
    void thrTest();
    void recEthFrame(uint type, QByteArray data);
    void settings();
    void rfSetup();
    void tests();
    void terminal();
    void sms();
    void phoneBook();
    void log();
    void langEN();
    void langSP();
    void langDE();
    void langRU();
    void langPL();
    void optionsDlg();
    void setDefaultSkin();
    void setDarkOrangeSkin();

    // Terminal and log tool bars.
    void saveTermSession();
    void clearTermSession();
    void showLogAll();
    void showLogInfo();
    void showLogWarning();
    void showLogError();
    void showSendAT();
    void showReceiveAT();

    // SMS tab.
    void inbox();
    void outbox();
    void removeSMS();
    void newSMS();
    void newShortCode();
    void forwardSMS();
    void replySMS();
    void sendToContact();
    void sendUSSDContact();

    // Phone book tab.
    void updateLocalRoot();
    void updatePhoneBookList(int data);
    void removeContact();
    void newContact();
    void editContact();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    // Fits the device trees' columns again when a skin changes their style or font.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectMenuActions();
    void connectSignals();
    void setupChart();
    void setupTerminalLogTabs(bool on);
    void setupTerminalToolbar();
    void setupLogToolbar();
    void setupSMSToolbar();
    void createContactsToolbar();
    void updateSMSActions();
    void updateSIMUSIMRoot();
    void updateContactsToolbar();
    // Refills the box shown on the SMS tab (inbox or outbox) once the events queued now are
    // handled: a burst of requests (each phone-book entry, each message that cannot go in as a
    // row of its own) makes one refill.
    void scheduleBoxRefresh();

    // Ends the initialise notice of the first connection: closes and deletes it and stops its
    // time-out. Nothing when it is gone already.
    void endInitNotice();
    // The SIM phone-book read of a connection has ended, whatever its outcome.
    void endPhoneBookRead();
    void watchPhoneBookReply(const QString& reply);

    // An error answer also ends the phone-book read, the notice and the profile refresh it may
    // belong to.
    void errorAnswered();
    void storeUnitIdentity(const QString& key, const QString& value);
    void storeSimIdentity(const QString& imsi);
    // Writes every record back and shows the page again, unless the operator is editing it.
    void saveAndRefreshPage();
    bool pageInEditMode() const;
    void dispatchRadioKey(const QString& key, const QString& value);
    void report3G();
    void report2GOr4G(const QMap<QString, QString>& values, int minEntries, const QString& text, const QString& level,
                      int levelPart, const QString& technology);
    void addChartBar(int bars, const QString& technology);
    bool radioPollerRuns() const;

    void fillUnitPage(int id);
    void fillSimCardPage(int id);
    void fillProfilePage(int id);
    // The widget of that name and class on the page shown, or null.
    template <class Widget>
    Widget* pageWidget(const QString& name) const
    {
        return pageHost()->findChild<Widget*>(name);
    }
    QWidget* pageHost() const;

    Ui_CZKMainWindow* ui;
    QWidget* pageForm = nullptr;
    CZKPoolingThread linkWatchdog;
    QLabel* linkIconLabel = nullptr;
    QLabel* connectedLabel = nullptr;
    CZKRadioPoolingThread* radioPoller = nullptr;
    QMap<QString, QString> radioValues2G;
    QMap<QString, QString> radioValues3G;
    QMap<QString, QString> radioValues4G;
    QString temperatureText;
    bool attached = false;
    CZKChartItemModel chartModel;
    bool treeRefreshing = false;
    QToolBar* terminalToolbar = nullptr;
    QToolBar* logToolbar = nullptr;
    QToolBar* smsToolbar = nullptr;
    bool inboxShown = true;
    CZKCommandContainer* container = nullptr;
    int smsCount = 0;
    QString deviceProfileName;
    QActionGroup* skinGroup = nullptr;
    CZKPINTools pinTools;
    CZKStartupThread startupThread;
    bool pinLockChangePending = false;
    PINUIFlags pinUIState = PINUI::Busy;
    bool restartPending = false;
    bool connected = false;
    QTimer smsTimer;
    QLabel* messageIndicatorLabel = nullptr;
    QToolBar* contactsToolbar = nullptr;
    int phoneBookCapacity = -1;
    bool smsPollingEnabled = true;
    CZKInitialize* initDialog = nullptr;
    bool pinLockEnableRequested = false;
    QString pendingPIN;
    QTimer initTimer;
    bool profileRefreshPending = false;
    // The unit's last "SELRAT" answer, since the profile refresh began, named a technology other
    // than automatic: a band answer then leaves the device profile's technology as it is.
    bool unitRatFixed = false;
    // A modem reset has been asked for and the unit has not yet restarted: a unit that keeps
    // reporting its SIM blocked gets one reset, not one per report.
    bool resetRequested = false;
    QElapsedTimer lastResetSent;
    // A reset is on its way, the unit restarts, or the restart's first link-alive has not yet
    // been followed by its connection: nothing sent now reaches a settled modem.
    bool restartComing() const { return resetRequested || restartPending || reconnectAfterRestart; }
    // The SIM reported that it wants its PIN2 or PUK2, which the program cannot give: the modem is
    // reset, at most once a minute, and the dialogue or the connection's reading under way ends.
    void resetForSimReport();
    // Such a reset cut the first reading or the dialogue short: the connection after the restart
    // reads the unit and runs the dialogue as a new connection does.
    bool fullReadAfterRestart = false;
    // True while a connection's identity reads and the wait after them run. Each reset that cuts
    // a reading short counts up `readingsCutShort`: the reading under way sees it and stops.
    bool connectionReading = false;
    quint32 readingsCutShort = 0;
    // The IMSI has been asked for because the PIN or PUK the operator entered unlocked the SIM,
    // and none has been stored since. The next IMSI keeps the card's PIN even when it is new: the
    // PIN stored now is the one this SIM has just taken. It holds over the restart that follows
    // the unlock, whose connection asks again, and ends with a stored IMSI or a lost link.
    bool imsiAfterUnlock = false;
    // Asks for the IMSI of the SIM just unlocked; an error answering it asks again.
    void askImsiAfterUnlock();
    // A SIM still settling after its unlock answers that query with an error: it is asked again
    // after a gap, a bounded number of times, and the dialogue's reset is held back meanwhile.
    void watchImsiReply(const QString& reply, const QString& tag);
    void imsiQueryFailed();
    void askImsiAgain();
    // No more IMSI query for now: a reset held back goes out.
    void endImsiQueries();
    // Nor does an IMSI that comes keep the card's PIN any longer.
    void endImsiAfterUnlock();
    void sendReset();
    bool imsiQueriesRun = false;    // errors answering the program's "AT+CIMI" are asked again
    bool imsiQueryEchoed = false;   // the last echo seen is that of the program's "AT+CIMI"
    int imsiRetriesLeft = 0;
    QTimer imsiRetryTimer;
    QTimer resetHoldTimer;          // runs while the dialogue's reset waits for the queries

    // The SIM reported busy: how many more times its PIN state is asked for this run.
    int simBusyRetries = 5;
    bool simBusyWaiting = false;
    // Bounds a profile refresh, so that the program never stays busy waiting for the unit.
    QTimer profileRefreshTimer;
    // Ends a profile refresh that is still pending; with `warn` the operator is told why.
    void endProfileRefresh(bool warn);

    // The SIM phone-book read under way: a size is awaited after "AT+CPBS?", then the answer to
    // "AT+CPBR"; the timer bounds each wait by the link's reply time-out.
    enum class PhoneBookRead { Idle, AwaitingSize, AwaitingEntries };
    PhoneBookRead phoneBookRead = PhoneBookRead::Idle;
    QTimer phoneBookReadTimer;

    // ---- Terminal and log (CZKMainWindowTerminal.cpp): the tool bars' actions.
    struct TerminalSteps;
    // Sets the text and tooltip of every tool-bar action, in the language in force.
    void applyToolbarTexts();
    QAction* actNewSMS = nullptr;
    QAction* actNewUSSD = nullptr;
    QAction* actRemoveSMS = nullptr;
    QAction* actForwardSMS = nullptr;
    QAction* actReplySMS = nullptr;
    QAction* actInbox = nullptr;
    QAction* actOutbox = nullptr;
    QAction* actReadSMS = nullptr;
    QAction* actNewContact = nullptr;
    QAction* actEditContact = nullptr;
    QAction* actRemoveContact = nullptr;
    QAction* actSendToContact = nullptr;
    QAction* actSendUSSDContact = nullptr;
    // ---- end of terminal and log

    // ---- RF test (CZKMainWindowRFTest.cpp)
    struct RFTestSteps;
    // ---- end of RF test

    // ---- SMS boxes (CZKMainWindowMessages.cpp)
    struct MessageSteps;
    // A message has arrived: unless the inbox is on view on the SMS tab, the status bar says so.
    void markNewMessage();
    // Gathers the refresh requests of scheduleBoxRefresh() into one refill; made on first use.
    QTimer* boxRefreshTimer = nullptr;
    // Messages stored since the table's last fill join it as rows of their own where the table
    // holds their box; otherwise the box is refilled as scheduleBoxRefresh() does.
    void showStoredMessages();
    // What the message table holds since its last fill: the card and the box, and how far into
    // the box's list of the database it reaches (the list's length then and its last record's
    // id), so that the messages stored later can be told apart.
    struct ShownBox {
        int simCardId = -1;
        bool inbox = true;
        int length = 0;
        int lastId = -1;
    };
    ShownBox shownBox;
    // sms() runs: the tab change it makes comes back to it through currentTabChanged().
    bool smsTabShowing = false;
    // ---- end of SMS boxes

    // ---- SIM message read chain (CZKMainWindowSmsRead.cpp)
    struct SmsReadSteps;
    // Asking for the count, between steps, waiting for a read's answer, or waiting for the link
    // hold to go (`smsResume` is then the step to run again from its start).
    enum class SmsChain { Idle, Counting, Walking, AwaitingRead, Held };
    enum class SmsStep { Count, Read, Delete };
    SmsChain smsChain = SmsChain::Idle;
    SmsStep smsResume = SmsStep::Count;
    int smsChainRun = 0;         // a step back from a wait goes on only while its chain does
    int smsStoreSize = -1;       // from "SMS_STORE_SIZE", taken by the count that follows it
    int smsPosition = -1;        // the next position to read; the walk ends below 0
    int smsToMeet = 0;           // messages of the count that the walk has not met yet
    int smsReadPosition = -1;    // the read whose answer is awaited
    int smsEchoPosition = -1;    // the last read echoed, when the program had sent it
    QList<int> smsDeletions;     // positions whose messages are stored
    QTimer smsChainTimer;
    bool smsChainWired = false;
    void endSmsReadChain();
    // The unit's echo of a read tells whose read an answer belongs to.
    void watchSmsReadEcho(const QString& reply, const QString& tag);
    void smsCountReported(const QString& value);
    void smsStoreSizeReported(const QString& value);
    void smsReadAnswered(const QString& value);
    void smsPartsStored(const QString& value);
    // ---- end of SIM message read chain

    // ---- Phone book (CZKMainWindowPhoneBook.cpp)
    struct PhoneBookSteps;
    // A write or erase of the SIM phone book that the program sent, and the entry it is about.
    struct PhoneBookChange {
        int position = 0;
        bool erase = false;
        QString name;
    };
    // Sent and not yet echoed, oldest first.
    QList<PhoneBookChange> phoneBookChanges;
    // The last echo seen is that of this change; its answer is awaited.
    std::optional<PhoneBookChange> phoneBookChangeEchoed;
    // Refusals being told, the one on screen first; those that come meanwhile wait their turn.
    QList<PhoneBookChange> phoneBookRefusals;
    void notePhoneBookChange(int position, bool erase, const QString& name);
    // The unit's echo tells which change an answer belongs to.
    void watchPhoneBookChange(const QString& reply, const QString& tag);
    // The SIM refused the change just echoed: the operator is told, and the book read again so
    // that the list shows what the SIM holds. False when the refusal was not of the program's
    // own change (a command typed in the terminal).
    bool phoneBookChangeRefused();
    // ---- end of phone book

    // ---- Menus, languages and skins (CZKMainWindowMenus.cpp)
    struct MenuSteps;
    // Checks the skin action of the skin on screen: the dark one only while a sheet is applied.
    void checkSkinInForce();
    // ---- end of menus, languages and skins

    // ---- Statistics and tests tab (CZKMainWindowTests.cpp)
    struct TestsTabSteps;
    // Shows the unit's statistics frame (64 little-endian counters) in the Tests tab; a frame
    // too short to hold them all is ignored.
    void showStatistics(const QByteArray& data);
    // ---- end of statistics and tests tab

    // ---- Language change (CZKMainWindowLanguage.cpp)
    struct LanguageSteps;
    // Shows the whole window in the language now installed: its own texts, the page, the trees,
    // the tool bars and the table headers.
    void retranslateWindow();
    // Reloads the page on show so that the form's own texts come from the new translation.
    void retranslateForm();
    // Replaces the page in `host` by a fresh load of `file`, with what the operator has typed and
    // chosen carried over. False, the page left as it was, when the file gives no page.
    bool reloadForm(const QString& file, QWidget* host);
    // ---- end of language change

    // The notice is shown once per run of the program, not once per window.
    static std::atomic<bool> firstConnectionFlag;
    // The first link-alive after a unit restart has been absorbed; the next one connects.
    static std::atomic<bool> reconnectAfterRestart;
};
