// The main window: four copy buttons, About, Configure and Exit.
#pragma once

#include <windows.h>

// A copy button's id is its slot number (1 to 4).
constexpr int CopyButtonId(int slot) { return slot; }

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
