// Loading and saving the copy table: the profile calls in their order, their values, and a failed save.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "../../core/copy_table.h"
#include "../../core/settings_file.h"
#include "fake_platform.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { Fake::Reset(); }
};

struct Values {
    std::string path[SlotCount];
    std::string description[SlotCount];
};

void FillTable(const Values& values)
{
    for (int slot = 1; slot <= SlotCount; ++slot) {
        CopyText(SlotAt(slot).path, values.path[slot - 1].c_str(), TextBufferSize);
        CopyText(SlotAt(slot).description, values.description[slot - 1].c_str(), TextBufferSize);
    }
}

void ExpectTable(const Values& values)
{
    for (int slot = 1; slot <= SlotCount; ++slot) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        EXPECT_EQ(std::string(SlotAt(slot).path), values.path[slot - 1]);
        EXPECT_EQ(std::string(SlotAt(slot).description), values.description[slot - 1]);
    }
}

std::string Key(int slot) { return "Copia_0" + std::to_string(slot); }

// Slots 3 and 4 left empty: their keys must still be written, with empty values.
const Values First = {{"C:\\SUA1\\SuaWin.exe", "D:\\Otra Copia\\SuaWin.exe", "", ""},
                      {"N\xF3" "mina 2025", "", "", ""}};
// A '&' is kept as typed: only a button caption doubles it.
const Values Second = {{"E:\\S&A\\SuaWin.exe", "", "C:\\SUA3\\SuaWin.exe", "C:\\SuaWin.exe"},
                       {"", "Servicios & Asociados", "Tercera", "Ra\xED" "z"}};

TEST_F(SettingsFileTest, LoadReadsPathThenDescriptionPerSlotThenRecaptions)
{
    Fake::profile = {{"RUTAS", "Copia_01", First.path[0]},
                     {"RUTAS", "Copia_02", First.path[1]},
                     {"DESCRIPCIONES", "Copia_01", First.description[0]},
                     {"OTRA", "Copia_03", "C:\\No\\Es\\Mia.exe"}};
    Fake::existingPaths = {First.path[0], First.path[1]};

    LoadSettings();

    ExpectTable(First);
    ASSERT_EQ(Fake::profileReads.size(), 8u);
    for (unsigned i = 0; i < 8; ++i) {
        SCOPED_TRACE("read " + std::to_string(i));
        const Fake::ProfileRead& read = Fake::profileReads[i];
        EXPECT_EQ(read.file, "Corvanta.ini");
        EXPECT_EQ(read.section, i % 2 == 0 ? "RUTAS" : "DESCRIPCIONES");
        EXPECT_EQ(read.key, Key(i / 2 + 1));
        EXPECT_EQ(read.size, 260u);
    }
    ASSERT_EQ(Fake::captions.size(), 4u);
    EXPECT_GT(Fake::captions.front().order, Fake::profileReads.back().order);
    EXPECT_EQ(Fake::CaptionOf(1), "&1. N\xF3" "mina 2025");
    EXPECT_EQ(Fake::CaptionOf(2), "&2. D:\\Otra Copia\\SuaWin.exe");
    EXPECT_EQ(Fake::CaptionOf(3), "&3. No Definido.");
    EXPECT_EQ(Fake::CaptionOf(4), "&4. No Definido.");
}

TEST_F(SettingsFileTest, LoadCutsLongValuesTo259)
{
    Fake::profile = {{"RUTAS", "Copia_04", std::string(300, 'r')},
                     {"DESCRIPCIONES", "Copia_04", std::string(260, 'd')}};

    LoadSettings();

    EXPECT_EQ(std::string(SlotAt(4).path), std::string(259, 'r'));
    EXPECT_EQ(std::string(SlotAt(4).description), std::string(259, 'd'));
}

TEST_F(SettingsFileTest, SaveWritesAllEightInOrderThenRecaptions)
{
    FillTable(First);
    Fake::existingPaths = {First.path[0]};

    EXPECT_TRUE(SaveSettings());

    ASSERT_EQ(Fake::profileWrites.size(), 8u);
    for (unsigned i = 0; i < 8; ++i) {
        SCOPED_TRACE("write " + std::to_string(i));
        const Fake::ProfileWrite& write = Fake::profileWrites[i];
        int slot = static_cast<int>(i / 2) + 1;
        EXPECT_EQ(write.file, "Corvanta.ini");
        EXPECT_EQ(write.section, i % 2 == 0 ? "RUTAS" : "DESCRIPCIONES");
        EXPECT_EQ(write.key, Key(slot));
        EXPECT_EQ(write.value, i % 2 == 0 ? First.path[slot - 1] : First.description[slot - 1]);
    }
    ASSERT_EQ(Fake::captions.size(), 4u);
    EXPECT_GT(Fake::captions.front().order, Fake::profileWrites.back().order);
    EXPECT_EQ(Fake::CaptionOf(1), "&1. N\xF3" "mina 2025");
    EXPECT_EQ(Fake::CaptionOf(2), "&2. No Definido.");
    EXPECT_TRUE(Fake::boxes.empty());
}

TEST_F(SettingsFileTest, SavedValuesLoadBack)
{
    for (const Values* values : {&First, &Second}) {
        SCOPED_TRACE(values == &First ? "first values" : "second values");
        FillTable(*values);
        ASSERT_TRUE(SaveSettings());
        std::memset(CopyTable, 0, sizeof CopyTable);

        LoadSettings();

        ExpectTable(*values);
    }
}

TEST_F(SettingsFileTest, FailedSaveWarnsOnceAndKeepsTheTable)
{
    const std::set<int> failures[] = {{0}, {3}, {7}, {1, 6}, {0, 1, 2, 3, 4, 5, 6, 7}};
    for (const std::set<int>& failing : failures) {
        SCOPED_TRACE("failing writes from " + std::to_string(*failing.begin()) + ", " +
                     std::to_string(failing.size()) + " in all");
        Fake::Reset();
        Fake::failingProfileWrites = failing;
        FillTable(Second);

        EXPECT_FALSE(SaveSettings());

        EXPECT_EQ(Fake::profileWrites.size(), 8u);
        ASSERT_EQ(Fake::boxes.size(), 1u);
        EXPECT_EQ(Fake::boxes[0].text, "No se pudo guardar la configuraci\xF3" "n.");
        EXPECT_EQ(Fake::boxes[0].caption, "Corvanta [Maneja Varias Copias de WinSua]");
        EXPECT_EQ(Fake::boxes[0].icon, BoxIcon::Warning);
        EXPECT_EQ(Fake::captions.size(), 4u);
        ExpectTable(Second);
    }
}

}  // namespace
