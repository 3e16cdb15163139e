#include "device/DeviceService.h"

#include "device/CallCheck.h"
#include "device/DeviceEvents.h"

namespace tessel {
namespace {

uint32_t TagValue(ChannelTag tag) {
    return static_cast<uint32_t>(tag);
}

}  // namespace

int DeviceService::Init() {
    return functions_.Init(0);
}

int DeviceService::CommandChannelDeviceCount() {
    const uint32_t check = CallCheckValue(kCommandChannel, 0, 0);
    return functions_.RequestGetDeviceCount(&kCommandChannel, nullptr, 0, check, 0);
}

int DeviceService::WriteCommandFrame(std::span<const uint8_t, 64> frame, uint32_t check) {
    return functions_.RequestWriteOne(&kCommandChannel, nullptr, 0, frame.data(),
                                      static_cast<int>(frame.size()), check, 0);
}

void DeviceService::RegisterRead(const ChannelDescriptor& channel, ChannelTag tag,
                                 uint32_t& unitId) {
    CancelRequest(unitId);
    const uint32_t check =
        CallCheckValue(channel, CallbackCheckArgument(&OnDeviceEvent), TagValue(tag));
    functions_.RequestAsyncRead(&channel, &OnDeviceEvent, TagValue(tag), check, &unitId);
}

void DeviceService::WriteIndicatorState(std::span<const uint8_t, kIndicatorStateSize> state,
                                        uint32_t& unitId) {
    CancelRequest(unitId);
    const uint32_t tag = TagValue(ChannelTag::LED);
    const uint32_t check =
        CallCheckValue(kIndicatorChannel, CallbackCheckArgument(&OnDeviceEvent), tag, state);
    functions_.RequestStatusWrite(&kIndicatorChannel, &OnDeviceEvent, tag, state.data(),
                                  static_cast<int>(state.size()), check, &unitId);
}

void DeviceService::CancelRequest(uint32_t unitId) {
    functions_.DeleteRequestFromUnitId(unitId);
}

}  // namespace tessel
