// The window-title census.
#include "window_census.h"

#include "platform.h"
#include "text_buffer.h"
#include "texts.h"

unsigned CountWindowsTitled(const char* target, unsigned compareLength)
{
    unsigned count = 0;
    char title[TextBufferSize];
    // Every window the walk reaches counts, whatever its process, class or visibility.
    for (PlatformWindow window = PlatformFirstWindow(); window != nullptr;
         window = PlatformNextWindow(window)) {
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
    if (CountWindowsTitled(Text::ManagedTitlePrefix, Text::ManagedTitlePrefixLength) == 0)
        return false;
    PlatformShowBox(Text::ManagedRunningText, Text::ManagedRunningCaption, BoxIcon::Error);
    return true;
}

bool IsAnotherLauncherRunning()
{
    // The launcher's own window, created hidden before this test, is part of the count.
    return CountWindowsTitled(Text::WindowTitle, 0) > 1;
}
