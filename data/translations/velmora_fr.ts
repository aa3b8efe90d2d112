<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr" sourcelanguage="en">
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>À propos</translation>
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
        <translation>Tous droits réservés.</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Visitez notre site web</translation>
    </message>
    <message>
        <source>More video converting softwares</source>
        <translation>Autres logiciels vidéo</translation>
    </message>
    <message>
        <source>(More)</source>
        <translation>(Plus)</translation>
    </message>
    <message>
        <source>Tech Support</source>
        <translation>Support technique</translation>
    </message>
    <message>
        <source>Sales Support</source>
        <translation>Service commercial</translation>
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
        <translation>Liste des tâches</translation>
    </message>
    <message>
        <source>Input File</source>
        <translation>Fichier d&apos;entrée</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Pour commencer</translation>
    </message>
    <message>
        <source>Joining videos</source>
        <translation>Assemblage de vidéos</translation>
    </message>
    <message>
        <source>Getting Start:</source>
        <translation>Pour commencer :</translation>
    </message>
    <message>
        <source>1. Add multiple videos to the Task List.</source>
        <translation>1. Ajoutez plusieurs vidéos à la liste des tâches.</translation>
    </message>
    <message>
        <source>2. Select a profile and output path.</source>
        <translation>2. Choisissez un profil et un dossier de sortie.</translation>
    </message>
    <message>
        <source>3. Click on the &quot;Start&quot; button.</source>
        <translation>3. Cliquez sur le bouton « Démarrer ».</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil :</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>&amp;Réglages</translation>
    </message>
    <message>
        <source>Output File:</source>
        <translation>Fichier de sortie :</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>Fichier de sortie</translation>
    </message>
    <message>
        <source>&amp;Browser</source>
        <translation>&amp;Parcourir</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>Converting (Prepare):</source>
        <translation>Conversion (préparation) :</translation>
    </message>
    <message>
        <source>No File</source>
        <translation>Aucun fichier</translation>
    </message>
    <message>
        <source>Time Elapsed:</source>
        <translation>Temps écoulé :</translation>
    </message>
    <message>
        <source>00:00:00</source>
        <translation>00:00:00</translation>
    </message>
    <message>
        <source>Time Remaining:</source>
        <translation>Temps restant :</translation>
    </message>
    <message>
        <source>Current Progress:</source>
        <translation>Progression actuelle :</translation>
    </message>
    <message>
        <source>Current Progress</source>
        <translation>Progression actuelle</translation>
    </message>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>Total Progress:</source>
        <translation>Progression totale :</translation>
    </message>
    <message>
        <source>Total Progress</source>
        <translation>Progression totale</translation>
    </message>
    <message>
        <source>Velmora web site</source>
        <translation>Site web de Velmora</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d&apos;outils</translation>
    </message>
    <message>
        <source>Add Video Files</source>
        <translation>Ajouter des fichiers vidéo</translation>
    </message>
    <message>
        <source>Add Directory</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>Save List...</source>
        <translation>Enregistrer la liste...</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Démarrer</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Préférences générales</translation>
    </message>
    <message>
        <source>About</source>
        <translation>À propos</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
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
        <translation>Trier</translation>
    </message>
</context>
<context>
    <name>TPreviewForm</name>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Image</translation>
    </message>
    <message>
        <source>Position: the kept part is shaded, key pictures are marked below</source>
        <translation>Position : la partie gardée est ombrée, les images clés sont marquées en dessous</translation>
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
        <translation>Temps</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Reculer</translation>
    </message>
    <message>
        <source>One picture back (Left or comma)</source>
        <translation>Une image en arrière (Gauche ou virgule)</translation>
    </message>
    <message>
        <source>One Picture Back</source>
        <translation>Une image en arrière</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Play or pause (Space)</source>
        <translation>Lire ou mettre en pause (Espace)</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Avancer</translation>
    </message>
    <message>
        <source>One picture forward (Right or period)</source>
        <translation>Une image en avant (Droite ou point)</translation>
    </message>
    <message>
        <source>One Picture Forward</source>
        <translation>Une image en avant</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volume :</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Set &amp;Start</source>
        <translation>Définir le &amp;début</translation>
    </message>
    <message>
        <source>Keep the clip from here (I)</source>
        <translation>Garder le clip à partir d&apos;ici (I)</translation>
    </message>
    <message>
        <source>Set Start</source>
        <translation>Définir le début</translation>
    </message>
    <message>
        <source>Set &amp;End</source>
        <translation>Définir la &amp;fin</translation>
    </message>
    <message>
        <source>Keep the clip up to here (O)</source>
        <translation>Garder le clip jusqu&apos;ici (O)</translation>
    </message>
    <message>
        <source>Set End</source>
        <translation>Définir la fin</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Effacer</translation>
    </message>
    <message>
        <source>Keep the whole clip again</source>
        <translation>Garder de nouveau tout le clip</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>Keeps the whole clip</source>
        <translation>Garde tout le clip</translation>
    </message>
    <message>
        <source>Kept part</source>
        <translation>Partie gardée</translation>
    </message>
    <message>
        <source>Key pictures</source>
        <translation>Images clés</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Close the preview (Escape)</source>
        <translation>Fermer l&apos;aperçu (Échap)</translation>
    </message>
</context>
<context>
    <name>TSettingForm</name>
    <message>
        <source>Settings</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Default Output File:</source>
        <translation>Fichier de sortie par défaut :</translation>
    </message>
    <message>
        <source>Default Output File</source>
        <translation>Fichier de sortie par défaut</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the default output file</source>
        <translation>Choisir le fichier de sortie par défaut</translation>
    </message>
    <message>
        <source>Temp Folder:</source>
        <translation>Dossier temporaire :</translation>
    </message>
    <message>
        <source>Temp Folder</source>
        <translation>Dossier temporaire</translation>
    </message>
    <message>
        <source>Choose the temporary folder</source>
        <translation>Choisir le dossier temporaire</translation>
    </message>
    <message>
        <source>Open the output directory when the task is completed. </source>
        <translation>Ouvrir le dossier de sortie une fois la tâche terminée. </translation>
    </message>
    <message>
        <source>Exit the program when the task is completed.</source>
        <translation>Quitter le programme une fois la tâche terminée.</translation>
    </message>
    <message>
        <source>Turn off the computer when the task is completed.</source>
        <translation>Éteindre l&apos;ordinateur une fois la tâche terminée.</translation>
    </message>
    <message>
        <source>Output File Overwrite</source>
        <translation>Écrasement du fichier de sortie</translation>
    </message>
    <message>
        <source>Ask me.</source>
        <translation>Me demander.</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Écraser</translation>
    </message>
    <message>
        <source>Not overwrite (Rename to &lt;Filename&gt; + Index</source>
        <translation>Ne pas écraser (renommer en &lt;Nom de fichier&gt; + numéro</translation>
    </message>
    <message>
        <source>&amp;Load Default</source>
        <translation>&amp;Valeurs par défaut</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
</context>
<context>
    <name>TopSettingForm</name>
    <message>
        <source>Output Settings</source>
        <translation>Réglages de sortie</translation>
    </message>
    <message>
        <source>Video Codec: </source>
        <translation>Codec vidéo : </translation>
    </message>
    <message>
        <source>Video Codec</source>
        <translation>Codec vidéo</translation>
    </message>
    <message>
        <source>Video Bitrate:</source>
        <translation>Débit vidéo :</translation>
    </message>
    <message>
        <source>Video Bitrate</source>
        <translation>Débit vidéo</translation>
    </message>
    <message>
        <source>kbit</source>
        <translation>kbit</translation>
    </message>
    <message>
        <source>Aspect:</source>
        <translation>Format :</translation>
    </message>
    <message>
        <source>Aspect</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Output Size</source>
        <translation>Taille de sortie</translation>
    </message>
    <message>
        <source>Size from the list</source>
        <translation>Taille de la liste</translation>
    </message>
    <message>
        <source>Video Size</source>
        <translation>Taille vidéo</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manuelle</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Largeur :</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Largeur</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Hauteur :</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Hauteur</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Codec audio :</translation>
    </message>
    <message>
        <source>Audio Codec</source>
        <translation>Codec audio</translation>
    </message>
    <message>
        <source>Audio Bitrate:</source>
        <translation>Débit audio :</translation>
    </message>
    <message>
        <source>Audio Bitrate</source>
        <translation>Débit audio</translation>
    </message>
    <message>
        <source>Kbps</source>
        <translation>kbit/s</translation>
    </message>
    <message>
        <source>Encode To:</source>
        <translation>Encoder en :</translation>
    </message>
    <message>
        <source>MP3 Encode</source>
        <translation>Encodage MP3</translation>
    </message>
    <message>
        <source>Encode To</source>
        <translation>Encoder en</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Qualité :</translation>
    </message>
    <message>
        <source>VBR Quality</source>
        <translation>Qualité VBR</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Qualité</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>ABR CBR Bitrate</source>
        <translation>Débit ABR CBR</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Débit</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Canaux :</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Canaux</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Fréquence d&apos;échantillonnage :</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Fréquence d&apos;échantillonnage</translation>
    </message>
    <message>
        <source>HZ</source>
        <translation>HZ</translation>
    </message>
    <message>
        <source>Decription</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Aperçu - %1</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lire</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Keeps the whole clip (%1)</source>
        <translation>Garde tout le clip (%1)</translation>
    </message>
    <message>
        <source>Keeps %1 to %2 (%3)</source>
        <translation>Garde de %1 à %2 (%3)</translation>
    </message>
    <message>
        <source>This profile joins without re-encoding: a clip can only start at a key picture (marked under the slider).</source>
        <translation>Ce profil assemble sans réencoder : un clip ne peut commencer que sur une image clé (marquée sous le curseur).</translation>
    </message>
    <message>
        <source>Finding the key pictures...</source>
        <translation>Recherche des images clés...</translation>
    </message>
    <message>
        <source>The start goes to the key picture at or before %1 as soon as the key pictures are found.</source>
        <translation>Le début passera à l&apos;image clé située à %1 ou avant, dès que les images clés seront trouvées.</translation>
    </message>
    <message>
        <source>The start moved back from %1 to the key picture at %2: without re-encoding a clip can only start at a key picture.</source>
        <translation>Le début a reculé de %1 à l&apos;image clé à %2 : sans réencodage, un clip ne peut commencer que sur une image clé.</translation>
    </message>
    <message>
        <source>The key pictures of this clip could not be read: without re-encoding the join may start the clip earlier than set.</source>
        <translation>Les images clés de ce clip n&apos;ont pas pu être lues : sans réencodage, l&apos;assemblage peut faire commencer le clip plus tôt que prévu.</translation>
    </message>
    <message>
        <source>The key pictures of this clip could be read only up to %1: a start after it may begin earlier than set.</source>
        <translation>Les images clés de ce clip n&apos;ont pu être lues que jusqu&apos;à %1 : un début situé après peut commencer plus tôt que prévu.</translation>
    </message>
    <message>
        <source>The end must come after the start (%1).</source>
        <translation>La fin doit venir après le début (%1).</translation>
    </message>
    <message>
        <source>The start must come before the end (%1).</source>
        <translation>Le début doit venir avant la fin (%1).</translation>
    </message>
    <message>
        <source>Nothing of the clip would be kept.</source>
        <translation>Rien du clip ne serait gardé.</translation>
    </message>
    <message>
        <source>This clip cannot be played here: %1</source>
        <translation>Ce clip ne peut pas être lu ici : %1</translation>
    </message>
    <message>
        <source>Velmora Splitter - cut long videos into parts</source>
        <translation>Velmora Splitter - découper les longues vidéos en parties</translation>
    </message>
    <message>
        <source>Velmora Converter - change a video&apos;s format</source>
        <translation>Velmora Converter - changer le format d&apos;une vidéo</translation>
    </message>
    <message>
        <source>Velmora Snapshot - pictures from your videos</source>
        <translation>Velmora Snapshot - des images de vos vidéos</translation>
    </message>
    <message>
        <source>
Join with --accept-losses to join them anyway.</source>
        <translation>
Avec --accept-losses, elles sont assemblées malgré tout.</translation>
    </message>
    <message>
        <source>No profile is chosen in the settings: name one with --profile. The profiles are:
</source>
        <translation>Aucun profil n&apos;est choisi dans les préférences : indiquez-en un avec --profile. Les profils sont :
</translation>
    </message>
    <message>
        <source>There is no profile &quot;%1&quot;. The profiles are:
</source>
        <translation>Il n&apos;y a pas de profil « %1 ». Les profils sont :
</translation>
    </message>
    <message>
        <source>There is no file or folder &quot;%1&quot;.</source>
        <translation>Il n&apos;y a pas de fichier ni de dossier « %1 ».</translation>
    </message>
    <message>
        <source>%1 is left out: Velmora does not take files of its type.</source>
        <translation>%1 est laissé de côté : Velmora ne prend pas les fichiers de ce type.</translation>
    </message>
    <message>
        <source>%1 cannot be added: %2</source>
        <translation>%1 ne peut pas être ajouté : %2</translation>
    </message>
    <message>
        <source>warning: </source>
        <translation>avertissement : </translation>
    </message>
    <message>
        <source>Joined %1 files into %2 (%3 s).
</source>
        <translation>%1 fichiers assemblés dans %2 (%3 s).
</translation>
    </message>
    <message>
        <source>%1 exists and is kept as it is. Join with --overwrite to replace it, or with --rename to join into a new name.</source>
        <translation>%1 existe et reste tel quel. Avec --overwrite, il est remplacé ; avec --rename, l&apos;assemblage se fait sous un nouveau nom.</translation>
    </message>
    <message>
        <source>Name the output file with --output.</source>
        <translation>Indiquez le fichier de sortie avec --output.</translation>
    </message>
    <message>
        <source>
See velmora --help.</source>
        <translation>
Voir velmora --help.</translation>
    </message>
    <message>
        <source>Join the inputs into one file, without a window.</source>
        <translation>Assembler les entrées en un seul fichier, sans fenêtre.</translation>
    </message>
    <message>
        <source>The output profile: a name as the Profile list shows it (letter case does not matter) or a .bpf file. Default: the profile last chosen in the window.</source>
        <translation>Le profil de sortie : un nom tel que la liste des profils l&apos;affiche (majuscules ou minuscules indifférentes) ou un fichier .bpf. Par défaut : le dernier profil choisi dans la fenêtre.</translation>
    </message>
    <message>
        <source>The output file; its extension follows the profile&apos;s type. Default: the output file last used in the window.</source>
        <translation>Le fichier de sortie ; son extension suit le type du profil. Par défaut : le dernier fichier de sortie utilisé dans la fenêtre.</translation>
    </message>
    <message>
        <source>Replace an output file that exists.</source>
        <translation>Remplacer un fichier de sortie existant.</translation>
    </message>
    <message>
        <source>When the output file exists, join into a new name that counts up.</source>
        <translation>Si le fichier de sortie existe, assembler sous un nouveau nom numéroté.</translation>
    </message>
    <message>
        <source>When the output file exists, leave it and do not join (exit status 3). Without one of these three, the rule of the settings applies, with Ask taken as --keep.</source>
        <translation>Si le fichier de sortie existe, le laisser et ne pas assembler (code de sortie 3). Sans l&apos;une de ces trois options, la règle des préférences s&apos;applique, « Me demander » valant --keep.</translation>
    </message>
    <message>
        <source>Join without re-encoding even where the output cannot hold everything as the inputs do (a track its type cannot hold, a clip cut between key pictures); what differs is said on standard error. Without it, such a join is refused (exit status 3).</source>
        <translation>Assembler sans réencodage même là où la sortie ne peut pas tout garder comme les entrées (une piste que son type ne peut contenir, un clip coupé entre deux images clés) ; les différences sont signalées sur la sortie d&apos;erreur. Sans cette option, un tel assemblage est refusé (code de sortie 3).</translation>
    </message>
    <message>
        <source>The folder for the converted intermediates. Default: the settings&apos; temporary folder.</source>
        <translation>Le dossier des fichiers intermédiaires convertis. Par défaut : le dossier temporaire des préférences.</translation>
    </message>
    <message>
        <source>How progress shows: auto (a bar on a terminal, plain lines otherwise), bar, plain, json (one object a line) or none (errors only).</source>
        <translation>Affichage de la progression : auto (une barre dans un terminal, des lignes simples sinon), bar, plain, json (un objet par ligne) ou none (erreurs seulement).</translation>
    </message>
    <message>
        <source>Join the files a list file names, one path a line.</source>
        <translation>Assembler les fichiers nommés dans un fichier liste, un chemin par ligne.</translation>
    </message>
    <message>
        <source>Print the profiles&apos; names, one a line.</source>
        <translation>Afficher les noms des profils, un par ligne.</translation>
    </message>
    <message>
        <source>Print this help.</source>
        <translation>Afficher cette aide.</translation>
    </message>
    <message>
        <source>Print the program&apos;s version.</source>
        <translation>Afficher la version du programme.</translation>
    </message>
    <message>
        <source>Velmora joins several video files into one.</source>
        <translation>Velmora assemble plusieurs fichiers vidéo en un seul.</translation>
    </message>
    <message>
        <source>Videos or folders of videos, in the order to join.</source>
        <translation>Vidéos ou dossiers de vidéos, dans l&apos;ordre de l&apos;assemblage.</translation>
    </message>
    <message>
        <source>--list-profiles takes nothing else.</source>
        <translation>--list-profiles ne prend rien d&apos;autre.</translation>
    </message>
    <message>
        <source>These options belong to --join.</source>
        <translation>Ces options vont avec --join.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 est donné plus d&apos;une fois.</translation>
    </message>
    <message>
        <source>Choose one of --overwrite, --rename and --keep.</source>
        <translation>Choisissez une seule option parmi --overwrite, --rename et --keep.</translation>
    </message>
    <message>
        <source>--progress takes auto, bar, plain, json or none, not &quot;%1&quot;.</source>
        <translation>--progress prend auto, bar, plain, json ou none, pas « %1 ».</translation>
    </message>
    <message>
        <source>--profile names no profile.</source>
        <translation>--profile n&apos;indique aucun profil.</translation>
    </message>
    <message>
        <source>--output names no file.</source>
        <translation>--output n&apos;indique aucun fichier.</translation>
    </message>
    <message>
        <source>--temp-dir names no folder.</source>
        <translation>--temp-dir n&apos;indique aucun dossier.</translation>
    </message>
    <message>
        <source>Name the inputs or a list file, not both.</source>
        <translation>Indiquez les entrées ou un fichier liste, pas les deux.</translation>
    </message>
    <message>
        <source>Name the videos to join, or a list file with --list.</source>
        <translation>Indiquez les vidéos à assembler, ou un fichier liste avec --list.</translation>
    </message>
    <message>
        <source>Usage: velmora --join [options] INPUT... | --list FILE.tmp
       velmora --list-profiles
       velmora --help | --version
       velmora [FILE|FOLDER]...   (the window, with these in its task list)
</source>
        <translation>Usage : velmora --join [options] INPUT... | --list FILE.tmp
        velmora --list-profiles
        velmora --help | --version
        velmora [FILE|FOLDER]...   (la fenêtre, avec ceux-ci dans sa liste des tâches)
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
Code de sortie :
  0    assemblé, et la sortie dure aussi longtemps que les entrées
  1    l&apos;assemblage a échoué
  2    mauvais usage, profil inconnu ou entrée qui n&apos;existe pas
  3    refusé avant de commencer : la sortie existe, les entrées ne conviennent pas
       à un profil qui copie (ou il ne peut pas tout garder, sans
       --accept-losses), moins de deux entrées, pas de dossier de sortie
  130  arrêté par Ctrl+C (SIGINT) ou SIGTERM
</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Copie</translation>
    </message>
    <message>
        <source>Joining</source>
        <translation>Assemblage</translation>
    </message>
    <message>
        <source> %1%  %2 elapsed  %3 left</source>
        <translation> %1%  %2 écoulé  %3 restant</translation>
    </message>
    <message>
        <source>Joining %1 files</source>
        <translation>Assemblage de %1 fichiers</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d&apos;écrire dans %1</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Valeurs par défaut</translation>
    </message>
    <message>
        <source>Are you sure to load the default preferences?</source>
        <translation>Voulez-vous vraiment charger les préférences par défaut ?</translation>
    </message>
    <message>
        <source>Select the output directory.</source>
        <translation>Choisissez le dossier de sortie.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Impossible d&apos;ouvrir le fichier « %1 ». %2</translation>
    </message>
    <message>
        <source>All Support Files(</source>
        <translation>Tous les fichiers pris en charge(</translation>
    </message>
    <message>
        <source>Already Listed</source>
        <translation>Déjà dans la liste</translation>
    </message>
    <message>
        <source>This file has been added to the Task List already. Are you sure to add it again?</source>
        <translation>Ce fichier est déjà dans la liste des tâches. Voulez-vous vraiment l&apos;ajouter de nouveau ?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Add a directory to the Task List</source>
        <translation>Ajouter un dossier à la liste des tâches</translation>
    </message>
    <message>
        <source>Trimmed: %1 to %2 of %3</source>
        <translation>Coupé : de %1 à %2 sur %3</translation>
    </message>
    <message>
        <source>Save List...</source>
        <translation>Enregistrer la liste...</translation>
    </message>
    <message>
        <source>Task List (*.tmp)|*.tmp</source>
        <translation>Liste des tâches (*.tmp)|*.tmp</translation>
    </message>
    <message>
        <source>Cannot save the task list to &quot;%1&quot;. %2</source>
        <translation>Impossible d&apos;enregistrer la liste des tâches dans « %1 ». %2</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Ajouter des fichiers...</translation>
    </message>
    <message>
        <source>Add Directorys...</source>
        <translation>Ajouter des dossiers...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Retirer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>Current Value: </source>
        <translation>Valeur actuelle : </translation>
    </message>
    <message>
        <source>Invalid Video Bitrate</source>
        <translation>Débit vidéo non valide</translation>
    </message>
    <message>
        <source>The video bitrate is invalid.</source>
        <translation>Le débit vidéo n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>Invalid Width</source>
        <translation>Largeur non valide</translation>
    </message>
    <message>
        <source>The output width is invalid.</source>
        <translation>La largeur de sortie n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>Invalid Height</source>
        <translation>Hauteur non valide</translation>
    </message>
    <message>
        <source>The output height is invalid.</source>
        <translation>La hauteur de sortie n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>Invalid Sample Rate</source>
        <translation>Fréquence d&apos;échantillonnage non valide</translation>
    </message>
    <message>
        <source>The sample rate is invalid.</source>
        <translation>La fréquence d&apos;échantillonnage n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>Invalid Audio Bitrate</source>
        <translation>Débit audio non valide</translation>
    </message>
    <message>
        <source>The Audio bitrate is invalid.</source>
        <translation>Le débit audio n&apos;est pas valide.</translation>
    </message>
    <message>
        <source>The maximum value of audio bitrate for MP2 codec is 128</source>
        <translation>Le débit audio maximal du codec MP2 est 128</translation>
    </message>
    <message>
        <source>could not start</source>
        <translation>n&apos;a pas pu démarrer</translation>
    </message>
    <message>
        <source>exited with status %1</source>
        <translation>s&apos;est terminé avec le code %1</translation>
    </message>
    <message>
        <source>crashed</source>
        <translation>a planté</translation>
    </message>
    <message>
        <source>was stopped</source>
        <translation>a été arrêté</translation>
    </message>
    <message>
        <source>Error. Please re-install Velmora</source>
        <translation>Erreur. Veuillez réinstaller Velmora</translation>
    </message>
    <message>
        <source>Prepare (Converting):</source>
        <translation>Préparation (conversion) :</translation>
    </message>
    <message>
        <source>Final Step: Joining all files...</source>
        <translation>Dernière étape : assemblage de tous les fichiers...</translation>
    </message>
    <message>
        <source>Joining (copying):</source>
        <translation>Assemblage (copie) :</translation>
    </message>
    <message>
        <source>Cannot Join Without Re-encoding</source>
        <translation>Assemblage sans réencodage impossible</translation>
    </message>
    <message>
        <source>Not Everything Can Be Kept</source>
        <translation>Tout ne peut pas être gardé</translation>
    </message>
    <message>
        <source>Joined without re-encoding, the output will not hold everything as the files do:

%1

Do you want to join them anyway? Click &quot;No&quot; to choose another profile.</source>
        <translation>Assemblée sans réencodage, la sortie ne contiendra pas tout ce que contiennent les fichiers :

%1

Voulez-vous les assembler malgré tout ? Cliquez sur « Non » pour choisir un autre profil.</translation>
    </message>
    <message>
        <source>Add More Videos</source>
        <translation>Ajoutez d&apos;autres vidéos</translation>
    </message>
    <message>
        <source>Please add at least 2 videos to the task for joining.</source>
        <translation>Veuillez ajouter au moins 2 vidéos à la tâche pour les assembler.</translation>
    </message>
    <message>
        <source>Output path does not exist</source>
        <translation>Le chemin de sortie n&apos;existe pas</translation>
    </message>
    <message>
        <source>The output path does not exist. Please specify another one.</source>
        <translation>Le chemin de sortie n&apos;existe pas. Veuillez en indiquer un autre.</translation>
    </message>
    <message>
        <source>Icorrect Filename</source>
        <translation>Nom de fichier incorrect</translation>
    </message>
    <message>
        <source>Please specify the output file.</source>
        <translation>Veuillez indiquer le fichier de sortie.</translation>
    </message>
    <message>
        <source>File Exists</source>
        <translation>Le fichier existe</translation>
    </message>
    <message>
        <source>The output file is existent. Do you want to continue and overwrite it? 
<byte value="xd"/>Click &quot;No&quot; to specify another output filename.</source>
        <translation>Le fichier de sortie existe déjà. Voulez-vous continuer et l&apos;écraser ? 
<byte value="xd"/>Cliquez sur « Non » pour indiquer un autre nom de fichier de sortie.</translation>
    </message>
    <message>
        <source>Temporary Folder</source>
        <translation>Dossier temporaire</translation>
    </message>
    <message>
        <source>The temporary folder cannot be used. Please specify another one in the settings.</source>
        <translation>Le dossier temporaire ne peut pas être utilisé. Veuillez en indiquer un autre dans les préférences.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The Coversion is canceled.</source>
        <translation>La conversion est annulée.</translation>
    </message>
    <message>
        <source>The Joining is canceled.</source>
        <translation>L&apos;assemblage est annulé.</translation>
    </message>
    <message>
        <source>Conversion Failed</source>
        <translation>Échec de la conversion</translation>
    </message>
    <message>
        <source>Velmora could not convert %1.</source>
        <translation>Velmora n&apos;a pas pu convertir %1.</translation>
    </message>
    <message>
        <source>Joining Failed</source>
        <translation>Échec de l&apos;assemblage</translation>
    </message>
    <message>
        <source>Velmora could not join the files into %1.</source>
        <translation>Velmora n&apos;a pas pu assembler les fichiers dans %1.</translation>
    </message>
    <message>
        <source>The joined file was kept as %1 (%2).</source>
        <translation>Le fichier assemblé a été gardé sous %1 (%2).</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>The joining is completed successfully.</source>
        <translation>L&apos;assemblage s&apos;est terminé avec succès.</translation>
    </message>
    <message>
        <source>%1 gave %2 s of its %3 s; the file may be damaged.</source>
        <translation>%1 a donné %2 s sur ses %3 s ; le fichier est peut-être endommagé.</translation>
    </message>
    <message>
        <source>The converted file does not play.</source>
        <translation>Le fichier converti ne se lit pas.</translation>
    </message>
    <message>
        <source>The joined file does not play.</source>
        <translation>Le fichier assemblé ne se lit pas.</translation>
    </message>
    <message>
        <source>The joined file plays %1 s of the %2 s that were joined.</source>
        <translation>Le fichier assemblé dure %1 s sur les %2 s assemblées.</translation>
    </message>
    <message>
        <source>Command line: %1</source>
        <translation>Ligne de commande : %1</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>A task is running. Do you want to stop it and exit?</source>
        <translation>Une tâche est en cours. Voulez-vous l&apos;arrêter et quitter ?</translation>
    </message>
    <message>
        <source>Waiting for joining</source>
        <translation>En attente d&apos;assemblage</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source> Files (*</source>
        <translation> - fichiers (*</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*</source>
        <translation>Tous les fichiers (*.*)|*.*</translation>
    </message>
    <message>
        <source>Joined %1 files into %2 (%3)</source>
        <translation>%1 fichiers joints dans %2 (%3)</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Trier</translation>
    </message>
    <message>
        <source>By File Name</source>
        <translation>Par nom de fichier</translation>
    </message>
    <message>
        <source>By Recording Time</source>
        <translation>Par heure d&apos;enregistrement</translation>
    </message>
    <message>
        <source>Reverse Order</source>
        <translation>Inverser l&apos;ordre</translation>
    </message>
    <message>
        <source>Drop position</source>
        <translation>Position de dépôt</translation>
    </message>
    <message>
        <source>Joining videos</source>
        <translation>Assemblage de vidéos</translation>
    </message>
</context>
</TS>
