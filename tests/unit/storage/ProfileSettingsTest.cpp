#include "storage/ProfileSettings.h"

#include <gtest/gtest.h>

#include "MapTextLookup.h"
#include "TempFolder.h"

namespace tessel {
namespace {

class ProfileSettingsTest : public ::testing::Test {
protected:
    testing::TempFolder folder_;
    Registry registry_{folder_ / "user.reg"};
    ProfileSettings settings_{registry_};
};

TEST_F(ProfileSettingsTest, FlipIsWrittenAsZeroOrOneAndReadAsANumber) {
    EXPECT_EQ(settings_.ReadFlip(), 0);
    ASSERT_TRUE(settings_.WriteFlip(1));
    EXPECT_EQ(settings_.ReadFlip(), 1);
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"Flip"), u"1");
    ASSERT_TRUE(settings_.WriteFlip(7));
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"Flip"), u"0");
    // Values another writer left: any number but 0 counts as flipped.
    const std::pair<std::u16string_view, int> stored[] = {{u"yes", 0}, {u"2", 2}, {u" -1", -1},
                                                          {u"03x", 3}, {u"0", 0}, {u"", 0}};
    for (const auto& [text, value] : stored) {
        registry_.WriteString(kProfilesSettingsKey, u"Flip", text);
        EXPECT_EQ(settings_.ReadFlip(), value) << std::string(text.begin(), text.end());
    }
    registry_.WriteDword(kProfilesSettingsKey, u"Flip", 5);
    EXPECT_EQ(settings_.ReadFlip(), 5);
}

TEST_F(ProfileSettingsTest, SceneRowsAreNumberedFromOneWithTheCountAtZeroAndReadBack) {
    const std::vector<std::u16string> rows = {u"/home/u/Documents/Tessel_09A/$Profile0.fwc",
                                              u"/home/u/other.fwc"};
    ASSERT_TRUE(settings_.WriteSceneRows(rows));
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"PROFILE00"), u"2");
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"PROFILE01"),
              u"/home/u/Documents/Tessel_09A/$Profile0.fwc");
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"PROFILE02"), u"/home/u/other.fwc");
    EXPECT_EQ(settings_.ReadSceneRows(), rows);

    // Fewer rows than before: the count decides, older rows beyond it stay unread.
    ASSERT_TRUE(settings_.WriteSceneRows({u"/a.fwc"}));
    EXPECT_EQ(settings_.ReadSceneRows(), std::vector<std::u16string>{u"/a.fwc"});
    // A count that lies about the rows reads what is there.
    registry_.WriteString(kProfilesSettingsKey, u"PROFILE00", u"99999");
    EXPECT_EQ(settings_.ReadSceneRows().size(), 2u);
    registry_.WriteString(kProfilesSettingsKey, u"PROFILE00", u"x");
    EXPECT_TRUE(settings_.ReadSceneRows().empty());
}

TEST_F(ProfileSettingsTest, RecordDelayKeepsItsValueAcrossALanguageChange) {
    LanguageTable table;
    const std::u16string key = table.TextKey(TextKeyEntry::MACRO_ACTION_RECORD_DELAY);
    testing::MapTextLookup english;
    english.texts[key] = u"Record delays";
    testing::MapTextLookup french;
    french.texts[key] = u"Enregistrer les délais";

    EXPECT_FALSE(settings_.ReadRecordDelay(table, english)) << "off until chosen";
    ASSERT_TRUE(settings_.WriteRecordDelay(true));
    EXPECT_TRUE(settings_.ReadRecordDelay(table, english));
    EXPECT_TRUE(settings_.ReadRecordDelay(table, french)) << "the language does not name it";
    ASSERT_TRUE(settings_.WriteRecordDelay(false));
    EXPECT_FALSE(settings_.ReadRecordDelay(table, english));
}

TEST_F(ProfileSettingsTest, ARecordDelayStoredUnderItsTranslatedNameIsReadOnceAndKept) {
    LanguageTable table;
    const std::u16string key = table.TextKey(TextKeyEntry::MACRO_ACTION_RECORD_DELAY);
    testing::MapTextLookup english;
    english.texts[key] = u"Record delays";
    testing::MapTextLookup french;
    french.texts[key] = u"Enregistrer les délais";
    registry_.WriteString(kProfilesSettingsKey, u"Record delays", u"1");

    EXPECT_TRUE(settings_.ReadRecordDelay(table, english)) << "what an older version saved";
    EXPECT_TRUE(settings_.ReadRecordDelay(table, french)) << "kept after the language changed";
    registry_.WriteString(kProfilesSettingsKey, u"Record delays", u"0");
    EXPECT_TRUE(settings_.ReadRecordDelay(table, english)) << "the old form is read only once";
}

}  // namespace
}  // namespace tessel
