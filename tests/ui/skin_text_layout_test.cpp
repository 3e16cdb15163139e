// Placement of button text: the start point of a line for the format flags the
// skins use, and the "heavy" centring of rotated text.

#include "skin/qt/ButtonText.h"
#include "skin/qt/TextCentring.h"

#include <gtest/gtest.h>

namespace tessel {
namespace {

void ExpectBox(const TextBox& box, int left, int top, int right, int bottom) {
    EXPECT_EQ(box.left, left);
    EXPECT_EQ(box.top, top);
    EXPECT_EQ(box.right, right);
    EXPECT_EQ(box.bottom, bottom);
}

TEST(HeavyTextCentring, UnrotatedTextIsCentredAcrossAndTheBoxShrinksFromBelow) {
    // w = 40 < 100: left += 30; h = 0 < 20: bottom += -10 + 5.
    ExpectBox(CentreTextForAngle({0, 0, 100, 20}, 0, 40, 10), 30, 0, 100, 15);
}

TEST(HeavyTextCentring, UprightTextSitsInTheMiddleOfATallBox) {
    // 90 degrees with the short pi of the skins: sin a is a hair below 1, so
    // h = trunc(39.99..) = 39 and trunc(sin a * 5) = 4: left += 10 - 4,
    // bottom += -(61 / 2).
    const TextBox box = CentreTextForAngle({0, 0, 20, 100}, 900, 40, 10);
    ExpectBox(box, 6, 0, 20, 70);
    // Drawn bottom-left, the line starts at (6, 60) and rises to 20: the
    // middle of 0..100, and 6..16 across the 20 pixels.
    EXPECT_EQ(TextStartPoint(QRect(box.left, box.top, box.Width(), box.Height()), 0x28, 40, 10),
              QPoint(6, 60));
}

TEST(HeavyTextCentring, DiagonalTextTruncatesEveryStepTowardZero) {
    // 45 degrees, extent 100 x 20: w = h = 70, sin a * cy / 2 = 7.07.
    ExpectBox(CentreTextForAngle({0, 0, 200, 101}, 450, 100, 20), 58, 0, 200, 101 - 15 + 7);
}

TEST(HeavyTextCentring, TextWiderOrTallerThanTheBoxLeavesThatSide) {
    ExpectBox(CentreTextForAngle({4, 2, 50, 12}, 0, 80, 10), 4, 2, 50, 12 - 5 + 5);
    ExpectBox(CentreTextForAngle({0, 0, 20, 30}, 900, 40, 10), 6, 0, 20, 30);
}

TEST(TextStartPoint, FollowsTheSkinFormats) {
    const QRect box(10, 20, 100, 30);
    EXPECT_EQ(TextStartPoint(box, 37, 40, 10), QPoint(40, 30)) << "centred, single line";
    EXPECT_EQ(TextStartPoint(box, 0x28, 40, 10), QPoint(10, 40)) << "bottom, left";
    EXPECT_EQ(TextStartPoint(box, 0x24, 40, 10), QPoint(10, 30)) << "vertically centred, left";
    EXPECT_EQ(TextStartPoint(box, 0x06, 40, 10), QPoint(70, 20))
        << "vertical flags need a single line";
}

}  // namespace
}  // namespace tessel
