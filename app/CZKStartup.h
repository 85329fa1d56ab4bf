#pragma once

#include <QString>

class CZKLogger;
class QTranslator;

// Steps of the program's start-up that stand on their own.
namespace CZKStartup {

// Registers the types that queued signals carry between threads.
void registerMetaTypes();

// Loads "dudedoriv_" + language (the system locale's name when the language is empty) from
// `folder`, falling back to "dudedoriv_en"; logs the outcome directly into `log`. Installs
// the translator when either loads. Returns whether one was installed.
bool installTranslation(QTranslator* translator, CZKLogger* log, const QString& folder, const QString& language,
                        const QString& localeName);

// Applies "DarkOrange.qss" from the working folder when `skin` names the dark skin; silent when
// the file is missing.
bool applySkin(const QString& skin);

} // namespace CZKStartup
