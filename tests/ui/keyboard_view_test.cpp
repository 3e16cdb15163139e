// The keyboard picture: what a click on each key-shaped button does, the colour
// keys mode and its flags, and the marks and tooltips of the assignments.

#include "mainwindow/KeyboardView.h"

#include <gtest/gtest.h>

#include <vector>

#include "keyboard_test_window.h"
#include "model/ConfigStore.h"
#include "text/LanguageTable.h"
#include "unit/model/ModelFakes.h"

namespace tessel {
namespace {

constexpr int kKeyA = 1058;
constexpr int kKeyJ = 1064;  // list position 9, shares its flag with G1 of bank B
constexpr int kKeyEsc = 1022;
constexpr int kKeyT = 1048;
constexpr int kKeyBackquote = 1029;
constexpr int kG1 = 1000;
constexpr int kG2 = 1001;
constexpr int kG3 = 1002;
constexpr int kG8 = 1142;
constexpr int kG9 = 1143;
constexpr int kD1 = 1016;
constexpr int kFn = 1174;

class KeyboardViewTest : public ::testing::Test {
protected:
    KeyboardViewTest() : view_(host_, window_.Lookup(), window_.Images(), store_, lookup_, table_) {
        store_.SetImage(DefaultImage());
        lookup_.texts = {
            {u"IDS_KEYBOARD_A", u"A"},
            {u"IDS_KEYBOARD_ESC", u"Esc"},
            {u"IDS_KEY_PROMPT_SET", u" set to "},
            {u"IDS_KEY_PROMPT_SINGLE", u"(key "},
            {u"IDS_KEY_PROMPT_MACRO", u"(macro "},
        };
    }

    KeyAssignment& Entry(int profile, int index) {
        return store_.Image()->entries[profile * kEntriesPerProfile + index];
    }
    uint32_t Flag(int position) { return Entry(host_.profile, position).colourSelection; }
    CPngButton& Button(int id) { return *window_.Button(id); }
    const QPixmap* Drawn(int id) { return window_.Drawn(id); }
    const QPixmap* Picture(SkinImageSet::Picture which) { return window_.Picture(which); }

    testing_support::KeyboardTestWindow window_;
    testing_support::FakeKeyboardHost host_;
    ConfigStore store_;
    test::FakeTextLookup lookup_;
    LanguageTable table_;
    KeyboardView view_;
};

TEST_F(KeyboardViewTest, ColourKeysModeTwoClicksRestoreFlagAndLook) {
    EXPECT_FALSE(view_.ColourKeysMode());
    view_.ToggleColourKeysMode();
    EXPECT_TRUE(view_.ColourKeysMode());
    EXPECT_EQ(Button(keyboard_ids::kModeSwitch).text(), "Switch to the function keys mode");
    EXPECT_EQ(Drawn(kKeyA), Picture(SkinImageSet::kColour0));

    view_.OnKeyButtonClick(kKeyA);
    EXPECT_EQ(Flag(0), 1u);
    EXPECT_EQ(Entry(0, 0).colourSelection, 0u) << "only the active profile's block";
    EXPECT_EQ(Drawn(kKeyA), Picture(SkinImageSet::kColour1));
    EXPECT_EQ(host_.applyCalls, std::vector<bool>{true});

    view_.OnKeyButtonClick(kKeyA);
    EXPECT_EQ(Flag(0), 0u);
    EXPECT_EQ(Drawn(kKeyA), Picture(SkinImageSet::kColour0));
    EXPECT_EQ(host_.applyCalls, (std::vector<bool>{true, true})) << "Apply stays enabled";
    EXPECT_TRUE(host_.targets.empty()) << "the editor is not opened in this mode";

    // Back in the function keys mode the skin pictures return; flags stay.
    view_.OnKeyButtonClick(kKeyA);
    view_.ToggleColourKeysMode();
    EXPECT_EQ(Button(keyboard_ids::kModeSwitch).text(), "Switch to the color keys mode");
    EXPECT_EQ(Drawn(kKeyA), Picture(SkinImageSet::kNormal));
    EXPECT_EQ(Flag(0), 1u);
}

TEST_F(KeyboardViewTest, GKeysShareTheirFlagsWithTheFirstKeyButtonsByBank) {
    view_.SetColourKeysMode(true);
    view_.OnKeyButtonClick(kG1);
    EXPECT_EQ(Flag(0), 1u) << "G1 of bank A is position 0, the A key's";
    EXPECT_EQ(Drawn(kG1), Picture(SkinImageSet::kColour1));
    EXPECT_EQ(Drawn(kKeyA), Picture(SkinImageSet::kColour0)) << "until the looks are shown again";
    view_.ShowColourKeyLooks();
    EXPECT_EQ(Drawn(kKeyA), Picture(SkinImageSet::kColour1));

    // Bank B: G1 is position 9, the J key's.
    host_.layer = MacroLayer::B;
    view_.ShowColourKeyLooks();
    EXPECT_EQ(Drawn(kG1), Picture(SkinImageSet::kColour0));
    view_.OnKeyButtonClick(kKeyJ);
    view_.ShowColourKeyLooks();
    EXPECT_EQ(Drawn(kG1), Picture(SkinImageSet::kColour1));
    view_.OnKeyButtonClick(kG1);
    EXPECT_EQ(Flag(9), 0u);
    EXPECT_EQ(Flag(0), 1u);
}

TEST_F(KeyboardViewTest, FunctionKeysModeOpensTheEditorWithTheKeysTarget) {
    std::vector<const QPixmap*> openLook;
    host_.whileEditorOpen = [&](const KeyEditorTarget& target) {
        const CPngButton& button = Button(target.controlId);
        openLook = {button.StatePicture(CPngButton::kNormal),
                    button.StatePicture(CPngButton::kOver), button.StatePicture(CPngButton::kDown),
                    button.StatePicture(CPngButton::kDisabled),
                    button.StatePicture(CPngButton::kChecked)};
    };
    EXPECT_EQ(view_.OpenKeyEntry(kKeyA), 0);
    ASSERT_EQ(host_.targets.size(), 1u);
    const KeyEditorTarget& a = host_.targets[0];
    EXPECT_EQ(a.layer, 0);
    EXPECT_EQ(a.keyIndex, 0x1E);
    EXPECT_EQ(a.controlId, kKeyA);
    EXPECT_FALSE(a.macroOnly);
    const QPixmap* over = Picture(SkinImageSet::kOver);
    EXPECT_EQ(openLook, (std::vector<const QPixmap*>{over, over, Picture(SkinImageSet::kDown),
                                                     Picture(SkinImageSet::kNormal), over}));
    // The key's own pictures once the editor has closed.
    EXPECT_EQ(Button(kKeyA).StatePicture(CPngButton::kNormal), Picture(SkinImageSet::kNormal));
    EXPECT_EQ(Button(kKeyA).StatePicture(CPngButton::kChecked), Picture(SkinImageSet::kDisabled));

    host_.layer = MacroLayer::B;
    view_.OnKeyButtonClick(kG3);
    EXPECT_EQ(host_.targets.back().keyIndex, 256 + 9 + 2);
    view_.OnKeyButtonClick(1091);  // Print Screen: code 0x137, index 0xB7
    EXPECT_EQ(host_.targets.back().keyIndex, 0xB7);
    view_.OnKeyButtonClick(keyboard_ids::kHiddenEnter);
    EXPECT_EQ(host_.targets.back().controlId, keyboard_ids::kEnter);
    EXPECT_EQ(host_.targets.back().keyIndex, 0x1C);
    EXPECT_TRUE(host_.applyCalls.empty());
}

TEST_F(KeyboardViewTest, G8AndG9AlwaysOpenTheEditorAndOnlyG9IsMacroOnly) {
    host_.lightingSwitch = true;
    view_.OnKeyButtonClick(kG9);
    view_.OnKeyButtonClick(kG8);
    ASSERT_EQ(host_.targets.size(), 2u);
    EXPECT_TRUE(host_.targets[0].macroOnly);
    EXPECT_EQ(host_.targets[0].keyIndex, 256 + 8);
    EXPECT_FALSE(host_.targets[1].macroOnly);
    EXPECT_TRUE(host_.painted.empty());

    // The other keys paint while the lighting switch is on.
    view_.OnKeyButtonClick(kKeyA);
    view_.OnKeyButtonClick(kG1);
    view_.OnKeyButtonClick(kD1);
    view_.OnKeyButtonClick(keyboard_ids::kHiddenEnter);
    EXPECT_EQ(host_.painted, (std::vector<int>{kKeyA, kG1, kD1, keyboard_ids::kEnter}));
    EXPECT_EQ(host_.targets.size(), 2u);
}

TEST_F(KeyboardViewTest, ButtonsWithoutAClickActionDoNothing) {
    for (bool lighting : {false, true}) {
        host_.lightingSwitch = lighting;
        for (int id : {kKeyBackquote, kKeyT, kLockAbId, 4242}) {
            view_.OnKeyButtonClick(id);
        }
    }
    host_.lightingSwitch = false;
    view_.OnKeyButtonClick(kFn);
    view_.OnKeyButtonClick(kD1);  // no key entry behind the D keys
    EXPECT_TRUE(host_.painted.empty());
    EXPECT_TRUE(host_.targets.empty());

    host_.lightingSwitch = true;
    view_.OnKeyButtonClick(kFn);
    EXPECT_EQ(host_.painted, std::vector<int>{kFn});
}

TEST_F(KeyboardViewTest, OpenKeyEntryOfAnIdWithoutKeyChangesNothing) {
    view_.SetColourKeysMode(true);
    const ProfileImage before = *store_.Image();
    for (int id : {kD1, kFn, kLockAbId, keyboard_ids::kModeSwitch, 4242}) {
        EXPECT_EQ(view_.OpenKeyEntry(id), -1) << id;
    }
    EXPECT_EQ(store_.Image()->entries, before.entries);
    EXPECT_TRUE(host_.applyCalls.empty());
    EXPECT_EQ(view_.OpenKeyEntry(kKeyT), 0) << "T has an entry; only its click does nothing";
}

TEST_F(KeyboardViewTest, UnknownActiveProfileTouchesNoEntry) {
    Entry(0, 0).type = 2;
    Entry(0, 0).value = 0x001;
    host_.profile = -1;
    view_.SetColourKeysMode(true);
    const ProfileImage before = *store_.Image();
    EXPECT_EQ(view_.OpenKeyEntry(kKeyA), 0);
    EXPECT_EQ(store_.Image()->entries, before.entries);
    EXPECT_TRUE(host_.applyCalls.empty());

    view_.ShowAssignments();
    EXPECT_FALSE(Button(kKeyA).IsChecked());
    EXPECT_EQ(Button(kKeyA).TooltipText(), "A");
}

TEST_F(KeyboardViewTest, AssignmentsOfTheActiveProfileAndBankAreMarkedAndDescribed) {
    MacroRecord macro;
    macro.identifier = 3;
    macro.SetName(u"Burst");
    store_.Macros().push_back(macro);
    Entry(2, 0x1E) = {2, 0, 0x001, 0, 0};  // A -> Esc
    Entry(2, 256 + 1) = {4, 1, 3, 0, 0};   // G2 of bank A plays "Burst"
    Entry(2, 265 + 1) = {4, 1, 9, 0, 0};   // G2 of bank B plays a deleted macro
    Entry(1, 0x01) = {2, 0, 0x01E, 0, 0};  // Esc, but in another profile

    view_.ShowAssignments();
    EXPECT_TRUE(Button(kKeyA).IsChecked());
    EXPECT_EQ(Drawn(kKeyA), Picture(SkinImageSet::kDisabled)) << "the marked look";
    EXPECT_EQ(Button(kKeyA).TooltipText(), "A set to (key Esc)");
    EXPECT_TRUE(Button(kG2).IsChecked());
    EXPECT_EQ(Button(kG2).TooltipText(), "G2 set to (macro Burst)");
    EXPECT_FALSE(Button(kKeyEsc).IsChecked());
    EXPECT_EQ(Button(kKeyEsc).TooltipText(), "Esc");
    EXPECT_EQ(Drawn(kKeyEsc), Picture(SkinImageSet::kNormal));
    EXPECT_EQ(Button(kG1).TooltipText(), "G1");

    host_.layer = MacroLayer::B;
    view_.RefreshKeyButtonLabels();
    EXPECT_EQ(Button(kG2).TooltipText(), "G2 set to (macro )");

    // Resetting a label goes by the shown bank's key index.
    view_.ResetKeyButtonLabel(256 + 1);
    EXPECT_TRUE(Button(kG2).IsChecked());
    view_.ResetKeyButtonLabel(265 + 1);
    EXPECT_FALSE(Button(kG2).IsChecked());
    EXPECT_EQ(Button(kG2).TooltipText(), "G2");
    view_.ResetKeyButtonLabel(0x1E);
    EXPECT_FALSE(Button(kKeyA).IsChecked());
    EXPECT_EQ(Button(kKeyA).TooltipText(), "A");
    view_.ResetKeyButtonLabel(511);  // no button has it
}

TEST_F(KeyboardViewTest, OutlinesCoverEveryKeyShapedButtonAndResetClearsThem) {
    view_.ShowAssignments();
    Entry(2, 0x1E).type = 1;
    view_.RefreshKeyButtonLabels();
    view_.OutlineAllKeys(MakeColourRef(10, 20, 30));
    for (int id : {kKeyA, kG1, kG9, kFn, 1111}) {
        EXPECT_TRUE(Button(id).HasOutline()) << id;
        EXPECT_EQ(Button(id).OutlineColour(), QColor(10, 20, 30)) << id;
    }
    EXPECT_FALSE(Button(keyboard_ids::kModeSwitch).HasOutline());

    view_.ResetKeyLooks();
    for (int id : {kKeyA, kG1, kG9, kFn, 1111}) {
        EXPECT_FALSE(Button(id).HasOutline()) << id;
    }
    EXPECT_FALSE(Button(kKeyA).IsChecked());
}

}  // namespace
}  // namespace tessel
