// The built program against itself: second starts, "/Kill", a foreign holder
// of the mutex, crashes, the working folder and SIGTERM.

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "ProgramFixture.h"

namespace tessel::testing {
namespace {

using namespace std::chrono_literals;

using SingleInstanceTest = ProgramFixture;

constexpr auto kBound = 20s;

TEST_F(SingleInstanceTest, ASecondStartOpensTheFirstAndEndsWithoutStartingTheAgent) {
    const pid_t first = Start();
    ASSERT_TRUE(WaitUntilAnswering(first));
    ASSERT_TRUE(WaitForAgentStarts(1));

    const pid_t second = Start();
    EXPECT_EQ(WaitForExit(second, kBound), 0);
    // Said once the first instance's handler has run.
    EXPECT_NE(ErrorOutput(second).find("asked the running instance (process " +
                                       std::to_string(first) + ") to open its window"),
              std::string::npos)
        << ErrorOutput(second);
    EXPECT_TRUE(IsRunning(first));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(AgentStarts(), 1);

    kill(first, SIGTERM);
    EXPECT_EQ(WaitForExit(first, kBound), 0);
}

TEST_F(SingleInstanceTest, LowerCaseKillEndsTheRunningInstance) {
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));

    const pid_t killer = Start({"/kill"});
    EXPECT_EQ(WaitForExit(killer, kBound), 0);
    EXPECT_EQ(WaitForExit(first, kBound), 0);
    EXPECT_FALSE(std::filesystem::exists(SocketOf(first)));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(AgentStarts(), 1);
}

TEST_F(SingleInstanceTest, KillWithoutARunningInstanceStartsTheProgram) {
    const pid_t program = Start({"/Kill"});
    EXPECT_TRUE(WaitUntilAnswering(program));
    EXPECT_TRUE(WaitForAgentStarts(1));
    EXPECT_TRUE(IsRunning(program));
}

TEST_F(SingleInstanceTest, AMutexHeldByAnotherProgramDoesNotStopTheStart) {
    const int lock = open(LockFile().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0);

    const pid_t program = Start();
    EXPECT_TRUE(WaitUntilAnswering(program));
    EXPECT_TRUE(WaitForAgentStarts(1));
    close(lock);

    // The agent is started again by every first instance.
    kill(program, SIGTERM);
    EXPECT_EQ(WaitForExit(program, kBound), 0);
    const pid_t again = Start();
    EXPECT_TRUE(WaitUntilAnswering(again));
    EXPECT_TRUE(WaitForAgentStarts(2));
}

TEST_F(SingleInstanceTest, WhatACrashedInstanceLeftBlocksNoNewStart) {
    const pid_t crashed = Start();
    ASSERT_TRUE(WaitUntilAnswering(crashed));
    kill(crashed, SIGKILL);
    EXPECT_EQ(WaitForExit(crashed, kBound), -1);
    ASSERT_TRUE(std::filesystem::exists(SocketOf(crashed)));
    ASSERT_TRUE(std::filesystem::exists(LockFile()));

    const pid_t next = Start();
    EXPECT_TRUE(WaitUntilAnswering(next));
    EXPECT_TRUE(WaitForAgentStarts(2));
    EXPECT_FALSE(std::filesystem::exists(SocketOf(crashed)));
}

TEST_F(SingleInstanceTest, SigtermEndsThroughTheExitSequence) {
    const pid_t program = Start();
    ASSERT_TRUE(WaitUntilAnswering(program));
    kill(program, SIGTERM);
    EXPECT_EQ(WaitForExit(program, kBound), 0);
    EXPECT_FALSE(std::filesystem::exists(SocketOf(program)));
    const int lock = open(LockFile().c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(lock, 0);
    EXPECT_EQ(flock(lock, LOCK_EX | LOCK_NB), 0) << "the mutex is free again";
    close(lock);
}

TEST_F(SingleInstanceTest, AnotherWorkingFolderChangesNoPath) {
    // A decoy agent where a path taken from the working folder would look.
    const auto elsewhere = m_root / "elsewhere";
    std::filesystem::create_directory(elsewhere);
    const auto decoyLog = m_root / "decoy.log";
    {
        std::ofstream decoy(elsewhere / "Vigilo.exe");
        decoy << "#!/bin/sh\necho started >> '" << decoyLog.string() << "'\n";
    }
    std::filesystem::permissions(elsewhere / "Vigilo.exe", std::filesystem::perms::owner_all);

    const pid_t program = Start({}, elsewhere, "../program/" + m_programName);
    ASSERT_TRUE(WaitUntilAnswering(program));
    EXPECT_TRUE(WaitForAgentStarts(1));
    EXPECT_FALSE(std::filesystem::exists(decoyLog));
    // Settings go to the configuration folder, nothing into the working folder.
    std::ifstream registry(m_config / "tessel" / "HKEY_CURRENT_USER.reg");
    std::ostringstream text;
    text << registry.rdbuf();
    EXPECT_NE(text.str().find("[HKEY_CURRENT_USER\\Software\\Zerkon_PX5]"), std::string::npos)
        << text.str();
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(elsewhere)) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);
}

TEST_F(SingleInstanceTest, WithoutTheDeviceLibraryTheProgramEndsSayingWhy) {
    std::filesystem::remove(m_programFolder / "libTorvex.so");
    const pid_t program = Start();
    const auto status = WaitForExit(program, kBound);
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    const std::string errors = ErrorOutput(program);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find("libTorvex.so"), std::string::npos) << errors;
    EXPECT_FALSE(std::filesystem::exists(SocketOf(program)));
    // The next start is not blocked by it.
    std::filesystem::create_symlink(std::filesystem::path(TESSEL_PROGRAM_DIR) / "libTorvex.so",
                                    m_programFolder / "libTorvex.so");
    EXPECT_TRUE(WaitUntilAnswering(Start()));
}

// Removed the moment it appears, and again and again afterwards: the instance
// puts its socket back each time, and every second start reaches it.
TEST_F(SingleInstanceTest, ARemovedSocketIsPutBackAndASecondStartReachesTheInstance) {
    const pid_t first = Start({"/Start"});
    const auto socket = SocketOf(first);
    ASSERT_TRUE(Eventually([&] { return std::filesystem::remove(socket); }, kBound));
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(WaitUntilAnswering(first)) << "round " << round;
        std::string errors;
        EXPECT_EQ(Run({}, &errors), 0) << "round " << round;
        EXPECT_NE(errors.find("to open its window"), std::string::npos) << errors;
        ASSERT_TRUE(std::filesystem::remove(socket));
    }
    ASSERT_TRUE(WaitUntilAnswering(first));
    std::string errors;
    EXPECT_EQ(Run({"/Kill"}, &errors), 0);
    EXPECT_EQ(WaitForExit(first, kBound), 0);
    EXPECT_FALSE(std::filesystem::exists(SocketOf(first)));
    EXPECT_EQ(AgentStarts(), 1);
}

// The kill returns once the instance has let go of the mutex, so the start
// right after it becomes the next instance instead of handing over to it.
TEST_F(SingleInstanceTest, KillThenStartLeavesExactlyOneInstance) {
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    EXPECT_EQ(Run({"/Kill"}), 0);
    const pid_t next = Start({"/Start"});
    EXPECT_TRUE(WaitUntilAnswering(next));
    EXPECT_EQ(WaitForExit(first, kBound), 0);
    EXPECT_TRUE(IsRunning(next));
    EXPECT_EQ(Endpoints(), std::vector<pid_t>{next});
    EXPECT_TRUE(WaitForAgentStarts(2));
}

TEST_F(SingleInstanceTest, TenStartsAtOnceGiveOneInstanceAndNineHandOvers) {
    std::vector<pid_t> starts;
    for (int i = 0; i < 10; ++i) {
        starts.push_back(Start({"/Start"}));
    }
    std::map<pid_t, int> ended;
    EXPECT_TRUE(Eventually(
        [&] {
            for (pid_t pid : starts) {
                if (!ended.contains(pid)) {
                    if (const auto status = WaitForExit(pid, 0ms)) {
                        ended[pid] = *status;
                    }
                }
            }
            return ended.size() >= 9;
        },
        kBound));
    std::vector<pid_t> running;
    int handedOver = 0;
    for (pid_t pid : starts) {
        if (!ended.contains(pid)) {
            running.push_back(pid);
            continue;
        }
        EXPECT_EQ(ended[pid], 0) << ErrorOutput(pid);
        handedOver += ErrorOutput(pid).find("asked the running instance") != std::string::npos;
    }
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(handedOver, 9);
    EXPECT_TRUE(WaitUntilAnswering(running[0]));
    EXPECT_EQ(Endpoints(), running);
    EXPECT_TRUE(WaitForAgentStarts(1));
}

// The sender gave up and said nothing was done: after SIGCONT the instance
// must not exit after all.
TEST_F(SingleInstanceTest, ARequestThatTimedOutIsNotCarriedOutLater) {
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    ASSERT_EQ(kill(first, SIGSTOP), 0);
    std::string errors;
    EXPECT_EQ(Run({"/Kill"}, &errors), 1) << errors;
    ASSERT_EQ(kill(first, SIGCONT), 0);
    // Requests are taken in order: once this one is answered, the kill was
    // dropped or already handed to the window.
    EXPECT_TRUE(WaitUntilAnswering(first));
    EXPECT_EQ(Run({}, &errors), 0) << errors;
    EXPECT_NE(errors.find("to open its window"), std::string::npos) << errors;
    EXPECT_TRUE(IsRunning(first));
}

// A same-user process announcing a payload of almost 4 GiB: that connection
// is closed unanswered, and the instance goes on answering.
TEST_F(SingleInstanceTest, AnOversizedLengthFieldClosesThatConnectionOnly) {
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    std::vector<uint8_t> frame{'N', 'I', 'A', 'M', 0x50, 0x53, 0,    0,    'N',  'E',
                               'P', 'O', 0,   0,   0,    0,    0xF0, 0xFF, 0xFF, 0xFF};
    const auto reply = Exchange(first, frame, kBound);
    ASSERT_TRUE(reply.has_value()) << "the connection was left open";
    EXPECT_TRUE(reply->empty());
    EXPECT_TRUE(Answers(first));
    std::string errors;
    EXPECT_EQ(Run({}, &errors), 0) << errors;
    EXPECT_TRUE(IsRunning(first));
}

// A stopped instance takes no request: the start says why, once, and fails,
// with a display (the box is not shown offscreen) and without one.
TEST_F(SingleInstanceTest, AStartTheRunningInstanceDoesNotAnswerSaysSoAndFails) {
    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    ASSERT_EQ(kill(first, SIGSTOP), 0);
    const std::string reason = "(process " + std::to_string(first) + ") did not answer";
    for (bool withoutDisplay : {false, true}) {
        m_withoutDisplay = withoutDisplay;
        std::string errors;
        EXPECT_EQ(
            Run(withoutDisplay ? std::vector<std::string>{"/Kill"} : std::vector<std::string>{},
                &errors),
            1)
            << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find(reason), std::string::npos) << errors;
    }
    EXPECT_EQ(AgentStarts(), 1);
}

TEST_F(SingleInstanceTest, AnInstanceOfAnotherRuntimeFolderIsNotThisUsersInstance) {
    const auto otherRuntime = m_root / "other-run";
    std::filesystem::create_directory(otherRuntime);
    std::filesystem::permissions(otherRuntime, std::filesystem::perms::owner_all);
    m_environment["XDG_RUNTIME_DIR"] = otherRuntime.string();
    m_environment["HOME"] = (m_root / "other-home").string();
    const pid_t other = Start({"/Start"});
    ASSERT_TRUE(Eventually([&] {
        return std::filesystem::exists(otherRuntime /
                                       ("Zerkon_PX5." + std::to_string(other) + ".sock"));
    }));
    m_environment.clear();

    const pid_t mine = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(mine));
    std::string errors;
    EXPECT_EQ(Run({"/Kill"}, &errors), 0);
    EXPECT_NE(errors.find("process " + std::to_string(mine) + ") to exit"), std::string::npos)
        << errors;
    EXPECT_EQ(WaitForExit(mine, kBound), 0);
    EXPECT_TRUE(IsRunning(other));
}

TEST_F(SingleInstanceTest, AnUnusableRuntimeFolderGivesOneInstanceOrAClearRefusal) {
    // Read-only for us (root may write anywhere, so then someone else's).
    if (getuid() == 0) {
        ASSERT_EQ(chown(m_runtime.c_str(), 65534, 65534), 0);
    } else {
        std::filesystem::permissions(
            m_runtime, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    const auto temporary = m_root / "tmp";
    std::filesystem::create_directory(temporary);
    m_environment["TMPDIR"] = temporary.string();
    m_environment["XDG_RUNTIME_DIR"] = m_runtime.string();
    // Where the lock and the sockets go instead.
    m_runtime = temporary / ("tessel-" + std::to_string(getuid()));

    const pid_t first = Start({"/Start"});
    ASSERT_TRUE(WaitUntilAnswering(first));
    std::string errors;
    EXPECT_EQ(Run({}, &errors), 0);
    EXPECT_NE(errors.find("to open its window"), std::string::npos) << errors;
    EXPECT_EQ(Run({"/Kill"}, &errors), 0);
    EXPECT_EQ(WaitForExit(first, kBound), 0);

    // A private folder that others may enter is refused, not used.
    std::filesystem::permissions(m_runtime, std::filesystem::perms::all);
    EXPECT_EQ(Run({}, &errors), 1);
    EXPECT_NE(errors.find("cannot start"), std::string::npos) << errors;
    EXPECT_EQ(AgentStarts(), 1);
}

}  // namespace
}  // namespace tessel::testing
