#include "model/LightingSettings.h"

#include <algorithm>

namespace tessel {
namespace {

ColourRef ColourAt(std::span<const uint8_t, LightingSettings::kRecordSize> record, int offset) {
    return MakeColourRef(record[offset], record[offset + 1], record[offset + 2]);
}

}  // namespace

void LightingSettings::Decode(std::span<const uint8_t, kRecordSize> record) {
    effect = record[kEffectOffset];
    brightness = record[kBrightnessOffset];
    speedPosition = SpeedPositionOfByte(record[kSpeedOffset]);
    direction = record[kDirectionOffset];
    colour = ColourAt(record, kColourOffset);
    reportRate = std::min<int>(record[kReportRateOffset], kMaxReportRate);
    const int variant = record[kColourVariantOffset];
    colourVariant = variant > kMaxColourVariant ? 0 : variant;
    if (effect == 5 && record[kSecondFlagOffset] <= 1) {
        secondFlag = record[kSecondFlagOffset];
    }
    if (record[kTwoWaySwitchOffset] <= 1) {
        twoWaySwitch = record[kTwoWaySwitchOffset];
    }
    colourful = record[kColourfulOffset] != 0;
    secondColour = ColourAt(record, kSecondColourOffset);
    secondColourful = record[kSecondColourfulOffset] != 0;
    thirdColour = ColourAt(record, kThirdColourOffset);
    thirdColourful = record[kThirdColourfulOffset] != 0;
}

std::array<uint8_t, LightingSettings::kDefaultRecordSize> DefaultLightingRecord(int profile) {
    static constexpr std::array<uint8_t, 4> kDefaultEffects{1, 2, 3, 5};
    std::array<uint8_t, LightingSettings::kDefaultRecordSize> record{};
    record[LightingSettings::kEffectOffset] =
        profile >= 0 && profile < 4 ? kDefaultEffects[static_cast<std::size_t>(profile)] : 1;
    record[LightingSettings::kBrightnessOffset] = 4;
    record[LightingSettings::kSpeedOffset] = 2;
    record[LightingSettings::kDirectionOffset] = 0;
    record[LightingSettings::kColourfulOffset] = 0xFF;
    record[LightingSettings::kColourOffset] = 0;
    record[LightingSettings::kColourOffset + 1] = 255;
    record[LightingSettings::kColourOffset + 2] = 0;
    return record;
}

uint8_t SpeedByteOfPosition(int position) {
    const int clamped = std::clamp(position, 0, LightingSettings::kMaxSliderPosition);
    return static_cast<uint8_t>(LightingSettings::kMaxSliderPosition - clamped);
}

int SpeedPositionOfByte(uint8_t stored) {
    return LightingSettings::kMaxSliderPosition -
           std::min<int>(stored, LightingSettings::kMaxSliderPosition);
}

}  // namespace tessel
