#pragma once
// The 64-byte lighting record each on-board profile keeps in the keyboard's
// parameter area, its field offsets, and the values decoded from it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "model/LightingColour.h"

namespace tessel {

struct LightingSettings {
    // Field offsets inside a profile's record.
    static constexpr int kEffectOffset = 0;
    static constexpr int kBrightnessOffset = 1;
    static constexpr int kSpeedOffset = 2;
    static constexpr int kDirectionOffset = 3;
    static constexpr int kColourfulOffset = 4;
    static constexpr int kColourOffset = 5;
    static constexpr int kReportRateOffset = 15;
    static constexpr int kColourVariantOffset = 17;
    static constexpr int kSecondFlagOffset = 18;
    static constexpr int kTwoWaySwitchOffset = 19;
    static constexpr int kSecondColourOffset = 25;
    static constexpr int kSecondColourfulOffset = 28;
    static constexpr int kThirdColourOffset = 30;
    static constexpr int kThirdColourfulOffset = 33;

    static constexpr int kRecordSize = 64;
    static constexpr std::size_t kDefaultRecordSize = 35;
    static constexpr int kMaxReportRate = 3;
    static constexpr int kMaxColourVariant = 3;
    static constexpr int kMaxSliderPosition = 4;
    static constexpr uint8_t kDirectionLeft = 255;
    static constexpr uint8_t kDirectionRight = 0;

    int effect = 0;
    int brightness = 0;
    // Kept as the speed slider's position; the record holds 4 - position.
    int speedPosition = 0;
    int direction = 0;
    bool colourful = false;
    ColourRef colour = 0;
    int reportRate = 0;
    int colourVariant = 0;
    int secondFlag = 0;
    int twoWaySwitch = 0;
    ColourRef secondColour = 0;
    bool secondColourful = false;
    ColourRef thirdColour = 0;
    bool thirdColourful = false;

    // Decodes a record over the previous values: the second flag and the two-way
    // switch change only when the record holds a valid value for them.
    void Decode(std::span<const uint8_t, kRecordSize> record);
};

// The record the lighting defaults send for profile p (35 bytes at p x 64).
std::array<uint8_t, LightingSettings::kDefaultRecordSize> DefaultLightingRecord(int profile);

// Speed slider position 0..4 <-> the stored byte 4..0.
uint8_t SpeedByteOfPosition(int position);
int SpeedPositionOfByte(uint8_t stored);

}  // namespace tessel
