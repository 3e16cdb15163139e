#include "platform/AutoResetEvent.h"

namespace tessel {

void AutoResetEvent::Set() {
    {
        std::lock_guard lock(m_mutex);
        m_set = true;
    }
    m_changed.notify_one();
}

void AutoResetEvent::Reset() {
    std::lock_guard lock(m_mutex);
    m_set = false;
}

bool AutoResetEvent::Wait(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    if (!m_changed.wait_for(lock, timeout, [this] { return m_set; })) {
        return false;
    }
    m_set = false;
    return true;
}

}  // namespace tessel
