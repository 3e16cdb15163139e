#include "resident/FirmwareCheck.h"

namespace tessel {

uint16_t FirmwareVersionOf(std::span<const uint8_t, kDeviceInfoSize> info) {
    return static_cast<uint16_t>(info[kFirmwareVersionAt] | (info[kFirmwareVersionAt + 1] << 8));
}

}  // namespace tessel
