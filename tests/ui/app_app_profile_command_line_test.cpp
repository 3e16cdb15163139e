// "--app-profile" on the command line: what it asks for, and each way of
// typing it wrongly, said in one line.

#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace tessel {
namespace {

using Args = std::vector<std::string>;

TEST(AppProfileCommandLineTest, ActionsTheirWordsAndMistakes) {
    struct Case {
        Args arguments;
        AppProfileAction action;
        std::string application;
        int profile;
    };
    for (const Case& c :
         {Case{{"--app-profile", "list"}, AppProfileAction::List, "", 0},
          Case{{"--app-profile=list"}, AppProfileAction::List, "", 0},
          Case{{"--app-profile", "set", "Firefox", "3"}, AppProfileAction::Set, "Firefox", 2},
          Case{{"--app-profile", "remove", "org.kde.kate"},
               AppProfileAction::Remove,
               "org.kde.kate",
               0}}) {
        const CommandLineScan scan = ScanCommandLine(c.arguments);
        ASSERT_TRUE(scan.command.has_value()) << c.arguments[0] << scan.error;
        EXPECT_EQ(scan.command->kind, CommandKind::AppProfile);
        EXPECT_EQ(scan.command->appProfile.action, c.action);
        EXPECT_EQ(scan.command->appProfile.application, c.application);
        EXPECT_EQ(scan.command->appProfile.profile, c.profile);
    }
    for (const Args& wrong :
         {Args{"--app-profile"}, Args{"--app-profile", "show"}, Args{"--app-profile", "set"},
          Args{"--app-profile", "set", "Firefox"}, Args{"--app-profile", "set", "Firefox", "5"},
          Args{"--app-profile", "remove"}, Args{"--app-profile", "list", "extra"},
          Args{"--app-profile", "list", "--profile", "2"}}) {
        const CommandLineScan scan = ScanCommandLine(wrong);
        EXPECT_FALSE(scan.command.has_value()) << ::testing::PrintToString(wrong);
        EXPECT_FALSE(scan.error.empty()) << ::testing::PrintToString(wrong);
        EXPECT_EQ(scan.error.find('\n'), std::string::npos);
    }
    EXPECT_NE(HelpText("tessel").find("--app-profile"), std::string::npos);
}

}  // namespace
}  // namespace tessel
