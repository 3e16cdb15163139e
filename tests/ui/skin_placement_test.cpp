// Placing controls from skin rectangle entries and loading skin pictures.

#include "SkinTestFolder.h"
#include "skin/qt/CPngButton.h"
#include "skin/qt/SkinPictures.h"
#include "skin/qt/SkinPlacement.h"

#include <QLabel>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tessel {
namespace {

using testing_support::SkinTestFolder;
using testing_support::SolidImage;

constexpr char kMainIni[] =
    "[BUTTONINFO]\n"
    "KEY_01E=10,20,30,40,anything here\n"
    "CORNER=1,1,50,20\n"
    "LEFT_ARROW=100,5,12,14\n"
    "[BUTTONINFO2]\n"
    "UP_ARROW_LEFT1=40,60,0,0\n";

class PlacementTest : public testing::Test {
protected:
    PlacementTest() : ini_(folder_.WriteText("Skins/Main.ini", kMainIni)), button_(&window_) {
        window_.resize(300, 200);
        sheet_ = QPixmap(400, 300);
        sheet_.fill(Qt::darkGray);
    }

    void Place(CPngButton& button, std::u16string_view entry) {
        PlaceSkinButton(button, ini_, u"BUTTONINFO", entry, &sheet_, &sheet_, &sheet_, &sheet_,
                        &sheet_);
    }

    SkinTestFolder folder_;
    std::filesystem::path ini_;
    QPixmap sheet_;
    QWidget window_;
    CPngButton button_;
};

TEST_F(PlacementTest, SkinnedButtonTakesItsRectangleAndCutsItsPicturesThere) {
    Place(button_, u"KEY_01E");
    EXPECT_EQ(button_.geometry(), QRect(10, 20, 30, 40));
    EXPECT_EQ(button_.SourceOffset(), QPoint(10, 20));
    EXPECT_EQ(button_.StatePicture(CPngButton::kChecked), &sheet_);
    EXPECT_TRUE(button_.isEnabled());
    EXPECT_FALSE(button_.isHidden());
}

TEST_F(PlacementTest, EntryAtOneOneHidesASkinnedButtonButOnlyMovesAPlainControl) {
    Place(button_, u"CORNER");
    EXPECT_FALSE(button_.isEnabled());
    EXPECT_TRUE(button_.isHidden());

    QLabel label(&window_);
    PlaceControl(label, ini_, u"BUTTONINFO", u"CORNER");
    EXPECT_EQ(label.geometry(), QRect(1, 1, 50, 20));
    EXPECT_FALSE(label.isHidden());
}

TEST_F(PlacementTest, MissingEntryGivesATinyControlAndHidesOnlySkinnedButtons) {
    Place(button_, u"KEY_MISSING");
    EXPECT_EQ(button_.geometry(), QRect(1, 1, 1, 1));
    EXPECT_FALSE(button_.isEnabled());
    EXPECT_TRUE(button_.isHidden());

    CPngButton other(&window_);
    Place(other, u"KEY_01E");
    EXPECT_TRUE(other.isEnabled()) << "the other buttons are unaffected";

    QLabel label(&window_);
    PlaceControl(label, ini_, u"BUTTONINFO", u"COLOR_R");
    EXPECT_EQ(label.geometry(), QRect(1, 1, 1, 1));
    EXPECT_FALSE(label.isHidden());
}

TEST_F(PlacementTest, MoveControlKeepsTheSize) {
    QLabel label(&window_);
    label.setGeometry(0, 0, 77, 33);
    MoveControl(label, ini_, u"BUTTONINFO", u"KEY_01E");
    EXPECT_EQ(label.geometry(), QRect(10, 20, 77, 33));
}

TEST_F(PlacementTest, ArrowShowsOnePictureAtTheOffsetOfItsOffsetEntry) {
    QPixmap arrow(200, 200);
    arrow.fill(Qt::white);
    PlaceArrow(button_, ini_, u"BUTTONINFO", u"LEFT_ARROW", u"BUTTONINFO2", u"UP_ARROW_LEFT1",
               &arrow);
    EXPECT_EQ(button_.geometry(), QRect(100, 5, 12, 14));
    EXPECT_EQ(button_.SourceOffset(), QPoint(40, 60));
    for (int state = 0; state < CPngButton::kPictureCount; ++state) {
        EXPECT_EQ(button_.StatePicture(static_cast<CPngButton::Picture>(state)), &arrow);
    }
}

TEST(SkinPictures, ButtonSheetsAlwaysGiveAPictureObject) {
    SkinTestFolder folder;
    folder.WriteImage("Skins/main_normal.jpg", SolidImage(64, 48, QColor(200, 40, 40)));
    folder.WriteText("Skins/main_over.jpg", "this is not a picture");

    const auto decoded = LoadSkinPicture(folder.Root(), u"Skins\\main_normal.jpg");
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->size(), QSize(64, 48));

    const auto undecodable = LoadSkinPicture(folder.Root(), u"Skins\\main_over.jpg");
    ASSERT_TRUE(undecodable);
    EXPECT_TRUE(undecodable->isNull());
    const auto missing = LoadSkinPicture(folder.Root(), u"Skins\\main_down.jpg");
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->isNull());
}

TEST(SkinPictures, RenderingIsOneToOneIntoTheClientSizePlusAHundred) {
    QWidget window;
    window.resize(200, 100);
    const QImage picture = SolidImage(150, 80, QColor(0, 0, 255));
    QPixmap target;
    RenderSkinPicture(target, picture, window);
    EXPECT_EQ(target.size(), QSize(300, 200));
    const QImage result = target.toImage();
    EXPECT_EQ(result.pixelColor(149, 79), QColor(0, 0, 255)) << "not scaled";
    EXPECT_EQ(result.pixelColor(150, 80).alpha(), 0) << "uncovered parts stay unpainted";

    QPixmap empty;
    RenderSkinPicture(empty, QImage(), window);
    EXPECT_EQ(empty.size(), QSize(300, 200)) << "a missing sheet still gives its picture";
}

TEST(SkinPictures, LightingBitmapsLoadUnscaledOrNotAtAll) {
    SkinTestFolder folder;
    folder.WriteImage("Skins/jdt1.bmp", SolidImage(37, 11, Qt::green));
    EXPECT_EQ(LoadSkinBitmap(folder.File("Skins"), u"jdt1.bmp").size(), QSize(37, 11));
    EXPECT_TRUE(LoadSkinBitmap(folder.File("Skins"), u"jdt2.bmp").isNull());
}

TEST(SkinPictures, BackgroundPictureDecodesOrEndsTheProgram) {
    SkinTestFolder folder;
    const auto good = folder.WriteImage("Skins/bg.bmp", SolidImage(20, 10, Qt::red));
    EXPECT_EQ(LoadPictureFile(good).size(), QSize(20, 10));

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(LoadPictureFile(folder.File("Skins/absent.bmp")), testing::ExitedWithCode(1),
                "skin picture");
    const auto garbage = folder.WriteText("Skins/garbage.bmp", "BM but not really");
    EXPECT_EXIT(LoadPictureFile(garbage), testing::ExitedWithCode(1), "skin picture");
}

TEST(SkinPictures, APictureFileIsCheckedWithoutDecodingItsPixels) {
    SkinTestFolder folder;
    EXPECT_EQ(CheckPictureFile(folder.WriteImage("Skins/bg.jpg", SolidImage(33, 21, Qt::red))),
              QSize(33, 21));
    EXPECT_EQ(CheckPictureFile(folder.WriteImage("Skins/bg.png", SolidImage(8, 5, Qt::red))),
              QSize(8, 5));
    const auto bmp = folder.WriteImage("Skins/mask.bmp", SolidImage(40, 30, Qt::white));
    EXPECT_EQ(CheckPictureFile(bmp), QSize(40, 30));

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::filesystem::resize_file(bmp, std::filesystem::file_size(bmp) - 100);
    EXPECT_EXIT(CheckPictureFile(bmp), testing::ExitedWithCode(1), "mask.bmp is cut off");
    EXPECT_EXIT(CheckPictureFile(folder.File("Skins/absent.jpg")), testing::ExitedWithCode(1),
                "cannot read skin picture");
    const auto text = folder.WriteText("Skins/text.png", "a picture in name only");
    EXPECT_EXIT(CheckPictureFile(text), testing::ExitedWithCode(1), "cannot decode");
    EXPECT_EXIT(CheckPictureFile("/dev/zero"), testing::ExitedWithCode(1), "not a regular file");
}

}  // namespace
}  // namespace tessel
