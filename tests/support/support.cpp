// The Windows-side test library; see support.h.
#include "support.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace support {

// --- Time and waits.

double NowMs()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const double deadline = NowMs() + timeoutMs;
    while (!done()) {
        if (NowMs() >= deadline)
            return done();
        Sleep(10);
    }
    return true;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// --- Paths.

std::string OnDriveZ(const std::string& path)
{
    std::string converted = path.empty() || path[0] != '/' ? path : "Z:" + path;
    std::replace(converted.begin(), converted.end(), '/', '\\');
    return converted;
}

// --- Files.

std::string BytesOf(const std::string& path)
{
    // INVALID_FILE_ATTRIBUTES has every bit set, the directory bit among them.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return FolderHere;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return NoFile;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return wrote && written == bytes.size();
}

void MakeFoldersFor(const std::string& path)
{
    for (size_t cut = path.find('\\', 3); cut != std::string::npos; cut = path.find('\\', cut + 1))
        CreateDirectoryA(path.substr(0, cut).c_str(), nullptr);
}

void RemoveTree(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (std::strcmp(entry.cFileName, ".") != 0 && std::strcmp(entry.cFileName, "..") != 0)
                RemoveTree(path + "\\" + entry.cFileName);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

bool WriteSettings(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return WriteBytes(Expected::SettingsFile, text);
}

std::vector<std::string> IniEntries(const std::string& path)
{
    std::string text = BytesOf(path), line, section;
    if (text == NoFile)
        return {NoFile};
    std::vector<std::string> entries;
    std::istringstream lines(text);
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[')
            section = line.substr(1, line.find(']') - 1);
        if (!line.empty())
            entries.push_back(line.front() == '[' ? line : section + "/" + line);
    }
    return entries;
}

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool HeldFile::Hold(const std::string& path, DWORD share)
{
    Release();
    handle_ = CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
}

void HeldFile::Release()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

CurrentDirectory::CurrentDirectory(const std::string& folder)
{
    GetCurrentDirectoryA(MAX_PATH, saved_);
    if (!SetCurrentDirectoryA(folder.c_str()))
        throw std::runtime_error("cannot enter " + folder);
}

// --- Processes.

Child::~Child()
{
    End();
    Detach();
}

bool Child::Start(const std::string& exe, const std::string& folder)
{
    if (info_.hProcess != nullptr)
        return false;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                           folder.empty() ? nullptr : folder.c_str(), &startup, &info_))
            return true;
        DWORD error = GetLastError();
        std::printf("CreateProcessA(%s) failed with error %lu (attempt %d)\n", exe.c_str(), error, attempt);
        info_ = {};
        if (error != ERROR_INTERNAL_ERROR)  // 1359: Wine's passing refusal; anything else is final
            return false;
        Sleep(100 * attempt);  // a pause before trying again, not a wait for anything
    }
    return false;
}

bool Child::WaitForExit(DWORD& code, DWORD timeoutMs) const
{
    if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(info_.hProcess, &code) != FALSE;
}

void Child::Detach()
{
    if (info_.hProcess != nullptr) {
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    info_ = {};
}

void Child::End()
{
    if (Running() && TerminateProcess(info_.hProcess, 99))
        WaitForSingleObject(info_.hProcess, WaitMs);
}

std::vector<DWORD> ProcessesNamed(const std::string& name)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

bool EndProcessesNamed(const std::string& name)
{
    for (DWORD id : ProcessesNamed(name))
        if (HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, WaitMs);
            CloseHandle(process);
        }
    return ProcessesNamed(name).empty();
}

// --- Windows.

namespace {

// A plain lambda is not stdcall on i686, so the callback is a function of its own.
BOOL CALLBACK CollectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string WindowTitle(HWND window)
{
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ControlText(HWND control)
{
    char text[1024] = "";
    DWORD_PTR ignored;
    return SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                               WaitMs, &ignored) != 0 ? text : NoAnswer;
}

bool SetControlText(HWND control, const std::string& text)
{
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, WaitMs,
                               &result) != 0 &&
           result != 0;
}

DWORD ProcessOf(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

bool IsDialogClass(HWND window)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

HWND VisibleWindowOf(DWORD process, const std::string& title)
{
    for (HWND window : WindowsTitled(title))
        if (ProcessOf(window) == process && IsWindowVisible(window))
            return window;
    return nullptr;
}

HWND TopVisibleWindowOf(DWORD process)
{
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT))
        if (ProcessOf(window) == process && IsWindowVisible(window))
            return window;
    return nullptr;
}

std::vector<HWND> DialogsOf(DWORD process)
{
    std::vector<HWND> dialogs;
    for (HWND window : TopLevelWindows())
        if (ProcessOf(window) == process && IsDialogClass(window))
            dialogs.push_back(window);
    return dialogs;
}

std::vector<HWND> WindowsTitled(const std::string& title)
{
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title.c_str()); window != nullptr;
         window = FindWindowExA(nullptr, window, nullptr, title.c_str()))
        found.push_back(window);
    return found;
}

std::string DescribeWindowsOf(DWORD process)
{
    std::string list;
    for (HWND window : TopLevelWindows()) {
        if (ProcessOf(window) != process)
            continue;
        char name[64] = "";
        GetClassNameA(window, name, sizeof name);
        list += std::string("\n  ") + name + " \"" + WindowTitle(window) + "\"" +
                (IsWindowVisible(window) ? " visible" : " hidden") + (IsWindowEnabled(window) ? "" : " disabled");
    }
    return list.empty() ? "none" : list;
}

bool SyncWith(HWND window)
{
    DWORD_PTR ignored;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, WaitMs, &ignored) != 0;
}

// The thread's focus, active window, capture and menu state; all empty when it cannot be read.
static GUITHREADINFO InputOf(DWORD thread)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info : GUITHREADINFO{};
}

HWND FocusOf(DWORD thread) { return InputOf(thread).hwndFocus; }
bool InMenuMode(DWORD thread) { return (InputOf(thread).flags & GUI_INMENUMODE) != 0; }

bool BringToFront(HWND window)
{
    // Keys pressed while an earlier Alt's menu mode is still unwinding would go to the menu. The
    // menu loop starts only after WM_INITMENU's handler returns, and that handler may have just
    // left a modal box or dialog: once the thread has answered, it is either idle or in the loop.
    // The window's own display driver gives the foreground to the desktop when it learns that the
    // window lost the X focus, which follows the pointer here (a copy's window shown under it,
    // then gone). So the pointer is put over the window, and the foreground counts as held only
    // when it is still the window after the thread has caught up with all that was queued for it.
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return WaitUntil([&] {
        if (!SyncWith(window) || InMenuMode(thread))
            return false;
        if (GetForegroundWindow() != window) {
            SetForegroundWindow(window);
            // Where the system keeps another window in front, a click on the window's corner
            // brings it forward as the user's own click would.
            if (!WaitUntil([&] { return GetForegroundWindow() == window; }, 2000))
                ClickAt(window, {8, 8});
            return false;
        }
        return PointAt(window, {8, 8}) && SyncWith(window) && GetForegroundWindow() == window && !InMenuMode(thread);
    });
}

bool FocusInDialog(HWND dialog, HWND control)
{
    if (!BringToFront(dialog))
        return false;
    DWORD_PTR ignored;
    return SendMessageTimeoutA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE, SMTO_NORMAL, WaitMs,
                               &ignored) != 0 &&
           WaitUntil([&] { return FocusOf(GetWindowThreadProcessId(dialog, nullptr)) == control; });
}

// Sets the in-launcher library's hook procedure name on thread (0: every thread of the desktop);
// null when it cannot. The library stays loaded in this process from its first hook on.
static HHOOK SetLibraryHook(const char* name, int kind, DWORD thread)
{
    static const HMODULE library = LoadLibraryA(InLauncherLibraryPath().c_str());
    auto procedure = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    return library != nullptr && procedure != nullptr ? SetWindowsHookExA(kind, procedure, library, thread) : nullptr;
}

Held HeldBy(HWND window, int what, DWORD timeoutMs)
{
    // The question is posted to the window; the hook posts the name back to a window of this thread's.
    const UINT question = RegisterWindowMessageA(HeldQuestion);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);  // 0 for no window: then no hook at all
    HHOOK hook = thread != 0 ? SetLibraryHook("NameWhatIsHeld", WH_GETMESSAGE, thread) : nullptr;
    HWND reply = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    MSG answer = {};
    const bool answered = hook != nullptr && PostMessageA(window, question, what, reinterpret_cast<LPARAM>(reply)) &&
                          WaitUntil([&] { return PeekMessageA(&answer, reply, question, question, PM_REMOVE); }, timeoutMs);
    DestroyWindow(reply);
    UnhookWindowsHookEx(hook);
    return answered ? static_cast<Held>(answer.lParam) : Held::NoAnswer;
}

std::string DescribeInput(DWORD thread, DWORD process, HWND main)
{
    const GUITHREADINFO info = InputOf(thread);
    auto name = [&](HWND window) {
        if (window == nullptr)
            return std::string("none");
        char number[32];
        std::snprintf(number, sizeof number, "%p", static_cast<void*>(window));
        return std::string(number) + (window == main ? " (main)" : "") + " \"" + WindowTitle(window) + "\"";
    };
    char flags[16];
    std::snprintf(flags, sizeof flags, "%lx", info.flags);
    POINT cursor = {};
    GetCursorPos(&cursor);
    char where[64];
    std::snprintf(where, sizeof where, "%ld,%ld", cursor.x, cursor.y);
    return std::string("input flags ") + flags + ", active " + name(info.hwndActive) + ", focus " +
           name(info.hwndFocus) + ", capture " + name(info.hwndCapture) + ", menu owner " +
           name(info.hwndMenuOwner) + ", foreground " + name(GetForegroundWindow()) + ", cursor " + where +
           " over " + name(WindowFromPoint(cursor)) + "; windows:" + DescribeWindowsOf(process);
}

// --- Message boxes.

namespace {

constexpr int BoxTextId = 0xFFFF;
constexpr int BoxIconId = 1088;

// The parts of a box that read the same from any process. The platform's box holds every kind
// of button and shows only those it was asked for.
Box DescribeBox(HWND window)
{
    Box box;
    box.window = window;
    box.owner = GetWindow(window, GW_OWNER);
    box.caption = WindowTitle(window);
    box.text = WindowTitle(GetDlgItem(window, BoxTextId));
    char name[16];
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if (GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, "Button") == 0 &&
            (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0)
            box.buttons.push_back(GetDlgCtrlID(child));
    return box;
}

BoxCatcher* ActiveCatcher;

}  // namespace

Box ReadBox(HWND window)
{
    Box box = DescribeBox(window);
    // The icon static is there in every box; it holds an icon only when one was asked for.
    const Held icon = HeldBy(GetDlgItem(window, BoxIconId), STM_GETICON);
    box.icon = icon <= Held::ErrorIcon ? static_cast<BoxIcon>(icon) : BoxIcon::Unknown;
    return box;
}

bool DismissBox(HWND window)
{
    return PostClick(GetDlgItem(window, IDOK)) && WaitUntil([&] { return !IsWindow(window); });
}

BoxCatcher::BoxCatcher()
{
    if (ActiveCatcher != nullptr)
        throw std::logic_error("one BoxCatcher at a time");
    ActiveCatcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    if (hook_ == nullptr)
        throw std::runtime_error("SetWindowsHookExA failed");
}

BoxCatcher::~BoxCatcher()
{
    UnhookWindowsHookEx(hook_);
    ActiveCatcher = nullptr;
}

// A box is complete when first activated, and activated again on every focus change, so only the
// first activation of each box is recorded.
LRESULT CALLBACK BoxCatcher::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    BoxCatcher* self = ActiveCatcher;
    HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && self != nullptr && window != self->last_ && IsDialogClass(window)) {
        self->last_ = window;
        Box box = DescribeBox(window);
        // In this process the box holds the shared standard icon itself.
        HICON icon = reinterpret_cast<HICON>(SendDlgItemMessageA(window, BoxIconId, STM_GETICON, 0, 0));
        box.icon = icon == nullptr                          ? BoxIcon::None
                   : icon == LoadIconA(nullptr, IDI_WARNING) ? BoxIcon::Warning
                   : icon == LoadIconA(nullptr, IDI_ERROR)   ? BoxIcon::Error
                                                             : BoxIcon::Unknown;
        self->boxes_.push_back(box);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// --- Real input.

bool SendKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> input;
    for (size_t i = 0; i < 2 * keys.size(); ++i) {
        bool release = i >= keys.size();
        WORD key = release ? keys[2 * keys.size() - 1 - i] : keys[i];
        INPUT event = {};
        event.type = INPUT_KEYBOARD;
        event.ki.wVk = key;
        event.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
        event.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        input.push_back(event);
    }
    return SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)) == input.size();
}

bool PointAt(HWND window, POINT client)
{
    POINT point = client;
    return ClientToScreen(window, &point) && WaitUntil([&] {
        POINT now;
        SetCursorPos(point.x, point.y);
        const HWND under = WindowFromPoint(point);
        return GetCursorPos(&now) && now.x == point.x && now.y == point.y && (under == window || IsChild(window, under));
    });
}

bool ClickAt(HWND window, POINT client, int clicks)
{
    // The pointer is put on the point first and seen there, over that window. Then every press and
    // release goes as one input sequence with one time stamp, so the system itself makes a second
    // press a double-click, however late this process gets to send it. Each event also carries the
    // point itself: the window's own process reports pointer motion from the display late, and a
    // stale report handled between two events would move a press or a release off the button.
    POINT screen = client;
    if (clicks < 1 || !ClientToScreen(window, &screen) || !PointAt(window, client))
        return false;
    // Absolute positions run from 0 to 65535 across the screen; rounded up, each lands on its pixel.
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> events(2 * static_cast<size_t>(clicks));
    const DWORD time = GetTickCount();
    for (size_t i = 0; i < events.size(); ++i) {
        events[i].type = INPUT_MOUSE;
        events[i].mi.dx = (screen.x * 65536 + width - 1) / width;
        events[i].mi.dy = (screen.y * 65536 + height - 1) / height;
        events[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                               (i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
        events[i].mi.time = time;
    }
    return SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) == events.size();
}

bool ClickCentre(HWND window, int clicks)
{
    RECT area;
    if (!GetClientRect(window, &area))
        return false;
    return ClickAt(window, {(area.left + area.right) / 2, (area.top + area.bottom) / 2}, clicks);
}

// --- Window crowds.

WindowCrowd::~WindowCrowd()
{
    for (HWND window : windows_)
        DestroyWindow(window);
}

HWND WindowCrowd::Add(const std::string& title)
{
    // Hidden: the census looks at every top-level window, shown or not.
    HWND window = CreateWindowExA(0, "STATIC", title.c_str(), WS_POPUP, 0, 0, 100, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr)
        windows_.push_back(window);
    return window;
}

// --- The stand-in.

namespace {
constexpr char StandInName[] = "SuaWin.exe";
constexpr char RecordName[] = "standin-record.txt";      // see standin.cpp
constexpr char NoWindowName[] = "standin-no-window.txt";
constexpr char HoldName[] = "standin-hold.txt";

// What held stand-ins and launchers wait for and MenuOpenedBy is told by, reset by each use. It is
// made as this process starts, so that it is there before any hook opens it, and lives as long.
const HANDLE Go = CreateEventA(nullptr, TRUE, FALSE, GoEvent);
}  // namespace

bool PlaceStandIn(const std::string& path, StandInMode mode)
{
    MakeFoldersFor(path);
    std::string noWindow = FolderOf(path) + NoWindowName;
    if (mode == StandInMode::NoWindow)
        WriteBytes(noWindow, "");
    else
        RemoveTree(noWindow);
    bool modeSet = (GetFileAttributesA(noWindow.c_str()) != INVALID_FILE_ATTRIBUTES) == (mode == StandInMode::NoWindow);
    return modeSet && CopyFileA(StandInPath().c_str(), path.c_str(), FALSE) != FALSE;
}

bool HoldStandIn(const std::string& folder)
{
    return ResetEvent(Go) && WriteBytes(folder + HoldName, "");
}

bool ReleaseStandIns()
{
    return SetEvent(Go) != FALSE;
}

bool ReadStandInRecord(const std::string& folder, StandInRecord& record)
{
    // The record appears whole, by a rename; until the stand-in closes the renaming handle an
    // open can fail for sharing, so a failed read only means "not yet".
    // It is removed once read, so that the next start in that folder is not taken for this one.
    std::string text;
    if (!WaitUntil([&] { return (text = BytesOf(folder + RecordName)) != NoFile; }) ||
        !WaitUntil([&] { return DeleteFileA((folder + RecordName).c_str()) != FALSE; }))
        return false;
    std::istringstream lines(text);
    std::string found, show;
    if (!std::getline(lines, record.directory, '\r') || !lines.ignore() || !std::getline(lines, found, '\r') ||
        !lines.ignore() || !std::getline(lines, show, '\r') || !lines.ignore())
        return false;
    record.locationFound = found == "found";
    record.show = std::atoi(show.c_str());
    record.location = text.substr(static_cast<size_t>(lines.tellg()));
    return true;
}

HWND StartStandIn(const std::string& path)
{
    Child child;
    if (!PlaceStandIn(path) || !child.Start(path))
        return nullptr;
    HWND window = nullptr;
    WaitUntil([&] { return (window = VisibleWindowOf(child.Id(), Expected::StandInTitle)) != nullptr; });
    child.Detach();  // it keeps running; CloseStandIns ends it
    return window;
}

bool CloseStandIns()
{
    return EndProcessesNamed(StandInName);
}

bool RemoveTestState()
{
    bool ended = EndProcessesNamed("Corvanta.exe") && CloseStandIns();
    const std::string paths[] = {Expected::Root, CopyAtRoot, std::string("C:\\") + RecordName,
                                 std::string("C:\\") + NoWindowName, std::string("C:\\") + HoldName,
                                 Expected::LocationFile, Expected::SettingsFile};
    for (const std::string& path : paths) {
        RemoveTree(path);
        ended = ended && GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
    }
    return ended;
}

bool MenuOpenedBy(HWND window, const std::function<bool()>& press)
{
    HHOOK hook = SetLibraryHook("ReportMenuOpened", WH_CALLWNDPROCRET, GetWindowThreadProcessId(window, nullptr));
    const bool opened = hook != nullptr && ResetEvent(Go) && press() && WaitForSingleObject(Go, WaitMs) == WAIT_OBJECT_0;
    UnhookWindowsHookEx(hook);
    return opened;
}

// --- Windows that cannot be made.

bool LauncherHook::Set()
{
    Lift();
    // Every thread of the desktop, those of processes started later included.
    hook_ = kind_ == Refuse ? SetLibraryHook("RefuseLauncherWindows", WH_CBT, 0)
                            : SetLibraryHook("HoldAtMainWindow", WH_CALLWNDPROCRET, 0);
    return hook_ != nullptr && ResetEvent(Go);
}

void LauncherHook::Lift()
{
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    SetEvent(Go);
}

// --- The launcher.

bool Launcher::Start(const std::string& folder, const std::string& exe)
{
    main_ = nullptr;
    return process_.Start(exe, folder);
}

HWND Launcher::WaitForMainWindow(DWORD timeoutMs)
{
    WaitUntil([&] { return (main_ = VisibleWindowOf(Id(), Expected::MainTitle)) != nullptr; }, timeoutMs);
    return main_;
}

bool Launcher::SendClick(int id) const
{
    DWORD_PTR ignored;
    return SendMessageTimeoutA(Button(id), BM_CLICK, 0, 0, SMTO_NORMAL, WaitMs, &ignored) != 0;
}

HWND Launcher::WaitForBox(DWORD timeoutMs) const
{
    // A box is shown once its thread first runs out of messages; the newest is in front.
    HWND box = nullptr;
    WaitUntil([&] {
        for (HWND window : DialogsOf(Id()))
            if (IsWindowVisible(window) && WindowTitle(window) != Expected::SettingsTitle)
                return (box = window) != nullptr;
        return false;
    }, timeoutMs);
    return box;
}

bool Launcher::ShowsNoBox() const
{
    if (!SyncWith(main_))
        return false;
    for (HWND window : DialogsOf(Id()))
        if (WindowTitle(window) != Expected::SettingsTitle)
            return false;
    return true;
}

HWND Launcher::SettingsDialog() const
{
    for (HWND window : DialogsOf(Id()))
        if (IsWindowVisible(window) && WindowTitle(window) == Expected::SettingsTitle)
            return window;
    return nullptr;
}

HWND Launcher::OpenSettings() const
{
    PostClick(Expected::ConfigureButton);
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = SettingsDialog()) != nullptr; });
    return dialog;
}

Launcher::Outcome Launcher::StartOutcome(HWND* box) const
{
    for (HWND dialog : DialogsOf(Id()))
        if (IsWindowVisible(dialog) && WindowTitle(dialog) == Expected::LauncherRunningBox.caption) {
            if (box != nullptr)
                *box = dialog;
            return Outcome::Refused;
        }
    if (VisibleWindowOf(Id(), Expected::MainTitle) != nullptr)
        return Outcome::Shown;
    for (HWND window : WindowsTitled(Expected::MainTitle))
        if (ProcessOf(window) == Id())
            return Outcome::Made;
    return Outcome::Undecided;
}

}  // namespace support
