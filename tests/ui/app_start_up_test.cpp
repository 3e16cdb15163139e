// The start-up rules that need no running process: switches, the single
// instance decision and the program paths.

#include <gtest/gtest.h>
#include <unistd.h>

#include "app/AppIdentity.h"
#include "app/CommandLine.h"
#include "app/ProgramPaths.h"
#include "app/SingleInstance.h"
#include "app/StartFailureBox.h"
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

TEST(StartFailureBoxTest, NeverInAScreenshotRunNorOffscreen) {
    using Args = std::vector<std::string>;
    EXPECT_TRUE(StartFailureBoxWanted(Args{"/Kill"}, "xcb"));
    EXPECT_FALSE(StartFailureBoxWanted(Args{"--screenshot", "shot.png"}, "xcb"));
    EXPECT_FALSE(StartFailureBoxWanted(Args{}, "offscreen"));
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

TEST(ProgramPathsTest, ColourFilesMoveToTheUserOnlyWhenTheSkinFolderIsNotWritable) {
    const std::filesystem::path temp = ::testing::TempDir();
    const std::filesystem::path program = temp / ("tessel-paths-" + std::to_string(getpid()));
    const std::filesystem::path user = program / "user" / "Skins";
    std::filesystem::create_directories(program / "Skins");

    ProgramPaths writable = ProgramPaths::FromModuleFileName(program / "tessel");
    KeepColourFilesWritable(writable, user);
    EXPECT_EQ(writable.colourFilePrefix, program / "Skins" / "UserDengColor_");

    // /proc takes no folders, not even from root: as a system-wide install is to a user.
    ProgramPaths installed = ProgramPaths::FromModuleFileName("/proc/tessel/tessel");
    KeepColourFilesWritable(installed, user);
    EXPECT_EQ(installed.colourFilePrefix, user / "UserDengColor_");
    EXPECT_TRUE(std::filesystem::is_directory(user));
    EXPECT_EQ(installed.mainSkinFile, std::filesystem::path("/proc/tessel/Skins/Main.ini"));
    std::filesystem::remove_all(program);
}

TEST(CommandLineTest, KeyboardCommandsTheirValuesAndMistakes) {
    using Args = std::vector<std::string>;
    const auto backup = ScanCommandLine(Args{"/Start", "--backup", "a.fwc"});
    ASSERT_TRUE(backup.command.has_value());
    EXPECT_EQ(backup.command->kind, CommandKind::Backup);
    EXPECT_EQ(backup.command->file, "a.fwc");
    const auto profile = ScanCommandLine(Args{"--profile=4"});
    ASSERT_TRUE(profile.command.has_value());
    EXPECT_EQ(profile.command->profile, 3);
    EXPECT_FALSE(ScanCommandLine(Args{"/Kill", "--screenshot", "x.png"}).command.has_value());

    for (const Args& wrong :
         {Args{"--profile", "0"}, Args{"--profile", "5"}, Args{"--profile", "2x"},
          Args{"--restore"}, Args{"--backup="}, Args{"--help", "--version"}}) {
        const CommandLineScan scan = ScanCommandLine(wrong);
        EXPECT_FALSE(scan.command.has_value()) << wrong[0];
        EXPECT_FALSE(scan.error.empty()) << wrong[0];
        EXPECT_EQ(scan.error.find('\n'), std::string::npos);
    }
    // --help names every switch, so a new one cannot be left out.
    const std::string help = HelpText("tessel");
    for (const StartSwitchInfo& info : StartSwitchTable()) {
        EXPECT_NE(help.find(info.name), std::string::npos) << info.name;
    }
}

}  // namespace
}  // namespace tessel
