#pragma once
// The value every caller computes over its arguments so the library can tell a
// well-formed call from a stray one.

#include <cstdint>
#include <span>

#include "torvex.h"

namespace torvex {

uint8_t CallCheckTableEntry(uint8_t index);

// Running value plus the table entries of every byte, in wrapping arithmetic.
uint32_t ComputeCallCheck(uint32_t running, std::span<const uint8_t> bytes);

// Chained over the descriptor, the low 32 bits of the callback address, the tag
// and the data block, in that order.
uint32_t ExpectedCallCheck(const ChannelDescriptor& channel, DeviceCallback callback, uint32_t tag,
                           std::span<const uint8_t> data);

}  // namespace torvex
