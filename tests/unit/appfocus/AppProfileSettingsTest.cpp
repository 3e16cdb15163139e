// The application rules in the user settings file: what a section reads as,
// which entries are skipped and said, and that a write reads back the same
// while the rest of the file stays.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "appfocus/AppProfileSettings.h"
#include "platform/PrivateProfile.h"
#include "support/TempFolder.h"

namespace tessel {
namespace {

struct SectionCase {
    const char* what;
    std::vector<std::u16string> lines;
    bool switchingOn;
    std::optional<int> other;
    std::vector<AppProfileRule> rules;
    std::size_t problems;
};

class AppProfileSectionTest : public ::testing::TestWithParam<SectionCase> {};

TEST_P(AppProfileSectionTest, ReadsTheGoodEntriesAndSaysWhichWereSkipped) {
    const SectionCase& c = GetParam();
    const AppProfileSettingsRead read = ParseAppProfileSection(c.lines);
    EXPECT_EQ(read.rules.SwitchingOn(), c.switchingOn);
    EXPECT_EQ(read.rules.OtherApplications(), c.other);
    EXPECT_EQ(read.rules.Rules(), c.rules);
    EXPECT_EQ(read.problems.size(), c.problems);

    // What is kept is written and read back as it was, without complaint.
    std::vector<std::u16string> written;
    for (const auto& [key, value] : AppProfileSectionEntries(read.rules)) {
        written.push_back(key + u"=" + value);
    }
    const AppProfileSettingsRead again = ParseAppProfileSection(written);
    EXPECT_EQ(again.rules, read.rules);
    EXPECT_TRUE(again.problems.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Sections, AppProfileSectionTest,
    ::testing::Values(
        SectionCase{"absent: switching on, others stay", {}, true, std::nullopt, {}, 0},
        SectionCase{"full",
                    {u"Switching=0", u"OtherApplications=4", u"Rule1=2,Firefox",
                     u"rule7 = 1 , org.gnome.Nautilus", u"Rule2=3,Name, with comma"},
                    false,
                    3,
                    {{u"Firefox", 1}, {u"org.gnome.Nautilus", 0}, {u"Name, with comma", 2}},
                    0},
        SectionCase{"stay in any case", {u"OtherApplications=STAY"}, true, std::nullopt, {}, 0},
        SectionCase{"malformed entries are skipped, the rest is kept",
                    {u"Switching=yes", u"OtherApplications=5", u"Rule1=0,Zero", u"Rule2=5,Five",
                     u"Rule3=2", u"Rule4=2,", u"Rule5=x,Gimp", u"RuleX=1,Gimp", u"Colour=3",
                     u"garbage", u"Rule6=1,Gimp", u"Rule8=4,GIMP", u"Rule9=3,Kate"},
                    true,
                    std::nullopt,
                    {{u"Gimp", 0}, {u"Kate", 2}},
                    11}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(AppProfileRulesTest, NamesMatchWithoutCaseAndBadOnesAreRefused) {
    AppProfileRules rules;
    EXPECT_TRUE(rules.Set(u"  Firefox ", 1));
    EXPECT_TRUE(rules.Set(u"FIREFOX", 2));
    ASSERT_EQ(rules.Rules().size(), 1u);
    EXPECT_EQ(rules.Rules()[0].application, u"Firefox");
    EXPECT_EQ(rules.ProfileFor(u"firefox"), 2);
    EXPECT_EQ(rules.ProfileFor(u"kate"), std::nullopt);
    EXPECT_TRUE(rules.SetOtherApplications(0));
    EXPECT_EQ(rules.ProfileFor(u"kate"), 0);
    EXPECT_FALSE(rules.Set(u"", 1));
    EXPECT_FALSE(rules.Set(u"two\nlines", 1));
    EXPECT_FALSE(rules.Set(u"Kate", 4));
    EXPECT_FALSE(rules.SetOtherApplications(-1));
    EXPECT_TRUE(rules.Remove(u"fireFOX"));
    EXPECT_FALSE(rules.Remove(u"Firefox"));
}

TEST(AppProfileSettingsFileTest, AWriteReplacesTheSectionAndKeepsTheRestOfTheFile) {
    testing::TempFolder folder;
    const auto file = folder / "wskb.ini";
    std::ofstream(file) << "[KEYCOLOR]\r\nDengCheck=1\r\n[AppProfiles]\r\nRule1=1,Old\r\n"
                           "Rule2=oops\r\n[Other]\r\nkey=value\r\n";
    const AppProfileSettingsRead before = ReadAppProfileRules(file);
    EXPECT_EQ(before.rules.Rules(), (std::vector<AppProfileRule>{{u"Old", 0}}));
    EXPECT_EQ(before.problems.size(), 1u);

    AppProfileRules rules;
    rules.Set(u"Kate", 3);
    rules.SetSwitchingOn(false);
    ASSERT_TRUE(WriteAppProfileRules(file, rules));
    const AppProfileSettingsRead after = ReadAppProfileRules(file);
    EXPECT_EQ(after.rules, rules);
    EXPECT_TRUE(after.problems.empty());
    EXPECT_EQ(GetPrivateProfileString(u"KEYCOLOR", u"DengCheck", u"", 8, file), u"1");
    EXPECT_EQ(GetPrivateProfileString(u"Other", u"key", u"", 8, file), u"value");
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    EXPECT_EQ(text.str().find("Old"), std::string::npos) << text.str();
}

}  // namespace
}  // namespace tessel
