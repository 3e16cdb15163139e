// The keyboard carries an assignment only in a slot its default key block
// names: the simulated keyboard names G1..G9 of bank A, so a G-key macro
// reaches it; keys without a slot are found before an apply.

#include <gtest/gtest.h>

#include "ApplyThroughKeyboard.h"
#include "model/MacroList.h"
#include "model/UnplacedAssignments.h"

namespace tessel {
namespace {

constexpr uint16_t kG1 = 0x200;
constexpr uint16_t kG9 = 0x208;
constexpr uint16_t kG1BankB = 0x209;
constexpr uint16_t kKeypad1 = 0x04F;
constexpr uint16_t kA = 0x01E;
constexpr int kSlotG1 = 6;
constexpr int kSlotG9 = 39;

TEST_F(ApplyThroughKeyboard, AMacroOnG1ReachesTheKeyBlockOfTheSimulatedKeyboard) {
    ASSERT_EQ(keyboard.Link().SetActiveProfile(0), 1);
    {
        auto lock = edit.Lock();
        ASSERT_TRUE(AddNewMacro(edit.Macros(), u"G"));
        AppendMacroAction(edit.Macros()[0], {0, kA, kKeyDown});
        AppendMacroAction(edit.Macros()[0], {0, kA, kKeyUp});
    }
    Assign(0, kG1, AssignmentType::PlayMacro, 1);
    Assign(0, kG9, AssignmentType::Disabled, 0);
    ASSERT_TRUE(Apply(false));
    const std::vector<uint8_t> block = KeyBlockOnKeyboard(0);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 3 * kSlotG1, block.begin() + 3 * kSlotG1 + 3),
              (std::vector<uint8_t>{5, 1, 0}))
        << "G1 plays the first macro";
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 3 * kSlotG9, block.begin() + 3 * kSlotG9 + 3),
              (std::vector<uint8_t>{0, 0, 0}));
}

TEST_F(ApplyThroughKeyboard, AssignmentsWithoutASlotAreFoundAndTheOthersAreNot) {
    Assign(1, kG1, AssignmentType::Disabled, 0);
    Assign(1, kA, AssignmentType::Disabled, 0);
    Assign(1, kG1BankB, AssignmentType::Disabled, 0);
    Assign(1, kKeypad1, AssignmentType::Key, kA);
    Assign(2, kKeypad1, AssignmentType::Key, kA);  // another profile
    const auto lock = edit.Lock();
    EXPECT_EQ(UnplacedAssignments(*edit.Image(), 1, facts.DefaultKeyBlock()),
              (std::vector<int>{KeyIndexOf(kKeypad1), KeyIndexOf(kG1BankB)}));
    EXPECT_TRUE(UnplacedAssignments(*edit.Image(), 1, KeyBlock{}).empty())
        << "a key block never read names no key: nothing to report";
    EXPECT_TRUE(UnplacedAssignments(*edit.Image(), 0, facts.DefaultKeyBlock()).empty());
}

}  // namespace
}  // namespace tessel
