// The scene refresh at every attach against the simulated keyboard: what only
// the host keeps survives unplug and re-plug, the keyboard stays the truth for
// what it plays, and a macro area that does not decode never costs the user
// the macros the keyboard still plays.

#include <gtest/gtest.h>

#include "device/DeviceResult.h"

#include "MapTextLookup.h"
#include "TempFolder.h"
#include "model/ApplyAssignments.h"
#include "model/KeyBlockCodec.h"
#include "model/KeyCode.h"
#include "model/KeyboardFacts.h"
#include "platform/LittleEndian.h"
#include "storage/ConfigFile.h"
#include "storage/KeyboardMacroNotice.h"
#include "storage/SceneFile.h"
#include "storage/WriteFailureNotice.h"
#include "support/ScriptedPrompter.h"
#include "support/SimulatedKeyboard.h"
#include "text/LanguageTable.h"

namespace tessel {
namespace {

constexpr uint16_t kEsc = 0x001;
constexpr uint16_t kQ = 0x010;
constexpr uint16_t kA = 0x01E;
constexpr uint16_t kZ = 0x02C;
constexpr uint16_t kB = 0x030;
constexpr int kZSlot = 20;
constexpr int kQSlot = 18;
constexpr uint8_t kBUsage = 0x05;

class SceneRefreshTest : public ::testing::Test {
protected:
    SceneRefreshTest()
        : scene_(home_ / "Tessel_09A", edit_),
          apply_{keyboard_.Link(), facts_, prompter_, table_, texts_} {
        KeyBlock defaults{};
        EXPECT_EQ(keyboard_.Link().ReadDefaultKeyBlock(defaults), 1);
        facts_.SetDefaultKeyBlock(defaults);
        std::array<uint8_t, kDeviceInfoSize> info{};
        EXPECT_EQ(keyboard_.Link().ReadDeviceInfo(info), 1);
        facts_.SetDeviceInfo(info);
        edit_.SetImage(DefaultImage());
    }

    KeyAssignment& Entry(int profile, uint16_t code) {
        return *EntryFor(*edit_.Image(), profile, KeyIndexOf(code));
    }
    void Set(uint16_t code, AssignmentType type, uint32_t value, uint16_t auxiliary = 0) {
        KeyAssignment& entry = Entry(0, code);
        entry.type = static_cast<uint16_t>(type);
        entry.value = value;
        entry.auxiliary = auxiliary;
    }
    const std::u16string* Text(uint16_t code) {
        return edit_.Texts().Text(EntryIndex(0, KeyIndexOf(code)));
    }
    // What the user applies and the scene-mode file keeps, then unplug.
    void ApplyAndSave() {
        ASSERT_EQ(ApplyFromEditStore(edit_, applied_, true, apply_), kDeviceDone);
        ASSERT_TRUE(WriteConfigFile(scene_.Path(), edit_));
        edit_.Clear();
    }
    void Replug() {
        ASSERT_EQ(
            scene_.LoadScene(ReadKeyboardContents(keyboard_.Link(), facts_, u"Macro"), facts_),
            SceneFile::Source::File);
    }
    std::vector<uint8_t> SimMacroHeader() {
        return keyboard_.ReadArea(TORVEX_SIM_AREA_MACRO, 0, 18);
    }

    static MacroRecord Recorded(uint16_t identifier, std::u16string_view name) {
        MacroRecord macro;
        macro.SetName(name);
        macro.identifier = identifier;
        macro.actionCount = 2;
        macro.actions[0] = {123, 0x02A, kKeyDown};  // the keyboard keeps 120 ms
        macro.actions[1] = {47, 0x02A, kKeyUp};
        return macro;
    }

    testing::TempFolder home_;
    test::SimulatedKeyboard keyboard_;
    KeyboardFacts facts_;
    LanguageTable table_;
    testing::MapTextLookup texts_;
    testing::ScriptedPrompter prompter_;
    ConfigStore edit_;
    ConfigStore applied_;
    SceneFile scene_;
    ApplyServices apply_;
};

TEST_F(SceneRefreshTest, HostOnlyDataSurvivesUnplugAndReplug) {
    Set(kEsc, AssignmentType::TextBlock, 0);
    edit_.Texts().Set(EntryIndex(0, KeyIndexOf(kEsc)), u"Good game, well played");
    Set(kQ, AssignmentType::LaunchProgram, 0);
    edit_.Texts().Set(EntryIndex(0, KeyIndexOf(kQ)), u"/usr/games/launch");
    Set(kA, AssignmentType::PlayMacro, 9, 3);
    Set(kZ, AssignmentType::Key, 0x02A);
    EntryFor(*edit_.Image(), 0, 5)->colourSelection = 1;    // a key button's position
    EntryFor(*edit_.Image(), 2, 100)->colourSelection = 1;  // in another profile
    // A long name leaves no room for names on the keyboard.
    const std::u16string name(200, u'n');
    edit_.Macros() = {Recorded(9, name)};
    std::array<uint8_t, kDeviceInfoSize> info{};
    info[kMacroCapacityByte] = 1;
    facts_.SetDeviceInfo(info);
    ApplyAndSave();
    ASSERT_EQ(prompter_.shown.size(), 1u) << "the names were left out";

    Replug();
    EXPECT_EQ(scene_.KeyboardMacroArea(), MacroAreaKnowledge::Known);
    EXPECT_EQ(Entry(0, kEsc).type, static_cast<uint16_t>(AssignmentType::TextBlock));
    ASSERT_NE(Text(kEsc), nullptr);
    EXPECT_EQ(*Text(kEsc), u"Good game, well played");
    EXPECT_EQ(Entry(0, kQ).type, static_cast<uint16_t>(AssignmentType::LaunchProgram));
    ASSERT_NE(Text(kQ), nullptr);
    EXPECT_EQ(*Text(kQ), u"/usr/games/launch");
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, 5)->colourSelection, 1u);
    EXPECT_EQ(EntryFor(*edit_.Image(), 2, 100)->colourSelection, 1u);
    ASSERT_EQ(edit_.Macros().size(), 1u);
    const MacroRecord& macro = edit_.Macros()[0];
    EXPECT_EQ(macro.Name(), name);
    EXPECT_EQ(macro.actions[0].delay, 123u) << "the recorded delay, not the keyboard's 120";
    // The key plays the macro the list holds, under the list's identifier.
    EXPECT_EQ(Entry(0, kA).type, static_cast<uint16_t>(AssignmentType::PlayMacro));
    EXPECT_EQ(Entry(0, kA).value, macro.identifier);
    EXPECT_EQ(Entry(0, kA).auxiliary, 3);

    // The scene-mode file holds an older form of the macro than the keyboard,
    // and another program changes two keys: the keyboard wins there.
    edit_.Macros()[0].actions[0].delay = 500;
    ApplyAndSave();
    ConfigStore previous;
    ASSERT_EQ(LoadConfigFile(scene_.Path(), previous), 1);
    previous.Macros() = {Recorded(1, name)};
    ASSERT_TRUE(WriteConfigFile(scene_.Path(), previous));
    keyboard_.WriteArea(TORVEX_SIM_AREA_KEY_BLOCKS, kZSlot * 3, {2, 2, kBUsage});
    keyboard_.WriteArea(TORVEX_SIM_AREA_KEY_BLOCKS, kQSlot * 3, {0, 0, 0});

    Replug();
    EXPECT_EQ(Entry(0, kZ).type, static_cast<uint16_t>(AssignmentType::Key));
    EXPECT_EQ(Entry(0, kZ).value, kB);
    EXPECT_EQ(Entry(0, kQ).type, static_cast<uint16_t>(AssignmentType::Disabled));
    EXPECT_EQ(Text(kQ), nullptr);
    ASSERT_EQ(edit_.Macros().size(), 1u);
    EXPECT_EQ(edit_.Macros()[0].actions[0].delay, 500u);
    EXPECT_EQ(edit_.Macros()[0].Name(), u"Macro1") << "a different macro keeps no old name";
    EXPECT_EQ(*Text(kEsc), u"Good game, well played");
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, 5)->colourSelection, 1u);
}

TEST_F(SceneRefreshTest, AnUnreadableMacroAreaKeepsTheSceneFilesMacros) {
    edit_.Macros() = {Recorded(5, u"Mine")};
    Set(kA, AssignmentType::PlayMacro, 5, 1);
    ApplyAndSave();
    ASSERT_EQ(keyboard_.HoldMalformedMacroArea(), 1);

    Replug();
    EXPECT_EQ(scene_.KeyboardMacroArea(), MacroAreaKnowledge::Known);
    ASSERT_EQ(edit_.Macros().size(), 1u);
    EXPECT_EQ(edit_.Macros()[0].Name(), u"Mine");
    EXPECT_EQ(edit_.Macros()[0].identifier, 5);
    EXPECT_EQ(Entry(0, kA).value, 5u);
}

TEST_F(SceneRefreshTest, AnUnreadableMacroAreaIsNeverReplacedUnasked) {
    edit_.Macros() = {Recorded(1, u"Mine")};
    ApplyAndSave();
    std::filesystem::remove(scene_.Path());
    ASSERT_EQ(keyboard_.HoldMalformedMacroArea(), 1);
    const std::vector<uint8_t> malformed = SimMacroHeader();

    Replug();
    EXPECT_EQ(scene_.KeyboardMacroArea(), MacroAreaKnowledge::Unreadable);
    EXPECT_TRUE(edit_.Macros().empty());
    texts_.texts[std::u16string(kUnreadableMacrosText)] = u"unreadable";
    NoteKeyboardMacros(scene_.KeyboardMacroArea(), facts_, prompter_, texts_);
    NoteKeyboardMacros(scene_.KeyboardMacroArea(), facts_, prompter_, texts_);
    ASSERT_EQ(prompter_.shown.size(), 1u) << "told once";
    EXPECT_EQ(prompter_.shown[0].text, u"unreadable");
    EXPECT_TRUE(facts_.MacroAreaUnknown());

    prompter_.answer = PromptAnswer::No;
    EXPECT_NE(ApplyFromEditStore(edit_, applied_, false, apply_), kDeviceDone);
    ASSERT_EQ(prompter_.shown.size(), 2u);
    EXPECT_EQ(prompter_.shown[1].buttons, PromptButtons::YesNoDefaultNo);
    EXPECT_EQ(SimMacroHeader(), malformed) << "nothing was written";

    prompter_.answer = PromptAnswer::Yes;
    EXPECT_EQ(ApplyFromEditStore(edit_, applied_, false, apply_), kDeviceDone);
    EXPECT_EQ(GetU16(SimMacroHeader(), 4), 0) << "the confirmed apply wrote the empty list";
    EXPECT_FALSE(facts_.MacroAreaUnknown());
    EXPECT_EQ(ApplyFromEditStore(edit_, applied_, false, apply_), kDeviceDone);
    EXPECT_EQ(prompter_.shown.size(), 3u) << "asked no more once written";
}

// A data folder nobody can write into (here a regular file in its place): the
// window still gets what the keyboard plays, and the user hears of it once.
TEST_F(SceneRefreshTest, ARefreshThatCannotBeWrittenIsToldOnceAndKeepsTheKeyboardsKeys) {
    Set(kZ, AssignmentType::Key, 0x02A);
    ASSERT_EQ(ApplyFromEditStore(edit_, applied_, true, apply_), kDeviceDone);
    edit_.Clear();
    const auto blocked = home_ / "Blocked";
    testing::WriteBytes(blocked, {1});
    SceneFile scene(blocked, edit_);
    texts_.texts[std::u16string(kWriteFailedText)] = u"Not saved: %s";
    UnaskedWriteNotice notice;

    for (int attach = 0; attach < 2; ++attach) {
        EXPECT_EQ(scene.LoadScene(ReadKeyboardContents(keyboard_.Link(), facts_, u"Macro"), facts_),
                  SceneFile::Source::Keyboard);
        EXPECT_TRUE(scene.WriteFailed());
        notice.Note(scene.WriteFailure(), scene.Path(), prompter_, texts_);
        EXPECT_EQ(Entry(0, kZ).type, static_cast<uint16_t>(AssignmentType::Key));
        EXPECT_EQ(Entry(0, kZ).value, 0x02Au);
    }
    ASSERT_EQ(prompter_.shown.size(), 1u) << "told once across two attaches";
    EXPECT_EQ(prompter_.shown[0].text,
              u"Not saved: " + scene.Path().u16string() + u"\n\nnot a directory");

    // Once the folder is writable again, a later failure is told anew.
    std::filesystem::remove(blocked);
    EXPECT_EQ(scene.LoadScene(ReadKeyboardContents(keyboard_.Link(), facts_, u"Macro"), facts_),
              SceneFile::Source::File);
    notice.Note(scene.WriteFailure(), scene.Path(), prompter_, texts_);
    std::filesystem::remove_all(blocked);
    testing::WriteBytes(blocked, {1});
    scene.LoadScene(ReadKeyboardContents(keyboard_.Link(), facts_, u"Macro"), facts_);
    notice.Note(scene.WriteFailure(), scene.Path(), prompter_, texts_);
    EXPECT_EQ(prompter_.shown.size(), 2u);
}

}  // namespace
}  // namespace tessel
