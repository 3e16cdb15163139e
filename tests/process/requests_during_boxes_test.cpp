// Requests from other starts while the running instance shows a message box:
// they are answered at once, and "/Kill" closes the box and ends the program.
// A screenshot run does not wait for a box either.

#include <cstdlib>

#include "ProgramFixture.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kBound = 20s;

class RequestsDuringBoxesTest : public ProgramFixture {
protected:
    // Commands to the simulated keyboard of an instance started after this.
    void UseSimulatorControl() {
        m_environment["TORVEX_SIM_CONTROL"] = (m_root / "sim.sock").string();
    }
    // Retried: the control socket comes up with the keyboard library.
    bool SimulatorCommand(const std::string& command) {
        const std::string line = "'" + (m_programFolder / "torvex-sim").string() + "' --socket '" +
                                 (m_root / "sim.sock").string() + "' " + command +
                                 " >/dev/null 2>&1";
        return Eventually([&] { return std::system(line.c_str()) == 0; });
    }
    // A second start with /Kill is answered, and the first instance ends
    // through its exit sequence, which takes the endpoint down.
    void KillAndExpectTheExitSequence(pid_t first);
};

void ExpectAnswered(const std::string& errors, const std::string& what) {
    EXPECT_NE(errors.find("asked the running instance"), std::string::npos) << what << errors;
    EXPECT_EQ(errors.find("did not answer"), std::string::npos) << what << errors;
}

void RequestsDuringBoxesTest::KillAndExpectTheExitSequence(pid_t first) {
    std::string errors;
    EXPECT_EQ(Run({"/Kill"}, &errors), 0);
    ExpectAnswered(errors, "kill");
    EXPECT_EQ(WaitForExit(first, kBound), 0);
    EXPECT_FALSE(std::filesystem::exists(SocketOf(first)));
}

TEST_F(RequestsDuringBoxesTest, KillEndsTheProgramWhileTheNoKeyboardBoxIsOpen) {
    m_environment["TORVEX_BACKEND"] = "hid";  // no keyboard here
    const pid_t first = Start();
    ASSERT_TRUE(WaitUntilAnswering(first));

    // The first open shows the "no keyboard" box; the second finds it open.
    for (const char* what : {"open", "open again"}) {
        std::string errors;
        EXPECT_EQ(Run({}, &errors), 0) << what;
        ExpectAnswered(errors, what);
    }
    KillAndExpectTheExitSequence(first);
}

TEST_F(RequestsDuringBoxesTest, KillClosesTheVersionBoxAndRunsTheExitSequence) {
    UseSimulatorControl();
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    ASSERT_TRUE(SimulatorCommand("firmware 0x0101"));

    std::string errors;
    EXPECT_EQ(Run({}, &errors), 0);
    ExpectAnswered(errors, "open");
    KillAndExpectTheExitSequence(first);
}

TEST_F(RequestsDuringBoxesTest, AScreenshotWithOldFirmwareDoesNotWaitForTheVersionBox) {
    // The simulated keyboard keeps the old firmware in its state file.
    UseSimulatorControl();
    const pid_t keeper = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(keeper));
    ASSERT_TRUE(SimulatorCommand("firmware 0x0101"));
    ASSERT_TRUE(SimulatorCommand("profile-key"));
    EXPECT_EQ(Run({"/Kill"}), 0);
    ASSERT_EQ(WaitForExit(keeper, kBound), 0);
    m_environment.erase("TORVEX_SIM_CONTROL");

    const auto picture = m_root / "shot.png";
    std::string errors;
    EXPECT_EQ(Run({"--screenshot", picture.string()}, &errors), 0) << errors;
    EXPECT_GT(std::filesystem::file_size(picture), 0u);
}

}  // namespace
}  // namespace tessel::testing
