// A stand-in for the managed program: it records what it was started with and shows a window
// whose title carries the managed program's prefix, until it is closed or its time runs out.
//
// A file standin-delay.txt next to the executable holding a number of milliseconds makes it wait
// that long between writing its record and showing its window, as a slow copy does.
//
// The record is the file standin-record.txt next to the executable, written before the window
// appears, so a window seen means a record complete:
//   line 1: the current directory at start, then CR LF;
//   line 2: "found" or "missing" (the location file in the Windows directory), then CR LF;
//   the rest: the location file's bytes, unchanged.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr char WindowTitle[] = "Sistema Unico de Autodeterminaci\xF3" "n - Prueba";  // Autodeterminación
constexpr char WindowClass[] = "CorvantaStandIn";
constexpr UINT LifetimeMs = 60000;  // a test that forgets the stand-in cannot leave it running

std::string ReadWholeFile(const char* name, bool& found)
{
    std::string bytes;
    FILE* file = std::fopen(name, "rb");
    found = file != nullptr;
    if (!found)
        return bytes;
    char chunk[512];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

// The name of a file in the executable's own folder.
std::string BesideExecutable(const char* name)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::strcpy(std::strrchr(path, '\\') + 1, name);
    return path;
}

// The wait asked for in standin-delay.txt, or 0.
DWORD Delay()
{
    bool found = false;
    std::string text = ReadWholeFile(BesideExecutable("standin-delay.txt").c_str(), found);
    return found ? static_cast<DWORD>(std::strtoul(text.c_str(), nullptr, 10)) : 0;
}

void WriteRecord()
{
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);

    char locationFile[MAX_PATH] = "";
    GetWindowsDirectoryA(locationFile, MAX_PATH);
    std::strcat(locationFile, "\\SuaWin.ini");
    bool found = false;
    std::string location = ReadWholeFile(locationFile, found);

    std::string record = BesideExecutable("standin-record.txt");

    std::string text = std::string(directory) + "\r\n" + (found ? "found" : "missing") + "\r\n" + location;
    FILE* file = std::fopen(record.c_str(), "wb");
    if (file == nullptr)
        return;
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WriteRecord();
    Sleep(Delay());

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StandInProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = WindowClass;
    RegisterClassA(&windowClass);

    HWND window = CreateWindowExA(0, WindowClass, WindowTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 320, 120, nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    SetTimer(window, 1, LifetimeMs, nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
