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
    int showLevel = 255;
    bool logToFile = true;
    bool receiveOnIp = false;
    QString skin = QStringLiteral("DEFAULT");
    bool termAll = false;
};
