// The existence test and the launch through the real file system and the real ShellExecuteExA:
// the location file's exact bytes, the folder the copy runs in, and what a refused launch leaves.
#include "cases.h"
#include "core/copy_table.h"
#include "core/launcher.h"
#include "ui/program.h"

namespace {

using namespace support;

const char EarlierContent[] = "C:\\Una carpeta anterior bastante larga\\";

class Win32LaunchTest : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    void Clean()
    {
        EndProcessesNamed("x.exe");
        RemoveTestState();
        RemoveTree("C:\\SUA2");
        RemoveTree("C:\\CorvantaPrueba");
    }

    const std::string location = Expected::LocationFile;
};

TEST_F(Win32LaunchTest, FileExistsIsWhatTheDirectorySearchAccepts)
{
    ASSERT_TRUE(PlaceStandIn("C:\\SUA2\\SuaWin.exe"));
    struct Row {
        const char* path;
        const char* currentDirectory;
        bool exists;
    };
    const Row rows[] = {
        {"C:\\SUA2\\SuaWin.exe", "C:\\", true},
        {"c:\\sua2\\SUAWIN.EXE", "C:\\", true},
        {"C:\\SUA2", "C:\\", true},            // a folder named without its backslash
        {"C:\\SUA2\\", "C:\\", false},         // ... and with it
        {"C:\\SUA2\\*.exe", "C:\\", true},
        {"C:\\SUA2\\*.ini", "C:\\", false},
        {"C:\\SUA2\\NoEsta.exe", "C:\\", false},
        {"SuaWin.exe", "C:\\SUA2", true},      // relative: from the current directory
        {"SUA2\\SuaWin.exe", "C:\\", true},
        {"SuaWin.exe", "C:\\", false},
        {"", "C:\\SUA2", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("path \"") + row.path + "\" from " + row.currentDirectory);
        CurrentDirectory current(row.currentDirectory);
        EXPECT_EQ(FileExists(row.path), row.exists);
    }
}

TEST_F(Win32LaunchTest, LaunchWritesTheFolderAndStartsTheCopyThere)
{
    struct Row {
        const char* executable;        // where the copy is placed
        const char* path;              // what the slot holds
        const char* currentDirectory;  // the launcher's
        const char* locationBytes;
        const char* ranIn;
    };
    const Row rows[] = {
        {"C:\\SUA2\\SuaWin.exe", "C:\\SUA2\\SuaWin.exe", "C:\\", "C:\\SUA2\\", "C:\\SUA2"},
        {"C:\\SuaWin.exe", "C:\\SuaWin.exe", "C:\\windows", "C:\\", "C:\\"},
        {"C:\\CorvantaPrueba\\A\\B\\C\\x.exe", "C:\\CorvantaPrueba\\A\\B\\C\\x.exe", "C:\\",
         "C:\\CorvantaPrueba\\A\\B\\C\\", "C:\\CorvantaPrueba\\A\\B\\C"},
        // A blank and an accented letter (code page 1252) pass through unchanged.
        {"C:\\CorvantaPrueba\\Se\xF1" "or A\\SuaWin.exe", "C:\\CorvantaPrueba\\Se\xF1" "or A\\SuaWin.exe",
         "C:\\", "C:\\CorvantaPrueba\\Se\xF1" "or A\\", "C:\\CorvantaPrueba\\Se\xF1" "or A"},
        // What GetFullPathNameA makes of a typed path: taken from the current directory when bare
        // or relative, forward slashes turned, dots folded.
        {"C:\\SUA2\\SuaWin.exe", "SuaWin.exe", "C:\\SUA2", "C:\\SUA2\\", "C:\\SUA2"},
        {"C:\\SUA2\\SuaWin.exe", "SUA2\\SuaWin.exe", "C:\\", "C:\\SUA2\\", "C:\\SUA2"},
        {"C:\\SUA2\\SuaWin.exe", "C:\\SUA2/SuaWin.exe", "C:\\windows", "C:\\SUA2\\", "C:\\SUA2"},
        {"C:\\SUA2\\SuaWin.exe", "C:\\windows\\..\\SUA2\\.\\SuaWin.exe", "C:\\", "C:\\SUA2\\", "C:\\SUA2"},
        {"C:\\SUA2\\SuaWin.exe", "\\SUA2\\SuaWin.exe", "C:\\windows", "C:\\SUA2\\", "C:\\SUA2"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.path);
        Clean();
        ASSERT_TRUE(PlaceStandIn(row.executable, StandInMode::NoWindow));
        ASSERT_TRUE(WriteBytes(location, EarlierContent));
        CurrentDirectory current(row.currentDirectory);

        BoxCatcher boxes;
        LaunchCopy(row.path);

        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(BytesOf(location), row.locationBytes);
        StandInRecord record;
        ASSERT_TRUE(ReadStandInRecord(FolderOf(row.executable), record)) << "the copy did not run";
        EXPECT_EQ(record.directory, row.ranIn);
        EXPECT_EQ(record.location, row.locationBytes) << "the location file as the copy found it";
    }
}

TEST_F(Win32LaunchTest, RefusedLaunchWarnsAndStartsNothing)
{
    struct Row {
        const char* label;
        const char* path;
        bool holdLocationFile;  // another handle has it open, sharing nothing
    };
    const Row rows[] = {
        {"empty path", "", false},
        {"missing file", "C:\\SUA2\\NoEsta.exe", false},
        {"folder with its backslash", "C:\\SUA2\\", false},
        {"location file in use", "C:\\SUA2\\SuaWin.exe", true},
        // The existence test takes these; none is a program to start.
        {"wildcard", "C:\\SUA2\\*.exe", false},
        {"single-character wildcard", "C:\\SUA2\\SuaWin.ex?", false},
        {"folder without its backslash", "C:\\SUA2", false},
        {"folder by a relative name", "SUA2", false},
    };
    // With its window the copy would still be running when the launch returns: ShellExecuteExA
    // creates the process before it returns, so a count of none right after means none started.
    ASSERT_TRUE(PlaceStandIn("C:\\SUA2\\SuaWin.exe"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        ASSERT_TRUE(WriteBytes(location, EarlierContent));
        HeldFile held;
        if (row.holdLocationFile)
            ASSERT_TRUE(held.Hold(location, 0));

        BoxCatcher boxes;
        CurrentDirectory current("C:\\");
        LaunchCopy(row.path);
        held.Release();

        EXPECT_EQ(CountCopies(), 0) << "a copy was started";
        EXPECT_EQ(BytesOf(location), EarlierContent);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        ExpectBox(boxes.Boxes()[0], Expected::BadPathBox);
    }
}

// The launcher's own start-up, run in this process, where its main window cannot be made, as on an
// exhausted desktop. It must end there with a code of its own: a launcher that ran on with no
// window would hold the start-up mutex and refuse every later one. A quit message is waiting, so
// that a start-up that went on into its message loop returns 0.
TEST(StartUpTest, ReturnsTwoWhereTheMainWindowCannotBeMade)
{
    BoxCatcher boxes;
    LauncherHook refusal(LauncherHook::Refuse);
    ASSERT_TRUE(refusal.Set());
    PostQuitMessage(0);

    int code = StartUp(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT);

    refusal.Lift();
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(WindowsTitled(Expected::MainTitle).empty()) << "a launcher window was made";
    EXPECT_TRUE(boxes.Boxes().empty()) << "a box was shown";
}

}  // namespace
