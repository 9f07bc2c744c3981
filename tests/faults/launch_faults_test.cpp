// Launch faults against the real launcher under Wine: a location file that cannot be replaced, a
// second click while the first copy starts or runs, a desktop crowded with 2,000 foreign windows,
// and two launchers started together.
#include <cstdio>

#include "cases.h"
#include "core/window_census.h"

namespace {

using namespace support;
using namespace Expected;

using LaunchFaults = EndToEnd;

void Report(const char* what, double startMs)
{
    double milliseconds = NowMs() - startMs;
    std::printf("[ timing   ] %s: %.1f ms\n", what, milliseconds);
    ::testing::Test::RecordProperty(what, static_cast<int>(milliseconds + 0.5));
}

// The launcher creates the location file with no sharing, so any open handle on it, even a
// reader's that shares everything, makes the creation fail; so does a folder of that name.
TEST_F(LaunchFaults, LocationFileThatCannotBeReplacedStartsNothingAndKeepsItsContent)
{
    ASSERT_TRUE(Arrange({CopyOne}, Routes({CopyOne})));
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));

    const std::string earlier = "C:\\antes\\";
    HeldFile held;
    const struct {
        const char* label;
        std::function<bool()> arrange;
        std::string after;  // what stands at the location file's path afterwards
    } cases[] = {
        {"held open with no sharing", [&] { return held.Hold(LocationFile, 0); }, earlier},
        {"held open by a reader that shares everything",
         [&] { return held.Hold(LocationFile, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE); }, earlier},
        {"a folder named SuaWin.ini",
         [] {
             RemoveTree(LocationFile);
             return CreateDirectoryA(LocationFile, nullptr) != FALSE;
         },
         FolderHere},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RemoveTree(LocationFile);
        ASSERT_TRUE(WriteBytes(LocationFile, earlier));
        ASSERT_TRUE(c.arrange());
        ASSERT_TRUE(launcher.PostClick(1));
        ExpectBox(TakeBox(launcher), BadPathBox);
        EXPECT_TRUE(launcher.ShowsNoBox());
        EXPECT_TRUE(CopiesRunning(launcher, 0));
        held.Release();
        EXPECT_EQ(BytesOf(LocationFile), c.after) << "the location file lost its content";
    }

    // Once the file is free again the same button starts the copy.
    RemoveTree(LocationFile);
    ASSERT_TRUE(launcher.SendClick(1));
    ExpectStartedIn(launcher, CopyOne);
}

// The copy started first holds off every other start: from the moment its process exists, before
// it shows a window (a slow copy), and once its window is open. The second click, on any copy, is
// refused with the managed program's box and leaves the location file naming the first copy.
TEST_F(LaunchFaults, CopyStartedFirstRefusesTheNextClickBeforeAndAfterItsWindowShows)
{
    ASSERT_TRUE(Arrange({CopyOne, CopyTwo}, Routes({CopyOne, CopyTwo})));
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));

    const struct {
        const char* label;
        bool held;  // the first copy holds its window back until the second clicks are answered
    } cases[] = {
        {"window shown", false},
        {"window not shown yet", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        if (c.held)
            ASSERT_TRUE(HoldStandIn(FolderOf(CopyOne)));
        ASSERT_TRUE(launcher.SendClick(1)) << launcher.DescribeWindows();
        ASSERT_TRUE(c.held ? CopiesRunning(launcher, 1) : WaitUntil(CopyWindowShown)) << "the first click started nothing";
        EXPECT_TRUE(launcher.ShowsNoBox());
        EXPECT_EQ(BytesOf(LocationFile), FolderOf(CopyOne));
        for (int button : {2, 1}) {
            SCOPED_TRACE("second click on button " + std::to_string(button));
            ASSERT_TRUE(launcher.PostClick(button));
            ExpectBox(TakeBox(launcher), ManagedRunningBox);
            EXPECT_TRUE(launcher.ShowsNoBox());
            EXPECT_TRUE(CopiesRunning(launcher, 1)) << "a second copy was started";
            EXPECT_EQ(BytesOf(LocationFile), FolderOf(CopyOne)) << "the refused click rewrote the location file";
        }
        if (c.held)
            EXPECT_TRUE(StandInWindows().empty()) << "the held copy made its window";
        ASSERT_TRUE(ReleaseStandIns() && CloseStandIns());
    }

    // Once the first copy has ended, the next click starts the next copy.
    ASSERT_TRUE(launcher.SendClick(2));
    ExpectStartedIn(launcher, CopyTwo);
}

// 2,000 hidden top-level windows of this process, among them long titles and one title that
// misses the managed prefix by its accent: the census still answers right, and is timed.
TEST_F(LaunchFaults, CrowdedDesktopStillGivesTheRightAnswer)
{
    ASSERT_TRUE(Arrange({CopyOne}, Routes({CopyOne})));
    constexpr int CrowdSize = 2000;
    double start = NowMs();
    EXPECT_EQ(CountWindowsTitled(ManagedPrefix, ManagedPrefixLength), 0u);
    Report("census before the crowd", start);

    WindowCrowd crowd;
    start = NowMs();
    for (int i = 0; i < CrowdSize; ++i) {
        std::string title = "Ventana ajena " + std::to_string(i);
        if (i % 500 == 0)
            title = std::string(300, static_cast<char>('a' + i / 500));
        if (i == 1000)
            title = "Sistema Unico de Autodeterminacion - casi";  // no accent: not the managed program
        ASSERT_NE(crowd.Add(title), nullptr) << "window " << i;
    }
    Report("create 2000 windows", start);

    // The census itself, in this process, over the same desktop.
    start = NowMs();
    EXPECT_EQ(CountWindowsTitled(ManagedPrefix, ManagedPrefixLength), 0u);
    Report("census of the crowded desktop", start);
    EXPECT_EQ(CountWindowsTitled("Ventana ajena 1999", 0), 1u);
    EXPECT_EQ(CountWindowsTitled(std::string(259, 'b').c_str(), 0), 1u) << "a 300-character title reads as 259";

    Launcher launcher;
    start = NowMs();
    ASSERT_TRUE(Started(launcher));
    Report("launcher start to main window", start);

    start = NowMs();
    ASSERT_TRUE(launcher.PostClick(1));
    // This thread owns the crowd: it keeps handling messages in case a start broadcasts to them.
    ASSERT_TRUE(WaitPumping(CopyWindowShown)) << "no managed window: the copy starts";
    Report("click to started copy's window", start);
    EXPECT_TRUE(launcher.ShowsNoBox());
    ExpectStartedIn(launcher, CopyOne);

    // One managed-title window, put at the bottom so the walk reaches it last.
    HWND managed = crowd.Add(std::string(ManagedPrefix) + " - ventana real");
    ASSERT_NE(managed, nullptr);
    SetWindowPos(managed, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(GetWindow(managed, GW_HWNDNEXT), nullptr) << "the managed window is not last";
    RemoveTree(LocationFile);
    start = NowMs();
    ASSERT_TRUE(launcher.PostClick(1));
    HWND window = launcher.WaitForBox();
    ASSERT_NE(window, nullptr) << launcher.DescribeWindows();
    Report("click to refusal box", start);
    ExpectBox(ReadBox(window), ManagedRunningBox);
    EXPECT_TRUE(DismissBox(window));
    EXPECT_TRUE(launcher.ShowsNoBox());
    EXPECT_TRUE(CopiesRunning(launcher, 0));
    EXPECT_EQ(BytesOf(LocationFile), NoFile);
    EXPECT_TRUE(launcher.Running());
}

// Launchers started at the same moment: exactly one of them shows its window and runs; the other
// shows the refusal and ends with the box's result, 1, after OK. Each is held once its hidden
// window exists, until both have got that far or one has refused, so that each one's count of the
// windows titled as it comes when the other's window exists: the worst of every start together.
TEST_F(LaunchFaults, TwoLaunchersStartedTogetherRunExactlyOne)
{
    LauncherHook hold(LauncherHook::Hold);
    ASSERT_TRUE(hold.Set());
    Launcher launchers[2];
    ASSERT_TRUE(launchers[0].Start() && launchers[1].Start());
    Launcher::Outcome outcomes[2] = {};
    HWND boxes[2] = {};
    const auto both = [&](Launcher::Outcome least) {
        for (int i = 0; i < 2; ++i)
            outcomes[i] = launchers[i].StartOutcome(&boxes[i]);
        return outcomes[0] >= least && outcomes[1] >= least;
    };
    ASSERT_TRUE(WaitUntil([&] { return both(Launcher::Outcome::Made); })) << "a launcher neither made its window nor refused";
    hold.Lift();
    ASSERT_TRUE(WaitUntil([&] { return both(Launcher::Outcome::Shown); })) << "a launcher neither showed its window nor refused";
    int shown = 0;
    for (int i = 0; i < 2; ++i) {
        if (outcomes[i] == Launcher::Outcome::Shown) {
            ++shown;
            EXPECT_TRUE(launchers[i].Running());
            continue;
        }
        ExpectBox(ReadBox(boxes[i]), LauncherRunningBox);
        ASSERT_TRUE(DismissBox(boxes[i]));
        DWORD code = 0;
        ASSERT_TRUE(launchers[i].WaitForExit(code));
        EXPECT_EQ(code, 1u) << "the box's result, IDOK";
    }
    EXPECT_EQ(shown, 1) << "launchers that ran";
}

}  // namespace
