#pragma once
// An event that wakes one waiter and then resets itself.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tessel {

class AutoResetEvent {
public:
    void Set();
    void Reset();
    // True when the event was set within `timeout`; the event is reset again.
    bool Wait(std::chrono::milliseconds timeout);

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_set = false;
};

}  // namespace tessel
