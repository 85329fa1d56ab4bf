#include "mainwindow/CZKMainWindow.h"

#include "app/CZKGlobals.h"
#include "app/CZKLogger.h"

#include <QAction>
#include <QListView>
#include <QMenuBar>

CZKMainWindow::CZKMainWindow(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("CZKMainWindow"));
    setWindowTitle(tr("TZK Manager"));
    resize(900, 600);

    listLog = new QListView(this);
    listLog->setObjectName(QStringLiteral("listLog"));
    listLog->setUniformItemSizes(true);
    if (logger())
        listLog->setModel(logger());
    setCentralWidget(listLog);

    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    QAction* exitAction = fileMenu->addAction(tr("E&xit"));
    exitAction->setObjectName(QStringLiteral("actionExit"));
    exitAction->setShortcut(QKeySequence::Quit);
    connect(exitAction, &QAction::triggered, this, &QWidget::close);

    QMenu* languageMenu = menuBar()->addMenu(tr("&Language"));
    const struct {
        const char* objectName;
        const char* text;
    } languages[] = {
        {"actionEnglish", QT_TR_NOOP("English")}, {"actionSpanish", QT_TR_NOOP("Spanish")},
        {"actionGerman", QT_TR_NOOP("German")},   {"actionRussian", QT_TR_NOOP("Russian")},
        {"actionPolish", QT_TR_NOOP("Polish")},
    };
    for (const auto& language : languages) {
        QAction* action = languageMenu->addAction(tr(language.text));
        action->setObjectName(QLatin1String(language.objectName));
        action->setCheckable(true);
        languageActions.append(action);
    }

    connect(this, &CZKMainWindow::isNewMessage, this, &CZKMainWindow::receiveNewMessage);
    joinBus();
}

CZKMainWindow::~CZKMainWindow()
{
    leaveBus();
}

void CZKMainWindow::receiveMessage(int type, QString msg, QString desc)
{
    emit isNewMessage(type, msg, desc);
}

void CZKMainWindow::receiveNewMessage(int type, QString msg, QString desc)
{
    Q_UNUSED(type);
    Q_UNUSED(msg);
    Q_UNUSED(desc);
    if (!database())
        return;
}

void CZKMainWindow::checkLanguageAction()
{
    for (QAction* action : qAsConst(languageActions))
        action->setChecked(false);
    languageCode = languageCode.toUpper();

    // Checked in this order; an empty code means English.
    const struct {
        const char* code;
        int index;
    } order[] = {{"EN", 0}, {"ES", 1}, {"DE", 2}, {"RU", 3}, {"PL", 4}};
    for (const auto& entry : order) {
        const bool matches = languageCode.contains(QLatin1String(entry.code))
            || (entry.index == 0 && languageCode.isEmpty());
        if (matches) {
            languageActions.at(entry.index)->setChecked(true);
            languageIndex = entry.index;
            return;
        }
    }
}
