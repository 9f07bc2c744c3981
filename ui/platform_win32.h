// What the Win32 side of the launcher shares with its platform layer.
#pragma once

#include <windows.h>

// The main window, stored when it is created; the copy buttons are found through it.
extern HWND MainWindowHandle;
