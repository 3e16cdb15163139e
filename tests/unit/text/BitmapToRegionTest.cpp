#include "skin/BitmapToRegion.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kBlack = 0xFF000000;

TEST(BitmapToRegion, AnAllWhiteMaskHasNoShape) {
    const std::vector<std::uint32_t> pixels(16 * 8, kWhite);
    EXPECT_TRUE(BitmapToRegion(pixels, 16, 8, 0xFFFFFF, 0).empty());
    EXPECT_TRUE(BitmapToRegion(pixels, 0, 8, 0xFFFFFF, 0).empty());
}

TEST(BitmapToRegion, RunsOfEachRow) {
    // Row 0: .XX.X   Row 1: XXXXX   Row 2: .....
    const std::uint32_t W = kWhite, B = kBlack;
    const std::vector<std::uint32_t> pixels = {W, B, B, W, B, B, B, B, B, B, W, W, W, W, W};
    const std::vector<SkinRect> expected = {{1, 0, 2, 1}, {4, 0, 1, 1}, {0, 1, 5, 1}};
    EXPECT_EQ(BitmapToRegion(pixels, 5, 3, 0xFFFFFF, 0), expected);
    // Alpha is ignored: an opaque white and a transparent white are both key.
    const std::vector<std::uint32_t> alpha = {0x00FFFFFF, kWhite, 0x00000000};
    EXPECT_EQ(BitmapToRegion(alpha, 3, 1, 0xFFFFFF, 0), (std::vector<SkinRect>{{2, 0, 1, 1}}));
}

TEST(BitmapToRegion, ToleranceCountsUpwardFromTheKey) {
    const std::vector<std::uint32_t> pixels = {0xFF101010, 0xFF141414, 0xFF151414, 0xFF0F1010};
    // Key 0x101010 with tolerance 4 covers 0x10..0x14 in every channel.
    EXPECT_EQ(BitmapToRegion(pixels, 4, 1, 0x101010, 4), (std::vector<SkinRect>{{2, 0, 2, 1}}));
    // Capped at 255: a near-white key with a big tolerance still keys white.
    const std::vector<std::uint32_t> light = {0xFFFFFFFF, 0xFFF0F0F0, 0xFFEFF0F0};
    EXPECT_EQ(BitmapToRegion(light, 3, 1, 0xF0F0F0, 0xFFFFFFFF),
              (std::vector<SkinRect>{{2, 0, 1, 1}}));
}

TEST(BitmapToRegion, AShortBufferOnlyGivesItsWholeRows) {
    const std::vector<std::uint32_t> pixels(7, kBlack);
    EXPECT_EQ(BitmapToRegion(pixels, 3, 10, 0xFFFFFF, 0),
              (std::vector<SkinRect>{{0, 0, 3, 1}, {0, 1, 3, 1}}));
}

}  // namespace
}  // namespace tessel
