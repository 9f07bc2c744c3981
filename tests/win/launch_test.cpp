// The existence test and the launch through the real file system and the real ShellExecuteA:
// the location file's exact bytes, the folder the copy runs in, and what a refused launch leaves.
#include <gtest/gtest.h>

#include "core/copy_table.h"
#include "core/launcher.h"
#include "win_test_support.h"

namespace {

const char BadPathCaption[] = "Ruta Incorrecta";
const char BadPathText[] = "El Archivo No existe en la ruta Especificada";
const char EarlierContent[] = "C:\\Una carpeta anterior bastante larga\\";

class LaunchTest : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    void Clean()
    {
        EndProcessesNamed("SuaWin.exe");
        EndProcessesNamed("x.exe");
        RemovePath("C:\\SUA2");
        RemovePath("C:\\CorvantaPrueba");
        RemovePath("C:\\SuaWin.exe");
        RemovePath("C:\\SuaWin.exe.ran");
        RemovePath(location);
    }

    const std::string location = InWindowsDirectory("SuaWin.ini");
};

TEST_F(LaunchTest, FileExistsIsWhatTheDirectorySearchAccepts)
{
    PlaceProbe("C:\\SUA2\\SuaWin.exe");
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

TEST_F(LaunchTest, LaunchWritesTheFolderAndStartsTheCopyThere)
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
        PlaceProbe(row.executable);
        WriteBytes(location, EarlierContent);
        CurrentDirectory current(row.currentDirectory);

        BoxCatcher boxes;
        LaunchCopy(row.path);

        EXPECT_TRUE(boxes.Boxes().empty());
        EXPECT_EQ(ReadBytes(location), row.locationBytes);
        EXPECT_EQ(ProbeFolder(row.executable, 10000), row.ranIn);
    }
}

TEST_F(LaunchTest, RefusedLaunchWarnsAndStartsNothing)
{
    struct Row {
        const char* label;
        const char* path;
        bool holdLocationFile;  // another handle has it open, sharing nothing
        const char* locationBytes;
    };
    const Row rows[] = {
        {"empty path", "", false, EarlierContent},
        {"missing file", "C:\\SUA2\\NoEsta.exe", false, EarlierContent},
        {"folder with its backslash", "C:\\SUA2\\", false, EarlierContent},
        {"location file in use", "C:\\SUA2\\SuaWin.exe", true, EarlierContent},
        // The existence test takes these; none is a program to start.
        {"wildcard", "C:\\SUA2\\*.exe", false, EarlierContent},
        {"single-character wildcard", "C:\\SUA2\\SuaWin.ex?", false, EarlierContent},
        {"folder without its backslash", "C:\\SUA2", false, EarlierContent},
        {"folder by a relative name", "SUA2", false, EarlierContent},
    };
    PlaceProbe("C:\\SUA2\\SuaWin.exe");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        WriteBytes(location, EarlierContent);
        HANDLE held = INVALID_HANDLE_VALUE;
        if (row.holdLocationFile) {
            held = CreateFileA(location.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }

        BoxCatcher boxes;
        CurrentDirectory current("C:\\");
        LaunchCopy(row.path);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);

        EXPECT_EQ(ReadBytes(location), row.locationBytes);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, BadPathCaption);
        EXPECT_EQ(boxes.Boxes()[0].text, BadPathText);
        EXPECT_EQ(boxes.Boxes()[0].icon, StandardIcon(IDI_WARNING));
    }
    // A started copy records itself within a few tenths of a second; nothing removes the record.
    EXPECT_EQ(ProbeFolder("C:\\SUA2\\SuaWin.exe", 500), "<not started>");
}

}  // namespace
