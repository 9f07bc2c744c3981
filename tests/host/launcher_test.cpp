// Launching a copy: the location file's name and exact bytes, the folder handed to the start, and
// every way a launch can fail.
#include <gtest/gtest.h>

#include <string>

#include "../../core/copy_table.h"
#include "../../core/launcher.h"
#include "fake_platform.h"

namespace {

const std::string LocationFile = "C:\\WINDOWS\\SuaWin.ini";
const std::string BadPathText = "El Archivo No existe en la ruta Especificada";

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override { Fake::Reset(); }
};

void ExpectOneBadPathWarning()
{
    ASSERT_EQ(Fake::boxes.size(), 1u);
    EXPECT_EQ(Fake::boxes[0].text, BadPathText);
    EXPECT_EQ(Fake::boxes[0].caption, "Ruta Incorrecta");
    EXPECT_EQ(Fake::boxes[0].icon, BoxIcon::Warning);
}

TEST_F(LauncherTest, WritesTheFolderThenStartsFromIt)
{
    struct Case { std::string path, folder; } cases[] = {
        {"C:\\SUA2\\SuaWin.exe", "C:\\SUA2\\"},
        {"C:\\SuaWin.exe", "C:\\"},
        {"C:\\A\\B\\C\\x.exe", "C:\\A\\B\\C\\"},
        {"\\\\Servidor\\Sua\\SuaWin.exe", "\\\\Servidor\\Sua\\"},
        {"C:\\Archivos de Programa\\Autodeterminaci\xF3" "n\\SuaWin.exe",
         "C:\\Archivos de Programa\\Autodeterminaci\xF3" "n\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Fake::Reset();
        Fake::existingPaths = {c.path};
        // An earlier, longer content must not survive.
        Fake::files = {{LocationFile, "C:\\UNA CARPETA MUY LARGA\\"}};

        LaunchCopy(c.path.c_str());

        ASSERT_EQ(Fake::fileWrites.size(), 1u);
        EXPECT_EQ(Fake::fileWrites[0].name, LocationFile);
        EXPECT_EQ(*Fake::FileBytes(LocationFile), c.folder);
        ASSERT_EQ(Fake::starts.size(), 1u);
        EXPECT_EQ(Fake::starts[0].path, c.path);
        EXPECT_EQ(Fake::starts[0].folder, c.folder);
        EXPECT_GT(Fake::starts[0].order, Fake::fileWrites[0].order);
        EXPECT_TRUE(Fake::boxes.empty());
    }
}

TEST_F(LauncherTest, SecondLaunchRewritesTheSameBytes)
{
    Fake::existingPaths = {"C:\\SUA2\\SuaWin.exe"};

    LaunchCopy("C:\\SUA2\\SuaWin.exe");
    LaunchCopy("C:\\SUA2\\SuaWin.exe");

    ASSERT_EQ(Fake::fileWrites.size(), 2u);
    EXPECT_EQ(Fake::fileWrites[1].bytes, "C:\\SUA2\\");
    EXPECT_EQ(Fake::starts.size(), 2u);
}

TEST_F(LauncherTest, LocationFileLivesInTheWindowsDirectory)
{
    struct Case { std::string directory; } cases[] = {
        {"D:\\WINNT"},
        {"C:\\" + std::string(256, 'w')},   // 259 characters, the longest that is reported
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.directory.size());
        Fake::Reset();
        Fake::windowsDirectory = c.directory;
        Fake::existingPaths = {"C:\\SUA1\\SuaWin.exe"};

        LaunchCopy("C:\\SUA1\\SuaWin.exe");

        ASSERT_EQ(Fake::fileWrites.size(), 1u);
        EXPECT_EQ(Fake::fileWrites[0].name, c.directory + "\\SuaWin.ini");
        EXPECT_EQ(Fake::fileWrites[0].bytes, "C:\\SUA1\\");
        EXPECT_EQ(Fake::starts.size(), 1u);
    }
}

// A typed path is resolved to a full path before its folder is cut: the folder written, the
// working directory and the program started all come from the resolved path.
TEST_F(LauncherTest, TypedPathIsResolvedBeforeItsFolderIsCut)
{
    struct Case { std::string typed, resolved, folder; } cases[] = {
        {"C:\\SUA2/SuaWin.exe", "C:\\SUA2\\SuaWin.exe", "C:\\SUA2\\"},
        {"C:/SUA2/SuaWin.exe", "C:\\SUA2\\SuaWin.exe", "C:\\SUA2\\"},
        {"SUA2\\SuaWin.exe", "C:\\WORK\\SUA2\\SuaWin.exe", "C:\\WORK\\SUA2\\"},
        {"SuaWin.exe", "C:\\WORK\\SuaWin.exe", "C:\\WORK\\"},
        {"C:SuaWin.exe", "C:\\WORK\\SuaWin.exe", "C:\\WORK\\"},
        {"\\SUA3\\SuaWin.exe", "C:\\SUA3\\SuaWin.exe", "C:\\SUA3\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        Fake::Reset();
        Fake::existingPaths = {c.typed, c.resolved};

        LaunchCopy(c.typed.c_str());

        EXPECT_EQ(*Fake::FileBytes(LocationFile), c.folder);
        ASSERT_EQ(Fake::starts.size(), 1u);
        EXPECT_EQ(Fake::starts[0].path, c.resolved);
        EXPECT_EQ(Fake::starts[0].folder, c.folder);
        EXPECT_TRUE(Fake::boxes.empty());
    }
}

TEST_F(LauncherTest, EachFailureWarnsOnceAndStartsNothingUnwritten)
{
    const std::string path = "C:\\SUA2\\SuaWin.exe";
    const std::string earlier = "C:\\SUA1\\";
    struct Case {
        const char* what;
        std::string path;
        void (*arrange)();
        const char* locationBytes;   // null: the earlier content stays
        bool startAttempted;
        bool warns = true;
    } cases[] = {
        {"empty path, even if the search took it", "", [] { Fake::existingPaths.insert(""); },
         nullptr, false},
        {"missing file", path, [] { Fake::existingPaths.clear(); }, nullptr, false},
        {"location file cannot be created", path,
         [] { Fake::replaceOutcome = Fake::ReplaceOutcome::CreateFails; }, nullptr, false},
        {"write fails after 3 bytes", path,
         [] { Fake::replaceOutcome = Fake::ReplaceOutcome::WriteFails; Fake::partialLength = 3; },
         "C:\\", false},
        {"write fails at once", path,
         [] { Fake::replaceOutcome = Fake::ReplaceOutcome::WriteFails; }, "", false},
        {"start refused", path, [] { Fake::startResult = StartResult::Refused; }, "C:\\SUA2\\", true},
        // The user answered No to the platform's own prompt: that answer needs no box.
        {"start cancelled by the user", path, [] { Fake::startResult = StartResult::Cancelled; },
         "C:\\SUA2\\", true, false},
        {"Windows directory fails", path, [] { Fake::windowsDirectoryFails = true; }, nullptr, false},
        // Longer than the 260 bytes it is read into: the platform reports no directory at all.
        {"260-character Windows directory", path,
         [] { Fake::windowsDirectory = "C:\\" + std::string(257, 'w'); }, nullptr, false},
        {"bare name that cannot be resolved", "SuaWin.exe",
         [] { Fake::existingPaths.insert("SuaWin.exe"); Fake::fullPathFails = true; }, nullptr,
         false},
        {"full path that cannot be resolved", path, [] { Fake::fullPathFails = true; }, nullptr, false},
        // The existence test takes these; a launch of them would hand the managed program a
        // parent folder or a pattern's folder.
        {"folder named without its backslash", "C:\\SUA2",
         [] { Fake::existingFolders.insert("C:\\SUA2"); }, nullptr, false},
        {"relative name of a folder", "SUA2",
         [] { Fake::existingFolders = {"SUA2", "C:\\WORK\\SUA2"}; }, nullptr, false},
        {"wildcard that matches", "C:\\SUA2\\*.exe",
         [] { Fake::existingPaths.insert("C:\\SUA2\\*.exe"); }, nullptr, false},
        {"single-character wildcard", "C:\\SUA2\\SuaWin.ex?",
         [] { Fake::existingPaths.insert("C:\\SUA2\\SuaWin.ex?"); }, nullptr, false},
        // The directory search also takes these three as wildcards.
        {"wildcard <", "C:\\SUA2\\SuaWin<exe",
         [] { Fake::existingPaths.insert("C:\\SUA2\\SuaWin<exe"); }, nullptr, false},
        {"wildcard >", "C:\\SUA2\\SuaWin.ex>",
         [] { Fake::existingPaths.insert("C:\\SUA2\\SuaWin.ex>"); }, nullptr, false},
        {"wildcard \"", "C:\\SUA2\\SuaWin\".exe",
         [] { Fake::existingPaths.insert("C:\\SUA2\\SuaWin\".exe"); }, nullptr, false},
        // Found as typed, but a folder once resolved.
        {"typed name of a file that resolves to a folder", "SUA4",
         [] { Fake::existingPaths.insert("SUA4"); Fake::existingFolders.insert("C:\\WORK\\SUA4"); },
         nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fake::Reset();
        Fake::files = {{LocationFile, earlier}};
        Fake::existingPaths = {path};
        c.arrange();

        LaunchCopy(c.path.c_str());

        if (c.warns)
            ExpectOneBadPathWarning();
        else
            EXPECT_TRUE(Fake::boxes.empty());
        EXPECT_EQ(*Fake::FileBytes(LocationFile), c.locationBytes ? c.locationBytes : earlier);
        EXPECT_EQ(Fake::starts.size(), c.startAttempted ? 1u : 0u);
    }
}

// A copy button: refused while the managed program runs, which includes the copy this launcher
// started last until its process ends; a press while a copy is being started is dropped, and a
// press while a box is up gets its own answer.
TEST_F(LauncherTest, CopyButtonStartsOneCopyAtATime)
{
    const std::string one = "C:\\SUA1\\SuaWin.exe";
    const std::string two = "C:\\SUA2\\SuaWin.exe";
    const std::string managedText = "S\xF3" "lo una Instacia de WinSua debe correr a la vez.";
    struct Case {
        const char* what;
        void (*arrange)();
        std::vector<std::string> started;   // in order
        std::vector<std::string> boxTexts;  // in order
    } cases[] = {
        {"nothing running", [] {}, {one}, {}},
        {"the copy started last still runs, before any window of it",
         [] { Fake::startedProgramRunning = true; }, {}, {managedText}},
        {"a managed-program window", [] { Fake::windowTitles = {"Sistema Unico de Autodeterminaci\xF3" "n"}; },
         {}, {managedText}},
        {"copy 2 pressed while copy 1 is being started",
         [] { Fake::duringStart = [] { LaunchSlot(2); }; }, {one}, {}},
        {"copy 2 pressed while copy 1's refusal is shown",
         [] { Fake::startedProgramRunning = true; Fake::duringBox = [] { LaunchSlot(2); }; }, {},
         {managedText, managedText}},
        {"copy 2 pressed while copy 1's bad-path warning is shown",
         [] { Fake::existingPaths.erase("C:\\SUA1\\SuaWin.exe"); Fake::duringBox = [] { LaunchSlot(2); }; },
         {two}, {BadPathText}},
        {"copy 2 pressed while copy 1's cancelled start is being asked about",
         [] { Fake::startResult = StartResult::Cancelled; Fake::duringStart = [] { LaunchSlot(2); }; },
         {one}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fake::Reset();
        Fake::existingPaths = {one, two};
        CopyText(SlotAt(1).path, one.c_str(), TextBufferSize);
        CopyText(SlotAt(2).path, two.c_str(), TextBufferSize);
        c.arrange();

        LaunchSlot(1);

        std::vector<std::string> started, boxTexts;
        for (const Fake::Start& start : Fake::starts)
            started.push_back(start.path);
        for (const Fake::Box& box : Fake::boxes)
            boxTexts.push_back(box.text);
        EXPECT_EQ(started, c.started);
        EXPECT_EQ(boxTexts, c.boxTexts);
        if (c.started.empty())
            EXPECT_EQ(Fake::FileBytes(LocationFile), nullptr) << "the location file was written";
    }

    // Once the first copy has ended, the next press starts the next copy; and a press is acted on
    // again once the one before has been handled.
    Fake::Reset();
    Fake::existingPaths = {one, two};
    CopyText(SlotAt(1).path, one.c_str(), TextBufferSize);
    CopyText(SlotAt(2).path, two.c_str(), TextBufferSize);
    LaunchSlot(1);
    LaunchSlot(2);
    EXPECT_EQ(Fake::starts.size(), 1u) << "copy 2 started beside copy 1";
    Fake::startedProgramRunning = false;
    LaunchSlot(2);
    ASSERT_EQ(Fake::starts.size(), 2u);
    EXPECT_EQ(Fake::starts[1].path, two);
    EXPECT_EQ(*Fake::FileBytes(LocationFile), "C:\\SUA2\\");
}

}  // namespace
