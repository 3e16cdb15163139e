#include <gtest/gtest.h>

#include "PlatformTestSupport.h"
#include "platform/FindProcess.h"
#include "platform/OnScreenKeyboard.h"

#include <signal.h>

#include <chrono>
#include <thread>

namespace tessel {
namespace {

using testing::ScopedEnv;
using testing::TempFolder;
using testing::WaitUntil;

class OnScreenKeyboardTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (const char* name : {"onboard", "florence"}) {
            if (int pid = FindProcessByCommandName(name)) {
                kill(pid, SIGKILL);
                EXPECT_TRUE(WaitUntil([&] { return FindProcessByCommandName(name) == 0; }));
            }
        }
    }
    // A keyboard that records its start and keeps running under its own name.
    void InstallKeyboard(const std::string& name) {
        std::filesystem::create_directories(m_folder / "bin");
        testing::WriteScript(m_folder / "bin" / name, "echo " + name + " >> '" + m_log.string() +
                                                          "'\nwhile :; do /bin/sleep 0.1; done");
    }
    std::string Log() const { return testing::ReadText(m_log); }

    TempFolder m_folder;
    std::filesystem::path m_log = m_folder / "started";
    ScopedEnv m_path{"PATH", (m_folder / "bin").string() + ":/usr/bin:/bin"};
};

TEST_F(OnScreenKeyboardTest, StartsOneKeyboardOnlyWhileNoneRuns) {
    InstallKeyboard("onboard");
    InstallKeyboard("florence");
    EXPECT_TRUE(OpenOnScreenKeyboard());
    ASSERT_TRUE(WaitUntil([] { return FindProcessByCommandName("onboard") != 0; }));
    // The process exists before its script has written its line.
    ASSERT_TRUE(WaitUntil([&] { return Log() == "onboard\n"; }));
    EXPECT_TRUE(OpenOnScreenKeyboard());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(Log(), "onboard\n");
    EXPECT_EQ(FindProcessByCommandName("florence"), 0);
}

TEST_F(OnScreenKeyboardTest, FallsBackToTheSecondKeyboardAndReportsWhenThereIsNone) {
    ScopedEnv nothing("PATH", (m_folder / "bin").string());
    EXPECT_FALSE(OpenOnScreenKeyboard());
    InstallKeyboard("florence");
    EXPECT_TRUE(OpenOnScreenKeyboard());
    EXPECT_TRUE(WaitUntil([&] { return Log() == "florence\n"; }));
}

}  // namespace
}  // namespace tessel
