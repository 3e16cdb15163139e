// "/Update" and "/Language": handed to the running instance as window
// commands; without one, "/Update" opens the dialog in this process.

#include <gtest/gtest.h>

#include "app/SingleInstance.h"
#include "app/StartSwitches.h"
#include "app_FakeInstanceServices.h"
#include "platform/MainWindowRequests.h"

namespace tessel {
namespace {

using testing::FakeInstanceServices;

TEST(UpdateSwitchesTest, HandTheCommandToTheRunningInstanceAndStartNothing) {
    for (const char* name : {"/language", "/UPDATE"}) {
        FakeInstanceServices services;
        services.runningInstance = 31;
        const std::vector<std::string> arguments{name, "/Start"};
        EXPECT_TRUE(ClaimSingleInstance(arguments, services).handedOver) << name;
        ASSERT_EQ(services.delivered.size(), 1u);
        EXPECT_EQ(services.delivered[0].first, 31);
        EXPECT_EQ(services.delivered[0].second.message, kCommandMessage);
        EXPECT_EQ(services.delivered[0].second.wParam,
                  name[1] == 'l' ? kCommandLanguage : kCommandUpdate);
        EXPECT_EQ(services.mutexOpens, 0);
        EXPECT_EQ(services.agentStarts, 0);
    }
}

TEST(UpdateSwitchesTest, WithoutARunningInstanceTheProgramStarts) {
    FakeInstanceServices services;
    const std::vector<std::string> arguments{"/Update", "/Language"};
    EXPECT_FALSE(ClaimSingleInstance(arguments, services).handedOver);
    EXPECT_EQ(services.agentStarts, 1);
    EXPECT_TRUE(HasStartSwitch(arguments, StartSwitch::Update));
}

}  // namespace
}  // namespace tessel
