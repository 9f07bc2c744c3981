// The program's entry point, its start-up and the one message loop.
#include "program.h"

#include "../core/platform.h"
#include "../core/texts.h"
#include "../core/window_census.h"
#include "../resources/resource.h"
#include "main_window.h"
#include "ui_texts.h"

HINSTANCE InstanceHandle;
HICON AppIcon;
INT_PTR DialogSlot;

constexpr int MainWindowWidth = 640;
constexpr int MainWindowHeight = 300;

// The exit code of a launcher whose main window could not be made (the refusal of a second
// launcher exits with its box's result, 1).
constexpr int WindowNotMadeExitCode = 2;

#ifndef _WIN64
static_assert(sizeof(WNDCLASSEXA) == 48, "the 32-bit program registers its class with the 48-byte record");
#endif

// The origin that centres size pixels on a screen of screen pixels; negative when it does not fit.
static int CenterOrigin(int size, int screen)
{
    // Each half is an unsigned shift, so an odd size drops its remainder; only the difference is
    // signed, and it goes negative on a screen narrower than the window.
    int screenHalf = static_cast<int>(static_cast<unsigned>(screen) >> 1);
    int sizeHalf = static_cast<int>(static_cast<unsigned>(size) >> 1);
    return screenHalf - sizeHalf;
}

// The class's result is not examined: a failure shows up as a window that never appears.
static void RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = AppIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = Text::WindowClass;
    windowClass.hIconSm = AppIcon;
    RegisterClassExA(&windowClass);
}

// Runs until WM_QUIT and returns its code.
static int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        // The dialog is modal and pumps its own messages, so here the slot is 0, or -1 left by a
        // dialog that failed to open. -1 is passed on like any other value: it names no window,
        // so IsDialogMessageA finds nothing to do and the message is dispatched as usual.
        if (DialogSlot != 0 && IsDialogMessageA(reinterpret_cast<HWND>(DialogSlot), &message) == 1)
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// Shows the refusal of a second launcher and ends the process with the box's result, without
// showing or destroying a window.
static void RefuseToRun()
{
    ExitProcess(static_cast<UINT>(
        PlatformShowBox(Text::LauncherRunningText, Text::LauncherRunningCaption, BoxIcon::Error)));
}

// Two launchers started at the same moment can each count the other's hidden window and both
// refuse. A mutex named after the launcher's title picks one of them before either makes a
// window: the one that creates it goes on, one that finds it there refuses. The handle is kept to
// the end of the process; a refused launcher lets go of its own first, so that it does not keep the
// mutex alive after the launcher that runs has ended. A mutex that cannot be made at all leaves the
// title rule alone to decide.
static void RefuseIfAnotherIsStarting()
{
    HANDLE mutex = CreateMutexA(nullptr, FALSE, Text::WindowTitle);
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS)
        return;
    CloseHandle(mutex);
    RefuseToRun();
}

int StartUp(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    RefuseIfAnotherIsStarting();
    AppIcon = LoadIconA(instance, MAKEINTRESOURCEA(APP_ICON));
    RegisterMainWindowClass(instance);

    // Created hidden: its WM_CREATE builds the buttons and loads the settings before this returns.
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, Text::WindowClass, Text::WindowTitle,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CenterOrigin(MainWindowWidth, GetSystemMetrics(SM_CXSCREEN)),
                                  CenterOrigin(MainWindowHeight, GetSystemMetrics(SM_CYSCREEN)),
                                  MainWindowWidth, MainWindowHeight, nullptr, nullptr, instance, nullptr);

    // Without its window the launcher could only sit invisibly holding the start-up mutex, and
    // every later launcher would refuse: it ends at once instead, with a code that says so.
    if (window == nullptr)
        return WindowNotMadeExitCode;

    // Another launcher's window, or any window with exactly its title: refuse, and leave without
    // showing or destroying our own.
    if (IsAnotherLauncherRunning())
        RefuseToRun();

    ShowWindow(window, SW_SHOWNORMAL);
    return RunMessageLoop();
}

// The process entry: no start-up library runs before it, and the command line is never read.
extern "C" void WINAPI EntryPoint()
{
    InstanceHandle = GetModuleHandleA(nullptr);
    ExitProcess(static_cast<UINT>(StartUp(InstanceHandle, nullptr, nullptr, SW_SHOWDEFAULT)));
}
