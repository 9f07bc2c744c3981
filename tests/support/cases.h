// What the Windows-side test programs share on top of the library: the one box expectation and
// the fixture that starts and ends every end-to-end case with a clean world.
#pragma once

#include <gtest/gtest.h>

#include "support.h"

namespace support {

// The box was seen, with exactly this caption, text (unless expected.text is null) and icon, and with
// no owner window: the launcher's boxes are never owned.
void ExpectBox(const Box& box, const BoxSpec& expected);

// Starts the launcher in folder (empty: this program's) and waits for its main window.
::testing::AssertionResult Started(Launcher& launcher, const std::string& folder = "");

// Every case starts and ends with no launcher, no stand-in, no settings or location file and no
// copy folders (RemoveTestState).
class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

}  // namespace support
