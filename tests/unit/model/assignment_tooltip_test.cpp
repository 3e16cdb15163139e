// The marked state and tooltip of a key button from its assignment entry.

#include <gtest/gtest.h>

#include <vector>

#include "ModelFakes.h"
#include "model/AssignmentTooltip.h"
#include "text/LanguageTable.h"

namespace tessel {
namespace {

KeyAssignment Entry(AssignmentType type, uint32_t value) {
    KeyAssignment entry;
    entry.type = static_cast<uint16_t>(type);
    entry.value = value;
    return entry;
}

class AssignmentTooltipTest : public ::testing::Test {
protected:
    AssignmentTooltipTest() {
        lookup.texts = {
            {u"IDS_KEYBOARD_A", u"A"},
            {u"IDS_KEYBOARD_ESC", u"Esc"},
            {u"IDS_KEYBOARD_MUTE", u"Mute"},
            {u"IDS_KEYBOARD_MAIL", u"Mail"},
            {u"IDS_KEY_PROMPT_SET", u" (set: "},
            {u"IDS_KEY_PROMPT_SINGLE", u"key "},
            {u"IDS_KEY_PROMPT_MACRO", u"macro "},
            {u"IDS_KEY_PROMPT_MEDIA", u"media "},
            {u"IDS_KEY_PROMPT_FUNCTION", u"function "},
            {u"IDS_COMPOSITE_FUNC_KEY_OPEN", u"Open"},
            {u"IDS_COMPOSITE_FUNC_KEY_ZOOMIN", u"Zoom in"},
            {u"Unknown Key: %03x", u"Unknown Key: %03x"},
        };
        MacroRecord macro;
        macro.identifier = 7;
        macro.SetName(u"Combo");
        macros.push_back(macro);
    }

    AssignmentLabel Label(std::u16string_view label, const KeyAssignment& entry) const {
        return AssignmentTooltip(label, entry, macros, {lookup, table});
    }

    test::FakeTextLookup lookup;
    LanguageTable table;
    std::vector<MacroRecord> macros;
};

TEST_F(AssignmentTooltipTest, UnassignedKeyShowsItsNameOnlyAndIsNotMarked) {
    const std::u16string name = KeyButtonLabel(0x01E, {lookup, table});
    EXPECT_EQ(name, u"A");
    // The colour-selection flag has nothing to do with the assignment.
    KeyAssignment entry;
    entry.colourSelection = 1;
    EXPECT_EQ(Label(name, entry), (AssignmentLabel{false, u"A"}));
    EXPECT_EQ(GKeyButtonLabel(0), u"G1");
    EXPECT_EQ(GKeyButtonLabel(8), u"G9");
}

TEST_F(AssignmentTooltipTest, EachAssignmentTypeIsDescribed) {
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::Key, 0x001)),
              (AssignmentLabel{true, u"A (set: key Esc)"}));
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::PlayMacro, 7)),
              (AssignmentLabel{true, u"A (set: macro Combo)"}));
    // The media list's index 7 is Mute; the value is no key code.
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::Multimedia, 7)),
              (AssignmentLabel{true, u"A (set: media Mute)"}));
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::Multimedia, 17)).tooltip, u"A (set: media Mail)");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::FunctionKey, 0)).tooltip,
              u"A (set: function Open)");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::FunctionKey, 10)).tooltip,
              u"A (set: function Zoom in)");
    // Types without a description are marked with the set prompt alone.
    for (AssignmentType type : {AssignmentType::Disabled, AssignmentType::LaunchProgram,
                                AssignmentType::StopMacro, AssignmentType::TextBlock}) {
        EXPECT_EQ(Label(u"A", Entry(type, 1)), (AssignmentLabel{true, u"A (set: "}));
    }
    EXPECT_EQ(Label(u"G3", Entry(static_cast<AssignmentType>(42), 1)).tooltip, u"G3 (set: ");
}

TEST_F(AssignmentTooltipTest, ValuesNobodyHasNeverReachOutsideTheLists) {
    // A deleted macro: the prompt directly followed by ")".
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::PlayMacro, 8)).tooltip, u"A (set: macro )");
    // Identifiers are 16 bits; a larger value must not match macro 7.
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::PlayMacro, 0x10007)).tooltip, u"A (set: macro )");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::Multimedia, 18)).tooltip, u"A (set: media )");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::Multimedia, 0xFFFFFFFF)).tooltip,
              u"A (set: media )");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::FunctionKey, 11)).tooltip, u"A (set: function )");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::FunctionKey, 0x80000000)).tooltip,
              u"A (set: function )");
    // Key codes beyond the table and beyond 16 bits get the unknown-key text
    // with the whole value.
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::Key, 0x203)).tooltip,
              u"A (set: key Unknown Key: 203)");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::Key, 0x12345)).tooltip,
              u"A (set: key Unknown Key: 12345)");
}

TEST_F(AssignmentTooltipTest, LongTextsAreCutToTheTooltipBuffer) {
    const std::u16string longLabel(300, u'x');
    EXPECT_EQ(Label(longLabel, KeyAssignment{}).tooltip.size(), kMaxTooltipChars);
    EXPECT_EQ(Label(longLabel, Entry(AssignmentType::Key, 1)).tooltip.size(), kMaxTooltipChars);

    // A name that would be cut inside a surrogate pair loses the whole pair.
    std::u16string label(kMaxTooltipChars - 1, u'x');
    label += u"\U0001F600";
    const std::u16string cut = Label(label, KeyAssignment{}).tooltip;
    EXPECT_EQ(cut, std::u16string(kMaxTooltipChars - 1, u'x'));
}

TEST_F(AssignmentTooltipTest, MissingPromptTextsShowTheLanguageFilesErrorText) {
    lookup.texts.erase(u"IDS_KEY_PROMPT_SET");
    EXPECT_EQ(Label(u"A", Entry(AssignmentType::StopMacro, 0)).tooltip, u"A#Error");
}

}  // namespace
}  // namespace tessel
