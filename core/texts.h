// Every text the user or another program sees: titles, captions, box texts, the About text, the
// file chooser's title and filters, and the file, section and key names.
// Accented letters are code page 1252 bytes; a literal is split after each escape so the
// following letter is not read as another hex digit.
#pragma once

namespace Text {

// The managed program.
inline constexpr char LocationFileName[] = "\\SuaWin.ini";                    // joined to the Windows directory
inline constexpr char ManagedTitlePrefix[] = "Sistema Unico de Autodeterminaci\xF3" "n";
inline constexpr unsigned ManagedTitlePrefixLength = sizeof(ManagedTitlePrefix) - 1;  // 34
static_assert(ManagedTitlePrefixLength == 34, "the managed program's title prefix is 34 characters");
static_assert(sizeof(LocationFileName) - 1 == 11, "the location file's name adds 11 characters");

// The launcher's own window.
inline constexpr char WindowTitle[] = "Corvanta [Maneja Varias Copias de WinSua]";

// The settings file.
inline constexpr char SettingsFile[] = "Corvanta.ini";
inline constexpr char PathSection[] = "RUTAS";
inline constexpr char DescriptionSection[] = "DESCRIPCIONES";
inline constexpr char SlotKeyPattern[] = "Copia_01";                          // last digit becomes the slot

// Button captions.
inline constexpr char SlotPrefixPattern[] = "&1. ";                           // digit becomes the slot
inline constexpr char NotDefined[] = "No Definido.";
inline constexpr char AboutCaption[] = "&Acerca de...";
inline constexpr char ConfigureCaption[] = "&Configurar";
inline constexpr char ExitCaption[] = "&Salir";
inline constexpr char AboutText[] = "Corvanta 1.0, Por Ramiro Olvera Saucedo\r\nMail: rolvera@corvanta.example";

// Boxes.
inline constexpr char BadPathCaption[] = "Ruta Incorrecta";
inline constexpr char BadPathText[] = "El Archivo No existe en la ruta Especificada";
inline constexpr char ManagedRunningCaption[] = "Ya hay un Programa de WinSua activo";
inline constexpr char ManagedRunningText[] = "S\xF3" "lo una Instacia de WinSua debe correr a la vez.";   // Sólo
inline constexpr char LauncherRunningCaption[] = "Ya hay un Programa de Corvanta activo";
inline constexpr char LauncherRunningText[] = "S\xF3" "lo una Instacia de Corvanta debe correr a la vez."; // Sólo
inline constexpr char SettingsNotSavedText[] = "No se pudo guardar la configuraci\xF3" "n.";          // configuración
inline constexpr char SetupOpenFailedText[] = "Error al Abrir la Ventana de Configuraci\xF3" "n";     // Configuración

// The file chooser. Its filter list is pairs of shown text and pattern, ended by an empty text.
inline constexpr char ChooserTitle[] = "Seleccione la Ubicaci\xF3" "n del Archivo Ejecutable";        // Ubicación
inline constexpr char ChooserFilter[] =
    "SuaWin.exe\0SuaWin.exe\0"
    "Programas\0*.exe\0"
    "Todos los Archivos\0*.*\0";

}  // namespace Text
