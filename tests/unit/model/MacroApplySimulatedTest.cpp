#include <gtest/gtest.h>

#include "ApplyThroughKeyboard.h"
#include "model/MacroArea.h"
#include "model/MacroList.h"
#include "model/MacroRecorder.h"
#include "model/MacroWorkingCopies.h"

namespace tessel {
namespace {

constexpr uint16_t kA = 0x01E;
constexpr uint16_t kQ = 0x010;
constexpr uint16_t kPlay = static_cast<uint16_t>(AssignmentType::PlayMacro);
constexpr int kQSlot = 18;  // Q's slot in the default key block

class MacroApply : public ApplyThroughKeyboard {
protected:
    std::vector<uint8_t> MacroAreaOnKeyboard() {
        return keyboard.ReadArea(TORVEX_SIM_AREA_MACRO, 0, facts.MacroCapacity());
    }

    std::vector<uint8_t> Slot(int profile, int slot) {
        const std::vector<uint8_t> block = KeyBlockOnKeyboard(profile);
        return {block.begin() + 3 * slot, block.begin() + 3 * slot + 3};
    }

    // Each profile's key block goes out after its parameter write.
    int ProfilesSent() {
        int count = 0;
        for (uint8_t command : WriteCommands()) {
            count += command == kCmdWriteParameters ? 1 : 0;
        }
        return count;
    }

    // What the editor's OK does for a macro chosen for `code`.
    void StoreAndAssign(MacroWorkingCopies& copies, int profile, uint16_t code, uint8_t cycles) {
        ASSERT_TRUE(copies.Store(edit).stored);
        const uint16_t identifier = copies.Copy(copies.Shown()).identifier;
        ASSERT_TRUE(EditKeyAssignment(edit, profile, KeyIndexOf(code), kPlay, cycles, identifier));
    }
};

TEST_F(MacroApply, ARecordedMacroReachesTheKeyboardAndDecodesBack) {
    uint32_t now = 0;
    MacroRecorder recorder([&] { return now; });
    MacroWorkingCopies copies;
    copies.Load(edit);
    ASSERT_EQ(copies.Add(u"M"), AddMacroResult::Added);
    recorder.Start();
    for (const RecordedKeyEvent event : {RecordedKeyEvent{kA, false}, RecordedKeyEvent{kA, true}}) {
        now += 300;
        for (const MacroAction& action : recorder.OnKey(event).actions) {
            copies.Rows().Add(action, {.afterSelection = true, .select = true});
        }
    }
    recorder.Stop();
    copies.SetCycleCount(3);
    StoreAndAssign(copies, 0, kQ, 3);

    ASSERT_TRUE(Apply(false));
    const std::vector<uint8_t> area = MacroAreaOnKeyboard();
    ASSERT_GE(area.size(), 30u);
    EXPECT_EQ(area[0] | area[1] << 8, 0x55AA);
    EXPECT_EQ(area[4] | area[5] << 8, 1);  // one macro
    const std::size_t entry = area[16] | area[17] << 8;
    EXPECT_EQ(area[entry] | area[entry + 1] << 8, 2);  // two actions
    EXPECT_EQ(area[entry + 2], 3);                     // cycle count
    // A down, 50 ms until the next action: 5 units, keyboard kind, going down.
    EXPECT_EQ(area[entry + 4] | area[entry + 5] << 8, 0xA005);
    EXPECT_EQ(area[entry + 6], 0x02);
    EXPECT_EQ(area[entry + 7], 0x04);
    EXPECT_EQ(Slot(0, kQSlot), (std::vector<uint8_t>{5, 1, 0}));

    const auto decoded = DecodeMacroArea(area, u"M");
    ASSERT_TRUE(decoded.has_value());
    ASSERT_EQ(decoded->size(), 1u);
    EXPECT_EQ((*decoded)[0], copies.Copy(0));
}

TEST_F(MacroApply, DeletingAPlayedMacroResetsEveryProfileAndSendsAllKeyBlocks) {
    {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"Gone"));
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"Kept"));
    }
    for (int profile = 0; profile < kProfileCount; ++profile) {
        ASSERT_TRUE(EditKeyAssignment(edit, profile, KeyIndexOf(kQ), kPlay, 1, 1));
        ASSERT_TRUE(EditKeyAssignment(edit, profile, KeyIndexOf(kA), kPlay, 1, 2));
    }
    ASSERT_TRUE(Apply(true));
    EXPECT_EQ(Slot(3, 19), (std::vector<uint8_t>{5, 1, 1}));  // A plays "Kept", the second

    MacroWorkingCopies copies;
    copies.Load(edit);
    copies.Select(0);
    ASSERT_TRUE(copies.DeleteNeedsQuestion(edit));
    copies.DeleteShown();  // the user said Yes
    EXPECT_TRUE(copies.Store(edit).entriesChanged);

    keyboard.ClearFrameLog();
    ASSERT_TRUE(Apply(false));
    EXPECT_EQ(ProfilesSent(), kProfileCount);
    for (int profile = 0; profile < kProfileCount; ++profile) {
        auto lock = edit.Lock();
        EXPECT_EQ(edit.Image()->entries[EntryIndex(profile, KeyIndexOf(kQ))].type, 0);
        EXPECT_EQ(Slot(profile, kQSlot), (std::vector<uint8_t>{2, 2, 0x14}));  // Q again
        EXPECT_EQ(Slot(profile, 19), (std::vector<uint8_t>{5, 1, 0}));         // "Kept" moved up
    }

    // Nothing moved since: the next apply sends the active profile only.
    keyboard.ClearFrameLog();
    ASSERT_TRUE(Apply(false));
    EXPECT_EQ(ProfilesSent(), 1);
}

// A new run knows nothing of the numbering the keyboard holds: deleting a
// macro no key plays must still renumber the other profiles' key blocks.
TEST_F(MacroApply, AfterARestartTheFirstApplySendsEveryProfile) {
    {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"X"));
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"Y"));
    }
    ASSERT_TRUE(EditKeyAssignment(edit, 1, KeyIndexOf(kA), kPlay, 1, 2));
    ASSERT_TRUE(Apply(true));
    ASSERT_EQ(Slot(1, 19), (std::vector<uint8_t>{5, 1, 1}));  // A plays Y, the second

    // The next run's store, as the scene-mode file gives it back.
    ConfigStore restarted;
    {
        auto lock = edit.Lock();
        restarted.SetImage(std::make_unique<ProfileImage>(*edit.Image()));
        restarted.Macros() = edit.Macros();
    }
    MacroWorkingCopies copies;
    copies.Load(restarted);
    copies.Select(0);
    ASSERT_FALSE(copies.DeleteNeedsQuestion(restarted)) << "no key plays X";
    copies.DeleteShown();
    copies.Store(restarted);

    keyboard.ClearFrameLog();
    ASSERT_EQ(ApplyFromEditStore(restarted, apply, false,
                                 {keyboard.Link(), facts, prompter, table, lookup}),
              kDeviceDone);
    EXPECT_EQ(ProfilesSent(), kProfileCount);
    EXPECT_EQ(Slot(1, 19), (std::vector<uint8_t>{5, 1, 0})) << "profile 1's A still plays Y";
}

TEST_F(MacroApply, AFailedApplyKeepsTheOtherProfilesDue) {
    {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"One"));
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"Two"));
    }
    ASSERT_TRUE(Apply(true));
    MacroWorkingCopies copies;
    copies.Load(edit);
    copies.Select(0);
    copies.DeleteShown();
    copies.Store(edit);

    SetCapacityUnits(0);  // refused: nothing sent
    EXPECT_FALSE(Apply(false));
    Attach();
    keyboard.ClearFrameLog();
    ASSERT_TRUE(Apply(false));
    EXPECT_EQ(ProfilesSent(), kProfileCount);
}

}  // namespace
}  // namespace tessel
