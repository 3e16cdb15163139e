#pragma once
// The program's calls into the bound device-service library, each with the
// descriptor, tag and call-check value it needs.

#include <cstdint>
#include <span>

#include "device/Channels.h"
#include "device/DeviceFunctions.h"

namespace tessel {

inline constexpr std::size_t kIndicatorStateSize = 2;

class DeviceService {
public:
    explicit DeviceService(const DeviceFunctions& functions) : functions_(functions) {}

    // > 0 when the library is ready.
    int Init();
    // Keyboards attached on the command channel; 0 = none.
    int CommandChannelDeviceCount();
    // > 0 when the 64-byte frame was handed to the keyboard. The check value is
    // computed once by the caller so every retry sends the same one.
    int WriteCommandFrame(std::span<const uint8_t, 64> frame, uint32_t check);
    // Replaces the standing read stored under unitId (0 before the first one):
    // every input report and presence change of the channel then reaches
    // OnDeviceEvent.
    void RegisterRead(const ChannelDescriptor& channel, ChannelTag tag, uint32_t& unitId);
    // Replaces the indicator write stored under unitId with a new one.
    void WriteIndicatorState(std::span<const uint8_t, kIndicatorStateSize> state, uint32_t& unitId);
    void CancelRequest(uint32_t unitId);

private:
    DeviceFunctions functions_;
};

}  // namespace tessel
