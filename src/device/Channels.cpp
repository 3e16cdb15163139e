#include "device/Channels.h"

#include "platform/LittleEndian.h"

namespace tessel {

std::array<uint8_t, kChannelDescriptorSize> DescriptorBytes(const ChannelDescriptor& channel) {
    std::array<uint8_t, kChannelDescriptorSize> bytes{};
    PutU32(bytes, 0, channel.match_flags);
    PutU16(bytes, 4, channel.vendor_id);
    PutU16(bytes, 6, channel.product_id);
    PutU16(bytes, 8, channel.usage_page);
    PutU16(bytes, 10, channel.usage);
    PutU32(bytes, 12, channel.reserved);
    return bytes;
}

}  // namespace tessel
