// Helpers for the tests that run the core and its Win32 platform layer under Wine: message boxes
// caught and dismissed, files in the prefix, titled windows and started copies.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One message box as the user would have seen it.
struct CaughtBox {
    std::string caption;
    std::string text;
    HICON icon;  // compare with StandardIcon(...); null when the box shows none
};

// While alive, records every message box this thread opens and closes it with OK at once, so the
// real MessageBoxA runs and returns. One at a time.
class BoxCatcher {
public:
    BoxCatcher();
    ~BoxCatcher();
    BoxCatcher(const BoxCatcher&) = delete;
    BoxCatcher& operator=(const BoxCatcher&) = delete;

    const std::vector<CaughtBox>& Boxes() const { return boxes; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK hook;
    HWND last = nullptr;
    std::vector<CaughtBox> boxes;
};

// The shared icon a message box shows for IDI_WARNING, IDI_ERROR and the like.
HICON StandardIcon(LPCSTR id);

// A top-level window of this process with the given title; never shown, destroyed with the object.
class TitledWindow {
public:
    explicit TitledWindow(const std::string& title);
    ~TitledWindow();
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    HWND Handle() const { return window; }

private:
    HWND window;
};

// GetWindowsDirectoryA joined with "\" and name.
std::string InWindowsDirectory(const std::string& name);

// Whole-file bytes; ReadBytes gives "<missing>" for a file that cannot be opened.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Deletes a file, or a folder with everything in it; quiet when there is nothing.
void RemovePath(const std::string& path);

// Creates the folders of path (a file path) and copies the launch probe there under that name.
void PlaceProbe(const std::string& path);

// Waits until the probe at path has recorded the folder it ran in, and returns that folder;
// "<not started>" when nothing is recorded within timeoutMs.
std::string ProbeFolder(const std::string& path, DWORD timeoutMs);

// Waits for every process running from an exe named name to end, ending any that outstay a moment.
void EndProcessesNamed(const std::string& name);

// Sets the current directory for the lifetime of the object.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder);
    ~CurrentDirectory();

private:
    char saved[MAX_PATH];
};
