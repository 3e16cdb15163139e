// The keyboard follows the application in front on an X11 desktop: a bare
// X server where this test plays the window manager, naming the active window
// in _NET_ACTIVE_WINDOW on the root window, against the simulated keyboard.
// Skipped where Xvfb is missing.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "ProgramFixture.h"
#include "support/ReportingProcess.h"
#include "support/SimFrameLogText.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

constexpr auto kBound = 20s;

bool OnPath(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) {
            text.append(buffer, n);
        }
        pclose(pipe);
    }
    return text;
}

// Talks to the X server as a window manager would.
class Desktop {
public:
    explicit Desktop(const std::string& display) {
        connection_ = xcb_connect(display.c_str(), nullptr);
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        activeWindow_ = Atom("_NET_ACTIVE_WINDOW");
        pid_ = Atom("_NET_WM_PID");
    }
    ~Desktop() { xcb_disconnect(connection_); }
    bool Connected() const { return !xcb_connection_has_error(connection_); }

    // A window of `wmClass` (none when empty) whose _NET_WM_PID is `pid`.
    xcb_window_t Window(const std::string& wmClass, uint32_t pid = 0) {
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 50, 50, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        if (!wmClass.empty()) {
            const std::string value = "instance" + std::string(1, '\0') + wmClass + '\0';
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_CLASS,
                                XCB_ATOM_STRING, 8, static_cast<uint32_t>(value.size()),
                                value.data());
        }
        if (pid != 0) {
            xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window, pid_, XCB_ATOM_CARDINAL,
                                32, 1, &pid);
        }
        xcb_map_window(connection_, window);
        xcb_flush(connection_);
        return window;
    }
    void Activate(xcb_window_t window) {
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, root_, activeWindow_,
                            XCB_ATOM_WINDOW, 32, 1, &window);
        xcb_flush(connection_);
    }
    // Some client listens to property changes of the root window.
    bool RootWatched() {
        const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> reply(
            xcb_get_window_attributes_reply(connection_,
                                            xcb_get_window_attributes(connection_, root_), nullptr),
            &std::free);
        return reply && (reply->all_event_masks & XCB_EVENT_MASK_PROPERTY_CHANGE);
    }

private:
    xcb_atom_t Atom(const char* name) {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(
                connection_,
                xcb_intern_atom(connection_, 0, static_cast<uint16_t>(std::strlen(name)), name),
                nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    xcb_connection_t* connection_;
    xcb_window_t root_;
    xcb_atom_t activeWindow_;
    xcb_atom_t pid_;
};

class AppFocusX11Test : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        if (!OnPath("Xvfb")) {
            GTEST_SKIP() << "needs Xvfb";
        }
        m_server = std::make_unique<OwnXServer>("320x240x24");
        m_display = m_server->Display();
        ASSERT_FALSE(m_display.empty()) << "Xvfb did not start";
        m_environment["DISPLAY"] = m_display;
        m_environment["TORVEX_SIM_CONTROL"] = (m_root / "sim.sock").string();
        m_desktop = std::make_unique<Desktop>(m_display);
        ASSERT_TRUE(m_desktop->Connected());
    }
    void TearDown() override {
        m_desktop.reset();
        ProgramFixture::TearDown();
        m_server.reset();
    }

    // The profiles the keyboard was told to make active, in order.
    std::vector<int> ProfileWrites() {
        const std::string log =
            Output("'" + (m_programFolder / "torvex-sim").string() + "' --socket '" +
                   (m_root / "sim.sock").string() + "' log 2>/dev/null");
        return ActiveProfileWrites(log);
    }
    bool WritesBecome(const std::vector<int>& expected) {
        return Eventually([&] { return ProfileWrites() == expected; });
    }
    std::string AppProfile(const std::vector<std::string>& words) {
        std::vector<std::string> arguments{"--app-profile"};
        arguments.insert(arguments.end(), words.begin(), words.end());
        std::string errors;
        EXPECT_EQ(Run(arguments, &errors), 0) << errors;
        return errors;
    }
    pid_t StartFollowing() {
        const pid_t program = Start({"/Start"});
        EXPECT_TRUE(WaitUntilAnswering(program));
        // The program's watcher listens on the root window: nobody else does.
        EXPECT_TRUE(Eventually([&] { return m_desktop->RootWatched(); }));
        return program;
    }

    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<OwnXServer> m_server;
    std::string m_display;
};

TEST_F(AppFocusX11Test, EachSettledChangeSwitchesOnceAndTheOwnWindowsNever) {
    // Set before the program runs: straight into the settings file.
    m_withoutDisplay = true;
    AppProfile({"set", "Alpha", "2"});
    AppProfile({"set", "beta", "3"});
    m_withoutDisplay = false;
    const pid_t program = StartFollowing();
    // Handed to the running instance, which follows it at once.
    m_withoutDisplay = true;
    AppProfile({"set", "process_tests", "4"});
    m_withoutDisplay = false;

    const xcb_window_t alpha = m_desktop->Window("Alpha");
    const xcb_window_t beta = m_desktop->Window("Beta");
    // No WM_CLASS: the executable's name from its process id.
    const xcb_window_t nameless = m_desktop->Window("", static_cast<uint32_t>(getpid()));
    // The program's own window, whatever its class says.
    const xcb_window_t own = m_desktop->Window("Beta", static_cast<uint32_t>(program));
    const xcb_window_t other = m_desktop->Window("Unruled");

    m_desktop->Activate(alpha);
    EXPECT_TRUE(WritesBecome({1}));
    m_desktop->Activate(beta);
    EXPECT_TRUE(WritesBecome({1, 2}));
    m_desktop->Activate(nameless);
    EXPECT_TRUE(WritesBecome({1, 2, 3}));
    // Neither the own window nor an application without a rule switches
    // (each settling on its own is a case of the policy's own test).
    m_desktop->Activate(own);
    m_desktop->Activate(other);
    m_desktop->Activate(alpha);
    EXPECT_TRUE(WritesBecome({1, 2, 3, 1}));

    // Four activations in a row: one switch, to the last.
    for (xcb_window_t window : {beta, nameless, alpha, beta}) {
        m_desktop->Activate(window);
    }
    EXPECT_TRUE(WritesBecome({1, 2, 3, 1, 2}));
    m_desktop->Activate(alpha);
    EXPECT_TRUE(WritesBecome({1, 2, 3, 1, 2, 1})) << ::testing::PrintToString(ProfileWrites());

    EXPECT_EQ(Run({"/Kill"}), 0);
    EXPECT_EQ(WaitForExit(program, kBound), 0);
}

}  // namespace
}  // namespace tessel::testing
