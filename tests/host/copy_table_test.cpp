// Button captions for every state a slot can be in, as the main window receives them.
#include <gtest/gtest.h>

#include <string>

#include "../../core/copy_table.h"
#include "fake_platform.h"

namespace {

class CopyTableTest : public ::testing::Test {
protected:
    void SetUp() override { Fake::Reset(); }
};

void Fill(int slot, const std::string& path, const std::string& description)
{
    CopyText(SlotAt(slot).path, path.c_str(), TextBufferSize);
    CopyText(SlotAt(slot).description, description.c_str(), TextBufferSize);
}

TEST_F(CopyTableTest, CaptionShowsNotDefinedDescriptionOrPath)
{
    const std::string longText(259, 'd');
    struct Case {
        const char* what;
        std::string path;
        bool exists;
        std::string description;
        std::string shown;
    } cases[] = {
        {"empty path, even if the search took it", "", true, "Nomina", "No Definido."},
        {"empty path, no description", "", false, "", "No Definido."},
        {"missing file hides its description", "C:\\SUA1\\SuaWin.exe", false, "Nomina", "No Definido."},
        {"existing file, no description", "C:\\SUA1\\SuaWin.exe", true, "", "C:\\SUA1\\SuaWin.exe"},
        {"existing file, description only", "C:\\SUA1\\SuaWin.exe", true, "Emisi\xF3" "n 2", "Emisi\xF3" "n 2"},
        {"259-character description makes a 263-character caption", "C:\\SUA1\\SuaWin.exe", true, longText, longText},
        {"259-character path", "C:\\" + std::string(256, 'p'), true, "", "C:\\" + std::string(256, 'p')},
        // A button takes '&' as the mark of the next letter and shows "&&" as one '&'.
        {"description with '&'", "C:\\SUA1\\SuaWin.exe", true, "Servicios & Asociados", "Servicios && Asociados"},
        {"description with \"&&\"", "C:\\SUA1\\SuaWin.exe", true, "A&&B", "A&&&&B"},
        {"path with '&', no description", "C:\\S&A\\SuaWin.exe", true, "", "C:\\S&&A\\SuaWin.exe"},
        {"259 '&' arrive whole, doubled", "C:\\SUA1\\SuaWin.exe", true, std::string(259, '&'), std::string(518, '&')},
    };
    int index = 0;
    for (const Case& c : cases) {
        // Each case goes into a different slot, so the digit of every button is exercised.
        int slot = index++ % SlotCount + 1;
        SCOPED_TRACE(std::string(c.what) + ", slot " + std::to_string(slot));
        Fake::Reset();
        Fill(slot, c.path, c.description);
        if (c.exists)
            Fake::existingPaths.insert(c.path);

        RefreshSlotLabels();

        ASSERT_EQ(Fake::captions.size(), 4u);
        for (int n = 1; n <= SlotCount; ++n)
            EXPECT_EQ(Fake::captions[n - 1].slot, n);
        std::string expected = "&" + std::to_string(slot) + ". " + c.shown;
        EXPECT_EQ(Fake::CaptionOf(slot), expected);
    }
}

}  // namespace
