<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
    <context>
        <name>CZKAboutDlg</name>
        <message>
            <source>About</source>
            <translation>Acerca de</translation>
        </message>
        <message>
            <source>Zekon Manager</source>
            <translation>Zekon Manager</translation>
        </message>
        <message>
            <source>Radio unit management for operators</source>
            <translation>Gestión de la unidad de radio</translation>
        </message>
        <message>
            <source>Version :</source>
            <translation>Versión :</translation>
        </message>
    </context>
    <context>
        <name>CZKInitialize</name>
        <message>
            <source>Initialize</source>
            <translation>Inicialización</translation>
        </message>
        <message>
            <source>Initialize ...</source>
            <translation>Inicialización ...</translation>
        </message>
    </context>
    <context>
        <name>CZKInputPINPUKDialog</name>
        <message>
            <source>Enter</source>
            <translation>Introducir</translation>
        </message>
        <message>
            <source>Enter PIN:</source>
            <translation>Introduzca el PIN:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>Aceptar</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>Enter PUK:</source>
            <translation>Introduzca el PUK:</translation>
        </message>
    </context>
    <context>
        <name>CZKLauncher</name>
        <message>
            <source>TZK Manager Launcher</source>
            <translation>TZK Manager - inicio</translation>
        </message>
        <message>
            <source>Radio unit manager
All rights reserved</source>
            <translation>Unidad de radio
Derechos reservados</translation>
        </message>
        <message>
            <source>Zekon Manager</source>
            <translation>Zekon Manager</translation>
        </message>
        <message>
            <source>User mode</source>
            <translation>Modo usuario</translation>
        </message>
        <message>
            <source>Administration mode</source>
            <translation>Modo administrador</translation>
        </message>
        <message>
            <source>Password</source>
            <translation>Contraseña</translation>
        </message>
        <message>
            <source>Exit</source>
            <translation>Salir</translation>
        </message>
        <message>
            <source>Go</source>
            <translation>Iniciar</translation>
        </message>
        <message>
            <source>Warninig</source>
            <translation>Advertencia</translation>
        </message>
        <message>
            <source>Authorization FAILED. Runing in User mode.</source>
            <translation>La autorización FALLÓ. Se continúa en modo usuario.</translation>
        </message>
        <message>
            <source>Password is FAILED.</source>
            <translation>Contraseña incorrecta.</translation>
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
            <translation>&amp;Archivo</translation>
        </message>
        <message>
            <source>E&amp;xit</source>
            <translation>&amp;Salir</translation>
        </message>
        <message>
            <source>&amp;Language</source>
            <translation>&amp;Idioma</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Inglés</translation>
        </message>
        <message>
            <source>Spanish</source>
            <translation>Español</translation>
        </message>
        <message>
            <source>German</source>
            <translation>Alemán</translation>
        </message>
        <message>
            <source>Russian</source>
            <translation>Ruso</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Polaco</translation>
        </message>
    </context>
    <context>
        <name>CZKOptionsDlg</name>
        <message>
            <source>Options</source>
            <translation>Opciones</translation>
        </message>
        <message>
            <source>Logging</source>
            <translation>Registro</translation>
        </message>
        <message>
            <source>Level:</source>
            <translation>Nivel:</translation>
        </message>
        <message>
            <source>Errors</source>
            <translation>Errores</translation>
        </message>
        <message>
            <source>Warnings</source>
            <translation>Advertencias</translation>
        </message>
        <message>
            <source>Debug</source>
            <translation>Depuración</translation>
        </message>
        <message>
            <source>All</source>
            <translation>Todo</translation>
        </message>
        <message>
            <source>Show log</source>
            <translation>Mostrar registro</translation>
        </message>
        <message>
            <source>Log to file</source>
            <translation>Registro en archivo</translation>
        </message>
        <message>
            <source>Administation</source>
            <translation>Administración</translation>
        </message>
        <message>
            <source>Extended GUI mode</source>
            <translation>Interfaz ampliada</translation>
        </message>
        <message>
            <source>Receive on IP</source>
            <translation>Recepción en IP</translation>
        </message>
        <message>
            <source>Language:</source>
            <translation>Idioma:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>Aceptar</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>English</source>
            <translation>Inglés</translation>
        </message>
        <message>
            <source>Polish</source>
            <translation>Polaco</translation>
        </message>
    </context>
    <context>
        <name>CZKPINTools</name>
        <message>
            <source>PIN and PUK may hold digits only.</source>
            <translation>El PIN y el PUK solo pueden contener dígitos.</translation>
        </message>
        <message>
            <source>PIN Error</source>
            <translation>Error de PIN</translation>
        </message>
    </context>
    <context>
        <name>CZKSetPIN</name>
        <message>
            <source>PIN Change</source>
            <translation>Cambio de PIN</translation>
        </message>
        <message>
            <source>Actual PIN:</source>
            <translation>PIN actual:</translation>
        </message>
        <message>
            <source>New PIN:</source>
            <translation>PIN nuevo:</translation>
        </message>
        <message>
            <source>Retype PIN:</source>
            <translation>Repita el PIN:</translation>
        </message>
        <message>
            <source>OK</source>
            <translation>Aceptar</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>Warning</source>
            <translation>Advertencia</translation>
        </message>
        <message>
            <source>New PIN and retype it is not correct.</source>
            <translation>El PIN nuevo y su repetición no coinciden.</translation>
        </message>
    </context>
    <context>
        <name>CZKStartupThread</name>
        <message>
            <source>Ask PIN verification Timeout.</source>
            <translation>Tiempo agotado al consultar el bloqueo del PIN.</translation>
        </message>
        <message>
            <source>Ask PIN Timeout.</source>
            <translation>Tiempo agotado al consultar el PIN.</translation>
        </message>
        <message>
            <source>PIN to short.</source>
            <translation>El PIN es demasiado corto.</translation>
        </message>
        <message>
            <source>Enter PIN Timeout.</source>
            <translation>Tiempo agotado al introducir el PIN.</translation>
        </message>
        <message>
            <source>Enter PIN failed, try again?</source>
            <translation>PIN incorrecto, ¿intentar de nuevo?</translation>
        </message>
        <message>
            <source>Enter PIN success.</source>
            <translation>PIN aceptado.</translation>
        </message>
        <message>
            <source>PUK and PIN are requaired.</source>
            <translation>Se requieren el PUK y el PIN.</translation>
        </message>
        <message>
            <source>PUK to short.</source>
            <translation>El PUK es demasiado corto.</translation>
        </message>
        <message>
            <source>PIN or PUK to short.</source>
            <translation>El PIN o el PUK es demasiado corto.</translation>
        </message>
        <message>
            <source>Enter PUK Timeout.</source>
            <translation>Tiempo agotado al introducir el PUK.</translation>
        </message>
        <message>
            <source>Enter PIN/PUK success.</source>
            <translation>PIN/PUK aceptado.</translation>
        </message>
    </context>
    <context>
        <name>QObject</name>
        <message>
            <source>Error</source>
            <translation>Error</translation>
        </message>
        <message>
            <source>The local database could not be loaded:
%1</source>
            <translation>No se pudo cargar la base de datos local:
%1</translation>
        </message>
    </context>
    <context>
        <name>QPlatformTheme</name>
        <message>
            <source>OK</source>
            <translation>Aceptar</translation>
        </message>
        <message>
            <source>Cancel</source>
            <translation>Cancelar</translation>
        </message>
        <message>
            <source>&amp;Yes</source>
            <translation>&amp;Sí</translation>
        </message>
        <message>
            <source>&amp;No</source>
            <translation>&amp;No</translation>
        </message>
        <message>
            <source>Close</source>
            <translation>Cerrar</translation>
        </message>
    </context>
</TS>
