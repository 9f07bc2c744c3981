// The settings dialog end to end: what it shows, the order and focus of its warnings, cancelling,
// and a save that reaches Corvanta.ini and the main window's captions at once.
#include "cases.h"

namespace {

using namespace support;
using namespace Expected;

const std::string FolderOfCopyOne = RunFolder(CopyOne);  // named without its backslash
const std::string WildcardTwo = FolderOf(CopyTwo) + "*.exe";
const std::string StartFolder = std::string(Root) + "\\Inicio\\";  // where the launcher runs

class SettingsDialog : public EndToEnd {
protected:
    void SetUp() override
    {
        EndToEnd::SetUp();
        std::vector<std::string> settings = Routes({CopyOne, CopyTwo});
        settings.insert(settings.end(), {"[DESCRIPCIONES]", "Copia_01=Uno"});
        ASSERT_TRUE(Arrange({CopyOne, CopyTwo}, settings));
        settingsBefore = BytesOf(SettingsFile);
        MakeFoldersFor(StartFolder);
        ASSERT_TRUE(Started(launcher, StartFolder));
    }

    void ExpectCaptionsAsSeeded()
    {
        const std::string seeded[4] = {"&1. Uno", "&2. " + CopyTwo, "&3. No Definido.", "&4. No Definido."};
        for (int slot = 1; slot <= 4; ++slot)
            EXPECT_EQ(launcher.Caption(slot), seeded[slot - 1]);
    }

    void ExpectSettingsUnchanged() { EXPECT_EQ(BytesOf(SettingsFile), settingsBefore) << "Corvanta.ini changed"; }

    std::string settingsBefore;
    Launcher launcher;
};

TEST_F(SettingsDialog, AcceptWarnsOncePerBadPathInCopyOrder)
{
    HWND dialog = launcher.OpenSettings();
    ASSERT_NE(dialog, nullptr);
    const std::string overlong = std::string(Root) + "\\" + std::string(290, 'c');
    const struct {
        const char* label;
        std::string paths[4];
        std::vector<std::string> texts;  // one box each, in this order
        BoxIcon icon;
        int focus;  // the path edit holding the focus afterwards
    } cases[] = {
        {"copies 1 and 3 bad", {NoCopy, CopyTwo, NoCopy, ""}, {NoCopy, BadPathText}, BoxIcon::Warning, 7},
        {"copies 2, 3 and 4 bad", {"", NoCopy, NoCopy, NoCopy}, {BadPathText, BadPathText, BadPathText},
         BoxIcon::Warning, 10},
        {"copy 3 bad", {"", "", NoCopy, CopyOne}, {BadPathText}, BoxIcon::Warning, 7},
        // The box shows copy 1's text as read, which is cut to 259 characters.
        {"copy 1 overlong", {overlong, "", "", ""}, {overlong.substr(0, 259)}, BoxIcon::Warning, 1},
        {"all empty", {"", "", "", ""}, {BadPathText}, BoxIcon::None, 1},
        // The directory search takes both, but neither is a program a launch would start.
        {"a folder in copy 1, a matching wildcard in copy 2", {FolderOfCopyOne, WildcardTwo, "", ""},
         {FolderOfCopyOne, BadPathText}, BoxIcon::Warning, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        for (int slot = 1; slot <= 4; ++slot)
            ASSERT_TRUE(SetField(dialog, PathEdit(slot), c.paths[slot - 1]));
        ASSERT_TRUE(PostClick(GetDlgItem(dialog, AcceptButton)));
        for (const std::string& text : c.texts) {
            SCOPED_TRACE("box: " + text);
            ExpectBox(TakeBox(launcher), {BadPathCaption, text.c_str(), c.icon});
        }
        EXPECT_TRUE(launcher.ShowsNoBox()) << "more boxes than bad paths";
        EXPECT_EQ(launcher.SettingsDialog(), dialog) << "the dialog stays open";
        EXPECT_EQ(launcher.FocusedWindow(), GetDlgItem(dialog, c.focus));
        EXPECT_EQ(Field(dialog, PathEdit(3)), c.paths[2]) << "the input is left as typed";
        ExpectSettingsUnchanged();
        ExpectCaptionsAsSeeded();
    }
}

TEST_F(SettingsDialog, CancelAndCloseDiscardEveryEdit)
{
    const struct {
        const char* label;
        void (*close)(HWND dialog);
    } cases[] = {
        {"Cancelar", [](HWND dialog) { ASSERT_TRUE(PostClick(GetDlgItem(dialog, CancelButton))); }},
        {"WM_CLOSE", [](HWND dialog) { ASSERT_TRUE(PostMessageA(dialog, WM_CLOSE, 0, 0)); }},
        {"reopened once more", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        HWND dialog = launcher.OpenSettings();
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindowEnabled(launcher.Main())) << "the dialog is modal";
        // What the dialog shows is the copy table, untouched by the edits cancelled before.
        const std::string shown[4][2] = {{CopyOne, "Uno"}, {CopyTwo, ""}, {"", ""}, {"", ""}};
        for (int slot = 1; slot <= 4; ++slot) {
            EXPECT_EQ(Field(dialog, PathEdit(slot)), shown[slot - 1][0]) << "copy " << slot;
            EXPECT_EQ(Field(dialog, DescriptionEdit(slot)), shown[slot - 1][1]) << "copy " << slot;
        }
        for (int slot = 1; slot <= 4; ++slot) {
            ASSERT_TRUE(SetField(dialog, PathEdit(slot), CopyTwo));
            ASSERT_TRUE(SetField(dialog, DescriptionEdit(slot), "Cambiada"));
        }
        (c.close != nullptr ? c.close : cases[0].close)(dialog);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog did not close";
        EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(launcher.Main()) != FALSE; }));
        EXPECT_TRUE(launcher.ShowsNoBox());
        ExpectSettingsUnchanged();
        ExpectCaptionsAsSeeded();
    }
}

TEST_F(SettingsDialog, BrowseFillsThePathAndMovesToTheDescription)
{
    HWND dialog = launcher.OpenSettings();
    ASSERT_NE(dialog, nullptr);
    // The chooser's record lives for the whole run, so the file type picked once stays picked.
    const char* everyFile = "Todos los Archivos";
    std::string longest = std::string(Root) + "\\" + std::string(120, 'c') + "\\";
    longest += std::string(259 - 4 - longest.size(), 'l') + ".exe";  // as long as a field takes
    ASSERT_TRUE(Arrange({longest}, {}));
    const struct {
        const char* label;
        int slot;
        bool byEscape;       // Escape arrives as IDCANCEL, which is copy 1's browse button
        const char* filter;  // the file type the chooser opens with
        int pick;            // the file type then picked (0-based; -1: none)
        std::string chosen;  // empty: the chooser is cancelled
    } cases[] = {
        {"copy 1, a path of 259 characters", 1, false, "SuaWin.exe", -1, longest},
        {"copy 2, a file type picked", 2, false, "SuaWin.exe", 2, CopyOne},
        {"copy 3", 3, false, everyFile, -1, CopyTwo},
        {"copy 4", 4, false, everyFile, -1, CopyOne},
        {"Escape key, copy 1, chooser cancelled", 1, true, everyFile, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string before = Field(dialog, PathEdit(c.slot));
        if (c.byEscape) {
            ASSERT_TRUE(BringToFront(dialog)) << launcher.DescribeInput();
            ASSERT_TRUE(PressKey(VK_ESCAPE));
        } else {
            ASSERT_TRUE(PostClick(GetDlgItem(dialog, BrowseButton(c.slot))));
        }
        HWND chooser = launcher.WaitForBox();
        ASSERT_NE(chooser, nullptr) << "no file chooser";
        EXPECT_EQ(WindowTitle(chooser), ChooserTitle);
        EXPECT_EQ(GetWindow(chooser, GW_OWNER), dialog);
        HWND filters = GetDlgItem(chooser, ChooserFilterList);
        EXPECT_EQ(ControlText(filters), c.filter);
        if (c.pick >= 0) {
            DWORD_PTR ignored;
            ASSERT_TRUE(SendMessageTimeoutA(filters, CB_SETCURSEL, c.pick, 0, SMTO_NORMAL, WaitMs, &ignored) &&
                        SendMessageTimeoutA(chooser, WM_COMMAND, MAKEWPARAM(ChooserFilterList, CBN_SELENDOK),
                                            reinterpret_cast<LPARAM>(filters), SMTO_NORMAL, WaitMs, &ignored));
        }
        if (!c.chosen.empty())
            ASSERT_TRUE(SetField(chooser, ChooserFileName, c.chosen));
        ASSERT_TRUE(PostClick(GetDlgItem(chooser, c.chosen.empty() ? IDCANCEL : IDOK)));
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); })) << "the chooser did not close";
        EXPECT_TRUE(launcher.ShowsNoBox());
        if (c.chosen.empty()) {
            EXPECT_EQ(Field(dialog, PathEdit(c.slot)), before);
            EXPECT_NE(launcher.FocusedWindow(), GetDlgItem(dialog, DescriptionEdit(c.slot)));
        } else {
            EXPECT_EQ(Field(dialog, PathEdit(c.slot)), c.chosen);
            EXPECT_EQ(launcher.FocusedWindow(), GetDlgItem(dialog, DescriptionEdit(c.slot)));
        }
    }
    ExpectSettingsUnchanged();
}

// The system's open-file chooser may leave the current folder wherever the user browsed, as the
// test's own (in_launcher.cpp, loaded as comdlg32.dll by a launcher of the copy's name: scripts/wine-session)
// moves it to Cinco: copy 1's relative path still counts from the start folder, for Aceptar and the button.
using Chooser = EndToEnd;

TEST_F(Chooser, BrowseKeepsTheFolderTheLauncherStartedIn)
{
    const std::string five = StartFolder + "Cinco\\", chooser = five + "comdlg32.dll";
    const std::string copy = five + "CorvantaElige.exe";
    ASSERT_TRUE(Arrange({five + "SuaWin.exe"}, Routes({"Cinco\\SuaWin.exe"})));
    ASSERT_TRUE(CopyFileA(LauncherPath().c_str(), copy.c_str(), FALSE) &&
                CopyFileA(InLauncherLibraryPath().c_str(), chooser.c_str(), FALSE));
    Launcher launcher;
    ASSERT_TRUE(launcher.Start(StartFolder, copy) && launcher.WaitForMainWindow() != nullptr);
    HWND dialog = launcher.OpenSettings();
    ASSERT_NE(dialog, nullptr) << launcher.DescribeWindows();
    ASSERT_TRUE(PostClick(GetDlgItem(dialog, BrowseButton(2))));
    ASSERT_TRUE(WaitUntil([&] { return Field(dialog, PathEdit(2)) == chooser; }))
        << "not the test's chooser:" << launcher.DescribeWindows();
    ASSERT_TRUE(PostClick(GetDlgItem(dialog, AcceptButton)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "not accepted:" << launcher.DescribeWindows();
    ASSERT_TRUE(launcher.SendClick(1));
    ExpectStartedIn(launcher, five + "SuaWin.exe");
}

// Real keys to the dialog in front: Enter presses the focused button, or Aceptar from a field;
// Alt with a button's underlined letter presses that button.
TEST_F(SettingsDialog, KeysPressTheirButtons)
{
    enum class Ends { Accepted, Cancelled, InTheChooser };
    const struct {
        const char* label;  // also typed as copy 1's description
        int focus;
        std::vector<WORD> keys;
        Ends end;
    } cases[] = {
        {"Enter in a path field", PathEdit(2), {VK_RETURN}, Ends::Accepted},
        {"Enter on copy 3's browse button", BrowseButton(3), {VK_RETURN}, Ends::InTheChooser},
        {"Enter on Cancelar", CancelButton, {VK_RETURN}, Ends::Cancelled},
        {"Alt+A", DescriptionEdit(4), {VK_MENU, 'A'}, Ends::Accepted},
        {"Alt+C", PathEdit(1), {VK_MENU, 'C'}, Ends::Cancelled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string settings = BytesOf(SettingsFile), caption = launcher.Caption(1);
        HWND dialog = launcher.OpenSettings();
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(SetField(dialog, DescriptionEdit(1), c.label));
        ASSERT_TRUE(FocusInDialog(dialog, GetDlgItem(dialog, c.focus))) << launcher.DescribeInput();
        ASSERT_TRUE(SendKeys(c.keys));
        if (c.end == Ends::InTheChooser) {
            HWND chooser = launcher.WaitForBox();
            ASSERT_NE(chooser, nullptr) << launcher.DescribeWindows();
            EXPECT_EQ(WindowTitle(chooser), ChooserTitle);
            ASSERT_TRUE(PostClick(GetDlgItem(chooser, IDCANCEL)));
            ASSERT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));
            EXPECT_EQ(launcher.SettingsDialog(), dialog) << "the dialog stays open";
            ASSERT_TRUE(PostClick(GetDlgItem(dialog, CancelButton)));
        }
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << launcher.DescribeWindows();
        EXPECT_TRUE(launcher.ShowsNoBox());
        const bool accepted = c.end == Ends::Accepted;
        EXPECT_EQ(launcher.Caption(1), accepted ? "&1. " + std::string(c.label) : caption);
        EXPECT_EQ(BytesOf(SettingsFile) != settings, accepted) << "whether Corvanta.ini was saved";
    }
}

TEST_F(SettingsDialog, AcceptSavesEveryCopyAndRelabelsAtOnce)
{
    ASSERT_TRUE(Arrange({}, {"[OTRA]", "Clave=valor", "[RUTAS]", "Copia_01=" + CopyOne, "Extra=1"}));
    HWND dialog = launcher.OpenSettings();
    ASSERT_NE(dialog, nullptr);
    // Descriptions are not validated; a long one is read as 259 characters.
    const std::string longDescription(300, 'd');
    const std::string fields[4][2] = {
        {"", "Sin ruta"}, {CopyTwo, longDescription}, {CopyOne, ""}, {"", "Cuarta"}};
    for (int slot = 1; slot <= 4; ++slot) {
        ASSERT_TRUE(SetField(dialog, PathEdit(slot), fields[slot - 1][0]));
        ASSERT_TRUE(SetField(dialog, DescriptionEdit(slot), fields[slot - 1][1]));
    }
    ASSERT_TRUE(PostClick(GetDlgItem(dialog, AcceptButton)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); })) << "the dialog did not close";
    EXPECT_TRUE(launcher.ShowsNoBox());
    EXPECT_TRUE(IsWindowEnabled(launcher.Main()));

    const std::string saved = longDescription.substr(0, 259);
    const std::string captions[4] = {"&1. No Definido.", "&2. " + saved, "&3. " + CopyOne, "&4. No Definido."};
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(launcher.Caption(slot), captions[slot - 1]) << "button " << slot;

    // Whatever the profile routines' line order, these are the sections and entries, other keys kept.
    EXPECT_EQ(Sorted(IniEntries()),
              Sorted({"[OTRA]", "OTRA/Clave=valor", "[RUTAS]", "RUTAS/Copia_01=", "RUTAS/Extra=1",
                      "RUTAS/Copia_02=" + CopyTwo, "RUTAS/Copia_03=" + CopyOne, "RUTAS/Copia_04=", "[DESCRIPCIONES]",
                      "DESCRIPCIONES/Copia_01=Sin ruta", "DESCRIPCIONES/Copia_02=" + saved, "DESCRIPCIONES/Copia_03=",
                      "DESCRIPCIONES/Copia_04=Cuarta"}));

    // The next run loads what was saved.
    ASSERT_TRUE(launcher.PostClick(ExitButton));
    DWORD code = 99;
    ASSERT_TRUE(launcher.WaitForExit(code));
    Launcher next;
    ASSERT_TRUE(Started(next));
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(next.Caption(slot), captions[slot - 1]) << "button " << slot << " after a restart";
}

}  // namespace
