#pragma once
// Requests registered by the program, keyed by unit id. Standing reads keep
// their DeviceRequestRecord at a fixed address: it is the request's handle.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "Channel.h"
#include "torvex.h"

namespace torvex {

struct StandingRead {
    uint32_t unitId = 0;
    ChannelKey key;
    DeviceCallback callback = nullptr;
    uint32_t tag = 0;
    std::atomic<bool> removed{false};
    DeviceRequestRecord record{};  // filled by the callback thread only
};

class RequestTable {
public:
    uint32_t AddRead(const ChannelKey& key, DeviceCallback callback, uint32_t tag);
    // A request without deliveries (an output report) still gets its own id.
    uint32_t AddOneShot();
    bool Remove(uint32_t unitId);
    bool RemoveByHandle(const void* handle);
    void Clear();
    std::vector<std::shared_ptr<StandingRead>> Reads() const;
    std::vector<ChannelKey> WatchedKeys() const;

private:
    mutable std::mutex lock_;
    // 0 is never handed out: callers pass it before their first registration.
    uint32_t nextUnitId_ = 1;
    std::vector<uint32_t> oneShots_;
    std::vector<std::shared_ptr<StandingRead>> reads_;

    uint32_t NextId();
};

}  // namespace torvex
