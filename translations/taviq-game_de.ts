<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Game</name>
    <message>
        <source>Programmed by</source>
        <translation>Programmiert von</translation>
    </message>
    <message>
        <source>E-mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Bye</source>
        <translation>Auf Wiedersehen</translation>
    </message>
    <message>
        <source>Press OK to Reset Game</source>
        <translation>OK für ein neues Spiel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>High Scores</source>
        <translation>Bestzeiten</translation>
    </message>
    <message>
        <source>Reset Scores</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>Easy :</source>
        <translation>Leicht:</translation>
    </message>
    <message>
        <source>Medium :</source>
        <translation>Mittel:</translation>
    </message>
    <message>
        <source>Hard :</source>
        <translation>Hart:</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Pause Game</source>
        <translation>Spiel anhalten</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Resume Game</source>
        <translation>Spiel fortsetzen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Neustart</translation>
    </message>
    <message>
        <source>Reset Game</source>
        <translation>Spiel neu starten</translation>
    </message>
    <message>
        <source>Timer : %1 : %2</source>
        <translation>Restzeit: %1 min %2 s</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Spiel beendet</translation>
    </message>
    <message>
        <source>Time up<byte value="xd"/>This will reset your game</source>
        <translation>Zeit abgelaufen<byte value="xd"/>Das Spiel wird neu gestartet</translation>
    </message>
    <message>
        <source>Time Up</source>
        <translation>Zeit abgelaufen</translation>
    </message>
    <message>
        <source>This will reset current game</source>
        <translation>Das laufende Spiel wird neu gestartet</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Your goal is to arrange the numbers in order<byte value="xd"/>
Click on a number near blank to move it to blank<byte value="xd"/>
or use keys 8,2,4 and 6 (on number pad when num lock is on) to move number<byte value="xd"/>
F2 to Autoplay game<byte value="xd"/>Click Reset button to reset Game</source>
        <translation>Ihr Ziel: die Zahlen in die richtige Reihenfolge bringen<byte value="xd"/>
Klicken Sie auf eine Zahl neben dem leeren Feld, um sie dorthin zu schieben,<byte value="xd"/>
oder verschieben Sie Zahlen mit den Tasten 8, 2, 4 und 6 (Ziffernblock, Num-Taste an)<byte value="xd"/>
F2 spielt das Spiel automatisch<byte value="xd"/>Mit „Neustart“ beginnt das Spiel von vorn</translation>
    </message>
    <message>
        <source>Not Saved</source>
        <translation>Nicht gespeichert</translation>
    </message>
    <message>
        <source>A better time was saved meanwhile.</source>
        <translation>Inzwischen wurde eine bessere Zeit gespeichert.</translation>
    </message>
    <message>
        <source>Your best time could not be saved:</source>
        <translation>Ihre Bestzeit konnte nicht gespeichert werden:</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Difficulty</source>
        <translation>Schwierigkeit</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Medium</source>
        <translation>Mittel</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Hart</translation>
    </message>
    <message>
        <source>Apply Difficulty Level</source>
        <translation>Schwierigkeit übernehmen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Time limit in minutes</source>
        <translation>Zeitlimit (Min.)</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>Extras</translation>
    </message>
    <message>
        <source>Auto Play</source>
        <translation>Automatisch spielen</translation>
    </message>
    <message>
        <source>How to Play</source>
        <translation>Spielanleitung</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über das Spiel</translation>
    </message>
    <message>
        <source>The settings folder %1 could not be created</source>
        <translation>Der Einstellungsordner %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>The settings file %1 is a folder</source>
        <translation>Die Einstellungsdatei %1 ist ein Ordner</translation>
    </message>
    <message>
        <source>The settings file %1 is a pipe</source>
        <translation>Die Einstellungsdatei %1 ist eine Pipe</translation>
    </message>
    <message>
        <source>The settings file %1 is a socket</source>
        <translation>Die Einstellungsdatei %1 ist ein Socket</translation>
    </message>
    <message>
        <source>The settings file %1 is a device</source>
        <translation>Die Einstellungsdatei %1 ist ein Gerät</translation>
    </message>
    <message>
        <source>The settings file %1 is not a regular file</source>
        <translation>Die Einstellungsdatei %1 ist keine normale Datei</translation>
    </message>
    <message>
        <source>The settings file %1 is a link that leads nowhere</source>
        <translation>Die Einstellungsdatei %1 ist ein Link, der ins Leere führt</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than 1 GiB</source>
        <translation>Die Einstellungsdatei %1 ist größer als 1 GiB</translation>
    </message>
    <message>
        <source>%1 is in the lock&apos;s way and could not be removed</source>
        <extracomment>Something that is no lock stands at the path of the settings file&apos;s lock.</extracomment>
        <translation>Unter %1 liegt statt der Sperrdatei etwas anderes, das nicht entfernt werden konnte</translation>
    </message>
    <message>
        <source>The lock %1 could not be created</source>
        <translation>Die Sperrdatei %1 konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>Another program (process %2) is saving the settings file (lock %1)</source>
        <extracomment>%1 is the path of the lock, %2 the number of the process that holds it.</extracomment>
        <translation>Ein anderes Programm (Prozess %2) speichert gerade die Einstellungsdatei (Sperrdatei %1)</translation>
    </message>
    <message>
        <source>Another program is saving the settings file (lock %1)</source>
        <translation>Ein anderes Programm speichert gerade die Einstellungsdatei (Sperrdatei %1)</translation>
    </message>
    <message>
        <source>The unreadable content could not be copied to %1</source>
        <extracomment>What cannot be carried over into the new settings file is kept in a copy.</extracomment>
        <translation>Der unlesbare Inhalt konnte nicht nach %1 kopiert werden</translation>
    </message>
    <message>
        <source>The settings file %1 could not be written</source>
        <translation>Die Einstellungsdatei %1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>The settings file %1 could not be replaced</source>
        <translation>Die Einstellungsdatei %1 konnte nicht ersetzt werden</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>%1 is what went wrong, %2 the system&apos;s own words for the error.</extracomment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>The scores could not be reset:</source>
        <translation>Die Bestzeiten konnten nicht gelöscht werden:</translation>
    </message>
    <message>
        <source>Your settings could not be saved:</source>
        <translation>Ihre Einstellungen konnten nicht gespeichert werden:</translation>
    </message>
    <message>
        <source>Anonymous</source>
        <translation>Anonym</translation>
    </message>
</context>
<context>
    <name>TileButton</name>
    <message>
        <source>blank</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>row %1, column %2</source>
        <translation>Zeile %1, Spalte %2</translation>
    </message>
</context>
<context>
    <name>UpDown</name>
    <message>
        <source>Up</source>
        <translation>Erhöhen</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Verringern</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>Game</source>
        <translation>Spiel</translation>
    </message>
    <message>
        <source>Shuffle</source>
        <translation>Mischen</translation>
    </message>
    <message>
        <source>Auto play started</source>
        <translation>Automatisches Spiel gestartet</translation>
    </message>
    <message>
        <source>New game</source>
        <translation>Neues Spiel</translation>
    </message>
</context>
<context>
    <name>frmabout</name>
    <message>
        <source>About</source>
        <translation>Über das Spiel</translation>
    </message>
    <message>
        <source>%1. %2 %3. %4 %5</source>
        <translation>%1. %2 %3. %4 %5</translation>
    </message>
</context>
<context>
    <name>frmentername</name>
    <message>
        <source>Winner</source>
        <translation>Gewinner</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Congragulations<byte value="xd"/>
You Win the game<byte value="xd"/>
Good Luck</source>
        <translation>Herzlichen Glückwunsch<byte value="xd"/>
Sie haben das Spiel gewonnen<byte value="xd"/>
Viel Glück</translation>
    </message>
    <message>
        <source>Congragulations<byte value="xd"/>
You Win the game and got top time <byte value="xd"/>
Please Enter your name</source>
        <translation>Herzlichen Glückwunsch<byte value="xd"/>
Sie gewinnen mit der Bestzeit <byte value="xd"/>
Bitte geben Sie Ihren Namen ein</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Enter a name</source>
        <translation>Geben Sie einen Namen ein</translation>
    </message>
</context>
<context>
    <name>frmhighscores</name>
    <message>
        <source>High Scorers</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source>%1: %2, %3</source>
        <translation>%1: %2, %3</translation>
    </message>
    <message>
        <source>Scores reset</source>
        <translation>Bestzeiten gelöscht</translation>
    </message>
</context>
</TS>
