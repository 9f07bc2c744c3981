// Started by the launch tests in place of a managed-program copy: writes the folder it was started
// in to "<its own path>.ran", then exits.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char ran[MAX_PATH + 8];
    char partial[MAX_PATH + 8];
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, ran, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    lstrcpyA(partial, ran);
    lstrcatA(ran, ".ran");
    lstrcatA(partial, ".part");

    length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH)
        return 1;

    // Written aside and renamed, so a test never reads half a record.
    HANDLE file = CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, folder, length, &written, nullptr);
    CloseHandle(file);
    if (!wrote || written != length)
        return 1;
    return MoveFileExA(partial, ran, MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
