#include <gtest/gtest.h>

#include "model/MacroArea.h"
#include "model/MacroList.h"

namespace tessel {
namespace {

MacroRecord Macro(std::u16string_view name, std::initializer_list<MacroAction> actions,
                  uint16_t identifier = 1) {
    MacroRecord macro;
    macro.SetName(name);
    macro.identifier = identifier;
    for (const MacroAction& action : actions) {
        AppendMacroAction(macro, action);
    }
    return macro;
}

TEST(MacroArea, EmptyListIsJustTheHeader) {
    const std::vector<MacroRecord> none;
    const MacroAreaSize sizes = MacroAreaSizes(none);
    EXPECT_EQ(sizes.full, 16u);
    EXPECT_EQ(sizes.needed, 16u);
    const auto image = BuildMacroArea(none, 16, true);
    const std::vector<uint8_t> expected = {0xAA, 0x55, 16, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(image, expected);
    EXPECT_EQ(BuildMacroArea(none, 16, false)[6], 0);
}

TEST(MacroArea, OneNamedMacroWithTwoActions) {
    const std::vector<MacroRecord> macros = {
        Macro(u"A", {{120, 0x02A, kKeyDown}, {0, 0x02A, kKeyUp}})};
    const MacroAreaSize sizes = MacroAreaSizes(macros);
    EXPECT_EQ(sizes.needed, 30u);
    EXPECT_EQ(sizes.full, 32u);

    const auto full = BuildMacroArea(macros, sizes.full, true);
    const std::vector<uint8_t> expected = {0xAA, 0x55, 32,   0,    1, 0, 1, 0,
                                           0,    0,    0,    0,    0, 0, 0, 0,  // header
                                           18,   0,                 // offset of the entry
                                           2,    0,    1,    1,     // 2 actions, cycle 1, name 1
                                           0x0C, 0xA0, 0x01, 0x02,  // shift down after 120 ms
                                           0x00, 0x20, 0x01, 0x02,  // shift up
                                           'A',  0};
    EXPECT_EQ(full, expected);

    const auto bare = BuildMacroArea(macros, sizes.needed, false);
    ASSERT_EQ(bare.size(), 30u);
    EXPECT_EQ(bare[2], 30);
    EXPECT_EQ(bare[21], 0);  // no name length
}

TEST(MacroArea, BuildRefusesSizesThatCannotHoldTheImage) {
    const std::vector<MacroRecord> macros = {Macro(u"A", {{0, 0x01E, kKeyDown}})};
    EXPECT_TRUE(BuildMacroArea(macros, 23, true).empty());
    EXPECT_EQ(BuildMacroArea(macros, 40, true).size(), 40u);  // padded with zeros
    EXPECT_TRUE(BuildMacroArea(macros, 0x10000, true).empty());
    std::vector<MacroRecord> tooMany(101);
    EXPECT_TRUE(BuildMacroArea(tooMany, 1000, false).empty());
}

TEST(PackedAction, KindsFollowTheUsage) {
    auto packed = [](uint16_t code, uint32_t delay = 0, uint16_t release = kKeyDown) {
        return PackMacroAction({delay, code, release});
    };
    EXPECT_EQ(packed(0x02A, 120), (PackedAction{0x0C, 0xA0, 0x01, 0x02}));
    EXPECT_EQ(packed(0x02A, 120, kKeyUp), (PackedAction{0x0C, 0x20, 0x01, 0x02}));
    EXPECT_EQ(packed(0x162), (PackedAction{0x00, 0x90, 0x05, 0xFF}));
    EXPECT_EQ(packed(0x172), (PackedAction{0x00, 0x90, 0x01, 0x02}));
    EXPECT_EQ(packed(0x01E, 19), (PackedAction{0x01, 0xA0, 0x02, 0x04}));  // remainder dropped
    EXPECT_EQ(packed(0x120), (PackedAction{0x00, 0xA0, 0x02, 0xCD}));      // media as keyboard
    EXPECT_EQ(packed(0x15F), (PackedAction{0x00, 0xC0, 0x82, 0x00}));      // Generic Desktop
    EXPECT_EQ(packed(0x064), (PackedAction{0x00, 0x80, 0x00, 0x00}));      // nothing
    EXPECT_EQ(packed(0x01E, 0, 7), packed(0x01E, 0, kKeyDown));            // only 1 is up
}

TEST(PackedAction, LongDelaysAreClampedNeverWrapped) {
    EXPECT_EQ(PackMacroAction({40950, 0x01E, kKeyDown})[0], 0xFF);
    const PackedAction longer = PackMacroAction({40960, 0x01E, kKeyDown});
    EXPECT_EQ(longer[0], 0xFF);
    EXPECT_EQ(longer[1] & 0x0F, 0x0F);
    EXPECT_EQ(UnpackMacroAction(PackMacroAction({1000000, 0x01E, kKeyUp})).delay, 40950u);
}

TEST(PackedAction, UnpackReadsDelayKeyAndRelease) {
    EXPECT_EQ(UnpackMacroAction({0x0C, 0xA0, 0x01, 0x02}), (MacroAction{120, 0x02A, kKeyDown}));
    EXPECT_EQ(UnpackMacroAction({0x0C, 0x20, 0x01, 0x02}), (MacroAction{120, 0x02A, kKeyUp}));
    EXPECT_EQ(UnpackMacroAction({0x00, 0x10, 0x05, 0x01}), (MacroAction{0, 0x161, kKeyUp}));
    EXPECT_EQ(UnpackMacroAction({0x00, 0xB0, 0xE2, 0x00}), (MacroAction{0, 0x120, kKeyDown}));
    EXPECT_EQ(UnpackMacroAction({0x00, 0xF0, 0x01, 0x01}).keyCode, 0);  // kind 7
}

TEST(MacroArea, DecodeGivesIdentifiersNamesAndActions) {
    std::vector<MacroRecord> macros = {
        Macro(u"Open", {{120, 0x02A, kKeyDown}, {30, 0x171, kKeyUp}}, 9),
        Macro(u"", {{0, 0x01E, kKeyDown}}, 4),
    };
    macros[0].cycleCount = 3;
    macros[0].fresh = 1;
    const MacroAreaSize sizes = MacroAreaSizes(macros);
    const auto image = BuildMacroArea(macros, sizes.full, true);
    const auto decoded = DecodeMacroArea(image, u"Macro");
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->size(), 2u);
    const MacroRecord& first = (*decoded)[0];
    EXPECT_EQ(first.Name(), u"Open");
    EXPECT_EQ(first.identifier, 1);
    EXPECT_EQ(first.cycleCount, 3);
    EXPECT_EQ(first.fresh, 0);
    ASSERT_EQ(first.actionCount, 2);
    EXPECT_EQ(first.actions[1], (MacroAction{30, 0x171, kKeyUp}));
    EXPECT_EQ((*decoded)[1].Name(), u"Macro2");  // nameless: prefix and position + 1
    EXPECT_EQ((*decoded)[1].identifier, 2);

    const auto bare = BuildMacroArea(macros, sizes.needed, false);
    EXPECT_EQ((*DecodeMacroArea(bare, u"M"))[0].Name(), u"M1");

    auto zeroName = image;
    zeroName[32] = 0;  // the first character of "Open"
    EXPECT_EQ((*DecodeMacroArea(zeroName, u"M"))[0].Name(), u"M1");
}

TEST(MacroArea, DecodeRejectsMalformedImages) {
    const std::vector<MacroRecord> macros = {Macro(u"AB", {{0, 0x01E, kKeyDown}})};
    const auto good = BuildMacroArea(macros, MacroAreaSizes(macros).full, true);
    ASSERT_TRUE(DecodeMacroArea(good, u"").has_value());

    EXPECT_FALSE(DecodeMacroArea(std::span(good).first(15), u"").has_value());
    EXPECT_FALSE(DecodeMacroArea(std::span(good).first(good.size() - 1), u"").has_value());
    auto bad = good;
    bad[0] = 0;  // magic
    EXPECT_FALSE(DecodeMacroArea(bad, u"").has_value());
    bad = good;
    bad[4] = 101;  // macro count
    EXPECT_FALSE(DecodeMacroArea(bad, u"").has_value());
    bad = good;
    bad[16] = 0xF0;  // offset outside the image
    EXPECT_FALSE(DecodeMacroArea(bad, u"").has_value());
    bad = good;
    bad[18] = 0xD1;  // 2001 actions
    bad[19] = 0x07;
    EXPECT_FALSE(DecodeMacroArea(bad, u"").has_value());
    bad = good;
    bad[21] = 200;  // name longer than the image
    EXPECT_FALSE(DecodeMacroArea(bad, u"").has_value());
}

TEST(MacroList, IdentifiersAndPositions) {
    std::vector<MacroRecord> list;
    EXPECT_EQ(NewMacroIdentifier(list), 1);
    ASSERT_TRUE(AddNewMacro(list, NumberedMacroName(u"New", 1)));
    ASSERT_TRUE(AddNewMacro(list, NumberedMacroName(u"New", 2)));
    EXPECT_EQ(list[1].Name(), u"New2");
    EXPECT_EQ(list[1].identifier, 2);
    EXPECT_EQ(list[1].cycleCount, 1);
    EXPECT_EQ(list[1].fresh, 1);
    list.erase(list.begin());
    EXPECT_EQ(NewMacroIdentifier(list), 1);
    EXPECT_EQ(MacroPosition(list, 2), 0);
    ASSERT_TRUE(AddNewMacro(list, u"x"));
    EXPECT_EQ(MacroPosition(list, 1), 1);
    EXPECT_EQ(MacroPosition(list, 77), 0);
    while (list.size() < 100) {
        ASSERT_TRUE(AddNewMacro(list, u"more"));
    }
    EXPECT_EQ(NewMacroIdentifier(list), 0);
    EXPECT_FALSE(AddNewMacro(list, u"one too many"));
    EXPECT_EQ(list.size(), 100u);
}

TEST(MacroList, EditorLimits) {
    MacroRecord macro;
    for (int i = 0; i < kMaxMacroActions; ++i) {
        ASSERT_TRUE(AppendMacroAction(macro, {10, 0x01E, kKeyDown}));
    }
    EXPECT_FALSE(AppendMacroAction(macro, {10, 0x01E, kKeyDown}));
    EXPECT_EQ(macro.actionCount, 2000);

    EXPECT_EQ(LimitTypedDelay(40001).delay, 40000u);
    EXPECT_TRUE(LimitTypedDelay(40001).capped);
    EXPECT_EQ(LimitTypedDelay(40000).delay, 40000u);
    EXPECT_FALSE(LimitTypedDelay(40000).capped);
    EXPECT_EQ(LimitTypedDelay(129).delay, 120u);
    EXPECT_EQ(StoredReleaseFlag(1), kKeyUp);
    EXPECT_EQ(StoredReleaseFlag(2), kKeyDown);

    macro.SetName(std::u16string(300, u'n'));
    EXPECT_EQ(macro.Name().size(), 249u);
}

TEST(MacroRecord, BytesRoundTripAndCountsAreBounded) {
    MacroRecord macro = Macro(u"Name", {{70000, 0x162, kKeyUp}}, 42);
    macro.reserved504 = 0xBEEF;
    std::vector<uint8_t> bytes(kMacroRecordSize);
    EncodeMacroRecord(macro, std::span<uint8_t, kMacroRecordSize>(bytes));
    EXPECT_EQ(bytes[0], 'N');
    EXPECT_EQ(bytes[500], 1);
    EXPECT_EQ(bytes[504], 0xEF);
    EXPECT_EQ(bytes[506], 42);
    EXPECT_EQ(bytes[508], 1);
    EXPECT_EQ(bytes[512], 0x70);  // 70000 = 0x11170
    EXPECT_EQ(bytes[514], 0x01);
    EXPECT_EQ(bytes[516], 0x62);
    MacroRecord back;
    DecodeMacroRecord(std::span<const uint8_t, kMacroRecordSize>(bytes), back);
    EXPECT_EQ(back, macro);

    bytes[508] = 0xFF;  // 0x07FF actions
    bytes[509] = 0x07;
    DecodeMacroRecord(std::span<const uint8_t, kMacroRecordSize>(bytes), back);
    EXPECT_EQ(back.actionCount, 2000);
    std::fill(bytes.begin(), bytes.begin() + 500, 'z');  // name without terminator
    DecodeMacroRecord(std::span<const uint8_t, kMacroRecordSize>(bytes), back);
    EXPECT_EQ(back.Name().size(), 250u);
}

}  // namespace
}  // namespace tessel
