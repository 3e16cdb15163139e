// The program's own widgets take their colours from the skin: a dark skin
// gives dark lists and boxes with light text, a light one the reverse.

#include <QImage>

#include <gtest/gtest.h>

#include "widgets/SkinPalette.h"

namespace tessel {
namespace {

QImage Picture(QColor colour) {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

TEST(SkinPaletteTest, WindowsTakeTheSkinsColourAndTextReadsOnIt) {
    const QPalette dark = SkinPalette(Picture(QColor(0x17, 0x19, 0x1d)));
    EXPECT_EQ(dark.color(QPalette::Window), QColor(0x17, 0x19, 0x1d));
    EXPECT_GT(dark.color(QPalette::Text).lightness(), 180);
    EXPECT_LT(dark.color(QPalette::Base).lightness(), 40);
    EXPECT_GT(dark.color(QPalette::ToolTipText).lightness(), 180);
    EXPECT_LT(dark.color(QPalette::ToolTipBase).lightness(), 40);

    const QPalette light = SkinPalette(Picture(QColor(0xe8, 0xe8, 0xe8)));
    EXPECT_LT(light.color(QPalette::Text).lightness(), 60);
    EXPECT_GT(light.color(QPalette::Base).lightness(), 200);

    EXPECT_EQ(dark.color(QPalette::Highlight), light.color(QPalette::Highlight))
        << "selections in the skin buttons' red";
    EXPECT_GT(dark.color(QPalette::Highlight).red(), 150);
}

}  // namespace
}  // namespace tessel
