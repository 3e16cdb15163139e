#pragma once
// One running instance of the library: a backend, the registered requests and
// the callback thread. The exported functions are thin wrappers around it.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "Backend.h"
#include "EventDispatcher.h"
#include "RequestTable.h"

namespace torvex {

class Service {
public:
    explicit Service(std::unique_ptr<Backend> backend);
    ~Service();
    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    bool Start();
    // Waits for the backend's threads and the callback thread: no callback runs
    // after it returns. Must not be called from a callback.
    void Stop();
    bool OnCallbackThread() const { return dispatcher_.OnCallbackThread(); }

    int DeviceCount(const ChannelKey& key);
    int Write(const ChannelKey& key, std::span<const uint8_t> bytes);
    int SendFeature(const ChannelKey& key, std::span<const uint8_t> bytes);
    // Copies the last input report of the channel; returns the bytes copied.
    int LastReport(const ChannelKey& key, std::span<uint8_t> out) const;
    uint32_t AddRead(const ChannelKey& key, DeviceCallback callback, uint32_t tag);
    uint32_t AddOneShot() { return requests_.AddOneShot(); }
    bool Remove(uint32_t unitId);
    bool RemoveByHandle(const void* handle);

private:
    std::unique_ptr<Backend> backend_;
    RequestTable requests_;
    EventDispatcher dispatcher_;
    bool started_ = false;
};

// The backend named by TORVEX_BACKEND ("hid" when unset); nullptr when unknown.
std::unique_ptr<Backend> BackendFromEnvironment();

}  // namespace torvex
