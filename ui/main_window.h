// The main window: four copy buttons, About, Configure and Exit.
#pragma once

#include <windows.h>

// A copy button's id is its slot number (1 to 4).
constexpr int CopyButtonId(int slot) { return slot; }

// A plain push button: CreateWindowExA of class BUTTON with WS_CHILD | WS_VISIBLE, the id in
// place of a menu, and the module handle taken afresh.
HWND CreateButton(HWND parent, int x, int y, int width, int height, const char* caption, int id,
                  DWORD extendedStyle);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
