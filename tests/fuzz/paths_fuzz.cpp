// Paths of any bytes through the existence test, the caption and the launch, against every
// failure the platform can report.
// Input: a flags byte, the bytes a failing write lets through, the Windows directory and the
// current directory as texts, then the path (the rest). The launch must start only a file found
// under its full path, and write only that path's folder.
#include "../../core/copy_table.h"
#include "../../core/launcher.h"
#include "../host/fake_platform.h"
#include "fuzz_support.h"

namespace {

enum Flags : unsigned {
    Exists = 1, CreateFails = 2, WriteFails = 4, StartFails = 8, NoWindowsDirectory = 16,
    NoFullPath = 32, ResolvesToFolder = 64, StartCancelled = 128,
};

const std::string Earlier = "C:\\ANTES\\";

// The program the launch should start: the platform's full path for the path, or empty when it
// gives none.
std::string Resolved(const std::string& path)
{
    char full[TextBufferSize];
    return PlatformFullPath(path.c_str(), full, TextBufferSize) != 0 ? std::string(full) : std::string();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    unsigned flags = input.Byte();
    unsigned partial = input.Byte();
    std::string windows = AsHeld(input.Text(), 1 << 16);
    std::string current = AsHeld(input.Text(), 1 << 16);
    std::string given = input.Rest();

    Fake::Reset();
    if (!windows.empty())
        Fake::windowsDirectory = windows;
    Fake::currentDirectory = current;
    Fake::windowsDirectoryFails = flags & NoWindowsDirectory;
    Fake::fullPathFails = flags & NoFullPath;
    if (flags & StartFails)
        Fake::startResult = StartResult::Refused;
    else if (flags & StartCancelled)
        Fake::startResult = StartResult::Cancelled;
    Fake::partialLength = partial;
    if (flags & CreateFails)
        Fake::replaceOutcome = Fake::ReplaceOutcome::CreateFails;
    else if (flags & WriteFails)
        Fake::replaceOutcome = Fake::ReplaceOutcome::WriteFails;
    const std::string locationFile = Fake::windowsDirectory + "\\SuaWin.ini";
    Fake::files = {{locationFile, Earlier}};

    // The path reaches the launch as the table holds it.
    CopyText(SlotAt(1).path, given.c_str(), TextBufferSize);
    const std::string path = SlotAt(1).path;
    REQUIRE(path == AsHeld(given, TextBufferSize));
    if (flags & Exists)
        Fake::existingPaths.insert(path);
    const bool exists = !path.empty() && (flags & Exists);
    // The search finds the resolved path as a file, or as a folder.
    const std::string executable = Resolved(path);
    if (exists && !executable.empty() && executable != path)
        (flags & ResolvesToFolder ? Fake::existingFolders : Fake::existingPaths).insert(executable);
    const bool isFile = !executable.empty() && Fake::existingPaths.count(executable) != 0;
    const bool wildcard = path.find_first_of("*?<>\"") != std::string::npos;

    REQUIRE(FileExists(path.c_str()) == exists);
    RefreshSlotLabels();
    REQUIRE(Fake::CaptionOf(1) == "&1. " + (exists ? WithAmpersandsDoubled(path) : std::string("No Definido.")));

    LaunchCopy(SlotAt(1).path);

    REQUIRE(std::string(SlotAt(1).path) == path);
    const std::size_t slash = executable.rfind('\\');
    const std::string folder = slash == std::string::npos ? "" : executable.substr(0, slash + 1);
    // Only a file found under its full path, with no wildcard in what was typed, is written.
    const bool writes = exists && !wildcard && isFile && !folder.empty() &&
                        !(flags & NoWindowsDirectory) && Fake::windowsDirectory.size() < TextBufferSize;
    const bool created = writes && !(flags & CreateFails);
    const bool complete = created && !(flags & WriteFails);

    // Nothing reaches the location file but the folder, or a start of it, cut short.
    REQUIRE(Fake::fileWrites.size() == (created ? 1u : 0u));
    const std::string* bytes = Fake::FileBytes(locationFile);
    REQUIRE(bytes != nullptr);
    if (!created)
        REQUIRE(*bytes == Earlier);
    else if (!complete)
        REQUIRE(*bytes == folder.substr(0, partial));
    else
        REQUIRE(*bytes == folder);
    REQUIRE(Fake::files.size() == 1);

    // No start without a complete write, and then from exactly the folder written.
    REQUIRE(Fake::starts.size() == (complete ? 1u : 0u));
    if (complete) {
        REQUIRE(Fake::starts[0].path == executable);
        REQUIRE(Fake::starts[0].folder == *bytes);
        REQUIRE(Fake::starts[0].order > Fake::fileWrites[0].order);
    }

    // Either the copy started, or the user cancelled its start, or the user was told, once.
    const bool answered = complete && !(flags & StartFails);
    REQUIRE(Fake::boxes.size() == (answered ? 0u : 1u));
    if (!answered)
        REQUIRE(Fake::boxes[0].caption == "Ruta Incorrecta");
    return 0;
}
