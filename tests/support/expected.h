// What the Windows-side tests expect to see: every text, path and control id, written out here
// byte for byte (code page 1252, a literal split after each escape) rather than taken from the
// program's own headers, so that a wrong text in the program fails a test instead of moving it.
#pragma once

namespace Expected {

// Windows.
inline constexpr char MainTitle[] = "Corvanta [Maneja Varias Copias de WinSua]";
inline constexpr char MainClass[] = "CorvantaClass";
inline constexpr char SettingsTitle[] = "Configuraci\xF3" "n de Corvanta";                    // Configuración
inline constexpr char ManagedPrefix[] = "Sistema Unico de Autodeterminaci\xF3" "n";          // Autodeterminación
inline constexpr unsigned ManagedPrefixLength = 34;
inline constexpr char StandInTitle[] = "Sistema Unico de Autodeterminaci\xF3" "n - Prueba";  // the stand-in's
inline constexpr char AboutTitle[] = "About Corvanta [Maneja Varias Copias de WinSua]";      // Wine's ShellAboutA
inline constexpr char AboutText[] = "Corvanta 1.0, Por Ramiro Olvera Saucedo\r\nMail: rolvera@corvanta.example";
inline constexpr int AppIcon = 500;  // the icon group in the program file: class icon, small icon, About
inline constexpr char ChooserTitle[] = "Seleccione la Ubicaci\xF3" "n del Archivo Ejecutable";  // Ubicación

// The main window's buttons: ids 1 to 4 are the copies, then these.
inline constexpr int AboutButton = 5, ConfigureButton = 6, ExitButton = 7;
inline constexpr char AboutCaption[] = "&Acerca de...";
inline constexpr char ConfigureCaption[] = "&Configurar";
inline constexpr char ExitCaption[] = "&Salir";

// The settings dialog: per copy a path edit, its browse button and a description edit.
constexpr int PathEdit(int slot) { return 3 * slot - 2; }
constexpr int BrowseButton(int slot) { return 3 * slot - 1; }
constexpr int DescriptionEdit(int slot) { return 3 * slot; }
inline constexpr int AcceptButton = 13, CancelButton = 14;
inline constexpr int ChooserFileName = 0x47C;    // the file chooser's name box
inline constexpr int ChooserFilterList = 0x470;  // and its list of file types

// Message boxes: the platform's box keeps its text in static 0xFFFF and its icon in static 1088.
enum class BoxIcon { None, Warning, Error, Unknown };
struct BoxSpec {
    const char* caption;
    const char* text;  // null: the text varies and is checked apart
    BoxIcon icon;
};
inline constexpr char BadPathCaption[] = "Ruta Incorrecta";
inline constexpr char BadPathText[] = "El Archivo No existe en la ruta Especificada";
inline constexpr BoxSpec BadPathBox = {BadPathCaption, BadPathText, BoxIcon::Warning};
inline constexpr BoxSpec ManagedRunningBox = {
    "Ya hay un Programa de WinSua activo", "S\xF3" "lo una Instacia de WinSua debe correr a la vez.",  // Sólo
    BoxIcon::Error};
inline constexpr BoxSpec LauncherRunningBox = {
    "Ya hay un Programa de Corvanta activo", "S\xF3" "lo una Instacia de Corvanta debe correr a la vez.",
    BoxIcon::Error};
inline constexpr BoxSpec NotSavedBox = {MainTitle, "No se pudo guardar la configuraci\xF3" "n.",  // configuración
                                        BoxIcon::Warning};
inline constexpr BoxSpec SetupOpenFailedBox = {
    MainTitle, "Error al Abrir la Ventana de Configuraci\xF3" "n", BoxIcon::Error};  // Configuración

// Files.
inline constexpr char LocationFile[] = "C:\\windows\\SuaWin.ini";
inline constexpr char SettingsFile[] = "C:\\windows\\Corvanta.ini";
inline constexpr char Root[] = "C:\\corvanta-e2e";  // every copy folder of the end-to-end tests lives below

}  // namespace Expected
