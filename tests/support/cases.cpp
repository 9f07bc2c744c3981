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
    EXPECT_EQ(box.owner, nullptr) << "the box has an owner window";
}

::testing::AssertionResult Started(Launcher& launcher, const std::string& folder)
{
    if (!launcher.Start(folder))
        return ::testing::AssertionFailure() << "the launcher did not start";
    if (launcher.WaitForMainWindow() == nullptr)
        return ::testing::AssertionFailure() << "no main window; the launcher's windows: " << launcher.DescribeWindows();
    return ::testing::AssertionSuccess();
}

void EndToEnd::SetUp()
{
    RemoveTestState();
    ASSERT_TRUE(CreateDirectoryA(Expected::Root, nullptr));
    // A launcher left by an aborted run would turn every start into a refusal.
    ASSERT_TRUE(WaitUntil([] { return FindWindowA(nullptr, Expected::MainTitle) == nullptr; }))
        << "a launcher window is still open";
}

void EndToEnd::TearDown()
{
    RemoveTestState();
}

}  // namespace support
