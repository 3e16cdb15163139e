#include "device/DeviceEvents.h"

#include <cstring>
#include <mutex>

#include "device/Channels.h"

namespace tessel {

struct DeviceEventRouter::Route {
    ChannelTag tag;
    uint32_t kind;
    void (DeviceEventRouter::*handle)(const DeviceRequestRecord&);
};

// Anything not listed (other tags, presence on the consumer channel) is ignored.
const DeviceEventRouter::Route DeviceEventRouter::kRoutes[] = {
    {ChannelTag::CTRL, TORVEX_EVENT_INPUT_REPORT, &DeviceEventRouter::HandOffReply},
    {ChannelTag::CTRL, TORVEX_EVENT_PRESENCE, &DeviceEventRouter::ReportPresence},
    {ChannelTag::CONS, TORVEX_EVENT_INPUT_REPORT, &DeviceEventRouter::DispatchNotification},
};

DeviceEventRouter& DeviceEventRouter::Instance() {
    static DeviceEventRouter router;
    return router;
}

void DeviceEventRouter::SetReplySink(CommandReplySink* sink) {
    std::unique_lock lock(mutex_);
    replySink_ = sink;
}

void DeviceEventRouter::SetStatusListener(StatusChannelListener* listener) {
    std::unique_lock lock(mutex_);
    statusListener_ = listener;
}

void DeviceEventRouter::Dispatch(const DeviceEventRecord& event) {
    if (event.request == nullptr)
        return;
    const DeviceRequestRecord& request = *event.request;
    for (const Route& route : kRoutes) {
        if (static_cast<uint32_t>(route.tag) == request.tag && route.kind == event.kind) {
            std::shared_lock lock(mutex_);
            (this->*route.handle)(request);
            return;
        }
    }
}

void DeviceEventRouter::HandOffReply(const DeviceRequestRecord& request) {
    if (replySink_ == nullptr)
        return;
    const std::size_t length = request.data != nullptr ? request.count : 0;
    replySink_->HandOffReply(std::span<const uint8_t>(request.data, length));
}

void DeviceEventRouter::ReportPresence(const DeviceRequestRecord& request) {
    if (request.count == 0)
        ++removals_;
    if (statusListener_ != nullptr)
        statusListener_->OnPresenceChanged(request.count);
}

void DeviceEventRouter::DispatchNotification(const DeviceRequestRecord& request) {
    // The code is the first two bytes of the report that the report record
    // points to; a report too short to hold them carries no code.
    if (statusListener_ == nullptr || request.report == nullptr || request.count < 2)
        return;
    const uint8_t* bytes = nullptr;
    std::memcpy(&bytes, request.report + TORVEX_REPORT_POINTER_OFFSET, sizeof(bytes));
    if (bytes == nullptr)
        return;
    statusListener_->OnNotificationCode(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
}

int OnDeviceEvent(const DeviceEventRecord* event) {
    if (event != nullptr)
        DeviceEventRouter::Instance().Dispatch(*event);
    return 1;
}

}  // namespace tessel
