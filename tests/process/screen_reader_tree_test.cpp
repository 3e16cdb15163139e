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
#include <string>
#include <vector>

#include "ProgramFixture.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kBusLauncher[] = "/usr/libexec/at-spi-bus-launcher";
constexpr char kPython[] = "/usr/bin/python3";
constexpr int kSkipStatus = 77;

bool Succeeds(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs `argv` in a process group of its own; what it writes to the descriptor
// it is told of (its argument "{fd}") is read up to the first line end.
pid_t StartReporting(std::vector<std::string> argv, const std::vector<std::string>& environment,
                     std::string* firstLine) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return -1;
    }
    for (std::string& arg : argv) {
        if (const auto at = arg.find("{fd}"); at != std::string::npos) {
            arg.replace(at, 4, std::to_string(pipeFds[1]));
        }
    }
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        close(pipeFds[0]);
        for (const std::string& entry : environment) {
            putenv(const_cast<char*>(entry.c_str()));
        }
        std::vector<char*> args;
        for (std::string& arg : argv) {
            args.push_back(arg.data());
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeFds[1]);
    char c = 0;
    while (firstLine && read(pipeFds[0], &c, 1) == 1 && c != '\n') {
        *firstLine += c;
    }
    close(pipeFds[0]);
    return child;
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
        m_server = StartReporting(
            {"Xvfb", "-displayfd", "{fd}", "-screen", "0", "1600x1000x24", "-nolisten", "tcp"}, {},
            &display);
        ASSERT_FALSE(display.empty()) << "Xvfb did not start";
        m_display = ":" + display;
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
        for (pid_t group : {m_launcher, m_bus, m_server}) {
            if (group > 0) {
                kill(-group, SIGTERM);
                waitpid(group, nullptr, 0);
            }
        }
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
    pid_t m_server = -1;
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
