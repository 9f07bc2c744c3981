// The yardstick: the smallest Windows program with the launcher's kind of window, and nothing else.
//
// One empty 640 x 300 window of its own class, centred the way the launcher centres its own, with the
// launcher's styles, shown once and closed by WM_CLOSE. No resources, no buttons, no settings: built
// with the launcher's runtime-free flags and entry, whatever it costs is the floor under the launcher.
#include <windows.h>

// Shared with the benchmark driver, which finds the window by this title.
constexpr char ReferenceTitle[] = "Corvanta Bench Reference Window";
constexpr char ReferenceClass[] = "CorvantaBenchReferenceClass";

constexpr int WindowWidth = 640;
constexpr int WindowHeight = 300;

// Halves taken by an unsigned shift, as the launcher does.
static int CenterOrigin(unsigned size, unsigned screen)
{
    return static_cast<int>((screen >> 1) - (size >> 1));
}

static LRESULT CALLBACK ReferenceWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

static int RunReference(HINSTANCE instance)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_BYTEALIGNWINDOW;
    windowClass.lpfnWndProc = ReferenceWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = ReferenceClass;
    RegisterClassExA(&windowClass);

    int x = CenterOrigin(WindowWidth, GetSystemMetrics(SM_CXSCREEN));
    int y = CenterOrigin(WindowHeight, GetSystemMetrics(SM_CYSCREEN));
    // Created hidden and shown afterwards, the launcher's sequence.
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, ReferenceClass, ReferenceTitle,
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y,
                                  WindowWidth, WindowHeight, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

extern "C" void WINAPI EntryPoint()
{
    ExitProcess(static_cast<UINT>(RunReference(GetModuleHandleA(nullptr))));
}
