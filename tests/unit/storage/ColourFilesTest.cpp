#include "storage/ColourFiles.h"

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "Unprivileged.h"
#include "storage/UserSettingsFile.h"

namespace tessel {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

void WriteText(const std::filesystem::path& path, const std::string& text) {
    testing::WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(ColourFiles, MissingFileAndEntriesReadAsTheDefaults) {
    TempFolder skins;
    ColourFiles files(skins.Path());
    EXPECT_EQ(files.FileOf(2), skins / "UserDengColor_2.userd");

    EXPECT_EQ(files.ReadPresentMode(0), 0);
    EXPECT_EQ(files.ReadModeName(0, 4), u"0");
    const ModeTools tools = files.ReadModeTools(0, 3);
    EXPECT_EQ(tools.tool, 0);
    EXPECT_EQ(tools.linkedColour, 0u);
    EXPECT_EQ(tools.plainColour, 0u);

    // A file that has other modes but no "Mode3": every slot red and linked.
    WriteText(files.FileOf(0), "[Mode1]\n5=1,2,3,0\n");
    for (int slot : {0, 5, 42, 63}) {
        const KeyColourEntry entry = files.ReadSlotColour(0, 3, slot);
        EXPECT_EQ(entry.colour, kLightingRed) << slot;
        EXPECT_TRUE(entry.linked) << slot;
    }
}

TEST(ColourFiles, SlotColourKeepsRedInTheLowByteAndAnyFlagAsLinked) {
    TempFolder skins;
    ColourFiles files(skins.Path());
    WriteText(files.FileOf(1), "[Mode0]\n7=10,20,30,7\n8=1,2,3,0\n9=300,-5,12\n");

    const KeyColourEntry entry = files.ReadSlotColour(1, 0, 7);
    EXPECT_EQ(entry.colour, 0x1E140Au);
    EXPECT_TRUE(entry.linked);
    EXPECT_FALSE(files.ReadSlotColour(1, 0, 8).linked);
    // Out-of-range parts are held to a byte; a missing flag is not linked.
    const KeyColourEntry damaged = files.ReadSlotColour(1, 0, 9);
    EXPECT_EQ(damaged.colour, MakeColourRef(255, 0, 12));
    EXPECT_FALSE(damaged.linked);
}

TEST(ColourFiles, WrittenValuesReadBack) {
    TempFolder skins;
    ColourFiles files(skins.Path());
    ASSERT_TRUE(files.WritePresentMode(3, 6));
    ASSERT_TRUE(files.WriteModeName(3, 6, u"Night\nshift"));
    ASSERT_TRUE(files.WriteModeTools(3, 6, {1, MakeColourRef(1, 2, 3), MakeColourRef(4, 5, 6)}));
    ASSERT_TRUE(files.WriteSlotColour(3, 6, 42, {MakeColourRef(7, 8, 9), false}));

    EXPECT_EQ(files.ReadPresentMode(3), 6);
    EXPECT_EQ(files.ReadModeName(3, 6), u"Night shift");
    const ModeTools tools = files.ReadModeTools(3, 6);
    EXPECT_EQ(tools.tool, 1);
    EXPECT_EQ(tools.linkedColour, MakeColourRef(1, 2, 3));
    EXPECT_EQ(tools.plainColour, MakeColourRef(4, 5, 6));
    const KeyColourEntry entry = files.ReadSlotColour(3, 6, 42);
    EXPECT_EQ(entry.colour, MakeColourRef(7, 8, 9));
    EXPECT_FALSE(entry.linked);

    const std::string text = [&] {
        const auto bytes = ReadBytes(files.FileOf(3));
        return std::string(bytes.begin(), bytes.end());
    }();
    EXPECT_NE(text.find("jcolor=1,2,3"), std::string::npos);
    EXPECT_NE(text.find("42=7,8,9,0"), std::string::npos);
}

TEST(ColourFiles, PresentModeOutsideTheTenModesReadsAsZero) {
    TempFolder skins;
    ColourFiles files(skins.Path());
    for (const char* value : {"10", "-1", "x"}) {
        WriteText(files.FileOf(0), std::string("[PRESENTMODE]\nmode=") + value + "\n");
        EXPECT_EQ(files.ReadPresentMode(0), 0) << value;
    }
}

TEST(ColourFiles, CopyIsByteForByteAndNeedsASource) {
    TempFolder skins;
    ColourFiles files(skins.Path());
    WriteText(files.FileOf(3), "; comment kept\n[Mode0]\n1=1,2,3,1\n");
    WriteText(files.FileOf(1), "[Mode0]\n1=9,9,9,0\n");

    ASSERT_EQ(files.CopyColourFile(3, 1), ColourFileCopy::Copied);
    EXPECT_EQ(ReadBytes(files.FileOf(1)), ReadBytes(files.FileOf(3)));
    EXPECT_EQ(files.CopyColourFile(3, 3), ColourFileCopy::Copied);
    EXPECT_EQ(ReadBytes(files.FileOf(3)), ReadBytes(files.FileOf(1)));

    const auto before = ReadBytes(files.FileOf(1));
    EXPECT_EQ(files.CopyColourFile(2, 1), ColourFileCopy::NoSource);
    EXPECT_EQ(ReadBytes(files.FileOf(1)), before);
}

// Root writes anywhere: the attempt runs as a user without privileges.
TEST(ColourFiles, WritesIntoAReadOnlyFolderFailAndKeepTheOldFile) {
    TempFolder skins;
    ColourFiles files(skins.Path());
    WriteText(files.FileOf(0), "[PRESENTMODE]\nmode=2\n[Mode2]\n1=1,2,3,1\n");
    WriteText(files.FileOf(3), "[Mode0]\n1=9,9,9,0\n");
    const auto before = ReadBytes(files.FileOf(0));
    testing::MakeReadOnly(skins.Path(), files.FileOf(0));

    EXPECT_TRUE(testing::RunWithoutPrivileges([&] {
        return !files.WritePresentMode(0, 4) && !files.WriteModeName(0, 2, u"Night") &&
               !files.WriteModeTools(0, 2, {1, 0, 0}) &&
               !files.WriteSlotColour(0, 2, 1, {MakeColourRef(7, 7, 7), false}) &&
               files.CopyColourFile(3, 0) == ColourFileCopy::NotWritten;
    }));
    EXPECT_EQ(ReadBytes(files.FileOf(0)), before);
}

TEST(UserSettingsFile, LightingSwitchIsOnOnlyForOne) {
    TempFolder data;
    const auto file = UserSettingsFile(data / "Tessel_09A");
    EXPECT_FALSE(ReadLightingSwitch(file));
    ASSERT_TRUE(WriteLightingSwitch(file, true));
    EXPECT_TRUE(ReadLightingSwitch(file));
    ASSERT_TRUE(WriteLightingSwitch(file, false));
    EXPECT_FALSE(ReadLightingSwitch(file));
    WriteText(file, "[KEYCOLOR]\nDengCheck=2\n");
    EXPECT_FALSE(ReadLightingSwitch(file));
}

}  // namespace
}  // namespace tessel
