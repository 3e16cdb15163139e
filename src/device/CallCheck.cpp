#include "device/CallCheck.h"

#include <cstring>

#include "device/Channels.h"
#include "platform/LittleEndian.h"

namespace tessel {

uint32_t ComputeCallCheck(uint32_t running, std::span<const uint8_t> block) {
    for (uint8_t byte : block) running += kCallCheckTable[byte];
    return running;
}

uint32_t CallCheckValue(const ChannelDescriptor& channel, uint32_t second, uint32_t third,
                        std::span<const uint8_t> data) {
    std::array<uint8_t, 4> secondBytes{};
    std::array<uint8_t, 4> thirdBytes{};
    PutU32(secondBytes, 0, second);
    PutU32(thirdBytes, 0, third);
    uint32_t check = ComputeCallCheck(0, DescriptorBytes(channel));
    check = ComputeCallCheck(check, secondBytes);
    check = ComputeCallCheck(check, thirdBytes);
    return ComputeCallCheck(check, data);
}

uint32_t CallbackCheckArgument(DeviceCallback callback) {
    uintptr_t address = 0;
    static_assert(sizeof(address) == sizeof(callback));
    std::memcpy(&address, &callback, sizeof(address));
    return static_cast<uint32_t>(address);
}

}  // namespace tessel
