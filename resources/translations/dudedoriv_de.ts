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
    <name>CZKAddEditContact</name>
    <message>
        <source>Add contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSISDN: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished">OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Abbrechen</translation>
    </message>
    <message>
        <source>Edit contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished">Fehler</translation>
    </message>
    <message>
        <source>NAME or MSISDN is empty, close window ?</source>
        <translation type="unfinished"></translation>
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
    <name>CZKMSISDNSList</name>
    <message>
        <source>MSISDN&apos;s list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Abbrechen</translation>
    </message>
    <message>
        <source>Local(%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM/USIM(%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSISDN not selcted, close ?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKMainWindow</name>
    <message>
        <source>TZK Radio Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RF Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Signal level:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio paramaters:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Thr test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select network interfece</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interface:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name/MSISDN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Phonebook</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSISDN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Actions</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Skins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished">Optionen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished">Beenden</translation>
    </message>
    <message>
        <source>EN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SP</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RU</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DarkOrange</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Index</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Administration mode</source>
        <translation type="unfinished">Administratormodus</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading from device...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished">Warnung</translation>
    </message>
    <message>
        <source>Initialy reading data problem.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read from device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading phonebook...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s data profile was not read completely.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN Error</source>
        <translation type="unfinished">PIN-Fehler</translation>
    </message>
    <message>
        <source>PIN is to short.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN verification enabled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN verification disabled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set PIN verification error.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change PIN error! Size old PIN or new PIN incorrect</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change PIN success.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change PIN error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APN user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APN password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds a double quote, a line break or Ctrl-Z, which the unit cannot take.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile &apos;%1&apos; could not be saved; it keeps its stored values.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Question</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove profile: &apos;%1&apos; ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The profile &apos;%1&apos; could not be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>selectOperator - Dummy now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save SIMCard</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIMCard name is empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM card could not be saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set as active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The active SIM card could not be changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send profile &apos;%1&apos; to device ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UDP port</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The stored %1 &quot;%2&quot; of the unit is not valid. Nothing was sent to the device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is not valid. Correct it and save again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The network configuration could not be saved to the database. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Disable PIN
verification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable PIN
verification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 of profile &apos;%2&apos; holds a character that cannot be sent to the unit (&quot;, CR, LF or Ctrl-Z).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile is no set, set current profile.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 messages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove %1 message?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove %1 messages?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New short code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reply message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send short code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM/USIM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM/USIM(%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM/USIM(%1,%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A name or number of the SIM phone book cannot hold a double quote, a line break or Ctrl-Z.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Local(%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No contact has been selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name : %1
MSISDN : %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name : %1
MSISDN : %2
Description: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM phone book is full.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The SIM refused to save the phone-book entry &quot;%1&quot;.</source>
        <translation>Die SIM-Karte hat das Speichern des Telefonbucheintrags „%1“ abgelehnt.</translation>
    </message>
    <message>
        <source>The SIM refused to remove the phone-book entry &quot;%1&quot;.</source>
        <translation>Die SIM-Karte hat das Löschen des Telefonbucheintrags „%1“ abgelehnt.</translation>
    </message>
    <message>
        <source>Remove %1 contact?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove %1 contacts?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save current terminal session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear terminal session</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished">Alle</translation>
    </message>
    <message>
        <source>Show all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show debug info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation type="unfinished">Warnungen</translation>
    </message>
    <message>
        <source>Show warnings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Errors</source>
        <translation type="unfinished">Fehler</translation>
    </message>
    <message>
        <source>Show errors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show send commands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Responses</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show received respones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New SMS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send new SMS message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New USSD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reply</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Outbox</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read SMSes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read messages from device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add new contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send SMS to contact</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Content is empty, save it ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save terminal log</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save terminal log success</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save terminal log error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;-- ZK receive status --&gt;

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX IP4 Frames count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX IP6 Frames count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX ARP Frames count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX QUALCOMM Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX Ignored Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX Ignored IP4 Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX Ignored IP6 Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX Dropped Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX Error Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX To Short Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet RX Buffor Full count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX Queued Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX Not Queued Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX ReQueued Freames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX Ignored Other Fremas count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX Ignored No Link Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX Dropped Frames count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX All Descr Busy count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ethernet TX Queue Full count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA RX Error 1 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA RX Error 2 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA RX Error 3 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA RX Error 4 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA TX Error 1 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA TX Error 2 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA Queue Full count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA Get Wrong Queue count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMA Put Wrong Queue count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Queue Full count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Bo Init Error 1 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Bo Init Error 2 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Bo TR Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Bi Init Error 1 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Bi Init Error 2 count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Bi TR Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Bi Wrong count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Ii Init Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Ii TR Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB IP Ii Wrong count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB AT Bo Init Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB AT Bo TR Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB AT Bi Init Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB AT Bi TR Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB AT Ii Init Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB AT Ii TR Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB AT Ii Wrong count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Control Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Get ENC Response Wrong count: 	%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PHT Read Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PHT Write Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ARP Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DHCP IP4 Errors count: 		%1
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove messages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CZKNewSMS</name>
    <message>
        <source>New message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chars :160</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Abbrechen</translation>
    </message>
    <message>
        <source>Chars: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SMS/Chars: %1/(%2)%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MSISDN is incorrect, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Message is empty, send?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read SMSC center MSISDN error, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send message success, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send message timeout, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send message error, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending multipart message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send short code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short code tekst is empty, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The short code may not hold quotes or line breaks.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send short code error (As BAND Error), close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send short code error (Ask BAND Error), close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait for network error, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Short code send, close window?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait for response error, close window?</source>
        <translation type="unfinished"></translation>
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
    <name>CZKTerminalEditor</name>
    <message>
        <source>Warning</source>
        <translation type="unfinished">Warnung</translation>
    </message>
    <message>
        <source>The command holds a line break or another control character, so it was not sent.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormEmpty</name>
    <message>
        <source>TZK Radio Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select the unit, a SIM card or a profile in the tree.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormMain</name>
    <message>
        <source>Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Modem model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMEI:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network configuration:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>UDP port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device model:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Revision:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Processor:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CMSIS version:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Peripheral library:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runtime library:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Build:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Abbrechen</translation>
    </message>
    <message>
        <source>Send to device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read from device</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FormProfile</name>
    <message>
        <source>Data profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APN:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APN user:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>APN password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radio technology:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forced operator:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM operator:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Abbrechen</translation>
    </message>
</context>
<context>
    <name>FormSIMCard</name>
    <message>
        <source>SIM card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IMSI:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SIM slot:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Card</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished">Abbrechen</translation>
    </message>
    <message>
        <source>Set as active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unlock PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable PIN
verification</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change PIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Data profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Apply profile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh profile</source>
        <translation type="unfinished"></translation>
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
    <message>
        <source>Warning</source>
        <translation type="unfinished">Warnung</translation>
    </message>
    <message>
        <source>The local database %1 can only be read: changes will not be saved.</source>
        <translation type="unfinished"></translation>
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
