// The main window's procedure: its buttons, their commands and the Alt+letter mapping.
#include "main_window.h"

#include <shellapi.h>

#include "../core/copy_table.h"
#include "../core/launcher.h"
#include "../core/platform.h"
#include "../core/settings_file.h"
#include "../core/texts.h"
#include "../resources/resource.h"
#include "platform_win32.h"
#include "program.h"
#include "setup_dialog.h"
#include "ui_texts.h"

static_assert(CopyButtonId(1) == COPY_BUTTON_1 && CopyButtonId(4) == COPY_BUTTON_4,
              "a copy button's id is its slot");

struct ButtonPlace {
    int id;
    int x, y, width, height;
    const char* caption;        // null for the copy buttons: the settings caption them
};

// In creation order, client-area pixels. The copy buttons step down 50 pixels from y = 20.
// Mnemonics used: 1 2 3 4 (from the copy captions' "&N. "), A, C, S.
constexpr ButtonPlace MainButtons[] = {
    {COPY_BUTTON_1, 20, 20, 590, 28, nullptr},
    {COPY_BUTTON_2, 20, 70, 590, 28, nullptr},
    {COPY_BUTTON_3, 20, 120, 590, 28, nullptr},
    {COPY_BUTTON_4, 20, 170, 590, 28, nullptr},
    {ABOUT_BUTTON, 20, 220, 176, 28, Text::AboutCaption},
    {CONFIGURE_BUTTON, 227, 220, 176, 28, Text::ConfigureCaption},
    {EXIT_BUTTON, 435, 220, 176, 28, Text::ExitCaption},
};

struct MnemonicKey {
    int key;        // virtual-key code
    int id;         // the button it clicks
};

constexpr MnemonicKey MnemonicKeys[] = {
    {'1', COPY_BUTTON_1}, {'2', COPY_BUTTON_2}, {'3', COPY_BUTTON_3}, {'4', COPY_BUTTON_4},
    {'A', ABOUT_BUTTON},  {'C', CONFIGURE_BUTTON}, {'S', EXIT_BUTTON},
};

// A plain push button: CreateWindowExA of class BUTTON with WS_CHILD | WS_VISIBLE, the id in
// place of a menu, and the module handle taken afresh.
static HWND CreateButton(HWND parent, int x, int y, int width, int height, const char* caption, int id,
                  DWORD extendedStyle)
{
    return CreateWindowExA(extendedStyle, Text::ButtonClass, caption, WS_CHILD | WS_VISIBLE, x, y,
                           width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

// The push button's own window procedure, which the copy buttons pass everything on to.
static WNDPROC ButtonProc;

// A push button takes the second press of a double-click as a click of its own, and on a copy
// button that would be a second start of the same copy: there the second press is dropped, so a
// double-click is one click.
static LRESULT CALLBACK CopyButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDBLCLK)
        return 0;
    return CallWindowProcA(ButtonProc, button, message, wParam, lParam);
}

static void OnCreate(HWND window)
{
    HFONT font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    for (const ButtonPlace& place : MainButtons) {
        HWND button = CreateButton(window, place.x, place.y, place.width, place.height,
                                   place.caption, place.id, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        if (place.id >= COPY_BUTTON_1 && place.id <= COPY_BUTTON_4)
            ButtonProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CopyButtonProc)));
    }
    MainWindowHandle = window;
    LoadSettings();
}

static void ShowAbout(HWND window)
{
    ShellAboutA(window, Text::WindowTitle, Text::AboutText, AppIcon);
}

static void OpenSetupDialog(HWND window)
{
    DialogSlot = DialogBoxParamA(InstanceHandle, Text::SetupDialogName, window, SetupDialogProc, 0);
    if (DialogSlot == -1)
        PlatformShowBox(Text::SetupOpenFailedText, Text::WindowTitle, BoxIcon::Error);
}

// code is everything in wParam above the id: only a plain click, with nothing there, is acted on.
static void OnCommand(HWND window, int id, WPARAM code)
{
    if (code != 0)
        return;
    switch (id) {
    case COPY_BUTTON_1:
    case COPY_BUTTON_2:
    case COPY_BUTTON_3:
    case COPY_BUTTON_4: LaunchSlot(id); return;
    case ABOUT_BUTTON: ShowAbout(window); return;
    case CONFIGURE_BUTTON: OpenSetupDialog(window); return;
    case EXIT_BUTTON: DestroyWindow(window); return;
    }
}

// Alt with a caption's underlined letter puts the window into menu mode (it has only a system
// menu); each mapped key found down clicks its button, in table order, each click handled before
// the next key is read.
static void ClickMnemonicButtons(HWND window)
{
    for (const MnemonicKey& mapping : MnemonicKeys) {
        // A released key can still read 1, its toggle bit: only a higher state means down.
        if (static_cast<USHORT>(GetKeyState(mapping.key)) > 1)
            SendMessageA(GetDlgItem(window, mapping.id), BM_CLICK, 0, 0);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnCreate(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam), wParam >> 16); return 0;
    case WM_INITMENU: ClickMnemonicButtons(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
