// The keyboard follows the application in front on a wlroots compositor: a
// headless sway with two test windows of different app ids, focused with
// swaymsg, against the simulated keyboard. Skips, saying why, where sway
// cannot run.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "support/HeadlessSway.h"
#include "support/SimFrameLogText.h"

namespace tessel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class WlrootsFocusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!m_sway.Start(640, 480)) {
            std::printf("Wayland focus tests skipped: %s\n", m_sway.Reason().c_str());
            GTEST_SKIP() << m_sway.Reason();
        }
        m_program = m_sway.StageForUser(TESSEL_PROGRAM_DIR, "program");
        ASSERT_FALSE(m_program.empty());
        const fs::path windows = m_sway.Folder() / "windows-source";
        fs::create_directories(windows);
        fs::copy_file(TESSEL_FOCUS_TEST_WINDOW, windows / "focus_test_window");
        m_windows = m_sway.StageForUser(windows, "windows");
        m_user = m_sway.UserFolder("user");
        for (const char* name : {"config", "data", "cache", "state"}) {
            m_sway.UserFolder("user/" + std::string(name));
        }
    }

    std::map<std::string, std::string> Environment() const {
        return {{"QT_QPA_PLATFORM", "wayland"},
                {"XDG_CONFIG_HOME", (m_user / "config").string()},
                {"XDG_DATA_HOME", (m_user / "data").string()},
                {"XDG_CACHE_HOME", (m_user / "cache").string()},
                {"XDG_STATE_HOME", (m_user / "state").string()},
                {"TORVEX_BACKEND", "sim"},
                {"TORVEX_SIM_STATE", (m_user / "keyboard.state").string()},
                {"TORVEX_SIM_CONTROL", (m_user / "sim.sock").string()},
                {"LANG", "C.UTF-8"}};
    }
    bool AppProfile(const std::vector<std::string>& words) {
        std::vector<std::string> argv{(m_program / "tessel").string(), "--app-profile"};
        argv.insert(argv.end(), words.begin(), words.end());
        const auto outcome = m_sway.Run(argv, 20s, Environment());
        return outcome && outcome->status == 0;
    }
    // The profiles the keyboard was told to make active, in order.
    std::vector<int> ProfileWrites() {
        const auto outcome = m_sway.Run({(m_program / "torvex-sim").string(), "--socket",
                                         (m_user / "sim.sock").string(), "log"},
                                        10s, Environment());
        if (!outcome || outcome->status != 0) {
            return {};
        }
        return ActiveProfileWrites(outcome->output);
    }
    bool WritesBecome(const std::vector<int>& expected) {
        return HeadlessSway::WaitUntil([&] { return ProfileWrites() == expected; }, 20s);
    }
    bool Focus(const std::string& appIds) {
        std::string command;
        std::istringstream ids(appIds);
        std::string id;
        while (ids >> id) {
            command += (command.empty() ? "" : "; ") + std::string("[app_id=\"") + id + "\"] focus";
        }
        return m_sway.Command(command);
    }

    HeadlessSway m_sway;
    fs::path m_program;
    fs::path m_windows;
    fs::path m_user;
};

TEST_F(WlrootsFocusTest, EachSettledFocusChangeSwitchesOnce) {
    ASSERT_TRUE(AppProfile({"set", "alpha", "2"}));
    ASSERT_TRUE(AppProfile({"set", "Beta", "3"}));
    for (const char* id : {"alpha", "beta"}) {
        m_sway.Spawn({(m_windows / "focus_test_window").string(), id},
                     {{"QT_QPA_PLATFORM", "wayland"}});
    }
    ASSERT_TRUE(HeadlessSway::WaitUntil([&] {
        const auto tree = m_sway.Message("get_tree");
        return tree && tree->find("\"app_id\": \"alpha\"") != std::string::npos &&
               tree->find("\"app_id\": \"beta\"") != std::string::npos;
    }));
    // The program learns the window in front when it starts, then each change.
    ASSERT_TRUE(Focus("alpha"));
    const pid_t program = m_sway.Spawn({(m_program / "tessel").string(), "/Start"}, Environment(),
                                       m_user / "program.err");
    ASSERT_GT(program, 0);
    EXPECT_TRUE(WritesBecome({1})) << ::testing::PrintToString(ProfileWrites());
    ASSERT_TRUE(Focus("beta"));
    EXPECT_TRUE(WritesBecome({1, 2}));
    // Three changes at once: one switch, to the last.
    ASSERT_TRUE(Focus("alpha beta alpha"));
    EXPECT_TRUE(WritesBecome({1, 2, 1}));
    ASSERT_TRUE(Focus("beta"));
    EXPECT_TRUE(WritesBecome({1, 2, 1, 2})) << ::testing::PrintToString(ProfileWrites());
}

}  // namespace
}  // namespace tessel::testing
