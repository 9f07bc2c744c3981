// The settings file through the real profile routines: where it lands, what it holds, what a save
// leaves alone, what a load cuts; and the copy buttons recaptioned through the real window calls.
#include "cases.h"
#include "core/copy_table.h"
#include "core/settings_file.h"
#include "ui/platform_win32.h"

namespace {

using namespace support;

struct SlotValues {
    std::string path;
    std::string description;
};

void FillTable(const SlotValues (&values)[SlotCount])
{
    for (int slot = 1; slot <= SlotCount; ++slot) {
        lstrcpynA(SlotAt(slot).path, values[slot - 1].path.c_str(), TextBufferSize);
        lstrcpynA(SlotAt(slot).description, values[slot - 1].description.c_str(), TextBufferSize);
    }
}

void ClearTable()
{
    for (int slot = 1; slot <= SlotCount; ++slot)
        SlotAt(slot) = CopySlot{};
}

class Win32ProfileTest : public testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    void Clean()
    {
        RemoveTree(settings);
        RemoveTree("C:\\CorvantaPrueba");
        RemoveTree(InCurrentFolder);
        ClearTable();
        MainWindowHandle = nullptr;
    }

    const std::string InCurrentFolder = ".\\Corvanta.ini";  // where a bare name would go without the profile routines

    const std::string settings = Expected::SettingsFile;
};

TEST_F(Win32ProfileTest, SaveWritesBothSectionsInTheWindowsDirectoryAndLeavesTheRestAlone)
{
    ASSERT_TRUE(WriteBytes(settings,
               "[OTRA]\r\nClave=valor\r\n"
               "[RUTAS]\r\nExtra=se queda\r\nCopia_02=C:\\Vieja\\SuaWin.exe\r\n"));
    FillTable({{"C:\\SUA1\\SuaWin.exe", "Oficina"},
               {"C:\\SUA2\\SuaWin.exe", "Sucursal Se\xF1" "or"},   // Señor, code page 1252
               {"", ""},
               {"", "Sin ruta"}});

    BoxCatcher boxes;
    EXPECT_TRUE(SaveSettings());
    EXPECT_TRUE(boxes.Boxes().empty());

    EXPECT_EQ(BytesOf(InCurrentFolder), NoFile);
    // Every section once, every key once in its section, whatever the order.
    const std::vector<std::string> expected = {
        "[OTRA]", "OTRA/Clave=valor",
        "[RUTAS]", "RUTAS/Extra=se queda", "RUTAS/Copia_01=C:\\SUA1\\SuaWin.exe",
        "RUTAS/Copia_02=C:\\SUA2\\SuaWin.exe", "RUTAS/Copia_03=", "RUTAS/Copia_04=",
        "[DESCRIPCIONES]", "DESCRIPCIONES/Copia_01=Oficina", "DESCRIPCIONES/Copia_02=Sucursal Se\xF1" "or",
        "DESCRIPCIONES/Copia_03=", "DESCRIPCIONES/Copia_04=Sin ruta"};
    EXPECT_EQ(Sorted(IniEntries(settings)), Sorted(expected)) << BytesOf(settings);
}

TEST_F(Win32ProfileTest, LoadReadsBackWhatSaveWrote)
{
    const SlotValues first[SlotCount] = {{"C:\\SUA1\\SuaWin.exe", "Uno"},
                                         {"", ""},
                                         {"D:\\Programas\\SUA 3\\SuaWin.exe", "Tres \xE1" "rboles"},
                                         {"C:\\SUA4\\SuaWin.exe", ""}};
    const SlotValues second[SlotCount] = {{"", "Solo descripci\xF3" "n"},
                                          {"C:\\Otra\\SuaWin.exe", "Dos"},
                                          {"", ""},
                                          {"E:\\SUA4\\SuaWin.exe", "Cuatro"}};
    for (const auto* values : {&first, &second}) {
        SCOPED_TRACE((*values)[0].description);
        FillTable(*values);
        ASSERT_TRUE(SaveSettings());
        ClearTable();
        LoadSettings();
        for (int slot = 1; slot <= SlotCount; ++slot) {
            SCOPED_TRACE(slot);
            EXPECT_STREQ(SlotAt(slot).path, (*values)[slot - 1].path.c_str());
            EXPECT_STREQ(SlotAt(slot).description, (*values)[slot - 1].description.c_str());
        }
    }
}

TEST_F(Win32ProfileTest, LoadCutsALongValueTo259Characters)
{
    std::string longValue;
    for (int i = 0; i < 399; ++i)
        longValue += static_cast<char>('A' + i % 26);
    ASSERT_TRUE(WriteBytes(settings, "[RUTAS]\r\nCopia_02=" + longValue + "\r\n[DESCRIPCIONES]\r\nCopia_02=" +
                                         longValue + "\r\n"));

    LoadSettings();

    EXPECT_EQ(std::string(SlotAt(2).path), longValue.substr(0, 259));
    EXPECT_EQ(std::string(SlotAt(2).description), longValue.substr(0, 259));
    EXPECT_STREQ(SlotAt(1).path, "");
}

TEST_F(Win32ProfileTest, SaveThatCannotWriteWarnsOnce)
{
    // A folder where the file should be: every profile write fails.
    ASSERT_TRUE(CreateDirectoryA(settings.c_str(), nullptr));
    FillTable({{"C:\\SUA1\\SuaWin.exe", "Uno"}, {"", ""}, {"", ""}, {"", ""}});

    BoxCatcher boxes;
    EXPECT_FALSE(SaveSettings());

    ASSERT_EQ(boxes.Boxes().size(), 1u);
    ExpectBox(boxes.Boxes()[0], Expected::NotSavedBox);
    EXPECT_STREQ(SlotAt(1).path, "C:\\SUA1\\SuaWin.exe");
}

TEST_F(Win32ProfileTest, LoadCaptionsTheMainWindowsCopyButtons)
{
    ASSERT_TRUE(PlaceStandIn("C:\\CorvantaPrueba\\SuaWin.exe", StandInMode::NoWindow));
    ASSERT_TRUE(WriteBytes(settings,
               "[RUTAS]\r\n"
               "Copia_01=C:\\CorvantaPrueba\\SuaWin.exe\r\n"
               "Copia_02=C:\\CorvantaPrueba\\NoEsta.exe\r\n"
               "Copia_03=C:\\CorvantaPrueba\\SuaWin.exe\r\n"
               "[DESCRIPCIONES]\r\nCopia_01=Oficina\r\nCopia_02=Perdida\r\nCopia_04=Sin ruta\r\n"));
    WindowCrowd crowd;
    HWND main = crowd.Add(Expected::MainTitle);
    HWND buttons[SlotCount];
    for (int slot = 1; slot <= SlotCount; ++slot)
        buttons[slot - 1] = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, main,
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(slot)),
                                            GetModuleHandleA(nullptr), nullptr);
    MainWindowHandle = main;

    LoadSettings();

    const char* expected[SlotCount] = {"&1. Oficina", "&2. No Definido.",
                                       "&3. C:\\CorvantaPrueba\\SuaWin.exe", "&4. No Definido."};
    for (int slot = 1; slot <= SlotCount; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(WindowTitle(buttons[slot - 1]), expected[slot - 1]);
    }
}

}  // namespace
