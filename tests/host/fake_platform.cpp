// The recording fake platform: core/platform.h over in-memory state.
#include "fake_platform.h"

#include <cstdint>
#include <cstring>
#include <strings.h>

#include "../../core/copy_table.h"

namespace Fake {

std::set<std::string> existingPaths;
std::vector<ProfileEntry> profile;
std::vector<std::string> windowTitles;
std::string windowsDirectory;
std::string currentDirectory;
std::vector<File> files;

std::set<int> failingProfileWrites;
ReplaceOutcome replaceOutcome;
unsigned partialLength;
bool windowsDirectoryFails;
bool fullPathFails;
bool startFails;

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
    profile.clear();
    windowTitles.clear();
    windowsDirectory = "C:\\WINDOWS";
    currentDirectory = "C:\\WORK";
    files.clear();
    failingProfileWrites.clear();
    replaceOutcome = ReplaceOutcome::Written;
    partialLength = 0;
    windowsDirectoryFails = false;
    fullPathFails = false;
    startFails = false;
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

const std::string* ProfileValue(const std::string& section, const std::string& key)
{
    const ProfileEntry* entry = FindEntry(section, key);
    return entry ? &entry->value : nullptr;
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
    const std::string* stored = ProfileValue(section, key);
    CopyCut(stored ? *stored : std::string(), value, size);
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

bool PlatformFindFile(const char* path)
{
    return existingPaths.count(path) != 0;
}

unsigned PlatformWindowsDirectory(char* buffer, unsigned size)
{
    if (windowsDirectoryFails || windowsDirectory.size() >= size)
        return 0;
    return CopyCut(windowsDirectory, buffer, size);
}

// Joins the current directory and the name, dropping a drive prefix; the real routine also
// folds "." and "..", which no test here relies on.
unsigned PlatformFullPath(const char* path, char* buffer, unsigned size)
{
    std::string name = path;
    if (name.size() >= 2 && name[1] == ':')
        name.erase(0, 2);
    std::string full = currentDirectory + "\\" + name;
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

bool PlatformStartProgram(const char* path, const char* folder)
{
    starts.push_back({callCount++, path, folder});
    return !startFails;
}

// A window is its position in the walk plus one, so that null still ends the walk.
PlatformWindow PlatformFirstWindow()
{
    return windowTitles.empty() ? nullptr : reinterpret_cast<PlatformWindow>(std::uintptr_t{1});
}

PlatformWindow PlatformNextWindow(PlatformWindow window)
{
    std::uintptr_t next = reinterpret_cast<std::uintptr_t>(window) + 1;
    return next > windowTitles.size() ? nullptr : reinterpret_cast<PlatformWindow>(next);
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
    return 1;
}
