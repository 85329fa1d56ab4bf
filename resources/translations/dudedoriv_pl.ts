<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL">
<context>
    <name>CZKAboutDlg</name>
    <message>
        <source>About</source>
        <translation>O programie</translation>
    </message>
    <message>
        <source>Zekon Manager</source>
        <translation>Zekon Manager</translation>
    </message>
    <message>
        <source>Radio unit management for operators</source>
        <translation>Zarządzanie modułem radiowym</translation>
    </message>
    <message>
        <source>Version :</source>
        <translation>Wersja :</translation>
    </message>
</context>
<context>
    <name>CZKAddEditContact</name>
    <message>
        <source>Add contact</source>
        <translation>Dodaj kontakt</translation>
    </message>
    <message>
        <source>Name: </source>
        <translation>Nazwa: </translation>
    </message>
    <message>
        <source>MSISDN: </source>
        <translation>MSISDN: </translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Opis:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Edit contact</source>
        <translation>Edycja kontaktu</translation>
    </message>
    <message>
        <source>New contact</source>
        <translation>Nowy kontakt</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>NAME or MSISDN is empty, close window ?</source>
        <translation>Brak nazwy lub numeru MSISDN, zamknąć okno ?</translation>
    </message>
</context>
<context>
    <name>CZKInitialize</name>
    <message>
        <source>Initialize</source>
        <translation>Inicjalizacja</translation>
    </message>
    <message>
        <source>Initialize ...</source>
        <translation>Inicjalizacja ...</translation>
    </message>
</context>
<context>
    <name>CZKInputPINPUKDialog</name>
    <message>
        <source>Enter</source>
        <translation>Wprowadź</translation>
    </message>
    <message>
        <source>Enter PIN:</source>
        <translation>Podaj PIN:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Enter PUK:</source>
        <translation>Podaj PUK:</translation>
    </message>
</context>
<context>
    <name>CZKLauncher</name>
    <message>
        <source>TZK Manager Launcher</source>
        <translation>TZK Manager - uruchamianie</translation>
    </message>
    <message>
        <source>Radio unit manager
All rights reserved</source>
        <translation>Moduł radiowy
Prawa zastrzeżone</translation>
    </message>
    <message>
        <source>Zekon Manager</source>
        <translation>Zekon Manager</translation>
    </message>
    <message>
        <source>User mode</source>
        <translation>Tryb użytkownika</translation>
    </message>
    <message>
        <source>Administration mode</source>
        <translation>Tryb administratora</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Hasło</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Wyjście</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Warninig</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>Authorization FAILED. Runing in User mode.</source>
        <translation>Autoryzacja NIEUDANA. Praca w trybie użytkownika.</translation>
    </message>
    <message>
        <source>Password is FAILED.</source>
        <translation>Błędne hasło.</translation>
    </message>
</context>
<context>
    <name>CZKMSISDNSList</name>
    <message>
        <source>MSISDN&apos;s list</source>
        <translation>Lista numerów MSISDN</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Wybierz</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Local(%1)</source>
        <translation>Lokalne(%1)</translation>
    </message>
    <message>
        <source>SIM/USIM(%1)</source>
        <translation>SIM/USIM(%1)</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Pytanie</translation>
    </message>
    <message>
        <source>MSISDN not selcted, close ?</source>
        <translation>Nie wybrano numeru MSISDN, zamknąć ?</translation>
    </message>
</context>
<context>
    <name>CZKMainWindow</name>
    <message>
        <source>TZK Radio Manager</source>
        <translation>TZK Radio Manager</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ustawienia</translation>
    </message>
    <message>
        <source>RF Setup</source>
        <translation>Ustawienia RF</translation>
    </message>
    <message>
        <source>Signal level:</source>
        <translation>Poziom sygnału:</translation>
    </message>
    <message>
        <source>Radio paramaters:</source>
        <translation>Parametry radiowe:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Wyczyść</translation>
    </message>
    <message>
        <source>Tests</source>
        <translation>Testy</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Statystyki</translation>
    </message>
    <message>
        <source>Thr test</source>
        <translation>Test przepustowości</translation>
    </message>
    <message>
        <source>Select network interfece</source>
        <translation>Wybierz interfejs sieciowy</translation>
    </message>
    <message>
        <source>Interface:</source>
        <translation>Interfejs:</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Odśwież</translation>
    </message>
    <message>
        <source>MAC Address:</source>
        <translation>Adres MAC:</translation>
    </message>
    <message>
        <source>SMS</source>
        <translation>SMS</translation>
    </message>
    <message>
        <source>Name/MSISDN</source>
        <translation>Nazwa/MSISDN</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Treść</translation>
    </message>
    <message>
        <source>Date Time</source>
        <translation>Data i godzina</translation>
    </message>
    <message>
        <source>Phonebook</source>
        <translation>Kontakty</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nazwa</translation>
    </message>
    <message>
        <source>MSISDN</source>
        <translation>MSISDN</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Opis</translation>
    </message>
    <message>
        <source>Terminal</source>
        <translation>Terminal</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Dziennik</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Plik</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Akcje</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Język</translation>
    </message>
    <message>
        <source>Skins</source>
        <translation>Motywy</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Pomoc</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Zakończ</translation>
    </message>
    <message>
        <source>EN</source>
        <translation>EN</translation>
    </message>
    <message>
        <source>SP</source>
        <translation>SP</translation>
    </message>
    <message>
        <source>DE</source>
        <translation>DE</translation>
    </message>
    <message>
        <source>RU</source>
        <translation>RU</translation>
    </message>
    <message>
        <source>PL</source>
        <translation>PL</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Domyślny</translation>
    </message>
    <message>
        <source>DarkOrange</source>
        <translation>DarkOrange</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Spis treści</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>O programie...</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Sieć</translation>
    </message>
    <message>
        <source>Administration mode</source>
        <translation>Tryb administratora</translation>
    </message>
    <message>
        <source>Version: %1</source>
        <translation>Wersja: %1</translation>
    </message>
    <message>
        <source>Connected: </source>
        <translation>Połączenie: </translation>
    </message>
    <message>
        <source>Reading from device...</source>
        <translation>Odczyt danych z urządzenia...</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>Initialy reading data problem.</source>
        <translation>Problem z początkowym odczytem danych.</translation>
    </message>
    <message>
        <source>Active</source>
        <translation>aktywna</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edytuj</translation>
    </message>
    <message>
        <source>Read from device</source>
        <translation>Odczytaj z urządzenia</translation>
    </message>
    <message>
        <source>Apply profile</source>
        <translation>Zastosuj profil</translation>
    </message>
    <message>
        <source>Refresh profile</source>
        <translation>Odśwież profil</translation>
    </message>
    <message>
        <source>New profile</source>
        <translation>Nowy profil</translation>
    </message>
    <message>
        <source>Reading phonebook...</source>
        <translation>Odczyt książki telefonicznej...</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informacja</translation>
    </message>
    <message>
        <source>The unit&apos;s data profile was not read completely.</source>
        <translation>Profil danych urządzenia nie został odczytany w całości.</translation>
    </message>
    <message>
        <source>PIN Error</source>
        <translation>Błąd PIN</translation>
    </message>
    <message>
        <source>PIN is to short.</source>
        <translation>PIN jest za krótki.</translation>
    </message>
    <message>
        <source>PIN Status</source>
        <translation>Stan PIN</translation>
    </message>
    <message>
        <source>PIN verification enabled.</source>
        <translation>Weryfikacja kodu PIN włączona.</translation>
    </message>
    <message>
        <source>PIN verification disabled.</source>
        <translation>Weryfikacja kodu PIN wyłączona.</translation>
    </message>
    <message>
        <source>Set PIN verification error.</source>
        <translation>Błąd zmiany weryfikacji kodu PIN.</translation>
    </message>
    <message>
        <source>Change PIN</source>
        <translation>Zmiana PIN</translation>
    </message>
    <message>
        <source>Change PIN error! Size old PIN or new PIN incorrect</source>
        <translation>Błąd zmiany PIN! Nieprawidłowa długość starego lub nowego PIN</translation>
    </message>
    <message>
        <source>Change PIN success.</source>
        <translation>PIN został zmieniony.</translation>
    </message>
    <message>
        <source>Change PIN error!</source>
        <translation>Błąd zmiany PIN!</translation>
    </message>
    <message>
        <source>APN</source>
        <translation>APN</translation>
    </message>
    <message>
        <source>APN user</source>
        <translation>użytkownik APN</translation>
    </message>
    <message>
        <source>APN password</source>
        <translation>hasło APN</translation>
    </message>
    <message>
        <source>Save profile</source>
        <translation>Zapis profilu</translation>
    </message>
    <message>
        <source>%1 holds a double quote, a line break or Ctrl-Z, which the unit cannot take.</source>
        <translation>Pole %1 zawiera cudzysłów, koniec wiersza lub Ctrl-Z, których urządzenie nie przyjmie.</translation>
    </message>
    <message>
        <source>The profile &apos;%1&apos; could not be saved; it keeps its stored values.</source>
        <translation>Nie udało się zapisać profilu „%1”; zachowuje zapisane wartości.</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Pytanie</translation>
    </message>
    <message>
        <source>Remove profile: &apos;%1&apos; ?</source>
        <translation>Usunąć profil „%1” ?</translation>
    </message>
    <message>
        <source>Remove profile</source>
        <translation>Usuwanie profilu</translation>
    </message>
    <message>
        <source>The profile &apos;%1&apos; could not be removed.</source>
        <translation>Nie udało się usunąć profilu „%1”.</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Informacja</translation>
    </message>
    <message>
        <source>selectOperator - Dummy now</source>
        <translation>Wybór operatora nie jest jeszcze dostępny</translation>
    </message>
    <message>
        <source>Save SIMCard</source>
        <translation>Zapis karty SIM</translation>
    </message>
    <message>
        <source>SIMCard name is empty.</source>
        <translation>Nazwa karty SIM jest pusta.</translation>
    </message>
    <message>
        <source>The SIM card could not be saved.</source>
        <translation>Nie udało się zapisać karty SIM.</translation>
    </message>
    <message>
        <source>Set as active</source>
        <translation>Ustaw jako aktywną</translation>
    </message>
    <message>
        <source>The active SIM card could not be changed.</source>
        <translation>Nie udało się zmienić aktywnej karty SIM.</translation>
    </message>
    <message>
        <source>Send profile &apos;%1&apos; to device ?</source>
        <translation>Wysłać profil „%1” do urządzenia ?</translation>
    </message>
    <message>
        <source>Save changes ?</source>
        <translation>Zapisać zmiany ?</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>adres MAC</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>adres IP</translation>
    </message>
    <message>
        <source>UDP port</source>
        <translation>port UDP</translation>
    </message>
    <message>
        <source>The stored %1 &quot;%2&quot; of the unit is not valid. Nothing was sent to the device.</source>
        <translation>Zapisany %1 „%2” urządzenia jest nieprawidłowy. Nic nie wysłano do urządzenia.</translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; is not valid. Correct it and save again.</source>
        <translation>Pole „%1”: wartość „%2” jest nieprawidłowa. Popraw ją i zapisz ponownie.</translation>
    </message>
    <message>
        <source>The network configuration could not be saved to the database. Nothing was changed.</source>
        <translation>Nie udało się zapisać konfiguracji sieci w bazie danych. Nic nie zmieniono.</translation>
    </message>
    <message>
        <source>Disable PIN
verification</source>
        <translation>Wyłącz weryfikację
kodu PIN</translation>
    </message>
    <message>
        <source>Enable PIN
verification</source>
        <translation>Włącz weryfikację
kodu PIN</translation>
    </message>
    <message>
        <source>The %1 of profile &apos;%2&apos; holds a character that cannot be sent to the unit (&quot;, CR, LF or Ctrl-Z).</source>
        <translation>Pole %1 profilu „%2” zawiera znak, którego nie można wysłać do urządzenia (&quot;, CR, LF lub Ctrl-Z).</translation>
    </message>
    <message>
        <source>Profile is no set, set current profile.</source>
        <translation>Nie wybrano profilu, wybierz profil karty.</translation>
    </message>
    <message>
        <source>%1 messages</source>
        <translation>Zaznaczone wiadomości: %1</translation>
    </message>
    <message>
        <source>Remove %1 message?</source>
        <translation>Usunąć %1 wiadomość?</translation>
    </message>
    <message>
        <source>Remove %1 messages?</source>
        <translation>Usunąć zaznaczone wiadomości (%1)?</translation>
    </message>
    <message>
        <source>New short code</source>
        <translation>Nowy kod skrócony</translation>
    </message>
    <message>
        <source>Forward message</source>
        <translation>Przekaż wiadomość</translation>
    </message>
    <message>
        <source>Reply message</source>
        <translation>Odpowiedz na wiadomość</translation>
    </message>
    <message>
        <source>Send short code</source>
        <translation>Wyślij kod skrócony</translation>
    </message>
    <message>
        <source>SIM/USIM</source>
        <translation>SIM/USIM</translation>
    </message>
    <message>
        <source>SIM/USIM(%1)</source>
        <translation>SIM/USIM(%1)</translation>
    </message>
    <message>
        <source>SIM/USIM(%1,%2)</source>
        <translation>SIM/USIM(%1,%2)</translation>
    </message>
    <message>
        <source>A name or number of the SIM phone book cannot hold a double quote, a line break or Ctrl-Z.</source>
        <translation>Nazwa ani numer w książce telefonicznej karty SIM nie mogą zawierać cudzysłowu, końca wiersza ani Ctrl-Z.</translation>
    </message>
    <message>
        <source>Local(%1)</source>
        <translation>Lokalne(%1)</translation>
    </message>
    <message>
        <source>No contact has been selected</source>
        <translation>Nie wybrano kontaktu</translation>
    </message>
    <message>
        <source>Name : %1
MSISDN : %2</source>
        <translation>Nazwa : %1
MSISDN : %2</translation>
    </message>
    <message>
        <source>Name : %1
MSISDN : %2
Description: %3</source>
        <translation>Nazwa : %1
MSISDN : %2
Opis: %3</translation>
    </message>
    <message>
        <source>The SIM phone book is full.</source>
        <translation>Książka telefoniczna karty SIM jest pełna.</translation>
    </message>
    <message>
        <source>The SIM refused to save the phone-book entry &quot;%1&quot;.</source>
        <translation>Karta SIM nie przyjęła wpisu książki telefonicznej „%1”.</translation>
    </message>
    <message>
        <source>The SIM refused to remove the phone-book entry &quot;%1&quot;.</source>
        <translation>Karta SIM nie pozwoliła usunąć wpisu książki telefonicznej „%1”.</translation>
    </message>
    <message>
        <source>Remove %1 contact?</source>
        <translation>Usunąć %1 kontakt?</translation>
    </message>
    <message>
        <source>Remove %1 contacts?</source>
        <translation>Usunąć zaznaczone kontakty (%1)?</translation>
    </message>
    <message>
        <source>Send to contact</source>
        <translation>Wyślij do kontaktu</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Save current terminal session</source>
        <translation>Zapisz bieżącą sesję terminala</translation>
    </message>
    <message>
        <source>Clear terminal session</source>
        <translation>Wyczyść sesję terminala</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystko</translation>
    </message>
    <message>
        <source>Show all</source>
        <translation>Pokaż wszystko</translation>
    </message>
    <message>
        <source>Show debug info</source>
        <translation>Pokaż informacje diagnostyczne</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Ostrzeżenia</translation>
    </message>
    <message>
        <source>Show warnings</source>
        <translation>Pokaż ostrzeżenia</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>Błędy</translation>
    </message>
    <message>
        <source>Show errors</source>
        <translation>Pokaż błędy</translation>
    </message>
    <message>
        <source>Commands</source>
        <translation>Polecenia</translation>
    </message>
    <message>
        <source>Show send commands</source>
        <translation>Pokaż wysłane polecenia</translation>
    </message>
    <message>
        <source>Responses</source>
        <translation>Odpowiedzi</translation>
    </message>
    <message>
        <source>Show received respones</source>
        <translation>Pokaż odebrane odpowiedzi</translation>
    </message>
    <message>
        <source>New SMS</source>
        <translation>Nowy SMS</translation>
    </message>
    <message>
        <source>Send new SMS message</source>
        <translation>Wyślij nową wiadomość SMS</translation>
    </message>
    <message>
        <source>New USSD</source>
        <translation>Nowy kod USSD</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Reply</source>
        <translation>Odpowiedz</translation>
    </message>
    <message>
        <source>Inbox</source>
        <translation>Odebrane</translation>
    </message>
    <message>
        <source>Outbox</source>
        <translation>Wysłane</translation>
    </message>
    <message>
        <source>Read SMSes</source>
        <translation>Odczytaj SMS-y</translation>
    </message>
    <message>
        <source>Read messages from device</source>
        <translation>Odczytaj wiadomości z urządzenia</translation>
    </message>
    <message>
        <source>New contact</source>
        <translation>Nowy kontakt</translation>
    </message>
    <message>
        <source>Add new contact</source>
        <translation>Dodaj nowy kontakt</translation>
    </message>
    <message>
        <source>Edit contact</source>
        <translation>Edytuj kontakt</translation>
    </message>
    <message>
        <source>Remove contact</source>
        <translation>Usuń kontakt</translation>
    </message>
    <message>
        <source>Send SMS to contact</source>
        <translation>Wyślij SMS do kontaktu</translation>
    </message>
    <message>
        <source>Content is empty, save it ?</source>
        <translation>Treść jest pusta, zapisać ?</translation>
    </message>
    <message>
        <source>Save terminal log</source>
        <translation>Zapisz dziennik terminala</translation>
    </message>
    <message>
        <source>Save terminal log success</source>
        <translation>Dziennik terminala został zapisany</translation>
    </message>
    <message>
        <source>Save terminal log error</source>
        <translation>Błąd zapisu dziennika terminala</translation>
    </message>
    <message>
        <source>&lt;-- ZK receive status --&gt;

</source>
        <translation>&lt;-- Stan odbioru ZK --&gt;

</translation>
    </message>
    <message>
        <source>Ethernet RX IP4 Frames count: 		%1
</source>
        <translation>Ethernet RX IP4 Frames count: 		%1
</translation>
    </message>
    <message>
        <source>Ethernet RX IP6 Frames count: 		%1
</source>
        <translation>Ethernet RX IP6 Frames count: 		%1
</translation>
    </message>
    <message>
        <source>Ethernet RX ARP Frames count: 		%1
</source>
        <translation>Ethernet RX ARP Frames count: 		%1
</translation>
    </message>
    <message>
        <source>Ethernet RX QUALCOMM Frames count: 	%1
</source>
        <translation>Ethernet RX QUALCOMM Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet RX Ignored Frames count: 	%1
</source>
        <translation>Ethernet RX Ignored Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet RX Ignored IP4 Frames count: 	%1
</source>
        <translation>Ethernet RX Ignored IP4 Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet RX Ignored IP6 Frames count: 	%1
</source>
        <translation>Ethernet RX Ignored IP6 Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet RX Dropped Frames count: 	%1
</source>
        <translation>Ethernet RX Dropped Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet RX Error Frames count: 	%1
</source>
        <translation>Ethernet RX Error Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet RX To Short Frames count: 	%1
</source>
        <translation>Ethernet RX To Short Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet RX Buffor Full count: 		%1
</source>
        <translation>Ethernet RX Buffor Full count: 		%1
</translation>
    </message>
    <message>
        <source>Ethernet TX Queued Frames count: 	%1
</source>
        <translation>Ethernet TX Queued Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet TX Not Queued Frames count: 	%1
</source>
        <translation>Ethernet TX Not Queued Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet TX ReQueued Freames count: 	%1
</source>
        <translation>Ethernet TX ReQueued Freames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet TX Ignored Other Fremas count: 	%1
</source>
        <translation>Ethernet TX Ignored Other Fremas count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet TX Ignored No Link Frames count: 	%1
</source>
        <translation>Ethernet TX Ignored No Link Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet TX Dropped Frames count: 	%1
</source>
        <translation>Ethernet TX Dropped Frames count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet TX Errors count: 		%1
</source>
        <translation>Ethernet TX Errors count: 		%1
</translation>
    </message>
    <message>
        <source>Ethernet TX All Descr Busy count: 	%1
</source>
        <translation>Ethernet TX All Descr Busy count: 	%1
</translation>
    </message>
    <message>
        <source>Ethernet TX Queue Full count: 		%1
</source>
        <translation>Ethernet TX Queue Full count: 		%1
</translation>
    </message>
    <message>
        <source>DMA RX Error 1 count: 		%1
</source>
        <translation>DMA RX Error 1 count: 		%1
</translation>
    </message>
    <message>
        <source>DMA RX Error 2 count: 		%1
</source>
        <translation>DMA RX Error 2 count: 		%1
</translation>
    </message>
    <message>
        <source>DMA RX Error 3 count: 		%1
</source>
        <translation>DMA RX Error 3 count: 		%1
</translation>
    </message>
    <message>
        <source>DMA RX Error 4 count: 		%1
</source>
        <translation>DMA RX Error 4 count: 		%1
</translation>
    </message>
    <message>
        <source>DMA TX Error 1 count: 		%1
</source>
        <translation>DMA TX Error 1 count: 		%1
</translation>
    </message>
    <message>
        <source>DMA TX Error 2 count: 		%1
</source>
        <translation>DMA TX Error 2 count: 		%1
</translation>
    </message>
    <message>
        <source>DMA Queue Full count: 		%1
</source>
        <translation>DMA Queue Full count: 		%1
</translation>
    </message>
    <message>
        <source>DMA Get Wrong Queue count: 		%1
</source>
        <translation>DMA Get Wrong Queue count: 		%1
</translation>
    </message>
    <message>
        <source>DMA Put Wrong Queue count: 		%1
</source>
        <translation>DMA Put Wrong Queue count: 		%1
</translation>
    </message>
    <message>
        <source>USB Queue Full count: 		%1
</source>
        <translation>USB Queue Full count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Bo Init Error 1 count: 		%1
</source>
        <translation>USB IP Bo Init Error 1 count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Bo Init Error 2 count: 		%1
</source>
        <translation>USB IP Bo Init Error 2 count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Bo TR Errors count: 		%1
</source>
        <translation>USB IP Bo TR Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Bi Init Error 1 count: 		%1
</source>
        <translation>USB IP Bi Init Error 1 count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Bi Init Error 2 count: 		%1
</source>
        <translation>USB IP Bi Init Error 2 count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Bi TR Errors count: 		%1
</source>
        <translation>USB IP Bi TR Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Bi Wrong count: 		%1
</source>
        <translation>USB IP Bi Wrong count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Ii Init Errors count: 		%1
</source>
        <translation>USB IP Ii Init Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Ii TR Errors count: 		%1
</source>
        <translation>USB IP Ii TR Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB IP Ii Wrong count: 		%1
</source>
        <translation>USB IP Ii Wrong count: 		%1
</translation>
    </message>
    <message>
        <source>USB AT Bo Init Errors count: 		%1
</source>
        <translation>USB AT Bo Init Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB AT Bo TR Errors count: 		%1
</source>
        <translation>USB AT Bo TR Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB AT Bi Init Errors count: 		%1
</source>
        <translation>USB AT Bi Init Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB AT Bi TR Errors count: 		%1
</source>
        <translation>USB AT Bi TR Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB AT Ii Init Errors count: 		%1
</source>
        <translation>USB AT Ii Init Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB AT Ii TR Errors count: 		%1
</source>
        <translation>USB AT Ii TR Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB AT Ii Wrong count: 		%1
</source>
        <translation>USB AT Ii Wrong count: 		%1
</translation>
    </message>
    <message>
        <source>USB Control Errors count: 		%1
</source>
        <translation>USB Control Errors count: 		%1
</translation>
    </message>
    <message>
        <source>USB Get ENC Response Wrong count: 	%1
</source>
        <translation>USB Get ENC Response Wrong count: 	%1
</translation>
    </message>
    <message>
        <source>PHT Read Errors count: 		%1
</source>
        <translation>PHT Read Errors count: 		%1
</translation>
    </message>
    <message>
        <source>PHT Write Errors count: 		%1
</source>
        <translation>PHT Write Errors count: 		%1
</translation>
    </message>
    <message>
        <source>ARP Errors count: 		%1
</source>
        <translation>ARP Errors count: 		%1
</translation>
    </message>
    <message>
        <source>DHCP IP4 Errors count: 		%1
</source>
        <translation>DHCP IP4 Errors count: 		%1
</translation>
    </message>
    <message>
        <source>Remove messages</source>
        <translation>Usuń wiadomości</translation>
    </message>
</context>
<context>
    <name>CZKNewSMS</name>
    <message>
        <source>New message</source>
        <translation>Nowa wiadomość</translation>
    </message>
    <message>
        <source>Send to</source>
        <translation>Wyślij do</translation>
    </message>
    <message>
        <source>Chars :160</source>
        <translation>Znaki :160</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Wyślij</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Chars: %1</source>
        <translation>Znaki: %1</translation>
    </message>
    <message>
        <source>SMS/Chars: %1/(%2)%3</source>
        <translation>SMS/Znaki: %1/(%2)%3</translation>
    </message>
    <message>
        <source>Send message</source>
        <translation>Wyślij wiadomość</translation>
    </message>
    <message>
        <source>MSISDN is incorrect, close window?</source>
        <translation>Numer MSISDN jest niepoprawny, zamknąć okno?</translation>
    </message>
    <message>
        <source>Message is empty, send?</source>
        <translation>Wiadomość jest pusta, wysłać?</translation>
    </message>
    <message>
        <source>Read SMSC center MSISDN error, close window?</source>
        <translation>Błąd odczytu numeru centrum SMSC, zamknąć okno?</translation>
    </message>
    <message>
        <source>Send message success, close window?</source>
        <translation>Wiadomość wysłana, zamknąć okno?</translation>
    </message>
    <message>
        <source>Send message timeout, close window?</source>
        <translation>Przekroczono czas wysyłania wiadomości, zamknąć okno?</translation>
    </message>
    <message>
        <source>Send message error, close window?</source>
        <translation>Błąd wysyłania wiadomości, zamknąć okno?</translation>
    </message>
    <message>
        <source>Sending multipart message</source>
        <translation>Wysyłanie wiadomości wieloczęściowej</translation>
    </message>
    <message>
        <source>Send short code</source>
        <translation>Wyślij kod skrócony</translation>
    </message>
    <message>
        <source>Short code tekst is empty, close window?</source>
        <translation>Kod skrócony jest pusty, zamknąć okno?</translation>
    </message>
    <message>
        <source>The short code may not hold quotes or line breaks.</source>
        <translation>Kod skrócony nie może zawierać cudzysłowów ani znaków końca wiersza.</translation>
    </message>
    <message>
        <source>Send short code error (As BAND Error), close window?</source>
        <translation>Błąd wysyłania kodu skróconego (błąd odczytu trybu radiowego), zamknąć okno?</translation>
    </message>
    <message>
        <source>Send short code error (Ask BAND Error), close window?</source>
        <translation>Błąd wysyłania kodu skróconego (błąd odczytu pasma), zamknąć okno?</translation>
    </message>
    <message>
        <source>Wait for network error, close window?</source>
        <translation>Błąd oczekiwania na sieć, zamknąć okno?</translation>
    </message>
    <message>
        <source>Short code send, close window?</source>
        <translation>Kod skrócony wysłany, zamknąć okno?</translation>
    </message>
    <message>
        <source>Wait for response error, close window?</source>
        <translation>Błąd oczekiwania na odpowiedź, zamknąć okno?</translation>
    </message>
</context>
<context>
    <name>CZKOptionsDlg</name>
    <message>
        <source>Options</source>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Logging</source>
        <translation>Dziennik</translation>
    </message>
    <message>
        <source>Level:</source>
        <translation>Poziom:</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>Błędy</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>Ostrzeżenia</translation>
    </message>
    <message>
        <source>Debug</source>
        <translation>Diagnostyka</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Wszystko</translation>
    </message>
    <message>
        <source>Show log</source>
        <translation>Pokaż dziennik</translation>
    </message>
    <message>
        <source>Log to file</source>
        <translation>Dziennik do pliku</translation>
    </message>
    <message>
        <source>Administation</source>
        <translation>Administracja</translation>
    </message>
    <message>
        <source>Extended GUI mode</source>
        <translation>Rozszerzony interfejs</translation>
    </message>
    <message>
        <source>Receive on IP</source>
        <translation>Odbiór na IP</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Język:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Angielski</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>Polski</translation>
    </message>
</context>
<context>
    <name>CZKPINTools</name>
    <message>
        <source>PIN and PUK may hold digits only.</source>
        <translation>PIN i PUK mogą zawierać tylko cyfry.</translation>
    </message>
    <message>
        <source>PIN Error</source>
        <translation>Błąd PIN</translation>
    </message>
</context>
<context>
    <name>CZKSetPIN</name>
    <message>
        <source>PIN Change</source>
        <translation>Zmiana PIN</translation>
    </message>
    <message>
        <source>Actual PIN:</source>
        <translation>Aktualny PIN:</translation>
    </message>
    <message>
        <source>New PIN:</source>
        <translation>Nowy PIN:</translation>
    </message>
    <message>
        <source>Retype PIN:</source>
        <translation>Powtórz PIN:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>New PIN and retype it is not correct.</source>
        <translation>Nowy PIN i jego powtórzenie różnią się.</translation>
    </message>
</context>
<context>
    <name>CZKStartupThread</name>
    <message>
        <source>Ask PIN verification Timeout.</source>
        <translation>Przekroczony czas odczytu blokady PIN.</translation>
    </message>
    <message>
        <source>Ask PIN Timeout.</source>
        <translation>Przekroczony czas odczytu stanu PIN.</translation>
    </message>
    <message>
        <source>PIN to short.</source>
        <translation>PIN jest za krótki.</translation>
    </message>
    <message>
        <source>Enter PIN Timeout.</source>
        <translation>Przekroczony czas wprowadzania PIN.</translation>
    </message>
    <message>
        <source>Enter PIN failed, try again?</source>
        <translation>Błędny PIN, spróbować ponownie?</translation>
    </message>
    <message>
        <source>Enter PIN success.</source>
        <translation>PIN przyjęty.</translation>
    </message>
    <message>
        <source>PUK and PIN are requaired.</source>
        <translation>Wymagane są PUK i PIN.</translation>
    </message>
    <message>
        <source>PUK to short.</source>
        <translation>PUK jest za krótki.</translation>
    </message>
    <message>
        <source>PIN or PUK to short.</source>
        <translation>PIN lub PUK jest za krótki.</translation>
    </message>
    <message>
        <source>Enter PUK Timeout.</source>
        <translation>Przekroczony czas wprowadzania PUK.</translation>
    </message>
    <message>
        <source>Enter PIN/PUK success.</source>
        <translation>PIN/PUK przyjęty.</translation>
    </message>
</context>
<context>
    <name>CZKTerminalEditor</name>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>The command holds a line break or another control character, so it was not sent.</source>
        <translation>Polecenie zawiera koniec wiersza lub inny znak sterujący, więc nie zostało wysłane.</translation>
    </message>
</context>
<context>
    <name>FormEmpty</name>
    <message>
        <source>TZK Radio Manager</source>
        <translation>TZK Radio Manager</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Wersja:</translation>
    </message>
    <message>
        <source>Select the unit, a SIM card or a profile in the tree.</source>
        <translation>Wybierz w drzewie urządzenie, kartę SIM lub profil.</translation>
    </message>
</context>
<context>
    <name>FormMain</name>
    <message>
        <source>Device</source>
        <translation>Urządzenie</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>Modem model:</source>
        <translation>Model modemu:</translation>
    </message>
    <message>
        <source>Serial number:</source>
        <translation>Numer seryjny:</translation>
    </message>
    <message>
        <source>IMEI:</source>
        <translation>IMEI:</translation>
    </message>
    <message>
        <source>Firmware:</source>
        <translation>Oprogramowanie:</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Sieć</translation>
    </message>
    <message>
        <source>MAC address:</source>
        <translation>Adres MAC:</translation>
    </message>
    <message>
        <source>IP address:</source>
        <translation>Adres IP:</translation>
    </message>
    <message>
        <source>Network configuration:</source>
        <translation>Konfiguracja sieci:</translation>
    </message>
    <message>
        <source>UDP port:</source>
        <translation>Port UDP:</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Manufacturer:</source>
        <translation>Producent:</translation>
    </message>
    <message>
        <source>Device model:</source>
        <translation>Model urządzenia:</translation>
    </message>
    <message>
        <source>Revision:</source>
        <translation>Rewizja:</translation>
    </message>
    <message>
        <source>Processor:</source>
        <translation>Procesor:</translation>
    </message>
    <message>
        <source>CMSIS version:</source>
        <translation>Wersja CMSIS:</translation>
    </message>
    <message>
        <source>Peripheral library:</source>
        <translation>Biblioteka peryferiów:</translation>
    </message>
    <message>
        <source>Runtime library:</source>
        <translation>Biblioteka uruchomieniowa:</translation>
    </message>
    <message>
        <source>Build:</source>
        <translation>Kompilacja:</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edytuj</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Send to device</source>
        <translation>Wyślij do urządzenia</translation>
    </message>
    <message>
        <source>Read from device</source>
        <translation>Odczytaj z urządzenia</translation>
    </message>
</context>
<context>
    <name>FormProfile</name>
    <message>
        <source>Data profile</source>
        <translation>Profil danych</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>APN:</source>
        <translation>APN:</translation>
    </message>
    <message>
        <source>APN user:</source>
        <translation>Użytkownik APN:</translation>
    </message>
    <message>
        <source>APN password:</source>
        <translation>Hasło APN:</translation>
    </message>
    <message>
        <source>Radio technology:</source>
        <translation>Technologia radiowa:</translation>
    </message>
    <message>
        <source>Forced operator:</source>
        <translation>Wymuszony operator:</translation>
    </message>
    <message>
        <source>SIM operator:</source>
        <translation>Operator karty SIM:</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Skanuj</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Wybierz</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Nowy</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edytuj</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Usuń</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
</context>
<context>
    <name>FormSIMCard</name>
    <message>
        <source>SIM card</source>
        <translation>Karta SIM</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Nazwa:</translation>
    </message>
    <message>
        <source>IMSI:</source>
        <translation>IMSI:</translation>
    </message>
    <message>
        <source>SIM slot:</source>
        <translation>Gniazdo SIM:</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>Card</source>
        <translation>Karta</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Edytuj</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>Set as active</source>
        <translation>Ustaw jako aktywną</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Enter PIN</source>
        <translation>Wprowadź PIN</translation>
    </message>
    <message>
        <source>Unlock PIN</source>
        <translation>Odblokuj PIN</translation>
    </message>
    <message>
        <source>Enable PIN
verification</source>
        <translation>Włącz weryfikację
kodu PIN</translation>
    </message>
    <message>
        <source>Change PIN</source>
        <translation>Zmień PIN</translation>
    </message>
    <message>
        <source>Data profile</source>
        <translation>Profil danych</translation>
    </message>
    <message>
        <source>Apply profile</source>
        <translation>Zastosuj profil</translation>
    </message>
    <message>
        <source>Refresh profile</source>
        <translation>Odśwież profil</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Error</source>
        <translation>Błąd</translation>
    </message>
    <message>
        <source>The local database could not be loaded:
%1</source>
        <translation>Nie można wczytać lokalnej bazy danych:
%1</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Ostrzeżenie</translation>
    </message>
    <message>
        <source>The local database %1 can only be read: changes will not be saved.</source>
        <translation>Lokalną bazę danych %1 można tylko odczytywać: zmiany nie zostaną zapisane.</translation>
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
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Tak</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nie</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
</context>
</TS>
