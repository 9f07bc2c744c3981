// Measures the launcher against the reference program and writes raw samples to OUT, one line each:
// build, program (Corvanta or Reference), figure, value, tab-separated; bench/report.py makes the tables.
//
//   bench_driver OUT WIN64_TREE WIN32_TREE native|emulated|none START_RUNS LAUNCH_RUNS
//
// Runs under wine64 in a 64-bit prefix with WoW64, so that it starts the shipped PE32 and its PE32+
// twin alike (the PE32s only when 32-bit code runs here). Every sample is a fresh process, and the
// programs take turns from round to round so that drift in the machine falls on all of them alike.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "support.h"

namespace {

constexpr char ReferenceTitle[] = "Corvanta Bench Reference Window";
constexpr char StandInName[] = "SuaWin.exe";
constexpr DWORD StartTimeoutMs = 20000;

[[noreturn]] void Fail(const std::string& what)
{
    std::fprintf(stderr, "bench_driver: %s\n", what.c_str());
    std::exit(1);
}

FILE* Samples;

void Sample(const std::string& build, const char* program, const char* figure, double value)
{
    std::fprintf(Samples, "%s\t%s\t%s\t%.3f\n", build.c_str(), program, figure, value);
}

// A wait on a condition with a deadline, like support::WaitUntil, but polled as tightly as the
// wineserver allows: the moment the condition first holds is the figure.
bool PollTightly(const std::function<bool()>& done, DWORD timeoutMs = StartTimeoutMs)
{
    const double deadline = support::NowMs() + timeoutMs;
    while (!done()) {
        if (support::NowMs() >= deadline)
            return done();
        SwitchToThread();
    }
    return true;
}

HWND VisibleWindow(const char* title)
{
    HWND window = FindWindowA(nullptr, title);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// A PE32 runs as a WoW64 process beside this 64-bit driver, a PE32+ as a native one: a program of
// the wrong kind would measure the other build under this one's name.
void RequireKind(const support::Child& child, const std::string& build, const std::string& exe)
{
    BOOL wow64 = FALSE;
    if (!IsWow64Process(child.Handle(), &wow64) || (wow64 != FALSE) != (build == "win32"))
        Fail("not a " + build + " process: " + exe);
}

// Tells the window to close and waits for its process to end.
void Close(HWND window, const support::Child& child, const std::string& what)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD code = 0;
    if (!child.WaitForExit(code))
        Fail(what + " did not end after WM_CLOSE");
}

// One start: CreateProcessA until the window is visible; the memory once the program waits for input.
void MeasureStart(const std::string& build, const char* program, const std::string& exe, const char* title)
{
    if (FindWindowA(nullptr, title) != nullptr)
        Fail(std::string("a window of an earlier run is still open: ") + title);
    support::Child child;
    HWND window = nullptr;
    const double start = support::NowMs();
    if (!child.Start(exe) || !PollTightly([&] { return (window = VisibleWindow(title)) != nullptr || !child.Running(); }))
        Fail("no window from " + exe);
    const double shown = support::NowMs();
    if (window == nullptr)
        Fail(exe + " ended before its window showed");
    RequireKind(child, build, exe);
    WaitForInputIdle(child.Handle(), 5000);
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    if (!GetProcessMemoryInfo(child.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        Fail("GetProcessMemoryInfo failed for " + exe);
    Close(window, child, exe);
    // Windows reports the private commit in both fields; Wine 8 leaves PrivateUsage at 0 and puts
    // it (anonymous resident plus swapped memory) in PagefileUsage only.
    const SIZE_T privateBytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    Sample(build, program, "start_ms", shown - start);
    Sample(build, program, "working_set_kib", counters.WorkingSetSize / 1024.0);
    Sample(build, program, "private_kib", privateBytes / 1024.0);
}

ULONGLONG SystemTimeNow()
{
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// Milliseconds from startTime to the creation of the copy's process (GetProcessTimes, which needs no
// polling), once its window shows; then ends the copy, so the next launch finds none running.
double MillisecondsToCopyCreated(ULONGLONG startTime)
{
    if (!support::WaitUntil([] { return VisibleWindow(Expected::StandInTitle) != nullptr; }, StartTimeoutMs))
        Fail("the copy's window never showed (a box may have shown instead)");
    std::vector<DWORD> ids = support::ProcessesNamed(StandInName);
    HANDLE process = ids.size() == 1 ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ids[0]) : nullptr;
    FILETIME created, exited, kernel, user;
    if (process == nullptr || !GetProcessTimes(process, &created, &exited, &kernel, &user))
        Fail("cannot read the creation time of the one running copy");
    CloseHandle(process);
    support::EndProcessesNamed(StandInName);
    const ULONGLONG creation = (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    return (static_cast<double>(creation) - static_cast<double>(startTime)) / 1e4;
}

// A click on a copy's button of a freshly started launcher, to the copy's process created.
void MeasureLaunch(const std::string& build, const std::string& exe, int copyButton)
{
    support::Launcher launcher;
    if (!launcher.Start("", exe) || launcher.WaitForMainWindow(StartTimeoutMs) == nullptr)
        Fail("the launcher's window never showed: " + exe);
    RequireKind(launcher.Process(), build, exe);
    WaitForInputIdle(launcher.Process().Handle(), 5000);
    const ULONGLONG startTime = SystemTimeNow();
    launcher.PostClick(copyButton);
    Sample(build, "Corvanta", "launch_ms", MillisecondsToCopyCreated(startTime));
    Close(launcher.Main(), launcher.Process(), exe);
}

// The reference: CreateProcessA of the same copy from its folder.
void MeasureDirectLaunch(const std::string& build, const std::string& copy)
{
    support::Child child;
    const ULONGLONG startTime = SystemTimeNow();
    if (!child.Start(copy, support::FolderOf(copy)))
        Fail("cannot start " + copy);
    Sample(build, "Reference", "launch_ms", MillisecondsToCopyCreated(startTime));
}

// Copy 1 is the 64-bit stand-in, which the twin starts; copy 2 the 32-bit one, which the PE32
// starts, as the shipped launcher starts a 32-bit program.
const std::string Copy64 = "C:\\SUA1\\SuaWin.exe", Copy32 = "C:\\SUA2\\SuaWin.exe";

void PlaceCopies(const std::string& standIn32)
{
    support::MakeFoldersFor(Copy32);
    if (!support::PlaceStandIn(Copy64) || !CopyFileA(standIn32.c_str(), Copy32.c_str(), FALSE) ||
        !support::WriteSettings({"[RUTAS]", "Copia_01=" + Copy64, "Copia_02=" + Copy32}))
        Fail("cannot place the copies and write Corvanta.ini");
}

// Runs the measurements in rounds, turning which goes first from round to round.
void InTurns(int rounds, const std::vector<std::function<void()>>& measurements)
{
    for (int round = 0; round < rounds; ++round)
        for (size_t turn = 0; turn < measurements.size(); ++turn)
            measurements[(static_cast<size_t>(round) + turn) % measurements.size()]();
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc == 7 ? argv[4] : "";
    const int startRuns = argc == 7 ? std::atoi(argv[5]) : 0, launchRuns = argc == 7 ? std::atoi(argv[6]) : 0;
    if ((mode != "native" && mode != "emulated" && mode != "none") || startRuns < 1 || launchRuns < 1)
        Fail("usage: bench_driver OUT WIN64_TREE WIN32_TREE native|emulated|none START_RUNS LAUNCH_RUNS");
    if ((Samples = std::fopen(support::OnDriveZ(argv[1]).c_str(), "w")) == nullptr)
        Fail(std::string("cannot write ") + argv[1]);
    const std::string win64 = support::OnDriveZ(argv[2]), win32 = support::OnDriveZ(argv[3]);
    const bool run32 = mode != "none";
    PlaceCopies(win32 + "\\tests\\e2e\\SuaWin.exe");

    std::vector<std::function<void()>> starts, launches;
    for (const std::string& build : {std::string("win64"), std::string("win32")}) {
        if (build == "win32" && !run32)
            continue;
        const std::string tree = build == "win64" ? win64 : win32, copy = build == "win64" ? Copy64 : Copy32;
        const int button = build == "win64" ? 1 : 2;
        starts.push_back([=] { MeasureStart(build, "Corvanta", tree + "\\Corvanta.exe", Expected::MainTitle); });
        starts.push_back([=] { MeasureStart(build, "Reference", tree + "\\bench\\Reference.exe", ReferenceTitle); });
        launches.push_back([=] { MeasureLaunch(build, tree + "\\Corvanta.exe", button); });
        launches.push_back([=] { MeasureDirectLaunch(build, copy); });
    }
    InTurns(startRuns, starts);
    InTurns(launchRuns, launches);
    return std::fclose(Samples) == 0 ? 0 : 1;
}
