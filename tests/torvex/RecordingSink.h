#pragma once
// An EventSink that keeps what a backend hands it, for tests of the library's internals.

#include <chrono>
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
    }
    void PresenceChanged(std::vector<InterfaceInfo> attached) override {
        std::lock_guard guard(lock_);
        presence_.push_back(std::move(attached));
    }

    std::vector<Report> Reports() {
        std::lock_guard guard(lock_);
        return reports_;
    }
    std::vector<std::vector<InterfaceInfo>> Presence() {
        std::lock_guard guard(lock_);
        return presence_;
    }
private:
    std::mutex lock_;
    std::vector<Report> reports_;
    std::vector<std::vector<InterfaceInfo>> presence_;
};

}  // namespace torvex
