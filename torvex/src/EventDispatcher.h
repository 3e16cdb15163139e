#pragma once
// The library's callback thread. Backends queue input reports and presence
// changes here (optionally due later); the thread hands them to every standing
// read that selects the source, so callbacks never run on a caller's thread.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "Backend.h"
#include "RequestTable.h"

namespace torvex {

class EventDispatcher : public EventSink {
public:
    explicit EventDispatcher(RequestTable& requests);
    ~EventDispatcher() override;

    void Start();
    // Drops what is still queued and waits for a running callback to return.
    void Stop();
    bool OnCallbackThread() const;

    void InputReport(const InterfaceInfo& source, std::span<const uint8_t> bytes,
                     std::chrono::milliseconds delay) override;
    void PresenceChanged(std::vector<InterfaceInfo> attached) override;

    // The most recent input report of an interface the key selects; empty when none.
    std::vector<uint8_t> LastReport(const ChannelKey& key) const;

private:
    using Clock = std::chrono::steady_clock;
    struct Event {
        uint32_t kind = TORVEX_EVENT_INPUT_REPORT;
        InterfaceInfo source;
        std::vector<uint8_t> bytes;
        std::vector<InterfaceInfo> attached;
    };

    RequestTable& requests_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::map<std::pair<Clock::time_point, uint64_t>, Event> queue_;
    uint64_t sequence_ = 0;
    bool running_ = false;
    std::thread thread_;
    std::vector<std::pair<InterfaceInfo, std::vector<uint8_t>>> lastReports_;

    void Queue(Clock::time_point due, Event event);
    void Run();
    void Deliver(const Event& event);
};

}  // namespace torvex
