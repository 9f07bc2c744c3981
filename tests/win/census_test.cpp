// The window census over real top-level windows. The desktop has windows of its own, so each
// check is the change a window makes to a count taken before it existed.
#include "cases.h"
#include "core/window_census.h"
#include "ui/platform_win32.h"

namespace {

using namespace support;
using Expected::MainTitle;
using Expected::ManagedPrefix;
using Expected::ManagedPrefixLength;

TEST(Win32CensusTest, ManagedProgramIsKnownByItsTitlePrefix)
{
    struct Row {
        std::string title;
        unsigned added;
    };
    const Row rows[] = {
        {ManagedPrefix, 1},
        {std::string(ManagedPrefix) + " - Compa\xF1" "\xED" "a Ejemplo", 1},
        {std::string(ManagedPrefix) + std::string(300, '-'), 1},  // longer than is read
        {"Sistema Unico de Autodeterminacion", 0},            // no accent
        {"Sistema Unico de Autodeterminaci\xF3", 0},          // one character short
        {"sistema Unico de Autodeterminaci\xF3" "n", 0},
        {MainTitle, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        unsigned before = CountWindowsTitled(ManagedPrefix, ManagedPrefixLength);
        WindowCrowd window;
        ASSERT_NE(window.Add(row.title), nullptr);
        EXPECT_EQ(CountWindowsTitled(ManagedPrefix, ManagedPrefixLength), before + row.added);
    }
}

TEST(Win32CensusTest, LaunchIsRefusedWhileAManagedWindowIsOpen)
{
    {
        BoxCatcher boxes;
        ASSERT_FALSE(IsManagedProgramRunning()) << "a managed-program window is already open";
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    WindowCrowd window;
    ASSERT_NE(window.Add(std::string(ManagedPrefix) + " - Principal"), nullptr);
    BoxCatcher boxes;
    EXPECT_TRUE(IsManagedProgramRunning());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    ExpectBox(boxes.Boxes()[0], Expected::ManagedRunningBox);
}

TEST(Win32CensusTest, AnotherLauncherIsASecondWindowWithExactlyItsTitle)
{
    struct Row {
        std::vector<std::string> titles;
        bool another;
    };
    const Row rows[] = {
        {{}, false},
        {{MainTitle}, false},  // the launcher's own window
        {{MainTitle, MainTitle}, true},
        {{MainTitle, std::string(MainTitle) + " "}, false},
        {{MainTitle, "Corvanta [Maneja Varias Copias de WinSUA]"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.titles.size() > 1 ? row.titles[1] : "");
        WindowCrowd windows;
        // The first window stands for the launcher's own.
        MainWindowHandle = nullptr;
        for (const std::string& title : row.titles) {
            HWND window = windows.Add(title);
            ASSERT_NE(window, nullptr);
            if (MainWindowHandle == nullptr)
                MainWindowHandle = window;
        }
        EXPECT_EQ(IsAnotherLauncherRunning(), row.another) << row.titles.size() << " windows";
        MainWindowHandle = nullptr;
    }
}

}  // namespace
