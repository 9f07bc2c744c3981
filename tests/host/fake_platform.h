// A recording stand-in for core/platform.h: scripted files, profile, windows and failures, and
// logs of everything the core shows, writes or starts. Shared by the host tests and the fuzzers.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "../../core/platform.h"

namespace Fake {

// Every logged call carries its place in one sequence, so tests can check the order across logs.
struct ProfileRead { int order; std::string file, section, key; unsigned size; };
struct ProfileWrite { int order; std::string file, section, key, value; };
struct Box { int order; std::string text, caption; BoxIcon icon; };
struct Start { int order; std::string path, folder; };
struct Caption { int order; int slot; std::string text; };
struct FileWrite { int order; std::string name, bytes; };   // the bytes that reached the file
struct ProfileEntry { std::string section, key, value; };
struct File { std::string name, bytes; };

enum class ReplaceOutcome { Written, CreateFails, WriteFails };

// --- The scripted world.

// Paths PlatformFindFile finds as files, and as folders, matched byte for byte (the real search
// also takes other spellings and wildcards; the tests name exactly what should exist).
extern std::set<std::string> existingPaths;
extern std::set<std::string> existingFolders;
// The settings file. Section and key names match in any ASCII case, as the profile routines do.
extern std::vector<ProfileEntry> profile;
// Top-level windows in walk order, by title; a title longer than the buffer is cut as
// GetWindowTextA cuts it. With walkGoesRound the window after the last is the first again, as in
// a walk that runs in circles while windows are reordered.
extern std::vector<std::string> windowTitles;
extern bool walkGoesRound;
// When not empty, the walk visits these positions in windowTitles in this order instead, the same
// window more than once if it is listed so, as a walk does when windows are raised during it.
extern std::vector<int> walkOrder;
// The position in windowTitles of the launcher's own main window; -1 (after Reset) for none.
extern int ownWindow;
extern std::string windowsDirectory;    // "C:\WINDOWS" after Reset
extern std::string currentDirectory;    // "C:\WORK" after Reset
// Files on disk, by exact name; PlatformReplaceFile replaces or adds an entry.
extern std::vector<File> files;

// --- Failure switches.

extern std::set<int> failingProfileWrites;     // 0-based positions among PlatformWriteProfile calls
extern ReplaceOutcome replaceOutcome;
extern unsigned partialLength;                 // bytes that reach the file when the write fails
extern bool windowsDirectoryFails;
extern bool fullPathFails;
extern StartResult startResult;         // what every start reports
// Whether the program started last still runs: every start that succeeds sets it.
extern bool startedProgramRunning;

// --- Things that happen while the core waits on the platform: a start or a box runs a message
// loop, in which the user can press another button. Called once each, then cleared.
extern std::function<void()> duringStart;
extern std::function<void()> duringBox;

// --- What the core did.

extern std::vector<ProfileRead> profileReads;
extern std::vector<ProfileWrite> profileWrites;
extern std::vector<Box> boxes;
extern std::vector<Start> starts;           // refused starts included
extern std::vector<Caption> captions;
extern std::vector<FileWrite> fileWrites;

// Forgets everything above, restores the defaults and empties the copy table, so each test or
// fuzz input starts as the program does.
void Reset();

// The content of a file, or null.
const std::string* FileBytes(const std::string& name);

// The last caption set on slot (1 to 4), or empty text when none was set.
std::string CaptionOf(int slot);

}  // namespace Fake
