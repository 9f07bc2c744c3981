// Counting top-level windows by title, and the two one-at-a-time rules built on it.
#pragma once

// The platform's opaque top-level window (core/platform.h).
typedef struct PlatformWindowTag* PlatformWindow;

// Number of top-level windows whose title equals target; with a compare length other than 0 only
// that many leading characters of each title take part. Every visit of the walk to passedOver, when
// it is given, is left out.
unsigned CountWindowsTitled(const char* target, unsigned compareLength, PlatformWindow passedOver = nullptr);

// True when a managed-program window is open, or the copy this launcher started last is still
// running; the user has then been told and no copy may start.
bool IsManagedProgramRunning();

// True when a window other than the launcher's own carries exactly its title: another launcher's,
// or any other program's. Shows nothing.
bool IsAnotherLauncherRunning();
