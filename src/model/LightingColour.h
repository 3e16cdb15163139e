#pragma once
// Colours of the lighting model as the colour buttons and colour files hold them:
// 0x00BBGGRR, red in the low byte.

#include <cstdint>

namespace tessel {

using ColourRef = uint32_t;

constexpr ColourRef MakeColourRef(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<ColourRef>(red) | (static_cast<ColourRef>(green) << 8) |
           (static_cast<ColourRef>(blue) << 16);
}
constexpr uint8_t RedOf(ColourRef colour) {
    return static_cast<uint8_t>(colour & 0xFF);
}
constexpr uint8_t GreenOf(ColourRef colour) {
    return static_cast<uint8_t>((colour >> 8) & 0xFF);
}
constexpr uint8_t BlueOf(ColourRef colour) {
    return static_cast<uint8_t>((colour >> 16) & 0xFF);
}

inline constexpr ColourRef kLightingGreen = MakeColourRef(0, 255, 0);
inline constexpr ColourRef kLightingRed = MakeColourRef(255, 0, 0);

}  // namespace tessel
