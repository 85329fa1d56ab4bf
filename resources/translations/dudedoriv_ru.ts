<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
    <context>
        <name>CZKAboutDlg</name>
        <message>
            <source>About</source>
            <translation>О программе</translation>
        </message>
        <message>
            <source>Zekon Manager</source>
            <translation>Zekon Manager</translation>
        </message>
        <message>
            <source>Radio unit management for operators</source>
            <translation>Управление радиомодулем</translation>
        </message>
        <message>
            <source>Version :</source>
            <translation>Версия :</translation>
        </message>
    </context>
    <context>
        <name>CZKInitialize</name>
        <message>
            <source>Initialize</source>
            <translation>Инициализация</translation>
        </message>
        <message>
            <source>Initialize ...</source>
            <translation>Инициализация ...</translation>
        </message>
    </context>
    <context>
        <name>CZKInputPINPUKDialog</name>
        <message>
            <source>Enter</source>
            <translation>Ввод</translation>
        </message>
        <message>
            <source>Enter PIN:</source>
            <translation>Введите PIN:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Отмена</translation>
        </message>
        <message>
            <source>Enter PUK:</source>
            <translation>Введите PUK:</translation>
        </message>
    </context>
    <context>
        <name>CZKLauncher</name>
        <message>
            <source>TZK Manager Launcher</source>
            <translation>TZK Manager - запуск</translation>
        </message>
        <message>
            <source>Radio unit manager
All rights reserved</source>
            <translation>Радиомодуль
Все права защищены</translation>
        </message>
        <message>
            <source>Zekon Manager</source>
            <translation>Zekon Manager</translation>
        </message>
        <message>
            <source>User mode</source>
            <translation>Режим пользователя</translation>
        </message>
        <message>
            <source>Administration mode</source>
            <translation>Режим администратора</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Пароль</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Выход</translation>
        </message>
        <message>
            <source>Go</source>
            <translation>Пуск</translation>
        </message>
        <message>
            <source>Warninig</source>
            <translation>Предупреждение</translation>
        </message>
        <message>
            <source>Authorization FAILED. Runing in User mode.</source>
            <translation>Авторизация НЕ УДАЛАСЬ. Работа в режиме пользователя.</translation>
        </message>
        <message>
            <source>Password is FAILED.</source>
            <translation>Неверный пароль.</translation>
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
            <translation>&amp;Файл</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>В&amp;ыход</translation>
        </message>
        <message>
            <source>&amp;Language</source>
            <translation>&amp;Язык</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Английский</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>Испанский</translation>
        </message>
        <message>
            <source>German</source>
            <translation>Немецкий</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>Русский</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Польский</translation>
        </message>
    </context>
    <context>
        <name>CZKOptionsDlg</name>
        <message>
            <source>Options</source>
            <translation>Параметры</translation>
        </message>
        <message>
            <source>Logging</source>
            <translation>Журнал</translation>
        </message>
        <message>
            <source>Level:</source>
            <translation>Уровень:</translation>
        </message>
        <message>
            <source>Errors</source>
            <translation>Ошибки</translation>
        </message>
        <message>
            <source>Warnings</source>
            <translation>Предупреждения</translation>
        </message>
        <message>
            <source>Debug</source>
            <translation>Отладка</translation>
        </message>
        <message>
            <source>All</source>
            <translation>Все</translation>
        </message>
        <message>
            <source>Show log</source>
            <translation>Показ журнала</translation>
        </message>
        <message>
            <source>Log to file</source>
            <translation>Журнал в файл</translation>
        </message>
        <message>
            <source>Administation</source>
            <translation>Администрирование</translation>
        </message>
        <message>
            <source>Extended GUI mode</source>
            <translation>Расширенный интерфейс</translation>
        </message>
        <message>
            <source>Receive on IP</source>
            <translation>Приём на IP</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Язык:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Отмена</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Английский</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Польский</translation>
        </message>
    </context>
    <context>
        <name>CZKPINTools</name>
        <message>
            <source>PIN and PUK may hold digits only.</source>
            <translation>PIN и PUK могут содержать только цифры.</translation>
        </message>
        <message>
            <source>PIN Error</source>
            <translation>Ошибка PIN</translation>
        </message>
    </context>
    <context>
        <name>CZKSetPIN</name>
        <message>
            <source>PIN Change</source>
            <translation>Смена PIN</translation>
        </message>
        <message>
            <source>Actual PIN:</source>
            <translation>Текущий PIN:</translation>
        </message>
        <message>
            <source>New PIN:</source>
            <translation>Новый PIN:</translation>
        </message>
        <message>
            <source>Retype PIN:</source>
            <translation>Повторите PIN:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>OK</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Отмена</translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>Предупреждение</translation>
        </message>
        <message>
            <source>New PIN and retype it is not correct.</source>
            <translation>Новый PIN и повтор не совпадают.</translation>
        </message>
    </context>
    <context>
        <name>CZKStartupThread</name>
        <message>
            <source>Ask PIN verification Timeout.</source>
            <translation>Истекло время запроса блокировки PIN.</translation>
        </message>
        <message>
            <source>Ask PIN Timeout.</source>
            <translation>Истекло время запроса PIN.</translation>
        </message>
        <message>
            <source>PIN to short.</source>
            <translation>PIN слишком короткий.</translation>
        </message>
        <message>
            <source>Enter PIN Timeout.</source>
            <translation>Истекло время ввода PIN.</translation>
        </message>
        <message>
            <source>Enter PIN failed, try again?</source>
            <translation>Неверный PIN, повторить?</translation>
        </message>
        <message>
            <source>Enter PIN success.</source>
            <translation>PIN принят.</translation>
        </message>
        <message>
            <source>PUK and PIN are requaired.</source>
            <translation>Требуются PUK и PIN.</translation>
        </message>
        <message>
            <source>PUK to short.</source>
            <translation>PUK слишком короткий.</translation>
        </message>
        <message>
            <source>PIN or PUK to short.</source>
            <translation>PIN или PUK слишком короткий.</translation>
        </message>
        <message>
            <source>Enter PUK Timeout.</source>
            <translation>Истекло время ввода PUK.</translation>
        </message>
        <message>
            <source>Enter PIN/PUK success.</source>
            <translation>PIN/PUK принят.</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Error</source>
            <translation>Ошибка</translation>
        </message>
        <message>
            <source>The local database could not be loaded:
%1</source>
            <translation>Не удалось загрузить локальную базу данных:
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
            <translation>Отмена</translation>
        </message>
        <message>
            <source>&amp;Yes</source>
            <translation>&amp;Да</translation>
        </message>
        <message>
            <source>&amp;No</source>
            <translation>&amp;Нет</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Закрыть</translation>
        </message>
    </context>
</TS>
