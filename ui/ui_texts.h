// Names the Windows program hands the platform: window classes, the dialog's resource name, and the
// library and entry point of the file chooser.
#pragma once

namespace Text {

inline constexpr char WindowClass[] = "CorvantaClass";
inline constexpr char ButtonClass[] = "BUTTON";

// Stored as SETUPDIALOG; resource names are matched without regard to case.
inline constexpr char SetupDialogName[] = "SetUpDialog";

// The file chooser is loaded on first use.
inline constexpr char ChooserLibrary[] = "comdlg32.dll";
inline constexpr char ChooserEntry[] = "GetOpenFileNameA";

}  // namespace Text
