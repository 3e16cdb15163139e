// Captions on skin pictures: a line longer than its box is drawn smaller, then
// on two lines where the box is tall enough, and only cut when neither fits.

#include <QFontMetrics>

#include <gtest/gtest.h>

#include "skin/qt/CaptionFit.h"

namespace tessel {
namespace {

QFont Face(int pixels) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    return font;
}

int Widest(const CaptionLayout& layout) {
    int widest = 0;
    for (const QString& line : layout.lines) {
        widest = std::max(widest, QFontMetrics(layout.font).horizontalAdvance(line));
    }
    return widest;
}

TEST(CaptionFitTest, ShrinksToTheFloorThenBreaksIntoTwoLinesThenReportsACut) {
    const QString text = QStringLiteral("Passer au mode touches de couleur");
    const int natural = QFontMetrics(Face(13)).horizontalAdvance(text);
    const int atFloor = QFontMetrics(Face(kCaptionFloorPixels)).horizontalAdvance(text);

    const CaptionLayout kept = FitCaption(text, Face(13), QSize(natural, 20));
    EXPECT_EQ(kept.font.pixelSize(), 13) << "a caption that fits keeps the skin's type";
    EXPECT_EQ(kept.lines, QStringList{text});

    const CaptionLayout smaller = FitCaption(text, Face(13), QSize(natural * 4 / 5, 20));
    EXPECT_LT(smaller.font.pixelSize(), 13);
    EXPECT_GE(smaller.font.pixelSize(), kCaptionFloorPixels);
    EXPECT_EQ(smaller.lines.size(), 1);
    EXPECT_LE(Widest(smaller), natural * 4 / 5);

    const CaptionLayout twoLines = FitCaption(text, Face(13), QSize(atFloor * 2 / 3, 40));
    ASSERT_EQ(twoLines.lines.size(), 2) << "a tall box takes two lines";
    EXPECT_TRUE(twoLines.fits);
    EXPECT_EQ(twoLines.lines.join(' '), text) << "broken at a blank, nothing lost";
    EXPECT_LE(Widest(twoLines), atFloor * 2 / 3);

    const CaptionLayout cut = FitCaption(text, Face(13), QSize(atFloor * 2 / 3, 14));
    EXPECT_FALSE(cut.fits) << "one line high and too narrow at the floor";
    EXPECT_EQ(cut.font.pixelSize(), kCaptionFloorPixels);
}

TEST(CaptionFitTest, TextWithoutBlanksBreaksAnywhere) {
    const QString text = QStringLiteral("切换到颜色键模式切换到颜色键模式");
    const int atFloor = QFontMetrics(Face(kCaptionFloorPixels)).horizontalAdvance(text);
    const CaptionLayout layout = FitCaption(text, Face(13), QSize(atFloor * 2 / 3, 40));
    ASSERT_EQ(layout.lines.size(), 2);
    EXPECT_EQ(layout.lines.join(QString()), text);
}

}  // namespace
}  // namespace tessel
