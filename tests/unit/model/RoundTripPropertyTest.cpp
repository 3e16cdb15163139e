// Round trips over random valid configurations: what the program builds for the
// keyboard reads back as the same configuration.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "model/AssignmentLists.h"
#include "model/KeyBlockCodec.h"
#include "model/KeyTable.h"
#include "model/MacroArea.h"
#include "model/MacroList.h"

namespace tessel {
namespace {

constexpr int kRuns = 200;

// Codes a key slot or a packed macro action carries without loss.
std::vector<uint16_t> HoldableCodes() {
    std::vector<uint16_t> codes = {0x171, 0x172, 0x173, 0x161, 0x162};
    for (uint16_t index = 1; index < kKeyTableSize; ++index) {
        const uint16_t code = KeyCodeOfIndex(index);
        const UsageRef usage = UsageOf(code);
        if (ModifierBitOf(code) != 0 ||
            (usage.page == usagepage::kKeyboard && KeyCodeOfUsage(usage) == code)) {
            codes.push_back(code);
        }
    }
    return codes;
}

class RoundTrip : public ::testing::Test {
protected:
    uint32_t Pick(uint32_t below) {
        return std::uniform_int_distribution<uint32_t>(0, below - 1)(rng);
    }

    std::vector<MacroRecord> RandomMacros() {
        // Unique identifiers in any order, as editing and deleting leave them.
        std::vector<uint16_t> identifiers(kMaxMacros);
        std::iota(identifiers.begin(), identifiers.end(), 1);
        std::shuffle(identifiers.begin(), identifiers.end(), rng);
        std::vector<MacroRecord> macros;
        const uint32_t count = Pick(8);
        while (macros.size() < count) {
            std::u16string name;
            for (uint32_t c = Pick(12); c > 0; --c) {
                name.push_back(static_cast<char16_t>(u'a' + Pick(26)));
            }
            AddNewMacro(macros, name);
            MacroRecord& macro = macros.back();
            macro.identifier = identifiers[macros.size() - 1];
            macro.cycleCount = static_cast<uint8_t>(Pick(256));
            macro.fresh = 0;
            for (uint32_t a = Pick(30); a > 0; --a) {
                AppendMacroAction(macro, {10 * Pick(4096), codes[Pick(codes.size())],
                                          static_cast<uint16_t>(Pick(2))});
            }
        }
        return macros;
    }

    KeyAssignment RandomEntry(const std::vector<MacroRecord>& macros) {
        KeyAssignment entry;
        const uint32_t type = Pick(9);
        entry.type = static_cast<uint16_t>(type);
        switch (static_cast<AssignmentType>(type)) {
            case AssignmentType::Key:
                entry.value = codes[Pick(codes.size())];
                break;
            case AssignmentType::PlayMacro:
                if (macros.empty()) {
                    entry.type = 0;
                } else {
                    entry.value = macros[Pick(macros.size())].identifier;
                }
                break;
            case AssignmentType::Multimedia:
                entry.value = Pick(kMultimediaCount);
                break;
            case AssignmentType::FunctionKey:
                entry.value = Pick(kFunctionKeyCount);
                break;
            case AssignmentType::LaunchProgram:
            case AssignmentType::TextBlock:
                entry.value = Pick(1000);  // a text offset, never sent
                break;
            default:
                break;
        }
        return entry;
    }

    std::mt19937 rng{20261209};
    const std::vector<uint16_t> codes = HoldableCodes();
    const KeyBlock& defaults = BuiltInDefaultKeyBlock();
};

TEST_F(RoundTrip, KeyBlocksAndMacroAreaReadBackAsBuilt) {
    for (int run = 0; run < kRuns; ++run) {
        std::vector<MacroRecord> macros = RandomMacros();
        auto image = DefaultImage();
        const int profile = static_cast<int>(Pick(4));
        for (int keyIndex = 0; keyIndex < kEntriesPerProfile; ++keyIndex) {
            *EntryFor(*image, profile, keyIndex) = RandomEntry(macros);
        }

        const MacroAreaSize sizes = MacroAreaSizes(macros);
        const auto area = BuildMacroArea(macros, sizes.full, true);
        const auto decodedMacros = DecodeMacroArea(area, u"M");
        ASSERT_TRUE(decodedMacros.has_value());
        ASSERT_EQ(decodedMacros->size(), macros.size());
        for (std::size_t i = 0; i < macros.size(); ++i) {
            const MacroRecord& back = (*decodedMacros)[i];
            EXPECT_EQ(back.identifier, i + 1);
            EXPECT_EQ(back.cycleCount, macros[i].cycleCount);
            const std::u16string name = macros[i].Name();
            EXPECT_EQ(back.Name(), name.empty() ? NumberedMacroName(u"M", i + 1) : name);
            ASSERT_EQ(back.actionCount, macros[i].actionCount);
            for (int a = 0; a < back.actionCount; ++a) {
                EXPECT_EQ(back.actions[a], macros[i].actions[a]);
            }
        }

        const KeyBlock block = BuildKeyBlock(*image, macros, profile, defaults);
        auto decoded = DefaultImage();
        ASSERT_TRUE(DecodeKeyBlock(block, profile, defaults, *decoded));
        // The keyboard's macro numbers now identify the decoded macros.
        EXPECT_EQ(BuildKeyBlock(*decoded, *decodedMacros, profile, defaults), block);

        for (int slot = 0; slot < kKeySlotCount; ++slot) {
            const KeyAction sent = SlotAction(block, slot);
            const uint16_t code = SlotKeyCode(SlotAction(defaults, slot));
            if (code == kNoKey || sent == SlotAction(defaults, slot)) {
                continue;
            }
            const KeyAssignment& original = *EntryFor(*image, profile, KeyIndexOf(code));
            const KeyAssignment& back = *EntryFor(*decoded, profile, KeyIndexOf(code));
            switch (static_cast<AssignmentType>(original.type)) {
                case AssignmentType::TextBlock:
                    EXPECT_EQ(back.type, static_cast<uint16_t>(AssignmentType::Disabled));
                    break;
                case AssignmentType::PlayMacro:
                    EXPECT_EQ(back.type, original.type);
                    EXPECT_EQ(back.value,
                              static_cast<uint32_t>(MacroPosition(macros, original.value) + 1));
                    break;
                case AssignmentType::StopMacro:
                case AssignmentType::Disabled:
                    EXPECT_EQ(back.type, original.type);
                    break;
                default:
                    EXPECT_EQ(back.type, original.type) << std::hex << code;
                    EXPECT_EQ(back.value, original.value) << std::hex << code;
            }
        }
    }
}

TEST_F(RoundTrip, ImageAndMacroRecordBytes) {
    for (int run = 0; run < 20; ++run) {
        auto image = DefaultImage();
        for (KeyAssignment& entry : image->entries) {
            entry = {static_cast<uint16_t>(rng()), static_cast<uint16_t>(rng()),
                     static_cast<uint32_t>(rng()), static_cast<uint32_t>(rng()),
                     static_cast<uint32_t>(rng())};
        }
        std::vector<uint8_t> bytes(kProfileImageSize);
        EncodeProfileImage(*image, std::span<uint8_t, kProfileImageSize>(bytes));
        auto back = DecodeProfileImage(std::span<const uint8_t, kProfileImageSize>(bytes));
        EXPECT_EQ(back->header, image->header);
        EXPECT_EQ(back->entries, image->entries);

        for (const MacroRecord& macro : RandomMacros()) {
            std::vector<uint8_t> record(kMacroRecordSize);
            EncodeMacroRecord(macro, std::span<uint8_t, kMacroRecordSize>(record));
            MacroRecord again;
            DecodeMacroRecord(std::span<const uint8_t, kMacroRecordSize>(record), again);
            EXPECT_EQ(again, macro);
        }
    }
}

}  // namespace
}  // namespace tessel
