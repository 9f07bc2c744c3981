// Every text that leaves the program: titles, box texts and captions, file, section and key names.
// Accented letters are code page 1252 bytes; a literal is split after each escape so the
// following letter is not read as another hex digit.
#pragma once

namespace Text {

// The managed program.
constexpr char ManagedExecutable[] = "SuaWin.exe";
constexpr char LocationFileName[] = "\\SuaWin.ini";                    // joined to the Windows directory
constexpr char ManagedTitlePrefix[] = "Sistema Unico de Autodeterminaci\xF3" "n";
constexpr unsigned ManagedTitlePrefixLength = sizeof(ManagedTitlePrefix) - 1;  // 34
static_assert(ManagedTitlePrefixLength == 34, "the managed program's title prefix is 34 characters");
static_assert(sizeof(LocationFileName) - 1 == 11, "the location file's name adds 11 characters");

// The launcher's own window.
constexpr char WindowTitle[] = "Corvanta [Maneja Varias Copias de WinSua]";
constexpr char WindowClass[] = "CorvantaClass";

// The settings file.
constexpr char SettingsFile[] = "Corvanta.ini";
constexpr char PathSection[] = "RUTAS";
constexpr char DescriptionSection[] = "DESCRIPCIONES";
constexpr char SlotKeyPattern[] = "Copia_01";                          // last digit becomes the slot

// Button captions.
constexpr char SlotPrefixPattern[] = "&1. ";                           // digit becomes the slot
constexpr char NotDefined[] = "No Definido.";

// Boxes.
constexpr char BadPathCaption[] = "Ruta Incorrecta";
constexpr char BadPathText[] = "El Archivo No existe en la ruta Especificada";
constexpr char ManagedRunningCaption[] = "Ya hay un Programa de WinSua activo";
constexpr char ManagedRunningText[] = "S\xF3" "lo una Instacia de WinSua debe correr a la vez.";   // Sólo
constexpr char LauncherRunningCaption[] = "Ya hay un Programa de Corvanta activo";
constexpr char LauncherRunningText[] = "S\xF3" "lo una Instacia de Corvanta debe correr a la vez."; // Sólo
constexpr char SettingsNotSavedText[] = "No se pudo guardar la configuraci\xF3" "n.";          // configuración

}  // namespace Text
