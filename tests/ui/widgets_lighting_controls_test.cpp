// The picture slider and the colour-picker button of the lighting panel.

#include <QGridLayout>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

#include "SkinTestFolder.h"
#include "skin/qt/CBaseDialog.h"
#include "widgets/CBitmapSlider.h"
#include "widgets/CSkinColorBtn.h"

namespace tessel {
namespace {

using testing_support::SkinTestFolder;
using testing_support::SolidImage;

constexpr int kSliderId = 1178;

const ControlTemplate kControls[] = {
    {kSliderId, Control<CBitmapSlider>, {}, QRect(10, 10, 10, 10)},
};
const DialogTemplate kTemplate{900, u"Slider", QSize(200, 100), kControls};

class BitmapSliderTest : public ::testing::Test {
protected:
    BitmapSliderTest() {
        folder_.WriteImage("Skins/bg.bmp", SolidImage(200, 100, Qt::darkGray));
        folder_.WriteText("Skins/Test.ini", "[SCREEN]\nMain=bg.bmp\n");
        window_ = std::make_unique<CBaseDialog>(kTemplate, nullptr, folder_.File("Skins/Test.ini"),
                                                folder_.File("Skins"));
        window_->Create();
        window_->Requests().Map().On(kSliderMovedMessage, [this](uintptr_t id, intptr_t pos) {
            posted_.push_back({static_cast<int>(id), static_cast<int>(pos)});
            return intptr_t{0};
        });
        slider_ = window_->Item<CBitmapSlider>(kSliderId);
        slider_->SetDlgCtrlID(kSliderId);
        slider_->SetRange(0, 4);
        slider_->SetPageSize(10);
        slider_->SetBitmap(QPixmap::fromImage(SolidImage(101, 12, Qt::blue)));
    }

    std::vector<std::pair<int, int>> Posted() {
        QCoreApplication::processEvents();
        return std::exchange(posted_, {});
    }
    void PressAt(int x) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(x, 5),
                          slider_->mapToGlobal(QPointF(x, 5)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(slider_, &press);
    }

    SkinTestFolder folder_;
    std::unique_ptr<CBaseDialog> window_;
    CBitmapSlider* slider_ = nullptr;
    std::vector<std::pair<int, int>> posted_;
};

TEST_F(BitmapSliderTest, TakesTheSizeOfEachPictureSet) {
    EXPECT_EQ(slider_->size(), QSize(101, 12));
    slider_->SetBitmap(QPixmap::fromImage(SolidImage(60, 30, Qt::red)));
    EXPECT_EQ(slider_->size(), QSize(60, 30));
    EXPECT_EQ(slider_->pos(), QPoint(10, 10));
}

TEST_F(BitmapSliderTest, UserMovesArePostedWithTheIdAndOnlyWhenThePositionChanges) {
    slider_->SetPos(7);
    EXPECT_EQ(slider_->GetPos(), 4) << "clamped";
    EXPECT_TRUE(Posted().empty()) << "the owner's own setting is not posted";
    slider_->SetPos(2);

    QTest::keyClick(slider_, Qt::Key_Right);
    QTest::keyClick(slider_, Qt::Key_PageDown);
    QTest::keyClick(slider_, Qt::Key_PageDown);
    QTest::keyClick(slider_, Qt::Key_Home);
    EXPECT_EQ(Posted(),
              (std::vector<std::pair<int, int>>{{kSliderId, 3}, {kSliderId, 4}, {kSliderId, 0}}));

    PressAt(100);
    PressAt(99);
    PressAt(50);
    PressAt(-20);
    EXPECT_EQ(Posted(),
              (std::vector<std::pair<int, int>>{{kSliderId, 4}, {kSliderId, 2}, {kSliderId, 0}}));
}

TEST(SkinColorBtnTest, StandsForItsAutomaticColourUntilOneIsChosen) {
    CSkinColorBtn button;
    button.SetDefaultColor(QColor(0, 255, 0));
    EXPECT_FALSE(button.Color().isValid());
    EXPECT_EQ(button.ChosenOrDefault(), QColor(0, 255, 0));
    button.SetColor(QColor(1, 2, 3));
    EXPECT_EQ(button.ChosenOrDefault(), QColor(1, 2, 3));
}

TEST(SkinColorBtnTest, PaletteCellsAndTheOtherEntryChooseAndNotify) {
    CSkinColorBtn button;
    button.SetColumnsNum(10);
    button.SetOtherText("Other...");
    std::vector<QColor> offered;
    button.SetOtherColourDialog([&](QColor initial, QWidget*) {
        offered.push_back(initial);
        return offered.size() == 1 ? QColor(7, 7, 7) : QColor();
    });
    QSignalSpy chosen(&button, &CSkinColorBtn::ColourChosen);

    button.ShowPalette();
    ASSERT_NE(button.PaletteMenu(), nullptr);
    auto* grid = button.PaletteMenu()->findChild<QGridLayout*>();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 10);
    EXPECT_EQ(grid->rowCount(), 4);
    auto cells = button.PaletteMenu()->findChildren<QToolButton*>();
    ASSERT_EQ(cells.size(), CSkinColorBtn::kPaletteSize);
    qobject_cast<QToolButton*>(grid->itemAtPosition(1, 3)->widget())->click();
    EXPECT_EQ(button.Color(), CSkinColorBtn::Palette()[13]);
    ASSERT_EQ(chosen.count(), 1);

    QAction* other = button.PaletteMenu()->actions().last();
    EXPECT_EQ(other->text(), "Other...");
    other->trigger();
    EXPECT_EQ(offered.front(), CSkinColorBtn::Palette()[13]);
    EXPECT_EQ(button.Color(), QColor(7, 7, 7));
    other->trigger();  // cancelled
    EXPECT_EQ(button.Color(), QColor(7, 7, 7));
    EXPECT_EQ(chosen.count(), 2);
}

}  // namespace
}  // namespace tessel
