#include "model/LightingEffects.h"

#include <array>

namespace tessel {
namespace {

constexpr std::size_t kEffectListFirstByte = 12;
constexpr std::size_t kEffectListLastByte = 43;

// Indexed by code - 1.
constexpr std::array<EffectParameters, 7> kParameters{{
    {true, true, true, true, false, false},    // 1
    {true, true, false, false, false, false},  // 2
    {true, true, false, true, false, false},   // 3
    {true, false, true, false, false, false},  // 4
    {true, true, false, true, true, false},    // 5
    {true, false, false, true, false, false},  // 6
    {true, false, false, false, false, true},  // 7 custom
}};

}  // namespace

bool IsSelectableEffect(int code) {
    return code >= kFirstSelectableEffect && code <= kLastSelectableEffect;
}

bool SelectionSendsColourful(int code) {
    return code == 1 || code == 3 || code == 5;
}

EffectParameters EffectParametersOf(int code) {
    if (!IsSelectableEffect(code)) {
        return {};
    }
    return kParameters[static_cast<std::size_t>(code - 1)];
}

std::vector<int> OfferedEffects(std::span<const uint8_t> deviceInfo) {
    std::vector<int> codes;
    for (std::size_t i = kEffectListFirstByte; i <= kEffectListLastByte && i < deviceInfo.size();
         ++i) {
        if (deviceInfo[i] != 0) {
            codes.push_back(deviceInfo[i]);
        }
    }
    return codes;
}

}  // namespace tessel
