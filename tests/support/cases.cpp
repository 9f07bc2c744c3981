// The GoogleTest side of the library; see cases.h.
#include "cases.h"

namespace support {

void ExpectBox(const Box& box, const BoxSpec& expected)
{
    ASSERT_NE(box.window, nullptr) << "no box appeared: expected \"" << expected.caption << "\"";
    EXPECT_EQ(box.caption, expected.caption);
    if (expected.text != nullptr) {
        EXPECT_EQ(box.text, expected.text);
    }
    EXPECT_EQ(box.icon, expected.icon) << "0 none, 1 warning, 2 error, 3 unknown";
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK}) << "the box's buttons";
    EXPECT_EQ(box.owner, nullptr) << "the box has an owner window";
}

Box TakeBox(const Launcher& launcher)
{
    HWND window = launcher.WaitForBox();
    if (window == nullptr)
        return Box();
    Box box = ReadBox(window);
    EXPECT_TRUE(DismissBox(window)) << "the box \"" << box.caption << "\" did not close on OK";
    return box;
}

::testing::AssertionResult Started(Launcher& launcher, const std::string& folder)
{
    if (!launcher.Start(folder))
        return ::testing::AssertionFailure() << "the launcher did not start";
    if (launcher.WaitForMainWindow() == nullptr)
        return ::testing::AssertionFailure() << "no main window; the launcher's windows: " << launcher.DescribeWindows();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Arrange(const std::vector<std::string>& copies, const std::vector<std::string>& settings)
{
    for (const std::string& copy : copies)
        if (!PlaceStandIn(copy))
            return ::testing::AssertionFailure() << "no copy could be placed at " << copy;
    if (!settings.empty() && !WriteSettings(settings))
        return ::testing::AssertionFailure() << "Corvanta.ini could not be written";
    return ::testing::AssertionSuccess();
}

std::vector<std::string> Routes(const std::vector<std::string>& paths)
{
    std::vector<std::string> lines = {"[RUTAS]"};
    for (size_t slot = 1; slot <= paths.size(); ++slot)
        lines.push_back("Copia_0" + std::to_string(slot) + "=" + paths[slot - 1]);
    return lines;
}

::testing::AssertionResult CopiesRunning(const Launcher& launcher, int expected)
{
    if (!SyncWith(launcher.Main()))
        return ::testing::AssertionFailure() << "the launcher did not catch up";
    const int running = CountCopies();
    if (running != expected)
        return ::testing::AssertionFailure() << running << " copies run, expected " << expected;
    return ::testing::AssertionSuccess();
}

void ExpectStartedIn(const Launcher& launcher, const std::string& executable, const std::string& directory)
{
    StandInRecord record;
    ASSERT_TRUE(ReadStandInRecord(FolderOf(executable), record)) << "the copy at " << executable << " did not start";
    EXPECT_TRUE(CopiesRunning(launcher, 1));
    EXPECT_EQ(record.directory, directory.empty() ? RunFolder(executable) : directory);
    EXPECT_TRUE(record.locationFound) << "the location file was not there when the copy started";
    EXPECT_EQ(record.location, FolderOf(executable)) << "what the copy found in the location file";
    EXPECT_EQ(record.show, SW_SHOWDEFAULT) << "the show command the copy was started with";
    ASSERT_TRUE(CloseStandIns());
}

void EndToEnd::SetUp()
{
    ASSERT_TRUE(RemoveTestState()) << "what an earlier case left could not be removed";
    ASSERT_TRUE(CreateDirectoryA(Expected::Root, nullptr));
    // A launcher left by an aborted run would turn every start into a refusal.
    ASSERT_TRUE(WaitUntil([] { return FindWindowA(nullptr, Expected::MainTitle) == nullptr; }))
        << "a launcher window is still open";
}

void EndToEnd::TearDown()
{
    EXPECT_TRUE(RemoveTestState()) << "what the case left could not be removed";
}

}  // namespace support
