// Launching a copy: the location file's name and exact bytes, the folder handed to the start, and
// every way a launch can fail.
#include <gtest/gtest.h>

#include <string>

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

// A bare name the search found in the current directory gets that directory as its folder.
TEST_F(LauncherTest, BareNameIsResolvedAgainstTheCurrentDirectory)
{
    Fake::currentDirectory = "C:\\SUA3";
    Fake::existingPaths = {"SuaWin.exe"};

    LaunchCopy("SuaWin.exe");

    EXPECT_EQ(*Fake::FileBytes(LocationFile), "C:\\SUA3\\");
    ASSERT_EQ(Fake::starts.size(), 1u);
    EXPECT_EQ(Fake::starts[0].path, "C:\\SUA3\\SuaWin.exe");
    EXPECT_EQ(Fake::starts[0].folder, "C:\\SUA3\\");
    EXPECT_TRUE(Fake::boxes.empty());
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
        {"start refused", path, [] { Fake::startFails = true; }, "C:\\SUA2\\", true},
        {"Windows directory fails", path, [] { Fake::windowsDirectoryFails = true; }, nullptr, false},
        // Longer than the 260 bytes it is read into: the platform reports no directory at all.
        {"260-character Windows directory", path,
         [] { Fake::windowsDirectory = "C:\\" + std::string(257, 'w'); }, nullptr, false},
        {"bare name that cannot be resolved", "SuaWin.exe",
         [] { Fake::existingPaths.insert("SuaWin.exe"); Fake::fullPathFails = true; }, nullptr,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fake::Reset();
        Fake::files = {{LocationFile, earlier}};
        Fake::existingPaths = {path};
        c.arrange();

        LaunchCopy(c.path.c_str());

        ExpectOneBadPathWarning();
        EXPECT_EQ(*Fake::FileBytes(LocationFile), c.locationBytes ? c.locationBytes : earlier);
        EXPECT_EQ(Fake::starts.size(), c.startAttempted ? 1u : 0u);
    }
}

}  // namespace
