#include "storage/ImportExport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "device/DeviceResult.h"

#include "MapTextLookup.h"
#include "TempFolder.h"
#include "Unprivileged.h"
#include "model/KeyBlockCodec.h"
#include "model/KeyboardFacts.h"
#include "platform/LittleEndian.h"
#include "storage/ConfigFile.h"
#include "storage/KeyboardBackup.h"
#include "storage/SceneFile.h"
#include "storage/WriteFailureNotice.h"
#include "support/ScriptedPrompter.h"
#include "support/SimulatedKeyboard.h"
#include "text/SafeFormat.h"

#include "StoreEntries.h"

namespace tessel {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

using testing::kKeyA;
using testing::kKeyQ;
using testing::kKeyZ;
using testing::SetEntry;

MacroRecord ShiftMacro(uint16_t identifier) {
    MacroRecord macro;
    macro.SetName(u"Shifty");
    macro.identifier = identifier;
    macro.actionCount = 2;
    macro.actions[0] = {120, 0x02A, kKeyDown};
    macro.actions[1] = {30, 0x02A, kKeyUp};
    return macro;
}

class ImportExportTest : public ::testing::Test {
protected:
    ImportExportTest()
        : dataFolder_(home_ / "Tessel_09A"),
          context_{edit_, prompter_, table_, dataFolder_, texts_},
          apply_{keyboard_.Link(), facts_, prompter_, table_, texts_} {
        KeyBlock defaults{};
        EXPECT_EQ(keyboard_.Link().ReadDefaultKeyBlock(defaults), 1);
        facts_.SetDefaultKeyBlock(defaults);
        std::array<uint8_t, kDeviceInfoSize> info{};
        EXPECT_EQ(keyboard_.Link().ReadDeviceInfo(info), 1);
        facts_.SetDeviceInfo(info);
        edit_.SetImage(DefaultImage());
        texts_.texts[std::u16string(kWriteFailedText)] = u"Not saved: %s";
        texts_.texts[u"IDS_EXPORT_DONE"] = u"Exported to %s.";
    }

    std::u16string Chosen(const std::string& name) { return (home_.Path() / name).u16string(); }
    std::u16string FormatMessage(const std::filesystem::path& path) {
        return SafeFormat(table_.Value(TextEntry::PROFILE_FORMAT_ERROR), {path.u16string()});
    }

    testing::TempFolder home_;
    std::filesystem::path dataFolder_;
    test::SimulatedKeyboard keyboard_;
    KeyboardFacts facts_;
    LanguageTable table_;
    testing::MapTextLookup texts_;
    testing::ScriptedPrompter prompter_;
    ConfigStore edit_;
    ConfigStore applied_;
    ImportExportContext context_;
    ApplyServices apply_;
};

TEST_F(ImportExportTest, ExportThenImportRestoresALaunchProgramText) {
    SetEntry(edit_, 1, kKeyQ, AssignmentType::LaunchProgram, 0);
    edit_.Texts().Set(EntryIndex(1, kKeyQ), u"/opt/game/launch.sh");
    prompter_.fileAnswers = {Chosen("mine.fwc"), Chosen("mine.fwc")};
    ASSERT_TRUE(ExportConfiguration(context_));
    ASSERT_EQ(prompter_.shown.size(), 1u) << "the export is confirmed";
    EXPECT_NE(prompter_.shown[0].text.find(Chosen("mine.fwc")), std::u16string::npos)
        << "naming the file";
    prompter_.shown.clear();
    EXPECT_EQ(prompter_.dialogs[0].defaultExtension, u"fwc");
    EXPECT_EQ(prompter_.dialogs[0].initialPath, (dataFolder_ / "*.fwc").u16string())
        << "the dialog opens in the data folder";
    EXPECT_TRUE(std::filesystem::is_directory(dataFolder_));

    edit_.Clear();
    edit_.SetImage(DefaultImage());
    ASSERT_EQ(ImportConfiguration(context_, applied_, apply_), ImportResult::Imported);

    const KeyAssignment* entry = EntryFor(*edit_.Image(), 1, kKeyQ);
    EXPECT_EQ(entry->type, 3);
    ASSERT_NE(edit_.Texts().Text(EntryIndex(1, kKeyQ)), nullptr);
    EXPECT_EQ(*edit_.Texts().Text(EntryIndex(1, kKeyQ)), u"/opt/game/launch.sh");
    EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(ImportExportTest, ImportAppliesAllProfilesAndRewritesTheSceneFile) {
    SceneFile scene(dataFolder_, edit_);
    WriteBytes(scene.Path(), EncodeConfigFile(*DefaultImage(), {}, {}));
    ConfigStore other;
    other.SetImage(DefaultImage());
    SetEntry(other, 2, kKeyA, AssignmentType::Disabled, 0);
    SetEntry(other, 3, kKeyZ, AssignmentType::Key, 0x02A);
    ASSERT_TRUE(WriteConfigFile(home_.Path() / "other.fwc", other));

    prompter_.fileAnswers = {Chosen("other.fwc")};
    ASSERT_EQ(ImportConfiguration(context_, applied_, apply_), ImportResult::Imported);

    EXPECT_EQ(ReadBytes(scene.Path()), ReadBytes(home_.Path() / "other.fwc"));
    KeyBlock block2{}, block3{};
    ASSERT_EQ(keyboard_.Link().ReadKeyBlock(block2, 2), 1);
    ASSERT_EQ(keyboard_.Link().ReadKeyBlock(block3, 3), 1);
    ConfigStore decoded;
    decoded.SetImage(DefaultImage());
    DecodeKeyBlock(block2, 2, facts_.DefaultKeyBlock(), *decoded.Image());
    DecodeKeyBlock(block3, 3, facts_.DefaultKeyBlock(), *decoded.Image());
    EXPECT_EQ(EntryFor(*decoded.Image(), 2, kKeyA)->type, 1);
    EXPECT_EQ(EntryFor(*decoded.Image(), 3, kKeyZ)->type, 2);
    EXPECT_EQ(EntryFor(*decoded.Image(), 3, kKeyZ)->value, 0x02Au);
}

TEST_F(ImportExportTest, ImportOfABadFileShowsBothMessagesAndChangesNothing) {
    SetEntry(edit_, 0, kKeyQ, AssignmentType::Disabled, 0);
    std::vector<uint8_t> bytes = EncodeConfigFile(*DefaultImage(), {}, {});
    bytes[0] = 0x47;
    const auto path = home_.Path() / "wrong.fwc";
    WriteBytes(path, bytes);
    keyboard_.ClearFrameLog();

    prompter_.fileAnswers = {path.u16string()};
    EXPECT_EQ(ImportConfiguration(context_, applied_, apply_), ImportResult::Refused);

    ASSERT_EQ(prompter_.shown.size(), 2u);
    EXPECT_EQ(prompter_.shown[0].text, FormatMessage(path));
    EXPECT_EQ(prompter_.shown[1].text, table_.Value(TextEntry::MAIN_PROMPT_INPORT));
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, kKeyQ)->type, 1);
    EXPECT_TRUE(keyboard_.CommandsReceived().empty());

    // A missing file gets the import message alone; a cancelled dialog nothing.
    prompter_.shown.clear();
    prompter_.fileAnswers = {Chosen("absent.fwc"), std::nullopt};
    EXPECT_EQ(ImportConfiguration(context_, applied_, apply_), ImportResult::Refused);
    EXPECT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(ImportConfiguration(context_, applied_, apply_), ImportResult::Cancelled);
    EXPECT_EQ(prompter_.shown.size(), 1u);
}

TEST_F(ImportExportTest, BackupBeforeUpdateTellsWhetherItWasWritten) {
    prompter_.fileAnswers = {Chosen("backup.fwc"), Chosen("no/such/folder/backup.fwc")};
    EXPECT_TRUE(BackupBeforeUpdate(context_));
    EXPECT_FALSE(BackupBeforeUpdate(context_));
    ASSERT_EQ(prompter_.shown.size(), 2u);
    EXPECT_EQ(prompter_.shown[0].text, table_.Value(TextEntry::MAIN_UPDATE_BACKUP_OK));
    const std::u16string failed = (home_.Path() / "no/such/folder/backup.fwc").u16string();
    EXPECT_EQ(prompter_.shown[1].text, table_.Value(TextEntry::MAIN_UPDATE_BACKUP_NG) +
                                           u"\n\nNot saved: " + failed +
                                           u"\n\nno such file or directory");
    EXPECT_EQ(ValidateConfigFile(home_.Path() / "backup.fwc", prompter_, table_), 1);
}

// Root writes anywhere: a folder that is a regular file stops it too.
TEST_F(ImportExportTest, WritesThatFailNameTheFileAndSayWhy) {
    WriteBytes(home_ / "blocker", {1});
    ASSERT_EQ(::mkfifo((home_ / "fifo.fwc").c_str(), 0600), 0);
    const std::u16string exported = Chosen("blocker/export.fwc");
    const std::u16string created = Chosen("blocker/new.fwc");
    const std::u16string fifo = Chosen("fifo.fwc");
    prompter_.fileAnswers = {exported, created, fifo};

    EXPECT_FALSE(ExportConfiguration(context_));
    const auto fresh = NewSceneFile(context_);
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(fresh->written);
    EXPECT_FALSE(ExportConfiguration(context_));
    ASSERT_EQ(prompter_.shown.size(), 3u);
    EXPECT_EQ(prompter_.shown[0].text, u"Not saved: " + exported + u"\n\nnot a directory");
    EXPECT_EQ(prompter_.shown[1].text, u"Not saved: " + created + u"\n\nnot a directory");
    EXPECT_EQ(prompter_.shown[2].text, u"Not saved: " + fifo + u"\n\nis not a regular file");
    EXPECT_TRUE(std::filesystem::is_fifo(home_ / "fifo.fwc"));

    // A folder the user may not write into.
    testing::TempFolder readOnly;
    const auto kept = readOnly / "kept.fwc";
    WriteBytes(kept, {7});
    testing::MakeReadOnly(readOnly.Path(), kept);
    prompter_.shown.clear();
    prompter_.fileAnswers = {kept.u16string()};
    EXPECT_TRUE(testing::RunWithoutPrivileges([&] {
        return !ExportConfiguration(context_) && prompter_.shown.size() == 1 &&
               prompter_.shown[0].text ==
                   u"Not saved: " + kept.u16string() + u"\n\npermission denied";
    }));
    EXPECT_EQ(ReadBytes(kept), std::vector<uint8_t>{7});
}

TEST_F(ImportExportTest, AnImportWhoseSceneFileCannotBeSavedSaysSo) {
    testing::TempFolder data;
    const ImportExportContext context{edit_, prompter_, table_, data.Path(), texts_};
    const auto scene = SceneFile(data.Path(), edit_).Path();
    WriteBytes(scene, {7});
    const auto chosen = data / "import.fwc";
    ASSERT_TRUE(WriteConfigFile(chosen, edit_));
    std::filesystem::permissions(chosen, std::filesystem::perms::others_read,
                                 std::filesystem::perm_options::add);
    testing::MakeReadOnly(data.Path(), scene);
    prompter_.fileAnswers = {chosen.u16string()};
    EXPECT_TRUE(testing::RunWithoutPrivileges([&] {
        return LoadImportFile(context) == ImportResult::Imported && prompter_.shown.size() == 1 &&
               prompter_.shown[0].text ==
                   u"Not saved: " + scene.u16string() + u"\n\npermission denied";
    }));
}

TEST_F(ImportExportTest, NewAndAddSceneFiles) {
    prompter_.fileAnswers = {Chosen("fresh.fwc"), Chosen("notes.txt"), std::nullopt};
    const auto created = NewSceneFile(context_);
    ASSERT_TRUE(created.has_value());
    EXPECT_TRUE(created->written);
    EXPECT_EQ(created->row.name, u"fresh");
    EXPECT_EQ(created->row.folder, home_.Path().u16string() + u"/");
    EXPECT_EQ(prompter_.dialogs[0].initialPath,
              (dataFolder_ / "The new contextual  mode").u16string());
    const auto bytes = ReadBytes(home_.Path() / "fresh.fwc");
    EXPECT_EQ(bytes.size(), 32832u);
    EXPECT_EQ(ValidateConfigFile(home_.Path() / "fresh.fwc", prompter_, table_), 1);

    WriteBytes(home_.Path() / "notes.txt", {'h', 'i'});
    const auto added = AddSceneFile(context_);
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(added->name, u"notes");
    EXPECT_EQ(prompter_.dialogs[1].initialPath, (dataFolder_ / "*.fwc").u16string());
    EXPECT_FALSE(AddSceneFile(context_).has_value());
    EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(ImportExportTest, BackupAfterAnApplyDecodesToTheAppliedConfiguration) {
    SetEntry(edit_, 0, kKeyA, AssignmentType::Key, 0x02A);
    SetEntry(edit_, 1, kKeyQ, AssignmentType::Disabled, 0);
    SetEntry(edit_, 2, kKeyZ, AssignmentType::PlayMacro, 9, 1);
    SetEntry(edit_, 3, kKeyA, AssignmentType::StopMacro, 0);
    edit_.Macros() = {ShiftMacro(5), ShiftMacro(9)};
    edit_.Macros()[1].SetName(u"Second");
    ASSERT_EQ(ApplyFromEditStore(edit_, applied_, true, apply_), kDeviceDone);

    const auto path = home_.Path() / "keyboard.fwc";
    ASSERT_EQ(BackupFromKeyboard(keyboard_.Link(), facts_, u"Macro", path), 1);
    ConfigStore backup;
    ASSERT_EQ(LoadConfigFile(path, backup), 1);

    const ProfileImage& image = *backup.Image();
    EXPECT_EQ(EntryFor(image, 0, kKeyA)->type, 2);
    EXPECT_EQ(EntryFor(image, 0, kKeyA)->value, 0x02Au);
    EXPECT_EQ(EntryFor(image, 1, kKeyQ)->type, 1);
    // The keyboard knows macros by position: the second macro comes back as 2.
    EXPECT_EQ(EntryFor(image, 2, kKeyZ)->type, 4);
    EXPECT_EQ(EntryFor(image, 2, kKeyZ)->value, 2u);
    EXPECT_EQ(EntryFor(image, 3, kKeyA)->type, 5);
    EXPECT_EQ(EntryFor(image, 0, kKeyQ)->type, 0);
    ASSERT_EQ(backup.Macros().size(), 2u);
    EXPECT_EQ(backup.Macros()[1].Name(), u"Second");
    EXPECT_EQ(backup.Macros()[1].identifier, 2);
    ASSERT_EQ(backup.Macros()[0].actionCount, 2);
    EXPECT_EQ(backup.Macros()[0].actions[0], (MacroAction{120, 0x02A, kKeyDown}));
    EXPECT_EQ(backup.Macros()[0].actions[1], (MacroAction{30, 0x02A, kKeyUp}));
    EXPECT_EQ(backup.Texts().Total(), 0u);
}

TEST_F(ImportExportTest, BackupWithoutMacroMagicHasNoMacros) {
    edit_.Macros() = {ShiftMacro(1)};
    ASSERT_EQ(ApplyFromEditStore(edit_, applied_, true, apply_), kDeviceDone);
    keyboard_.WriteArea(TORVEX_SIM_AREA_MACRO, 0, {0x00, 0x00});

    const auto path = home_.Path() / "keyboard.fwc";
    ASSERT_EQ(BackupFromKeyboard(keyboard_.Link(), facts_, u"Macro", path), 1);
    const auto bytes = ReadBytes(path);
    EXPECT_EQ(bytes.size(), 32832u);
    EXPECT_EQ(GetU16(bytes, 14), 0);
    EXPECT_EQ(ValidateConfigFile(path, prompter_, table_), 1);
}

TEST_F(ImportExportTest, FailedKeyboardReadsWriteNoFile) {
    const auto path = home_.Path() / "keyboard.fwc";
    keyboard_.ShortenReplyWait(std::chrono::milliseconds(20));
    ASSERT_GE(keyboard_.Link().GetActiveProfile(), 0);
    // The first key block read stays busy through every retry.
    keyboard_.SetFault(TORVEX_SIM_FAULT_BUSY_FF, 3);
    EXPECT_EQ(BackupFromKeyboard(keyboard_.Link(), facts_, u"Macro", path), 0);
    EXPECT_FALSE(std::filesystem::exists(path));

    keyboard_.Unplug();
    keyboard_.Link().ForgetActiveProfile();
    EXPECT_EQ(BackupFromKeyboard(keyboard_.Link(), facts_, u"Macro", path), 0);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ImportExportTest, SceneLoadFollowsTheKeyboardOrFallsBackToDefaults) {
    SetEntry(edit_, 0, kKeyA, AssignmentType::Disabled, 0);
    ASSERT_EQ(ApplyFromEditStore(edit_, applied_, true, apply_), kDeviceDone);
    SceneFile scene(dataFolder_, edit_);
    edit_.Clear();

    EXPECT_EQ(scene.LoadScene(ReadKeyboardContents(keyboard_.Link(), facts_, u"Macro"), facts_),
              SceneFile::Source::File);
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, kKeyA)->type, 1);
    EXPECT_TRUE(std::filesystem::exists(dataFolder_ / "$Profile0"));

    // Unapplied edits are thrown away by reloading the file.
    SetEntry(edit_, 0, kKeyQ, AssignmentType::Disabled, 0);
    EXPECT_EQ(scene.DiscardEdits(), SceneFile::Source::File);
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, kKeyQ)->type, 0);

    keyboard_.Unplug();
    keyboard_.Link().ForgetActiveProfile();
    EXPECT_EQ(scene.LoadScene(ReadKeyboardContents(keyboard_.Link(), facts_, u"Macro"), facts_),
              SceneFile::Source::Defaults);
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, kKeyA)->type, 0);
    EXPECT_TRUE(edit_.Macros().empty());
}

TEST_F(ImportExportTest, SceneFileIsSavedOnlyWhenItExists) {
    SceneFile scene(dataFolder_, edit_);
    EXPECT_FALSE(scene.SaveSceneFile());
    EXPECT_FALSE(std::filesystem::exists(scene.Path()));

    WriteBytes(scene.Path(), {1, 2, 3});
    SetEntry(edit_, 0, kKeyA, AssignmentType::Disabled, 0);
    ASSERT_TRUE(scene.SaveSceneFile());
    ConfigStore loaded;
    ASSERT_EQ(LoadConfigFile(scene.Path(), loaded), 1);
    EXPECT_EQ(EntryFor(*loaded.Image(), 0, kKeyA)->type, 1);

    // A scene file that no longer loads gives the defaults, not a store
    // without an image.
    WriteBytes(scene.Path(), {1, 2, 3});
    EXPECT_EQ(scene.DiscardEdits(), SceneFile::Source::Defaults);
    ASSERT_NE(edit_.Image(), nullptr);
    EXPECT_EQ(EntryFor(*edit_.Image(), 0, kKeyA)->type, 0);
}

}  // namespace
}  // namespace tessel
