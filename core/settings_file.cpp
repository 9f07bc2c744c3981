// The settings file: two sections, RUTAS and DESCRIPCIONES, with the keys Copia_01 to Copia_04.
#include "settings_file.h"

#include "copy_table.h"
#include "platform.h"
#include "texts.h"

// "Copia_0N": the key of a slot in both sections.
constexpr unsigned SlotKeySize = sizeof("Copia_01");
static void ComposeSlotKey(int slot, char (&key)[SlotKeySize])
{
    CopyText(key, Text::SlotKeyPattern, SlotKeySize);
    key[SlotKeySize - 2] = static_cast<char>('0' + slot);
}

void LoadSettings()
{
    char key[SlotKeySize];
    for (int slot = 1; slot <= SlotCount; ++slot) {
        CopySlot& copy = SlotAt(slot);
        ComposeSlotKey(slot, key);
        PlatformReadProfile(Text::SettingsFile, Text::PathSection, key, copy.path, TextBufferSize);
        PlatformReadProfile(Text::SettingsFile, Text::DescriptionSection, key, copy.description,
                            TextBufferSize);
    }
    RefreshSlotLabels();
}

bool SaveSettings()
{
    // Every value is written even after a failure, so that as much as possible reaches the file.
    bool saved = true;
    char key[SlotKeySize];
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const CopySlot& copy = SlotAt(slot);
        ComposeSlotKey(slot, key);
        saved &= PlatformWriteProfile(Text::SettingsFile, Text::PathSection, key, copy.path);
        saved &= PlatformWriteProfile(Text::SettingsFile, Text::DescriptionSection, key,
                                      copy.description);
    }
    RefreshSlotLabels();
    if (!saved)
        PlatformShowBox(Text::SettingsNotSavedText, Text::WindowTitle, BoxIcon::Warning);
    return saved;
}
