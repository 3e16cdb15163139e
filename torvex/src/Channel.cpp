#include "Channel.h"

#include <algorithm>

namespace torvex {

ChannelKey KeyOf(const ChannelDescriptor& descriptor) {
    return ChannelKey{descriptor.match_flags, descriptor.vendor_id, descriptor.product_id,
                      descriptor.usage_page, descriptor.usage};
}

bool Matches(const ChannelKey& key, const InterfaceInfo& interface) {
    if ((key.matchFlags & kMatchVendor) && key.vendorId != interface.vendorId) {
        return false;
    }
    if ((key.matchFlags & kMatchProduct) && key.productId != interface.productId) {
        return false;
    }
    if ((key.matchFlags & kMatchUsagePage) && key.usagePage != interface.usagePage) {
        return false;
    }
    if ((key.matchFlags & kMatchUsage) && key.usage != interface.usage) {
        return false;
    }
    return true;
}

int CountMatching(const ChannelKey& key, const std::vector<InterfaceInfo>& interfaces) {
    return static_cast<int>(std::count_if(interfaces.begin(), interfaces.end(),
                                          [&](const auto& each) { return Matches(key, each); }));
}

const InterfaceInfo* FirstMatching(const ChannelKey& key,
                                   const std::vector<InterfaceInfo>& interfaces) {
    auto found = std::find_if(interfaces.begin(), interfaces.end(),
                              [&](const auto& each) { return Matches(key, each); });
    return found == interfaces.end() ? nullptr : &*found;
}

}  // namespace torvex
