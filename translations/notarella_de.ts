<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BackupCommands</name>
    <message>
        <source>&amp;Back up now…</source>
        <translation>Jetzt &amp;sichern …</translation>
    </message>
    <message>
        <source>&amp;Restore from backup…</source>
        <translation>Aus Sicherung &amp;wiederherstellen …</translation>
    </message>
    <message>
        <source>Backup Written</source>
        <translation>Sicherung geschrieben</translation>
    </message>
    <message>
        <source>&lt;p&gt;A copy of your notes was written to %1.&lt;/p&gt;&lt;p&gt;&lt;i&gt;Restore from backup…&lt;/i&gt; brings it back.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Eine Kopie Ihrer Notizen wurde nach %1 geschrieben.&lt;/p&gt;&lt;p&gt;&lt;i&gt;Aus Sicherung wiederherstellen …&lt;/i&gt; holt sie zurück.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Backup Not Written</source>
        <translation>Sicherung nicht geschrieben</translation>
    </message>
    <message>
        <source>&lt;p&gt;The copy of your notes could not be written to %1:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Kopie Ihrer Notizen konnte nicht nach %1 geschrieben werden:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Daily Backup Not Written</source>
        <translation>Tägliche Sicherung nicht geschrieben</translation>
    </message>
    <message>
        <source>&lt;p&gt;Today&apos;s copy of your notes could not be written to %1:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;Your notes themselves are not affected.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die heutige Kopie Ihrer Notizen konnte nicht nach %1 geschrieben werden:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;Ihre Notizen selbst sind davon nicht betroffen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Restore from Backup</source>
        <translation>Aus Sicherung wiederherstellen</translation>
    </message>
    <message>
        <source>&lt;p&gt;There is no copy of your notes to restore yet.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Es gibt noch keine Kopie Ihrer Notizen zum Wiederherstellen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>daily copy</source>
        <translation>tägliche Kopie</translation>
    </message>
    <message>
        <source>taken by hand</source>
        <translation>von Hand angelegt</translation>
    </message>
    <message>
        <source>before a restore</source>
        <translation>vor einer Wiederherstellung</translation>
    </message>
    <message>
        <source>%1 (%2) - cannot be restored: %3</source>
        <translation>%1 (%2) - nicht wiederherstellbar: %3</translation>
    </message>
    <message>
        <source>1 note</source>
        <translation>1 Notiz</translation>
    </message>
    <message>
        <source>%1 notes</source>
        <translation>%1 Notizen</translation>
    </message>
    <message>
        <source>%1 (%2) - %3</source>
        <translation>%1 (%2) – %3</translation>
    </message>
    <message>
        <source>Copy to restore:</source>
        <translation>Wiederherzustellende Kopie:</translation>
    </message>
    <message>
        <source>&lt;p&gt;This copy cannot be restored: %1&lt;/p&gt;&lt;p&gt;Your notes are as they were.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Diese Kopie kann nicht wiederhergestellt werden: %1&lt;/p&gt;&lt;p&gt;Ihre Notizen sind unverändert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Replace your current notes (%1) by the notes of this copy?&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre aktuellen Notizen (%1) durch die Notizen dieser Kopie ersetzen?&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Your current notes are kept as %1 and can be restored from there.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre aktuellen Notizen werden als %1 aufbewahrt und lassen sich von dort wiederherstellen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The copy could not be restored:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Your notes are as they were.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Kopie konnte nicht wiederhergestellt werden:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Ihre Notizen sind unverändert.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ColorPresets</name>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>&amp;Default Sticky</source>
        <translation>Standard&amp;notiz</translation>
    </message>
    <message>
        <source>&amp;%1 - %2 %3</source>
        <translation>&amp;%1 – %3 (%2)</translation>
    </message>
    <message>
        <source>Sticky</source>
        <translation>Notiz</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message numerus="yes">
        <source>%n note(s) exported to %1</source>
        <translation>
            <numerusform>%n Notiz nach %1 exportiert</numerusform>
            <numerusform>%n Notizen nach %1 exportiert</numerusform>
        </translation>
    </message>
    <message>
        <source>The running Notarella did not confirm the request: it refused it or ended before answering.</source>
        <translation>Das laufende Notarella hat die Anfrage nicht bestätigt: Es hat sie abgelehnt oder wurde vor der Antwort beendet.</translation>
    </message>
    <message>
        <source>Hides every shown note of the running Notarella; the next --toggle shows those notes again (starting Notarella if none runs).</source>
        <translation>Blendet jede angezeigte Notiz des laufenden Notarella aus; das nächste --toggle zeigt diese Notizen wieder (und startet Notarella, wenn es nicht läuft).</translation>
    </message>
    <message>
        <source>With --new-note: the note holds the text selected on the screen, or else the text of the clipboard.</source>
        <translation>Mit --new-note: Die Notiz enthält den auf dem Bildschirm markierten Text, sonst den Text der Zwischenablage.</translation>
    </message>
    <message>
        <source>Give only one of --new-note, --show-panel, --export, --import, --sync-folder and --toggle.</source>
        <translation>Geben Sie nur eines von --new-note, --show-panel, --export, --import, --sync-folder und --toggle an.</translation>
    </message>
    <message>
        <source>--from-selection goes only with --new-note.</source>
        <translation>--from-selection gibt es nur zusammen mit --new-note.</translation>
    </message>
    <message>
        <source>Give --new-note either a TEXT or --from-selection.</source>
        <translation>Geben Sie --new-note entweder einen TEXT oder --from-selection mit.</translation>
    </message>
</context>
<context>
    <name>DeletedNotesDialog</name>
    <message>
        <source>Deleted Notes</source>
        <translation>Gelöschte Notizen</translation>
    </message>
    <message>
        <source>Deleted notes are kept here for 30 days; then they are removed for good.</source>
        <translation>Gelöschte Notizen werden hier 30 Tage lang aufbewahrt; danach werden sie endgültig entfernt.</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Deleted</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>The trash is empty.</source>
        <translation>Der Papierkorb ist leer.</translation>
    </message>
    <message>
        <source>&amp;Restore</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>Delete &amp;Permanently</source>
        <translation>&amp;Endgültig löschen</translation>
    </message>
    <message>
        <source>&amp;Empty Trash</source>
        <translation>Papierkorb &amp;leeren</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&lt;p&gt;Delete the selected note permanently?&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die ausgewählte Notiz endgültig löschen?&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Delete the %1 selected notes permanently?&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die %1 ausgewählten Notizen endgültig löschen?&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Delete Permanently</source>
        <translation>Endgültig löschen</translation>
    </message>
    <message>
        <source>&lt;p&gt;Delete the note in the trash permanently?&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Notiz im Papierkorb endgültig löschen?&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Delete all %1 notes in the trash permanently?&lt;/p&gt;</source>
        <translation>&lt;p&gt;Alle %1 Notizen im Papierkorb endgültig löschen?&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Empty Trash</source>
        <translation>Papierkorb leeren</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;This cannot be undone.&lt;/b&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Das lässt sich nicht rückgängig machen.&lt;/b&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ELinkTextBrowser</name>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italicize</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstreichen</translation>
    </message>
    <message>
        <source>Strike Through</source>
        <translation>Durchstreichen</translation>
    </message>
    <message>
        <source>This text was stored with formatting nested too deeply to show; it is shown as plain text.</source>
        <translation>Dieser Text wurde mit zu tief verschachtelter Formatierung gespeichert, um ihn formatiert anzuzeigen; er wird als reiner Text angezeigt.</translation>
    </message>
    <message>
        <source>&lt;p&gt;The pasted picture is larger than 20 MB as PNG and was not inserted. Save it as a smaller file and insert that.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Das eingefügte Bild ist als PNG größer als 20 MB und wurde nicht eingefügt. Speichern Sie es als kleinere Datei und fügen Sie diese ein.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>Wieder&amp;herstellen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Einf&amp;ügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>ForeignNoteFile</name>
    <message>
        <source>it could not be opened.</source>
        <translation>sie konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>reading it took too long; it may be damaged or made to hold up the program.</source>
        <translation>das Lesen dauerte zu lange; sie ist vielleicht beschädigt oder dazu gemacht, das Programm aufzuhalten.</translation>
    </message>
    <message>
        <source>it could not be read.</source>
        <translation>sie konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>it holds no table of notes (&quot;%1&quot;).</source>
        <translation>sie enthält keine Tabelle mit Notizen (&quot;%1&quot;).</translation>
    </message>
    <message>
        <source>its &quot;%1&quot; is a %2, not a table.</source>
        <translation>ihr &quot;%1&quot; ist ein(e) %2, keine Tabelle.</translation>
    </message>
    <message>
        <source>its table &quot;%1&quot; has no column &quot;%2&quot;.</source>
        <translation>ihrer Tabelle &quot;%1&quot; fehlt die Spalte &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>its column &quot;%1&quot; is computed, not stored.</source>
        <translation>ihre Spalte &quot;%1&quot; wird berechnet, nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>GlobalKeyCommand</name>
    <message>
        <source>Without Ctrl, Alt or Super it would be lost to typing in every other program (only F1 to F35 may stand alone).</source>
        <translation>Ohne Strg, Alt oder Super ginge sie beim Tippen in jedem anderen Programm verloren (nur F1 bis F35 dürfen allein stehen).</translation>
    </message>
    <message>
        <source>No key of this keyboard gives it.</source>
        <translation>Keine Taste dieser Tastatur ergibt sie.</translation>
    </message>
    <message>
        <source>Only one key, with Ctrl, Alt, Shift or Super, can be taken.</source>
        <translation>Nur eine einzelne Taste, mit Strg, Alt, Umschalt oder Super, kann belegt werden.</translation>
    </message>
    <message>
        <source>Notarella - Key for a New Note</source>
        <translation>Notarella - Taste für eine neue Notiz</translation>
    </message>
    <message>
        <source>&lt;p&gt;The key &lt;b&gt;%1&lt;/b&gt; is already taken by another program, so it does not make new notes.&lt;/p&gt;&lt;p&gt;Choose another key in &lt;i&gt;Options&lt;/i&gt;, or free the key in the other program: Notarella tries again when it starts and when you save the options.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Taste &lt;b&gt;%1&lt;/b&gt; ist schon von einem anderen Programm belegt und erstellt deshalb keine neuen Notizen.&lt;/p&gt;&lt;p&gt;Wählen Sie unter &lt;i&gt;Optionen&lt;/i&gt; eine andere Taste, oder geben Sie die Taste im anderen Programm frei: Notarella versucht es beim Start und beim Speichern der Optionen erneut.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The key &lt;b&gt;%1&lt;/b&gt; cannot make new notes from other programs: %2&lt;/p&gt;&lt;p&gt;Choose another key in &lt;i&gt;Options&lt;/i&gt;.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Taste &lt;b&gt;%1&lt;/b&gt; kann keine neuen Notizen aus anderen Programmen heraus erstellen: %2&lt;/p&gt;&lt;p&gt;Wählen Sie unter &lt;i&gt;Optionen&lt;/i&gt; eine andere Taste.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Forward</source>
        <translation>&amp;Vor</translation>
    </message>
    <message>
        <source>&amp;Home</source>
        <translation>&amp;Startseite</translation>
    </message>
    <message>
        <source>The help page &quot;%1&quot; was not found. This is the start page of the help.</source>
        <translation>Die Hilfeseite „%1“ wurde nicht gefunden. Dies ist die Startseite der Hilfe.</translation>
    </message>
    <message>
        <source>The help could not be found in &quot;%1&quot;.</source>
        <translation>Die Hilfe wurde in „%1“ nicht gefunden.</translation>
    </message>
    <message>
        <source>The help page &quot;%1&quot; was not found.</source>
        <translation>Die Hilfeseite „%1“ wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Notarella Help</source>
        <translation>Notarella-Hilfe</translation>
    </message>
    <message>
        <source>Notarella Help - %1</source>
        <translation>Notarella-Hilfe – %1</translation>
    </message>
    <message>
        <source>Cannot open the file: %1.</source>
        <translation>Die Datei kann nicht geöffnet werden: %1.</translation>
    </message>
</context>
<context>
    <name>HyperlinkDialog</name>
    <message>
        <source>Insert Hyperlink</source>
        <translation>Hyperlink einfügen</translation>
    </message>
    <message>
        <source>Webpage URL</source>
        <translation>Webseiten-URL</translation>
    </message>
    <message>
        <source>Email Address</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Local File</source>
        <translation>Lokale Datei</translation>
    </message>
    <message>
        <source>Local Directory</source>
        <translation>Lokaler Ordner</translation>
    </message>
    <message>
        <source>Enter the webpage address:</source>
        <translation>Geben Sie die Adresse der Webseite ein:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>I want to create a hyperlink to a:</source>
        <translation>Ich möchte einen Hyperlink erstellen zu:</translation>
    </message>
    <message>
        <source>Enter the text to display:</source>
        <translation>Geben Sie den anzuzeigenden Text ein:</translation>
    </message>
    <message>
        <source>Enter the email address:</source>
        <translation>Geben Sie die E-Mail-Adresse ein:</translation>
    </message>
    <message>
        <source>Enter the absolute file name:</source>
        <translation>Geben Sie den absoluten Dateinamen ein:</translation>
    </message>
    <message>
        <source>Select a target file:</source>
        <translation>Wählen Sie eine Zieldatei:</translation>
    </message>
    <message>
        <source>Enter the full directory path:</source>
        <translation>Geben Sie den vollständigen Ordnerpfad ein:</translation>
    </message>
    <message>
        <source>Select a target directory for the hyperlink:</source>
        <translation>Wählen Sie einen Zielordner für den Hyperlink:</translation>
    </message>
</context>
<context>
    <name>ImageDialog</name>
    <message>
        <source>Insert Image</source>
        <translation>Bild einfügen</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen …</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Enter the image path and filename:</source>
        <translation>Geben Sie Pfad und Dateinamen des Bildes ein:</translation>
    </message>
    <message>
        <source>Optionally resize the image (in pixels):</source>
        <translation>Bildgröße optional ändern (in Pixeln):</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Choose an image to insert:</source>
        <translation>Wählen Sie ein Bild zum Einfügen:</translation>
    </message>
    <message>
        <source>Images ( *.gif *.jpg *.png *.xpm )</source>
        <translation>Bilder ( *.gif *.jpg *.png *.xpm )</translation>
    </message>
    <message>
        <source>Image Error</source>
        <translation>Bildfehler</translation>
    </message>
    <message>
        <source>&lt;p&gt;The file name is invalid.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Dateiname ist ungültig.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Supported image types are: *.gif, *.jpg, *.png, and *.xpm.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Unterstützte Bildformate sind: *.gif, *.jpg, *.png und *.xpm.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The image file entered does not exist.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die angegebene Bilddatei existiert nicht.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Warning- Notarella is already running!</source>
        <translation>Warnung – Notarella läuft bereits!</translation>
    </message>
    <message>
        <source>Updating Notarella</source>
        <translation>Notarella wird aktualisiert</translation>
    </message>
    <message>
        <source>&lt;p&gt;A new version of Notarella has been installed.&lt;/p&gt;&lt;p&gt;Some of your software settings will be changed.  Please visit the Options Window to modify them.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Eine neue Version von Notarella wurde installiert.&lt;/p&gt;&lt;p&gt;Einige Ihrer Programmeinstellungen werden geändert. Sie können sie im Optionsfenster anpassen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Notarella Settings</source>
        <translation>Notarella-Einstellungen</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella cannot write its settings file:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;It runs with the settings it finds; changes to them will not be kept.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Notarella kann seine Einstellungsdatei nicht schreiben:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Es läuft mit den vorgefundenen Einstellungen weiter; Änderungen daran werden nicht behalten.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Notarella - Control Panel</source>
        <translation>Notarella – Steuerzentrale</translation>
    </message>
    <message>
        <source>Notarella</source>
        <translation>Notarella</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Start Here!</source>
        <translation>&amp;Hier beginnen!</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Notarella - No System Tray</source>
        <translation>Notarella – Kein Systembereich</translation>
    </message>
    <message>
        <source>&lt;p&gt;This desktop has no system tray, so the Notarella icon cannot be shown.&lt;/p&gt;&lt;p&gt;The &lt;b&gt;Control Panel&lt;/b&gt; takes its place: it creates stickies, lists every sticky, hidden ones included, and shows them again. Its &lt;i&gt;Close&lt;/i&gt; button only hides it; to bring it back, choose &lt;i&gt;Sticky Control Panel&lt;/i&gt; from the right-click menu of any sticky.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Diese Arbeitsfläche hat keinen Systembereich, daher kann das Notarella-Symbol nicht angezeigt werden.&lt;/p&gt;&lt;p&gt;Die &lt;b&gt;Steuerzentrale&lt;/b&gt; tritt an seine Stelle: Sie erstellt Notizen, listet alle Notizen auf, auch die verborgenen, und zeigt sie wieder an. Ihre Schaltfläche &lt;i&gt;Schließen&lt;/i&gt; blendet sie nur aus; um sie zurückzuholen, wählen Sie &lt;i&gt;Notiz-Steuerzentrale&lt;/i&gt; im Kontextmenü einer beliebigen Notiz.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Warning: Control Panel Closing</source>
        <translation>Warnung: Steuerzentrale wird geschlossen</translation>
    </message>
    <message>
        <source>&lt;p&gt;Closing the control panel does not exit the Notarella program.  The Control Panel, and other sticky operations, will remain available by right-clicking the sticky icon in the system tray.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Do you still wish to close the control panel?&lt;/b&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;Das Schließen der Steuerzentrale beendet Notarella nicht. Die Steuerzentrale und die übrigen Notizbefehle bleiben über einen Rechtsklick auf das Notiz-Symbol im Systembereich erreichbar.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Möchten Sie die Steuerzentrale trotzdem schließen?&lt;/b&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Only the Visible Stickies</source>
        <translation>Nur die sichtbaren Notizen</translation>
    </message>
    <message>
        <source>All Stickies</source>
        <translation>Alle Notizen</translation>
    </message>
    <message>
        <source>Print Stickies</source>
        <translation>Notizen drucken</translation>
    </message>
    <message>
        <source>Print:</source>
        <translation>Drucken:</translation>
    </message>
    <message>
        <source>Warning: Notarella Exiting</source>
        <translation>Warnung: Notarella wird beendet</translation>
    </message>
    <message>
        <source>&lt;p&gt;If you exit Notarella you will not be able to create new stickies or receive any pending alerts until you restart the software!&lt;/p&gt;&lt;p&gt;It is recommended that you use the &lt;i&gt;Close Button&lt;/i&gt; instead.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Are you sure that you want to exit Notarella?&lt;/b&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;Wenn Sie Notarella beenden, können Sie bis zum nächsten Start keine neuen Notizen erstellen und erhalten keine anstehenden Erinnerungen!&lt;/p&gt;&lt;p&gt;Es wird empfohlen, stattdessen die &lt;i&gt;Schaltfläche Schließen&lt;/i&gt; zu verwenden.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Möchten Sie Notarella wirklich beenden?&lt;/b&gt;&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Light Blue</source>
        <translation>Hellblau</translation>
    </message>
    <message>
        <source>Light Green</source>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Light Orange</source>
        <translation>Hellorange</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>&amp;Notes</source>
        <translation>&amp;Notizen</translation>
    </message>
    <message>
        <source>1 note</source>
        <translation>1 Notiz</translation>
    </message>
    <message>
        <source>%1 notes</source>
        <translation>%1 Notizen</translation>
    </message>
    <message>
        <source>Notarella Cannot Open Your Notes</source>
        <translation>Notarella kann Ihre Notizen nicht öffnen</translation>
    </message>
    <message>
        <source>&lt;p&gt;The folder for your notes cannot be created:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Notarella ends now. Make sure it may write there and start it again.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Ordner für Ihre Notizen kann nicht angelegt werden:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Notarella wird jetzt beendet. Sorgen Sie dafür, dass es dort schreiben darf, und starten Sie es erneut.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Your note file cannot be read:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre Notizdatei kann nicht gelesen werden:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;There is no copy of it to start from. Notarella ends now and leaves the file as it is.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Es gibt keine Kopie, mit der es weitergehen könnte. Notarella wird jetzt beendet und lässt die Datei, wie sie ist.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Start from the newest copy of your notes, of %1, with %2?&lt;/p&gt;&lt;p&gt;The file that cannot be read is kept beside it. With &lt;i&gt;No&lt;/i&gt;, Notarella ends now and changes nothing.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Mit der neuesten Kopie Ihrer Notizen vom %1 mit %2 beginnen?&lt;/p&gt;&lt;p&gt;Die unlesbare Datei wird daneben aufbewahrt. Mit &lt;i&gt;Nein&lt;/i&gt; wird Notarella jetzt beendet und ändert nichts.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The copy could not be put in place:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Notarella ends now.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Kopie konnte nicht eingesetzt werden:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;&lt;p&gt;Notarella wird jetzt beendet.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>It cannot be opened either.</source>
        <translation>Sie lässt sich ebenfalls nicht öffnen.</translation>
    </message>
    <message>
        <source>Notes Restored</source>
        <translation>Notizen wiederhergestellt</translation>
    </message>
    <message>
        <source>&lt;p&gt;Your notes were restored from the copy of %1.&lt;/p&gt;&lt;p&gt;The file that could not be read was kept as %2.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre Notizen wurden aus der Kopie vom %1 wiederhergestellt.&lt;/p&gt;&lt;p&gt;Die unlesbare Datei wurde als %2 aufbewahrt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella appears to already be running.  You should be able to access it via the Notarella icon in the System Tray at this time.&lt;/p&gt;&lt;p&gt;If you are unable to locate the Notarella icon in the System Tray please open its control panel with the command &lt;i&gt;notarella --show-panel&lt;/i&gt;, or end the program with your desktop&apos;s system monitor (or the command &lt;i&gt;pkill -x notarella&lt;/i&gt;) and then start it again from your applications menu.  We apologize for any inconvenience.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Notarella scheint bereits zu laufen. Sie erreichen es jetzt über das Notarella-Symbol im Systembereich der Kontrollleiste.&lt;/p&gt;&lt;p&gt;Wenn Sie das Notarella-Symbol im Systembereich nicht finden, öffnen Sie seine Steuerzentrale mit dem Befehl &lt;i&gt;notarella --show-panel&lt;/i&gt;, oder beenden Sie das Programm mit der Systemüberwachung Ihrer Arbeitsumgebung (oder dem Befehl &lt;i&gt;pkill -x notarella&lt;/i&gt;) und starten Sie es dann erneut aus dem Anwendungsmenü. Wir bitten, die Unannehmlichkeiten zu entschuldigen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Reason: %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;Grund: %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Abgleich</translation>
    </message>
    <message>
        <source>Notes Cannot Be Placed</source>
        <translation>Notizen können nicht platziert werden</translation>
    </message>
    <message>
        <source>&lt;p&gt;This desktop does not let programs place their windows, so your notes open wherever the desktop puts them.&lt;/p&gt;&lt;p&gt;Their places are kept: Notarella does not store a place it cannot know, and the notes are back where they were in a session that lets programs place windows.&lt;/p&gt;&lt;p&gt;To have the notes in their places on this desktop as well, start Notarella through XWayland (the package &quot;xwayland&quot;):&lt;/p&gt;&lt;p&gt;&lt;tt&gt;QT_QPA_PLATFORM=xcb notarella&lt;/tt&gt;&lt;/p&gt;</source>
        <translation>&lt;p&gt;Diese Arbeitsumgebung lässt Programme ihre Fenster nicht selbst platzieren, daher öffnen sich Ihre Notizen dort, wo die Arbeitsumgebung sie hinstellt.&lt;/p&gt;&lt;p&gt;Ihre Plätze bleiben erhalten: Notarella speichert keinen Platz, den es nicht kennen kann, und in einer Sitzung, die Programme ihre Fenster platzieren lässt, stehen die Notizen wieder an ihrem Platz.&lt;/p&gt;&lt;p&gt;Damit die Notizen auch in dieser Arbeitsumgebung an ihrem Platz stehen, starten Sie Notarella über XWayland (das Paket &quot;xwayland&quot;):&lt;/p&gt;&lt;p&gt;&lt;tt&gt;QT_QPA_PLATFORM=xcb notarella&lt;/tt&gt;&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>NoteBackups</name>
    <message>
        <source>The folder %1 cannot be created.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>%1 cannot be copied.</source>
        <translation>%1 kann nicht kopiert werden.</translation>
    </message>
    <message>
        <source>%1 cannot be moved aside.</source>
        <translation>%1 kann nicht beiseitegelegt werden.</translation>
    </message>
    <message>
        <source>No folder of your own can be written.</source>
        <translation>Kein eigener Ordner kann beschrieben werden.</translation>
    </message>
</context>
<context>
    <name>NoteDatabase</name>
    <message>
        <source>no note file is open</source>
        <translation>es ist keine Notizdatei geöffnet</translation>
    </message>
    <message>
        <source>something that is not a file is in its place</source>
        <translation>an ihrer Stelle steht etwas, das keine Datei ist</translation>
    </message>
    <message>
        <source>another file has taken its place and cannot be moved aside</source>
        <translation>eine andere Datei hat ihren Platz eingenommen und kann nicht beiseitegelegt werden</translation>
    </message>
    <message>
        <source>its folder cannot be created</source>
        <translation>ihr Ordner kann nicht angelegt werden</translation>
    </message>
    <message>
        <source>the file cannot be created or opened</source>
        <translation>die Datei kann nicht angelegt oder geöffnet werden</translation>
    </message>
    <message>
        <source>the file cannot be created</source>
        <translation>die Datei kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>NoteExchangeCommands</name>
    <message numerus="yes">
        <source>… and %n more</source>
        <translation>
            <numerusform>… und %n weitere</numerusform>
            <numerusform>… und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;Export Notes…</source>
        <translation>Notizen &amp;exportieren …</translation>
    </message>
    <message>
        <source>&amp;Import Exported Notes…</source>
        <translation>Exportierte Notizen &amp;importieren …</translation>
    </message>
    <message>
        <source>Import from Note &amp;File…</source>
        <translation>Aus Notiz&amp;datei importieren …</translation>
    </message>
    <message>
        <source>Export Notes</source>
        <translation>Notizen exportieren</translation>
    </message>
    <message>
        <source>&lt;p&gt;There are no notes to export.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Es gibt keine Notizen zum Exportieren.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Export Notes to Folder</source>
        <translation>Notizen in einen Ordner exportieren</translation>
    </message>
    <message>
        <source>Exporting notes…</source>
        <translation>Notizen werden exportiert …</translation>
    </message>
    <message>
        <source>Notes Not Exported</source>
        <translation>Notizen nicht exportiert</translation>
    </message>
    <message>
        <source>Notes Exported</source>
        <translation>Notizen exportiert</translation>
    </message>
    <message numerus="yes">
        <source>&lt;p&gt;%n note(s) were exported to %1. Open index.html there to read them.&lt;/p&gt;</source>
        <translation>
            <numerusform>&lt;p&gt;%n Notiz wurde nach %1 exportiert. Öffnen Sie dort index.html, um sie zu lesen.&lt;/p&gt;</numerusform>
            <numerusform>&lt;p&gt;%n Notizen wurden nach %1 exportiert. Öffnen Sie dort index.html, um sie zu lesen.&lt;/p&gt;</numerusform>
        </translation>
    </message>
    <message>
        <source>Import Exported Notes from Folder</source>
        <translation>Exportierte Notizen aus einem Ordner importieren</translation>
    </message>
    <message>
        <source>Import Notes</source>
        <translation>Notizen importieren</translation>
    </message>
    <message>
        <source>Reading notes…</source>
        <translation>Notizen werden gelesen …</translation>
    </message>
    <message>
        <source>Notes Not Imported</source>
        <translation>Notizen nicht importiert</translation>
    </message>
    <message>
        <source>Import Notes from Note File</source>
        <translation>Notizen aus einer Notizdatei importieren</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&lt;p&gt;No notes were found to import.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Es wurden keine Notizen zum Importieren gefunden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Skipped:&lt;/p&gt;</source>
        <translation>&lt;p&gt;Übersprungen:&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Notes Imported</source>
        <translation>Notizen importiert</translation>
    </message>
    <message>
        <source>&lt;p&gt;%1 added, %2 already present.&lt;/p&gt;</source>
        <translation>&lt;p&gt;%1 hinzugefügt, %2 bereits vorhanden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;%1 of %2 notes, those the search shows, were exported to %3. Open index.html there to read them.&lt;/p&gt;</source>
        <translation>&lt;p&gt;%1 von %2 Notizen (die, die die Suche zeigt) wurden nach %3 exportiert. Öffnen Sie dort index.html, um sie zu lesen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The notes could not be exported to %1:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Notizen konnten nicht nach %1 exportiert werden:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Some files there could not be put back as they were.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Einige Dateien dort konnten nicht wiederhergestellt werden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The folder was not changed.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Ordner wurde nicht verändert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;%1 was not imported: another import is still running.&lt;/p&gt;</source>
        <translation>&lt;p&gt;%1 wurde nicht importiert: ein anderer Import läuft noch.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>NoteExport</name>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>Repeats</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Note %1</source>
        <translation>Notiz %1</translation>
    </message>
    <message>
        <source>The folder %1 could not be created.</source>
        <translation>Der Ordner %1 konnte nicht angelegt werden.</translation>
    </message>
    <message>
        <source>Notarella notes</source>
        <translation>Notarella-Notizen</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a folder (or is a link).</source>
        <translation>%1 ist kein Ordner (oder ist eine Verknüpfung).</translation>
    </message>
    <message>
        <source>The folder %1 belongs to another user.</source>
        <translation>Der Ordner %1 gehört einem anderen Benutzer.</translation>
    </message>
    <message>
        <source>Other users can change the files in the folder %1.</source>
        <translation>Andere Benutzer können die Dateien im Ordner %1 ändern.</translation>
    </message>
    <message>
        <source>%1 is in the way: it is a link, a folder or a file of another user.</source>
        <translation>%1 steht im Weg: Es ist eine Verknüpfung, ein Ordner oder eine Datei eines anderen Benutzers.</translation>
    </message>
    <message>
        <source>The folder %1 could not be opened: %2</source>
        <translation>Der Ordner %1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>%1 could not be put in place: %2</source>
        <translation>%1 konnte nicht an seinen Platz gebracht werden: %2</translation>
    </message>
    <message>
        <source>The files it replaced are kept in %1.</source>
        <translation>Die dabei ersetzten Dateien liegen in %1.</translation>
    </message>
</context>
<context>
    <name>NoteFileGuard</name>
    <message>
        <source>it does not exist.</source>
        <translation>sie existiert nicht.</translation>
    </message>
    <message>
        <source>it cannot be reached: %1</source>
        <translation>sie ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>it is a folder, not a file.</source>
        <translation>sie ist ein Ordner, keine Datei.</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a file.</source>
        <translation>sie ist eine benannte Pipe (FIFO), keine Datei.</translation>
    </message>
    <message>
        <source>it is a device, not a file.</source>
        <translation>sie ist ein Gerät, keine Datei.</translation>
    </message>
    <message>
        <source>it is a socket or another special file, not a file.</source>
        <translation>sie ist ein Socket oder eine andere Spezialdatei, keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>it is empty.</source>
        <translation>sie ist leer.</translation>
    </message>
    <message>
        <source>another program holds it locked.</source>
        <translation>ein anderes Programm hält sie gesperrt.</translation>
    </message>
    <message>
        <source>reading it did not end in time; it may hold a query that never ends.</source>
        <translation>das Lesen endete nicht rechtzeitig; sie enthält möglicherweise eine Abfrage ohne Ende.</translation>
    </message>
    <message>
        <source>it is damaged or cut short.</source>
        <translation>sie ist beschädigt oder abgeschnitten.</translation>
    </message>
    <message>
        <source>it is no database; its content is of another kind.</source>
        <translation>sie ist keine Datenbank; ihr Inhalt ist von anderer Art.</translation>
    </message>
    <message>
        <source>it cannot be read.</source>
        <translation>sie kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>it holds no table of notes (&quot;stickies&quot;).</source>
        <translation>sie enthält keine Tabelle mit Notizen (&quot;stickies&quot;).</translation>
    </message>
    <message>
        <source>its &quot;%1&quot; is no table but a %2.</source>
        <translation>ihr &quot;%1&quot; ist keine Tabelle, sondern: %2.</translation>
    </message>
    <message>
        <source>its table &quot;%1&quot; has other columns than a note table.</source>
        <translation>ihre Tabelle &quot;%1&quot; hat andere Spalten als eine Notiztabelle.</translation>
    </message>
</context>
<context>
    <name>NoteImport</name>
    <message>
        <source>The folder %1 does not exist.</source>
        <translation>Der Ordner %1 existiert nicht.</translation>
    </message>
    <message>
        <source>The folder %1 holds no exported notes.</source>
        <translation>Der Ordner %1 enthält keine exportierten Notizen.</translation>
    </message>
    <message>
        <source>%1 is not a note exported by Notarella.</source>
        <translation>%1 ist keine von Notarella exportierte Notiz.</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not a Notarella note file: %2</source>
        <translation>%1 ist keine Notizdatei von Notarella: %2</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it could not be read.</source>
        <translation>nicht lesbar.</translation>
    </message>
    <message>
        <source>it is not a picture.</source>
        <translation>kein Bild.</translation>
    </message>
    <message>
        <source>it is not in the folder.</source>
        <translation>nicht im Ordner vorhanden.</translation>
    </message>
    <message>
        <source>it is outside the exported folder.</source>
        <translation>außerhalb des exportierten Ordners.</translation>
    </message>
    <message>
        <source>it is reached through a symbolic link.</source>
        <translation>nur über einen symbolischen Link erreichbar.</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>it is larger than 20 MB.</source>
        <translation>größer als 20 MB.</translation>
    </message>
    <message>
        <source>%1 is larger than 5 MB.</source>
        <translation>%1 ist größer als 5 MB.</translation>
    </message>
    <message>
        <source>reading it took too long; it may be damaged or made to hold up the program.</source>
        <translation>das Lesen dauerte zu lange; sie ist vielleicht beschädigt oder dazu gemacht, das Programm aufzuhalten.</translation>
    </message>
</context>
<context>
    <name>NoteImport::PictureTaker</name>
    <message>
        <source>The picture %1 was left out: %2</source>
        <translation>Das Bild %1 wurde weggelassen: %2</translation>
    </message>
</context>
<context>
    <name>NoteNames</name>
    <message>
        <source>Empty note</source>
        <translation>Leere Notiz</translation>
    </message>
    <message>
        <source>Shown: %1</source>
        <translation>Angezeigt: %1</translation>
    </message>
    <message>
        <source>Color of %1: %2</source>
        <translation>Farbe von %1: %2</translation>
    </message>
    <message>
        <source>Created %1: %2</source>
        <translation>Erstellt %1: %2</translation>
    </message>
    <message>
        <source>No reminder for %1</source>
        <translation>Keine Erinnerung für %1</translation>
    </message>
    <message>
        <source>Reminder of %1: %2</source>
        <translation>Erinnerung für %1: %2</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Notiz: %1</translation>
    </message>
</context>
<context>
    <name>NotePrinting</name>
    <message>
        <source>Sticky</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Printing Failed</source>
        <translation>Drucken fehlgeschlagen</translation>
    </message>
    <message>
        <source>&lt;p&gt;This sticky could not be printed.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Diese Notiz konnte nicht gedruckt werden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The stickies could not be printed.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Notizen konnten nicht gedruckt werden.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>NoteSaving</name>
    <message>
        <source>Notes Not Saved</source>
        <translation>Notizen nicht gespeichert</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella could not save your notes to %1:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;Your notes are kept while Notarella runs, and it tries again every minute. You will be told when saving works again.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Notarella konnte Ihre Notizen nicht in %1 speichern:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;Ihre Notizen bleiben erhalten, solange Notarella läuft, und es versucht es jede Minute erneut. Sie werden benachrichtigt, sobald das Speichern wieder gelingt.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Notes Saved Again</source>
        <translation>Notizen wieder gespeichert</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella saved your notes to %1 again.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Notarella hat Ihre Notizen wieder in %1 gespeichert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Notes Saved Elsewhere</source>
        <translation>Notizen an anderer Stelle gespeichert</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella could not save your notes to %1:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;They were written to %3 instead. Copy that file to %1 before Notarella starts again to get them back.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Notarella konnte Ihre Notizen nicht in %1 speichern:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;Sie wurden stattdessen in %3 geschrieben. Kopieren Sie diese Datei nach %1, bevor Notarella wieder startet, um sie zurückzubekommen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella could not save your notes to %1:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;No other place to keep them could be written either; the changes since the last save are lost.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Notarella konnte Ihre Notizen nicht in %1 speichern:&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;&lt;p&gt;Auch an keiner anderen Stelle konnten sie geschrieben werden; die Änderungen seit dem letzten Speichern sind verloren.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Note File Written Again</source>
        <translation>Notizdatei neu geschrieben</translation>
    </message>
    <message>
        <source>&lt;p&gt;Your note file %1 had been deleted. Notarella wrote all your notes to it again.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre Notizdatei %1 war gelöscht worden. Notarella hat alle Ihre Notizen erneut hineingeschrieben.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Note File Replaced</source>
        <translation>Notizdatei ersetzt</translation>
    </message>
    <message>
        <source>&lt;p&gt;Another file had taken the place of your note file %1. It was moved to %2, and Notarella wrote all your notes to %1 again.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Eine andere Datei hatte den Platz Ihrer Notizdatei %1 eingenommen. Sie wurde nach %2 verschoben, und Notarella hat alle Ihre Notizen erneut in %1 geschrieben.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Your note file %1 is damaged: one note could not be read.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre Notizdatei %1 ist beschädigt: Eine Notiz konnte nicht gelesen werden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Your note file %1 is damaged: %2 notes could not be read.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre Notizdatei %1 ist beschädigt: %2 Notizen konnten nicht gelesen werden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notes missing from it were taken from the save before: %1.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Fehlende Notizen wurden aus der vorherigen Speicherung übernommen: %1.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;The damaged file could not be moved aside.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die beschädigte Datei konnte nicht beiseitegelegt werden.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A copy of the damaged file was kept as %1; the notes that could be read are saved in a new file.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Eine Kopie der beschädigten Datei wurde als %1 aufbewahrt; die lesbaren Notizen werden in einer neuen Datei gespeichert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Note File Damaged</source>
        <translation>Notizdatei beschädigt</translation>
    </message>
</context>
<context>
    <name>NoteSearchBar</name>
    <message>
        <source>Search notes (Ctrl+F)</source>
        <translation>Notizen durchsuchen (Strg+F)</translation>
    </message>
    <message>
        <source>%1 of %2 notes</source>
        <translation>%1 von %2 Notizen</translation>
    </message>
    <message>
        <source>Search notes</source>
        <translation>Notizen durchsuchen</translation>
    </message>
    <message>
        <source>Shows only the notes that hold every word typed here; Escape clears it</source>
        <translation>Zeigt nur die Notizen, die jedes hier eingegebene Wort enthalten; Escape leert das Feld</translation>
    </message>
</context>
<context>
    <name>NoteText</name>
    <message>
        <source>No reminder set.</source>
        <translation>Keine Erinnerung festgelegt.</translation>
    </message>
    <message>
        <source>Periodic reminder next scheduled for</source>
        <translation>Regelmäßige Erinnerung, nächster Termin</translation>
    </message>
    <message>
        <source>Reminder scheduled for</source>
        <translation>Erinnerung geplant für</translation>
    </message>
    <message>
        <source>Original reminder scheduled for</source>
        <translation>Ursprüngliche Erinnerung geplant für</translation>
    </message>
    <message>
        <source>Snoozing until</source>
        <translation>Zurückgestellt bis</translation>
    </message>
</context>
<context>
    <name>NoteWriter</name>
    <message>
        <source>The note file is not open.</source>
        <translation>Die Notizdatei ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>%1 cannot be copied.</source>
        <translation>%1 kann nicht kopiert werden.</translation>
    </message>
    <message>
        <source>The note file cannot be opened again.</source>
        <translation>Die Notizdatei kann nicht erneut geöffnet werden.</translation>
    </message>
    <message>
        <source>%1 is not a Notarella note file: %2</source>
        <translation>%1 ist keine Notizdatei von Notarella: %2</translation>
    </message>
</context>
<context>
    <name>OptionsWindow</name>
    <message>
        <source>Notarella - Options</source>
        <translation>Notarella – Optionen</translation>
    </message>
    <message>
        <source>General Options</source>
        <translation>Allgemeine Optionen</translation>
    </message>
    <message>
        <source>Other Options</source>
        <translation>Weitere Optionen</translation>
    </message>
    <message>
        <source>Default Sticky Color:</source>
        <translation>Standardfarbe der Notizen:</translation>
    </message>
    <message>
        <source>Additional Sticky Colors:</source>
        <translation>Weitere Notizfarben:</translation>
    </message>
    <message>
        <source>Warning Messages:</source>
        <translation>Warnmeldungen:</translation>
    </message>
    <message>
        <source>Display a warning when hiding stickies.</source>
        <translation>Beim Ausblenden von Notizen warnen.</translation>
    </message>
    <message>
        <source>Display a warning when deleting stickies.</source>
        <translation>Beim Löschen von Notizen warnen.</translation>
    </message>
    <message>
        <source>Display a warning when closing the Control Panel.</source>
        <translation>Beim Schließen der Steuerzentrale warnen.</translation>
    </message>
    <message>
        <source>Play sound file for reminders:</source>
        <translation>Bei Erinnerungen diese Tondatei abspielen:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen …</translation>
    </message>
    <message>
        <source>Default Sticky Size:</source>
        <translation>Standardgröße der Notizen:</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Pixels: 50 to 500</source>
        <translation>Pixel: 50 bis 500</translation>
    </message>
    <message>
        <source>Date Formatting:</source>
        <translation>Datumsformat:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Display:</source>
        <translation>Anzeige:</translation>
    </message>
    <message>
        <source>Help!</source>
        <translation>Hilfe!</translation>
    </message>
    <message>
        <source>Create new Stickies with task bar entries.</source>
        <translation>Neue Notizen mit Eintrag in der Taskleiste erstellen.</translation>
    </message>
    <message>
        <source>Automatically start Notarella on User Login.</source>
        <translation>Notarella bei der Anmeldung automatisch starten.</translation>
    </message>
    <message>
        <source>&amp;Restore Original Settings</source>
        <translation>Ursprüngliche Einstellungen &amp;wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Warning - Invalid Sticky Size</source>
        <translation>Warnung – Ungültige Notizgröße</translation>
    </message>
    <message>
        <source>&lt;p&gt;The height and width of the stickies should be between 50 and 500 pixels&lt;/p&gt; &lt;p&gt;Please readjust the size values that you entered.&lt;/p&gt; </source>
        <translation>&lt;p&gt;Höhe und Breite der Notizen müssen zwischen 50 und 500 Pixeln liegen.&lt;/p&gt; &lt;p&gt;Bitte passen Sie die eingegebenen Größenwerte an.&lt;/p&gt; </translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella could not be set to start when you log in.&lt;/p&gt;&lt;p&gt;Your other options were saved.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Notarella konnte nicht für den Start bei der Anmeldung eingerichtet werden.&lt;/p&gt;&lt;p&gt;Ihre übrigen Optionen wurden gespeichert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Notarella could not be kept from starting when you log in.&lt;/p&gt;&lt;p&gt;Your other options were saved.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Start von Notarella bei der Anmeldung konnte nicht abgeschaltet werden.&lt;/p&gt;&lt;p&gt;Ihre übrigen Optionen wurden gespeichert.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Restoring Notarella Defaults</source>
        <translation>Notarella-Standardwerte wiederherstellen</translation>
    </message>
    <message>
        <source>&lt;p&gt;All of the options items will be set back to their default settings.&lt;/p&gt;&lt;p&gt;Restore original settings now?&lt;/p&gt;</source>
        <translation>&lt;p&gt;Alle Optionen werden auf ihre Standardwerte zurückgesetzt.&lt;/p&gt;&lt;p&gt;Ursprüngliche Einstellungen jetzt wiederherstellen?&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Sync</source>
        <translation>Abgleich</translation>
    </message>
    <message>
        <source>Keep my notes in step with other computers through this folder:</source>
        <translation>Meine Notizen über diesen Ordner mit anderen Computern abgleichen:</translation>
    </message>
    <message>
        <source>Browse…</source>
        <translation>Durchsuchen…</translation>
    </message>
    <message>
        <source>Turn off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <source>Sync is off.</source>
        <translation>Der Abgleich ist ausgeschaltet.</translation>
    </message>
    <message>
        <source>Notes will be kept in step through this folder once you save.</source>
        <translation>Sobald Sie speichern, werden die Notizen über diesen Ordner abgeglichen.</translation>
    </message>
    <message>
        <source>Choose the folder to keep your notes in step through</source>
        <translation>Ordner für den Abgleich Ihrer Notizen wählen</translation>
    </message>
    <message>
        <source>Default Sticky Color</source>
        <translation>Standardfarbe für Notizen</translation>
    </message>
    <message>
        <source>Additional Sticky Color %1</source>
        <translation>Weitere Notizfarbe %1</translation>
    </message>
    <message>
        <source>Sound file for reminders</source>
        <translation>Klangdatei für Erinnerungen</translation>
    </message>
    <message>
        <source>Make a new note with this key in any program:</source>
        <translation>Mit dieser Taste in jedem Programm eine neue Notiz erstellen:</translation>
    </message>
    <message>
        <source>This desktop lets no program take a key for itself. In its keyboard settings, give a key of your own to the command &lt;b&gt;notarella --new-note&lt;/b&gt;, &lt;b&gt;notarella --new-note --from-selection&lt;/b&gt; or &lt;b&gt;notarella --toggle&lt;/b&gt; (the README says how for GNOME and KDE Plasma).</source>
        <translation>Diese Arbeitsumgebung lässt kein Programm eine Taste für sich belegen. Legen Sie in ihren Tastatureinstellungen eine eigene Taste auf den Befehl &lt;b&gt;notarella --new-note&lt;/b&gt;, &lt;b&gt;notarella --new-note --from-selection&lt;/b&gt; oder &lt;b&gt;notarella --toggle&lt;/b&gt; (die README beschreibt das für GNOME und KDE Plasma).</translation>
    </message>
    <message>
        <source>Key for a new note</source>
        <translation>Taste für eine neue Notiz</translation>
    </message>
</context>
<context>
    <name>PeriodicSchedule</name>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Weekdays</source>
        <translation>Wochentage</translation>
    </message>
    <message>
        <source>A periodic reminder needs exactly five fields.</source>
        <translation>Eine regelmäßige Erinnerung braucht genau fünf Felder.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a periodic pattern.</source>
        <translation>„%1“ ist kein Muster für eine regelmäßige Erinnerung.</translation>
    </message>
    <message>
        <source>The periodic pattern &quot;%1&quot; does not have five fields.</source>
        <translation>Das Muster „%1“ hat nicht fünf Felder.</translation>
    </message>
    <message>
        <source>The current date and time are not valid.</source>
        <translation>Das aktuelle Datum und die aktuelle Uhrzeit sind ungültig.</translation>
    </message>
    <message>
        <source>%1 and %2: none of the chosen days occurs in the chosen months, so this reminder would never occur.</source>
        <translation>%1 und %2: Keiner der gewählten Tage kommt in den gewählten Monaten vor, daher würde diese Erinnerung nie eintreten.</translation>
    </message>
    <message>
        <source>No date in the next %1 years matches this pattern, so this reminder would never occur.</source>
        <translation>Kein Datum der nächsten %1 Jahre passt zu diesem Muster, daher würde diese Erinnerung nie eintreten.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a value, a range like 9-17 or a step like */15.</source>
        <translation>%1: „%2“ ist weder ein Wert noch ein Bereich wie 9-17 noch eine Schrittweite wie */15.</translation>
    </message>
    <message>
        <source>%1: the step in &quot;%2&quot; needs a range or &quot;*&quot; before it, e.g. */15.</source>
        <translation>%1: Vor der Schrittweite in „%2“ muss ein Bereich oder „*“ stehen, z. B. */15.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is outside %3-%4.</source>
        <translation>%1: „%2“ liegt außerhalb von %3-%4.</translation>
    </message>
    <message>
        <source>%1: the range &quot;%2&quot; ends before it starts.</source>
        <translation>%1: Der Bereich „%2“ endet, bevor er beginnt.</translation>
    </message>
    <message>
        <source>%1: the step in &quot;%2&quot; must be between 1 and %3.</source>
        <translation>%1: Die Schrittweite in „%2“ muss zwischen 1 und %3 liegen.</translation>
    </message>
</context>
<context>
    <name>PeriodicWords</name>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>January</source>
        <translation>Januar</translation>
    </message>
    <message>
        <source>February</source>
        <translation>Februar</translation>
    </message>
    <message>
        <source>March</source>
        <translation>März</translation>
    </message>
    <message>
        <source>April</source>
        <translation>April</translation>
    </message>
    <message>
        <source>May</source>
        <translation>Mai</translation>
    </message>
    <message>
        <source>June</source>
        <translation>Juni</translation>
    </message>
    <message>
        <source>July</source>
        <translation>Juli</translation>
    </message>
    <message>
        <source>August</source>
        <translation>August</translation>
    </message>
    <message>
        <source>September</source>
        <translation>September</translation>
    </message>
    <message>
        <source>October</source>
        <translation>Oktober</translation>
    </message>
    <message>
        <source>November</source>
        <translation>November</translation>
    </message>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>%1st</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1nd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1rd</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>%1th</source>
        <translation>%1.</translation>
    </message>
    <message>
        <source>any</source>
        <translation>beliebig</translation>
    </message>
    <message>
        <source>every minute</source>
        <translation>jede Minute</translation>
    </message>
    <message>
        <source>every %1 minutes</source>
        <translation>alle %1 Minuten</translation>
    </message>
    <message>
        <source>every hour on the hour</source>
        <translation>jede volle Stunde</translation>
    </message>
    <message>
        <source>every hour at minute %1</source>
        <translation>jede Stunde zur Minute %1</translation>
    </message>
    <message>
        <source>every day at %1</source>
        <translation>jeden Tag um %1</translation>
    </message>
    <message>
        <source>every day in %1 at %2</source>
        <translation>jeden Tag im %1 um %2</translation>
    </message>
    <message>
        <source>every weekday at %1</source>
        <translation>montags bis freitags um %1</translation>
    </message>
    <message>
        <source>every weekday in %1 at %2</source>
        <translation>montags bis freitags im %1 um %2</translation>
    </message>
    <message>
        <source>every %1 at %2</source>
        <translation>jeden %1 um %2</translation>
    </message>
    <message>
        <source>every %1 in %2 at %3</source>
        <translation>jeden %1 im %2 um %3</translation>
    </message>
    <message>
        <source>on the %1 of every month at %2</source>
        <translation>am %1 jedes Monats um %2</translation>
    </message>
    <message>
        <source>every year on the %1 of %2 at %3</source>
        <translation>jedes Jahr am %1 %2 um %3</translation>
    </message>
</context>
<context>
    <name>PictureIntake</name>
    <message>
        <source>Picture Too Large</source>
        <translation>Bild zu groß</translation>
    </message>
    <message>
        <source>&lt;p&gt;These pictures are larger than 20 MB and are not kept in the note:&lt;/p&gt;&lt;ul&gt;%1&lt;/ul&gt;&lt;p&gt;The note refers to each file where it is now and shows a placeholder for it; a smaller copy of the picture can be inserted instead.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Diese Bilder sind größer als 20 MB und werden nicht in der Notiz aufbewahrt:&lt;/p&gt;&lt;ul&gt;%1&lt;/ul&gt;&lt;p&gt;Die Notiz verweist auf jede Datei an ihrem jetzigen Ort und zeigt dafür einen Platzhalter; stattdessen kann eine kleinere Kopie des Bildes eingefügt werden.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>RZColorSelector</name>
    <message>
        <source>Alice Blue</source>
        <translation>Aliceblau</translation>
    </message>
    <message>
        <source>Alizarin Crimson</source>
        <translation>Alizarinkarmesin</translation>
    </message>
    <message>
        <source>Antique White</source>
        <translation>Antikweiß</translation>
    </message>
    <message>
        <source>Aquamarine</source>
        <translation>Aquamarin</translation>
    </message>
    <message>
        <source>Aureoline Yellow</source>
        <translation>Aureolingelb</translation>
    </message>
    <message>
        <source>Azure</source>
        <translation>Azurblau</translation>
    </message>
    <message>
        <source>Banana</source>
        <translation>Bananengelb</translation>
    </message>
    <message>
        <source>Beige</source>
        <translation>Beige</translation>
    </message>
    <message>
        <source>Bisque</source>
        <translation>Biskuit</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Blanched Almond</source>
        <translation>Mandelweiß</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Blue Violet</source>
        <translation>Blauviolett</translation>
    </message>
    <message>
        <source>Brick</source>
        <translation>Ziegelrot</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>Braun</translation>
    </message>
    <message>
        <source>Brown Madder</source>
        <translation>Krappbraun</translation>
    </message>
    <message>
        <source>Brown Ochre</source>
        <translation>Ockerbraun</translation>
    </message>
    <message>
        <source>Burlywood</source>
        <translation>Kräftiges Holzbraun</translation>
    </message>
    <message>
        <source>Burnt Sienna</source>
        <translation>Siena gebrannt</translation>
    </message>
    <message>
        <source>Burnt Umber</source>
        <translation>Umbra gebrannt</translation>
    </message>
    <message>
        <source>Cadet</source>
        <translation>Kadettblau</translation>
    </message>
    <message>
        <source>Cadmium Lemon</source>
        <translation>Kadmiumzitron</translation>
    </message>
    <message>
        <source>Cadmium Orange</source>
        <translation>Kadmiumorange</translation>
    </message>
    <message>
        <source>Cadmium Yellow</source>
        <translation>Kadmiumgelb</translation>
    </message>
    <message>
        <source>Carrot</source>
        <translation>Karottenrot</translation>
    </message>
    <message>
        <source>Cerulean</source>
        <translation>Coelinblau</translation>
    </message>
    <message>
        <source>Chartreuse</source>
        <translation>Hellgrün (Chartreuse)</translation>
    </message>
    <message>
        <source>Chocolate</source>
        <translation>Schokoladenbraun</translation>
    </message>
    <message>
        <source>Chrome Oxide Green</source>
        <translation>Chromoxidgrün</translation>
    </message>
    <message>
        <source>Cinnabar Green</source>
        <translation>Zinnobergrün</translation>
    </message>
    <message>
        <source>Cobalt</source>
        <translation>Kobaltblau</translation>
    </message>
    <message>
        <source>Cobalt Green</source>
        <translation>Kobaltgrün</translation>
    </message>
    <message>
        <source>Cold Grey</source>
        <translation>Kaltgrau</translation>
    </message>
    <message>
        <source>Coral</source>
        <translation>Koralle</translation>
    </message>
    <message>
        <source>Cornflower</source>
        <translation>Kornblumenblau</translation>
    </message>
    <message>
        <source>Cornsilk</source>
        <translation>Maisseide</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Dark Goldenrod</source>
        <translation>Dunkles Goldrutengelb</translation>
    </message>
    <message>
        <source>Dark Green</source>
        <translation>Dunkelgrün</translation>
    </message>
    <message>
        <source>Dark Khaki</source>
        <translation>Dunkles Khaki</translation>
    </message>
    <message>
        <source>Dark Olive Green</source>
        <translation>Dunkles Olivgrün</translation>
    </message>
    <message>
        <source>Dark Orange</source>
        <translation>Dunkelorange</translation>
    </message>
    <message>
        <source>Dark Orchid</source>
        <translation>Dunkle Orchidee</translation>
    </message>
    <message>
        <source>Dark Sea Green</source>
        <translation>Dunkles Seegrün</translation>
    </message>
    <message>
        <source>Dark Slate Blue</source>
        <translation>Dunkles Schieferblau</translation>
    </message>
    <message>
        <source>Dark Slate Grey</source>
        <translation>Dunkles Schiefergrau</translation>
    </message>
    <message>
        <source>Dark Turquoise</source>
        <translation>Dunkeltürkis</translation>
    </message>
    <message>
        <source>Dark Violet</source>
        <translation>Dunkelviolett</translation>
    </message>
    <message>
        <source>Deep  Ochre</source>
        <translation>Tiefer Ocker</translation>
    </message>
    <message>
        <source>Deep Cadmium Red</source>
        <translation>Kadmiumrot dunkel</translation>
    </message>
    <message>
        <source>Deep Cobalt Violet</source>
        <translation>Kobaltviolett dunkel</translation>
    </message>
    <message>
        <source>Deep Madder Lake</source>
        <translation>Krapplack dunkel</translation>
    </message>
    <message>
        <source>Deep Naples Yellow</source>
        <translation>Neapelgelb dunkel</translation>
    </message>
    <message>
        <source>Deep Pink</source>
        <translation>Tiefrosa</translation>
    </message>
    <message>
        <source>Deep Sky Blue</source>
        <translation>Tiefes Himmelblau</translation>
    </message>
    <message>
        <source>Dim Drey</source>
        <translation>Mattgrau</translation>
    </message>
    <message>
        <source>Dodger Blue</source>
        <translation>Dodger-Blau</translation>
    </message>
    <message>
        <source>Drab Olive</source>
        <translation>Trübes Oliv</translation>
    </message>
    <message>
        <source>Eggshell</source>
        <translation>Eierschale</translation>
    </message>
    <message>
        <source>Emerald Green</source>
        <translation>Smaragdgrün</translation>
    </message>
    <message>
        <source>English Red</source>
        <translation>Englischrot</translation>
    </message>
    <message>
        <source>Firebrick</source>
        <translation>Ziegelfeuerrot</translation>
    </message>
    <message>
        <source>Floral White</source>
        <translation>Blütenweiß</translation>
    </message>
    <message>
        <source>Forest Green</source>
        <translation>Waldgrün</translation>
    </message>
    <message>
        <source>Gainsboro</source>
        <translation>Gainsboro-Grau</translation>
    </message>
    <message>
        <source>Geranium Lake</source>
        <translation>Geranienlack</translation>
    </message>
    <message>
        <source>Ghost White</source>
        <translation>Geisterweiß</translation>
    </message>
    <message>
        <source>Gold</source>
        <translation>Gold</translation>
    </message>
    <message>
        <source>Gold Ochre</source>
        <translation>Goldocker</translation>
    </message>
    <message>
        <source>Goldenrod</source>
        <translation>Goldrutengelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Green Yellow</source>
        <translation>Grüngelb</translation>
    </message>
    <message>
        <source>Greenish Umber</source>
        <translation>Grünliche Umbra</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Honeydew</source>
        <translation>Honigmelone</translation>
    </message>
    <message>
        <source>Hot Pink</source>
        <translation>Leuchtendes Rosa</translation>
    </message>
    <message>
        <source>Indian Red</source>
        <translation>Indischrot</translation>
    </message>
    <message>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <source>Ivory</source>
        <translation>Elfenbein</translation>
    </message>
    <message>
        <source>Ivory Black</source>
        <translation>Elfenbeinschwarz</translation>
    </message>
    <message>
        <source>Khaki</source>
        <translation>Khaki</translation>
    </message>
    <message>
        <source>Lamp Black</source>
        <translation>Lampenschwarz</translation>
    </message>
    <message>
        <source>Lavender</source>
        <translation>Lavendel</translation>
    </message>
    <message>
        <source>Lavender Blush</source>
        <translation>Lavendelrosa</translation>
    </message>
    <message>
        <source>Lawn Green</source>
        <translation>Rasengrün</translation>
    </message>
    <message>
        <source>Lemon Chiffon</source>
        <translation>Zitronenchiffon</translation>
    </message>
    <message>
        <source>Light Beige</source>
        <translation>Hellbeige</translation>
    </message>
    <message>
        <source>Light Blue</source>
        <translation>Hellblau</translation>
    </message>
    <message>
        <source>Light Cadmium Red</source>
        <translation>Kadmiumrot hell</translation>
    </message>
    <message>
        <source>Light Cadmium Yellow</source>
        <translation>Kadmiumgelb hell</translation>
    </message>
    <message>
        <source>Light Coral</source>
        <translation>Helle Koralle</translation>
    </message>
    <message>
        <source>Light Goldenrod</source>
        <translation>Helles Goldrutengelb</translation>
    </message>
    <message>
        <source>Light Green</source>
        <translation>Hellgrün</translation>
    </message>
    <message>
        <source>Light Grey</source>
        <translation>Hellgrau</translation>
    </message>
    <message>
        <source>Light Orange</source>
        <translation>Hellorange</translation>
    </message>
    <message>
        <source>Light Pink</source>
        <translation>Hellrosa</translation>
    </message>
    <message>
        <source>Light Salmon</source>
        <translation>Helles Lachsrosa</translation>
    </message>
    <message>
        <source>Light Sea Green</source>
        <translation>Helles Seegrün</translation>
    </message>
    <message>
        <source>Light Sky Blue</source>
        <translation>Helles Himmelblau</translation>
    </message>
    <message>
        <source>Light Slate Blue</source>
        <translation>Helles Schieferblau</translation>
    </message>
    <message>
        <source>Light Slate Grey</source>
        <translation>Helles Schiefergrau</translation>
    </message>
    <message>
        <source>Light Steel Blue</source>
        <translation>Helles Stahlblau</translation>
    </message>
    <message>
        <source>Light Viridian</source>
        <translation>Viridiangrün hell</translation>
    </message>
    <message>
        <source>Light Yellow</source>
        <translation>Hellgelb</translation>
    </message>
    <message>
        <source>Lime Green</source>
        <translation>Limettengrün</translation>
    </message>
    <message>
        <source>Linen</source>
        <translation>Leinen</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Manganese Blue</source>
        <translation>Manganblau</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Kastanienbraun</translation>
    </message>
    <message>
        <source>Mars Orange</source>
        <translation>Marsorange</translation>
    </message>
    <message>
        <source>Mars Yellow</source>
        <translation>Marsgelb</translation>
    </message>
    <message>
        <source>Medium Aquamarine</source>
        <translation>Mittleres Aquamarin</translation>
    </message>
    <message>
        <source>Medium Blue</source>
        <translation>Mittelblau</translation>
    </message>
    <message>
        <source>Medium Orchid</source>
        <translation>Mittlere Orchidee</translation>
    </message>
    <message>
        <source>Medium Purple</source>
        <translation>Mittleres Purpur</translation>
    </message>
    <message>
        <source>Medium Sea Green</source>
        <translation>Mittleres Seegrün</translation>
    </message>
    <message>
        <source>Medium Slate Blue</source>
        <translation>Mittleres Schieferblau</translation>
    </message>
    <message>
        <source>Medium Spring Green</source>
        <translation>Mittleres Frühlingsgrün</translation>
    </message>
    <message>
        <source>Medium Turquoise</source>
        <translation>Mitteltürkis</translation>
    </message>
    <message>
        <source>Medium Violet Red</source>
        <translation>Mittleres Violettrot</translation>
    </message>
    <message>
        <source>Melon</source>
        <translation>Melone</translation>
    </message>
    <message>
        <source>Midnight Blue</source>
        <translation>Mitternachtsblau</translation>
    </message>
    <message>
        <source>Mint</source>
        <translation>Minze</translation>
    </message>
    <message>
        <source>Mint Cream</source>
        <translation>Minzcreme</translation>
    </message>
    <message>
        <source>Misty Rose</source>
        <translation>Altrosa</translation>
    </message>
    <message>
        <source>Moccasin</source>
        <translation>Mokassin</translation>
    </message>
    <message>
        <source>Navajo White</source>
        <translation>Navajoweiß</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Marineblau</translation>
    </message>
    <message>
        <source>Old Lace</source>
        <translation>Alte Spitze</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Oliv</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Orange Red</source>
        <translation>Orangerot</translation>
    </message>
    <message>
        <source>Orchid</source>
        <translation>Orchidee</translation>
    </message>
    <message>
        <source>Pale Goldenrod</source>
        <translation>Blasses Goldrutengelb</translation>
    </message>
    <message>
        <source>Pale Green</source>
        <translation>Blassgrün</translation>
    </message>
    <message>
        <source>Pale Turquoise</source>
        <translation>Blasstürkis</translation>
    </message>
    <message>
        <source>Pale Violet Red</source>
        <translation>Blasses Violettrot</translation>
    </message>
    <message>
        <source>Papaya Whip</source>
        <translation>Papayacreme</translation>
    </message>
    <message>
        <source>Peach Puff</source>
        <translation>Pfirsich</translation>
    </message>
    <message>
        <source>Peacock</source>
        <translation>Pfauenblau</translation>
    </message>
    <message>
        <source>Permanent Green</source>
        <translation>Permanentgrün</translation>
    </message>
    <message>
        <source>Permanent Violet Red</source>
        <translation>Permanentviolettrot</translation>
    </message>
    <message>
        <source>Peru</source>
        <translation>Peru</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Plum</source>
        <translation>Pflaume</translation>
    </message>
    <message>
        <source>Powder Blue</source>
        <translation>Puderblau</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Purpur</translation>
    </message>
    <message>
        <source>Raspberry</source>
        <translation>Himbeere</translation>
    </message>
    <message>
        <source>Raw Sienna</source>
        <translation>Siena natur</translation>
    </message>
    <message>
        <source>Raw Umber</source>
        <translation>Umbra natur</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Rose Madder</source>
        <translation>Krapprosa</translation>
    </message>
    <message>
        <source>Rosy Brown</source>
        <translation>Rosiges Braun</translation>
    </message>
    <message>
        <source>Royal Blue</source>
        <translation>Königsblau</translation>
    </message>
    <message>
        <source>Saddle Brown</source>
        <translation>Sattelbraun</translation>
    </message>
    <message>
        <source>Salmon</source>
        <translation>Lachs</translation>
    </message>
    <message>
        <source>Sandy Brown</source>
        <translation>Sandbraun</translation>
    </message>
    <message>
        <source>Sap Green</source>
        <translation>Saftgrün</translation>
    </message>
    <message>
        <source>Sea Green</source>
        <translation>Seegrün</translation>
    </message>
    <message>
        <source>Seashell</source>
        <translation>Muschel</translation>
    </message>
    <message>
        <source>Sepia</source>
        <translation>Sepia</translation>
    </message>
    <message>
        <source>Sienna</source>
        <translation>Siena</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <translation>Himmelblau</translation>
    </message>
    <message>
        <source>Slate Blue</source>
        <translation>Schieferblau</translation>
    </message>
    <message>
        <source>Slate Grey</source>
        <translation>Schiefergrau</translation>
    </message>
    <message>
        <source>Snow</source>
        <translation>Schneeweiß</translation>
    </message>
    <message>
        <source>Spring Green</source>
        <translation>Frühlingsgrün</translation>
    </message>
    <message>
        <source>Steel Blue</source>
        <translation>Stahlblau</translation>
    </message>
    <message>
        <source>Tan</source>
        <translation>Hautfarben</translation>
    </message>
    <message>
        <source>Terre Verte</source>
        <translation>Grüne Erde</translation>
    </message>
    <message>
        <source>Thistle</source>
        <translation>Distel</translation>
    </message>
    <message>
        <source>Titanium White</source>
        <translation>Titanweiß</translation>
    </message>
    <message>
        <source>Tomato</source>
        <translation>Tomatenrot</translation>
    </message>
    <message>
        <source>Turquoise</source>
        <translation>Türkis</translation>
    </message>
    <message>
        <source>Turquoise Blue</source>
        <translation>Türkisblau</translation>
    </message>
    <message>
        <source>Ultramarine</source>
        <translation>Ultramarin</translation>
    </message>
    <message>
        <source>Ultramarine Violet</source>
        <translation>Ultramarinviolett</translation>
    </message>
    <message>
        <source>Van Dyke Brown</source>
        <translation>Van-Dyck-Braun</translation>
    </message>
    <message>
        <source>Venetian Red</source>
        <translation>Venezianischrot</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Violet Red</source>
        <translation>Violettrot</translation>
    </message>
    <message>
        <source>Warm Grey</source>
        <translation>Warmgrau</translation>
    </message>
    <message>
        <source>Wheat</source>
        <translation>Weizen</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>White Cyan</source>
        <translation>Weißcyan</translation>
    </message>
    <message>
        <source>White Smoke</source>
        <translation>Rauchweiß</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Yellow Green</source>
        <translation>Gelbgrün</translation>
    </message>
    <message>
        <source>Yellow Ochre</source>
        <translation>Gelber Ocker</translation>
    </message>
    <message>
        <source>Zinc White</source>
        <translation>Zinkweiß</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Weitere …</translation>
    </message>
    <message>
        <source>Custom Color</source>
        <translation>Eigene Farbe</translation>
    </message>
    <message>
        <source>&lt;p&gt;Please enter a temporary name for this color:</source>
        <translation>&lt;p&gt;Bitte geben Sie einen vorläufigen Namen für diese Farbe ein:</translation>
    </message>
    <message>
        <source>Undefined color</source>
        <translation>Undefinierte Farbe</translation>
    </message>
</context>
<context>
    <name>RZColorSelectorDialog</name>
    <message>
        <source>Color Chooser</source>
        <translation>Farbauswahl</translation>
    </message>
    <message>
        <source>Select a color:</source>
        <translation>Wählen Sie eine Farbe:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>RZOpenDefaultBrowser</name>
    <message>
        <source>Link Not Opened</source>
        <translation>Link nicht geöffnet</translation>
    </message>
    <message>
        <source>&lt;p&gt;The link &lt;b&gt;%1&lt;/b&gt; could not be opened.&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</source>
        <translation>&lt;p&gt;Der Link &lt;b&gt;%1&lt;/b&gt; konnte nicht geöffnet werden.&lt;/p&gt;&lt;p&gt;%2&lt;/p&gt;</translation>
    </message>
    <message>
        <source>The program that opens links (%1) could not be started: %2</source>
        <translation>Das Programm, das Links öffnet (%1), konnte nicht gestartet werden: %2</translation>
    </message>
    <message>
        <source>The program that opens links reported a failure (exit code %1).</source>
        <translation>Das Programm, das Links öffnet, hat einen Fehler gemeldet (Exit-Code %1).</translation>
    </message>
    <message>
        <source>The program that opens links reported a failure (exit code %1): %2</source>
        <translation>Das Programm, das Links öffnet, hat einen Fehler gemeldet (Exit-Code %1): %2</translation>
    </message>
    <message>
        <source>The program that opens links stopped unexpectedly.</source>
        <translation>Das Programm, das Links öffnet, wurde unerwartet beendet.</translation>
    </message>
</context>
<context>
    <name>RZToggleMessageBox</name>
    <message>
        <source>Do not show this message again.</source>
        <translation>Diese Meldung nicht mehr anzeigen.</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>ReminderDialog</name>
    <message>
        <source>5 minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 Minuten</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 Minuten</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>2 hours</source>
        <translation>2 Stunden</translation>
    </message>
    <message>
        <source>4 hours</source>
        <translation>4 Stunden</translation>
    </message>
    <message>
        <source>8 hours</source>
        <translation>8 Stunden</translation>
    </message>
    <message>
        <source>12 hours</source>
        <translation>12 Stunden</translation>
    </message>
    <message>
        <source>1 day</source>
        <translation>1 Tag</translation>
    </message>
    <message>
        <source>2 days</source>
        <translation>2 Tage</translation>
    </message>
    <message>
        <source>3 days</source>
        <translation>3 Tage</translation>
    </message>
    <message>
        <source>4 days</source>
        <translation>4 Tage</translation>
    </message>
    <message>
        <source>1 week</source>
        <translation>1 Woche</translation>
    </message>
    <message>
        <source>2 weeks</source>
        <translation>2 Wochen</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Reminder</source>
        <translation>Erinnerung</translation>
    </message>
    <message>
        <source>&lt;p&gt;Reminder Due Date: %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;Fällig am: %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Dismiss Reminder</source>
        <translation>Erinnerung verwerfen</translation>
    </message>
    <message>
        <source>Remind me again in...</source>
        <translation>Erneut erinnern in …</translation>
    </message>
    <message numerus="yes">
        <source>%n more reminder(s) waiting</source>
        <translation>
            <numerusform>%n weitere Erinnerung wartet</numerusform>
            <numerusform>%n weitere Erinnerungen warten</numerusform>
        </translation>
    </message>
    <message>
        <source>This sticky is </source>
        <translation>Diese Notiz ist </translation>
    </message>
    <message>
        <source>%1 minutes overdue:</source>
        <translation>%1 Minuten überfällig:</translation>
    </message>
    <message>
        <source>&lt;p&gt;This sticky&apos;s reminder time has elapsed:&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Erinnerungszeit dieser Notiz ist abgelaufen:&lt;/p&gt;</translation>
    </message>
    <message>
        <source>%1 week</source>
        <translation>%1 Woche</translation>
    </message>
    <message>
        <source>%1 weeks</source>
        <translation>%1 Wochen</translation>
    </message>
    <message>
        <source>%1 day</source>
        <translation>%1 Tag</translation>
    </message>
    <message>
        <source>%1 days</source>
        <translation>%1 Tage</translation>
    </message>
    <message>
        <source>%1 hour</source>
        <translation>%1 Stunde</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1 Stunden</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
</context>
<context>
    <name>SetReminderDialog</name>
    <message>
        <source>Every Minute</source>
        <translation>Jede Minute</translation>
    </message>
    <message>
        <source>Every Hour</source>
        <translation>Jede Stunde</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Jeden Tag</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Jeden Monat</translation>
    </message>
    <message>
        <source>Every Weekday</source>
        <translation>Jeden Wochentag</translation>
    </message>
    <message>
        <source>Minutes (0-59) =</source>
        <translation>Minuten (0-59) =</translation>
    </message>
    <message>
        <source>Hours (0-23) =</source>
        <translation>Stunden (0-23) =</translation>
    </message>
    <message>
        <source>Days (1-31) =</source>
        <translation>Tage (1-31) =</translation>
    </message>
    <message>
        <source>Months (1-12) =</source>
        <translation>Monate (1-12) =</translation>
    </message>
    <message>
        <source>Weekdays (1-7, Monday=1) =</source>
        <translation>Wochentage (1-7, Montag=1) =</translation>
    </message>
    <message>
        <source>Notarella - Set Reminder</source>
        <translation>Notarella – Erinnerung festlegen</translation>
    </message>
    <message>
        <source>Schedule Reminder</source>
        <translation>Erinnerung planen</translation>
    </message>
    <message>
        <source>No Reminder</source>
        <translation>Keine Erinnerung</translation>
    </message>
    <message>
        <source>One-Time Reminder</source>
        <translation>Einmalige Erinnerung</translation>
    </message>
    <message>
        <source>Periodic Reminder</source>
        <translation>Regelmäßige Erinnerung</translation>
    </message>
    <message>
        <source>My reminders will occur on:</source>
        <translation>Meine Erinnerungen erfolgen am:</translation>
    </message>
    <message>
        <source>Next periodic date match:</source>
        <translation>Nächster passender Termin:</translation>
    </message>
    <message>
        <source>&amp;Help!</source>
        <translation>&amp;Hilfe!</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Reminder Error</source>
        <translation>Fehler bei der Erinnerung</translation>
    </message>
    <message>
        <source>&lt;p&gt;Please set your reminder to occur &lt;i&gt;after&lt;/i&gt; the current date and time.&lt;p&gt;</source>
        <translation>&lt;p&gt;Bitte legen Sie die Erinnerung &lt;i&gt;nach&lt;/i&gt; dem aktuellen Datum und der aktuellen Uhrzeit fest.&lt;p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;This periodic reminder cannot be scheduled:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;</source>
        <translation>&lt;p&gt;Diese regelmäßige Erinnerung kann nicht geplant werden:&lt;/p&gt;&lt;p&gt;%1&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>StickyWidget</name>
    <message>
        <source>Locked</source>
        <translation>Gesperrt</translation>
    </message>
    <message>
        <source>Warning: Hiding Sticky</source>
        <translation>Warnung: Notiz wird ausgeblendet</translation>
    </message>
    <message>
        <source>Okay</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Hide</source>
        <translation>&amp;Ausblenden</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Lock Sticky</source>
        <translation>Notiz s&amp;perren</translation>
    </message>
    <message>
        <source>Always on &amp;Top</source>
        <translation>Immer im &amp;Vordergrund</translation>
    </message>
    <message>
        <source>Show in &amp;Task Bar</source>
        <translation>In der &amp;Taskleiste zeigen</translation>
    </message>
    <message>
        <source>Rich Text &amp;Editor</source>
        <translation>Rich-Text-&amp;Editor</translation>
    </message>
    <message>
        <source>Set/Edit &amp;Reminder</source>
        <translation>E&amp;rinnerung festlegen/bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Drucken</translation>
    </message>
    <message>
        <source>Sticky Control &amp;Panel</source>
        <translation>Notiz-&amp;Steuerzentrale</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Weitere …</translation>
    </message>
    <message>
        <source>Sticky Locked</source>
        <translation>Notiz gesperrt</translation>
    </message>
    <message>
        <source>&lt;p&gt;This sticky is locked.&lt;p&gt;&lt;p&gt;In order to delete this sticky you must first unlock it.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Diese Notiz ist gesperrt.&lt;p&gt;&lt;p&gt;Um diese Notiz zu löschen, müssen Sie sie zuerst entsperren.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Warning: Deleting Sticky</source>
        <translation>Warnung: Notiz wird gelöscht</translation>
    </message>
    <message>
        <source>&lt;p&gt;A deleted sticky goes to &lt;i&gt;Deleted Notes…&lt;/i&gt; in the &lt;i&gt;Notes&lt;/i&gt; menu of the control panel, where it can be restored for 30 days.  Any reminder associated with this sticky will NOT occur while it is deleted.&lt;/p&gt;&lt;b&gt;&lt;p&gt;Do you still wish to delete this sticky?&lt;/p&gt;&lt;/b&gt;</source>
        <translation>&lt;p&gt;Eine gelöschte Notiz kommt in &lt;i&gt;Gelöschte Notizen …&lt;/i&gt; im Menü &lt;i&gt;Notizen&lt;/i&gt; der Steuerzentrale und kann dort 30 Tage lang wiederhergestellt werden. Eine Erinnerung dieser Notiz erfolgt NICHT, solange sie gelöscht ist.&lt;/p&gt;&lt;b&gt;&lt;p&gt;Möchten Sie diese Notiz trotzdem löschen?&lt;/p&gt;&lt;/b&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;Hidden stickies are only accessible from the list of the Notarella control panel (right-click the system tray icon and choose &lt;i&gt;Sticky Control Panel&lt;/i&gt;).  However, any reminder set for this sticky will still occur as scheduled and result in the sticky being reactivated at the appropriate time.&lt;/p&gt;&lt;b&gt;&lt;p&gt;Do you still wish to hide this sticky?&lt;/p&gt;&lt;/b&gt;</source>
        <translation>&lt;p&gt;Ausgeblendete Notizen erreichen Sie nur noch über die Liste der Notarella-Steuerzentrale (klicken Sie mit der rechten Maustaste auf das Symbol im Systembereich und wählen Sie &lt;i&gt;Notiz-Steuerzentrale&lt;/i&gt;). Eine für diese Notiz festgelegte Erinnerung erfolgt jedoch wie geplant und zeigt die Notiz zur richtigen Zeit wieder an.&lt;/p&gt;&lt;b&gt;&lt;p&gt;Möchten Sie diese Notiz trotzdem ausblenden?&lt;/p&gt;&lt;/b&gt;</translation>
    </message>
    <message>
        <source>Change &amp;Color</source>
        <translation>&amp;Farbe ändern</translation>
    </message>
    <message>
        <source>Note text</source>
        <translation>Notiztext</translation>
    </message>
    <message>
        <source>Hide note</source>
        <translation>Notiz ausblenden</translation>
    </message>
</context>
<context>
    <name>SyncFolder</name>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The folder %1 is not reachable.</source>
        <translation>Der Ordner %1 ist nicht erreichbar.</translation>
    </message>
</context>
<context>
    <name>SyncFolderCommand</name>
    <message>
        <source>Notarella - Sync</source>
        <translation>Notarella - Abgleich</translation>
    </message>
    <message>
        <source>&lt;p&gt;Your notes cannot be kept in step through &lt;b&gt;%1&lt;/b&gt;: there is no folder of that name on this computer.&lt;/p&gt;&lt;p&gt;Sync stays as it was.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Ihre Notizen können nicht über &lt;b&gt;%1&lt;/b&gt; abgeglichen werden: Auf diesem Computer gibt es keinen Ordner dieses Namens.&lt;/p&gt;&lt;p&gt;Der Abgleich bleibt, wie er war.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>SyncMerge</name>
    <message>
        <source>(changed on %1 at %2)</source>
        <translation>(geändert auf %1 am %2)</translation>
    </message>
</context>
<context>
    <name>SyncService</name>
    <message>
        <source>The folder %1 is not reachable.</source>
        <translation>Der Ordner %1 ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>Sync is off.</source>
        <translation>Der Abgleich ist ausgeschaltet.</translation>
    </message>
    <message>
        <source>Looking at the folder…</source>
        <translation>Der Ordner wird gelesen …</translation>
    </message>
    <message numerus="yes">
        <source>In step, %n notes</source>
        <translation>
            <numerusform>Abgeglichen, %n Notiz</numerusform>
            <numerusform>Abgeglichen, %n Notizen</numerusform>
        </translation>
    </message>
    <message>
        <source>Folder not reachable since %1, changes are kept and will be written when it is back</source>
        <translation>Ordner seit %1 nicht erreichbar; Änderungen bleiben erhalten und werden geschrieben, sobald er wieder da ist</translation>
    </message>
    <message numerus="yes">
        <source>%n notes were changed on two computers at once: both texts kept</source>
        <translation>
            <numerusform>%n Notiz wurde auf zwei Computern zugleich geändert: beide Texte behalten</numerusform>
            <numerusform>%n Notizen wurden auf zwei Computern zugleich geändert: beide Texte behalten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TableLabel</name>
    <message>
        <source>Sticky</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Weitere …</translation>
    </message>
    <message>
        <source>Set/Edit &amp;Reminder</source>
        <translation>E&amp;rinnerung festlegen/bearbeiten</translation>
    </message>
    <message>
        <source>Change &amp;Color</source>
        <translation>&amp;Farbe ändern</translation>
    </message>
</context>
<context>
    <name>TableWidget</name>
    <message>
        <source>Visible</source>
        <translation>Sichtbar</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Date Created</source>
        <translation>Erstellt am</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Text</translation>
    </message>
</context>
<context>
    <name>TrashCommands</name>
    <message>
        <source>&amp;Deleted Notes…</source>
        <translation>&amp;Gelöschte Notizen …</translation>
    </message>
</context>
<context>
    <name>TrayMenu</name>
    <message>
        <source>Raise &amp;Visible Stickies</source>
        <translation>Sichtbare Notizen nach &amp;vorn</translation>
    </message>
    <message>
        <source>Activate &amp;All Stickies </source>
        <translation>&amp;Alle Notizen aktivieren </translation>
    </message>
    <message>
        <source>Sticky Control &amp;Panel</source>
        <translation>Notiz-&amp;Steuerzentrale</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
</context>
<context>
    <name>WelcomeNote</name>
    <message>
        <source>Welcome to Notarella!</source>
        <translation>Willkommen bei Notarella!</translation>
    </message>
    <message>
        <source>To get started, please open the context menu (usually by &lt;b&gt;right-clicking&lt;/b&gt;) on the top portion of this sticky, and then select &lt;b&gt;Sticky Control Panel&lt;/b&gt;.</source>
        <translation>Öffnen Sie zum Einstieg das Kontextmenü am oberen Rand dieser Notiz (meist mit einem &lt;b&gt;Rechtsklick&lt;/b&gt;) und wählen Sie dann &lt;b&gt;Notiz-Steuerzentrale&lt;/b&gt;.</translation>
    </message>
</context>
<context>
    <name>rz_RichTextEditor</name>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Rosa</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Purpur</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Zentriert</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Justify</source>
        <translation>Blocksatz</translation>
    </message>
    <message>
        <source>Notarella - Rich Text Editor</source>
        <translation>Notarella – Rich-Text-Editor</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Kursiv</translation>
    </message>
    <message>
        <source>Underline</source>
        <translation>Unterstrichen</translation>
    </message>
    <message>
        <source>Strike Through</source>
        <translation>Durchgestrichen</translation>
    </message>
    <message>
        <source>&amp;Toggle Display Mode</source>
        <translation>Anzeige&amp;modus wechseln</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>More...</source>
        <translation>Weitere …</translation>
    </message>
    <message>
        <source>Insert...</source>
        <translation>Einfügen …</translation>
    </message>
    <message>
        <source>Horizontal Line</source>
        <translation>Horizontale Linie</translation>
    </message>
    <message>
        <source>Hyperlink</source>
        <translation>Hyperlink</translation>
    </message>
    <message>
        <source>Image</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>Schriftart</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Font&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This indicates the current font at the cursor.  You can change the font of the current word or selection by using the drop-down menu.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Schriftart&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Zeigt die Schriftart an der Schreibmarke. Über die Auswahlliste ändern Sie die Schriftart des aktuellen Wortes oder der Auswahl.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation>Schriftgröße</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Font Size&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This indicates the current font size at the cursor.  You can change the font size of the current word or selection by using the drop-down menu.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Schriftgröße&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Zeigt die Schriftgröße an der Schreibmarke. Über die Auswahlliste ändern Sie die Schriftgröße des aktuellen Wortes oder der Auswahl.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Font Color</source>
        <translation>Schriftfarbe</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Font Color&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This indicates the current font color at the cursor.  You can change the font color of the current word or selection by using the drop-down menu.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Schriftfarbe&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Zeigt die Schriftfarbe an der Schreibmarke. Über die Auswahlliste ändern Sie die Schriftfarbe des aktuellen Wortes oder der Auswahl.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Bold - Ctrl+B</source>
        <translation>Fett – Strg+B</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Bold - Ctrl+B&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This indicates if the character at the cursor is &lt;b&gt;bolded&lt;/b&gt;.  You can bold the current word or selection by pressing this button.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Fett – Strg+B&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Zeigt, ob das Zeichen an der Schreibmarke &lt;b&gt;fett&lt;/b&gt; ist. Mit dieser Schaltfläche setzen Sie das aktuelle Wort oder die Auswahl fett.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Italic - Ctrl+I</source>
        <translation>Kursiv – Strg+I</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Italic - Ctrl+I&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This indicates if the character at the cursor is &lt;i&gt;italicized&lt;/i&gt;.  You can italicize the current word or selection by pressing this button.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Kursiv – Strg+I&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Zeigt, ob das Zeichen an der Schreibmarke &lt;i&gt;kursiv&lt;/i&gt; ist. Mit dieser Schaltfläche setzen Sie das aktuelle Wort oder die Auswahl kursiv.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Underline - Ctrl+U</source>
        <translation>Unterstrichen – Strg+U</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Underline - Ctrl+U&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This indicates if the character at the cursor is &lt;u&gt;underlined&lt;/u&gt;.  You can underline the current word or selection by pressing this button.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Unterstrichen – Strg+U&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Zeigt, ob das Zeichen an der Schreibmarke &lt;u&gt;unterstrichen&lt;/u&gt; ist. Mit dieser Schaltfläche unterstreichen Sie das aktuelle Wort oder die Auswahl.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Strike Out - Ctrl+S</source>
        <translation>Durchgestrichen – Strg+S</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Strike Out - Ctrl+S&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This indicates if the character at the cursor is &lt;s&gt;struck out&lt;/s&gt;.  You can strike out the current word or selection by pressing this button.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Durchgestrichen – Strg+S&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Zeigt, ob das Zeichen an der Schreibmarke &lt;s&gt;durchgestrichen&lt;/s&gt; ist. Mit dieser Schaltfläche streichen Sie das aktuelle Wort oder die Auswahl durch.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Align Paragraph</source>
        <translation>Absatz ausrichten</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Align Paragraph&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This drop-down menu displays and controls the alignment of the current paragraph.</source>
        <translation>&lt;p&gt;&lt;b&gt;Absatz ausrichten&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Diese Auswahlliste zeigt und steuert die Ausrichtung des aktuellen Absatzes.</translation>
    </message>
    <message>
        <source>Insert Icon</source>
        <translation>Symbol einfügen</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Insert Icon&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Pressing this button will insert an icon into the sticky at the cursor position.  Use the drop-down menu to select which icon the button will insert.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Symbol einfügen&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Diese Schaltfläche fügt an der Schreibmarke ein Symbol in die Notiz ein. Über die Auswahlliste legen Sie fest, welches Symbol eingefügt wird.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Insert Item</source>
        <translation>Element einfügen</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Insert Item&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Use this drop-down menu to insert hyperlinks, images, or lists into your sticky.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Element einfügen&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Über diese Auswahlliste fügen Sie Hyperlinks, Bilder oder Listen in Ihre Notiz ein.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Rich Text Editor&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Edit the sticky here.  You may &lt;b&gt;right-click&lt;/b&gt; the mouse in this area to gain access to many common editing features.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Rich-Text-Editor&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Hier bearbeiten Sie die Notiz. Mit einem &lt;b&gt;Rechtsklick&lt;/b&gt; in diesen Bereich erreichen Sie viele gängige Bearbeitungsfunktionen.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Toggle Display Mode</source>
        <translation>Anzeigemodus wechseln</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Toggle Display Mode&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Hyperlinks, images, and other objects can sometimes be difficult to work with in a text editing environment.  By pressing this button you can toggle between viewing them as functional objects and as html-like tags.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Anzeigemodus wechseln&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Hyperlinks, Bilder und andere Objekte lassen sich in einer Textbearbeitung manchmal schwer handhaben. Mit dieser Schaltfläche wechseln Sie zwischen ihrer Anzeige als funktionierende Objekte und als HTML-ähnliche Tags.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;OK Button&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This button saves your changes to the sticky, and closes the Rich Text Editor.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Schaltfläche OK&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Diese Schaltfläche speichert Ihre Änderungen an der Notiz und schließt den Rich-Text-Editor.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Cancel Button&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This button discards your changes to the sticky, and closes the Rich Text Editor.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Schaltfläche Abbrechen&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Diese Schaltfläche verwirft Ihre Änderungen an der Notiz und schließt den Rich-Text-Editor.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Help Button&lt;/b&gt;&lt;/p&gt;&lt;p&gt;This button opens the Notarella documentation, and takes you directly to the section on Rich Text Editor usage.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;Schaltfläche Hilfe&lt;/b&gt;&lt;/p&gt;&lt;p&gt;Diese Schaltfläche öffnet die Notarella-Dokumentation direkt beim Abschnitt über den Rich-Text-Editor.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Bullet List (Disc)</source>
        <translation>Aufzählung (Punkt)</translation>
    </message>
    <message>
        <source>Bullet List (Circle)</source>
        <translation>Aufzählung (Kreis)</translation>
    </message>
    <message>
        <source>Bullet List (Square)</source>
        <translation>Aufzählung (Quadrat)</translation>
    </message>
    <message>
        <source>Ordered List (Decimal)</source>
        <translation>Nummerierte Liste (1, 2, 3)</translation>
    </message>
    <message>
        <source>Ordered List (Alpha lower)</source>
        <translation>Nummerierte Liste (a, b, c)</translation>
    </message>
    <message>
        <source>Ordered List (Alpha upper)</source>
        <translation>Nummerierte Liste (A, B, C)</translation>
    </message>
    <message>
        <source>Remove List</source>
        <translation>Liste entfernen</translation>
    </message>
    <message>
        <source>List Type</source>
        <translation>Listentyp</translation>
    </message>
    <message>
        <source>List type:</source>
        <translation>Listentyp:</translation>
    </message>
    <message>
        <source>Formatting Not Shown</source>
        <translation>Formatierung nicht angezeigt</translation>
    </message>
    <message>
        <source>Display Not Switched</source>
        <translation>Anzeige nicht umgeschaltet</translation>
    </message>
    <message>
        <source>&lt;p&gt;The markup in this text would nest too deeply to be shown as live objects. The text stays as it is.&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Auszeichnungen in diesem Text wären zu tief verschachtelt, um als funktionierende Objekte angezeigt zu werden. Der Text bleibt, wie er ist.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>The editor shows its text only; the sticky is locked and stays as it was.</source>
        <translation>Der Editor zeigt nur ihren Text; die Notiz ist gesperrt und bleibt, wie sie war.</translation>
    </message>
    <message>
        <source>The editor shows its text only; with OK the sticky keeps the text without its formatting, with Cancel it stays as it was.</source>
        <translation>Der Editor zeigt nur ihren Text; mit OK behält die Notiz den Text ohne seine Formatierung, mit Abbrechen bleibt sie, wie sie war.</translation>
    </message>
    <message>
        <source>&lt;p&gt;The formatting of this sticky is nested too deeply to be shown. %1&lt;/p&gt;</source>
        <translation>&lt;p&gt;Die Formatierung dieser Notiz ist zu tief verschachtelt, um angezeigt zu werden. %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Note text</source>
        <translation>Notiztext</translation>
    </message>
</context>
</TS>
