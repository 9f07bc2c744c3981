// The hook behind support::WindowRefusal, in a library of its own so that the system can load it
// into every process that makes a window while the hook is set: it refuses to make the launcher's
// main window and its settings dialog, and lets every other window be made.
#include <windows.h>

#include "expected.h"

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
