// Corvanta.ini under fault: a save the platform refuses, and a settings file full of junk, both
// against the real launcher under Wine.
#include "cases.h"

namespace {

using namespace support;
using namespace Expected;

using SettingsFaults = EndToEnd;

bool CloseDialog(HWND dialog, int button)
{
    return PostClick(GetDlgItem(dialog, button)) && WaitUntil([&] { return !IsWindow(dialog); });
}

// Under Wine as root the read-only attribute does not stop the profile routines (measured: the
// write succeeds), and neither does a reader that lets others write. What does refuse a save is
// another program holding the file open without write sharing, or a folder in the file's place.
TEST_F(SettingsFaults, RefusedSaveWarnsOnceAndKeepsTheNewValuesForTheRun)
{
    ASSERT_TRUE(Arrange({CopyOne, CopyTwo}, {}));
    HeldFile held;
    const struct {
        const char* label;
        std::function<bool()> arrange;
        bool fileBefore;  // false: the folder stands where the file was
    } cases[] = {
        {"held open by a reader that refuses writers", [&] { return held.Hold(SettingsFile, FILE_SHARE_READ); }, true},
        {"held open with no sharing", [&] { return held.Hold(SettingsFile, 0); }, true},
        {"a folder named Corvanta.ini",
         [] {
             RemoveTree(SettingsFile);
             return CreateDirectoryA(SettingsFile, nullptr) != FALSE;
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RemoveTree(SettingsFile);
        ASSERT_TRUE(Arrange({}, {"[RUTAS]", "Copia_01=" + CopyOne, "[DESCRIPCIONES]", "Copia_01=Uno", "[OTRA]", "Clave=valor"}));
        const std::string before = BytesOf(SettingsFile);
        Launcher launcher;
        ASSERT_TRUE(Started(launcher));
        ASSERT_EQ(launcher.Caption(1), "&1. Uno");

        ASSERT_TRUE(c.arrange());
        HWND dialog = launcher.OpenSettings();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(SetField(dialog, DescriptionEdit(1), "Uno nuevo") && SetField(dialog, PathEdit(2), CopyTwo) &&
                    SetField(dialog, DescriptionEdit(2), "Dos"));
        ASSERT_TRUE(PostClick(GetDlgItem(dialog, AcceptButton)));

        ExpectBox(TakeBox(launcher), NotSavedBox);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog stays open";
        EXPECT_TRUE(launcher.ShowsNoBox()) << "one warning for eight failed writes";
        const std::string captions[4] = {"&1. Uno nuevo", "&2. Dos", "&3. No Definido.", "&4. No Definido."};
        for (int slot = 1; slot <= 4; ++slot)
            EXPECT_EQ(launcher.Caption(slot), captions[slot - 1]) << "button " << slot;

        held.Release();
        EXPECT_EQ(BytesOf(SettingsFile), c.fileBefore ? before : FolderHere) << "the refused save changed the file";
        if (!c.fileBefore)
            RemoveTree(SettingsFile);

        // Nothing was lost: the table kept the new values, and the next accept saves them.
        dialog = launcher.OpenSettings();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(Field(dialog, DescriptionEdit(1)), "Uno nuevo");
        EXPECT_EQ(Field(dialog, PathEdit(2)), CopyTwo);
        ASSERT_TRUE(CloseDialog(dialog, AcceptButton));
        EXPECT_TRUE(launcher.ShowsNoBox());
        std::vector<std::string> expected = {
            "[RUTAS]", "RUTAS/Copia_01=" + CopyOne, "RUTAS/Copia_02=" + CopyTwo, "RUTAS/Copia_03=", "RUTAS/Copia_04=",
            "[DESCRIPCIONES]", "DESCRIPCIONES/Copia_01=Uno nuevo", "DESCRIPCIONES/Copia_02=Dos",
            "DESCRIPCIONES/Copia_03=", "DESCRIPCIONES/Copia_04="};
        if (c.fileBefore) {
            expected.push_back("[OTRA]");
            expected.push_back("OTRA/Clave=valor");
        }
        EXPECT_EQ(Sorted(IniEntries()), Sorted(expected));
    }
}

// Bytes no editor would write: control and high bytes, a zero inside a value, 1,000-character
// values, a 5,000-byte line, a key and whole sections repeated, and CR, LF and CRLF line ends.
std::string HostileSettings(const std::string& longExecutable, const std::string& longDescription,
                            const std::string& ignoredCopy)
{
    std::string junk;
    for (int byte = 1; byte < 256; ++byte)
        if (byte != '\r' && byte != '\n' && byte != '[' && byte != '=')
            junk += static_cast<char>(byte);
    std::string text = junk + "\r\n";
    text += "[RUTAS]\r";
    text += "Copia_01=" + CopyOne + "\r";
    text += "Copia_01=C:\\corvanta-e2e\\otra\\SuaWin.exe\n";
    text += "Copia_02=" + longExecutable + std::string(1000 - longExecutable.size(), 'x') + "\r\n";
    text += "Copia_03=C:\\corvanta-e2e\\nada" + std::string(1, '\0') + "\\SuaWin.exe\n";
    text += std::string(5000, '#') + "\r\n";
    text += "[DESCRIPCIONES]\n";
    text += "Copia_01=" + longDescription + "\r";
    text += "[RUTAS]\r\n";
    text += "Copia_04=" + ignoredCopy + "\r\n";
    text += "[DESCRIPCIONES]\r\n";
    text += "Copia_02=Segunda secci\xF3" "n\r\n";
    text += junk;
    return text;
}

TEST_F(SettingsFaults, HostileSettingsFileLoadsCutAndTheLauncherAnswers)
{
    // An executable whose path is exactly 259 characters, so the cut value still names it.
    const std::string longFolder = std::string(Root) + "\\" + std::string(120, 'L');
    const std::string longExecutable = longFolder + "\\" + std::string(259 - longFolder.size() - 5, 'S') + ".exe";
    ASSERT_EQ(longExecutable.size(), 259u);
    const std::string ignoredCopy = std::string(Root) + "\\Cuatro\\SuaWin.exe";
    ASSERT_TRUE(Arrange({CopyOne, longExecutable, ignoredCopy}, {}));
    std::string longDescription;
    while (longDescription.size() < 1000)
        longDescription += "Descripci\xF3" "n muy larga; ";
    longDescription.resize(1000);

    const std::string text = HostileSettings(longExecutable, longDescription, ignoredCopy);
    const struct {
        const char* label;
        std::string bytes;
        std::string captions[4];
        std::string fields[4][2];  // what the settings dialog then shows
    } cases[] = {
        // Wine's reader ends a line at CR or LF, keeps the first of repeated keys, reads only the
        // first of repeated sections, and ends a value at a zero byte.
        {"junk, long values, repeats, mixed line ends",
         text,
         {"&1. " + longDescription.substr(0, 259), "&2. " + longExecutable, "&3. No Definido.",
          "&4. No Definido."},
         {{CopyOne, longDescription.substr(0, 259)},
          {longExecutable, ""},
          {"C:\\corvanta-e2e\\nada", ""},
          {"", ""}}},
        // Two leading bytes that read as a UTF-16 byte-order mark turn the rest into other text.
        {"the same behind a UTF-16 mark",
         "\xFF\xFE" + text,
         {"&1. No Definido.", "&2. No Definido.", "&3. No Definido.", "&4. No Definido."},
         {{"", ""}, {"", ""}, {"", ""}, {"", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        ASSERT_TRUE(WriteBytes(SettingsFile, c.bytes));
        Launcher launcher;
        ASSERT_TRUE(Started(launcher));
        for (int slot = 1; slot <= 4; ++slot)
            EXPECT_EQ(launcher.Caption(slot), c.captions[slot - 1]) << "button " << slot;

        HWND dialog = launcher.OpenSettings();
        ASSERT_NE(dialog, nullptr);
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(Field(dialog, PathEdit(slot)), c.fields[slot - 1][0]) << "copy " << slot;
            EXPECT_EQ(Field(dialog, DescriptionEdit(slot)), c.fields[slot - 1][1]) << "copy " << slot;
        }
        ASSERT_TRUE(CloseDialog(dialog, CancelButton));

        // Still answering: a copy that cannot start gets its warning, and the launcher stays.
        ASSERT_TRUE(launcher.PostClick(3));
        ExpectBox(TakeBox(launcher), BadPathBox);
        EXPECT_TRUE(launcher.ShowsNoBox());
        EXPECT_TRUE(launcher.Running());
        EXPECT_EQ(BytesOf(SettingsFile), c.bytes) << "loading changed the file";
    }
}

}  // namespace
