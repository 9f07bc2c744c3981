// The settings dialog's procedure: fill from the copy table, browse, validate, save.
#include "setup_dialog.h"

#include <stddef.h>

#include "../core/copy_table.h"
#include "../core/launcher.h"
#include "../core/platform.h"
#include "../core/settings_file.h"
#include "../core/texts.h"
#include "../resources/resource.h"
#include "program.h"
#include "ui_texts.h"

static_assert(PathEditId(1) == PATH_EDIT_1 && PathEditId(4) == PATH_EDIT_4, "path edit ids");
static_assert(BrowseButtonId(1) == BROWSE_BUTTON_1 && BrowseButtonId(4) == BROWSE_BUTTON_4,
              "browse button ids");
static_assert(DescriptionEditId(1) == DESCRIPTION_EDIT_1 && DescriptionEditId(4) == DESCRIPTION_EDIT_4,
              "description edit ids");
static_assert(PathEditBeside(BROWSE_BUTTON_3) == PATH_EDIT_3 &&
              DescriptionEditBeside(BROWSE_BUTTON_3) == DESCRIPTION_EDIT_3,
              "a browse button leads to its own copy's edits");

// The chooser's short record (OPENFILENAME_SIZE_VERSION_400A): the fields up to lpTemplateName,
// which every version of the chooser accepts. Written out because the header's macro is not a
// constant expression.
constexpr DWORD ShortChooserSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifdef _WIN64
static_assert(ShortChooserSize == 136, "the 64-bit short record is 136 bytes");
#else
static_assert(ShortChooserSize == 76, "the 32-bit program hands the chooser its 76-byte short record");
#endif

// One record for the whole run, all zeros at start. Only the fields set below are touched, so the
// rest, nFilterIndex among them, keep whatever the last use of the chooser left in them.
static OPENFILENAMEA Chooser;
static char ChosenFile[TextBufferSize];

typedef BOOL(WINAPI* OpenFileNameProc)(OPENFILENAMEA*);

// The chooser's library is loaded on the first Browse rather than at start: it brings a train of
// other libraries with it, which would otherwise make up most of the launcher's memory for a
// dialog most runs never open. Null when the library cannot be had.
static OpenFileNameProc ChooserProc()
{
    static OpenFileNameProc proc;
    if (proc == nullptr) {
        HMODULE library = LoadLibraryA(Text::ChooserLibrary);
        if (library != nullptr)
            proc = reinterpret_cast<OpenFileNameProc>(
                reinterpret_cast<void*>(GetProcAddress(library, Text::ChooserEntry)));
    }
    return proc;
}

// Lets the user pick the executable for the copy whose browse button is id; a chosen file goes
// into that copy's path edit and the focus to its description edit. A cancel changes nothing.
static void BrowseForExecutable(HWND dialog, int id)
{
    OpenFileNameProc chooseFile = ChooserProc();
    if (chooseFile == nullptr)
        return;
    for (char& byte : ChosenFile)
        byte = '\0';
    Chooser.lStructSize = ShortChooserSize;
    Chooser.hwndOwner = dialog;
    Chooser.hInstance = InstanceHandle;
    Chooser.lpstrFilter = Text::ChooserFilter;
    Chooser.lpstrFile = ChosenFile;
    Chooser.nMaxFile = TextBufferSize;
    Chooser.lpstrTitle = Text::ChooserTitle;
    Chooser.Flags = OFN_LONGNAMES | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
    // The open-file chooser may leave the process's current folder wherever the user browsed,
    // whatever OFN_NOCHANGEDIR asks, and relative paths in this dialog and on the copy buttons are
    // taken from the current folder: a folder read in full is put back however the chooser ends (the
    // result is not examined: there is no other folder to go back to).
    char folder[TextBufferSize];
    DWORD folderLength = GetCurrentDirectoryA(TextBufferSize, folder);
    BOOL chosen = chooseFile(&Chooser);
    if (folderLength != 0 && folderLength < TextBufferSize)
        SetCurrentDirectoryA(folder);
    // A failed chooser can leave bytes in the buffer (a name too long for it leaves the size it
    // needed), so only a file actually chosen counts; a cancel leaves the buffer empty.
    if (!chosen || ChosenFile[0] == '\0')
        return;
    SetDlgItemTextA(dialog, PathEditBeside(id), ChosenFile);
    SetFocus(GetDlgItem(dialog, DescriptionEditBeside(id)));
}

static void FillFields(HWND dialog)
{
    for (int slot = 1; slot <= SlotCount; ++slot) {
        SetDlgItemTextA(dialog, PathEditId(slot), SlotAt(slot).path);
        SetDlgItemTextA(dialog, DescriptionEditId(slot), SlotAt(slot).description);
    }
}

static void FocusControl(HWND dialog, int id)
{
    SetFocus(GetDlgItem(dialog, id));
}

// Every filled-in path must be one a launch would start (an existing file, not a folder, with no
// wildcard) and at least one must be given; only then are the eight fields taken into the copy
// table, saved, and the dialog closed. Descriptions are never checked.
static void AcceptSettings(HWND dialog)
{
    bool allValid = true;
    bool noneGiven = true;
    char path[TextBufferSize];
    char executable[TextBufferSize];
    for (int slot = 1; slot <= SlotCount; ++slot) {
        GetDlgItemTextA(dialog, PathEditId(slot), path, TextBufferSize);
        if (path[0] == '\0')
            continue;
        if (ResolveExecutable(path, executable)) {
            noneGiven = false;
            continue;
        }
        allValid = false;
        // Copy 1's warning shows the bad path itself while copies 2 to 4 get the fixed text: the
        // behaviour is kept as it is specified for the program's users, not a slip to tidy.
        PlatformShowBox(slot == 1 ? path : Text::BadPathText, Text::BadPathCaption, BoxIcon::Warning);
        FocusControl(dialog, PathEditId(slot));
    }
    if (!allValid)
        return;
    if (noneGiven) {
        PlatformShowBox(Text::BadPathText, Text::BadPathCaption, BoxIcon::None);
        FocusControl(dialog, PathEditId(1));
        return;
    }

    for (int slot = 1; slot <= SlotCount; ++slot) {
        CopySlot& copy = SlotAt(slot);
        GetDlgItemTextA(dialog, PathEditId(slot), copy.path, TextBufferSize);
        GetDlgItemTextA(dialog, DescriptionEditId(slot), copy.description, TextBufferSize);
    }
    SaveSettings();
    SendMessageA(dialog, WM_CLOSE, 0, 0);
}

static void CloseDialog(HWND dialog)
{
    EndDialog(dialog, 0);
    DialogSlot = 0;
}

// Id 2 is copy 1's browse button even when it arrives as IDCANCEL (the Escape key); id 1, IDOK,
// is copy 1's path edit and is not acted on.
static void OnDialogCommand(HWND dialog, int id, int code)
{
    if (code != 0)
        return;
    switch (id) {
    case BROWSE_BUTTON_1:
    case BROWSE_BUTTON_2:
    case BROWSE_BUTTON_3:
    case BROWSE_BUTTON_4: BrowseForExecutable(dialog, id); return;
    case ACCEPT_BUTTON: AcceptSettings(dialog); return;
    case CANCEL_BUTTON: SendMessageA(dialog, WM_CLOSE, 0, 0); return;
    }
}

// The dialog ends with result 0 whether accepted or cancelled; closing it from its system menu
// comes here as WM_CLOSE, like the cancel button.
INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: FillFields(dialog); return TRUE;
    case WM_CLOSE: CloseDialog(dialog); return TRUE;
    case WM_COMMAND: OnDialogCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    default: return FALSE;
    }
}
