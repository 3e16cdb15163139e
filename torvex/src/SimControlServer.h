#pragma once
// Unix socket that lets another process (the torvex-sim tool) drive the
// simulated keyboard: one text command per connection, one text answer.

#include <atomic>
#include <filesystem>
#include <thread>

#include "SimKeyboard.h"

namespace torvex {

class SimControlServer {
public:
    explicit SimControlServer(SimKeyboard& keyboard) : keyboard_(keyboard) {}
    ~SimControlServer();
    SimControlServer(const SimControlServer&) = delete;
    SimControlServer& operator=(const SimControlServer&) = delete;

    // Owner-only socket; a stale socket file at the path is replaced.
    bool Open(const std::filesystem::path& path);

private:
    SimKeyboard& keyboard_;
    std::filesystem::path path_;
    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;

    void Run();
    void Serve(int connection);
};

}  // namespace torvex
