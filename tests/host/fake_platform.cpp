// The recording fake platform: core/platform.h over in-memory state.
#include "fake_platform.h"

#include <cstdint>
#include <cstring>
#include <strings.h>

#include "../../core/copy_table.h"

namespace Fake {

std::set<std::string> existingPaths;
std::set<std::string> existingFolders;
std::vector<ProfileEntry> profile;
std::vector<std::string> windowTitles;
bool walkGoesRound;
std::vector<int> walkOrder;
int ownWindow;
std::string windowsDirectory;
std::string currentDirectory;
std::vector<File> files;

std::set<int> failingProfileWrites;
ReplaceOutcome replaceOutcome;
unsigned partialLength;
bool windowsDirectoryFails;
bool fullPathFails;
StartResult startResult;
bool startedProgramRunning;
std::function<void()> duringStart;
std::function<void()> duringBox;

std::vector<ProfileRead> profileReads;
std::vector<ProfileWrite> profileWrites;
std::vector<Box> boxes;
std::vector<Start> starts;
std::vector<Caption> captions;
std::vector<FileWrite> fileWrites;

static int callCount;

void Reset()
{
    existingPaths.clear();
    existingFolders.clear();
    profile.clear();
    windowTitles.clear();
    walkGoesRound = false;
    walkOrder.clear();
    ownWindow = -1;
    windowsDirectory = "C:\\WINDOWS";
    currentDirectory = "C:\\WORK";
    files.clear();
    failingProfileWrites.clear();
    replaceOutcome = ReplaceOutcome::Written;
    partialLength = 0;
    windowsDirectoryFails = false;
    fullPathFails = false;
    startResult = StartResult::Started;
    startedProgramRunning = false;
    duringStart = nullptr;
    duringBox = nullptr;
    profileReads.clear();
    profileWrites.clear();
    boxes.clear();
    starts.clear();
    captions.clear();
    fileWrites.clear();
    callCount = 0;
    std::memset(CopyTable, 0, sizeof CopyTable);
}

// Section and key names only; ASCII folding is all the tests need of the system's case rules.
static bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

static ProfileEntry* FindEntry(const std::string& section, const std::string& key)
{
    for (ProfileEntry& entry : profile)
        if (SameName(entry.section, section) && SameName(entry.key, key))
            return &entry;
    return nullptr;
}

static File* FindFile(const std::string& name)
{
    for (File& file : files)
        if (file.name == name)
            return &file;
    return nullptr;
}

const std::string* FileBytes(const std::string& name)
{
    const File* file = FindFile(name);
    return file ? &file->bytes : nullptr;
}

std::string CaptionOf(int slot)
{
    for (auto caption = captions.rbegin(); caption != captions.rend(); ++caption)
        if (caption->slot == slot)
            return caption->text;
    return "";
}

// Copies at most size - 1 bytes, stopping at a zero as the system's text routines do.
static unsigned CopyCut(const std::string& text, char* buffer, unsigned size)
{
    unsigned length = 0;
    while (length + 1 < size && length < text.size() && text[length] != '\0') {
        buffer[length] = text[length];
        ++length;
    }
    buffer[length] = '\0';
    return length;
}

}  // namespace Fake

using namespace Fake;

void PlatformReadProfile(const char* file, const char* section, const char* key, char* value, unsigned size)
{
    profileReads.push_back({callCount++, file, section, key, size});
    const ProfileEntry* stored = FindEntry(section, key);
    CopyCut(stored ? stored->value : std::string(), value, size);
}

bool PlatformWriteProfile(const char* file, const char* section, const char* key, const char* value)
{
    int position = static_cast<int>(profileWrites.size());
    profileWrites.push_back({callCount++, file, section, key, value});
    if (failingProfileWrites.count(position) != 0)
        return false;
    if (ProfileEntry* entry = FindEntry(section, key))
        entry->value = value;
    else
        profile.push_back({section, key, value});
    return true;
}

FoundEntry PlatformFindFile(const char* path)
{
    if (existingPaths.count(path) != 0)
        return FoundEntry::File;
    return existingFolders.count(path) != 0 ? FoundEntry::Folder : FoundEntry::None;
}

unsigned PlatformWindowsDirectory(char* buffer, unsigned size)
{
    if (windowsDirectoryFails || windowsDirectory.size() >= size)
        return 0;
    return CopyCut(windowsDirectory, buffer, size);
}

// Forward slashes become backslashes; a full path ("C:\..." or "\\server\...") stays as it is;
// a path from the drive's root takes the current directory's drive; anything else is joined to
// the current directory (a drive-relative "C:name" too, as if that drive's own current directory
// were this one). The real routine also folds "." and "..", which no test here relies on.
unsigned PlatformFullPath(const char* path, char* buffer, unsigned size)
{
    std::string name = path;
    for (char& c : name)
        if (c == '/')
            c = '\\';
    std::string full;
    if (name.compare(0, 2, "\\\\") == 0 || (name.size() >= 3 && name[1] == ':' && name[2] == '\\'))
        full = name;
    else if (name.size() >= 2 && name[1] == ':')
        full = currentDirectory + "\\" + name.substr(2);
    else if (name[0] == '\\')
        full = currentDirectory.substr(0, 2) + name;
    else
        full = currentDirectory + "\\" + name;
    if (fullPathFails || full.size() >= size)
        return 0;
    return CopyCut(full, buffer, size);
}

bool PlatformReplaceFile(const char* name, const char* bytes, unsigned length)
{
    if (replaceOutcome == ReplaceOutcome::CreateFails)
        return false;
    unsigned reached = length;
    if (replaceOutcome == ReplaceOutcome::WriteFails && partialLength < length)
        reached = partialLength;
    std::string written(bytes, reached);
    fileWrites.push_back({callCount++, name, written});
    if (File* file = FindFile(name))
        file->bytes = written;
    else
        files.push_back({name, written});
    return replaceOutcome == ReplaceOutcome::Written;
}

// Runs a pending hook once, cleared first so that a hook may call back into the core.
static void RunOnce(std::function<void()>& hook)
{
    std::function<void()> pending = hook;
    hook = nullptr;
    if (pending)
        pending();
}

StartResult PlatformStartProgram(const char* path, const char* folder)
{
    starts.push_back({callCount++, path, folder});
    RunOnce(duringStart);
    if (startResult == StartResult::Started)
        startedProgramRunning = true;
    return startResult;
}

bool PlatformStartedProgramRunning()
{
    return startedProgramRunning;
}

// A window is its position in windowTitles plus one, so that null still ends the walk; the walk
// keeps its own place, so that it can meet a window more than once.
static std::size_t walkPlace;

static PlatformWindow WindowAtWalkPlace()
{
    std::size_t position = walkPlace;
    if (!walkOrder.empty()) {
        if (position >= walkOrder.size())
            return nullptr;
        position = static_cast<std::size_t>(walkOrder[position]);
    } else if (position >= windowTitles.size()) {
        if (!walkGoesRound || windowTitles.empty())
            return nullptr;
        position %= windowTitles.size();
    }
    return reinterpret_cast<PlatformWindow>(std::uintptr_t{position + 1});
}

PlatformWindow PlatformFirstWindow()
{
    walkPlace = 0;
    return WindowAtWalkPlace();
}

PlatformWindow PlatformNextWindow(PlatformWindow)
{
    ++walkPlace;
    return WindowAtWalkPlace();
}

PlatformWindow PlatformMainWindow()
{
    return ownWindow < 0 ? nullptr : reinterpret_cast<PlatformWindow>(std::uintptr_t(ownWindow) + 1);
}

void PlatformWindowTitle(PlatformWindow window, char* buffer, unsigned size)
{
    CopyCut(windowTitles[reinterpret_cast<std::uintptr_t>(window) - 1], buffer, size);
}

// Byte equality: lstrcmpA also ignores characters such as a soft hyphen, which no test uses.
bool PlatformTextsEqual(const char* a, const char* b)
{
    return std::strcmp(a, b) == 0;
}

void PlatformSetSlotCaption(int slot, const char* text)
{
    captions.push_back({callCount++, slot, text});
}

int PlatformShowBox(const char* text, const char* caption, BoxIcon icon)
{
    boxes.push_back({callCount++, text, caption, icon});
    RunOnce(duringBox);
    return 1;
}
