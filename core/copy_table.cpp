// The copy table, the existence test and the button labels.
#include "copy_table.h"

#include "platform.h"
#include "texts.h"

CopySlot CopyTable[SlotCount];

bool FileExists(const char* path)
{
    if (path[0] == '\0')
        return false;
    return PlatformFindFile(path) != FoundEntry::None;
}

// The caption of copy button slot: "&N. " then "No Definido." for a missing executable,
// otherwise the description, or the path when there is none, with its '&' doubled so the
// button shows it as typed instead of underlining the letter after it.
static void ComposeSlotLabel(int slot, char (&caption)[CaptionBufferSize])
{
    const CopySlot& copy = SlotAt(slot);

    CopyText(caption, Text::SlotPrefixPattern, CaptionBufferSize);
    caption[1] = static_cast<char>('0' + slot);

    // The test runs afresh each time: a caption shows the file system as it was at the last
    // load or save, not at the moment of a click.
    const char* shown = copy.path;
    if (!FileExists(copy.path))
        shown = Text::NotDefined;
    else if (copy.description[0] != '\0')
        shown = copy.description;
    AppendDoublingAmpersands(caption, shown, CaptionBufferSize);
}

void RefreshSlotLabels()
{
    char caption[CaptionBufferSize];
    for (int slot = 1; slot <= SlotCount; ++slot) {
        ComposeSlotLabel(slot, caption);
        PlatformSetSlotCaption(slot, caption);
    }
}
