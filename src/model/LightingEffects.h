#pragma once
// The lighting effect codes: which the keyboard offers, which can be selected into
// a profile, and which parameters each one uses.

#include <cstdint>
#include <span>
#include <vector>

namespace tessel {

inline constexpr int kFirstSelectableEffect = 1;
inline constexpr int kLastSelectableEffect = 7;
inline constexpr int kCustomEffect = 7;
inline constexpr int kDefaultEffect = 1;

struct EffectParameters {
    bool brightness = false;
    bool speed = false;
    bool direction = false;
    bool colour = false;  // the colourful flag and the plain colour
    bool secondFlag = false;
    bool perKeyColours = false;
};

bool IsSelectableEffect(int code);
// Selecting these codes also sends the current colourful flag.
bool SelectionSendsColourful(int code);
// All false for a code outside 1..7.
EffectParameters EffectParametersOf(int code);

// The effect codes listed in bytes 12 to 43 of the device information block, in
// menu order, zero bytes skipped.
std::vector<int> OfferedEffects(std::span<const uint8_t> deviceInfo);

}  // namespace tessel
