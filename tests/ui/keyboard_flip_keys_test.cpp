// The flip keys: the saved setting choosing F1..F4 or D1..D6, the flip
// indicator and arrows, and the redraw chains of overlapping buttons.

#include "mainwindow/FlipKeys.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "keyboard_test_window.h"
#include "platform/Registry.h"
#include "storage/ProfileSettings.h"
#include "support/TempFolder.h"

namespace tessel {
namespace {

constexpr int kF1 = 1010;
constexpr int kF5 = 1014;
constexpr int kD1 = 1016;
constexpr int kEnter = 1070;
constexpr int kRightBracket = 1055;

// Counts the paint events of the buttons it watches.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++counts[watched];
        }
        return false;
    }
    std::map<QObject*, int> counts;
};

class FlipKeysTest : public ::testing::Test {
protected:
    FlipKeysTest()
        : registry_(folder_ / "settings.reg"),
          settings_(registry_),
          mainIni_(folder_ / "Main.ini"),
          flip_(window_.Lookup(), window_.Images(), settings_, mainIni_) {
        std::ofstream(mainIni_) << "[BUTTONINFO]\n"
                                   "LEFT_ARROW=100,200,16,12\n"
                                   "RIGHT_ARROW=300,200,16,12\n"
                                   "[BUTTONINFO2]\n"
                                   "DOWN_ARROW_LEFT1=1,2,16,12\n"
                                   "DOWN_ARROW_LEFT2=3,4,16,12\n"
                                   "UP_ARROW_LEFT2=5,6,16,12\n"
                                   "DOWN_ARROW_RIGHT1=7,8,16,12\n";
    }

    CPngButton& Button(int id) { return *window_.Button(id); }

    testing::TempFolder folder_;
    Registry registry_;
    ProfileSettings settings_;
    std::filesystem::path mainIni_;
    testing_support::KeyboardTestWindow window_;
    FlipKeys flip_;
};

TEST_F(FlipKeysTest, SettingChoosesFKeysOrDKeysAndEachToggleInverts) {
    settings_.WriteFlip(1);
    flip_.ApplyFlipSetting();
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(Button(kF1 + i).isEnabled()) << i;
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_TRUE(Button(kD1 + i).isEnabled()) << i;
        EXPECT_FALSE(Button(kD1 + i).isHidden()) << i;
    }
    EXPECT_TRUE(Button(kF5).isEnabled());
    const CPngButton& indicator = Button(keyboard_ids::kFlipIndicator);
    EXPECT_EQ(indicator.StatePicture(CPngButton::kNormal), window_.Picture(SkinImageSet::kNormal2));
    EXPECT_EQ(indicator.StatePicture(CPngButton::kDown), window_.Picture(SkinImageSet::kNormal2));
    EXPECT_EQ(indicator.StatePicture(CPngButton::kChecked),
              window_.Picture(SkinImageSet::kDisabled));

    flip_.ToggleFlipSetting();
    EXPECT_EQ(settings_.ReadFlip(), 0);
    EXPECT_TRUE(Button(kF1 + 3).isEnabled());
    EXPECT_FALSE(Button(kD1 + 5).isEnabled());
    EXPECT_TRUE(Button(kD1 + 5).isHidden()) << "no longer over F4";
    EXPECT_EQ(indicator.StatePicture(CPngButton::kOver), window_.Picture(SkinImageSet::kNormal));

    flip_.ToggleFlipSetting();
    EXPECT_EQ(flip_.ReadFlipSetting(), 1);
    EXPECT_FALSE(Button(kF1).isEnabled());
    EXPECT_TRUE(Button(kD1).isEnabled());
}

// A value another writer stored (2) counts as flipped, and a toggle from it
// goes back to the F keys.
TEST_F(FlipKeysTest, AnyStoredValueOtherThanZeroShowsTheDKeys) {
    registry_.WriteString(kProfilesSettingsKey, u"Flip", u"2");
    flip_.ApplyFlipSetting();
    EXPECT_FALSE(Button(kF1).isEnabled());
    EXPECT_TRUE(Button(kD1).isEnabled());
    EXPECT_FALSE(Button(kD1).isHidden());

    flip_.ToggleFlipSetting();
    EXPECT_EQ(flip_.ReadFlipSetting(), 0);
    EXPECT_TRUE(Button(kF1).isEnabled());
    EXPECT_TRUE(Button(kD1).isHidden());
}

TEST_F(FlipKeysTest, ArrowIsPlacedOnlyWhileVisibleForTheSettingAndIndex) {
    CPngButton& left = Button(keyboard_ids::kLeftArrow);
    const QRect unplaced = left.geometry();
    flip_.UpdateArrow(ArrowSide::Left, 1, true, false);
    EXPECT_EQ(left.geometry(), unplaced);
    EXPECT_EQ(flip_.ArrowIndex(), 1);

    // An index other than 0 and 1 keeps the last one; no set-flag keeps the flag.
    flip_.UpdateArrow(ArrowSide::Left, 7, true, true);
    EXPECT_EQ(left.geometry(), QRect(100, 200, 16, 12));
    EXPECT_EQ(left.SourceOffset(), QPoint(3, 4)) << "F keys shown: DOWN_ARROW_LEFT2";
    EXPECT_EQ(left.StatePicture(CPngButton::kNormal), window_.Picture(SkinImageSet::kArrow));

    settings_.WriteFlip(1);
    flip_.UpdateArrow(ArrowSide::Left, kKeepArrowIndex, false, false);
    EXPECT_TRUE(flip_.ArrowVisible());
    EXPECT_EQ(left.SourceOffset(), QPoint(5, 6)) << "D keys shown: UP_ARROW_LEFT2";

    settings_.WriteFlip(0);
    flip_.UpdateArrow(ArrowSide::Right, 0, false, false);
    EXPECT_EQ(Button(keyboard_ids::kRightArrow).geometry(), QRect(300, 200, 16, 12));
    EXPECT_EQ(Button(keyboard_ids::kRightArrow).SourceOffset(), QPoint(7, 8));
}

TEST_F(FlipKeysTest, FlipButtonsShowTheirArrowWhileDrawingTheirNormalPicture) {
    flip_.AttachRedrawChains();
    window_.Drawn(keyboard_ids::kLeftFlipButton);
    EXPECT_TRUE(flip_.ArrowVisible());
    EXPECT_EQ(Button(keyboard_ids::kLeftArrow).geometry(), QRect(100, 200, 16, 12));

    Button(keyboard_ids::kRightFlipButton).setDown(true);
    window_.Drawn(keyboard_ids::kRightFlipButton);
    EXPECT_FALSE(flip_.ArrowVisible());
    EXPECT_NE(Button(keyboard_ids::kRightArrow).geometry(), QRect(300, 200, 16, 12));
}

TEST_F(FlipKeysTest, RedrawChainsRepaintTheButtonsDrawnOverOthers) {
    flip_.AttachRedrawChains();
    QWidget& window = window_.Window();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
    PaintCounter counter;
    for (QObject* child : window.children()) {
        child->installEventFilter(&counter);
    }
    const auto paintedAfter = [&](int id) {
        counter.counts.clear();
        Button(id).Redraw();
        QApplication::processEvents();
        return counter.counts;
    };

    auto painted = paintedAfter(keyboard_ids::kFlipIndicator);
    for (int id :
         {kF1, kF1 + 3, kF5, keyboard_ids::kLeftFlipButton, keyboard_ids::kRightFlipButton}) {
        EXPECT_GE(painted[&Button(id)], 1) << id;
    }
    EXPECT_EQ(painted[&Button(kD1)], 0);

    settings_.WriteFlip(1);
    painted = paintedAfter(keyboard_ids::kFlipIndicator);
    EXPECT_GE(painted[&Button(kD1 + 5)], 1);
    EXPECT_EQ(painted[&Button(kF1)], 0);

    painted = paintedAfter(kEnter);
    EXPECT_GE(painted[&Button(kRightBracket)], 1);
    EXPECT_EQ(painted[&Button(kF5)], 0);

    painted = paintedAfter(kLockAbId);
    for (const GKeyButton& key : kGKeyButtons) {
        EXPECT_GE(painted[&Button(key.controlId)], 1) << key.controlId;
    }
    window.hide();
}

}  // namespace
}  // namespace tessel
