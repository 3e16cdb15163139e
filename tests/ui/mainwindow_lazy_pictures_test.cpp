// The button sheets are held only while the window is shown: decoded on show,
// one decode per file, released on hide, and the window looks the same every
// time it is shown.

#include <gtest/gtest.h>

#include <QImage>

#include "MainWindowFixture.h"
#include "mainwindow/KeyboardViewButtons.h"

namespace tessel {
namespace {

using namespace tessel::testing;

using LazyPicturesTest = MainWindowTest;

QImage Shot(CTesselDlg& window) {
    ProcessEventsFor(std::chrono::milliseconds(100));
    return window.grab().toImage();
}

TEST_F(LazyPicturesTest, SheetsLiveOnlyWhileShownAndTheWindowLooksTheSameEachTime) {
    CTesselDlg& window = StartWindowWithKeyboard();
    window.Core().HideWindow();
    const SkinImageSet& images = window.Images();
    EXPECT_FALSE(images.IsDecoded()) << "a window in the tray holds no sheets";
    for (int i = 0; i < SkinImageSet::kCount; ++i) {
        EXPECT_TRUE(images.Get(SkinImageSet::Picture(i))->isNull()) << i;
    }

    // The presence worker may not have counted the keyboard yet.
    ASSERT_TRUE(ProcessEventsUntil([&] {
        window.Core().ShowWindow();
        return window.isVisible();
    }));
    ASSERT_TRUE(images.IsDecoded());
    EXPECT_FALSE(images.Get(SkinImageSet::kNormal)->isNull());
    // The second row of state pictures shows the same sheets, decoded once.
    EXPECT_EQ(images.Get(SkinImageSet::kNormal2)->cacheKey(),
              images.Get(SkinImageSet::kNormal)->cacheKey());
    EXPECT_EQ(images.Get(SkinImageSet::kDisabled2)->cacheKey(),
              images.Get(SkinImageSet::kDisabled)->cacheKey());
    EXPECT_NE(images.Get(SkinImageSet::kOver)->cacheKey(),
              images.Get(SkinImageSet::kNormal)->cacheKey());
    const QImage first = Shot(window);

    window.Core().HideWindow();
    EXPECT_FALSE(images.IsDecoded());
    window.Core().ShowWindow();
    const QImage again = Shot(window);
    ASSERT_EQ(first.size(), again.size());
    EXPECT_TRUE(first == again) << "the same pixels after a release and a second decode";
}

TEST_F(LazyPicturesTest, TheColourKeySheetsAreDecodedOnlyOnceTheirViewIsShown) {
    CTesselDlg& window = StartWindowWithKeyboard();
    const SkinImageSet& images = window.Images();
    ASSERT_TRUE(ProcessEventsUntil([&] {
        window.Core().ShowWindow();
        return window.isVisible();
    }));
    const QImage plain = Shot(window);
    EXPECT_TRUE(images.Get(SkinImageSet::kColour0)->isNull());
    EXPECT_TRUE(images.Get(SkinImageSet::kColour1)->isNull());

    window.SendCommand(keyboard_ids::kModeSwitch);
    EXPECT_FALSE(images.Get(SkinImageSet::kColour0)->isNull());
    EXPECT_FALSE(images.Get(SkinImageSet::kColour1)->isNull());
    EXPECT_FALSE(Shot(window) == plain) << "the keys show their colour selection";

    // Shown again in that view, it has them at once.
    window.Core().HideWindow();
    EXPECT_TRUE(images.Get(SkinImageSet::kColour0)->isNull());
    window.Core().ShowWindow();
    EXPECT_FALSE(images.Get(SkinImageSet::kColour0)->isNull());
}

}  // namespace
}  // namespace tessel
