// Settings values of any bytes and length, through load, captions and save.
// Input: which slots' paths exist, which of the eight writes fail, which of the eight values the
// file holds, then the eight values (per slot the path, then the description).
#include "../../core/copy_table.h"
#include "../../core/settings_file.h"
#include "../host/fake_platform.h"
#include "fuzz_support.h"

static std::string Key(int slot) { return "Copia_0" + std::to_string(slot); }

// The caption copy button slot must get: the prefix, then the shown text with every '&' doubled,
// never cut (259 '&' make 518).
static std::string Label(int slot)
{
    const CopySlot& copy = SlotAt(slot);
    std::string shown = copy.path;
    if (shown.empty() || Fake::existingPaths.count(shown) == 0)
        shown = "No Definido.";
    else if (copy.description[0] != '\0')
        shown = copy.description;
    return "&" + std::to_string(slot) + ". " + WithAmpersandsDoubled(shown);
}

static void CheckCaptions(std::size_t first)
{
    REQUIRE(Fake::captions.size() == first + SlotCount);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const Fake::Caption& caption = Fake::captions[first + slot - 1];
        REQUIRE(caption.slot == slot);
        REQUIRE(caption.text.size() <= 4 + 2 * 259);
        REQUIRE(caption.text == Label(slot));
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    unsigned existing = input.Byte();
    unsigned failing = input.Byte();
    unsigned present = input.Byte();
    std::string values[2 * SlotCount];
    for (std::string& value : values)
        value = input.Text();

    Fake::Reset();
    for (int i = 0; i < 2 * SlotCount; ++i) {
        int slot = i / 2 + 1;
        if (present & (1u << i))
            Fake::profile.push_back({i % 2 == 0 ? "RUTAS" : "DESCRIPCIONES", Key(slot), values[i]});
        if (i % 2 == 0 && (existing & (1u << (slot - 1))))
            Fake::existingPaths.insert(AsHeld(values[i], TextBufferSize));
    }

    LoadSettings();

    REQUIRE(Fake::profileReads.size() == 2 * SlotCount);
    std::string loaded[2 * SlotCount];
    for (int i = 0; i < 2 * SlotCount; ++i) {
        const CopySlot& copy = SlotAt(i / 2 + 1);
        loaded[i] = i % 2 == 0 ? copy.path : copy.description;
        REQUIRE(loaded[i] == ((present & (1u << i)) ? AsHeld(values[i], TextBufferSize) : ""));
    }
    CheckCaptions(0);

    for (int i = 0; i < 2 * SlotCount; ++i)
        if (failing & (1u << i))
            Fake::failingProfileWrites.insert(i);
    bool saved = SaveSettings();

    REQUIRE(saved == (failing == 0));
    REQUIRE(Fake::boxes.size() == (saved ? 0u : 1u));
    REQUIRE(Fake::profileWrites.size() == 2 * SlotCount);
    for (int i = 0; i < 2 * SlotCount; ++i) {
        const Fake::ProfileWrite& write = Fake::profileWrites[i];
        REQUIRE(write.section == (i % 2 == 0 ? "RUTAS" : "DESCRIPCIONES"));
        REQUIRE(write.key == Key(i / 2 + 1));
        REQUIRE(write.value == loaded[i]);
        const CopySlot& copy = SlotAt(i / 2 + 1);
        REQUIRE(loaded[i] == (i % 2 == 0 ? copy.path : copy.description));
    }
    CheckCaptions(SlotCount);

    // A value whose write failed leaves the file as it was: the old value, or none.
    Fake::failingProfileWrites.clear();
    LoadSettings();
    for (int i = 0; i < 2 * SlotCount; ++i) {
        const CopySlot& copy = SlotAt(i / 2 + 1);
        bool inFile = !(failing & (1u << i)) || (present & (1u << i));
        REQUIRE((i % 2 == 0 ? copy.path : copy.description) == (inFile ? loaded[i] : ""));
    }
    return 0;
}
