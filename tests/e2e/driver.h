// Drives the real launcher from another process: starts it, finds its windows and boxes, clicks,
// types and reads back, with every wait bounded so a stuck window fails a test instead of the run.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// The launcher and the stand-in as Windows paths (baked in by the build).
extern std::string LauncherPath;
extern std::string StandInPath;

constexpr char MainTitle[] = "Corvanta [Maneja Varias Copias de WinSua]";
constexpr char SettingsTitle[] = "Configuraci\xF3" "n de Corvanta";                  // Configuración
constexpr char StandInTitle[] = "Sistema Unico de Autodeterminaci\xF3" "n - Prueba";  // Autodeterminación

// The boxes the launcher shows, written out here rather than taken from the program's own texts.
constexpr char BadPathCaption[] = "Ruta Incorrecta";
constexpr char BadPathText[] = "El Archivo No existe en la ruta Especificada";
constexpr char ManagedCaption[] = "Ya hay un Programa de WinSua activo";
constexpr char ManagedText[] = "S\xF3" "lo una Instacia de WinSua debe correr a la vez.";      // Sólo
constexpr char LauncherCaption[] = "Ya hay un Programa de Corvanta activo";
constexpr char LauncherText[] = "S\xF3" "lo una Instacia de Corvanta debe correr a la vez.";   // Sólo

constexpr char LocationFile[] = "C:\\windows\\SuaWin.ini";
constexpr char SettingsFile[] = "C:\\windows\\Corvanta.ini";
constexpr char StandInRecordName[] = "standin-record.txt";
constexpr char Root[] = "C:\\corvanta-e2e";  // every copy folder of a test lives below

// Long enough for a cold Wine start, short enough that a stuck window ends the test quickly.
constexpr DWORD WaitMs = 10000;

// How often a test of chance repeats: its own number, or CORVANTA_TRIALS when that is set, for a
// longer run by hand.
int Trials(int usual);

// Polls until done() holds or the time runs out; returns done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = WaitMs);

// --- Files, in Windows terms.
bool ReadBytes(const std::string& name, std::string& bytes);  // false when the file is missing
void WriteBytes(const std::string& name, const std::string& bytes);
void RemoveTree(const std::string& path);                       // a file or a folder, quietly
void PlaceStandIn(const std::string& executable);              // copies the stand-in there, making folders

// Writes Corvanta.ini as cp1252 text with CRLF lines; each entry is "[SECTION]" or "key=value".
void WriteSettings(const std::vector<std::string>& lines);
// Every key=value line of Corvanta.ini as "SECTION/key=value", in file order.
std::vector<std::string> SettingsEntries();

// What a started stand-in wrote down.
struct StandInRecord {
    std::string directory;
    bool locationFound = false;
    std::string location;
};
bool ReadStandInRecord(const std::string& folder, StandInRecord& record);

// --- Windows.
std::string WindowTitle(HWND window);    // GetWindowTextA, which reads other processes' captions
std::string ControlText(HWND control);  // WM_GETTEXT, which also reads other processes' edits
DWORD ProcessOf(HWND window);
// The process's top-level #32770 windows, shown or not yet, in z-order.
std::vector<HWND> DialogsOf(DWORD process);
// The process's top-level windows, one line each, for failure messages.
std::string DescribeWindowsOf(DWORD process);
// Returns once the window's thread has handled everything sent before (or the wait ran out).
void SyncWith(HWND window);
// The stand-in windows now open; CloseStandIns closes them and ends their processes.
std::vector<HWND> StandInWindows();
void CloseStandIns();
// The running processes whose executable has this file name.
int CountProcesses(const char* name);
// Starts the stand-in directly, not through the launcher; returns its window.
HWND StartStandIn(const std::string& executable);

enum class BoxIcon { None, Warning, Error, Unknown };
struct Box {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::Unknown;
};
Box ReadBox(HWND window);
// Presses the box's OK button and waits until the box is gone.
bool DismissBox(HWND window);

// A key pressed and released through real keyboard input, to whatever window is in front.
bool PressKey(WORD key);

// One launcher process, ended by TerminateProcess if a test leaves it running.
class Launcher {
public:
    Launcher() = default;
    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;
    ~Launcher();

    // Starts the launcher in the given folder (empty: the driver's own).
    bool Start(const std::string& directory = "");
    // The process's visible main window, once it shows (null after the wait).
    HWND WaitForMainWindow();
    HWND Main() const { return main_; }
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    bool Running() const;
    // Waits for the process to end; false when it did not, else code holds its exit code.
    bool WaitForExit(DWORD& code, DWORD timeoutMs = WaitMs);

    std::string Caption(int id) const { return WindowTitle(GetDlgItem(main_, id)); }
    void Click(int id) const;
    // A real double-click with the mouse in the middle of button id; false when it was not sent.
    bool DoubleClick(int id) const;
    // Makes the main window the foreground window, which receives keyboard input.
    bool BringForward() const;
    // Alt+key through real keyboard input; false when the window could not be brought forward.
    bool PressAlt(WORD key) const;

    // The process's box (a #32770 other than the settings dialog), once shown; null, and a
    // failure, after the wait.
    HWND WaitForBox() const;
    // Waits for that box, reads it and dismisses it.
    Box TakeBox() const;
    // True when the process shows no box at all (after its thread has caught up).
    bool ShowsNoBox() const;

    HWND OpenSettings() const;               // clicks Configure; the dialog, or null
    HWND SettingsDialog() const;             // the open settings dialog, or null
    HWND FocusedWindow() const;              // the keyboard focus of the launcher's thread
    std::string DescribeInput() const;       // its input state, for failure messages

private:
    PROCESS_INFORMATION info_ = {};
    HWND main_ = nullptr;
};

// Every test starts and ends with no launcher, no stand-in, no settings or location file and no
// copy folders, so no test sees what another left behind.
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

std::string FolderOf(const std::string& executable);  // up to and including the last backslash
void SetField(HWND dialog, int id, const std::string& text);
std::string Field(HWND dialog, int id);

}  // namespace e2e
