#pragma once

#include "bus/IMessageReceiver.h"
#include "bus/IMessageSender.h"
#include "link/CZKPoolingThread.h"

#include <QMainWindow>
#include <QVector>

class QAction;
class QLabel;
class QListView;
class CZKCommandContainer;
class CZKRadioPoolingThread;

// The main window as far as it stands today: the log view, the language menu and the link's
// construction and shut-down order. The pages come with their own pieces.
class CZKMainWindow : public QMainWindow, public IMessageSender, public IMessageReceiver {
    Q_OBJECT
public:
    explicit CZKMainWindow(QWidget* parent = nullptr);
    ~CZKMainWindow() override;

    void receiveMessage(int type, QString msg, QString desc) override;

    // Marks the language menu entry whose code `languageCode` contains (after upper-casing it).
    void checkLanguageAction();

    QString languageCode;
    int languageIndex = 0;

signals:
    void isNewMessage(int type, QString msg, QString desc);

public slots:
    void receiveNewMessage(int type, QString msg, QString desc);

private:
    void showLinkState(const char* icon);

    CZKPoolingThread linkWatchdog;
    CZKCommandContainer* container = nullptr;
    CZKRadioPoolingThread* radioPoller = nullptr;
    bool connected = false;
    QLabel* linkStateLabel = nullptr;
    QListView* listLog = nullptr;
    QVector<QAction*> languageActions;
};
