// Window titles of any bytes and length through the census and both one-at-a-time rules,
// against a plain count.
// Input: a mode byte (0: managed-program rule, 1: launcher rule, otherwise a target text and a
// compare length read next), then the titles as texts.
#include <vector>

#include "../../core/window_census.h"
#include "../host/fake_platform.h"
#include "fuzz_support.h"

namespace {

const std::string Managed = "Sistema Unico de Autodeterminaci\xF3" "n";
const std::string Launcher = "Corvanta [Maneja Varias Copias de WinSua]";

// A title matches when, as read into 260 bytes and cut to the compare length, it is the target.
unsigned PlainCount(const std::vector<std::string>& titles, const std::string& target, unsigned compareLength)
{
    unsigned count = 0;
    for (const std::string& title : titles) {
        std::string read = AsHeld(title, 260);
        if (compareLength != 0)
            read = read.substr(0, compareLength);
        count += read == target;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    unsigned mode = input.Byte();
    std::string target;
    unsigned compareLength = 0;
    if (mode > 1) {
        target = AsHeld(input.Text(), 1 << 16);
        compareLength = input.Byte();
        compareLength |= static_cast<unsigned>(input.Byte()) << 8;
    }
    Fake::Reset();
    while (!input.Empty())
        Fake::windowTitles.push_back(input.Text());

    if (mode == 0) {
        bool running = IsManagedProgramRunning();
        REQUIRE(running == (PlainCount(Fake::windowTitles, Managed, 34) > 0));
        REQUIRE(Fake::boxes.size() == (running ? 1u : 0u));
    } else if (mode == 1) {
        // The first window is the launcher's own, whatever its title: only the others count.
        Fake::ownWindow = Fake::windowTitles.empty() ? -1 : 0;
        std::vector<std::string> others = Fake::windowTitles;
        if (!others.empty())
            others.erase(others.begin());
        REQUIRE(IsAnotherLauncherRunning() == (PlainCount(others, Launcher, 0) > 0));
        REQUIRE(Fake::boxes.empty());
    } else {
        REQUIRE(CountWindowsTitled(target.c_str(), compareLength) ==
                PlainCount(Fake::windowTitles, target, compareLength));
    }
    return 0;
}
