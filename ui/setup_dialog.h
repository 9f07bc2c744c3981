// The settings dialog: each copy's executable and description, validated and saved on accept.
#pragma once

#include <windows.h>

// Where copy slot's controls sit in the dialog; the one place this arithmetic lives.
constexpr int PathEditId(int slot) { return 3 * slot - 2; }
constexpr int BrowseButtonId(int slot) { return 3 * slot - 1; }
constexpr int DescriptionEditId(int slot) { return 3 * slot; }
// A browse button sits between its copy's path edit and description edit.
constexpr int PathEditBeside(int browseId) { return browseId - 1; }
constexpr int DescriptionEditBeside(int browseId) { return browseId + 1; }

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
