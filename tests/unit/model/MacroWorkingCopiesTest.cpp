#include <gtest/gtest.h>

#include <vector>

#include "model/AssignmentEdits.h"
#include "model/KeyTable.h"
#include "model/MacroList.h"
#include "model/MacroMemoryGauge.h"
#include "model/MacroNumbering.h"
#include "model/MacroWorkingCopies.h"

namespace tessel {
namespace {

constexpr uint16_t kA = 0x01E;
constexpr uint16_t kB = 0x030;
constexpr uint16_t kPlay = static_cast<uint16_t>(AssignmentType::PlayMacro);

std::vector<MacroAction> RowsOf(const MacroWorkingCopies& copies) {
    return {copies.Rows().Rows().begin(), copies.Rows().Rows().end()};
}

class WorkingCopies : public ::testing::Test {
protected:
    WorkingCopies() { edit.SetImage(DefaultImage()); }

    void AddToStore(std::u16string_view name, std::vector<MacroAction> actions) {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), name));
        for (const MacroAction& action : actions) {
            AppendMacroAction(edit.Macros().back(), action);
        }
    }

    KeyAssignment& Entry(int profile, uint16_t code) {
        return edit.Image()->entries[EntryIndex(profile, KeyIndexOf(code))];
    }

    void Play(int profile, uint16_t code, uint32_t identifier) {
        ASSERT_TRUE(EditKeyAssignment(edit, profile, KeyIndexOf(code), kPlay, 1, identifier));
    }

    ConfigStore edit;
    MacroWorkingCopies copies;
};

TEST_F(WorkingCopies, GeneratedNamesSkipEveryNameTheCandidateBegins) {
    AddToStore(u"P1", {});
    AddToStore(u"p12", {});
    copies.Load(edit);
    ASSERT_EQ(copies.Add(u"P"), AddMacroResult::Added);
    EXPECT_EQ(copies.Copy(2).Name(), u"P2");
    EXPECT_EQ(copies.Shown(), 2);
    EXPECT_EQ(copies.Copy(2).identifier, 3);
    EXPECT_EQ(copies.Copy(2).fresh, 1);

    // Renaming to a name another one begins with gives the next generated name.
    copies.Select(0);
    EXPECT_EQ(copies.Rename(u"P", u"P"), u"P3");
    EXPECT_EQ(copies.Rename(u"", u"P"), u"P4");
    EXPECT_EQ(copies.Rename(u"Jump", u"P"), u"Jump");
    EXPECT_EQ(copies.Count(), 3);
}

TEST_F(WorkingCopies, TheHundredFirstMacroIsRefusedAndTypingIntoAnEmptyBoxCreatesOne) {
    copies.Load(edit);
    EXPECT_EQ(copies.Rename(u"Combo", u"M"), u"Combo");
    EXPECT_EQ(copies.Count(), 1);
    EXPECT_EQ(copies.Shown(), 0);
    for (int i = 1; i < kMaxMacros; ++i) {
        ASSERT_EQ(copies.Add(u"M"), AddMacroResult::Added);
    }
    EXPECT_EQ(copies.Add(u"M"), AddMacroResult::Full);
    EXPECT_EQ(copies.Count(), kMaxMacros);
}

// Every way of showing another macro folds the rows into the macro they came
// from: adding, selecting, deleting.
TEST_F(WorkingCopies, EveryMacroKeepsItsOwnRows) {
    AddToStore(u"First", {{50, kA, kKeyDown}, {0, kA, kKeyUp}});
    copies.Load(edit);
    copies.Select(0);

    ASSERT_EQ(copies.Add(u"M"), AddMacroResult::Added);  // shows the new macro
    copies.Rows().Add({0, kB, kKeyDown}, {.afterSelection = true, .select = true});
    copies.SetCycleCount(3);
    copies.Select(0);
    EXPECT_EQ(RowsOf(copies), (std::vector<MacroAction>{{50, kA, kKeyDown}, {0, kA, kKeyUp}}));
    EXPECT_EQ(copies.CycleCount(), 1);
    copies.Select(1);
    EXPECT_EQ(RowsOf(copies), (std::vector<MacroAction>{{0, kB, kKeyDown}}));
    EXPECT_EQ(copies.CycleCount(), 3);

    ASSERT_EQ(copies.Add(u"M"), AddMacroResult::Added);
    copies.Rows().Add({0, kA, kKeyDown}, {});
    copies.DeleteShown();  // shows the one before it, without the deleted rows
    EXPECT_EQ(copies.Shown(), 1);
    EXPECT_EQ(RowsOf(copies), (std::vector<MacroAction>{{0, kB, kKeyDown}}));
    copies.Select(0);
    copies.DeleteShown();
    EXPECT_EQ(copies.Shown(), 0);
    EXPECT_EQ(copies.Copy(0).Name(), u"M1");
    copies.DeleteShown();
    EXPECT_EQ(copies.Shown(), -1);
    EXPECT_TRUE(copies.Rows().IsEmpty());
}

TEST_F(WorkingCopies, DeletingAskOnlyForAStoredMacroThatKeysPlay) {
    AddToStore(u"Used", {});
    AddToStore(u"Unused", {});
    Play(2, kA, 1);
    copies.Load(edit);
    copies.Select(0);
    EXPECT_TRUE(copies.DeleteNeedsQuestion(edit));
    copies.Select(1);
    EXPECT_FALSE(copies.DeleteNeedsQuestion(edit));
    ASSERT_EQ(copies.Add(u"M"), AddMacroResult::Added);
    // The editor's Apply: the list is stored, then the key gets the macro.
    ASSERT_TRUE(copies.Store(edit).stored);
    Play(0, kB, copies.Copy(2).identifier);
    // Stored, it is no longer new, though created in this opening.
    EXPECT_TRUE(copies.DeleteNeedsQuestion(edit));
    // A second Apply in the same opening keeps the key on it.
    EXPECT_FALSE(copies.Store(edit).entriesChanged);
    EXPECT_EQ(Entry(0, kB).type, kPlay);
}

TEST_F(WorkingCopies, StoringRedirectsOrResetsMacroAssignmentsOfEveryProfile) {
    AddToStore(u"One", {});
    AddToStore(u"Two", {});
    Play(0, kA, 2);
    Play(3, kB, 2);
    Play(1, kA, 0);  // no macro chosen: the first one
    Play(2, kB, 1);
    copies.Load(edit);
    copies.Select(1);
    copies.DeleteShown();
    ASSERT_EQ(copies.Add(u"M"), AddMacroResult::Added);  // takes identifier 2 again
    ASSERT_EQ(copies.Copy(1).identifier, 2);

    const StoreMacrosResult result = copies.Store(edit);
    EXPECT_TRUE(result.stored);
    EXPECT_TRUE(result.entriesChanged);
    EXPECT_EQ(Entry(0, kA).type, 0);  // the new macro does not inherit the old one's keys
    EXPECT_EQ(Entry(3, kB).type, 0);
    EXPECT_EQ(Entry(1, kA).type, kPlay);
    EXPECT_EQ(Entry(1, kA).value, 1u);
    EXPECT_EQ(Entry(2, kB).type, kPlay);
    auto lock = edit.Lock();
    ASSERT_EQ(edit.Macros().size(), 2u);
    EXPECT_EQ(edit.Macros()[1].fresh, 0);
    EXPECT_EQ(edit.Macros()[1].Name(), u"M1");
    EXPECT_TRUE(MacroNumberingChanged(edit));

    // Nothing left to clean: the next store changes no entry.
    EXPECT_FALSE(copies.Store(edit).entriesChanged);
}

TEST_F(WorkingCopies, NumberingChangesWhenAKnownMacroMovesNotWhenOneIsAdded) {
    AddToStore(u"One", {});
    AddToStore(u"Two", {});
    // A new run has not read the keyboard yet: its numbering is unknown.
    EXPECT_TRUE(MacroNumberingChanged(edit));
    NoteMacroNumberingApplied(edit, MacroIdentifiers(edit));
    EXPECT_FALSE(MacroNumberingChanged(edit));
    copies.Load(edit);
    ASSERT_EQ(copies.Add(u"M"), AddMacroResult::Added);
    copies.Store(edit);
    EXPECT_FALSE(MacroNumberingChanged(edit));
    copies.Select(0);
    copies.DeleteShown();
    copies.Store(edit);
    EXPECT_TRUE(MacroNumberingChanged(edit));
    NoteMacroNumberingApplied(edit, MacroIdentifiers(edit));
    EXPECT_FALSE(MacroNumberingChanged(edit));
    ForgetMacroNumbering(edit);
    EXPECT_TRUE(MacroNumberingChanged(edit));
}

TEST_F(WorkingCopies, TheGaugeCountsTheShownRowsAndWarnsBeforeTheApplyWould) {
    copies.Load(edit);
    EXPECT_EQ(MeasureMacroMemory(copies, 128).Used(), 16u);  // the bare header
    EXPECT_EQ(MeasureMacroMemory(copies, 0).state, MacroMemoryState::Unknown);
    ASSERT_EQ(copies.Rename(u"A", u"M"), u"A");
    copies.Rows().Add({0, kA, kKeyDown}, {});
    copies.Rows().Add({0, kA, kKeyUp}, {});
    // One macro named "A" with two actions: 30 bytes without the name, 32 with it.
    MacroMemoryUse use = MeasureMacroMemory(copies, 32);
    EXPECT_EQ(use.needed, 30u);
    EXPECT_EQ(use.full, 32u);
    EXPECT_EQ(use.state, MacroMemoryState::Fits);
    EXPECT_EQ(MacroMemoryCaption(use), u"32 / 32 B (100%)");
    EXPECT_EQ(MeasureMacroMemory(copies, 31).state, MacroMemoryState::NamesDropped);
    EXPECT_EQ(MeasureMacroMemory(copies, 29).state, MacroMemoryState::TooLong);
    // Folded or not, the same bytes.
    copies.Select(0);
    EXPECT_EQ(MeasureMacroMemory(copies.Copies(), 32).full, 32u);
}

}  // namespace
}  // namespace tessel
