// Captions on skin pictures: a line longer than its box is drawn smaller, not cut.

#include <QFontMetrics>

#include <gtest/gtest.h>

#include "widgets/ColorStatic.h"

namespace tessel {
namespace {

TEST(ColorStaticTest, ALineIsShrunkOnlyUntilItFitsItsBox) {
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10.8);
    const QString name = QStringLiteral("Nom de la macro");
    const int natural = QFontMetrics(font).horizontalAdvance(name);

    // Wide enough: the skin's font is kept.
    EXPECT_EQ(FontFittingWidth(font, name, natural).pointSizeF(), 10.8);

    // Too narrow: smaller, and then it fits.
    const QFont fitted = FontFittingWidth(font, name, natural * 3 / 4);
    EXPECT_LT(fitted.pointSizeF(), 10.8);
    EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(name), natural * 3 / 4);

    // Never unreadably small, however narrow the box.
    EXPECT_GE(FontFittingWidth(font, name, 1).pointSizeF(), 6.0);
}

}  // namespace
}  // namespace tessel
