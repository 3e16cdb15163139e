#pragma once
// The keyboard's three HID interfaces and the tags of the requests on them.

#include <array>
#include <cstdint>

#include "torvex.h"

namespace tessel {

// Four-character request tags, compared as 32-bit numbers.
enum class ChannelTag : uint32_t {
    CTRL = 0x4354524C,  // command frames, replies, presence, device count
    CONS = 0x434F4E53,  // notification codes sent by the keyboard
    LED = 0x004C4544,   // indicator state written by the program
};

inline constexpr uint32_t kChannelMatchFlags = 0x0000000F;
inline constexpr uint16_t kKeyboardVendorId = 0x320F;
inline constexpr uint16_t kKeyboardProductId = 0x500F;

inline constexpr ChannelDescriptor kCommandChannel{
    kChannelMatchFlags, kKeyboardVendorId, kKeyboardProductId, 0xFF1C, 0x0092, 0};
inline constexpr ChannelDescriptor kConsumerChannel{
    kChannelMatchFlags, kKeyboardVendorId, kKeyboardProductId, 0x000C, 0x0001, 0};
inline constexpr ChannelDescriptor kIndicatorChannel{
    kChannelMatchFlags, kKeyboardVendorId, kKeyboardProductId, 0x0008, 0x0089, 0};

inline constexpr std::size_t kChannelDescriptorSize = 16;

// The descriptor as the library sees it in memory: little-endian, field by field.
std::array<uint8_t, kChannelDescriptorSize> DescriptorBytes(const ChannelDescriptor& channel);

}  // namespace tessel
