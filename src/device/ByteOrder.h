#pragma once
// Little-endian stores and loads into byte buffers; callers check the bounds.

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessel {

inline void StoreU16(std::span<uint8_t> bytes, std::size_t at, uint16_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void StoreU32(std::span<uint8_t> bytes, std::size_t at, uint32_t value) {
    StoreU16(bytes, at, static_cast<uint16_t>(value));
    StoreU16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

inline uint16_t LoadU16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

}  // namespace tessel
