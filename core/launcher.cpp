// The launch procedure.
#include "launcher.h"

#include "copy_table.h"
#include "platform.h"
#include "texts.h"

unsigned FolderLength(const char* path)
{
    unsigned length = 0;
    for (unsigned i = 0; path[i] != '\0'; ++i)
        if (path[i] == '\\')
            length = i + 1;
    return length;
}

// Writes the folder into the location file and starts the executable from that folder.
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
    bool ok = false;
    if (FileExists(path)) {
        // A bare or drive-relative name that the search found has no folder of its own: the
        // platform resolves it against the current directory, as the search did.
        char fullPath[TextBufferSize];
        const char* executable = path;
        if (FolderLength(path) == 0 && PlatformFullPath(path, fullPath, TextBufferSize) != 0)
            executable = fullPath;
        ok = PointAndStart(executable);
    }
    if (!ok)
        PlatformShowBox(Text::BadPathText, Text::BadPathCaption, BoxIcon::Warning);
}
