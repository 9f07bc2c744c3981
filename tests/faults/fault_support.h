// What the fault tests need beyond the end-to-end driver: files held open by this process, a
// crowd of this process's own top-level windows, and waits that keep those windows answering.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "../e2e/driver.h"

namespace faults {

// Opens an existing file as another program would, with the given sharing, until Release.
class HeldFile {
public:
    HeldFile() = default;
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    ~HeldFile() { Release(); }

    bool Hold(const std::string& name, DWORD share);
    void Release();

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// Hidden top-level windows owned by this process, destroyed with the crowd.
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

// Handles whatever was sent to this thread's windows, so that no other process waits on them.
void PumpMessages();
// e2e::WaitUntil with this thread's messages handled at every poll.
bool WaitPumping(const std::function<bool()>& done, DWORD timeoutMs = e2e::WaitMs);

// Milliseconds since an earlier QueryPerformanceCounter reading.
double MillisecondsSince(LARGE_INTEGER start);
LARGE_INTEGER Now();

// How a launcher's start-up ended: its main window shown, or the box refusing a second launcher.
enum class StartOutcome { Undecided, Shown, Refused };
// The outcome for the launcher process so far; refusal is the unowned box with that caption.
StartOutcome OutcomeOf(DWORD process, HWND* box = nullptr);

}  // namespace faults
