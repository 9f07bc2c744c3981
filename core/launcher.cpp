// The launch procedure.
#include "launcher.h"

#include "copy_table.h"
#include "platform.h"
#include "texts.h"
#include "window_census.h"

unsigned FolderLength(const char* path)
{
    unsigned length = 0;
    for (unsigned i = 0; path[i] != '\0'; ++i)
        if (path[i] == '\\')
            length = i + 1;
    return length;
}

static bool HasWildcard(const char* path)
{
    for (unsigned i = 0; path[i] != '\0'; ++i)
        if (path[i] == '*' || path[i] == '?')
            return true;
    return false;
}

// The program a launch starts: the path as the platform resolves it to a full path, which must
// name a file. The existence test also takes a folder named without its backslash, a wildcard
// that matches, a relative path or forward slashes; the managed program is handed the folder as
// written to the location file, so only a real file's own full folder may go there.
static bool ResolveExecutable(const char* path, char (&executable)[TextBufferSize])
{
    if (!FileExists(path) || HasWildcard(path))
        return false;
    if (PlatformFullPath(path, executable, TextBufferSize) == 0)
        return false;
    return PlatformFindFile(executable) == FoundEntry::File;
}

// Writes the executable's folder into the location file and starts it from that folder.
// Returns false when the file could not be written in full or the start was refused.
static bool PointAndStart(const char* executable)
{
    char folder[TextBufferSize];
    CopyText(folder, executable, TextBufferSize);
    unsigned length = FolderLength(folder);
    if (length == 0)
        return false;
    folder[length] = '\0';

    char locationName[LocationNameSize];
    if (PlatformWindowsDirectory(locationName, TextBufferSize) == 0)
        return false;
    AppendText(locationName, Text::LocationFileName, LocationNameSize);

    // A copy started against an empty or partial location file could work on the wrong data,
    // so nothing is started unless every byte of the folder reached the file.
    if (!PlatformReplaceFile(locationName, folder, length))
        return false;
    return PlatformStartProgram(executable, folder);
}

void LaunchCopy(const char* path)
{
    char executable[TextBufferSize];
    if (!ResolveExecutable(path, executable) || !PointAndStart(executable))
        PlatformShowBox(Text::BadPathText, Text::BadPathCaption, BoxIcon::Warning);
}

void LaunchSlot(int slot)
{
    // A box, or the platform's own prompt during a start, runs a message loop in which the next
    // press of a copy button arrives before this one has finished: it is dropped, so no second
    // copy can start behind the first one's back.
    static bool launching;
    if (launching)
        return;
    launching = true;
    if (!IsManagedProgramRunning())
        LaunchCopy(SlotAt(slot).path);
    launching = false;
}
