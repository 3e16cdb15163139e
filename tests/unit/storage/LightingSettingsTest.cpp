#include "model/LightingSettings.h"

#include <gtest/gtest.h>

#include "model/LightingEffects.h"

namespace tessel {
namespace {

using Record = std::array<uint8_t, LightingSettings::kRecordSize>;

TEST(LightingSettings, DecodesTheRecordWithItsReadAsRules) {
    Record record{};
    record[0] = 5;
    record[1] = 3;
    record[2] = 4;  // speed slider position 0
    record[3] = 255;
    record[4] = 0x80;  // any non-zero value is colourful
    record[5] = 10;
    record[6] = 20;
    record[7] = 30;
    record[15] = 9;  // above 3 reads as 3
    record[17] = 7;  // above 3 reads as 0
    record[18] = 1;
    record[19] = 1;
    record[25] = 1;
    record[28] = 2;
    record[32] = 0xFF;

    LightingSettings settings;
    settings.Decode(record);

    EXPECT_EQ(settings.effect, 5);
    EXPECT_EQ(settings.brightness, 3);
    EXPECT_EQ(settings.speedPosition, 0);
    EXPECT_EQ(settings.direction, 255);
    EXPECT_TRUE(settings.colourful);
    EXPECT_EQ(settings.colour, 0x1E140Au);
    EXPECT_EQ(settings.reportRate, 3);
    EXPECT_EQ(settings.colourVariant, 0);
    EXPECT_EQ(settings.secondFlag, 1);
    EXPECT_EQ(settings.twoWaySwitch, 1);
    EXPECT_EQ(settings.secondColour, 0x000001u);
    EXPECT_TRUE(settings.secondColourful);
    EXPECT_EQ(settings.thirdColour, 0xFF0000u);
    EXPECT_FALSE(settings.thirdColourful);
}

TEST(LightingSettings, SecondFlagAndTwoWaySwitchKeepTheirValueUnlessValid) {
    Record record{};
    record[0] = 5;
    record[18] = 1;
    record[19] = 1;
    LightingSettings settings;
    settings.Decode(record);

    record[0] = 3;  // the second flag belongs to effect 5 only
    record[18] = 0;
    record[19] = 7;
    settings.Decode(record);
    EXPECT_EQ(settings.secondFlag, 1);
    EXPECT_EQ(settings.twoWaySwitch, 1);

    record[0] = 5;
    record[18] = 2;
    settings.Decode(record);
    EXPECT_EQ(settings.secondFlag, 1);
}

TEST(LightingSettings, SpeedIsStoredReversedAgainstTheSlider) {
    EXPECT_EQ(SpeedByteOfPosition(0), 4);
    EXPECT_EQ(SpeedByteOfPosition(4), 0);
    EXPECT_EQ(SpeedByteOfPosition(1), 3);
    EXPECT_EQ(SpeedPositionOfByte(4), 0);
    EXPECT_EQ(SpeedPositionOfByte(0), 4);
    // Out-of-range input stays within the slider.
    EXPECT_EQ(SpeedByteOfPosition(9), 0);
    EXPECT_EQ(SpeedPositionOfByte(200), 0);
}

TEST(LightingSettings, DefaultRecordPerProfile) {
    const auto record = DefaultLightingRecord(2);
    EXPECT_EQ(record.size(), 35u);
    const std::array<uint8_t, 8> head{3, 4, 2, 0, 0xFF, 0, 255, 0};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), record.begin()));
    EXPECT_TRUE(std::all_of(record.begin() + 8, record.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(DefaultLightingRecord(0)[0], 1);
    EXPECT_EQ(DefaultLightingRecord(1)[0], 2);
    EXPECT_EQ(DefaultLightingRecord(3)[0], 5);
    EXPECT_EQ(DefaultLightingRecord(-1)[0], 1);
    EXPECT_EQ(DefaultLightingRecord(4)[0], 1);
}

TEST(LightingEffects, OfferedCodesAndTheirParameters) {
    std::array<uint8_t, 44> info{};
    info[11] = 9;  // the macro capacity, not an effect
    info[12] = 7;
    info[13] = 0;
    info[14] = 1;
    info[43] = 12;
    EXPECT_EQ(OfferedEffects(info), (std::vector<int>{7, 1, 12}));

    EXPECT_FALSE(IsSelectableEffect(0));
    EXPECT_FALSE(IsSelectableEffect(8));
    EXPECT_TRUE(IsSelectableEffect(7));
    EXPECT_FALSE(EffectParametersOf(8).brightness);
    EXPECT_TRUE(EffectParametersOf(4).direction);
    EXPECT_FALSE(EffectParametersOf(4).speed);
    EXPECT_TRUE(EffectParametersOf(5).secondFlag);
    EXPECT_TRUE(EffectParametersOf(7).perKeyColours);
    EXPECT_TRUE(SelectionSendsColourful(3));
    EXPECT_FALSE(SelectionSendsColourful(6));
}

}  // namespace
}  // namespace tessel
