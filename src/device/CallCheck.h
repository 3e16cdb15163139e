#pragma once
// The value that accompanies every call into the device-service library, so
// the library can tell a well-formed call from a stray one.

#include <array>
#include <cstdint>
#include <span>

#include "torvex.h"

namespace tessel {

// A fixed permutation of 0..255 shared with the library.
inline constexpr std::array<uint8_t, 256> kCallCheckTable = [] {
    std::array<uint8_t, 256> table{};
    for (unsigned i = 0; i < table.size(); ++i) table[i] = static_cast<uint8_t>(i * 167 + 13);
    return table;
}();

// running + the table entries indexed by each byte, wrapping at 32 bits.
uint32_t ComputeCallCheck(uint32_t running, std::span<const uint8_t> block);

// The chained value of one call: descriptor, second argument, third argument
// (each as 4 little-endian bytes), then the data block when there is one.
uint32_t CallCheckValue(const ChannelDescriptor& channel, uint32_t second, uint32_t third,
                        std::span<const uint8_t> data = {});

// The low 32 bits of the callback's address, as the second argument counts it.
uint32_t CallbackCheckArgument(DeviceCallback callback);

}  // namespace tessel
