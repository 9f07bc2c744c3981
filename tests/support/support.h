// The Windows-side test library: processes, waits, windows, message boxes, real input, files and
// INI, held-open files, timing and window crowds, shared by the in-process tests, the end-to-end
// and fault tests and the benchmark. Every wait is on a condition with a deadline.
// Free of GoogleTest; the assertions built on it are in cases.h.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "expected.h"

namespace support {

using Expected::BoxIcon;
using Expected::BoxSpec;

// --- Time and waits.

// Long enough for a cold Wine start, short enough that a stuck window ends a test quickly.
constexpr DWORD WaitMs = 10000;

// QueryPerformanceCounter in milliseconds, from an arbitrary origin.
double NowMs();
// Polls until done() holds or timeoutMs has passed; returns done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = WaitMs);
// Handles whatever was sent to this thread's windows, so that no other process waits on them.
void PumpMessages();
// WaitUntil with this thread's messages handled at every poll.
bool WaitPumping(const std::function<bool()>& done, DWORD timeoutMs = WaitMs);
// How often a test of chance repeats: its own number, or CORVANTA_TRIALS when that is set.
int Trials(int usual);

// --- Paths.

// A host path as Wine's drive Z: shows it; any other path unchanged.
std::string OnDriveZ(const std::string& path);
// The built launcher and stand-in of this tree, as Windows paths.
const std::string& LauncherPath();
const std::string& StandInPath();
std::string FolderOf(const std::string& path);  // up to and including the last backslash
std::string InWindowsDirectory(const std::string& name);  // GetWindowsDirectoryA, "\", name

// --- Files.

inline constexpr char NoFile[] = "<no file>";
// The whole file's bytes, or NoFile when it cannot be opened (it may be held without sharing).
std::string BytesOf(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
// Creates every folder above a file path.
void MakeFoldersFor(const std::string& path);
// Deletes a file, or a folder with everything in it; quiet when there is nothing.
void RemoveTree(const std::string& path);
// Writes Corvanta.ini as cp1252 text with CRLF line ends; each line is "[SECTION]" or "key=value".
bool WriteSettings(const std::vector<std::string>& lines);
// The lines of an INI file in file order: "[SECTION]" for a header, "SECTION/key=value" otherwise.
std::vector<std::string> IniEntries(const std::string& path = Expected::SettingsFile);
// The lines sorted, to compare entries whatever order the profile routines wrote them in.
std::vector<std::string> Sorted(std::vector<std::string> lines);

// Opens an existing file as another program would, with the given sharing, until Release.
class HeldFile {
public:
    HeldFile() = default;
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() { Release(); }
    bool Hold(const std::string& path, DWORD share);
    void Release();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Sets the current directory for the lifetime of the object; throws when it cannot.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    char saved_[MAX_PATH] = "";
};

// --- Processes.

// A started process, ended by TerminateProcess if it is still running when the object goes.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();
    // CreateProcessA of exe in folder (empty: this process's) with arguments after the quoted exe.
    // Wine now and then refuses a creation with error 1359: that start is tried again, up to three
    // times in all. False, with the error printed, when it did not start.
    bool Start(const std::string& exe, const std::string& folder = "", const std::string& arguments = "");
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool Running() const;
    // Waits for the process to end; false when it did not, else code holds its exit code.
    bool WaitForExit(DWORD& code, DWORD timeoutMs = WaitMs) const;
    void End();     // TerminateProcess and wait
    void Detach();  // lets the process run on, unwatched

private:
    PROCESS_INFORMATION info_ = {};
};

// The ids of the running processes whose executable has this file name.
std::vector<DWORD> ProcessesNamed(const std::string& name);
int CountProcesses(const std::string& name);
// Ends every process of that name and waits until each has ended.
void EndProcessesNamed(const std::string& name);

// --- Windows.

std::vector<HWND> TopLevelWindows();  // in z-order, from the top
std::string WindowTitle(HWND window);  // GetWindowTextA, which reads other processes' captions
std::string ControlText(HWND control);  // WM_GETTEXT, which also reads other processes' edits
bool SetControlText(HWND control, const std::string& text);  // WM_SETTEXT
std::string Field(HWND dialog, int id);                       // ControlText of a dialog's control
bool SetField(HWND dialog, int id, const std::string& text);  // SetControlText of a dialog's control
DWORD ProcessOf(HWND window);
bool IsDialogClass(HWND window);
// The process's visible top-level window with exactly this title, or null.
HWND VisibleWindowOf(DWORD process, const std::string& title);
// The highest visible top-level window of the process in z-order, or null.
HWND TopVisibleWindowOf(DWORD process);
// The process's top-level #32770 windows, shown or not yet, in z-order.
std::vector<HWND> DialogsOf(DWORD process);
// Every top-level window with exactly this title, of any process.
std::vector<HWND> WindowsTitled(const std::string& title);
// The process's top-level windows, one line each, for failure messages.
std::string DescribeWindowsOf(DWORD process);
// Returns once the window's thread has handled everything sent before (or the wait ran out).
void SyncWith(HWND window);
// PostMessage BM_CLICK: returns at once, even when the click opens a modal box.
void PressButton(HWND button);
// The keyboard focus of a thread, and its input state for failure messages.
HWND FocusOf(DWORD thread);
std::string DescribeInput(DWORD thread, DWORD process, HWND main = nullptr);

// --- Message boxes.

// One message box as the user sees it.
struct Box {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::Unknown;
};
// Reads a box of any process; the icon is told by its pixels once the box has painted.
Box ReadBox(HWND window);
// Presses the box's OK button and waits until the box is gone.
bool DismissBox(HWND window);

// While alive, records every message box this thread opens and closes it with OK at once, so the
// real MessageBoxA runs and returns. One at a time. The icon is told by the shared standard icon
// the box holds.
class BoxCatcher {
public:
    BoxCatcher();
    ~BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;
    const std::vector<Box>& Boxes() const { return boxes_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook_;
    HWND last_ = nullptr;
    std::vector<Box> boxes_;
};

// --- Real input, to whatever window is in front or under the pointer.

// Presses the keys in order, then releases them in reverse order.
bool SendKeys(const std::vector<WORD>& keys);
bool PressKey(WORD key);
// Puts the pointer on a point of the window's client area, sees it there over that window, then
// sends clicks presses and releases as one input sequence (two: a double-click).
bool ClickAt(HWND window, POINT client, int clicks = 1);
// The same at the centre of the window's client area, e.g. a button.
bool ClickCentre(HWND window, int clicks = 1);

// --- Window crowds.

// Hidden top-level windows of this process, destroyed with the crowd.
class WindowCrowd {
public:
    WindowCrowd();
    WindowCrowd(const WindowCrowd&) = delete;
    WindowCrowd& operator=(const WindowCrowd&) = delete;
    ~WindowCrowd();
    HWND Add(const std::string& title);
    size_t Size() const { return windows_.size(); }

private:
    std::vector<HWND> windows_;
};

// --- The stand-in for the managed program (SuaWin.exe).

// How a placed stand-in behaves when started: it always writes its record first.
enum class StandInMode { Window, NoWindow };
// Copies the stand-in to path, making folders; a file beside it says whether to show a window.
bool PlaceStandIn(const std::string& path, StandInMode mode = StandInMode::Window);
// Makes the stand-in in that folder wait this long between its record and its window.
bool DelayStandIn(const std::string& folder, DWORD milliseconds);
// What a started stand-in wrote down, in standin-record.txt beside it.
struct StandInRecord {
    std::string directory;  // its current directory at start
    bool locationFound = false;
    std::string location;   // the location file's bytes
};
// Waits up to timeoutMs for the stand-in in folder to have written its record; false when none.
bool ReadStandInRecord(const std::string& folder, StandInRecord& record, DWORD timeoutMs = 0);
// The stand-in windows now open.
std::vector<HWND> StandInWindows();
// Starts the stand-in at path (placed there first) directly; returns its window, or null.
HWND StartStandIn(const std::string& path);
// Ends every stand-in process, shown or still waiting to show its window.
void CloseStandIns();

// --- The launcher.

// One launcher process and its windows.
class Launcher {
public:
    // Starts the built launcher in folder (empty: this process's), or another build's exe.
    bool Start(const std::string& folder = "", const std::string& exe = LauncherPath());
    // The process's visible main window, once it shows (null after the wait).
    HWND WaitForMainWindow(DWORD timeoutMs = WaitMs);
    HWND Main() const { return main_; }
    const Child& Process() const { return process_; }
    DWORD Id() const { return process_.Id(); }
    bool Running() const { return process_.Running(); }
    bool WaitForExit(DWORD& code, DWORD timeoutMs = WaitMs) const { return process_.WaitForExit(code, timeoutMs); }

    HWND Button(int id) const { return GetDlgItem(main_, id); }
    std::string Caption(int id) const { return WindowTitle(Button(id)); }
    void Click(int id) const { PressButton(Button(id)); }
    // A real double-click with the mouse in the middle of button id; false when it was not sent.
    bool DoubleClick(int id) const;
    // Makes the main window the foreground window, once no menu mode is unwinding.
    bool BringForward() const;
    // Alt+key through real keyboard input; false when the window could not be brought forward.
    bool PressAlt(WORD key) const;

    // The process's box or chooser (a #32770 other than the settings dialog), once shown; null
    // after the wait.
    HWND WaitForBox() const;
    // Waits for that box, reads it and dismisses it; an empty Box when none came.
    Box TakeBox() const;
    // True when the process shows no box at all (after its thread has caught up).
    bool ShowsNoBox() const;
    HWND OpenSettings() const;    // clicks Configure; the dialog, or null
    HWND SettingsDialog() const;  // the open settings dialog, or null
    HWND FocusedWindow() const { return FocusOf(process_.ThreadId()); }
    std::string DescribeInput() const { return support::DescribeInput(process_.ThreadId(), Id(), main_); }
    std::string DescribeWindows() const { return DescribeWindowsOf(Id()); }

    // How the start ended so far: the main window shown, or the unowned box refusing a second
    // launcher (box then holds it).
    enum class Outcome { Undecided, Shown, Refused };
    Outcome StartOutcome(HWND* box = nullptr) const;

private:
    Child process_;
    HWND main_ = nullptr;
};

// Ends every stand-in and removes the settings, the location file, the stand-in at C:\ and every
// copy folder below Expected::Root, so that no test sees what another left behind.
void RemoveTestState();

}  // namespace support
