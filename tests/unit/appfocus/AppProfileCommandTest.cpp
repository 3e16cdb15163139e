// "--app-profile" carried out on the settings file, as the running instance
// and a process of its own both do it.

#include <gtest/gtest.h>

#include "appfocus/AppProfileCommand.h"
#include "appfocus/AppProfileSettings.h"
#include "support/TempFolder.h"

namespace tessel {
namespace {

TEST(AppProfileCommandTest, SetRemoveAndListTheRulesOfTheFile) {
    testing::TempFolder folder;
    const auto file = folder / "data" / "wskb.ini";
    const auto run = [&](AppProfileAction action, std::string application, int profile) {
        // As the request travels to the running instance.
        const AppProfileRequest request{action, std::move(application), profile};
        return CarryOutAppProfileRequest(
            AppProfileRequestOf(AppProfileRequestNumber(request), request.application), file);
    };
    EXPECT_TRUE(run(AppProfileAction::Set, "Firefox", 1).done);
    EXPECT_TRUE(run(AppProfileAction::Set, "org.kde.kate", 3).done);
    EXPECT_TRUE(run(AppProfileAction::Set, "FIREFOX", 2).done);
    EXPECT_FALSE(run(AppProfileAction::Remove, "gimp", 0).done);
    EXPECT_FALSE(run(AppProfileAction::Set, " ", 0).done);
    EXPECT_TRUE(run(AppProfileAction::Remove, "org.KDE.kate", 0).done);

    const CommandOutcome list = run(AppProfileAction::List, "", 0);
    EXPECT_TRUE(list.done);
    EXPECT_EQ(list.line,
              "switching: on\nother applications: stay on the current profile\n"
              "Firefox: profile 3");
    EXPECT_EQ(ReadAppProfileRules(file).rules.ProfileFor(u"firefox"), 2);
}

}  // namespace
}  // namespace tessel
