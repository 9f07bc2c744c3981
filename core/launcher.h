// Starting one configured copy: point the location file at its folder, then start it there.
#pragma once

#include "text_buffer.h"

// The Windows directory followed by "\SuaWin.ini", and the zero.
constexpr unsigned LocationNameSize = TextBufferSize + 11;

// The program a launch starts: the path as the platform resolves it to a full path, into
// executable. False unless that names an existing file: an empty or missing path, a folder, a
// wildcard ('*', '?', '<', '>', '"') or a path that cannot be resolved is never launched.
bool ResolveExecutable(const char* path, char (&executable)[TextBufferSize]);

// Starts the copy whose executable is path, resolved to a full path. An empty path, a missing
// executable, a folder, a wildcard, a location file that cannot be written in full, or a start the
// platform refuses ends in one "Ruta Incorrecta" warning; a start the user cancels at the
// platform's own prompt ends silently. The copy table is never changed here.
void LaunchCopy(const char* path);

// What a copy button does: refuses while the managed program runs (a window of it is open, or the
// copy this launcher started last has not ended), otherwise launches slot's copy. A press that
// arrives while the platform is starting a copy does nothing.
void LaunchSlot(int slot);
