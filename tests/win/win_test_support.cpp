// Helpers for the Windows-side tests: box catching, files in the prefix, windows, started copies.
#include "win_test_support.h"

#include <tlhelp32.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

static BoxCatcher* ActiveCatcher;

BoxCatcher::BoxCatcher()
{
    if (ActiveCatcher != nullptr)
        throw std::logic_error("one BoxCatcher at a time");
    ActiveCatcher = this;
    hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    if (hook == nullptr)
        throw std::runtime_error("SetWindowsHookExA failed");
}

BoxCatcher::~BoxCatcher()
{
    UnhookWindowsHookEx(hook);
    ActiveCatcher = nullptr;
}

// A box is a "#32770" dialog: it is complete when first activated, and activated again on
// every focus change, so only the first activation of each box is recorded.
LRESULT CALLBACK BoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    BoxCatcher* self = ActiveCatcher;
    HWND box = reinterpret_cast<HWND>(wParam);
    char className[16] = "";
    if (code == HCBT_ACTIVATE && self != nullptr && box != self->last &&
        GetClassNameA(box, className, sizeof className) && lstrcmpA(className, "#32770") == 0) {
        self->last = box;
        CaughtBox caught;
        char text[1024];
        GetWindowTextA(box, text, sizeof text);
        caught.caption = text;
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // the box's text static
        caught.text = text;
        // Wine's icon static; the box sets it to the shared standard icon.
        caught.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 1088, STM_GETICON, 0, 0));
        self->boxes.push_back(caught);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

HICON StandardIcon(LPCSTR id)
{
    return LoadIconA(nullptr, id);
}

TitledWindow::TitledWindow(const std::string& title)
{
    window = CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr)
        throw std::runtime_error("CreateWindowExA failed");
}

TitledWindow::~TitledWindow()
{
    DestroyWindow(window);
}

std::string InWindowsDirectory(const std::string& name)
{
    char folder[MAX_PATH];
    UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error("GetWindowsDirectoryA failed");
    return std::string(folder, length) + "\\" + name;
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    if (!file.flush())
        throw std::runtime_error("cannot write " + path);
}

void RemovePath(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..")
                RemovePath(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

static std::string ProbeProgram()
{
    char self[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        throw std::runtime_error("GetModuleFileNameA failed");
    std::string path(self, length);
    return path.substr(0, path.rfind('\\') + 1) + LAUNCH_PROBE;
}

void PlaceProbe(const std::string& path)
{
    for (size_t cut = path.find('\\', 3); cut != std::string::npos; cut = path.find('\\', cut + 1))
        CreateDirectoryA(path.substr(0, cut).c_str(), nullptr);
    if (!CopyFileA(ProbeProgram().c_str(), path.c_str(), FALSE))
        throw std::runtime_error("cannot place the launch probe at " + path);
}

std::string ProbeFolder(const std::string& path, DWORD timeoutMs)
{
    // The record appears whole, by a rename; until the probe closes the renaming handle an open
    // can fail for sharing, so a failed read only means "not yet".
    for (DWORD waited = 0;; waited += 20) {
        std::string folder = ReadBytes(path + ".ran");
        if (folder != "<missing>")
            return folder;
        if (waited >= timeoutMs)
            return "<not started>";
        Sleep(20);
    }
}

// Pids of the processes whose exe file is named name.
static std::vector<DWORD> ProcessesNamed(const std::string& name)
{
    std::vector<DWORD> pids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return pids;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0)
            pids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return pids;
}

void EndProcessesNamed(const std::string& name)
{
    for (DWORD pid : ProcessesNamed(name)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (process == nullptr)
            continue;
        if (WaitForSingleObject(process, 2000) != WAIT_OBJECT_0) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 2000);
        }
        CloseHandle(process);
    }
}

CurrentDirectory::CurrentDirectory(const std::string& folder)
{
    GetCurrentDirectoryA(MAX_PATH, saved);
    if (!SetCurrentDirectoryA(folder.c_str()))
        throw std::runtime_error("cannot enter " + folder);
}

CurrentDirectory::~CurrentDirectory()
{
    SetCurrentDirectoryA(saved);
}
