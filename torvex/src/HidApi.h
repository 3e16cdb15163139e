#pragma once
// The thin seam between the hid backend and hidapi, so the backend's matching,
// reader and presence logic can run against a scripted stand-in.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Channel.h"

namespace torvex {

class HidDevice {
public:
    virtual ~HidDevice() = default;
    // Bytes written, or < 0 on failure. The first byte is the report id.
    virtual int Write(std::span<const uint8_t> report) = 0;
    // Bytes read, 0 when nothing arrived within the time-out, < 0 when the device is gone.
    virtual int Read(std::span<uint8_t> buffer, int timeoutMs) = 0;
    virtual int SendFeature(std::span<const uint8_t> report) = 0;
};

class HidApi {
public:
    virtual ~HidApi() = default;
    virtual bool Init() = 0;
    virtual void Exit() = 0;
    // Every HID interface (top-level collection) attached now.
    virtual std::vector<InterfaceInfo> Enumerate() = 0;
    virtual std::unique_ptr<HidDevice> Open(const std::string& path) = 0;
};

}  // namespace torvex
