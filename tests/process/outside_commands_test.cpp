// The start switches that give the running instance a window command: "/Update"
// (32780) and "/Language" (32784); what the request endpoint refuses; --help.

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ProgramFixture.h"
#include "platform/MainWindowRequests.h"
#include "platform/RequestEndpoint.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kBound = 20s;
constexpr uint32_t kMainMarker = 0x4D41494E;  // 'MAIN'

class OutsideCommandsProcessTest : public ProgramFixture {
protected:
    // The program folder's Skins of this test alone: the language command
    // writes the selector of its language.ini.
    void CopySkins() {
        const auto skins = m_programFolder / "Skins";
        const auto built = std::filesystem::read_symlink(skins);
        std::filesystem::remove(skins);
        std::filesystem::copy(built, skins, std::filesystem::copy_options::recursive);
    }
    std::string Selector() {
        std::ifstream in(m_programFolder / "Skins" / "language.ini");
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("language=", 0) == 0) {
                return line.substr(9, line.find_first_of("\r\n ") - 9);
            }
        }
        return {};
    }
    // A start with the switch hands it to the running instance, says so and ends.
    void ExpectHandedOver(const std::string& command, const std::string& said) {
        const pid_t sender = Start({command});
        EXPECT_EQ(WaitForExit(sender, kBound), 0);
        EXPECT_NE(ErrorOutput(sender).find(said), std::string::npos) << ErrorOutput(sender);
    }
    // The instance answers a command at once and carries it out afterwards.
    bool SelectorBecomes(const std::string& value) {
        return Eventually([&] { return Selector() == value; }, kBound);
    }
    // As any process of this user could: straight to the endpoint.
    std::optional<intptr_t> Deliver(pid_t pid, uint32_t message, uintptr_t wParam) {
        setenv("XDG_RUNTIME_DIR", m_runtime.c_str(), 1);
        return DeliverRequest("Zerkon_PX5", pid, kMainMarker, WindowRequest{message, wParam, 0},
                              5s);
    }
    void KillAndExpectTheEnd(pid_t pid) {
        EXPECT_EQ(WaitForExit(Start({"/Kill"}), kBound), 0);
        EXPECT_EQ(WaitForExit(pid, kBound), 0) << "the instance did not end";
    }
};

TEST_F(OutsideCommandsProcessTest, UpdateOpensTheDialogOfTheRunningInstanceWhichStillEnds) {
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    ExpectHandedOver("/update", "to open its firmware update dialog");
    // It answers from inside the dialog's own loop.
    EXPECT_TRUE(WaitUntilAnswering(first));
    // The dialog's own loop is running now: the kill must still end it all.
    KillAndExpectTheEnd(first);
    EXPECT_EQ(AgentStarts(), 1);
}

TEST_F(OutsideCommandsProcessTest, UpdateWithoutARunningInstanceStartsTheProgram) {
    const pid_t program = Start({"/Update"});
    ASSERT_TRUE(WaitUntilAnswering(program));
    EXPECT_TRUE(WaitForAgentStarts(1));
    EXPECT_TRUE(WaitUntilAnswering(program));
    KillAndExpectTheEnd(program);
}

TEST_F(OutsideCommandsProcessTest, LanguageMakesTheRunningInstanceRewriteTheSelector) {
    CopySkins();
    ASSERT_EQ(Selector(), "1");
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    ExpectHandedOver("/Language", "to reload its language");
    EXPECT_TRUE(SelectorBecomes("0"));
    EXPECT_TRUE(IsRunning(first));
    KillAndExpectTheEnd(first);
}

TEST_F(OutsideCommandsProcessTest, TheEndpointTakesNoOtherCommandOrRequest) {
    CopySkins();
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    EXPECT_EQ(Deliver(first, kCommandMessage, 32781), 0);
    EXPECT_EQ(Deliver(first, kCommandMessage, 32774), 0) << "the tray's Exit";
    EXPECT_EQ(Deliver(first, kCloseEditorsMessage, 0), 0);
    EXPECT_EQ(Deliver(first, kInitMessage, kInitTag), 0);
    EXPECT_EQ(Selector(), "1");
    EXPECT_EQ(Deliver(first, kCommandMessage, kCommandLanguage), 1);
    // Carried out after anything the refused requests could have started.
    EXPECT_TRUE(SelectorBecomes("0"));
    EXPECT_TRUE(IsRunning(first)) << "the tray's Exit was not carried out";
    KillAndExpectTheEnd(first);
}

TEST_F(OutsideCommandsProcessTest, HelpListsTheSwitchesWithoutStarting) {
    const std::string command = (m_programFolder / m_programName).string() + " --help";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::ostringstream text;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        text << buffer;
    }
    EXPECT_EQ(pclose(pipe), 0);
    for (const char* switchName : {"/Start", "/Kill", "/Update", "/Language"}) {
        EXPECT_NE(text.str().find(switchName), std::string::npos) << switchName << text.str();
    }
    EXPECT_EQ(AgentStarts(), 0);
}

// As on an installed copy, the program folder is not the user's to write: the
// selector goes to the user's own copy, which the instance reads first. When
// that cannot be written either, the sender says so with a non-zero status.
TEST_F(OutsideCommandsProcessTest, LanguageWorksOnAReadOnlyProgramFolderOrSaysWhyNot) {
    if (getuid() == 0) {
        GTEST_SKIP() << "root writes read-only folders";
    }
    CopySkins();
    const auto skins = m_programFolder / "Skins";
    std::filesystem::permissions(skins / "language.ini", std::filesystem::perms::owner_read);
    std::filesystem::permissions(
        skins, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    const auto userCopy = m_config / "tessel" / "language.ini";
    ExpectHandedOver("/Language", "to reload its language");
    EXPECT_EQ(Selector(), "1") << "the program folder was written";
    std::ifstream in(userCopy);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(text.find("language=0"), std::string::npos) << text;

    std::filesystem::remove(userCopy);
    std::filesystem::permissions(m_config / "tessel", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_exec);
    std::string errors;
    EXPECT_EQ(Run({"/Language"}, &errors), 1);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("cannot keep the language choice"), std::string::npos) << errors;
    std::filesystem::permissions(m_config / "tessel", std::filesystem::perms::owner_all);
    std::filesystem::permissions(skins, std::filesystem::perms::owner_all);
    KillAndExpectTheEnd(first);
}

// Mistyped options change nothing, not even with an instance running: one
// line pointing at --help and status 2, no window asked for, no file written.
TEST_F(OutsideCommandsProcessTest, MistypedOptionsAreRefusedWithStatusTwo) {
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    const std::vector<std::vector<std::string>> wrong{
        {"--profle", "3"},          {"--backup", "--profile"}, {"--help=foo"},
        {"--version", "extra"},     {"/Start", "--bogus"},     {"--restore", "--help"},
        {"--screenshot", "--hover"}};
    for (const auto& arguments : wrong) {
        std::string errors;
        EXPECT_EQ(Run(arguments, &errors), 2) << arguments[0];
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find("--help"), std::string::npos) << errors;
        EXPECT_EQ(errors.find("asked the running instance"), std::string::npos) << errors;
    }
    EXPECT_FALSE(std::filesystem::exists(m_root / "--profile"));
    // Windows-style switches keep matching in any case and place.
    std::string errors;
    EXPECT_EQ(Run({"extra", "/sTART"}, &errors), 0) << errors;
    EXPECT_NE(errors.find("to open its window"), std::string::npos) << errors;
    KillAndExpectTheEnd(first);
}

}  // namespace
}  // namespace tessel::testing
