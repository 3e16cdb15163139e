// A screen reader's view of the running program: on an X server and a
// session bus of the test's own, with the AT-SPI bus started there, a script
// reads the main window's accessible tree from outside the process and finds
// the profile buttons and the A key by name. Skipped, with the reason, where
// the tools are missing or the bus does not start.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ProgramFixture.h"
#include "support/ReportingProcess.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kBusLauncher[] = "/usr/libexec/at-spi-bus-launcher";
constexpr char kPython[] = "/usr/bin/python3";
constexpr int kSkipStatus = 77;

bool Succeeds(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

class ScreenReaderTreeTest : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        if (!Succeeds("command -v Xvfb") || !Succeeds("command -v dbus-daemon") ||
            !std::filesystem::exists(kBusLauncher) ||
            !Succeeds(std::string(kPython) + " -c 'import pyatspi'")) {
            GTEST_SKIP() << "needs Xvfb, dbus-daemon, at-spi2-core and python3-pyatspi";
        }
        std::string display;
        m_server = std::make_unique<OwnXServer>("1600x1000x24");
        ASSERT_FALSE(m_server->Display().empty()) << "Xvfb did not start";
        m_display = m_server->Display();
        m_bus = StartReporting({"dbus-daemon", "--session", "--nofork", "--print-address={fd}"}, {},
                               &m_busAddress);
        ASSERT_FALSE(m_busAddress.empty()) << "the session bus did not start";
        m_launcher = StartReporting({kBusLauncher, "--launch-immediately"}, Shared(), nullptr);
        if (!Eventually(
                [&] {
                    return Succeeds(
                        WithShared("dbus-send --session --print-reply "
                                   "--dest=org.a11y.Bus /org/a11y/bus "
                                   "org.a11y.Bus.GetAddress"));
                },
                10s)) {
            GTEST_SKIP() << "the AT-SPI bus did not start on the private session bus";
        }
        for (const std::string& entry : Shared()) {
            const auto equals = entry.find('=');
            m_environment[entry.substr(0, equals)] = entry.substr(equals + 1);
        }
        m_environment["QT_QPA_PLATFORM"] = "xcb";
        m_environment["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1";
        m_environment["QT_ACCESSIBILITY"] = "1";
    }

    void TearDown() override {
        ProgramFixture::TearDown();
        EndReporting(m_launcher);
        EndReporting(m_bus);
        m_server.reset();
    }

    // What the bus, the launcher, the program and the script all need.
    std::vector<std::string> Shared() const {
        return {"DISPLAY=" + m_display, "DBUS_SESSION_BUS_ADDRESS=" + m_busAddress,
                "XDG_RUNTIME_DIR=" + m_runtime.string(), "HOME=" + (m_root / "home").string()};
    }
    std::string WithShared(const std::string& command) const {
        std::string line = "env -i PATH=/usr/bin:/bin";
        for (const std::string& entry : Shared()) {
            line += " '" + entry + "'";
        }
        return line + " " + command;
    }

    std::string m_display;
    std::string m_busAddress;
    std::unique_ptr<OwnXServer> m_server;
    pid_t m_bus = -1;
    pid_t m_launcher = -1;
};

TEST_F(ScreenReaderTreeTest, TheProfileButtonsAndKeyAAreFoundByName) {
    const pid_t program = Start();
    ASSERT_TRUE(WaitUntilAnswering(program));
    const std::filesystem::path script =
        std::filesystem::path(TESSEL_SOURCE_DIR) / "tests/process/read_accessible_tree.py";
    const std::string command = WithShared(std::string(kPython) + " '" + script.string() +
                                           "' --timeout 30 'Profile 1=radio button' "
                                           "'Profile 2=radio button' 'Profile 3=radio button' "
                                           "'Profile 4=radio button' 'A=push button'");
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status)) << command;
    if (WEXITSTATUS(status) == kSkipStatus) {
        GTEST_SKIP() << "the accessibility registry could not be read";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << command;
}

}  // namespace
}  // namespace tessel::testing
