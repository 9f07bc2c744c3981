// The launcher's main window end to end: captions, launches, both refusals, bad paths, About,
// the ways out and the Alt mnemonics, all against the real program under Wine.
#include <functional>

#include "cases.h"

namespace {

using namespace support;
using namespace Expected;

using MainWindow = EndToEnd;

TEST_F(MainWindow, StartShowsTheCentredWindowWithTheLoadedCaptions)
{
    const std::string copyWithAmpersand = std::string(Root) + "\\S&A\\SuaWin.exe";
    ASSERT_TRUE(Arrange({CopyOne, CopyTwo, copyWithAmpersand}, {}));
    const struct {
        const char* label;
        std::vector<std::string> settings;  // empty: no settings file at all
        std::string copyCaptions[4];
    } cases[] = {
        {"no settings file", {}, {"&1. No Definido.", "&2. No Definido.", "&3. No Definido.", "&4. No Definido."}},
        {"description, bare path, missing file, empty path",
         {"[RUTAS]", "Copia_01=" + CopyOne, "Copia_02=" + CopyTwo, "Copia_03=" + NoCopy, "Copia_04=",
          "[DESCRIPCIONES]", "Copia_01=Oficina Central", "Copia_02=", "Copia_03=Sucursal", "Copia_04=Vac\xED" "a"},
         {"&1. Oficina Central", "&2. " + CopyTwo, "&3. No Definido.", "&4. No Definido."}},
        // A caption stores each '&' of the text doubled: the button shows "&&" as one '&'.
        {"'&' in a description and in a path's folder",
         {"[RUTAS]", "Copia_01=" + CopyOne, "Copia_02=" + copyWithAmpersand, "[DESCRIPCIONES]",
          "Copia_01=Servicios & Asociados"},
         {"&1. Servicios && Asociados", "&2. C:\\corvanta-e2e\\S&&A\\SuaWin.exe", "&3. No Definido.", "&4. No Definido."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RemoveTree(SettingsFile);
        ASSERT_TRUE(Arrange({}, c.settings));
        Launcher launcher;
        ASSERT_TRUE(Started(launcher));
        // 640 x 300, centred; with no window manager the window keeps the place it asked for.
        RECT frame;
        GetWindowRect(launcher.Main(), &frame);
        EXPECT_EQ(frame.left, GetSystemMetrics(SM_CXSCREEN) / 2 - 320);
        EXPECT_EQ(frame.top, GetSystemMetrics(SM_CYSCREEN) / 2 - 150);
        EXPECT_EQ(frame.right - frame.left, 640);
        EXPECT_EQ(frame.bottom - frame.top, 300);
        // A minimize box, no maximize box, no sizing border; icon 500 in caption and class; the stock font.
        const LONG style = GetWindowLongA(launcher.Main(), GWL_STYLE);
        EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), WS_MINIMIZEBOX) << std::hex << style;
        EXPECT_EQ(HeldBy(launcher.Main(), GCLP_HICONSM), Held::ProgramIcon);
        EXPECT_EQ(HeldBy(launcher.Main(), GCLP_HICON), Held::ProgramIcon);
        for (int id = 1; id <= ExitButton; ++id)
            EXPECT_EQ(HeldBy(launcher.Button(id), WM_GETFONT), Held::AnsiVarFont) << "button " << id;
        for (int id = 1; id <= 4; ++id)
            EXPECT_EQ(launcher.Caption(id), c.copyCaptions[id - 1]) << "button " << id;
        EXPECT_EQ(launcher.Caption(AboutButton), AboutCaption);
        EXPECT_EQ(launcher.Caption(ConfigureButton), ConfigureCaption);
        EXPECT_EQ(launcher.Caption(ExitButton), ExitCaption);
    }
}

TEST_F(MainWindow, LaunchPointsTheLocationFileAtTheCopyAndStartsItThere)
{
    // The launcher runs in its own folder, Cuatro: a typed path that is bare, relative, uses
    // forward slashes or dots is taken from there, resolved to the full path whose folder is
    // written and started in.
    const std::string folderFour = std::string(Root) + "\\Cuatro\\";
    const struct {
        std::string typed;       // as the settings hold it
        std::string executable;  // where the copy is
        std::string directory;   // where the copy runs: its folder without the backslash, but for a root
    } rounds[2][4] = {
        {
            {CopyOne, CopyOne, "C:\\corvanta-e2e\\Copia Uno Configuraci\xF3" "n"},
            {CopyTwo, CopyTwo, "C:\\corvanta-e2e\\B"},
            {CopyAtRoot, CopyAtRoot, "C:\\"},
            {"SuaWin.exe", folderFour + "SuaWin.exe", "C:\\corvanta-e2e\\Cuatro"},
        },
        {
            {"C:\\corvanta-e2e\\B/SuaWin.exe", CopyTwo, "C:\\corvanta-e2e\\B"},
            {"C:/corvanta-e2e/A/B/C/SuaWin.exe", CopyDeep, "C:\\corvanta-e2e\\A\\B\\C"},
            {"Cinco\\SuaWin.exe", folderFour + "Cinco\\SuaWin.exe", "C:\\corvanta-e2e\\Cuatro\\Cinco"},
            {"..\\A\\B\\..\\..\\B\\.\\SuaWin.exe", CopyTwo, "C:\\corvanta-e2e\\B"},
        },
    };
    for (const auto& round : rounds) {
        ASSERT_TRUE(Arrange({round[0].executable, round[1].executable, round[2].executable, round[3].executable},
                            Routes({round[0].typed, round[1].typed, round[2].typed, round[3].typed})));
        Launcher launcher;
        ASSERT_TRUE(Started(launcher, folderFour));
        for (int button = 1; button <= 4; ++button) {
            const auto& c = round[button - 1];
            SCOPED_TRACE("button " + std::to_string(button) + ": " + c.typed);
            ASSERT_TRUE(launcher.SendClick(button)) << launcher.DescribeWindows();
            // The location file as the copy found it: exactly the folder, nothing of an earlier launch.
            ExpectStartedIn(launcher, c.executable, c.directory);
            EXPECT_TRUE(launcher.ShowsNoBox());
            EXPECT_TRUE(launcher.Running()) << "the launcher stays open after a start";
        }
    }
}

// A push button turns the second press of a double-click into a click of its own; the launcher
// starts the copy once and says nothing of the second press. Each button its own copy.
TEST_F(MainWindow, DoubleClickStartsTheCopyOnce)
{
    const std::vector<std::string> copies = {CopyOne, CopyTwo, CopyAtRoot, CopyDeep};
    ASSERT_TRUE(Arrange(copies, Routes(copies)));
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));
    for (int button = 1; button <= 4; ++button) {
        SCOPED_TRACE("button " + std::to_string(button));
        ASSERT_TRUE(launcher.DoubleClick(button)) << launcher.DescribeInput();
        // Input is handled in the order it was sent: once a real click on About, sent after the
        // double-click, has opened its box, both presses have been handled too. The copy's window
        // takes the foreground when it shows, so the click goes once it has shown and the launcher
        // is in front again.
        ASSERT_TRUE(WaitUntil(CopyWindowShown)) << "the copy did not start; " << launcher.DescribeInput();
        ASSERT_TRUE(launcher.BringForward() && ClickCentre(launcher.Button(AboutButton))) << launcher.DescribeInput();
        HWND about = launcher.WaitForBox();
        ASSERT_EQ(WindowTitle(about), AboutTitle) << "About did not open on its click; " << launcher.DescribeInput();
        EXPECT_EQ(DialogsOf(launcher.Id()).size(), 1u) << "a box beside About:" << launcher.DescribeWindows();
        PostMessageA(about, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(launcher.Main()); }));
        ExpectStartedIn(launcher, copies[button - 1]);
    }
}

TEST_F(MainWindow, OpenManagedProgramBlocksEveryCopyButton)
{
    ASSERT_TRUE(Arrange({CopyOne}, Routes({CopyOne, NoCopy})));
    ASSERT_NE(StartStandIn(std::string(Root) + "\\Abierta\\SuaWin.exe"), nullptr);
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));

    // Configured, missing and empty copies alike: the open window is all that is looked at.
    for (int button = 1; button <= 4; ++button) {
        SCOPED_TRACE("button " + std::to_string(button));
        ASSERT_TRUE(launcher.PostClick(button));
        ExpectBox(TakeBox(launcher), ManagedRunningBox);
        EXPECT_TRUE(launcher.ShowsNoBox());
        EXPECT_EQ(BytesOf(LocationFile), NoFile) << "the location file was written";
        EXPECT_TRUE(CopiesRunning(launcher, 1)) << "a copy was started beside the open one";
    }
}

// A real click near the left end of copy button id (clear of a box centred over the window), once
// the launcher is in front; true when done() then holds.
bool ClickCopy(const Launcher& launcher, int id, const std::function<bool()>& done)
{
    return launcher.BringForward() && ClickAt(launcher.Button(id), {12, 14}) && WaitUntil(done);
}

// Boxes have no owner window, so a click on the main window raises it over a pending box. A press
// of a copy button then is still answered, by a box of its own on top of the launcher's windows,
// not dropped while the hidden box waits. Real clicks throughout.
TEST_F(MainWindow, PressWhileABoxIsHiddenIsAnsweredOnTop)
{
    ASSERT_TRUE(Arrange({CopyOne, CopyTwo}, Routes({CopyOne, CopyTwo})));
    ASSERT_NE(StartStandIn(std::string(Root) + "\\Abierta\\SuaWin.exe"), nullptr);
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));

    HWND first = nullptr;
    ASSERT_TRUE(ClickCopy(launcher, 1, [&] { return (first = launcher.WaitForBox(0)) != nullptr; }))
        << launcher.DescribeInput();
    ExpectBox(ReadBox(first), ManagedRunningBox);
    ASSERT_TRUE(ClickAt(launcher.Main(), {8, 8})) << "the window's background";
    ASSERT_TRUE(WaitUntil([&] { return TopVisibleWindowOf(launcher.Id()) == launcher.Main(); }))
        << "the click did not raise the window over the box:\n" << launcher.DescribeWindows();

    HWND top = nullptr;
    ASSERT_TRUE(ClickCopy(launcher, 2, [&] {
        top = TopVisibleWindowOf(launcher.Id());
        return top != launcher.Main() && top != first;
    })) << "the press went unanswered:\n" << launcher.DescribeWindows();
    ExpectBox(ReadBox(top), ManagedRunningBox);
    EXPECT_EQ(DialogsOf(launcher.Id()).size(), 2u) << "one box for each press:\n" << launcher.DescribeWindows();
    ASSERT_TRUE(DismissBox(top));
    ASSERT_TRUE(DismissBox(first));
    EXPECT_TRUE(launcher.ShowsNoBox());
    EXPECT_EQ(BytesOf(LocationFile), NoFile) << "the location file was written";

    // With the boxes and the managed program gone, the same button starts its copy.
    ASSERT_TRUE(CloseStandIns());
    ASSERT_TRUE(ClickCopy(launcher, 1, [] { return CountCopies() == 1; })) << launcher.DescribeInput();
    ExpectStartedIn(launcher, CopyOne);
}

// A running launcher, or a window of any program with exactly the launcher's title, refuses a
// new launcher before it shows any window.
TEST_F(MainWindow, SecondLauncherIsRefusedAndEndsWithTheBoxResult)
{
    const struct {
        const char* label;
        bool foreignWindow;  // otherwise a launcher runs
    } cases[] = {
        {"a launcher runs", false},
        {"another program's window carries the launcher's title", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Launcher first;
        WindowCrowd foreign;
        if (c.foreignWindow) {
            ASSERT_NE(foreign.Add(MainTitle), nullptr);
        } else {
            ASSERT_TRUE(Started(first));
        }

        Launcher second;
        ASSERT_TRUE(second.Start());
        HWND window = second.WaitForBox();
        ASSERT_NE(window, nullptr) << second.DescribeWindows();
        EXPECT_EQ(VisibleWindowOf(second.Id(), MainTitle), nullptr) << "the refused launcher showed its window";
        ExpectBox(ReadBox(window), LauncherRunningBox);
        ASSERT_TRUE(DismissBox(window));
        DWORD code = 0;
        ASSERT_TRUE(second.WaitForExit(code));
        EXPECT_EQ(code, 1u) << "the box's result, IDOK";
        if (!c.foreignWindow)
            EXPECT_TRUE(first.Running());
    }
}

TEST_F(MainWindow, BadPathWarnsOnceAndStartsNothing)
{
    const std::string deleted = std::string(Root) + "\\Borrada\\SuaWin.exe";
    const std::string earlier = "C:\\antes\\";
    HeldFile held;
    const struct {
        const char* label;
        std::string path;               // copy 1's
        std::function<bool()> arrange;  // after the captions are made, before the click
        std::string location;           // what the location file holds afterwards
    } cases[] = {
        {"empty path", "", [] { return true; }, earlier},
        {"executable missing", NoCopy, [] { return true; }, earlier},
        {"executable deleted after the captions were made", deleted, [&] {
             RemoveTree(deleted);
             return BytesOf(deleted) == NoFile;
         }, earlier},
        {"location file replaced by a folder", CopyTwo, [] {
             RemoveTree(LocationFile);
             return CreateDirectoryA(LocationFile, nullptr) != FALSE;
         }, FolderHere},
        {"location file held open by another program", CopyTwo, [&] { return held.Hold(LocationFile, 0); }, earlier},
        // The existence test takes these two, but neither is a program to start.
        {"wildcard that matches", std::string(Root) + "\\B\\*.exe", [] { return true; }, earlier},
        {"folder named without its backslash", std::string(Root) + "\\B", [] { return true; }, earlier},
        // The same set-up with a good path starts the copy: no row above passes for want of it.
        {"good path", CopyTwo, [] { return true; }, FolderOf(CopyTwo)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(Arrange({deleted, CopyTwo}, Routes({c.path})));
        RemoveTree(LocationFile);
        ASSERT_TRUE(WriteBytes(LocationFile, earlier));
        Launcher launcher;
        ASSERT_TRUE(Started(launcher));
        ASSERT_TRUE(c.arrange());
        if (c.location == FolderOf(c.path)) {
            ASSERT_TRUE(launcher.SendClick(1)) << launcher.DescribeWindows();
            ExpectStartedIn(launcher, c.path);
        } else {
            ASSERT_TRUE(launcher.PostClick(1));
            ExpectBox(TakeBox(launcher), BadPathBox);
            EXPECT_TRUE(launcher.ShowsNoBox());
            EXPECT_TRUE(CopiesRunning(launcher, 0));
        }
        held.Release();
        EXPECT_EQ(BytesOf(LocationFile), c.location);
    }
}

// Where the main window cannot be made (a refusal stands in for an exhausted desktop), the
// launcher ends at once with code 2 and shows nothing; the next start, once windows can be made,
// runs as usual.
TEST_F(MainWindow, ExitCodeIsTwoWhereTheWindowCannotBeMade)
{
    {
        LauncherHook refusal(LauncherHook::Refuse);
        ASSERT_TRUE(refusal.Set());
        Launcher launcher;
        ASSERT_TRUE(launcher.Start());
        DWORD code = 99;
        ASSERT_TRUE(launcher.WaitForExit(code)) << launcher.DescribeWindows();
        EXPECT_EQ(code, 2u);
    }
    Launcher next;
    ASSERT_TRUE(Started(next)) << "the launcher that ended left its start-up mutex behind";
}

// A settings dialog that cannot be made is reported once; the main window still answers after it:
// Configurar opens the dialog, and a copy button starts its copy.
TEST_F(MainWindow, SettingsDialogThatCannotOpenIsReportedAndTheWindowAnswers)
{
    ASSERT_TRUE(Arrange({CopyOne}, Routes({CopyOne})));
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));
    {
        LauncherHook refusal(LauncherHook::Refuse);
        ASSERT_TRUE(refusal.Set());
        ASSERT_TRUE(launcher.PostClick(ConfigureButton));
        ExpectBox(TakeBox(launcher), SetupOpenFailedBox);
    }
    EXPECT_TRUE(launcher.ShowsNoBox());
    EXPECT_TRUE(IsWindowEnabled(launcher.Main()));

    HWND dialog = launcher.OpenSettings();
    ASSERT_NE(dialog, nullptr) << launcher.DescribeWindows();
    ASSERT_TRUE(PostClick(GetDlgItem(dialog, CancelButton)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(launcher.Main()); }));
    ASSERT_TRUE(launcher.SendClick(1)) << launcher.DescribeWindows();
    ExpectStartedIn(launcher, CopyOne);
}

TEST_F(MainWindow, AboutBoxBelongsToTheMainWindow)
{
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));
    ASSERT_TRUE(launcher.PostClick(AboutButton));
    HWND about = launcher.WaitForBox();
    ASSERT_NE(about, nullptr) << launcher.DescribeWindows();
    // Wine titles the box "About" and the application's name, the text in static 101, the icon in 1088.
    EXPECT_EQ(WindowTitle(about), AboutTitle);
    EXPECT_EQ(GetWindow(about, GW_OWNER), launcher.Main());
    EXPECT_EQ(TopVisibleWindowOf(launcher.Id()), about) << "the box shows above the main window";
    EXPECT_EQ(WindowTitle(GetDlgItem(about, 101)), AboutText);
    EXPECT_EQ(HeldBy(GetDlgItem(about, 1088), STM_GETICON), Held::ProgramIcon);
    EXPECT_FALSE(IsWindowEnabled(launcher.Main())) << "the About box is modal";

    PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(launcher.Main()); }));
    EXPECT_TRUE(launcher.Running());
}

TEST_F(MainWindow, ExitButtonAndCloseEndWithCodeZero)
{
    const struct {
        const char* label;
        void (*close)(const Launcher&);
    } cases[] = {
        {"Salir", [](const Launcher& launcher) { ASSERT_TRUE(launcher.PostClick(ExitButton)); }},
        {"WM_CLOSE", [](const Launcher& launcher) { PostMessageA(launcher.Main(), WM_CLOSE, 0, 0); }},
        {"Alt+F4", [](const Launcher& launcher) { EXPECT_TRUE(launcher.PressAlt(VK_F4)); }},
        // A box has no owner, so the main window stays open to a close while the box is up.
        {"WM_CLOSE with a box up", [](const Launcher& launcher) {
             ASSERT_TRUE(launcher.PostClick(1));
             ASSERT_NE(launcher.WaitForBox(), nullptr);
             PostMessageA(launcher.Main(), WM_CLOSE, 0, 0);
         }},
        {"WM_CLOSE with the dialog open", [](const Launcher& launcher) {
             ASSERT_NE(launcher.OpenSettings(), nullptr);
             PostMessageA(launcher.Main(), WM_CLOSE, 0, 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Launcher launcher;
        ASSERT_TRUE(Started(launcher));
        // A command carrying a notification code is not a click.
        DWORD_PTR ignored;
        ASSERT_TRUE(SendMessageTimeoutA(launcher.Main(), WM_COMMAND, MAKEWPARAM(ExitButton, BN_DOUBLECLICKED), 0,
                                        SMTO_NORMAL, WaitMs, &ignored));
        EXPECT_TRUE(IsWindow(launcher.Main()));
        c.close(launcher);
        DWORD code = 99;
        ASSERT_TRUE(launcher.WaitForExit(code));
        EXPECT_EQ(code, 0u);
    }
}

TEST_F(MainWindow, AltWithAMnemonicActsLikeItsButton)
{
    const std::vector<std::string> copies = {CopyOne, CopyTwo, CopyThree, CopyDeep};
    ASSERT_TRUE(Arrange(copies, Routes(copies)));
    Launcher launcher;
    ASSERT_TRUE(Started(launcher));

    for (int slot = 1; slot <= 4; ++slot) {
        SCOPED_TRACE("Alt+" + std::to_string(slot));
        ASSERT_TRUE(MenuOpenedBy(launcher.Main(), [&] { return launcher.PressAlt(static_cast<WORD>('0' + slot)); }))
            << launcher.DescribeInput();
        ExpectStartedIn(launcher, copies[slot - 1]);
    }
    {
        SCOPED_TRACE("Alt+A");
        ASSERT_TRUE(launcher.PressAlt('A'));
        HWND about = launcher.WaitForBox();
        ASSERT_NE(about, nullptr) << launcher.DescribeWindows();
        EXPECT_EQ(WindowTitle(about), AboutTitle);
        PostMessageA(about, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about) && IsWindowEnabled(launcher.Main()); }));
    }
    {
        SCOPED_TRACE("Alt+C");
        ASSERT_TRUE(launcher.PressAlt('C'));
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (dialog = launcher.SettingsDialog()) != nullptr; }));
        ASSERT_TRUE(PostClick(GetDlgItem(dialog, CancelButton)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog) && IsWindowEnabled(launcher.Main()); }));
    }
    {
        // Every mapped key but S has now been pressed once, so its toggle bit is set: a released
        // key reads 1, which must not count as down.
        SCOPED_TRACE("Alt+Space, the system menu with no mapped key down");
        // The keys are read as the menu opens, after every key sent before; a late focus change
        // the launcher's display driver reports can close the menu at once, so the opening itself
        // is what is waited for.
        ASSERT_TRUE(MenuOpenedBy(launcher.Main(), [&] { return launcher.PressAlt(VK_SPACE); })) << launcher.DescribeInput();
        EXPECT_TRUE(launcher.ShowsNoBox());
        EXPECT_TRUE(CopiesRunning(launcher, 0));
        ASSERT_TRUE(PressKey(VK_ESCAPE) && PressKey(VK_ESCAPE));
    }
    {
        SCOPED_TRACE("Alt+S");
        ASSERT_TRUE(launcher.PressAlt('S'));
        DWORD code = 99;
        ASSERT_TRUE(launcher.WaitForExit(code)) << launcher.DescribeInput();
        EXPECT_EQ(code, 0u);
    }
}

}  // namespace
