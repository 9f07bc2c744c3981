// Starting one configured copy: point the location file at its folder, then start it there.
#pragma once

#include "text_buffer.h"

// The Windows directory followed by "\SuaWin.ini", and the zero.
constexpr unsigned LocationNameSize = TextBufferSize + 11;

// Length of the folder part of path: up to and including its last backslash; 0 when it has none.
unsigned FolderLength(const char* path);

// Starts the copy whose executable is path, resolved to a full path. An empty path, a missing
// executable, a folder, a wildcard, a location file that cannot be written in full, or a start the
// platform refuses ends in one "Ruta Incorrecta" warning. The copy table is never changed here.
void LaunchCopy(const char* path);

// What a copy button does: refuses while the managed program runs (a window of it is open, or the
// copy this launcher started last has not ended), otherwise launches slot's copy. A press that
// arrives while an earlier one is still being handled does nothing.
void LaunchSlot(int slot);
