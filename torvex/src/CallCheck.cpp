#include "CallCheck.h"

#include <array>

#include "ByteOrder.h"

namespace torvex {

uint8_t CallCheckTableEntry(uint8_t index) {
    // 167 is odd, so i * 167 + 13 walks every value of 0..255 once.
    return static_cast<uint8_t>(index * 167 + 13);
}

uint32_t ComputeCallCheck(uint32_t running, std::span<const uint8_t> bytes) {
    for (uint8_t byte : bytes) {
        running += CallCheckTableEntry(byte);
    }
    return running;
}

uint32_t ExpectedCallCheck(const ChannelDescriptor& channel, DeviceCallback callback, uint32_t tag,
                           std::span<const uint8_t> data) {
    std::array<uint8_t, 16> descriptor{};
    PutU32(descriptor, 0, channel.match_flags);
    PutU16(descriptor, 4, channel.vendor_id);
    PutU16(descriptor, 6, channel.product_id);
    PutU16(descriptor, 8, channel.usage_page);
    PutU16(descriptor, 10, channel.usage);
    PutU32(descriptor, 12, channel.reserved);
    std::array<uint8_t, 4> callbackBytes{};
    PutU32(callbackBytes, 0, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(callback)));
    std::array<uint8_t, 4> tagBytes{};
    PutU32(tagBytes, 0, tag);

    uint32_t value = ComputeCallCheck(0, descriptor);
    value = ComputeCallCheck(value, callbackBytes);
    value = ComputeCallCheck(value, tagBytes);
    return ComputeCallCheck(value, data);
}

}  // namespace torvex
