// Every text that leaves the program: titles, box texts and captions, file, section and key names.
// Accented letters are code page 1252 bytes; a literal is split after each escape so the
// following letter is not read as another hex digit.
#pragma once

namespace Text {

// The managed program.
inline constexpr char ManagedExecutable[] = "SuaWin.exe";
inline constexpr char LocationFileName[] = "\\SuaWin.ini";                    // joined to the Windows directory
inline constexpr char ManagedTitlePrefix[] = "Sistema Unico de Autodeterminaci\xF3" "n";
inline constexpr unsigned ManagedTitlePrefixLength = sizeof(ManagedTitlePrefix) - 1;  // 34
static_assert(ManagedTitlePrefixLength == 34, "the managed program's title prefix is 34 characters");
static_assert(sizeof(LocationFileName) - 1 == 11, "the location file's name adds 11 characters");

// The launcher's own window.
inline constexpr char WindowTitle[] = "Corvanta [Maneja Varias Copias de WinSua]";
inline constexpr char WindowClass[] = "CorvantaClass";

// The settings file.
inline constexpr char SettingsFile[] = "Corvanta.ini";
inline constexpr char PathSection[] = "RUTAS";
inline constexpr char DescriptionSection[] = "DESCRIPCIONES";
inline constexpr char SlotKeyPattern[] = "Copia_01";                          // last digit becomes the slot

// Button captions.
inline constexpr char SlotPrefixPattern[] = "&1. ";                           // digit becomes the slot
inline constexpr char NotDefined[] = "No Definido.";

// Boxes.
inline constexpr char BadPathCaption[] = "Ruta Incorrecta";
inline constexpr char BadPathText[] = "El Archivo No existe en la ruta Especificada";
inline constexpr char ManagedRunningCaption[] = "Ya hay un Programa de WinSua activo";
inline constexpr char ManagedRunningText[] = "S\xF3" "lo una Instacia de WinSua debe correr a la vez.";   // Sólo
inline constexpr char LauncherRunningCaption[] = "Ya hay un Programa de Corvanta activo";
inline constexpr char LauncherRunningText[] = "S\xF3" "lo una Instacia de Corvanta debe correr a la vez."; // Sólo
inline constexpr char SettingsNotSavedText[] = "No se pudo guardar la configuraci\xF3" "n.";          // configuración

}  // namespace Text
