#pragma once

#include <QString>

class CZKLogger;
class CZKOptions;
class QTranslator;
class QWidget;

// Steps of the program's start-up that stand on their own.
namespace CZKStartup {

// Registers the types that queued signals carry between threads.
void registerMetaTypes();

// Loads "dudedoriv_" + language (the system locale's name when the language is empty) from
// `folder`, falling back to "dudedoriv_en"; logs the outcome directly into `log`. Installs
// the translator when either loads. Returns whether one was installed.
bool installTranslation(QTranslator* translator, CZKLogger* log, const QString& folder, const QString& language,
                        const QString& localeName);

// The program's start after its settings, in the fixed order: the application's identity and
// plug-in folder, the bus, the logger (levels from `settings`, "Start application"), the
// translation from the program's folder. Returns the system locale's name.
QString startServices(const CZKOptions& settings);

// A line written straight into the logger, when there is one: the bus is not drained before a
// failed start ends the program.
void logDirect(int type, const QString& text);

// The logger and the translator are published through accessors that later code tests for
// null, so they are cleared as they go.
void releaseLoggerAndTranslator();

// Applies "DarkOrange.qss" from the working folder when `skin` names the dark skin; silent when
// the file is missing.
bool applySkin(const QString& skin);

// The skin menu of `window` follows the skin setting; a dark skin that `applySkin` could not
// apply leaves the default look on screen, so the menu's default entry is checked instead. The
// setting stays, and the next start tries the sheet again.
void showSkinInForce(QWidget* window, const QString& skin, bool applied);

} // namespace CZKStartup
