// The start-up rules that need no running process: switches, the single
// instance decision and the program paths.

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/AppIdentity.h"
#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "app/StartSwitches.h"
#include "app_FakeInstanceServices.h"

namespace tessel {
namespace {

using testing::FakeInstanceServices;

InstanceClaim Claim(FakeInstanceServices& services, std::vector<std::string> arguments) {
    return ClaimSingleInstance(arguments, services);
}

TEST(StartSwitchesTest, RecognisesKillAndStartInAnyCaseAndOrder) {
    const std::vector<std::string> arguments{"/start",    "-Kill",        "/KILL",
                                             "Start",     "/kIlL",        "/Start",
                                             "/Starting", "--screenshot", "/Kill"};
    EXPECT_EQ(ScanStartSwitches(arguments),
              (std::vector<StartSwitch>{StartSwitch::Start, StartSwitch::Kill, StartSwitch::Kill,
                                        StartSwitch::Start, StartSwitch::Kill}));
}

TEST(SingleInstanceTest, FirstStartOwnsTheMutexAndStartsTheAgent) {
    FakeInstanceServices services;
    const InstanceClaim claim = Claim(services, {});
    EXPECT_FALSE(claim.handedOver);
    EXPECT_FALSE(claim.firstShow);
    EXPECT_EQ(services.mutexOpens, 1);
    EXPECT_EQ(services.agentStarts, 1);
    EXPECT_TRUE(services.delivered.empty());
}

TEST(SingleInstanceTest, SecondStartAsksTheRunningInstanceToOpenAndStartsNoAgent) {
    FakeInstanceServices services;
    services.mutexAnswer = MutexOpen::AlreadyExists;
    services.runningInstance = 4242;
    const InstanceClaim claim = Claim(services, {"/Start"});
    EXPECT_TRUE(claim.handedOver);
    ASSERT_EQ(services.delivered.size(), 1u);
    EXPECT_EQ(services.delivered[0].first, 4242);
    EXPECT_EQ(services.delivered[0].second.message, kOpenMessage);
    EXPECT_EQ(services.delivered[0].second.wParam, kOpenTag);
    EXPECT_EQ(services.delivered[0].second.lParam, 0);
    EXPECT_EQ(services.agentStarts, 0);
}

TEST(SingleInstanceTest, KillInAnyCaseHandsOverBeforeTheMutexIsTouched) {
    for (const char* kill : {"/kill", "/Kill", "/KILL"}) {
        FakeInstanceServices services;
        services.runningInstance = 77;
        const InstanceClaim claim = Claim(services, {"/Start", kill, "/Start"});
        EXPECT_TRUE(claim.handedOver) << kill;
        ASSERT_EQ(services.delivered.size(), 1u);
        EXPECT_EQ(services.delivered[0].first, 77);
        EXPECT_EQ(services.delivered[0].second.message, kKillMessage);
        EXPECT_EQ(services.delivered[0].second.wParam, kKillTag);
        EXPECT_EQ(services.mutexOpens, 0);
        EXPECT_EQ(services.agentStarts, 0);
    }
}

TEST(SingleInstanceTest, KillWithoutRunningInstanceStartsNormally) {
    FakeInstanceServices services;
    const InstanceClaim claim = Claim(services, {"/Kill", "/start"});
    EXPECT_FALSE(claim.handedOver);
    EXPECT_TRUE(claim.firstShow);
    EXPECT_TRUE(services.delivered.empty());
    EXPECT_EQ(services.mutexOpens, 1);
    EXPECT_EQ(services.agentStarts, 1);
}

TEST(SingleInstanceTest, AMutexHeldByAnotherProgramDoesNotStopTheStart) {
    for (MutexOpen answer : {MutexOpen::AlreadyExists, MutexOpen::Unavailable}) {
        FakeInstanceServices services;
        services.mutexAnswer = answer;
        const InstanceClaim claim = Claim(services, {});
        EXPECT_FALSE(claim.handedOver);
        EXPECT_TRUE(services.delivered.empty());
        EXPECT_EQ(services.agentStarts, 1);
    }
}

TEST(ProgramPathsTest, EveryPathComesFromTheModuleFileName) {
    const ProgramPaths paths = ProgramPaths::FromModuleFileName("/opt/tessel/bin/../tessel");
    const std::filesystem::path folder = "/opt/tessel";
    EXPECT_EQ(paths.programFolder, folder);
    EXPECT_EQ(paths.programFileName, "tessel");
    EXPECT_EQ(paths.helpFolder.string(), "/opt/tessel/Help/");
    EXPECT_EQ(paths.mainSkinFile, folder / "Skins" / "Main.ini");
    EXPECT_EQ(paths.mainSkinFolder, folder / "Skins");
    EXPECT_EQ(paths.colourFilePrefix.string(), "/opt/tessel/Skins/UserDengColor_");
    EXPECT_EQ(paths.profileSkinFile, folder / "Skins" / "Profile.ini");
    EXPECT_EQ(paths.updateSkinFile, folder / "Skins" / "UpdateDlg.ini");
    EXPECT_EQ(paths.compositeSkinFile, folder / "Skins" / "Composite.ini");
    EXPECT_EQ(paths.packageFolder, folder / "Package");
    EXPECT_EQ(paths.agentPath, folder / "Vigilo.exe");

    // The working folder plays no part.
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path("/");
    const ProgramPaths again = ProgramPaths::FromModuleFileName("/opt/tessel/tessel");
    std::filesystem::current_path(before);
    EXPECT_EQ(again.agentPath, paths.agentPath);
    EXPECT_EQ(again.mainSkinFile, paths.mainSkinFile);
}

}  // namespace
}  // namespace tessel
