// The launch procedure.
#include "launcher.h"

#include "copy_table.h"
#include "platform.h"
#include "texts.h"
#include "window_census.h"

// Length of the folder part of path: up to and including its last backslash; 0 when it has none.
static unsigned FolderLength(const char* path)
{
    unsigned length = 0;
    for (unsigned i = 0; path[i] != '\0'; ++i)
        if (path[i] == '\\')
            length = i + 1;
    return length;
}

// The directory search takes '<', '>' and '"' as wildcards too, besides '*' and '?'.
static bool HasWildcard(const char* path)
{
    for (unsigned i = 0; path[i] != '\0'; ++i)
        switch (path[i]) {
        case '*': case '?': case '<': case '>': case '"': return true;
        }
    return false;
}

// The program a launch starts: the path as the platform resolves it to a full path, which must
// name a file. The existence test also takes a folder named without its backslash, a wildcard
// that matches, a relative path or forward slashes; the managed program is handed the folder as
// written to the location file, so only a real file's own full folder may go there.
bool ResolveExecutable(const char* path, char (&executable)[TextBufferSize])
{
    if (!FileExists(path) || HasWildcard(path))
        return false;
    if (PlatformFullPath(path, executable, TextBufferSize) == 0)
        return false;
    return PlatformFindFile(executable) == FoundEntry::File;
}

// True while the platform is starting a copy. Its own prompt during a start (elevation, or the
// warning for a program on a network share) runs a message loop in which the next press of a copy
// button arrives before the copy's process exists, so no census could see it.
static bool Starting;

// Writes the executable's folder into the location file and starts it from that folder. A file
// that could not be written in full counts as a refused start.
static StartResult PointAndStart(const char* executable)
{
    char folder[TextBufferSize];
    CopyText(folder, executable, TextBufferSize);
    unsigned length = FolderLength(folder);
    if (length == 0)
        return StartResult::Refused;
    folder[length] = '\0';

    char locationName[LocationNameSize];
    if (PlatformWindowsDirectory(locationName, TextBufferSize) == 0)
        return StartResult::Refused;
    AppendText(locationName, Text::LocationFileName, LocationNameSize);

    // A copy started against an empty or partial location file could work on the wrong data,
    // so nothing is started unless every byte of the folder reached the file.
    if (!PlatformReplaceFile(locationName, folder, length))
        return StartResult::Refused;
    Starting = true;
    StartResult result = PlatformStartProgram(executable, folder);
    Starting = false;
    return result;
}

void LaunchCopy(const char* path)
{
    char executable[TextBufferSize];
    StartResult result = ResolveExecutable(path, executable) ? PointAndStart(executable) : StartResult::Refused;
    // A start the user declined at the platform's prompt was the user's own answer: nothing is said.
    if (result == StartResult::Refused)
        PlatformShowBox(Text::BadPathText, Text::BadPathCaption, BoxIcon::Warning);
}

void LaunchSlot(int slot)
{
    // A press while a copy is being started is dropped: the platform's prompt is in front of the
    // user, and a second copy must not start behind the first one's back. A press while a box is
    // up is handled like any other and answered by a box of its own, on top.
    if (Starting)
        return;
    if (!IsManagedProgramRunning())
        LaunchCopy(SlotAt(slot).path);
}
