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

TEST_F(ProfileSettingsTest, SceneRowsAreNumberedFromOneWithTheCountAtZero) {
    ASSERT_TRUE(settings_.WriteSceneRows(
        {u"/home/u/Documents/Tessel_09A/$Profile0.fwc", u"/home/u/other.fwc"}));
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"PROFILE00"), u"2");
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"PROFILE01"),
              u"/home/u/Documents/Tessel_09A/$Profile0.fwc");
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"PROFILE02"), u"/home/u/other.fwc");
}

TEST_F(ProfileSettingsTest, RecordDelayValueNameFollowsTheLanguage) {
    LanguageTable table;
    const std::u16string key = table.TextKey(TextKeyEntry::MACRO_ACTION_RECORD_DELAY);
    testing::MapTextLookup english;
    english.texts[key] = u"Record delays";
    testing::MapTextLookup german;
    german.texts[key] = u"Verzögerungen aufnehmen";

    ASSERT_TRUE(settings_.WriteRecordDelay(table, english, true));
    EXPECT_EQ(registry_.ReadString(kProfilesSettingsKey, u"Record delays"), u"1");
    EXPECT_TRUE(settings_.ReadRecordDelay(table, english));
    EXPECT_FALSE(settings_.ReadRecordDelay(table, german)) << "another language, another value";

    ASSERT_TRUE(settings_.WriteRecordDelay(table, german, true));
    ASSERT_TRUE(settings_.WriteRecordDelay(table, english, false));
    EXPECT_TRUE(settings_.ReadRecordDelay(table, german));
    EXPECT_FALSE(settings_.ReadRecordDelay(table, english));
}

}  // namespace
}  // namespace tessel
