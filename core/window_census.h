// Counting top-level windows by title, and the two one-at-a-time rules built on it.
#pragma once

// Number of top-level windows whose title equals target; with a compare length other than 0 only
// that many leading characters of each title take part.
unsigned CountWindowsTitled(const char* target, unsigned compareLength);

// True when a managed-program window is open, or the copy this launcher started last is still
// running; the user has then been told and no copy may start.
bool IsManagedProgramRunning();

// True when another launcher's window exists. Shows nothing.
bool IsAnotherLauncherRunning();
