// What the Windows-side test programs share on top of the library: the box expectation, the
// set-up of copies and settings, the checks on started copies, and the fixture that starts and
// ends every end-to-end case with a clean world. Each says what failed.
#pragma once

#include <gtest/gtest.h>

#include "support.h"

namespace support {

// The box was seen, with exactly this caption, text (unless expected.text is null) and icon, only
// an OK button, and no owner window: the launcher's boxes are never owned.
void ExpectBox(const Box& box, const BoxSpec& expected);

// Waits for the launcher's box, reads it and presses its OK button; a box that does not close
// fails the case. An empty Box when none came.
Box TakeBox(const Launcher& launcher);

// Starts the launcher in folder (empty: this program's) and waits for its main window.
::testing::AssertionResult Started(Launcher& launcher, const std::string& folder = "");

// A stand-in copy at each of copies, then Corvanta.ini with these lines (none: no file).
::testing::AssertionResult Arrange(const std::vector<std::string>& copies, const std::vector<std::string>& settings);
// Corvanta.ini's lines naming these paths as copies 1, 2, ... in [RUTAS].
std::vector<std::string> Routes(const std::vector<std::string>& paths);

// Exactly this many copies run once the launcher's thread has caught up. A start creates its
// copy's process before the press that asked for it has been handled, so a second copy started by
// the same press or an earlier one is counted, whether or not its window has shown yet.
::testing::AssertionResult CopiesRunning(const Launcher& launcher, int expected);

// The copy at executable started, alone, from its own folder, with the location file naming that
// folder and the show command the launcher gives every copy; then it is ended.
void ExpectStartedIn(const Launcher& launcher, const std::string& executable,
                     const std::string& directory = "");

// Every case starts and ends with no launcher, no stand-in, no settings or location file and no
// copy folders (RemoveTestState).
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace support
