// Texts that leave the Windows program beyond those of core/texts.h: captions, the About text,
// the dialog's name, the file chooser's title and filters, and the dialog-failure box.
// Accented letters are code page 1252 bytes; a literal is split after each escape.
#pragma once

namespace Text {

// Main window.
inline constexpr char ButtonClass[] = "BUTTON";
inline constexpr char AboutCaption[] = "&Acerca de...";
inline constexpr char ConfigureCaption[] = "&Configurar";
inline constexpr char ExitCaption[] = "&Salir";
inline constexpr char AboutText[] = "Corvanta 1.0, Por Ramiro Olvera Saucedo\r\nMail: rolvera@corvanta.example";

// Settings dialog: stored as SETUPDIALOG; resource names are matched without regard to case.
inline constexpr char SetupDialogName[] = "SetUpDialog";
inline constexpr char SetupOpenFailedText[] = "Error al Abrir la Ventana de Configuraci\xF3" "n";     // Configuración

// File chooser, and the library and entry point it is loaded from on first use.
inline constexpr char ChooserLibrary[] = "comdlg32.dll";
inline constexpr char ChooserEntry[] = "GetOpenFileNameA";
inline constexpr char ChooserTitle[] = "Seleccione la Ubicaci\xF3" "n del Archivo Ejecutable";        // Ubicación
// The filter list is pairs of shown text and pattern, ended by an empty text.
inline constexpr char ChooserFilter[] =
    "SuaWin.exe\0SuaWin.exe\0"
    "Programas\0*.exe\0"
    "Todos los Archivos\0*.*\0";

}  // namespace Text
