#pragma once
// Little-endian fields of device and file layouts, written and read byte by
// byte. Callers check that the field lies inside the buffer.

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessel {

inline void PutU16(std::span<uint8_t> out, std::size_t at, uint16_t value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

inline void PutU32(std::span<uint8_t> out, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

inline uint16_t GetU16(std::span<const uint8_t> in, std::size_t at) {
    return static_cast<uint16_t>(in[at] | (in[at + 1] << 8));
}

inline uint32_t GetU32(std::span<const uint8_t> in, std::size_t at) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | in[at + i];
    }
    return value;
}

}  // namespace tessel
