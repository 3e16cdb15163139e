#pragma once
// Collects what the library reports on its own thread.

#include <mutex>
#include <vector>

#include "device/DeviceEvents.h"

namespace tessel::test {

class RecordingListener final : public StatusChannelListener {
public:
    void OnPresenceChanged(uint32_t deviceCount) override {
        std::lock_guard lock(mutex_);
        presence_.push_back(deviceCount);
    }
    void OnNotificationCode(uint16_t code) override {
        std::lock_guard lock(mutex_);
        codes_.push_back(code);
    }
    std::vector<uint32_t> Presence() {
        std::lock_guard lock(mutex_);
        return presence_;
    }
    std::vector<uint16_t> Codes() {
        std::lock_guard lock(mutex_);
        return codes_;
    }

private:
    std::mutex mutex_;
    std::vector<uint32_t> presence_;
    std::vector<uint16_t> codes_;
};

}  // namespace tessel::test
