// Keys painted in the custom lighting effect keep their legends: on the
// default skin, a key painted in any colour shows the legend of its picture in
// black or white, whichever reads on that colour.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include <filesystem>
#include <memory>

#include "skin/qt/CBaseDialog.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"

namespace tessel {
namespace {

constexpr int kKeyA = 1046;
constexpr int kG1 = 1000;
constexpr int kFn = 1174;
const ControlTemplate kKeys[] = {
    {kKeyA, Control<CPngButton>, u"", QRect(0, 0, 10, 10)},
    {kG1, Control<CPngButton>, u"", QRect(0, 0, 10, 10)},
    {kFn, Control<CPngButton>, u"", QRect(0, 0, 10, 10)},
};

int PixelsOf(const QImage& image, QColor colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == colour;
        }
    }
    return count;
}

TEST(PaintedKeyLegendTest, APaintedKeyShowsItsColourAndItsLegendInAReadableInk) {
    const std::filesystem::path program(TESSEL_PROGRAM_DIR);
    const std::filesystem::path ini = program / "Skins" / "Main.ini";
    const DialogTemplate keyboard{102, u"Keys", QSize(1140, 720), kKeys};
    CBaseDialog window(keyboard, nullptr, ini, program / "Skins");
    window.Create();
    const std::unique_ptr<QImage> sheet = LoadSkinPicture(program, u"Skins\\main_normal.jpg");
    ASSERT_TRUE(sheet && !sheet->isNull());
    QPixmap normal;
    RenderSkinPicture(normal, *sheet, window);

    const struct {
        int id;
        std::u16string_view entry;
    } keys[] = {{kKeyA, u"KEY_01E"}, {kG1, u"FUNC_G1"}, {kFn, u"KEY_FN"}};
    const struct {
        QColor paint;
        QColor ink;
    } paints[] = {{Qt::black, Qt::white},
                  {Qt::white, Qt::black},
                  {QColor(255, 0, 0), Qt::black},
                  {QColor(255, 255, 0), Qt::black},
                  {QColor(0, 0, 160), Qt::white}};
    for (const auto& key : keys) {
        auto* button = window.Item<CPngButton>(key.id);
        PlaceSkinButton(*button, ini, u"BUTTONINFO", key.entry, &normal, &normal, &normal, &normal,
                        &normal);
        ASSERT_GT(button->width(), 10) << "the default skin places " << key.id;
        for (const auto& paint : paints) {
            button->SetOutline(paint.paint, 100, true);
            const QImage shot = button->grab().toImage();
            const int painted = PixelsOf(shot, paint.paint);
            const int legend = PixelsOf(shot, paint.ink);
            const int area = shot.width() * shot.height();
            EXPECT_GT(painted, area / 2)
                << key.id << " shows its colour " << paint.paint.name().toStdString();
            EXPECT_GT(legend, 12) << key.id << " on " << paint.paint.name().toStdString()
                                  << ": legend in " << paint.ink.name().toStdString();
            EXPECT_LT(legend, area / 3) << key.id << ": a legend, not a filled key";
        }
    }
}

}  // namespace
}  // namespace tessel
