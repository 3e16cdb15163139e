#pragma once
// Hands what the backends report to the program's callbacks: each input report
// to the standing reads that select its interface, each presence change to all
// of them, on the reads' own callback threads (never on a caller's thread).

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "Backend.h"
#include "CallbackLane.h"
#include "RequestTable.h"

namespace torvex {

class EventDispatcher : public EventSink {
public:
    explicit EventDispatcher(RequestTable& requests);
    ~EventDispatcher() override;

    void Start();
    // Drops what is still queued and waits for running callbacks to return.
    void Stop();
    bool OnCallbackThread() const;

    void InputReport(const InterfaceInfo& source, std::span<const uint8_t> bytes,
                     std::chrono::milliseconds delay) override;
    void PresenceChanged(std::vector<InterfaceInfo> attached) override;

    // The most recent input report of an interface the key selects; empty when none.
    std::vector<uint8_t> LastReport(const ChannelKey& key) const;

private:
    RequestTable& requests_;
    mutable std::mutex lock_;
    bool running_ = false;
    std::vector<std::unique_ptr<CallbackLane>> lanes_;
    std::vector<std::unique_ptr<CallbackLane>> retired_;
    std::vector<std::pair<InterfaceInfo, std::vector<uint8_t>>> lastReports_;

    void Dispatch(CallbackLane::Clock::time_point due, std::shared_ptr<const DeviceEvent> event);
    CallbackLane& LaneOf(const std::shared_ptr<StandingRead>& read);
    void RetireRemovedLanes();
};

}  // namespace torvex
