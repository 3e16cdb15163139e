#pragma once
// Which device interfaces a channel descriptor selects.

#include <cstdint>
#include <string>
#include <vector>

#include "torvex.h"

namespace torvex {

// Bits of the descriptor's match flags: each one makes a field count.
enum MatchFlag : uint32_t {
    kMatchVendor = 0x1,
    kMatchProduct = 0x2,
    kMatchUsagePage = 0x4,
    kMatchUsage = 0x8,
};

struct ChannelKey {
    uint32_t matchFlags = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;

    bool operator==(const ChannelKey&) const = default;
};

// One HID interface of an attached device (a top-level collection).
struct InterfaceInfo {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;

    bool operator==(const InterfaceInfo&) const = default;
};

ChannelKey KeyOf(const ChannelDescriptor& descriptor);
bool Matches(const ChannelKey& key, const InterfaceInfo& interface);
// Each keyboard exposes one interface per usage, so with the usual full match
// flags this is the number of keyboards attached.
int CountMatching(const ChannelKey& key, const std::vector<InterfaceInfo>& interfaces);
const InterfaceInfo* FirstMatching(const ChannelKey& key,
                                   const std::vector<InterfaceInfo>& interfaces);

}  // namespace torvex
