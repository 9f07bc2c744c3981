// The window census over real top-level windows. The desktop has windows of its own, so each
// check is the change a window makes to a count taken before it existed.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "core/window_census.h"
#include "ui/platform_win32.h"
#include "win_test_support.h"

namespace {

const char ManagedTitle[] = "Sistema Unico de Autodeterminaci\xF3" "n";
const char LauncherTitle[] = "Corvanta [Maneja Varias Copias de WinSua]";

TEST(CensusTest, ManagedProgramIsKnownByItsTitlePrefix)
{
    struct Row {
        std::string title;
        unsigned added;
    };
    const Row rows[] = {
        {ManagedTitle, 1},
        {std::string(ManagedTitle) + " - Compa\xF1" "\xED" "a Ejemplo", 1},
        {std::string(ManagedTitle) + std::string(300, '-'), 1},  // longer than is read
        {"Sistema Unico de Autodeterminacion", 0},            // no accent
        {"Sistema Unico de Autodeterminaci\xF3", 0},          // one character short
        {"sistema Unico de Autodeterminaci\xF3" "n", 0},
        {LauncherTitle, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title);
        unsigned before = CountWindowsTitled(ManagedTitle, 34);
        TitledWindow window(row.title);
        EXPECT_EQ(CountWindowsTitled(ManagedTitle, 34), before + row.added);
    }
}

TEST(CensusTest, LaunchIsRefusedWhileAManagedWindowIsOpen)
{
    {
        BoxCatcher boxes;
        ASSERT_FALSE(IsManagedProgramRunning()) << "a managed-program window is already open";
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    TitledWindow window(std::string(ManagedTitle) + " - Principal");
    BoxCatcher boxes;
    EXPECT_TRUE(IsManagedProgramRunning());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Ya hay un Programa de WinSua activo");
    EXPECT_EQ(boxes.Boxes()[0].text, "S\xF3" "lo una Instacia de WinSua debe correr a la vez.");
    EXPECT_EQ(boxes.Boxes()[0].icon, StandardIcon(IDI_ERROR));
}

TEST(CensusTest, AnotherLauncherIsASecondWindowWithExactlyItsTitle)
{
    struct Row {
        std::vector<std::string> titles;
        bool another;
    };
    const Row rows[] = {
        {{}, false},
        {{LauncherTitle}, false},  // the launcher's own window
        {{LauncherTitle, LauncherTitle}, true},
        {{LauncherTitle, std::string(LauncherTitle) + " "}, false},
        {{LauncherTitle, "Corvanta [Maneja Varias Copias de WinSUA]"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.titles.size() > 1 ? row.titles[1] : "");
        std::vector<std::unique_ptr<TitledWindow>> windows;
        for (const std::string& title : row.titles)
            windows.push_back(std::make_unique<TitledWindow>(title));
        // The first window stands for the launcher's own.
        MainWindowHandle = windows.empty() ? nullptr : windows[0]->Handle();
        EXPECT_EQ(IsAnotherLauncherRunning(), row.another) << row.titles.size() << " windows";
        MainWindowHandle = nullptr;
    }
}

}  // namespace
