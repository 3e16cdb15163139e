#pragma once
// Backend over HID hardware: periodic enumeration finds attach and removal,
// one reader thread per watched interface delivers its input reports, and
// writes go through a handle of their own per interface.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "Backend.h"
#include "HidApi.h"

namespace torvex {

inline constexpr std::chrono::milliseconds kEnumerationInterval{500};

class HidBackend : public Backend {
public:
    HidBackend(std::unique_ptr<HidApi> api, std::chrono::milliseconds enumerationInterval);
    ~HidBackend() override;

    bool Start(EventSink& sink) override;
    void Stop() override;
    std::vector<InterfaceInfo> Interfaces() override;
    void Watch(std::vector<ChannelKey> keys) override;
    int Write(const ChannelKey& key, std::span<const uint8_t> bytes) override;
    int SendFeature(const ChannelKey& key, std::span<const uint8_t> bytes) override;

private:
    struct Reader {
        InterfaceInfo interface;
        std::unique_ptr<HidDevice> device;
        std::atomic<bool> stop{false};
        std::atomic<bool> finished{false};
        std::thread thread;
    };

    std::unique_ptr<HidApi> api_;
    const std::chrono::milliseconds interval_;
    EventSink* sink_ = nullptr;

    std::mutex lock_;  // guards everything below
    bool running_ = false;
    std::vector<ChannelKey> watched_;
    std::vector<InterfaceInfo> attached_;
    std::map<std::string, std::unique_ptr<Reader>> readers_;
    std::map<std::string, std::unique_ptr<HidDevice>> writers_;

    std::mutex rescanLock_;  // one enumeration at a time
    std::condition_variable wake_;
    std::thread monitor_;

    void Monitor();
    void Rescan();
    bool IsWatched(const InterfaceInfo& interface) const;
    std::vector<InterfaceInfo> WatchedOf(const std::vector<InterfaceInfo>& interfaces) const;
    void RunReader(Reader& reader);
    int WriteTo(const ChannelKey& key, std::span<const uint8_t> bytes, bool feature);
};

}  // namespace torvex
