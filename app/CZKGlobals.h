#pragma once

#include <QColor>
#include <QString>

class QApplication;
class QTranslator;
class CZKAppEventFilter;
class CZKCommandContainer;
class CZKDataBase;
class CZKLogger;
class CZKMessageProxy;
class CZKOptions;

// Builds the three objects that exist before main() and after it (event filter, settings,
// bus) in that order; they are destroyed in the reverse order at exit. Safe to call again.
void initGlobalObjects();

QApplication* application();
void setApplication(QApplication* app);

CZKDataBase* database();
void setDatabase(CZKDataBase* db);

CZKLogger* logger();
void setLogger(CZKLogger* log);

QTranslator*& translator();

CZKCommandContainer* commandContainer();
void setCommandContainer(CZKCommandContainer* container);

CZKMessageProxy* messageProxy();
CZKOptions* options();
CZKAppEventFilter* appEventFilter();

bool isAdminMode();
void setAdminMode(bool admin);

bool isExtendedMode();
bool isReceiveOnIp();
bool isPduMode();
QString& skinName();
QString& languageName();

// How long the socket thread waits for a reply (real value; see Pacing for tests).
int replyTimeoutMs();

// Waits `ms` milliseconds (scaled by Pacing) while the calling thread's events keep flowing,
// without spinning a core. 0 or less returns at once.
void waitMs(int ms);

// The busy state: wait cursor and no clicks or key strokes. Not counted: the first endBusy()
// ends it whatever number of beginBusy() calls came before.
void beginBusy();
void endBusy();

bool isAscii7(const QString& text);

QColor interpolateColor(const QColor& from, const QColor& to, int step, int steps);

// The reversible character-wise scrambling in which passwords and PINs are stored.
QString scramblePassword(QString text);
