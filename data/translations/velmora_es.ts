<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es" sourcelanguage="en">
<context>
    <name>TAboutForm</name>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Velmora</source>
        <translation>Velmora</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>All rights reserved.</source>
        <translation>Todos los derechos reservados.</translation>
    </message>
    <message>
        <source>Visit our website</source>
        <translation>Visite nuestro sitio web</translation>
    </message>
    <message>
        <source>More video converting softwares</source>
        <translation>Más programas de vídeo</translation>
    </message>
    <message>
        <source>(More)</source>
        <translation>(Más)</translation>
    </message>
    <message>
        <source>Tech Support</source>
        <translation>Soporte técnico</translation>
    </message>
    <message>
        <source>Sales Support</source>
        <translation>Ventas</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
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
        <translation>Lista de tareas</translation>
    </message>
    <message>
        <source>Input File</source>
        <translation>Archivo de entrada</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Duración</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Tamaño</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Getting started</source>
        <translation>Primeros pasos</translation>
    </message>
    <message>
        <source>Joining videos</source>
        <translation>Unión de vídeos</translation>
    </message>
    <message>
        <source>Getting Start:</source>
        <translation>Primeros pasos:</translation>
    </message>
    <message>
        <source>1. Add multiple videos to the Task List.</source>
        <translation>1. Añada varios vídeos a la lista de tareas.</translation>
    </message>
    <message>
        <source>2. Select a profile and output path.</source>
        <translation>2. Elija un perfil y una ruta de salida.</translation>
    </message>
    <message>
        <source>3. Click on the &quot;Start&quot; button.</source>
        <translation>3. Pulse el botón «Iniciar».</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Perfil:</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Perfil</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>&amp;Ajustes</translation>
    </message>
    <message>
        <source>Output File:</source>
        <translation>Archivo de salida:</translation>
    </message>
    <message>
        <source>Output File</source>
        <translation>Archivo de salida</translation>
    </message>
    <message>
        <source>&amp;Browser</source>
        <translation>&amp;Examinar</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>A&amp;brir</translation>
    </message>
    <message>
        <source>Converting (Prepare):</source>
        <translation>Convirtiendo (preparación):</translation>
    </message>
    <message>
        <source>No File</source>
        <translation>Ningún archivo</translation>
    </message>
    <message>
        <source>Time Elapsed:</source>
        <translation>Tiempo transcurrido:</translation>
    </message>
    <message>
        <source>00:00:00</source>
        <translation>00:00:00</translation>
    </message>
    <message>
        <source>Time Remaining:</source>
        <translation>Tiempo restante:</translation>
    </message>
    <message>
        <source>Current Progress:</source>
        <translation>Progreso actual:</translation>
    </message>
    <message>
        <source>Current Progress</source>
        <translation>Progreso actual</translation>
    </message>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>Total Progress:</source>
        <translation>Progreso total:</translation>
    </message>
    <message>
        <source>Total Progress</source>
        <translation>Progreso total</translation>
    </message>
    <message>
        <source>Velmora web site</source>
        <translation>Sitio web de Velmora</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra de herramientas</translation>
    </message>
    <message>
        <source>Add Video Files</source>
        <translation>Añadir archivos de vídeo</translation>
    </message>
    <message>
        <source>Add Directory</source>
        <translation>Añadir carpeta</translation>
    </message>
    <message>
        <source>Save List...</source>
        <translation>Guardar lista...</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Subir</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Bajar</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Iniciar</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detener</translation>
    </message>
    <message>
        <source>General Settings</source>
        <translation>Ajustes generales</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca de</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
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
        <translation>Ordenar</translation>
    </message>
</context>
<context>
    <name>TPreviewForm</name>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Imagen</translation>
    </message>
    <message>
        <source>Position: the kept part is shaded, key pictures are marked below</source>
        <translation>Posición: la parte que se conserva está sombreada y las imágenes clave se marcan debajo</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Posición</translation>
    </message>
    <message>
        <source>0:00:00.000 / 0:00:00.000</source>
        <translation>0:00:00.000 / 0:00:00.000</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Tiempo</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>One picture back (Left or comma)</source>
        <translation>Una imagen atrás (Izquierda o coma)</translation>
    </message>
    <message>
        <source>One Picture Back</source>
        <translation>Una imagen atrás</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Play or pause (Space)</source>
        <translation>Reproducir o pausar (Espacio)</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Adelante</translation>
    </message>
    <message>
        <source>One picture forward (Right or period)</source>
        <translation>Una imagen adelante (Derecha o punto)</translation>
    </message>
    <message>
        <source>One Picture Forward</source>
        <translation>Una imagen adelante</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volumen:</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>Set &amp;Start</source>
        <translation>Fijar &amp;inicio</translation>
    </message>
    <message>
        <source>Keep the clip from here (I)</source>
        <translation>Conservar el clip desde aquí (I)</translation>
    </message>
    <message>
        <source>Set Start</source>
        <translation>Fijar inicio</translation>
    </message>
    <message>
        <source>Set &amp;End</source>
        <translation>Fijar &amp;final</translation>
    </message>
    <message>
        <source>Keep the clip up to here (O)</source>
        <translation>Conservar el clip hasta aquí (O)</translation>
    </message>
    <message>
        <source>Set End</source>
        <translation>Fijar final</translation>
    </message>
    <message>
        <source>C&amp;lear</source>
        <translation>&amp;Borrar</translation>
    </message>
    <message>
        <source>Keep the whole clip again</source>
        <translation>Volver a conservar el clip entero</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Keeps the whole clip</source>
        <translation>Conserva el clip entero</translation>
    </message>
    <message>
        <source>Kept part</source>
        <translation>Parte conservada</translation>
    </message>
    <message>
        <source>Key pictures</source>
        <translation>Imágenes clave</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>Mensaje</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Close the preview (Escape)</source>
        <translation>Cerrar la vista previa (Esc)</translation>
    </message>
</context>
<context>
    <name>TSettingForm</name>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Default Output File:</source>
        <translation>Archivo de salida predeterminado:</translation>
    </message>
    <message>
        <source>Default Output File</source>
        <translation>Archivo de salida predeterminado</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose the default output file</source>
        <translation>Elegir el archivo de salida predeterminado</translation>
    </message>
    <message>
        <source>Temp Folder:</source>
        <translation>Carpeta temporal:</translation>
    </message>
    <message>
        <source>Temp Folder</source>
        <translation>Carpeta temporal</translation>
    </message>
    <message>
        <source>Choose the temporary folder</source>
        <translation>Elegir la carpeta temporal</translation>
    </message>
    <message>
        <source>Open the output directory when the task is completed. </source>
        <translation>Abrir la carpeta de salida al terminar la tarea. </translation>
    </message>
    <message>
        <source>Exit the program when the task is completed.</source>
        <translation>Salir del programa al terminar la tarea.</translation>
    </message>
    <message>
        <source>Turn off the computer when the task is completed.</source>
        <translation>Apagar el equipo al terminar la tarea.</translation>
    </message>
    <message>
        <source>Output File Overwrite</source>
        <translation>Sobrescribir el archivo de salida</translation>
    </message>
    <message>
        <source>Ask me.</source>
        <translation>Preguntarme.</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Sobrescribir</translation>
    </message>
    <message>
        <source>Not overwrite (Rename to &lt;Filename&gt; + Index</source>
        <translation>No sobrescribir (renombrar a &lt;Nombre de archivo&gt; + número</translation>
    </message>
    <message>
        <source>&amp;Load Default</source>
        <translation>&amp;Cargar predeterminados</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Cancelar</translation>
    </message>
</context>
<context>
    <name>TopSettingForm</name>
    <message>
        <source>Output Settings</source>
        <translation>Ajustes de salida</translation>
    </message>
    <message>
        <source>Video Codec: </source>
        <translation>Códec de vídeo: </translation>
    </message>
    <message>
        <source>Video Codec</source>
        <translation>Códec de vídeo</translation>
    </message>
    <message>
        <source>Video Bitrate:</source>
        <translation>Tasa de bits de vídeo:</translation>
    </message>
    <message>
        <source>Video Bitrate</source>
        <translation>Tasa de bits de vídeo</translation>
    </message>
    <message>
        <source>kbit</source>
        <translation>kbit</translation>
    </message>
    <message>
        <source>Aspect:</source>
        <translation>Aspecto:</translation>
    </message>
    <message>
        <source>Aspect</source>
        <translation>Aspecto</translation>
    </message>
    <message>
        <source>Output Size</source>
        <translation>Tamaño de salida</translation>
    </message>
    <message>
        <source>Size from the list</source>
        <translation>Tamaño de la lista</translation>
    </message>
    <message>
        <source>Video Size</source>
        <translation>Tamaño de vídeo</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ancho:</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Ancho</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Alto:</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Alto</translation>
    </message>
    <message>
        <source>Audio Codec:</source>
        <translation>Códec de audio:</translation>
    </message>
    <message>
        <source>Audio Codec</source>
        <translation>Códec de audio</translation>
    </message>
    <message>
        <source>Audio Bitrate:</source>
        <translation>Tasa de bits de audio:</translation>
    </message>
    <message>
        <source>Audio Bitrate</source>
        <translation>Tasa de bits de audio</translation>
    </message>
    <message>
        <source>Kbps</source>
        <translation>kbit/s</translation>
    </message>
    <message>
        <source>Encode To:</source>
        <translation>Codificar como:</translation>
    </message>
    <message>
        <source>MP3 Encode</source>
        <translation>Codificación MP3</translation>
    </message>
    <message>
        <source>Encode To</source>
        <translation>Codificar como</translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation>Calidad:</translation>
    </message>
    <message>
        <source>VBR Quality</source>
        <translation>Calidad VBR</translation>
    </message>
    <message>
        <source>Quality</source>
        <translation>Calidad</translation>
    </message>
    <message>
        <source>Bitrate:</source>
        <translation>Tasa de bits:</translation>
    </message>
    <message>
        <source>ABR CBR Bitrate</source>
        <translation>Tasa de bits ABR CBR</translation>
    </message>
    <message>
        <source>Bitrate</source>
        <translation>Tasa de bits</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Canales:</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Canales</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Frecuencia de muestreo:</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Frecuencia de muestreo</translation>
    </message>
    <message>
        <source>HZ</source>
        <translation>HZ</translation>
    </message>
    <message>
        <source>Decription</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Descripción</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
</context>
<context>
    <name>Velmora</name>
    <message>
        <source>Version </source>
        <translation>Versión </translation>
    </message>
    <message>
        <source>Preview - %1</source>
        <translation>Vista previa - %1</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Keeps the whole clip (%1)</source>
        <translation>Conserva el clip entero (%1)</translation>
    </message>
    <message>
        <source>Keeps %1 to %2 (%3)</source>
        <translation>Conserva de %1 a %2 (%3)</translation>
    </message>
    <message>
        <source>This profile joins without re-encoding: a clip can only start at a key picture (marked under the slider).</source>
        <translation>Este perfil une sin recodificar: un clip solo puede empezar en una imagen clave (marcada bajo el control deslizante).</translation>
    </message>
    <message>
        <source>Finding the key pictures...</source>
        <translation>Buscando las imágenes clave...</translation>
    </message>
    <message>
        <source>The start goes to the key picture at or before %1 as soon as the key pictures are found.</source>
        <translation>El inicio pasará a la imagen clave en %1 o anterior en cuanto se encuentren las imágenes clave.</translation>
    </message>
    <message>
        <source>The start moved back from %1 to the key picture at %2: without re-encoding a clip can only start at a key picture.</source>
        <translation>El inicio retrocedió de %1 a la imagen clave en %2: sin recodificar, un clip solo puede empezar en una imagen clave.</translation>
    </message>
    <message>
        <source>The key pictures of this clip could not be read: without re-encoding the join may start the clip earlier than set.</source>
        <translation>No se pudieron leer las imágenes clave de este clip: sin recodificar, la unión puede empezar el clip antes de lo fijado.</translation>
    </message>
    <message>
        <source>The key pictures of this clip could be read only up to %1: a start after it may begin earlier than set.</source>
        <translation>Las imágenes clave de este clip solo se pudieron leer hasta %1: un inicio posterior puede empezar antes de lo fijado.</translation>
    </message>
    <message>
        <source>The end must come after the start (%1).</source>
        <translation>El final debe ir después del inicio (%1).</translation>
    </message>
    <message>
        <source>The start must come before the end (%1).</source>
        <translation>El inicio debe ir antes del final (%1).</translation>
    </message>
    <message>
        <source>Nothing of the clip would be kept.</source>
        <translation>No se conservaría nada del clip.</translation>
    </message>
    <message>
        <source>This clip cannot be played here: %1</source>
        <translation>Este clip no se puede reproducir aquí: %1</translation>
    </message>
    <message>
        <source>Velmora Splitter - cut long videos into parts</source>
        <translation>Velmora Splitter - cortar vídeos largos en partes</translation>
    </message>
    <message>
        <source>Velmora Converter - change a video&apos;s format</source>
        <translation>Velmora Converter - cambiar el formato de un vídeo</translation>
    </message>
    <message>
        <source>Velmora Snapshot - pictures from your videos</source>
        <translation>Velmora Snapshot - imágenes de sus vídeos</translation>
    </message>
    <message>
        <source>
Join with --accept-losses to join them anyway.</source>
        <translation>
Con --accept-losses se unen de todos modos.</translation>
    </message>
    <message>
        <source>No profile is chosen in the settings: name one with --profile. The profiles are:
</source>
        <translation>No hay ningún perfil elegido en los ajustes: indique uno con --profile. Los perfiles son:
</translation>
    </message>
    <message>
        <source>There is no profile &quot;%1&quot;. The profiles are:
</source>
        <translation>No existe el perfil «%1». Los perfiles son:
</translation>
    </message>
    <message>
        <source>There is no file or folder &quot;%1&quot;.</source>
        <translation>No existe el archivo o carpeta «%1».</translation>
    </message>
    <message>
        <source>%1 is left out: Velmora does not take files of its type.</source>
        <translation>%1 se omite: Velmora no admite archivos de ese tipo.</translation>
    </message>
    <message>
        <source>%1 cannot be added: %2</source>
        <translation>No se puede añadir %1: %2</translation>
    </message>
    <message>
        <source>warning: </source>
        <translation>aviso: </translation>
    </message>
    <message>
        <source>Joined %1 files into %2 (%3 s).
</source>
        <translation>%1 archivos unidos en %2 (%3 s).
</translation>
    </message>
    <message>
        <source>%1 exists and is kept as it is. Join with --overwrite to replace it, or with --rename to join into a new name.</source>
        <translation>%1 existe y se deja como está. Con --overwrite se reemplaza; con --rename se une con un nombre nuevo.</translation>
    </message>
    <message>
        <source>Name the output file with --output.</source>
        <translation>Indique el archivo de salida con --output.</translation>
    </message>
    <message>
        <source>
See velmora --help.</source>
        <translation>
Consulte velmora --help.</translation>
    </message>
    <message>
        <source>Join the inputs into one file, without a window.</source>
        <translation>Unir las entradas en un archivo, sin ventana.</translation>
    </message>
    <message>
        <source>The output profile: a name as the Profile list shows it (letter case does not matter) or a .bpf file. Default: the profile last chosen in the window.</source>
        <translation>El perfil de salida: un nombre como lo muestra la lista de perfiles (sin distinguir mayúsculas) o un archivo .bpf. Predeterminado: el último perfil elegido en la ventana.</translation>
    </message>
    <message>
        <source>The output file; its extension follows the profile&apos;s type. Default: the output file last used in the window.</source>
        <translation>El archivo de salida; su extensión sigue el tipo del perfil. Predeterminado: el último archivo de salida usado en la ventana.</translation>
    </message>
    <message>
        <source>Replace an output file that exists.</source>
        <translation>Reemplazar un archivo de salida que ya existe.</translation>
    </message>
    <message>
        <source>When the output file exists, join into a new name that counts up.</source>
        <translation>Si el archivo de salida existe, unir con un nombre nuevo numerado.</translation>
    </message>
    <message>
        <source>When the output file exists, leave it and do not join (exit status 3). Without one of these three, the rule of the settings applies, with Ask taken as --keep.</source>
        <translation>Si el archivo de salida existe, dejarlo y no unir (estado de salida 3). Sin una de estas tres, se aplica la regla de los ajustes, y Preguntarme cuenta como --keep.</translation>
    </message>
    <message>
        <source>Join without re-encoding even where the output cannot hold everything as the inputs do (a track its type cannot hold, a clip cut between key pictures); what differs is said on standard error. Without it, such a join is refused (exit status 3).</source>
        <translation>Unir sin recodificar aunque la salida no pueda conservar todo como las entradas (una pista que su tipo no admite, un clip cortado entre imágenes clave); las diferencias se indican en la salida de errores. Sin esta opción, esa unión se rechaza (estado de salida 3).</translation>
    </message>
    <message>
        <source>The folder for the converted intermediates. Default: the settings&apos; temporary folder.</source>
        <translation>La carpeta para los archivos intermedios convertidos. Predeterminado: la carpeta temporal de los ajustes.</translation>
    </message>
    <message>
        <source>How progress shows: auto (a bar on a terminal, plain lines otherwise), bar, plain, json (one object a line) or none (errors only).</source>
        <translation>Cómo se muestra el progreso: auto (una barra en un terminal, líneas simples si no), bar, plain, json (un objeto por línea) o none (solo errores).</translation>
    </message>
    <message>
        <source>Join the files a list file names, one path a line.</source>
        <translation>Unir los archivos que nombra un archivo de lista, una ruta por línea.</translation>
    </message>
    <message>
        <source>Print the profiles&apos; names, one a line.</source>
        <translation>Mostrar los nombres de los perfiles, uno por línea.</translation>
    </message>
    <message>
        <source>Print this help.</source>
        <translation>Mostrar esta ayuda.</translation>
    </message>
    <message>
        <source>Print the program&apos;s version.</source>
        <translation>Mostrar la versión del programa.</translation>
    </message>
    <message>
        <source>Velmora joins several video files into one.</source>
        <translation>Velmora une varios archivos de vídeo en uno.</translation>
    </message>
    <message>
        <source>Videos or folders of videos, in the order to join.</source>
        <translation>Vídeos o carpetas de vídeos, en el orden en que se unen.</translation>
    </message>
    <message>
        <source>--list-profiles takes nothing else.</source>
        <translation>--list-profiles no admite nada más.</translation>
    </message>
    <message>
        <source>These options belong to --join.</source>
        <translation>Estas opciones van con --join.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 se indica más de una vez.</translation>
    </message>
    <message>
        <source>Choose one of --overwrite, --rename and --keep.</source>
        <translation>Elija una de --overwrite, --rename y --keep.</translation>
    </message>
    <message>
        <source>--progress takes auto, bar, plain, json or none, not &quot;%1&quot;.</source>
        <translation>--progress admite auto, bar, plain, json o none, no «%1».</translation>
    </message>
    <message>
        <source>--profile names no profile.</source>
        <translation>--profile no indica ningún perfil.</translation>
    </message>
    <message>
        <source>--output names no file.</source>
        <translation>--output no indica ningún archivo.</translation>
    </message>
    <message>
        <source>--temp-dir names no folder.</source>
        <translation>--temp-dir no indica ninguna carpeta.</translation>
    </message>
    <message>
        <source>Name the inputs or a list file, not both.</source>
        <translation>Indique las entradas o un archivo de lista, no ambos.</translation>
    </message>
    <message>
        <source>Name the videos to join, or a list file with --list.</source>
        <translation>Indique los vídeos que se unen, o un archivo de lista con --list.</translation>
    </message>
    <message>
        <source>Usage: velmora --join [options] INPUT... | --list FILE.tmp
       velmora --list-profiles
       velmora --help | --version
       velmora [FILE|FOLDER]...   (the window, with these in its task list)
</source>
        <translation>Uso: velmora --join [opciones] INPUT... | --list FILE.tmp
     velmora --list-profiles
     velmora --help | --version
     velmora [FILE|FOLDER]...   (la ventana, con estos en su lista de tareas)
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
Estado de salida:
  0    unido, y la salida dura lo mismo que las entradas
  1    la unión falló
  2    uso incorrecto, un perfil desconocido o una entrada que no existe
  3    rechazado antes de empezar: la salida existe, las entradas no encajan en
       un perfil que copia (o no puede conservar todo, sin
       --accept-losses), menos de dos entradas, no hay carpeta de salida
  130  detenido con Ctrl+C (SIGINT) o SIGTERM
</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Convirtiendo</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Copiando</translation>
    </message>
    <message>
        <source>Joining</source>
        <translation>Uniendo</translation>
    </message>
    <message>
        <source> %1%  %2 elapsed  %3 left</source>
        <translation> %1%  %2 transcurrido  %3 restante</translation>
    </message>
    <message>
        <source>Joining %1 files</source>
        <translation>Uniendo %1 archivos</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
    <message>
        <source>Load Default</source>
        <translation>Cargar predeterminados</translation>
    </message>
    <message>
        <source>Are you sure to load the default preferences?</source>
        <translation>¿Seguro que quiere cargar los ajustes predeterminados?</translation>
    </message>
    <message>
        <source>Select the output directory.</source>
        <translation>Elija la carpeta de salida.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>No se puede abrir el archivo «%1». %2</translation>
    </message>
    <message>
        <source>All Support Files(</source>
        <translation>Todos los archivos admitidos(</translation>
    </message>
    <message>
        <source>Already Listed</source>
        <translation>Ya está en la lista</translation>
    </message>
    <message>
        <source>This file has been added to the Task List already. Are you sure to add it again?</source>
        <translation>Este archivo ya está en la lista de tareas. ¿Seguro que quiere añadirlo otra vez?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Add a directory to the Task List</source>
        <translation>Añadir una carpeta a la lista de tareas</translation>
    </message>
    <message>
        <source>Trimmed: %1 to %2 of %3</source>
        <translation>Recortado: de %1 a %2 de %3</translation>
    </message>
    <message>
        <source>Save List...</source>
        <translation>Guardar lista...</translation>
    </message>
    <message>
        <source>Task List (*.tmp)|*.tmp</source>
        <translation>Lista de tareas (*.tmp)|*.tmp</translation>
    </message>
    <message>
        <source>Cannot save the task list to &quot;%1&quot;. %2</source>
        <translation>No se puede guardar la lista de tareas en «%1». %2</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vista previa</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Añadir archivos...</translation>
    </message>
    <message>
        <source>Add Directorys...</source>
        <translation>Añadir carpetas...</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Quitar</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vaciar</translation>
    </message>
    <message>
        <source>Current Value: </source>
        <translation>Valor actual: </translation>
    </message>
    <message>
        <source>Invalid Video Bitrate</source>
        <translation>Tasa de bits de vídeo no válida</translation>
    </message>
    <message>
        <source>The video bitrate is invalid.</source>
        <translation>La tasa de bits de vídeo no es válida.</translation>
    </message>
    <message>
        <source>Invalid Width</source>
        <translation>Ancho no válido</translation>
    </message>
    <message>
        <source>The output width is invalid.</source>
        <translation>El ancho de salida no es válido.</translation>
    </message>
    <message>
        <source>Invalid Height</source>
        <translation>Alto no válido</translation>
    </message>
    <message>
        <source>The output height is invalid.</source>
        <translation>El alto de salida no es válido.</translation>
    </message>
    <message>
        <source>Invalid Sample Rate</source>
        <translation>Frecuencia de muestreo no válida</translation>
    </message>
    <message>
        <source>The sample rate is invalid.</source>
        <translation>La frecuencia de muestreo no es válida.</translation>
    </message>
    <message>
        <source>Invalid Audio Bitrate</source>
        <translation>Tasa de bits de audio no válida</translation>
    </message>
    <message>
        <source>The Audio bitrate is invalid.</source>
        <translation>La tasa de bits de audio no es válida.</translation>
    </message>
    <message>
        <source>The maximum value of audio bitrate for MP2 codec is 128</source>
        <translation>La tasa de bits de audio máxima del códec MP2 es 128</translation>
    </message>
    <message>
        <source>could not start</source>
        <translation>no pudo iniciarse</translation>
    </message>
    <message>
        <source>exited with status %1</source>
        <translation>terminó con el estado %1</translation>
    </message>
    <message>
        <source>crashed</source>
        <translation>falló de forma inesperada</translation>
    </message>
    <message>
        <source>was stopped</source>
        <translation>se detuvo</translation>
    </message>
    <message>
        <source>Error. Please re-install Velmora</source>
        <translation>Error. Vuelva a instalar Velmora</translation>
    </message>
    <message>
        <source>Prepare (Converting):</source>
        <translation>Preparar (convirtiendo):</translation>
    </message>
    <message>
        <source>Final Step: Joining all files...</source>
        <translation>Último paso: uniendo todos los archivos...</translation>
    </message>
    <message>
        <source>Joining (copying):</source>
        <translation>Uniendo (copiando):</translation>
    </message>
    <message>
        <source>Cannot Join Without Re-encoding</source>
        <translation>No se puede unir sin recodificar</translation>
    </message>
    <message>
        <source>Not Everything Can Be Kept</source>
        <translation>No se puede conservar todo</translation>
    </message>
    <message>
        <source>Joined without re-encoding, the output will not hold everything as the files do:

%1

Do you want to join them anyway? Click &quot;No&quot; to choose another profile.</source>
        <translation>Unida sin recodificar, la salida no contendrá todo lo que tienen los archivos:

%1

¿Quiere unirlos de todos modos? Pulse «No» para elegir otro perfil.</translation>
    </message>
    <message>
        <source>Add More Videos</source>
        <translation>Añada más vídeos</translation>
    </message>
    <message>
        <source>Please add at least 2 videos to the task for joining.</source>
        <translation>Añada al menos 2 vídeos a la tarea para unirlos.</translation>
    </message>
    <message>
        <source>Output path does not exist</source>
        <translation>La ruta de salida no existe</translation>
    </message>
    <message>
        <source>The output path does not exist. Please specify another one.</source>
        <translation>La ruta de salida no existe. Indique otra.</translation>
    </message>
    <message>
        <source>Icorrect Filename</source>
        <translation>Nombre de archivo incorrecto</translation>
    </message>
    <message>
        <source>Please specify the output file.</source>
        <translation>Indique el archivo de salida.</translation>
    </message>
    <message>
        <source>File Exists</source>
        <translation>El archivo existe</translation>
    </message>
    <message>
        <source>The output file is existent. Do you want to continue and overwrite it? 
<byte value="xd"/>Click &quot;No&quot; to specify another output filename.</source>
        <translation>El archivo de salida ya existe. ¿Quiere continuar y sobrescribirlo? 
<byte value="xd"/>Pulse «No» para indicar otro nombre de archivo de salida.</translation>
    </message>
    <message>
        <source>Temporary Folder</source>
        <translation>Carpeta temporal</translation>
    </message>
    <message>
        <source>The temporary folder cannot be used. Please specify another one in the settings.</source>
        <translation>No se puede usar la carpeta temporal. Indique otra en los ajustes.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>The Coversion is canceled.</source>
        <translation>La conversión se ha cancelado.</translation>
    </message>
    <message>
        <source>The Joining is canceled.</source>
        <translation>La unión se ha cancelado.</translation>
    </message>
    <message>
        <source>Conversion Failed</source>
        <translation>Error de conversión</translation>
    </message>
    <message>
        <source>Velmora could not convert %1.</source>
        <translation>Velmora no pudo convertir %1.</translation>
    </message>
    <message>
        <source>Joining Failed</source>
        <translation>Error al unir</translation>
    </message>
    <message>
        <source>Velmora could not join the files into %1.</source>
        <translation>Velmora no pudo unir los archivos en %1.</translation>
    </message>
    <message>
        <source>The joined file was kept as %1 (%2).</source>
        <translation>El archivo unido se conservó como %1 (%2).</translation>
    </message>
    <message>
        <source>Complete</source>
        <translation>Completado</translation>
    </message>
    <message>
        <source>The joining is completed successfully.</source>
        <translation>La unión se completó correctamente.</translation>
    </message>
    <message>
        <source>%1 gave %2 s of its %3 s; the file may be damaged.</source>
        <translation>%1 dio %2 s de sus %3 s; puede que el archivo esté dañado.</translation>
    </message>
    <message>
        <source>The converted file does not play.</source>
        <translation>El archivo convertido no se reproduce.</translation>
    </message>
    <message>
        <source>The joined file does not play.</source>
        <translation>El archivo unido no se reproduce.</translation>
    </message>
    <message>
        <source>The joined file plays %1 s of the %2 s that were joined.</source>
        <translation>El archivo unido dura %1 s de los %2 s que se unieron.</translation>
    </message>
    <message>
        <source>Command line: %1</source>
        <translation>Línea de comandos: %1</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>A task is running. Do you want to stop it and exit?</source>
        <translation>Hay una tarea en curso. ¿Quiere detenerla y salir?</translation>
    </message>
    <message>
        <source>Waiting for joining</source>
        <translation>Esperando la unión</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Error</translation>
    </message>
    <message>
        <source> Files (*</source>
        <translation> - archivos (*</translation>
    </message>
    <message>
        <source>All Files (*.*)|*.*</source>
        <translation>Todos los archivos (*.*)|*.*</translation>
    </message>
    <message>
        <source>Joined %1 files into %2 (%3)</source>
        <translation>%1 archivos unidos en %2 (%3)</translation>
    </message>
    <message>
        <source>Open Folder</source>
        <translation>Abrir carpeta</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Ordenar</translation>
    </message>
    <message>
        <source>By File Name</source>
        <translation>Por nombre de archivo</translation>
    </message>
    <message>
        <source>By Recording Time</source>
        <translation>Por hora de grabación</translation>
    </message>
    <message>
        <source>Reverse Order</source>
        <translation>Invertir orden</translation>
    </message>
    <message>
        <source>Drop position</source>
        <translation>Posición de destino</translation>
    </message>
    <message>
        <source>Joining videos</source>
        <translation>Unión de vídeos</translation>
    </message>
</context>
</TS>
