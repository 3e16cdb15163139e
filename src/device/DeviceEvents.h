#pragma once
// The one callback the device-service library calls, on a thread of its own,
// for all three registered requests, and where it sends each event.

#include <atomic>
#include <cstdint>
#include <shared_mutex>
#include <span>

#include "torvex.h"

namespace tessel {

// Receives the replies on the command channel (the transport's reply slot).
class CommandReplySink {
public:
    virtual ~CommandReplySink() = default;
    virtual void HandOffReply(std::span<const uint8_t> report) = 0;
};

// Receives what the keyboard reports on its own: attach and removal, and the
// notification codes of the consumer channel. Called on the library's thread,
// the same thread that delivers command replies: a handler must not wait for
// a transaction (its reply could never arrive); start a thread or post to the
// window for anything that talks to the keyboard.
class StatusChannelListener {
public:
    virtual ~StatusChannelListener() = default;
    virtual void OnPresenceChanged(uint32_t deviceCount) = 0;
    virtual void OnNotificationCode(uint16_t code) = 0;
};

class DeviceEventRouter {
public:
    static DeviceEventRouter& Instance();

    // Either may be nullptr; events for an absent receiver are dropped. Once
    // this returns no event reaches the previous receiver any more.
    void SetReplySink(CommandReplySink* sink);
    void SetStatusListener(StatusChannelListener* listener);

    void Dispatch(const DeviceEventRecord& event);
    // How many times the keyboard was reported gone: a sequence that saw it
    // go never goes on with a keyboard plugged in meanwhile.
    uint64_t Removals() const { return removals_; }

private:
    void HandOffReply(const DeviceRequestRecord& request);
    void ReportPresence(const DeviceRequestRecord& request);
    void DispatchNotification(const DeviceRequestRecord& request);

    struct Route;
    static const Route kRoutes[];

    std::shared_mutex mutex_;
    CommandReplySink* replySink_ = nullptr;
    StatusChannelListener* statusListener_ = nullptr;
    std::atomic<uint64_t> removals_{0};
};

// Always returns 1, whatever the record holds.
int OnDeviceEvent(const DeviceEventRecord* event);

}  // namespace tessel
