<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Alle Rechte vorbehalten.</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Unsere Website besuchen</translation>
    </message>
    <message>
        <source>More video converting softwares</source>
        <translation>Weitere Programme für Videos</translation>
    </message>
    <message>
        <source>(More)</source>
        <translation>(Mehr)</translation>
    </message>
    <message>
        <source>Tech Support</source>
        <translation>Technischer Support</translation>
    </message>
    <message>
        <source>Sales Support</source>
        <translation>Vertrieb</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Task List</source>
        <translation>Aufgabenliste</translation>
    </message>
    <message>
        <source>Input File</source>
        <translation>Eingabedatei</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Erste Schritte</translation>
    </message>
    <message>
        <source>Joining videos</source>
        <translation>Videos zusammenfügen</translation>
    </message>
    <message>
        <source>Getting Start:</source>
        <translation>So geht&apos;s:</translation>
    </message>
    <message>
        <source>1. Add multiple videos to the Task List.</source>
        <translation>1. Mehrere Videos zur Aufgabenliste hinzufügen.</translation>
    </message>
    <message>
        <source>2. Select a profile and output path.</source>
        <translation>2. Profil und Ausgabeort wählen.</translation>
    </message>
    <message>
        <source>3. Click on the &quot;Start&quot; button.</source>
        <translation>3. Auf „Start“ klicken.</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>&amp;Einstellen</translation>
    </message>
    <message>
        <source>Output File:</source>
        <translation>Ausgabedatei:</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>Ausgabedatei</translation>
    </message>
    <message>
        <source>&amp;Browser</source>
        <translation>&amp;Durchsuchen</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Converting (Prepare):</source>
        <translation>Umwandeln (Vorbereitung):</translation>
    </message>
    <message>
        <source>No File</source>
        <translation>Keine Datei</translation>
    </message>
    <message>
        <source>Time Elapsed:</source>
        <translation>Vergangen:</translation>
    </message>
    <message>
        <source>00:00:00</source>
        <translation>00:00:00</translation>
    </message>
    <message>
        <source>Time Remaining:</source>
        <translation>Verbleibend:</translation>
    </message>
    <message>
        <source>Current Progress:</source>
        <translation>Aktueller Fortschritt:</translation>
    </message>
    <message>
        <source>Current Progress</source>
        <translation>Aktueller Fortschritt</translation>
    </message>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>Total Progress:</source>
        <translation>Gesamtfortschritt:</translation>
    </message>
    <message>
        <source>Total Progress</source>
        <translation>Gesamtfortschritt</translation>
    </message>
    <message>
        <source>Velmora web site</source>
        <translation>Velmora-Website</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Add Video Files</source>
        <translation>Videodateien hinzufügen</translation>
    </message>
    <message>
        <source>Add Directory</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>Save List...</source>
        <translation>Liste speichern...</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Allgemeine Einstellungen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Ctrl+Up</source>
        <translation>Ctrl+Up</translation>
    </message>
    <message>
        <source>Ctrl+Down</source>
        <translation>Ctrl+Down</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
</context>
<context>
    <name>TPreviewForm</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>Position: the kept part is shaded, key pictures are marked below</source>
        <translation>Position: Der behaltene Teil ist hinterlegt, Schlüsselbilder sind darunter markiert</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>0:00:00.000 / 0:00:00.000</source>
        <translation>0:00:00.000 / 0:00:00.000</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>One picture back (Left or comma)</source>
        <translation>Ein Bild zurück (Links oder Komma)</translation>
    </message>
    <message>
        <source>One Picture Back</source>
        <translation>Ein Bild zurück</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Play or pause (Space)</source>
        <translation>Abspielen oder anhalten (Leertaste)</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Vor</translation>
    </message>
    <message>
        <source>One picture forward (Right or period)</source>
        <translation>Ein Bild vor (Rechts oder Punkt)</translation>
    </message>
    <message>
        <source>One Picture Forward</source>
        <translation>Ein Bild vor</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Lautstärke:</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Set &amp;Start</source>
        <translation>&amp;Anfang setzen</translation>
    </message>
    <message>
        <source>Keep the clip from here (I)</source>
        <translation>Clip ab hier behalten (I)</translation>
    </message>
    <message>
        <source>Set Start</source>
        <translation>Anfang setzen</translation>
    </message>
    <message>
        <source>Set &amp;End</source>
        <translation>&amp;Ende setzen</translation>
    </message>
    <message>
        <source>Keep the clip up to here (O)</source>
        <translation>Clip bis hier behalten (O)</translation>
    </message>
    <message>
        <source>Set End</source>
        <translation>Ende setzen</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>Keep the whole clip again</source>
        <translation>Wieder den ganzen Clip behalten</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Keeps the whole clip</source>
        <translation>Behält den ganzen Clip</translation>
    </message>
    <message>
        <source>Kept part</source>
        <translation>Behaltener Teil</translation>
    </message>
    <message>
        <source>Key pictures</source>
        <translation>Schlüsselbilder</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Meldung</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Close the preview (Escape)</source>
        <translation>Vorschau schließen (Esc)</translation>
    </message>
</context>
<context>
    <name>TSettingForm</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Default Output File:</source>
        <translation>Standard-Ausgabedatei:</translation>
    </message>
    <message>
        <source>Default Output File</source>
        <translation>Standard-Ausgabedatei</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the default output file</source>
        <translation>Standard-Ausgabedatei wählen</translation>
    </message>
    <message>
        <source>Temp Folder:</source>
        <translation>Temporärer Ordner:</translation>
    </message>
    <message>
        <source>Temp Folder</source>
        <translation>Temporärer Ordner</translation>
    </message>
    <message>
        <source>Choose the temporary folder</source>
        <translation>Temporären Ordner wählen</translation>
    </message>
    <message>
        <source>Open the output directory when the task is completed. </source>
        <translation>Nach Abschluss der Aufgabe den Ausgabeordner öffnen. </translation>
    </message>
    <message>
        <source>Exit the program when the task is completed.</source>
        <translation>Nach Abschluss der Aufgabe das Programm beenden.</translation>
    </message>
    <message>
        <source>Turn off the computer when the task is completed.</source>
        <translation>Nach Abschluss der Aufgabe den Computer ausschalten.</translation>
    </message>
    <message>
        <source>Output File Overwrite</source>
        <translation>Ausgabedatei überschreiben</translation>
    </message>
    <message>
        <source>Ask me.</source>
        <translation>Nachfragen.</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Überschreiben</translation>
    </message>
    <message>
        <source>Not overwrite (Rename to &lt;Filename&gt; + Index</source>
        <translation>Nicht überschreiben (umbenennen in &lt;Dateiname&gt; + Nummer</translation>
    </message>
    <message>
        <source>&amp;Load Default</source>
        <translation>&amp;Standard laden</translation>
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
    <name>TopSettingForm</name>
    <message>
        <source>Output Settings</source>
        <translation>Ausgabeeinstellungen</translation>
    </message>
    <message>
        <source>Video Codec: </source>
        <translation>Videocodec: </translation>
    </message>
    <message>
        <source>Video Codec</source>
        <translation>Videocodec</translation>
    </message>
    <message>
        <source>Video Bitrate:</source>
        <translation>Videobitrate:</translation>
    </message>
    <message>
        <source>Video Bitrate</source>
        <translation>Videobitrate</translation>
    </message>
    <message>
        <source>kbit</source>
        <translation>kbit</translation>
    </message>
    <message>
        <source>Aspect:</source>
        <translation>Seitenverhältnis:</translation>
    </message>
    <message>
        <source>Aspect</source>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>Output Size</source>
        <translation>Ausgabegröße</translation>
    </message>
    <message>
        <source>Size from the list</source>
        <translation>Größe aus der Liste</translation>
    </message>
    <message>
        <source>Video Size</source>
        <translation>Videogröße</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuell</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Höhe:</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Audiocodec:</translation>
    </message>
    <message>
        <source>Audio Codec</source>
        <translation>Audiocodec</translation>
    </message>
    <message>
        <source>Audio Bitrate:</source>
        <translation>Audiobitrate:</translation>
    </message>
    <message>
        <source>Audio Bitrate</source>
        <translation>Audiobitrate</translation>
    </message>
    <message>
        <source>Kbps</source>
        <translation>kbit/s</translation>
    </message>
    <message>
        <source>Encode To:</source>
        <translation>Kodieren als:</translation>
    </message>
    <message>
        <source>MP3 Encode</source>
        <translation>MP3-Kodierung</translation>
    </message>
    <message>
        <source>Encode To</source>
        <translation>Kodieren als</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualität:</translation>
    </message>
    <message>
        <source>VBR Quality</source>
        <translation>VBR-Qualität</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualität</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>ABR CBR Bitrate</source>
        <translation>ABR-/CBR-Bitrate</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>HZ</source>
        <translation>HZ</translation>
    </message>
    <message>
        <source>Decription</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Beschreibung</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>Velmora</name>
    <message>
        <source>Version </source>
        <translation>Version </translation>
    </message>
    <message>
        <source>Preview - %1</source>
        <translation>Vorschau - %1</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Keeps the whole clip (%1)</source>
        <translation>Behält den ganzen Clip (%1)</translation>
    </message>
    <message>
        <source>Keeps %1 to %2 (%3)</source>
        <translation>Behält %1 bis %2 (%3)</translation>
    </message>
    <message>
        <source>This profile joins without re-encoding: a clip can only start at a key picture (marked under the slider).</source>
        <translation>Dieses Profil fügt ohne Neukodierung zusammen: Ein Clip kann nur an einem Schlüsselbild beginnen (unter dem Regler markiert).</translation>
    </message>
    <message>
        <source>Finding the key pictures...</source>
        <translation>Schlüsselbilder werden gesucht...</translation>
    </message>
    <message>
        <source>The start goes to the key picture at or before %1 as soon as the key pictures are found.</source>
        <translation>Der Anfang rückt auf das Schlüsselbild bei oder vor %1, sobald die Schlüsselbilder gefunden sind.</translation>
    </message>
    <message>
        <source>The start moved back from %1 to the key picture at %2: without re-encoding a clip can only start at a key picture.</source>
        <translation>Der Anfang wurde von %1 auf das Schlüsselbild bei %2 zurückgesetzt: Ohne Neukodierung kann ein Clip nur an einem Schlüsselbild beginnen.</translation>
    </message>
    <message>
        <source>The key pictures of this clip could not be read: without re-encoding the join may start the clip earlier than set.</source>
        <translation>Die Schlüsselbilder dieses Clips konnten nicht gelesen werden: Ohne Neukodierung kann der Clip früher als eingestellt beginnen.</translation>
    </message>
    <message>
        <source>The key pictures of this clip could be read only up to %1: a start after it may begin earlier than set.</source>
        <translation>Die Schlüsselbilder dieses Clips konnten nur bis %1 gelesen werden: Ein späterer Anfang kann früher als eingestellt liegen.</translation>
    </message>
    <message>
        <source>The end must come after the start (%1).</source>
        <translation>Das Ende muss nach dem Anfang liegen (%1).</translation>
    </message>
    <message>
        <source>The start must come before the end (%1).</source>
        <translation>Der Anfang muss vor dem Ende liegen (%1).</translation>
    </message>
    <message>
        <source>Nothing of the clip would be kept.</source>
        <translation>Vom Clip bliebe nichts übrig.</translation>
    </message>
    <message>
        <source>This clip cannot be played here: %1</source>
        <translation>Dieser Clip kann hier nicht abgespielt werden: %1</translation>
    </message>
    <message>
        <source>Velmora Splitter - cut long videos into parts</source>
        <translation>Velmora Splitter - lange Videos in Teile schneiden</translation>
    </message>
    <message>
        <source>Velmora Converter - change a video&apos;s format</source>
        <translation>Velmora Converter - das Format eines Videos ändern</translation>
    </message>
    <message>
        <source>Velmora Snapshot - pictures from your videos</source>
        <translation>Velmora Snapshot - Bilder aus Ihren Videos</translation>
    </message>
    <message>
        <source>
Join with --accept-losses to join them anyway.</source>
        <translation>
Mit --accept-losses werden sie trotzdem zusammengefügt.</translation>
    </message>
    <message>
        <source>No profile is chosen in the settings: name one with --profile. The profiles are:
</source>
        <translation>In den Einstellungen ist kein Profil gewählt: Nennen Sie eines mit --profile. Die Profile sind:
</translation>
    </message>
    <message>
        <source>There is no profile &quot;%1&quot;. The profiles are:
</source>
        <translation>Es gibt kein Profil „%1“. Die Profile sind:
</translation>
    </message>
    <message>
        <source>There is no file or folder &quot;%1&quot;.</source>
        <translation>Es gibt keine Datei und keinen Ordner „%1“.</translation>
    </message>
    <message>
        <source>%1 is left out: Velmora does not take files of its type.</source>
        <translation>%1 wird ausgelassen: Velmora nimmt keine Dateien dieses Typs.</translation>
    </message>
    <message>
        <source>%1 cannot be added: %2</source>
        <translation>%1 kann nicht hinzugefügt werden: %2</translation>
    </message>
    <message>
        <source>warning: </source>
        <translation>Warnung: </translation>
    </message>
    <message>
        <source>Joined %1 files into %2 (%3 s).
</source>
        <translation>%1 Dateien zu %2 zusammengefügt (%3 s).
</translation>
    </message>
    <message>
        <source>%1 exists and is kept as it is. Join with --overwrite to replace it, or with --rename to join into a new name.</source>
        <translation>%1 existiert und bleibt unverändert. Mit --overwrite wird die Datei ersetzt, mit --rename unter einem neuen Namen zusammengefügt.</translation>
    </message>
    <message>
        <source>Name the output file with --output.</source>
        <translation>Nennen Sie die Ausgabedatei mit --output.</translation>
    </message>
    <message>
        <source>
See velmora --help.</source>
        <translation>
Siehe velmora --help.</translation>
    </message>
    <message>
        <source>Join the inputs into one file, without a window.</source>
        <translation>Die Eingaben ohne Fenster zu einer Datei zusammenfügen.</translation>
    </message>
    <message>
        <source>The output profile: a name as the Profile list shows it (letter case does not matter) or a .bpf file. Default: the profile last chosen in the window.</source>
        <translation>Das Ausgabeprofil: ein Name, wie ihn die Profilliste zeigt (Groß- und Kleinschreibung egal), oder eine .bpf-Datei. Standard: das zuletzt im Fenster gewählte Profil.</translation>
    </message>
    <message>
        <source>The output file; its extension follows the profile&apos;s type. Default: the output file last used in the window.</source>
        <translation>Die Ausgabedatei; ihre Endung folgt dem Typ des Profils. Standard: die zuletzt im Fenster verwendete Ausgabedatei.</translation>
    </message>
    <message>
        <source>Replace an output file that exists.</source>
        <translation>Eine vorhandene Ausgabedatei ersetzen.</translation>
    </message>
    <message>
        <source>When the output file exists, join into a new name that counts up.</source>
        <translation>Wenn die Ausgabedatei existiert, unter einem neuen, hochgezählten Namen zusammenfügen.</translation>
    </message>
    <message>
        <source>When the output file exists, leave it and do not join (exit status 3). Without one of these three, the rule of the settings applies, with Ask taken as --keep.</source>
        <translation>Wenn die Ausgabedatei existiert, sie belassen und nicht zusammenfügen (Exit-Status 3). Ohne eine dieser drei gilt die Regel der Einstellungen, wobei Nachfragen als --keep gilt.</translation>
    </message>
    <message>
        <source>Join without re-encoding even where the output cannot hold everything as the inputs do (a track its type cannot hold, a clip cut between key pictures); what differs is said on standard error. Without it, such a join is refused (exit status 3).</source>
        <translation>Ohne Neukodierung zusammenfügen, auch wo die Ausgabe nicht alles wie die Eingaben enthalten kann (eine Spur, die ihr Typ nicht aufnimmt, ein Schnitt zwischen Schlüsselbildern); die Abweichungen stehen in der Standardfehlerausgabe. Ohne diese Option wird ein solches Zusammenfügen abgelehnt (Exit-Status 3).</translation>
    </message>
    <message>
        <source>The folder for the converted intermediates. Default: the settings&apos; temporary folder.</source>
        <translation>Der Ordner für die umgewandelten Zwischendateien. Standard: der temporäre Ordner der Einstellungen.</translation>
    </message>
    <message>
        <source>How progress shows: auto (a bar on a terminal, plain lines otherwise), bar, plain, json (one object a line) or none (errors only).</source>
        <translation>Wie der Fortschritt erscheint: auto (ein Balken im Terminal, sonst einfache Zeilen), bar, plain, json (ein Objekt je Zeile) oder none (nur Fehler).</translation>
    </message>
    <message>
        <source>Join the files a list file names, one path a line.</source>
        <translation>Die Dateien einer Listendatei zusammenfügen, ein Pfad je Zeile.</translation>
    </message>
    <message>
        <source>Print the profiles&apos; names, one a line.</source>
        <translation>Die Namen der Profile ausgeben, einen je Zeile.</translation>
    </message>
    <message>
        <source>Print this help.</source>
        <translation>Diese Hilfe ausgeben.</translation>
    </message>
    <message>
        <source>Print the program&apos;s version.</source>
        <translation>Die Version des Programms ausgeben.</translation>
    </message>
    <message>
        <source>Velmora joins several video files into one.</source>
        <translation>Velmora fügt mehrere Videodateien zu einer zusammen.</translation>
    </message>
    <message>
        <source>Videos or folders of videos, in the order to join.</source>
        <translation>Videos oder Ordner mit Videos, in der Reihenfolge des Zusammenfügens.</translation>
    </message>
    <message>
        <source>--list-profiles takes nothing else.</source>
        <translation>--list-profiles nimmt nichts weiter.</translation>
    </message>
    <message>
        <source>These options belong to --join.</source>
        <translation>Diese Optionen gehören zu --join.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 ist mehr als einmal angegeben.</translation>
    </message>
    <message>
        <source>Choose one of --overwrite, --rename and --keep.</source>
        <translation>Wählen Sie eines von --overwrite, --rename und --keep.</translation>
    </message>
    <message>
        <source>--progress takes auto, bar, plain, json or none, not &quot;%1&quot;.</source>
        <translation>--progress nimmt auto, bar, plain, json oder none, nicht „%1“.</translation>
    </message>
    <message>
        <source>--profile names no profile.</source>
        <translation>--profile nennt kein Profil.</translation>
    </message>
    <message>
        <source>--output names no file.</source>
        <translation>--output nennt keine Datei.</translation>
    </message>
    <message>
        <source>--temp-dir names no folder.</source>
        <translation>--temp-dir nennt keinen Ordner.</translation>
    </message>
    <message>
        <source>Name the inputs or a list file, not both.</source>
        <translation>Nennen Sie die Eingaben oder eine Listendatei, nicht beides.</translation>
    </message>
    <message>
        <source>Name the videos to join, or a list file with --list.</source>
        <translation>Nennen Sie die zusammenzufügenden Videos oder eine Listendatei mit --list.</translation>
    </message>
    <message>
        <source>Usage: velmora --join [options] INPUT... | --list FILE.tmp
       velmora --list-profiles
       velmora --help | --version
       velmora [FILE|FOLDER]...   (the window, with these in its task list)
</source>
        <translation>Aufruf: velmora --join [Optionen] INPUT... | --list FILE.tmp
        velmora --list-profiles
        velmora --help | --version
        velmora [FILE|FOLDER]...   (das Fenster, mit diesen in seiner Aufgabenliste)
</translation>
    </message>
    <message>
        <source>
Exit status:
  0    joined, and the output plays as long as the inputs
  1    the join failed
  2    wrong usage, an unknown profile or an input that does not exist
  3    refused before it began: the output exists, the inputs do not match a
       profile that copies (or it cannot keep all they hold, without
       --accept-losses), fewer than two inputs, no output folder
  130  stopped by Ctrl+C (SIGINT) or SIGTERM
</source>
        <translation>
Exit-Status:
  0    zusammengefügt, und die Ausgabe spielt so lange wie die Eingaben
  1    das Zusammenfügen ist fehlgeschlagen
  2    falscher Aufruf, ein unbekanntes Profil oder eine Eingabe, die es nicht gibt
  3    abgelehnt, bevor es begann: die Ausgabe existiert, die Eingaben passen nicht
       zu einem kopierenden Profil (oder es kann nicht alles behalten, ohne
       --accept-losses), weniger als zwei Eingaben, kein Ausgabeordner
  130  angehalten mit Strg+C (SIGINT) oder SIGTERM
</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Umwandeln</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Joining</source>
        <translation>Zusammenfügen</translation>
    </message>
    <message>
        <source> %1%  %2 elapsed  %3 left</source>
        <translation> %1%  %2 vergangen  %3 übrig</translation>
    </message>
    <message>
        <source>Joining %1 files</source>
        <translation>%1 Dateien werden zusammengefügt</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Standard laden</translation>
    </message>
    <message>
        <source>Are you sure to load the default preferences?</source>
        <translation>Möchten Sie wirklich die Standardeinstellungen laden?</translation>
    </message>
    <message>
        <source>Select the output directory.</source>
        <translation>Wählen Sie den Ausgabeordner.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
    <message>
        <source>All Support Files(</source>
        <translation>Alle unterstützten Dateien(</translation>
    </message>
    <message>
        <source>Already Listed</source>
        <translation>Bereits in der Liste</translation>
    </message>
    <message>
        <source>This file has been added to the Task List already. Are you sure to add it again?</source>
        <translation>Diese Datei steht bereits in der Aufgabenliste. Möchten Sie sie wirklich noch einmal hinzufügen?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Add a directory to the Task List</source>
        <translation>Einen Ordner zur Aufgabenliste hinzufügen</translation>
    </message>
    <message>
        <source>Trimmed: %1 to %2 of %3</source>
        <translation>Gekürzt: %1 bis %2 von %3</translation>
    </message>
    <message>
        <source>Save List...</source>
        <translation>Liste speichern...</translation>
    </message>
    <message>
        <source>Task List (*.tmp)|*.tmp</source>
        <translation>Aufgabenliste (*.tmp)|*.tmp</translation>
    </message>
    <message>
        <source>Cannot save the task list to &quot;%1&quot;. %2</source>
        <translation>Die Aufgabenliste kann nicht in „%1“ gespeichert werden. %2</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Dateien hinzufügen...</translation>
    </message>
    <message>
        <source>Add Directorys...</source>
        <translation>Ordner hinzufügen...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Current Value: </source>
        <translation>Aktueller Wert: </translation>
    </message>
    <message>
        <source>Invalid Video Bitrate</source>
        <translation>Ungültige Videobitrate</translation>
    </message>
    <message>
        <source>The video bitrate is invalid.</source>
        <translation>Die Videobitrate ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Width</source>
        <translation>Ungültige Breite</translation>
    </message>
    <message>
        <source>The output width is invalid.</source>
        <translation>Die Ausgabebreite ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Height</source>
        <translation>Ungültige Höhe</translation>
    </message>
    <message>
        <source>The output height is invalid.</source>
        <translation>Die Ausgabehöhe ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Sample Rate</source>
        <translation>Ungültige Abtastrate</translation>
    </message>
    <message>
        <source>The sample rate is invalid.</source>
        <translation>Die Abtastrate ist ungültig.</translation>
    </message>
    <message>
        <source>Invalid Audio Bitrate</source>
        <translation>Ungültige Audiobitrate</translation>
    </message>
    <message>
        <source>The Audio bitrate is invalid.</source>
        <translation>Die Audiobitrate ist ungültig.</translation>
    </message>
    <message>
        <source>The maximum value of audio bitrate for MP2 codec is 128</source>
        <translation>Die höchste Audiobitrate für den MP2-Codec ist 128</translation>
    </message>
    <message>
        <source>could not start</source>
        <translation>konnte nicht starten</translation>
    </message>
    <message>
        <source>exited with status %1</source>
        <translation>endete mit Status %1</translation>
    </message>
    <message>
        <source>crashed</source>
        <translation>ist abgestürzt</translation>
    </message>
    <message>
        <source>was stopped</source>
        <translation>wurde angehalten</translation>
    </message>
    <message>
        <source>Error. Please re-install Velmora</source>
        <translation>Fehler. Bitte installieren Sie Velmora neu</translation>
    </message>
    <message>
        <source>Prepare (Converting):</source>
        <translation>Vorbereiten (Umwandeln):</translation>
    </message>
    <message>
        <source>Final Step: Joining all files...</source>
        <translation>Letzter Schritt: Alle Dateien werden zusammengefügt...</translation>
    </message>
    <message>
        <source>Joining (copying):</source>
        <translation>Zusammenfügen (Kopieren):</translation>
    </message>
    <message>
        <source>Cannot Join Without Re-encoding</source>
        <translation>Zusammenfügen ohne Neukodierung nicht möglich</translation>
    </message>
    <message>
        <source>Not Everything Can Be Kept</source>
        <translation>Nicht alles kann erhalten bleiben</translation>
    </message>
    <message>
        <source>Joined without re-encoding, the output will not hold everything as the files do:

%1

Do you want to join them anyway? Click &quot;No&quot; to choose another profile.</source>
        <translation>Ohne Neukodierung zusammengefügt, enthält die Ausgabe nicht alles wie die Dateien:

%1

Möchten Sie sie trotzdem zusammenfügen? Klicken Sie auf „Nein“, um ein anderes Profil zu wählen.</translation>
    </message>
    <message>
        <source>Add More Videos</source>
        <translation>Weitere Videos hinzufügen</translation>
    </message>
    <message>
        <source>Please add at least 2 videos to the task for joining.</source>
        <translation>Bitte fügen Sie der Aufgabe mindestens 2 Videos zum Zusammenfügen hinzu.</translation>
    </message>
    <message>
        <source>Output path does not exist</source>
        <translation>Ausgabepfad existiert nicht</translation>
    </message>
    <message>
        <source>The output path does not exist. Please specify another one.</source>
        <translation>Der Ausgabepfad existiert nicht. Bitte geben Sie einen anderen an.</translation>
    </message>
    <message>
        <source>Icorrect Filename</source>
        <translation>Falscher Dateiname</translation>
    </message>
    <message>
        <source>Please specify the output file.</source>
        <translation>Bitte geben Sie die Ausgabedatei an.</translation>
    </message>
    <message>
        <source>File Exists</source>
        <translation>Datei existiert</translation>
    </message>
    <message>
        <source>The output file is existent. Do you want to continue and overwrite it? 
<byte value="xd"/>Click &quot;No&quot; to specify another output filename.</source>
        <translation>Die Ausgabedatei existiert bereits. Möchten Sie fortfahren und sie überschreiben? 
<byte value="xd"/>Klicken Sie auf „Nein“, um einen anderen Dateinamen anzugeben.</translation>
    </message>
    <message>
        <source>Temporary Folder</source>
        <translation>Temporärer Ordner</translation>
    </message>
    <message>
        <source>The temporary folder cannot be used. Please specify another one in the settings.</source>
        <translation>Der temporäre Ordner kann nicht verwendet werden. Bitte geben Sie in den Einstellungen einen anderen an.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The Coversion is canceled.</source>
        <translation>Die Umwandlung wurde abgebrochen.</translation>
    </message>
    <message>
        <source>The Joining is canceled.</source>
        <translation>Das Zusammenfügen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Conversion Failed</source>
        <translation>Umwandlung fehlgeschlagen</translation>
    </message>
    <message>
        <source>Velmora could not convert %1.</source>
        <translation>Velmora konnte %1 nicht umwandeln.</translation>
    </message>
    <message>
        <source>Joining Failed</source>
        <translation>Zusammenfügen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Velmora could not join the files into %1.</source>
        <translation>Velmora konnte die Dateien nicht zu %1 zusammenfügen.</translation>
    </message>
    <message>
        <source>The joined file was kept as %1 (%2).</source>
        <translation>Die zusammengefügte Datei wurde als %1 behalten (%2).</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>The joining is completed successfully.</source>
        <translation>Das Zusammenfügen wurde erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>%1 gave %2 s of its %3 s; the file may be damaged.</source>
        <translation>%1 lieferte %2 s von %3 s; die Datei ist womöglich beschädigt.</translation>
    </message>
    <message>
        <source>The converted file does not play.</source>
        <translation>Die umgewandelte Datei lässt sich nicht abspielen.</translation>
    </message>
    <message>
        <source>The joined file does not play.</source>
        <translation>Die zusammengefügte Datei lässt sich nicht abspielen.</translation>
    </message>
    <message>
        <source>The joined file plays %1 s of the %2 s that were joined.</source>
        <translation>Die zusammengefügte Datei spielt %1 s der %2 s, die zusammengefügt wurden.</translation>
    </message>
    <message>
        <source>Command line: %1</source>
        <translation>Befehlszeile: %1</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>A task is running. Do you want to stop it and exit?</source>
        <translation>Eine Aufgabe läuft. Möchten Sie sie anhalten und beenden?</translation>
    </message>
    <message>
        <source>Waiting for joining</source>
        <translation>Wartet aufs Zusammenfügen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source> Files (*</source>
        <translation>-Dateien (*</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*</source>
        <translation>Alle Dateien (*.*)|*.*</translation>
    </message>
    <message>
        <source>Joined %1 files into %2 (%3)</source>
        <translation>%1 Dateien zu %2 zusammengefügt (%3)</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ordner öffnen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>By File Name</source>
        <translation>Nach Dateiname</translation>
    </message>
    <message>
        <source>By Recording Time</source>
        <translation>Nach Aufnahmezeit</translation>
    </message>
    <message>
        <source>Reverse Order</source>
        <translation>Reihenfolge umkehren</translation>
    </message>
    <message>
        <source>Drop position</source>
        <translation>Einfügeposition</translation>
    </message>
    <message>
        <source>Joining videos</source>
        <translation>Videos zusammenfügen</translation>
    </message>
</context>
</TS>
