#include <gtest/gtest.h>

#include "model/KeyBlockCodec.h"
#include "model/KeyTable.h"
#include "model/MacroList.h"

namespace tessel {
namespace {

constexpr uint16_t kKey = static_cast<uint16_t>(AssignmentType::Key);

KeyAssignment Entry(AssignmentType type, uint32_t value = 0) {
    KeyAssignment entry;
    entry.type = static_cast<uint16_t>(type);
    entry.value = value;
    return entry;
}

// Slots of the built-in default block used below.
constexpr int kEscSlot = 8;
constexpr int kLeftShiftSlot = 12;
constexpr int kReservedSlot = 0;
constexpr int kEmptySlot = 6;
constexpr int kStopMacroSlot = 53;

TEST(SlotKeyCode, EveryKindOfDefaultAction) {
    EXPECT_EQ(SlotKeyCode({1, 1, 2}), 0x172);
    EXPECT_EQ(SlotKeyCode({1, 5, 0xFF}), 0x162);
    EXPECT_EQ(SlotKeyCode({1, 5, 0x02}), 0);
    EXPECT_EQ(SlotKeyCode({1, 3, 1}), 0);
    EXPECT_EQ(SlotKeyCode({2, 1, 0x60}), 0x036);  // lowest set bit wins
    EXPECT_EQ(SlotKeyCode({2, 3, 0x80}), 0x15C);
    EXPECT_EQ(SlotKeyCode({2, 1, 0}), 0);
    EXPECT_EQ(SlotKeyCode({2, 2, 0x29}), 0x001);
    EXPECT_EQ(SlotKeyCode({3, 0xE2, 0x00}), 0x120);
    EXPECT_EQ(SlotKeyCode({4, 0x82, 0x00}), 0x15F);
    EXPECT_EQ(SlotKeyCode({6, 0xA2, 3}), 0x202);
    EXPECT_EQ(SlotKeyCode({6, 0xA1, 3}), 0);
    EXPECT_EQ(SlotKeyCode({5, 0, 0}), 0);
    EXPECT_EQ(SlotKeyCode({0, 0, 0}), 0);
}

TEST(KeyEncoding, ModifiersMouseAndPlainKeys) {
    EXPECT_EQ(KeyEncoding(0x02A), (KeyAction{2, 1, 0x02}));
    EXPECT_EQ(KeyEncoding(0x15C), (KeyAction{2, 1, 0x80}));
    EXPECT_EQ(KeyEncoding(0x120), (KeyAction{2, 2, 0xCD}));  // Mute as a plain key
    EXPECT_EQ(KeyEncoding(0x173), (KeyAction{1, 1, 4}));
    EXPECT_EQ(KeyEncoding(0x161), (KeyAction{1, 5, 0x01}));
    EXPECT_EQ(KeyEncoding(0x162), (KeyAction{1, 5, 0xFF}));
    EXPECT_EQ(KeyEncoding(0x15E), (KeyAction{2, 2, 0}));  // Power is no keyboard usage
    EXPECT_EQ(KeyEncoding(0x204), (KeyAction{2, 2, 0}));  // G keys are beyond the table
}

TEST(EncodeAssignment, EachType) {
    const KeyAction esc = {2, 2, 0x29};
    std::vector<MacroRecord> macros(2);
    macros[0].identifier = 7;
    macros[1].identifier = 3;
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::Default), esc, macros), esc);
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::LaunchProgram, 40), esc, macros), esc);
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::Disabled), esc, macros), (KeyAction{}));
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::TextBlock), esc, macros), (KeyAction{}));
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::Key, 0x02A), esc, macros),
              (KeyAction{2, 1, 0x02}));
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::PlayMacro, 3), esc, macros),
              (KeyAction{5, 1, 1}));
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::PlayMacro, 9), esc, macros),
              (KeyAction{5, 1, 0}));  // deleted macro
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::StopMacro), esc, macros),
              (KeyAction{5, 2, 0}));
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::Multimedia, 8), esc, macros),
              (KeyAction{3, 0x23, 0x02}));
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::FunctionKey, 10), esc, macros),
              (KeyAction{5, 5, 10}));
}

TEST(EncodeAssignment, IndicesFromFilesAreChecked) {
    const KeyAction esc = {2, 2, 0x29};
    EXPECT_EQ(EncodeAssignment(Entry(AssignmentType::Multimedia, 18), esc, {}), esc);
    KeyAssignment unknown;
    unknown.type = 9;
    EXPECT_EQ(EncodeAssignment(unknown, esc, {}), esc);
}

class KeyBlocks : public ::testing::Test {
protected:
    KeyBlocks() : image(DefaultImage()) {}
    KeyAssignment& At(int profile, uint16_t code) {
        return *EntryFor(*image, profile, KeyIndexOf(code));
    }
    const KeyBlock& defaults = BuiltInDefaultKeyBlock();
    std::unique_ptr<ProfileImage> image;
};

// Indices this program has no name for still reach the keyboard, so a file
// written by another program round-trips through the keyboard.
TEST(EncodeAssignment, AFunctionKeySendsTheLowByteOfAnyValue) {
    const KeyAction esc = {2, 2, 0x29};
    for (const uint32_t value : {11u, 0xFFu, 0x1234u, 0xFFFFFFFFu}) {
        const KeyAction sent = EncodeAssignment(Entry(AssignmentType::FunctionKey, value), esc, {});
        EXPECT_EQ(sent, (KeyAction{5, 5, static_cast<uint8_t>(value & 0xFF)})) << value;
        KeyBlock block = BuiltInDefaultKeyBlock();
        SetSlotAction(block, kEscSlot, sent);
        auto image = DefaultImage();
        ASSERT_TRUE(DecodeKeyBlock(block, 1, BuiltInDefaultKeyBlock(), *image));
        const KeyAssignment& back = *EntryFor(*image, 1, KeyIndexOf(0x001));
        EXPECT_EQ(back.type, static_cast<uint16_t>(AssignmentType::FunctionKey));
        EXPECT_EQ(back.value, value & 0xFF);
    }
}

TEST_F(KeyBlocks, BuiltInDefaultBlock) {
    EXPECT_EQ(SlotAction(defaults, kReservedSlot), (KeyAction{5, 0, 0}));
    EXPECT_EQ(SlotAction(defaults, kEscSlot), (KeyAction{2, 2, 0x29}));
    EXPECT_EQ(SlotAction(defaults, 38), (KeyAction{2, 2, 0x46}));  // Print Screen
    EXPECT_EQ(SlotAction(defaults, kLeftShiftSlot), (KeyAction{2, 1, 0x02}));
    EXPECT_EQ(SlotAction(defaults, kStopMacroSlot), (KeyAction{5, 2, 2}));
    EXPECT_EQ(SlotAction(defaults, 62), (KeyAction{2, 2, 0x48}));  // Pause
    EXPECT_EQ(SlotAction(defaults, 63), (KeyAction{}));
}

TEST_F(KeyBlocks, UntouchedImageGivesTheDefaultBlock) {
    EXPECT_EQ(BuildKeyBlock(*image, {}, 2, defaults), defaults);
}

TEST_F(KeyBlocks, ReservedAndEmptySlotsNeverChange) {
    // Whatever the entries say, a slot without a key keeps its action.
    for (int keyIndex = 0; keyIndex < kEntriesPerProfile; ++keyIndex) {
        EntryFor(*image, 0, keyIndex)->type = static_cast<uint16_t>(AssignmentType::Disabled);
    }
    const KeyBlock block = BuildKeyBlock(*image, {}, 0, defaults);
    EXPECT_EQ(SlotAction(block, kReservedSlot), (KeyAction{5, 0, 0}));
    EXPECT_EQ(SlotAction(block, kEmptySlot), (KeyAction{}));
    EXPECT_EQ(SlotAction(block, kStopMacroSlot), (KeyAction{5, 2, 2}));
    EXPECT_EQ(SlotAction(block, kEscSlot), (KeyAction{}));
}

TEST_F(KeyBlocks, EntriesOfTheGivenProfileOnly) {
    At(1, 0x001) = Entry(AssignmentType::Key, 0x02A);
    At(1, 0x02A) = Entry(AssignmentType::Key, 0x120);
    const KeyBlock block = BuildKeyBlock(*image, {}, 1, defaults);
    EXPECT_EQ(SlotAction(block, kEscSlot), (KeyAction{2, 1, 0x02}));
    EXPECT_EQ(SlotAction(block, kLeftShiftSlot), (KeyAction{2, 2, 0xCD}));
    EXPECT_EQ(BuildKeyBlock(*image, {}, 0, defaults), defaults);
}

TEST_F(KeyBlocks, DecodeResetsTheProfileAndKeepsGKeyIdentifiers) {
    At(3, 0x01E) = Entry(AssignmentType::Key, 0x030);
    ASSERT_TRUE(DecodeKeyBlock(defaults, 3, defaults, *image));
    EXPECT_EQ(At(3, 0x01E), KeyAssignment{});
    EXPECT_EQ(EntryFor(*image, 3, 256)->auxiliary, 0x0301);
    EXPECT_EQ(EntryFor(*image, 3, 273)->auxiliary, 0x1309);
    EXPECT_FALSE(DecodeKeyBlock(defaults, 4, defaults, *image));
    EXPECT_FALSE(DecodeKeyBlock(defaults, -1, defaults, *image));
}

TEST_F(KeyBlocks, DecodeReadsEveryKindOfAction) {
    KeyBlock block = defaults;
    SetSlotAction(block, 8, {5, 1, 4});      // Esc plays macro 4
    SetSlotAction(block, 9, {5, 2, 7});      // ` stops macros
    SetSlotAction(block, 10, {5, 5, 3});     // Tab: function key 3
    SetSlotAction(block, 11, {3, 0xE2, 0});  // Caps Lock: Mute
    SetSlotAction(block, 16, {3, 0xB3, 0});  // F1: consumer usage not in the list
    SetSlotAction(block, 17, {1, 1, 2});     // 1: right button
    SetSlotAction(block, 18, {1, 7, 9});     // Q: unknown mouse action
    SetSlotAction(block, 19, {2, 2, 0x05});  // A: B
    SetSlotAction(block, 20, {2, 2, 0x00});  // Z: no usage
    SetSlotAction(block, 21, {2, 1, 0x24});  // left Win slot: left Alt
    SetSlotAction(block, 24, {0, 0, 0});     // F2 disabled
    SetSlotAction(block, 25, {6, 0xA2, 1});  // 2: a G key
    SetSlotAction(block, 0, {2, 2, 0x04});   // reserved slot: skipped
    ASSERT_TRUE(DecodeKeyBlock(block, 0, defaults, *image));

    auto expect = [&](uint16_t code, AssignmentType type, uint32_t value) {
        const KeyAssignment& entry = At(0, code);
        EXPECT_EQ(entry.type, static_cast<uint16_t>(type)) << std::hex << code;
        EXPECT_EQ(entry.value, value) << std::hex << code;
    };
    expect(0x001, AssignmentType::PlayMacro, 5);
    expect(0x029, AssignmentType::StopMacro, 0);
    expect(0x00F, AssignmentType::FunctionKey, 3);
    expect(0x03A, AssignmentType::Multimedia, 7);
    expect(0x03B, AssignmentType::Disabled, 0);
    expect(0x002, AssignmentType::Key, 0x172);
    expect(0x010, AssignmentType::Key, 0);
    expect(0x01E, AssignmentType::Key, 0x030);
    expect(0x02C, AssignmentType::Disabled, 0);
    expect(0x15B, AssignmentType::Key, 0x038);
    expect(0x03C, AssignmentType::Disabled, 0);
    expect(0x003, AssignmentType::Disabled, 0);
    expect(0x01D, AssignmentType::Default, 0);  // slot equal to its default
}

TEST_F(KeyBlocks, DecodeOfBuildRoundTripsEveryHoldableKind) {
    std::vector<MacroRecord> macros(3);
    for (int i = 0; i < 3; ++i) {
        macros[i].identifier = static_cast<uint16_t>(i + 1);
    }
    ResetProfileEntries(*image, 2);  // decoding restores the G-key identifiers
    At(2, 0x001) = Entry(AssignmentType::PlayMacro, 3);
    At(2, 0x029) = Entry(AssignmentType::StopMacro);
    At(2, 0x00F) = Entry(AssignmentType::FunctionKey, 10);
    At(2, 0x03A) = Entry(AssignmentType::Multimedia, 17);
    At(2, 0x03B) = Entry(AssignmentType::Disabled);
    At(2, 0x002) = Entry(AssignmentType::Key, 0x171);
    At(2, 0x010) = Entry(AssignmentType::Key, 0x161);
    At(2, 0x01E) = Entry(AssignmentType::Key, 0x15C);
    At(2, 0x02C) = Entry(AssignmentType::Key, 0x14B);
    At(2, 0x03C) = Entry(AssignmentType::Key, 0x045);
    const KeyBlock block = BuildKeyBlock(*image, macros, 2, defaults);

    auto decoded = std::make_unique<ProfileImage>(*image);
    ASSERT_TRUE(DecodeKeyBlock(block, 2, defaults, *decoded));
    for (int keyIndex = 0; keyIndex < kEntriesPerProfile; ++keyIndex) {
        EXPECT_EQ(*EntryFor(*decoded, 2, keyIndex), *EntryFor(*image, 2, keyIndex)) << keyIndex;
    }
}

}  // namespace
}  // namespace tessel
