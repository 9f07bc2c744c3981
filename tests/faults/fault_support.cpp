// Fault-test helpers; see fault_support.h.
#include "fault_support.h"

namespace faults {

namespace {

constexpr char CrowdClass[] = "CorvantaFaultCrowd";
constexpr char LauncherRefusedCaption[] = "Ya hay un Programa de Corvanta activo";

}  // namespace

bool HeldFile::Hold(const std::string& name, DWORD share)
{
    Release();
    handle_ = CreateFileA(name.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    return handle_ != INVALID_HANDLE_VALUE;
}

void HeldFile::Release()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

WindowCrowd::WindowCrowd()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = CrowdClass;
    RegisterClassA(&windowClass);  // fails harmlessly when an earlier crowd registered it
}

WindowCrowd::~WindowCrowd()
{
    for (HWND window : windows_)
        DestroyWindow(window);
}

HWND WindowCrowd::Add(const std::string& title)
{
    // Hidden: the census looks at every top-level window, shown or not.
    HWND window = CreateWindowExA(0, CrowdClass, title.c_str(), WS_OVERLAPPED, 0, 0, 100, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (window != nullptr)
        windows_.push_back(window);
    return window;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitPumping(const std::function<bool()>& done, DWORD timeoutMs)
{
    return e2e::WaitUntil(
        [&] {
            PumpMessages();
            return done();
        },
        timeoutMs);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double MillisecondsSince(LARGE_INTEGER start)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(Now().QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

StartOutcome OutcomeOf(DWORD process, HWND* box)
{
    for (HWND dialog : e2e::DialogsOf(process))
        if (IsWindowVisible(dialog) && e2e::WindowTitle(dialog) == LauncherRefusedCaption) {
            if (box != nullptr)
                *box = dialog;
            return StartOutcome::Refused;
        }
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, e2e::MainTitle); window != nullptr;
         window = FindWindowExA(nullptr, window, nullptr, e2e::MainTitle))
        if (e2e::ProcessOf(window) == process && IsWindowVisible(window))
            return StartOutcome::Shown;
    return StartOutcome::Undecided;
}

}  // namespace faults
