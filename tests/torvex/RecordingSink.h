#pragma once
// An EventSink that keeps what a backend hands it, for tests of the library's internals.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "Backend.h"

namespace torvex {

class RecordingSink : public EventSink {
public:
    struct Report {
        InterfaceInfo source;
        std::vector<uint8_t> bytes;
        std::chrono::milliseconds delay;
    };

    void InputReport(const InterfaceInfo& source, std::span<const uint8_t> bytes,
                     std::chrono::milliseconds delay) override {
        std::lock_guard guard(lock_);
        reports_.push_back({source, {bytes.begin(), bytes.end()}, delay});
        changed_.notify_all();
    }
    void PresenceChanged(std::vector<InterfaceInfo> attached) override {
        std::lock_guard guard(lock_);
        presence_.push_back(std::move(attached));
        changed_.notify_all();
    }

    std::vector<Report> Reports() {
        std::lock_guard guard(lock_);
        return reports_;
    }
    std::vector<std::vector<InterfaceInfo>> Presence() {
        std::lock_guard guard(lock_);
        return presence_;
    }
    // Waits until at least `count` presence changes arrived.
    bool WaitForPresence(std::size_t count, int timeoutMs = 2000) {
        std::unique_lock guard(lock_);
        return changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                 [&] { return presence_.size() >= count; });
    }
    bool WaitForReports(std::size_t count, int timeoutMs = 2000) {
        std::unique_lock guard(lock_);
        return changed_.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                 [&] { return reports_.size() >= count; });
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    std::vector<Report> reports_;
    std::vector<std::vector<InterfaceInfo>> presence_;
};

}  // namespace torvex
