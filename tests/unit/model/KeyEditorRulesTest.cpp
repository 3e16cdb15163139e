// The rules of the key-assignment editor that need no window: the entry it
// writes for a choice and the cycle count field.

#include <gtest/gtest.h>

#include "model/KeyEditorEntry.h"

namespace tessel {
namespace {

constexpr int kKeyA = 0x01E;
constexpr int kG1BankA = 256;

KeyEditorChoice Choice(int category) {
    KeyEditorChoice choice;
    choice.category = category;
    return choice;
}

TEST(KeyEditorEntry, EachCategoryBuildsItsEntry) {
    struct Case {
        const char* what;
        int keyIndex;
        uint16_t storedType;
        KeyEditorChoice choice;
        EntryEdit expected;
    };
    KeyEditorChoice keyB = Choice(2);
    keyB.capturedCode = 0x030;
    KeyEditorChoice itself = Choice(2);
    itself.capturedCode = 0x01E;
    KeyEditorChoice nothingCaptured = Choice(2);
    KeyEditorChoice rollDown = Choice(2);
    rollDown.source = KeySource::Mouse;
    rollDown.mouseChoice = 4;
    rollDown.capturedCode = 0x030;
    KeyEditorChoice macro = Choice(4);
    macro.macroIdentifier = 7;
    macro.cycleCount = 3;
    KeyEditorChoice noMacro = Choice(4);
    KeyEditorChoice mute = Choice(7);
    mute.multimediaIndex = 7;
    KeyEditorChoice function4 = Choice(8);
    function4.functionIndex = 4;
    KeyEditorChoice badIndex = Choice(7);
    badIndex.multimediaIndex = 40;
    const Case cases[] = {
        {"another key", kKeyA, 0, keyB, {2, 0, 0x030}},
        {"the key itself", kKeyA, 2, itself, {0, 0, 0x01E}},
        {"nothing captured", kKeyA, 0, nothingCaptured, {0, 0, 0}},
        {"mouse list wins over a capture", kKeyA, 0, rollDown, {2, 0, 0x162}},
        {"G key keeps its identifier", kG1BankA, 0, keyB, {2, 0x0301, 0x030}},
        {"macro", kKeyA, 0, macro, {4, 3, 7}},
        {"macro replaces a G key's identifier", kG1BankA, 0, macro, {4, 3, 7}},
        {"no macro to play", kKeyA, 4, noMacro, {0, 0, 0}},
        {"multimedia position", kKeyA, 0, mute, {7, 0, 7}},
        {"function key", kKeyA, 0, function4, {8, 0, 4}},
        {"list index kept in range", kKeyA, 0, badIndex, {7, 0, 17}},
        {"clear", kG1BankA, 2, Choice(0), {0, 0x0301, 0}},
    };
    for (const Case& c : cases) {
        const std::optional<EntryEdit> edit = BuildKeyEntry(c.keyIndex, c.storedType, c.choice);
        ASSERT_TRUE(edit) << c.what;
        EXPECT_EQ(*edit, c.expected) << c.what;
    }
}

TEST(KeyEditorEntry, TypesTheEditorCannotShowStayUntilAnotherCategoryIsChosen) {
    for (uint16_t type : {1, 3, 5, 6}) {
        EXPECT_FALSE(BuildKeyEntry(kKeyA, type, Choice(type))) << type;
        EXPECT_EQ(BuildKeyEntry(kKeyA, type, Choice(0)), (EntryEdit{0, 0, 0})) << type;
    }
}

TEST(KeyEditorEntry, TheCycleCountIsAlwaysOneTo255) {
    EXPECT_EQ(CycleCountOf(u""), 1);
    EXPECT_EQ(CycleCountOf(u"x"), 1);
    EXPECT_EQ(CycleCountOf(u"0"), 1);
    EXPECT_EQ(CycleCountOf(u"-4"), 1);
    EXPECT_EQ(CycleCountOf(u"12"), 12);
    EXPECT_EQ(CycleCountOf(u"255"), 255);
    EXPECT_EQ(CycleCountOf(u"256"), 255) << "no wrap through the low 8 bits";
    EXPECT_EQ(CycleCountOf(u"99999999999999999999"), 255);
}

}  // namespace
}  // namespace tessel
