<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB">
<context>
    <name>CZKAboutDlg</name>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zekon Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio unit management for operators</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version :</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKInitialize</name>
    <message>
        <source>Initialize</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Initialize ...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKInputPINPUKDialog</name>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PIN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PUK:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKLauncher</name>
    <message>
        <source>TZK Manager Launcher</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio unit manager
All rights reserved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zekon Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Administration mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warninig</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Authorization FAILED. Runing in User mode.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password is FAILED.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKMainWindow</name>
    <message>
        <source>TZK Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>German</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Russian</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polish</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKOptionsDlg</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logging</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Errors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Debug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log to file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Administation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Extended GUI mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Receive on IP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Polish</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKPINTools</name>
    <message>
        <source>PIN and PUK may hold digits only.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKSetPIN</name>
    <message>
        <source>PIN Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actual PIN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New PIN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retype PIN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New PIN and retype it is not correct.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKStartupThread</name>
    <message>
        <source>Ask PIN verification Timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask PIN Timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN to short.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PIN Timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PIN failed, try again?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PIN success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PUK and PIN are requaired.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PUK to short.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN or PUK to short.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PUK Timeout.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PIN/PUK success.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The local database could not be loaded:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
