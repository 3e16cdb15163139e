#include "storage/ConfigFile.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "Unprivileged.h"
#include "platform/LittleEndian.h"
#include "support/ScriptedPrompter.h"
#include "text/LanguageTable.h"
#include "text/SafeFormat.h"

namespace tessel {
namespace {

using testing::ReadBytes;
using testing::ScriptedPrompter;
using testing::TempFolder;
using testing::WriteBytes;

constexpr std::size_t kTotalSizeAt = 8;
constexpr std::size_t kCheckByteAt = 31;

std::vector<uint8_t> EmptyConfigFile() {
    return EncodeConfigFile(*DefaultImage(), {}, TextTable{});
}

// Re-seals a header after a field was changed on purpose.
void Reseal(std::vector<uint8_t>& bytes) {
    bytes[kCheckByteAt] = HeaderCheckByte(std::span(bytes).first<kImageHeaderSize>());
}

// One key launches a program, another types a text, and there is one macro.
void Fill(ConfigStore& store) {
    store.SetImage(DefaultImage());
    ProfileImage& image = *store.Image();
    image.entries[0x10].type = static_cast<uint16_t>(AssignmentType::LaunchProgram);
    store.Texts().Set(0x10, u"/usr/bin/calc");
    image.entries[512 + 0x1E].type = static_cast<uint16_t>(AssignmentType::TextBlock);
    image.entries[512 + 0x1E].colourSelection = 1;
    store.Texts().Set(512 + 0x1E, u"Dear Sir,");
    image.entries[3 * 512 + 0x20] = {static_cast<uint16_t>(AssignmentType::PlayMacro), 2, 7, 0, 0};
    MacroRecord macro;
    macro.SetName(u"Combo");
    macro.identifier = 7;
    macro.actionCount = 2;
    macro.actions[0] = {120, 0x02A, kKeyDown};
    macro.actions[1] = {0, 0x02A, kKeyUp};
    macro.reserved504 = 0xBEEF;
    store.Macros().push_back(macro);
}

class ConfigFileTest : public ::testing::Test {
protected:
    int Validate(const std::filesystem::path& path) {
        return ValidateConfigFile(path, prompter_, table_);
    }
    std::u16string FormatMessage(const std::filesystem::path& path) {
        return SafeFormat(table_.Value(TextEntry::PROFILE_FORMAT_ERROR), {path.u16string()});
    }

    TempFolder folder_;
    ScriptedPrompter prompter_;
    LanguageTable table_;
};

TEST_F(ConfigFileTest, EmptyConfigurationValidatesAndLoadsNoMacros) {
    const auto path = folder_ / "empty.fwc";
    WriteBytes(path, EmptyConfigFile());
    ASSERT_EQ(ReadBytes(path).size(), 32832u);

    EXPECT_EQ(Validate(path), 1);
    ConfigStore store;
    Fill(store);
    ASSERT_EQ(LoadConfigFile(path, store), 1);
    EXPECT_TRUE(store.Macros().empty());
    EXPECT_EQ(store.Texts().Total(), 0u);
    EXPECT_EQ(store.Image()->entries[0x10].type, 0);
    EXPECT_TRUE(prompter_.shown.empty());
}

TEST_F(ConfigFileTest, EveryHeaderCheckFailsWithTheFormatMessage) {
    const auto path = folder_ / "bad.fwc";
    struct Damage {
        const char* what;
        std::size_t at;
        uint8_t value;
        bool reseal;
    };
    const Damage damages[] = {
        {"check byte", kCheckByteAt, 0x00, false},
        {"magic", 0, 0x47, true},
        {"header size", 2, 33, true},
        {"version", 4, 2, true},
        {"word 6", 6, 0, true},
        {"entry count", 12, 0x01, true},
        {"macro count", 14, 101, true},
        {"flag", 30, 2, true},
        {"text size", 16, 2, true},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> bytes = EmptyConfigFile();
        bytes[damage.at] = damage.value;
        if (damage.reseal) {
            Reseal(bytes);
        }
        if (bytes == EmptyConfigFile()) {
            bytes[damage.at] ^= 0x80;  // the damage must change something
            Reseal(bytes);
        }
        WriteBytes(path, bytes);
        prompter_.shown.clear();
        EXPECT_EQ(Validate(path), 0) << damage.what;
        ASSERT_EQ(prompter_.shown.size(), 1u) << damage.what;
        EXPECT_EQ(prompter_.shown[0].text, FormatMessage(path));
    }
    // Flag 1 is accepted.
    std::vector<uint8_t> flagged = EmptyConfigFile();
    flagged[30] = 1;
    Reseal(flagged);
    WriteBytes(path, flagged);
    EXPECT_EQ(Validate(path), 1);
}

TEST_F(ConfigFileTest, LengthRules) {
    const auto path = folder_ / "file.fwc";
    EXPECT_EQ(Validate(folder_ / "missing.fwc"), 0);

    std::vector<uint8_t> bytes = EmptyConfigFile();
    bytes.resize(32831);
    WriteBytes(path, bytes);
    EXPECT_EQ(Validate(path), 0);
    EXPECT_TRUE(prompter_.shown.empty()) << "too short is not a format error";

    // Longer than the header says is fine.
    bytes = EmptyConfigFile();
    bytes.resize(40000, 0x11);
    WriteBytes(path, bytes);
    EXPECT_EQ(Validate(path), 1);
    ConfigStore store;
    EXPECT_EQ(LoadConfigFile(path, store), 1);
}

TEST_F(ConfigFileTest, FileShorterThanItsHeaderSaysIsRejectedAndTheStoreKept) {
    const auto path = folder_ / "cut.fwc";
    ConfigStore source;
    Fill(source);
    ASSERT_TRUE(WriteConfigFile(path, source));
    std::vector<uint8_t> bytes = ReadBytes(path);
    bytes.resize(bytes.size() - 1);
    WriteBytes(path, bytes);

    EXPECT_EQ(Validate(path), 0);
    EXPECT_EQ(prompter_.shown.size(), 1u);
    ConfigStore store;
    Fill(store);
    EXPECT_EQ(LoadConfigFile(path, store), 0);
    EXPECT_EQ(store.Macros().size(), 1u);
    EXPECT_EQ(*store.Texts().Text(0x10), u"/usr/bin/calc");
    EXPECT_EQ(LoadConfigFile(folder_ / "missing", store), 0);
    EXPECT_EQ(store.Macros().size(), 1u);
}

TEST_F(ConfigFileTest, WriteAndLoadKeepAssignmentsMacrosAndTexts) {
    const auto path = folder_ / "round.fwc";
    ConfigStore source;
    Fill(source);
    ASSERT_TRUE(WriteConfigFile(path, source));
    const auto bytes = ReadBytes(path);
    const uint32_t textBytes = (13 + 1 + 9 + 1) * 2;
    EXPECT_EQ(bytes.size(), 32832u + 16512u + textBytes);
    EXPECT_EQ(GetU32(bytes, kTotalSizeAt), bytes.size());
    EXPECT_EQ(Validate(path), 1);

    ConfigStore loaded;
    ASSERT_EQ(LoadConfigFile(path, loaded), 1);
    const ProfileImage& image = *loaded.Image();
    EXPECT_EQ(image.entries[0x10].type, 3);
    EXPECT_EQ(image.entries[0x10].value, 0u) << "first text at offset 0";
    EXPECT_EQ(*loaded.Texts().Text(0x10), u"/usr/bin/calc");
    EXPECT_EQ(image.entries[512 + 0x1E].value, 28u);
    EXPECT_EQ(image.entries[512 + 0x1E].colourSelection, 1u);
    EXPECT_EQ(*loaded.Texts().Text(512 + 0x1E), u"Dear Sir,");
    EXPECT_EQ(loaded.Texts().Total(), textBytes);
    EXPECT_EQ(image.entries[3 * 512 + 0x20].value, 7u);
    ASSERT_EQ(loaded.Macros().size(), 1u);
    EXPECT_EQ(loaded.Macros()[0], source.Macros()[0]);
    EXPECT_EQ(image.header.flag, 0);
}

TEST_F(ConfigFileTest, TextsOutsideTheAreaOrUnterminatedAreLeftOut) {
    std::vector<uint8_t> bytes = [] {
        ConfigStore store;
        Fill(store);
        return EncodeConfigFile(*store.Image(), store.Macros(), store.Texts());
    }();
    const std::size_t entriesAt = 64;
    const std::size_t areaAt = 32832 + 16512;
    // The text block's offset points past the area; the program path loses its
    // terminator by overwriting it and every later byte.
    PutU32(bytes, entriesAt + (512 + 0x1E) * 16 + 4, 4000);
    const std::size_t areaEnd = bytes.size();
    for (std::size_t at = areaAt + 26; at < areaEnd; ++at) {
        bytes[at] = 'x';
    }
    PutU32(bytes, entriesAt + 0x10 * 16 + 4, 28);

    const auto configuration = DecodeConfigFile(bytes);
    ASSERT_TRUE(configuration.has_value());
    EXPECT_EQ(configuration->texts.Text(512 + 0x1E), nullptr);
    EXPECT_EQ(configuration->texts.Text(0x10), nullptr);
    EXPECT_EQ(configuration->texts.Total(), 0u);
    EXPECT_EQ(configuration->macros.size(), 1u);
}

// Two entries share the text of a 6-byte area and a third points just past it,
// so it has no text. Written back, the area holds both shared copies (12 bytes)
// and the third entry's old offset would now fall on the second copy.
TEST_F(ConfigFileTest, ATextEntryWithoutTextNeverGainsOneOnSave) {
    constexpr int kShared1 = 0x10, kShared2 = 0x11, kOrphan = 0x12;
    ProfileImage image = *DefaultImage();
    image.entries[kShared1] = {static_cast<uint16_t>(AssignmentType::TextBlock), 0, 0, 0, 0};
    image.entries[kShared2] = {static_cast<uint16_t>(AssignmentType::LaunchProgram), 0, 0, 0, 0};
    image.entries[kOrphan] = {static_cast<uint16_t>(AssignmentType::LaunchProgram), 0, 8, 0, 0};
    const std::vector<uint8_t> area = {'a', 0, 'b', 0, 0, 0};
    NewImage(image.header, 0, static_cast<uint32_t>(area.size()), 0);
    std::vector<uint8_t> original(kProfileImageSize);
    EncodeProfileImage(image, std::span(original).first<kProfileImageSize>());
    original.insert(original.end(), area.begin(), area.end());

    const auto path = folder_ / "shared.fwc";
    WriteBytes(path, original);
    ConfigStore store;
    ASSERT_EQ(LoadConfigFile(path, store), 1);
    ASSERT_EQ(store.Texts().Total(), 12u);
    ASSERT_EQ(store.Texts().Text(kOrphan), nullptr);

    ASSERT_TRUE(WriteConfigFile(path, store));
    const std::vector<uint8_t> saved = ReadBytes(path);
    ConfigStore reloaded;
    ASSERT_EQ(LoadConfigFile(path, reloaded), 1);
    EXPECT_EQ(reloaded.Texts().Text(kOrphan), nullptr);
    EXPECT_EQ(reloaded.Image()->entries[kOrphan].value, kNoTextOffset);
    EXPECT_EQ(*reloaded.Texts().Text(kShared1), u"ab");
    EXPECT_EQ(*reloaded.Texts().Text(kShared2), u"ab");
    EXPECT_EQ(reloaded.Texts().Total(), 12u);

    ASSERT_TRUE(WriteConfigFile(path, reloaded));
    EXPECT_EQ(ReadBytes(path), saved) << "one save reaches a fixed point";
}

TEST_F(ConfigFileTest, FailedWriteIntoReadOnlyFolderKeepsTheOldFile) {
    const auto path = folder_ / "scene";
    WriteBytes(path, EmptyConfigFile());
    testing::MakeReadOnly(folder_.Path(), path);
    ConfigStore store;
    Fill(store);

    EXPECT_FALSE(testing::RunWithoutPrivileges(
        [&] { return static_cast<bool>(WriteConfigFile(path, store)); }));
    EXPECT_EQ(ReadBytes(path), EmptyConfigFile());

    ConfigStore noImage;
    EXPECT_FALSE(WriteConfigFile(folder_ / "other", noImage));
}

}  // namespace
}  // namespace tessel
