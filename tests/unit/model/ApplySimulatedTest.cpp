#include <gtest/gtest.h>

#include "ApplyThroughKeyboard.h"
#include "model/MacroList.h"

namespace tessel {
namespace {

TEST_F(ApplyThroughKeyboard, KeyboardDefaultsMatchTheBuiltInBlock) {
    EXPECT_EQ(facts.DefaultKeyBlock(), BuiltInDefaultKeyBlock());
    EXPECT_GT(facts.MacroCapacity(), 0u);
}

TEST_F(ApplyThroughKeyboard, ActiveProfileGetsExactlyTheExpectedBytes) {
    ASSERT_EQ(keyboard.Link().SetActiveProfile(2), 1);
    const std::vector<uint8_t> lighting(64, 0x77);
    ASSERT_TRUE(keyboard.WriteArea(TORVEX_SIM_AREA_PARAMETERS, 2 * 64, lighting));
    const std::vector<uint8_t> blockZeroBefore = KeyBlockOnKeyboard(0);

    {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"A"));
        AppendMacroAction(edit.Macros()[0], {120, 0x02A, kKeyDown});
        AppendMacroAction(edit.Macros()[0], {0, 0x02A, kKeyUp});
    }
    Assign(2, 0x001, AssignmentType::Key, 0x02A);        // Esc: left Shift
    Assign(2, 0x01E, AssignmentType::Multimedia, 7);     // A: Mute
    Assign(2, 0x010, AssignmentType::PlayMacro, 1);      // Q: the macro
    Assign(2, 0x00F, AssignmentType::Disabled, 0);       // Tab: off
    Assign(2, 0x03A, AssignmentType::LaunchProgram, 0);  // Caps Lock: stays
    Assign(2, 0x03B, AssignmentType::TextBlock, 0);      // F1: off on the keyboard
    edit.Texts().Set(EntryIndex(2, KeyIndexOf(0x03B)), u"typed text");
    Assign(1, 0x011, AssignmentType::Disabled, 0);  // another profile: not sent

    ASSERT_TRUE(Apply(false));
    EXPECT_TRUE(prompter.shown.empty());

    std::vector<uint8_t> expected(BuiltInDefaultKeyBlock().begin(), BuiltInDefaultKeyBlock().end());
    auto slot = [&](int s, uint8_t kind, uint8_t b1, uint8_t b2) {
        expected[3 * s] = kind;
        expected[3 * s + 1] = b1;
        expected[3 * s + 2] = b2;
    };
    slot(8, 2, 1, 0x02);
    slot(19, 3, 0xE2, 0x00);
    slot(18, 5, 1, 0);
    slot(10, 0, 0, 0);
    slot(16, 0, 0, 0);
    EXPECT_EQ(KeyBlockOnKeyboard(2), expected);
    EXPECT_EQ(KeyBlockOnKeyboard(0), blockZeroBefore);

    const std::vector<uint8_t> macroArea = {
        0xAA, 0x55, 32, 0, 1, 0, 1,    0,    0,    0,    0,    0,    0,    0,    0,   0,
        18,   0,    2,  0, 1, 1, 0x0C, 0xA0, 0x01, 0x02, 0x00, 0x20, 0x01, 0x02, 'A', 0};
    EXPECT_EQ(keyboard.ReadArea(TORVEX_SIM_AREA_MACRO, 0, 32), macroArea);

    const auto record = keyboard.ReadArea(TORVEX_SIM_AREA_PARAMETERS, 2 * 64, 64);
    EXPECT_EQ(std::vector<uint8_t>(record.begin() + 18, record.begin() + 23),
              std::vector<uint8_t>(5, 0));
    EXPECT_EQ(record[17], 0x77);
    EXPECT_EQ(record[23], 0x77);

    // The snapshot carries the packed text and a fresh header.
    auto lock = apply.Lock();
    EXPECT_EQ(apply.Image()->header.macroCount, 1);
    EXPECT_EQ(apply.Image()->header.textAreaSize, 22u);
    EXPECT_EQ(apply.TextArea().size(), 22u);
}

TEST_F(ApplyThroughKeyboard, AllProfilesInOneBracketedSequence) {
    Assign(3, 0x01E, AssignmentType::Key, 0x171);
    keyboard.ClearFrameLog();
    ASSERT_TRUE(Apply(true));
    std::vector<uint8_t> expected = {kCmdBegin, kCmdWriteMacroArea};
    for (int p = 0; p < 4; ++p) {
        expected.push_back(kCmdWriteParameters);
        expected.insert(expected.end(), 4, kCmdWriteKeyBlock);
    }
    expected.push_back(kCmdEnd);
    EXPECT_EQ(WriteCommands(), expected);
    const auto frames = keyboard.CommandsReceived();
    const auto params = std::find_if(frames.begin(), frames.end(), [](const auto& f) {
        return f.bytes[3] == kCmdWriteParameters;
    });
    ASSERT_NE(params, frames.end());
    EXPECT_EQ(params->bytes[4], 5);
    EXPECT_EQ(params->bytes[5], 18);
    EXPECT_EQ(KeyBlockOnKeyboard(3)[3 * 19], 1);  // A: left button
    EXPECT_EQ(KeyBlockOnKeyboard(3)[3 * 19 + 2], 1);
}

TEST_F(ApplyThroughKeyboard, NoCapacityRefusesEveryApply) {
    SetCapacityUnits(0);
    keyboard.ClearFrameLog();
    EXPECT_FALSE(Apply(true));
    EXPECT_TRUE(WriteCommands().empty());
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, u"too long");
}

TEST_F(ApplyThroughKeyboard, NamesAreLeftOutWhenOnlyTheBareImageFits) {
    {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), std::u16string(100, u'n')));
        AppendMacroAction(edit.Macros()[0], {0, 0x01E, kKeyDown});
    }
    SetCapacityUnits(1);  // 128 bytes: needed 26, full 226
    ASSERT_TRUE(Apply(false));
    const auto header = keyboard.ReadArea(TORVEX_SIM_AREA_MACRO, 0, 26);
    EXPECT_EQ(header[2], 26);
    EXPECT_EQ(header[6], 0);   // names flag
    EXPECT_EQ(header[21], 0);  // name length
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, u"names left out");
}

TEST_F(ApplyThroughKeyboard, UnknownActiveProfileSendsNothing) {
    keyboard.Link().ForgetActiveProfile();
    ASSERT_EQ(keyboard.Unplug(), 1);
    keyboard.ClearFrameLog();
    EXPECT_FALSE(Apply(false));
    EXPECT_TRUE(WriteCommands().empty());
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ApplyThroughKeyboard, ResultIsTheLastKeyBlockWrite) {
    ASSERT_EQ(keyboard.Link().GetActiveProfile(), 0);
    keyboard.ShortenReplyWait(std::chrono::milliseconds(20));
    // Begin, macro area and parameters are answered; the key block write is not.
    ASSERT_EQ(keyboard.SetFault(TORVEX_SIM_FAULT_REMOVE, 3), 1);
    EXPECT_FALSE(Apply(false));
}

}  // namespace
}  // namespace tessel
