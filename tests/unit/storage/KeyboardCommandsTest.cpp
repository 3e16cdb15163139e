// The terminal's keyboard commands against the simulated keyboard: a backup
// restores byte for byte, a file that does not validate sends nothing, and a
// missing keyboard or a failed write is said as such.

#include "storage/KeyboardCommands.h"

#include <gtest/gtest.h>

#include "MapTextLookup.h"
#include "TempFolder.h"
#include "model/KeyboardFacts.h"
#include "model/ProfileImage.h"
#include "storage/ConfigFile.h"
#include "support/SimulatedKeyboard.h"
#include "text/LanguageTable.h"

#include "StoreEntries.h"

namespace tessel {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

using testing::kKeyA;
using testing::kKeyQ;
using testing::kKeyZ;
using testing::SetEntry;

MacroRecord Macro(std::u16string_view name, uint16_t identifier, uint16_t key) {
    MacroRecord macro;
    macro.SetName(name);
    macro.identifier = identifier;
    macro.actionCount = 2;
    macro.actions[0] = {40, key, kKeyDown};
    macro.actions[1] = {15, key, kKeyUp};
    return macro;
}

class KeyboardCommandsTest : public ::testing::Test {
protected:
    KeyboardCommandsTest() {
        EXPECT_TRUE(ReadKeyboardFacts(keyboard_.Link(), facts_).done);
        file_ = home_.Path() / "keyboard.fwc";
    }

    ApplyServices Services() { return {keyboard_.Link(), facts_, prompter_, table_, texts_}; }
    RestoreTarget Target() { return {edit_, applied_, home_.Path() / "data"}; }

    // A configuration that differs in every profile and has macros.
    void WriteConfiguration(const std::filesystem::path& path, int variant) {
        ConfigStore store;
        store.SetImage(DefaultImage());
        SetEntry(store, 0, kKeyA, AssignmentType::Key, 0x02A + variant);
        SetEntry(store, 1, kKeyQ, AssignmentType::Disabled, 0);
        SetEntry(store, 2, kKeyZ + variant, AssignmentType::PlayMacro, 2, 1);
        SetEntry(store, 3, kKeyA, AssignmentType::StopMacro, 0);
        for (int i = 0; i < 3 - variant; ++i) {
            store.Macros().push_back(Macro(u"Macro " + std::u16string(1, u'A' + i),
                                           static_cast<uint16_t>(i + 1),
                                           static_cast<uint16_t>(0x10 + i + variant)));
        }
        ASSERT_TRUE(WriteConfigFile(path, store));
    }
    std::vector<uint8_t> KeyBlocks() {
        return keyboard_.ReadArea(TORVEX_SIM_AREA_KEY_BLOCKS, 0, 4 * 192);
    }
    std::vector<uint8_t> MacroArea() { return keyboard_.ReadArea(TORVEX_SIM_AREA_MACRO, 0, 8192); }

    testing::TempFolder home_;
    test::SimulatedKeyboard keyboard_;
    KeyboardFacts facts_;
    LanguageTable table_;
    testing::MapTextLookup texts_;
    CollectingPrompter prompter_;
    ConfigStore edit_;
    ConfigStore applied_;
    std::filesystem::path file_;
};

TEST_F(KeyboardCommandsTest, ABackupRestoresEveryProfileAndTheMacroAreaByteForByte) {
    WriteConfiguration(home_.Path() / "first.fwc", 0);
    ASSERT_TRUE(RestoreKeyboardFromFile(home_.Path() / "first.fwc", Target(), Services()).done);
    const auto blocks = KeyBlocks();
    const auto macros = MacroArea();

    const CommandOutcome backup = BackupKeyboardToFile(keyboard_.Link(), facts_, u"Macro", file_);
    ASSERT_TRUE(backup.done) << backup.line;
    EXPECT_NE(backup.line.find("3 macros"), std::string::npos) << backup.line;

    WriteConfiguration(home_.Path() / "other.fwc", 1);
    ASSERT_TRUE(RestoreKeyboardFromFile(home_.Path() / "other.fwc", Target(), Services()).done);
    ASSERT_NE(KeyBlocks(), blocks);
    ASSERT_NE(MacroArea(), macros);

    const CommandOutcome restore = RestoreKeyboardFromFile(file_, Target(), Services());
    ASSERT_TRUE(restore.done) << restore.line;
    EXPECT_EQ(KeyBlocks(), blocks);
    EXPECT_EQ(MacroArea(), macros);
    // The edit store holds what the keyboard now holds.
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, kKeyA)->value, 0x02Au);
}

TEST_F(KeyboardCommandsTest, AFileThatDoesNotValidateSendsNothingAndSaysWhy) {
    WriteConfiguration(file_, 0);
    const std::vector<uint8_t> good = ReadBytes(file_);
    std::vector<uint8_t> badCheck = good;
    badCheck[31] ^= 0x55;
    std::vector<uint8_t> wrongMagic = good;
    wrongMagic[0] = 'X';
    const struct {
        std::vector<uint8_t> bytes;
        std::string reason;
    } cases[] = {
        {std::vector<uint8_t>(good.begin(), good.end() - 100), "cut short"},
        {std::vector<uint8_t>(good.begin(), good.begin() + 1000), "shorter than the 32832"},
        {badCheck, "check byte"},
        {wrongMagic, "not a configuration file"},
        {{}, "shorter than"},
    };
    edit_.SetImage(DefaultImage());
    const ProfileImage* before = edit_.Image();
    for (const auto& c : cases) {
        WriteBytes(file_, c.bytes);
        keyboard_.ClearFrameLog();
        const CommandOutcome outcome = RestoreKeyboardFromFile(file_, Target(), Services());
        EXPECT_FALSE(outcome.done) << c.reason;
        EXPECT_NE(outcome.line.find(c.reason), std::string::npos) << outcome.line;
        EXPECT_NE(outcome.line.find(file_.string()), std::string::npos) << outcome.line;
        EXPECT_EQ(outcome.line.find('\n'), std::string::npos);
        EXPECT_TRUE(keyboard_.CommandsReceived().empty()) << c.reason;
        EXPECT_EQ(edit_.Image(), before) << "the store is left as it was";
    }
    const CommandOutcome missing =
        RestoreKeyboardFromFile(home_.Path() / "nowhere.fwc", Target(), Services());
    EXPECT_NE(missing.line.find("no such file"), std::string::npos) << missing.line;
}

TEST_F(KeyboardCommandsTest, AKeyboardPulledDuringTheRestoreMakesItFail) {
    WriteConfiguration(file_, 0);
    keyboard_.ShortenReplyWait(std::chrono::milliseconds(20));
    // Answered: the probe, the transfer's start and the first macro-area frame.
    keyboard_.SetFault(TORVEX_SIM_FAULT_REMOVE, 3, 0);
    const CommandOutcome outcome = RestoreKeyboardFromFile(file_, Target(), Services());
    EXPECT_FALSE(outcome.done);
    EXPECT_NE(outcome.line.find("writing to the keyboard failed"), std::string::npos)
        << outcome.line;
}

TEST_F(KeyboardCommandsTest, ProfileBackupAndRestoreWithoutAKeyboardSayWhy) {
    WriteConfiguration(file_, 0);
    keyboard_.ShortenReplyWait(std::chrono::milliseconds(20));
    ASSERT_EQ(keyboard_.Unplug(), 1);
    const CommandOutcome outcomes[] = {
        MakeProfileActive(keyboard_.Link(), 2),
        BackupKeyboardToFile(keyboard_.Link(), facts_, u"Macro", home_.Path() / "new.fwc"),
        RestoreKeyboardFromFile(file_, Target(), Services()),
    };
    for (const CommandOutcome& outcome : outcomes) {
        EXPECT_FALSE(outcome.done);
        EXPECT_EQ(outcome.line, "no keyboard is attached");
    }
    EXPECT_FALSE(std::filesystem::exists(home_.Path() / "new.fwc"));
}

TEST_F(KeyboardCommandsTest, ProfileSwitchAndABackupThatCannotBeWritten) {
    const CommandOutcome profile = MakeProfileActive(keyboard_.Link(), 2);
    EXPECT_TRUE(profile.done) << profile.line;
    EXPECT_EQ(profile.line, "profile 3 is active");
    EXPECT_EQ(keyboard_.ReadArea(TORVEX_SIM_AREA_DEVICE_INFO, 10, 1).at(0), 2);
    EXPECT_FALSE(MakeProfileActive(keyboard_.Link(), 4).done);

    const auto unwritable = home_.Path() / "no-such-folder" / "keyboard.fwc";
    const CommandOutcome backup =
        BackupKeyboardToFile(keyboard_.Link(), facts_, u"Macro", unwritable);
    EXPECT_FALSE(backup.done);
    EXPECT_NE(backup.line.find("cannot write"), std::string::npos) << backup.line;
}

TEST(CollectingPrompterTest, KeepsMessagesOnOneLineAndAnswersEveryQuestionSafely) {
    CollectingPrompter prompter;
    EXPECT_EQ(prompter.ShowMessage(u"first\nline", u"", PromptButtons::Ok, PromptIcon::Warning),
              PromptAnswer::Ok);
    EXPECT_EQ(prompter.ShowMessage(u"sure?", u"", PromptButtons::YesNo, PromptIcon::Question),
              PromptAnswer::No);
    EXPECT_EQ(prompter.ShowMessage(u"go?", u"", PromptButtons::OkCancel, PromptIcon::Question),
              PromptAnswer::Cancel);
    EXPECT_EQ(prompter.Messages(), "first line sure? go?");
    EXPECT_FALSE(prompter.AskOpenFile({}).has_value());
}

}  // namespace
}  // namespace tessel
