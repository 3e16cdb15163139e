#pragma once
// What the library needs of a device backend (real hardware or the simulated
// keyboard). Backends never call the program: they hand reports and presence
// changes to an EventSink, which delivers them on the callback thread.

#include <chrono>
#include <cstdint>
#include <span>
#include <vector>

#include "Channel.h"

namespace torvex {

class EventSink {
public:
    virtual ~EventSink() = default;
    virtual void InputReport(const InterfaceInfo& source, std::span<const uint8_t> bytes,
                             std::chrono::milliseconds delay) = 0;
    // `attached` is the full list of interfaces present after the change.
    virtual void PresenceChanged(std::vector<InterfaceInfo> attached) = 0;
};

class Backend {
public:
    virtual ~Backend() = default;
    virtual bool Start(EventSink& sink) = 0;
    // After Stop returns the backend no longer calls the sink.
    virtual void Stop() = 0;
    virtual std::vector<InterfaceInfo> Interfaces() = 0;
    // The channels that have standing reads; a backend reads only from these.
    virtual void Watch(std::vector<ChannelKey> keys) = 0;
    // Output report to the first interface the key selects; 1 sent, 0 not sent.
    virtual int Write(const ChannelKey& key, std::span<const uint8_t> bytes) = 0;
    virtual int SendFeature(const ChannelKey& key, std::span<const uint8_t> bytes) = 0;
};

}  // namespace torvex
