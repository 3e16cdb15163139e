#include "device/DeviceConnection.h"

#include "device/DeviceEvents.h"

namespace tessel {

DeviceConnection::DeviceConnection(const DeviceFunctions& functions)
    : service_(functions), transport_(service_, replySlot_), commands_(transport_) {}

DeviceConnection::~DeviceConnection() {
    DeviceEventRouter::Instance().SetReplySink(nullptr);
}

int DeviceConnection::OpenChannels() {
    service_.RegisterRead(kConsumerChannel, ChannelTag::CONS, requestIds_.consumerRead);
    // Replies have somewhere to go before the command channel can deliver one.
    DeviceEventRouter::Instance().SetReplySink(&replySlot_);
    service_.RegisterRead(kCommandChannel, ChannelTag::CTRL, requestIds_.commandRead);
    return service_.CommandChannelDeviceCount();
}

void DeviceConnection::WriteIndicatorState() {
    service_.WriteIndicatorState(indicatorState_, requestIds_.indicatorWrite);
}

}  // namespace tessel
