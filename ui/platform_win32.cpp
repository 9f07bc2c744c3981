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

bool PlatformFindFile(const char* path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
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

bool PlatformStartProgram(const char* path, const char* folder)
{
    HINSTANCE result = ShellExecuteA(nullptr, nullptr, path, nullptr, folder, SW_SHOWDEFAULT);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

PlatformWindow PlatformFirstWindow()
{
    return reinterpret_cast<PlatformWindow>(GetWindow(GetDesktopWindow(), GW_CHILD));
}

PlatformWindow PlatformNextWindow(PlatformWindow window)
{
    return reinterpret_cast<PlatformWindow>(GetWindow(reinterpret_cast<HWND>(window), GW_HWNDNEXT));
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
