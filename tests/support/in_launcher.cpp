// What the test library runs inside the launcher's process, in a library the system loads there:
// hooks that refuse to make the launcher's main window and its settings dialog or hold the launcher
// once that window is made (LauncherHook), one that reads what a window holds and names it with that
// process's own handles (HeldBy), and, for a launcher copy that loads the library as its
// comdlg32.dll, a chooser that moves the current folder.
#include "support.h"

#include <algorithm>

static bool Named(const char* name, const char* expected)
{
    return name != nullptr && !IS_INTRESOURCE(name) && lstrcmpA(name, expected) == 0;
}

extern "C" __declspec(dllexport) LRESULT CALLBACK RefuseLauncherWindows(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* window = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (Named(window->lpszClass, Expected::MainClass) || Named(window->lpszName, Expected::SettingsTitle))
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Holds a launcher whose hidden main window has just been made, before it counts the windows titled
// as it, until the test lifts the hook (LauncherHook::Hold).
extern "C" __declspec(dllexport) LRESULT CALLBACK HoldAtMainWindow(int code, WPARAM wParam, LPARAM lParam)
{
    static const HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, support::GoEvent);  // the test made it before the hook
    const CWPRETSTRUCT* handled = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    char name[32];
    if (code == HC_ACTION && handled->message == WM_CREATE && GetClassNameA(handled->hwnd, name, sizeof name) &&
        Named(name, Expected::MainClass))
        WaitForSingleObject(go, support::WaitMs);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Reports to MenuOpenedBy that a window of this thread has handled WM_INITMENU.
extern "C" __declspec(dllexport) LRESULT CALLBACK ReportMenuOpened(int code, WPARAM wParam, LPARAM lParam)
{
    static const HANDLE go = OpenEventA(EVENT_MODIFY_STATE, FALSE, support::GoEvent);  // the test made it before the hook
    if (code == HC_ACTION && reinterpret_cast<CWPRETSTRUCT*>(lParam)->message == WM_INITMENU)
        SetEvent(go);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Answers HeldBy's question, posted to a window of this thread, as it is taken from the queue, and
// leaves the window a message it ignores. Here LoadIconA gives the very handles of the system's
// shared icons and of the program's own icon that the windows hold, GetStockObject the stock font's.
extern "C" __declspec(dllexport) LRESULT CALLBACK NameWhatIsHeld(int code, WPARAM removed, LPARAM lParam)
{
    MSG* asked = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && asked->message == RegisterWindowMessageA(support::HeldQuestion)) {
        const int what = static_cast<int>(asked->wParam);  // a class field's index when negative
        const LONG_PTR held = what < 0 ? GetClassLongPtrA(asked->hwnd, what) : SendMessageA(asked->hwnd, what, 0, 0);
        const HANDLE named[] = {nullptr, LoadIconA(nullptr, IDI_WARNING), LoadIconA(nullptr, IDI_ERROR),
                                LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(Expected::AppIcon)),
                                GetStockObject(ANSI_VAR_FONT)};  // in Held's order: past them is Other
        const auto name = std::find(std::begin(named), std::end(named), reinterpret_cast<HANDLE>(held)) - named;
        PostMessageA(reinterpret_cast<HWND>(asked->lParam), asked->message, 0, name);
        asked->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}

// Moves the process's current folder to this library's folder and chooses the library's own file.
#pragma GCC diagnostic ignored "-Wattributes"  // the header declares this entry imported, as callers see it
extern "C" __declspec(dllexport) BOOL WINAPI GetOpenFileNameA(OPENFILENAMEA* chooser)
{
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(GetModuleHandleA("comdlg32.dll"), folder, MAX_PATH);
    lstrcpynA(chooser->lpstrFile, folder, chooser->nMaxFile);
    while (length > 0 && folder[length - 1] != '\\')
        folder[--length] = '\0';
    return SetCurrentDirectoryA(folder);
}
