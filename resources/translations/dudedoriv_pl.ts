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
            <translation>Administracja</translation>
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
            <source>TZK Manager</source>
            <translation>TZK Manager</translation>
        </message>
        <message>
            <source>&amp;File</source>
            <translation>&amp;Plik</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>&amp;Zakończ</translation>
        </message>
        <message>
            <source>&amp;Language</source>
            <translation>&amp;Język</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Angielski</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>Hiszpański</translation>
        </message>
        <message>
            <source>German</source>
            <translation>Niemiecki</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>Rosyjski</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Polski</translation>
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
            <translation>Logowanie</translation>
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
            <translation>Debug</translation>
        </message>
        <message>
            <source>All</source>
            <translation>Wszystko</translation>
        </message>
        <message>
            <source>Show log</source>
            <translation>Pokaż log</translation>
        </message>
        <message>
            <source>Log to file</source>
            <translation>Log do pliku</translation>
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
