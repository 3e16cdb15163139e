#pragma once
// Servers a test starts for itself (an X server, a session bus): each says on
// a descriptor when it is ready, and ends with the test.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tessel::testing {

// Runs `argv` in a process group of its own, with `environment` entries
// ("NAME=value") added; what it writes to the descriptor it is told of (its
// argument "{fd}") is read up to the first line end. -1 when it cannot start.
pid_t StartReporting(std::vector<std::string> argv, const std::vector<std::string>& environment,
                     std::string* firstLine);

// Ends the process group `group` started, and waits for its leader.
void EndReporting(pid_t group);

// An Xvfb of the test's own on a free display.
class OwnXServer {
public:
    // `screen` as Xvfb takes it: "320x240x24".
    explicit OwnXServer(const std::string& screen);
    ~OwnXServer();
    OwnXServer(const OwnXServer&) = delete;
    OwnXServer& operator=(const OwnXServer&) = delete;

    // ":N"; empty when the server did not start.
    const std::string& Display() const { return m_display; }

private:
    pid_t m_server = -1;
    std::string m_display;
};

}  // namespace tessel::testing
