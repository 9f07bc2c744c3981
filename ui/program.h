// What the Windows program's files share: its process-wide values and the start-up.
#pragma once

#include <windows.h>

// The program's module handle, from GetModuleHandleA(null) at entry.
extern HINSTANCE InstanceHandle;

// Icon 500, loaded once at start: class icon, small icon and About box icon.
extern HICON AppIcon;

// The Configure command's DialogBoxParamA result: 0 once the dialog has closed, -1 after it
// failed to open. The message loop hands it to IsDialogMessageA whenever it is not 0.
extern INT_PTR DialogSlot;

// Registers the class, creates the main window hidden, applies the single-instance rule, shows the
// window and runs the message loop. Returns the process exit code. The last three arguments, in
// the platform's usual shape, are not read.
int StartUp(HINSTANCE instance, HINSTANCE, LPSTR, int);
