// The launcher's one seam to Windows: plain functions, defined over Win32 in ui/platform_win32.cpp
// and by a recording fake in the host tests. Nothing here includes <windows.h>.
#pragma once

// --- Settings file: the profile routines, given the bare file name (so it lives in the Windows directory).

// GetPrivateProfileStringA with no default: a missing file, section or key gives empty text; a long
// value is cut to size - 1 characters. The result is not examined.
void PlatformReadProfile(const char* file, const char* section, const char* key, char* value, unsigned size);

// WritePrivateProfileStringA; an empty value is written as an empty value, the key stays.
// Returns false when the platform reports the write failed.
bool PlatformWriteProfile(const char* file, const char* section, const char* key, const char* value);

// --- Files.

// What FindFirstFileA finds for the path unchanged (the search handle is closed at once): nothing,
// or whether its first entry is a file or a folder. Whatever that search accepts is found: folders
// named without a trailing backslash, wildcards that match, paths relative to the current directory.
enum class FoundEntry { None, File, Folder };
FoundEntry PlatformFindFile(const char* path);

// GetWindowsDirectoryA into buffer; returns the length, or 0 when it failed or did not fit.
unsigned PlatformWindowsDirectory(char* buffer, unsigned size);

// GetFullPathNameA against the current directory: relative parts resolved, forward slashes made
// backslashes, a canonical full path left as it is. Returns the length, or 0 when it failed or did
// not fit.
unsigned PlatformFullPath(const char* path, char* buffer, unsigned size);

// Creates or truncates the file with no sharing, writes exactly length bytes and closes it.
// Returns true only when the file was opened and every byte was written. A false result after
// the file was opened leaves it truncated or partly written.
bool PlatformReplaceFile(const char* name, const char* bytes, unsigned length);

// --- Programs.

// ShellExecuteExA(no owner, default verb, path, no parameters, folder, SW_SHOWDEFAULT), asking for
// the started process, which is kept in place of the one kept before. Cancelled when the user
// answered No to the platform's own prompt during the start (ERROR_CANCELLED); Refused for every
// other failure.
enum class StartResult { Started, Refused, Cancelled };
StartResult PlatformStartProgram(const char* path, const char* folder);

// True while the process kept by the last start has not ended, from the moment it was created,
// before it has any window; false once it has ended, or when no start gave a process.
bool PlatformStartedProgramRunning();

// --- Top-level windows, for the census.

// An opaque top-level window; null ends the walk.
typedef struct PlatformWindowTag* PlatformWindow;

// GetWindow(GetDesktopWindow(), GW_CHILD), then GetWindow(window, GW_HWNDNEXT).
PlatformWindow PlatformFirstWindow();
PlatformWindow PlatformNextWindow(PlatformWindow window);

// The launcher's own main window, as the walk meets it; null before it exists.
PlatformWindow PlatformMainWindow();

// GetWindowTextA into buffer; an untitled window, or one that is gone, gives empty text.
void PlatformWindowTitle(PlatformWindow window, char* buffer, unsigned size);

// lstrcmpA(a, b) == 0: the platform's own equality, case- and accent-sensitive, in which
// ignorable characters such as a soft hyphen compare equal to nothing.
bool PlatformTextsEqual(const char* a, const char* b);

// --- What the user sees.

// SetWindowTextA on the main window's copy button with id slot (1 to 4).
void PlatformSetSlotCaption(int slot, const char* text);

enum class BoxIcon { None, Warning, Error };

// MessageBoxA with no owner window; returns the box's result.
int PlatformShowBox(const char* text, const char* caption, BoxIcon icon);
