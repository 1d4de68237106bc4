<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AIPanel</name>
    <message>
        <source>Add your OpenAI API key in Settings</source>
        <translation>Tragen Sie Ihren OpenAI-API-Schlüssel in den Einstellungen ein</translation>
    </message>
    <message>
        <source>Conversation</source>
        <translation>Unterhaltung</translation>
    </message>
    <message>
        <source>You: %1</source>
        <translation>Sie: %1</translation>
    </message>
    <message>
        <source>Answer: %1</source>
        <translation>Antwort: %1</translation>
    </message>
    <message>
        <source>Thinking</source>
        <comment>the answer is being written</comment>
        <translation>Denkt nach</translation>
    </message>
    <message>
        <source>Thinking...</source>
        <translation>Denkt nach …</translation>
    </message>
    <message>
        <source>Ask anything...</source>
        <translation>Fragen Sie etwas …</translation>
    </message>
    <message>
        <source>Question</source>
        <comment>the chat input field</comment>
        <translation>Frage</translation>
    </message>
    <message>
        <source>Send</source>
        <comment>sends the question</comment>
        <translation>Senden</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>AIStore</name>
    <message>
        <source>The API key contains characters that cannot be sent</source>
        <translation>Der API-Schlüssel enthält Zeichen, die sich nicht senden lassen</translation>
    </message>
    <message>
        <source>Plain http to %1 is not encrypted, so no API key is sent to it. Use it anyway?</source>
        <translation>Einfaches http zu %1 ist nicht verschlüsselt, darum geht kein API-Schlüssel dorthin. Trotzdem verwenden?</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <source>Taken by another program</source>
        <translation>Von einem anderen Programm belegt</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension to use it.</source>
        <translation>Schalten Sie die GNOME-Shell-Erweiterung ein, um es zu verwenden.</translation>
    </message>
    <message>
        <source>This desktop lends its keys to no program: bind brivane --toggle in its own settings.</source>
        <translation>Diese Arbeitsumgebung überlässt keinem Programm Tasten: Legen Sie brivane --toggle in ihren eigenen Einstellungen auf eine Taste.</translation>
    </message>
    <message>
        <source>Finish setting up Brivane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn on Brivane&apos;s extension in GNOME&apos;s Extensions app, or with &quot;Turn On&quot; in Brivane&apos;s settings window, then log out and in again: the centre of the top bar will then open the card.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ClipboardPanel</name>
    <message>
        <source>Clipboard</source>
        <comment>the Clip tab&apos;s heading</comment>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Capture</source>
        <comment>takes what the clipboard holds</comment>
        <translation>Übernehmen</translation>
    </message>
    <message>
        <source>Copy some text, then tap Capture.</source>
        <translation>Kopieren Sie einen Text und tippen Sie dann auf „Übernehmen“.</translation>
    </message>
    <message>
        <source>Copy back: %1</source>
        <translation>Wieder kopieren: %1</translation>
    </message>
    <message>
        <source>Delete entry: %1</source>
        <translation>Eintrag löschen: %1</translation>
    </message>
</context>
<context>
    <name>GlobalShortcut</name>
    <message>
        <source>Open or close Brivane</source>
        <translation>Brivane öffnen oder schließen</translation>
    </message>
</context>
<context>
    <name>HttpStreamClient</name>
    <message>
        <source>The request timed out</source>
        <translation>Die Anfrage hat zu lange gedauert</translation>
    </message>
    <message>
        <source>The connection was closed before the reply was complete</source>
        <translation>Die Verbindung wurde geschlossen, bevor die Antwort vollständig war</translation>
    </message>
    <message>
        <source>The server closed the connection</source>
        <translation>Der Server hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>The request failed</source>
        <translation>Die Anfrage ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>MediaPanel</name>
    <message>
        <source>Nothing Playing</source>
        <translation>Es läuft nichts</translation>
    </message>
    <message>
        <source>Play music in Music, Spotify, or YouTube</source>
        <translation>Spielen Sie Musik in Music, Spotify oder YouTube ab</translation>
    </message>
    <message>
        <source>Elapsed %1</source>
        <translation>Verstrichen %1</translation>
    </message>
    <message>
        <source>Remaining %1</source>
        <translation>Verbleibend %1</translation>
    </message>
    <message>
        <source>Previous track</source>
        <translation>Vorheriger Titel</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Next track</source>
        <translation>Nächster Titel</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Choose the player</source>
        <translation>Player wählen</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>MiniPlayer</name>
    <message>
        <source>Previous track</source>
        <translation>Vorheriger Titel</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Next track</source>
        <translation>Nächster Titel</translation>
    </message>
</context>
<context>
    <name>NotchRootView</name>
    <message>
        <source>Brivane</source>
        <translation>Brivane</translation>
    </message>
</context>
<context>
    <name>NotesPanel</name>
    <message>
        <source>Quick note...</source>
        <translation>Kurze Notiz …</translation>
    </message>
    <message>
        <source>Quick note</source>
        <translation>Kurze Notiz</translation>
    </message>
    <message>
        <source>Add note</source>
        <translation>Notiz hinzufügen</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Delete note: %1</source>
        <translation>Notiz löschen: %1</translation>
    </message>
</context>
<context>
    <name>PanelSettings</name>
    <message>
        <source>Not a key combination, such as Super+Alt+B</source>
        <translation>Keine Tastenkombination wie etwa Super+Alt+B</translation>
    </message>
</context>
<context>
    <name>ReplyReader</name>
    <message>
        <source>The request failed</source>
        <translation>Die Anfrage ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Error: %1. Check your API key in Settings.</source>
        <translation>Fehler: %1. Prüfen Sie Ihren API-Schlüssel in den Einstellungen.</translation>
    </message>
    <message>
        <source>No response received.</source>
        <translation>Keine Antwort erhalten.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Angehalten.</translation>
    </message>
    <message>
        <source>Error: %1. Check the server address in Settings.</source>
        <translation>Fehler: %1. Prüfen Sie die Serveradresse in den Einstellungen.</translation>
    </message>
</context>
<context>
    <name>ServerAddress</name>
    <message>
        <source>Enter an address that starts with http:// or https://.</source>
        <translation>Geben Sie eine Adresse ein, die mit http:// oder https:// beginnt.</translation>
    </message>
    <message>
        <source>Leave the user name and password out of the address.</source>
        <translation>Lassen Sie Benutzername und Passwort aus der Adresse weg.</translation>
    </message>
    <message>
        <source>The address cannot have a query or a fragment.</source>
        <translation>Die Adresse darf keine Abfrage und kein Fragment enthalten.</translation>
    </message>
    <message>
        <source>Plain http is only for this computer or a private network; use https.</source>
        <translation>Einfaches http gibt es nur für diesen Rechner oder ein privates Netz; verwenden Sie https.</translation>
    </message>
</context>
<context>
    <name>SettingsGeneralGroup</name>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Open after (ms)</source>
        <translation>Öffnen nach (ms)</translation>
    </message>
    <message>
        <source>Open after</source>
        <translation>Öffnen nach</translation>
    </message>
    <message>
        <source>Close after (ms)</source>
        <translation>Schließen nach (ms)</translation>
    </message>
    <message>
        <source>Close after</source>
        <translation>Schließen nach</translation>
    </message>
    <message>
        <source>Hide over full-screen apps</source>
        <translation>Über Vollbild-Anwendungen ausblenden</translation>
    </message>
    <message>
        <source>Show activity in the strip</source>
        <translation>Aktivität im Streifen zeigen</translation>
    </message>
    <message>
        <source>Show on</source>
        <translation>Anzeigen auf</translation>
    </message>
    <message>
        <source>Primary monitor</source>
        <translation>Hauptbildschirm</translation>
    </message>
    <message>
        <source>All monitors</source>
        <translation>Allen Bildschirmen</translation>
    </message>
    <message>
        <source>Shortcut</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keines</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
</context>
<context>
    <name>SettingsKeyGroup</name>
    <message>
        <source>OpenAI API Key</source>
        <translation>OpenAI-API-Schlüssel</translation>
    </message>
    <message>
        <source>sk-...</source>
        <comment>the start of an OpenAI key</comment>
        <translation>sk-…</translation>
    </message>
    <message>
        <source>Required for AI chat. Get one at platform.openai.com</source>
        <translation>Für den KI-Chat nötig. Erhältlich auf platform.openai.com</translation>
    </message>
    <message>
        <source>Server address</source>
        <translation>Serveradresse</translation>
    </message>
    <message>
        <source>Use It</source>
        <translation>Verwenden</translation>
    </message>
    <message>
        <source>Use this address over plain http</source>
        <translation>Diese Adresse über einfaches http verwenden</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Modell</translation>
    </message>
    <message>
        <source>API key</source>
        <translation>API-Schlüssel</translation>
    </message>
    <message>
        <source>Remember the conversation</source>
        <translation>Unterhaltung merken</translation>
    </message>
</context>
<context>
    <name>SettingsNotesList</name>
    <message>
        <source>Notes (%1)</source>
        <translation>Notizen (%1)</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Scroll the notes</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsView</name>
    <message>
        <source>Brivane Settings</source>
        <translation>Brivane-Einstellungen</translation>
    </message>
    <message>
        <source>Hover at the top center of your screen to open.</source>
        <translation>Zum Öffnen den Zeiger oben in die Mitte des Bildschirms bewegen.</translation>
    </message>
    <message>
        <source>Turn On</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <source>Turn on the GNOME Shell extension</source>
        <translation>Die GNOME-Shell-Erweiterung einschalten</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Scroll the settings</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SettingsWindow</name>
    <message>
        <source>Brivane Settings</source>
        <translation>Brivane-Einstellungen</translation>
    </message>
</context>
<context>
    <name>ShelfModel</name>
    <message>
        <source>Missing</source>
        <comment>a file on the shelf that is no longer there</comment>
        <translation>Fehlt</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
</context>
<context>
    <name>ShelfPanel</name>
    <message>
        <source>Shelf</source>
        <comment>the Shelf tab&apos;s heading</comment>
        <translation>Ablage</translation>
    </message>
    <message>
        <source>Drop to keep a link to the files here</source>
        <translation>Loslassen, um hier einen Verweis auf die Dateien abzulegen</translation>
    </message>
    <message>
        <source>Drag files onto the strip to keep them here.</source>
        <translation>Dateien auf den Streifen ziehen, um sie hier abzulegen.</translation>
    </message>
    <message>
        <source>%1, missing</source>
        <translation>%1, fehlt</translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <comment>size or state, then the folder</comment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Remove from shelf: %1</source>
        <translation>Aus der Ablage entfernen: %1</translation>
    </message>
</context>
<context>
    <name>ShelfStore</name>
    <message>
        <source>Only files go on the shelf, not text.</source>
        <translation>In die Ablage kommen nur Dateien, kein Text.</translation>
    </message>
    <message>
        <source>Only files on this computer go on the shelf, not links.</source>
        <translation>In die Ablage kommen nur Dateien auf diesem Rechner, keine Links.</translation>
    </message>
    <message>
        <source>Only the files went on the shelf, not the links.</source>
        <translation>Nur die Dateien kamen in die Ablage, nicht die Links.</translation>
    </message>
</context>
<context>
    <name>ShellExtension</name>
    <message>
        <source>Brivane&apos;s GNOME Shell extension is not installed, so the strip hangs below the top bar.</source>
        <translation>Brivanes GNOME-Shell-Erweiterung ist nicht installiert, daher hängt der Streifen unter der oberen Leiste.</translation>
    </message>
    <message>
        <source>Turn on Brivane&apos;s GNOME Shell extension to open the card from the center of the top bar.</source>
        <translation>Schalten Sie Brivanes GNOME-Shell-Erweiterung ein, um die Karte aus der Mitte der oberen Leiste zu öffnen.</translation>
    </message>
    <message>
        <source>The card opens from the center of the top bar.</source>
        <translation>Die Karte öffnet sich aus der Mitte der oberen Leiste.</translation>
    </message>
    <message>
        <source>Brivane&apos;s GNOME Shell extension failed to start, so the strip hangs below the top bar.</source>
        <translation>Brivanes GNOME-Shell-Erweiterung ließ sich nicht starten, daher hängt der Streifen unter der oberen Leiste.</translation>
    </message>
    <message>
        <source>Extensions are switched off in GNOME&apos;s Extensions app. Switch them on there, then Brivane&apos;s, to open the card from the center of the top bar.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatsFormat</name>
    <message>
        <source>CPU</source>
        <translation>CPU</translation>
    </message>
    <message>
        <source>RAM</source>
        <translation>RAM</translation>
    </message>
    <message>
        <source>Disk</source>
        <translation>Festplatte</translation>
    </message>
    <message>
        <source>%1 free</source>
        <comment>free disk space</comment>
        <translation>%1 frei</translation>
    </message>
    <message>
        <source>Battery</source>
        <translation>Akku</translation>
    </message>
    <message>
        <source>Uptime</source>
        <translation>Laufzeit</translation>
    </message>
</context>
<context>
    <name>StripActivity</name>
    <message>
        <source>Playing: %1</source>
        <translation>Läuft: %1</translation>
    </message>
    <message>
        <source>Paused: %1</source>
        <translation>Angehalten: %1</translation>
    </message>
    <message>
        <source>Time left: %1</source>
        <translation>Verbleibend: %1</translation>
    </message>
</context>
<context>
    <name>TabBar</name>
    <message>
        <source>Tabs</source>
        <translation>Reiter</translation>
    </message>
</context>
<context>
    <name>TabModel</name>
    <message>
        <source>Now</source>
        <comment>tab label</comment>
        <translation>Jetzt</translation>
    </message>
    <message>
        <source>Notes</source>
        <comment>tab label</comment>
        <translation>Notizen</translation>
    </message>
    <message>
        <source>Timer</source>
        <comment>tab label</comment>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Calc</source>
        <comment>tab label</comment>
        <translation>Rechner</translation>
    </message>
    <message>
        <source>Clip</source>
        <comment>tab label</comment>
        <translation>Ablage</translation>
    </message>
    <message>
        <source>AI</source>
        <comment>tab label</comment>
        <translation>KI</translation>
    </message>
    <message>
        <source>Stats</source>
        <comment>tab label</comment>
        <translation>System</translation>
    </message>
    <message>
        <source>Shelf</source>
        <comment>tab label</comment>
        <translation>Ablage</translation>
    </message>
</context>
<context>
    <name>TimerPanel</name>
    <message>
        <source>Stopwatch</source>
        <comment>timer mode</comment>
        <translation>Stoppuhr</translation>
    </message>
    <message>
        <source>Countdown</source>
        <comment>timer mode</comment>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Skip 10 seconds</source>
        <translation>10 Sekunden überspringen</translation>
    </message>
</context>
</TS>
