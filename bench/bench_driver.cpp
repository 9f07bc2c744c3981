// Measures the launcher against the reference program and prints markdown tables.
//
// Runs under wine64 in a prefix of its own, 64-bit with WoW64, so that it starts the shipped PE32 and
// its PE32+ twin alike. Start-up, memory and launches are taken from real child processes, alternating
// the programs so that drift in the machine falls on all of them alike; the census is the launcher's
// own CountWindowsTitled, linked in, walking windows that this driver, or a second copy of it, creates.
//
// How the machine runs 32-bit code is told by the caller (--i386): natively, through an emulator
// (whose figures are not the launcher's speed and go in a table of their own), or not at all (the
// PE32 is then only weighed, not started).
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "../core/texts.h"
#include "../core/window_census.h"

namespace {

constexpr char ReferenceTitle[] = "Corvanta Bench Reference Window";
constexpr char StandInTitle[] = "Sistema Unico de Autodeterminaci\xF3" "n - Prueba";
// Copy 1 is the 64-bit stand-in, which the 64-bit launcher and the driver's own calls start; copy 2
// is the 32-bit stand-in, which the PE32 starts, as the shipped launcher starts a 32-bit program.
constexpr char StandInFolder[] = "C:\\SUA1";
constexpr char StandInCopy[] = "C:\\SUA1\\SuaWin.exe";
constexpr char StandInFolder32[] = "C:\\SUA2";
constexpr char StandInCopy32[] = "C:\\SUA2\\SuaWin.exe";
constexpr char FillerClass[] = "CorvantaBenchCensusFiller";
// Longer than the managed program's 34-character prefix, so every walk cuts and compares it.
constexpr char FillerTitle[] = "Census filler window of the Corvanta benchmark";

constexpr DWORD VisibleTimeoutMs = 20000;
constexpr DWORD ExitTimeoutMs = 10000;

// How this machine runs i386 code, and with it every process of a PE32 under Wine.
enum class I386 { Native, Emulated, None };

struct Options {
    std::string launcher64, reference64, referenceDlls64, launcher32, reference32, standIn, standIn32;
    I386 i386 = I386::None;
    bool i386Given = false;
    int startRuns = 20;
    int launchRuns = 10;
};

[[noreturn]] void Fail(const char* what, const char* detail = "")
{
    std::fprintf(stderr, "bench_driver: %s%s%s\n", what, *detail ? ": " : "", detail);
    std::exit(1);
}

// Paths come from the Linux side; Wine's Z: drive is the Linux root.
std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string converted = "Z:" + path;
    std::replace(converted.begin(), converted.end(), '/', '\\');
    return converted;
}

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Spread {
    double median, low, high, least;  // median, the quartiles around it, and the smallest
};

Spread SpreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    auto at = [&](double q) {
        double position = q * static_cast<double>(values.size() - 1);
        size_t below = static_cast<size_t>(position);
        size_t above = std::min(below + 1, values.size() - 1);
        double fraction = position - static_cast<double>(below);
        return values[below] * (1 - fraction) + values[above] * fraction;
    };
    return {at(0.5), at(0.25), at(0.75), values.front()};
}

// Polls as tightly as the wineserver allows: the first sighting of the visible window is the figure.
// Returns null when the window did not show in time or the watched process ended first.
HWND WaitForVisibleWindow(const char* title, HANDLE process)
{
    double deadline = Seconds() + VisibleTimeoutMs / 1000.0;
    for (unsigned spin = 0;; ++spin) {
        HWND window = FindWindowA(nullptr, title);
        if (window != nullptr && IsWindowVisible(window))
            return window;
        if ((spin & 63) == 63) {
            if (process != nullptr && WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
                return nullptr;
            if (Seconds() > deadline)
                return nullptr;
        }
        SwitchToThread();
    }
}

// Tells the process which owns the window to close it, and waits for that process to end.
void CloseAndWait(HWND window, HANDLE process, const char* what)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, ExitTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, ExitTimeoutMs);
        Fail("did not end after WM_CLOSE", what);
    }
}

HANDLE OpenWindowProcess(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION,
                                 FALSE, processId);
    if (process == nullptr)
        Fail("cannot open the process of a window");
    return process;
}

HANDLE StartProcess(const std::string& exe, const char* folder, const std::string& arguments = "")
{
    std::string commandLine = "\"" + exe + "\"" + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder,
                        &startup, &info)) {
        std::string detail = exe + " (error " + std::to_string(GetLastError()) + ")";
        Fail("CreateProcessA failed", detail.c_str());
    }
    CloseHandle(info.hThread);
    return info.hProcess;
}

// A PE32 runs as a WoW64 process beside this 64-bit driver, a PE32+ as a native one. A program of
// the wrong kind given for a series would measure the other build under its name.
void RequireKind(HANDLE process, bool thirtyTwoBit, const std::string& exe)
{
    BOOL wow64 = FALSE;
    if (!IsWow64Process(process, &wow64))
        Fail("IsWow64Process failed", exe.c_str());
    if ((wow64 != FALSE) != thirtyTwoBit) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, ExitTimeoutMs);
        Fail(thirtyTwoBit ? "expected a 32-bit program, started a 64-bit one" :
                            "expected a 64-bit program, started a 32-bit one",
             exe.c_str());
    }
}

// Anything left over from an earlier run would be found instead of the window being waited for,
// and a second launcher would refuse to start.
void RequireAbsent(const char* title)
{
    if (FindWindowA(nullptr, title) != nullptr)
        Fail("a window of an earlier run is still open", title);
}

struct StartSeries {
    std::string exe;
    const char* title;
    bool thirtyTwoBit;
    std::vector<double> seconds, workingSet, privateBytes;
};

struct StartSample {
    double seconds;
    double workingSet, privateBytes;  // bytes
};

// One fresh start: CreateProcess until the window is visible, then the memory once the program
// waits for input, then WM_CLOSE and the end of the process.
StartSample MeasureStart(const StartSeries& series)
{
    const std::string& exe = series.exe;
    const char* title = series.title;
    RequireAbsent(title);
    double start = Seconds();
    HANDLE process = StartProcess(exe, nullptr);
    HWND window = WaitForVisibleWindow(title, process);
    double shown = Seconds();
    if (window == nullptr) {
        TerminateProcess(process, 99);
        Fail("the window never showed", title);
    }
    // Checked after the window showed, so the check costs the timed start nothing.
    RequireKind(process, series.thirtyTwoBit, exe);
    WaitForInputIdle(process, 5000);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        Fail("GetProcessMemoryInfo failed", title);
    CloseAndWait(window, process, title);
    CloseHandle(process);
    // Windows reports the private commit in both fields; Wine 8 leaves PrivateUsage at 0 and puts
    // it (anonymous resident plus swapped memory) in PagefileUsage only.
    SIZE_T privateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return {shown - start, static_cast<double>(counters.WorkingSetSize), static_cast<double>(privateBytes)};
}

// A launch split where the stand-in's process comes into being: before it, the starter's own work
// (the launcher's checks and ShellExecuteA, or CreateProcessA alone); after it, the stand-in's start.
struct LaunchSample {
    double toProcess, toVisible;  // seconds from the click or call
};

struct LaunchSeries {
    std::vector<double> toProcess, toVisible;
    void Add(const LaunchSample& sample)
    {
        toProcess.push_back(sample.toProcess);
        toVisible.push_back(sample.toVisible);
    }
};

// The system clock at the start of a launch, to compare with the stand-in's process creation time.
ULONGLONG SystemTimeNow()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

double SecondsToCreation(HANDLE process, ULONGLONG startTime)
{
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        Fail("GetProcessTimes failed on the stand-in");
    ULONGLONG creation = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    return (static_cast<double>(creation) - static_cast<double>(startTime)) / 1e7;
}

// Waits for the stand-in's window, takes the split from its process, and closes it: its window is
// gone before the next launch.
LaunchSample FinishStandIn(double start, ULONGLONG startTime, HANDLE knownProcess)
{
    HWND window = WaitForVisibleWindow(StandInTitle, knownProcess);
    double shown = Seconds();
    if (window == nullptr)
        Fail("the stand-in's window never showed (a box may have shown instead)");
    HANDLE process = knownProcess != nullptr ? knownProcess : OpenWindowProcess(window);
    LaunchSample sample = {SecondsToCreation(process, startTime), shown - start};
    CloseAndWait(window, process, "the stand-in");
    CloseHandle(process);
    return sample;
}

// One launch through a freshly started launcher: BM_CLICK on a copy button until the stand-in's
// window is visible. The launcher is ended before the next run, so there is never a second one.
LaunchSample MeasureLaunchThroughLauncher(const std::string& launcher, bool thirtyTwoBit, int copyButton)
{
    RequireAbsent(Text::WindowTitle);
    RequireAbsent(StandInTitle);
    HANDLE process = StartProcess(launcher, nullptr);
    HWND main = WaitForVisibleWindow(Text::WindowTitle, process);
    if (main == nullptr)
        Fail("the launcher's window never showed", launcher.c_str());
    RequireKind(process, thirtyTwoBit, launcher);
    WaitForInputIdle(process, 5000);
    HWND button = GetDlgItem(main, copyButton);
    if (button == nullptr)
        Fail("the launcher has no such copy button", std::to_string(copyButton).c_str());
    double start = Seconds();
    ULONGLONG startTime = SystemTimeNow();
    PostMessageA(button, BM_CLICK, 0, 0);
    LaunchSample sample = FinishStandIn(start, startTime, nullptr);
    CloseAndWait(main, process, "the launcher");
    CloseHandle(process);
    return sample;
}

LaunchSample MeasureDirectStart(const char* copy, const char* folder)
{
    RequireAbsent(StandInTitle);
    double start = Seconds();
    ULONGLONG startTime = SystemTimeNow();
    HANDLE process = StartProcess(copy, folder);
    return FinishStandIn(start, startTime, process);
}

// The launcher's own way of starting a copy, called from here: what ShellExecuteA adds over
// CreateProcessA under this Wine. Only the first call in this process is a cold one.
LaunchSample MeasureShellExecuteStart()
{
    RequireAbsent(StandInTitle);
    double start = Seconds();
    ULONGLONG startTime = SystemTimeNow();
    HINSTANCE result = ShellExecuteA(nullptr, nullptr, StandInCopy, nullptr, StandInFolder, SW_SHOWDEFAULT);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        Fail("ShellExecuteA failed to start the stand-in");
    return FinishStandIn(start, startTime, nullptr);
}

// The child's exit code carries microseconds above this; 0 and Fail's 1 mean it failed.
constexpr DWORD ExitCodeMicrosBase = 2;

// The child side of MeasureColdShellExecute: one ShellExecuteA, the first in this process as in the
// launcher, timed to the creation of the stand-in's process.
int ShellExecuteOnceMain()
{
    ULONGLONG startTime = SystemTimeNow();
    HINSTANCE result = ShellExecuteA(nullptr, nullptr, StandInCopy, nullptr, StandInFolder, SW_SHOWDEFAULT);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        return 0;
    HWND window = WaitForVisibleWindow(StandInTitle, nullptr);
    if (window == nullptr)
        return 0;
    HANDLE process = OpenWindowProcess(window);
    double seconds = SecondsToCreation(process, startTime);
    CloseHandle(process);
    return static_cast<int>(seconds * 1e6) + static_cast<int>(ExitCodeMicrosBase);
}

// Seconds from a cold ShellExecuteA to the stand-in's process, taken in a fresh child process.
double MeasureColdShellExecute()
{
    RequireAbsent(StandInTitle);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    HANDLE child = StartProcess(self, nullptr, " --shell-execute-once");
    DWORD micros = 0;
    if (WaitForSingleObject(child, VisibleTimeoutMs + ExitTimeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(child, &micros) || micros < ExitCodeMicrosBase)
        Fail("the cold ShellExecuteA child failed");
    CloseHandle(child);
    HWND window = WaitForVisibleWindow(StandInTitle, nullptr);
    if (window == nullptr)
        Fail("the stand-in of the cold ShellExecuteA is gone");
    HANDLE process = OpenWindowProcess(window);
    CloseAndWait(window, process, "the stand-in");
    CloseHandle(process);
    return (micros - ExitCodeMicrosBase) / 1e6;
}

void InstallCopy(const std::string& standIn, const char* folder, const char* copy, const char* slot,
                 const char* description)
{
    CreateDirectoryA(folder, nullptr);
    if (!CopyFileA(standIn.c_str(), copy, FALSE))
        Fail("cannot copy the stand-in", standIn.c_str());
    if (!WritePrivateProfileStringA(Text::PathSection, slot, copy, Text::SettingsFile) ||
        !WritePrivateProfileStringA(Text::DescriptionSection, slot, description, Text::SettingsFile))
        Fail("cannot write Corvanta.ini");
}

// Slot 1 names the 64-bit stand-in's copy, slot 2 the 32-bit one's when it is used; the launcher
// reads this at every start.
void PrepareLaunchSetup(const std::string& standIn, const std::string& standIn32)
{
    InstallCopy(standIn, StandInFolder, StandInCopy, "Copia_01", "Copia de prueba");
    if (!standIn32.empty())
        InstallCopy(standIn32, StandInFolder32, StandInCopy32, "Copia_02", "Copia de prueba, 32 bits");
}

double FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        Fail("cannot read the size of", path.c_str());
    return static_cast<double>(data.nFileSizeLow) + 4294967296.0 * data.nFileSizeHigh;
}

// --- Census.

unsigned CountAllWindows()
{
    unsigned count = 0;
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT))
        ++count;
    return count;
}

constexpr size_t CensusBatches = 25;   // timed batches at the least,
constexpr double CensusSeconds = 0.5;  // and as many more as fit in this time
volatile unsigned CensusSink;          // keeps the timed walks from being optimised away

// Seconds per call of walk: the fastest of many timed batches, each long enough for the clock to be
// exact. A walk waits on nothing but wineserver requests, so a slower batch is other load on the
// machine, not the walk.
template <typename Walk> double SecondsPerWalk(Walk walk)
{
    walk();
    unsigned repeats = 1;
    for (;;) {
        double start = Seconds();
        for (unsigned i = 0; i < repeats; ++i)
            CensusSink = walk();
        if (Seconds() - start > 0.005)
            break;
        repeats *= 2;
    }
    std::vector<double> batches;
    double end = Seconds() + CensusSeconds;
    while (batches.size() < CensusBatches || Seconds() < end) {
        double start = Seconds();
        for (unsigned i = 0; i < repeats; ++i)
            CensusSink = walk();
        batches.push_back((Seconds() - start) / repeats);
    }
    return SpreadOf(batches).least;
}

struct CensusPoint {
    unsigned extra, total;
    double census, bareWalk;  // seconds per walk
};

void RegisterFillerClass()
{
    WNDCLASSEXA fillerClass = {};
    fillerClass.cbSize = sizeof fillerClass;
    fillerClass.lpfnWndProc = DefWindowProcA;
    fillerClass.hInstance = GetModuleHandleA(nullptr);
    fillerClass.lpszClassName = FillerClass;
    RegisterClassExA(&fillerClass);
}

HWND CreateFiller()
{
    HWND window = CreateWindowExA(0, FillerClass, FillerTitle, WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr)
        Fail("cannot create a census filler window");
    return window;
}

// Times the launcher's census over whatever windows exist now, extra of them fillers.
CensusPoint MeasureCensusPoint(unsigned extra)
{
    if (CountWindowsTitled(FillerTitle, 0) != extra)
        Fail("the census miscounted the filler windows");
    CensusPoint point = {extra, CountAllWindows(), 0, 0};
    point.census = SecondsPerWalk(
        [] { return CountWindowsTitled(Text::ManagedTitlePrefix, Text::ManagedTitlePrefixLength); });
    point.bareWalk = SecondsPerWalk(CountAllWindows);
    return point;
}

// Fillers of this thread: their titles are read by a direct call of their window procedure.
std::vector<CensusPoint> MeasureCensusOwnWindows()
{
    std::vector<HWND> fillers;
    std::vector<CensusPoint> points;
    for (unsigned extra : {1u, 100u, 2000u}) {
        while (fillers.size() < extra)
            fillers.push_back(CreateFiller());
        points.push_back(MeasureCensusPoint(extra));
    }
    for (HWND window : fillers)
        DestroyWindow(window);
    return points;
}

// The launcher's real case: fillers owned by another process (this driver started again with
// --fillers N), whose titles Wine fetches from the wineserver.
std::vector<CensusPoint> MeasureCensusForeignWindows()
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::vector<CensusPoint> points;
    for (unsigned extra : {100u, 2000u}) {
        HANDLE process = StartProcess(self, nullptr, " --fillers " + std::to_string(extra));
        double deadline = Seconds() + VisibleTimeoutMs / 1000.0;
        while (CountWindowsTitled(FillerTitle, 0) != extra) {
            if (Seconds() > deadline || WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
                Fail("the filler process did not make its windows");
            Sleep(10);
        }
        points.push_back(MeasureCensusPoint(extra));
        TerminateProcess(process, 0);
        WaitForSingleObject(process, ExitTimeoutMs);
        CloseHandle(process);
    }
    return points;
}

// The child side of MeasureCensusForeignWindows: makes the windows and waits to be ended.
int FillerMain(unsigned count)
{
    RegisterFillerClass();
    for (unsigned i = 0; i < count; ++i)
        CreateFiller();
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}

// --- The table.

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Thousands separated by commas, for byte counts.
std::string Grouped(double value)
{
    std::string digits = Format("%.0f", value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

std::string WithSpread(const Spread& spread, double scale, const char* unit)
{
    return Format("%.1f", spread.median * scale) + " " + unit + " (quartiles " + Format("%.1f", spread.low * scale) +
           "\xE2\x80\x93" + Format("%.1f", spread.high * scale) + ", least " + Format("%.1f", spread.least * scale) +
           ")";
}

void Row(const std::string& figure, const std::string& corvanta, const std::string& reference, double ratio)
{
    std::printf("| %s | %s | %s | %.2f |\n", figure.c_str(), corvanta.c_str(), reference.c_str(), ratio);
}

// A timed figure: the ratio of the medians, and beside it that of the fastest runs, which other load
// on the machine disturbs least.
void TimedRow(const std::string& figure, const Spread& corvanta, const Spread& reference)
{
    std::printf("| %s | %s | %s | %.2f (least %.2f) |\n", figure.c_str(), WithSpread(corvanta, 1000, "ms").c_str(),
                WithSpread(reference, 1000, "ms").c_str(), corvanta.median / reference.median,
                corvanta.least / reference.least);
}

std::string Micros(double seconds)
{
    return Format("%.1f", seconds * 1e6) + " \xC2\xB5s";
}

void LinearityRow(const char* owner, const CensusPoint& small, const CensusPoint& large)
{
    double perWindowSmall = small.census / small.total, perWindowLarge = large.census / large.total;
    Row("Census per window, windows of " + std::string(owner) + ": " + Grouped(large.total) + " windows vs " +
            Grouped(small.total) + " (linear: ratio near 1)",
        Format("%.0f ns", perWindowLarge * 1e9), Format("%.0f ns", perWindowSmall * 1e9),
        perWindowLarge / perWindowSmall);
}

I386 ParseI386(const std::string& value)
{
    if (value == "native")
        return I386::Native;
    if (value == "emulated")
        return I386::Emulated;
    if (value == "none")
        return I386::None;
    Fail("--i386 takes native, emulated or none, not", value.c_str());
}

Options ParseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (i + 1 >= argc)
            Fail("missing value after", name.c_str());
        std::string value = argv[++i];
        if (name == "--launcher64") options.launcher64 = WindowsPath(value);
        else if (name == "--reference64") options.reference64 = WindowsPath(value);
        else if (name == "--reference-dlls64") options.referenceDlls64 = WindowsPath(value);
        else if (name == "--launcher32") options.launcher32 = WindowsPath(value);
        else if (name == "--reference32") options.reference32 = WindowsPath(value);
        else if (name == "--standin") options.standIn = WindowsPath(value);
        else if (name == "--standin32") options.standIn32 = WindowsPath(value);
        else if (name == "--i386") {
            options.i386 = ParseI386(value);
            options.i386Given = true;
        }
        else if (name == "--start-runs") options.startRuns = std::atoi(value.c_str());
        else if (name == "--launch-runs") options.launchRuns = std::atoi(value.c_str());
        else Fail("unknown option", name.c_str());
    }
    if (options.launcher64.empty() || options.reference64.empty() || options.referenceDlls64.empty() ||
        options.launcher32.empty() || options.reference32.empty() || options.standIn.empty() || !options.i386Given)
        Fail("usage: bench_driver --launcher64 EXE --reference64 EXE --reference-dlls64 EXE --launcher32 EXE "
             "--reference32 EXE --standin EXE [--standin32 EXE] --i386 native|emulated|none [--start-runs N] "
             "[--launch-runs N]");
    if (options.i386 != I386::None && options.standIn32.empty())
        Fail("--standin32 is needed when 32-bit code runs");
    if (options.startRuns < 1 || options.launchRuns < 1)
        Fail("run counts must be positive");
    return options;
}

void TableHead(const char* corvanta, const char* reference)
{
    std::printf("| Figure | %s | %s | Ratio of medians (of the least) |\n|---|---|---|---|\n", corvanta, reference);
}

// Start-up and memory of one build against the reference of the same build.
void StartRows(const std::string& build, int runs, const StartSeries& corvanta, const StartSeries& reference)
{
    double workingC = SpreadOf(corvanta.workingSet).median, workingR = SpreadOf(reference.workingSet).median;
    double privateC = SpreadOf(corvanta.privateBytes).median, privateR = SpreadOf(reference.privateBytes).median;
    TimedRow("Start-up to visible window, median of " + std::to_string(runs) + ", " + build,
             SpreadOf(corvanta.seconds), SpreadOf(reference.seconds));
    Row("Working set once shown, median, " + build, Grouped(workingC / 1024) + " KiB",
        Grouped(workingR / 1024) + " KiB", workingC / workingR);
    Row("Private bytes once shown, median, " + build, Grouped(privateC / 1024) + " KiB",
        Grouped(privateR / 1024) + " KiB", privateC / privateR);
}

// Launches through one build's launcher against CreateProcessA of the same copy, split where the
// stand-in's process is created.
void LaunchRows(const std::string& build, int runs, int copyButton, const LaunchSeries& through,
                const LaunchSeries& direct)
{
    Spread launchC = SpreadOf(through.toVisible), launchD = SpreadOf(direct.toVisible);
    Spread createdC = SpreadOf(through.toProcess), createdD = SpreadOf(direct.toProcess);
    TimedRow("Launch, " + build + ": click on copy button " + std::to_string(copyButton) +
                 " to visible stand-in, median of " + std::to_string(runs) + "; reference: CreateProcessA",
             launchC, launchD);
    TimedRow("Where it goes, " + build + ": click (or call) to the stand-in's process created", createdC, createdD);
    Row("Where it goes, " + build + ": stand-in's process created to its window visible",
        Format("%.1f ms", (launchC.median - createdC.median) * 1000),
        Format("%.1f ms", (launchD.median - createdD.median) * 1000),
        (launchC.median - createdC.median) / (launchD.median - createdD.median));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--fillers") == 0)
        return FillerMain(static_cast<unsigned>(std::atoi(argv[2])));
    if (argc == 2 && std::strcmp(argv[1], "--shell-execute-once") == 0)
        return ShellExecuteOnceMain();
    Options options = ParseOptions(argc, argv);
    bool run32 = options.i386 != I386::None;
    PrepareLaunchSetup(options.standIn, run32 ? options.standIn32 : std::string());

    // Start-up and memory, turning which program goes first from round to round.
    StartSeries corvanta = {options.launcher64, Text::WindowTitle, false, {}, {}, {}};
    StartSeries reference = {options.reference64, ReferenceTitle, false, {}, {}, {}};
    StartSeries referenceDlls = {options.referenceDlls64, ReferenceTitle, false, {}, {}, {}};
    StartSeries corvanta32 = {options.launcher32, Text::WindowTitle, true, {}, {}, {}};
    StartSeries reference32 = {options.reference32, ReferenceTitle, true, {}, {}, {}};
    std::vector<StartSeries*> series = {&corvanta, &reference, &referenceDlls};
    if (run32) {
        series.push_back(&corvanta32);
        series.push_back(&reference32);
    }
    for (int round = 0; round < options.startRuns; ++round)
        for (size_t turn = 0; turn < series.size(); ++turn) {
            StartSeries& next = *series[(static_cast<size_t>(round) + turn) % series.size()];
            StartSample sample = MeasureStart(next);
            next.seconds.push_back(sample.seconds);
            next.workingSet.push_back(sample.workingSet);
            next.privateBytes.push_back(sample.privateBytes);
        }

    // Launches, turned the same way: each launcher with its copy, and the direct start of that copy.
    LaunchSeries throughLauncher, direct, throughLauncher32, direct32, shell;
    std::vector<double> coldShell;
    std::vector<std::function<void()>> launches = {
        [&] { throughLauncher.Add(MeasureLaunchThroughLauncher(options.launcher64, false, 1)); },
        [&] { direct.Add(MeasureDirectStart(StandInCopy, StandInFolder)); },
    };
    if (run32) {
        launches.push_back([&] { throughLauncher32.Add(MeasureLaunchThroughLauncher(options.launcher32, true, 2)); });
        launches.push_back([&] { direct32.Add(MeasureDirectStart(StandInCopy32, StandInFolder32)); });
    }
    for (int round = 0; round < options.launchRuns; ++round) {
        for (size_t turn = 0; turn < launches.size(); ++turn)
            launches[(static_cast<size_t>(round) + turn) % launches.size()]();
        shell.Add(MeasureShellExecuteStart());
        coldShell.push_back(MeasureColdShellExecute());
    }

    RegisterFillerClass();
    std::vector<CensusPoint> census = MeasureCensusOwnWindows();
    std::vector<CensusPoint> foreignCensus = MeasureCensusForeignWindows();

    Spread startR = SpreadOf(reference.seconds), startD = SpreadOf(referenceDlls.seconds);
    double workingR = SpreadOf(reference.workingSet).median, workingD = SpreadOf(referenceDlls.workingSet).median;
    double privateR = SpreadOf(reference.privateBytes).median, privateD = SpreadOf(referenceDlls.privateBytes).median;
    Spread launchS = SpreadOf(shell.toVisible), launchD = SpreadOf(direct.toVisible);
    Spread createdS = SpreadOf(shell.toProcess), createdD = SpreadOf(direct.toProcess);
    Spread createdCold = SpreadOf(coldShell);

    // The PE32's figures sit beside the twin's only when its code ran natively: through an emulator
    // they tell the emulator's speed, so they get a table of their own below.
    const bool native32 = options.i386 == I386::Native;
    const std::string build32 = "win32 (shipped)";
    const std::string launch64 = "win64 (64-bit stand-in)", launch32 = "win32 (shipped; 32-bit stand-in)";
    TableHead("Corvanta", "Reference");
    StartRows("win64", options.startRuns, corvanta, reference);
    if (native32)
        StartRows(build32, options.startRuns, corvanta32, reference32);
    // The same three figures for the reference importing the launcher's five DLLs, against the plain one.
    TimedRow("Where it goes, win64: start-up of the reference importing the launcher's five DLLs (in the "
             "Corvanta column), median",
             startD, startR);
    Row("Where it goes, win64: working set of the reference importing the launcher's five DLLs",
        Grouped(workingD / 1024) + " KiB", Grouped(workingR / 1024) + " KiB", workingD / workingR);
    Row("Where it goes, win64: private bytes of the reference importing the launcher's five DLLs",
        Grouped(privateD / 1024) + " KiB", Grouped(privateR / 1024) + " KiB", privateD / privateR);
    double size32C = FileSize(options.launcher32), size32R = FileSize(options.reference32);
    double size64C = FileSize(options.launcher64), size64R = FileSize(options.reference64);
    Row("Exe size, win32 (shipped)", Grouped(size32C) + " bytes", Grouped(size32R) + " bytes",
        size32C / size32R);
    Row("Exe size, win64", Grouped(size64C) + " bytes", Grouped(size64R) + " bytes", size64C / size64R);
    LaunchRows(launch64, options.launchRuns, 1, throughLauncher, direct);
    if (native32)
        LaunchRows(launch32, options.launchRuns, 2, throughLauncher32, direct32);
    std::string launchRuns = std::to_string(options.launchRuns);
    TimedRow("Wine: ShellExecuteA from here (warm) vs CreateProcessA, to visible stand-in, median of " + launchRuns,
             launchS, launchD);
    TimedRow("Wine: ShellExecuteA from here (warm) vs CreateProcessA, to the stand-in's process created",
             createdS, createdD);
    TimedRow("Wine: ShellExecuteA first in a fresh process (cold, as in the launcher) vs CreateProcessA, to the "
             "stand-in's process created",
             createdCold, createdD);
    std::string batches = "at least " + std::to_string(CensusBatches);
    for (const CensusPoint& point : census)
        Row("Census, " + Grouped(point.extra) + " extra window" + (point.extra == 1 ? "" : "s") +
                " of this thread (" + Grouped(point.total) + " in all), per walk, fastest of " + batches +
                " batches; reference: bare GetWindow walk",
            Micros(point.census), Micros(point.bareWalk), point.census / point.bareWalk);
    for (const CensusPoint& point : foreignCensus)
        Row("Census, " + Grouped(point.extra) + " extra windows of another process (" + Grouped(point.total) +
                " in all), per walk, fastest of " + batches + " batches; reference: bare GetWindow walk",
            Micros(point.census), Micros(point.bareWalk), point.census / point.bareWalk);
    // Linear means the same cost per window at every size.
    LinearityRow("this thread", census[1], census[2]);
    LinearityRow("another process", foreignCensus[0], foreignCensus[1]);

    std::printf("\n");
    switch (options.i386) {
    case I386::Native:
        std::printf("32-bit code ran natively: the win32 rows are the shipped PE32's own figures under 32-bit "
                    "Wine, against the 32-bit reference; the win64 rows are the 64-bit reference run of its "
                    "twin.\n");
        break;
    case I386::Emulated:
        std::printf("32-bit code ran through an emulator (qemu-i386): the shipped PE32's figures below are the "
                    "emulator's speed, not the launcher's, and are kept apart from the table above.\n\n");
        TableHead("Corvanta, emulated", "Reference, emulated");
        StartRows(build32 + " through qemu-i386", options.startRuns, corvanta32, reference32);
        LaunchRows(launch32 + " through qemu-i386", options.launchRuns, 2, throughLauncher32, direct32);
        break;
    case I386::None:
        std::printf("32-bit code does not run on this machine: the shipped PE32 was only weighed, not started; "
                    "the win64 rows are its 64-bit twin's.\n");
        break;
    }
    return 0;
}
