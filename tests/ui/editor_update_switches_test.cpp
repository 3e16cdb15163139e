// "/Update" and "/Language": handed to the running instance as window
// commands, in order; "/Update" alone with no instance opens the dialog here.

#include <gtest/gtest.h>

#include "app/SingleInstance.h"
#include "app/StartSwitches.h"
#include "app_FakeInstanceServices.h"
#include "platform/MainWindowRequests.h"

namespace tessel {
namespace {

using testing::FakeInstanceServices;

TEST(UpdateSwitchesTest, HandTheCommandsOverInOrderAndStartNothing) {
    FakeInstanceServices services;
    services.runningInstance = 31;
    const std::vector<std::string> arguments{"/language", "/UPDATE", "/Start"};
    const InstanceClaim claim = ClaimSingleInstance(arguments, services);
    EXPECT_TRUE(claim.handedOver);
    EXPECT_FALSE(claim.openUpdateDialog);
    ASSERT_EQ(services.delivered.size(), 2u);
    EXPECT_EQ(services.delivered[0].first, 31);
    EXPECT_EQ(services.delivered[0].second.message, kCommandMessage);
    EXPECT_EQ(services.delivered[0].second.wParam, kCommandLanguage);
    EXPECT_EQ(services.delivered[1].second.wParam, kCommandUpdate);
    EXPECT_EQ(services.mutexOpens, 0);
    EXPECT_EQ(services.agentStarts, 0);
}

TEST(UpdateSwitchesTest, WithoutARunningInstanceUpdateOpensHereAndLanguageDoesNothing) {
    FakeInstanceServices services;
    const std::vector<std::string> update{"/Update"};
    const InstanceClaim opened = ClaimSingleInstance(update, services);
    EXPECT_FALSE(opened.handedOver);
    EXPECT_TRUE(opened.openUpdateDialog);
    EXPECT_EQ(services.agentStarts, 1);

    FakeInstanceServices other;
    const std::vector<std::string> language{"/Language"};
    const InstanceClaim started = ClaimSingleInstance(language, other);
    EXPECT_FALSE(started.handedOver);
    EXPECT_FALSE(started.openUpdateDialog);
    EXPECT_EQ(other.agentStarts, 1);
}

TEST(UpdateSwitchesTest, KillAfterACommandStillEndsAtOnce) {
    FakeInstanceServices services;
    services.runningInstance = 8;
    const std::vector<std::string> arguments{"/Update", "/Kill", "/Language"};
    EXPECT_TRUE(ClaimSingleInstance(arguments, services).handedOver);
    ASSERT_EQ(services.delivered.size(), 2u);
    EXPECT_EQ(services.delivered[1].second.message, kKillMessage);
}

}  // namespace
}  // namespace tessel
