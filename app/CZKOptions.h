#pragma once

#include <QObject>
#include <QString>

// The program's one settings object: the ini file's values, laid over by command-line
// switches, read and written directly by its users on the GUI thread.
class CZKOptions : public QObject {
public:
    explicit CZKOptions(QObject* parent = nullptr);

    // Reads the ini file over the current values; a missing file leaves them all.
    bool load();
    // Writes the stored fields to the ini file.
    bool save();

    // Lays the command-line switches (without the program name) over the current values.
    void applySwitches(const QStringList& arguments);

    QString iniFile = QStringLiteral("dudedoriv.ini");
    bool extendedMode = false;
    QString language = QStringLiteral("PL");
    int logLevel = 255;
    // Until a level is stored the log view shows every entry. The view shows one type alone
    // for any other level, so a level no entry has, such as 255, would leave it empty.
    int showLevel = 0;
    bool logToFile = true;
    bool receiveOnIp = false;
    QString skin = QStringLiteral("DEFAULT");
    bool termAll = false;
};
