<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
    <context>
        <name>CZKAboutDlg</name>
        <message>
            <source>About</source>
            <translation>Über</translation>
        </message>
        <message>
            <source>Zekon Manager</source>
            <translation>Zekon Manager</translation>
        </message>
        <message>
            <source>Radio unit management for operators</source>
            <translation>Verwaltung der Funkeinheit</translation>
        </message>
        <message>
            <source>Version :</source>
            <translation>Version :</translation>
        </message>
    </context>
    <context>
        <name>CZKInitialize</name>
        <message>
            <source>Initialize</source>
            <translation>Initialisierung</translation>
        </message>
        <message>
            <source>Initialize ...</source>
            <translation>Initialisierung ...</translation>
        </message>
    </context>
    <context>
        <name>CZKInputPINPUKDialog</name>
        <message>
            <source>Enter</source>
            <translation>Eingabe</translation>
        </message>
        <message>
            <source>Enter PIN:</source>
            <translation>PIN eingeben:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Enter PUK:</source>
            <translation>PUK eingeben:</translation>
        </message>
    </context>
    <context>
        <name>CZKLauncher</name>
        <message>
            <source>TZK Manager Launcher</source>
            <translation>TZK Manager - Start</translation>
        </message>
        <message>
            <source>Radio unit manager
All rights reserved</source>
            <translation>Funkeinheit
Alle Rechte vorbehalten</translation>
        </message>
        <message>
            <source>Zekon Manager</source>
            <translation>Zekon Manager</translation>
        </message>
        <message>
            <source>User mode</source>
            <translation>Benutzermodus</translation>
        </message>
        <message>
            <source>Administration mode</source>
            <translation>Administratormodus</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Passwort</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Beenden</translation>
        </message>
        <message>
            <source>Go</source>
            <translation>Start</translation>
        </message>
        <message>
            <source>Warninig</source>
            <translation>Warnung</translation>
        </message>
        <message>
            <source>Authorization FAILED. Runing in User mode.</source>
            <translation>Autorisierung FEHLGESCHLAGEN. Weiter im Benutzermodus.</translation>
        </message>
        <message>
            <source>Password is FAILED.</source>
            <translation>Falsches Passwort.</translation>
        </message>
    </context>
    <context>
        <name>CZKMainWindow</name>
        <message>
            <source>TZK Manager</source>
            <translation>TZK Manager</translation>
        </message>
        <message>
            <source>&amp;File</source>
            <translation>&amp;Datei</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>&amp;Beenden</translation>
        </message>
        <message>
            <source>&amp;Language</source>
            <translation>&amp;Sprache</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Englisch</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>Spanisch</translation>
        </message>
        <message>
            <source>German</source>
            <translation>Deutsch</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>Russisch</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Polnisch</translation>
        </message>
    </context>
    <context>
        <name>CZKOptionsDlg</name>
        <message>
            <source>Options</source>
            <translation>Optionen</translation>
        </message>
        <message>
            <source>Logging</source>
            <translation>Protokoll</translation>
        </message>
        <message>
            <source>Level:</source>
            <translation>Stufe:</translation>
        </message>
        <message>
            <source>Errors</source>
            <translation>Fehler</translation>
        </message>
        <message>
            <source>Warnings</source>
            <translation>Warnungen</translation>
        </message>
        <message>
            <source>Debug</source>
            <translation>Debug</translation>
        </message>
        <message>
            <source>All</source>
            <translation>Alle</translation>
        </message>
        <message>
            <source>Show log</source>
            <translation>Protokoll anzeigen</translation>
        </message>
        <message>
            <source>Log to file</source>
            <translation>In Datei protokollieren</translation>
        </message>
        <message>
            <source>Administation</source>
            <translation>Administration</translation>
        </message>
        <message>
            <source>Extended GUI mode</source>
            <translation>Erweiterte Oberfläche</translation>
        </message>
        <message>
            <source>Receive on IP</source>
            <translation>Empfang auf IP</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Sprache:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Englisch</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Polnisch</translation>
        </message>
    </context>
    <context>
        <name>CZKPINTools</name>
        <message>
            <source>PIN and PUK may hold digits only.</source>
            <translation>PIN und PUK dürfen nur Ziffern enthalten.</translation>
        </message>
        <message>
            <source>PIN Error</source>
            <translation>PIN-Fehler</translation>
        </message>
    </context>
    <context>
        <name>CZKSetPIN</name>
        <message>
            <source>PIN Change</source>
            <translation>PIN ändern</translation>
        </message>
        <message>
            <source>Actual PIN:</source>
            <translation>Aktuelle PIN:</translation>
        </message>
        <message>
            <source>New PIN:</source>
            <translation>Neue PIN:</translation>
        </message>
        <message>
            <source>Retype PIN:</source>
            <translation>PIN wiederholen:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>Warnung</translation>
        </message>
        <message>
            <source>New PIN and retype it is not correct.</source>
            <translation>Neue PIN und Wiederholung stimmen nicht überein.</translation>
        </message>
    </context>
    <context>
        <name>CZKStartupThread</name>
        <message>
            <source>Ask PIN verification Timeout.</source>
            <translation>Zeitüberschreitung bei der PIN-Sperrabfrage.</translation>
        </message>
        <message>
            <source>Ask PIN Timeout.</source>
            <translation>Zeitüberschreitung bei der PIN-Abfrage.</translation>
        </message>
        <message>
            <source>PIN to short.</source>
            <translation>PIN ist zu kurz.</translation>
        </message>
        <message>
            <source>Enter PIN Timeout.</source>
            <translation>Zeitüberschreitung bei der PIN-Eingabe.</translation>
        </message>
        <message>
            <source>Enter PIN failed, try again?</source>
            <translation>PIN-Eingabe fehlgeschlagen, erneut versuchen?</translation>
        </message>
        <message>
            <source>Enter PIN success.</source>
            <translation>PIN angenommen.</translation>
        </message>
        <message>
            <source>PUK and PIN are requaired.</source>
            <translation>PUK und PIN sind erforderlich.</translation>
        </message>
        <message>
            <source>PUK to short.</source>
            <translation>PUK ist zu kurz.</translation>
        </message>
        <message>
            <source>PIN or PUK to short.</source>
            <translation>PIN oder PUK ist zu kurz.</translation>
        </message>
        <message>
            <source>Enter PUK Timeout.</source>
            <translation>Zeitüberschreitung bei der PUK-Eingabe.</translation>
        </message>
        <message>
            <source>Enter PIN/PUK success.</source>
            <translation>PIN/PUK angenommen.</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Error</source>
            <translation>Fehler</translation>
        </message>
        <message>
            <source>The local database could not be loaded:
%1</source>
            <translation>Die lokale Datenbank konnte nicht geladen werden:
%1</translation>
        </message>
    </context>
    <context>
        <name>QPlatformTheme</name>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Abbrechen</translation>
        </message>
        <message>
            <source>&amp;Yes</source>
            <translation>&amp;Ja</translation>
        </message>
        <message>
            <source>&amp;No</source>
            <translation>&amp;Nein</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Schließen</translation>
        </message>
    </context>
</TS>
