// SuaWin.exe, the stand-in for the managed program: records how it was started, then shows a
// window whose title carries the managed program's prefix until it is closed or ended. It never
// ends itself: the tests' fixture ends every stand-in a case leaves running.
//
// Files beside the executable steer it:
//   standin-no-window.txt  present: it records and ends, with no window;
//   standin-hold.txt       present: between the record and the window it waits, as a slow copy
//                          does, until the event CorvantaTestsGo is set.
// The record is standin-record.txt beside the executable, written aside and renamed, so it is
// never seen half written, and written before the window shows:
//   line 1: the current directory at start, then CR LF;
//   line 2: "found" or "missing" (the location file in the Windows directory), then CR LF;
//   line 3: the show command it was started with, or -1 when none was given, then CR LF;
//   the rest: the location file's bytes, unchanged.
#include <windows.h>

#include <string>

namespace {

constexpr char WindowTitle[] = "Sistema Unico de Autodeterminaci\xF3" "n - Prueba";  // Autodeterminación

bool ReadWholeFile(const std::string& name, std::string& bytes)
{
    HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char chunk[512];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return true;
}

std::string BesideExecutable(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string self = path;
    return self.substr(0, self.rfind('\\') + 1) + name;
}

bool WriteRecord()
{
    char directory[MAX_PATH] = "", windows[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string location;
    bool found = ReadWholeFile(std::string(windows) + "\\SuaWin.ini", location);
    STARTUPINFOA startup = {};
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    std::string text = std::string(directory) + "\r\n" + (found ? "found" : "missing") + "\r\n" +
                       std::to_string(show) + "\r\n" + location;

    std::string record = BesideExecutable("standin-record.txt"), partial = record + ".part";
    HANDLE file = CreateFileA(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return wrote && written == text.size() &&
           MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    if (!WriteRecord())
        return 1;
    if (GetFileAttributesA(BesideExecutable("standin-no-window.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
        return 0;
    if (GetFileAttributesA(BesideExecutable("standin-hold.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
        WaitForSingleObject(CreateEventA(nullptr, TRUE, FALSE, "CorvantaTestsGo"), INFINITE);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "CorvantaStandIn";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, WindowTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 320, 120, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
