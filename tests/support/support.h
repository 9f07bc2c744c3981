// The Windows-side test library: processes, waits, windows, message boxes, real input, files and
// INI, held-open files, timing and window crowds, shared by the in-process tests, the end-to-end
// and fault tests and the benchmark. Every wait is on a condition with a deadline and returns
// whether the condition came. It uses no GoogleTest; the assertions built on it are in cases.h.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "expected.h"

namespace support {

using Expected::BoxIcon;
using Expected::BoxSpec;

// What owns a handle, a hook or a process: not to be copied.
struct Uncopyable {
    Uncopyable() = default;
    Uncopyable(const Uncopyable&) = delete;
    Uncopyable& operator=(const Uncopyable&) = delete;
};

// --- Time and waits.

constexpr DWORD WaitMs = 10000;  // long enough for a cold Wine start, short enough to fail a stuck test fast
double NowMs();                  // QueryPerformanceCounter in milliseconds, from an arbitrary origin
// Polls until done() holds or timeoutMs has passed; returns done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = WaitMs);
// Handles whatever was sent to this thread's windows, so that no other process waits on them.
void PumpMessages();
inline bool WaitPumping(const std::function<bool()>& done, DWORD timeoutMs = WaitMs)
{
    return WaitUntil([&] { return PumpMessages(), done(); }, timeoutMs);
}

// --- Paths.

std::string OnDriveZ(const std::string& path);  // a host path as Wine's drive Z: shows it; others unchanged
const std::string& LauncherPath();              // this tree's built launcher and stand-in, as Windows paths
const std::string& StandInPath();
const std::string& InLauncherLibraryPath();     // what runs in the launcher's process (in_launcher.cpp)
inline std::string FolderOf(const std::string& path) { return path.substr(0, path.rfind('\\') + 1); }

// --- Files.

inline constexpr char NoFile[] = "<no file>";
inline constexpr char FolderHere[] = "<folder>";
// The whole file's bytes; FolderHere when a folder stands at the path; NoFile when nothing is there or
// the file cannot be opened (it may be held without sharing).
std::string BytesOf(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
void MakeFoldersFor(const std::string& path);  // every folder above a file path
void RemoveTree(const std::string& path);      // a file, or a folder with all in it; quiet when absent
// Writes Corvanta.ini as cp1252 text with CRLF line ends; each line is "[SECTION]" or "key=value".
bool WriteSettings(const std::vector<std::string>& lines);
// An INI file's lines in file order: "[SECTION]" for a header, "SECTION/key=value" otherwise.
std::vector<std::string> IniEntries(const std::string& path = Expected::SettingsFile);
// The lines sorted, to compare entries whatever order the profile routines wrote them in.
std::vector<std::string> Sorted(std::vector<std::string> lines);

// Opens an existing file as another program would, with the given sharing, until Release.
class HeldFile : Uncopyable {
public:
    ~HeldFile() { Release(); }
    bool Hold(const std::string& path, DWORD share);
    void Release();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Sets the current directory for the lifetime of the object; throws when it cannot.
class CurrentDirectory : Uncopyable {
public:
    explicit CurrentDirectory(const std::string& folder);
    ~CurrentDirectory() { SetCurrentDirectoryA(saved_); }

private:
    char saved_[MAX_PATH] = "";
};

// --- Processes.

// A started process, ended by TerminateProcess if it is still running when the object goes.
class Child : Uncopyable {
public:
    ~Child();
    // CreateProcessA of exe in folder (empty: this process's). Wine now and then refuses a creation
    // with error 1359: that start is tried again, up to three times in all. False, with the error
    // printed, when it did not start.
    bool Start(const std::string& exe, const std::string& folder = "");
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool Running() const { return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // Waits for the process to end; false when it did not, else code holds its exit code.
    bool WaitForExit(DWORD& code, DWORD timeoutMs = WaitMs) const;
    void End();     // TerminateProcess and wait
    void Detach();  // lets the process run on, unwatched

private:
    PROCESS_INFORMATION info_ = {};
};

std::vector<DWORD> ProcessesNamed(const std::string& name);  // running processes whose exe has this name
inline int CountProcesses(const std::string& name) { return static_cast<int>(ProcessesNamed(name).size()); }
bool EndProcessesNamed(const std::string& name);  // ends each; false when one did not end within the wait

// --- Windows.

std::vector<HWND> TopLevelWindows();    // in z-order, from the top
std::string WindowTitle(HWND window);   // GetWindowTextA, which reads other processes' captions
// WM_GETTEXT, which also reads other processes' edits; NoAnswer when the control did not answer.
std::string ControlText(HWND control);
inline constexpr char NoAnswer[] = "<no answer>";
bool SetControlText(HWND control, const std::string& text);  // WM_SETTEXT
inline std::string Field(HWND dialog, int id) { return ControlText(GetDlgItem(dialog, id)); }
inline bool SetField(HWND dialog, int id, const std::string& text) { return SetControlText(GetDlgItem(dialog, id), text); }
DWORD ProcessOf(HWND window);
bool IsDialogClass(HWND window);
std::vector<HWND> WindowsTitled(const std::string& title);  // every top-level window with exactly this title
HWND VisibleWindowOf(DWORD process, const std::string& title);  // the process's visible window so titled, or null
HWND TopVisibleWindowOf(DWORD process);  // the highest visible top-level window of the process, or null
std::vector<HWND> DialogsOf(DWORD process);  // its top-level #32770 windows, shown or not yet, in z-order
std::string DescribeWindowsOf(DWORD process);  // one line per top-level window, for failure messages
// True once the window's thread has handled everything sent to it before; false when it did not
// within the wait.
bool SyncWith(HWND window);
// BM_CLICK by PostMessage: returns at once, even when the click opens a modal box.
inline bool PostClick(HWND button) { return PostMessageA(button, BM_CLICK, 0, 0) != FALSE; }
HWND FocusOf(DWORD thread);  // the keyboard focus of a thread
// True while the thread is in menu mode (Alt, or a system menu, is being handled).
bool InMenuMode(DWORD thread);
// Makes the window the foreground window with the pointer over it, once its thread has caught up
// and no menu mode is unwinding there; false when that did not come within the wait.
bool BringToFront(HWND window);
// BringToFront, then moves the dialog's focus to control as the Tab key would (WM_NEXTDLGCTL, so
// a push button given the focus becomes the default one); false when either failed.
bool FocusInDialog(HWND dialog, HWND control);
// What a window of another process holds, read and named there by a hook of in_launcher.cpp set on
// its thread for this one question: what is a message sent to the window (STM_GETICON, WM_GETFONT)
// or a field of its class (GCLP_HICONSM, the caption's icon; GCLP_HICON). From here another process's
// class icons cannot be read (Wine: ERROR_INVALID_HANDLE), nor its icons and fonts told apart.
enum class Held { Nothing, WarningIcon, ErrorIcon, ProgramIcon, AnsiVarFont, Other, NoAnswer };  // 0-2 as BoxIcon's
inline constexpr char HeldQuestion[] = "Corvanta test: what the window holds";  // a registered message
Held HeldBy(HWND window, int what, DWORD timeoutMs = WaitMs);  // NoAnswer: none came in time
// True once the window's thread has handled WM_INITMENU after press() (a hook of in_launcher.cpp's
// reports it, for GoEvent): the keys were read as the menu opened, however soon menu mode ends.
bool MenuOpenedBy(HWND window, const std::function<bool()>& press);
std::string DescribeInput(DWORD thread, DWORD process, HWND main = nullptr);  // for failure messages

// --- Message boxes.

// One message box as the user sees it.
struct Box {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::Unknown;
    std::vector<int> buttons;  // the ids of its buttons the user can see, in creation order
};
// Reads a box of any process; the icon is named in the box's own process (HeldBy), Unknown when
// no answer came.
Box ReadBox(HWND window);
// Presses the box's OK button and waits until the box is gone.
bool DismissBox(HWND window);

// While alive, records every message box this thread opens and closes it with OK at once, so the
// real MessageBoxA runs and returns. One at a time. The icon is told by the standard icon it holds.
class BoxCatcher : Uncopyable {
public:
    BoxCatcher();
    ~BoxCatcher();
    const std::vector<Box>& Boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    HWND last_ = nullptr;
    std::vector<Box> boxes_;
};

// --- Real input, to whatever window is in front or under the pointer.

bool SendKeys(const std::vector<WORD>& keys);  // pressed in order, released in reverse order
inline bool PressKey(WORD key) { return SendKeys({key}); }
// Puts the pointer on a point of the window's client area and sees it there, over that window or
// a control of it (Wine 10 finds a dialog's group box there, Wine 8 the dialog).
bool PointAt(HWND window, POINT client);
// PointAt, then every press and release, each at the point, as one input sequence (clicks 2: a
// double-click).
bool ClickAt(HWND window, POINT client, int clicks = 1);
bool ClickCentre(HWND window, int clicks = 1);  // at the centre of the client area, e.g. a button

// --- Window crowds.

// Hidden top-level windows of this process, destroyed with the crowd.
class WindowCrowd : Uncopyable {
public:
    ~WindowCrowd();
    HWND Add(const std::string& title);
    size_t Size() const { return windows_.size(); }

private:
    std::vector<HWND> windows_;
};

// --- The stand-in for the managed program (SuaWin.exe; see standin.cpp).

enum class StandInMode { Window, NoWindow };  // it always writes its record first
// Copies the stand-in to path, making folders; a file beside it says whether to show a window.
bool PlaceStandIn(const std::string& path, StandInMode mode = StandInMode::Window);
// Makes the stand-in in that folder, once started, hold its window back until ReleaseStandIns, as
// a slow copy does: it waits for the event GoEvent, which LauncherHook shares.
bool HoldStandIn(const std::string& folder);
bool ReleaseStandIns();
inline constexpr char GoEvent[] = "CorvantaTestsGo";
// What a started stand-in wrote down, in standin-record.txt beside it.
struct StandInRecord {
    std::string directory;  // its current directory at start
    bool locationFound = false;
    std::string location;   // the location file's bytes
    int show = -1;          // the show command it was started with; -1: none was given
};
// Waits for the stand-in in folder to have written its record, reads it and removes it; false when
// none came.
bool ReadStandInRecord(const std::string& folder, StandInRecord& record);
inline std::vector<HWND> StandInWindows() { return WindowsTitled(Expected::StandInTitle); }
inline bool CopyWindowShown()
{
    const std::vector<HWND> windows = StandInWindows();
    return std::any_of(windows.begin(), windows.end(), IsWindowVisible);
}
// Starts the stand-in at path (placed there first) directly; returns its window, or null.
HWND StartStandIn(const std::string& path);
// Ends every stand-in process, shown or still held; false when one did not end.
bool CloseStandIns();
inline int CountCopies() { return CountProcesses("SuaWin.exe"); }

// The copies the cases place, in folders of different shapes: a space and an accented letter, a
// short name (shorter than the first, so a leftover of it would show), the root of the drive, one
// deeper down, and a place where none is.
inline const std::string CopyOne = std::string(Expected::Root) + "\\Copia Uno Configuraci\xF3" "n\\SuaWin.exe";
inline const std::string CopyTwo = std::string(Expected::Root) + "\\B\\SuaWin.exe";
inline const std::string CopyThree = std::string(Expected::Root) + "\\Tres\\SuaWin.exe";
inline const std::string CopyAtRoot = "C:\\SuaWin.exe";
inline const std::string CopyDeep = std::string(Expected::Root) + "\\A\\B\\C\\SuaWin.exe";
inline const std::string NoCopy = std::string(Expected::Root) + "\\nada\\SuaWin.exe";
// The folder a copy runs in: its own, without the backslash but for a drive's root.
inline std::string RunFolder(const std::string& copy) { return copy.substr(0, std::max<size_t>(3, copy.rfind('\\'))); }

// --- The launcher.

// One launcher process and its windows.
class Launcher {
public:
    // Starts the built launcher in folder (empty: this process's), or another build's exe.
    bool Start(const std::string& folder = "", const std::string& exe = LauncherPath());
    HWND WaitForMainWindow(DWORD timeoutMs = WaitMs);  // the visible main window once shown; null after the wait
    HWND Main() const { return main_; }
    const Child& Process() const { return process_; }
    DWORD Id() const { return process_.Id(); }
    bool Running() const { return process_.Running(); }
    bool WaitForExit(DWORD& code, DWORD timeoutMs = WaitMs) const { return process_.WaitForExit(code, timeoutMs); }

    HWND Button(int id) const { return GetDlgItem(main_, id); }
    std::string Caption(int id) const { return WindowTitle(Button(id)); }
    bool PostClick(int id) const { return support::PostClick(Button(id)); }
    // Clicks button id and returns once the click has been handled to its end; false when it was
    // not within the wait, as when it opened a modal box.
    bool SendClick(int id) const;
    // A real double-click in the middle of button id; false when it was not sent.
    bool DoubleClick(int id) const { return BringForward() && ClickCentre(Button(id), 2); }
    bool BringForward() const { return BringToFront(main_); }
    bool InMenuMode() const { return support::InMenuMode(process_.ThreadId()); }
    // Alt+key through real keyboard input; false when the window could not be brought forward.
    bool PressAlt(WORD key) const { return BringForward() && SendKeys({VK_MENU, key}); }

    // The process's box or chooser (a #32770 other than the settings dialog) once shown, the one in
    // front when there are several; null after the wait.
    HWND WaitForBox(DWORD timeoutMs = WaitMs) const;
    // True when the process shows no box at all once its thread has caught up; false when it shows
    // one, or did not catch up.
    bool ShowsNoBox() const;
    HWND OpenSettings() const;    // clicks Configure; the dialog, or null
    HWND SettingsDialog() const;  // the open settings dialog, or null
    HWND FocusedWindow() const { return FocusOf(process_.ThreadId()); }
    std::string DescribeInput() const { return support::DescribeInput(process_.ThreadId(), Id(), main_); }
    std::string DescribeWindows() const { return DescribeWindowsOf(Id()); }

    // How the start has gone so far: the main window made but hidden, shown, or the unowned box
    // refusing a second launcher up (box then holds it).
    enum class Outcome { Undecided, Made, Shown, Refused };
    Outcome StartOutcome(HWND* box = nullptr) const;

private:
    Child process_;
    HWND main_ = nullptr;
};

// While set, a hook of in_launcher.cpp's, which the system loads into each process of this tree's
// kind that makes a window. Refuse: no launcher can make its main window or its settings dialog, as
// on an exhausted desktop. Hold: each launcher, once its hidden main window exists and before it
// counts the windows titled as it, waits until the hook is lifted (for GoEvent).
class LauncherHook : Uncopyable {
public:
    enum Kind { Refuse, Hold };
    explicit LauncherHook(Kind kind) : kind_(kind) {}
    ~LauncherHook() { Lift(); }
    bool Set();
    void Lift();

private:
    Kind kind_;
    HHOOK hook_ = nullptr;
};

// Ends every launcher and stand-in and removes the settings, the location file, the stand-in at C:\ and every
// copy folder below Expected::Root, so that no test sees what another left behind; false when
// something of it stayed.
bool RemoveTestState();

}  // namespace support
