// The window-title census.
#include "window_census.h"

#include "platform.h"
#include "text_buffer.h"
#include "texts.h"

// Window handles index a table of 65,536 entries, so no desktop holds more windows than that. A
// GetWindow walk can run in circles when windows are reordered while it goes; one that has passed
// this many windows is doing so, and ends there.
constexpr unsigned WalkLimit = 65536;

unsigned CountWindowsTitled(const char* target, unsigned compareLength, PlatformWindow passedOver)
{
    unsigned count = 0;
    unsigned walked = 0;
    char title[TextBufferSize];
    // Every window the walk reaches counts, whatever its process, class or visibility.
    for (PlatformWindow window = PlatformFirstWindow(); window != nullptr && walked < WalkLimit;
         window = PlatformNextWindow(window), ++walked) {
        if (window == passedOver)
            continue;
        title[0] = '\0';
        PlatformWindowTitle(window, title, TextBufferSize);
        title[TextBufferSize - 1] = '\0';
        if (compareLength != 0 && TextLength(title) > compareLength)
            title[compareLength] = '\0';
        if (PlatformTextsEqual(title, target))
            ++count;
    }
    return count;
}

bool IsManagedProgramRunning()
{
    // The copy started last counts from the moment its process exists: its window can take a
    // while to appear, and a second copy started in that time would run beside it.
    if (!PlatformStartedProgramRunning() &&
        CountWindowsTitled(Text::ManagedTitlePrefix, Text::ManagedTitlePrefixLength) == 0)
        return false;
    PlatformShowBox(Text::ManagedRunningText, Text::ManagedRunningCaption, BoxIcon::Error);
    return true;
}

bool IsAnotherLauncherRunning()
{
    // The launcher's own window, created hidden before this test, carries the title too, and the
    // walk can pass it twice: a window raised while the walk goes (the refusal box of a launcher
    // started at the same moment, for one) sends the walk back over the windows above it. Counted,
    // it would read as a second launcher; so the count is of every other window with the title.
    return CountWindowsTitled(Text::WindowTitle, 0, PlatformMainWindow()) > 0;
}
