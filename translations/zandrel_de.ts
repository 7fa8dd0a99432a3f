<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AISettingsState</name>
    <message>
        <source>No pending OAuth flow</source>
        <translation>Kein OAuth-Vorgang ausstehend</translation>
    </message>
    <message>
        <source>OAuth failed</source>
        <translation>OAuth fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>AuditExport</name>
    <message>
        <source>Allowed</source>
        <translation>Erlaubt</translation>
    </message>
    <message>
        <source>Denied</source>
        <translation>Verweigert</translation>
    </message>
</context>
<context>
    <name>DecodeError</name>
    <message>
        <source>Unexpected answer from the Hub: %1</source>
        <translation>Unerwartete Antwort vom Hub: %1</translation>
    </message>
</context>
<context>
    <name>Error</name>
    <message>
        <source>Unknown error</source>
        <translation>Unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>Formats</name>
    <message>
        <source>Free</source>
        <translation>Kostenlos</translation>
    </message>
</context>
<context>
    <name>HttpExchange</name>
    <message>
        <source>Could not reach the Hub at %1: connection refused</source>
        <translation>Hub unter %1 nicht erreichbar: Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>The Hub at %1 closed the connection before answering</source>
        <translation>Der Hub unter %1 hat die Verbindung vor der Antwort geschlossen</translation>
    </message>
    <message>
        <source>Could not reach the Hub at %1: host not found</source>
        <translation>Hub unter %1 nicht erreichbar: Host nicht gefunden</translation>
    </message>
    <message>
        <source>Could not reach the Hub at %1: %2</source>
        <translation>Hub unter %1 nicht erreichbar: %2</translation>
    </message>
    <message>
        <source>The application is quitting</source>
        <translation>Die Anwendung wird beendet</translation>
    </message>
    <message>
        <source>The Hub at %1 sent an answer larger than %2 MB</source>
        <translation>Der Hub unter %1 hat eine Antwort größer als %2 MB gesendet</translation>
    </message>
    <message numerus="yes">
        <source>The Hub at %1 did not answer within %2 second(s)</source>
        <translation>
            <numerusform>Der Hub unter %1 hat nicht innerhalb von %2 Sekunde geantwortet</numerusform>
            <numerusform>Der Hub unter %1 hat nicht innerhalb von %2 Sekunden geantwortet</numerusform>
        </translation>
    </message>
    <message>
        <source>The request was not sent: its %1 header holds a line break</source>
        <translation>Die Anfrage wurde nicht gesendet: ihr Kopffeld %1 enthält einen Zeilenumbruch</translation>
    </message>
</context>
<context>
    <name>HubAPIClient</name>
    <message>
        <source>The Hub&apos;s answer to the change was not an HTTP response</source>
        <translation>Der Hub hat auf die Änderung nicht mit einer HTTP-Antwort reagiert</translation>
    </message>
    <message>
        <source>The Hub did not confirm the change (HTTP status %1)</source>
        <translation>Der Hub hat die Änderung nicht bestätigt (HTTP-Status %1)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid app name</source>
        <translation>&quot;%1&quot; ist kein gültiger App-Name</translation>
    </message>
    <message>
        <source>The Hub port is not valid</source>
        <translation>Der Hub-Port ist ungültig</translation>
    </message>
</context>
<context>
    <name>JsonCodec</name>
    <message>
        <source>expected an integer</source>
        <translation>Ganzzahl erwartet</translation>
    </message>
    <message>
        <source>not valid JSON (%1 at offset %2)</source>
        <translation>kein gültiges JSON (%1 an Position %2)</translation>
    </message>
    <message>
        <source>expected a string</source>
        <translation>Zeichenkette erwartet</translation>
    </message>
    <message>
        <source>expected a boolean</source>
        <translation>Wahrheitswert erwartet</translation>
    </message>
    <message>
        <source>expected a number</source>
        <translation>Zahl erwartet</translation>
    </message>
    <message>
        <source>expected an array</source>
        <translation>Array erwartet</translation>
    </message>
    <message>
        <source>expected an object</source>
        <translation>Objekt erwartet</translation>
    </message>
    <message>
        <source>missing</source>
        <translation>fehlt</translation>
    </message>
</context>
<context>
    <name>StoreError</name>
    <message>
        <source>API error %1: %2</source>
        <translation>API-Fehler %1: %2</translation>
    </message>
</context>
<context>
    <name>StoreGridView</name>
    <message>
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
</context>
<context>
    <name>StrictJson</name>
    <message>
        <source>the answer is empty, expected JSON</source>
        <translation>die Antwort ist leer, JSON erwartet</translation>
    </message>
    <message>
        <source>not valid JSON: the text is not valid UTF-8</source>
        <translation>kein gültiges JSON: der Text ist kein gültiges UTF-8</translation>
    </message>
    <message>
        <source>not valid JSON: a string holds a control character that must be escaped</source>
        <translation>kein gültiges JSON: eine Zeichenkette enthält ein Steuerzeichen, das maskiert werden muss</translation>
    </message>
    <message>
        <source>not valid JSON: a string is not closed</source>
        <translation>kein gültiges JSON: eine Zeichenkette ist nicht abgeschlossen</translation>
    </message>
    <message>
        <source>not valid JSON: a string holds an invalid escape or a lone surrogate</source>
        <translation>kein gültiges JSON: eine Zeichenkette enthält eine ungültige Escape-Sequenz oder ein einzelnes Surrogat</translation>
    </message>
    <message>
        <source>not valid JSON: a number is not written as JSON allows</source>
        <translation>kein gültiges JSON: eine Zahl entspricht nicht der JSON-Schreibweise</translation>
    </message>
    <message>
        <source>not valid JSON: an unknown word stands where a value belongs</source>
        <translation>kein gültiges JSON: ein unbekanntes Wort steht, wo ein Wert hingehört</translation>
    </message>
    <message>
        <source>not valid JSON: arrays and objects are nested more than 1024 deep</source>
        <translation>kein gültiges JSON: Arrays und Objekte sind tiefer als 1024 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>not valid JSON: a value, comma, colon or bracket is missing or out of place</source>
        <translation>kein gültiges JSON: ein Wert, Komma, Doppelpunkt oder eine Klammer fehlt oder steht falsch</translation>
    </message>
    <message>
        <source>the document is too large to read</source>
        <translation>das Dokument ist zu groß zum Lesen</translation>
    </message>
    <message>
        <source>not valid JSON: %1</source>
        <translation>kein gültiges JSON: %1</translation>
    </message>
    <message>
        <source>not valid JSON: it starts with a byte-order mark</source>
        <translation>kein gültiges JSON: es beginnt mit einer Bytereihenfolge-Markierung</translation>
    </message>
</context>
<context>
    <name>UpdateNotification</name>
    <message>
        <source>Updates available</source>
        <translation>Updates verfügbar</translation>
    </message>
    <message>
        <source>Show Updates</source>
        <translation>Updates anzeigen</translation>
    </message>
    <message>
        <source>Update All</source>
        <translation>Alle aktualisieren</translation>
    </message>
    <message>
        <source>Updates can be installed</source>
        <translation>Updates können installiert werden</translation>
    </message>
    <message>
        <source>%1 can be updated</source>
        <translation>%1 kann aktualisiert werden</translation>
    </message>
    <message>
        <source>%1 and %2 can be updated</source>
        <translation>%1 und %2 können aktualisiert werden</translation>
    </message>
    <message numerus="yes">
        <source>%1, %2 and %n more can be updated</source>
        <translation>
            <numerusform>%1, %2 und %n weitere können aktualisiert werden</numerusform>
            <numerusform>%1, %2 und %n weitere können aktualisiert werden</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::AISettingsTab</name>
    <message>
        <source>Providers</source>
        <translation>Anbieter</translation>
    </message>
    <message>
        <source>Add Provider</source>
        <translation>Anbieter hinzufügen</translation>
    </message>
    <message>
        <source>No providers configured. Add one to get started.</source>
        <translation>Keine Anbieter eingerichtet. Fügen Sie zuerst einen hinzu.</translation>
    </message>
    <message>
        <source>Default Model</source>
        <translation>Standardmodell</translation>
    </message>
    <message>
        <source>No models available — configure a provider first</source>
        <translation>Keine Modelle verfügbar – richten Sie zuerst einen Anbieter ein</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>Per-App Overrides</source>
        <translation>Modell pro App</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Model for %1</source>
        <translation>Modell für %1</translation>
    </message>
    <message>
        <source>Fallback Chain</source>
        <translation>Ausweichreihenfolge</translation>
    </message>
    <message>
        <source>If the primary provider fails, try the next in order.</source>
        <translation>Fällt der erste Anbieter aus, wird der nächste versucht.</translation>
    </message>
    <message>
        <source>Fallback order; Alt+Up and Alt+Down move a provider</source>
        <translation>Ausweichreihenfolge; Alt+Pfeil nach oben und Alt+Pfeil nach unten verschieben einen Anbieter</translation>
    </message>
    <message>
        <source>Usage &amp; Cost</source>
        <translation>Nutzung &amp; Kosten</translation>
    </message>
    <message>
        <source>No usage data yet</source>
        <translation>Noch keine Nutzungsdaten</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>This Week</source>
        <translation>Diese Woche</translation>
    </message>
    <message>
        <source>This Month</source>
        <translation>Dieser Monat</translation>
    </message>
    <message>
        <source>Per-App Breakdown</source>
        <translation>Aufteilung nach App</translation>
    </message>
    <message>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <source>Requests</source>
        <translation>Anfragen</translation>
    </message>
    <message>
        <source>Tokens</source>
        <translation>Tokens</translation>
    </message>
    <message>
        <source>Cost</source>
        <translation>Kosten</translation>
    </message>
</context>
<context>
    <name>zandrel::AboutDialog</name>
    <message>
        <source>About Zandrel Hub</source>
        <translation>Über Zandrel Hub</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>The desktop window onto your local Zandrel Hub: its companion apps, the Zandrel Store, AI providers and each app&apos;s permissions.</source>
        <translation>Das Desktop-Fenster zu Ihrem lokalen Zandrel Hub: seine Begleit-Apps, der Zandrel Store, KI-Anbieter und die Berechtigungen jeder App.</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Licences</source>
        <translation>Lizenzen</translation>
    </message>
    <message>
        <source>MIT License</source>
        <translation>MIT-Lizenz</translation>
    </message>
    <message>
        <source>Tabler Icons (the bundled symbols)</source>
        <translation>Tabler Icons (die mitgelieferten Symbole)</translation>
    </message>
    <message>
        <source>GNU LGPL version 3</source>
        <translation>GNU LGPL Version 3</translation>
    </message>
    <message>
        <source>Apache License 2.0</source>
        <translation>Apache-Lizenz 2.0</translation>
    </message>
</context>
<context>
    <name>zandrel::AccountView</name>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Sign In</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Sign in to access the Zandrel Store</source>
        <translation>Melden Sie sich beim Zandrel Store an</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Or sign in with</source>
        <translation>Oder anmelden mit</translation>
    </message>
    <message>
        <source>Sign Out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>A sign-in link arrived that Zandrel Hub did not ask for. It was ignored: to sign in, use the buttons below.</source>
        <translation>Ein Anmeldelink ist eingetroffen, den Zandrel Hub nicht angefordert hat. Er wurde ignoriert: Melden Sie sich mit den Schaltflächen unten an.</translation>
    </message>
</context>
<context>
    <name>zandrel::AuditLogModel</name>
    <message>
        <source>Allowed</source>
        <translation>Erlaubt</translation>
    </message>
    <message>
        <source>Denied</source>
        <translation>Verweigert</translation>
    </message>
    <message>
        <source>App: %1</source>
        <translation>App: %1</translation>
    </message>
    <message>
        <source>Action: %1</source>
        <translation>Aktion: %1</translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation>Name: %1</translation>
    </message>
    <message>
        <source>Endpoint: %1</source>
        <translation>Endpunkt: %1</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Hinweis: %1</translation>
    </message>
</context>
<context>
    <name>zandrel::AuditLogPanel</name>
    <message>
        <source>Export Audit Log</source>
        <translation>Zugriffsprotokoll exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>CSV-Dateien (*.csv);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Search app, action or detail</source>
        <translation>App, Aktion oder Detail suchen</translation>
    </message>
    <message>
        <source>No entries match the filter</source>
        <translation>Keine Einträge passen zum Filter</translation>
    </message>
    <message>
        <source>Show more</source>
        <translation>Mehr anzeigen</translation>
    </message>
    <message>
        <source>Export…</source>
        <translation>Exportieren…</translation>
    </message>
    <message>
        <source>Search the audit log</source>
        <translation>Zugriffsprotokoll durchsuchen</translation>
    </message>
    <message>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <source>All Apps</source>
        <translation>Alle Apps</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Allowed</source>
        <translation>Erlaubt</translation>
    </message>
    <message>
        <source>Denied</source>
        <translation>Verweigert</translation>
    </message>
    <message>
        <source>Ask the Hub for a longer log</source>
        <translation>Ein längeres Protokoll vom Hub abrufen</translation>
    </message>
    <message>
        <source>Save the entries shown as a CSV file</source>
        <translation>Die angezeigten Einträge als CSV-Datei speichern</translation>
    </message>
    <message>
        <source>Could not export to %1: %2</source>
        <translation>Export nach %1 fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>No audit entries</source>
        <translation>Keine Protokolleinträge</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n entries</source>
        <translation>
            <numerusform>%1 von %n Eintrag</numerusform>
            <numerusform>%1 von %n Einträgen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::AuditLogView</name>
    <message>
        <source>Recent audit log</source>
        <translation>Neueste Protokolleinträge</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
</context>
<context>
    <name>zandrel::CategoryPill</name>
    <message>
        <source>Selected category</source>
        <translation>Ausgewählte Kategorie</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
</context>
<context>
    <name>zandrel::ContentView</name>
    <message>
        <source>About Zandrel Hub</source>
        <translation>Über Zandrel Hub</translation>
    </message>
    <message>
        <source>App not found</source>
        <translation>App nicht gefunden</translation>
    </message>
</context>
<context>
    <name>zandrel::FallbackChainModel</name>
    <message>
        <source>%1. %2, %3</source>
        <translation>%1. %2, %3</translation>
    </message>
</context>
<context>
    <name>zandrel::HubLogDelegate</name>
    <message>
        <source>%1 ms</source>
        <translation>%1 ms</translation>
    </message>
</context>
<context>
    <name>zandrel::HubLogFilterModel</name>
    <message numerus="yes">
        <source>%1 of %Ln line(s)</source>
        <translation>
            <numerusform>%1 von %Ln Zeile</numerusform>
            <numerusform>%1 von %Ln Zeilen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::HubLogModel</name>
    <message>
        <source>Log restarted</source>
        <translation>Protokoll neu begonnen</translation>
    </message>
    <message>
        <source>Server error: %1</source>
        <translation>Serverfehler: %1</translation>
    </message>
    <message>
        <source>Client error: %1</source>
        <translation>Anfragefehler: %1</translation>
    </message>
    <message>
        <source>Slow: %1</source>
        <translation>Langsam: %1</translation>
    </message>
</context>
<context>
    <name>zandrel::HubLogWindow</name>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Wrap lines</source>
        <translation>Zeilen umbrechen</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Clear View</source>
        <translation>Ansicht leeren</translation>
    </message>
    <message>
        <source>Load earlier lines</source>
        <translation>Frühere Zeilen laden</translation>
    </message>
    <message>
        <source>The Hub has not written a log yet</source>
        <translation>Der Hub hat noch kein Protokoll geschrieben</translation>
    </message>
    <message>
        <source>The Hub&apos;s log cannot be read</source>
        <translation>Das Protokoll des Hubs kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Hub Log</source>
        <translation>Hub-Protokoll</translation>
    </message>
    <message>
        <source>Hub log lines</source>
        <translation>Zeilen des Hub-Protokolls</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Search the log</source>
        <translation>Im Protokoll suchen</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
    <message numerus="yes">
        <source>Paused — %n new line(s)</source>
        <translation>
            <numerusform>Angehalten – %n neue Zeile</numerusform>
            <numerusform>Angehalten – %n neue Zeilen</numerusform>
        </translation>
    </message>
    <message>
        <source>Show the newest line and follow the log again</source>
        <translation>Zur neuesten Zeile springen und dem Protokoll wieder folgen</translation>
    </message>
</context>
<context>
    <name>zandrel::HubSettingsTab</name>
    <message>
        <source>This desktop has no system tray, so closing the window quits.</source>
        <translation>Kein Infobereich vorhanden: Schließen des Fensters beendet die Anwendung.</translation>
    </message>
    <message>
        <source>Keep running in the tray when the window is closed</source>
        <translation>Nach dem Schließen des Fensters im Infobereich weiterlaufen</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Start Hub on login</source>
        <translation>Hub beim Anmelden starten</translation>
    </message>
    <message>
        <source>Hub Server</source>
        <translation>Hub-Server</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>Show in the file manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Show the data folder</source>
        <translation>Datenordner anzeigen</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Apps</source>
        <translation>Apps</translation>
    </message>
    <message>
        <source>Could not write %1</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Could not remove %1</source>
        <translation>%1 konnte nicht entfernt werden</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Check for updates in the background</source>
        <translation>Im Hintergrund nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>Protokoll anzeigen</translation>
    </message>
    <message>
        <source>Show the Hub&apos;s log</source>
        <translation>Protokoll des Hubs anzeigen</translation>
    </message>
</context>
<context>
    <name>zandrel::HubState</name>
    <message>
        <source>Port %1 is outside 1–65535</source>
        <translation>Port %1 liegt außerhalb von 1–65535</translation>
    </message>
    <message>
        <source>Port %1 answers, but not as the Hub (HTTP %2)</source>
        <translation>Port %1 antwortet, aber nicht als Hub (HTTP %2)</translation>
    </message>
    <message>
        <source>Port %1 is used by another program</source>
        <translation>Port %1 ist von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>No answer after Start; see ~/%1</source>
        <translation>Keine Antwort nach dem Start; siehe ~/%1</translation>
    </message>
    <message>
        <source>No answer after Start</source>
        <translation>Keine Antwort nach dem Start</translation>
    </message>
    <message>
        <source>The zandrel command is not on PATH</source>
        <translation>Der Befehl zandrel ist nicht im PATH</translation>
    </message>
</context>
<context>
    <name>zandrel::InstalledAppCard</name>
    <message>
        <source>Installed app; Return opens it</source>
        <translation>Installierte App; Eingabetaste öffnet sie</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>zandrel::InstalledAppDetail</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
</context>
<context>
    <name>zandrel::InstalledAppsGrid</name>
    <message>
        <source>No Apps Installed</source>
        <translation>Keine Apps installiert</translation>
    </message>
    <message>
        <source>Browse the Store to find and install apps.</source>
        <translation>Suchen Sie im Store nach Apps, um sie zu installieren.</translation>
    </message>
    <message>
        <source>My Apps</source>
        <translation>Meine Apps</translation>
    </message>
</context>
<context>
    <name>zandrel::MainWindow</name>
    <message>
        <source>H&amp;ub</source>
        <translation>H&amp;ub</translation>
    </message>
    <message>
        <source>Start Hub</source>
        <translation>Hub starten</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Go</source>
        <translation>&amp;Gehe zu</translation>
    </message>
    <message>
        <source>My Apps</source>
        <translation>Meine Apps</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Entdecken</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aktualisierungen</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Find in Store</source>
        <translation>Im Store suchen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>About Zandrel Hub</source>
        <translation>Über Zandrel Hub</translation>
    </message>
    <message>
        <source>Stop Hub</source>
        <translation>Hub stoppen</translation>
    </message>
    <message>
        <source>Show Hub Log</source>
        <translation>Hub-Protokoll anzeigen</translation>
    </message>
</context>
<context>
    <name>zandrel::OAuthButton</name>
    <message>
        <source>Sign in with %1 in your web browser</source>
        <translation>Im Webbrowser mit %1 anmelden</translation>
    </message>
</context>
<context>
    <name>zandrel::PermissionsTab</name>
    <message>
        <source>read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>actions</source>
        <translation>Aktionen</translation>
    </message>
    <message>
        <source>No permission data available</source>
        <translation>Keine Berechtigungsdaten verfügbar</translation>
    </message>
    <message>
        <source>App Permissions</source>
        <translation>App-Berechtigungen</translation>
    </message>
    <message>
        <source>Recent Audit Log</source>
        <translation>Zugriffsprotokoll</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Refresh permissions and audit log</source>
        <translation>Berechtigungen und Zugriffsprotokoll aktualisieren</translation>
    </message>
    <message>
        <source>App</source>
        <translation>App</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Lesen</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>Schreiben</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Aktionen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>zandrel::ProviderCard</name>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>No API Key</source>
        <translation>Kein API-Schlüssel</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Not Tested</source>
        <translation>Nicht getestet</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Or enter an API key manually</source>
        <translation>Oder API-Schlüssel manuell eingeben</translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation>Verbindung testen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Remove provider</source>
        <translation>Anbieter entfernen</translation>
    </message>
    <message>
        <source>Available Models</source>
        <translation>Verfügbare Modelle</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Signed in</source>
        <translation>Angemeldet</translation>
    </message>
    <message>
        <source>Sign out</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Token refreshes automatically.</source>
        <translation>Das Token wird automatisch erneuert.</translation>
    </message>
    <message>
        <source>Paste the code from your browser:</source>
        <translation>Fügen Sie den Code aus Ihrem Browser ein:</translation>
    </message>
    <message>
        <source>Paste token here</source>
        <translation>Token hier einfügen</translation>
    </message>
    <message>
        <source>Submit</source>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Sign in with Claude</source>
        <translation>Mit Claude anmelden</translation>
    </message>
    <message>
        <source>Use your existing Claude Pro or Max subscription.</source>
        <translation>Nutzen Sie Ihr bestehendes Abonnement von Claude Pro oder Max.</translation>
    </message>
    <message>
        <source>Signed in as %1</source>
        <translation>Angemeldet als %1</translation>
    </message>
    <message>
        <source>Claude user</source>
        <translation>Claude-Benutzer</translation>
    </message>
    <message>
        <source>API Key</source>
        <translation>API-Schlüssel</translation>
    </message>
    <message>
        <source>API key</source>
        <translation>API-Schlüssel</translation>
    </message>
    <message>
        <source>Show key</source>
        <translation>Schlüssel anzeigen</translation>
    </message>
    <message>
        <source>Paste from clipboard</source>
        <translation>Aus der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Hide key</source>
        <translation>Schlüssel verbergen</translation>
    </message>
    <message numerus="yes">
        <source>%n model(s) available</source>
        <translation>
            <numerusform>%n Modell verfügbar</numerusform>
            <numerusform>%n Modelle verfügbar</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::SettingsView</name>
    <message>
        <source>Settings sections</source>
        <translation>Einstellungsbereiche</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>AI</source>
        <translation>KI</translation>
    </message>
    <message>
        <source>Hub</source>
        <translation>Hub</translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation>Berechtigungen</translation>
    </message>
</context>
<context>
    <name>zandrel::ShortcutsDialog</name>
    <message>
        <source>Keyboard Shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Befehl</translation>
    </message>
    <message>
        <source>Keys</source>
        <translation>Tasten</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>zandrel::Sidebar</name>
    <message>
        <source>Sections</source>
        <translation>Bereiche</translation>
    </message>
    <message>
        <source>My Apps</source>
        <translation>Meine Apps</translation>
    </message>
    <message>
        <source>Show all installed apps</source>
        <translation>Alle installierten Apps anzeigen</translation>
    </message>
    <message>
        <source>No apps installed</source>
        <translation>Keine Apps installiert</translation>
    </message>
    <message>
        <source>Store</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Entdecken</translation>
    </message>
    <message>
        <source>Updates</source>
        <translation>Aktualisierungen</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message numerus="yes">
        <source>Updates, %n available</source>
        <translation>
            <numerusform>Aktualisierungen, %n verfügbar</numerusform>
            <numerusform>Aktualisierungen, %n verfügbar</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::StatusBar</name>
    <message>
        <source>Stop the Hub</source>
        <translation>Hub stoppen</translation>
    </message>
    <message>
        <source>Start the Hub</source>
        <translation>Hub starten</translation>
    </message>
    <message>
        <source>Running</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stoppen</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Hub Running on :%1</source>
        <translation>Hub läuft auf :%1</translation>
    </message>
    <message>
        <source>Hub Stopped</source>
        <translation>Hub gestoppt</translation>
    </message>
    <message numerus="yes">
        <source>%n app(s)</source>
        <translation>
            <numerusform>%n App</numerusform>
            <numerusform>%n Apps</numerusform>
        </translation>
    </message>
    <message>
        <source>Show Log</source>
        <translation>Protokoll anzeigen</translation>
    </message>
    <message>
        <source>Show the Hub&apos;s log</source>
        <translation>Protokoll des Hubs anzeigen</translation>
    </message>
</context>
<context>
    <name>zandrel::StoreAppDetailSheet</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>by %1</source>
        <translation>von %1</translation>
    </message>
    <message>
        <source>v%1</source>
        <translation>v%1</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installiert</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Install</source>
        <translation>Installieren</translation>
    </message>
    <message>
        <source>Requirements</source>
        <translation>Voraussetzungen</translation>
    </message>
    <message>
        <source>macOS %1+</source>
        <translation>macOS %1+</translation>
    </message>
    <message>
        <source>Hub %1+</source>
        <translation>Hub %1+</translation>
    </message>
    <message>
        <source>Permissions: %1</source>
        <translation>Berechtigungen: %1</translation>
    </message>
    <message>
        <source>A link asks to install this app.</source>
        <translation>Ein Link möchte diese App installieren.</translation>
    </message>
</context>
<context>
    <name>zandrel::StoreAppListModel</name>
    <message>
        <source>by %1</source>
        <translation>von %1</translation>
    </message>
    <message>
        <source>rated %1</source>
        <translation>bewertet mit %1</translation>
    </message>
    <message>
        <source>Downloads: %1.</source>
        <translation>Downloads: %1.</translation>
    </message>
</context>
<context>
    <name>zandrel::StoreService</name>
    <message>
        <source>&quot;%1&quot; is not a valid store address</source>
        <translation>&quot;%1&quot; ist keine gültige Store-Adresse</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid app identifier: only letters, digits, &quot;-&quot;, &quot;_&quot; and &quot;.&quot; are allowed</source>
        <translation>&quot;%1&quot; ist keine gültige App-Kennung: nur Buchstaben, Ziffern, &quot;-&quot;, &quot;_&quot; und &quot;.&quot; sind erlaubt</translation>
    </message>
</context>
<context>
    <name>zandrel::StoreView</name>
    <message>
        <source>Store</source>
        <translation>Store</translation>
    </message>
    <message>
        <source>Loading apps…</source>
        <translation>Apps werden geladen…</translation>
    </message>
    <message>
        <source>No Apps Found</source>
        <translation>Keine Apps gefunden</translation>
    </message>
    <message>
        <source>Try a different search or category</source>
        <translation>Versuchen Sie eine andere Suche oder Kategorie</translation>
    </message>
    <message>
        <source>Store Unavailable</source>
        <translation>Store nicht verfügbar</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Search apps…</source>
        <translation>Apps suchen…</translation>
    </message>
    <message>
        <source>Search apps</source>
        <translation>Apps suchen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
</context>
<context>
    <name>zandrel::TrayIcon</name>
    <message>
        <source>Open Zandrel Hub</source>
        <translation>Zandrel Hub öffnen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message numerus="yes">
        <source>%n update(s) available</source>
        <translation>
            <numerusform>%n Aktualisierung verfügbar</numerusform>
            <numerusform>%n Aktualisierungen verfügbar</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UninstallDialog</name>
    <message>
        <source>Uninstall (keep data)</source>
        <translation>Deinstallieren (Daten behalten)</translation>
    </message>
    <message>
        <source>Uninstall &amp;&amp; delete data</source>
        <translation>Deinstallieren &amp;&amp; Daten löschen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Uninstall %1?</source>
        <translation>%1 deinstallieren?</translation>
    </message>
    <message>
        <source>Deleting app data removes conversations, settings, and all local data for %1.</source>
        <translation>Beim Löschen der App-Daten werden Unterhaltungen, Einstellungen und alle lokalen Daten von %1 entfernt.</translation>
    </message>
</context>
<context>
    <name>zandrel::UpdateListModel</name>
    <message>
        <source>Updated.</source>
        <translation>Aktualisiert.</translation>
    </message>
    <message>
        <source>Updating.</source>
        <translation>Wird aktualisiert.</translation>
    </message>
    <message>
        <source>Return updates it.</source>
        <translation>Eingabetaste aktualisiert sie.</translation>
    </message>
    <message>
        <source>%1, version %2</source>
        <translation>%1, Version %2</translation>
    </message>
</context>
<context>
    <name>zandrel::UpdateRow</name>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>Aktualisiert</translation>
    </message>
</context>
<context>
    <name>zandrel::UpdatesView</name>
    <message>
        <source>Updates</source>
        <translation>Aktualisierungen</translation>
    </message>
    <message>
        <source>Checking for updates…</source>
        <translation>Suche nach Aktualisierungen…</translation>
    </message>
    <message>
        <source>All Apps Up to Date</source>
        <translation>Alle Apps sind aktuell</translation>
    </message>
    <message>
        <source>You&apos;re running the latest versions of all your apps.</source>
        <translation>Sie verwenden die neuesten Versionen all Ihrer Apps.</translation>
    </message>
    <message>
        <source>Update All</source>
        <translation>Alle aktualisieren</translation>
    </message>
    <message>
        <source>Available updates</source>
        <translation>Verfügbare Aktualisierungen</translation>
    </message>
    <message>
        <source>Failed to update %1: %2</source>
        <translation>%1 konnte nicht aktualisiert werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n update(s) available</source>
        <translation>
            <numerusform>%n Aktualisierung verfügbar</numerusform>
            <numerusform>%n Aktualisierungen verfügbar</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UsageBar</name>
    <message>
        <source>Share of the largest spender</source>
        <translation>Anteil gemessen an der teuersten App</translation>
    </message>
    <message>
        <source>%1 %; %2</source>
        <translation>%1 %; %2</translation>
    </message>
    <message numerus="yes">
        <source>%1 in, %2 out, %3 request(s)</source>
        <translation>
            <numerusform>%1 Eingabe, %2 Ausgabe, %3 Anfrage</numerusform>
            <numerusform>%1 Eingabe, %2 Ausgabe, %3 Anfragen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::UsageCard</name>
    <message>
        <source>%1 in</source>
        <translation>%1 Eingabe</translation>
    </message>
    <message>
        <source>%1 out</source>
        <translation>%1 Ausgabe</translation>
    </message>
    <message numerus="yes">
        <source>%1 request(s)</source>
        <translation>
            <numerusform>%1 Anfrage</numerusform>
            <numerusform>%1 Anfragen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>zandrel::ZandrelHubApp</name>
    <message>
        <source>Could not install %1</source>
        <translation>%1 konnte nicht installiert werden</translation>
    </message>
    <message>
        <source>%1 installed</source>
        <translation>%1 installiert</translation>
    </message>
    <message>
        <source>%1 is ready in My Apps.</source>
        <translation>%1 steht in Meine Apps bereit.</translation>
    </message>
    <message>
        <source>An app waits for your confirmation</source>
        <translation>Eine App wartet auf Ihre Bestätigung</translation>
    </message>
    <message>
        <source>A link asks to install an app. Nothing is installed until you confirm it in Zandrel Hub.</source>
        <translation>Ein Link möchte eine App installieren. Nichts wird installiert, bevor Sie es in Zandrel Hub bestätigen.</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
</context>
<context>
    <name>zandrel::ui::Spinner</name>
    <message>
        <source>In progress</source>
        <translation>In Bearbeitung</translation>
    </message>
</context>
<context>
    <name>zandrel::ui::StatusDot</name>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Pink</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Mint</source>
        <translation>Mint</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
</context>
<context>
    <name>zandrel::ui::ToggleSwitch</name>
    <message>
        <source>On</source>
        <translation>Ein</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
</context>
</TS>
