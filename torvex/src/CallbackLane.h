#pragma once
// The thread that runs one standing read's callback. Each read has its own, so
// a callback that blocks (for example on the program's window thread) never
// holds up the replies that another read is waiting for.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "Channel.h"
#include "RequestTable.h"

namespace torvex {

struct DeviceEvent {
    uint32_t kind = TORVEX_EVENT_INPUT_REPORT;
    InterfaceInfo source;                 // input report: where it came from
    std::vector<uint8_t> bytes;           // input report: its bytes
    std::vector<InterfaceInfo> attached;  // presence: what is attached now
};

class CallbackLane {
public:
    using Clock = std::chrono::steady_clock;

    CallbackLane(std::shared_ptr<StandingRead> read, const void* owner);
    ~CallbackLane();
    CallbackLane(const CallbackLane&) = delete;
    CallbackLane& operator=(const CallbackLane&) = delete;

    const StandingRead& Read() const { return *read_; }
    void Push(Clock::time_point due, std::shared_ptr<const DeviceEvent> event);
    // Drops what is queued; the thread ends after a running callback returns.
    void Retire();
    bool Finished() const;
    // Waits for the thread; never call it from the lane's own callback.
    void Join();

    // The owner whose lane runs the current thread's callback, if any.
    static const void* CurrentOwner();

private:
    std::shared_ptr<StandingRead> read_;
    const void* owner_;
    mutable std::mutex lock_;
    std::condition_variable wake_;
    std::multimap<Clock::time_point, std::shared_ptr<const DeviceEvent>> queue_;
    bool retired_ = false;
    bool finished_ = false;
    std::thread thread_;

    void Run();
    void Deliver(const DeviceEvent& event);
};

}  // namespace torvex
