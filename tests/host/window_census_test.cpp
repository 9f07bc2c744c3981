// The window-title census and the two one-at-a-time rules built on it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../../core/window_census.h"
#include "fake_platform.h"

namespace {

// Written out here rather than taken from the program's texts, so a wrong byte there shows.
const std::string Managed = "Sistema Unico de Autodeterminaci\xF3" "n";        // 34 bytes
const std::string Launcher = "Corvanta [Maneja Varias Copias de WinSua]";

class WindowCensusTest : public ::testing::Test {
protected:
    void SetUp() override { Fake::Reset(); }
};

TEST_F(WindowCensusTest, CountsTitlesCutToTheCompareLength)
{
    struct Case {
        const char* what;
        std::vector<std::string> titles;
        std::string target;
        unsigned compareLength;
        unsigned count;
    } cases[] = {
        {"exact prefix", {Managed}, Managed, 34, 1},
        {"prefix continued", {Managed + " - Empresa S.A."}, Managed, 34, 1},
        {"one character short", {Managed.substr(0, 33)}, Managed, 34, 0},
        {"unaccented", {"Sistema Unico de Autodeterminacion"}, Managed, 34, 0},
        {"capital accented letter", {"Sistema Unico de Autodeterminaci\xD3" "n"}, Managed, 34, 0},
        {"accented U", {"Sistema \xDA" "nico de Autodeterminaci\xF3" "n"}, Managed, 34, 0},
        {"case differs", {"SISTEMA UNICO DE AUTODETERMINACI\xD3" "N"}, Managed, 34, 0},
        {"several among others", {"", Managed, "Bloc de notas", Managed + "x", Launcher, Managed},
         Managed, 34, 3},
        {"300-character title beginning with the prefix", {Managed + std::string(266, 'z')}, Managed,
         34, 1},
        {"whole title, exact", {Launcher}, Launcher, 0, 1},
        {"whole title, something added", {Launcher + " "}, Launcher, 0, 0},
        {"whole title, shorter", {Launcher.substr(0, 40)}, Launcher, 0, 0},
        {"whole title against a 300-character title", {Launcher + std::string(259, 'z')}, Launcher,
         0, 0},
        {"no windows", {}, Launcher, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fake::Reset();
        Fake::windowTitles = c.titles;

        EXPECT_EQ(CountWindowsTitled(c.target.c_str(), c.compareLength), c.count);
    }
}

TEST_F(WindowCensusTest, ManagedProgramWindowRefusesWithOneError)
{
    struct Case {
        const char* what;
        std::vector<std::string> titles;
        bool running;
    } cases[] = {
        {"only the launcher itself", {Launcher}, false},
        {"unrelated windows", {"Bloc de notas", "Sistema Unico de"}, false},
        {"a managed-program window", {Launcher, Managed + " - Empresa"}, true},
        {"two managed-program windows", {Managed, Managed}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fake::Reset();
        Fake::windowTitles = c.titles;

        EXPECT_EQ(IsManagedProgramRunning(), c.running);

        if (!c.running) {
            EXPECT_TRUE(Fake::boxes.empty());
            continue;
        }
        ASSERT_EQ(Fake::boxes.size(), 1u);
        EXPECT_EQ(Fake::boxes[0].text, "S\xF3" "lo una Instacia de WinSua debe correr a la vez.");
        EXPECT_EQ(Fake::boxes[0].caption, "Ya hay un Programa de WinSua activo");
        EXPECT_EQ(Fake::boxes[0].icon, BoxIcon::Error);
    }
}

// The launcher's own hidden window is always in the walk, and never counts as another launcher,
// however often the walk passes it.
TEST_F(WindowCensusTest, AnotherLauncherIsAnyOtherWindowWithExactlyItsTitle)
{
    struct Case {
        const char* what;
        std::vector<std::string> titles;   // the launcher's own window first
        std::vector<int> walk;             // empty: each window once, in order
        bool another;
    } cases[] = {
        {"own window only", {Launcher}, {}, false},
        {"own window and another", {Launcher, "Bloc de notas", Launcher}, {}, true},
        {"another title with something added", {Launcher, Launcher + " (2)"}, {}, false},
        {"another title cut short", {Launcher, Launcher.substr(0, 34)}, {}, false},
        {"own window passed twice, as when a box is raised during the walk",
         {Launcher, "Ya hay un Programa de Corvanta activo"}, {0, 1, 0}, false},
        {"another launcher's window passed twice", {Launcher, Launcher}, {1, 0, 1}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fake::Reset();
        Fake::windowTitles = c.titles;
        Fake::walkOrder = c.walk;
        Fake::ownWindow = 0;

        EXPECT_EQ(IsAnotherLauncherRunning(), c.another);
        EXPECT_TRUE(Fake::boxes.empty());
    }
}

// A walk that runs in circles ends after 65,536 windows, more than any desktop holds: the answer
// then is what the walk saw up to there. The first window is seen once more past that limit, the
// last once less short of it.
TEST_F(WindowCensusTest, WalkThatGoesRoundEndsAtTheHandleTableSize)
{
    Fake::walkGoesRound = true;
    Fake::windowTitles = {Launcher, "Bloc de notas", "Calculadora", Managed + " - Empresa"};

    EXPECT_EQ(CountWindowsTitled(Launcher.c_str(), 0), 65536u / 4);
    EXPECT_EQ(CountWindowsTitled(Managed.c_str(), 34), 65536u / 4);
    Fake::windowTitles = {Launcher, "Bloc de notas"};
    EXPECT_FALSE(IsManagedProgramRunning());
}

}  // namespace
