#pragma once
// Runs the built program as a child process in a world of its own: temporary
// HOME and XDG folders, a program folder holding a copy of the executable
// under a name no other test uses, and a fake companion agent that records
// each start.

#include <gtest/gtest.h>
#include <sys/types.h>

#include <cstdint>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tessel::testing {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program with `arguments` in `workingFolder` (the root folder
    // when empty), running it as `programPath` (the copy when empty).
    pid_t Start(const std::vector<std::string>& arguments = {},
                const std::filesystem::path& workingFolder = {},
                const std::string& programPath = {});
    // The exit status, or nothing when the process still runs after `bound`;
    // -1 when a signal ended it.
    std::optional<int> WaitForExit(pid_t pid, std::chrono::milliseconds bound);
    bool IsRunning(pid_t pid);
    // Waits until `pid` answers a request at its endpoint.
    bool WaitUntilAnswering(pid_t pid);
    // Sends `bytes` to the endpoint of `pid` as any process of the user could,
    // and returns what came back before the endpoint closed the connection
    // (nothing when it could not be reached).
    std::optional<std::vector<uint8_t>> Exchange(pid_t pid, const std::vector<uint8_t>& bytes,
                                                 std::chrono::milliseconds bound);
    // Whether `pid` takes and answers a request of no meaning to it.
    bool Answers(pid_t pid, std::chrono::milliseconds bound = std::chrono::seconds(2));
    // Ids of the processes with an endpoint in the runtime folder.
    std::vector<pid_t> Endpoints() const;
    std::filesystem::path SocketOf(pid_t pid) const;
    std::filesystem::path LockFile() const { return m_runtime / "Zerkon_PX5.lock"; }
    int AgentStarts() const;
    bool WaitForAgentStarts(int count);
    std::string ErrorOutput(pid_t pid) const;
    // Starts with `arguments` and waits for the exit status (nothing on a hang).
    std::optional<int> Run(const std::vector<std::string>& arguments,
                           std::string* errors = nullptr);

    // For the next starts: no Qt platform (like a terminal without a display),
    // and variables added to or replacing the environment.
    bool m_withoutDisplay = false;
    std::map<std::string, std::string> m_environment;

    std::filesystem::path m_root;
    std::filesystem::path m_runtime;
    std::filesystem::path m_config;
    std::filesystem::path m_programFolder;
    std::string m_programName;
    std::filesystem::path m_agentLog;

private:
    std::vector<std::string> Environment() const;
    std::vector<pid_t> m_children;
    std::map<pid_t, std::filesystem::path> m_errorFiles;
};

// Polls until `condition` holds; false after a generous bound.
bool Eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds bound = std::chrono::seconds(20));

}  // namespace tessel::testing
