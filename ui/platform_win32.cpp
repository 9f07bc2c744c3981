// The launcher's platform layer over Win32, ANSI entry points only.
#include "platform_win32.h"

#include <shellapi.h>

#include "../core/platform.h"

HWND MainWindowHandle;

void PlatformReadProfile(const char* file, const char* section, const char* key, char* value, unsigned size)
{
    GetPrivateProfileStringA(section, key, nullptr, value, size, file);
}

bool PlatformWriteProfile(const char* file, const char* section, const char* key, const char* value)
{
    return WritePrivateProfileStringA(section, key, value, file) != FALSE;
}

FoundEntry PlatformFindFile(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return FoundEntry::None;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FoundEntry::Folder : FoundEntry::File;
}

// Both routines report the size they need, larger than the buffer, when the text does not fit.
static unsigned LengthThatFits(DWORD length, unsigned size)
{
    return length < size ? length : 0;
}

unsigned PlatformWindowsDirectory(char* buffer, unsigned size)
{
    return LengthThatFits(GetWindowsDirectoryA(buffer, size), size);
}

unsigned PlatformFullPath(const char* path, char* buffer, unsigned size)
{
    return LengthThatFits(GetFullPathNameA(path, size, buffer, nullptr), size);
}

bool PlatformReplaceFile(const char* name, const char* bytes, unsigned length)
{
    HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, bytes, length, &written, nullptr);
    CloseHandle(file);
    return wrote && written == length;
}

// The process of the copy started last; null when there is none, or once it has been seen ended.
static HANDLE StartedProcess;

StartResult PlatformStartProgram(const char* path, const char* folder)
{
    if (StartedProcess != nullptr)
        CloseHandle(StartedProcess);
    // The launcher reports a failed start itself, so the shell shows no error of its own.
    SHELLEXECUTEINFOA start = {};
    start.cbSize = sizeof(start);
    start.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    start.lpFile = path;
    start.lpDirectory = folder;
    start.nShow = SW_SHOWDEFAULT;
    if (!ShellExecuteExA(&start)) {
        StartedProcess = nullptr;
        return GetLastError() == ERROR_CANCELLED ? StartResult::Cancelled : StartResult::Refused;
    }
    // A start handed to a program already running gives no process to keep.
    StartedProcess = start.hProcess;
    return StartResult::Started;
}

bool PlatformStartedProgramRunning()
{
    if (StartedProcess == nullptr)
        return false;
    if (WaitForSingleObject(StartedProcess, 0) == WAIT_TIMEOUT)
        return true;
    CloseHandle(StartedProcess);
    StartedProcess = nullptr;
    return false;
}

PlatformWindow PlatformFirstWindow()
{
    return reinterpret_cast<PlatformWindow>(GetWindow(GetDesktopWindow(), GW_CHILD));
}

PlatformWindow PlatformNextWindow(PlatformWindow window)
{
    return reinterpret_cast<PlatformWindow>(GetWindow(reinterpret_cast<HWND>(window), GW_HWNDNEXT));
}

PlatformWindow PlatformMainWindow()
{
    return reinterpret_cast<PlatformWindow>(MainWindowHandle);
}

void PlatformWindowTitle(PlatformWindow window, char* buffer, unsigned size)
{
    buffer[0] = '\0';
    GetWindowTextA(reinterpret_cast<HWND>(window), buffer, static_cast<int>(size));
}

bool PlatformTextsEqual(const char* a, const char* b)
{
    return lstrcmpA(a, b) == 0;
}

void PlatformSetSlotCaption(int slot, const char* text)
{
    SetWindowTextA(GetDlgItem(MainWindowHandle, slot), text);
}

int PlatformShowBox(const char* text, const char* caption, BoxIcon icon)
{
    UINT style = MB_OK;
    if (icon == BoxIcon::Warning)
        style = MB_ICONWARNING;
    else if (icon == BoxIcon::Error)
        style = MB_ICONERROR;
    return MessageBoxA(nullptr, text, caption, style);
}
