#include "device/Channels.h"

#include "device/ByteOrder.h"

namespace tessel {

std::array<uint8_t, kChannelDescriptorSize> DescriptorBytes(const ChannelDescriptor& channel) {
    std::array<uint8_t, kChannelDescriptorSize> bytes{};
    StoreU32(bytes, 0, channel.match_flags);
    StoreU16(bytes, 4, channel.vendor_id);
    StoreU16(bytes, 6, channel.product_id);
    StoreU16(bytes, 8, channel.usage_page);
    StoreU16(bytes, 10, channel.usage);
    StoreU32(bytes, 12, channel.reserved);
    return bytes;
}

}  // namespace tessel
