#pragma once
// The firmware version check made each time the window is opened.

#include "device/DeviceLink.h"

#include <cstdint>
#include <span>

namespace tessel {

inline constexpr uint16_t kRequiredFirmware = 0x0102;
inline constexpr std::size_t kFirmwareVersionAt = 8;

// Bytes 8 and 9 of the device information block, little-endian.
uint16_t FirmwareVersionOf(std::span<const uint8_t, kDeviceInfoSize> info);
// 0 means the keyboard did not say: no question then.
inline bool FirmwareNeedsUpdate(uint16_t version) {
    return version != 0 && version < kRequiredFirmware;
}

}  // namespace tessel
